#include "LineReduction.h"

#include <algorithm>

namespace {

constexpr int kLinesPerBlock = 64;

// Copies lines [first, first + width) of every entry into column-major buffers: the parts of line
// first + j of segment k land at j * count + k.
void gatherBlock(const QList<QVector<gsl_complex>> &entries, int first, int width,
                 QVector<double> &re, QVector<double> &im)
{
    const int count = entries.size();
    for (int k = 0; k < count; ++k) {
        const gsl_complex *line = entries[k].constData() + first;
        for (int j = 0; j < width; ++j) {
            re[j * count + k] = GSL_REAL(line[j]);
            im[j * count + k] = GSL_IMAG(line[j]);
        }
    }
}

}  // namespace

int commonLength(const QList<QVector<gsl_complex>> &entries)
{
    if (entries.isEmpty())
        return 0;
    int length = entries.first().size();
    for (const QVector<gsl_complex> &entry : entries)
        length = std::min(length, entry.size());
    return length;
}

QVector<gsl_complex> reduceLines(const QList<QVector<gsl_complex>> &entries, PartReducer reduce)
{
    const int count = entries.size();
    const int lines = commonLength(entries);
    QVector<gsl_complex> result(lines);
    QVector<double> re(kLinesPerBlock * count);
    QVector<double> im(kLinesPerBlock * count);
    for (int first = 0; first < lines; first += kLinesPerBlock) {
        const int width = std::min(kLinesPerBlock, lines - first);
        gatherBlock(entries, first, width, re, im);
        for (int j = 0; j < width; ++j) {
            GSL_SET_COMPLEX(&result[first + j], reduce(re.data() + j * count, count),
                            reduce(im.data() + j * count, count));
        }
    }
    return result;
}
