// A page in a browser: a canvas for the screen, WebAudio for the sound and performance.now()
// for the clock. The program's blocking loops give the browser its turn at the yield points
// (through Asyncify), and the sound gets its next blocks there.
#pragma once

#include "backends/backend.h"
#include "backends/web/web_screen.h"

namespace luma {

class WebBackend : public Backend {
public:
    const char* name() const override { return "web"; }
    bool ready(std::string&) override { return true; }

    DWORD ticks() override;
    void idleTurn() override;
    void waitForInput(DWORD maxMs) override;
    void sleep(DWORD milliseconds) override;
    void pumpEvents(InputSink& sink) override;

    void screenSize(int& width, int& height) override;
    bool showWindow(Window&) override { return true; }
    void closeWindow(Window&) override {}
    // Not yet drawn on the canvas: the text goes to the console.
    bool messageBox(const std::string&, const std::string&, UINT) override { return false; }
    bool runDialog(Dialog&) override { return false; }
    // The page's WebAudio, one device (web_audio.cpp).
    bool audioDevices(std::vector<AudioDeviceInfo>& devices) override;
    std::unique_ptr<AudioOutput> openAudio(const std::string& device, Mixer& mixer) override;

    Screen& screen() override { return displayScreen; }

private:
    WebScreen displayScreen;
};

} // namespace luma
