#include "StationTensorFiles.h"

#include <QFileInfo>
#include <algorithm>

#include "EDIDeviceIO.h"
#include "StationPaths.h"

namespace StationTensorFiles {

QString path(float stationNum, TensorResultBand band)
{
    return StationPaths::tensorBasePath(stationNum) + TensorResultBands::extension(band);
}

QStringList existing(float stationNum)
{
    QStringList paths;
    for (TensorResultBand band : {TensorResultBand::High, TensorResultBand::Middle, TensorResultBand::Low}) {
        if (QFileInfo::exists(path(stationNum, band)))
            paths << path(stationNum, band);
    }
    return paths;
}

bool read(OperatorDialogs &dialogs, float stationNum, QList<BandImpedance> &records)
{
    EDIDeviceIO files(&dialogs);
    for (const QString &path : existing(stationNum)) {
        QList<TensorCrossPower> crossPowers;
        QList<TensorImpedance> impedances;
        if (!files.readTensorFile(crossPowers, impedances, path))
            return false;
        for (const TensorImpedance &impedance : qAsConst(impedances))
            records.append({QFileInfo(path).suffix(), impedance});
    }
    std::stable_sort(records.begin(), records.end(), [](const BandImpedance &a, const BandImpedance &b) {
        return a.impedance.freq < b.impedance.freq;
    });
    return true;
}

} // namespace StationTensorFiles
