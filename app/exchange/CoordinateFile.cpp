#include "CoordinateFile.h"

#include <QDebug>
#include <QFile>
#include <QTextStream>

#include "TextFields.h"

namespace {

// False when a field is not a number: a header line names the columns and places no station.
bool toPoint(const QStringList &fields, CoordinatePoint &point)
{
    double values[5];
    for (int i = 0; i < 5; ++i) {
        bool ok = false;
        values[i] = fields[i].toDouble(&ok);
        if (!ok)
            return false;
    }
    point = {values[0], values[1], values[2], values[3], values[4]};
    return true;
}

} // namespace

namespace CoordinateFile {

bool read(const QString &path, QList<CoordinatePoint> &points)
{
    points.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qWarning().noquote() << "CoordinateFile::read: cannot open" << path;
        return false;
    }
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QStringList fields = splitTextFields(in.readLine(), 5);
        CoordinatePoint point;
        if (fields.size() == 5 && toPoint(fields, point))
            points.append(point);
    }
    return true;
}

} // namespace CoordinateFile
