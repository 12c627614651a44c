#include "ResourceIcon.h"

#include <QFile>
#include <QImageReader>
#include <QPixmap>

// The resources live in the static library terrascope_ui, so they are registered explicitly.
static void registerResources()
{
    Q_INIT_RESOURCE(Terrascope);
}

namespace {

// Reads the PNG drawing behind a resource name, whatever extension the name carries (".ico").
QPixmap drawing(const QString &path)
{
    QImageReader reader(path, "png");
    reader.setDecideFormatFromContent(true);
    return QPixmap::fromImage(reader.read());
}

} // namespace

void ResourceIcon::registerOnce()
{
    static const bool registered = (registerResources(), true);
    Q_UNUSED(registered);
}

QIcon ResourceIcon::load(const QString &path)
{
    registerOnce();
    QIcon icon;
    icon.addPixmap(drawing(path));
    const QString small = QString(path).replace(QStringLiteral(":/Res/"), QStringLiteral(":/Res/16/"));
    if (QFile::exists(small))
        icon.addPixmap(drawing(small));
    return icon;
}
