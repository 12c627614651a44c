#pragma once
#include <QObject>

class TestMerge : public QObject {
    Q_OBJECT
private slots:
    void linesMatchedByNumber();
    void failedWriteLeavesTargetUntouched_data();
    void failedWriteLeavesTargetUntouched();
    void refusedWithoutBothFiles();
};
