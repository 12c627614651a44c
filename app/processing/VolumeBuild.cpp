#include "VolumeBuild.h"

#include <algorithm>
#include <cmath>

#include "VolumeBlending.h"
#include "VolumeSmoothing.h"

namespace VolumeBuild {

QString settingsProblem(const VolumeSettings &s)
{
    if (!(s.searchRadius > 0) || !std::isfinite(s.searchRadius))
        return QStringLiteral("相关搜索半径必须大于0");
    if (!(s.xCoefficient > 0) || !std::isfinite(s.xCoefficient))
        return QStringLiteral("同平面系数必须大于0");
    if (!(s.yCoefficient >= 0) || !std::isfinite(s.yCoefficient))
        return QStringLiteral("测深方向系数不能小于0");
    if (!(s.zCoefficient >= 0 && s.zCoefficient <= 1))
        return QStringLiteral("层状空间系数必须在0和1之间");
    if (!(s.inversionCoefficient > 0) || !std::isfinite(s.inversionCoefficient))
        return QStringLiteral("反演系数必须大于0");
    if (!(s.constraintCoefficient >= 0) || !std::isfinite(s.constraintCoefficient))
        return QStringLiteral("约束系数不能小于0");
    if (!std::isfinite(s.minTopo))
        return QStringLiteral("最低高程不是有效数字");
    if (!(s.cellSize >= 0) || !(s.levelStep > 0) || !std::isfinite(s.cellSize + s.levelStep))
        return QStringLiteral("网格间距必须大于0");
    return QString();
}

VolumeGrid gridFor(const QVector<VolumeColumn> &columns, const VolumeSettings &settings)
{
    QVector<double> x, y;
    double top = -HUGE_VAL;
    for (const VolumeColumn &column : columns) {
        x.append(column.x);
        y.append(column.y);
        top = std::max(top, column.surface);
    }
    return VolumeGrid::around(x, y, top, settings.minTopo, settings.cellSize, settings.levelStep);
}

QString gridProblem(const VolumeGrid &grid)
{
    if (grid.nz <= 0)
        return QStringLiteral("最低高程高于所有测点的高程");
    if (!grid.isUsable())
        return QStringLiteral("三维网格过大（超过%1个节点），请加大网格间距或提高最低高程")
            .arg(VolumeGrid::kMaxNodes);
    return QString();
}

ResistivityVolume build(const QVector<VolumeColumn> &columns, const VolumeSettings &settings,
                        const VolumeInterpolation::Progress &progress)
{
    ResistivityVolume volume;
    volume.grid = gridFor(columns, settings);
    if (columns.isEmpty() || !settingsProblem(settings).isEmpty() || !gridProblem(volume.grid).isEmpty())
        return volume;
    volume.log10Rho = VolumeInterpolation::interpolate(
        columns, volume.grid,
        {settings.searchRadius, settings.xCoefficient, settings.yCoefficient}, progress);
    if (volume.isEmpty())
        return volume;
    if (settings.layered)
        VolumeBlending::blendWithLevelMeans(volume.log10Rho, volume.grid, settings.zCoefficient);
    VolumeSmoothing::smooth(volume.log10Rho, volume.grid, settings.constraintCoefficient);
    return volume;
}

} // namespace VolumeBuild
