#include "TopographyFile.h"

#include <QDebug>
#include <QFile>
#include <QTextStream>
#include <algorithm>
#include <cmath>

#include "TextFields.h"

namespace TopographyFile {

bool read(const QString &path, QVector<TopoData> &topography, QList<double> &duplicates)
{
    topography.clear();
    duplicates.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qWarning().noquote() << "TopographyFile::read: cannot open" << path;
        return false;
    }
    QVector<TopoData> points;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QStringList fields = splitTextFields(in.readLine(), 2);
        if (fields.size() < 2)
            continue;
        const TopoData point{fields[0].toDouble(), fields[1].toDouble()};
        // A point that is not a number has no place along the line and cannot be sorted.
        if (std::isfinite(point.position) && std::isfinite(point.elevation))
            points.append(point);
    }
    std::stable_sort(points.begin(), points.end(),
                     [](const TopoData &a, const TopoData &b) { return a.position < b.position; });
    for (const TopoData &point : points) {
        if (!topography.isEmpty() && std::fabs(point.position - topography.last().position) < 1e-7) {
            if (duplicates.isEmpty() || duplicates.last() != topography.last().position)
                duplicates.append(topography.last().position);
            continue;
        }
        topography.append(point);
    }
    return true;
}

} // namespace TopographyFile
