#pragma once
// Mouse gestures on a plot's canvas for the widget suites, sent through the window system so that
// button state, focus and double clicks behave as for a person. Include after defining
// QTEST_QPA_MOUSE_HANDLING.

#include <QtTest>
#include <qwt_plot.h>

// The canvas pixel of a value on the plot's bottom and left axes.
inline QPoint pixelOf(const QwtPlot *plot, const QPointF &value)
{
    return QPoint(qRound(plot->transform(QwtPlot::xBottom, value.x())),
                  qRound(plot->transform(QwtPlot::yLeft, value.y())));
}

inline void dragOnCanvas(QwtPlot *plot, const QPoint &from, const QPoint &to)
{
    QWidget *canvas = plot->canvas();
    QTest::mousePress(canvas, Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(canvas, (from + to) / 2);
    QTest::mouseMove(canvas, to);
    QTest::mouseRelease(canvas, Qt::LeftButton, Qt::NoModifier, to);
}
