#pragma once
// What to generate: a survey of stations, each with its earth model, instrument set-up and
// recordings. Every field has a working default, so a test sets only what it is about.

#include <QDateTime>
#include <QList>
#include <QString>
#include <array>
#include <cstdint>

#include "RecorderConventions.h"
#include "StationModel.h"

struct RecordingPlan {
    int number = 0;            // recording number in the table; 0 = position in the station + 1
    int sampleRate = 24000;    // Hz
    int seconds = 60;          // duration; the files hold sampleRate * seconds samples
    std::uint64_t seed = 1;
    bool lowBand = false;      // low-band flag: Low-L gain tables, electric sensor table not applied
    bool tensor = false;       // measurement mode "矢量" instead of "标量"
    // Channels recorded, indexed by RecorderConventions::Channel (Ex, Ey, Hx, Hy, Ex2).
    std::array<bool, RecorderConventions::channelCount> recorded{{true, true, true, true, true}};
    // Independent Gaussian noise added to each channel, as a fraction of the channel's signal
    // amplitude density at every frequency (0 = none; 1 gives a coherency of about 0.71).
    std::array<double, RecorderConventions::channelCount> noiseRatio{};
    // The natural field's level is set so that the loudest channel records this RMS voltage.
    double loudestRmsMilliVolt = 200.0;
    QDateTime start;           // invalid = 2024-05-01 10:00:00 plus ten minutes per recording
};

struct StationPlan {
    int line = 1;
    int station = 1;
    StationModel model;
    int instrumentNumber = 1234;
    int eGainNumber = 3;       // names the electric gain tables; nominal gain 10
    int hGainNumber = 1;       // names the magnetic gain tables; nominal gain 1
    int exDipole = 50;         // m
    int eyDipole = 50;
    int ex2Dipole = 50;
    // Sensor serials of Ex, Ey, Hx, Hy, Ex2; they name the sensor tables.
    std::array<QString, RecorderConventions::channelCount> serials{
        {QStringLiteral("EP101"), QStringLiteral("EP102"), QStringLiteral("CH2301"),
         QStringLiteral("CH2302"), QStringLiteral("EP103")}};
    QList<RecordingPlan> recordings{RecordingPlan()};
};

struct SurveyPlan {
    QList<StationPlan> stations;
};
