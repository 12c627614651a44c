#include "ProcessOptions.h"

#include <QStringList>
#include <QThread>

namespace {

const int kFrequencyDensities[] = {10, 12, 15, 20};

bool readLength(const QString &text, ReCalculateParam &settings)
{
    int n = 0;
    const bool accepted = ProcessOptions::fftLength(text, n);
    settings.fftLength = float(n);
    return accepted;
}

bool readCount(const QString &text, ReCalculateParam &settings)
{
    if (text == QLatin1String("all")) {
        settings.fftCount = -1;
        return true;
    }
    bool ok = false;
    settings.fftCount = text.toInt(&ok);
    return ok && settings.fftCount >= 1;
}

bool readDensity(const QString &text, ReCalculateParam &settings)
{
    for (int i = 0; i < 4; ++i) {
        if (text == QString::number(kFrequencyDensities[i])) {
            settings.frequencyDensity = i;
            return true;
        }
    }
    return false;
}

bool readThreads(const QString &text, int &threads)
{
    bool ok = false;
    threads = text.toInt(&ok);
    return ok && threads >= 1 && threads <= ProcessOptions::kMostThreads;
}

bool readMode(const QString &text, ReCalculateParam &settings)
{
    settings.tensorMode = text == QLatin1String("tensor");
    return text == QLatin1String("tensor") || text == QLatin1String("scalar");
}

} // namespace

void ProcessOptions::addTo(QCommandLineParser &parser)
{
    parser.addOptions({
        {QStringLiteral("estimator"), QStringLiteral("plain, robust, mestimation, median or regression"),
         QStringLiteral("name"), QStringLiteral("plain")},
        {QStringLiteral("fft-length"), QStringLiteral("samples per segment, or rate"),
         QStringLiteral("n"), QStringLiteral("16384")},
        {QStringLiteral("fft-count"), QStringLiteral("segments to use, or all"),
         QStringLiteral("count"), QStringLiteral("30")},
        {QStringLiteral("frequencies"), QStringLiteral("frequencies per decade: 10, 12, 15 or 20"),
         QStringLiteral("count"), QStringLiteral("10")},
        {QStringLiteral("detrend"), QStringLiteral("remove each segment's trend")},
        {QStringLiteral("mode"), QStringLiteral("scalar or tensor"), QStringLiteral("mode"),
         QStringLiteral("scalar")},
        {QStringLiteral("threads"), QStringLiteral("recordings computed at once"), QStringLiteral("n"),
         QString::number(QThread::idealThreadCount())},
    });
}

bool ProcessOptions::estimatorCode(const QString &text, int &code)
{
    const QStringList names{QStringLiteral("plain"), QStringLiteral("robust"),
                            QStringLiteral("mestimation"), QStringLiteral("median"),
                            QStringLiteral("regression")};
    const int codes[] = {1, 2, 3, 6, 7};
    for (int i = 0; i < names.size(); ++i) {
        if (text == names.at(i) || text == QString::number(codes[i])) {
            code = codes[i];
            return true;
        }
    }
    return false;
}

bool ProcessOptions::fftLength(const QString &text, int &n)
{
    if (text == QLatin1String("rate")) {
        n = -1;
        return true;
    }
    bool ok = false;
    n = text.toInt(&ok);
    return ok && n >= kShortestSegment && n <= kLongestSegment;
}

QString ProcessOptions::fftLengthExpected()
{
    return QStringLiteral("a whole number from %1 to %2, or rate")
        .arg(kShortestSegment).arg(kLongestSegment);
}

bool ProcessOptions::read(const QCommandLineParser &parser, QString &error)
{
    settings.recomputeImpedance = true;
    settings.trendCorrection = parser.isSet(QStringLiteral("detrend"));
    struct Check {
        const char *option;
        bool accepted;
        QString expected;
    };
    const Check checks[] = {
        {"estimator", estimatorCode(parser.value(QStringLiteral("estimator")), estimator),
         "plain, robust, mestimation, median, regression or 1, 2, 3, 6, 7"},
        {"fft-length", readLength(parser.value(QStringLiteral("fft-length")), settings),
         fftLengthExpected()},
        {"fft-count", readCount(parser.value(QStringLiteral("fft-count")), settings),
         "a positive whole number, or all"},
        {"frequencies", readDensity(parser.value(QStringLiteral("frequencies")), settings),
         "10, 12, 15 or 20"},
        {"mode", readMode(parser.value(QStringLiteral("mode")), settings), "scalar or tensor"},
        {"threads", readThreads(parser.value(QStringLiteral("threads")), threads),
         QStringLiteral("a whole number from 1 to %1").arg(kMostThreads)},
    };
    for (const Check &check : checks) {
        if (!check.accepted) {
            error = QStringLiteral("--%1 %2: expected %3")
                        .arg(QLatin1String(check.option),
                             parser.value(QLatin1String(check.option)), check.expected);
            return false;
        }
    }
    return true;
}
