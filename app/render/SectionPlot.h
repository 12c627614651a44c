#pragma once
// A resistivity section as a picture: position along the line across, depth down, each column a
// vertical strip of cells coloured by log10 resistivity with the section view's colour table,
// and a colour bar labelled in ohm-m on the right.

#include <QList>
#include <QSize>
#include <QString>

#include "ProcessingRecords.h"

namespace SectionPlot {

// Draws section under title on an image of size and writes it to path as PNG; false (warning
// naming the file) when a cell lies off any survey or its resistivity off the log scale, or
// when the file cannot be written.
bool save(const QList<DataType_ResultData> &section, const QString &title, const QString &path,
          QSize size);

} // namespace SectionPlot
