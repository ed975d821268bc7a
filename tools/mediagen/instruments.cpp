#include "instruments.h"

#include "period_table.h"
#include "synth.h"

#include <cmath>
#include <functional>
#include <map>
#include <stdexcept>

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

ModSample finished(const std::string &name, const Signal &signal, int loopStart,
                   float peak = 1.0f) {
    ModSample s;
    s.name = name;
    s.data = toSigned8(signal, peak);
    if (s.data.size() % 2)
        s.data.push_back(0);
    s.loopStart = loopStart;
    return s;
}

void fadeTail(Signal &signal, int samples) {
    for (int i = 0; i < samples && i < static_cast<int>(signal.size()); ++i)
        signal[signal.size() - 1 - i] *= static_cast<float>(i) / samples;
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

ModSample bass() {
    const int attack = 2000;
    const double f = semitonesFromMiddleC(-24);
    Signal s(attack + kLoopLength);
    for (size_t i = 0; i < s.size(); ++i) {
        double t = static_cast<double>(i) / kBaseRate;
        double cutoff = settlingCutoff(t, 380, 2400, 0.06, static_cast<double>(attack) / kBaseRate);
        float onset = std::min(1.0f, static_cast<float>(i) / 24.0f);
        s[i] = softClip(1.6f * onset * richTone(f, t, cutoff, 0.6f));
    }
    return finished("bass", s, attack);
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
        s[i] = softClip(0.9f * onset * v);
    }
    return finished("lead", s, attack);
}

// Four-note chord of detuned saws, slowly breathing; the breath repeats within the loop.
ModSample pad(const std::string &name, std::initializer_list<double> semitones) {
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
    // A little tape-like saturation keeps the chords full under the drums.
    float peak = 0;
    for (float v : s)
        peak = std::max(peak, std::fabs(v));
    for (float &v : s)
        v = softClip(1.8f * v / peak);
    return finished(name, s, attack);
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
    return finished("pluck", s, 0);
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
    return finished("bell", s, 0);
}

ModSample kick() {
    const int rate = playbackRate("C-3");
    const int length = rate * 45 / 100;
    Signal s(length);
    Random noise(17);
    double phase = 0;
    for (int i = 0; i < length; ++i) {
        double t = static_cast<double>(i) / rate;
        double f = 47 + 150 * std::exp(-t / 0.032) + 320 * std::exp(-t / 0.004);
        phase += kTwoPi * f / rate;
        double body = std::sin(phase) * std::exp(-t / 0.24);
        double click = noise.signedUniform() * std::exp(-t / 0.0015) * 0.35;
        s[i] = softClip(static_cast<float>(2.2 * (body + click)));
    }
    fadeTail(s, 600);
    return finished("kick", s, 0);
}

ModSample snare() {
    const int rate = playbackRate("C-3");
    const int length = rate * 35 / 100;
    Signal s(length);
    Random noise(23);
    SvFilter band(rate, 0.9f);
    band.set(3200);
    for (int i = 0; i < length; ++i) {
        double t = static_cast<double>(i) / rate;
        double tone =
            (std::sin(kTwoPi * 188 * t) + 0.6 * std::sin(kTwoPi * 292 * t)) * std::exp(-t / 0.05);
        float hiss = band.bandpass(noise.signedUniform()) * static_cast<float>(std::exp(-t / 0.11));
        s[i] = softClip(static_cast<float>(1.4 * (0.55 * tone + 1.3 * hiss)));
    }
    fadeTail(s, 400);
    return finished("snare", s, 0);
}

ModSample clap() {
    const int rate = playbackRate("C-3");
    const int length = rate * 40 / 100;
    Signal s(length);
    Random noise(29);
    SvFilter band(rate, 0.5f);
    band.set(1500);
    const double bursts[] = {0.0, 0.011, 0.022};
    for (int i = 0; i < length; ++i) {
        double t = static_cast<double>(i) / rate;
        double envelope = 0;
        for (double start : bursts)
            if (t >= start)
                envelope = std::max(envelope, std::exp(-(t - start) / 0.005));
        if (t >= 0.03)
            envelope = std::max(envelope, 0.7 * std::exp(-(t - 0.03) / 0.11));
        s[i] = softClip(static_cast<float>(3.0 * envelope) * band.bandpass(noise.signedUniform()));
    }
    fadeTail(s, 400);
    return finished("clap", s, 0);
}

// Metallic noise: six detuned square waves and white noise through a highpass.
Signal cymbal(int rate, double seconds, double decay, float cutoff, uint32_t seed) {
    const int length = static_cast<int>(rate * seconds) & ~1;
    const double partials[] = {349, 517, 628, 888, 918, 1360};
    Signal s(length);
    Random noise(seed);
    SvFilter high(rate, 0.7f);
    high.set(cutoff);
    for (int i = 0; i < length; ++i) {
        double t = static_cast<double>(i) / rate;
        double metal = 0;
        for (double f : partials)
            metal += std::sin(kTwoPi * f * t) > 0 ? 1 : -1;
        float in = static_cast<float>(metal / 6 * 0.6) + noise.signedUniform() * 0.8f;
        float onset = std::min(1.0f, static_cast<float>(i) / 30.0f);
        s[i] = onset * high.highpass(in) * static_cast<float>(std::exp(-t / decay));
    }
    fadeTail(s, length / 8);
    return s;
}

ModSample closedHat() {
    return finished("closed hat", cymbal(playbackRate("B-3"), 0.1, 0.028, 7500, 31), 0);
}
ModSample openHat() {
    return finished("open hat", cymbal(playbackRate("B-3"), 0.5, 0.2, 7000, 37), 0);
}
ModSample crash() { return finished("crash", cymbal(playbackRate("B-3"), 1.8, 0.65, 4500, 41), 0); }

// Noise swelling through a rising band over two bars (at C-3).
ModSample riser() {
    const int rate = playbackRate("C-3");
    const int length = 32 * rate * 12 / 100; // 32 rows of 120 ms
    Signal s(length);
    Random noise(43);
    SvFilter band(rate, 0.35f);
    double phase = 0;
    for (int i = 0; i < length; ++i) {
        double progress = static_cast<double>(i) / length;
        band.set(static_cast<float>(350 * std::pow(20.0, progress)));
        phase += kTwoPi * (180 * std::pow(6.0, progress)) / rate;
        double level = progress * progress;
        s[i] = static_cast<float>(level) *
               (band.bandpass(noise.signedUniform()) + 0.15f * static_cast<float>(std::sin(phase)));
    }
    return finished("riser", s, 0);
}

ModSample marker() {
    ModSample s;
    s.name = "marker";
    s.data = {0, 0};
    return s;
}

const std::map<std::string, std::function<ModSample()>> &recipes() {
    static const std::map<std::string, std::function<ModSample()>> table = {
        {"kick", kick},
        {"snare", snare},
        {"clap", clap},
        {"hatc", closedHat},
        {"hato", openHat},
        {"crash", crash},
        {"riser", riser},
        {"bass", bass},
        {"pluck", pluck},
        {"lead", lead},
        {"bell", bell},
        {"pad_am",
         [] {
             return pad("pad am", {-3, 0, 4, 9});
         }},
        {"pad_f",
         [] {
             return pad("pad f", {-7, -3, 0, 5});
         }},
        {"pad_c",
         [] {
             return pad("pad c", {-5, 0, 4, 7});
         }},
        {"pad_g",
         [] {
             return pad("pad g", {-5, -1, 2, 7});
         }},
        {"pad_em",
         [] {
             return pad("pad em", {-8, -5, -1, 4});
         }},
        {"pad_dm",
         [] {
             return pad("pad dm", {-10, -7, -3, 2});
         }},
        {"marker", marker},
    };
    return table;
}

} // namespace

ModSample makeInstrument(const std::string &name) {
    auto it = recipes().find(name);
    if (it == recipes().end())
        throw std::runtime_error("unknown instrument '" + name + "'");
    return it->second();
}

} // namespace mediagen
