// Sound through the page's WebAudio: a device without a thread of its own, whose blocks the
// program's mixer makes whenever the program comes by (a buffer call or a yield point) and the
// browser plays in order.
#pragma once

#include "sound/audio_output.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace luma {

class Mixer;

class WebAudioOutput final : public AudioOutput {
public:
    // Null where the page has no sound.
    static std::unique_ptr<WebAudioOutput> open(Mixer& mixer);
    ~WebAudioOutput() override;

    DWORD rate() const override { return frequency; }
    void bufferMade(DWORD) override {}
    // Keeps enough blocks queued that the browser never runs dry between two yield points.
    void catchUp() override;
    DWORD queuedFrames() const override;

private:
    WebAudioOutput(Mixer& mixer, int id, DWORD rate);

    Mixer& mixer;
    int pageId;
    DWORD frequency;
    std::vector<int16_t> block;
};

// Whether the page can play sound at all.
bool pageHasAudio();

// Every open device catches up: the backend calls this at its yield points.
void feedPageAudio();

} // namespace luma
