// Recording descriptors and record types, the recording table, entity operations and a ready project.

#include "CurveBlob.h"
#include "ErrorBarBlob.h"
#include "Data_Line.h"
#include "Data_ProcessData.h"
#include "Data_Project.h"
#include "Data_SampleData.h"
#include "Data_Station.h"
#include "ProcessingRecords.h"
#include "RecordingDescriptors.h"
#include "RecordingTableReader.h"
#include "StoreSupport.h"
#include "SyntheticProject.h"

#include <QDateTime>
#include <climits>

using namespace RecordingDescriptors;
using Curve = QVector<OneFreqImpedance>;
using Rows = QList<QStringList>;

namespace {

// One hour of the present channels, one file per channel tag.
RecordingHeader header(int rate, int lowBand, const QString &present)
{
    const QStringList p = present.split(' ');
    return RecordingHeader{"H201", "H202", "E101", "E102", "E103", p.contains("Hx"), p.contains("Hy"), p.contains("Ex"),
                           p.contains("Ey"), p.contains("Ex2"), 3, 5, 50, 60, 0.1, rate, 1, 0, 0, lowBand,
                           {"/p/r_E0.dat", "/p/r_E1.dat", "/p/r_E2.dat", "/p/r_Hx.dat", "/p/r_Hy.dat"}, 1234};
}

// The 24 fields of one recorder row; sensor is the Ex serial, files the names from field 22 on.
QStringList rowFields(int number, const QString &sensor, const QStringList &files = {"a.dat", "b.dat"})
{
    return QStringList{QString::number(number), "1", "1", "1", "1", "0", sensor, "E102", "H201", "H202", "E103",
                       "3", "5", "50", "60", "0", "1", QString::fromUtf8("2时30分0秒"),
                       QString::fromUtf8("不极化电极"), QString::fromUtf8("矢量"), "2023-05-01", "08:30:00"}
           + files;
}

// A one-record curve identified by its tag.
QByteArray tagged(double tag)
{
    return CurveBlob::encode({OneFreqImpedance{tag, 1.0, 0.9, 100.0, 45.0, 100.0, 3560.0}});
}

QList<double> tagsOf(const Curve &c)
{
    QList<double> tags;
    for (const OneFreqImpedance &r : c)
        tags << r.tag;
    return tags;
}

} // namespace

class TestRecords : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }
    void channelDescriptors_data();
    void channelDescriptors();
    void absurdDurationsHeldInRange_data();
    void absurdDurationsHeldInRange();
    void pairDescriptors_data();
    void pairDescriptors();
    void metaTypeNames();
    void tableRows_data();
    void tableRows();
    void fieldMeanings_data();
    void fieldMeanings();
    void curveBlobLayout();
    void errorBarBlobLayout();
    void lineCurves_data();
    void lineCurves();
    void assembledCurves();
    void readyProjectReadBack();

private:
    QString writeTable(const QStringList &lines);
    QTemporaryDir m_dir;
    int m_serial = 0;
};

void TestRecords::channelDescriptors_data()
{
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("lowBand");
    QTest::addColumn<int>("samples");   // in one hour
    QTest::addColumn<double>("scale");  // mV per count
    QTest::addColumn<QString>("band");
    QTest::newRow("4096 Hz, high band flag") << 4096 << 0 << 14745600 << 2500 / 4294967296.0 << "Low-H";
    QTest::newRow("4096 Hz, low band flag") << 4096 << 1 << 14745600 << 2500 / 4294967296.0 << "Low-L";
    QTest::newRow("4097 Hz") << 4097 << 1 << 14749200 << 3000 / 8388608.0 << "High-H";
    QTest::newRow("24000 Hz") << 24000 << 1 << 86400000 << 3000 / 8388608.0 << "High-H";
}

// Channels Ex, Ex2, Hx, Hy (Ey absent) as "code dipole band sensor gain data"; the last matching file wins.
void TestRecords::channelDescriptors()
{
    QFETCH(int, rate);
    QFETCH(int, lowBand);
    QFETCH(int, samples);
    QFETCH(double, scale);
    QFETCH(QString, band);
    const RecordingHeader h = header(rate, lowBand, "Ex Ex2 Hx Hy");
    QStringList got;
    for (const MTSampleData &c : buildChannelSamples(h)) {
        QVERIFY(c.sampleCount == samples && c.sampleFrequency == rate && c.duration == 3600.0f);
        QCOMPARE(c.countScale, float(scale));
        got << QString("%1 %2 %3 %4 %5 %6").arg(c.channel).arg(c.dipoleLength).arg(c.lowBand).arg(c.sensorFile)
                   .arg(c.gainFile.section('/', 2)).arg(c.dataFile);
    }
    const QString b = band + "/", l = QString::number(lowBand);
    QCOMPARE(got, (QStringList{"1 50 " + l + " SensorsFile/E101.txt " + b + "Ex-3.txt /p/r_E0.dat",
                               "5 0.1 " + l + " SensorsFile/E103.txt " + b + "Ex2-3.txt /p/r_E2.dat",
                               "3 0 0 SensorsFile/H201.txt " + b + "Hx-5.txt /p/r_Hx.dat",
                               "4 0 0 SensorsFile/H202.txt " + b + "Hy-5.txt /p/r_Hy.dat"}));
    const OneMTSample exHy = buildPairSamples(h).at(0);
    QVERIFY(exHy.sampleCount == samples && exHy.countScale == float(scale));
    QCOMPARE(exHy.eGainFile, "GainCalibration/1234/" + b + "Ex-3.txt");
    QCOMPARE(exHy.hGainFile, "GainCalibration/1234/" + b + "Hy-5.txt");
    const QStringList files{"/Hydro/a_E0.dat", "/Hydro/b_E0.dat", "/Hydro/c_Hx.dat", "/Hydro/x_e1.dat"};
    QCOMPARE(dataFileFor(files, "E0"), QString("/Hydro/b_E0.dat"));
    QVERIFY(dataFileFor(files, "Hy").isEmpty() && dataFileFor(files, "E1").isEmpty());
}

void TestRecords::absurdDurationsHeldInRange_data()
{
    QTest::addColumn<int>("hours");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("samples");
    QTest::newRow("one hour at 24 kHz") << 1 << 0 << 24000 << 86400000;
    QTest::newRow("minus five hours") << -5 << 0 << 24000 << -432000000;
    QTest::newRow("2^31 - 1 hours") << INT_MAX << 0 << 24000 << INT_MAX;
    QTest::newRow("2^31 - 1 seconds") << 0 << INT_MAX << 4096 << INT_MAX;
    QTest::newRow("-2^31 hours") << INT_MIN << 0 << 150 << INT_MIN;
}

// The sample count of a recording (rate times duration) is held within the int range.
void TestRecords::absurdDurationsHeldInRange()
{
    QFETCH(int, hours);
    QFETCH(int, seconds);
    QFETCH(int, rate);
    QFETCH(int, samples);
    RecordingHeader h = header(rate, 0, "Ex Ey Hx Hy");
    h.hours = hours;
    h.seconds = seconds;
    for (const MTSampleData &c : buildChannelSamples(h))
        QCOMPARE(c.sampleCount, samples);
    for (const OneMTSample &pair : buildPairSamples(h))
        QCOMPARE(pair.sampleCount, samples);
}

void TestRecords::pairDescriptors_data()
{
    QTest::addColumn<QString>("channels");  // present channels
    QTest::addColumn<QStringList>("pairs");
    QTest::addColumn<QStringList>("singleHPairs");
    QTest::newRow("Ex Ey Hx Hy") << "Ex Ey Hx Hy" << QStringList{"EyHx E1 Hx 60", "ExHy E0 Hy 50"}
                                 << QStringList{"EyHx E1 Hy 60", "ExHy E0 Hy 50"};
    QTest::newRow("Hx without Hy") << "Ex Ey Ex2 Hx" << QStringList{"EyHx E1 Hx 60"}
                                   << QStringList{"EyHx E1 Hx 60", "ExHy E0 Hx 50", "Ex2Hy E2 Hx 0.1"};
    QTest::newRow("all five") << "Ex Ey Ex2 Hx Hy" << QStringList{"EyHx E1 Hx 60", "ExHy E0 Hy 50", "Ex2Hy E2 Hy 0.1"}
                              << QStringList{"EyHx E1 Hy 60", "ExHy E0 Hy 50", "Ex2Hy E2 Hy 0.1"};
    QTest::newRow("Hy only magnetic") << "Ex Ey Hy" << QStringList{"ExHy E0 Hy 50"}
                                      << QStringList{"EyHx E1 Hy 60", "ExHy E0 Hy 50"};
}

// "pairName eTag hTag dipole" with the channel tags of the data files; every pair carries the band flag.
void TestRecords::pairDescriptors()
{
    QFETCH(QString, channels);
    QFETCH(QStringList, pairs);
    QFETCH(QStringList, singleHPairs);
    const RecordingHeader h = header(24000, 1, channels);
    QStringList built[2];
    for (int single = 0; single < 2; ++single) {
        for (const OneMTSample &p : single ? buildSingleHPairSamples(h) : buildPairSamples(h)) {
            built[single] << QString("%1 %2 %3 %4").arg(p.pairName, p.eDataFile.mid(5, 2), p.hDataFile.mid(5, 2))
                                                   .arg(p.dipoleLength);
            QCOMPARE(p.lowBand, 1);
        }
    }
    QCOMPARE(built[0], pairs);
    QCOMPARE(built[1], singleHPairs);
}

// The records travel in queued signals under these names.
void TestRecords::metaTypeNames()
{
    registerProcessingMetaTypes();
    for (const char *name : {"ReCalculateParam", "MTSampleData", "OneMTSample", "ChannelCode", "DataType_ResultData",
                             "TopoData", "RecordingHeader", "QList<MTSampleData>", "QList<OneMTSample>",
                             "QList<DataType_ResultData>", "QVector<TopoData>"})
        QVERIFY2(QMetaType::type(name) != QMetaType::UnknownType, name);
}

QString TestRecords::writeTable(const QStringList &lines)
{
    const QString folder = m_dir.filePath(QStringLiteral("Station %1").arg(++m_serial));
    QFile file(folder + "/config.ini");
    if (QDir().mkpath(folder) && file.open(QIODevice::WriteOnly))
        file.write(("测站记录表\n  42;recorder\nNo ExOn EyOn ...\n" + lines.join('\n') + '\n').toUtf8());
    return folder;
}

void TestRecords::tableRows_data()
{
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("exSensor");  // empty: no row read
    QTest::addColumn<QStringList>("fileNames");
    const QStringList shortRow = rowFields(1, "short").mid(0, 20);
    QTest::newRow("same number twice: last wins")
        << Rows{rowFields(1, "first", {"x.dat"}), rowFields(2, "other"), rowFields(1, "last", {"y.dat", "z.dat"})}
        << ", " << 1 << "last" << QStringList{"y.dat", "z.dat"};
    QTest::newRow("short row after a full one is skipped") << Rows{rowFields(1, "full"), shortRow} << " " << 1 << "full"
                                                           << QStringList{"a.dat", "b.dat"};
    QTest::newRow("only a short row") << Rows{shortRow} << " " << 1 << "" << QStringList{};
    QTest::newRow("no row of the number") << Rows{rowFields(1, "S1"), rowFields(3, "S3")} << " " << 2 << ""
                                          << QStringList{};
    QTest::newRow("blank lines") << Rows{{""}, rowFields(4, "S4"), {"   "}} << " " << 4 << "S4"
                                 << QStringList{"a.dat", "b.dat"};
    QTest::newRow("no table") << Rows{} << " " << 1 << "" << QStringList{};
    const QString longName = QString(1 << 20, 'a') + ".dat";
    QTest::newRow("a megabyte file name") << Rows{rowFields(5, "S5", {longName})} << " " << 5 << "S5"
                                          << QStringList{longName};
    for (const char *separator : {"\t", "   ", ";|*", ",\t"})
        QTest::addRow("separator '%s'", separator) << Rows{rowFields(7, "E101")} << separator << 7 << "E101"
                                                   << QStringList{"a.dat", "b.dat"};
}

// Switches and serials in the recorder's order Ex, Ey, Hx, Hy, Ex2, then gains, dipoles, band, electrode
// and mode; files resolved against the station folder. A missing table is logged and leaves the values.
void TestRecords::tableRows()
{
    QFETCH(Rows, rows);
    QFETCH(QString, separator);
    QFETCH(int, number);
    QFETCH(QString, exSensor);
    QFETCH(QStringList, fileNames);
    QStringList lines;
    for (const QStringList &fields : rows)
        lines << fields.join(separator);
    const QString folder = writeTable(lines);
    if (rows.isEmpty()) {
        QVERIFY(QFile::remove(folder + "/config.ini"));
        expectLog(folder + "/config.ini config.ini文件不存在！");
    }
    RecordingHeader i;
    i.instrumentNumber = 7;
    QCOMPARE(RecordingTableReader::read(folder, number, i), !exSensor.isEmpty());
    QCOMPARE(i.exSensor, exSensor);
    QStringList expectedFiles;
    for (const QString &name : fileNames)
        expectedFiles << folder + "/" + name;
    QCOMPARE(i.files, expectedFiles);
    QCOMPARE(i.instrumentNumber, rows.isEmpty() ? 7 : 42);  // line 2: "  42;recorder"
    if (!exSensor.isEmpty()) {
        QCOMPARE(QStringList({i.eySensor, i.hxSensor, i.hySensor, i.ex2Sensor}).join(' '),
                 QString("E102 H201 H202 E103"));
        QCOMPARE((QList<double>{double(i.hasEx), double(i.hasEy), double(i.hasHx), double(i.hasHy), double(i.hasEx2),
                                double(i.eGainNumber), double(i.hGainNumber), i.exDipole, i.eyDipole, i.ex2Dipole,
                                double(i.lowBand), double(i.electrodeType), double(i.measureMode)}),
                 (QList<double>{1, 1, 1, 1, 0, 3, 5, 50, 60, 0, 1, 1, 1}));
    }
}

void TestRecords::fieldMeanings_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("meaning");
    QTest::addColumn<QVariant>("expected");
    const auto start = [](int h, int m, int s) { return QDateTime({2023, 5, 1}, QTime(h, m, s)).toSecsSinceEpoch(); };
    QTest::newRow("decimal dipole") << 13 << "50.5" << "dipole" << QVariant(50.5);
    QTest::newRow("unreadable dipole") << 13 << "n/a" << "dipole" << QVariant(0.0);
    QTest::newRow("12h 5min 30s") << 17 << "12时5分30秒" << "duration" << QVariant("12 5 30");
    QTest::newRow("minutes and seconds only") << 17 << "5分30秒" << "duration" << QVariant("0 5 30");
    QTest::newRow("no markers") << 17 << "0230" << "duration" << QVariant("0 0 0");
    QTest::newRow("2^31 - 1 hours") << 17 << "2147483647时0分0秒" << "duration" << QVariant("2147483647 0 0");
    QTest::newRow("hours beyond int") << 17 << "99999999999时5分" << "duration" << QVariant("0 5 0");
    QTest::newRow("infinite dipole") << 13 << "inf" << "dipole" << QVariant(qInf());
    QTest::newRow("denormal dipole") << 13 << "4.9e-324" << "dipole" << QVariant(4.9e-324);
    QTest::newRow("polarising") << 18 << "极化电极" << "electrode" << QVariant(0);
    QTest::newRow("scalar") << 19 << "标量" << "mode" << QVariant(0);
    QTest::newRow("unknown mode") << 19 << "其他" << "mode" << QVariant(-1);
    QTest::newRow("date and time") << 21 << "08:30:00" << "start" << QVariant(start(8, 30, 0));
    QTest::newRow("single-digit hour") << 21 << "7:05:09" << "start" << QVariant(start(7, 5, 9));
    QTest::newRow("date only") << 21 << "-" << "start" << QVariant(0);
    QTest::newRow("not a date") << 20 << "yesterday" << "start" << QVariant(0);
}

// One field of an otherwise ordinary row; an unreadable start time is stored as 0, the row still read.
void TestRecords::fieldMeanings()
{
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(QString, meaning);
    QFETCH(QVariant, expected);
    QStringList fields = rowFields(1, "E101");
    fields[field] = text;
    RecordingHeader i;
    QVERIFY(RecordingTableReader::read(writeTable({fields.join(" ")}), 1, i));
    const QMap<QString, QVariant> read{{"dipole", i.exDipole}, {"electrode", i.electrodeType}, {"mode", i.measureMode},
                                       {"start", qint64(i.startTime)},
                                       {"duration", QString("%1 %2 %3").arg(i.hours).arg(i.minutes).arg(i.seconds)}};
    QCOMPARE(read.value(meaning), expected);
}

// Seven little-endian doubles a record (tag, freq, coherency, rho, phase, Bostick rho and depth).
void TestRecords::curveBlobLayout()
{
    const QByteArray expected = QByteArray::fromHex("0000000000000000 000000000000f03f 000000000000e03f "
                                                    "0000000000000040 00000000000000c0 " + QByteArray(32, '0'));
    QCOMPARE(CurveBlob::encode({OneFreqImpedance{0.0, 1.0, 0.5, 2.0, -2.0, 0.0, 0.0}}), expected);
    const Curve back = CurveBlob::decode(expected + QByteArray(55, '\x7f'));  // a partial record is ignored
    QVERIFY(back.size() == 1 && back[0].freq == 1.0 && back[0].coherency == 0.5 && back[0].phase == -2.0);
}

// Three little-endian doubles a record (frequency, resistivity error, phase error), beside the curve.
void TestRecords::errorBarBlobLayout()
{
    const QByteArray expected = QByteArray::fromHex("000000000000f03f 0000000000000040 00000000000000c0");
    QCOMPARE(ErrorBarBlob::encode({ImpedanceErrorBar{1.0, 2.0, -2.0}}), expected);
    const QVector<ImpedanceErrorBar> back = ErrorBarBlob::decode(expected + QByteArray(23, '\x7f'));
    QVERIFY(back.size() == 1 && back[0].freq == 1.0 && back[0].rhoError == 2.0 && back[0].phaseError == -2.0);
    QVERIFY(ErrorBarBlob::decode(QByteArray()).isEmpty());
}

void TestRecords::lineCurves_data()
{
    QTest::addColumn<QString>("request");  // "section mode lowest highest" (-1: no bound) or "channels ..."
    QTest::addColumn<QStringList>("curves");  // "station tag"
    QTest::newRow("10 to 20") << "section 0 10 20" << QStringList{"10 100", "20 200"};
    QTest::newRow("30 to 20") << "section 0 30 20" << QStringList{};
    QTest::newRow("from 10") << "section 0 10 -1" << QStringList{"10 100", "20 200", "25 250"};
    QTest::newRow("between stations") << "section 0 11 19" << QStringList{};
    QTest::newRow("EyHx") << "section 1 -1 -1" << QStringList{"10 101", "20 201"};
    QTest::newRow("Ex2Hy") << "section 2 -1 -1" << QStringList{"25 252"};
    QTest::newRow("multi-polarity") << "section 3 -1 -1" << QStringList{"20 203"};
    QTest::newRow("channels, per station Ex Ex2 Ey") << "channels Ey Ex2 Ex"
        << QStringList{"5 50 Ex", "10 100 Ex", "10 101 Ey", "20 200 Ex", "20 201 Ey", "25 250 Ex", "25 252 Ex2"};
}

// Line stations 5, 10, 15 (unused), 20 and 25 with curves tagged station x 10 + mode (0 ExHy, 1 EyHx,
// 2 Ex2Hy, 3 multi-polarity). Used stations with a curve of the mode within the bounds, the outputs
// emptied first; or per used station the curves named in the order Ex, Ex2, Ey.
void TestRecords::lineCurves()
{
    QFETCH(QString, request);
    QFETCH(QStringList, curves);
    auto db = openProject(m_dir.filePath(QString("line-%1.HMT").arg(QTest::currentDataTag())));
    QVERIFY(db);
    DORE_Collection<Data_Line> lines(db.get());
    Data_Line *line = lines.appendNew().object;
    for (const auto &s : QList<QPair<float, QByteArray>>{{5, "0"}, {10, "01"}, {15, "0"}, {20, "013"}, {25, "02"}}) {
        Data_Station *row = line->REF_Data_Station()->appendNew().object;
        auto blob = [&](int mode) { return s.second.contains('0' + mode) ? tagged(s.first * 10 + mode) : ""; };
        row->setStationNum(s.first);
        row->setUse(s.first != 15);
        row->setData_ImpedanceEx(blob(0));
        row->setData_ImpedanceEy(blob(1));
        row->setData_ImpedanceEx2(blob(2));
        row->setData_ImpedanceMP(blob(3));
        row->commit();
    }
    const QStringList words = request.split(' ');
    QStringList got;
    if (words[0] == "section") {
        QList<Curve> section{Curve(3)};
        QList<double> at{-1};
        line->sectionData(words[1].toInt(), words[2].toDouble(), words[3].toDouble(), section, at);
        for (int i = 0; i < std::max(at.size(), section.size()); ++i)
            got << QString("%1 %2").arg(at.value(i)).arg(tagsOf(section.value(i)).value(0));
    }
    for (const StationCurve &c : words[0] == "channels" ? line->channelSelection(words.mid(1)) : QList<StationCurve>())
        got << QString("%1 %2 %3").arg(c.stationNum).arg(tagsOf(c.curve).value(0)).arg(c.component);
    QCOMPARE(got, curves);
}

// Results of used recordings below 500 kHz by channel, in recording order; none: a logged line.
void TestRecords::assembledCurves()
{
    auto db = openProject(m_dir.filePath("assembly.HMT"));
    QVERIFY(db);
    DORE_Collection<Data_Station> stations(db.get());
    Data_Station *station = stations.appendNew().object;
    expectLog("Data_Station::assembledCurves");
    QVERIFY(station->assembledCurves().scalarEmpty());
    // rate, use, then channel and tag of each result
    const QList<QVector<int>> recordings{{24000, 1, 0, 100, 1, 200}, {24000, 0, 0, 900}, {500000, 1, 0, 800},
                                         {4096, 1, 0, 300, 2, 400, 7, 700}};
    for (const QVector<int> &r : recordings) {
        Data_SampleData *sample = station->REF_Data_SampleData()->appendNew().object;
        sample->setSampleRate(r[0]);
        sample->setUse(r[1]);
        sample->commit();
        for (int k = 2; k < r.size(); k += 2) {
            Data_ProcessData *result = sample->REF_Data_ProcessData()->appendNew().object;
            result->setSampleChannel(r[k]);
            result->setData_Impedance(tagged(r[k + 1]));
            if (r[k + 1] != 300)  // a result of a stacking estimator: no error known
                result->setData_ImpedanceErr(ErrorBarBlob::encode({ImpedanceErrorBar{double(r[k + 1]), 1, 1}}));
            result->commit();
        }
    }
    DORE_Collection<Data_Station> reloaded(db.get());
    const StationCurves assembled = reloaded.at(0).object->assembledCurves();
    QCOMPARE(tagsOf(assembled.exHy) + QList<double>{-1} + tagsOf(assembled.eyHx) + QList<double>{-1}
                 + tagsOf(assembled.ex2Hy),
             (QList<double>{100, 300, -1, 200, -1, 400}));
    QVERIFY(assembled.multiPolarity.isEmpty());
    // The error bars come from the same rows in the same order; the row without any adds none.
    QList<double> barFrequencies;
    for (const auto *bars : {&assembled.exHyBars, &assembled.eyHxBars, &assembled.ex2HyBars}) {
        for (const ImpedanceErrorBar &bar : *bars)
            barFrequencies << bar.freq;
        barFrequencies << -1;
    }
    QCOMPARE(barFrequencies, (QList<double>{100, -1, 200, -1, 400, -1}));
}

// Line 3 is written before line 1: the rows do not simply follow the writing order. A second write is refused.
void TestRecords::readyProjectReadBack()
{
    RecordingPlan r;
    r.seconds = 2;
    StationPlan a, b;
    a.line = 3;
    a.station = 5;
    a.recordings = {r, r};
    a.recordings[1].sampleRate = 4096;
    b.line = b.station = 1;
    b.exDipole = 40;
    b.recordings = {r};
    SurveyPlan request;
    request.stations = {a, b};
    SurveyDescription survey;
    QString projectFile;
    QVERIFY(SyntheticProject::create(request, m_dir.filePath("ready"), "field", &survey, &projectFile));
    auto db = openProject(projectFile);
    QVERIFY(db);
    DORE_Collection<Data_Project> projects(db.get());
    Data_Project *project = projects.at(0).object;
    QVERIFY(projects.count() == 1 && project->ProjectId() == "field" && project->LinesNumbers() == 2);
    QStringList found;
    for (int l = 0; l < project->REF_Data_Line()->count(); ++l) {
        Data_Line *line = project->REF_Data_Line()->at(l).object;
        Data_Station *s = line->REF_Data_Station()->at(0).object;
        found << QString("line %1 station %2 x %3 n %4:").arg(line->LineName()).arg(s->StationNum())
                     .arg(s->XPoleDistance()).arg(s->SampleNumbers());
        for (int r = 0; r < s->REF_Data_SampleData()->count(); ++r) {
            Data_SampleData *sample = s->REF_Data_SampleData()->at(r).object;
            sample->setFolder(
                QString("%1/data/Line %2/Station %3").arg(survey.workDir).arg(line->LineName()).arg(s->StationNum()));
            const RecordingHeader info = sample->readTable() ? sample->header() : RecordingHeader();
            found.last() += QString(" %1 %2 %3 %4s/%5").arg(sample->SampleDataNum()).arg(sample->SampleRate())
                                .arg(sample->Use() * line->Use() * s->Use()).arg(info.minutes * 60 + info.seconds)
                                .arg(info.files.size());
        }
    }
    QCOMPARE(found, (QStringList{"line 1 station 1 x 40 n 1: 1 24000 1 2s/5",
                                 "line 3 station 5 x 50 n 2: 1 24000 1 2s/5 2 4096 1 2s/5"}));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^SyntheticProject::write"));
    QVERIFY(!SyntheticProject::write(survey, "field"));
    QCOMPARE(rawValue(*db, "SELECT count(*) FROM Data_SampleData").toInt(), 3);
}

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_Records.moc"
