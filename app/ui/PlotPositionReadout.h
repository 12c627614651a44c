#pragma once
// The status-bar read-out of the plot position: watches mouse moves over the canvases of every
// Qwt plot inside one window and says where the pointer is, in the plot's axis units, named by
// the axis titles ("频率(Hz) 125.3   视电阻率 (ohm-m) 87.1"). Leaving a canvas clears it.

#include <QObject>

class QwtPlot;

class PlotPositionReadout : public QObject {
    Q_OBJECT
public:
    // Watches the plots inside window; installs itself on the application.
    explicit PlotPositionReadout(QWidget *window);

    // The text for canvas position (x, y) of plot, in pixels.
    static QString describe(const QwtPlot &plot, const QPoint &canvasPosition);

signals:
    void positionChanged(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *window;
};
