// No window, no sound hardware, no SDL: virtual time that moves a step at a time, each shown
// page one step (at 60 frames a second or more, a step is a frame).
#pragma once

#include "backends/backend.h"
#include "backends/recorded_run.h"
#include "backends/headless/headless_screen.h"
#include "backends/virtual_time.h"

namespace luma {

class HeadlessBackend : public Backend, public RecordedRun {
public:
    explicit HeadlessBackend(int framesPerSecond);

    const char* name() const override { return "headless"; }
    bool ready(std::string&) override { return true; }

    DWORD ticks() override;
    void idleTurn() override;
    void waitForInput(DWORD maxMs) override;
    void sleep(DWORD milliseconds) override;
    void pumpEvents(InputSink&) override {}

    void screenSize(int& width, int& height) override;
    bool showWindow(Window&) override { return true; }
    void closeWindow(Window&) override {}
    bool messageBox(const std::string&, const std::string&, UINT) override { return false; }
    bool runDialog(Dialog&) override { return false; }
    // In headless_audio.cpp: one virtual device that keeps what it plays.
    bool audioDevices(std::vector<AudioDeviceInfo>& devices) override;
    std::unique_ptr<AudioOutput> openAudio(const std::string& device, Mixer& mixer) override;

    Screen& screen() override { return displayScreen; }
    RecordedRun* recordedRun() override { return this; }

    // The clock exactly, for the sound device and the capture.
    VirtualTime now() const override;
    // In headless_audio.cpp.
    const SoundRecording& soundPlayed() override;
    void watchClock(ClockWatcher* watcher) override {
        clockWatcher = watcher;
        displayScreen.keepPages(watcher != nullptr);
    }

    // A page was shown: time moves on by one step.
    void pagePresented();

private:
    void advanceStep();
    // Tells the watcher, which takes the frames and screenshots due by now.
    void clockMoved();

    int framesPerSecond;
    int stepsPerFrame;
    uint64_t steps = 0;
    uint64_t extraMilliseconds = 0;
    bool presentedSinceIdle = false;
    ClockWatcher* clockWatcher = nullptr;
    HeadlessScreen displayScreen{*this};
};

} // namespace luma
