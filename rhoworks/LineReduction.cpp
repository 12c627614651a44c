#include "LineReduction.h"

#include <algorithm>
#include <memory>

#include "ParallelFor.h"

int commonLength(const QList<QVector<gsl_complex>> &entries)
{
    if (entries.isEmpty())
        return 0;
    int length = entries.first().size();
    for (const QVector<gsl_complex> &entry : entries)
        length = std::min(length, entry.size());
    return length;
}

// Blocks of lines are independent, so ranges of them are reduced in parallel, each range reusing
// one pair of buffers (uninitialised: gather fills them); every line's result is the same whichever
// thread computes it.
QVector<gsl_complex> reduceLineBlocks(int lines, int count, const BlockGather &gather, PartReducer reduce)
{
    QVector<gsl_complex> result(count > 0 ? lines : 0);
    gsl_complex *out = result.data();
    const int blocks = (result.size() + kLinesPerBlock - 1) / kLinesPerBlock;
    ParallelFor::runRanges(blocks, [&](int firstBlock, int endBlock) {
        const size_t room = size_t(kLinesPerBlock) * size_t(count);
        const std::unique_ptr<double[]> re(new double[room]), im(new double[room]);
        for (int block = firstBlock; block < endBlock; ++block) {
            const int first = block * kLinesPerBlock;
            const int width = std::min(kLinesPerBlock, lines - first);
            gather(first, width, re.get(), im.get());
            for (int j = 0; j < width; ++j) {
                GSL_SET_COMPLEX(&out[first + j], reduce(re.get() + size_t(j) * count, count),
                                reduce(im.get() + size_t(j) * count, count));
            }
        }
    });
    return result;
}

QVector<gsl_complex> reduceLines(const QList<QVector<gsl_complex>> &entries, PartReducer reduce)
{
    const int count = entries.size();
    const BlockGather gather = [&](int first, int width, double *re, double *im) {
        for (int k = 0; k < count; ++k) {
            const gsl_complex *line = entries[k].constData() + first;
            for (int j = 0; j < width; ++j) {
                re[size_t(j) * count + k] = GSL_REAL(line[j]);
                im[size_t(j) * count + k] = GSL_IMAG(line[j]);
            }
        }
    };
    return reduceLineBlocks(commonLength(entries), count, gather, reduce);
}
