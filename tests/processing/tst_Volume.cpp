// The pseudo-3-D volume on synthetic surveys of several lines whose curves come from the
// layered-earth forward model: flat layers give constant slices inside the stations' hull, a
// conductive block shows under its stations only, nodes beyond the search radius or above the
// ground hold no data; the interpolation, blending, smoothing and grid against hand values.

#include <QtTest>
#include <cmath>
#include <gsl/gsl_errno.h>

#include "DemoSurvey.h"
#include "LayeredEarth.h"
#include "VolumeBlending.h"
#include "VolumeBuild.h"
#include "VolumeSmoothing.h"

namespace {

// Ten frequencies per decade from 10 kHz down to 1 Hz; rho multiplied by (1 + noise * a
// deterministic pattern in [-1, 1]).
QVector<OneFreqImpedance> curveOf(const LayeredEarth &earth, double noise = 0.0, int seed = 0)
{
    QVector<OneFreqImpedance> curve;
    for (int n = 0; n <= 40; ++n) {
        const double f = std::pow(10.0, n / 10.0);
        const double wobble = std::sin(1.7 * n + 2.3 * seed);
        curve.append({0, f, 0.95, earth.apparentResistivity(f) * (1.0 + noise * wobble),
                      earth.phaseDegrees(f)});
    }
    return curve;
}

struct Station {
    double x, y, surface;
    LayeredEarth earth;
};

QVector<VolumeColumn> columnsOf(const QList<Station> &stations, double noise, double depthScale = 1.0)
{
    QVector<VolumeColumn> columns;
    for (int s = 0; s < stations.size(); ++s) {
        const Station &st = stations[s];
        columns.append(VolumeColumn::fromCurve(curveOf(st.earth, noise, s), st.x, st.y, st.surface, depthScale));
    }
    return columns;
}

VolumeSettings plainSettings(double radius, double cell)
{
    VolumeSettings s;
    s.layered = false;
    s.zCoefficient = 0.0;
    s.constraintCoefficient = 0.0;
    s.searchRadius = radius;
    s.cellSize = cell;
    s.minTopo = -1500.0;
    return s;
}

double rhoAt(const ResistivityVolume &v, int i, int j, int k)
{
    return std::pow(10.0, double(v.at(i, j, k)));
}

// Node index nearest to a position along x or y.
int nodeNear(double position, double origin, double spacing)
{
    return int(std::lround((position - origin) / spacing));
}

double nearestStation(const QList<Station> &stations, double x, double y, QVector<int> only = {})
{
    double nearest = HUGE_VAL;
    for (int s = 0; s < stations.size(); ++s)
        if (only.isEmpty() || only.contains(s))
            nearest = std::min(nearest, std::hypot(stations[s].x - x, stations[s].y - y));
    return nearest;
}

// Four lines 150 m apart, six stations 100 m apart on each, every line shifted 40 m east of the
// one before: the stations' hull is the parallelogram they span.
QList<Station> shearedSurvey(const LayeredEarth &earth)
{
    QList<Station> stations;
    for (int line = 0; line < 4; ++line)
        for (int s = 0; s < 6; ++s)
            stations.append({s * 100.0 + line * 40.0, line * 150.0, 120.0, earth});
    return stations;
}

bool insideShearedHull(double x, double y)
{
    const double line = y / 150.0;
    const double along = x - 40.0 * line;
    return line >= 0 && line <= 3 && along >= 0 && along <= 500;
}

} // namespace

class TestVolume : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { gsl_set_error_handler_off(); }
    void flatLayersGiveConstantSlices_data();
    void flatLayersGiveConstantSlices();
    void conductiveBlockOnlyUnderItsStations_data();
    void conductiveBlockOnlyUnderItsStations();
    void noDataBeyondRadiusAndAboveGround();
    void inverseDistanceByHand_data();
    void inverseDistanceByHand();
    void gridPlan_data();
    void gridPlan();
    void blendingWithLevelMean_data();
    void blendingWithLevelMean();
    void smoothingKeepsConstantsAndHoles();
    void settingsRefused_data();
    void settingsRefused();
};

void TestVolume::flatLayersGiveConstantSlices_data()
{
    QTest::addColumn<bool>("layered");
    QTest::addColumn<double>("z");
    QTest::addColumn<double>("constraint");
    QTest::addColumn<double>("xCoefficient");
    QTest::addColumn<double>("yCoefficient");
    QTest::newRow("plain inverse distance") << false << 0.0 << 0.0 << 1.0 << 1.0;
    QTest::newRow("layered blend and smoothing") << true << 0.2 << 0.3 << 1.0 << 1.0;
    QTest::newRow("scaled distances, light smoothing") << false << 0.0 << 0.1 << 2.0 << 3.0;
}

void TestVolume::flatLayersGiveConstantSlices()
{
    QFETCH(bool, layered);
    QFETCH(double, z);
    QFETCH(double, constraint);
    QFETCH(double, xCoefficient);
    QFETCH(double, yCoefficient);
    const QList<Station> stations = shearedSurvey(DemoSurvey::threeLayerEarth());
    VolumeSettings settings = plainSettings(200.0, 20.0);
    settings.layered = layered;
    settings.zCoefficient = z;
    settings.constraintCoefficient = constraint;
    settings.xCoefficient = xCoefficient;
    settings.yCoefficient = yCoefficient;
    const ResistivityVolume volume = VolumeBuild::build(columnsOf(stations, 0.005), settings);
    QVERIFY(!volume.isEmpty());
    const VolumeGrid &g = volume.grid;
    QCOMPARE(g.top(), 120.0);
    QVERIFY(g.z0 >= -1500.0 && g.z0 < -1490.0);
    for (int k = 0; k < g.nz; ++k) {
        double low = HUGE_VAL, high = 0.0;
        for (int j = 0; j < g.ny; ++j)
            for (int i = 0; i < g.nx; ++i) {
                if (!insideShearedHull(g.x(i), g.y(j)))
                    continue;
                QVERIFY2(volume.hasData(i, j, k), qPrintable(QString("node %1 %2 %3 inside the hull").arg(i).arg(j).arg(k)));
                low = std::min(low, rhoAt(volume, i, j, k));
                high = std::max(high, rhoAt(volume, i, j, k));
            }
        QVERIFY2(high <= low * 1.05, qPrintable(QString("elevation %1: %2 to %3 ohm-m").arg(g.z(k)).arg(low).arg(high)));
    }
    // The top slice lies in the 100 ohm-m layer.
    const double top = rhoAt(volume, nodeNear(240, g.x0, g.dx), nodeNear(150, g.y0, g.dy), g.nz - 1);
    QVERIFY2(std::fabs(top / 100.0 - 1.0) < 0.1, qPrintable(QString::number(top)));
}

void TestVolume::conductiveBlockOnlyUnderItsStations_data()
{
    QTest::addColumn<double>("yCoefficient");
    QTest::addColumn<double>("constraint");
    QTest::newRow("plain") << 1.0 << 0.0;
    QTest::newRow("vertical distance weighted three times") << 3.0 << 0.0;
    QTest::newRow("smoothed") << 1.0 << 0.05;
}

void TestVolume::conductiveBlockOnlyUnderItsStations()
{
    QFETCH(double, yCoefficient);
    QFETCH(double, constraint);
    // Five lines 100 m apart, seven stations 100 m apart; under four stations a 200 m thick
    // 3 ohm-m block lies 150 m down in the 100 ohm-m half-space.
    const LayeredEarth host(100.0);
    const LayeredEarth block({{100.0, 150.0}, {3.0, 200.0}}, 100.0);
    QList<Station> stations;
    QVector<int> blockStations;
    for (int line = 0; line < 5; ++line)
        for (int s = 0; s < 7; ++s) {
            const bool inBlock = (s == 2 || s == 3) && (line == 1 || line == 2);
            if (inBlock)
                blockStations.append(stations.size());
            stations.append({s * 100.0, line * 100.0, 0.0, inBlock ? block : host});
        }
    VolumeSettings settings = plainSettings(150.0, 25.0);
    settings.yCoefficient = yCoefficient;
    settings.constraintCoefficient = constraint;
    const ResistivityVolume volume = VolumeBuild::build(columnsOf(stations, 0.0), settings);
    QVERIFY(!volume.isEmpty());
    const VolumeGrid &g = volume.grid;
    // Under every block station the column dips well below the host.
    for (int s : blockStations) {
        const int i = nodeNear(stations[s].x, g.x0, g.dx), j = nodeNear(stations[s].y, g.y0, g.dy);
        double lowest = HUGE_VAL;
        for (int k = 0; k < g.nz; ++k)
            lowest = std::min(lowest, rhoAt(volume, i, j, k));
        QVERIFY2(lowest < 30.0, qPrintable(QString("station %1: lowest %2 ohm-m").arg(s).arg(lowest)));
    }
    // Nodes out of reach of every block station (the search radius plus the smoothing window)
    // keep the host's 100 ohm-m at every level.
    for (int k = 0; k < g.nz; ++k) {
        const double reach = 150.0 + std::sqrt(2.0) * constraint * (g.top() - g.z(k));
        for (int j = 0; j < g.ny; ++j)
            for (int i = 0; i < g.nx; ++i) {
                if (nearestStation(stations, g.x(i), g.y(j), blockStations) <= reach + 1e-9)
                    continue;
                const double rho = rhoAt(volume, i, j, k);
                QVERIFY2(std::fabs(rho / 100.0 - 1.0) < 0.05,
                         qPrintable(QString("node %1 %2 at %3 m: %4 ohm-m").arg(i).arg(j).arg(g.z(k)).arg(rho)));
            }
    }
}

void TestVolume::noDataBeyondRadiusAndAboveGround()
{
    // Two groups of stations 900 m apart: the western on a 100 m plateau, the eastern at 50 m.
    QList<Station> stations;
    for (double x : {0.0, 100.0})
        for (double y : {0.0, 100.0}) {
            stations.append({x, y, 100.0, LayeredEarth(50.0)});
            stations.append({x + 1000.0, y, 50.0, LayeredEarth(50.0)});
        }
    const ResistivityVolume volume = VolumeBuild::build(columnsOf(stations, 0.0), plainSettings(200.0, 25.0));
    QVERIFY(!volume.isEmpty());
    const VolumeGrid &g = volume.grid;
    QCOMPARE(g.nx, 45);
    QCOMPARE(g.ny, 5);
    int withData = 0;
    for (int j = 0; j < g.ny; ++j)
        for (int i = 0; i < g.nx; ++i) {
            const double nearest = nearestStation(stations, g.x(i), g.y(j));
            const double ground = g.x(i) < 500 ? 100.0 : 50.0;
            for (int k = 0; k < g.nz; ++k) {
                const bool expected = nearest <= 200.0 && g.z(k) <= ground;
                QVERIFY2(volume.hasData(i, j, k) == expected,
                         qPrintable(QString("node %1 %2 at %3 m").arg(i).arg(j).arg(g.z(k))));
                withData += expected;
            }
        }
    QVERIFY(withData > 0);
}

void TestVolume::inverseDistanceByHand_data()
{
    // A 10 ohm-m half-space at x = 0 and a 1000 ohm-m one at x = 100: log10 values 1 and 3.
    // The 10 ohm-m column reaches 356 sqrt(10 / 1 Hz) = 1125.8 m down.
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("elevation");
    QTest::addColumn<double>("yCoefficient");
    QTest::addColumn<double>("expected");
    QTest::newRow("on the first station") << 0.0 << -500.0 << 1.0 << 1.0;
    QTest::newRow("a quarter of the way: weights 9 and 1") << 25.0 << -500.0 << 1.0 << 1.2;
    QTest::newRow("midway") << 50.0 << -500.0 << 1.0 << 2.0;
    const double below = 1500.0 - 356.0 * std::sqrt(10.0);
    const double wNear = 1.0 / (2500.0 + below * below), wFar = 1.0 / 2500.0;
    QTest::newRow("midway below the shallow column")
        << 50.0 << -1500.0 << 1.0 << (wNear * 1.0 + wFar * 3.0) / (wNear + wFar);
    QTest::newRow("midway below it, vertical distance ignored") << 50.0 << -1500.0 << 0.0 << 2.0;
}

void TestVolume::inverseDistanceByHand()
{
    QFETCH(double, x);
    QFETCH(double, elevation);
    QFETCH(double, yCoefficient);
    QFETCH(double, expected);
    const QList<Station> stations = {{0.0, 0.0, 0.0, LayeredEarth(10.0)}, {100.0, 0.0, 0.0, LayeredEarth(1000.0)}};
    VolumeSettings settings = plainSettings(500.0, 25.0);
    settings.yCoefficient = yCoefficient;
    settings.minTopo = -2000.0;
    const ResistivityVolume volume = VolumeBuild::build(columnsOf(stations, 0.0), settings);
    const VolumeGrid &g = volume.grid;
    const int k = nodeNear(elevation, g.z0, g.dz);
    QCOMPARE(g.z(k), elevation);
    const double value = volume.at(nodeNear(x, g.x0, g.dx), 0, k);
    QVERIFY2(std::fabs(value - expected) < 1e-4, qPrintable(QString("%1 against %2").arg(value).arg(expected)));
}

void TestVolume::gridPlan_data()
{
    QTest::addColumn<QVector<double>>("x");
    QTest::addColumn<QVector<double>>("y");
    QTest::addColumn<double>("top");
    QTest::addColumn<double>("bottom");
    QTest::addColumn<double>("cell");
    QTest::addColumn<QList<double>>("expected");  // nx, ny, nz, dx, z0; nz 0 when refused
    QTest::newRow("automatic: half the nearest spacing")
        << QVector<double>{0, 100, 0, 100} << QVector<double>{0, 0, 50, 50} << 0.0 << -100.0 << 0.0
        << QList<double>{5, 3, 11, 25, -100};
    QTest::newRow("given cell reaching past the last station")
        << QVector<double>{0, 100} << QVector<double>{0, 0} << 0.0 << -100.0 << 30.0
        << QList<double>{5, 1, 11, 30, -100};
    QTest::newRow("levels hung from the highest surface")
        << QVector<double>{0, 10} << QVector<double>{0, 0} << 12.5 << -500.0 << 10.0
        << QList<double>{2, 1, 52, 10, -497.5};
    QTest::newRow("automatic size never finer than 1/200 of the longer side")
        << QVector<double>{0, 1, 2000} << QVector<double>{0, 0, 0} << 0.0 << 0.0 << 0.0
        << QList<double>{201, 1, 1, 10, 0};
    QTest::newRow("all points at one place") << QVector<double>{5, 5} << QVector<double>{7, 7} << 0.0 << -20.0
                                             << 0.0 << QList<double>{1, 1, 3, 1, -20};
    QTest::newRow("bottom above the top") << QVector<double>{0, 100} << QVector<double>{0, 0} << 0.0 << 10.0
                                          << 0.0 << QList<double>{0, 0, 0, 0, 0};
}

void TestVolume::gridPlan()
{
    QFETCH(QVector<double>, x);
    QFETCH(QVector<double>, y);
    QFETCH(double, top);
    QFETCH(double, bottom);
    QFETCH(double, cell);
    QFETCH(QList<double>, expected);
    const VolumeGrid g = VolumeGrid::around(x, y, top, bottom, cell, 10.0);
    if (expected[2] == 0) {
        QCOMPARE(g.nz, 0);
        QVERIFY(!VolumeBuild::gridProblem(g).isEmpty());
        return;
    }
    QCOMPARE(QList<double>({double(g.nx), double(g.ny), double(g.nz), g.dx, g.z0}), expected);
    QCOMPARE(g.top(), top);
    QVERIFY(VolumeBuild::gridProblem(g).isEmpty());
}

void TestVolume::blendingWithLevelMean_data()
{
    QTest::addColumn<double>("weight");
    QTest::addColumn<QVector<float>>("expected");
    const float nan = std::numeric_limits<float>::quiet_NaN();
    QTest::newRow("weight 0 keeps the volume") << 0.0 << QVector<float>{1, 2, nan, 3, 5, 5};
    QTest::newRow("half way to each level's mean") << 0.5 << QVector<float>{1.5, 2, nan, 2.5, 5, 5};
    QTest::newRow("weight 1 gives uniform levels") << 1.0 << QVector<float>{2, 2, nan, 2, 5, 5};
}

void TestVolume::blendingWithLevelMean()
{
    QFETCH(double, weight);
    QFETCH(QVector<float>, expected);
    VolumeGrid g;
    g.nx = 4;
    g.ny = 1;
    g.nz = 1;
    QVector<float> volume{1, 2, std::numeric_limits<float>::quiet_NaN(), 3};
    VolumeBlending::blendWithLevelMeans(volume, g, weight);
    g.nx = 2;   // a second, uniform volume of one level stays as it is
    QVector<float> uniform{5, 5};
    VolumeBlending::blendWithLevelMeans(uniform, g, weight);
    const QVector<float> all = volume + uniform;
    for (int p = 0; p < all.size(); ++p)
        QVERIFY2(std::isnan(expected[p]) ? std::isnan(all[p]) : std::fabs(all[p] - expected[p]) < 1e-6,
                 qPrintable(QString("node %1: %2").arg(p).arg(all[p])));
}

void TestVolume::smoothingKeepsConstantsAndHoles()
{
    // Three levels 100 m apart on 9 x 9 nodes 10 m apart: a constant 2 with holes, and in the
    // middle of the two upper levels a spike of 4.
    VolumeGrid g;
    g.nx = g.ny = 9;
    g.nz = 3;
    g.dx = g.dy = 10.0;
    g.dz = 100.0;
    QVector<float> volume(int(g.nodeCount()), 2.0f);
    for (int k = 0; k < 3; ++k)
        volume[int(g.index(0, 4, k))] = std::numeric_limits<float>::quiet_NaN();
    volume[int(g.index(4, 4, 1))] = 4.0f;
    volume[int(g.index(4, 4, 2))] = 4.0f;
    VolumeSmoothing::smooth(volume, g, 0.3);
    QVERIFY(std::isnan(volume[int(g.index(0, 4, 0))]));
    QVERIFY(std::isnan(volume[int(g.index(0, 4, 1))]));
    for (int j = 0; j < 9; ++j)
        for (int i = 1; i < 9; ++i)
            QVERIFY(std::fabs(volume[int(g.index(i, j, 0))] - 2.0f) < 1e-6);
    QCOMPARE(volume[int(g.index(4, 4, 2))], 4.0f);  // the top level is not smoothed
    const float spike = volume[int(g.index(4, 4, 1))];
    QVERIFY(spike > 2.0f && spike < 4.0f);
    QCOMPARE(volume[int(g.index(3, 4, 1))], volume[int(g.index(5, 4, 1))]);
    QCOMPARE(volume[int(g.index(4, 3, 1))], volume[int(g.index(4, 5, 1))]);
    QVERIFY(volume[int(g.index(3, 4, 1))] > 2.0f);
}

void TestVolume::settingsRefused_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<double>("value");
    QTest::newRow("search radius 0") << "searchRadius" << 0.0;
    QTest::newRow("x coefficient 0") << "xCoefficient" << 0.0;
    QTest::newRow("negative y coefficient") << "yCoefficient" << -1.0;
    QTest::newRow("z coefficient above 1") << "zCoefficient" << 1.5;
    QTest::newRow("inversion coefficient 0") << "inversionCoefficient" << 0.0;
    QTest::newRow("negative constraint") << "constraintCoefficient" << -0.1;
    QTest::newRow("level step 0") << "levelStep" << 0.0;
}

void TestVolume::settingsRefused()
{
    QFETCH(QString, field);
    QFETCH(double, value);
    VolumeSettings settings = plainSettings(300.0, 25.0);
    QVERIFY(VolumeBuild::settingsProblem(settings).isEmpty());
    QMap<QString, double *> fields{{"searchRadius", &settings.searchRadius},
                                   {"xCoefficient", &settings.xCoefficient},
                                   {"yCoefficient", &settings.yCoefficient},
                                   {"zCoefficient", &settings.zCoefficient},
                                   {"inversionCoefficient", &settings.inversionCoefficient},
                                   {"constraintCoefficient", &settings.constraintCoefficient},
                                   {"levelStep", &settings.levelStep}};
    *fields[field] = value;
    QVERIFY(!VolumeBuild::settingsProblem(settings).isEmpty());
    const QList<Station> stations = {{0, 0, 0, LayeredEarth()}, {100, 0, 0, LayeredEarth()}};
    QVERIFY(VolumeBuild::build(columnsOf(stations, 0.0), settings).isEmpty());
}

QTEST_GUILESS_MAIN(TestVolume)
#include "tst_Volume.moc"
