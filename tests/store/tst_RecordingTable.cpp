#include "LogCapture.h"
#include "RecordingTableReader.h"

#include <QDateTime>
#include <QDir>
#include <QTextStream>
#include <QtTest>
#include <QTemporaryDir>

// The station folder's recording table read into a recording description.
class TestRecordingTable : public QObject {
    Q_OBJECT
private slots:
    void rowSelection_data();
    void rowSelection();
    void separatorsReadAlike_data();
    void separatorsReadAlike();
    void codes_data();
    void codes();
    void duration_data();
    void duration();
    void startTime_data();
    void startTime();
    void missingTableIsLoggedAndKeepsValues();

private:
    QString writeTable(const QStringList &rows, const QString &headerLine = "1234 recorder");
    QTemporaryDir m_dir;
    int m_serial = 0;
};


namespace {

// The 24 fields of one recorder row; sensor is the Ex serial, files the names from field 22 on.
QStringList rowFields(int number, const QString &sensor, const QStringList &files = {"a.dat", "b.dat"})
{
    return QStringList{QString::number(number), "1", "1", "1", "1", "0", sensor, "E102", "H201",
                       "H202", "E103", "3", "5", "50", "60", "0", "1",
                       QString::fromUtf8("2时30分0秒"), QString::fromUtf8("不极化电极"),
                       QString::fromUtf8("矢量"), "2023-05-01", "08:30:00"}
           + files;
}

QString row(int number, const QString &sensor, const QStringList &files = {"a.dat", "b.dat"})
{
    return rowFields(number, sensor, files).join(", ");
}

} // namespace

QString TestRecordingTable::writeTable(const QStringList &rows, const QString &headerLine)
{
    const QString folder = m_dir.filePath(QStringLiteral("Station %1").arg(++m_serial));
    QDir().mkpath(folder);
    QFile file(folder + "/config.ini");
    file.open(QIODevice::WriteOnly | QIODevice::Text);
    QTextStream out(&file);
    out.setCodec("UTF-8");
    out << QString::fromUtf8("测站记录表\n") << headerLine << "\n"
        << "No ExOn EyOn HxOn HyOn Ex2On ...\n";
    for (const QString &r : rows)
        out << r << "\n";
    return folder;
}

void TestRecordingTable::rowSelection_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("number");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("exSensor");
    QTest::addColumn<QStringList>("fileNames");
    QTest::newRow("rows 1 and 2 differ") << QStringList{row(1, "S1", {"one.dat"}), row(2, "S2", {"two.dat"})}
                                         << 2 << true << "S2" << QStringList{"two.dat"};
    QTest::newRow("same number twice: last wins")
        << QStringList{row(1, "first", {"x.dat"}), row(2, "other"), row(1, "last", {"y.dat", "z.dat"})}
        << 1 << true << "last" << QStringList{"y.dat", "z.dat"};
    QTest::newRow("short row after a full one is skipped")
        << QStringList{row(1, "full"), rowFields(1, "short").mid(0, 20).join(" ")} << 1 << true
        << "full" << QStringList{"a.dat", "b.dat"};
    QTest::newRow("only a short row") << QStringList{rowFields(1, "short").mid(0, 20).join(" ")}
                                      << 1 << false << "" << QStringList{};
    QTest::newRow("no row of the number") << QStringList{row(1, "S1"), row(3, "S3")} << 2 << false
                                          << "" << QStringList{};
    QTest::newRow("blank lines between rows") << QStringList{"", row(4, "S4"), "   "} << 4 << true
                                              << "S4" << QStringList{"a.dat", "b.dat"};
}

void TestRecordingTable::rowSelection()
{
    QFETCH(QStringList, rows);
    QFETCH(int, number);
    QFETCH(bool, found);
    QFETCH(QString, exSensor);
    QFETCH(QStringList, fileNames);
    const QString folder = writeTable(rows);
    RecordingInfo info;
    LogCapture log;
    QCOMPARE(RecordingTableReader::read(folder, number, info), found);
    QCOMPARE(info.exSensor, exSensor);
    QStringList expectedFiles;
    for (const QString &name : fileNames)
        expectedFiles << folder + "/" + name;
    QCOMPARE(info.files, expectedFiles);
    QCOMPARE(info.instrumentNumber, 1234);
}

void TestRecordingTable::separatorsReadAlike_data()
{
    QTest::addColumn<QString>("separator");
    QTest::newRow("comma blank") << ", ";
    QTest::newRow("tab") << "\t";
    QTest::newRow("runs of blanks") << "   ";
    QTest::newRow("semicolon bar asterisk") << ";|*";
    QTest::newRow("mixed comma and tab") << ",\t";
}

void TestRecordingTable::separatorsReadAlike()
{
    QFETCH(QString, separator);
    const QString folder = writeTable({rowFields(7, "E101").join(separator)}, "  42;recorder");
    RecordingInfo info;
    QVERIFY(RecordingTableReader::read(folder, 7, info));
    QCOMPARE(info.instrumentNumber, 42);
    QCOMPARE((QList<bool>{info.hasEx, info.hasEy, info.hasHx, info.hasHy, info.hasEx2}),
             (QList<bool>{true, true, true, true, false}));
    QCOMPARE((QStringList{info.exSensor, info.eySensor, info.hxSensor, info.hySensor, info.ex2Sensor}),
             (QStringList{"E101", "E102", "H201", "H202", "E103"}));
    QCOMPARE(info.eGainNumber, 3);
    QCOMPARE(info.hGainNumber, 5);
    QCOMPARE(info.exDipole, 50.0);
    QCOMPARE(info.eyDipole, 60.0);
    QCOMPARE(info.ex2Dipole, 0.0);
    QCOMPARE(info.lowBand, 1);
    QCOMPARE((QList<int>{info.hours, info.minutes, info.seconds}), (QList<int>{2, 30, 0}));
    QCOMPARE(info.electrodeType, 1);
    QCOMPARE(info.measureMode, 1);
    QCOMPARE(info.files, (QStringList{folder + "/a.dat", folder + "/b.dat"}));
}

void TestRecordingTable::codes_data()
{
    QTest::addColumn<QString>("electrode");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("electrodeCode");
    QTest::addColumn<int>("modeCode");
    QTest::addColumn<QString>("dipole");
    QTest::addColumn<double>("dipoleMetres");
    QTest::newRow("polarising scalar") << "极化电极" << "标量" << 0 << 0 << "100" << 100.0;
    QTest::newRow("common point") << "不极化电极" << "共点多极化" << 1 << 2 << "20" << 20.0;
    QTest::newRow("on water") << "极化电极" << "水上实验" << 0 << 5 << "20" << 20.0;
    QTest::newRow("unknown texts keep -1") << "铜电极" << "其他" << -1 << -1 << "20" << 20.0;
    QTest::newRow("decimal dipole") << "极化电极" << "标量" << 0 << 0 << "50.5" << 50.5;
    QTest::newRow("unreadable dipole") << "极化电极" << "标量" << 0 << 0 << "n/a" << 0.0;
}

void TestRecordingTable::codes()
{
    QFETCH(QString, electrode);
    QFETCH(QString, mode);
    QFETCH(int, electrodeCode);
    QFETCH(int, modeCode);
    QFETCH(QString, dipole);
    QFETCH(double, dipoleMetres);
    QStringList fields = rowFields(1, "E101");
    fields[13] = dipole;
    fields[18] = electrode;
    fields[19] = mode;
    RecordingInfo info;
    QVERIFY(RecordingTableReader::read(writeTable({fields.join(" ")}), 1, info));
    QCOMPARE(info.electrodeType, electrodeCode);
    QCOMPARE(info.measureMode, modeCode);
    QCOMPARE(info.exDipole, dipoleMetres);
}

void TestRecordingTable::duration_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("hours");
    QTest::addColumn<int>("minutes");
    QTest::addColumn<int>("seconds");
    QTest::newRow("1h 5min 30s") << "1时5分30秒" << 1 << 5 << 30;
    QTest::newRow("2h 30min") << "2时30分0秒" << 2 << 30 << 0;
    QTest::newRow("two-digit parts") << "12时45分59秒" << 12 << 45 << 59;
    QTest::newRow("minutes and seconds only") << "5分30秒" << 0 << 5 << 30;
    QTest::newRow("no markers") << "0230" << 0 << 0 << 0;
}

void TestRecordingTable::duration()
{
    QFETCH(QString, text);
    QFETCH(int, hours);
    QFETCH(int, minutes);
    QFETCH(int, seconds);
    int h = -9, m = -9, s = -9;
    RecordingTableReader::parseDuration(text, h, m, s);
    QCOMPARE((QList<int>{h, m, s}), (QList<int>{hours, minutes, seconds}));
}

void TestRecordingTable::startTime_data()
{
    QTest::addColumn<QString>("field20");
    QTest::addColumn<QString>("field21");
    QTest::addColumn<QDateTime>("expected");  // invalid: stored as 0
    QTest::newRow("date and time of day") << "2023-05-01" << "08:30:00"
                                          << QDateTime(QDate(2023, 5, 1), QTime(8, 30, 0));
    QTest::newRow("single-digit hour") << "2021-12-31" << "7:05:09"
                                       << QDateTime(QDate(2021, 12, 31), QTime(7, 5, 9));
    QTest::newRow("date only") << "2023-05-01" << "-" << QDateTime();
    QTest::newRow("not a date") << "yesterday" << "08:30:00" << QDateTime();
}

void TestRecordingTable::startTime()
{
    QFETCH(QString, field20);
    QFETCH(QString, field21);
    QFETCH(QDateTime, expected);
    QStringList fields = rowFields(1, "E101");
    fields[20] = field20;
    fields[21] = field21;
    const QString folder = writeTable({fields.join(" ")});
    RecordingInfo info;
    LogCapture log;
    QVERIFY(RecordingTableReader::read(folder, 1, info));
    QCOMPARE(qint64(info.startTime), expected.isValid() ? expected.toSecsSinceEpoch() : 0);
    QCOMPARE(info.files, (QStringList{folder + "/a.dat", folder + "/b.dat"}));
}

void TestRecordingTable::missingTableIsLoggedAndKeepsValues()
{
    const QString folder = m_dir.filePath("empty station");
    QDir().mkpath(folder);
    RecordingInfo info;
    info.exSensor = "before";
    info.files = QStringList{"kept.dat"};
    LogCapture log;
    QVERIFY(!RecordingTableReader::read(folder, 1, info));
    QVERIFY(log.hasPrefix(folder + "/config.ini config.ini文件不存在！"));
    QCOMPARE(info.exSensor, QString("before"));
    QCOMPARE(info.files, QStringList{"kept.dat"});
}

int runRecordingTableTests(int argc, char **argv)
{
    TestRecordingTable test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_RecordingTable.moc"
