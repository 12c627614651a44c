#include "NLCGIODevice.h"
#include "NLLSIODevice.h"
#include "TestExchange.h"

static QVector<double> evenPositions(int n, double spacing)
{
    QVector<double> x;
    for (int i = 0; i < n; ++i)
        x << 1000 + i * spacing;
    return x;
}

static QStringList linesOf(const QByteArray &text)
{
    return QString::fromLatin1(text).split('\n');
}

// Values from first to last, count per line, each followed by a space or the line end.
static QByteArray wrapped(int first, int last, int perLine)
{
    QByteArray text;
    for (int v = first; v <= last; ++v)
        text += QByteArray::number(v) + ((v - first) % perLine == perLine - 1 || v == last ? "\n" : " ");
    return text;
}

void TestExchange::nlcgModelWidths_data()
{
    QTest::addColumn<QVector<double>>("positions");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("8 stations, uneven") << QVector<double>{0, 10, 30, 60, 100, 150, 210, 280}
        << QStringList{"5000 2000 1000 500 100 10 20 30 40 50", "60 70 100 500 1000 2000 5000"};
    QTest::newRow("14 stations: eight on the line") << evenPositions(14, 25)
        << QStringList{"5000 2000 1000 500 100 25 25 25 25 25", "25 25 25 25 25 25 25 25 100 500", " 1000 2000 5000"};
    QTest::newRow("16 stations: a full line") << evenPositions(16, 25) << QStringList{
        "5000 2000 1000 500 100 25 25 25 25 25", "25 25 25 25 25 25 25 25 25 25 ", "100 500 1000 2000 5000"};
}

void TestExchange::nlcgModelWidths()
{
    QFETCH(QVector<double>, positions);
    QFETCH(QStringList, lines);
    ExchangeFixture f;
    QVERIFY(NLCGIODevice().writeModelFile(positions.size(), positions, "model.dat"));
    const QStringList written = linesOf(f.readText("model.dat"));
    QCOMPARE(written[0], QString("%1  55").arg(positions.size() + 9));
    QCOMPARE(written.mid(1, lines.size()), lines);
    QCOMPARE(written[1 + lines.size()], QString("20 20 20 20 20 20 20 20 20 20"));
}

void TestExchange::inversionInputFiles()
{
    ExchangeFixture f;
    NLCGIODevice nlcg;
    QList<QVector<OneFreqImpedance>> curves{flatCurve(3, 10, 45), flatCurve(4, 20, 60.5)};
    curves[0][1].rho = 30;  // rhos 10 30 10 and 20 20 20 20: mean 130 / 7
    QVERIFY(nlcg.writeDataFile(curves, "b.dat"));
    QCOMPARE(linesOf(f.readText("b.dat")),
             QStringList({"2", "3  1.0", "1 (10,45) 0.02  0.18", "2 (30,45) 0.02  0.18", "4 (10,45) 0.02  0.18",
                          "4  1.0", "1 (20,60.5) 0.02  0.18", "2 (20,60.5) 0.02  0.18",
                          "4 (20,60.5) 0.02  0.18", "8 (20,60.5) 0.02  0.18", ""}));
    QVERIFY(nlcg.writeModelFile(6, evenPositions(6, 50), "m.dat"));
    const QStringList model = linesOf(f.readText("m.dat"));
    const int mean = model.size() - 6;
    QCOMPARE(model.mid(mean, 5), QStringList({"18.5714 18.5714 18.5714 18.5714 18.5714 18.5714 18.5714",
                                              "#", "#ksurf\tvalues", "#", QString("1 ").repeated(15)}));
    QCOMPARE(model[1 + 2 + 6 + 1], QString("1 ").repeated(15));       // layer 0
    QCOMPARE(model[1 + 2 + 6 + 1 + 54], QString("6 ").repeated(15));  // layer 54
    QVERIFY(!nlcg.writeModelFile(5, evenPositions(5, 50), "m5.dat"));
    QVERIFY(nlcg.writeControlFile("c.dat", 0, 3));
    QCOMPARE(f.readText("c.dat"), "m\nmodel-1.dat\nb-tm-1.dat\n1.5\n40\n0.001\n5\n5\nn\nL\n6\n7\n8\n \nEND");

    // The least-squares field data: resistivity and phase clamped, 41 records per station.
    NLLSIODevice nlls;
    QVERIFY(nlls.writeFieldData("f.fdt",
                                  {flatCurve(41, 0.5, 95), flatCurve(42, 20000, 0.5), flatCurve(41, 250.5, 44.25)},
                                  {100.7, 150, 230}));
    const QStringList lines = linesOf(f.readText("f.fdt"));
    QCOMPARE(lines.mid(0, 15), QStringList({" >> MT2DInvMatlab Field Data Ver 1.0", " >> Mode", "  1", " >> Start",
                                            "  100", " >> Spacing", "  80", " >> No. of Station and No. of Frequencies",
                                            "  3   41", " >> Station", "  1   0.000", "  2   20.000",
                                            "  3   40.000", " >> Frequency", "  1.000000"}));
    QCOMPARE(lines[55], QString(" >> Station : 1"));
    QCOMPARE(lines[56], QString("      1           1.00000         100.00000           5.00000"));
    QCOMPARE(lines[97], QString(" >> Station : 2"));
    QCOMPARE(lines[99], QString("      1           2.00000        9999.00000          45.00000"));
    QCOMPARE(lines[142], QString("      1           4.00000         250.50000          44.25000"));
    QCOMPARE(lines.size(), 14 + 41 + 3 * 42 + 1);  // 41 records per station even when more exist
    // Too few stations, or a station short of 41 records: no file.
    const QVector<OneFreqImpedance> full = flatCurve(41, 1, 45);
    QVERIFY(!nlls.writeFieldData("a.fdt", {full, full}, {1, 2}));
    QVERIFY(!nlls.writeFieldData("b.fdt", {full, flatCurve(40, 1, 45), full}, {1, 2, 3}));
    QVERIFY(!QFile::exists("a.fdt") && !QFile::exists("b.fdt"));
}

// 11 cells of 100 m and 42 layers of 10 m, cell c of layer k holding 1000 k + c; the section
// takes cells 5 and 6 of the first 40 layers. Damaged headers are refused before they size anything.
void TestExchange::nlcgOutput_data()
{
    QTest::addColumn<QByteArray>("text");  // empty: no file
    QTest::addColumn<bool>("ok");
    QByteArray body = QByteArray("100  100  100  100  100\n").repeated(2) + "100\n"
                      + QByteArray("10  10  10  10  10\n").repeated(8) + "10  10\n";
    for (int k = 0; k < 42; ++k)
        body += wrapped(1000 * k, 1000 * k + 10, 5);
    const QByteArray whole = "11 42\n" + body;
    QTest::newRow("whole output") << whole << true;
    QTest::newRow("a very long line after it") << whole + QByteArray(1 << 20, '7') + "\n" << true;
    QTest::newRow("missing") << QByteArray() << false;
    QTest::newRow("empty") << QByteArray("") << false;
    QTest::newRow("cut at three quarters") << whole.left(whole.size() * 3 / 4) << false;
    for (const char *header : {"nan 42", "11 nan", "inf 42", "11 -inf", "1e30 42", "2147483647 42",
                               "11 2147483647", "4.9e-324 42", "-11 42", "11 39"})
        QTest::newRow(header) << QByteArray(header) + "\n" + body << false;
}

void TestExchange::nlcgOutput()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, ok);
    ExchangeFixture f;
    if (!text.isNull())
        f.writeText("mod_out.dat", text);
    NLCGIODevice device;
    QCOMPARE(device.readModelOutput("mod_out.dat", 2, {300, 350}), ok);
    const QList<DataType_ResultData> section = device.result();
    QCOMPARE(section.size(), ok ? 2 : 0);
    for (int i = 0; i < section.size(); ++i) {
        QCOMPARE(section[i].position, 300.0 + 50 * i);
        QCOMPARE(section[i].value.size(), 40);
        for (int k = 0; k < 40; ++k) {
            QCOMPARE(section[i].value[k], 1000.0 * k + 5 + i);
            QCOMPARE(section[i].depth[k], -10.0 * (k + 1));
        }
    }
}

void TestExchange::nllsOutput_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QVector<double>>("positions");  // expected column positions, empty: none
    QByteArray head = " >> No of blocks in x-direction\n  %NXB\n >> No of blocks in z-direction\n  5\n"
                      " >> Inverted Data\n  TM\n";
    for (int i = 1; i <= 10; ++i)
        head += " >> Iteration " + QByteArray::number(i) + "\n   Inverted resestivity\n";
    const QByteArray six = QByteArray(head).replace("%NXB", "6") + wrapped(0, 17, 6);
    QTest::newRow("one column per station") << six << QVector<double>{100, 160};
    QTest::newRow("stations and midpoints") << QByteArray(head).replace("%NXB", "7") + wrapped(0, 20, 7)
                                            << QVector<double>{100, 130, 160};
    QTest::newRow("a very long line after the values") << six + QByteArray(1 << 20, ' ') + "x\n"
                                                       << QVector<double>{100, 160};
    QTest::newRow("missing marker") << QByteArray(six).replace(">> Inverted Data", ">> Data") << QVector<double>();
    QTest::newRow("truncated values") << six.left(six.size() - 12) << QVector<double>();
    QTest::newRow("empty") << QByteArray("") << QVector<double>();
    // Counts that are no whole number, or more blocks than the file could hold.
    for (const char *nxb : {"nan", "inf", "-inf", "1e30", "4.9e-324", "-6", "2147483647"})
        QTest::addRow("%s blocks across", nxb) << QByteArray(head).replace("%NXB", nxb) + wrapped(0, 17, 6)
                                               << QVector<double>();
    for (const char *nzb : {"nan", "1e30", "2147483647", "-2147483648", "2", "4000"})
        QTest::addRow("%s blocks down", nzb)
            << QByteArray(six).replace("z-direction\n  5", QByteArray("z-direction\n  ") + nzb) << QVector<double>();
}

void TestExchange::nllsOutput()
{
    QFETCH(QByteArray, text);
    QFETCH(QVector<double>, positions);
    ExchangeFixture f;
    f.writeText("r.mir", text);
    NLLSIODevice device;
    QCOMPARE(device.readResult("r.mir", {100, 160}), !positions.isEmpty());
    const QList<DataType_ResultData> section = device.result();
    QCOMPARE(section.size(), positions.size());
    const int nxb = positions.size() + 4;
    for (int j = 0; j < section.size(); ++j) {
        QCOMPARE(section[j].position, positions[j]);
        QCOMPARE(section[j].depth, QVector<double>({-10, -30, -60}));
        QCOMPARE(section[j].value, QVector<double>({double(j + 2), double(nxb + j + 2), double(2 * nxb + j + 2)}));
    }
}
