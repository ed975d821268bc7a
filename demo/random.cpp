#include "random.h"

namespace {

unsigned long long state;

} // namespace

void SeedRandom(unsigned int seed) { state = seed; }

// SplitMix64; its top 31 bits are the number.
long NextRandom() {
    state += 0x9E3779B97F4A7C15ull;
    unsigned long long z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return static_cast<long>(z >> 33);
}
