// The music player's mixer through its streaming path: 60 s of an eight-channel module with
// every channel playing a looped sample, at 44100 Hz. Beside it, when openmpt123 is there,
// the time a real tracker player takes to render the same file.
#include "fake_music_buffer.h"
#include "module_builder.h"

#include "demo_state.h"
#include "music/module.h"
#include "music/music_buffer.h"
#include "music/music_render.h"
#include "music/music_state.h"
#include "music/sequencer.h"

#include <TLumaBase.h>

#include <benchmark/benchmark.h>
#include <luma/resources.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

extern const LumaResources programResources;

namespace {

const char* const modulePath = "/tmp/glimmerfall-bench.mod";
const int songSeconds = 60;

// Eight channels, each holding a looped note in every row, for 500 rows (60 s).
void writeBenchModule() {
    TestSample tone;
    for (int i = 0; i < 4000; ++i)
        tone.data.push_back(static_cast<int8_t>((i * 7) % 256 - 128));
    tone.repeatOffsetBytes = 1000;
    tone.repeatLengthBytes = 3000;
    ModuleBuilder module;
    module.patterns(8).songLength(8).sample(1, tone);
    for (int pattern = 0; pattern < 8; ++pattern) {
        module.order(pattern, pattern);
        for (int row = 0; row < 64; row += 16)
            for (int channel = 0; channel < 8; ++channel)
                module.cell(pattern, row, channel, {1, 214 + 40 * channel + row, 0, 0});
    }
    module.write(modulePath);
}

void prepare() {
    static bool ready = false;
    if (ready)
        return;
    writeBenchModule();
    LumaRegisterResources(&programResources);
    lumaBase = new TLumaBase(GetModuleHandleA(nullptr), 10001, 10002, false);
    sampleRate = 44100;
    samplesPerRow = 5292;
    LoadModule(modulePath);
    ready = true;
}

void MixSixtySecondsThroughTheStream(benchmark::State& state) {
    prepare();
    FakeMusicBuffer buffer(44100);
    for (auto _ : state) {
        RestartMusic();
        music.writeOffsetBytes = 0;
        buffer.writeCursor = 0;
        music.buffer = &buffer;
        unsigned long long written = 0;
        while (written < 44100ull * songSeconds) {
            StreamMusic();
            buffer.writeCursor = (buffer.writeCursor + 8000) % 44100;
            written += 4000;
        }
        music.buffer = nullptr;
        benchmark::DoNotOptimize(buffer.data.data());
    }
    state.counters["realtime_factor"] = benchmark::Counter(
        songSeconds * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(MixSixtySecondsThroughTheStream)->Unit(benchmark::kMillisecond);

void TimeOpenmpt() {
    if (std::system("command -v openmpt123 >/dev/null 2>&1") != 0) {
        std::printf("openmpt123 is not installed: no comparison.\n");
        return;
    }
    std::string command = std::string("openmpt123 --quiet --force --render --samplerate 44100 ") +
                          modulePath + " >/dev/null 2>&1";
    auto start = std::chrono::steady_clock::now();
    int status = std::system(command.c_str());
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::remove((std::string(modulePath) + ".wav").c_str());
    if (status != 0) {
        std::printf("openmpt123 --render failed.\n");
        return;
    }
    std::printf("openmpt123 --render of the same module: %.3f s, %.0f x real time\n", seconds,
                songSeconds / seconds);
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    TimeOpenmpt();
    benchmark::Shutdown();
    return 0;
}
