// The synthetic survey generator: the forward model against closed forms and invariants, the written
// work folder, and recordings read back and processed the obvious way against the model.

#include <QtEndian>
#include <QtTest>
#include <cmath>

#include "Spectrix.h"
#include "SurveyWriter.h"
#include "TextFields.h"
#include "Trimora.h"
#include "Wavefile.h"

using RecorderConventions::Channel;
using Complex = std::complex<double>;
using Segments = QList<QList<OneFreqSpectrum>>;

namespace {

const double kPi = std::acos(-1.0);

StationPlan station(int rate, int seconds, std::uint64_t seed, bool lowBand = false)
{
    StationPlan request;
    RecordingPlan &recording = request.recordings.first();
    recording.sampleRate = rate;
    recording.seconds = seconds;
    recording.seed = seed;
    recording.lowBand = lowBand;
    return request;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A sensor or gain table read with Trimora (phase in radians); empty when the load fails.
QList<OneFreqCheck> loadTable(const QString &path, bool sensor)
{
    Trimora reader;
    return (sensor ? reader.getSensorDataList(path) : reader.getGainDataList(path)) ? reader.getCheckedData()
                                                                                     : QList<OneFreqCheck>();
}

// Divides each line by the table, linear between its rows and held beyond its ends.
void removeTable(QList<OneFreqSpectrum> &spectrum, const QList<OneFreqCheck> &table)
{
    for (OneFreqSpectrum &line : spectrum) {
        int i = 1;
        while (i < table.size() - 1 && table.at(i).freq < line.freq)
            ++i;
        const OneFreqCheck &a = table.at(i - 1), &b = table.at(i);
        const double t = qBound(0.0, (line.freq - a.freq) / (b.freq - a.freq), 1.0);
        line.amplitude /= a.amplitude + t * (b.amplitude - a.amplitude);
        line.phase -= a.phase + t * (b.phase - a.phase);
    }
}

// The obvious processing chain: counts read with Wavefile, electric samples turned into mV/km,
// tapered and transformed with Spectrix, divided by the Trimora tables. Empty on a read failure.
Segments channelSpectra(const QString &workDir, const RecordingDescription &recording,
                        const ChannelDescription &channel, int n, int segmentCount)
{
    Wavefile reader;
    const QList<OneFreqCheck> sensor = loadTable(workDir + "/" + channel.sensorTable, true);
    const QList<OneFreqCheck> gain = loadTable(workDir + "/" + channel.gainTable, false);
    if (!reader.getTimeSeries(channel.dataFile, recording.adcScale, 0, n, segmentCount) || sensor.size() < 2
        || gain.size() < 2)
        return {};
    const bool electric = RecorderConventions::isElectric(channel.channel);
    Segments result;
    Spectrix spectrix;
    for (QVector<double> segment : reader.getTsData()) {
        for (double &x : segment)
            x *= electric ? 1000.0 / channel.dipole : 1.0;
        QList<OneFreqSpectrum> spectrum =
            spectrix.FastFFTTranform(spectrix.WndFunc(segment, 1, n), n, recording.sampleRate);
        removeTable(spectrum, gain);
        if (!electric || recording.electricSensorApplied)
            removeTable(spectrum, sensor);
        result.append(spectrum);
    }
    return result;
}

// Segment-averaged cross spectrum a conj(b), line by line.
QVector<gsl_complex> meanCrossSpectrum(const Segments &a, const Segments &b)
{
    QVector<gsl_complex> mean;
    const int count = std::min(a.size(), b.size());
    for (int i = 0; count > 0 && i < a.first().size(); ++i) {
        Complex sum = 0.0;
        for (int s = 0; s < count; ++s)
            sum += std::polar(a[s][i].amplitude, a[s][i].phase) * std::polar(b[s][i].amplitude, -b[s][i].phase);
        mean.append(gsl_complex{{sum.real() / count, sum.imag() / count}});
    }
    return mean;
}

// Calibrated spectra of every channel of the only recording of a station written into dir.
struct Recorded {
    QVector<Segments> spectra{RecorderConventions::channelCount};
    QVector<double> freqs;

    const Segments &of(Channel c) const { return spectra[int(c)]; }
    // Band average of the cross spectrum a conj(b) around f0 with half-width 0.3.
    Complex average(Channel a, Channel b, double f0) const
    {
        const gsl_complex m = Spectrix().OneFreqBendParzen(f0, meanCrossSpectrum(of(a), of(b)), freqs, 0.3);
        return {GSL_REAL(m), GSL_IMAG(m)};
    }
};

Recorded record(const QTemporaryDir &dir, const StationPlan &request, int n, int segments)
{
    StationDescription written;
    Recorded r;
    if (!SurveyWriter(dir.path()).writeStation(request, &written))
        return r;
    for (const ChannelDescription &c : written.recordings.first().channels)
        r.spectra[int(c.channel)] = channelSpectra(dir.path(), written.recordings.first(), c, n, segments);
    for (const OneFreqSpectrum &line : r.of(Channel::Hx).value(0))
        r.freqs.append(line.freq);
    return r;
}

// Nine log-spaced targets well inside the band: from the firstLine-th FFT line and from 16 Hz (four
// times the coil corner) up to a quarter of the rate. Lower down, the few lines per band and the
// taper's leakage (which mixes in lines where the coil's steep response makes E large against H)
// move the estimates by several percent.
QVector<double> innerTargets(int rate, int n, double firstLine = 32.0)
{
    const double f1 = std::max(firstLine * rate / n, 16.0), f2 = rate / 4.0;
    QVector<double> targets;
    for (int i = 0; i < 9; ++i)
        targets.append(f1 * std::pow(f2 / f1, i / 8.0));
    return targets;
}

// The table row nearest to f (tables are log-spaced, so it is within 6 % of f).
OneFreqCheck rowNear(const QList<OneFreqCheck> &table, double f)
{
    OneFreqCheck best = table.first();
    for (const OneFreqCheck &row : table) {
        if (std::abs(std::log(row.freq / f)) < std::abs(std::log(best.freq / f)))
            best = row;
    }
    return best;
}

QString number(double value) { return QString::number(value, 'g', 12); }

} // namespace

class TestSynthetic : public QObject {
    Q_OBJECT
private slots:
    void halfSpaceGivesItsResistivityAnd45Degrees_data()
    {
        QTest::addColumn<double>("rho");
        QTest::addColumn<double>("f");
        for (double rho : {0.3, 100.0, 20000.0})
            for (double f : {1.0e-4, 1.0, 12345.0})
                QTest::addRow("rho %g, f %g", rho, f) << rho << f;
    }
    void halfSpaceGivesItsResistivityAnd45Degrees()
    {
        QFETCH(double, rho);
        QFETCH(double, f);
        const LayeredEarth earth(rho);
        const double rhoA = earth.apparentResistivity(f);
        QVERIFY2(std::abs(rhoA / rho - 1.0) < 1e-12, qPrintable(number(rhoA)));
        QVERIFY2(std::abs(earth.phaseDegrees(f) - 45.0) < 1e-10, qPrintable(number(earth.phaseDegrees(f))));
    }

    // Expected values from the closed form Z = Z1 coth(k1 h + arcoth(sqrt(rho2 / rho1))), evaluated
    // separately in double precision with mu0 = 4 pi 1e-7 and rho_a = |Z|^2 / (w mu0).
    void twoLayerMatchesClosedForm_data()
    {
        QTest::addColumn<QVector<double>>("model");  // rho1, h, rho2, f
        QTest::addColumn<double>("rhoA");
        QTest::addColumn<double>("phase");
        using M = QVector<double>;
        QTest::newRow("resistor over conductor, 1 Hz") << M{100, 1000, 10, 1} << 27.07220816 << 62.10593406;
        QTest::newRow("resistor over conductor, 10 Hz") << M{100, 1000, 10, 10} << 83.58337157 << 61.04090812;
        QTest::newRow("conductor over resistor, 0.1 Hz") << M{10, 500, 1000, 0.1} << 205.118656 << 19.2958115;
        QTest::newRow("conductor over resistor, 3 Hz") << M{10, 500, 1000, 3} << 16.23561447 << 17.15183099;
        QTest::newRow("strong contrast, 100 Hz") << M{1000, 200, 1, 100} << 40.28334623 << 82.86935219;
        QTest::newRow("thin top layer, 1 kHz") << M{300, 50, 30, 1000} << 75.52895234 << 61.43947531;
    }
    void twoLayerMatchesClosedForm()
    {
        QFETCH(QVector<double>, model);
        QFETCH(double, rhoA);
        QFETCH(double, phase);
        const LayeredEarth earth({{model[0], model[1]}}, model[2]);
        const double f = model[3];
        const double rho = earth.apparentResistivity(f);
        QVERIFY2(std::abs(rho / rhoA - 1.0) < 1e-8, qPrintable(number(rho)));
        QVERIFY2(std::abs(earth.phaseDegrees(f) - phase) < 1e-7, qPrintable(number(earth.phaseDegrees(f))));
    }

    // Splitting a layer into two of the same resistivity changes no impedance; far above the band
    // only the top layer is seen, far below it the basement.
    void layersSplitAndReachTheirEnds()
    {
        const LayeredEarth whole({{50.0, 400.0}, {5.0, 120.0}, {800.0, 2000.0}}, 20.0);
        const LayeredEarth split({{50.0, 150.0}, {50.0, 250.0}, {5.0, 20.0}, {5.0, 100.0}, {800.0, 2000.0}}, 20.0);
        for (double f : {1.0e-3, 0.5, 30.0, 8000.0})
            QVERIFY2(std::abs(split.impedance(f) / whole.impedance(f) - 1.0) < 1e-10, qPrintable(number(f)));
        const double top = whole.apparentResistivity(1.0e6), bottom = whole.apparentResistivity(1.0e-7);
        QVERIFY2(std::abs(top / 50.0 - 1.0) < 1e-6 && std::abs(bottom / 20.0 - 1.0) < 0.01, qPrintable(number(bottom)));
    }

    // For a tensor with only off-diagonal terms a = Zxy, b = Zyx, turning the axes by t gives
    // xx = cs(a + b), xy = c^2 a - s^2 b, yx = c^2 b - s^2 a, yy = -cs(a + b).
    void rotationMatchesClosedForm()
    {
        const LayeredEarth xyEarth(100.0), yxEarth({{10.0, 300.0}}, 1000.0);
        const Complex a = xyEarth.impedance(7.0), b = -yxEarth.impedance(7.0);
        for (double angle : {0.0, 30.0, 45.0, 90.0, 180.0, -60.0}) {
            const double c = std::cos(angle * kPi / 180), s = std::sin(angle * kPi / 180), tol = 1e-12 * std::abs(a);
            const ImpedanceTensor z = StationModel(xyEarth, yxEarth, angle).tensor(7.0);
            QVERIFY2(std::abs(z.xx - c * s * (a + b)) < tol, qPrintable(number(angle)));
            QVERIFY2(std::abs(z.yy + c * s * (a + b)) < tol, qPrintable(number(angle)));
            QVERIFY2(std::abs(z.xy - (c * c * a - s * s * b)) < tol, qPrintable(number(angle)));
            QVERIFY2(std::abs(z.yx - (c * c * b - s * s * a)) < tol, qPrintable(number(angle)));
            QVERIFY(std::abs(z.determinant() + a * b) < 1e-12 * std::abs(a * b));
        }
    }

    void sameSeedGivesSameBytes()
    {
        QTemporaryDir a, b, c;
        StationDescription first, second, other;
        QVERIFY(SurveyWriter(a.path()).writeStation(station(4096, 70, 7), &first));
        QVERIFY(SurveyWriter(b.path()).writeStation(station(4096, 70, 7), &second));
        QVERIFY(SurveyWriter(c.path()).writeStation(station(4096, 70, 8), &other));
        const auto &channels = first.recordings.first().channels;
        QCOMPARE(channels.size(), 5);
        for (int i = 0; i < channels.size(); ++i) {
            const QByteArray bytes = fileBytes(channels.at(i).dataFile);
            QCOMPARE(bytes.size(), 4 * 4096 * 70);
            QVERIFY(bytes == fileBytes(second.recordings.first().channels.at(i).dataFile));
            QVERIFY(bytes != fileBytes(other.recordings.first().channels.at(i).dataFile));
        }
    }

    // The converter's scale and full scale: 3000 mV over 2^23 counts (24 bits) or 2500 mV over 2^31.
    void filesHoldTheDurationAtSaneLevels_data()
    {
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<bool>("lowBand");
        QTest::addColumn<double>("clipMv");
        QTest::addColumn<double>("mvPerCount");
        QTest::newRow("24-bit, 24000 Hz, 2 blocks, 1 partial") << 24000 << 12 << false << 3000.0 << 3000.0 / 8388608;
        QTest::newRow("24-bit, 4096 Hz") << 4096 << 20 << false << 3000.0 << 3000.0 / 8388608;
        QTest::newRow("32-bit, 1024 Hz, one short block") << 1024 << 200 << false << 2500.0 << 2500.0 / 2147483648.0;
        QTest::newRow("32-bit, 150 Hz low band") << 150 << 201 << true << 2500.0 << 2500.0 / 2147483648.0;
    }
    void filesHoldTheDurationAtSaneLevels()
    {
        QFETCH(int, rate);
        QFETCH(int, seconds);
        QFETCH(bool, lowBand);
        QFETCH(double, clipMv);
        QFETCH(double, mvPerCount);
        QTemporaryDir dir;
        StationDescription written;
        QVERIFY(SurveyWriter(dir.path()).writeStation(station(rate, seconds, 11, lowBand), &written));
        const RecordingDescription &recording = written.recordings.first();
        QCOMPARE(recording.sampleCount, qint64(rate) * seconds);
        QCOMPARE(recording.adcScale, mvPerCount);
        QCOMPARE(recording.clippedSamples, qint64(0));
        double loudest = 0.0;
        for (const ChannelDescription &channel : recording.channels) {
            const QByteArray bytes = fileBytes(channel.dataFile);
            QCOMPARE(qint64(bytes.size()), 4 * qint64(rate) * seconds);
            double peak = 0.0, sum2 = 0.0;
            for (int i = 0; i < bytes.size(); i += 4) {
                const double v = qFromLittleEndian<qint32>(bytes.constData() + i);
                peak = std::max(peak, std::abs(v));
                sum2 += v * v;
            }
            const double rmsMv = std::sqrt(sum2 / (bytes.size() / 4)) * mvPerCount;
            const QString figures = QStringLiteral("%1: peak %2 mV, rms %3 mV, expected %4 mV")
                                        .arg(RecorderConventions::channelName(channel.channel))
                                        .arg(peak * mvPerCount).arg(rmsMv).arg(channel.expectedRmsMilliVolt);
            QVERIFY2(peak * mvPerCount < 0.8 * clipMv && rmsMv / mvPerCount > 1.0e4, qPrintable(figures));
            QVERIFY2(std::abs(rmsMv / channel.expectedRmsMilliVolt - 1.0) < 0.1, qPrintable(figures));
            loudest = std::max(loudest, rmsMv);
        }
        QVERIFY2(std::abs(loudest / 200.0 - 1.0) < 0.1, qPrintable(number(loudest)));
    }

    // Realistic tables from 1e-4 to 1e6 Hz at 20 rows per decade: slope of log amplitude over log f
    // and phase at 1e-3 Hz, amplitude at 300 Hz, a roll-off by 1 MHz with a growing lag.
    void calibrationTablesHaveDesignedShape_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QVector<double>>("shape");  // low slope, low phase, band amplitude, top below
        QTest::newRow("induction coil Hx") << "SensorsFile/CH2301.txt" << QVector<double>{1, 90, 100, 0.1};
        QTest::newRow("electric sensor Ex") << "SensorsFile/EP101.txt" << QVector<double>{0, 0, 1, 0.2};
        QTest::newRow("electric gain 3") << "GainCalibration/1234/High-H/Ex-3.txt" << QVector<double>{0, 0, 10, 0.01};
        QTest::newRow("magnetic gain 1") << "GainCalibration/1234/High-H/Hy-1.txt" << QVector<double>{0, 0, 1, 0.002};
    }
    void calibrationTablesHaveDesignedShape()
    {
        QFETCH(QString, table);
        QFETCH(QVector<double>, shape);
        QTemporaryDir dir;
        StationDescription written;
        QVERIFY(SurveyWriter(dir.path()).writeStation(station(24000, 1, 1), &written));
        const QList<OneFreqCheck> rows = loadTable(dir.filePath(table), table.startsWith("Sensors"));
        QCOMPARE(rows.size(), 201);
        QVERIFY(rows.first().freq <= 1.0e-4 * 1.0001 && rows.last().freq >= 1.0e6 / 1.0001);
        const OneFreqCheck low = rowNear(rows, 1.0e-3), lower = rowNear(rows, 1.0e-4), band = rowNear(rows, 300.0);
        const double slope = std::log(low.amplitude / lower.amplitude) / std::log(low.freq / lower.freq);
        QVERIFY2(std::abs(slope - shape[0]) < 0.01, qPrintable(number(slope)));
        QVERIFY2(std::abs(low.phase * 180.0 / kPi - shape[1]) < 0.1, qPrintable(number(low.phase * 180.0 / kPi)));
        QVERIFY2(std::abs(band.amplitude / shape[2] - 1.0) < 0.05, qPrintable(number(band.amplitude)));
        QVERIFY(rowNear(rows, 1.0e6).amplitude < shape[3] * shape[2]);
        QVERIFY(rowNear(rows, 1.0e6).phase < band.phase);
    }

    // High-H above 4096 Hz, Low-H at and below it, Low-L with the low-band flag (which also leaves
    // the electric sensor table out of the processing).
    void tableNamesFollowRateAndLowBand_data()
    {
        QTest::addColumn<int>("rate");
        QTest::addColumn<bool>("lowBand");
        QTest::addColumn<QString>("band");
        QTest::newRow("24000 Hz") << 24000 << false << "High-H";
        QTest::newRow("4097 Hz") << 4097 << false << "High-H";
        QTest::newRow("4096 Hz") << 4096 << false << "Low-H";
        QTest::newRow("4096 Hz, low band") << 4096 << true << "Low-L";
    }
    void tableNamesFollowRateAndLowBand()
    {
        QFETCH(int, rate);
        QFETCH(bool, lowBand);
        QFETCH(QString, band);
        QTemporaryDir dir;
        StationDescription written;
        QVERIFY(SurveyWriter(dir.path()).writeStation(station(rate, 1, 1, lowBand), &written));
        const RecordingDescription &recording = written.recordings.first();
        QCOMPARE(recording.electricSensorApplied, !lowBand);
        const ChannelDescription &ex = recording.channels.at(0), &hy = recording.channels.at(3);
        const QStringList tables{ex.gainTable, hy.gainTable, ex.sensorTable, hy.sensorTable};
        const QString folder = "GainCalibration/1234/" + band;
        QCOMPARE(tables, QStringList({folder + "/Ex-3.txt", folder + "/Hy-1.txt", "SensorsFile/EP101.txt",
                                      "SensorsFile/CH2302.txt"}));
        for (const QString &table : tables)
            QVERIFY2(QFile::exists(dir.filePath(table)), qPrintable(table));
    }

    void recordingTableRowsFollowFieldOrder()
    {
        QTemporaryDir dir;
        StationPlan request = station(24000, 2, 1);
        request.line = 3;
        request.station = 12;
        request.instrumentNumber = 2207;
        request.eGainNumber = 4;
        request.hGainNumber = 2;
        request.exDipole = 40;
        request.eyDipole = 60;
        request.ex2Dipole = 80;
        request.recordings.append(station(150, 90, 1, true).recordings.first());
        request.recordings.last().number = 7;
        request.recordings.last().tensor = true;
        request.recordings.last().recorded = {{true, true, true, true, false}};
        StationDescription written;
        QVERIFY(SurveyWriter(dir.path()).writeStation(request, &written));
        QCOMPARE(written.recordingTable, dir.path() + "/data/Line 3/Station 12/config.ini");
        const QStringList lines = QString::fromUtf8(fileBytes(written.recordingTable)).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 5);
        QCOMPARE(splitTextFields(lines.at(1)).first(), QStringLiteral("2207"));
        const QStringList first = splitTextFields(lines.at(3)), second = splitTextFields(lines.at(4));
        const QString files = "Line3_Station12_150Hz_R7_";
        QCOMPARE(second, QStringList({"7", "1", "1", "1", "1", "0", "EP101", "EP102", "CH2301", "CH2302", "EP103", "4",
                                      "2", "40", "60", "80", "1", "0时1分30秒", "不极化电极", "矢量", "2024-05-01",
                                      "10:10:00", files + "E0.dat", files + "E1.dat", files + "Hx.dat",
                                      files + "Hy.dat"}));
        QCOMPARE(first.size(), 27);
        QCOMPARE(first.mid(0, 6), QStringList({"1", "1", "1", "1", "1", "1"}));
        QCOMPARE(first.mid(16, 6), QStringList({"0", "0时0分2秒", "不极化电极", "标量", "2024-05-01", "10:00:00"}));
        for (const QString &name : second.mid(22))
            QCOMPARE(QFileInfo(dir.path() + "/data/Line 3/Station 12/" + name).size(), qint64(4 * 150 * 90));
    }

    // Refused before anything is written, with a warning saying why.
    void impossibleStationsAreRefused_data()
    {
        QTest::addColumn<QString>("problem");
        QTest::addColumn<QString>("message");
        QTest::newRow("two recordings numbered 1") << "duplicate number" << "used twice";
        QTest::newRow("no duration") << "zero seconds" << "no samples";
        QTest::newRow("serial with a blank") << "blank serial" << "field separator";
        QTest::newRow("data folder blocked by a file") << "blocked folder" << "cannot create";
    }
    void impossibleStationsAreRefused()
    {
        QFETCH(QString, problem);
        QFETCH(QString, message);
        QTemporaryDir dir;
        StationPlan request = station(1024, 1, 1);
        if (problem == "duplicate number")
            request.recordings = {request.recordings.first(), request.recordings.first()};
        request.recordings.last().number = 1;
        if (problem == "zero seconds")
            request.recordings.first().seconds = 0;
        if (problem == "blank serial")
            request.serials[2] = "CH 2301";
        QFile blocker(dir.filePath("data"));
        if (problem == "blocked folder")
            QVERIFY(blocker.open(QIODevice::WriteOnly));
        StationDescription written;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(message));
        QVERIFY(!SurveyWriter(dir.path()).writeStation(request, &written));
        QVERIFY(!QFile::exists(dir.filePath("SensorsFile")));
    }

    // Recordings read back with Wavefile, calibrated with the Trimora tables and turned into scalar
    // impedances with Spectrix alone (segment-mean cross powers, Parzen band average, impedance)
    // follow the model at the targets: rho within 5 %, the mapped phase within 2 degrees, coherency
    // above 0.95. Independent noise of relative amplitude r on Ex adds r^2 to its power: its
    // coherency becomes 1 / sqrt(1 + r^2) and its apparent resistivity grows by 1 + r^2.
    void scalarSoundingFollowsTheModel_data()
    {
        QTest::addColumn<QVector<int>>("recording");  // rate, n, segments, seed
        QTest::addColumn<bool>("lowBand");
        QTest::addColumn<bool>("layered");  // 100 ohm-m (200 m) over 10 (300 m) over 1000, else 100 ohm-m
        QTest::addColumn<double>("noise");
        for (bool layered : {false, true}) {
            const QByteArray earth = layered ? "three layers" : "half-space";
            const int seed = layered ? 43 : 41;
            QTest::newRow(earth + ", 24000 Hz") << QVector<int>{24000, 8192, 30, seed} << false << layered << 0.0;
            QTest::newRow(earth + ", 4096 Hz") << QVector<int>{4096, 4096, 40, seed} << false << layered << 0.0;
            QTest::newRow(earth + ", 1024 Hz low band") << QVector<int>{1024, 4096, 25, seed} << true << layered << 0.0;
        }
        QTest::newRow("Ex noise at half the signal") << QVector<int>{4096, 4096, 40, 47} << false << false << 0.5;
        QTest::newRow("Ex noise as strong as the signal") << QVector<int>{4096, 4096, 40, 47} << false << false << 1.0;
    }
    void scalarSoundingFollowsTheModel()
    {
        QFETCH(QVector<int>, recording);
        QFETCH(bool, lowBand);
        QFETCH(bool, layered);
        QFETCH(double, noise);
        const int rate = recording[0], n = recording[1], segments = recording[2];
        const LayeredEarth earth = layered ? LayeredEarth({{100, 200}, {10, 300}}, 1000) : LayeredEarth(100);
        StationPlan request = station(rate, int(std::ceil(double(n) * segments / rate)), recording[3], lowBand);
        request.model = StationModel(earth);
        request.recordings.first().noiseRatio[size_t(Channel::Ex)] = noise;
        QTemporaryDir dir;
        const Recorded r = record(dir, request, n, segments);
        for (auto pair : {std::make_pair(Channel::Ex, Channel::Hy), std::make_pair(Channel::Ey, Channel::Hx)}) {
            const Channel e = pair.first, h = pair.second;
            QVERIFY(r.of(e).size() == segments && r.of(h).size() == segments);
            const QVector<gsl_complex> s[4] = {meanCrossSpectrum(r.of(e), r.of(e)),
                                               meanCrossSpectrum(r.of(e), r.of(h)),
                                               meanCrossSpectrum(r.of(h), r.of(e)),
                                               meanCrossSpectrum(r.of(h), r.of(h))};
            QVector<OneFreqCrossPower> mean;
            for (int i = 0; i < r.freqs.size(); ++i)
                mean.append({r.freqs[i], {s[0][i], s[1][i], s[2][i], s[3][i]}});
            const double r2 = e == Channel::Ex ? noise * noise : 0.0;
            double worstRho = 0.0, worstPhase = 0.0;
            for (double f0 : innerTargets(rate, n, noise > 0 ? 64.0 : 32.0)) {
                Spectrix spectrix;
                const OneFreqImpedance z =
                    spectrix.ComputeOneFreqImpeDance(spectrix.OneFreqBendParzen(f0, mean, 0.3), 0);
                const double p = earth.phaseDegrees(f0), phase = p > 45.0 ? 45 + 0.75 * (p - 45) : 45 + 0.5 * (p - 45);
                const double rhoError = std::abs(z.rho / (earth.apparentResistivity(f0) * (1 + r2)) - 1.0);
                const QString point = QStringLiteral("f %1 Hz: rho %2, phase %3 (expected %4), coherency %5")
                                          .arg(f0).arg(z.rho).arg(z.phase).arg(phase).arg(z.coherency);
                QVERIFY2(rhoError < 0.05 && std::abs(z.phase - phase) < (noise > 0 ? 3.0 : 2.0), qPrintable(point));
                QVERIFY2(r2 > 0 ? std::abs(z.coherency - 1 / std::sqrt(1 + r2)) < 0.03 : z.coherency > 0.95,
                         qPrintable(point));
                worstRho = std::max(worstRho, rhoError);
                worstPhase = std::max(worstPhase, std::abs(z.phase - phase));
            }
            qInfo("largest rho error %.2f %%, largest phase difference %.2f degrees", 100 * worstRho, worstPhase);
        }
    }

    // A two-dimensional earth (100 ohm-m for the xy and 10 ohm-m for the yx polarisation) recorded
    // in axes turned by 30 degrees: the tensor solved from band-averaged cross spectra matches the
    // rotation of the principal impedances, worked out here from the closed form.
    void tensorOfRotatedTwoDimensionalEarthIsRecovered()
    {
        const LayeredEarth xyEarth(100.0), yxEarth(10.0);
        StationPlan request = station(4096, 40, 53);
        request.model = StationModel(xyEarth, yxEarth, 30.0);
        request.recordings.first().tensor = true;
        QTemporaryDir dir;
        const Recorded r = record(dir, request, 4096, 40);
        for (Channel channel : {Channel::Ex, Channel::Ey, Channel::Hx, Channel::Hy})
            QCOMPARE(r.of(channel).size(), 40);
        const double c = std::cos(kPi / 6), s = std::sin(kPi / 6);
        double worst = 0.0;
        for (double f0 : innerTargets(4096, 4096)) {
            const Complex a = xyEarth.impedance(f0), b = -yxEarth.impedance(f0);
            const Complex expected[2][2] = {{c * s * (a + b), c * c * a - s * s * b},
                                            {c * c * b - s * s * a, -c * s * (a + b)}};
            const Complex xx = r.average(Channel::Hx, Channel::Hx, f0), yy = r.average(Channel::Hy, Channel::Hy, f0);
            const Complex yx = r.average(Channel::Hy, Channel::Hx, f0), xy = r.average(Channel::Hx, Channel::Hy, f0);
            for (int row = 0; row < 2; ++row) {
                const Channel e = row == 0 ? Channel::Ex : Channel::Ey;
                const Complex eHx = r.average(e, Channel::Hx, f0), eHy = r.average(e, Channel::Hy, f0);
                const Complex det = xx * yy - yx * xy;
                const Complex z[2] = {(eHx * yy - eHy * yx) / det, (eHy * xx - eHx * xy) / det};
                for (int col = 0; col < 2; ++col) {
                    const double error = std::abs(z[col] - expected[row][col]) / std::abs(a);
                    QVERIFY2(error < 0.05, qPrintable(QStringLiteral("f %1, Z[%2][%3]: error %4 of |Zxy|")
                                                          .arg(f0).arg(row).arg(col).arg(error)));
                    worst = std::max(worst, error);
                }
            }
        }
        qInfo("largest tensor element error %.2f %% of |Zxy|", 100.0 * worst);
    }
};

QTEST_GUILESS_MAIN(TestSynthetic)
#include "tst_Synthetic.moc"
