#include "SeriesProject.h"

#include <QDebug>
#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <cmath>

#include "SyntheticProject.h"

namespace {

using RecorderConventions::Channel;

const QVector<double> *seriesOf(const RecordedSeries &series, Channel channel)
{
    switch (channel) {
    case Channel::Ex: return &series.ex;
    case Channel::Ey: return &series.ey;
    case Channel::Hx: return &series.hx;
    case Channel::Hy: return &series.hy;
    default: return nullptr;
    }
}

double largestMagnitude(const RecordedSeries &series)
{
    double largest = 0;
    for (const QVector<double> *values : {&series.ex, &series.ey, &series.hx, &series.hy})
        for (double v : *values)
            largest = std::max(largest, std::fabs(v));
    return largest;
}

bool writeCounts(const QString &path, const QVector<double> &values, double factor)
{
    QVector<qint32> counts(values.size());
    for (int i = 0; i < values.size(); ++i)
        counts[i] = qToLittleEndian(qint32(std::lround(values[i] * factor)));
    QFile file(path);
    const qint64 bytes = 4 * qint64(counts.size());
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && file.write(reinterpret_cast<const char *>(counts.constData()), bytes) == bytes;
}

bool writeUnitTable(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)
        && file.write("# unit response\n1e-6 1 0\n1e7 1 0\n") > 0;
}

StationPlan stationFor(const RecordedSeries &series)
{
    StationPlan station;
    station.exDipole = station.eyDipole = station.ex2Dipole = 1000;  // mV per km is mV
    RecordingPlan &recording = station.recordings.first();
    recording.sampleRate = series.sampleRate;
    recording.seconds = int(series.ex.size() / series.sampleRate);
    recording.recorded = {{true, true, true, true, false}};
    return station;
}

} // namespace

bool SeriesProject::write(const RecordedSeries &series, const QString &workDir, const QString &name,
                          QString *projectFile)
{
    const int count = series.ex.size();
    if (series.sampleRate < 1 || count == 0 || count % series.sampleRate != 0 || series.ey.size() != count
        || series.hx.size() != count || series.hy.size() != count) {
        qWarning() << "SeriesProject::write: the series must have one length of whole seconds";
        return false;
    }
    SurveyDescription survey;
    if (!SyntheticProject::create(SurveyPlan{{stationFor(series)}}, workDir, name, &survey, projectFile))
        return false;
    const double factor = std::pow(2.0, 29) / std::max(largestMagnitude(series), 1e-300);
    for (const ChannelDescription &channel : survey.stations.first().recordings.first().channels) {
        const QVector<double> *values = seriesOf(series, channel.channel);
        if (!values || !writeCounts(channel.dataFile, *values, factor)
            || !writeUnitTable(workDir + QLatin1Char('/') + channel.sensorTable)
            || !writeUnitTable(workDir + QLatin1Char('/') + channel.gainTable)) {
            qWarning() << "SeriesProject::write: cannot write" << channel.dataFile << "or its tables";
            return false;
        }
    }
    return true;
}
