#pragma once
// The parameters of a line's one-dimensional depth section, as the operator fills them in before
// the run. The defaults are what the parameter dialog shows when it opens.

#include <QMetaType>
#include <QVector>

#include "ProcessingRecords.h"

struct InversionParam {
    double constraint = 1.0;        // factor on the Bostick depth
    double smooth = 0.3;            // horizontal smoothing factor of the section
    double minTopo = 0.0;           // lowest elevation of the section grid, m
    QVector<TopoData> topography;   // surface of the line, ascending position
    int direction = 0;              // curve: 0 Ex/Hy, 1 Ey/Hx, 2 Ex2/Hy, 3 multi-polarity
    double startPoint = -1.0;       // first station number taken; -1: no limit
    double endPoint = -1.0;         // last station number taken; -1: no limit
    double freqMax = 100000.0;      // Hz, band of the curve records used
    double freqMin = 1.0;
};

Q_DECLARE_METATYPE(InversionParam)
