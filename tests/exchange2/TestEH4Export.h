#pragma once
#include <QObject>

class TestEH4Export : public QObject {
    Q_OBJECT
private slots:
    void pointFilesOfALine();
    void existingFrequencyTableKept();
};
