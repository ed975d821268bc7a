#include "headless_sound.h"

#include "wave_files.h"

#include <luma/platform.h>
#include <windows.h>

#include <cstring>
#include <stdexcept>

Recorder::Recorder() : mark(LumaHeadlessSound(nullptr, nullptr)) {}

std::vector<int16_t> Recorder::played() const {
    const short* samples = nullptr;
    DWORD rate = 0;
    DWORD count = LumaHeadlessSound(&samples, &rate);
    if (rate != deviceRate)
        throw std::runtime_error("the headless device plays at another rate");
    return std::vector<int16_t>(samples + mark, samples + count);
}

void letTimePass(DWORD milliseconds) { Sleep(milliseconds); }

void startOnWholeFrame() {
    const DWORD wholeFrames = 20;
    if (DWORD into = LumaElapsed() % wholeFrames)
        Sleep(wholeFrames - into);
}

LPDIRECTSOUNDBUFFER makeBuffer(LPDIRECTSOUND device, DWORD rate, const std::vector<uint8_t>& bytes,
                               WORD bits, WORD channels) {
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = channels;
    format.nSamplesPerSec = rate;
    format.nBlockAlign = static_cast<WORD>(channels * bits / 8);
    format.nAvgBytesPerSec = rate * format.nBlockAlign;
    format.wBitsPerSample = bits;
    DSBUFFERDESC description{};
    description.dwSize = sizeof description;
    description.dwFlags = DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;
    description.dwBufferBytes = static_cast<DWORD>(bytes.size());
    description.lpwfxFormat = &format;
    LPDIRECTSOUNDBUFFER buffer = nullptr;
    if (device->CreateSoundBuffer(&description, &buffer, nullptr) != DS_OK)
        throw std::runtime_error("CreateSoundBuffer failed");
    LPVOID region = nullptr;
    DWORD length = 0;
    if (buffer->Lock(0, 0, &region, &length, nullptr, nullptr, DSBLOCK_ENTIREBUFFER) != DS_OK)
        throw std::runtime_error("Lock failed");
    std::memcpy(region, bytes.data(), length);
    buffer->Unlock(region, length, nullptr, 0);
    return buffer;
}

LPDIRECTSOUNDBUFFER makeBuffer(LPDIRECTSOUND device, DWORD rate,
                               const std::vector<int16_t>& samples) {
    return makeBuffer(device, rate, samplesToBytes(samples));
}
