#include <cmath>
#include <csignal>
#include <limits>
#include <sys/resource.h>

#include "EH4Export.h"
#include "LineSpectrumExport.h"
#include "OperatorMessages.h"
#include "ResultTableExport.h"
#include "TestExchange.h"

namespace {

// While it lives, no file of this process grows beyond bytes: a write past them fails as on a full
// disk (the signal such a write raises is ignored, as a program that checks its writes would).
class FileSizeLimit {
    rlimit previous{};
    void (*previousHandler)(int);

public:
    explicit FileSizeLimit(rlim_t bytes) : previousHandler(std::signal(SIGXFSZ, SIG_IGN))
    {
        getrlimit(RLIMIT_FSIZE, &previous);
        rlimit limit = previous;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, previousHandler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;
};

} // namespace

// Depth 356 sqrt(rho / f) m and true resistivity (90 / phase - 1) rho, worked out by hand.
void TestExchange::resultTables()
{
    ExchangeFixture f;
    Data_Line *line = f.addLine(4);
    f.addStation(line, 105, flatCurve(2, 100, 45));  // Ex only
    Data_Station *all = f.addStation(line, 110.5f, flatCurve(1, 10, 45));
    all->setData_ImpedanceEy(CurveBlob::encode(flatCurve(1, 4, 30, 0.25)));
    all->setData_ImpedanceEx2(CurveBlob::encode(flatCurve(1, 250, 60)));
    all->commit();
    f.addStation(line, 120, flatCurve(2, 100, 45), 0);  // not in use
    QVERIFY(!ResultTableExport(&f.dialogs).exportRaw(*line));  // folder choice cancelled
    QCOMPARE(f.dialogs.calls.size(), 1);
    QCOMPARE(QDir().entryList(QDir::Files), QStringList({"p.HMT"}));

    QDir().mkdir("out");
    f.dialogs.folders << f.path("out");
    QVERIFY(ResultTableExport(&f.dialogs).exportRaw(*line));
    QCOMPARE(QDir("out").entryList(QDir::Files),
             QStringList({"105_Ex.dat", "110.5_Ex.dat", "110.5_Ex2.dat", "110.5_Ey.dat"}));
    const QByteArray header = "Frequency , AppResis , Phase, depth , trueResis  \n";
    QCOMPARE(f.readText("out/105_Ex.dat"), header + "1,100,45,3560,100\n2,100,45,2517.3,100\n");
    QCOMPARE(f.readText("out/110.5_Ey.dat"), header + "0.25,4,30,1424,8\n");
    QCOMPARE(f.readText("out/110.5_Ex2.dat"), header + "1,250,60,5628.85,125\n");

    // The section table: position,depth,value per layer, an empty section giving an empty file.
    ResultTableExport tables(&f.dialogs);
    QVERIFY(tables.exportSection("s.dat", {{100, {-10, -30}, {55.5, 1e6}}, {150.5, {-10}, {0.25}}}));
    QCOMPARE(f.readText("s.dat"), QByteArray("100,-10,55.5\n100,-30,1e+06\n150.5,-10,0.25\n"));
    QVERIFY(tables.exportSection("s.dat", {}));
    QCOMPARE(f.readText("s.dat"), QByteArray());
    QVERIFY(!tables.exportSection("missing/s.dat", {}));
    QCOMPARE(f.dialogs.boxes(), QString("information:导出原始数据:导出原始数据成功|information:保存数据:保存数据成功|"
                                "information:保存数据:保存数据成功|critical:导出错误:导出反演数据错误"));
}

void TestExchange::spectrumStationLines_data()
{
    QTest::addColumn<int>("curveRecords");
    QTest::addColumn<QStringList>("lines");
    // Hx at 10 and 20 Hz, Hy at 10 Hz only; the curve: 100 ohm-m, 45 degrees at 1, 2, 4 Hz.
    QTest::newRow("curve of the same length: nine columns")
        << 2 << QStringList{"105.5,10,2.5,3,1,100,45,3560,100", "105.5,20,1.25,0,2,100,45,2517.3,100"};
    QTest::newRow("longer curve: four columns") << 3 << QStringList{"105.5,10,2.5,3", "105.5,20,1.25,0"};
}

void TestExchange::spectrumStationLines()
{
    QFETCH(int, curveRecords);
    QFETCH(QStringList, lines);
    MagneticSpectra spectra;
    spectra.hx = {{20.0, 1.25}, {10.0, 2.5}};
    spectra.hy = {{10.0, 3.0}};
    QCOMPARE(LineSpectrumExport::stationLines(105.5f, spectra, flatCurve(curveRecords, 100, 45)), lines);
}

void TestExchange::spectrumExportWritesOnlyWhenNotCancelled_data()
{
    QTest::addColumn<bool>("cancel");
    QTest::newRow("run to the end") << false;
    QTest::newRow("cancelled at the first station") << true;
}

// A cancelled export leaves an earlier file of the chosen name as it was and says so; one run to
// the end replaces it with the table (here only its heading: the stations have no recordings) and
// reports success.
void TestExchange::spectrumExportWritesOnlyWhenNotCancelled()
{
    QFETCH(bool, cancel);
    ExchangeFixture f;
    Data_Line *line = f.addLine(4);
    f.addStation(line, 10);
    f.addStation(line, 20);
    f.writeText("spectrum.DAT", "an earlier export\n");
    f.dialogs.fileNames << f.path("spectrum.DAT");
    WorkFeedback runs;
    CancelAtOnce cancels;
    LineSpectrumExport exporter(&f.dialogs, inlineWorkRunner(cancel ? cancels : runs));
    QCOMPARE(exporter.run(*line, f.path("."), ReCalculateParam()), !cancel);
    QCOMPARE(f.readText("spectrum.DAT"),
             cancel ? QByteArray("an earlier export\n") : LineSpectrumExport::header().toUtf8());
    QCOMPARE(f.dialogs.boxes(), QString("information:导出数据:") + (cancel ? "导出已取消，未写入文件。" : "导出数据成功"));
}

void TestExchange::eh4PointFiles()
{
    ExchangeFixture f;
    Data_Line *line = f.addLine(5);
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    // Records (tag, f, coherency, rho, phase) stored out of order; Ey has a frequency Ex lacks and
    // lacks one Ex has.
    Data_Station *first = f.addStation(line, 1234.7f, {{0, 100, nan, 99999.99, nan}, {0, 10, 0.95, 123456, 45.5}});
    first->setData_ImpedanceEy(CurveBlob::encode({{0, 1000, -0.2, inf, 60}, {0, 10, 1.5, 0.001, 30}}));
    first->setHasResult(1);
    first->commit();
    f.addStation(line, 1300, flatCurve(2, 10, 45), 0);
    f.addStation(line, 1400)->setHasResult(1);
    QDir().mkdir("eh4");
    f.dialogs.startNumbers << 7 << 1;
    f.dialogs.folders << f.path("eh4") << f.path("eh4");
    QVERIFY(EH4Export(&f.dialogs).run(*line));

    const QByteArray gains = " XL=  2000 YL=  2000 G1=000140 G2=000080 G3=000080\n";
    QCOMPARE(f.readText("eh4/@"),
             " 50    0\n      jp.000 TX=     0 TY=     0 Tz=     0 RX=     0 RY=     0 Rz=     0"
             " XL=  2500 YL=  2500 G1=000140 G2=000080 G3=000080\n"
             "      jp.007 TX=     0 TY=     0 Tz=     0 RX=  1234 RY=     5 Rz=     0" + gains
             + "      jp.008 TX=     0 TY=     0 Tz=     0 RX=  1400 RY=     5 Rz=     0" + gains);
    const QByteArray zeros = QByteArray("       0.00").repeated(8) + "\n";
    QCOMPARE(f.readText("eh4/ZJP.007"),
             "         10       0.95   1.23e+05      45.50       0.99       0.01      30.00\n" + zeros
                 + "        100       0.05   99999.99      45.00       0.00       0.00       0.00\n" + zeros);
    QCOMPARE(f.readText("eh4/ZJP.008"), QByteArray());
    QCOMPARE(QDir("eh4").entryList(QDir::Files), QStringList({"@", "FrequencyList.tbl", "ZJP.007", "ZJP.008"}));
    QCOMPARE(f.readText("eh4/FrequencyList.tbl").count('\n'), 50);
    QCOMPARE(f.dialogs.boxes(), QString("information:导出EH4数据:导出EH4数据"));

    // An existing frequency table is left alone.
    f.writeText("eh4/FrequencyList.tbl", "7\n");
    QVERIFY(EH4Export(&f.dialogs).run(*line));
    QCOMPARE(f.readText("eh4/FrequencyList.tbl"), QByteArray("7\n"));
    QVERIFY(f.readText("eh4/ZJP.001").startsWith("         10       0.95   1.23e+05"));
}

void TestExchange::eh4FailuresAreReported_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("named");  // in the critical box
    QTest::newRow("folder missing") << "missing" << "none";
    QTest::newRow("destination is a file") << "file" << "plain";
    QTest::newRow("a folder in place of the second point file") << "folder in the way" << "ZJP.002";
    QTest::newRow("disk full after 8 KiB") << "full" << "ZJP.001";
    QTest::newRow("infinite station number") << "infinite station"
                                             << OperatorMessages::eh4StationWithoutPosition(qInf());
}

// Two stations of 200 records, about 30 KiB of point file each: any file that cannot be written
// completely is named in a critical box and no success box follows; the other points are written.
void TestExchange::eh4FailuresAreReported()
{
    QFETCH(QString, damage);
    QFETCH(QString, named);
    ExchangeFixture f;
    Data_Line *line = f.addLine(5);
    const float inf = std::numeric_limits<float>::infinity();
    for (float number : {10.0f, damage == "infinite station" ? inf : 20.0f}) {
        Data_Station *station = f.addStation(line, number, flatCurve(200, 100, 45, 1.0, 1.01));
        station->setHasResult(1);
        station->commit();
    }
    QDir().mkpath(damage == "folder in the way" ? "eh4/ZJP.002" : "eh4");
    if (damage == "file")
        f.writeText("plain", "x");
    f.dialogs.startNumbers << 1;
    f.dialogs.folders << f.path(damage == "missing" ? "none" : damage == "file" ? "plain" : "eh4");
    bool exported = true;
    {
        FileSizeLimit limit(damage == "full" ? 8192 : RLIM_INFINITY);
        exported = EH4Export(&f.dialogs).run(*line);
    }
    QVERIFY(!exported);
    const QList<ScriptedOperatorDialogs::Call> critical = f.dialogs.callsOf("critical");
    QVERIFY2(critical.size() == 1 && critical.first().text.contains(named), qPrintable(f.dialogs.boxes()));
    QVERIFY(f.dialogs.callsOf("information").isEmpty());
    if (damage == "folder in the way")
        QCOMPARE(f.readText("eh4/ZJP.001").count('\n'), 400);
}
