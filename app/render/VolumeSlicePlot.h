#pragma once
// Horizontal slices of a resistivity volume as map pictures: east across, north up at one scale,
// every node a cell coloured by its resistivity on the section view's colour table (one range for
// all slices of the volume, from its data), nodes without data in light grey, the stations as
// black triangles and a colour bar in ohm-m.

#include <QPointF>
#include <QString>
#include <QStringList>
#include <QVector>

#include "ResistivityVolume.h"

namespace VolumeSlicePlot {

// Slices written beside a volume unless asked otherwise: the top, the bottom and three between.
constexpr int kDefaultSlices = 5;

// count levels (at most every level) evenly spread from the top level down to the lowest.
QVector<int> sliceLevels(const VolumeGrid &grid, int count);

// Draws level k with the stations at their (x, y) on a picture width pixels wide (its height
// follows the map's shape) and writes it to path as PNG; false (warning naming the file) when it
// cannot be written.
bool save(const ResistivityVolume &volume, int k, const QVector<QPointF> &stations,
          const QString &path, int width = 900);

// Writes the slices of sliceLevels(count) beside the volume's file: "<base>_<elevation>m.png".
// The files written.
QStringList saveBeside(const ResistivityVolume &volume, const QVector<QPointF> &stations,
                       const QString &volumePath, int count);

} // namespace VolumeSlicePlot
