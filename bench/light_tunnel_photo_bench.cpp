// The bump-mapped light, greetings tunnel and photo frame renderers, and the whole frames of
// the shade bobs, the greetings tunnel and the photo frame scene, with the demo's media.
#include "demo_state.h"
#include "scenes/bump_light.h"
#include "scenes/greetings_tunnel.h"
#include "scenes/photo_frame.h"
#include "scenes/shade_bobs.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

const int pitch = 704;

// Set-ups once for all runs; the display and the shared textures come from main.
void SetUpScenes() {
    static bool ready = false;
    if (ready)
        return;
    ready = true;
    InitPhotoFrame();
    InitBumpLight();
    InitGreetings();
    InitShadeBobs();
}

// Scene times 16 ms apart; items are the pixels one frame computes.
void RunRenderer(benchmark::State& state, void (*renderer)(int, unsigned short*, int),
                 int computedPixels) {
    SetUpScenes();
    std::vector<unsigned short> screen(pitch * 480);
    int time = 0;
    for (auto _ : state) {
        renderer(time, screen.data(), pitch);
        time = (time + 16) % (1 << 20);
        benchmark::DoNotOptimize(screen.data());
    }
    state.SetItemsProcessed(state.iterations() * computedPixels);
}

void BumpLight(benchmark::State& state) {
    FadeBumpPalette(1020, 2);
    RunRenderer(state, DrawBumpLight, 640 * 352);
}
BENCHMARK(BumpLight);

// The right half of every row comes from block copies.
void GreetingsTunnel(benchmark::State& state) {
    RunRenderer(state, DrawGreetingsTunnel, 320 * 353);
}
BENCHMARK(GreetingsTunnel);

// The jittered background is block copies; the picture effect computes 124 x 100 pixels.
void PhotoFrame(benchmark::State& state, unsigned char sync) {
    syncByte = sync;
    RunRenderer(state, DrawPhotoFrame, 640 * 352);
}
BENCHMARK_CAPTURE(PhotoFrame, Noise, 0);
BENCHMARK_CAPTURE(PhotoFrame, Wobble, 1);
BENCHMARK_CAPTURE(PhotoFrame, TwoCentres, 3);
BENCHMARK_CAPTURE(PhotoFrame, BackgroundOnly, 5);

// Whole frames into the back buffer, flip included.
void WholeFrame(benchmark::State& state, void (*frame)(), unsigned char sync) {
    SetUpScenes();
    for (auto _ : state) {
        syncByte = sync;
        frame();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK_CAPTURE(WholeFrame, ShadeBobs, ShadeBobsFrame, 0);
BENCHMARK_CAPTURE(WholeFrame, GreetingsWithName, GreetingsFrame, 0);
BENCHMARK_CAPTURE(WholeFrame, PhotoWobble, PhotoFrameFrame, 1);
BENCHMARK_CAPTURE(WholeFrame, PhotoCaption, PhotoFrameFrame, 6);
BENCHMARK_CAPTURE(WholeFrame, BumpLight, BumpLightFrame, 0);

} // namespace
