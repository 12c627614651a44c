// The axis-range dialog: OK emits the eight fields in the signal's order and closes, unusable
// fields are named and keep the dialog open, Cancel closes without a signal.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "Dialog_AxisSetting.h"

namespace {

const char *const kFields[] = {"lineEdit_MaxFreq",  "lineEdit_MinFreq",  "lineEdit_MaxAppR",
                               "lineEdit_MinAppR",  "lineEdit_MaxDepth", "lineEdit_MinDepth",
                               "lineEdit_MaxTrueR", "lineEdit_MinTrueR"};

void typeInto(Dialog_AxisSetting &dialog, const QStringList &texts)
{
    for (int i = 0; i < 8; ++i) {
        auto *field = dialog.findChild<QLineEdit *>(kFields[i]);
        QVERIFY(field);
        field->clear();
        QTest::keyClicks(field, texts[i]);
    }
}

} // namespace

class TestAxisSetting : public QObject {
    Q_OBJECT
private slots:
    void okEmitsTheEightFieldsInOrder();
    void unusableFieldsKeepTheDialogOpen_data();
    void unusableFieldsKeepTheDialogOpen();
    void cancelClosesWithoutSignal();
};

void TestAxisSetting::okEmitsTheEightFieldsInOrder()
{
    Dialog_AxisSetting dialog;
    dialog.show();
    QSignalSpy spy(&dialog, &Dialog_AxisSetting::ChartAxisChanged);
    typeInto(dialog, {"8192", "0.001", "30000", "0.5", "60000", "20", "12000", "2.5"});
    QTest::mouseClick(dialog.findChild<QPushButton *>("pushButtonOK"), Qt::LeftButton);
    QCOMPARE(spy.count(), 1);
    const QList<float> expected = {8192.f, 0.001f, 30000.f, 0.5f, 60000.f, 20.f, 12000.f, 2.5f};
    for (int i = 0; i < 8; ++i)
        QCOMPARE(spy.first().at(i).toFloat(), expected[i]);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
}

void TestAxisSetting::unusableFieldsKeepTheDialogOpen_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty minimum frequency")
        << QStringList{"1000", "", "1000", "1", "1000", "10", "1000", "1"}
        << QStringLiteral("最低频率(Hz)须为正数");
    QTest::newRow("zero true resistivity")
        << QStringList{"1000", "1", "1000", "1", "1000", "10", "1000", "0"}
        << QStringLiteral("最小真电阻率须为正数");
    QTest::newRow("depths reversed")
        << QStringList{"1000", "1", "1000", "1", "10", "1000", "1000", "1"}
        << QStringLiteral("最大深度(m)须大于最小深度(m)");
}

void TestAxisSetting::unusableFieldsKeepTheDialogOpen()
{
    QFETCH(QStringList, texts);
    QFETCH(QString, message);
    Dialog_AxisSetting dialog;
    dialog.show();
    QSignalSpy spy(&dialog, &Dialog_AxisSetting::ChartAxisChanged);
    typeInto(dialog, texts);
    QTest::mouseClick(dialog.findChild<QPushButton *>("pushButtonOK"), Qt::LeftButton);
    QCOMPARE(spy.count(), 0);
    QVERIFY(dialog.isVisible());
    bool shown = false;
    for (const QLabel *label : dialog.findChildren<QLabel *>())
        shown |= label->text() == message;
    QVERIFY2(shown, qPrintable(message));
}

void TestAxisSetting::cancelClosesWithoutSignal()
{
    Dialog_AxisSetting dialog;
    dialog.show();
    QSignalSpy spy(&dialog, &Dialog_AxisSetting::ChartAxisChanged);
    QTest::mouseClick(dialog.findChild<QPushButton *>("pushButtonCancle"), Qt::LeftButton);
    QCOMPARE(spy.count(), 0);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!dialog.isVisible());
}

QTEST_MAIN(TestAxisSetting)
#include "tst_AxisSetting.moc"
