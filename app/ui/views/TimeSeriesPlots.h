#pragma once
// The plots of the time-series view: one plot per channel (Ex, Ey, Ex2, Hx, Hy, with the y-axis
// titles "E0", "E1", "E2", "Hx", "Hy" and their units) stacked in a column whose x axes line up,
// the horizontal scroll bar under them, and beside them a coherency plot for the spectrum modes.
// Only the lowest shown plot labels the shared x axis; the top one carries the view's title.
//
// Each channel plot has one curve, drawn as a polyline (envelope points) or, for band averages,
// with markers; the coherency plot has one curve per coherency shown, with a legend.

#include <QList>
#include <QPair>
#include <QPointF>
#include <QString>
#include <QVector>
#include <array>

#include "ChannelSlot.h"

class QScrollBar;
class QSplitter;
class QWidget;
class QwtPlotCurve;
class QwtPlotGraph;

class TimeSeriesPlots {
public:
    enum Scales { LinearScales, LogScales };
    using NamedPoints = QPair<QString, QVector<QPointF>>;

    explicit TimeSeriesPlots(QWidget *parent);

    QSplitter *widget() const { return outer; }
    QScrollBar *scrollBar() const { return pager; }
    QwtPlotGraph *channelPlot(int slot) const { return plots[slot]; }
    QwtPlotGraph *coherencyPlot() const { return coherency; }
    QwtPlotCurve *channelCurve(int slot) const { return curves[slot]; }
    // The plots of the arranged slots, top to bottom.
    QList<QwtPlotGraph *> shownPlots() const;
    // Every plot that shares the x axis: the shown channel plots and, when shown, the coherency plot.
    QList<QwtPlotGraph *> xLinkedPlots() const;
    QList<int> shownSlots() const { return order; }

    // Shows the plots of the slots in shownList, top to bottom in that order; the others are hidden.
    void arrange(const QList<int> &shownList);
    // Scale engines of the channel plots' both axes, and the x-axis title of the lowest plot.
    void setScales(Scales scales, const QString &xTitle);
    // "E0", ... followed by the unit on the slot's y axis.
    void setUnit(int slot, const QString &unit);
    void setTitle(const QString &title);
    void setCoherencyShown(bool shown);
    void setPagerShown(bool shown);

    // The slot's curve; markers for band averages at a few frequencies.
    void setCurve(int slot, const QVector<QPointF> &points, bool markers = false);
    // The coherency plot's curves, one per name, in the given order.
    void setCoherencyCurves(const QList<NamedPoints> &named);
    // The x range of every linked plot; their y axes fit their data again.
    void setXRange(double low, double high);
    void forgetZooms();
    // Pixel columns available for an envelope: the canvas width of the plots.
    int columnCount() const;
    // Gives every shown channel plot a canvas of the same height (the title and the x axis take
    // room from the top and lowest plots); for a new arrangement of a laid-out view.
    void balanceCanvasHeights();
    // Lines up the linked plots and redraws them.
    void replotAll();

    static QString channelLabel(int slot);

private:
    void buildChannelPlot(int slot);
    void buildCoherencyPlot();
    void applyXLabels();

    QSplitter *outer;
    QSplitter *column;
    QScrollBar *pager;
    std::array<QwtPlotGraph *, kChannelSlotCount> plots{};
    std::array<QwtPlotCurve *, kChannelSlotCount> curves{};
    QwtPlotGraph *coherency = nullptr;
    QList<QwtPlotCurve *> coherencyCurves;
    QList<int> order;
    QString xTitle;
    QString title;
};
