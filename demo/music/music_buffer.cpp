#include "music_buffer.h"

#include "marker_cues.h"
#include "music_render.h"
#include "music_state.h"

#include "../demo_state.h"

#include <TLumaBase.h>

namespace {

const unsigned int leadBytes = 8000;

// Half a second of 16-bit mono: as many bytes as samples per second.
unsigned int bufferBytes() { return static_cast<unsigned int>(sampleRate); }

// Renders `samples` samples into the two locked regions; what does not fit is dropped.
void renderInto(unsigned int samples, short* first, unsigned int firstBytes, short* second,
                unsigned int secondBytes) {
    unsigned int intoFirst = first ? firstBytes / 2 : 0;
    if (intoFirst > samples)
        intoFirst = samples;
    RenderMusic(first, intoFirst);
    samples -= intoFirst;
    unsigned int intoSecond = second ? secondBytes / 2 : 0;
    if (intoSecond > samples)
        intoSecond = samples;
    RenderMusic(second, intoSecond);
    RenderMusic(0, samples - intoSecond);
}

} // namespace

void StartMusicBuffer(IDirectSound* device) {
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = static_cast<DWORD>(sampleRate);
    format.nAvgBytesPerSec = 2 * static_cast<DWORD>(sampleRate);
    format.nBlockAlign = 2;
    format.wBitsPerSample = 16;

    DSBUFFERDESC description = {};
    // The DirectSound 3 description: 20 bytes in a 32-bit program, 24 in a 64-bit one.
    description.dwSize = sizeof(DSBUFFERDESC1);
    description.dwFlags = DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;
    description.dwBufferBytes = static_cast<DWORD>(sampleRate);
    description.dwReserved = 0;
    description.lpwfxFormat = &format;
    if (device->CreateSoundBuffer(&description, &music.buffer, 0) != DS_OK) {
        music.buffer = 0;
        lumaBase->DebugOut("CreateSoundBuffer failed!\n");
        return;
    }

    music.writeOffsetBytes = 0;
    StreamMusic();
    music.buffer->SetPan(0);
    music.buffer->SetVolume(0);
    music.buffer->Play(0, 0, DSBPLAY_LOOPING);
}

void StreamMusic() {
    unsigned int size = bufferBytes();
    DWORD playCursor = 0, writeCursor = 0;
    music.buffer->GetCurrentPosition(&playCursor, &writeCursor);
    unsigned int cursor = static_cast<unsigned int>(writeCursor) % size;
    unsigned int& position = music.writeOffsetBytes;
    unsigned int ahead = (position + size - cursor) % size;

    // The write cursor has overtaken us (a turn came late): the stretch it skipped is
    // mixed and dropped, so that its rows still run and sound and pictures stay in step.
    if (ahead > leadBytes) {
        unsigned int skipped = (cursor + size - position) % size / 2;
        RenderMusic(0, skipped);
        position = (position + 2 * skipped) % size;
        ahead = (position + size - cursor) % size;
    }

    unsigned int samples = (leadBytes - ahead) / 2;
    void* first = 0;
    void* second = 0;
    DWORD firstBytes = 0, secondBytes = 0;
    // A stretch that cannot be locked is skipped: the song waits rather than losing rows.
    if (music.buffer->Lock(position, 2 * samples, &first, &firstBytes, &second, &secondBytes, 0) ==
        DS_OK) {
        renderInto(samples, static_cast<short*>(first), firstBytes, static_cast<short*>(second),
                   secondBytes);
        music.buffer->Unlock(first, firstBytes, second, secondBytes);
    } else {
        // The stretch plays what the buffer held: the song's later samples come that much later.
        music.samplesRendered += samples;
    }
    position = (position + 2 * samples) % size;

    // Everything from the play cursor to the write position is mixed but not yet heard.
    unsigned long long unheard = (position + size - playCursor % size) % size / 2;
    if (music.samplesRendered >= unheard)
        PlayCuesUpTo(music.samplesRendered - unheard);
}
