#pragma once
// Reads back a section table as ResultTableExport::exportSection writes it: one
// "position,depth,value" row per cell (depth in m, negative below the surface; value in ohm-m).

#include <QList>
#include <QString>

#include "ProcessingRecords.h"

namespace SectionTableFile {

// The columns of the table at path in increasing position, each column's cells in increasing
// depth (rows of equal position and depth keep their order). False (warning naming the file) when
// it cannot be read, holds no rows, or a row is malformed or has a resistivity that is not
// positive.
bool read(const QString &path, QList<DataType_ResultData> &section);

} // namespace SectionTableFile
