#include "TestHubFlow.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QtEndian>
#include <QtTest>
#include <algorithm>
#include <cmath>

#include "HubFixture.h"
#include "MultiPolarityCurve.h"

using Curve = QVector<OneFreqImpedance>;

namespace {

const QString kStationFolder = QStringLiteral("data/Line 1/Station 1/");

// Line 1, station 1 over the generator's 100 ohm-m half-space: 4096 Hz for 2 s and 1024 Hz for
// 4 s in scalar mode, then 2400 Hz for 1 s in tensor mode when asked.
SurveySpec stationSurvey(bool withTensorRecording = false)
{
    QList<RecordingSpec> recordings{recordingSpec(4096, 2, false, 11), recordingSpec(1024, 4, false, 12)};
    if (withTensorRecording)
        recordings.append(recordingSpec(2400, 1, true, 13));
    SurveySpec survey;
    survey.stations = {stationSpec(1, 1, recordings)};
    return survey;
}

bool process(HubFixture &f, const QList<int> &recordings, int estimator = 1)
{
    f.hub.onRecalculateChanged(recomputeSettings(512, 4));
    f.hub.on_slot_StackMethodChanged(estimator);
    bool all = true;
    for (int r : recordings)
        all = f.hub.openRecording(0, 0, r) && all;
    return all;
}

Curve stableSorted(Curve curve)
{
    std::stable_sort(curve.begin(), curve.end(),
                     [](const OneFreqImpedance &a, const OneFreqImpedance &b) { return a.freq < b.freq; });
    return curve;
}

// The station's curve of a pair the slow way: the result rows of its used recordings at or
// below 400 kHz, in key order, appended and sorted by frequency.
Curve expectedAssembly(const HubFixture &f, int channel)
{
    Curve curve;
    for (const QVariantList &row : f.rows(QStringLiteral("Data_ProcessData"), QStringLiteral("Data_Impedance"),
             QStringLiteral("SampleChannel = %1 AND Data_SampleDataID IN (SELECT ID FROM Data_SampleData "
                            "WHERE Use <> 0 AND SampleRate <= 400000)").arg(channel)))
        curve += blobRecords(row.first().toByteArray());
    return stableSorted(curve);
}

Curve storedCurve(const HubFixture &f, const char *column)
{
    return blobRecords(f.value(QStringLiteral("Data_Station"), QLatin1String(column), f.stationId(1, 1)).toByteArray());
}

bool sameCurve(const Curve &a, const Curve &b)
{
    return a.size() == b.size()
           && std::equal(a.begin(), a.end(), b.begin(), [](const OneFreqImpedance &x, const OneFreqImpedance &y) {
                  return x.freq == y.freq && x.rho == y.rho && x.phase == y.phase
                         && x.coherency == y.coherency;
              });
}

// The order in which the hub's station signals arrive.
QStringList *recordOrder(TreeModel_Index &hub, QStringList *events)
{
    QObject::connect(&hub, &TreeModel_Index::signal_CentralWidgetChanged, [=](int i) { *events << QStringLiteral("view %1").arg(i); });
    QObject::connect(&hub, &TreeModel_Index::signal_SelectPointTitle, [=](const QString &t) { *events << t; });
    QObject::connect(&hub, &TreeModel_Index::ExHyImpedanceChanged, [=] { *events << QStringLiteral("ExHy"); });
    QObject::connect(&hub, &TreeModel_Index::EyHxImpedanceChanged, [=] { *events << QStringLiteral("EyHx"); });
    QObject::connect(&hub, &TreeModel_Index::Ex2HyImpedanceChanged, [=] { *events << QStringLiteral("Ex2Hy"); });
    QObject::connect(&hub, &TreeModel_Index::MPMTImpedanceChanged, [=] { *events << QStringLiteral("MP"); });
    return events;
}

Curve lastCurve(const QSignalSpy &spy)
{
    return spy.isEmpty() ? Curve() : spy.last().first().value<Curve>();
}

double median(QVector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0.0 : values.at(values.size() / 2);
}

} // namespace

void TestHubFlow::recomputingTwiceKeepsOneRowPerPair_data()
{
    QTest::addColumn<int>("estimator");
    // The half-space's 45 degrees, which no phase mapping moves, within this many degrees; the
    // component-wise median over four segments is the coarsest of the estimates.
    QTest::addColumn<double>("phaseTolerance");
    QTest::newRow("plain") << 1 << 3.0;
    QTest::newRow("robust") << 2 << 3.0;
    QTest::newRow("M-estimation") << 3 << 3.0;
    QTest::newRow("median") << 6 << 6.0;
}

void TestHubFlow::recomputingTwiceKeepsOneRowPerPair()
{
    QFETCH(int, estimator);
    QFETCH(double, phaseTolerance);
    HubFixture f(stationSurvey());
    QVERIFY(f.isValid());
    QSignalSpy titles(&f.hub, &TreeModel_Index::signal_SelectPointTitle);
    QSignalSpy saveData(&f.hub, &TreeModel_Index::setSaveData);
    const int recording = f.recordingIds(f.stationId(1, 1)).first();
    const QString columns = QStringLiteral("ID, SampleChannel, SampleFrequency, Data_SampleDataID");
    const QString where = QStringLiteral("Data_SampleDataID = %1").arg(recording);
    QVERIFY(process(f, {0}, estimator));
    const QList<QVariantList> first = f.rows(QStringLiteral("Data_ProcessData"), columns, where);
    QVERIFY(process(f, {0}, estimator));
    QCOMPARE(f.rows(QStringLiteral("Data_ProcessData"), columns, where), first);
    QCOMPARE(f.rows(QStringLiteral("Data_ProcessData"), QStringLiteral("ID")).size(), 3);
    QList<int> channels;
    for (const QVariantList &row : first) {
        channels << row.at(1).toInt();
        QCOMPARE(row.at(2).toDouble(), 4096.0);
    }
    std::sort(channels.begin(), channels.end());
    QCOMPARE(channels, (QList<int>{0, 1, 2}));
    QCOMPARE(titles.count(), 6);
    QCOMPARE(titles.last().first().toString(), QStringLiteral("Station 1Frequency 4096"));
    QVERIFY(!saveData.isEmpty() && saveData.last().first().toBool());
    // The half-space under the station: 100 ohm-m and 45 degrees across the curve.
    for (int channel = 0; channel < 3; ++channel) {
        const Curve curve = expectedAssembly(f, channel);
        QVERIFY(curve.size() > 5);
        QVector<double> rhos, phases;
        for (const OneFreqImpedance &z : curve) {
            rhos << z.rho;
            phases << z.phase;
        }
        QVERIFY2(std::abs(median(rhos) / 100.0 - 1.0) < 0.1, qPrintable(QString::number(median(rhos))));
        QVERIFY2(std::abs(median(phases) - 45.0) < phaseTolerance, qPrintable(QString::number(median(phases))));
    }
}

void TestHubFlow::openingWithoutRecomputationSendsSeriesAndStoresNothing()
{
    HubFixture f(stationSurvey());
    QVERIFY(f.isValid());
    ReCalculateParam settings = recomputeSettings(512, 2);
    settings.recomputeImpedance = false;
    f.hub.onRecalculateChanged(settings);
    QSignalSpy params(&f.hub, &TreeModel_Index::TimeSeriesParam);
    QSignalSpy series(&f.hub, &TreeModel_Index::TimeSeriesChanged);
    QSignalSpy plots(&f.hub, &TreeModel_Index::TimeSeriesPlots);
    QSignalSpy pairs(&f.hub, &TreeModel_Index::OneMTSamplesChanged);
    QSignalSpy views(&f.hub, &TreeModel_Index::signal_CentralWidgetChanged);
    QVERIFY(f.hub.openRecording(0, 0, 1));

    QCOMPARE(params.count(), 1);
    QCOMPARE(params.first().first().value<QList<MTSampleData>>().size(), 5);
    const QStringList names{"Ex", "Ey", "Ex2", "Hx", "Hy"};
    QCOMPARE(series.count(), 5);
    for (int c = 0; c < 5; ++c) {
        QCOMPARE(series.at(c).at(1).toString(), names.at(c));
        const auto segments = series.at(c).at(0).value<QList<QVector<double>>>();
        QCOMPARE(segments.size(), 2);  // the settings' count, below the 8 segments recorded
        QCOMPARE(segments.first().size(), 512);
    }
    // The first Ex sample is the file's first count times 2500 / 2^32 mV (rates up to 4096 Hz).
    QFile ex(kStationFolder + QStringLiteral("Line1_Station1_1024Hz_R2_E0.dat"));
    QVERIFY(ex.open(QIODevice::ReadOnly));
    const QByteArray head = ex.read(4);
    const double firstCount = qFromLittleEndian<qint32>(head.constData());
    const auto exSegments = series.first().at(0).value<QList<QVector<double>>>();
    QCOMPARE(exSegments.first().first(), firstCount * 2500.0 / 4294967296.0);
    QCOMPARE(plots.count(), 1);
    QCOMPARE(plots.first().first().value<QList<QString>>(), names);
    QCOMPARE(pairs.count(), 1);
    QStringList pairNames;
    for (const OneMTSample &pair : pairs.first().first().value<QList<OneMTSample>>())
        pairNames << pair.pairName;
    QCOMPARE(pairNames, (QStringList{"EyHx", "ExHy", "Ex2Hy"}));
    QCOMPARE(views.last().first().toInt(), 1);
    QVERIFY(f.rows(QStringLiteral("Data_ProcessData"), QStringLiteral("ID")).isEmpty());
}

void TestHubFlow::wholeRateLengthAndAllDataCountAreSettled_data()
{
    QTest::addColumn<int>("recording");
    QTest::addColumn<int>("length");  // settled segment length
    QTest::addColumn<int>("count");   // settled segment count
    // 1024 Hz for 4 s: segments of 1024 samples, 4096 / 1024 of them.
    QTest::newRow("scalar recording") << 1 << 1024 << 4;
    // The tensor processing settles the length only; it reads its own number of segments.
    QTest::newRow("tensor recording") << 2 << 2400 << -1;
}

void TestHubFlow::wholeRateLengthAndAllDataCountAreSettled()
{
    QFETCH(int, recording);
    QFETCH(int, length);
    QFETCH(int, count);
    HubFixture f(stationSurvey(true));
    QVERIFY(f.isValid());
    f.hub.onRecalculateChanged(recomputeSettings(-1, -1));
    QVERIFY(f.hub.openRecording(0, 0, recording));
    QCOMPARE(f.hub.settings().fftLength, float(length));
    QCOMPARE(f.hub.settings().fftCount, count);
}

void TestHubFlow::showingAStationAssemblesAndStoresItsCurves()
{
    HubFixture f(stationSurvey());
    QVERIFY(f.isValid());
    QVERIFY(process(f, {0, 1}));
    QStringList events;
    recordOrder(f.hub, &events);
    QSignalSpy exHy(&f.hub, &TreeModel_Index::ExHyImpedanceChanged);
    QSignalSpy eyHx(&f.hub, &TreeModel_Index::EyHxImpedanceChanged);
    QSignalSpy ex2Hy(&f.hub, &TreeModel_Index::Ex2HyImpedanceChanged);
    f.hub.showStation(0, 0);
    QCOMPARE(events, (QStringList{"view 0", "Station 1", "ExHy", "Ex2Hy", "EyHx"}));
    QVERIFY(sameCurve(lastCurve(exHy), expectedAssembly(f, 0)));
    QVERIFY(sameCurve(lastCurve(eyHx), expectedAssembly(f, 1)));
    QVERIFY(sameCurve(lastCurve(ex2Hy), expectedAssembly(f, 2)));
    QVERIFY(sameCurve(storedCurve(f, "Data_ImpedanceEx"), lastCurve(exHy)));
    QVERIFY(sameCurve(storedCurve(f, "Data_ImpedanceEy"), lastCurve(eyHx)));
    QVERIFY(sameCurve(storedCurve(f, "Data_ImpedanceEx2"), lastCurve(ex2Hy)));
    QCOMPARE(f.value(QStringLiteral("Data_Station"), QStringLiteral("HasResult"), f.stationId(1, 1)).toInt(), 1);
    QVERIFY(storedCurve(f, "Data_ImpedanceMP").isEmpty());
}

void TestHubFlow::storedCurvesStayUntilTheStationIsCleared()
{
    HubFixture f(stationSurvey());
    QVERIFY(f.isValid());
    QVERIFY(process(f, {0, 1}));
    f.hub.showStation(0, 0);
    const Curve edited{{0.0, 10.0, 0.9, 123.0, 45.0, 0.0, 0.0}};
    f.hub.saveCurves(edited, edited, edited, {});
    QVERIFY(process(f, {0}));
    QVERIFY(sameCurve(storedCurve(f, "Data_ImpedanceEx"), edited));
    QSignalSpy exHy(&f.hub, &TreeModel_Index::ExHyImpedanceChanged);
    f.hub.showStation(0, 0);
    QVERIFY(sameCurve(lastCurve(exHy), edited));

    f.hub.clearStation(0, 0);
    const int station = f.stationId(1, 1);
    QCOMPARE(f.value(QStringLiteral("Data_Station"), QStringLiteral("HasResult"), station).toInt(), 0);
    for (const char *column : {"Data_ImpedanceEx", "Data_ImpedanceEy", "Data_ImpedanceEx2", "Data_ImpedanceMP"})
        QVERIFY(storedCurve(f, column).isEmpty());
    QCOMPARE(f.dialogs.callsOf(QStringLiteral("information")).size(), 1);
    f.hub.showStation(0, 0);
    QVERIFY(sameCurve(lastCurve(exHy), expectedAssembly(f, 0)));
    QCOMPARE(f.value(QStringLiteral("Data_Station"), QStringLiteral("HasResult"), station).toInt(), 1);
}

void TestHubFlow::swappingTwiceRestoresTheSortedCurves()
{
    HubFixture f(stationSurvey());
    QVERIFY(f.isValid());
    QVERIFY(process(f, {0, 1}));
    f.hub.showStation(0, 0);
    Curve exHy = expectedAssembly(f, 0), eyHx = expectedAssembly(f, 1), ex2Hy = expectedAssembly(f, 2);
    std::reverse(exHy.begin(), exHy.end());
    std::reverse(eyHx.begin(), eyHx.end());
    std::reverse(ex2Hy.begin(), ex2Hy.end());
    f.hub.saveCurves(exHy, eyHx, ex2Hy, {});
    f.hub.swapCurves();
    QVERIFY(sameCurve(storedCurve(f, "Data_ImpedanceEx"), stableSorted(eyHx)));
    QVERIFY(sameCurve(storedCurve(f, "Data_ImpedanceEy"), stableSorted(exHy)));
    QVERIFY(sameCurve(storedCurve(f, "Data_ImpedanceEx2"), ex2Hy));
    f.hub.swapCurves();
    QVERIFY(sameCurve(storedCurve(f, "Data_ImpedanceEx"), stableSorted(exHy)));
    QVERIFY(sameCurve(storedCurve(f, "Data_ImpedanceEy"), stableSorted(eyHx)));

    // A station without stored results has nothing to swap.
    f.hub.clearStation(0, 0);
    f.hub.saveCurves(exHy, eyHx, ex2Hy, {});
    f.hub.swapCurves();
    QVERIFY(sameCurve(storedCurve(f, "Data_ImpedanceEx"), exHy));
}

void TestHubFlow::recordingsAbove400kHzContributeNothing()
{
    HubFixture f(stationSurvey());
    QVERIFY(f.isValid());
    QVERIFY(process(f, {0, 1}));
    const QList<int> recordings = f.recordingIds(f.stationId(1, 1));
    const Curve ownRows = stableSorted(blobRecords(f.rows(QStringLiteral("Data_ProcessData"), QStringLiteral("Data_Impedance"),
        QStringLiteral("SampleChannel = 0 AND Data_SampleDataID = %1").arg(recordings.first())).first().first().toByteArray()));
    QVERIFY(f.execute(QStringLiteral("UPDATE Data_SampleData SET SampleRate = 500000 WHERE ID = %1").arg(recordings.last())));
    f.reopen();
    QSignalSpy exHy(&f.hub, &TreeModel_Index::ExHyImpedanceChanged);
    f.hub.showStation(0, 0);
    QVERIFY(!ownRows.isEmpty());
    QVERIFY(sameCurve(lastCurve(exHy), ownRows));
}

void TestHubFlow::tensorResultsSetOneBandFlag_data()
{
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QList<int>>("flags");  // HMT, MMT, LMT
    QTest::newRow("150 Hz") << 150 << 128 << 4 << "LMT" << QList<int>{-1, -1, 1};
    QTest::newRow("2400 Hz") << 2400 << 512 << 1 << "MMT" << QList<int>{-1, 1, -1};
    QTest::newRow("4096 Hz, middle band by choice") << 4096 << 512 << 1 << "MMT" << QList<int>{-1, 1, -1};
    QTest::newRow("24000 Hz") << 24000 << 1024 << 1 << "HMT" << QList<int>{1, -1, -1};
}

void TestHubFlow::tensorResultsSetOneBandFlag()
{
    QFETCH(int, rate);
    QFETCH(int, n);
    QFETCH(int, seconds);
    QFETCH(QString, extension);
    QFETCH(QList<int>, flags);
    SurveySpec survey;
    survey.stations = {stationSpec(1, 1, {recordingSpec(rate, seconds, true)})};
    HubFixture f(survey);
    QVERIFY(f.isValid());
    f.hub.onRecalculateChanged(recomputeSettings(n, 4));
    QVERIFY(f.hub.openRecording(0, 0, 0));
    const QVariantList station = f.rows(QStringLiteral("Data_Station"),
        QStringLiteral("HMT, MMT, LMT, HasTensor, XPoleDistance, YPoleDistance")).first();
    QCOMPARE((QList<int>{station.at(0).toInt(), station.at(1).toInt(), station.at(2).toInt()}), flags);
    QCOMPARE(station.at(3).toInt(), 1);
    QCOMPARE(station.at(4).toDouble(), 60.0);
    QCOMPARE(station.at(5).toDouble(), 40.0);
    QCOMPARE(QDir(QStringLiteral("tensors")).entryList(QDir::Files), QStringList{"1." + extension});
    QFile file(QStringLiteral("tensors/1.") + extension);
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromLatin1(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QVERIFY(!lines.isEmpty() && lines.size() % 5 == 0);
    QVERIFY(lines.first().startsWith(QStringLiteral("Freq  ")));
    QVERIFY(f.rows(QStringLiteral("Data_ProcessData"), QStringLiteral("ID")).isEmpty());
}

void TestHubFlow::failedRecomputationStoresNothing_data()
{
    QTest::addColumn<int>("recording");
    QTest::addColumn<QString>("removed");   // path removed from the work folder
    QTest::addColumn<QString>("named");     // what the operator's message must name
    QTest::newRow("Hy series missing") << 1 << kStationFolder + "Line1_Station1_1024Hz_R2_Hy.dat" << "_R2_Hy.dat";
    QTest::newRow("only the Ex2 series missing") << 1 << kStationFolder + "Line1_Station1_1024Hz_R2_E2.dat" << "_R2_E2.dat";
    QTest::newRow("sensor table missing") << 1 << "SensorsFile/CH2302.txt" << "CH2302.txt";
    QTest::newRow("recording table missing") << 1 << kStationFolder + "config.ini" << "config.ini";
    QTest::newRow("tensor series missing") << 2 << kStationFolder + "Line1_Station1_2400Hz_R3_Hx.dat" << "_R3_Hx.dat";
    QTest::newRow("tensor folder missing") << 2 << "tensors" << "tensors";
}

void TestHubFlow::failedRecomputationStoresNothing()
{
    QFETCH(int, recording);
    QFETCH(QString, removed);
    QFETCH(QString, named);
    HubFixture f(stationSurvey(true));
    QVERIFY(f.isValid());
    QVERIFY(process(f, {0}));
    f.hub.showStation(0, 0);
    const auto snapshot = [&f] {
        return f.rows(QStringLiteral("Data_Station"), QStringLiteral("*"))
               + f.rows(QStringLiteral("Data_ProcessData"), QStringLiteral("*"));
    };
    const QList<QVariantList> before = snapshot();
    QVERIFY(QFileInfo(removed).isDir() ? QDir(removed).removeRecursively() : QFile::remove(removed));
    QVERIFY(!process(f, {recording}));
    QCOMPARE(snapshot(), before);
    QVERIFY(QDir(QStringLiteral("tensors")).entryList(QDir::Files).isEmpty());
    const auto warnings = f.dialogs.callsOf(QStringLiteral("warning"));
    QCOMPARE(warnings.size(), 1);
    QVERIFY2(warnings.first().text.contains(QStringLiteral("recording %1").arg(recording + 1))
                 && warnings.first().text.contains(named),
             qPrintable(warnings.first().text));
}

void TestHubFlow::multiPolarityStationCombinesItsCurves()
{
    HubFixture f(stationSurvey());
    QVERIFY(f.isValid());
    QFile table(kStationFolder + QStringLiteral("config.ini"));
    QVERIFY(table.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(table.readAll()).replace(QStringLiteral("标量"), QStringLiteral("共点多极化"));
    table.close();
    QVERIFY(table.open(QIODevice::WriteOnly | QIODevice::Truncate));
    table.write(text.toUtf8());
    table.close();
    QSignalSpy pairs(&f.hub, &TreeModel_Index::OneMTSamplesChanged);
    QVERIFY(process(f, {0, 1}));
    // Common-point recordings pair every electric channel with Hy.
    for (const OneMTSample &pair : pairs.first().first().value<QList<OneMTSample>>())
        QVERIFY2(pair.hDataFile.endsWith(QStringLiteral("_Hy.dat")), qPrintable(pair.hDataFile));

    QStringList events;
    recordOrder(f.hub, &events);
    QSignalSpy curves[] = {QSignalSpy(&f.hub, &TreeModel_Index::ExHyImpedanceChanged),
                           QSignalSpy(&f.hub, &TreeModel_Index::EyHxImpedanceChanged),
                           QSignalSpy(&f.hub, &TreeModel_Index::Ex2HyImpedanceChanged),
                           QSignalSpy(&f.hub, &TreeModel_Index::MPMTImpedanceChanged)};
    f.hub.showStation(0, 0);
    QCOMPARE(events, (QStringList{"view 0", "Station 1", "ExHy", "Ex2Hy", "EyHx", "MP"}));
    const Curve combined = lastCurve(curves[3]);
    QCOMPARE(combined.size(), lastCurve(curves[0]).size());
    for (int i = 0; i < combined.size(); ++i) {
        double rho = 0.0;
        for (int c = 0; c < 3; ++c)
            rho += lastCurve(curves[c]).at(i).rho / 3.0;
        QCOMPARE(combined.at(i).freq, double(float(lastCurve(curves[0]).at(i).freq)));
        QVERIFY(std::abs(combined.at(i).rho / rho - 1.0) < 1e-6);
        QCOMPARE(combined.at(i).coherency, 0.75);
    }
    QVERIFY(sameCurve(storedCurve(f, "Data_ImpedanceMP"), combined));
    f.hub.showStation(0, 0);  // now from the stored curves
    QVERIFY(sameCurve(lastCurve(curves[3]), combined));
}

void TestHubFlow::combinationAveragesUpToTheShortestCurve_data()
{
    QTest::addColumn<QList<int>>("lengths");     // of ExHy, EyHx, Ex2Hy; records at 10, 100, 1000 Hz
    QTest::addColumn<QList<double>>("rho");      // expected at each combined record
    QTest::addColumn<QList<double>>("phase");
    // Curve c holds rho = 10 (c + 1) (i + 1) and phase = 30 + 10 c + i at record i.
    QTest::newRow("no curve") << QList<int>{0, 0, 0} << QList<double>{} << QList<double>{};
    QTest::newRow("EyHx alone is copied") << QList<int>{0, 3, 0} << QList<double>{20, 40, 60}
                                          << QList<double>{40, 41, 42};
    QTest::newRow("two curves") << QList<int>{3, 0, 3} << QList<double>{20, 40, 60} << QList<double>{40, 41, 42};
    QTest::newRow("three curves, the shortest sets the length")
        << QList<int>{3, 2, 3} << QList<double>{20, 40} << QList<double>{40, 41};
}

void TestHubFlow::combinationAveragesUpToTheShortestCurve()
{
    QFETCH(QList<int>, lengths);
    QFETCH(QList<double>, rho);
    QFETCH(QList<double>, phase);
    Curve curves[3];
    const double freqs[] = {10.0, 100.0, 1000.0};
    for (int c = 0; c < 3; ++c)
        for (int i = 0; i < lengths.at(c); ++i)
            curves[c].append({0.0, freqs[i], 0.9, 10.0 * (c + 1) * (i + 1), 30.0 + 10.0 * c + i, 0.0, 0.0});
    const Curve combined = MultiPolarityCurve::combine(curves[0], curves[1], curves[2]);
    QCOMPARE(combined.size(), rho.size());
    for (int i = 0; i < combined.size(); ++i) {
        const OneFreqImpedance &z = combined.at(i);
        QCOMPARE(z.freq, freqs[i]);
        QVERIFY2(std::abs(z.rho - rho.at(i)) < 1e-4 && std::abs(z.phase - phase.at(i)) < 1e-4,
                 qPrintable(QStringLiteral("%1: rho %2, phase %3").arg(i).arg(z.rho).arg(z.phase)));
        if (lengths.count(0) == 2)
            continue;  // a single curve is copied as it is
        QCOMPARE(z.coherency, 0.75);
        QVERIFY(std::abs(z.bostickRho - (90.0 / phase.at(i) - 1.0) * rho.at(i)) < 1e-3);
        QVERIFY(std::abs(z.bostickDepth - 356.0 * std::sqrt(rho.at(i) / freqs[i])) < 1e-2);
    }
}
