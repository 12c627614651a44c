#pragma once
// The hub over synthetic projects: the project tree and its Use write-back, the station and
// recording flow with its rows and signals, and a line's section reached through it.

#include <QDir>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QtTest>
#include <gsl/gsl_errno.h>

#include "CurveBlob.h"
#include "ErrorBarBlob.h"
#include "LibDORE.h"
#include "MessagePattern.h"
#include "OperatorMessages.h"
#include "ScriptedOperatorDialogs.h"
#include "SyntheticProject.h"
#include "TreeModel_Index.h"

class TestHub : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { gsl_set_error_handler_off(); }
    void foreignDatabaseIsRefusedUntouched();
    void treeShowsLinesStationsInOrderAndRecordings();
    void uncheckingWritesUseBelowTheItemOnly_data();
    void uncheckingWritesUseBelowTheItemOnly();
    void recomputingTwiceKeepsOneRowPerPair_data();
    void recomputingTwiceKeepsOneRowPerPair();
    void settledFftLengthStaysWithItsRecording();
    void stationCurvesAssembledKeptClearedAndSwapped();
    void errorBarsTravelWithTheCurves();
    void tensorResultsSetOneBandFlag_data();
    void tensorResultsSetOneBandFlag();
    void recomputationStoresEveryPairItCan_data();
    void recomputationStoresEveryPairItCan();
    void recomputationCancelledHalfwayStoresNothing_data();
    void recomputationCancelledHalfwayStoresNothing();
    void multiPolarityStationCombinesItsCurves();
    void lineSectionIsPublishedAndExported();
    void recordingsComputedOnOtherThreadsStoreWhatOpeningStores_data();
    void recordingsComputedOnOtherThreadsStoreWhatOpeningStores();
};

// A recording of rate Hz and the given seconds; tensor: recorded in tensor mode.
inline RecordingPlan recordingPlan(int rate, int seconds, bool tensor = false, std::uint64_t seed = 7)
{
    RecordingPlan request;
    request.sampleRate = rate;
    request.seconds = seconds;
    request.tensor = tensor;
    request.seed = seed;
    return request;
}

inline StationPlan stationPlan(int line, int station, const QList<RecordingPlan> &recordings)
{
    StationPlan request;
    request.line = line;
    request.station = station;
    request.exDipole = 60;
    request.eyDipole = 40;
    request.recordings = recordings;
    return request;
}

// Settings asking for recomputation with segments of n samples, count of them.
inline ReCalculateParam recomputeSettings(int n, int count, bool recompute = true)
{
    ReCalculateParam settings;
    settings.fftLength = float(n);
    settings.fftCount = count;
    settings.recomputeImpedance = recompute;
    return settings;
}

// The survey written into a work folder, current while the fixture lives, with the hub opened on its
// project; rows are read back through a second, plain SQL connection.
class HubFixture {
    QTemporaryDir dir;  // first in, last out: the files outlive the database objects
    QString previousDir = QDir::currentPath();
    QString projectFile;
    bool valid = false;

public:
    LibDORE db;
    ScriptedOperatorDialogs dialogs;
    TreeModel_Index hub{&dialogs};

    explicit HubFixture(const SurveyPlan &survey)
    {
        SurveyDescription written;
        valid = SyntheticProject::create(survey, dir.path(), "hub", &written, &projectFile)
                && QDir(dir.path()).mkpath("tensors") && QDir::setCurrent(dir.path());
        QSqlDatabase reader = QSqlDatabase::addDatabase("QSQLITE", dir.path());
        reader.setDatabaseName(projectFile);
        valid = valid && reader.open() && db.open(projectFile);
        if (valid)
            reopen();
    }
    ~HubFixture()
    {
        hub.clearModel();
        QSqlDatabase::database(dir.path()).close();
        QSqlDatabase::removeDatabase(dir.path());
        QDir::setCurrent(previousDir);
    }
    bool isValid() const { return valid; }
    QString projectPath() const { return projectFile; }
    void reopen() { hub.openProject(dir.path(), &db); }  // reloads every collection

    bool execute(const QString &statement) const
    {
        return QSqlQuery(QSqlDatabase::database(dir.path())).exec(statement);
    }
    // The columns of every row of table, in key order.
    QList<QVariantList> rows(const QString &table, const QString &columns, const QString &where = "1") const
    {
        QSqlQuery query(QSqlDatabase::database(dir.path()));
        query.exec(QString("SELECT %1 FROM %2 WHERE %3 ORDER BY ID").arg(columns, table, where));
        QList<QVariantList> result;
        while (query.next()) {
            result.append(QVariantList());
            for (int c = 0; c < query.record().count(); ++c)
                result.last().append(query.value(c));
        }
        return result;
    }
    // The key of station stationNum on line lineName.
    int stationId(int lineName, double stationNum) const
    {
        const QList<QVariantList> found = rows("Data_Station", "ID", QString("StationNum = %1 AND Data_LineID = "
            "(SELECT ID FROM Data_Line WHERE LineName = %2)").arg(stationNum).arg(lineName));
        return found.isEmpty() ? -1 : found.first().first().toInt();
    }
    // A column of the station row numbered 1 on line 1.
    QVariant station1(const QString &column) const
    {
        return rows("Data_Station", column, QString("ID = %1").arg(stationId(1, 1))).value(0).value(0);
    }
    // The key of the recording row at position of a station's recordings.
    int recordingId(int stationId, int position) const
    {
        const QString where = QString("Data_StationID = %1").arg(stationId);
        return rows("Data_SampleData", "ID", where).value(position).value(0).toInt();
    }
};
