#include "backends/web/web_audio.h"

#include "sound/mixer.h"

#include <emscripten.h>

#include <algorithm>

namespace luma {

namespace {

// 43 ms at 48 kHz: the browser asks for a block this long each time.
constexpr int framesPerCallback = 2048;
// Queued ahead of what the browser holds: a scene that takes a few frames' time to set
// itself up between two yield points does not run the sound dry. The play cursor counts the
// queue, so the picture keeps its place in the sound.
constexpr DWORD framesAhead = 4 * framesPerCallback;

std::vector<WebAudioOutput*>& openOutputs() {
    static std::vector<WebAudioOutput*> outputs;
    return outputs;
}

EM_JS(bool, pageAudioAvailable, (), { return Module.pageAudio.available(); });

EM_JS(int, openPageAudio, (int framesPerCallback),
      { return Module.pageAudio.open(framesPerCallback); });

EM_JS(int, pageAudioRate, (), { return Module.pageAudio.context.sampleRate; });

EM_JS(void, closePageAudio, (int id), { Module.pageAudio.close(id); });

EM_JS(int, pageAudioQueued, (int id), { return Module.pageAudio.outputs[id].queued; });

EM_JS(void, pushPageAudio, (int id, const int16_t* samples, int frames),
      { Module.pageAudio.push(id, HEAP16.subarray(samples >> 1, (samples >> 1) + frames)); });

} // namespace

bool pageHasAudio() { return pageAudioAvailable(); }

std::unique_ptr<WebAudioOutput> WebAudioOutput::open(Mixer& mixer) {
    int id = openPageAudio(framesPerCallback);
    if (id < 0)
        return nullptr;
    return std::unique_ptr<WebAudioOutput>(
        new WebAudioOutput(mixer, id, static_cast<DWORD>(pageAudioRate())));
}

WebAudioOutput::WebAudioOutput(Mixer& source, int id, DWORD rate)
    : mixer(source), pageId(id), frequency(rate) {
    openOutputs().push_back(this);
}

WebAudioOutput::~WebAudioOutput() {
    auto& outputs = openOutputs();
    outputs.erase(std::remove(outputs.begin(), outputs.end(), this), outputs.end());
    closePageAudio(pageId);
}

void WebAudioOutput::catchUp() {
    DWORD queued = static_cast<DWORD>(pageAudioQueued(pageId));
    if (queued >= framesAhead)
        return;
    block.resize(framesAhead - queued);
    mixer.render(block.data(), block.size(), frequency);
    pushPageAudio(pageId, block.data(), static_cast<int>(block.size()));
}

// What waits in the page's queue, and the block the browser holds, which is heard over the
// next callback's time.
DWORD WebAudioOutput::queuedFrames() const {
    return static_cast<DWORD>(pageAudioQueued(pageId)) + framesPerCallback;
}

void feedPageAudio() {
    for (WebAudioOutput* output : openOutputs())
        output->catchUp();
}

} // namespace luma
