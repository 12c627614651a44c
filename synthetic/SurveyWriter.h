#pragma once
// Writes a synthetic survey into a work folder:
//   data/Line N/Station S/config.ini and the channel count files of each recording
//     ("Line1_Station1_24000Hz_R1_E0.dat": line, station, rate, recording number, channel tag);
//   SensorsFile/<serial>.txt for every sensor used;
//   GainCalibration/<instrument>/<High-H|Low-H|Low-L>/<Ex-|Ey-|Hx-|Hy-|Ex2-><gain number>.txt for
//     every channel and band used.
// Stations sharing an instrument and sensors share their tables (written identically).

#include <QString>

#include "RecordingSynthesizer.h"
#include "SurveyDescription.h"
#include "SurveyPlan.h"

class SurveyWriter {
public:
    explicit SurveyWriter(const QString &workDir);

    // False, with a warning naming the file, on the first file that cannot be written, and
    // before writing anything when a station's recordings share a number, have no samples, or a
    // sensor serial is empty or holds a field separator.
    bool writeSurvey(const SurveyPlan &request, SurveyDescription *description);
    bool writeStation(const StationPlan &request, StationDescription *description);

    // "data/Line N/Station S", relative to the work folder.
    static QString stationFolder(int line, int station);
    static QString channelFileName(int line, int station, int sampleRate, int number,
                                   RecorderConventions::Channel channel);

private:
    bool writeRecording(const StationPlan &station, const RecordingPlan &request, int index,
                        const QString &folder, RecordingDescription *description);
    // Writes the channel's sensor and gain tables and fills them into its setup and description.
    bool writeChannelTables(const StationPlan &station, const RecordingPlan &request,
                            ChannelDescription &channel, CalibrationTable &sensor,
                            CalibrationTable &gain);
    QString absolute(const QString &relativePath) const;

    QString root;
};
