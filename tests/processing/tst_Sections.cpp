// Curve smoothing, section smoothing, the section value range and the Bostick depth section,
// against values worked out by hand.
#include <QtTest>

#include "Data_FitCalc.h"
#include "Data_Inversion.h"
#include "Data_Smooth.h"
#include "NumericalMethod.h"
#include "ProcessingFixtures.h"

namespace {

OneFreqImpedance point(double freq, double rho, double phase) { return {0, freq, 0, rho, phase}; }

} // namespace

class TestSections : public QObject {
    Q_OBJECT
private slots:
    void smoothCurve_data()
    {
        QTest::addColumn<QVector<double>>("input");
        QTest::addColumn<QVector<double>>("expected");
        QTest::newRow("spike, ends included") << QVector<double>{0, 0, 6, 0, 0} << QVector<double>{-1, 2, 2, 2, -1};
        QTest::newRow("two values unchanged") << QVector<double>{1, 5} << QVector<double>{1, 5};
    }
    void smoothCurve()
    {
        QFETCH(QVector<double>, input);
        QFETCH(QVector<double>, expected);
        QVector<double> second{10, 40, 10, 40};
        Data_FitCalc().smoothCurve(input, second);
        QCOMPARE(input, expected);
        QCOMPARE(second, (QVector<double>{20, 20, 30, 30}));
    }

    // a = 0.5: the level 100 m below the top is smoothed over 50 m. Columns at 0, 25, 50 and
    // 200 m; weights 1 at 0 m, 0.5 at 25 m, 0 at 50 m. Columns are replaced in order:
    // 0 m: (0 + 0.5 * 3) / 1.5 = 1; 25 m: (0.5 * 1 + 3 + 0.5 * 100) / 2 = 26.75;
    // 50 m: (0.5 * 26.75 + 100) / 1.5 = 75.58333; 200 m keeps 7. The top level stays.
    void smoothSectionByHand()
    {
        const QVector<double> levels{0, -100};
        const QList<DataType_ResultData> section{
            {0, levels, {5, 0}}, {25, levels, {6, 3}}, {50, levels, {7, 100}}, {200, levels, {8, 7}}};
        const QList<DataType_ResultData> smoothed = Data_Smooth().smoothSection(section, 0.5);
        const double expected[] = {1.0, 26.75, 75.5833333333333, 7.0};
        for (int m = 0; m < 4; ++m) {
            QVERIFY(smoothed[m].position == section[m].position && smoothed[m].depth == levels
                    && smoothed[m].value[0] == section[m].value[0]);
            QVERIFY2(std::fabs(smoothed[m].value[1] - expected[m]) < 1e-6,
                     qPrintable(QString::number(smoothed[m].value[1], 'g', 15)));
        }
    }

    // Constant rows stay constant; columns that do not share their levels, or none at all, are
    // given back as they are.
    void smoothingKeepsWhatItCannotChange()
    {
        QVector<QVector<double>> rows{{4, 4, 4, 4}, {-2, -2, -2, -2}, {9, 9, 9, 9}};
        Data_Smooth().smoothRows(rows, 2.0, {0, -300, -1000}, {0, 10, 35, 36});
        for (const QVector<double> &row : rows)
            for (double v : row)
                QVERIFY(std::fabs(v - row[0]) < 1e-12);
        QCOMPARE(rows[2][3], 9.0);
        const QList<DataType_ResultData> ragged{{0, {0, -10}, {1, 2}}, {10, {0, -20}, {3, 4}}};
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("do not share their levels"));
        QCOMPARE(Data_Smooth().smoothSection(ragged, 1.0)[1].value, (QVector<double>{3, 4}));
        QVERIFY(Data_Smooth().smoothSection({}, 1.0).isEmpty());
    }

    void valueRange_data()
    {
        QTest::addColumn<QVector<double>>("values");
        QTest::addColumn<float>("maximum");
        QTest::addColumn<float>("minimum");
        QTest::newRow("ordinary") << QVector<double>{3, -2, 50.5, 0.1} << 50.5f << -2.0f;
        QTest::newRow("all below -10000") << QVector<double>{-20000, -15000} << -10000.0f << -20000.0f;
        QTest::newRow("empty section") << QVector<double>() << -10000.0f << 10000.0f;
    }
    void valueRange()
    {
        QFETCH(QVector<double>, values);
        QFETCH(float, maximum);
        QFETCH(float, minimum);
        QList<DataType_ResultData> section;
        if (!values.isEmpty())  // the last value in a column of its own
            section = {{0, QVector<double>(values.size() - 1), values.mid(0, values.size() - 1)},
                       {5, {0}, values.mid(values.size() - 1)}};
        QCOMPARE(NumericalMethod().maxSectionValue(section), maximum);
        QCOMPARE(NumericalMethod().minSectionValue(section), minimum);
    }

    // Topography 40, 60, 110 m at 0, 20, 30 m (mean 70 m). Station A at 10 m (surface 50 m): rho 100
    // at 1 Hz, 45 degrees lies 3560 m down at -3510 m with 100 ohm-m; 400 at 100 Hz, 30 degrees is
    // 2 * 400 ohm-m at the surface; 400 at 4 Hz, 60 degrees maps to -3560 m too and is dropped;
    // f = 0 and rho < 0 give no depth. Linear between points, inverse squared distance beyond.
    // Station B, off the topography, hangs from the mean; its one point (phase 90: 0 ohm-m) fills
    // its column. C has no curve. The grid runs from -3600 m in 10 m steps while below 70 + 10 m.
    void depthSection()
    {
        const QList<QVector<OneFreqImpedance>> curves{
            {point(100, 400, 30), point(1, 100, 45), point(0, 5, 45), point(4, 400, 60), point(10, -4, 45)},
            {point(1, 100, 90)},
            {}};
        Data_Inversion::SectionSettings settings;
        settings.sectionBottom = -3600;
        settings.topography = {{20, 60}, {0, 40}, {30, 110}};
        const QList<DataType_ResultData> section = Data_Inversion().depthSection(curves, {10, 100, 15}, settings);
        QCOMPARE(section.size(), 3);
        const DataType_ResultData &a = section[0];
        QCOMPARE(a.depth.size(), 368);
        QVERIFY(a.depth.first() == -3600.0 && a.depth[9] == -3510.0 && a.depth.last() == 70.0);
        QCLOSE(a.value[9], 100.0, 1e-12);
        QCLOSE(a.value[187], 450.0, 1e-12);         // -1730 m, halfway: linear
        QCLOSE(a.value[365], 800.0, 1e-12);         // 50 m, the surface
        QCLOSE(a.value[367], 799.9781537, 1e-5);    // 70 m, above the column
        QCLOSE(a.value[0], 100.4253372, 1e-5);      // -3600 m, below the column
        QCOMPARE(section[1].depth, a.depth);
        QCOMPARE(section[1].value, QVector<double>(368, 0.0));
        QVERIFY(a.position == 10.0 && section[2].position == 15.0);
        QVERIFY(section[2].depth.isEmpty() && section[2].value.isEmpty());

        // With the bottom at -500 m and the highest surface at 12.5 m the grid is -500 .. 20 m.
        settings.sectionBottom = -500;
        settings.topography = {{0, 12.5}, {10, 12.5}};
        const QVector<double> grid = Data_Inversion().depthSection({{point(1, 1, 45)}}, {5}, settings).first().depth;
        QVERIFY(grid.size() == 53 && grid.last() == 20.0);
        QVERIFY(Data_Inversion().depthSection({}, {}, settings).isEmpty());
    }
};

int runSectionTests(int argc, char **argv)
{
    TestSections test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_Sections.moc"
