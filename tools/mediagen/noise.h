#pragma once

#include <cstdint>

namespace mediagen {

// Small deterministic generator (xorshift32): the same sequence on every machine.
class Random {
public:
    explicit Random(uint32_t seed) : state_(seed ? seed : 0x9E3779B9u) {}
    uint32_t next();
    float uniform();       // 0..1
    float signedUniform(); // -1..1
    int below(int bound);  // 0..bound-1

private:
    uint32_t state_;
};

uint32_t hash32(uint32_t x);

// Smooth value noise in about 0..1 that repeats every `period` lattice cells in x and y, so
// that textures built from it wrap without a seam.
float tileNoise(float x, float y, int period, uint32_t seed);

// Sum of `octaves` layers of tileNoise, each twice as fine and half as strong; 0..1.
float tileFbm(float x, float y, int period, int octaves, uint32_t seed);

} // namespace mediagen
