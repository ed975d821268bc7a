// A device that holds what its mixer made for a while before it is heard, as SDL's does: the
// play cursor names what is heard, the write cursor keeps its lead from there and never falls
// behind the mixer.
#include "backends/sdl/sdl_audio_timing.h"
#include "sound/device_state.h"
#include "sound/sound_buffer.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using luma::AudioTiming;

class HoldingOutput final : public luma::AudioOutput {
public:
    explicit HoldingOutput(DWORD held) : held(held) {}
    DWORD rate() const override { return 44100; }
    void bufferMade(DWORD) override {}
    void catchUp() override {}
    DWORD queuedFrames() const override { return held; }

    DWORD held;
};

struct Cursors {
    DWORD play = 0;
    DWORD write = 0;
};

// A looping 22050 Hz mono buffer of one second whose mixer has made `mixed` device frames.
Cursors cursorsAfter(DWORD mixed, DWORD held, bool looping = true) {
    auto state = std::make_shared<luma::DeviceState>();
    state->output = std::make_unique<HoldingOutput>(held);
    auto data = std::make_shared<luma::SoundData>();
    data->format = {WAVE_FORMAT_PCM, 1, 22050, 44100, 2, 16, 0};
    data->bytes = 44100;
    data->words.reset(new int16_t[22050]());
    auto* buffer = new luma::SoundBuffer(state, data, 0, false);
    buffer->Play(0, 0, looping ? DSBPLAY_LOOPING : 0);
    std::vector<int16_t> out(mixed);
    state->mixer.render(out.data(), out.size(), 44100);
    Cursors cursors;
    buffer->GetCurrentPosition(&cursors.play, &cursors.write);
    buffer->Release();
    return cursors;
}

constexpr DWORD leadBytes = 22050 / 25 * 2; // 40 ms of the buffer

TEST(SdlAudioLatency, NothingHeldKeepsTheMixersPlace) {
    Cursors cursors = cursorsAfter(8820, 0);
    EXPECT_EQ(cursors.play, 4410u * 2);
    EXPECT_EQ(cursors.write, 4410u * 2 + leadBytes);
}

TEST(SdlAudioLatency, ThePlayCursorNamesWhatIsHeard) {
    // 1024 device frames held are 512 frames of the 22050 Hz buffer.
    Cursors cursors = cursorsAfter(8820, 1024);
    EXPECT_EQ(cursors.play, (4410u - 512) * 2);
    EXPECT_EQ(cursors.write, (4410u - 512) * 2 + leadBytes) << "the lead counts from what is heard";
}

TEST(SdlAudioLatency, TheWriteCursorNeverFallsBehindTheMixer) {
    // 4096 device frames (93 ms) held: more than the lead.
    Cursors cursors = cursorsAfter(8820, 4096);
    EXPECT_EQ(cursors.play, (4410u - 2048) * 2);
    EXPECT_EQ(cursors.write, 4410u * 2);
}

TEST(SdlAudioLatency, CursorsWrapAtTheBuffersStart) {
    // 200 buffer frames made, 500 held: what is heard lies at the end of the last lap.
    Cursors cursors = cursorsAfter(400, 1000);
    EXPECT_EQ(cursors.play, 44100u - 300 * 2);
    EXPECT_EQ(cursors.write, (44100u - 300 * 2 + leadBytes) % 44100);
}

TEST(SdlAudioLatency, ABufferThatDoesNotLoopIsHeardFromItsStart) {
    Cursors cursors = cursorsAfter(400, 2000, false);
    EXPECT_EQ(cursors.play, 0u);
    EXPECT_EQ(cursors.write, leadBytes);
}

TEST(SdlAudioTiming, ABlockJustMadeIsHeldWhole) {
    AudioTiming timing(1024, 44100);
    EXPECT_EQ(timing.latency(), 1024u);
    EXPECT_EQ(timing.queued(1000, 1000, 44100), 1024u);
}

TEST(SdlAudioTiming, ItDrainsAtTheDevicesRate) {
    AudioTiming timing(1024, 44100);
    // Ticks of the clock are frames here: 300 ticks later, 300 frames were played.
    EXPECT_EQ(timing.queued(1000, 1300, 44100), 724u);
    EXPECT_EQ(timing.queued(1000, 1000 + 1024, 44100), 0u);
    EXPECT_EQ(timing.queued(1000, 1000 + 5000, 44100), 0u) << "a late block holds nothing";
    // A clock in microseconds: 10 ms are 441 frames.
    EXPECT_EQ(timing.queued(5000000, 5010000, 1000000), 1024u - 441);
}

TEST(SdlAudioTiming, NothingIsHeldBeforeTheFirstBlock) {
    AudioTiming timing(2048, 44100);
    EXPECT_EQ(timing.queued(0, 123456, 44100), 0u);
    EXPECT_EQ(timing.queued(2000, 1000, 44100), 2048u) << "a clock read before the block";
}

} // namespace
