#pragma once
// A curve of sounding values drawn as markers: points the operator masked are drawn as hollow
// circles in the curve's colour instead of its symbol, and a point that carries an error gets a
// thin vertical bar from y - error to y + error with small caps. Masks and errors are matched to
// the samples by position; positions beyond their vectors count as unmasked and without error.

#include <QVector>
#include <qwt_plot_curve.h>

class Graph_SoundingCurve : public QwtPlotCurve {
public:
    explicit Graph_SoundingCurve(const QString &title);

    void setMasked(const QVector<bool> &flags) { masked = flags; }
    bool isMasked(int index) const { return masked.value(index, false); }
    // Half-lengths of the error bars in y units; NaN or a value <= 0 draws no bar.
    void setErrors(const QVector<double> &halfLengths) { errors = halfLengths; }
    const QVector<double> &errorBars() const { return errors; }

    void drawSeries(QPainter *painter, const QwtScaleMap &xMap, const QwtScaleMap &yMap,
                    const QRectF &canvasRect, int from, int to) const override;

protected:
    void drawSymbols(QPainter *painter, const QwtSymbol &symbol, const QwtScaleMap &xMap,
                     const QwtScaleMap &yMap, const QRectF &canvasRect, int from,
                     int to) const override;

private:
    void drawErrorBar(QPainter *painter, const QwtScaleMap &xMap, const QwtScaleMap &yMap,
                      const QRectF &canvasRect, int index) const;
    void drawMaskedPoint(QPainter *painter, const QwtScaleMap &xMap, const QwtScaleMap &yMap,
                         const QRectF &canvasRect, int index) const;

    QVector<bool> masked;
    QVector<double> errors;
};
