#include "TestSpectrumExport.h"

#include <QtTest>
#include <cmath>

#include "CurveBlob.h"
#include "ExchangeFixture.h"
#include "LineSpectrumExport.h"
#include "ScriptedOperatorDialogs.h"
#include "SyntheticProject.h"

namespace {

// The standard frequencies from 10 Hz to 10 kHz, ten per decade (248 Hz in place of 251 Hz).
const QList<double> kStandard10To10k{10,   12.6, 15.8, 20,   25.1, 31.6, 39.8, 50.1, 63.1, 79.4,
                                     100,  126,  158,  200,  248,  316,  398,  501,  631,  794,
                                     1000, 1260, 1580, 2000, 2510, 3160, 3980, 5010, 6310, 7940,
                                     10000};

RecordingSpec recording(int rate, int seconds, std::uint64_t seed)
{
    RecordingSpec spec;
    spec.sampleRate = rate;
    spec.seconds = seconds;
    spec.seed = seed;
    return spec;
}

StationSpec station(int number, const QList<RecordingSpec> &recordings)
{
    StationSpec spec;
    spec.station = number;
    spec.recordings = recordings;
    return spec;
}

} // namespace

void TestSpectrumExport::stationLines_data()
{
    QTest::addColumn<int>("curveRecords");
    QTest::addColumn<QStringList>("lines");
    // Hx at 10 and 20 Hz, Hy at 10 Hz only; the curve: 100 ohm-m, 45 degrees at 1, 2, 4 Hz.
    QTest::newRow("curve of the same length: nine columns")
        << 2 << QStringList{"105.5,10,2.5,3,1,100,45,3560,100", "105.5,20,1.25,0,2,100,45,2517.3,100"};
    QTest::newRow("longer curve: four columns") << 3 << QStringList{"105.5,10,2.5,3", "105.5,20,1.25,0"};
}

void TestSpectrumExport::stationLines()
{
    QFETCH(int, curveRecords);
    QFETCH(QStringList, lines);
    MagneticSpectra spectra;
    spectra.hx = {{20.0, 1.25}, {10.0, 2.5}};
    spectra.hy = {{10.0, 3.0}};
    QCOMPARE(LineSpectrumExport::stationLines(105.5f, spectra, flatCurve(curveRecords, 100, 45)), lines);
}

void TestSpectrumExport::lineTableFromRecordings()
{
    WorkFolder work;
    SurveySpec survey;
    // Station 1 covers 10 Hz to 1.2 kHz and 1 kHz to 12 kHz, station 2 only the low band.
    survey.stations = {station(1, {recording(2400, 4, 31), recording(24000, 1, 32)}),
                       station(2, {recording(2400, 4, 33)}), station(3, {recording(2400, 4, 34)})};
    SurveyDescription written;
    QString projectFile;
    QVERIFY(SyntheticProject::create(survey, work.path(), "p", &written, &projectFile));
    TestProject project(projectFile);
    Data_Line *line = project.project()->REF_Data_Line()->at(0).object;
    QVERIFY(line);
    const int lowBand = kStandard10To10k.indexOf(1000) + 1;
    const int bothBands = kStandard10To10k.size();
    DORE_Collection<Data_Station> *stations = line->REF_Data_Station();
    const QVector<OneFreqImpedance> matching = flatCurve(bothBands, 100, 45, 1.0, 4.0);
    stations->at(0).object->setData_ImpedanceEx(CurveBlob::encode(matching));
    stations->at(1).object->setData_ImpedanceEx(CurveBlob::encode(flatCurve(5, 100, 45)));
    stations->at(2).object->setUse(0);
    for (int s = 0; s < 3; ++s)
        QVERIFY(stations->at(s).object->commit());

    ScriptedOperatorDialogs dialogs;
    dialogs.fileNames << work.path("line.DAT");
    ReCalculateParam settings;
    settings.fftLength = 1024;
    settings.fftCount = 8;
    QVERIFY(LineSpectrumExport(&dialogs).run(*line, work.path(), settings));
    QCOMPARE(dialogs.callsOf("information").size(), 1);
    QCOMPARE(dialogs.callsOf("information")[0].text, QStringLiteral("导出数据成功"));

    QStringList rows = QString::fromUtf8(work.readText("line.DAT")).split('\n');
    QCOMPARE(rows.takeFirst(), QStringLiteral("station,freq,Hx,Hy,Frequency , AppResis , Phase, depth , trueResis  "));
    QCOMPARE(rows.takeLast(), QString());
    QCOMPARE(rows.size(), bothBands + lowBand);
    for (int i = 0; i < rows.size(); ++i) {
        const QStringList fields = rows[i].split(',');
        const bool first = i < bothBands;
        const int k = first ? i : i - bothBands;
        QCOMPARE(fields.size(), first ? 9 : 4);
        QCOMPARE(fields[0], QString(first ? "1" : "2"));
        QCOMPARE(fields[1].toDouble(), kStandard10To10k[k]);
        QVERIFY2(fields[2].toDouble() > 0 && fields[3].toDouble() > 0, qPrintable(rows[i]));
        if (!first)
            continue;
        // Record k: f = 4^k Hz, 100 ohm-m, 45 degrees: depth 356 sqrt(100 / f) m, true rho 100.
        QVERIFY(qAbs(fields[4].toDouble() / std::pow(4.0, k) - 1) < 1e-5);
        QCOMPARE(fields.mid(5, 2), QStringList({"100", "45"}));
        QVERIFY(qAbs(fields[7].toDouble() / (3560.0 / std::pow(2.0, k)) - 1) < 1e-5);
        QCOMPARE(fields[8], QString("100"));
    }
}

void TestSpectrumExport::endsWithoutWriting_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QStringList>("calls");
    QTest::newRow("cancelled file choice") << "" << QStringList{"saveFileName"};
    QTest::newRow("file in a missing folder") << "missing/line.DAT" << QStringList{"saveFileName", "critical"};
}

void TestSpectrumExport::endsWithoutWriting()
{
    QFETCH(QString, answer);
    QFETCH(QStringList, calls);
    WorkFolder work;
    TestProject project(work.path("p.HMT"));
    Data_Line *line = project.addLine(1);
    project.addStation(line, 1, flatCurve(3, 100, 45));
    ScriptedOperatorDialogs dialogs;
    if (!answer.isEmpty())
        dialogs.fileNames << work.path(answer);
    QVERIFY(!LineSpectrumExport(&dialogs).run(*line, work.path(), ReCalculateParam()));
    QStringList kinds;
    for (const ScriptedOperatorDialogs::Call &call : dialogs.calls)
        kinds << call.kind;
    QCOMPARE(kinds, calls);
    if (kinds.contains("critical"))
        QCOMPARE(dialogs.callsOf("critical")[0].text, QStringLiteral("导出反演数据错误"));
    QCOMPARE(QDir(work.path()).entryList(QDir::Files), QStringList({"p.HMT"}));
}
