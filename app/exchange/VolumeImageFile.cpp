#include "VolumeImageFile.h"

#include <QDebug>
#include <QSaveFile>
#include <QtEndian>

namespace {

QString numbers(double a, double b, double c)
{
    return QStringLiteral("%1 %2 %3").arg(a, 0, 'g', 17).arg(b, 0, 'g', 17).arg(c, 0, 'g', 17);
}

QString extent(const VolumeGrid &grid)
{
    return QStringLiteral("0 %1 0 %2 0 %3").arg(grid.nx - 1).arg(grid.ny - 1).arg(grid.nz - 1);
}

// The UInt64 byte count followed by the little-endian values, as one base64 stream.
QByteArray encodedValues(const QVector<float> &values)
{
    QByteArray raw(int(sizeof(quint64)) + values.size() * int(sizeof(float)), Qt::Uninitialized);
    qToLittleEndian<quint64>(quint64(values.size()) * sizeof(float), raw.data());
    qToLittleEndian<float>(values.constData(), values.size(), raw.data() + sizeof(quint64));
    return raw.toBase64();
}

QByteArray document(const ResistivityVolume &volume)
{
    const VolumeGrid &g = volume.grid;
    const QString name = QString::fromLatin1(VolumeImageFile::kArrayName);
    QString head;
    head += QStringLiteral("<?xml version=\"1.0\"?>\n");
    head += QStringLiteral("<VTKFile type=\"ImageData\" version=\"1.0\" byte_order=\"LittleEndian\" "
                           "header_type=\"UInt64\">\n");
    head += QStringLiteral("  <ImageData WholeExtent=\"%1\" Origin=\"%2\" Spacing=\"%3\">\n")
                .arg(extent(g), numbers(g.x0, g.y0, g.z0), numbers(g.dx, g.dy, g.dz));
    head += QStringLiteral("    <Piece Extent=\"%1\">\n").arg(extent(g));
    head += QStringLiteral("      <PointData Scalars=\"%1\">\n").arg(name);
    head += QStringLiteral("        <DataArray type=\"Float32\" Name=\"%1\" NumberOfComponents=\"1\" "
                           "format=\"binary\">\n          ").arg(name);
    const QByteArray tail = "\n        </DataArray>\n      </PointData>\n      <CellData>\n      </CellData>\n"
                            "    </Piece>\n  </ImageData>\n</VTKFile>\n";
    return head.toUtf8() + encodedValues(volume.log10Rho) + tail;
}

} // namespace

namespace VolumeImageFile {

bool write(const ResistivityVolume &volume, const QString &path)
{
    if (volume.isEmpty() || volume.log10Rho.size() != volume.grid.nodeCount()) {
        qWarning().noquote() << "VolumeImageFile::write: no volume to write into" << path;
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(document(volume)) < 0 || !file.commit()) {
        qWarning().noquote() << "VolumeImageFile::write: cannot write" << path << file.errorString();
        return false;
    }
    return true;
}

} // namespace VolumeImageFile
