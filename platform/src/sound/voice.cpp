// The mixer's inner loops: linear interpolation between neighbouring frames, integer only.
// A voice at the device's rate has a step of exactly one frame and no fraction, so its
// samples pass through unchanged.
#include "sound/voice.h"

#include <dsound.h>

#include <algorithm>
#include <cmath>

namespace luma {

namespace {

// Each reader turns frame `index` of the data into one mono 16-bit value.
struct Mono16 {
    static int32_t at(const uint8_t* data, uint64_t index) {
        return reinterpret_cast<const int16_t*>(data)[index];
    }
};
struct Stereo16 {
    static int32_t at(const uint8_t* data, uint64_t index) {
        const int16_t* frame = reinterpret_cast<const int16_t*>(data) + 2 * index;
        return (frame[0] + frame[1]) >> 1;
    }
};
struct Mono8 {
    static int32_t at(const uint8_t* data, uint64_t index) { return (data[index] - 128) * 256; }
};
struct Stereo8 {
    static int32_t at(const uint8_t* data, uint64_t index) {
        const uint8_t* frame = data + 2 * index;
        return (frame[0] + frame[1] - 256) * 128;
    }
};

// Between s0 and s1 by the top 15 bits of the position's fraction: the product of a
// 17-bit difference and a 15-bit weight stays inside 32 bits.
inline int32_t interpolate(int32_t s0, int32_t s1, uint64_t position) {
    int32_t weight = static_cast<int32_t>(static_cast<uint32_t>(position) >> 17);
    return s0 + (((s1 - s0) * weight) >> 15);
}

template <typename Reader> void mixWith(Voice& voice, int32_t* sum, size_t frames, uint64_t step) {
    const uint8_t* data = voice.data->begin();
    const uint64_t count = voice.data->frames();
    const uint64_t end = count << 32;
    // Below this position the frame after the current one is inside the data.
    const uint64_t lastPair = (count - 1) << 32;
    const int32_t gain = voice.gain;
    uint64_t position = voice.position;
    size_t i = 0;
    while (i < frames) {
        if (position >= end) {
            if (!voice.looping)
                break;
            position %= end;
        }
        if (position < lastPair) {
            uint64_t untilLast = (lastPair - position + step - 1) / step;
            size_t run = static_cast<size_t>(std::min<uint64_t>(frames - i, untilLast));
            for (size_t k = 0; k < run; ++k) {
                uint64_t index = position >> 32;
                int32_t sample =
                    interpolate(Reader::at(data, index), Reader::at(data, index + 1), position);
                sum[i + k] += (sample * gain) >> 16;
                position += step;
            }
            i += run;
            continue;
        }
        // The last frame leads into the loop's start, or into itself when the sound ends.
        int32_t last = Reader::at(data, count - 1);
        int32_t next = voice.looping ? Reader::at(data, 0) : last;
        sum[i++] += (interpolate(last, next, position) * gain) >> 16;
        position += step;
    }
    if (position >= end && !voice.looping) {
        voice.playing = false;
        position = 0;
    } else if (position >= end) {
        position %= end;
    }
    voice.position = position;
}

} // namespace

int32_t gainOf(LONG volume, LONG pan) {
    if (volume <= DSBVOLUME_MIN)
        return 0;
    auto decibels = [](LONG hundredths) { return std::pow(10.0, hundredths / 2000.0); };
    double left = pan > 0 ? decibels(-pan) : 1.0;
    double right = pan < 0 ? decibels(pan) : 1.0;
    double gain = decibels(volume) * (left + right) / 2;
    return static_cast<int32_t>(std::lround(gain * Voice::unityGain));
}

void mixVoice(Voice& voice, int32_t* sum, size_t frames, DWORD deviceRate) {
    if (!voice.data || voice.data->frames() == 0 || deviceRate == 0) {
        voice.playing = false;
        return;
    }
    uint64_t step =
        std::max<uint64_t>((static_cast<uint64_t>(voice.frequency) << 32) / deviceRate, 1);
    const WAVEFORMATEX& format = voice.data->format;
    bool stereo = format.nChannels == 2;
    if (format.wBitsPerSample == 16)
        stereo ? mixWith<Stereo16>(voice, sum, frames, step)
               : mixWith<Mono16>(voice, sum, frames, step);
    else
        stereo ? mixWith<Stereo8>(voice, sum, frames, step)
               : mixWith<Mono8>(voice, sum, frames, step);
}

} // namespace luma
