#pragma once
#include <QObject>

class TestSpectrumExport : public QObject {
    Q_OBJECT
private slots:
    void stationLines_data();
    void stationLines();
    void lineTableFromRecordings();
    void endsWithoutWriting_data();
    void endsWithoutWriting();
};
