#include "ResourceIcon.h"

#include <QFile>
#include <QImageReader>
#include <QPixmap>

namespace {

// Reads the PNG drawing behind a resource name, whatever extension the name carries (".ico").
QPixmap drawing(const QString &path)
{
    QImageReader reader(path, "png");
    reader.setDecideFormatFromContent(true);
    return QPixmap::fromImage(reader.read());
}

} // namespace

QIcon ResourceIcon::load(const QString &path)
{
    QIcon icon;
    icon.addPixmap(drawing(path));
    const QString small = QString(path).replace(QStringLiteral(":/Res/"), QStringLiteral(":/Res/16/"));
    if (QFile::exists(small))
        icon.addPixmap(drawing(small));
    return icon;
}
