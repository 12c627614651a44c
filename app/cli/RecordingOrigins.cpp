#include "RecordingOrigins.h"

#include <QMap>
#include <QSet>

#include "Data_ProcessData.h"
#include "Data_SampleData.h"
#include "Data_Station.h"

namespace RecordingOrigins {

namespace {

// Frequencies compared at six significant digits.
QString key(double freq)
{
    return QString::number(freq, 'g', 6);
}

struct Source {
    int rate = 0;
    QSet<QString> frequencies;
};

QList<Source> sourcesOf(Data_Station &station, int channel)
{
    constexpr int kHighestRate = 400000;  // recordings above it are never assembled
    QList<Source> sources;
    DORE_Collection<Data_SampleData> *samples = station.REF_Data_SampleData();
    for (int s = 0; s < samples->count(); ++s) {
        Data_SampleData *sample = samples->at(s).object;
        if (!sample || sample->Use() == 0 || sample->SampleRate() > kHighestRate)
            continue;
        DORE_Collection<Data_ProcessData> *rows = sample->REF_Data_ProcessData();
        for (int r = 0; r < rows->count(); ++r) {
            Data_ProcessData *row = rows->at(r).object;
            if (!row || row->SampleChannel() != channel)
                continue;
            Source source{sample->SampleRate(), {}};
            for (const OneFreqImpedance &z : row->decodeCurve())
                source.frequencies.insert(key(z.freq));
            sources.append(source);
        }
    }
    return sources;
}

int rateOf(const QList<Source> &sources, const QString &frequency, int occurrence)
{
    for (const Source &source : sources)
        if (source.frequencies.contains(frequency) && occurrence-- == 0)
            return source.rate;
    return 0;
}

} // namespace

QVector<int> ratesOf(Data_Station &station, int channel, const QVector<OneFreqImpedance> &curve)
{
    const QList<Source> sources = sourcesOf(station, channel);
    QMap<QString, int> seen;
    QVector<int> rates;
    for (const OneFreqImpedance &z : curve) {
        const QString frequency = key(z.freq);
        rates.append(rateOf(sources, frequency, seen[frequency]++));
    }
    return rates;
}

} // namespace RecordingOrigins
