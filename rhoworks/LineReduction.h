#pragma once
// Line-by-line reduction of per-segment complex vectors: the real parts of one line across all
// segments are reduced to one number, and so are the imaginary parts.

#include <QList>
#include <QVector>
#include <gsl/gsl_complex.h>

// Reduces count values of one part of one line; may reorder them.
using PartReducer = double (*)(double *values, int count);

// Common (shortest) length of the entries; 0 for no entry.
int commonLength(const QList<QVector<gsl_complex>> &entries);

// One complex value per line of the common length: (reduce(real parts), reduce(imaginary parts)).
// Lines are gathered in blocks so that each segment's vector is read contiguously even when there
// are thousands of segments. No entry gives an empty result.
QVector<gsl_complex> reduceLines(const QList<QVector<gsl_complex>> &entries, PartReducer reduce);
