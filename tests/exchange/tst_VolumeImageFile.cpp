// The volume's VTK image file read back by a reader of its own: the XML header (extent, origin,
// spacing, the array's type, name and format) and the base64 data array with its byte count.

#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtEndian>
#include <QtTest>
#include <cmath>

#include "VolumeImageFile.h"

namespace {

// What a VTK XML image reader needs from the file.
struct ImageFile {
    QMap<QString, QString> vtkFile, image, piece, pointData, array;
    QByteArray encoded;
};

QMap<QString, QString> attributesOf(const QXmlStreamReader &xml)
{
    QMap<QString, QString> map;
    for (const QXmlStreamAttribute &a : xml.attributes())
        map.insert(a.name().toString(), a.value().toString());
    return map;
}

ImageFile readImageFile(const QString &path)
{
    ImageFile f;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return f;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QString name = xml.name().toString();
        if (name == "VTKFile")
            f.vtkFile = attributesOf(xml);
        else if (name == "ImageData")
            f.image = attributesOf(xml);
        else if (name == "Piece")
            f.piece = attributesOf(xml);
        else if (name == "PointData")
            f.pointData = attributesOf(xml);
        else if (name == "DataArray") {
            f.array = attributesOf(xml);
            f.encoded = xml.readElementText().trimmed().toLatin1();
        }
    }
    return f;
}

QList<double> numbersOf(const QString &text)
{
    QList<double> numbers;
    for (const QString &field : text.split(' ', Qt::SkipEmptyParts))
        numbers << field.toDouble();
    return numbers;
}

// The values of a binary inline array: a UInt64 byte count, then little-endian Float32s.
QVector<float> decodeFloats(const QByteArray &encoded, quint64 &byteCount)
{
    const QByteArray raw = QByteArray::fromBase64(encoded);
    byteCount = qFromLittleEndian<quint64>(raw.constData());
    QVector<float> values((raw.size() - 8) / 4);
    for (int p = 0; p < values.size(); ++p)
        values[p] = qFromLittleEndian<float>(raw.constData() + 8 + 4 * p);
    return values;
}

// 3 x 2 x 4 nodes; value 0.1 i + j + 0.01 k, no data at (1, 0, 2) and along the top level's
// first row.
ResistivityVolume handVolume()
{
    ResistivityVolume v;
    v.grid.nx = 3;
    v.grid.ny = 2;
    v.grid.nz = 4;
    v.grid.x0 = 1000.5;
    v.grid.y0 = -250.0;
    v.grid.z0 = -300.0;
    v.grid.dx = v.grid.dy = 25.0;
    v.grid.dz = 10.0;
    for (int k = 0; k < 4; ++k)
        for (int j = 0; j < 2; ++j)
            for (int i = 0; i < 3; ++i) {
                const bool noData = (i == 1 && j == 0 && k == 2) || (k == 3 && j == 0);
                v.log10Rho.append(noData ? std::nanf("") : float(0.1 * i + j + 0.01 * k));
            }
    return v;
}

} // namespace

class TestVolumeImageFile : public QObject {
    Q_OBJECT
private slots:
    void readBackByAnIndependentReader();
    void failuresWriteNothing();

private:
    QTemporaryDir dir;
};

void TestVolumeImageFile::readBackByAnIndependentReader()
{
    const QString path = dir.filePath("volume.vti");
    QVERIFY(VolumeImageFile::write(handVolume(), path));
    const ImageFile f = readImageFile(path);
    QCOMPARE(f.vtkFile.value("type"), QStringLiteral("ImageData"));
    QCOMPARE(f.vtkFile.value("byte_order"), QStringLiteral("LittleEndian"));
    QCOMPARE(f.vtkFile.value("header_type"), QStringLiteral("UInt64"));
    QCOMPARE(f.image.value("WholeExtent"), QStringLiteral("0 2 0 1 0 3"));
    QCOMPARE(f.piece.value("Extent"), QStringLiteral("0 2 0 1 0 3"));
    QCOMPARE(numbersOf(f.image.value("Origin")), QList<double>({1000.5, -250.0, -300.0}));
    QCOMPARE(numbersOf(f.image.value("Spacing")), QList<double>({25.0, 25.0, 10.0}));
    QCOMPARE(f.pointData.value("Scalars"), QStringLiteral("log10_resistivity"));
    QCOMPARE(f.array.value("Name"), QStringLiteral("log10_resistivity"));
    QCOMPARE(f.array.value("type"), QStringLiteral("Float32"));
    QCOMPARE(f.array.value("format"), QStringLiteral("binary"));
    quint64 byteCount = 0;
    const QVector<float> values = decodeFloats(f.encoded, byteCount);
    QCOMPARE(byteCount, quint64(24 * 4));
    QCOMPARE(values.size(), 24);
    // x fastest, then y, then z.
    for (int k = 0; k < 4; ++k)
        for (int j = 0; j < 2; ++j)
            for (int i = 0; i < 3; ++i) {
                const float value = values[i + 3 * j + 6 * k];
                const bool noData = (i == 1 && j == 0 && k == 2) || (k == 3 && j == 0);
                QVERIFY2(noData ? std::isnan(value) : value == float(0.1 * i + j + 0.01 * k),
                         qPrintable(QString("node %1 %2 %3: %4").arg(i).arg(j).arg(k).arg(value)));
            }
}

void TestVolumeImageFile::failuresWriteNothing()
{
    const QString missingFolder = dir.filePath("no/such/folder/volume.vti");
    QVERIFY(!VolumeImageFile::write(handVolume(), missingFolder));
    QVERIFY(!QFile::exists(missingFolder));
    const QString emptyPath = dir.filePath("empty.vti");
    QVERIFY(!VolumeImageFile::write(ResistivityVolume(), emptyPath));
    QVERIFY(!QFile::exists(emptyPath));
}

QTEST_GUILESS_MAIN(TestVolumeImageFile)
#include "tst_VolumeImageFile.moc"
