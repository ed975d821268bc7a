#include "noise.h"

#include <cmath>

namespace mediagen {

uint32_t Random::next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
}

float Random::uniform() { return static_cast<float>(next() >> 8) / 16777216.0f; }

float Random::signedUniform() { return uniform() * 2.0f - 1.0f; }

int Random::below(int bound) { return static_cast<int>(next() % static_cast<uint32_t>(bound)); }

uint32_t hash32(uint32_t x) {
    x ^= x >> 16;
    x *= 0x7FEB352Du;
    x ^= x >> 15;
    x *= 0x846CA68Bu;
    x ^= x >> 16;
    return x;
}

namespace {
float lattice(int x, int y, int period, uint32_t seed) {
    uint32_t wx = static_cast<uint32_t>(((x % period) + period) % period);
    uint32_t wy = static_cast<uint32_t>(((y % period) + period) % period);
    return static_cast<float>(hash32(wx * 73856093u ^ hash32(wy + seed * 19349663u)) >> 8) /
           16777216.0f;
}

float fade(float t) { return t * t * t * (t * (t * 6 - 15) + 10); }
} // namespace

float tileNoise(float x, float y, int period, uint32_t seed) {
    float fx = std::floor(x), fy = std::floor(y);
    int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    float tx = fade(x - fx), ty = fade(y - fy);
    float a = lattice(ix, iy, period, seed), b = lattice(ix + 1, iy, period, seed);
    float c = lattice(ix, iy + 1, period, seed), d = lattice(ix + 1, iy + 1, period, seed);
    float top = a + (b - a) * tx;
    float bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

float tileFbm(float x, float y, int period, int octaves, uint32_t seed) {
    float sum = 0, weight = 1, total = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += tileNoise(x, y, period, seed + static_cast<uint32_t>(i) * 101u) * weight;
        total += weight;
        x *= 2;
        y *= 2;
        period *= 2;
        weight *= 0.5f;
    }
    return sum / total;
}

} // namespace mediagen
