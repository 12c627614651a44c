#pragma once
#include <QObject>

class TestLineSection : public QObject {
    Q_OBJECT
private slots:
    void elevationFile_data();
    void elevationFile();
    void refusals_data();
    void refusals();
    void frequencyBandSelectsRecords_data();
    void frequencyBandSelectsRecords();
};
