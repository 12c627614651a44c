#pragma once
#include <QObject>

// Synthetic recordings read back, calibrated and processed the obvious way recover the model.
class TestEndToEnd : public QObject {
    Q_OBJECT
private slots:
    void halfSpaceRecoversItsResistivity_data();
    void halfSpaceRecoversItsResistivity();
    void threeLayerEarthFollowsForwardModel_data();
    void threeLayerEarthFollowsForwardModel();
    void electricNoiseLowersCoherencyAsPredicted_data();
    void electricNoiseLowersCoherencyAsPredicted();
    void tensorOfRotatedTwoDimensionalEarthIsRecovered();
};
