#pragma once
#include <QObject>

// The hub's station and recording flow over synthetic projects: recomputation and its rows,
// the views' signals, assembly, clearing, swapping, tensor band flags and failed computations.
class TestHubFlow : public QObject {
    Q_OBJECT
private slots:
    void recomputingTwiceKeepsOneRowPerPair_data();
    void recomputingTwiceKeepsOneRowPerPair();
    void openingWithoutRecomputationSendsSeriesAndStoresNothing();
    void wholeRateLengthAndAllDataCountAreSettled_data();
    void wholeRateLengthAndAllDataCountAreSettled();
    void showingAStationAssemblesAndStoresItsCurves();
    void storedCurvesStayUntilTheStationIsCleared();
    void swappingTwiceRestoresTheSortedCurves();
    void recordingsAbove400kHzContributeNothing();
    void tensorResultsSetOneBandFlag_data();
    void tensorResultsSetOneBandFlag();
    void failedRecomputationStoresNothing_data();
    void failedRecomputationStoresNothing();
    void multiPolarityStationCombinesItsCurves();
    void combinationAveragesUpToTheShortestCurve_data();
    void combinationAveragesUpToTheShortestCurve();
};
