// The module parser, then the song with marker effects scattered over its patterns: a fifth
// of a second on the streaming path (a buffer whose write cursor moves by uneven steps), or
// up to two patterns' rows as on the timer path with a short stretch mixed after each, so that
// jumps, breaks and markers are reached without mixing seconds of sound. The choices come
// from the input's hash, so every input replays the same way.
#include "workspace.h"

#include "fake_music_buffer.h"

#include "demo_state.h"
#include "music/mixer.h"
#include "music/module.h"
#include "music/music_buffer.h"
#include "music/music_player.h"
#include "music/music_render.h"
#include "music/music_state.h"
#include "music/sequencer.h"

#include <TLumaBase.h>

#include <cstddef>
#include <cstdint>

namespace {

const unsigned int streamedMilliseconds = 200;
const unsigned int rowsByTimer = 128;
const unsigned int samplesAfterEachRow = 16;

class Choices {
public:
    Choices(const uint8_t* data, size_t size) {
        for (size_t i = 0; i < size; ++i)
            state = (state ^ data[i]) * 0x100000001B3ull;
    }
    unsigned int below(unsigned int limit) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return static_cast<unsigned int>(state % limit);
    }

private:
    uint64_t state = 0xCBF29CE484222325ull;
};

// Sample 31 with a sync (8xx), scene (Cxx), jump (Bxx), break (Dxx) or cut (ECx) effect.
void scatterMarkers(Choices& choices) {
    static const unsigned char effects[] = {0x8, 0xC, 0x8, 0xC, 0xB, 0xD, 0xE};
    if (music.patternCount <= 0)
        return;
    unsigned int markers = choices.below(24);
    for (unsigned int i = 0; i < markers; ++i) {
        unsigned int pattern = choices.below(static_cast<unsigned int>(music.patternCount));
        unsigned int cell = choices.below(64 * channelCount);
        unsigned char* bytes = music.patterns + pattern * patternBytes + cell * 4;
        unsigned char effect = effects[choices.below(sizeof effects)];
        bytes[0] = static_cast<unsigned char>(0x10 | (bytes[0] & 0x0F));
        bytes[2] = static_cast<unsigned char>(0xF0 | effect);
        bytes[3] = static_cast<unsigned char>(choices.below(256));
    }
}

void drainMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
}

void streamSong(Choices& choices) {
    FakeMusicBuffer buffer(static_cast<unsigned int>(sampleRate));
    music.buffer = &buffer;
    music.writeOffsetBytes = 0;
    StreamMusic();
    // Turns come every 0 to 200 ms, now and then late enough to overtake the write position.
    unsigned int played = 0;
    while (played < streamedMilliseconds * 2 * static_cast<unsigned int>(sampleRate) / 1000) {
        unsigned int step = choices.below(2 * static_cast<unsigned int>(sampleRate) / 5) & ~1u;
        buffer.writeCursor = (buffer.writeCursor + step) % static_cast<DWORD>(sampleRate);
        played += step + 2;
        if (!UpdateMusic())
            break;
    }
    music.buffer = nullptr;
}

void playByTimer() {
    short mixed[samplesAfterEachRow];
    for (unsigned int row = 0; row < rowsByTimer && !SongEnded(); ++row) {
        PlayRow();
        MixSamples(mixed, samplesAfterEachRow, static_cast<unsigned int>(sampleRate));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzWorkspace workspace;
    static TLumaBase base(GetModuleHandleA(nullptr), 0, 0, false);
    lumaBase = &base;
    directSound = nullptr;
    mainWindow = nullptr;

    Choices choices(data, size);
    bool fast = choices.below(2) == 0;
    sampleRate = fast ? 44100 : 22050;
    samplesPerRow = fast ? 5292 : 2646;
    sceneByte = 255;
    syncByte = 0;

    // Now and then through the file, mostly straight from memory.
    if (choices.below(8) == 0)
        LoadModule(workspace.writeInput(data, size));
    else if (ParseModule(data, size))
        RestartMusic();
    // A module that did not load has no song: the program ends before any music plays.
    if (!SongEnded()) {
        scatterMarkers(choices);
        if (choices.below(4) == 0)
            playByTimer();
        else
            streamSong(choices);
    }
    FreeModule();
    drainMessages();
    return 0;
}
