#pragma once
// One channel pair's curve as the operator edits it: the received points in increasing frequency
// carrying the edited apparent resistivity and phase, and per point whether the operator masked
// it. Masked points stay for display and restoring but are left out of what is saved.

#include <QPointF>
#include <QVector>
#include <array>

#include "SpectralRecords.h"

struct CurveEdit {
    QVector<OneFreqImpedance> points;
    QVector<bool> masked;

    // The points as received, none masked, with their Bostick values computed.
    static CurveEdit received(const QVector<OneFreqImpedance> &curve);

    bool isMasked(int index) const { return masked.value(index, false); }
    // Takes the plotted resistivity and phase (y values, by position) and recomputes the Bostick
    // values; frequency, coherency and tag stay as received.
    void setPlottedValues(const QVector<QPointF> &rho, const QVector<QPointF> &phase);
    // Smooths the unmasked points' resistivity and phase with the curve smoother, masked points
    // neither taking part nor changing.
    void smooth();
    // Every unmasked point, with its Bostick values recomputed.
    QVector<OneFreqImpedance> keptPoints() const;
    // Drops the masked points.
    void dropMasked();

    bool operator==(const CurveEdit &other) const;
    bool operator!=(const CurveEdit &other) const { return !(*this == other); }
};

// The edit state of the four channel pairs of the impedance view.
using ImpedanceEditState = std::array<CurveEdit, 4>;

// Bostick resistivity (90 / phase - 1) rho and depth 356 sqrt(rho / f); both 0 when rho, the
// phase or the frequency is not positive, so an edited point never stores an infinite value.
void recomputeBostick(OneFreqImpedance &point);
