#pragma once
// The hub's 3-D processing: the pseudo-3-D resistivity volume of the stations named in the
// coordinate points, written as a VTK image file. It runs in two halves so that the desktop
// program keeps its event loop: prepare reads the stations' stored curves on the thread that
// opened the project, compute is a pure function of those curves and the settings that may run
// on a worker thread, and report tells the operator on the first thread again.

#include <QPointF>
#include <QString>
#include <QStringList>
#include <QVector>

#include "ResistivityVolume.h"
#include "VolumeColumn.h"
#include "VolumeInterpolation.h"
#include "VolumeSettings.h"

class Data_Line;
template <class T> class DORE_Collection;
class OperatorDialogs;

class VolumeRun {
public:
    static constexpr int kMinimumStations = 3;

    struct Outcome {
        ResistivityVolume volume;
        QVector<QPointF> stations;  // the columns' (x, y), for pictures of the volume
        QString path;       // the VTK image file written
        QString failure;    // for the operator; empty when the file was written
        bool stopped = false;
    };

    // dialogs must outlive the run.
    explicit VolumeRun(OperatorDialogs &dialogs);

    // The depth column of every point whose line and station the project has with a stored curve
    // of the chosen mode (TM: Ex/Hy, TE: Ey/Hx), placed at the point. Points left out are named
    // in one warning. False, with a critical box, when the settings cannot be used, fewer than
    // three stations remain or the grid cannot be built.
    bool prepare(DORE_Collection<Data_Line> &lines, const VolumeSettings &settings);
    int stationCount() const { return columns.size(); }

    // Builds the volume and writes it to path. Stopped (nothing written) when progress returns
    // false.
    Outcome compute(const QString &path, const VolumeInterpolation::Progress &progress = {}) const;

    // An information box naming the written files (the image file and any others in extraFiles),
    // or a critical one with the failure; nothing when stopped.
    void report(const Outcome &outcome, const QStringList &extraFiles = {}) const;

private:
    // The curve of point's station, empty (with reason set) when there is none to use.
    QVector<OneFreqImpedance> pointCurve(DORE_Collection<Data_Line> &lines,
                                         const CoordinatePoint &point, QString &reason) const;
    bool refuse(const QString &text) const;

    OperatorDialogs &dialogs;
    VolumeSettings settings;
    QVector<VolumeColumn> columns;
};
