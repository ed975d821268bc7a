// The scenes' renderers drawing their band of a 640 x 480 screen with a padded pitch, and
// the sprite scenes' whole frames, beside two baselines: a plain copy of the band and a
// one-table look-up per pixel. Everything runs on the headless display in 5-6-5.
#include "demo_state.h"
#include "shared_textures.h"

#include <TBitmap.h>
#include <TDirectDraw.h>
#include <TLumaBase.h>
#include <luma/platform.h>
#include <luma/resources.h>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <vector>

extern const LumaResources programResources;

namespace {

const int bandWidth = 640;
const int bandRows = 352;
const int pitch = 704;

struct Screen {
    std::vector<unsigned short> pixels = std::vector<unsigned short>(pitch * 480);
    unsigned short* row(int y) { return pixels.data() + y * pitch; }
};

void BandCopy(benchmark::State& state) {
    Screen screen;
    std::vector<unsigned short> band(bandWidth * bandRows, 0x1234);
    for (auto _ : state) {
        for (int r = 0; r < bandRows; ++r)
            std::memcpy(screen.row(64 + r), band.data() + r * bandWidth,
                        bandWidth * sizeof(unsigned short));
        benchmark::DoNotOptimize(screen.pixels.data());
    }
    state.SetItemsProcessed(state.iterations() * bandWidth * bandRows);
}
BENCHMARK(BandCopy);

void TableLookUp(benchmark::State& state) {
    Screen screen;
    std::vector<unsigned short> source(bandWidth * bandRows);
    std::vector<unsigned short> table(65536);
    for (size_t i = 0; i < source.size(); ++i)
        source[i] = static_cast<unsigned short>(i * 2654435761u >> 16);
    for (size_t i = 0; i < table.size(); ++i)
        table[i] = static_cast<unsigned short>(i ^ 0x5A5A);
    unsigned int offset = 0;
    for (auto _ : state) {
        for (int r = 0; r < bandRows; ++r) {
            unsigned short* dst = screen.row(64 + r);
            const unsigned short* src = source.data() + r * bandWidth;
            for (int i = 0; i < bandWidth; ++i)
                dst[i] = table[(src[i] + offset) & 0xFFFF];
        }
        offset += 257;
        benchmark::DoNotOptimize(screen.pixels.data());
    }
    state.SetItemsProcessed(state.iterations() * bandWidth * bandRows);
}
BENCHMARK(TableLookUp);

// The demo's display and shared textures, as the benchmarks' scenes expect them.
void OpenDisplay() {
    LumaSetPixelFormat(565);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "SceneBench";
    RegisterClassA(&windowClass);
    mainWindow = CreateWindowExA(0, "SceneBench", "bench", WS_POPUP, 0, 0, 640, 480, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    lumaBase->hWnd = mainWindow;
    directDraw = new TDirectDraw(lumaBase, 1);
    lifeTexture = new TBitmap(directDraw, "Media\\TLife.tga", 0);
    tunnelTexture = new TBitmap(directDraw, "Media\\TTunnel.tga", 0);
}

} // namespace

int main(int argc, char** argv) {
    // The scenes read their media relative to the current directory, as the demo does.
    if (chdir(SOURCE_DIR) != 0)
        return 1;
    LumaSelectBackend("headless");
    setenv("XDG_CONFIG_HOME", "/tmp/luma-bench-config", 1);
    LumaRegisterResources(&programResources);
    lumaBase = new TLumaBase(GetModuleHandleA(nullptr), 10001, 10002, false);
    OpenDisplay();

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete lifeTexture;
    delete tunnelTexture;
    delete directDraw;
    DestroyWindow(mainWindow);
    delete lumaBase;
    return 0;
}
