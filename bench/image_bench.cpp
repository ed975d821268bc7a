// Images and text drawn onto the headless display's back buffer: an opaque full-screen Paint
// beside a memcpy of the same bytes, per-pixel alpha Paint and Blend of a small sprite, and
// one line of bitmap-font text.
#include <TBitmap.h>
#include <TDirectDraw.h>
#include <TDirectFont.h>
#include <TLumaBase.h>
#include <luma/platform.h>
#include <luma/resources.h>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

const UINT nameId = 1;
const UINT keyId = 2;
const LumaStringResource strings[] = {{nameId, "ImageBench"},
                                      {keyId, "Software\\Korvani\\ImageBench"}};
const LumaResources resources = {strings, 2, nullptr, 0, nullptr};

LRESULT CALLBACK BenchWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

// One display for all benchmarks, opened on the headless backend.
struct Display {
    Display() {
        LumaSelectBackend("headless");
        LumaRegisterResources(&resources);
        WNDCLASSA windowClass;
        std::memset(&windowClass, 0, sizeof windowClass);
        windowClass.lpfnWndProc = BenchWindowProc;
        windowClass.lpszClassName = "ImageBench";
        RegisterClassA(&windowClass);
        base = std::make_unique<TLumaBase>(GetModuleHandleA(nullptr), nameId, keyId, false);
        base->hWnd = CreateWindowExA(0, "ImageBench", "bench", WS_POPUP, 0, 0, 640, 480, nullptr,
                                     nullptr, GetModuleHandleA(nullptr), nullptr);
        ShowWindow(base->hWnd, SW_SHOW);
        display = std::make_unique<TDirectDraw>(base.get(), 1);
    }
    std::unique_ptr<TLumaBase> base;
    std::unique_ptr<TDirectDraw> display;
};

Display& theDisplay() {
    static Display display;
    return display;
}

// An image of the given size with varied colours and, when asked, alpha from 0 to 255.
std::unique_ptr<TBitmap> makeImage(unsigned width, unsigned height, bool alpha) {
    auto image = std::make_unique<TBitmap>(theDisplay().display.get());
    size_t pixels = size_t(width) * height;
    image->width = width;
    image->height = height;
    image->rgbData = static_cast<unsigned short*>(std::malloc(pixels * 2));
    for (size_t i = 0; i < pixels; ++i)
        image->rgbData[i] = static_cast<unsigned short>(i * 2654435761u >> 16);
    if (alpha) {
        image->alphaData = static_cast<unsigned char*>(std::malloc(pixels));
        for (size_t i = 0; i < pixels; ++i)
            image->alphaData[i] = static_cast<unsigned char>((i * 7) % 256);
    }
    return image;
}

void MemcpyFullScreen(benchmark::State& state) {
    std::vector<unsigned short> from(640 * 480, 0x1234), to(640 * 480);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size() * 2);
        benchmark::DoNotOptimize(to.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * 640 * 480 * 2);
}
BENCHMARK(MemcpyFullScreen);

void PaintOpaqueFullScreen(benchmark::State& state) {
    auto image = makeImage(640, 480, false);
    LPSURFACE back = theDisplay().display->lpBack;
    for (auto _ : state)
        image->Paint(back, 0, 0);
    state.SetBytesProcessed(int64_t(state.iterations()) * 640 * 480 * 2);
}
BENCHMARK(PaintOpaqueFullScreen);

void PaintAlphaSprite(benchmark::State& state) {
    auto image = makeImage(64, 64, true);
    LPSURFACE back = theDisplay().display->lpBack;
    for (auto _ : state)
        image->Paint(back, 100, 100);
    state.SetItemsProcessed(int64_t(state.iterations()) * 64 * 64);
}
BENCHMARK(PaintAlphaSprite);

void BlendAlphaSprite(benchmark::State& state) {
    auto image = makeImage(64, 64, true);
    LPSURFACE back = theDisplay().display->lpBack;
    for (auto _ : state)
        image->Blend(back, 100, 100, 128);
    state.SetItemsProcessed(int64_t(state.iterations()) * 64 * 64);
}
BENCHMARK(BlendAlphaSprite);

// An 8-bit BMP font of 224 glyphs, 8 pixels wide and 12 rows high, stored bottom row first.
std::string writeFont() {
    const int width = 224 * 8 + 8;
    const int rows = 13;
    std::vector<uint8_t> pixels(size_t(width) * rows, 0);
    for (int glyph = 1; glyph <= 224; ++glyph)
        pixels[size_t(glyph) * 8] = 255; // the spacing row, stored first
    for (size_t i = width; i < pixels.size(); ++i)
        pixels[i] = static_cast<uint8_t>(i * 37);
    uint8_t header[54] = {'B', 'M'};
    auto put32 = [&](int at, uint32_t value) {
        for (int i = 0; i < 4; ++i)
            header[at + i] = uint8_t(value >> (8 * i));
    };
    put32(14, 40);
    put32(18, uint32_t(width));
    put32(22, uint32_t(rows));
    header[26] = 1;
    header[28] = 8;
    put32(46, 1);
    std::string path = "/tmp/image_bench_font_" + std::to_string(::getpid()) + ".bmp";
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(header), sizeof header);
    out.write("\0\0\0\0", 4);
    out.write(reinterpret_cast<const char*>(pixels.data()), std::streamsize(pixels.size()));
    return path;
}

void PrintTextLine(benchmark::State& state) {
    std::string path = writeFont();
    TDirectFont font(path.c_str());
    std::remove(path.c_str());
    TDirectDraw* display = theDisplay().display.get();
    const char* line = "The quick brown fox jumps over lazy dogs";
    for (auto _ : state)
        display->PrintText(&font, display->lpBack, 10, 200, line, 0xFFFF, 0);
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(std::strlen(line)));
}
BENCHMARK(PrintTextLine);

} // namespace

BENCHMARK_MAIN();
