#include "tones.h"

#include "synth.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace mediagen {

namespace {

constexpr double kNyquistGuard = 0.45;

float lowpassGain(double hz, double cutoff) {
    double r = hz / cutoff;
    return static_cast<float>(1.0 / std::sqrt(1.0 + r * r * r * r));
}

// Cutoff that falls from start + sweep to exactly start at time `settle`, so a loop that
// begins there holds a steady tone.
double settlingCutoff(double t, double start, double sweep, double tau, double settle) {
    if (t >= settle)
        return start;
    double end = std::exp(-settle / tau);
    return start + sweep * (std::exp(-t / tau) - end) / (1 - end);
}

// Band-limited saw (and optional square) of f whose harmonics pass a lowpass cutoff(t).
// A non-zero phase seed scatters the harmonics' phases: sustained voices then sum without
// the tall peaks that aligned phases build, and so sound louder at the same peak.
float richTone(double f, double t, double cutoff, float squareMix, uint32_t phaseSeed = 0) {
    float sum = 0;
    for (int n = 1; n * f < kBaseRate * kNyquistGuard; ++n) {
        float amplitude = 1.0f / n + ((n % 2) ? squareMix / n : 0.0f);
        double phase = phaseSeed ? kTwoPi * (hash32(phaseSeed * 131u + n) >> 8) / 16777216.0 : 0.0;
        sum += amplitude * lowpassGain(n * f, cutoff) *
               static_cast<float>(std::sin(kTwoPi * n * f * t + phase));
    }
    return sum;
}

} // namespace

ModSample bass() {
    const int attack = 2000;
    const double f = semitonesFromMiddleC(-24);
    Signal s(attack + kLoopLength);
    for (size_t i = 0; i < s.size(); ++i) {
        double t = static_cast<double>(i) / kBaseRate;
        double cutoff = settlingCutoff(t, 380, 2400, 0.06, static_cast<double>(attack) / kBaseRate);
        float onset = std::min(1.0f, static_cast<float>(i) / 24.0f);
        s[i] = onset * richTone(f, t, cutoff, 0.6f);
    }
    saturate(s, 2.0f);
    return toModSample("bass", s, attack);
}

ModSample lead() {
    const int attack = 1000;
    Signal s(attack + kLoopLength);
    for (size_t i = 0; i < s.size(); ++i) {
        double t = static_cast<double>(i) / kBaseRate;
        double cutoff =
            settlingCutoff(t, 2400, 2000, 0.03, static_cast<double>(attack) / kBaseRate);
        float v = 0;
        for (int detune = -1; detune <= 1; ++detune)
            v += richTone(kMiddleC + detune * kGridStep, t, cutoff, 0.3f, 7 + detune);
        v += 0.5f * static_cast<float>(std::sin(kTwoPi * kMiddleC / 2 * t)); // body an octave down
        float onset = std::min(1.0f, static_cast<float>(i) / 40.0f);
        s[i] = onset * v;
    }
    saturate(s, 1.5f);
    return toModSample("lead", s, attack);
}

// Four-note chord of detuned saws, slowly breathing; the breath repeats within the loop.
ModSample pad(const std::string& name, const std::vector<double>& semitones) {
    const int attack = 4000;
    const int swell = 2800;
    Signal s(attack + kLoopLength);
    std::vector<double> voices;
    for (double note : semitones)
        for (int detune : {-2, 0, 2})
            voices.push_back(semitonesFromMiddleC(note) + detune * kGridStep);
    for (size_t i = 0; i < s.size(); ++i) {
        double t = static_cast<double>(i) / kBaseRate;
        float v = 0;
        for (size_t k = 0; k < voices.size(); ++k)
            v += richTone(voices[k], t, 1300, 0.0f, static_cast<uint32_t>(k + 1));
        float rise = i < static_cast<size_t>(swell)
                         ? 0.5f - 0.5f * static_cast<float>(std::cos(3.141592653589793 * i / swell))
                         : 1.0f;
        float breath = 1.0f + 0.1f * static_cast<float>(std::sin(kTwoPi * 2 * i / kLoopLength));
        s[i] = rise * breath * v;
    }
    saturate(s, 1.8f); // keeps the chords full under the drums
    return toModSample(name, s, attack);
}

// Each note a bright strike settling into a warm bell-like tone; the higher partials fade
// first, the whole falls to zero over the last third so the song can end in silence.
ModSample ringingChord(const std::string& name, const std::vector<double>& semitones,
                       double seconds) {
    const int length = static_cast<int>(seconds * kBaseRate) & ~1;
    Signal s(length);
    for (int i = 0; i < length; ++i) {
        double t = static_cast<double>(i) / kBaseRate;
        double v = 0;
        for (size_t k = 0; k < semitones.size(); ++k) {
            double f = semitonesFromMiddleC(semitones[k]);
            double index = 1.8 * std::exp(-t / 0.25) + 0.3;
            double phase = kTwoPi * f * t + 0.7 * static_cast<double>(k);
            v += std::sin(phase + index * std::sin(kTwoPi * f * 2 * t)) * std::exp(-t / 1.9) +
                 0.25 * std::sin(kTwoPi * f * 3.01 * t) * std::exp(-t / 0.4);
        }
        double onset = std::min(1.0, i / 24.0);
        s[i] = static_cast<float>(onset * v);
    }
    fadeTail(s, length / 3);
    return toModSample(name, s, 0);
}

ModSample pluck() {
    const int length = 4800;
    Signal s(length);
    for (int i = 0; i < length; ++i) {
        double t = static_cast<double>(i) / kBaseRate;
        double cutoff = 450 + 3600 * std::exp(-t / 0.05);
        s[i] = static_cast<float>(std::exp(-t / 0.17)) * richTone(kMiddleC, t, cutoff, 0.5f);
    }
    fadeTail(s, 300);
    return toModSample("pluck", s, 0);
}

// Two-operator FM with an inharmonic ratio: a glassy bell.
ModSample bell() {
    const int length = 19200;
    Signal s(length);
    for (int i = 0; i < length; ++i) {
        double t = static_cast<double>(i) / kBaseRate;
        double index = 2.6 * std::exp(-t / 0.35) + 0.4;
        double body =
            std::sin(kTwoPi * kMiddleC * t + index * std::sin(kTwoPi * kMiddleC * 1.4 * t));
        double shimmer = 0.3 * std::sin(kTwoPi * kMiddleC * 2 * t) * std::exp(-t / 0.3);
        double onset = std::min(1.0, i / 16.0);
        s[i] = static_cast<float>(onset * (body * std::exp(-t / 0.8) + shimmer));
    }
    fadeTail(s, 800);
    return toModSample("bell", s, 0);
}

} // namespace mediagen
