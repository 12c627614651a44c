#pragma once
#include <QObject>

class TestResultTables : public QObject {
    Q_OBJECT
private slots:
    void curveLine_data();
    void curveLine();
    void rawFilesOfALine();
    void rawExportStopsOnCancelledFolder();
    void sectionRows_data();
    void sectionRows();
};
