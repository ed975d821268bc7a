#include "backends/sdl/sdl_backend.h"

#include "backends/sdl/sdl_keys.h"
#include "core/platform.h"
#include "text/codepage.h"
#include "windows/window_manager.h"

#include <cstdlib>
#include <ctime>
#include <vector>

namespace luma {

namespace {

const char* preferredVideoDriver() {
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if (display && *display)
        return "x11";
    if (wayland && *wayland)
        return "wayland";
    return "kmsdrm";
}

} // namespace

std::unique_ptr<Backend> makeSdlBackend() { return std::make_unique<SdlBackend>(); }

SdlBackend::SdlBackend() {
    // SIGINT and SIGTERM are the platform's: they end the demo like a key.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // The window's own pixels (SDL_GetWindowSurface) are the system's (X11 shared memory),
    // not a texture of the renderer: the screen draws whole multiples there.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // The driver is chosen by what the session offers: SDL would otherwise fall back to
    // its invisible "offscreen" driver and play the demo to nobody.
    const char* requestedDriver = std::getenv("SDL_VIDEODRIVER");
    bool driverChosenByUser = requestedDriver && *requestedDriver;
    if (!driverChosenByUser)
        SDL_SetHint(SDL_HINT_VIDEODRIVER, preferredVideoDriver());
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        videoProblem = SDL_GetError();
        return;
    }
    std::string driver = SDL_GetCurrentVideoDriver();
    if (!driverChosenByUser && (driver == "offscreen" || driver == "dummy")) {
        videoProblem = "neither DISPLAY nor WAYLAND_DISPLAY is set";
        SDL_Quit();
        return;
    }
    videoReady = true;
    SDL_StopTextInput();
}

SdlBackend::~SdlBackend() {
    displayScreen.releaseRenderer();
    if (sdlRenderer)
        SDL_DestroyRenderer(sdlRenderer);
    if (sdlWindow)
        SDL_DestroyWindow(sdlWindow);
    SDL_Quit();
}

bool SdlBackend::ready(std::string& problem) {
    if (!videoReady)
        problem = videoProblem.empty() ? "no video driver" : videoProblem;
    return videoReady;
}

// Milliseconds of the monotonic clock: like GetTickCount, time since boot.
DWORD SdlBackend::ticks() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    uint64_t milliseconds = static_cast<uint64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
    return static_cast<DWORD>(milliseconds);
}

void SdlBackend::waitForInput(DWORD maxMs) {
    if (videoReady)
        SDL_WaitEventTimeout(nullptr, static_cast<int>(maxMs));
    else
        SDL_Delay(maxMs);
}

void SdlBackend::sleep(DWORD milliseconds) { SDL_Delay(milliseconds); }

void SdlBackend::pumpEvents(InputSink& sink) {
    if (!videoReady)
        return;
    struct PendingKey {
        UINT virtualKey;
        std::string characters;
        bool alt;
    };
    std::vector<PendingKey> keys;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        switch (event.type) {
        case SDL_KEYDOWN: {
            bool alt = (event.key.keysym.mod & KMOD_ALT) != 0;
            SDL_Keycode key = event.key.keysym.sym;
            if (alt && (key == SDLK_RETURN || key == SDLK_KP_ENTER)) {
                if (!event.key.repeat)
                    toggleFullscreen();
                break;
            }
            keys.push_back({virtualKeyOf(key), "", alt});
            break;
        }
        case SDL_TEXTINPUT:
            // The text a key typed arrives after it: it belongs to that key.
            if (!keys.empty() && keys.back().characters.empty())
                keys.back().characters = utf8ToWindows1252(event.text.text);
            break;
        case SDL_QUIT:
            if (shownWindow)
                sink.closeRequested(*shownWindow);
            break;
        case SDL_WINDOWEVENT:
            if (!shownWindow)
                break;
            if (event.window.event == SDL_WINDOWEVENT_CLOSE)
                sink.closeRequested(*shownWindow);
            else if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED)
                sink.activated(*shownWindow, true);
            else if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST)
                sink.activated(*shownWindow, false);
            else if (event.window.event == SDL_WINDOWEVENT_EXPOSED)
                displayScreen.repaint();
            break;
        default:
            break;
        }
    }
    for (const PendingKey& key : keys)
        sink.keyDown(key.virtualKey, key.characters, key.alt);
}

void SdlBackend::screenSize(int& width, int& height) {
    width = height = 0;
    SDL_DisplayMode mode;
    if (videoReady && SDL_GetDesktopDisplayMode(0, &mode) == 0) {
        width = mode.w;
        height = mode.h;
    }
}

bool SdlBackend::showWindow(Window& window) {
    if (!videoReady || sdlWindow)
        return false;
    bool windowed = config().windowed;
    Uint32 flags = windowed ? SDL_WINDOW_RESIZABLE : SDL_WINDOW_FULLSCREEN_DESKTOP;
    // Full screen starts at the desktop's size: without a window manager (a bare X
    // server) nobody else would make the window cover the screen.
    int width = 1280, height = 960;
    if (!windowed) {
        screenSize(width, height);
        if (width <= 0 || height <= 0)
            width = 640, height = 480;
    }
    sdlWindow = SDL_CreateWindow(windows1252ToUtf8(window.text).c_str(), SDL_WINDOWPOS_CENTERED,
                                 SDL_WINDOWPOS_CENTERED, width, height, flags);
    if (!sdlWindow)
        return false;
    sdlRenderer =
        SDL_CreateRenderer(sdlWindow, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    if (!sdlRenderer)
        sdlRenderer = SDL_CreateRenderer(sdlWindow, -1, SDL_RENDERER_SOFTWARE);
    SDL_ShowCursor(SDL_DISABLE);
    SDL_StartTextInput();
    shownWindow = &window;
    displayScreen.repaint();
    return true;
}

void SdlBackend::closeWindow(Window& window) {
    if (shownWindow != &window)
        return;
    SDL_StopTextInput();
    displayScreen.releaseRenderer();
    if (sdlRenderer)
        SDL_DestroyRenderer(sdlRenderer);
    if (sdlWindow)
        SDL_DestroyWindow(sdlWindow);
    sdlRenderer = nullptr;
    sdlWindow = nullptr;
    shownWindow = nullptr;
}

void SdlBackend::toggleFullscreen() {
    if (!sdlWindow)
        return;
    bool fullscreen = SDL_GetWindowFlags(sdlWindow) & SDL_WINDOW_FULLSCREEN_DESKTOP;
    SDL_SetWindowFullscreen(sdlWindow, fullscreen ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
    if (fullscreen)
        SDL_SetWindowSize(sdlWindow, 1280, 960);
    displayScreen.repaint();
}

bool SdlBackend::messageBox(const std::string& text, const std::string& caption, UINT type) {
    if (!videoReady)
        return false;
    Uint32 flags = (type & 0xF0) == MB_ICONHAND      ? SDL_MESSAGEBOX_ERROR
                   : (type & 0xF0) == MB_ICONWARNING ? SDL_MESSAGEBOX_WARNING
                                                     : SDL_MESSAGEBOX_INFORMATION;
    return SDL_ShowSimpleMessageBox(flags, windows1252ToUtf8(caption).c_str(),
                                    windows1252ToUtf8(text).c_str(), sdlWindow) == 0;
}

bool SdlBackend::runDialog(Dialog& dialog) { return videoReady && runSdlDialog(dialog); }

} // namespace luma
