// The contract every backend fills in: clock, input, windows, boxes, dialogs, sound and the
// display.
//
// A backend lives in one folder under backends/ and is listed once in backend_table.cpp. It
// is made on first use of the platform and lives until the process ends. Every method is
// called on the program's thread, except where a method says otherwise; the only other
// thread is the one a backend may start to play sound, and it touches nothing but the Mixer
// it was given (which locks for itself).
//
// The program never blocks inside a backend except at three yield points, where its loops
// give time away; a backend whose host must get control back (a browser's event loop, a
// virtual clock) does its work there:
//   idleTurn      the program's message loop found its queue empty and drew (or not);
//   waitForInput  a modal loop (a box, a dialog, GetMessageA) found nothing to do;
//   sleep         the program asked to sleep.
// Between yield points time may stand still: a virtual clock moves only there and when a
// page is presented.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace luma {

struct Window;
class Dialog;
class AudioOutput;
struct AudioDeviceInfo;
class Mixer;
class Screen;

// What a backend tells the platform about the outside world while it pumps its events.
class InputSink {
public:
    virtual void keyDown(UINT virtualKey, const std::string& characters, bool alt) = 0;
    virtual void closeRequested(Window& window) = 0;
    virtual void activated(Window& window, bool active) = 0;

protected:
    ~InputSink() = default;
};

class RecordedRun;

class Backend {
public:
    virtual ~Backend() = default;

    virtual const char* name() const = 0;
    // Whether the backend can serve a program; `problem` says why not.
    virtual bool ready(std::string& problem) = 0;

    // Milliseconds on this backend's clock (wraps like GetTickCount).
    virtual DWORD ticks() = 0;
    // The program found its queue empty: a turn of the loop without a message.
    virtual void idleTurn() = 0;
    // A blocking wait found nothing: give time a chance to pass (at most about maxMs).
    virtual void waitForInput(DWORD maxMs) = 0;
    virtual void sleep(DWORD milliseconds) = 0;

    virtual void pumpEvents(InputSink& sink) = 0;

    virtual void screenSize(int& width, int& height) = 0;
    virtual bool showWindow(Window& window) = 0;
    virtual void closeWindow(Window& window) = 0;

    // Shows a modal box; false where it cannot be shown (the text then goes to stderr).
    virtual bool messageBox(const std::string& text, const std::string& caption, UINT type) = 0;
    // Runs a modal dialog until it ends; false where it cannot be shown.
    virtual bool runDialog(Dialog& dialog) = 0;

    // Sound output devices; false where there is no sound at all.
    virtual bool audioDevices(std::vector<AudioDeviceInfo>& devices) = 0;
    // Opens a device by name (empty: the default) that plays what `mixer` makes; null on failure.
    virtual std::unique_ptr<AudioOutput> openAudio(const std::string& device, Mixer& mixer) = 0;

    // The display: its devices, surface row layout and the shown page (display/screen.h).
    virtual Screen& screen() = 0;

    // The program has returned from WinMain with `status`: a host that outlives it (a page)
    // says that it has ended.
    virtual void programEnded(int /*status*/) {}

    // A backend on a virtual clock offers its run to capture (backends/recorded_run.h);
    // null for one that plays to a person in real time.
    virtual RecordedRun* recordedRun() { return nullptr; }
};

} // namespace luma
