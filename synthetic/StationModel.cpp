#include "StationModel.h"

StationModel::StationModel(const LayeredEarth &earth) : xy(earth), yx(earth) {}

StationModel::StationModel(const LayeredEarth &xyEarth, const LayeredEarth &yxEarth,
                           double rotationDegrees)
    : xy(xyEarth), yx(yxEarth), rotation(rotationDegrees)
{
}

ImpedanceTensor StationModel::tensor(double f) const
{
    const ImpedanceTensor principal{0.0, xy.impedance(f), -yx.impedance(f), 0.0};
    return rotation == 0.0 ? principal : principal.rotated(rotation);
}
