#include "SectionTableFile.h"

#include <QDebug>
#include <QFile>
#include <QTextStream>
#include <algorithm>

#include "TextFields.h"

namespace SectionTableFile {

namespace {

// Rows sorted by position and, within a column, by depth from the bottom up.
struct Cell {
    double position, depth, value;
    bool operator<(const Cell &o) const
    {
        return position != o.position ? position < o.position : depth < o.depth;
    }
};

bool readCells(const QString &path, QVector<Cell> &cells)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qWarning().noquote() << "SectionTableFile::read: cannot read" << path;
        return false;
    }
    QTextStream in(&file);
    for (int number = 1; !in.atEnd(); ++number) {
        const QStringList fields = splitTextFields(in.readLine());
        if (fields.isEmpty())
            continue;
        bool ok[3] = {false, false, false};
        const Cell cell{fields.value(0).toDouble(&ok[0]), fields.value(1).toDouble(&ok[1]),
                        fields.value(2).toDouble(&ok[2])};
        if (fields.size() != 3 || !ok[0] || !ok[1] || !ok[2] || !(cell.value > 0)) {
            qWarning().noquote() << "SectionTableFile::read:" << path << "line" << number
                                 << "is not position,depth,resistivity with a positive resistivity";
            return false;
        }
        cells << cell;
    }
    if (cells.isEmpty())
        qWarning().noquote() << "SectionTableFile::read:" << path << "holds no section rows";
    return !cells.isEmpty();
}

} // namespace

bool read(const QString &path, QList<DataType_ResultData> &section)
{
    QVector<Cell> cells;
    if (!readCells(path, cells))
        return false;
    std::stable_sort(cells.begin(), cells.end());
    section.clear();
    for (const Cell &cell : qAsConst(cells)) {
        if (section.isEmpty() || section.last().position != cell.position)
            section.append(DataType_ResultData{cell.position, {}, {}});
        section.last().depth << cell.depth;
        section.last().value << cell.value;
    }
    return true;
}

} // namespace SectionTableFile
