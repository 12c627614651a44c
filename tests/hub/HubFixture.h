#pragma once
// A synthetic project in a temporary work folder with the hub opened on it. The work folder is
// the current directory while the fixture lives (the processing resolves its tables there).
// Rows are read back through a second, plain SQL connection, independent of the store.

#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QVariantList>

#include "LibDORE.h"
#include "ScriptedOperatorDialogs.h"
#include "SpectralRecords.h"
#include "SurveySpec.h"
#include "TreeModel_Index.h"

// A recording of the given rate and length in seconds; tensor: recorded in tensor mode.
RecordingSpec recordingSpec(int rate, int seconds, bool tensor = false, std::uint64_t seed = 7);
StationSpec stationSpec(int line, int station, const QList<RecordingSpec> &recordings);

// Settings asking for recomputation with segments of n samples, count segments.
ReCalculateParam recomputeSettings(int n, int count, bool tensorMode = false);

// The records of a curve BLOB: runs of seven little-endian doubles.
QVector<OneFreqImpedance> blobRecords(const QByteArray &blob);

class HubFixture {
    QTemporaryDir dir;  // first in, last out: the files outlive the database objects

public:
    explicit HubFixture(const SurveySpec &survey);
    ~HubFixture();

    bool isValid() const { return valid; }
    QString workDir() const { return dir.path(); }
    // Opens (again) the hub on the project file, reloading every collection.
    void reopen();

    // Values of columns of every row of table, ordered by ID, read through the plain connection.
    QList<QVariantList> rows(const QString &table, const QString &columns,
                             const QString &where = QString()) const;
    QVariant value(const QString &table, const QString &column, int id) const;
    bool execute(const QString &statement) const;
    // The key of the station row numbered stationNum on line lineName.
    int stationId(int lineName, double stationNum) const;
    // The keys of a station's recording rows, by ID.
    QList<int> recordingIds(int stationId) const;
    // Positions of a station in the hub (line collection, ordered station collection).
    bool positionsOf(int lineName, double stationNum, int &line, int &station) const;

    LibDORE db;
    ScriptedOperatorDialogs dialogs;
    TreeModel_Index hub{&dialogs};

private:
    QString previousDir;
    QString projectFile;
    QString connection;
    bool valid = false;
};
