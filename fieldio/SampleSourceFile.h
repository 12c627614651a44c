#pragma once
// Opens a recording file as a SampleSource of the right kind: text recordings (".txt", ".asc",
// ".csv", any case) one sample per line, every other file little-endian int32 counts. Shared by
// the segment reader and the streaming front ends, so both read a file the same way.

#include <QString>
#include <memory>

#include "SampleSource.h"

namespace SampleSourceFile {

bool isTextRecording(const QString &file);
// The opened source, or null with error set to why the file cannot be opened. A binary file
// whose size is not a multiple of 4 opens (its partial last sample is ignored) with a debug line.
std::unique_ptr<SampleSource> open(const QString &file, QString &error);

}  // namespace SampleSourceFile
