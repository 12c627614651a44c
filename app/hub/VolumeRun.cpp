#include "VolumeRun.h"

#include <QDebug>
#include <cmath>

#include "CurveBlob.h"
#include "DORE_Collection.h"
#include "Data_Line.h"
#include "Data_Station.h"
#include "OperatorDialogs.h"
#include "OperatorMessages.h"
#include "VolumeBuild.h"
#include "VolumeImageFile.h"

namespace {

constexpr double kSameStation = 1e-3;  // station numbers are stored as float

Data_Line *lineNamed(DORE_Collection<Data_Line> &lines, int name)
{
    for (int l = 0; l < lines.count(); ++l) {
        Data_Line *line = lines.at(l).object;
        if (line && line->LineName() == name)
            return line;
    }
    return nullptr;
}

Data_Station *stationNumbered(Data_Line &line, double number)
{
    DORE_Collection<Data_Station> &stations = *line.REF_Data_Station();
    for (int s = 0; s < stations.count(); ++s) {
        Data_Station *station = stations.at(s).object;
        if (station && std::fabs(station->StationNum() - number) < kSameStation)
            return station;
    }
    return nullptr;
}

QString pointName(const CoordinatePoint &point)
{
    return QStringLiteral("线%1 点%2").arg(point.line, 0, 'g', 6).arg(point.station, 0, 'g', 6);
}

} // namespace

VolumeRun::VolumeRun(OperatorDialogs &dialogs) : dialogs(dialogs) {}

QVector<OneFreqImpedance> VolumeRun::pointCurve(DORE_Collection<Data_Line> &lines,
                                                const CoordinatePoint &point, QString &reason) const
{
    Data_Line *line = lineNamed(lines, int(std::lround(point.line)));
    Data_Station *station = line ? stationNumbered(*line, point.station) : nullptr;
    if (!station) {
        reason = QStringLiteral("无此测点");
        return {};
    }
    const QVector<OneFreqImpedance> curve = CurveBlob::decode(
        settings.dataChoice == VolumeSettings::TM ? station->Data_ImpedanceEx() : station->Data_ImpedanceEy());
    if (curve.isEmpty())
        reason = QStringLiteral("没有保存的%1曲线").arg(settings.dataChoice == VolumeSettings::TM
                                                             ? QStringLiteral("Ex-Hy") : QStringLiteral("Ey-Hx"));
    return curve;
}

bool VolumeRun::prepare(DORE_Collection<Data_Line> &lines, const VolumeSettings &volumeSettings)
{
    settings = volumeSettings;
    columns.clear();
    const QString problem = VolumeBuild::settingsProblem(settings);
    if (!problem.isEmpty())
        return refuse(problem);
    QStringList leftOut;
    for (const CoordinatePoint &point : qAsConst(settings.points)) {
        QString reason;
        const VolumeColumn column = VolumeColumn::fromCurve(pointCurve(lines, point, reason), point.x, point.y,
                                                            point.elevation, settings.inversionCoefficient);
        if (column.isEmpty())
            leftOut << pointName(point) + QStringLiteral("（%1）").arg(reason.isEmpty() ? QStringLiteral("曲线无可用数据") : reason);
        else
            columns.append(column);
    }
    if (!leftOut.isEmpty())
        showWarning(dialogs, OperatorMessages::volumePointsLeftOut(leftOut));
    if (columns.size() < kMinimumStations)
        return refuse(OperatorMessages::volumeTooFewStations(kMinimumStations, columns.size()));
    const QString gridProblem = VolumeBuild::gridProblem(VolumeBuild::gridFor(columns, settings));
    return gridProblem.isEmpty() || refuse(gridProblem);
}

bool VolumeRun::refuse(const QString &text) const
{
    showCritical(dialogs, OperatorMessages::volumeRefused(text));
    return false;
}

VolumeRun::Outcome VolumeRun::compute(const QString &path,
                                      const VolumeInterpolation::Progress &progress) const
{
    Outcome outcome;
    outcome.path = path;
    for (const VolumeColumn &column : columns)
        outcome.stations.append(QPointF(column.x, column.y));
    if (columns.size() < kMinimumStations) {
        outcome.failure = OperatorMessages::volumeNoStations();
        return outcome;
    }
    outcome.volume = VolumeBuild::build(columns, settings, progress);
    if (outcome.volume.isEmpty()) {
        outcome.stopped = true;
        return outcome;
    }
    if (!VolumeImageFile::write(outcome.volume, path))
        outcome.failure = OperatorMessages::volumeFileNotWritten(path);
    return outcome;
}

void VolumeRun::report(const Outcome &outcome, const QStringList &extraFiles) const
{
    if (outcome.stopped)
        return;
    if (!outcome.failure.isEmpty()) {
        showCritical(dialogs, OperatorMessages::volumeRefused(outcome.failure));
        return;
    }
    const VolumeGrid &g = outcome.volume.grid;
    showInformation(dialogs, OperatorMessages::volumeFinished(columns.size(), g.nx, g.ny, g.nz,
                                                              QStringList{outcome.path} + extraFiles));
}
