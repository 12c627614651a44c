#pragma once
// Tick labels of a log axis as MT plots print them: plain numbers from 0.001 to 10000 (no digit
// grouping), powers of ten written 10^n beyond that range.

#include <qwt_scale_draw.h>

class Graph_LogScaleDraw : public QwtScaleDraw {
public:
    QwtText label(double value) const override;
};
