#pragma once
// The scale along the top of a section: a tick at every station and its number above it. Numbers
// that would overlap the one drawn before are left out, so that a dense line stays legible.

#include <QList>

#include <qwt_scale_draw.h>

class StationScaleDraw : public QwtScaleDraw {
public:
    StationScaleDraw();

    // The scale division with one major tick per station position over [first, last].
    static QwtScaleDiv stationDivision(const QList<double> &positions);

    QwtText label(double position) const override;
    void draw(QPainter *painter, const QPalette &palette) const override;

protected:
    void drawLabel(QPainter *painter, double position) const override;

private:
    mutable double lastLabelEnd = 0.0;  // pixel right of the last number drawn in this pass
    mutable bool anyLabelDrawn = false;
};
