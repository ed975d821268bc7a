// A real window, the real clock and SDL's events.
#pragma once

#include "backends/backend.h"
#include "backends/sdl/sdl_screen.h"

#include <SDL.h>

namespace luma {

class SdlBackend : public Backend {
public:
    SdlBackend();
    ~SdlBackend() override;

    const char* name() const override { return "sdl"; }
    bool ready(std::string& problem) override;

    DWORD ticks() override;
    void idleTurn() override {}
    void waitForInput(DWORD maxMs) override;
    void sleep(DWORD milliseconds) override;
    void pumpEvents(InputSink& sink) override;

    void screenSize(int& width, int& height) override;
    bool showWindow(Window& window) override;
    void closeWindow(Window& window) override;
    bool messageBox(const std::string& text, const std::string& caption, UINT type) override;
    bool runDialog(Dialog& dialog) override;
    // In sdl_audio.cpp: SDL's audio devices.
    bool audioDevices(std::vector<AudioDeviceInfo>& devices) override;
    std::unique_ptr<AudioOutput> openAudio(const std::string& device, Mixer& mixer) override;

    Screen& screen() override { return displayScreen; }

    SDL_Window* mainWindow() const { return sdlWindow; }
    SDL_Renderer* renderer() const { return sdlRenderer; }

private:
    void toggleFullscreen();

    bool videoReady = false;
    std::string videoProblem;
    Window* shownWindow = nullptr;
    SDL_Window* sdlWindow = nullptr;
    SDL_Renderer* sdlRenderer = nullptr;
    SdlScreen displayScreen{*this};
};

// The dialog runner draws in a window of its own (sdl_dialog.cpp).
bool runSdlDialog(Dialog& dialog);

} // namespace luma
