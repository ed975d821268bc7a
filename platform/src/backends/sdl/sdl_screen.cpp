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
    bool waitedForVerticalBlank = draw();
    logPresentedFrame(page565, pageWidth, pageHeight);
    if (!waitedForVerticalBlank)
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

bool SdlScreen::draw() {
    if (drawOnWindowSurface())
        return false;
    return drawWithRenderer();
}

// At whole multiples the page is scaled here into the window's own pixels: exact, and far
// cheaper than a scaled texture where OpenGL is rendered in software (Mesa's llvmpipe).
bool SdlScreen::drawOnWindowSurface() {
    SDL_Window* window = owner.mainWindow();
    if (!window || pageWidth <= 0 || pageHeight <= 0)
        return false;
    int outputWidth = 0, outputHeight = 0;
    SDL_GetWindowSizeInPixels(window, &outputWidth, &outputHeight);
    PlacedRect placed =
        letterbox(outputWidth, outputHeight, pageWidth, pageHeight, integerScaling());
    if (!isWholeMultiple(placed, pageWidth, pageHeight))
        return false;
    // Where the system has no window pixels of its own (SDL on Wayland), the renderer shows it.
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    if (!surface || surface->w != outputWidth || surface->h != outputHeight ||
        (surface->format->format != SDL_PIXELFORMAT_RGB888 &&
         surface->format->format != SDL_PIXELFORMAT_ARGB8888))
        return false;
    if (SDL_LockSurface(surface) != 0)
        return false;
    RgbOutput output;
    output.pixels = static_cast<uint32_t*>(surface->pixels);
    output.width = surface->w;
    output.height = surface->h;
    output.pitchBytes = surface->pitch;
    drawWholeMultiple(page565, pageWidth, placed, output);
    SDL_UnlockSurface(surface);
    return SDL_UpdateWindowSurface(window) == 0;
}

bool SdlScreen::drawWithRenderer() {
    SDL_Renderer* renderer = owner.renderer();
    if (!renderer)
        return false;
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
    return rendererWaitsForVerticalBlank();
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
