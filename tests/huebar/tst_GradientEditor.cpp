// The gradient editor driven as the colour-scale dialog drives it: presets, maps in and out, the
// text form, and the mouse on a real widget under the offscreen platform.

#include <QSignalSpy>
#include <QtTest>

#include "WidgetGradientEditor.h"

using Gradient = QMap<float, QColor>;
using MarkerList = QList<QPair<float, QColor>>;  // position, colour in marker order

static MarkerList markerList(const WidgetGradientEditor &editor)
{
    MarkerList list;
    for (const GradientMarker &marker : editor.markers())
        list.append({marker.position, marker.color});
    return list;
}

// A pointer move with the left button held, delivered to the widget directly (the test
// library's move only moves the cursor, which reaches no widget that is not shown).
static void dragTo(QWidget &widget, const QPoint &pos)
{
    QMouseEvent move(QEvent::MouseMove, pos, widget.mapToGlobal(pos), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&widget, &move);
}

class TestGradientEditor : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { qRegisterMetaType<Gradient>(); }
    void presetsAddTheirMarkersInOrder_data();
    void presetsAddTheirMarkersInOrder();
    void textFormReadsAndWrites_data();
    void textFormReadsAndWrites();
    void oneEntryMapLeavesNoMarkers();
    void dragMovesByThePointerStepExceptAtOne_data();
    void dragMovesByThePointerStepExceptAtOne();
    void rightClickRemovesWhileMoreThanTwoRemain_data();
    void rightClickRemovesWhileMoreThanTwoRemain();
    void focusedMarkerMovesToAGivenPosition();
};

void TestGradientEditor::presetsAddTheirMarkersInOrder_data()
{
    QTest::addColumn<int>("preset");
    QTest::addColumn<MarkerList>("expected");
    QTest::newRow("1: rainbow from red at 1 down to blue")
        << 1 << MarkerList{{1.0f, QColor(255, 0, 0)}, {0.75f, QColor(255, 255, 0)},
                           {0.5f, QColor(0, 255, 0)}, {0.25f, QColor(0, 255, 255)},
                           {0.0f, QColor(0, 0, 255)}};
    QTest::newRow("2: orange first") << 2 << MarkerList{{0.75f, QColor(255, 128, 0)}, {1.0f, QColor(255, 0, 0)},
                                                        {0.25f, QColor(0, 128, 255)}, {0.5f, QColor(0, 128, 0)},
                                                        {0.0f, QColor(0, 0, 255)}};
    QTest::newRow("3: two markers") << 3 << MarkerList{{0.25f, QColor(0, 128, 255)}, {0.5f, QColor(0, 128, 0)}};
    QTest::newRow("0: none") << 0 << MarkerList{};
    QTest::newRow("unknown: none") << 9 << MarkerList{};
}

void TestGradientEditor::presetsAddTheirMarkersInOrder()
{
    QFETCH(int, preset);
    QFETCH(MarkerList, expected);
    WidgetGradientEditor editor;
    editor.slotReset(1);
    QSignalSpy changed(&editor, &WidgetGradientEditor::gradientChanged);
    editor.slotReset(preset);
    QCOMPARE(markerList(editor), expected);
    QCOMPARE(changed.count(), 1);
    Gradient gradient;
    for (const auto &marker : expected)
        gradient.insert(marker.first, marker.second);
    QCOMPARE(changed.first().first().value<Gradient>(), gradient);
}

void TestGradientEditor::textFormReadsAndWrites_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Gradient>("gradient");
    QTest::addColumn<QString>("written");  // the text form of gradient
    const Gradient blueToRed{{0.0f, QColor(0, 0, 255)}, {1.0f, QColor(255, 0, 0)}};
    QTest::newRow("two entries") << ":0,0,0,255:1,255,0,0" << blueToRed << ":0,0,0,255:1,255,0,0";
    QTest::newRow("no leading colon") << "0,0,0,255:1,255,0,0" << blueToRed << ":0,0,0,255:1,255,0,0";
    QTest::newRow("entries out of order, shortest positions")
        << ":0.75,10,20,30:0.125,1,2,3:0.3,4,5,6"
        << Gradient{{0.125f, QColor(1, 2, 3)}, {0.3f, QColor(4, 5, 6)}, {0.75f, QColor(10, 20, 30)}}
        << ":0.125,1,2,3:0.3,4,5,6:0.75,10,20,30";
    QTest::newRow("parts of three or five fields skipped")
        << ":0.5,1,2:0.25,9,9,9:0.75,1,2,3,4::" << Gradient{{0.25f, QColor(9, 9, 9)}} << ":0.25,9,9,9";
    QTest::newRow("a repeated position keeps the later colour")
        << ":0.5,1,1,1:0.5,2,2,2" << Gradient{{0.5f, QColor(2, 2, 2)}} << ":0.5,2,2,2";
    QTest::newRow("empty") << "" << Gradient{} << "";
}

void TestGradientEditor::textFormReadsAndWrites()
{
    QFETCH(QString, text);
    QFETCH(Gradient, gradient);
    QFETCH(QString, written);
    QCOMPARE(WidgetGradientEditor::stringToGradient(text), gradient);
    QCOMPARE(WidgetGradientEditor::gradientToString(gradient), written);
    QCOMPARE(WidgetGradientEditor::stringToGradient(written), gradient);
}

void TestGradientEditor::oneEntryMapLeavesNoMarkers()
{
    WidgetGradientEditor editor;
    editor.slotReset(1);
    QSignalSpy changed(&editor, &WidgetGradientEditor::gradientChanged);
    editor.setGradient(Gradient{{0.5f, Qt::green}});
    QVERIFY(editor.markers().isEmpty());
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.first().first().value<Gradient>(), Gradient());
    changed.clear();
    editor.setGradient(Gradient{{0.5f, Qt::green}, {0.1f, Qt::red}});  // appended silently
    QCOMPARE(markerList(editor), (MarkerList{{0.1f, QColor(Qt::red)}, {0.5f, QColor(Qt::green)}}));
    QCOMPARE(changed.count(), 0);
}

void TestGradientEditor::dragMovesByThePointerStepExceptAtOne_data()
{
    QTest::addColumn<float>("start");
    QTest::addColumn<int>("step");        // pixels the pointer moves after pressing the marker
    QTest::addColumn<float>("expected");  // on a bar 200 pixels wide
    QTest::newRow("at 1.0 it stays") << 1.0f << -20 << 1.0f;
    QTest::newRow("from 0.5 left by 20 px") << 0.5f << -20 << 0.4f;
    QTest::newRow("from 0.5 right by 30 px") << 0.5f << 30 << 0.65f;
    QTest::newRow("from 0.05 not past 0") << 0.05f << -20 << 0.05f;
}

void TestGradientEditor::dragMovesByThePointerStepExceptAtOne()
{
    QFETCH(float, start);
    QFETCH(int, step);
    QFETCH(float, expected);
    WidgetGradientEditor editor;
    editor.resize(200, 30);
    editor.setGradient(Gradient{{0.0f, Qt::blue}, {start, Qt::green}});
    QSignalSpy focus(&editor, &WidgetGradientEditor::focusMarkerChanged);
    const QPoint marker(qRound(200 * start), 25);
    QTest::mousePress(&editor, Qt::LeftButton, Qt::NoModifier, marker);
    dragTo(editor, marker + QPoint(step, 0));
    QTest::mouseRelease(&editor, Qt::LeftButton, Qt::NoModifier, marker + QPoint(step, 0));
    QCOMPARE(editor.markers().size(), 2);
    QVERIFY2(qAbs(editor.markers()[1].position - expected) < 1e-6f,
             qPrintable(QString("expected %1, got %2").arg(expected).arg(editor.markers()[1].position)));
    QCOMPARE(editor.markers()[0].position, 0.0f);
    QCOMPARE(focus.first().at(0).toFloat(), start);  // the press focuses the marker
    QCOMPARE(focus.last().at(0).toFloat(), editor.markers()[1].position);
}

void TestGradientEditor::rightClickRemovesWhileMoreThanTwoRemain_data()
{
    QTest::addColumn<Gradient>("gradient");
    QTest::addColumn<Gradient>("expected");
    const Gradient two{{0.0f, Qt::blue}, {0.5f, Qt::green}};
    QTest::newRow("two markers: both stay") << two << two;
    QTest::newRow("three markers: the clicked one goes")
        << Gradient{{0.0f, Qt::blue}, {0.5f, Qt::green}, {1.0f, Qt::red}}
        << Gradient{{0.0f, Qt::blue}, {1.0f, Qt::red}};
}

void TestGradientEditor::rightClickRemovesWhileMoreThanTwoRemain()
{
    QFETCH(Gradient, gradient);
    QFETCH(Gradient, expected);
    WidgetGradientEditor editor;
    editor.resize(200, 30);
    editor.setGradient(gradient);
    QTest::mouseClick(&editor, Qt::RightButton, Qt::NoModifier, QPoint(103, 25));
    QCOMPARE(editor.getGradient(), expected);
}

// The dialog's current value moves the marker pressed last, also after it was dragged.
void TestGradientEditor::focusedMarkerMovesToAGivenPosition()
{
    WidgetGradientEditor editor;
    editor.resize(200, 30);
    editor.slotReset(1);
    QTest::mousePress(&editor, Qt::LeftButton, Qt::NoModifier, QPoint(50, 25));  // the 0.25 marker
    dragTo(editor, QPoint(70, 25));
    QTest::mouseRelease(&editor, Qt::LeftButton, Qt::NoModifier, QPoint(70, 25));
    QSignalSpy changed(&editor, &WidgetGradientEditor::gradientChanged);
    editor.onfocusMarkerPositionChanged(0.6f);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(editor.getGradient(),
             (Gradient{{0.0f, QColor(0, 0, 255)}, {0.5f, QColor(0, 255, 0)}, {0.6f, QColor(0, 255, 255)},
                       {0.75f, QColor(255, 255, 0)}, {1.0f, QColor(255, 0, 0)}}));
}

QTEST_MAIN(TestGradientEditor)
#include "tst_GradientEditor.moc"
