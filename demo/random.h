// The demo's random numbers: non-negative 31-bit values from one seeded sequence, the same
// on every platform, so that a run with --seed repeats frame for frame.
#pragma once

void SeedRandom(unsigned int seed);
long NextRandom();
