#include "backends/sdl/sdl_screen.h"

#include "backends/sdl/sdl_backend.h"
#include "backends/sdl/sdl_frame_log.h"
#include "display/display_settings.h"
#include "display/page_placement.h"

namespace luma {

namespace {

constexpr int fallbackRefreshRate = 60;

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
    logPresentedFrame(page565, pageWidth, pageHeight);
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
    pageTo565(page, page565);
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
        if (texture && outputWidth > 0 && outputHeight > 0) {
            PlacedRect placed =
                letterbox(outputWidth, outputHeight, pageWidth, pageHeight, integerScaling());
            SDL_SetTextureScaleMode(texture, isWholeMultiple(placed, pageWidth, pageHeight)
                                                 ? SDL_ScaleModeNearest
                                                 : SDL_ScaleModeLinear);
            SDL_UpdateTexture(texture, nullptr, page565.data(), pageWidth * 2);
            SDL_Rect target = {placed.x, placed.y, placed.width, placed.height};
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
