#include "drums.h"

#include "period_table.h"
#include "synth.h"

#include <algorithm>
#include <cmath>

namespace mediagen {

namespace {

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

} // namespace

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
    return toModSample("kick", s, 0);
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
    return toModSample("snare", s, 0);
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
    return toModSample("clap", s, 0);
}

ModSample closedHat() {
    return toModSample("closed hat", cymbal(playbackRate("B-3"), 0.1, 0.028, 7500, 31), 0);
}
ModSample openHat() {
    return toModSample("open hat", cymbal(playbackRate("B-3"), 0.5, 0.2, 7000, 37), 0);
}
ModSample crash() {
    return toModSample("crash", cymbal(playbackRate("B-3"), 1.8, 0.65, 4500, 41), 0);
}

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
    return toModSample("riser", s, 0);
}

} // namespace mediagen
