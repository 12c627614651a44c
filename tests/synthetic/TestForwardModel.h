#pragma once
#include <QObject>

// Layered-earth impedances and tensor rotation against closed forms and invariants.
class TestForwardModel : public QObject {
    Q_OBJECT
private slots:
    void halfSpaceGivesItsResistivityAnd45Degrees_data();
    void halfSpaceGivesItsResistivityAnd45Degrees();
    void twoLayerMatchesCagniardClosedForm_data();
    void twoLayerMatchesCagniardClosedForm();
    void asymptotesReachTopLayerAndBasement_data();
    void asymptotesReachTopLayerAndBasement();
    void splittingALayerChangesNothing_data();
    void splittingALayerChangesNothing();
    void rotationMatchesClosedForm_data();
    void rotationMatchesClosedForm();
    void rotationBy90SwapsAndNegatesOffDiagonals();
};
