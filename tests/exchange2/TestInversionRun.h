#pragma once
#include <QObject>

class TestInversionRun : public QObject {
    Q_OBJECT
private slots:
    void halfSpaceThroughStandIns_data();
    void halfSpaceThroughStandIns();
    void failingProgramPublishesNothing_data();
    void failingProgramPublishesNothing();
    void tooFewStationsRefused();
};
