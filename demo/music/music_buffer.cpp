#include "music_buffer.h"

#include "mixer.h"
#include "module.h"
#include "sequencer.h"

#include "../demo_state.h"

#include <TLumaBase.h>

unsigned int writePosition;
unsigned int tickPosition;

namespace {

const unsigned int leadBytes = 8000;

unsigned int bufferBytes() { return static_cast<unsigned int>(sampleRate); }

unsigned int nextBoundary() {
    return (tickPosition + 2 * static_cast<unsigned int>(rowLength)) % bufferBytes();
}

// Copies mixed samples into the locked regions, from sample `at` of the stretch on.
void store(const short* mixed, unsigned int count, unsigned int at, short* first,
           unsigned int firstBytes, short* second, unsigned int secondBytes) {
    unsigned int firstSamples = firstBytes / 2;
    for (unsigned int i = 0; i < count; ++i, ++at) {
        if (at < firstSamples) {
            if (first)
                first[at] = mixed[i];
        } else if (second && at - firstSamples < secondBytes / 2) {
            second[at - firstSamples] = mixed[i];
        }
    }
}

// Mixes `samples` samples from buffer offset `position` into the two locked regions
// (none: the samples are mixed and dropped), starting each row on its exact sample.
void mixStretch(unsigned int position, unsigned int samples, short* first, unsigned int firstBytes,
                short* second, unsigned int secondBytes) {
    unsigned int rate = bufferBytes();
    short mixed[1024];
    unsigned int done = 0;
    while (done < samples) {
        unsigned int offset = (position + 2 * done) % rate;
        unsigned int boundary = nextBoundary();
        if (offset == boundary) {
            PlayRow();
            tickPosition = offset;
            boundary = nextBoundary();
        }
        // Up to the next row boundary, or the end of the stretch or of the scratch buffer.
        unsigned int untilBoundary = ((boundary + rate - offset) % rate) / 2;
        unsigned int run = samples - done;
        if (untilBoundary > 0 && untilBoundary < run)
            run = untilBoundary;
        if (run > sizeof mixed / sizeof mixed[0])
            run = sizeof mixed / sizeof mixed[0];
        MixSamples(mixed, run, rate);
        store(mixed, run, done, first, firstBytes, second, secondBytes);
        done += run;
    }
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
    if (device->CreateSoundBuffer(&description, &musicBuffer, 0) != DS_OK) {
        musicBuffer = 0;
        lumaBase->DebugOut("CreateSoundBuffer failed!\n");
        return;
    }

    writePosition = 0;
    tickPosition = 0;
    StreamMusic();
    musicBuffer->SetPan(0);
    musicBuffer->SetVolume(0);
    musicBuffer->Play(0, 0, DSBPLAY_LOOPING);
}

void StreamMusic() {
    unsigned int rate = bufferBytes();
    DWORD writeCursor = 0;
    musicBuffer->GetCurrentPosition(0, &writeCursor);
    unsigned int cursor = static_cast<unsigned int>(writeCursor) % rate;
    unsigned int ahead = (writePosition + rate - cursor) % rate;

    // The write cursor has overtaken us (a turn came late): the stretch it skipped is
    // mixed and dropped, so that its rows still run and sound and pictures stay in step.
    if (ahead > leadBytes) {
        unsigned int skipped = (cursor + rate - writePosition) % rate;
        mixStretch(writePosition, skipped / 2, 0, 0, 0, 0);
        writePosition = (writePosition + skipped / 2 * 2) % rate;
        ahead = (writePosition + rate - cursor) % rate;
    }

    unsigned int samples = (leadBytes - ahead) / 2;
    void* first = 0;
    void* second = 0;
    DWORD firstBytes = 0, secondBytes = 0;
    if (musicBuffer->Lock(writePosition, 2 * samples, &first, &firstBytes, &second, &secondBytes,
                          0) == DS_OK) {
        mixStretch(writePosition, samples, static_cast<short*>(first), firstBytes,
                   static_cast<short*>(second), secondBytes);
        musicBuffer->Unlock(first, firstBytes, second, secondBytes);
    }
    writePosition = (writePosition + 2 * samples) % rate;
}
