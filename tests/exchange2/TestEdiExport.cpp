#include "TestEdiExport.h"

#include <QtTest>
#include <complex>
#include <gsl/gsl_complex_math.h>

#include "EDIDeviceIO.h"
#include "EdiStationExport.h"
#include "ExchangeFixture.h"
#include "ScriptedOperatorDialogs.h"
#include "TextFields.h"

namespace {

using Complex = std::complex<double>;

// Band files by hand: M[a][b] = (10(a+1) + b+1, a-b) times 2 at 1000 Hz (high band) and
// times 1 at 10 Hz (low band).
const char *const kHighBand =
    "Freq  1000  1  2  3  4  5  6  7  8\n"
    "    22  0  24  -2  26  -4  28  -6\n"
    "    42  2  44  0  46  -2  48  -4\n"
    "    62  4  64  2  66  0  68  -2\n"
    "    82  6  84  4  86  2  88  0\n";
const char *const kLowBand =
    "Freq  10  1  2  3  4  5  6  7  8\n"
    "    11  0  12  -1  13  -2  14  -3\n"
    "    21  1  22  0  23  -1  24  -2\n"
    "    31  2  32  1  33  0  34  -1\n"
    "    41  3  42  2  43  1  44  0\n";

// Every line of the expected file; the two date lines are checked apart.
const char *const kGolden =
    ">HEAD\n"
    "   DATAID=\"3-105\"\n"
    "   ACQBY=\"Terrasounds\"\n"
    "   HLEBY=\"Terrasounds\"\n"
    "   ACQDATE=<date>\n"
    "   FILEDATE=<date>\n"
    "   COUNTRY=\"China\"\n"
    "   UNITS=M\n"
    "   STDVERS=SEG1.0\n"
    "   PROGVERS=Sondarium1.0\n"
    "   PROGDATE=06/16/2002\n"
    "   EMPTY=1.0000E+32\n"
    "\n"
    ">INFO\n"
    "   This Edi format File is Made temporalary by Sondarium,\n"
    "   using TSiteSpe Class,which was programmed by ZR With c++.\n"
    "   FILENAME=XX.EDI\n"
    "    NO Using Remote Refrence processing with H\n"
    "   About Spectra Data Format:\n"
    "          EX    EY    HX    HY  \n"
    "    EX   EXEX* EXEY* EXHX* EXHY*\n"
    "    EY   EYEX* EYEY* EYHX* EYHY*\n"
    "    HX   HXEX* HXEY* HXHX* HXHY*\n"
    "    HY   HYEX* HYEY* HYHX* HYHY*\n"
    "\n"
    ">=DEFINEMEAS\n"
    "   MAXCHAN=7\n"
    "   MAXRUN=999\n"
    "   MAXMEAS=7\n"
    "   UNITS=M\n"
    "   REFTYPE=CART\n"
    "   REFLAT=36:25:23.000\n"
    "   REFLONG=105:21:5.000\n"
    "   REFELEV=2136\n"
    "\n"
    ">HMEAS ID=1.000 CHTYPE=HX ACQCHAN=CH3 GAIN=1 X=8.5 Y=8.5 AZM=0\n"
    ">HMEAS ID=2.000 CHTYPE=HY ACQCHAN=CH4 GAIN=1 X=-8.5 Y=8.5 AZM=90\n"
    ">HMEAS ID=3.000 CHTYPE=HZ ACQCHAN=CH5 GAIN=1 X=18.5 Y=-18.5 AZM=90\n"
    ">EMEAS ID=4.000 CHTYPE=EX ACQCHAN=CH1 GAIN=1 X=-40 Y=0 Z=0 X2=40 Y2=0 Z2=0\n"
    ">EMEAS ID=5.000 CHTYPE=EY ACQCHAN=CH2 GAIN=1 X=0 Y=-50 Z=0 X2=0 Y2=50 Z2=0\n"
    ">HMEAS ID=6.000 CHTYPE=HX ACQCHAN=CH6 GAIN=1 X=8.5 Y=44888.5 AZM=0\n"
    ">HMEAS ID=7.000 CHTYPE=HY ACQCHAN=CH7 GAIN=1 X=8.5 Y=44888.5 AZM=90\n"
    "\n"
    ">=SPECTRASECT\n"
    " SECTID=\"3-105\"\n"
    " NCHAN=7\n"
    " NFREQ=2\n"
    " MAXBLKS=2\n"
    " //7\n"
    "  1.000\n  2.000\n  3.000\n  4.000\n  5.000\n  6.000\n  7.000\n"
    "\n"
    ">SPECTRA  FREQ=10 ROTSPEC=0 BW=0.0000E+00 AVGT=30 //49\n"
    " 3.300000E+01  -1.000000E+00  0.000000E+00  2.000000E+00  1.000000E+00  0.000000E+00  -1.000000E+00\n"
    " 4.300000E+01  4.400000E+01  1.000000E+00  3.000000E+00  2.000000E+00  1.000000E+00  0.000000E+00\n"
    " 3.300000E+01  3.400000E+01  3.300000E+01  2.000000E+00  1.000000E+00  0.000000E+00  -1.000000E+00\n"
    " 1.300000E+01  1.400000E+01  1.300000E+01  1.100000E+01  -1.000000E+00  -2.000000E+00  -3.000000E+00\n"
    " 2.300000E+01  2.400000E+01  2.300000E+01  2.100000E+01  2.200000E+01  -1.000000E+00  -2.000000E+00\n"
    " 3.300000E+01  3.400000E+01  3.300000E+01  3.100000E+01  3.200000E+01  3.300000E+01  -1.000000E+00\n"
    " 4.300000E+01  4.400000E+01  4.300000E+01  4.100000E+01  4.200000E+01  4.300000E+01  4.400000E+01\n"
    ">SPECTRA  FREQ=1000 ROTSPEC=0 BW=9.9000E+02 AVGT=30 //49\n"
    " 6.600000E+01  -2.000000E+00  0.000000E+00  4.000000E+00  2.000000E+00  0.000000E+00  -2.000000E+00\n"
    " 8.600000E+01  8.800000E+01  2.000000E+00  6.000000E+00  4.000000E+00  2.000000E+00  0.000000E+00\n"
    " 6.600000E+01  6.800000E+01  6.600000E+01  4.000000E+00  2.000000E+00  0.000000E+00  -2.000000E+00\n"
    " 2.600000E+01  2.800000E+01  2.600000E+01  2.200000E+01  -2.000000E+00  -4.000000E+00  -6.000000E+00\n"
    " 4.600000E+01  4.800000E+01  4.600000E+01  4.200000E+01  4.400000E+01  -2.000000E+00  -4.000000E+00\n"
    " 6.600000E+01  6.800000E+01  6.600000E+01  6.200000E+01  6.400000E+01  6.600000E+01  -2.000000E+00\n"
    " 8.600000E+01  8.800000E+01  8.600000E+01  8.200000E+01  8.400000E+01  8.600000E+01  8.800000E+01\n"
    "\n"
    ">End\n";

Data_Station *tensorStation(TestProject &project, Data_Line *line, float number)
{
    Data_Station *station = project.addStation(line, number);
    station->setHasTensor(1);
    station->setHMT(1);
    station->setLMT(1);
    station->setXPoleDistance(80);
    station->setYPoleDistance(100);
    station->commit();
    return station;
}

// The 4 x 4 cross-power matrix of one EDI spectra block (seven rows of seven numbers): real parts
// on and below the diagonal, imaginary parts above, channel k fed by matrix index feed[k].
QVector<QVector<Complex>> matrixOfBlock(const QVector<QVector<double>> &rows)
{
    const int feed[7] = {2, 3, 2, 0, 1, 2, 3};
    QVector<QVector<Complex>> m(4, QVector<Complex>(4));
    for (int i = 0; i < 7; ++i)
        for (int j = 0; j < 7; ++j) {
            Complex &element = m[feed[i]][feed[j]];
            element = j <= i ? Complex(rows[i][j], element.imag())
                             : Complex(element.real(), rows[i][j]);
        }
    return m;
}

// Z = <E H*> <H H*>^-1 by Cramer's rule.
void solveTensor(const QVector<QVector<Complex>> &m, Complex z[2][2])
{
    const Complex hxhx = m[2][2], hxhy = m[2][3], hyhx = m[3][2], hyhy = m[3][3];
    const Complex det = hxhx * hyhy - hxhy * hyhx;
    for (int e = 0; e < 2; ++e) {
        z[e][0] = (m[e][2] * hyhy - m[e][3] * hyhx) / det;
        z[e][1] = (m[e][3] * hxhx - m[e][2] * hxhy) / det;
    }
}

QVector<QVector<QVector<double>>> spectraBlocks(const QByteArray &edi)
{
    QVector<QVector<QVector<double>>> blocks;
    const QList<QByteArray> lines = edi.split('\n');
    for (int k = 0; k < lines.size(); ++k) {
        if (!lines[k].startsWith(">SPECTRA"))
            continue;
        QVector<QVector<double>> rows;
        for (int i = 1; i <= 7; ++i) {
            QVector<double> row;
            for (const QString &field : splitTextFields(QString::fromLatin1(lines[k + i])))
                row << field.toDouble();
            rows << row;
        }
        blocks << rows;
    }
    return blocks;
}

} // namespace

void TestEdiExport::goldenStation()
{
    WorkFolder work;
    work.writeText("tensors/105.HMT", kHighBand);
    work.writeText("tensors/105.LMT", kLowBand);
    TestProject project(work.path("p.HMT"));
    Data_Line *line = project.addLine(3);
    project.addStation(line, 7);
    tensorStation(project, line, 105);
    ScriptedOperatorDialogs dialogs;
    dialogs.fileNames << work.path("out.edi");
    EDIDeviceIO io(&dialogs);
    QVERIFY(EdiStationExport(&dialogs, &io).run(line, 1));

    QString text = QString::fromUtf8(work.readText("out.edi"));
    const QDate today = QDate::currentDate();
    const QString date = QString::asprintf("%02d/%02d/%04d", today.month(), today.day(), today.year());
    QCOMPARE(text.count(QStringLiteral("DATE=") + date + QLatin1Char('\n')), 2);
    text.replace(QStringLiteral("DATE=") + date, QStringLiteral("DATE=<date>"));
    const QStringList actual = text.split(QLatin1Char('\n'));
    const QStringList expected = QString::fromUtf8(kGolden).split(QLatin1Char('\n'));
    for (int i = 0; i < qMin(actual.size(), expected.size()); ++i)
        QVERIFY2(actual[i] == expected[i], qPrintable(QString("line %1:\n got  [%2]\n want [%3]")
                                                          .arg(i + 1).arg(actual[i], expected[i])));
    QCOMPARE(actual.size(), expected.size());
    QCOMPARE(dialogs.callsOf("information").size(), 1);
    QCOMPARE(dialogs.callsOf("information")[0].text, QStringLiteral("EDI数据导出成功！"));
}

void TestEdiExport::refusals_data()
{
    QTest::addColumn<int>("hasTensor");
    QTest::addColumn<bool>("chooseFile");
    QTest::addColumn<int>("stationRow");
    QTest::addColumn<QString>("box");        // kind:title:text of the only box, or empty
    QTest::addColumn<bool>("written");
    QTest::newRow("never tensor-processed") << -1 << true << 0
        << "critical:EDI导出错误:该点未进行张量计算或不能进行张量计算" << false;
    QTest::newRow("file choice cancelled") << 1 << false << 0 << "" << false;
    QTest::newRow("station row out of range") << 1 << true << 5 << "" << false;
    QTest::newRow("missing band file read error, export goes on") << 0 << true << 0
        << "critical:读取错误:读取数据错误" << true;
}

void TestEdiExport::refusals()
{
    QFETCH(int, hasTensor);
    QFETCH(bool, chooseFile);
    QFETCH(int, stationRow);
    QFETCH(QString, box);
    QFETCH(bool, written);
    WorkFolder work;
    work.writeText("tensors/12.LMT", kLowBand);  // the high-band file is missing
    TestProject project(work.path("p.HMT"));
    Data_Line *line = project.addLine(1);
    Data_Station *station = tensorStation(project, line, 12);
    station->setHasTensor(hasTensor);
    station->commit();
    ScriptedOperatorDialogs dialogs;
    if (chooseFile)
        dialogs.fileNames << work.path("out.edi");
    EDIDeviceIO io(&dialogs);
    EdiStationExport(&dialogs, &io).run(line, stationRow);

    QStringList boxes;
    for (const auto &call : dialogs.calls)
        if (call.kind == "critical")
            boxes << call.kind + ":" + call.title + ":" + call.text;
    QCOMPARE(boxes.join('|'), box);
    QCOMPARE(QFile::exists(work.path("out.edi")), written);
    if (written)
        QVERIFY(work.readText("out.edi").contains(" NFREQ=1\n"));
}

// A tensor result built from a known impedance tensor: the spectra of the EDI file, solved
// again for the tensor, give the resistivities and phases of the result file.
void TestEdiExport::spectraGiveTheTensorBack()
{
    WorkFolder work;
    QDir().mkdir("tensors");
    const Complex z[2][2] = {{{0.3, -0.1}, {12.0, 9.0}}, {{-7.0, -5.5}, {0.2, 0.4}}};
    const Complex hh[2][2] = {{{5.0, 0.0}, {0.8, 1.1}}, {{0.8, -1.1}, {3.0, 0.0}}};
    ScriptedOperatorDialogs dialogs;
    EDIDeviceIO io(&dialogs);
    QVector<TensorCrossPower> crossPowers;
    QVector<TensorImpedance> impedances;
    for (double f : {4000.0, 500.0, 64.0}) {
        // E = Z H: <E H*> = Z <H H*>, <E E*> = Z <H H*> Z^H.
        Complex m[4][4];
        for (int a = 0; a < 2; ++a)
            for (int b = 0; b < 2; ++b) {
                m[a + 2][b + 2] = hh[a][b] * f / 100.0;
                m[a][b + 2] = z[a][0] * hh[0][b] * f / 100.0 + z[a][1] * hh[1][b] * f / 100.0;
            }
        for (int a = 0; a < 2; ++a)
            for (int b = 0; b < 2; ++b) {
                m[b + 2][a] = std::conj(m[a][b + 2]);
                m[a][b] = m[a][2] * std::conj(z[b][0]) + m[a][3] * std::conj(z[b][1]);
            }
        TensorCrossPower record;
        record.freq = f;
        record.matrix = QVector<QVector<gsl_complex>>(4, QVector<gsl_complex>(4));
        for (int a = 0; a < 4; ++a)
            for (int b = 0; b < 4; ++b)
                record.matrix[a][b] = gsl_complex_rect(m[a][b].real(), m[a][b].imag());
        const auto rho = [f](Complex v) { return 0.2 * std::norm(v) / f; };
        const auto phase = [](Complex v) { return std::arg(v) * 180.0 / M_PI; };
        crossPowers << record;
        impedances << TensorImpedance{f, phase(z[0][0]), rho(z[0][0]), phase(z[0][1]), rho(z[0][1]),
                                      phase(z[1][0]), rho(z[1][0]), phase(z[1][1]), rho(z[1][1])};
    }
    QVERIFY(io.writeTensorFile(crossPowers, impedances, "tensors/9", 24000));
    TestProject project(work.path("p.HMT"));
    Data_Line *line = project.addLine(2);
    Data_Station *station = tensorStation(project, line, 9);
    station->setLMT(-1);
    station->commit();
    dialogs.fileNames << work.path("9.edi");
    QVERIFY(EdiStationExport(&dialogs, &io).run(line, 0));

    QList<TensorCrossPower> filePowers;
    QList<TensorImpedance> fileImpedances;
    QVERIFY(io.readTensorFile(filePowers, fileImpedances, "tensors/9.HMT"));
    const auto blocks = spectraBlocks(work.readText("9.edi"));
    QCOMPARE(blocks.size(), 3);
    for (int k = 0; k < 3; ++k) {
        const TensorImpedance &expected = fileImpedances[2 - k];  // the EDI ascends in frequency
        Complex solved[2][2];
        solveTensor(matrixOfBlock(blocks[k]), solved);
        const double rhos[4] = {expected.rhoXX, expected.rhoXY, expected.rhoYX, expected.rhoYY};
        const double phases[4] = {expected.phaseXX, expected.phaseXY, expected.phaseYX, expected.phaseYY};
        for (int e = 0; e < 4; ++e) {
            const Complex v = solved[e / 2][e % 2];
            const double rho = 0.2 * std::norm(v) / expected.freq;
            QVERIFY2(std::fabs(rho - rhos[e]) <= 2e-5 * rhos[e],
                     qPrintable(QString("f %1 element %2: rho %3, file %4").arg(expected.freq)
                                    .arg(e).arg(rho, 0, 'g', 8).arg(rhos[e], 0, 'g', 8)));
            QVERIFY2(std::fabs(std::arg(v) * 180.0 / M_PI - phases[e]) <= 1e-3,
                     qPrintable(QString("f %1 element %2 phase").arg(expected.freq).arg(e)));
        }
    }
}
