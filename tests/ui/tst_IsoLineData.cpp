// The section raster against values worked out by hand. The profiles are straight lines in depth
// (a natural cubic spline through collinear samples is that line), except one bent profile whose
// natural spline value is computed from the spline's second derivatives.

#include <QtTest>

#include "Graph_IsoLineData.h"
#include "SectionDisplayData.h"

using Section = QList<DataType_ResultData>;

static DataType_ResultData profile(double position, QVector<double> depth, QVector<double> value)
{
    return DataType_ResultData{position, depth, value};
}

// Three stations, the middle one reaching deepest:
//   A at x = 0:  depths -10 .. -40, value = -10 x depth (100 .. 400)
//   B at x = 10: depths -10 .. -60, value 50 throughout (the background)
//   C at x = 20: depths -10 .. -40, value 1000 throughout
static Section threeStations()
{
    return {profile(0, {-10, -20, -30, -40}, {100, 200, 300, 400}),
            profile(10, {-10, -20, -30, -40, -50, -60}, {50, 50, 50, 50, 50, 50}),
            profile(20, {-10, -20, -30, -40}, {1000, 1000, 1000, 1000})};
}

class TestIsoLineData : public QObject {
    Q_OBJECT
private slots:
    void intervalsSpanPositionsDepthsAndValues();
    void valueAt_data();
    void valueAt();
    void topographyIsANaturalSpline();
    void drawingReadsBesideAStation_data();
    void drawingReadsBesideAStation();
};

void TestIsoLineData::intervalsSpanPositionsDepthsAndValues()
{
    Graph_IsoLineData data;
    data.setData(threeStations(), {});
    QCOMPARE(data.interval(Qt::XAxis), QwtInterval(0, 20));
    QCOMPARE(data.interval(Qt::YAxis), QwtInterval(-60, -10));
    QCOMPARE(data.interval(Qt::ZAxis), QwtInterval(50, 1000));
    QCOMPARE(data.background(), 50.0);
    QCOMPARE(data.profiles().at(1).depth.size(), 6);
}

void TestIsoLineData::valueAt_data()
{
    QTest::addColumn<Section>("section");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("expected");
    const Section three = threeStations();
    // Between A and B where both reach: (|xB - x| vA + |x - xA| vB) / 10.
    QTest::newRow("between, both in range: (7.5 x 200 + 2.5 x 50) / 10") << three << 2.5 << -20.0 << 162.5;
    QTest::newRow("between, on a sample depth of neither: (5 x 250 + 5 x 50) / 10") << three << 5.0 << -25.0 << 150.0;
    QTest::newRow("between B and C: (2.5 x 50 + 7.5 x 1000) / 10") << three << 17.5 << -40.0 << 762.5;
    QTest::newRow("interpolated below background + 1 reads background + 1") << three << 9.9 << -10.0 << 51.0;
    // Below A's last sample only B reaches. Edge line from A's end (0, -40; 400) to B's end
    // (10, -60; 50); at depth -50 it lies at x = 5, halfway, with value 225.
    QTest::newRow("inside the edge line: (225 x 2.5 + 2.5 x 50) / 5") << three << 7.5 << -50.0 << 137.5;
    QTest::newRow("on the edge line") << three << 5.0 << -50.0 << 225.0;
    QTest::newRow("beyond the edge line") << three << 2.5 << -50.0 << 50.0;
    // Mirrored: below C only B reaches; edge line from C (20, -40; 1000) to B (10, -60; 50).
    QTest::newRow("mirrored inside: (525 x 2.5 + 2.5 x 50) / 5") << three << 12.5 << -50.0 << 287.5;
    QTest::newRow("mirrored beyond") << three << 17.5 << -50.0 << 50.0;
    QTest::newRow("below every profile") << three << 5.0 << -70.0 << 50.0;
    QTest::newRow("above every profile") << three << 5.0 << -5.0 << 50.0;
    QTest::newRow("exactly below a station") << three << 10.0 << -20.0 << 50.0;
    QTest::newRow("at the first station") << three << 0.0 << -20.0 << 50.0;
    QTest::newRow("left of the line") << three << -5.0 << -20.0 << 50.0;
    QTest::newRow("right of the line") << three << 25.0 << -20.0 << 50.0;
    // Stations in the order 0, 10, 5: x = 5 lies below the third station but the first pair
    // brackets it: (5 x 200 + 5 x 50) / 10.
    const Section unordered{three[0], three[1], profile(5, {-10, -40}, {9, 9})};
    QTest::newRow("below a station, bracketed by another pair") << unordered << 5.0 << -20.0 << 125.0;
    QTest::newRow("below a station, bracketed by none") << unordered << 10.0 << -20.0 << 9.0;
    QTest::newRow("one station only") << Section{three[0]} << 0.0 << -20.0 << 100.0;
    QTest::newRow("one station only, beside it") << Section{three[0]} << 3.0 << -20.0 << 100.0;
    // B's first sample (-20) is not its shallowest (-5): at depth -15 only B reaches, above A's
    // first sample, and the two first samples lie at equal depth.
    const Section equalEdges{profile(0, {-20, -30}, {100, 200}), profile(10, {-20, -5, -30}, {300, 300, 300})};
    QTest::newRow("equal edge depths") << equalEdges << 5.0 << -15.0 << 100.0;
    QTest::newRow("equal edge depths, both in range") << equalEdges << 5.0 << -25.0 << 225.0;
    // Samples 100, 200, 100 at -30, -20, -10: the natural spline's second derivative at -20 is
    // -3 x 100 / 10^2, so at -15 it reads 100 + 100 x (1.5 x 0.5 - 3 x 0.125 / 6) = 168.75.
    const Section bent{profile(0, {-10, -20, -30}, {100, 200, 100}), profile(10, {-10, -20, -30}, {100, 200, 100})};
    QTest::newRow("natural cubic spline between samples") << bent << 4.0 << -15.0 << 168.75;
}

void TestIsoLineData::valueAt()
{
    QFETCH(Section, section);
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(double, expected);
    Graph_IsoLineData data;
    data.setData(section, {});
    const double v = data.value(x, y);
    QVERIFY2(qAbs(v - expected) < 1e-9 * qMax(1.0, qAbs(expected)),
             qPrintable(QString("expected %1, got %2").arg(expected, 0, 'g', 12).arg(v, 0, 'g', 12)));
}

// Surface points 0 m at 0, 30 m at 10, 0 m at 20 (given out of order): with h = 10 the natural
// spline's second derivative at 10 is M1 = 6 (0 - 2 x 30 + 0) / h^2 / 4 = -0.9.
void TestIsoLineData::topographyIsANaturalSpline()
{
    Graph_IsoLineData data;
    data.setData(threeStations(), {{20, 0}, {0, 0}, {10, 30}});
    // S(5) = M1 (5^3) / (6 h) + (y0 - 0)(5/h) + (y1 - M1 h^2 / 6)(5 / h), h = 10, M1 = -0.9:
    // -0.9 x 125 / 60 + (30 + 15) x 0.5 = -1.875 + 22.5 = 20.625.
    QVERIFY(qAbs(data.elevationAt(5) - 20.625) < 1e-9);
    QVERIFY(qAbs(data.elevationAt(10) - 30) < 1e-12);
    QCOMPARE(data.elevationAt(-4), 0.0);  // end values held beyond the points
    data.setData(threeStations(), {});
    QVERIFY(qIsNaN(data.elevationAt(5)));
}

void TestIsoLineData::drawingReadsBesideAStation_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("expected");
    // A at 0 (value -10 x depth), B at 10 (600), C at 20 (1000), all from -10 to -40.
    QTest::newRow("below the middle station: its own value") << 10.0 << -20.0 << 600.0;
    QTest::newRow("below the first station, from inside the line") << 0.0 << -20.0 << 200.0;
    QTest::newRow("below the last station, from inside the line") << 20.0 << -30.0 << 1000.0;
    QTest::newRow("between stations: the raster's value (5 x 200 + 5 x 600) / 10") << 5.0 << -20.0 << 400.0;
    QTest::newRow("below a station, deeper than every profile: background") << 10.0 << -50.0 << 100.0;
}

void TestIsoLineData::drawingReadsBesideAStation()
{
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(double, expected);
    auto *raster = new Graph_IsoLineData;
    raster->setData({profile(0, {-10, -20, -30, -40}, {100, 200, 300, 400}),
                     profile(10, {-10, -20, -30, -40}, {600, 600, 600, 600}),
                     profile(20, {-10, -20, -30, -40}, {1000, 1000, 1000, 1000})},
                    {});
    const SectionDisplayData drawn(raster);
    QCOMPARE(drawn.interval(Qt::ZAxis), QwtInterval(100, 1000));
    QVERIFY2(qAbs(drawn.value(x, y) - expected) < 1e-5 * expected,
             qPrintable(QString("expected %1, got %2").arg(expected).arg(drawn.value(x, y))));
}

QTEST_MAIN(TestIsoLineData)
#include "tst_IsoLineData.moc"
