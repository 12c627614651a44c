// The colour-scale dialog: its ".clr" reader, the "ColorScales" listing, the range fields and what
// OK sends to the section view.

#include <QBuffer>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "Dialog_Huebar.h"
#include "WidgetGradientEditor.h"

using Gradient = QMap<float, QColor>;

// The dialog's folder of scales is relative to the working folder: each test gets its own.
class WorkFolder {
    QTemporaryDir dir;
    QString previous = QDir::currentPath();

public:
    WorkFolder() { QDir::setCurrent(dir.path()); }
    ~WorkFolder() { QDir::setCurrent(previous); }
    void write(const QString &name, const QByteArray &text) const
    {
        QDir().mkpath(QFileInfo(name).path());
        QFile file(name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
};

static void setText(Dialog_Huebar &dialog, const QString &field, const QString &text)
{
    dialog.findChild<QLineEdit *>(field)->setText(text);
}

static void click(Dialog_Huebar &dialog, const QString &button)
{
    QTest::mouseClick(dialog.findChild<QPushButton *>(button), Qt::LeftButton);
}

// Colours within two steps per component (gradients are drawn from a colour table).
static bool near(const QColor &a, const QColor &b)
{
    return qAbs(a.red() - b.red()) <= 2 && qAbs(a.green() - b.green()) <= 2 && qAbs(a.blue() - b.blue()) <= 2;
}

class TestHuebarDialog : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { qRegisterMetaType<Gradient>(); }
    void colourScaleFileIsRead_data();
    void colourScaleFileIsRead();
    void scalesOfTheFolderFillTheComboInListingOrder();
    void withoutTheFolderTheEditorShowsTheRainbow();
    void currentValueFollowsAndMovesTheFocusedMarker();
    void remapMovesPositionsByTheRangeRatio_data();
    void remapMovesPositionsByTheRangeRatio();
    void okSendsTheGradientForTheRangeInTheFields_data();
    void okSendsTheGradientForTheRangeInTheFields();
};

void TestHuebarDialog::colourScaleFileIsRead_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<Gradient>("expected");
    QTest::newRow("first line only") << QByteArray("ColorScale 3\n") << Gradient{};
    QTest::newRow("percent, red, green, blue")
        << QByteArray("header\n0 0 0 255\n50,0,255,0\n100;255;0;0\n")
        << Gradient{{0.0f, QColor(0, 0, 255)}, {0.5f, QColor(0, 255, 0)}, {1.0f, QColor(255, 0, 0)}};
    QTest::newRow("a short line in the middle ends the scale")
        << QByteArray("header\n0 0 0 255\n25 1 2\n100 255 0 0\n") << Gradient{{0.0f, QColor(0, 0, 255)}};
    QTest::newRow("an empty line ends the scale")
        << QByteArray("header\n10 1 1 1\n\n90 2 2 2\n") << Gradient{{0.1f, QColor(1, 1, 1)}};
    QTest::newRow("repeated positions keep the last colour")
        << QByteArray("header\n40 1 1 1\n40 2 2 2\n80 3 3 3\n40 4 4 4\n")
        << Gradient{{0.4f, QColor(4, 4, 4)}, {0.8f, QColor(3, 3, 3)}};
    QTest::newRow("Windows line ends and mixed separators")
        << QByteArray("header\r\n0\t10*20|30\r\n 75 , 40 , 50 , 60 , extra\r\n")
        << Gradient{{0.0f, QColor(10, 20, 30)}, {0.75f, QColor(40, 50, 60)}};
}

void TestHuebarDialog::colourScaleFileIsRead()
{
    QFETCH(QByteArray, text);
    QFETCH(Gradient, expected);
    QBuffer file(&text);
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QCOMPARE(Dialog_Huebar::readColorScale(file), expected);
}

void TestHuebarDialog::scalesOfTheFolderFillTheComboInListingOrder()
{
    WorkFolder folder;
    folder.write("ColorScales/b-warm.clr", "warm\n0 255 255 0\n100 255 0 0\n");
    folder.write("ColorScales/a-empty.clr", "nothing but a title\n");
    folder.write("ColorScales/c-cold.clr", "cold\n0 0 0 255\n100 0 255 255\n");
    folder.write("ColorScales/notes.txt", "not a scale\n");
    Dialog_Huebar dialog;
    auto *combo = dialog.findChild<QComboBox *>("comboBox");
    QCOMPARE(combo->count(), 3);
    QVERIFY(dialog.editor()->markers().isEmpty());  // the first scale, empty, replaced the rainbow
    QCOMPARE(combo->itemText(0), QString("a-empty.clr"));
    QCOMPARE(combo->itemText(1), QString("b-warm.clr"));
    QCOMPARE(combo->itemText(2), QString("c-cold.clr"));
    QCOMPARE(combo->iconSize(), QSize(200, 20));
    QCOMPARE(combo->itemIcon(2).availableSizes().value(0), QSize(200, 20));
    const Gradient cold{{0.0f, QColor(0, 0, 255)}, {1.0f, QColor(0, 255, 255)}};
    QCOMPARE(dialog.colorScales().value(2), cold);
    combo->setCurrentIndex(2);
    QCOMPARE(dialog.editor()->getGradient(), cold);
    combo->setCurrentIndex(0);  // the empty scale leaves the editor without markers
    QVERIFY(dialog.editor()->markers().isEmpty());
    // The picture runs diagonally from the first colour at (0, 0) to the last at (200, 20).
    const QImage picture = Dialog_Huebar::scalePicture(cold).toImage();
    QVERIFY(near(picture.pixelColor(0, 0), QColor(0, 0, 255)));
    QVERIFY(near(picture.pixelColor(199, 19), QColor(0, 255, 255)));
    QVERIFY(near(picture.pixelColor(100, 10), QColor(0, 128, 255)));
}

void TestHuebarDialog::withoutTheFolderTheEditorShowsTheRainbow()
{
    WorkFolder folder;
    Dialog_Huebar dialog;
    QCOMPARE(dialog.findChild<QComboBox *>("comboBox")->count(), 0);
    QCOMPARE(dialog.editor()->getGradient(),
             (Gradient{{0.0f, QColor(0, 0, 255)}, {0.25f, QColor(0, 255, 255)}, {0.5f, QColor(0, 255, 0)},
                       {0.75f, QColor(255, 255, 0)}, {1.0f, QColor(255, 0, 0)}}));
}

void TestHuebarDialog::currentValueFollowsAndMovesTheFocusedMarker()
{
    WorkFolder folder;
    Dialog_Huebar dialog;
    dialog.onStaticResistivity(10.0f, 110.0f);
    auto *current = dialog.findChild<QLineEdit *>("lineEdit_Current");
    QCOMPARE(current->text(), QString("10"));
    QCOMPARE(dialog.findChild<QLineEdit *>("lineEdit_Max")->text(), QString("110"));
    WidgetGradientEditor *editor = dialog.editor();
    const QPoint quarter(qRound(editor->width() * 0.25), 25);  // the 0.25 marker
    QTest::mousePress(editor, Qt::LeftButton, Qt::NoModifier, quarter);
    QTest::mouseRelease(editor, Qt::LeftButton, Qt::NoModifier, quarter);
    QCOMPARE(current->text(), QString("35"));  // 10 + 100 x 0.25
    current->setText("70");
    click(dialog, "pushButton");
    QVERIFY(editor->getGradient().contains(0.6f));  // (70 - 10) / 100
    QVERIFY(!editor->getGradient().contains(0.25f));
    dialog.onStaticResistivity(5.0f, 5.0f);  // an empty range moves nothing
    current->setText("7");
    click(dialog, "pushButton");
    QVERIFY(editor->getGradient().contains(0.6f));
}

void TestHuebarDialog::remapMovesPositionsByTheRangeRatio_data()
{
    QTest::addColumn<float>("position");
    QTest::addColumn<float>("expected");  // range 10..110 moved onto 20..220
    QTest::newRow("0: 0 x 20 / 10") << 0.0f << 0.0f;
    QTest::newRow("0.25: 0.25 x 70 / 35") << 0.25f << 0.5f;
    QTest::newRow("0.5: 0.5 x 120 / 60") << 0.5f << 1.0f;
    QTest::newRow("1: 1 x 220 / 110") << 1.0f << 2.0f;
}

void TestHuebarDialog::remapMovesPositionsByTheRangeRatio()
{
    QFETCH(float, position);
    QFETCH(float, expected);
    const Gradient moved = Dialog_Huebar::remapGradient({{position, Qt::red}}, 10, 110, 20, 220);
    QCOMPARE(moved.size(), 1);
    QVERIFY2(qAbs(moved.firstKey() - expected) < 1e-6f, qPrintable(QString::number(moved.firstKey())));
    QCOMPARE(moved.first(), QColor(Qt::red));
}

void TestHuebarDialog::okSendsTheGradientForTheRangeInTheFields_data()
{
    QTest::addColumn<float>("min");
    QTest::addColumn<float>("max");
    QTest::addColumn<QString>("minField");
    QTest::addColumn<QString>("maxField");
    QTest::addColumn<Gradient>("expected");  // from the editor's two markers at 0.25 and 0.5
    const Gradient editor{{0.25f, QColor(0, 128, 255)}, {0.5f, QColor(0, 128, 0)}};
    QTest::newRow("range as shown") << 10.0f << 110.0f << "10" << "110" << editor;
    QTest::newRow("within 0.1 counts as unchanged") << 10.0f << 110.0f << "10.09" << "109.91" << editor;
    QTest::newRow("changed range: 0.25 x 70 / 35, 0.5 x 120 / 60")
        << 10.0f << 110.0f << "20" << "220"
        << Gradient{{0.5f, QColor(0, 128, 255)}, {1.0f, QColor(0, 128, 0)}};
    QTest::newRow("empty range: no remapping") << 5.0f << 5.0f << "1" << "9" << editor;
}

void TestHuebarDialog::okSendsTheGradientForTheRangeInTheFields()
{
    QFETCH(float, min);
    QFETCH(float, max);
    QFETCH(QString, minField);
    QFETCH(QString, maxField);
    QFETCH(Gradient, expected);
    WorkFolder folder;
    Dialog_Huebar dialog;
    dialog.editor()->slotReset(3);
    dialog.onStaticResistivity(min, max);
    setText(dialog, "lineEdit_Min", minField);
    setText(dialog, "lineEdit_Max", maxField);
    QSignalSpy sent(&dialog, &Dialog_Huebar::signal_HuebarChanged);
    dialog.show();
    click(dialog, "pushButton_ok");
    QCOMPARE(sent.count(), 1);
    const Gradient gradient = sent.first().first().value<Gradient>();
    QCOMPARE(gradient.keys().size(), expected.keys().size());
    for (auto entry = expected.cbegin(); entry != expected.cend(); ++entry) {
        const auto found = gradient.lowerBound(entry.key() - 1e-6f);
        QVERIFY(found != gradient.cend() && qAbs(found.key() - entry.key()) < 1e-6f);
        QCOMPARE(found.value(), entry.value());
    }
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

QTEST_MAIN(TestHuebarDialog)
#include "tst_HuebarDialog.moc"
