#include "SampleSource.h"

#include <QVector>

qint64 SampleSource::skip(qint64 count)
{
    QVector<double> scratch(4096);
    qint64 passed = 0;
    while (passed < count) {
        const qint64 wanted = qMin<qint64>(count - passed, scratch.size());
        const qint64 got = read(scratch.data(), wanted);
        if (got < 0)
            return -1;
        passed += got;
        if (got < wanted)
            break;
    }
    return passed;
}
