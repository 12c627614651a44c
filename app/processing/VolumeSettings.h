#pragma once
// The settings of a pseudo-3-D resistivity volume built from the stations' one-dimensional depth
// columns, as the operator gives them in the 3-D settings dialog (or on the command line), and the
// surveyed points that place the stations.

#include <QList>
#include <QMetaType>

// One surveyed station: line and station number name it in the project; x (east), y (north) and
// elevation in metres place its column.
struct CoordinatePoint {
    double line = 0.0;
    double station = 0.0;
    double x = 0.0;
    double y = 0.0;
    double elevation = 0.0;
};

struct VolumeSettings {
    enum DataChoice { TE = 0, TM = 1 };

    bool layered = true;            // layered reference space: blend with the layer average
    int dataChoice = TE;            // TE: the Ey/Hx curve, TM: the Ex/Hy curve
    double searchRadius = 1000.0;   // m, horizontal; stations farther away do not contribute
    double xCoefficient = 1.0;      // scale on horizontal distances ("同平面系数")
    double yCoefficient = 1.0;      // scale on vertical distances ("测深方向系数")
    double zCoefficient = 0.2;      // 0..1, weight of the layer average (layered space only)
    double minTopo = -1000.0;       // m, lowest elevation of the volume
    double inversionCoefficient = 1.0;  // factor on the Bostick depth
    double constraintCoefficient = 0.3; // horizontal smoothing: half-width per metre of depth
    QList<CoordinatePoint> points;

    // Grid spacing; not asked by the dialog. A cell size of 0 lets the grid choose one from the
    // spacing of the points.
    double cellSize = 0.0;          // m, horizontal
    double levelStep = 10.0;        // m, vertical (the depth sections' step)
};

Q_DECLARE_METATYPE(VolumeSettings)
