#pragma once
// The regular grid of a resistivity volume: nx * ny * nz nodes, x east, y north, z elevation
// (increasing upwards), x varying fastest, then y, then z (the order of a VTK image).

#include <QVector>
#include <QtGlobal>

struct VolumeGrid {
    int nx = 0;
    int ny = 0;
    int nz = 0;
    double x0 = 0.0;   // m, westmost node
    double y0 = 0.0;   // m, southmost node
    double z0 = 0.0;   // m, lowest level
    double dx = 1.0;   // m
    double dy = 1.0;
    double dz = 1.0;

    // The largest grid built; beyond it the settings are refused rather than run out of memory.
    static constexpr qint64 kMaxNodes = 20000000;

    // The grid over the bounding box of the points (x, y matched by index), its nodes cellSize
    // apart and reaching past the box by less than one cell, with levels levelStep apart from top
    // down to no lower than bottom. A cellSize of 0 takes half the median distance from a point to
    // its nearest neighbour, but never less than 1/200 of the box's longer side (1 m when all
    // points coincide). Empty (nz = 0) when bottom lies above top or a spacing is not positive.
    static VolumeGrid around(const QVector<double> &x, const QVector<double> &y, double top,
                             double bottom, double cellSize, double levelStep);
    static double automaticCellSize(const QVector<double> &x, const QVector<double> &y);

    qint64 nodeCount() const { return qint64(nx) * ny * nz; }
    // False for an empty grid and for one above kMaxNodes.
    bool isUsable() const { return nz > 0 && double(nx) * ny * nz <= double(kMaxNodes); }
    qint64 index(int i, int j, int k) const { return (qint64(k) * ny + j) * nx + i; }
    double x(int i) const { return x0 + i * dx; }
    double y(int j) const { return y0 + j * dy; }
    double z(int k) const { return z0 + k * dz; }
    double top() const { return z(nz - 1); }
};
