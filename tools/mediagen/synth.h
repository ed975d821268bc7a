#pragma once

#include "mod_writer.h"
#include "noise.h"

#include <cstdint>
#include <string>
#include <vector>

namespace mediagen {

using Signal = std::vector<float>;

constexpr double kTwoPi = 6.283185307179586;

// Pitch grid of our looped tones: a loop of kLoopLength samples at kBaseRate holds a whole
// number of cycles of every partial, so the loop joins without a click. C-2 plays the base
// rate, and our middle C is 400 grid steps (262.3 Hz, 4.5 cents above concert pitch).
constexpr int kBaseRate = 8000;
constexpr int kLoopLength = 12200;
constexpr double kGridStep = static_cast<double>(kBaseRate) / kLoopLength;
constexpr double kMiddleC = 400 * kGridStep;

// Frequency of a note given in semitones from our middle C, on the grid.
double semitonesFromMiddleC(double semitones);

// State-variable filter (Chamberlin), cutoff in Hz, for one sample rate; the smaller the
// damping (2 down to about 0.1), the sharper the resonance.
class SvFilter {
public:
    SvFilter(int rate, float damping) : rate_(rate), damping_(damping) {}
    void set(float cutoffHz);
    float bandpass(float in);
    float highpass(float in);

private:
    void step(float in);
    int rate_;
    float damping_;
    float f_ = 0.1f, low_ = 0, band_ = 0, high_ = 0;
};

float softClip(float x); // gentle saturation, stays within -1..1

// Scales the signal to a peak of 1, then saturates it: the larger the drive, the denser the
// sound (and the louder at the same peak).
void saturate(Signal& signal, float drive);

// Scales the signal so its largest magnitude is full scale and rounds it to signed bytes.
std::vector<int8_t> toSigned8(const Signal& signal);

// Fades the last `samples` samples out, so a one-shot sound ends in silence.
void fadeTail(Signal& signal, int samples);

// The signal as a module sample (padded to an even length), looping from loopStart (0: once).
ModSample toModSample(const std::string& name, const Signal& signal, int loopStart);

} // namespace mediagen
