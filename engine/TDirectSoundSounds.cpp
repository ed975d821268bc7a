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

} // namespace

structDirectSoundBuffer* TDirectSound::newSound(char* fileName, int count) {
    if (dwDisable || !lpDS)
        return 0;
    if (count < 1)
        count = 1;

    HMMIO file = mmioOpenA(fileName, 0, MMIO_ALLOCBUF);
    if (!file)
        return 0;

    MMCKINFO riff;
    riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
    if (mmioDescend(file, &riff, 0, MMIO_FINDRIFF) != MMSYSERR_NOERROR) {
        mmioClose(file, 0);
        return 0;
    }

    MMCKINFO chunk;
    chunk.ckid = mmioFOURCC('f', 'm', 't', ' ');
    if (mmioDescend(file, &chunk, &riff, MMIO_FINDCHUNK) != MMSYSERR_NOERROR) {
        mmioClose(file, 0);
        return 0;
    }
    // The format chunk is read and checked, but the sound keeps its fixed format.
    char* formatChunk = new char[chunk.cksize];
    if (mmioRead(file, formatChunk, static_cast<LONG>(chunk.cksize)) !=
        static_cast<LONG>(chunk.cksize))
        base->DebugOut("Falsche Gr\xF6\xDF"
                       "e\n");
    mmioAscend(file, &chunk, 0);

    chunk.ckid = mmioFOURCC('d', 'a', 't', 'a');
    if (mmioDescend(file, &chunk, &riff, MMIO_FINDCHUNK) != MMSYSERR_NOERROR || chunk.cksize == 0) {
        mmioClose(file, 0);
        delete[] formatChunk;
        return 0;
    }

    structDirectSoundBuffer* sound = new (std::nothrow) structDirectSoundBuffer;
    if (!sound) {
        base->DebugOut("newBuffer==NULL");
        mmioClose(file, 0);
        delete[] formatChunk;
        return 0;
    }
    sound->lpdsBuffer = new (std::nothrow) LPDIRECTSOUNDBUFFER[count];
    if (!sound->lpdsBuffer) {
        base->DebugOut("newBuffer->lpdsBuffer==NULL");
        delete sound;
        mmioClose(file, 0);
        delete[] formatChunk;
        return 0;
    }
    for (int slot = 0; slot < count; ++slot)
        sound->lpdsBuffer[slot] = 0;

    WAVEFORMATEX format = soundFormat();
    DSBUFFERDESC description;
    std::memset(&description, 0, sizeof description);
    description.dwSize = sizeof(DSBUFFERDESC);
    description.dwFlags = soundFlags;
    description.dwBufferBytes = chunk.cksize;
    description.dwReserved = 0;
    description.lpwfxFormat = &format;
    LPDIRECTSOUNDBUFFER buffer = 0;
    if (lpDS->CreateSoundBuffer(&description, &buffer, 0) != DS_OK) {
        delete[] sound->lpdsBuffer;
        delete sound;
        mmioClose(file, 0);
        delete[] formatChunk;
        return 0;
    }

    LPVOID region1 = 0;
    LPVOID region2 = 0;
    DWORD length1 = 0;
    DWORD length2 = 0;
    if (buffer->Lock(0, 0, &region1, &length1, &region2, &length2, DSBLOCK_ENTIREBUFFER) == DS_OK) {
        DWORD wanted = chunk.cksize < length1 ? chunk.cksize : length1;
        mmioRead(file, static_cast<HPSTR>(region1), static_cast<LONG>(wanted));
        buffer->SetPan(0);
        buffer->SetVolume(0);
        buffer->Unlock(region1, length1, region2, length2);
    }

    sound->lpdsBuffer[0] = buffer;
    sound->nCurrent = 0;
    for (int slot = 1; slot < count; ++slot) {
        if (lpDS->DuplicateSoundBuffer(buffer, &sound->lpdsBuffer[slot]) != DS_OK) {
            sound->lpdsBuffer[slot] = 0;
            count = slot;
            break;
        }
    }
    sound->nCount = count;

    mmioClose(file, 0);
    delete[] formatChunk;
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
