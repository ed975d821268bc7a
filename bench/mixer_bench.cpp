// The sound layer's mixer: one second of 44100 Hz output from 1, 8 and 32 looping buffers.
// The "realtime" counter says how many seconds of sound are mixed per second of CPU.
#include "sound/mixer.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

constexpr DWORD deviceRate = 44100;

std::shared_ptr<luma::SoundData> noise(DWORD rate, DWORD frames, unsigned seed) {
    auto data = std::make_shared<luma::SoundData>();
    data->format = {WAVE_FORMAT_PCM, 1, rate, rate * 2, 2, 16, 0};
    data->bytes = frames * 2;
    data->words.reset(new int16_t[frames]);
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> sample(-8000, 8000);
    for (DWORD i = 0; i < frames; ++i)
        data->words[i] = static_cast<int16_t>(sample(random));
    return data;
}

// Buffers at 22050 Hz, as the demo's sounds are, resampled to the device; each a little
// quieter than the one before and of its own length, so that they loop at different times.
void MixBuffers(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    luma::Mixer mixer;
    std::vector<luma::Voice> voices(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        luma::Voice& voice = voices[static_cast<size_t>(i)];
        voice.data = noise(22050, 22050 + 997 * static_cast<DWORD>(i), static_cast<unsigned>(i));
        voice.frequency = 22050;
        voice.playing = true;
        voice.looping = true;
        voice.gain = luma::gainOf(-100 * i, 0);
        std::lock_guard<std::mutex> hold(mixer.lock);
        mixer.add(&voice);
    }
    std::vector<int16_t> second(deviceRate);
    for (auto _ : state) {
        mixer.render(second.data(), second.size(), deviceRate);
        benchmark::DoNotOptimize(second.data());
        benchmark::ClobberMemory();
    }
    state.counters["realtime"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

} // namespace

BENCHMARK(MixBuffers)->Arg(1)->Arg(8)->Arg(32)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
