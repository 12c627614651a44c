#pragma once
// Line-by-line reduction of per-segment complex vectors: the real parts of one line across all
// segments are reduced to one number, and so are the imaginary parts.

#include <QList>
#include <QVector>
#include <functional>
#include <gsl/gsl_complex.h>

// Reduces count values of one part of one line; may reorder them.
using PartReducer = double (*)(double *values, int count);

// Lines gathered and reduced together: their parts across every segment fit in the cache.
constexpr int kLinesPerBlock = 16;

// Copies the parts of lines [first, first + width) of every segment into column-major buffers: the
// parts of line first + j of segment k go to re[j * count + k] and im[j * count + k].
using BlockGather = std::function<void(int first, int width, double *re, double *im)>;

// Common (shortest) length of the entries; 0 for no entry.
int commonLength(const QList<QVector<gsl_complex>> &entries);

// One complex value per line of lines lines over count segments: (reduce(real parts),
// reduce(imaginary parts)), the columns of kLinesPerBlock lines at a time handed over by gather.
QVector<gsl_complex> reduceLineBlocks(int lines, int count, const BlockGather &gather, PartReducer reduce);

// reduceLineBlocks over per-segment vectors, up to their common length. No entry gives an empty
// result.
QVector<gsl_complex> reduceLines(const QList<QVector<gsl_complex>> &entries, PartReducer reduce);
