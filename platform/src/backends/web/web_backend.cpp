#include "backends/web/web_backend.h"

#include "backends/web/web_audio.h"
#include "backends/web/web_dialog.h"
#include "backends/web/web_keys.h"
#include "backends/web/web_page.h"
#include "core/platform.h"
#include "text/codepage.h"

#include <emscripten.h>

#include <algorithm>

namespace luma {

namespace {
// A modal loop that waits longer still looks at the page's events this often.
constexpr DWORD longestWaitMs = 10;

EM_JS(void, showAlert, (const char* text, const char* caption),
      { window.alert(UTF8ToString(caption) + '\n\n' + UTF8ToString(text)); });

} // namespace

std::unique_ptr<Backend> makeWebBackend() { return std::make_unique<WebBackend>(); }

DWORD WebBackend::ticks() {
    return static_cast<DWORD>(static_cast<uint64_t>(emscripten_get_now()));
}

// A turn that showed a page has already waited for the browser's frame; one that did not
// must still let the browser run, or the tab would hang.
void WebBackend::idleTurn() {
    feedPageAudio();
    if (!displayScreen.takePresentedSinceAsked())
        waitForAnimationFrame();
}

void WebBackend::waitForInput(DWORD maxMs) {
    feedPageAudio();
    emscripten_sleep(std::min(maxMs, longestWaitMs));
}

void WebBackend::sleep(DWORD milliseconds) {
    feedPageAudio();
    emscripten_sleep(milliseconds);
}

void WebBackend::pumpEvents(InputSink& sink) { deliverPageKeys(sink); }

void WebBackend::screenSize(int& width, int& height) { viewportSize(width, height); }

bool WebBackend::audioDevices(std::vector<AudioDeviceInfo>& devices) {
    if (!pageHasAudio())
        return false;
    devices.push_back({"Browser audio", "WebAudio"});
    return true;
}

std::unique_ptr<AudioOutput> WebBackend::openAudio(const std::string&, Mixer& mixer) {
    return WebAudioOutput::open(mixer);
}

bool WebBackend::messageBox(const std::string& text, const std::string& caption, UINT) {
    showAlert(windows1252ToUtf8(text).c_str(), windows1252ToUtf8(caption).c_str());
    return true;
}

bool WebBackend::runDialog(Dialog& dialog) {
    if (!runWebDialog(dialog))
        return false;
    // The button that lets the demo begin was pressed just now: a browser grants full screen
    // only that close to a gesture.
    if (dialog.result() == IDOK && !config().windowed)
        askForFullScreen();
    return true;
}

void WebBackend::programEnded(int status) { sayProgramEnded(status); }

} // namespace luma
