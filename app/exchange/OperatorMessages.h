#pragma once
// Every message box the core shows the operator, in one place: one function per message, taking the
// variable parts (station labels, paths, causes reported by lower layers) as arguments. Titles and
// texts are Chinese throughout; file paths and causes passed in keep their own wording.

#include "OperatorMessage.h"

#include <QList>
#include <QStringList>

namespace OperatorMessages {

// ---- project file ----
// The chosen file lacks project tables, or holds them without their key column (their names).
OperatorMessage notProjectFile(const QString &path, const QStringList &incompleteTables);

// ---- station curves in the hub ----
OperatorMessage nothingToShow(const QString &stationLabel);
OperatorMessage stationCleared(const QString &stationLabel);
// A recording whose recomputation failed for some channel pairs: `cause` is what went wrong,
// `storedPairs` the pairs whose curves were stored regardless (empty when nothing was stored).
OperatorMessage recomputationFailed(const QString &lineLabel, const QString &stationLabel,
                                    int recordingNumber, int sampleRate, const QString &cause,
                                    const QStringList &storedPairs);
// Causes of a failed recomputation found by the hub itself.
QString recordingTableMissing(const QString &path);
QString recordingTableUnreadable(const QString &path);
QString tensorFlagsNotWritten();
QString pairCurveNotWritten(const QString &pairName);
QString noPairableChannels();
QString remoteStationMissing();
QString remoteRecordingMissing(const QString &stationLabel, int sampleRate);
QString tensorFolderMissing(const QString &path);
QString tensorFileNotWritten(const QString &path);
OperatorMessage recomputationCancelled(const QString &lineLabel, const QString &stationLabel,
                                       int recordingNumber, int sampleRate);

// ---- exports ----
OperatorMessage exportCancelled();
OperatorMessage exportSucceeded();
OperatorMessage inversionDataExportFailed();
OperatorMessage dataExportFailed();
OperatorMessage rawDataExported();
OperatorMessage dataSaved();
OperatorMessage saveFailed();
OperatorMessage readFailed();
OperatorMessage ediExported();
OperatorMessage ediWithoutTensor();
// The impedance-form EDI needs Ex-Hy and Ey-Hx curves with error bars.
OperatorMessage ediWithoutErrorBars(double stationNumber);
OperatorMessage eh4Exported();
OperatorMessage eh4FolderMissing(const QString &folder);
// `failures` lists what could not be written, one cause per line.
OperatorMessage eh4ExportFailed(const QStringList &failures);
// A station number without a whole-number position cannot enter the EH4 point list.
QString eh4StationWithoutPosition(double stationNumber);

// ---- line section and merge ----
OperatorMessage topographyMissing();
OperatorMessage startStationInvalid();
// "重复高程点的里程：" and each repeated position followed by a comma.
OperatorMessage topographyDuplicates(const QList<double> &positions);
OperatorMessage mergeFilesNotOpen();
OperatorMessage mergeFailed();
OperatorMessage mergeSucceeded();

// ---- inversion runs ----
OperatorMessage nlcgTooFewStations(int minimum);
OperatorMessage nllsTooFewStations(int minimumStations, int minimumFrequencies);
OperatorMessage inversionDataFailed();
OperatorMessage inversionModelFailed();
OperatorMessage inversionControlFailed();
OperatorMessage inversionProgramFailed();
OperatorMessage inversionResultNotRemovable();
OperatorMessage inversionProgramNotStarted();
OperatorMessage inversionProgramTimedOut();
OperatorMessage initialDataFileFailed();
OperatorMessage inversionDataReady();
OperatorMessage inversionModelReady();
// After the program ended; `finalMisfit` is empty when the program printed none.
OperatorMessage inversionFinished(const QString &finalMisfit);
OperatorMessage inversionCancelled();

// ---- the three-dimensional volume ----
// A refusal with its cause (settings, grid, too few stations, a file not written).
OperatorMessage volumeRefused(const QString &cause);
// The coordinate points left out, one "name（reason）" per line.
OperatorMessage volumePointsLeftOut(const QStringList &points);
QString volumeTooFewStations(int minimum, int available);
QString volumeNoStations();
QString volumeFileNotWritten(const QString &path);
// The volume written: station count, grid size and the files written, one per line.
OperatorMessage volumeFinished(int stations, int nx, int ny, int nz, const QStringList &files);

} // namespace OperatorMessages
