#pragma once
// The sounding curves of one station as a picture: two stacked panels over one logarithmic
// frequency axis that decreases to the right (shallow to deep), apparent resistivity on a
// logarithmic axis above and phase from 0 to 90 degrees below. Measured series are drawn as
// markers (with error bars where the series carries them), model curves as lines; both panels
// carry a legend on their right.

#include <QList>
#include <QPointF>
#include <QSize>
#include <QString>
#include <QVector>

class CurvePlot {
public:
    // One measured curve; points are (frequency in Hz, ohm-m) and (frequency in Hz, degrees).
    // rhoError and phaseError, when not empty, hold one standard error per point (ohm-m,
    // degrees; 0 or NaN: none known), drawn as bars of +- one error.
    struct Series {
        QString name;
        QVector<QPointF> rho;
        QVector<QPointF> phase;
        QVector<double> rhoError;
        QVector<double> phaseError;
    };
    // A curve a model predicts, (frequency in Hz, value).
    struct ModelLine {
        QString name;
        QVector<QPointF> values;
    };

    explicit CurvePlot(const QString &title) : title(title) {}

    void addMeasured(const Series &series) { measured.append(series); }
    void addModelRho(const ModelLine &line) { modelRho.append(line); }
    void addModelPhase(const ModelLine &line) { modelPhase.append(line); }
    // The frequency range the measured series span on the log scale (PlotTicks.h), (0, 0) when
    // there is none.
    QPointF frequencyRange() const;
    // Measured points that cannot be drawn: frequency or resistivity off the log scale, or a phase
    // that is not finite. They are left out of the axes and the picture.
    int unplottable() const;
    // Draws the plot on an image of size and writes it to path as PNG; false (warning naming the
    // file) when it cannot be written.
    bool save(const QString &path, QSize size) const;

private:
    QString title;
    QList<Series> measured;
    QList<ModelLine> modelRho;
    QList<ModelLine> modelPhase;
};
