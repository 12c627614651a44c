#include "LineSectionRun.h"

#include <QDebug>

#include "Data_Inversion.h"
#include "Data_Line.h"
#include "Data_Smooth.h"
#include "OperatorDialogs.h"
#include "OperatorMessages.h"

namespace {

QVector<OneFreqImpedance> withinBand(const QVector<OneFreqImpedance> &curve, double fMin, double fMax)
{
    QVector<OneFreqImpedance> kept;
    for (const OneFreqImpedance &record : curve)
        if (record.freq >= fMin && record.freq <= fMax)
            kept.append(record);
    return kept;
}

} // namespace

LineSectionRun::LineSectionRun(OperatorDialogs *dialogs) : dialogs(dialogs) {}

bool LineSectionRun::run(Data_Line &line, const InversionParam &param,
                         QList<DataType_ResultData> &section, QVector<TopoData> &surface)
{
    if (param.topography.isEmpty()) {
        showWarning(*dialogs, OperatorMessages::topographyMissing());
        return false;
    }
    const bool bothBounds = param.startPoint != Data_Line::kNoBound && param.endPoint != Data_Line::kNoBound;
    if (bothBounds && param.startPoint > param.endPoint) {
        showWarning(*dialogs, OperatorMessages::startStationInvalid());
        return false;
    }
    QList<QVector<OneFreqImpedance>> curves;
    QList<double> positions;
    line.sectionData(param.direction, param.startPoint, param.endPoint, curves, positions);
    for (QVector<OneFreqImpedance> &curve : curves)
        curve = withinBand(curve, param.freqMin, param.freqMax);
    Data_Inversion::SectionSettings settings;
    settings.depthScale = param.constraint;
    settings.sectionBottom = param.minTopo;
    settings.topography = param.topography;
    section = Data_Smooth().smoothSection(
        Data_Inversion().depthSection(curves, positions.toVector(), settings), param.smooth);
    surface = param.topography;
    return true;
}
