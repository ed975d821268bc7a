#pragma once

#include "noise.h"

#include <cstdint>
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

// Nearest grid frequency to hz (concert pitch is raised by the same 4.5 cents first).
double onGrid(double hz);

// Frequency of a note given in semitones from our middle C.
double semitonesFromMiddleC(double semitones);

// Resonant state-variable filter (Chamberlin), cutoff in Hz, for one sample rate.
class SvFilter {
  public:
    SvFilter(int rate, float resonance) : rate_(rate), damping_(resonance) {}
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

// Scales the signal so its largest magnitude is `peak` and rounds it to signed bytes.
std::vector<int8_t> toSigned8(const Signal &signal, float peak = 1.0f);

} // namespace mediagen
