#include "StationPaths.h"

namespace StationPaths {

QString numberText(float stationNum)
{
    return QString::number(double(stationNum), 'g', 6);
}

QString stationLabel(float stationNum)
{
    return QStringLiteral("Station %1").arg(numberText(stationNum));
}

QString lineLabel(int lineName)
{
    return QStringLiteral("Line %1").arg(lineName);
}

QString stationFolder(const QString &projectFolder, int lineName, float stationNum)
{
    return projectFolder + QStringLiteral("/data/") + lineLabel(lineName) + QLatin1Char('/')
           + stationLabel(stationNum);
}

QString tensorBasePath(float stationNum)
{
    return QStringLiteral("tensors/") + numberText(stationNum);
}

} // namespace StationPaths
