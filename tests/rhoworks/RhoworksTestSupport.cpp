#include "RhoworksTestSupport.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTextStream>

namespace RhoworksTest {

namespace {

bool writeLines(const QString &path, const QStringList &lines)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return false;
    QTextStream out(&file);
    for (const QString &line : lines)
        out << line << '\n';
    return out.status() == QTextStream::Ok;
}

}  // namespace

bool writeChannel(const QString &path, const QVector<double> &millivolts, double fs)
{
    const double scale = countsScale(fs);
    QStringList lines;
    lines.reserve(millivolts.size());
    for (double mv : millivolts)
        lines << QString::number(mv / scale, 'g', 17);
    return writeLines(path, lines);
}

bool writeUnitTable(const QString &path, double fmin, double fmax)
{
    return writeTable(path, {{fmin, 1, 0}, {fmax, 1, 0}});
}

bool writeTable(const QString &path, const QVector<QVector<double>> &rows)
{
    QStringList lines{"# frequency amplitude phase"};
    for (const QVector<double> &row : rows) {
        QStringList fields;
        for (double value : row)
            fields << QString::number(value, 'g', 17);
        lines << fields.join(' ');
    }
    return writeLines(path, lines);
}

bool isDeadFrequency(double f)
{
    for (double dead : {2000.0, 2510.0, 3160.0, 3980.0, 39.8, 50.1, 63.1, 79.4, 126.0, 158.0, 200.0}) {
        if (std::fabs(f - dead) < 1e-5)
            return true;
    }
    return false;
}

QVector<double> noise(int count, double amplitude, quint32 seed)
{
    QRandomGenerator random(seed);
    QVector<double> samples(count);
    for (double &x : samples)
        x = amplitude * (2 * random.generateDouble() - 1);
    return samples;
}

}  // namespace RhoworksTest

namespace RhoworksTest {

PairFiles writePair(const QString &dir, const QString &stem, const QVector<double> &eMillivolts,
                    const QVector<double> &hMillivolts, double fs)
{
    PairFiles files{dir + "/" + stem + "_E0.txt", dir + "/" + stem + "_Hy.txt",
                    dir + "/" + stem + "-Ex-sensor.txt", dir + "/" + stem + "-Hy-sensor.txt",
                    dir + "/" + stem + "-Ex-gain.txt", dir + "/" + stem + "-Hy-gain.txt"};
    writeChannel(files.e, eMillivolts, fs);
    writeChannel(files.h, hMillivolts, fs);
    for (const QString &table : {files.eSensor, files.hSensor, files.eGain, files.hGain})
        writeUnitTable(table, 1e-4, 1e6);
    return files;
}

bool runMethod(Rhoworks &rhoworks, Method method, const PairFiles &f, const RunOptions &o)
{
    using Computation = bool (Rhoworks::*)(QString, QString, double, double, double, QString,
                                           QString, QString, QString, bool, int, int, bool, bool, int);
    static const Computation computations[] = {
        &Rhoworks::Calc_CagniardResistivity, &Rhoworks::Calc_CagniardResistivityMEstimation,
        &Rhoworks::Calc_CagniardResistivityRobust, &Rhoworks::Calc_CagniardResistivityMedian};
    return (rhoworks.*computations[int(method)])(f.e, f.h, o.fs, o.readerValue, o.dipoleLength,
        f.eSensor, f.hSensor, f.eGain, f.hGain, o.useESensor, o.n, o.segmentCount, o.removeTrend,
        false, o.mode);
}

QString methodName(Method method)
{
    switch (method) {
    case Method::Plain: return "plain";
    case Method::MEstimation: return "M-estimation";
    case Method::Robust: return "robust";
    case Method::Median: return "median";
    }
    return QString();
}

}  // namespace RhoworksTest
