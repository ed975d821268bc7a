#include "backends/sdl/sdl_screen.h"

#include "backends/sdl/sdl_backend.h"
#include "display/display_settings.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace luma {

namespace {

constexpr int fallbackRefreshRate = 60;

// 5-5-5 to 5-6-5 by table: SDL's own 5-5-5 path is several times slower.
const std::array<uint16_t, 65536>& rgb555To565() {
    static const std::array<uint16_t, 65536> table = [] {
        std::array<uint16_t, 65536> entries{};
        for (unsigned pixel = 0; pixel < entries.size(); ++pixel) {
            unsigned red = (pixel >> 10) & 0x1F, green = (pixel >> 5) & 0x1F, blue = pixel & 0x1F;
            unsigned green6 = (green << 1) | (green >> 4);
            entries[pixel] = static_cast<uint16_t>(red << 11 | green6 << 5 | blue);
        }
        return entries;
    }();
    return table;
}

// The largest rectangle of the page's aspect that fits the output, centred; with whole
// numbers only, the largest whole multiple that fits (at least 1).
SDL_Rect letterbox(int outputWidth, int outputHeight, int width, int height, bool wholeNumbers) {
    double scale = std::min(static_cast<double>(outputWidth) / width,
                            static_cast<double>(outputHeight) / height);
    if (wholeNumbers && scale >= 1)
        scale = static_cast<int>(scale);
    SDL_Rect rect;
    rect.w = static_cast<int>(width * scale + 0.5);
    rect.h = static_cast<int>(height * scale + 0.5);
    rect.x = (outputWidth - rect.w) / 2;
    rect.y = (outputHeight - rect.h) / 2;
    return rect;
}

} // namespace

std::vector<std::string> SdlScreen::displayNames() {
    std::vector<std::string> names;
    int count = SDL_WasInit(SDL_INIT_VIDEO) ? SDL_GetNumVideoDisplays() : 0;
    for (int i = 0; i < count; ++i) {
        const char* name = SDL_GetDisplayName(i);
        names.push_back(name && *name ? name : "Display " + std::to_string(i + 1));
    }
    return names;
}

void SdlScreen::present(const Page& page) {
    keep(page);
    draw();
    if (!rendererWaitsForVerticalBlank())
        paceToRefresh();
}

// Drawing straight onto the shown page (line input does) appears at once.
void SdlScreen::update(const Page& page) {
    keep(page);
    draw();
}

void SdlScreen::keep(const Page& page) {
    pageWidth = page.width;
    pageHeight = page.height;
    page565.resize(static_cast<size_t>(page.width) * page.height);
    for (int y = 0; y < page.height; ++y) {
        const uint16_t* in = reinterpret_cast<const uint16_t*>(page.pixels + y * page.pitch);
        uint16_t* out = &page565[static_cast<size_t>(y) * page.width];
        if (page.layout == PixelLayout::rgb565) {
            std::memcpy(out, in, static_cast<size_t>(page.width) * 2);
            continue;
        }
        const std::array<uint16_t, 65536>& table = rgb555To565();
        for (int x = 0; x < page.width; ++x)
            out[x] = table[in[x]];
    }
}

void SdlScreen::repaint() { draw(); }

void SdlScreen::draw() {
    SDL_Renderer* renderer = owner.renderer();
    if (!renderer)
        return;
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    if (pageWidth > 0 && pageHeight > 0) {
        if (!texture || textureWidth != pageWidth || textureHeight != pageHeight) {
            releaseRenderer();
            texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB565,
                                        SDL_TEXTUREACCESS_STREAMING, pageWidth, pageHeight);
            textureWidth = pageWidth;
            textureHeight = pageHeight;
        }
        int outputWidth = 0, outputHeight = 0;
        SDL_GetRendererOutputSize(renderer, &outputWidth, &outputHeight);
        bool wholeNumbers = integerScaling();
        if (texture && outputWidth > 0 && outputHeight > 0) {
            SDL_SetTextureScaleMode(texture,
                                    wholeNumbers ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
            SDL_UpdateTexture(texture, nullptr, page565.data(), pageWidth * 2);
            SDL_Rect target =
                letterbox(outputWidth, outputHeight, pageWidth, pageHeight, wholeNumbers);
            SDL_RenderCopy(renderer, texture, nullptr, &target);
        }
    }
    SDL_RenderPresent(renderer);
}

void SdlScreen::releaseRenderer() {
    if (texture)
        SDL_DestroyTexture(texture);
    texture = nullptr;
    textureWidth = textureHeight = 0;
}

bool SdlScreen::rendererWaitsForVerticalBlank() {
    SDL_RendererInfo info{};
    SDL_Renderer* renderer = owner.renderer();
    return renderer && SDL_GetRendererInfo(renderer, &info) == 0 &&
           (info.flags & SDL_RENDERER_PRESENTVSYNC);
}

int SdlScreen::refreshRate() {
    SDL_DisplayMode mode{};
    SDL_Window* window = owner.mainWindow();
    int display = window ? SDL_GetWindowDisplayIndex(window) : 0;
    if (SDL_GetCurrentDisplayMode(display < 0 ? 0 : display, &mode) == 0 && mode.refresh_rate > 0)
        return mode.refresh_rate;
    return fallbackRefreshRate;
}

void SdlScreen::paceToRefresh() {
    Uint64 frequency = SDL_GetPerformanceFrequency();
    Uint64 period = frequency / static_cast<Uint64>(refreshRate());
    Uint64 now = SDL_GetPerformanceCounter();
    Uint64 due = lastShown + period;
    if (lastShown != 0 && now < due) {
        SDL_Delay(static_cast<Uint32>((due - now) * 1000 / frequency));
        now = SDL_GetPerformanceCounter();
    }
    // After a stall the next period starts from now rather than rushing to catch up.
    lastShown = (lastShown != 0 && now < due + period) ? due : now;
}

void SdlScreen::waitForVerticalBlank() {
    Uint64 frequency = SDL_GetPerformanceFrequency();
    Uint64 period = frequency / static_cast<Uint64>(refreshRate());
    Uint64 now = SDL_GetPerformanceCounter();
    Uint64 untilNext = period - now % period;
    SDL_Delay(static_cast<Uint32>(untilNext * 1000 / frequency));
}

} // namespace luma
