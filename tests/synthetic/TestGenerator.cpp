#include "TestGenerator.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <QtEndian>
#include <QtTest>
#include <cmath>

#include "CalibratedSounding.h"
#include "SurveyWriter.h"
#include "TextFields.h"

namespace {

const double kPi = std::acos(-1.0);

StationSpec shortStation(int sampleRate, int seconds, std::uint64_t seed)
{
    StationSpec station;
    RecordingSpec recording;
    recording.sampleRate = sampleRate;
    recording.seconds = seconds;
    recording.seed = seed;
    station.recordings = {recording};
    return station;
}

bool writeStation(const QString &dir, const StationSpec &spec, StationDescription *out)
{
    return SurveyWriter(dir).writeStation(spec, out);
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::vector<qint32> counts(const QString &path)
{
    const QByteArray bytes = fileBytes(path);
    std::vector<qint32> values(size_t(bytes.size()) / 4);
    for (size_t i = 0; i < values.size(); ++i)
        values[i] = qFromLittleEndian<qint32>(bytes.constData() + 4 * i);
    return values;
}

// The row nearest to f (tables are log-spaced, so a nearest row is within 6 % of f).
OneFreqCheck rowNear(const QList<OneFreqCheck> &table, double f)
{
    OneFreqCheck best = table.first();
    for (const OneFreqCheck &row : table) {
        if (std::abs(std::log(row.freq / f)) < std::abs(std::log(best.freq / f)))
            best = row;
    }
    return best;
}

QStringList linesOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QTextStream in(&file);
    in.setCodec("UTF-8");
    return in.readAll().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

void TestGenerator::sameSeedGivesSameBytes()
{
    QTemporaryDir a, b, c;
    StationDescription first, second, other;
    QVERIFY(writeStation(a.path(), shortStation(4096, 70, 7), &first));
    QVERIFY(writeStation(b.path(), shortStation(4096, 70, 7), &second));
    QVERIFY(writeStation(c.path(), shortStation(4096, 70, 8), &other));
    const auto &channels = first.recordings.first().channels;
    QCOMPARE(channels.size(), 5);
    for (int i = 0; i < channels.size(); ++i) {
        const QByteArray bytes = fileBytes(channels.at(i).dataFile);
        QCOMPARE(bytes.size(), 4 * 4096 * 70);
        QVERIFY(bytes == fileBytes(second.recordings.first().channels.at(i).dataFile));
        QVERIFY(bytes != fileBytes(other.recordings.first().channels.at(i).dataFile));
    }
}

void TestGenerator::filesHoldTheDurationAtSaneLevels_data()
{
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<bool>("lowBand");
    QTest::addColumn<double>("mvPerCount");
    QTest::addColumn<double>("clipMv");
    QTest::newRow("24-bit converter, 24000 Hz, two blocks, the last one partial")
        << 24000 << 12 << false << 3000.0 / 8388608 << 3000.0;
    QTest::newRow("24-bit converter, 4096 Hz") << 4096 << 20 << false << 3000.0 / 8388608 << 3000.0;
    QTest::newRow("32-bit converter, 1024 Hz, one short block")
        << 1024 << 200 << false << 2500.0 / 2147483648.0 << 2500.0;
    QTest::newRow("32-bit converter, 150 Hz low band")
        << 150 << 201 << true << 2500.0 / 2147483648.0 << 2500.0;
}

void TestGenerator::filesHoldTheDurationAtSaneLevels()
{
    QFETCH(int, rate);
    QFETCH(int, seconds);
    QFETCH(bool, lowBand);
    QFETCH(double, mvPerCount);
    QFETCH(double, clipMv);
    QTemporaryDir dir;
    StationSpec spec = shortStation(rate, seconds, 11);
    spec.recordings.first().lowBand = lowBand;
    StationDescription station;
    QVERIFY(writeStation(dir.path(), spec, &station));
    const RecordingDescription &recording = station.recordings.first();
    QCOMPARE(recording.sampleCount, qint64(rate) * seconds);
    QCOMPARE(recording.adcScale, mvPerCount);
    QCOMPARE(recording.clippedSamples, qint64(0));
    double loudest = 0.0;
    for (const ChannelDescription &channel : recording.channels) {
        double peak = 0.0, sum2 = 0.0;
        const std::vector<qint32> values = counts(channel.dataFile);
        QCOMPARE(qint64(values.size()), qint64(rate) * seconds);
        for (qint32 v : values) {
            peak = std::max(peak, std::abs(double(v)));
            sum2 += double(v) * v;
        }
        const double rmsCounts = std::sqrt(sum2 / values.size());
        const QString figures = QStringLiteral("%1: peak %2 mV, rms %3 mV, expected %4 mV")
                                    .arg(RecorderConventions::channelName(channel.channel))
                                    .arg(peak * mvPerCount).arg(rmsCounts * mvPerCount)
                                    .arg(channel.expectedRmsMilliVolt);
        QVERIFY2(peak * mvPerCount < 0.8 * clipMv, qPrintable(figures));
        QVERIFY2(rmsCounts > 1.0e4, qPrintable(figures));
        QVERIFY2(std::abs(rmsCounts * mvPerCount / channel.expectedRmsMilliVolt - 1.0) < 0.1,
                 qPrintable(figures));
        loudest = std::max(loudest, rmsCounts * mvPerCount);
    }
    QVERIFY2(std::abs(loudest / 200.0 - 1.0) < 0.1, qPrintable(QString::number(loudest)));
}

void TestGenerator::calibrationTablesHaveDesignedShape_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<bool>("sensor");
    QTest::addColumn<double>("lowSlope");       // d log(amplitude) / d log(f) at 1e-3 Hz
    QTest::addColumn<double>("lowPhase");       // degrees at 1e-3 Hz
    QTest::addColumn<double>("bandAmplitude");  // at 300 Hz
    QTest::addColumn<double>("topAmplitudeBelow"); // at 1 MHz, a roll-off
    QTest::newRow("induction coil Hx") << "SensorsFile/CH2301.txt" << true << 1.0 << 90.0 << 100.0
                                       << 0.1;
    QTest::newRow("electric sensor Ex") << "SensorsFile/EP101.txt" << true << 0.0 << 0.0 << 1.0
                                        << 0.2;
    QTest::newRow("electric gain 3, High-H") << "GainCalibration/1234/High-H/Ex-3.txt" << false
                                             << 0.0 << 0.0 << 10.0 << 0.01;
    QTest::newRow("magnetic gain 1, High-H") << "GainCalibration/1234/High-H/Hy-1.txt" << false
                                             << 0.0 << 0.0 << 1.0 << 0.002;
}

void TestGenerator::calibrationTablesHaveDesignedShape()
{
    QFETCH(QString, table);
    QFETCH(bool, sensor);
    QFETCH(double, lowSlope);
    QFETCH(double, lowPhase);
    QFETCH(double, bandAmplitude);
    QFETCH(double, topAmplitudeBelow);
    QTemporaryDir dir;
    StationDescription station;
    QVERIFY(writeStation(dir.path(), shortStation(24000, 1, 1), &station));
    const QList<OneFreqCheck> rows = CalibratedSounding::loadTable(dir.filePath(table), sensor);
    QVERIFY(rows.size() >= 200);
    QVERIFY(rows.first().freq <= 1.0e-4 * 1.0001 && rows.last().freq >= 1.0e6 / 1.0001);
    const OneFreqCheck low = rowNear(rows, 1.0e-3), lower = rowNear(rows, 1.0e-4);
    const double slope = std::log(low.amplitude / lower.amplitude) / std::log(low.freq / lower.freq);
    QVERIFY2(std::abs(slope - lowSlope) < 0.01, qPrintable(QString::number(slope)));
    QVERIFY2(std::abs(low.phase * 180.0 / kPi - lowPhase) < 0.1,
             qPrintable(QString::number(low.phase * 180.0 / kPi)));
    const OneFreqCheck band = rowNear(rows, 300.0);
    QVERIFY2(std::abs(band.amplitude / bandAmplitude - 1.0) < 0.05,
             qPrintable(QString::number(band.amplitude)));
    QVERIFY(rowNear(rows, 1.0e6).amplitude < topAmplitudeBelow * bandAmplitude);
    QVERIFY(rowNear(rows, 1.0e6).phase < band.phase);  // a lag builds up towards the top
}

void TestGenerator::calibrationTablesAreWrittenWithTwelveDigits()
{
    QTemporaryDir dir;
    StationDescription station;
    QVERIFY(writeStation(dir.path(), shortStation(24000, 1, 1), &station));
    int dataLines = 0;
    for (const QString &line : linesOf(dir.filePath("SensorsFile/CH2301.txt"))) {
        if (line.startsWith(QLatin1Char('#')))
            continue;
        ++dataLines;
        const QStringList fields = splitTextFields(line);
        QCOMPARE(fields.size(), 3);
        if (dataLines == 2) {  // 10^-3.95 Hz: no short decimal form exists
            QCOMPARE(fields.at(0), QStringLiteral("0.00011220184543"));
            QString mantissa = fields.at(1);
            mantissa.remove(QRegularExpression("^[0.]+|e.*$"));
            QVERIFY2(mantissa.size() >= 10, qPrintable(fields.at(1)));
        }
    }
    QCOMPARE(dataLines, 201);  // 1e-4 .. 1e6 Hz, 20 rows per decade
}

void TestGenerator::tableNamesFollowRateAndLowBand_data()
{
    QTest::addColumn<int>("rate");
    QTest::addColumn<bool>("lowBand");
    QTest::addColumn<QString>("exGain");
    QTest::addColumn<QString>("hyGain");
    QTest::newRow("24000 Hz") << 24000 << false << "GainCalibration/1234/High-H/Ex-3.txt"
                              << "GainCalibration/1234/High-H/Hy-1.txt";
    QTest::newRow("4097 Hz") << 4097 << false << "GainCalibration/1234/High-H/Ex-3.txt"
                             << "GainCalibration/1234/High-H/Hy-1.txt";
    QTest::newRow("4096 Hz") << 4096 << false << "GainCalibration/1234/Low-H/Ex-3.txt"
                             << "GainCalibration/1234/Low-H/Hy-1.txt";
    QTest::newRow("4096 Hz, low band") << 4096 << true << "GainCalibration/1234/Low-L/Ex-3.txt"
                                       << "GainCalibration/1234/Low-L/Hy-1.txt";
    QTest::newRow("150 Hz, low band") << 150 << true << "GainCalibration/1234/Low-L/Ex-3.txt"
                                      << "GainCalibration/1234/Low-L/Hy-1.txt";
}

void TestGenerator::tableNamesFollowRateAndLowBand()
{
    QFETCH(int, rate);
    QFETCH(bool, lowBand);
    QFETCH(QString, exGain);
    QFETCH(QString, hyGain);
    QTemporaryDir dir;
    StationSpec spec = shortStation(rate, 1, 1);
    spec.recordings.first().lowBand = lowBand;
    StationDescription station;
    QVERIFY(writeStation(dir.path(), spec, &station));
    const RecordingDescription &recording = station.recordings.first();
    QCOMPARE(recording.electricSensorApplied, !lowBand);
    const ChannelDescription &ex = recording.channels.at(0), &hy = recording.channels.at(3);
    QCOMPARE(ex.gainTable, exGain);
    QCOMPARE(hy.gainTable, hyGain);
    QCOMPARE(ex.sensorTable, QStringLiteral("SensorsFile/EP101.txt"));
    QCOMPARE(hy.sensorTable, QStringLiteral("SensorsFile/CH2302.txt"));
    for (const QString &table : {exGain, hyGain, ex.sensorTable, hy.sensorTable})
        QVERIFY2(QFile::exists(dir.filePath(table)), qPrintable(table));
}

void TestGenerator::recordingTableRowsFollowFieldOrder()
{
    QTemporaryDir dir;
    StationSpec spec;
    spec.line = 3;
    spec.station = 12;
    spec.instrumentNumber = 2207;
    spec.eGainNumber = 4;
    spec.hGainNumber = 2;
    spec.exDipole = 40;
    spec.eyDipole = 60;
    spec.ex2Dipole = 80;
    RecordingSpec high;
    high.sampleRate = 24000;
    high.seconds = 2;
    RecordingSpec low;
    low.number = 7;
    low.sampleRate = 150;
    low.seconds = 90;
    low.lowBand = true;
    low.tensor = true;
    low.recorded = {{true, true, true, true, false}};
    spec.recordings = {high, low};
    StationDescription station;
    QVERIFY(writeStation(dir.path(), spec, &station));
    QCOMPARE(station.recordingTable, dir.path() + "/data/Line 3/Station 12/config.ini");
    const QStringList lines = linesOf(station.recordingTable);
    QCOMPARE(lines.size(), 5);
    QCOMPARE(splitTextFields(lines.at(1)).first(), QStringLiteral("2207"));
    const QStringList first = splitTextFields(lines.at(3));
    const QStringList second = splitTextFields(lines.at(4));
    const QStringList expectedSecond{
        "7", "1", "1", "1", "1", "0", "EP101", "EP102", "CH2301", "CH2302", "EP103", "4", "2",
        "40", "60", "80", "1", "0时1分30秒", "不极化电极", "矢量", "2024-05-01", "10:10:00",
        "Line3_Station12_150Hz_R7_E0.dat", "Line3_Station12_150Hz_R7_E1.dat",
        "Line3_Station12_150Hz_R7_Hx.dat", "Line3_Station12_150Hz_R7_Hy.dat"};
    QCOMPARE(second, expectedSecond);
    QCOMPARE(first.mid(0, 6), QStringList({"1", "1", "1", "1", "1", "1"}));
    QCOMPARE(first.mid(16, 6),
             QStringList({"0", "0时0分2秒", "不极化电极", "标量", "2024-05-01", "10:00:00"}));
    QCOMPARE(first.size(), 27);
    const QString folder = dir.path() + "/data/Line 3/Station 12/";
    for (const QString &name : second.mid(22))
        QCOMPARE(QFileInfo(folder + name).size(), qint64(4 * 150 * 90));
}

void TestGenerator::impossibleStationsAreRefused_data()
{
    QTest::addColumn<QString>("problem");
    QTest::addColumn<QString>("message");
    QTest::newRow("two recordings numbered 1") << "duplicate number" << "used twice";
    QTest::newRow("no duration") << "zero seconds" << "no samples";
    QTest::newRow("serial with a blank") << "blank serial" << "field separator";
    QTest::newRow("data folder blocked by a file") << "blocked folder" << "cannot create";
}

void TestGenerator::impossibleStationsAreRefused()
{
    QFETCH(QString, problem);
    QFETCH(QString, message);
    QTemporaryDir dir;
    StationSpec spec = shortStation(1024, 1, 1);
    if (problem == "duplicate number")
        spec.recordings = {spec.recordings.first(), spec.recordings.first()};
    spec.recordings.last().number = 1;
    if (problem == "zero seconds")
        spec.recordings.first().seconds = 0;
    if (problem == "blank serial")
        spec.serials[2] = "CH 2301";
    if (problem == "blocked folder") {
        QFile blocker(dir.filePath("data"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    }
    StationDescription station;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(message));
    QVERIFY(!writeStation(dir.path(), spec, &station));
    QVERIFY(!QFile::exists(dir.filePath("SensorsFile")));
}
