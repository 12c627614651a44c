#include "DemoCommand.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

#include "DemoSurvey.h"
#include "DemoInversionPrograms.h"
#include "DemoWorkFolder.h"
#include "SyntheticProject.h"

namespace {

void printRecording(QTextStream &out, const QDir &root, const RecordingDescription &recording)
{
    out << QStringLiteral("  recording %1: %2 Hz, %3 s, %4 samples per channel, %5 mV per count\n")
               .arg(recording.number).arg(recording.sampleRate).arg(recording.seconds)
               .arg(recording.sampleCount).arg(recording.adcScale, 0, 'g', 8);
    for (const ChannelDescription &channel : recording.channels) {
        out << QStringLiteral("    %1  %2  (sensor %3, gain %4, about %5 mV RMS)\n")
                   .arg(RecorderConventions::channelName(channel.channel), -3)
                   .arg(root.relativeFilePath(channel.dataFile), channel.sensorTable,
                        channel.gainTable)
                   .arg(channel.expectedRmsMilliVolt, 0, 'f', 1);
    }
}

const QString kProjectName = QStringLiteral("demo");

void printSurvey(const SurveyDescription &survey, const QString &projectFile)
{
    QTextStream out(stdout);
    const QDir root(survey.workDir);
    out << "Synthetic survey written to " << survey.workDir << '\n'
        << "Project: " << root.relativeFilePath(projectFile) << ", earth models: "
        << DemoWorkFolder::modelFileName(kProjectName)
        << ", colour scales in ColorScales/, empty folders tensors/, nlcg/, nlls/\n";
    for (const StationDescription &station : survey.stations) {
        out << QStringLiteral("Line %1, Station %2: %3 (instrument %4)\n")
                   .arg(station.line).arg(station.station)
                   .arg(root.relativeFilePath(station.recordingTable))
                   .arg(station.instrumentNumber);
        for (const RecordingDescription &recording : station.recordings)
            printRecording(out, root, recording);
    }
}

} // namespace

int runDemoCommand(const QStringList &arguments)
{
    QTextStream err(stderr);
    if (arguments.size() != 1 || arguments.first().isEmpty()) {
        err << "terrascope-cli demo: expected exactly one argument, the work folder to create\n";
        return 2;
    }
    const QString dir = arguments.first();
    if (!QDir().mkpath(dir)) {
        err << "terrascope-cli demo: cannot create the folder " << dir << '\n';
        return 1;
    }
    if (QFileInfo::exists(SyntheticProject::projectFilePath(dir, kProjectName))) {
        err << "terrascope-cli demo: " << dir << " already holds a demo project; choose a new folder\n";
        return 1;
    }
    const SurveyPlan request = DemoSurvey::survey();
    SurveyDescription survey;
    QString projectFile;
    if (!SyntheticProject::create(request, dir, kProjectName, &survey, &projectFile)
        || !DemoWorkFolder::writeExtras(dir, kProjectName, request)
        || !DemoInversionPrograms::install(dir)) {
        err << "terrascope-cli demo: writing the demo work folder into " << dir << " failed\n";
        return 1;
    }
    printSurvey(survey, projectFile);
    return 0;
}
