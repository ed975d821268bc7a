// The ring field, wave strip, plasma, vortex and ripple renderers drawing into a 640 x 480
// screen with a padded pitch, on the headless display in 5-6-5, with the demo's media.
#include "demo_state.h"
#include "scenes/picture_scenes.h"
#include "scenes/plasma.h"
#include "scenes/ripple.h"
#include "scenes/vortex.h"
#include "shared_textures.h"

#include <TBitmap.h>
#include <TDirectDraw.h>
#include <TLumaBase.h>
#include <luma/platform.h>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

const int pitch = 704;
const int longSpan = 1 << 30;

// The display, the shared textures and the five scenes' set-ups, made once for all runs.
void SetUpPixelScenes() {
    static bool ready = false;
    if (ready)
        return;
    ready = true;
    if (!directDraw) {
        LumaSetPixelFormat(565);
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "PixelScenesBench";
        RegisterClassA(&windowClass);
        mainWindow = CreateWindowExA(0, "PixelScenesBench", "bench", WS_POPUP, 0, 0, 640, 480,
                                     nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        lumaBase->hWnd = mainWindow;
        directDraw = new TDirectDraw(lumaBase, 1);
    }
    if (!lifeTexture)
        lifeTexture = new TBitmap(directDraw, "Media\\TLife.tga", 0);
    if (!tunnelTexture)
        tunnelTexture = new TBitmap(directDraw, "Media\\TTunnel.tga", 0);
    InitPictureScenes();
    InitPlasma();
    InitVortex();
    InitRipple();
}

// Runs the renderer at scene times 16 ms apart, from startTime on for timeSpan ms and round
// again; items are the computed pixels of one frame.
void RunRenderer(benchmark::State& state, void (*renderer)(int, unsigned short*, int),
                 int startTime, int timeSpan, int computedPixels) {
    SetUpPixelScenes();
    std::vector<unsigned short> screen(pitch * 480);
    int elapsed = 0;
    for (auto _ : state) {
        renderer(startTime + elapsed, screen.data(), pitch);
        elapsed = (elapsed + 16) % timeSpan;
        benchmark::DoNotOptimize(screen.data());
    }
    state.SetItemsProcessed(state.iterations() * computedPixels);
}

void RingField(benchmark::State& state) {
    RunRenderer(state, DrawRingField, 0, longSpan, 640 * 352);
}
BENCHMARK(RingField);

// Outside the overlay's window.
void WaveStrip(benchmark::State& state) { RunRenderer(state, DrawWaveStrip, 0, 1920, 372 * 117); }
BENCHMARK(WaveStrip);

// Inside the overlay's window: two divisions more per pixel.
void WaveStripOverlay(benchmark::State& state) {
    RunRenderer(state, DrawWaveStrip, 1920, 3072, 372 * 117);
}
BENCHMARK(WaveStripOverlay);

// Its palette and noise are rebuilt every frame; the last 128 columns are copies.
void Plasma(benchmark::State& state) { RunRenderer(state, DrawPlasma, 0, longSpan, 512 * 352); }
BENCHMARK(Plasma);

// The right half comes from block copies.
void Vortex(benchmark::State& state) { RunRenderer(state, DrawVortex, 0, longSpan, 320 * 353); }
BENCHMARK(Vortex);

void Ripple(benchmark::State& state) { RunRenderer(state, DrawRipple, 0, longSpan, 640 * 352); }
BENCHMARK(Ripple);

} // namespace
