#include "TestInversionFiles.h"

#include <QtTest>

#include "ExchangeFixture.h"
#include "NLCGIODevice.h"
#include "NLLSIODevice.h"

Q_DECLARE_METATYPE(QVector<double>)

namespace {

QVector<double> evenPositions(int n, double spacing)
{
    QVector<double> x;
    for (int i = 0; i < n; ++i)
        x << 1000 + i * spacing;
    return x;
}

QStringList linesOf(const QByteArray &text)
{
    return QString::fromLatin1(text).split('\n');
}

// A model output of nx cells and nz layers of 10 m; cell c of layer k holds 1000 k + c.
QByteArray modelOutput(int nx, int nz)
{
    QByteArray text = QByteArray::number(nx) + " " + QByteArray::number(nz) + "\n";
    const auto wrap = [](const QList<QByteArray> &values) {
        QByteArray block;
        for (int i = 0; i < values.size(); ++i)
            block += values[i] + ((i + 1) % 5 == 0 || i + 1 == values.size() ? "\n" : "  ");
        return block;
    };
    text += wrap(QVector<QByteArray>(nx, "100").toList());
    text += wrap(QVector<QByteArray>(nz, "10").toList());
    for (int k = 0; k < nz; ++k) {
        QList<QByteArray> row;
        for (int c = 0; c < nx; ++c)
            row << QByteArray::number(1000 * k + c);
        text += wrap(row);
    }
    return text;
}

} // namespace

void TestInversionFiles::modelWidths_data()
{
    QTest::addColumn<QVector<double>>("positions");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("8 stations, uneven") << QVector<double>{0, 10, 30, 60, 100, 150, 210, 280}
        << QStringList{"5000 2000 1000 500 100 10 20 30 40 50", "60 70 100 500 1000 2000 5000"};
    QTest::newRow("12 stations: six on the line") << evenPositions(12, 25)
        << QStringList{"5000 2000 1000 500 100 25 25 25 25 25",
                       "25 25 25 25 25 25 100 500 1000 2000", "5000"};
    QTest::newRow("14 stations: eight on the line") << evenPositions(14, 25)
        << QStringList{"5000 2000 1000 500 100 25 25 25 25 25",
                       "25 25 25 25 25 25 25 25 100 500", " 1000 2000 5000"};
    QTest::newRow("15 stations: nine on the line") << evenPositions(15, 25)
        << QStringList{"5000 2000 1000 500 100 25 25 25 25 25",
                       "25 25 25 25 25 25 25 25 25 100", "500 1000 2000 5000"};
    QTest::newRow("16 stations: a full line") << evenPositions(16, 25)
        << QStringList{"5000 2000 1000 500 100 25 25 25 25 25",
                       "25 25 25 25 25 25 25 25 25 25 ", "100 500 1000 2000 5000"};
}

void TestInversionFiles::modelWidths()
{
    QFETCH(QVector<double>, positions);
    QFETCH(QStringList, lines);
    WorkFolder work;
    NLCGIODevice device;
    QVERIFY(device.writeModelFile(positions.size(), positions, work.path("model.dat")));
    const QStringList written = linesOf(work.readText("model.dat"));
    QCOMPARE(written[0], QString("%1  55").arg(positions.size() + 9));
    QCOMPARE(written.mid(1, lines.size()), lines);
    int widths = 0;
    for (const QString &line : lines)
        widths += line.split(' ', Qt::SkipEmptyParts).size();
    QCOMPARE(widths, positions.size() + 9);
    QCOMPARE(written[1 + lines.size()], QString("20 20 20 20 20 20 20 20 20 20"));
}

void TestInversionFiles::dataFileAndMeanResistivity()
{
    WorkFolder work;
    NLCGIODevice device;
    QList<QVector<OneFreqImpedance>> curves{flatCurve(3, 10, 45), flatCurve(4, 20, 60.5)};
    curves[0][1].rho = 30;   // rhos 10 30 10 and 20 20 20 20: mean 130 / 7
    QVERIFY(device.writeDataFile(curves, work.path("b.dat")));
    QCOMPARE(linesOf(work.readText("b.dat")),
             QStringList({"2", "3  1.0", "1 (10,45) 0.02  0.18", "2 (30,45) 0.02  0.18",
                          "4 (10,45) 0.02  0.18", "4  1.0", "1 (20,60.5) 0.02  0.18",
                          "2 (20,60.5) 0.02  0.18", "4 (20,60.5) 0.02  0.18",
                          "8 (20,60.5) 0.02  0.18", ""}));
    QVERIFY(device.writeModelFile(6, evenPositions(6, 50), work.path("m.dat")));
    const QStringList model = linesOf(work.readText("m.dat"));
    const int meanLine = model.size() - 6;
    QCOMPARE(model[meanLine], QString("18.5714 18.5714 18.5714 18.5714 18.5714 18.5714 18.5714"));
    QCOMPARE(model.mid(meanLine + 1, 3), QStringList({"#", "#ksurf\tvalues", "#"}));
    QCOMPARE(model[meanLine + 4], QString("1 ").repeated(15));
    QCOMPARE(model[1 + 2 + 6 + 1], QString("1 ").repeated(15));       // layer 0
    QCOMPARE(model[1 + 2 + 6 + 1 + 54], QString("6 ").repeated(15));  // layer 54
    QVERIFY(!device.writeModelFile(5, evenPositions(5, 50), work.path("m5.dat")));
}

void TestInversionFiles::controlFile()
{
    WorkFolder work;
    NLCGIODevice device;
    QVERIFY(device.writeControlFile(work.path("c.dat"), 0, 3));
    QCOMPARE(work.readText("c.dat"),
             QByteArray("m\nmodel-1.dat\nb-tm-1.dat\n1.5\n40\n0.001\n5\n5\nn\nL\n6\n7\n8\n \nEND"));
}

void TestInversionFiles::fieldDataClamps()
{
    WorkFolder work;
    QList<QVector<OneFreqImpedance>> curves{flatCurve(41, 0.5, 95, 1.0, 2.0),
                                            flatCurve(42, 20000, 0.5, 1.0, 2.0),
                                            flatCurve(41, 250.5, 44.25, 1.0, 2.0)};
    NLLSIODevice device;
    QVERIFY(device.writeFieldData(work.path("f.fdt"), curves, {100.7, 150, 230}));
    const QStringList lines = linesOf(work.readText("f.fdt"));
    QCOMPARE(lines.mid(0, 14), QStringList({" >> MT2DInvMatlab Field Data Ver 1.0", " >> Mode", "  1",
                                            " >> Start", "  100", " >> Spacing", "  80",
                                            " >> No. of Station and No. of Frequencies", "  3   41",
                                            " >> Station", "  1   0.000", "  2   20.000",
                                            "  3   40.000", " >> Frequency"}));
    QCOMPARE(lines[14], QString("  1.000000"));
    QCOMPARE(lines[55], QString(" >> Station : 1"));
    QCOMPARE(lines[56], QString("      1           1.00000         100.00000           5.00000"));
    QCOMPARE(lines[97], QString(" >> Station : 2"));
    QCOMPARE(lines[99], QString("      1           2.00000        9999.00000          45.00000"));
    QCOMPARE(lines[142], QString("      1           4.00000         250.50000          44.25000"));
    QCOMPARE(lines.size(), 14 + 41 + 3 * 42 + 1);  // 41 records per station even when more exist
}

void TestInversionFiles::fieldDataRefusals()
{
    WorkFolder work;
    NLLSIODevice device;
    QVERIFY(!device.writeFieldData(work.path("a.fdt"), {flatCurve(41, 1, 45), flatCurve(41, 1, 45)},
                                   {1, 2}));
    QVERIFY(!device.writeFieldData(work.path("b.fdt"),
                                   {flatCurve(41, 1, 45), flatCurve(40, 1, 45), flatCurve(41, 1, 45)},
                                   {1, 2, 3}));
    QVERIFY(!QFile::exists(work.path("a.fdt")) && !QFile::exists(work.path("b.fdt")));
}

void TestInversionFiles::nlcgOutput_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("read");
    const QByteArray whole = modelOutput(11, 42);
    QTest::newRow("whole file") << whole << true;
    QTest::newRow("truncated in the layers") << whole.left(whole.size() * 3 / 4) << false;
    QTest::newRow("header only") << QByteArray("11 42\n") << false;
}

void TestInversionFiles::nlcgOutput()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, read);
    WorkFolder work;
    work.writeText("mod_out.dat", text);
    NLCGIODevice device;
    QCOMPARE(device.readModelOutput(work.path("mod_out.dat"), 2, {300, 350}), read);
    if (!read) {
        QVERIFY(device.result().isEmpty());
        return;
    }
    const QList<DataType_ResultData> section = device.result();
    QCOMPARE(section.size(), 2);
    for (int i = 0; i < 2; ++i) {
        QCOMPARE(section[i].position, 300.0 + 50 * i);
        QCOMPARE(section[i].value.size(), 40);
        for (int k = 0; k < 40; ++k) {
            QCOMPARE(section[i].value[k], 1000.0 * k + 5 + i);  // cells 5 and 6 of the layer
            QCOMPARE(section[i].depth[k], -10.0 * (k + 1));
        }
    }
    QVERIFY(!device.readModelOutput(work.path("missing.dat"), 2, {300, 350}));
}

void TestInversionFiles::nllsOutput_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QVector<double>>("positions");  // expected column positions, empty: none
    QByteArray head = " >> No of blocks in x-direction\n  %NXB\n >> No of blocks in z-direction\n  5\n"
                      " >> Inverted Data\n  TM\n";
    for (int i = 1; i <= 10; ++i)
        head += " >> Iteration " + QByteArray::number(i) + "\n   Inverted resestivity\n";
    QByteArray six = QByteArray(head).replace("%NXB", "6"), seven = QByteArray(head).replace("%NXB", "7");
    for (int v = 0; v < 18; ++v)
        six += QByteArray::number(v) + (v % 6 == 5 ? "\n" : " ");
    for (int v = 0; v < 21; ++v)
        seven += QByteArray::number(v) + (v % 7 == 6 ? "\n" : " ");
    QTest::newRow("one column per station") << six << QVector<double>{100, 160};
    QTest::newRow("stations and midpoints") << seven << QVector<double>{100, 130, 160};
    QTest::newRow("missing marker") << QByteArray(six).replace(">> Inverted Data", ">> Data")
                                    << QVector<double>();
    QTest::newRow("truncated values") << six.left(six.size() - 12) << QVector<double>();
    QTest::newRow("nine sections only")
        << QByteArray(six).replace("10\n   Inverted resestivity", "10\n") << QVector<double>();
}

void TestInversionFiles::nllsOutput()
{
    QFETCH(QByteArray, text);
    QFETCH(QVector<double>, positions);
    WorkFolder work;
    work.writeText("r.mir", text);
    NLLSIODevice device;
    QCOMPARE(device.readResult(work.path("r.mir"), {100, 160}), !positions.isEmpty());
    const QList<DataType_ResultData> section = device.result();
    QCOMPARE(section.size(), positions.size());
    const int nxb = positions.size() + 4;
    for (int j = 0; j < section.size(); ++j) {
        QCOMPARE(section[j].position, positions[j]);
        QCOMPARE(section[j].depth, QVector<double>({-10, -30, -60}));
        QCOMPARE(section[j].value, QVector<double>({double(j + 2), double(nxb + j + 2),
                                                    double(2 * nxb + j + 2)}));
    }
}
