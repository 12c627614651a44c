#include "EdiStationExport.h"

#include <QDir>
#include <algorithm>

#include "Data_Line.h"
#include "Data_Station.h"
#include "EDIDeviceIO.h"
#include "OperatorDialogs.h"
#include "OperatorMessages.h"
#include "StationTensorFiles.h"

EdiStationExport::EdiStationExport(OperatorDialogs *dialogs, EDIDeviceIO *io)
    : dialogs(dialogs), io(io)
{
}

bool EdiStationExport::run(Data_Line *line, int stationRow)
{
    const QString path = dialogs->saveFileName(QStringLiteral("保存EDI文件"), QDir::currentPath(),
                                               QStringLiteral("EDI文件(*.edi)"));
    if (path.isEmpty() || !line)
        return false;
    Data_Station *station = line->REF_Data_Station()->at(stationRow).object;
    if (!station)
        return false;
    if (station->HasTensor() < 0) {
        showCritical(*dialogs, OperatorMessages::ediWithoutTensor());
        return false;
    }
    // The station's band flags say which of its band files hold results.
    const QPair<int, TensorResultBand> bands[] = {{station->HMT(), TensorResultBand::High},
                                                  {station->MMT(), TensorResultBand::Middle},
                                                  {station->LMT(), TensorResultBand::Low}};
    QList<TensorCrossPower> crossPowers;
    QList<TensorImpedance> impedances;
    for (const auto &band : bands)
        if (band.first > 0)
            io->readTensorFile(crossPowers, impedances,
                               StationTensorFiles::path(station->StationNum(), band.second));
    const auto byFrequency = [](const auto &a, const auto &b) { return a.freq < b.freq; };
    std::stable_sort(crossPowers.begin(), crossPowers.end(), byFrequency);
    if (!io->writeEDI(path, crossPowers, station->XPoleDistance(), station->YPoleDistance(),
                      line->LineName(), station->StationNum()))
        return false;
    showInformation(*dialogs, OperatorMessages::ediExported());
    return true;
}
