#include "SurveyWriter.h"

#include <QDebug>
#include <QDir>
#include <QRegularExpression>
#include <QSet>
#include <array>

#include "RecordingTable.h"

using RecorderConventions::Channel;

namespace {

QDateTime defaultStart(int index)
{
    const QDateTime first(QDate(2024, 5, 1), QTime(10, 0, 0), Qt::UTC);
    return first.addSecs(600 * index);
}

double dipoleOf(const StationPlan &station, Channel channel)
{
    switch (channel) {
    case Channel::Ex: return station.exDipole;
    case Channel::Ey: return station.eyDipole;
    case Channel::Ex2: return station.ex2Dipole;
    default: return 0.0;
    }
}

// A request the recorder could not have written: files would collide or the table would not split
// back into its fields.
QString specProblem(const StationPlan &request)
{
    QSet<int> numbers;
    for (int i = 0; i < request.recordings.size(); ++i) {
        const RecordingPlan &r = request.recordings.at(i);
        if (r.sampleRate <= 0 || r.seconds <= 0)
            return QStringLiteral("recording %1 has no samples").arg(i + 1);
        const int number = r.number > 0 ? r.number : i + 1;
        if (numbers.contains(number))
            return QStringLiteral("recording number %1 is used twice").arg(number);
        numbers.insert(number);
    }
    const QRegularExpression separator(QStringLiteral("[,*;\\t|\\s]"));
    for (const QString &serial : request.serials) {
        if (serial.isEmpty() || serial.contains(separator))
            return QStringLiteral("sensor serial \"%1\" is empty or holds a field separator").arg(serial);
    }
    return {};
}

InstrumentResponse sensorResponse(Channel channel, const QString &serial)
{
    return RecorderConventions::isElectric(channel) ? InstrumentResponse::electricSensor(serial)
                                                    : InstrumentResponse::inductionCoil(serial);
}

} // namespace

SurveyWriter::SurveyWriter(const QString &workDir) : root(QDir(workDir).absolutePath()) {}

QString SurveyWriter::stationFolder(int line, int station)
{
    return QStringLiteral("data/Line %1/Station %2").arg(line).arg(station);
}

QString SurveyWriter::channelFileName(int line, int station, int sampleRate, int number,
                                      Channel channel)
{
    return QStringLiteral("Line%1_Station%2_%3Hz_R%4_%5.dat")
        .arg(line).arg(station).arg(sampleRate).arg(number)
        .arg(RecorderConventions::channelTag(channel));
}

QString SurveyWriter::absolute(const QString &relativePath) const
{
    return root + QLatin1Char('/') + relativePath;
}

bool SurveyWriter::writeSurvey(const SurveyPlan &request, SurveyDescription *description)
{
    description->workDir = root;
    description->stations.clear();
    for (const StationPlan &station : request.stations) {
        StationDescription written;
        if (!writeStation(station, &written))
            return false;
        description->stations.append(written);
    }
    return true;
}

bool SurveyWriter::writeStation(const StationPlan &request, StationDescription *description)
{
    *description = StationDescription();
    description->line = request.line;
    description->station = request.station;
    description->folder = absolute(stationFolder(request.line, request.station));
    description->recordingTable = description->folder + QStringLiteral("/config.ini");
    description->instrumentNumber = request.instrumentNumber;
    description->eGainNumber = request.eGainNumber;
    description->hGainNumber = request.hGainNumber;
    description->exDipole = request.exDipole;
    description->eyDipole = request.eyDipole;
    description->ex2Dipole = request.ex2Dipole;
    const QString problem = specProblem(request);
    if (!problem.isEmpty()) {
        qWarning() << "SurveyWriter::writeStation:" << description->folder << problem;
        return false;
    }
    if (!QDir().mkpath(description->folder)) {
        qWarning() << "SurveyWriter::writeStation: cannot create" << description->folder;
        return false;
    }
    for (int i = 0; i < request.recordings.size(); ++i) {
        RecordingDescription recording;
        if (!writeRecording(request, request.recordings.at(i), i, description->folder, &recording))
            return false;
        description->recordings.append(recording);
    }
    return RecordingTable::write(description->recordingTable, request, description->recordings);
}

bool SurveyWriter::writeRecording(const StationPlan &station, const RecordingPlan &request, int index,
                                  const QString &folder, RecordingDescription *description)
{
    description->number = request.number > 0 ? request.number : index + 1;
    description->sampleRate = request.sampleRate;
    description->seconds = request.seconds;
    description->lowBand = request.lowBand;
    description->tensor = request.tensor;
    description->electricSensorApplied = RecorderConventions::electricSensorApplied(request.lowBand);
    description->start = request.start.isValid() ? request.start : defaultStart(index);
    // Tables live until the synthesizer has written the files; the setups point at them.
    std::array<CalibrationTable, RecorderConventions::channelCount> sensors, gains;
    QList<RecordingSynthesizer::ChannelSetup> setups;
    for (int c = 0; c < RecorderConventions::channelCount; ++c) {
        if (!request.recorded[size_t(c)])
            continue;
        ChannelDescription channel;
        channel.channel = RecorderConventions::channelAt(c);
        channel.dipole = dipoleOf(station, channel.channel);
        channel.dataFile = folder + QLatin1Char('/')
                           + channelFileName(station.line, station.station, request.sampleRate,
                                             description->number, channel.channel);
        if (!writeChannelTables(station, request, channel, sensors[size_t(c)], gains[size_t(c)]))
            return false;
        const bool sensorApplied = !RecorderConventions::isElectric(channel.channel)
                                   || description->electricSensorApplied;
        setups.append({channel.channel, channel.dataFile, sensorApplied ? &sensors[size_t(c)] : nullptr,
                       &gains[size_t(c)], channel.dipole});
        description->channels.append(channel);
    }
    return RecordingSynthesizer(station.model, request).write(setups, description);
}

bool SurveyWriter::writeChannelTables(const StationPlan &station, const RecordingPlan &request,
                                      ChannelDescription &channel, CalibrationTable &sensor,
                                      CalibrationTable &gain)
{
    const bool electric = RecorderConventions::isElectric(channel.channel);
    const int gainNumber = electric ? station.eGainNumber : station.hGainNumber;
    const auto band = RecorderConventions::gainBand(request.sampleRate, request.lowBand);
    channel.sensorSerial = station.serials[size_t(channel.channel)];
    channel.sensorTable = RecorderConventions::sensorTablePath(channel.sensorSerial);
    channel.gainTable = RecorderConventions::gainTablePath(station.instrumentNumber, request.sampleRate,
                                                           request.lowBand, channel.channel, gainNumber);
    sensor = CalibrationTable::fromResponse(sensorResponse(channel.channel, channel.sensorSerial));
    gain = CalibrationTable::fromResponse(InstrumentResponse::amplifier(gainNumber, band, channel.channel));
    const QString sensorKind = electric ? QStringLiteral("Electric sensor %1 (output/input)")
                                        : QStringLiteral("Induction coil %1 (mV/nT)");
    const QString gainNote = QStringLiteral("Instrument %1, %2 amplifier, gain table %3 (output/input)")
                                 .arg(station.instrumentNumber)
                                 .arg(RecorderConventions::channelName(channel.channel))
                                 .arg(gainNumber);
    return sensor.write(absolute(channel.sensorTable), sensorKind.arg(channel.sensorSerial))
           && gain.write(absolute(channel.gainTable), gainNote);
}
