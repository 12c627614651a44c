#pragma once
#include <QObject>

// The written work folder: count files, levels, calibration tables and the recording table.
class TestGenerator : public QObject {
    Q_OBJECT
private slots:
    void sameSeedGivesSameBytes();
    void filesHoldTheDurationAtSaneLevels_data();
    void filesHoldTheDurationAtSaneLevels();
    void calibrationTablesHaveDesignedShape_data();
    void calibrationTablesHaveDesignedShape();
    void calibrationTablesAreWrittenWithTwelveDigits();
    void tableNamesFollowRateAndLowBand_data();
    void tableNamesFollowRateAndLowBand();
    void recordingTableRowsFollowFieldOrder();
    void impossibleStationsAreRefused_data();
    void impossibleStationsAreRefused();
};
