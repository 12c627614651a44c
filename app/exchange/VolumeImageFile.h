#pragma once
// A resistivity volume as a VTK XML image file (".vti") that ParaView and other VTK readers
// open: the grid's extent, origin and spacing, and one point array "log10_resistivity"
// (Float32, little-endian, base64 inline with a UInt64 byte-count header); nodes without data
// hold NaN.

#include <QString>

#include "ResistivityVolume.h"

namespace VolumeImageFile {

constexpr const char *kArrayName = "log10_resistivity";

// Writes the file whole or not at all; false (debug line naming the file) when it cannot be
// written or the volume is empty.
bool write(const ResistivityVolume &volume, const QString &path);

} // namespace VolumeImageFile
