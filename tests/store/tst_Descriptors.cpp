#include "ProcessingRecords.h"
#include "RecordingDescriptors.h"

#include <QtTest>
#include <cstring>

// Channel and pair descriptors of a recording header, and the meta-type names of the records.
class TestDescriptors : public QObject {
    Q_OBJECT
private slots:
    void scaleAndGainBand_data();
    void scaleAndGainBand();
    void sampleCount_data();
    void sampleCount();
    void channelSamples();
    void pairs_data();
    void pairs();
    void lastMatchingFileWins();
    void metaTypeNames_data();
    void metaTypeNames();
};


using namespace RecordingDescriptors;

namespace {

quint32 bitsOf(float x)
{
    quint32 bits;
    std::memcpy(&bits, &x, sizeof bits);
    return bits;
}

// A header with all five channels, one hour at 24000 Hz and one file per channel tag.
RecordingHeader fullHeader()
{
    RecordingHeader h;
    h.exSensor = "E101";
    h.eySensor = "E102";
    h.ex2Sensor = "E103";
    h.hxSensor = "H201";
    h.hySensor = "H202";
    h.hasEx = h.hasEy = h.hasEx2 = h.hasHx = h.hasHy = true;
    h.eGainNumber = 3;
    h.hGainNumber = 5;
    h.exDipole = 50.0;
    h.eyDipole = 60.0;
    h.ex2Dipole = 0.1;
    h.sampleRate = 24000;
    h.hours = 1;
    h.lowBand = 1;
    h.instrumentNumber = 1234;
    h.files = QStringList{"/p/Station 1/r_E0.dat", "/p/Station 1/r_E1.dat", "/p/Station 1/r_E2.dat",
                          "/p/Station 1/r_Hx.dat", "/p/Station 1/r_Hy.dat"};
    return h;
}

// "pairName eFile hFile" with the channel tags taken from the data file names.
QString pairText(const OneMTSample &p)
{
    return p.pairName + " " + p.eDataFile.section('_', -1) + " " + p.hDataFile.section('_', -1);
}

} // namespace

void TestDescriptors::scaleAndGainBand_data()
{
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("lowBand");
    QTest::addColumn<quint32>("scaleBits");
    QTest::addColumn<QString>("exGain");
    QTest::addColumn<QString>("hyGain");
    const quint32 low = 0x351C4000;   // 2500 / 2^32
    const quint32 high = 0x39BB8000;  // 3000 / 2^23
    QTest::newRow("4096 Hz, high band flag") << 4096 << 0 << low << "GainCalibration/1234/Low-H/Ex-3.txt"
                                             << "GainCalibration/1234/Low-H/Hy-5.txt";
    QTest::newRow("4096 Hz, low band flag") << 4096 << 1 << low << "GainCalibration/1234/Low-L/Ex-3.txt"
                                            << "GainCalibration/1234/Low-L/Hy-5.txt";
    QTest::newRow("4097 Hz") << 4097 << 1 << high << "GainCalibration/1234/High-H/Ex-3.txt"
                             << "GainCalibration/1234/High-H/Hy-5.txt";
    QTest::newRow("24000 Hz") << 24000 << 0 << high << "GainCalibration/1234/High-H/Ex-3.txt"
                              << "GainCalibration/1234/High-H/Hy-5.txt";
}

void TestDescriptors::scaleAndGainBand()
{
    QFETCH(int, rate);
    QFETCH(int, lowBand);
    QFETCH(quint32, scaleBits);
    QFETCH(QString, exGain);
    QFETCH(QString, hyGain);
    RecordingHeader h = fullHeader();
    h.sampleRate = rate;
    h.lowBand = lowBand;
    const QList<MTSampleData> channels = buildChannelSamples(h);
    QCOMPARE(channels.size(), 5);
    QCOMPARE(bitsOf(channels.first().countScale), scaleBits);
    QCOMPARE(channels.first().gainFile, exGain);
    QCOMPARE(channels.last().gainFile, hyGain);
    const QList<OneMTSample> pairs = buildPairSamples(h);
    QCOMPARE(pairs.at(1).pairName, QString("ExHy"));
    QCOMPARE(pairs.at(1).eGainFile, exGain);
    QCOMPARE(pairs.at(1).hGainFile, hyGain);
    QCOMPARE(bitsOf(pairs.at(1).countScale), scaleBits);
}

void TestDescriptors::sampleCount_data()
{
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("hours");
    QTest::addColumn<int>("minutes");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<int>("count");
    QTest::addColumn<float>("duration");
    QTest::newRow("1 h at 24000 Hz") << 24000 << 1 << 0 << 0 << 86400000 << 3600.0f;
    QTest::newRow("2 min 3 s at 4096 Hz") << 4096 << 0 << 2 << 3 << 503808 << 123.0f;
    QTest::newRow("2 h 30 min at 15 Hz") << 15 << 2 << 30 << 0 << 135000 << 9000.0f;
    QTest::newRow("no duration") << 24000 << 0 << 0 << 0 << 0 << 0.0f;
}

void TestDescriptors::sampleCount()
{
    QFETCH(int, rate);
    QFETCH(int, hours);
    QFETCH(int, minutes);
    QFETCH(int, seconds);
    QFETCH(int, count);
    QFETCH(float, duration);
    RecordingHeader h = fullHeader();
    h.sampleRate = rate;
    h.hours = hours;
    h.minutes = minutes;
    h.seconds = seconds;
    const MTSampleData channel = buildChannelSamples(h).first();
    QCOMPARE(channel.sampleCount, count);
    QCOMPARE(channel.sampleFrequency, rate);
    QCOMPARE(channel.duration, duration);
    QCOMPARE(buildPairSamples(h).first().sampleCount, count);
}

void TestDescriptors::channelSamples()
{
    RecordingHeader h = fullHeader();
    h.hasEy = false;
    const QList<MTSampleData> channels = buildChannelSamples(h);
    QList<int> codes;
    for (const MTSampleData &c : channels)
        codes << c.channel;
    QCOMPARE(codes, (QList<int>{Channel_Ex, Channel_Ex2, Channel_Hx, Channel_Hy}));
    const MTSampleData &ex2 = channels.at(1);
    QCOMPARE(ex2.dipoleLength, 0.1f);
    QCOMPARE(ex2.lowBand, 1);
    QCOMPARE(ex2.sensorFile, QString("SensorsFile/E103.txt"));
    QCOMPARE(ex2.gainFile, QString("GainCalibration/1234/High-H/Ex2-3.txt"));
    QCOMPARE(ex2.dataFile, QString("/p/Station 1/r_E2.dat"));
    const MTSampleData &hx = channels.at(2);
    QCOMPARE(hx.dipoleLength, 0.0f);  // magnetic channels carry neither dipole nor band flag
    QCOMPARE(hx.lowBand, 0);
    QCOMPARE(hx.sensorFile, QString("SensorsFile/H201.txt"));
    QCOMPARE(hx.gainFile, QString("GainCalibration/1234/High-H/Hx-5.txt"));
}

void TestDescriptors::pairs_data()
{
    QTest::addColumn<QString>("channels");  // present channels
    QTest::addColumn<QStringList>("pairs");
    QTest::addColumn<QStringList>("singleHPairs");
    QTest::newRow("Ex Ey Hx Hy") << "Ex Ey Hx Hy" << QStringList{"EyHx E1.dat Hx.dat", "ExHy E0.dat Hy.dat"}
                                 << QStringList{"EyHx E1.dat Hy.dat", "ExHy E0.dat Hy.dat"};
    QTest::newRow("Hx without Hy") << "Ex Ey Ex2 Hx" << QStringList{"EyHx E1.dat Hx.dat"}
                                   << QStringList{"EyHx E1.dat Hx.dat", "ExHy E0.dat Hx.dat",
                                                  "Ex2Hy E2.dat Hx.dat"};
    QTest::newRow("all five") << "Ex Ey Ex2 Hx Hy"
                              << QStringList{"EyHx E1.dat Hx.dat", "ExHy E0.dat Hy.dat", "Ex2Hy E2.dat Hy.dat"}
                              << QStringList{"EyHx E1.dat Hy.dat", "ExHy E0.dat Hy.dat",
                                             "Ex2Hy E2.dat Hy.dat"};
    QTest::newRow("Hy only magnetic") << "Ex Ey Hy" << QStringList{"ExHy E0.dat Hy.dat"}
                                      << QStringList{"EyHx E1.dat Hy.dat", "ExHy E0.dat Hy.dat"};
    QTest::newRow("no magnetic channel") << "Ex Ey Ex2" << QStringList{} << QStringList{};
    QTest::newRow("no electric channel") << "Hx Hy" << QStringList{} << QStringList{};
}

void TestDescriptors::pairs()
{
    QFETCH(QString, channels);
    QFETCH(QStringList, pairs);
    QFETCH(QStringList, singleHPairs);
    const QStringList present = channels.split(' ');
    RecordingHeader h = fullHeader();
    h.hasEx = present.contains("Ex");
    h.hasEy = present.contains("Ey");
    h.hasEx2 = present.contains("Ex2");
    h.hasHx = present.contains("Hx");
    h.hasHy = present.contains("Hy");
    QStringList built, builtSingle;
    for (const OneMTSample &p : buildPairSamples(h))
        built << pairText(p);
    for (const OneMTSample &p : buildSingleHPairSamples(h))
        builtSingle << pairText(p);
    QCOMPARE(built, pairs);
    QCOMPARE(builtSingle, singleHPairs);
    for (const OneMTSample &p : buildSingleHPairSamples(h)) {
        const float dipole = p.eDataFile.endsWith("E0.dat") ? 50.0f
                             : p.eDataFile.endsWith("E1.dat") ? 60.0f : 0.1f;
        QCOMPARE(p.dipoleLength, dipole);
        QCOMPARE(p.lowBand, 1);
    }
}

void TestDescriptors::lastMatchingFileWins()
{
    RecordingHeader h = fullHeader();
    h.files = QStringList{"/survey/Hydro/Station 1/a_E0.dat", "/survey/Hydro/Station 1/b_E0.dat",
                          "/survey/Hydro/Station 1/c_Hx.dat"};
    const QList<MTSampleData> channels = buildChannelSamples(h);
    QCOMPARE(channels.at(0).dataFile, QString("/survey/Hydro/Station 1/b_E0.dat"));
    QCOMPARE(channels.at(1).dataFile, QString());  // no E1 file
    // "Hydro" in the folder does not make every file the Hy file.
    QCOMPARE(channels.at(4).dataFile, QString());
    QCOMPARE(dataFileFor({"x_e0.dat"}, "E0"), QString());  // tags are case-sensitive
}

void TestDescriptors::metaTypeNames_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"ReCalculateParam", "MTSampleData", "OneMTSample", "ChannelCode",
                             "DataType_ResultData", "TopoData", "RecordingHeader",
                             "QList<MTSampleData>", "QList<OneMTSample>",
                             "QList<DataType_ResultData>", "QVector<TopoData>"})
        QTest::newRow(name) << QString(name);
}

void TestDescriptors::metaTypeNames()
{
    QFETCH(QString, name);
    registerProcessingMetaTypes();
    QVERIFY(QMetaType::type(name.toLatin1()) != QMetaType::UnknownType);
}

int runDescriptorTests(int argc, char **argv)
{
    TestDescriptors test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_Descriptors.moc"
