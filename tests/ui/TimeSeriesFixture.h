#pragma once
// A time-series view fed as the hub feeds it, with a synthetic five-channel recording at 64 Hz:
// eight segments of 1024 samples per channel, unit sensor and gain tables and 1000 m dipoles (so
// the calculator's spectra are the plain windowed FFT spectra of the samples). Hy is a 1 Hz sine
// of amplitude kSineAmplitude plus weak noise; the other channels are reproducible noise with a
// part coherent with the magnetic channels, so coherencies lie strictly between 0 and 1.

#include <QApplication>
#include <QTemporaryDir>
#include <QtTest>
#include <array>
#include <cmath>
#include <memory>

#include "../processing/ProcessingFixtures.h"
#include "ChannelSlot.h"
#include "Form_TimeSeries.h"
#include "LongWork.h"
#include "ScriptedOperatorDialogs.h"

class TimeSeriesFixture {
public:
    static constexpr double kRate = 64.0;
    static constexpr int kN = 1024;
    static constexpr int kSegments = 8;
    static constexpr double kSineAmplitude = 2.0;  // mV
    static constexpr double kSineHz = 1.0;
    static constexpr int kCalculationTimeoutMs = 20000;

    QTemporaryDir dir;
    ScriptedOperatorDialogs dialogs;
    QWidget window;  // the progress dialog's parent
    LongWork work{&window};
    std::unique_ptr<Form_TimeSeries> form;
    // Segments of every channel by slot (Ex, Ey, Ex2, Hx, Hy).
    std::array<QList<QVector<double>>, kChannelSlotCount> segments;
    bool valid = false;

    TimeSeriesFixture()
    {
        valid = Fixtures::writeFlatTable(path("sensor.txt"), 1.0, 0.0)
                && Fixtures::writeFlatTable(path("gain.txt"), 1.0, 0.0);
        form.reset(new Form_TimeSeries(&dialogs, &work));
        form->resize(1000, 700);
        makeSegments();
    }

    QString path(const QString &name) const { return dir.filePath(name); }

    static ReCalculateParam settings()
    {
        ReCalculateParam param;
        param.fftLength = kN;
        param.fftCount = -1;
        return param;
    }

    QList<MTSampleData> descriptors() const
    {
        QList<MTSampleData> list;
        for (int slot = 0; slot < kChannelSlotCount; ++slot) {
            MTSampleData d;
            d.channel = ChannelSlots::codeOfSlot(slot);
            d.sampleFrequency = int(kRate);
            d.sampleCount = kN * kSegments;
            d.dipoleLength = ChannelSlots::isElectric(slot) ? 1000.0f : 0.0f;
            d.sensorFile = path("sensor.txt");
            d.gainFile = path("gain.txt");
            d.dataFile = path(ChannelSlots::nameOfSlot(slot) + ".dat");
            list.append(d);
        }
        return list;
    }

    // The hub's order: descriptors, every channel's segments, the channel names.
    void feed()
    {
        form->onTimeSeriesParamChanged(descriptors(), settings());
        QList<QString> names;
        for (int slot = 0; slot < kChannelSlotCount; ++slot) {
            form->onTimeSeriesChanged(segments[slot], ChannelSlots::nameOfSlot(slot));
            names.append(ChannelSlots::nameOfSlot(slot));
        }
        form->onTimeSeriesPlots(names);
    }

    // The calculator has finished: the spectrum actions are enabled.
    bool spectraReady() const { return form->action(Form_TimeSeries::StackedAction)->isEnabled(); }
    // Feeds the recording and waits for the calculator; false when it does not finish.
    bool feedAndCalculate()
    {
        feed();
        return QTest::qWaitFor([this] { return spectraReady(); }, kCalculationTimeoutMs);
    }
    // Shows the view at the given size and waits until the window system has exposed it.
    bool show(int width = 1000, int height = 700)
    {
        form->resize(width, height);
        form->show();
        return QTest::qWaitForWindowExposed(form.get());
    }

private:
    void makeSegments()
    {
        const QVector<double> common = Fixtures::randomSamples(kN * kSegments, 11);
        for (int slot = 0; slot < kChannelSlotCount; ++slot) {
            const QVector<double> own = Fixtures::randomSamples(kN * kSegments, 100 + unsigned(slot));
            for (int s = 0; s < kSegments; ++s) {
                QVector<double> segment(kN);
                for (int i = 0; i < kN; ++i) {
                    const int k = s * kN + i;
                    segment[i] = slot == Slot_Hy
                        ? kSineAmplitude * std::sin(2.0 * M_PI * kSineHz * k / kRate) + 0.01 * own[k]
                        : common[k] + 0.5 * own[k];
                }
                segments[slot].append(segment);
            }
        }
    }
};
