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
    // The browser's own box, as the desktop shows the system's.
    bool messageBox(const std::string& text, const std::string& caption, UINT type) override;
    // On the canvas (web_dialog.cpp).
    bool runDialog(Dialog& dialog) override;
    // The page's WebAudio, one device (web_audio.cpp).
    bool audioDevices(std::vector<AudioDeviceInfo>& devices) override;
    std::unique_ptr<AudioOutput> openAudio(const std::string& device, Mixer& mixer) override;

    Screen& screen() override { return displayScreen; }

    // The page says the demo is over; a click plays it again.
    void programEnded(int status) override;

private:
    WebScreen displayScreen;
};

} // namespace luma
