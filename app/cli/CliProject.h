#pragma once
// A project opened for one subcommand: the project file's database, the hub over it, the
// command-line operator and the progress display the hub reports long work to. Opening makes the project's folder the working folder, so the relative
// paths of the work folder ("tensors/", "SensorsFile/", "GainCalibration/") resolve there.
// Errors are printed to standard error as "terrascope-cli <command>: <text>".

#include <QList>
#include <QString>

#include "CliOperatorDialogs.h"
#include "ConsoleFeedback.h"
#include "LibDORE.h"
#include "TreeModel_Index.h"

class Data_Station;

class CliProject {
public:
    // A station by its positions in the hub's collections.
    struct StationRef {
        int line = -1;
        int station = -1;
    };

    explicit CliProject(const QString &command);
    ~CliProject();
    CliProject(const CliProject &) = delete;
    CliProject &operator=(const CliProject &) = delete;

    // False (message printed) when the file is missing or not a project database.
    bool open(const QString &projectFile);
    // The stations of the line named lineText (all lines when empty) whose number is stationText
    // (all stations when empty); only rows that could be loaded are selected, so station() of a
    // selected reference is a loaded station. False (message printed) when the line or station
    // does not exist or its rows cannot be read.
    bool selectStations(const QString &lineText, const QString &stationText,
                        QList<StationRef> &selected);

    TreeModel_Index &hub() { return index; }
    CliOperatorDialogs &dialogs() { return operatorDialogs; }
    ConsoleFeedback &feedback() { return console; }
    QSqlDatabase database() const { return db.database(); }
    Data_Station *station(const StationRef &ref) { return index.stationAt(ref.line, ref.station); }
    // "Line 1, Station 2".
    QString label(const StationRef &ref);
    QString projectFile() const { return path; }

    // Prints "terrascope-cli <command>: text" to standard error.
    void error(const QString &text) const;

private:
    bool selectLines(const QString &lineText, QList<int> &lines);
    // "n of the m rows of the project's <table> table cannot be read ...".
    QString unreadableRows(const QString &table, int unreadable, int rows) const;

    QString command;
    QString path;
    CliOperatorDialogs operatorDialogs;
    ConsoleFeedback console;
    LibDORE db;
    TreeModel_Index index;
};
