#pragma once
#include <QObject>

class TestEdiExport : public QObject {
    Q_OBJECT
private slots:
    void goldenStation();
    void refusals_data();
    void refusals();
    void spectraGiveTheTensorBack();
};
