// The display's per-frame work on 640 x 480 surfaces (headless backend), each beside a
// plain memset or memcpy of the same bytes.
#include <TDirectDraw.h>
#include <TLumaBase.h>
#include <luma/platform.h>

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

const int width = 640;
const int height = 480;
const size_t frameBytes = size_t{width} * height * 2;

LRESULT CALLBACK PlainWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

// One full-screen display for the whole run, as the demo has.
struct Display {
    Display() {
        LumaSelectBackend("headless");
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = PlainWindow;
        windowClass.lpszClassName = "DisplayBench";
        RegisterClassA(&windowClass);
        base = std::make_unique<TLumaBase>(GetModuleHandleA(nullptr), 0, 0, false);
        base->hWnd = CreateWindowExA(0, "DisplayBench", "", WS_POPUP, 0, 0, width, height, nullptr,
                                     nullptr, nullptr, nullptr);
        directDraw = std::make_unique<TDirectDraw>(base.get(), 1);
        directDraw->CreateSurface(source, width, height, nullptr);
    }
    std::unique_ptr<TLumaBase> base;
    std::unique_ptr<TDirectDraw> directDraw;
    LPSURFACE source = nullptr;
};

Display& display() {
    static Display shared;
    return shared;
}

void setBytes(benchmark::State& state) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * frameBytes));
}

void MemsetFrame(benchmark::State& state) {
    std::vector<unsigned char> frame(frameBytes);
    for (auto _ : state) {
        std::memset(frame.data(), 0, frameBytes);
        benchmark::ClobberMemory();
    }
    setBytes(state);
}
BENCHMARK(MemsetFrame);

void ClearSurface(benchmark::State& state) {
    TDirectDraw& screen = *display().directDraw;
    for (auto _ : state)
        benchmark::DoNotOptimize(screen.ClearSurface(screen.lpBack, 0));
    setBytes(state);
}
BENCHMARK(ClearSurface);

void MemcpyFrame(benchmark::State& state) {
    std::vector<unsigned char> from(frameBytes, 0x5A), to(frameBytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), frameBytes);
        benchmark::ClobberMemory();
    }
    setBytes(state);
}
BENCHMARK(MemcpyFrame);

void FullSurfaceBlt(benchmark::State& state) {
    Display& shared = display();
    LPSURFACE back = shared.directDraw->lpBack;
    for (auto _ : state)
        benchmark::DoNotOptimize(back->Blt(nullptr, shared.source, nullptr, DDBLT_WAIT, nullptr));
    setBytes(state);
}
BENCHMARK(FullSurfaceBlt);

// A scene's frame: lock the back buffer, copy every row into it, unlock.
void LockCopyRowsUnlock(benchmark::State& state) {
    LPSURFACE back = display().directDraw->lpBack;
    std::vector<unsigned char> rows(frameBytes, 0x5A);
    for (auto _ : state) {
        DDSURFACEDESC desc;
        std::memset(&desc, 0, sizeof desc);
        desc.dwSize = sizeof desc;
        back->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr);
        unsigned char* target = static_cast<unsigned char*>(desc.lpSurface);
        for (int y = 0; y < height; ++y)
            std::memcpy(target + y * desc.lPitch, rows.data() + y * width * 2, width * 2);
        back->Unlock(nullptr);
        benchmark::ClobberMemory();
    }
    setBytes(state);
}
BENCHMARK(LockCopyRowsUnlock);

// The lock itself, with no pixels written.
void LockUnlock(benchmark::State& state) {
    LPSURFACE back = display().directDraw->lpBack;
    for (auto _ : state) {
        DDSURFACEDESC desc;
        std::memset(&desc, 0, sizeof desc);
        desc.dwSize = sizeof desc;
        back->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr);
        benchmark::DoNotOptimize(desc.lpSurface);
        back->Unlock(nullptr);
    }
}
BENCHMARK(LockUnlock);

// Exchanging the pages and keeping the shown one (the headless backend's capture copy).
void FlipHeadless(benchmark::State& state) {
    TDirectDraw& screen = *display().directDraw;
    for (auto _ : state)
        benchmark::DoNotOptimize(screen.Flip());
    setBytes(state);
}
BENCHMARK(FlipHeadless);

} // namespace

BENCHMARK_MAIN();
