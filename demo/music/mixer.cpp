#include "mixer.h"

#include "music_state.h"

namespace {

// Channels are summed in blocks of this many samples, on the stack.
const unsigned int mixBlockSamples = 1024;

// The division by the rate; for the two rates the player uses, by a constant the compiler
// turns into a multiplication.
template <unsigned int Rate> struct ByConstantRate {
    unsigned int operator()(unsigned int value) const { return value / Rate; }
};
struct ByRate {
    unsigned int rate;
    unsigned int operator()(unsigned int value) const { return value / rate; }
};

// Adds one channel's next `samples` samples, times its volume, to `sums`.
template <typename Divide>
void addChannel(MusicChannel& channel, int* sums, unsigned int samples, Divide divide) {
    // A channel without a note yet, or without sample data, has nothing to play.
    if (channel.period <= 0 || !channel.sampleData) {
        channel.volume = 0;
        return;
    }
    const unsigned int step = 3424000u / static_cast<unsigned int>(channel.period);
    const short* data = channel.sampleData;
    const int volume = channel.volume;
    const unsigned int span = channel.length - channel.loopStart;
    // Where the current lap of the loop began (index - loop start, in whole spans): the
    // remainder is taken only when a lap is left, which gives the same index for less work.
    unsigned int lapStart = 0;
    for (unsigned int i = 0; i < samples; ++i) {
        unsigned int index = divide(step * channel.count); // the product wraps modulo 2^32
        if (index >= channel.length) {
            if (channel.loopStart == 0) {
                channel.volume = 0; // the note has ended
                return;
            }
            unsigned int intoLoop = index - channel.loopStart;
            if (intoLoop - lapStart >= span)
                lapStart = intoLoop - intoLoop % span;
            index = intoLoop - lapStart + channel.loopStart;
        }
        sums[i] += data[index] * volume;
        ++channel.count;
    }
}

template <typename Divide> void mixBlock(short* output, unsigned int samples, Divide divide) {
    int sums[mixBlockSamples] = {};
    for (MusicChannel& channel : music.channels)
        if (channel.volume > 0)
            addChannel(channel, sums, samples, divide);
    // Saturated, not wrapped: loud rows clip instead of cracking.
    for (unsigned int i = 0; i < samples; ++i) {
        int value = sums[i] >> 6;
        output[i] = static_cast<short>(value > 32767 ? 32767 : value < -32768 ? -32768 : value);
    }
}

} // namespace

void MixSamples(short* output, unsigned int samples, unsigned int rate) {
    while (samples > 0) {
        unsigned int block = samples < mixBlockSamples ? samples : mixBlockSamples;
        if (rate == 22050)
            mixBlock(output, block, ByConstantRate<22050>());
        else if (rate == 44100)
            mixBlock(output, block, ByConstantRate<44100>());
        else
            mixBlock(output, block, ByRate{rate});
        output += block;
        samples -= block;
    }
}

short MixSample(unsigned int rate) {
    short sample = 0;
    MixSamples(&sample, 1, rate);
    return sample;
}
