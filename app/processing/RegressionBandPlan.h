#pragma once
// Which output frequencies the regression estimator gives for a recording, and where each one's
// Fourier coefficients come from: the decimation level, and the FFT lines of that level's
// segments that fall in the band around the frequency.
//
// A frequency f0 takes the lines k with f0 (1 - r) <= k df <= f0 (1 + r) (df = the level's rate /
// L, r the relative half-width; at most the line below Nyquist) from the finest level whose band
// starts at or above the lowest usable line (below it the taper's main lobe and the removed trend
// take the line's power) and which gives the band at least minLines lines (a coarser level has
// four times as many lines in the same band). Finer levels have four times the segments of the next coarser one, so
// each frequency gets the most segments its resolution allows. Levels are kept while they hold at
// least the minimum number of segments; the deepest one sets the lowest frequency reached.
//
// The output frequencies are the pipeline's table of the frequency mode, within the pipeline's
// output band for the recording's rate (the robust estimator's band rules), except that the
// band's usual lower end fs/n gives way to the lowest frequency the cascade reaches.

#include <QList>
#include <vector>

struct RegressionBand {
    double f0 = 0;        // Hz
    int level = 0;
    int firstLine = 0;    // FFT line numbers of the level's segments
    int lastLine = 0;
    int lineStride = 1;   // every lineStride-th line from firstLine is used
    int lineCount() const { return (lastLine - firstLine) / lineStride + 1; }
};

struct RegressionBandSettings {
    double fs = 0;               // Hz, level 0
    long long samples = 0;       // samples of level 0 (per channel)
    int segmentLength = 128;     // L, samples per segment at every level
    bool prewhiten = true;
    double halfWidth = 0.25;     // r, relative
    int lowestLine = 5;          // lowest FFT line a band may use
    int minSegments = 8;         // a level needs at least this many segments
    int minLines = 4;            // a band needs at least this many lines
    int maxLines = 16;           // lines per band; wider bands use every second, third ... line
    int frequencyMode = 0;       // 0..3: 10, 12, 15 or 20 frequencies per decade
    int ruleLength = 16384;      // the settings' FFT length, for the band rules of fast recorders
};

class RegressionBandPlan {
public:
    explicit RegressionBandPlan(const RegressionBandSettings &settings);

    int levelCount() const { return levels; }
    // Lowest planned frequency (Hz); 0 when no band could be planned.
    double lowestReach() const { return reach; }
    const std::vector<RegressionBand> &bands() const { return planned; }
    // Sampling rate of a level (Hz).
    double levelRate(int level) const;
    // Segments a level holds.
    long long levelSegments(int level) const;

private:
    bool placeBand(double f0, RegressionBand &band) const;
    QList<double> targetFrequencies() const;

    RegressionBandSettings s;
    int levels = 0;
    double reach = 0;
    std::vector<RegressionBand> planned;
};
