// Sounds from wave files: the file's data in a buffer at a fixed format, and copies of it
// so that one sound can start again while earlier starts still sound.
#include "TDirectSound.h"

#include "TLumaBase.h"

#include <cstring>
#include <new>

namespace {

// Every sound plays as 16-bit mono at 22050 Hz, whatever its file says.
WAVEFORMATEX soundFormat() {
    WAVEFORMATEX format;
    std::memset(&format, 0, sizeof format);
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = 22050;
    format.nAvgBytesPerSec = 44100;
    format.nBlockAlign = 2;
    format.wBitsPerSample = 16;
    return format;
}

const DWORD soundFlags = DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;

// Finds the RIFF WAVE form's format and data chunks; the file is left at the data, whose
// size comes back. The format chunk is read and checked, but the sound keeps its fixed
// format. False when a chunk is missing or the data is empty.
bool findWaveData(HMMIO file, TLumaBase* base, DWORD& dataBytes) {
    MMCKINFO riff;
    riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
    if (mmioDescend(file, &riff, 0, MMIO_FINDRIFF) != MMSYSERR_NOERROR)
        return false;
    MMCKINFO chunk;
    chunk.ckid = mmioFOURCC('f', 'm', 't', ' ');
    if (mmioDescend(file, &chunk, &riff, MMIO_FINDCHUNK) != MMSYSERR_NOERROR)
        return false;
    char* formatChunk = new char[chunk.cksize];
    if (mmioRead(file, formatChunk, static_cast<LONG>(chunk.cksize)) !=
        static_cast<LONG>(chunk.cksize))
        base->DebugOut("Falsche Gr\xF6\xDF"
                       "e\n");
    delete[] formatChunk;
    mmioAscend(file, &chunk, 0);

    chunk.ckid = mmioFOURCC('d', 'a', 't', 'a');
    if (mmioDescend(file, &chunk, &riff, MMIO_FINDCHUNK) != MMSYSERR_NOERROR || chunk.cksize == 0)
        return false;
    dataBytes = chunk.cksize;
    return true;
}

// A sound of `count` empty slots; null (with the log's word) without memory for it.
structDirectSoundBuffer* newSoundSlots(int count, TLumaBase* base) {
    structDirectSoundBuffer* sound = new (std::nothrow) structDirectSoundBuffer;
    if (!sound) {
        base->DebugOut("newBuffer==NULL");
        return 0;
    }
    sound->lpdsBuffer = new (std::nothrow) LPDIRECTSOUNDBUFFER[count];
    if (!sound->lpdsBuffer) {
        base->DebugOut("newBuffer->lpdsBuffer==NULL");
        delete sound;
        return 0;
    }
    for (int slot = 0; slot < count; ++slot)
        sound->lpdsBuffer[slot] = 0;
    sound->nCurrent = 0;
    sound->nCount = count;
    return sound;
}

// A buffer of the sound's fixed format holding the file's next `dataBytes` bytes; null when
// the device cannot make it.
LPDIRECTSOUNDBUFFER newFilledBuffer(LPDIRECTSOUND device, HMMIO file, DWORD dataBytes) {
    WAVEFORMATEX format = soundFormat();
    DSBUFFERDESC description;
    std::memset(&description, 0, sizeof description);
    description.dwSize = sizeof(DSBUFFERDESC);
    description.dwFlags = soundFlags;
    description.dwBufferBytes = dataBytes;
    description.dwReserved = 0;
    description.lpwfxFormat = &format;
    LPDIRECTSOUNDBUFFER buffer = 0;
    if (device->CreateSoundBuffer(&description, &buffer, 0) != DS_OK)
        return 0;

    LPVOID region1 = 0;
    LPVOID region2 = 0;
    DWORD length1 = 0;
    DWORD length2 = 0;
    if (buffer->Lock(0, 0, &region1, &length1, &region2, &length2, DSBLOCK_ENTIREBUFFER) == DS_OK) {
        DWORD wanted = dataBytes < length1 ? dataBytes : length1;
        mmioRead(file, static_cast<HPSTR>(region1), static_cast<LONG>(wanted));
        buffer->SetPan(0);
        buffer->SetVolume(0);
        buffer->Unlock(region1, length1, region2, length2);
    }
    return buffer;
}

// The first slot holds the buffer, the others duplicates of it, as many as the device
// makes: the sound's count is cut to those.
void fillSlots(structDirectSoundBuffer* sound, LPDIRECTSOUND device, LPDIRECTSOUNDBUFFER buffer) {
    sound->lpdsBuffer[0] = buffer;
    for (int slot = 1; slot < sound->nCount; ++slot) {
        if (device->DuplicateSoundBuffer(buffer, &sound->lpdsBuffer[slot]) != DS_OK) {
            sound->lpdsBuffer[slot] = 0;
            sound->nCount = slot;
            return;
        }
    }
}

} // namespace

structDirectSoundBuffer* TDirectSound::newSound(char* fileName, int count) {
    if (dwDisable || !lpDS)
        return 0;
    HMMIO file = mmioOpenA(fileName, 0, MMIO_ALLOCBUF);
    if (!file)
        return 0;

    structDirectSoundBuffer* sound = 0;
    DWORD dataBytes = 0;
    if (findWaveData(file, base, dataBytes))
        sound = newSoundSlots(count < 1 ? 1 : count, base);
    LPDIRECTSOUNDBUFFER buffer = sound ? newFilledBuffer(lpDS, file, dataBytes) : 0;
    if (buffer) {
        fillSlots(sound, lpDS, buffer);
    } else if (sound) {
        delete[] sound->lpdsBuffer;
        delete sound;
        sound = 0;
    }
    mmioClose(file, 0);
    return sound;
}

bool TDirectSound::playSound(structDirectSoundBuffer* sound) {
    if (dwDisable || !sound)
        return false;
    if (!sound->lpdsBuffer[sound->nCurrent]) {
        base->DebugOut("!");
        sound->nCurrent = 0;
        if (!sound->lpdsBuffer[0])
            return false;
    }
    LPDIRECTSOUNDBUFFER buffer = sound->lpdsBuffer[sound->nCurrent];
    buffer->SetVolume(-static_cast<LONG>(dwVolume));
    HRESULT result = buffer->Play(0, 0, 0);
    switch (result) {
    case DS_OK:
        sound->nCurrent = (sound->nCurrent + 1) % sound->nCount;
        return true;
    case DSERR_PRIOLEVELNEEDED:
        base->DebugOut("TDirectSound::playSound (...) DSERR_PRIOLEVELNEEDED\n");
        break;
    case DSERR_INVALIDPARAM:
        base->DebugOut("TDirectSound::playSound (...) DSERR_INVALIDPARAM\n");
        break;
    case DSERR_INVALIDCALL:
        base->DebugOut("TDirectSound::playSound (...) DSERR_INVALIDCALL\n");
        break;
    case DSERR_BUFFERLOST:
        base->DebugOut("TDirectSound::playSound (...) DSERR_BUFFERLOST\n");
        break;
    default:
        base->DebugOut("TDirectSound::playSound (...) unknown Error\n");
        break;
    }
    return false;
}

void TDirectSound::deleteSound(structDirectSoundBuffer* sound) {
    if (!sound)
        return;
    for (int slot = 0; slot < sound->nCount; ++slot) {
        if (sound->lpdsBuffer[slot]) {
            sound->lpdsBuffer[slot]->Release();
            sound->lpdsBuffer[slot] = 0;
        }
    }
    delete[] sound->lpdsBuffer;
    delete sound;
}
