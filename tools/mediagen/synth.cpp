#include "synth.h"

#include <algorithm>
#include <cmath>

namespace mediagen {

namespace {
constexpr double kConcertMiddleC = 261.6255653005986;

// Nearest grid frequency to hz, after raising concert pitch to our middle C.
double onGrid(double hz) {
    return std::round(hz * (kMiddleC / kConcertMiddleC) / kGridStep) * kGridStep;
}
} // namespace

double semitonesFromMiddleC(double semitones) {
    return onGrid(kConcertMiddleC * std::pow(2.0, semitones / 12.0));
}

void SvFilter::set(float cutoffHz) {
    float limited = std::min(cutoffHz, rate_ * 0.22f);
    f_ = 2.0f * static_cast<float>(std::sin(3.141592653589793 * limited / rate_));
}

void SvFilter::step(float in) {
    low_ += f_ * band_;
    high_ = in - low_ - damping_ * band_;
    band_ += f_ * high_;
}

float SvFilter::bandpass(float in) {
    step(in);
    return band_;
}

float SvFilter::highpass(float in) {
    step(in);
    return high_;
}

float softClip(float x) { return static_cast<float>(std::tanh(x)); }

void saturate(Signal& signal, float drive) {
    float peak = 0;
    for (float v : signal)
        peak = std::max(peak, std::fabs(v));
    if (peak <= 0)
        return;
    for (float& v : signal)
        v = softClip(drive * v / peak);
}

std::vector<int8_t> toSigned8(const Signal& signal) {
    float largest = 0;
    for (float v : signal)
        largest = std::max(largest, std::fabs(v));
    float scale = largest > 0 ? 127.0f / largest : 0.0f;
    std::vector<int8_t> out(signal.size());
    for (size_t i = 0; i < signal.size(); ++i)
        out[i] = static_cast<int8_t>(std::clamp(std::lround(signal[i] * scale), -128L, 127L));
    return out;
}

void fadeTail(Signal& signal, int samples) {
    for (int i = 0; i < samples && i < static_cast<int>(signal.size()); ++i)
        signal[signal.size() - 1 - i] *= static_cast<float>(i) / samples;
}

ModSample toModSample(const std::string& name, const Signal& signal, int loopStart) {
    ModSample s;
    s.name = name;
    s.data = toSigned8(signal);
    if (s.data.size() % 2)
        s.data.push_back(0);
    s.loopStart = loopStart;
    return s;
}

} // namespace mediagen
