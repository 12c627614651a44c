#include "CliProject.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

#include "Data_Line.h"
#include "Data_Station.h"
#include "ProjectSchema.h"
#include "StationPaths.h"

CliProject::CliProject(const QString &command) : command(command), index(&operatorDialogs)
{
    index.setFeedback(&console);
}

CliProject::~CliProject()
{
    index.clearModel();
}

void CliProject::error(const QString &text) const
{
    QTextStream(stderr) << "terrascope-cli " << command << ": " << text << '\n';
}

bool CliProject::open(const QString &projectFile)
{
    const QFileInfo file(projectFile);
    path = file.absoluteFilePath();
    QString problem;
    if (!openProjectFile(db, path, problem)) {
        error(problem);
        return false;
    }
    if (!QDir::setCurrent(file.absolutePath())) {
        error(QStringLiteral("cannot change into the project folder %1").arg(file.absolutePath()));
        return false;
    }
    return index.openProject(file.absolutePath(), &db);
}

QString CliProject::label(const StationRef &ref)
{
    Data_Line *line = index.lineAt(ref.line);
    Data_Station *s = station(ref);
    if (!line || !s)
        return QString();
    return StationPaths::lineLabel(line->LineName()) + QStringLiteral(", ")
           + StationPaths::stationLabel(s->StationNum());
}

bool CliProject::selectLines(const QString &lineText, QList<int> &lines)
{
    bool numeric = true;
    const int wanted = lineText.toInt(&numeric);
    QStringList names;
    int unreadable = 0;
    for (int l = 0; l < index.lines()->count(); ++l) {
        const Data_Line *line = index.lineAt(l);
        if (!line) {
            ++unreadable;
            continue;
        }
        names << QString::number(line->LineName());
        if (lineText.isEmpty() || (numeric && line->LineName() == wanted))
            lines.append(l);
    }
    if (!lines.isEmpty())
        return true;
    if (unreadable > 0)
        error(unreadableRows(QStringLiteral("Data_Line"), unreadable, index.lines()->count()));
    else
        error(names.isEmpty() ? QStringLiteral("the project has no line")
                              : QStringLiteral("the project has no line %1 (its lines: %2)")
                                    .arg(lineText, names.join(QStringLiteral(", "))));
    return false;
}

QString CliProject::unreadableRows(const QString &table, int unreadable, int rows) const
{
    return QStringLiteral("%1 of the %2 rows of the project's %3 table cannot be read (a damaged or "
                          "foreign project file?)")
        .arg(unreadable).arg(rows).arg(table);
}

bool CliProject::selectStations(const QString &lineText, const QString &stationText,
                                QList<StationRef> &selected)
{
    QList<int> lines;
    if (!selectLines(lineText, lines))
        return false;
    bool numeric = true;
    const float wanted = stationText.toFloat(&numeric);
    int unreadable = 0, rows = 0;
    for (int l : qAsConst(lines)) {
        DORE_Collection<Data_Station> *stations = index.lineAt(l)->REF_Data_Station();
        rows += stations->count();
        for (int s = 0; s < stations->count(); ++s) {
            const Data_Station *st = stations->at(s).object;
            if (!st)
                ++unreadable;
            else if (stationText.isEmpty() || (numeric && st->StationNum() == wanted))
                selected.append({l, s});
        }
    }
    if (!selected.isEmpty())
        return true;
    if (unreadable > 0)
        error(unreadableRows(QStringLiteral("Data_Station"), unreadable, rows));
    else
        error(stationText.isEmpty()
                  ? QStringLiteral("line %1 has no station").arg(lineText)
                  : QStringLiteral("no station %1 on %2").arg(stationText,
                        lineText.isEmpty() ? QStringLiteral("any line")
                                           : QStringLiteral("line %1").arg(lineText)));
    return false;
}
