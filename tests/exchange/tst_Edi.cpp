#include <complex>

#include "EDIDeviceIO.h"
#include "EdiStationExport.h"
#include "TestExchange.h"
#include "TextFields.h"

using Complex = std::complex<double>;

// Band files by hand for Z = [1, 5+5i; -5-5i, i] (apparent resistivity 0.2 |Z|^2 / f, phase of Z) and
// <H H*> = [2, i; -i, 1] at 10 Hz, twice that at 1000 Hz: the cross powers of Ex, Ey, Hx, Hy are
// A <H H*> A^H with A = [Z; I].
const char *const kLowBand = "Freq  10  0.02  0  1  45  1  -135  0.02  90\n    62  0  -4  55  7  -5  5  6\n"
                             "    -4  -55  91  0  -9  -10  5  -4\n    7  5  -9  10  2  0  0  1\n"
                             "    5  -6  5  4  0  -1  1  0\n";
const char *const kHighBand = "Freq  1000  0.0002  0  0.01  45  0.01  -135  0.0002  90\n"
                              "    124  0  -8  110  14  -10  10  12\n    -8  -110  182  0  -18  -20  10  -8\n"
                              "    14  10  -18  20  4  0  0  2\n    10  -12  10  8  0  -2  2  0\n";

// Every line of the expected file but the two dates.
const char *const kGolden =
    ">HEAD\n   DATAID=\"3-105\"\n   ACQBY=\"Terrasounds\"\n   HLEBY=\"Terrasounds\"\n   ACQDATE=<date>\n"
    "   FILEDATE=<date>\n   COUNTRY=\"China\"\n   UNITS=M\n   STDVERS=SEG1.0\n   PROGVERS=Sondarium1.0\n"
    "   PROGDATE=06/16/2002\n   EMPTY=1.0000E+32\n\n>INFO\n   This Edi format File is Made temporalary by "
    "Sondarium,\n   using TSiteSpe Class,which was programmed by ZR With c++.\n   FILENAME=XX.EDI\n"
    "    NO Using Remote Refrence processing with H\n   About Spectra Data Format:\n          EX    EY    "
    "HX    HY  \n    EX   EXEX* EXEY* EXHX* EXHY*\n    EY   EYEX* EYEY* EYHX* EYHY*\n    HX   HXEX* "
    "HXEY* HXHX* HXHY*\n    HY   HYEX* HYEY* HYHX* HYHY*\n\n>=DEFINEMEAS\n   MAXCHAN=7\n   MAXRUN=999\n"
    "   MAXMEAS=7\n   UNITS=M\n   REFTYPE=CART\n   REFLAT=36:25:23.000\n   REFLONG=105:21:5.000\n"
    "   REFELEV=2136\n\n"
    ">HMEAS ID=1.000 CHTYPE=HX ACQCHAN=CH3 GAIN=1 X=8.5 Y=8.5 AZM=0\n"
    ">HMEAS ID=2.000 CHTYPE=HY ACQCHAN=CH4 GAIN=1 X=-8.5 Y=8.5 AZM=90\n"
    ">HMEAS ID=3.000 CHTYPE=HZ ACQCHAN=CH5 GAIN=1 X=18.5 Y=-18.5 AZM=90\n"
    ">EMEAS ID=4.000 CHTYPE=EX ACQCHAN=CH1 GAIN=1 X=-40 Y=0 Z=0 X2=40 Y2=0 Z2=0\n"
    ">EMEAS ID=5.000 CHTYPE=EY ACQCHAN=CH2 GAIN=1 X=0 Y=-50 Z=0 X2=0 Y2=50 Z2=0\n"
    ">HMEAS ID=6.000 CHTYPE=HX ACQCHAN=CH6 GAIN=1 X=8.5 Y=44888.5 AZM=0\n"
    ">HMEAS ID=7.000 CHTYPE=HY ACQCHAN=CH7 GAIN=1 X=8.5 Y=44888.5 AZM=90\n\n"
    ">=SPECTRASECT\n SECTID=\"3-105\"\n NCHAN=7\n NFREQ=2\n MAXBLKS=2\n //7\n"
    "  1.000\n  2.000\n  3.000\n  4.000\n  5.000\n  6.000\n  7.000\n\n"
    ">SPECTRA  FREQ=10 ROTSPEC=0 BW=0.0000E+00 AVGT=30 //49\n"
    " 2.000000E+00  1.000000E+00  0.000000E+00  5.000000E+00  1.000000E+01  0.000000E+00  1.000000E+00\n"
    " 0.000000E+00  1.000000E+00  -1.000000E+00  -6.000000E+00  4.000000E+00  -1.000000E+00  0.000000E+00\n"
    " 2.000000E+00  0.000000E+00  2.000000E+00  5.000000E+00  1.000000E+01  0.000000E+00  1.000000E+00\n"
    " 7.000000E+00  5.000000E+00  7.000000E+00  6.200000E+01  5.500000E+01  -5.000000E+00  6.000000E+00\n"
    " -9.000000E+00  5.000000E+00  -9.000000E+00  -4.000000E+00  9.100000E+01  -1.000000E+01  -4.000000E+00\n"
    " 2.000000E+00  0.000000E+00  2.000000E+00  7.000000E+00  -9.000000E+00  2.000000E+00  1.000000E+00\n"
    " 0.000000E+00  1.000000E+00  0.000000E+00  5.000000E+00  5.000000E+00  0.000000E+00  1.000000E+00\n"
    ">SPECTRA  FREQ=1000 ROTSPEC=0 BW=9.9000E+02 AVGT=30 //49\n"
    " 4.000000E+00  2.000000E+00  0.000000E+00  1.000000E+01  2.000000E+01  0.000000E+00  2.000000E+00\n"
    " 0.000000E+00  2.000000E+00  -2.000000E+00  -1.200000E+01  8.000000E+00  -2.000000E+00  0.000000E+00\n"
    " 4.000000E+00  0.000000E+00  4.000000E+00  1.000000E+01  2.000000E+01  0.000000E+00  2.000000E+00\n"
    " 1.400000E+01  1.000000E+01  1.400000E+01  1.240000E+02  1.100000E+02  -1.000000E+01  1.200000E+01\n"
    " -1.800000E+01  1.000000E+01  -1.800000E+01  -8.000000E+00  1.820000E+02  -2.000000E+01  -8.000000E+00\n"
    " 4.000000E+00  0.000000E+00  4.000000E+00  1.400000E+01  -1.800000E+01  4.000000E+00  2.000000E+00\n"
    " 0.000000E+00  2.000000E+00  0.000000E+00  1.000000E+01  1.000000E+01  0.000000E+00  2.000000E+00\n"
    "\n>End\n";

// Zxx, Zxy, Zyx, Zyy = <E H*> <H H*>^-1 of the 4 x 4 cross powers in a spectra block: real parts on
// and below its diagonal, imaginary parts above, channel k fed by matrix index feed[k].
static QVector<Complex> solvedTensor(const QList<QByteArray> &rows)
{
    const int feed[7] = {2, 3, 2, 0, 1, 2, 3};
    Complex m[4][4];
    for (int i = 0; i < 7; ++i) {
        const QStringList fields = splitTextFields(QString::fromLatin1(rows[i]));
        for (int j = 0; j < 7; ++j) {
            Complex &c = m[feed[i]][feed[j]];
            c = j <= i ? Complex(fields[j].toDouble(), c.imag()) : Complex(c.real(), fields[j].toDouble());
        }
    }
    const Complex det = m[2][2] * m[3][3] - m[2][3] * m[3][2];
    QVector<Complex> z;
    for (int e = 0; e < 2; ++e)
        z << (m[e][2] * m[3][3] - m[e][3] * m[3][2]) / det << (m[e][3] * m[2][2] - m[e][2] * m[2][3]) / det;
    return z;
}

void TestExchange::ediExport_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("highBand");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("frequencies");  // in the file written, 0: none written
    const QString done = "information:数据导出:EDI数据导出成功！";
    QTest::newRow("both bands: the whole file") << 1 << "out.edi" << true << done << 2;
    QTest::newRow("never tensor-processed") << 0 << "out.edi" << true
        << "critical:EDI导出错误:该点未进行张量计算或不能进行张量计算" << 0;
    QTest::newRow("file choice cancelled") << 1 << "" << true << "" << 0;
    QTest::newRow("station row out of range") << 5 << "out.edi" << true << "" << 0;
    QTest::newRow("high band missing: told, export goes on") << 1 << "out.edi" << false
        << "critical:读取错误:读取数据错误|" + done << 1;
}

void TestExchange::ediExport()
{
    QFETCH(int, row);
    QFETCH(QString, file);
    QFETCH(bool, highBand);
    QFETCH(QString, shown);
    QFETCH(int, frequencies);
    // Line 3: station 7 never tensor-processed, station 105 with its band files and dipoles of 80 m
    // and 100 m.
    ExchangeFixture f;
    EDIDeviceIO io(&f.dialogs);
    Data_Line *line = f.addLine(3);
    f.addStation(line, 7);
    Data_Station *station = f.addStation(line, 105);
    station->setHasTensor(1);
    station->setHMT(1);
    station->setLMT(1);
    station->setXPoleDistance(80);
    station->setYPoleDistance(100);
    station->commit();
    f.writeText("tensors/105.LMT", kLowBand);
    if (highBand)
        f.writeText("tensors/105.HMT", kHighBand);
    if (!file.isEmpty())
        f.dialogs.fileNames << f.path(file);
    QCOMPARE(EdiStationExport(&f.dialogs, &io).run(line, row), frequencies > 0);
    QCOMPARE(f.dialogs.boxes(), shown);
    QCOMPARE(QFile::exists("out.edi"), frequencies > 0);
    QString text = QString::fromUtf8(f.readText("out.edi"));
    QCOMPARE(text.contains(QString(" NFREQ=%1\n").arg(frequencies)), frequencies > 0);
    if (frequencies < 2)
        return;
    const QDate today = QDate::currentDate();
    const QString date = QString::asprintf("DATE=%02d/%02d/%04d", today.month(), today.day(), today.year());
    QCOMPARE(text.count(date + '\n'), 2);
    QCOMPARE(text.replace(date, "DATE=<date>").split('\n'), QString::fromUtf8(kGolden).split('\n'));

    // Independently: the tensor solved from each spectra block has the resistivities and phases of
    // the band files, to their printed precision.
    QList<TensorCrossPower> powers;
    QList<TensorImpedance> bands;
    QVERIFY(io.readTensorFile(powers, bands, "tensors/105.LMT"));
    QVERIFY(io.readTensorFile(powers, bands, "tensors/105.HMT"));
    const QList<QByteArray> lines = f.readText("out.edi").split('\n');
    for (int k = 0, block = 0; k < lines.size(); ++k) {
        if (!lines[k].startsWith(">SPECTRA"))
            continue;
        const TensorImpedance &band = bands[block++];
        const double rhos[4] = {band.rhoXX, band.rhoXY, band.rhoYX, band.rhoYY};
        const double phases[4] = {band.phaseXX, band.phaseXY, band.phaseYX, band.phaseYY};
        const QVector<Complex> z = solvedTensor(lines.mid(k + 1, 7));
        for (int e = 0; e < 4; ++e) {
            const double rho = 0.2 * std::norm(z[e]) / band.freq, phase = std::arg(z[e]) * 180 / M_PI;
            QVERIFY2(std::fabs(rho - rhos[e]) <= 2e-5 * rhos[e] && std::fabs(phase - phases[e]) <= 1e-3,
                     qPrintable(QString("%1 Hz, Z%2: rho %3, phase %4").arg(band.freq).arg(e).arg(rho).arg(phase)));
        }
    }
}

QTEST_GUILESS_MAIN(TestExchange)
