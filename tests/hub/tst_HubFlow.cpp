#include <algorithm>
#include <cmath>
#include <thread>

#include "TestHub.h"

using Curve = QVector<OneFreqImpedance>;

const QString kStationFolder = "data/Line 1/Station 1/";

// Line 1, station 1 over the generator's 100 ohm-m half-space: 4096 Hz for 2 s and 1024 Hz for 4 s
// in scalar mode, then 2400 Hz for 1 s in tensor mode when asked.
static SurveyPlan stationSurvey(bool withTensorRecording = false)
{
    QList<RecordingPlan> recordings{recordingPlan(4096, 2, false, 11), recordingPlan(1024, 4, false, 12)};
    if (withTensorRecording)
        recordings.append(recordingPlan(2400, 1, true, 13));
    SurveyPlan survey;
    survey.stations = {stationPlan(1, 1, recordings)};
    return survey;
}

static bool process(HubFixture &f, const QList<int> &recordings, int estimator = 1)
{
    f.hub.onRecalculateChanged(recomputeSettings(512, 4));
    f.hub.on_slot_StackMethodChanged(estimator);
    bool all = true;
    for (int r : recordings)
        all = f.hub.openRecording(0, 0, r) && all;
    return all;
}

static bool writeFile(const QString &path, const QByteArray &text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size();
}

static Curve sorted(Curve curve)
{
    std::stable_sort(curve.begin(), curve.end(), [](auto &a, auto &b) { return a.freq < b.freq; });
    return curve;
}

// Frequency, rho, phase and coherency of every record, exactly.
static QStringList asText(const Curve &curve)
{
    QStringList records;
    for (const OneFreqImpedance &z : curve)
        records << QString("%1 %2 %3 %4").arg(z.freq, 0, 'g', 17).arg(z.rho, 0, 'g', 17)
                       .arg(z.phase, 0, 'g', 17).arg(z.coherency, 0, 'g', 17);
    return records;
}

// The station's curve of a pair the slow way: the result rows of its used recordings at or below
// 400 kHz, in key order, appended and sorted by frequency.
static Curve expectedAssembly(const HubFixture &f, int channel)
{
    Curve curve;
    for (const QVariantList &row : f.rows("Data_ProcessData", "Data_Impedance",
             QString("SampleChannel = %1 AND Data_SampleDataID IN (SELECT ID FROM Data_SampleData "
                     "WHERE Use <> 0 AND SampleRate <= 400000)").arg(channel)))
        curve += CurveBlob::decode(row.first().toByteArray());
    return sorted(curve);
}

static Curve stored(const HubFixture &f, const char *column)
{
    return CurveBlob::decode(f.station1(column).toByteArray());
}

// The stored ExHy, EyHx, Ex2Hy and multi-polarity curves, separated by "|".
static QStringList storedCurves(const HubFixture &f)
{
    return asText(stored(f, "Data_ImpedanceEx")) << "|" << asText(stored(f, "Data_ImpedanceEy")) << "|"
           << asText(stored(f, "Data_ImpedanceEx2")) << "|" << asText(stored(f, "Data_ImpedanceMP"));
}

static Curve last(const QSignalSpy &spy)
{
    return spy.isEmpty() ? Curve() : spy.last().first().value<Curve>();
}

// The order in which the hub's station and section signals arrive.
static void recordOrder(TreeModel_Index &hub, QStringList *events)
{
    QObject::connect(&hub, &TreeModel_Index::signal2DISOGraphChanged, [=] { *events << "graph"; });
    QObject::connect(&hub, &TreeModel_Index::signal_StaticResistivity, [=] { *events << "range"; });
    QObject::connect(&hub, &TreeModel_Index::setExportData, [=](bool on) { *events << QString("export %1").arg(on); });
    QObject::connect(&hub, &TreeModel_Index::signal_CentralWidgetChanged,
                     [=](int page) { *events << QString("view %1").arg(page); });
    QObject::connect(&hub, &TreeModel_Index::signal_SelectPointTitle, [=](const QString &title) { *events << title; });
    QObject::connect(&hub, &TreeModel_Index::ExHyImpedanceChanged, [=] { *events << "ExHy"; });
    QObject::connect(&hub, &TreeModel_Index::EyHxImpedanceChanged, [=] { *events << "EyHx"; });
    QObject::connect(&hub, &TreeModel_Index::Ex2HyImpedanceChanged, [=] { *events << "Ex2Hy"; });
    QObject::connect(&hub, &TreeModel_Index::MPMTImpedanceChanged, [=] { *events << "MP"; });
}

void TestHub::recomputingTwiceKeepsOneRowPerPair_data()
{
    QTest::addColumn<int>("estimator");
    // The half-space's 45 degrees, which no phase mapping moves, within this many degrees.
    QTest::addColumn<double>("phaseTolerance");
    QTest::newRow("plain") << 1 << 3.0;
    QTest::newRow("robust") << 2 << 3.0;
    QTest::newRow("M-estimation") << 3 << 3.0;
    QTest::newRow("median") << 6 << 3.0;
    QTest::newRow("regression") << 7 << 3.0;
}

void TestHub::recomputingTwiceKeepsOneRowPerPair()
{
    QFETCH(int, estimator);
    QFETCH(double, phaseTolerance);
    HubFixture f(stationSurvey());
    QVERIFY(f.isValid());
    QSignalSpy titles(&f.hub, &TreeModel_Index::signal_SelectPointTitle);
    const QString columns = "ID, SampleChannel, SampleFrequency, Data_SampleDataID";
    QVERIFY(process(f, {0}, estimator));
    const QList<QVariantList> first = f.rows("Data_ProcessData", columns);
    QVERIFY(process(f, {0}, estimator));
    QCOMPARE(f.rows("Data_ProcessData", columns), first);
    QList<int> channels;
    for (const QVariantList &row : first) {
        channels << row.at(1).toInt();
        QCOMPARE(row.at(2).toDouble(), 4096.0);
        QCOMPARE(row.at(3).toInt(), f.recordingId(f.stationId(1, 1), 0));
    }
    std::sort(channels.begin(), channels.end());
    QCOMPARE(channels, (QList<int>{0, 1, 2}));
    QCOMPARE(titles.count(), 6);
    QCOMPARE(titles.last().first().toString(), QString("Station 1Frequency 4096"));
    // The half-space under the station: 100 ohm-m and 45 degrees across the curve.
    for (int channel = 0; channel < 3; ++channel) {
        QVector<double> rhos, phases;
        for (const OneFreqImpedance &z : expectedAssembly(f, channel)) {
            rhos << z.rho;
            phases << z.phase;
        }
        QVERIFY(rhos.size() > 5);
        std::sort(rhos.begin(), rhos.end());
        std::sort(phases.begin(), phases.end());
        const double rho = rhos[rhos.size() / 2], phase = phases[phases.size() / 2];  // the medians
        QVERIFY2(std::abs(rho / 100.0 - 1.0) < 0.1 && std::abs(phase - 45.0) < phaseTolerance,
                 qPrintable(QString("rho %1, phase %2").arg(rho).arg(phase)));
    }
}

// Showing a station without stored curves assembles them from its recordings and stores them;
// stored (hand-edited) curves survive recomputation until the station is cleared; showing it then
// rebuilds them, leaving out recordings above 400 kHz; swapping twice restores the curves.
// The stored curves of the station's recording at position, by pair.
static QList<QVariantList> recordingRows(const HubFixture &f, int position)
{
    const QString where = QString("Data_SampleDataID = %1").arg(f.recordingId(f.stationId(1, 1), position));
    return f.rows("Data_ProcessData", "SampleChannel, Data_Impedance", where);
}

// With a whole-rate FFT length and all segments, the 4096 Hz recording settles 4096 samples and two
// segments for its pairs. The 1024 Hz recording opened next settles its own (1024 samples, four
// segments), as when it is opened alone, and the hub keeps the settings it was given.
void TestHub::settledFftLengthStaysWithItsRecording()
{
    QList<QVariantList> alone;
    {
        HubFixture f(stationSurvey());
        QVERIFY(f.isValid());
        f.hub.onRecalculateChanged(recomputeSettings(-1, -1));
        QVERIFY(f.hub.openRecording(0, 0, 1));
        alone = recordingRows(f, 1);
    }
    HubFixture f(stationSurvey());
    QVERIFY(f.isValid());
    f.hub.onRecalculateChanged(recomputeSettings(-1, -1));
    QVERIFY(f.hub.openRecording(0, 0, 0));
    QVERIFY(f.hub.openRecording(0, 0, 1));
    QCOMPARE(f.hub.settings().fftLength, -1.0f);
    QCOMPARE(f.hub.settings().fftCount, -1);
    QCOMPARE(alone.size(), 3);
    QCOMPARE(recordingRows(f, 1), alone);
}

void TestHub::stationCurvesAssembledKeptClearedAndSwapped()
{
    HubFixture f(stationSurvey());
    QVERIFY(f.isValid());
    QVERIFY(process(f, {0, 1}));
    QStringList events;
    recordOrder(f.hub, &events);
    QSignalSpy exHy(&f.hub, &TreeModel_Index::ExHyImpedanceChanged);
    QSignalSpy eyHx(&f.hub, &TreeModel_Index::EyHxImpedanceChanged);
    QSignalSpy ex2Hy(&f.hub, &TreeModel_Index::Ex2HyImpedanceChanged);
    const auto shown = [&] { return asText(last(exHy)) << "|" << asText(last(eyHx)) << "|" << asText(last(ex2Hy)); };
    const auto assembled = [&] {
        return asText(expectedAssembly(f, 0)) << "|" << asText(expectedAssembly(f, 1)) << "|"
                                              << asText(expectedAssembly(f, 2));
    };
    f.hub.showStation(0, 0);
    QCOMPARE(events, (QStringList{"view 0", "Station 1", "ExHy", "Ex2Hy", "EyHx"}));
    QCOMPARE(shown(), assembled());
    QCOMPARE(storedCurves(f), assembled() << "|");  // and no multi-polarity curve
    QCOMPARE(f.station1("HasResult").toInt(), 1);

    const Curve edited{{0.0, 10.0, 0.9, 123.0, 45.0, 0.0, 0.0}};
    f.hub.saveCurves(edited, edited, edited, {});
    QVERIFY(process(f, {0}));
    f.hub.showStation(0, 0);
    QCOMPARE(shown(), QStringList(asText(edited) << "|" << asText(edited) << "|" << asText(edited)));
    QCOMPARE(storedCurves(f), shown() << "|");

    f.hub.clearStation(0, 0);
    QCOMPARE(f.station1("HasResult").toInt(), 0);
    QCOMPARE(storedCurves(f), QStringList({"|", "|", "|"}));
    QCOMPARE(f.dialogs.callsOf("information").size(), 1);
    const int recording = f.recordingId(f.stationId(1, 1), 1);
    QVERIFY(f.execute(QString("UPDATE Data_SampleData SET SampleRate = 500000 WHERE ID = %1").arg(recording)));
    f.reopen();
    f.hub.showStation(0, 0);
    QCOMPARE(shown(), assembled());  // the slow assembly leaves out the 500 kHz recording as well
    QVERIFY(!last(exHy).isEmpty() && last(exHy).size() < exHy.first().first().value<Curve>().size());
    QCOMPARE(f.station1("HasResult").toInt(), 1);

    // Swapping exchanges the ExHy and EyHx curves, each sorted by frequency; twice restores them.
    Curve exHyDown = expectedAssembly(f, 0), eyHxDown = expectedAssembly(f, 1);
    std::reverse(exHyDown.begin(), exHyDown.end());
    std::reverse(eyHxDown.begin(), eyHxDown.end());
    f.hub.saveCurves(exHyDown, eyHxDown, edited, {});
    f.hub.swapCurves();
    const QStringList ex2AndNoMultiPolarity = QStringList("|") << asText(edited) << "|";
    QCOMPARE(storedCurves(f), asText(sorted(eyHxDown)) << "|" << asText(sorted(exHyDown)) << ex2AndNoMultiPolarity);
    f.hub.swapCurves();
    QCOMPARE(storedCurves(f), asText(sorted(exHyDown)) << "|" << asText(sorted(eyHxDown)) << ex2AndNoMultiPolarity);
}

// The regression (code 7) stores error bars beside each pair's curve; showing the station assembles
// and stores them with the curves and sends them after each curve; swapping exchanges them with
// the curves; a stacking estimator's recomputation leaves its rows without error bars.
void TestHub::errorBarsTravelWithTheCurves()
{
    HubFixture f(stationSurvey());
    QVERIFY(f.isValid());
    QVERIFY(process(f, {0, 1}, 7));
    const auto barsOfRows = [&](int channel) {
        QVector<ImpedanceErrorBar> bars;
        for (const QVariantList &row : f.rows("Data_ProcessData", "Data_ImpedanceErr", QString("SampleChannel = %1").arg(channel)))
            bars += ErrorBarBlob::decode(row.first().toByteArray());
        return bars;
    };
    for (int channel = 0; channel < 3; ++channel) {
        const QVector<ImpedanceErrorBar> bars = barsOfRows(channel);
        QCOMPARE(bars.size(), expectedAssembly(f, channel).size());
        for (const ImpedanceErrorBar &bar : bars)
            QVERIFY(bar.rhoError > 0 && bar.phaseError > 0 && bar.phaseError < 90);
    }
    QSignalSpy exHyBars(&f.hub, &TreeModel_Index::ExHyErrorBarsChanged);
    QSignalSpy eyHxBars(&f.hub, &TreeModel_Index::EyHxErrorBarsChanged);
    f.hub.showStation(0, 0);
    const auto storedBars = [&](const char *column) { return ErrorBarBlob::decode(f.station1(column).toByteArray()); };
    QCOMPARE(ErrorBarBlob::encode(exHyBars.last().first().value<QVector<ImpedanceErrorBar>>()),
             ErrorBarBlob::encode(barsOfRows(0)));
    QCOMPARE(ErrorBarBlob::encode(storedBars("Data_ImpedanceExErr")), ErrorBarBlob::encode(barsOfRows(0)));
    QCOMPARE(ErrorBarBlob::encode(storedBars("Data_ImpedanceEyErr")), ErrorBarBlob::encode(barsOfRows(1)));
    QCOMPARE(eyHxBars.count(), 1);
    f.hub.swapCurves();
    QCOMPARE(ErrorBarBlob::encode(storedBars("Data_ImpedanceExErr")), ErrorBarBlob::encode(barsOfRows(1)));
    QCOMPARE(ErrorBarBlob::encode(storedBars("Data_ImpedanceEyErr")), ErrorBarBlob::encode(barsOfRows(0)));
    QVERIFY(process(f, {0, 1}, 1));
    for (int channel = 0; channel < 3; ++channel)
        QVERIFY(barsOfRows(channel).isEmpty());
    f.hub.clearStation(0, 0);
    QVERIFY(storedBars("Data_ImpedanceExErr").isEmpty() && storedBars("Data_ImpedanceEyErr").isEmpty());
}

void TestHub::tensorResultsSetOneBandFlag_data()
{
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QVariantList>("flags");  // HMT, MMT, LMT
    QTest::newRow("150 Hz") << 150 << 128 << 4 << "1.LMT" << QVariantList{-1, -1, 1};
    QTest::newRow("2400 Hz") << 2400 << 512 << 1 << "1.MMT" << QVariantList{-1, 1, -1};
    QTest::newRow("4096 Hz, middle band by choice") << 4096 << 512 << 1 << "1.MMT" << QVariantList{-1, 1, -1};
    QTest::newRow("24000 Hz") << 24000 << 1024 << 1 << "1.HMT" << QVariantList{1, -1, -1};
}

void TestHub::tensorResultsSetOneBandFlag()
{
    QFETCH(int, rate);
    QFETCH(int, n);
    QFETCH(int, seconds);
    QFETCH(QString, file);
    QFETCH(QVariantList, flags);
    SurveyPlan survey;
    survey.stations = {stationPlan(1, 1, {recordingPlan(rate, seconds, true)})};
    HubFixture f(survey);
    QVERIFY(f.isValid());
    f.hub.onRecalculateChanged(recomputeSettings(n, 4));
    QVERIFY(f.hub.openRecording(0, 0, 0));
    QVariantList station = f.rows("Data_Station", "HMT, MMT, LMT, HasTensor, XPoleDistance, YPoleDistance").first();
    for (QVariant &value : station)
        value = value.toInt();
    QCOMPARE(station, flags + QVariantList({1, 60, 40}));  // HasTensor and the dipoles as well
    QCOMPARE(QDir("tensors").entryList(QDir::Files), QStringList{file});
    QVERIFY(QFile("tensors/" + file).size() > 0);
    QVERIFY(f.rows("Data_ProcessData", "ID").isEmpty());
}

void TestHub::recomputationStoresEveryPairItCan_data()
{
    QTest::addColumn<int>("recording");
    QTest::addColumn<QString>("damaged");   // path in the work folder
    QTest::addColumn<bool>("removed");      // else overwritten with a table repeating a frequency
    QTest::addColumn<QString>("named");     // what the operator's message must name
    QTest::addColumn<QStringList>("lost");  // pairs without a curve; "all": the whole recording
    const QString series = kStationFolder + "Line1_Station1_%1.dat";
    const QStringList all{"all"};
    QTest::newRow("Ex series missing") << 1 << series.arg("1024Hz_R2_E0") << true << "_R2_E0.dat"
                                       << QStringList{"ExHy"};
    QTest::newRow("Ey series missing") << 1 << series.arg("1024Hz_R2_E1") << true << "_R2_E1.dat"
                                       << QStringList{"EyHx"};
    QTest::newRow("Ex2 series missing") << 1 << series.arg("1024Hz_R2_E2") << true << "_R2_E2.dat"
                                        << QStringList{"Ex2Hy"};
    QTest::newRow("Hx series missing") << 1 << series.arg("1024Hz_R2_Hx") << true << "_R2_Hx.dat"
                                       << QStringList{"EyHx"};
    QTest::newRow("Hy series missing") << 1 << series.arg("1024Hz_R2_Hy") << true << "_R2_Hy.dat"
                                       << QStringList{"ExHy", "Ex2Hy"};
    QTest::newRow("Hy sensor table unusable") << 1 << "SensorsFile/CH2302.txt" << false
                                              << "CH2302.txt 无法使用：频率 1 Hz 出现了不止一次"
                                              << QStringList{"ExHy", "Ex2Hy"};
    QTest::newRow("Ex2 sensor table missing") << 1 << "SensorsFile/EP103.txt" << true << "EP103.txt 无法使用"
                                              << QStringList{"Ex2Hy"};
    QTest::newRow("recording table missing") << 1 << kStationFolder + "config.ini" << true << "config.ini" << all;
    QTest::newRow("tensor: Hx series missing") << 2 << series.arg("2400Hz_R3_Hx") << true << "_R3_Hx.dat" << all;
    QTest::newRow("tensor: folder missing") << 2 << "tensors" << true << "tensors" << all;
    QTest::newRow("tensor: Ex2 series missing, not needed") << 2 << series.arg("2400Hz_R3_E2") << true << ""
                                                            << QStringList();
}

// Each pair that gives a curve is stored, equal to the curve of the untouched recording; the others
// are named with their cause in one warning. Tensor processing needs Ex, Ey, Hx and Hy only.
void TestHub::recomputationStoresEveryPairItCan()
{
    QFETCH(int, recording);
    QFETCH(QString, damaged);
    QFETCH(bool, removed);
    QFETCH(QString, named);
    QFETCH(QStringList, lost);
    HubFixture f(stationSurvey(true));
    QVERIFY(f.isValid());
    const QString rowsOfRecording = QString("Data_SampleDataID = %1").arg(f.recordingId(f.stationId(1, 1), recording));
    QVERIFY(process(f, {recording}));
    const QList<QVariantList> untouched = f.rows("Data_ProcessData", "SampleChannel, Data_Impedance", rowsOfRecording);
    QVERIFY(f.execute("DELETE FROM Data_ProcessData WHERE " + rowsOfRecording));
    QVERIFY(QDir("tensors").removeRecursively() && QDir().mkdir("tensors"));
    f.reopen();
    if (QFileInfo(damaged).isDir())
        QVERIFY(QDir(damaged).removeRecursively());
    else if (removed)
        QVERIFY(QFile::remove(damaged));
    else
        QVERIFY(writeFile(damaged, "1 1 0\n1 2 0\n10 1 0\n"));

    QCOMPARE(process(f, {recording}), lost.isEmpty());
    QList<QVariantList> kept;
    QStringList stored;
    const QStringList pairs{"ExHy", "EyHx", "Ex2Hy"};
    for (const QVariantList &row : untouched)
        if (!lost.contains("all") && !lost.contains(pairs.value(row.at(0).toInt()))) {
            kept << row;
            stored << pairs.value(row.at(0).toInt());
        }
    QCOMPARE(f.rows("Data_ProcessData", "SampleChannel, Data_Impedance", rowsOfRecording), kept);
    QCOMPARE(QDir("tensors").entryList(QDir::Files).isEmpty(), recording != 2 || !lost.isEmpty());
    const auto warnings = f.dialogs.callsOf("warning");
    QCOMPARE(warnings.size(), lost.isEmpty() ? 0 : 1);
    if (lost.isEmpty())
        return;
    const int rates[] = {4096, 1024, 2400};
    const OperatorMessage failed = OperatorMessages::recomputationFailed(
        "Line 1", "Station 1", recording + 1, rates[recording], kCauseMarker, stored);
    QCOMPARE(warnings.first().title, QString("重新计算失败"));
    QVERIFY2(matchesPattern(warnings.first().text, failed.text), qPrintable(warnings.first().text));
    for (const QString &pair : lost)
        QVERIFY2(pair == "all" || warnings.first().text.contains(pair), qPrintable(warnings.first().text));
    QVERIFY2(warnings.first().text.contains(named), qPrintable(warnings.first().text));
}

// Feedback that cancels once the work reports it is half done, and keeps every fraction reported.
class HalfwayCancel : public WorkFeedback {
public:
    QList<double> fractions;

protected:
    void reported() override
    {
        fractions << fraction();
        if (fraction() >= 0.5)
            cancel();
    }
};

void TestHub::recomputationCancelledHalfwayStoresNothing_data()
{
    QTest::addColumn<int>("recording");
    QTest::addColumn<int>("sampleRate");
    QTest::newRow("scalar pairs") << 1 << 1024;
    QTest::newRow("tensor") << 2 << 2400;
}

// The recording's work is cancelled when half done: the estimator or the tensor reading stops at
// its next segment, the project file keeps every byte, no tensor file is written and the operator
// is told that nothing was stored.
void TestHub::recomputationCancelledHalfwayStoresNothing()
{
    QFETCH(int, recording);
    QFETCH(int, sampleRate);
    HubFixture f(stationSurvey(true));
    QVERIFY(f.isValid());
    HalfwayCancel feedback;
    f.hub.setFeedback(&feedback);
    QFile project(f.projectPath());
    QVERIFY(project.open(QIODevice::ReadOnly));
    const QByteArray before = project.readAll();
    QVERIFY(!process(f, {recording}));
    project.seek(0);
    QVERIFY(project.readAll() == before);
    QVERIFY(QDir("tensors").entryList(QDir::Files).isEmpty());
    QVERIFY(feedback.fractions.size() >= 2);
    QVERIFY(feedback.fractions.last() < 1.0);
    QCOMPARE(f.dialogs.callsOf("warning").size(), 0);
    const auto told = f.dialogs.callsOf("information");
    QCOMPARE(told.size(), 1);
    QCOMPARE(told.first().title, QString("重新计算已取消"));
    QCOMPARE(told.first().text,
             OperatorMessages::recomputationCancelled("Line 1", "Station 1", recording + 1, sampleRate).text);
}

// A common-point station shows the multi-polarity curve of its three others after them and stores it.
void TestHub::multiPolarityStationCombinesItsCurves()
{
    HubFixture f(stationSurvey());
    QVERIFY(f.isValid());
    QFile table(kStationFolder + "config.ini");
    QVERIFY(table.open(QIODevice::ReadWrite));
    const QByteArray text = QString::fromUtf8(table.readAll()).replace("标量", "共点多极化").toUtf8();
    QVERIFY(table.resize(0) && table.seek(0) && table.write(text) == text.size() && table.flush());
    QVERIFY(process(f, {0, 1}));
    QStringList events;
    recordOrder(f.hub, &events);
    QSignalSpy curves[] = {QSignalSpy(&f.hub, &TreeModel_Index::ExHyImpedanceChanged),
                           QSignalSpy(&f.hub, &TreeModel_Index::EyHxImpedanceChanged),
                           QSignalSpy(&f.hub, &TreeModel_Index::Ex2HyImpedanceChanged),
                           QSignalSpy(&f.hub, &TreeModel_Index::MPMTImpedanceChanged)};
    f.hub.showStation(0, 0);
    QCOMPARE(events, (QStringList{"view 0", "Station 1", "ExHy", "Ex2Hy", "EyHx", "MP"}));
    // Record by record the mean of the three shown curves, in single precision.
    const Curve exHy = last(curves[0]), eyHx = last(curves[1]), ex2Hy = last(curves[2]), combined = last(curves[3]);
    QVERIFY(!combined.isEmpty());
    QCOMPARE(combined.size(), std::min({exHy.size(), eyHx.size(), ex2Hy.size()}));
    for (int i = 0; i < combined.size(); ++i) {
        const float rho = (float(exHy[i].rho) + float(eyHx[i].rho) + float(ex2Hy[i].rho)) / 3.0f;
        const float phase = (float(exHy[i].phase) + float(eyHx[i].phase) + float(ex2Hy[i].phase)) / 3.0f;
        QCOMPARE(combined[i].freq, double(float(exHy[i].freq)));
        QCOMPARE(combined[i].rho, double(rho));
        QCOMPARE(combined[i].phase, double(phase));
        QCOMPARE(combined[i].coherency, 0.75);
    }
    QCOMPARE(asText(stored(f, "Data_ImpedanceMP")), asText(combined));
}

// Two stations over a 100 ohm-m half-space seen from 1 Hz to 512 Hz (45 degrees): a double click on
// the line publishes its depth section, and the section export writes every layer at 100 ohm-m.
void TestHub::lineSectionIsPublishedAndExported()
{
    SurveyPlan survey;
    survey.stations = {stationPlan(1, 10, {recordingPlan(1024, 1)}), stationPlan(1, 20, {recordingPlan(1024, 1)})};
    HubFixture f(survey);
    QVERIFY(f.isValid());
    Curve halfSpace;
    for (double freq = 1; freq <= 512; freq *= 2)
        halfSpace.append({0, freq, 0.95, 100.0, 45.0, 0, 0});
    QVERIFY(f.execute("UPDATE Data_Station SET Data_ImpedanceEx = x'" + CurveBlob::encode(halfSpace).toHex() + "'"));
    f.reopen();
    f.dialogs.inversionAnswers << [](InversionParam &param) {
        param.topography = {{0, 50}, {30, 50}};
        param.minTopo = -3000;
    };
    QStringList events;
    recordOrder(f.hub, &events);
    f.hub.showStation(0, -1);
    QCOMPARE(events, QStringList({"graph", "range", "view 2", "export 1"}));
    QVERIFY(f.hub.exportSection("section.dat"));
    QFile file("section.dat");
    QVERIFY(file.open(QIODevice::ReadOnly));
    QStringList expected;  // position,depth,value of every layer
    for (const DataType_ResultData &column : f.hub.latestSection())
        for (double depth : column.depth)
            expected << QString("%1,%2,100").arg(column.position).arg(depth, 0, 'g', 6);
    QVERIFY(expected.first().startsWith("10,") && expected.last().startsWith("20,"));
    QCOMPARE(QString(file.readAll()).split('\n', Qt::SkipEmptyParts), expected);
}

void TestHub::recordingsComputedOnOtherThreadsStoreWhatOpeningStores_data()
{
    QTest::addColumn<int>("estimator");
    QTest::newRow("plain") << 1;
    QTest::newRow("median") << 6;
    QTest::newRow("regression") << 7;
}

// What the hub stores for a station's recordings (the scalar pairs' rows and the tensor file),
// opened one after another, and prepared on this thread, computed on three threads at once and
// stored on this thread again.
static QStringList storedResults(bool concurrently, int estimator)
{
    HubFixture f(stationSurvey(true));
    if (!f.isValid())
        return {"no fixture"};
    const QList<int> recordings{0, 1, 2};
    if (!concurrently) {
        process(f, recordings, estimator);
    } else {
        f.hub.onRecalculateChanged(recomputeSettings(512, 4));
        f.hub.on_slot_StackMethodChanged(estimator);
        QVector<RecordingProcessing::Work> works(recordings.size());
        QVector<RecordingProcessing::Outcome> outcomes(recordings.size());
        std::vector<std::thread> threads;
        for (int r : recordings) {
            if (!f.hub.prepareRecording(0, 0, r, works[r]))
                return {"not prepared"};
            threads.emplace_back([&works, &outcomes, r] {
                WorkFeedback feedback;
                outcomes[r] = RecordingProcessing::compute(works.at(r), feedback);
            });
        }
        for (std::thread &thread : threads)
            thread.join();
        for (int r : recordings)
            f.hub.storeRecording(works.at(r), outcomes.at(r));
    }
    QStringList results;
    for (const QVariantList &row : f.rows("Data_ProcessData", "Data_SampleDataID, SampleChannel, Data_Impedance"))
        results << row.at(0).toString() + " " + row.at(1).toString() + " " + row.at(2).toByteArray().toHex();
    for (const QString &name : QDir("tensors").entryList(QDir::Files)) {
        QFile file("tensors/" + name);
        results << name + " " + (file.open(QIODevice::ReadOnly) ? file.readAll().toHex() : QByteArray());
    }
    return results;
}

void TestHub::recordingsComputedOnOtherThreadsStoreWhatOpeningStores()
{
    QFETCH(int, estimator);
    const QStringList opened = storedResults(false, estimator);
    QCOMPARE(opened.size(), 7);  // three pairs of each scalar recording and the tensor file
    QCOMPARE(storedResults(true, estimator), opened);
}
