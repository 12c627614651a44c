// The regression estimator through terrascope-cli: the public EMTF synthetic recording written as a
// project, processed and read back as CSV, within the reference package's own misfit; the demo
// station's curves with error bars that cover its model, drawn with error bars; the impedance-form
// EDI read back by an independent reader to the impedances and variances of the curves; and that
// form refused for curves without error bars.

#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>
#include <cmath>
#include <complex>
#include <tuple>

#include "CliTestSupport.h"
#include "DemoSurvey.h"
#include "SeriesProject.h"

using namespace CliTest;

namespace {

constexpr double kPi = 3.14159265358979323846;

// The EDI blocks of a file: name (">ZXYR ROT=ZROT //30" gives "ZXYR") and its numbers.
QMap<QString, QVector<double>> ediBlocks(const QString &path)
{
    QFile file(path);
    QMap<QString, QVector<double>> blocks;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return blocks;
    const QRegularExpression heading(QStringLiteral("^>(\\S+).*//\\s*(\\d+)"));
    QString current;
    int expected = 0;
    for (const QString &line : QString::fromUtf8(file.readAll()).split('\n')) {
        const QRegularExpressionMatch match = heading.match(line);
        if (match.hasMatch()) {
            current = match.captured(1);
            expected = match.captured(2).toInt();
            continue;
        }
        if (line.startsWith('>'))
            current.clear();
        for (const QString &field : line.split(' ', Qt::SkipEmptyParts))
            if (!current.isEmpty() && blocks[current].size() < expected)
                blocks[current] << field.toDouble();
    }
    return blocks;
}

// RMS misfits of a curve table's column pair to 100 ohm-m and 45 degrees between 0.001 and 0.2 Hz.
struct Misfit {
    double rho = 0, phase = 0;
    int count = 0;
};

Misfit halfSpaceMisfit(const QList<QMap<QString, QString>> &rows, const QString &pair)
{
    Misfit m;
    for (const auto &row : rows) {
        const double f = row.value("frequency_hz").toDouble();
        if (f < 0.001 - 1e-9 || f > 0.2 + 1e-9 || row.value(pair + "_rho").isEmpty())
            continue;
        m.rho += std::pow(row.value(pair + "_rho").toDouble() - 100, 2);
        m.phase += std::pow(row.value(pair + "_phase").toDouble() - 45, 2);
        ++m.count;
    }
    m.rho = std::sqrt(m.rho / std::max(m.count, 1));
    m.phase = std::sqrt(m.phase / std::max(m.count, 1));
    return m;
}

// A point of station 1's stored curve with its own error bar (the k-th bar of its frequency for the
// k-th point of that frequency), read from the project's 56-byte curve records and 24-byte bars.
struct StoredPoint {
    double f, rho, phase, rhoError, phaseError;
};

QVector<StoredPoint> storedPoints(const QString &project, const QString &column)
{
    QByteArray curve, bars;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "points");
        db.setDatabaseName(project);
        QSqlQuery query(db);
        if (db.open() && query.exec(QString("SELECT %1, %1Err FROM Data_Station WHERE StationNum = 1").arg(column))
            && query.next()) {
            curve = query.value(0).toByteArray();
            bars = query.value(1).toByteArray();
        }
    }
    QSqlDatabase::removeDatabase("points");
    const auto number = [](const QByteArray &blob, int offset) { return qFromLittleEndian<double>(blob.constData() + offset); };
    QVector<StoredPoint> points;
    for (int i = 0; i < curve.size() / 56; ++i) {
        StoredPoint p{number(curve, 56 * i + 8), number(curve, 56 * i + 24), number(curve, 56 * i + 32), NAN, NAN};
        int earlier = int(std::count_if(points.begin(), points.end(), [&](const StoredPoint &q) { return q.f == p.f; }));
        for (int b = 0; b < bars.size() / 24; ++b)
            if (number(bars, 24 * b) == p.f && earlier-- == 0) {
                p.rhoError = number(bars, 24 * b + 8);
                p.phaseError = number(bars, 24 * b + 16);
            }
        points.append(p);
    }
    return points;
}

}  // namespace

class TestRegression : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void emtfRecordingWithinTheReferenceMisfit();
    void demoCurvesCarryErrorBarsThatCoverTheModel();
    void storedCurvesKeepTheRecordLayout();
    void plotDrawsErrorBars();
    void impedanceEdiReadsBack();
    void impedanceEdiNeedsErrorBars();

private:
    QStringList stationCurve() const { return {"curve", project, "--line", "1", "--station", "1"}; }

    QTemporaryDir work;
    QString project;
};

void TestRegression::initTestCase()
{
    QVERIFY(work.isValid());
    const Run demo = cli({"demo", work.path()});
    QVERIFY2(demo.exitCode == 0, qPrintable(demo.err));
    project = work.filePath("demo.HMT");
    const Run run = cli({"process", project, "--line", "1", "--station", "1", "--estimator", "regression"});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
}

// The reference package's synthetic half-space recording (1 Hz, 40000 samples; Hx Hy Hz in nT, Ex Ey
// in mV/km), periods 5 s to 1000 s: at or below the reference package's own RMS misfit, 4.33 ohm-m
// and 0.73 degrees (Ex-Hy), 4.08 ohm-m and 0.54 degrees (Ey-Hx). (A shorter copy cannot reach
// 1000 s: the fourth decimation level needs about 38000 samples for its eight segments.)
void TestRegression::emtfRecordingWithinTheReferenceMisfit()
{
    QFile file(TERRASCOPE_REFERENCE_DIR "/emtf-synthetic/test1.asc");
    if (!file.open(QIODevice::ReadOnly))
        QSKIP("the reference recording " TERRASCOPE_REFERENCE_DIR "/emtf-synthetic/test1.asc is missing");
    QTextStream in(&file);
    RecordedSeries series;
    for (double v[5]; (in >> v[0] >> v[1] >> v[2] >> v[3] >> v[4]).status() == QTextStream::Ok;) {
        series.hx << v[0];
        series.hy << v[1];
        series.ex << v[3];
        series.ey << v[4];
    }
    QString emtf;
    QVERIFY(SeriesProject::write(series, work.filePath("emtf"), "emtf", &emtf));
    const Run run = cli({"process", emtf, "--estimator", "regression", "--fft-count", "all"});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    const Run curve = cli({"curve", emtf, "--line", "1", "--station", "1"});
    QVERIFY2(curve.exitCode == 0, qPrintable(curve.err));
    const auto rows = table(curve.out);
    const Misfit xy = halfSpaceMisfit(rows, "ExHy"), yx = halfSpaceMisfit(rows, "EyHx");
    const QString figures = QString("Ex-Hy %1 ohm-m %2 deg, Ey-Hx %3 ohm-m %4 deg over %5 frequencies")
                                .arg(xy.rho).arg(xy.phase).arg(yx.rho).arg(yx.phase).arg(xy.count);
    qInfo().noquote() << figures;
    QVERIFY2(xy.count == 24 && yx.count == xy.count, qPrintable(figures));
    QVERIFY2(xy.rho <= 4.33 && xy.phase <= 0.73 && yx.rho <= 4.08 && yx.phase <= 0.54, qPrintable(figures));
}

// Station 1 of the demo (24000 Hz for 30 s and 2400 Hz for 240 s over a layered earth): every
// point of both curves within 5 % / 2 degrees of the model and within four of its error bars;
// the phases are the model's own, not compressed. The demo's recordings are nearly free of noise,
// so the bars are hundredths of a per cent wide; the resistivities stand up to 1.7 % above the
// model at the lowest bands of some decimation levels (their phases within 0.3 degrees), an offset
// the statistical bars do not describe, hence the 2 % beside the four bars.
void TestRegression::demoCurvesCarryErrorBarsThatCoverTheModel()
{
    const Run run = cli(stationCurve());
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    const LayeredEarth earth = DemoSurvey::survey().stations.first().model.xyEarth();
    int count = 0;
    for (const auto &row : table(run.out)) {
        const double f = row.value("frequency_hz").toDouble();
        for (const QString pair : {"ExHy", "EyHx"}) {
            const double rho = row.value(pair + "_rho").toDouble(), phase = row.value(pair + "_phase").toDouble();
            const double rhoError = row.value(pair + "_rho_error").toDouble();
            const double phaseError = row.value(pair + "_phase_error").toDouble();
            const double modelRho = earth.apparentResistivity(f), modelPhase = earth.phaseDegrees(f);
            const QString text = QString("%1 %2 Hz: rho %3 +- %4 (model %5), phase %6 +- %7 (model %8)").arg(pair).arg(f)
                                     .arg(rho).arg(rhoError).arg(modelRho).arg(phase).arg(phaseError).arg(modelPhase);
            QVERIFY2(rhoError > 0 && phaseError > 0, qPrintable(text));
            QVERIFY2(std::fabs(rho / modelRho - 1) < 0.05 && std::fabs(phase - modelPhase) < 2, qPrintable(text));
            QVERIFY2(std::fabs(rho - modelRho) < 4 * rhoError + 0.02 * modelRho, qPrintable(text));
            ++count;
        }
    }
    QVERIFY(count >= 60);
}

// The project as a reader of the described curve columns sees it, and each point with its own bar:
// every result row of station 1 holds whole 56-byte curve records (seven little-endian doubles:
// tag, frequency, coherency, rho, phase, Bostick resistivity, Bostick depth; the Bostick pair of
// the formulas (90 / phase - 1) rho and 356 sqrt(rho / f)) and, beside them, one 24-byte bar per
// point at the point's frequency. The curve table lists every point with its own bar, also where
// the 24000 Hz and 2400 Hz recordings both give a frequency.
void TestRegression::storedCurvesKeepTheRecordLayout()
{
    QMultiMap<double, QMap<QString, QString>> csv;
    for (const auto &row : table(cli(stationCurve()).out))
        csv.insert(row.value("frequency_hz").toDouble(), row);
    QList<std::tuple<int, QByteArray, QByteArray>> results;  // channel, curve, bars
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "layout");
        db.setDatabaseName(project);
        QVERIFY(db.open());
        QSqlQuery query(db);
        QVERIFY(query.exec("SELECT p.SampleChannel, p.Data_Impedance, p.Data_ImpedanceErr FROM Data_ProcessData p "
                           "JOIN Data_SampleData s ON p.Data_SampleDataID = s.ID "
                           "JOIN Data_Station t ON s.Data_StationID = t.ID WHERE t.StationNum = 1 AND s.Use = 1"));
        while (query.next())
            results << std::tuple{query.value(0).toInt(), query.value(1).toByteArray(), query.value(2).toByteArray()};
    }
    QSqlDatabase::removeDatabase("layout");
    QCOMPARE(results.size(), 6);  // two recordings, three pairs each
    const auto number = [](const QByteArray &blob, int record, int size, int field) {
        return qFromLittleEndian<double>(blob.constData() + record * size + 8 * field);
    };
    for (const auto &[channel, curve, bars] : results) {
        const QString pair = QStringList{"ExHy", "EyHx", "Ex2Hy"}.value(channel);
        QVERIFY2(!curve.isEmpty() && curve.size() % 56 == 0, qPrintable(pair));
        const int points = curve.size() / 56;
        QCOMPARE(bars.size(), 24 * points);
        for (int i = 0; i < points; ++i) {
            const double f = number(curve, i, 56, 1), rho = number(curve, i, 56, 3), phase = number(curve, i, 56, 4);
            const double rhoError = number(bars, i, 24, 1);
            QCOMPARE(number(bars, i, 24, 0), f);
            QVERIFY(std::fabs(number(curve, i, 56, 5) / ((90 / phase - 1) * rho) - 1) < 1e-9);
            QVERIFY(std::fabs(number(curve, i, 56, 6) / (356 * std::sqrt(rho / f)) - 1) < 1e-9);
            bool listed = false;
            for (auto row = csv.lowerBound(f * (1 - 1e-5)); row != csv.upperBound(f * (1 + 1e-5)); ++row)
                listed = listed || (std::fabs(row->value(pair + "_rho").toDouble() / rho - 1) < 1e-5
                                    && std::fabs(row->value(pair + "_phase").toDouble() - phase) < 1e-4
                                    && std::fabs(row->value(pair + "_rho_error").toDouble() / rhoError - 1) < 1e-5);
            QVERIFY2(listed, qPrintable(QString("%1 at %2 Hz: rho %3 +- %4, phase %5 not in the curve table")
                                            .arg(pair).arg(f).arg(rho).arg(rhoError).arg(phase)));
        }
    }
}

// The same curves drawn with and without their bars (the bars of the stored station, then of a
// copy whose error columns are emptied): the bars add coloured pixels above and below the markers.
void TestRegression::plotDrawsErrorBars()
{
    const QString withBars = work.filePath("bars.png");
    const Run run = cli({"plot", "curve", project, "--line", "1", "--station", "1", "--out", withBars});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    const QString copy = work.filePath("nobars.HMT"), without = work.filePath("nobars.png");
    QVERIFY(QFile::copy(project, copy));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "nobars");
        db.setDatabaseName(copy);
        QVERIFY(db.open());
        QVERIFY(QSqlQuery(db).exec("UPDATE Data_Station SET Data_ImpedanceExErr = NULL, Data_ImpedanceEyErr = NULL, "
                                   "Data_ImpedanceEx2Err = NULL"));
    }
    QSqlDatabase::removeDatabase("nobars");
    QVERIFY(QFile::copy(work.filePath("demo-model.txt"), work.filePath("nobars-model.txt")));
    const Run plain = cli({"plot", "curve", copy, "--line", "1", "--station", "1", "--out", without});
    QVERIFY2(plain.exitCode == 0, qPrintable(plain.err));
    const QImage a(withBars), b(without);
    QVERIFY(!a.isNull() && a.size() == b.size());
    int changed = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            changed += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
    QVERIFY2(changed > 200, qPrintable(QString("%1 pixels differ").arg(changed)));
}

// The impedance-form EDI read back by the parser above against the station's stored curves, to
// the seven digits written: Zxy = sqrt(5 f rho) e^{i phase} and Zyx in the third quadrant, of the
// point known most precisely where two recordings give the frequency; the variances are the mean
// squares of the errors along |Z| (rho_error |Z| / (2 rho)) and across it (phase_error |Z|, in
// radians); the diagonal is EMPTY.
void TestRegression::impedanceEdiReadsBack()
{
    const QString path = work.filePath("station1-impedance.edi");
    const Run run = cli({"export", "edi", project, "--line", "1", "--station", "1", "--out", path, "--form", "impedance"});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    const QMap<QString, QVector<double>> blocks = ediBlocks(path);
    const QVector<double> freq = blocks.value("FREQ");
    QVERIFY(freq.size() >= 30);
    for (const QString name : {"ZXXR", "ZXYR", "ZXYI", "ZXY.VAR", "ZYXR", "ZYXI", "ZYX.VAR", "ZYY.VAR", "RHOXY",
                               "PHSYX.ERR"})
        QCOMPARE(blocks.value(name).size(), freq.size());
    const auto sameDigits = [](double read, double value) { return std::fabs(read - value) <= 5.5e-7 * std::fabs(value); };
    const QVector<StoredPoint> exHy = storedPoints(project, "Data_ImpedanceEx");
    const QVector<StoredPoint> eyHx = storedPoints(project, "Data_ImpedanceEy");
    for (int i = 0; i < freq.size(); ++i) {
        QVERIFY2(i == 0 || freq[i] > freq[i - 1], "frequencies increase, each once");
        for (const auto &[points, r, im, var, turn] : {std::tuple{&exHy, "ZXYR", "ZXYI", "ZXY.VAR", 0.0},
                                                        std::tuple{&eyHx, "ZYXR", "ZYXI", "ZYX.VAR", -180.0}}) {
            const StoredPoint *best = nullptr;
            for (const StoredPoint &p : *points)
                if (sameDigits(freq[i], p.f) && (!best || p.rhoError / p.rho < best->rhoError / best->rho))
                    best = &p;
            QVERIFY2(best, qPrintable(QString("EDI frequency %1 is not in the curves").arg(freq[i])));
            const std::complex<double> z = std::polar(std::sqrt(5 * best->f * best->rho), (best->phase + turn) * kPi / 180);
            const double radial = best->rhoError * std::abs(z) / (2 * best->rho);
            const double tangential = best->phaseError * kPi / 180 * std::abs(z);
            const double d2 = (radial * radial + tangential * tangential) / 2;
            QVERIFY2(sameDigits(blocks[r][i], z.real()) && sameDigits(blocks[im][i], z.imag()) && sameDigits(blocks[var][i], d2),
                     qPrintable(QString("%1 at %2 Hz: EDI %3 %4 var %5, stored %6 %7 var %8").arg(r).arg(freq[i])
                                    .arg(blocks[r][i], 0, 'g', 9).arg(blocks[im][i], 0, 'g', 9).arg(blocks[var][i], 0, 'g', 9)
                                    .arg(z.real(), 0, 'g', 9).arg(z.imag(), 0, 'g', 9).arg(d2, 0, 'g', 9)));
        }
        QCOMPARE(blocks["ZXXR"][i], 1.0e32);
        QCOMPARE(blocks["ZYY.VAR"][i], 1.0e32);
    }
}

void TestRegression::impedanceEdiNeedsErrorBars()
{
    const Run plain = cli({"process", project, "--line", "1", "--station", "2"});
    QVERIFY2(plain.exitCode == 0, qPrintable(plain.err));
    const QString path = work.filePath("station2-impedance.edi");
    const Run run = cli({"export", "edi", project, "--line", "1", "--station", "2", "--out", path, "--form", "impedance"});
    QVERIFY(run.exitCode != 0);
    QVERIFY2(run.err.contains("error bars"), qPrintable(run.err));
    QVERIFY(!QFile::exists(path));
}

QTEST_MAIN(TestRegression)
#include "tst_Regression.moc"
