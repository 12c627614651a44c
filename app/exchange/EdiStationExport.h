#pragma once
// Export of one station's tensor result as an EDI file: asks for the output file, reads the
// station's band files from "tensors/" (relative to the working folder), sorts their records by
// frequency and writes them with EDIDeviceIO::writeEDI.

class Data_Line;
class EDIDeviceIO;
class OperatorDialogs;

class EdiStationExport {
public:
    // Both must outlive this object.
    EdiStationExport(OperatorDialogs *dialogs, EDIDeviceIO *io);

    // line: the line of the chosen tree row, null when that row is not a line. Stops silently on
    // a cancelled file choice, a missing line or a station row out of range; refuses a station
    // never tensor-processed ("EDI导出错误"). True when the file was written.
    bool run(Data_Line *line, int stationRow);

private:
    OperatorDialogs *dialogs;
    EDIDeviceIO *io;
};
