// The software mixer: eight channels summed into 16-bit mono, integer arithmetic only.
#pragma once

// Mixes `samples` output samples at `rate` samples per second into `output`; every sounding
// channel moves on by that many samples.
void MixSamples(short* output, unsigned int samples, unsigned int rate);

// One output sample.
short MixSample(unsigned int rate);
