// Curve smoothing, section smoothing, the section value range and the Bostick depth section,
// against values worked out by hand.
#include <QtTest>
#include <cmath>

#include "Data_FitCalc.h"
#include "Data_Inversion.h"
#include "Data_Smooth.h"
#include "NumericalMethod.h"
#include "ProcessingFixtures.h"
#include "ProcessingTests.h"

namespace {

DataType_ResultData column(double position, const QVector<double> &depth, const QVector<double> &value)
{
    DataType_ResultData c;
    c.position = position;
    c.depth = depth;
    c.value = value;
    return c;
}

OneFreqImpedance point(double freq, double rho, double phase)
{
    OneFreqImpedance p;
    p.freq = freq;
    p.rho = rho;
    p.phase = phase;
    return p;
}

const QVector<TopoData> kTopography{{20, 60}, {0, 40}, {30, 110}};  // mean elevation 70

} // namespace

class TestSections : public QObject {
    Q_OBJECT
private slots:
    void smoothCurve_data()
    {
        QTest::addColumn<QVector<double>>("input");
        QTest::addColumn<QVector<double>>("expected");
        QTest::newRow("straight line kept, ends included") << QVector<double>{1, 2, 3, 4, 5} << QVector<double>{1, 2, 3, 4, 5};
        QTest::newRow("spike") << QVector<double>{0, 0, 6, 0, 0} << QVector<double>{-1, 2, 2, 2, -1};
        QTest::newRow("three values") << QVector<double>{3, 0, 3} << QVector<double>{2, 2, 2};
        QTest::newRow("two values unchanged") << QVector<double>{1, 5} << QVector<double>{1, 5};
        QTest::newRow("empty") << QVector<double>() << QVector<double>();
    }
    void smoothCurve()
    {
        QFETCH(QVector<double>, input);
        QFETCH(QVector<double>, expected);
        QVector<double> first = input, second{10, 40, 10, 40};
        Data_FitCalc().smoothCurve(first, second);
        QCOMPARE(first.size(), expected.size());
        for (int i = 0; i < first.size(); ++i)
            QVERIFY(std::fabs(first[i] - expected[i]) < 1e-12);
        QCOMPARE(second, (QVector<double>{20, 20, 30, 30}));
    }

    // a = 0.5: the level 100 m below the top is smoothed over 50 m. Columns at 0, 25, 50 and
    // 200 m; weights 1 at 0 m, 0.5 at 25 m, 0 at 50 m. Columns are replaced in order:
    // 0 m: (0 + 0.5 * 3) / 1.5 = 1; 25 m: (0.5 * 1 + 3 + 0.5 * 100) / 2 = 26.75;
    // 50 m: (0.5 * 26.75 + 100) / 1.5 = 75.58333; 200 m keeps 7. The top level stays. (With pi
    // written 3.1415926 the weight at 25 m is 0.5 + 1.3e-8.)
    void smoothSectionByHand()
    {
        const QVector<double> levels{0, -100};
        QList<DataType_ResultData> section{column(0, levels, {5, 0}), column(25, levels, {6, 3}),
                                           column(50, levels, {7, 100}), column(200, levels, {8, 7})};
        const QList<DataType_ResultData> smoothed = Data_Smooth().smoothSection(section, 0.5);
        const double expected[] = {1.0, 26.75, 75.5833333333333, 7.0};
        for (int m = 0; m < 4; ++m) {
            QCOMPARE(smoothed[m].position, section[m].position);
            QCOMPARE(smoothed[m].depth, levels);
            QCOMPARE(smoothed[m].value[0], section[m].value[0]);
            QVERIFY2(std::fabs(smoothed[m].value[1] - expected[m]) < 1e-6,
                     qPrintable(QString("column %1: %2").arg(m).arg(smoothed[m].value[1])));
        }
    }

    void constantRowsStayConstant()
    {
        QVector<QVector<double>> rows{{4, 4, 4, 4}, {-2, -2, -2, -2}, {9, 9, 9, 9}};
        Data_Smooth().smoothRows(rows, 2.0, {0, -300, -1000}, {0, 10, 35, 36});
        for (const QVector<double> &row : rows)
            for (double v : row)
                QVERIFY(std::fabs(v - row[0]) < 1e-12);
        QCOMPARE(rows[2][3], 9.0);
    }

    void sectionsThatCannotBeSmoothed()
    {
        const QList<DataType_ResultData> ragged{column(0, {0, -10}, {1, 2}), column(10, {0, -20}, {3, 4})};
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("do not share their levels"));
        const QList<DataType_ResultData> same = Data_Smooth().smoothSection(ragged, 1.0);
        QCOMPARE(same[1].value, (QVector<double>{3, 4}));
        QVERIFY(Data_Smooth().smoothSection({}, 1.0).isEmpty());
    }

    void valueRange_data()
    {
        QTest::addColumn<QVector<double>>("values");
        QTest::addColumn<float>("maximum");
        QTest::addColumn<float>("minimum");
        QTest::newRow("ordinary") << QVector<double>{3, -2, 50.5, 0.1} << 50.5f << -2.0f;
        QTest::newRow("all below -10000") << QVector<double>{-20000, -15000} << -10000.0f << -20000.0f;
        QTest::newRow("all above 10000") << QVector<double>{20000} << 20000.0f << 10000.0f;
        QTest::newRow("single precision") << QVector<double>{0.1} << 0.1f << 0.1f;
        QTest::newRow("empty section") << QVector<double>() << -10000.0f << 10000.0f;
    }
    void valueRange()
    {
        QFETCH(QVector<double>, values);
        QFETCH(float, maximum);
        QFETCH(float, minimum);
        QList<DataType_ResultData> section;
        if (!values.isEmpty())
            section = {column(0, QVector<double>(values.size() - 1), values.mid(0, values.size() - 1)),
                       column(5, {0}, values.mid(values.size() - 1))};
        const NumericalMethod method;
        QCOMPARE(method.maxSectionValue(section), maximum);
        QCOMPARE(method.minSectionValue(section), minimum);
    }

    void stationElevation_data()
    {
        QTest::addColumn<QVector<TopoData>>("topography");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("expected");
        QTest::newRow("between points") << kTopography << 10.0 << 50.0;
        QTest::newRow("second interval") << kTopography << 25.0 << 85.0;
        QTest::newRow("first point") << kTopography << 0.0 << 40.0;
        QTest::newRow("last point") << kTopography << 30.0 << 110.0;
        QTest::newRow("before the line: mean") << kTopography << -5.0 << 70.0;
        QTest::newRow("after the line: mean") << kTopography << 31.0 << 70.0;
        QTest::newRow("one point") << QVector<TopoData>{{5, 12}} << 100.0 << 12.0;
        QTest::newRow("no topography") << QVector<TopoData>() << 3.0 << 0.0;
    }
    void stationElevation()
    {
        QFETCH(QVector<TopoData>, topography);
        QFETCH(double, x);
        QFETCH(double, expected);
        QCOMPARE(Data_Inversion().stationElevation(topography, x), expected);
    }

    void interpolateColumn_data()
    {
        QTest::addColumn<QVector<double>>("elevations");
        QTest::addColumn<QVector<double>>("values");
        QTest::addColumn<double>("g");
        QTest::addColumn<double>("expected");
        const QVector<double> e{-100, 0}, v{10, 20};
        QTest::newRow("linear inside") << e << v << -50.0 << 15.0;
        QTest::newRow("at the top") << e << v << 0.0 << 20.0;
        QTest::newRow("within 0.1 m above the top") << e << v << 0.05 << 20.0;
        // d = 150 and 50: weights 1 : 9, (10 + 180) / 10.
        QTest::newRow("inverse distance above") << e << v << 50.0 << 19.0;
        // d = 100 and 200: weights 4 : 1, (40 + 20) / 5.
        QTest::newRow("inverse distance below") << e << v << -200.0 << 12.0;
        QTest::newRow("one point") << QVector<double>{7} << QVector<double>{3} << 100.0 << 3.0;
        QTest::newRow("no point") << QVector<double>() << QVector<double>() << 1.0 << qQNaN();
    }
    void interpolateColumn()
    {
        QFETCH(QVector<double>, elevations);
        QFETCH(QVector<double>, values);
        QFETCH(double, g);
        QFETCH(double, expected);
        const double actual = Data_Inversion().interpolateColumn(elevations, values, g);
        if (std::isnan(expected))
            QVERIFY(std::isnan(actual));
        else
            QCLOSE(actual, expected, 1e-6);
    }

    // Station A at 10 m (surface 50 m): rho 100 at 1 Hz, 45 degrees lies 3560 m down at -3510 m
    // with 100 ohm-m; rho 400 at 100 Hz, 30 degrees is the shallowest point, 2 * 400 = 800 ohm-m
    // at the surface; rho 400 at 4 Hz, 60 degrees maps to -3560 m as well and is dropped; f = 0
    // and a negative rho give no depth. Station B lies off the topography and hangs from the mean
    // elevation 70 m; its single point (phase 90: 0 ohm-m) fills its column. Station C has no
    // curve. The grid runs from -3600 m in 10 m steps while below 70 + 10 m.
    void depthSection()
    {
        const QList<QVector<OneFreqImpedance>> curves{
            {point(100, 400, 30), point(1, 100, 45), point(0, 5, 45), point(4, 400, 60), point(10, -4, 45)},
            {point(1, 100, 90)},
            {}};
        Data_Inversion::SectionSettings settings;
        settings.sectionBottom = -3600;
        settings.topography = kTopography;
        const QList<DataType_ResultData> section = Data_Inversion().depthSection(curves, {10, 100, 15}, settings);
        QCOMPARE(section.size(), 3);
        const DataType_ResultData &a = section[0];
        QCOMPARE(a.position, 10.0);
        QCOMPARE(a.depth.size(), 368);
        QCOMPARE(a.depth.first(), -3600.0);
        QCOMPARE(a.depth.last(), 70.0);
        QCOMPARE(a.depth[9], -3510.0);
        QCLOSE(a.value[9], 100.0, 1e-12);
        QCLOSE(a.value[187], 450.0, 1e-12);         // -1730 m, halfway: linear
        QCLOSE(a.value[365], 800.0, 1e-12);         // 50 m, the surface
        QCLOSE(a.value[367], 799.9781537, 1e-5);    // 70 m, above the column
        QCLOSE(a.value[0], 100.4253372, 1e-5);      // -3600 m, below the column
        QCOMPARE(section[1].depth, a.depth);
        for (double v : section[1].value)
            QCOMPARE(v, 0.0);
        QCOMPARE(section[2].position, 15.0);
        QVERIFY(section[2].depth.isEmpty() && section[2].value.isEmpty());
    }

    // With the bottom at -500 m and the highest surface at 12.5 m the grid is -500 .. 20 m.
    void gridReachesAboveTheHighestSurface()
    {
        Data_Inversion::SectionSettings settings;
        settings.sectionBottom = -500;
        settings.topography = {{0, 12.5}, {10, 12.5}};
        const QList<DataType_ResultData> section =
            Data_Inversion().depthSection({{point(1, 1, 45)}}, {5}, settings);
        QCOMPARE(section.first().depth.size(), 53);
        QCOMPARE(section.first().depth.last(), 20.0);
        QVERIFY(Data_Inversion().depthSection({}, {}, settings).isEmpty());
    }
};

int runSectionTests(int argc, char **argv)
{
    TestSections test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestSections.moc"
