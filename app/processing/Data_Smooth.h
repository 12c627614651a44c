#pragma once
// Horizontal smoothing of a depth section, stronger the deeper the level: at a level lying d
// metres below the top level, every column is replaced by the raised-cosine weighted mean of the
// columns within d * smoothFactor metres.

#include <QList>
#include <QObject>
#include <QVector>

#include "ProcessingRecords.h"

class Data_Smooth : public QObject {
    Q_OBJECT
public:
    explicit Data_Smooth(QObject *parent = nullptr);

    // The section with smoothed values (positions and levels unchanged). Every column must share
    // the first column's level vector; a section whose columns differ is returned unchanged (with
    // a debug line).
    QList<DataType_ResultData> smoothSection(QList<DataType_ResultData> section,
                                             double smoothFactor) const;

    // Smooths rows[j] (one value per column, at levels[j]) in place. Within a row the columns
    // are replaced in order, each from the values already replaced before it. Rows at the top
    // level (half-width 0) stay as they are.
    void smoothRows(QVector<QVector<double>> &rows, double smoothFactor,
                    const QVector<double> &levels, const QVector<double> &positions) const;
};
