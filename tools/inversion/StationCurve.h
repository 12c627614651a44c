#pragma once
// One station's apparent-resistivity curve as an input file gives it, and the records of it that a
// one-dimensional inversion can fit.

#include <QString>
#include <vector>

struct CurvePoint {
    double freq = 0.0;   // Hz
    double rho = 0.0;    // ohm-m
    double phase = 0.0;  // degrees
};

class StationCurve {
public:
    static constexpr int kMinimumRecords = 5;

    // number: the station's place in the input file, counted from 1.
    StationCurve(int number, const std::vector<CurvePoint> &records);

    int number() const { return stationNumber; }
    // Records with a finite positive frequency and resistivity and a finite phase strictly between
    // 0 and 90 degrees, the range of every layered earth.
    const std::vector<CurvePoint> &usableRecords() const { return usable; }
    // Whether enough records are usable for the station to be inverted.
    bool isInvertible() const { return int(usable.size()) >= kMinimumRecords; }
    // A line for the operator when records were dropped or the station is left out; empty when
    // every record is used.
    QString report() const;

private:
    int stationNumber;
    int recordCount;
    std::vector<CurvePoint> usable;
};
