#pragma once
#include <QObject>

class TestInversionFiles : public QObject {
    Q_OBJECT
private slots:
    void modelWidths_data();
    void modelWidths();
    void dataFileAndMeanResistivity();
    void controlFile();
    void fieldDataClamps();
    void fieldDataRefusals();
    void nlcgOutput_data();
    void nlcgOutput();
    void nllsOutput_data();
    void nllsOutput();
};
