#include "sound/sound_buffer.h"

#include <algorithm>

namespace luma {

namespace {
using Hold = std::lock_guard<MixerLock>;
} // namespace

SoundBuffer::SoundBuffer(std::shared_ptr<DeviceState> owner, std::shared_ptr<SoundData> sound,
                         DWORD bufferFlags, bool duplicate)
    : device(std::move(owner)), data(std::move(sound)), flags(bufferFlags), isDuplicate(duplicate) {
    voice.data = data;
    voice.frequency = data->format.nSamplesPerSec;
    Hold hold(device->mixer.lock);
    device->mixer.add(&voice);
    if (isDuplicate)
        ++device->duplicates;
}

SoundBuffer::~SoundBuffer() {
    // What it played until now is heard before it goes.
    device->catchUp();
    Hold hold(device->mixer.lock);
    device->mixer.remove(&voice);
    if (isDuplicate)
        --device->duplicates;
}

SoundBuffer* SoundBuffer::duplicate() {
    auto* copy = new SoundBuffer(device, data, flags, true);
    Hold hold(device->mixer.lock);
    copy->volume = volume;
    copy->pan = pan;
    copy->voice.frequency = voice.frequency;
    copy->voice.gain = voice.gain;
    return copy;
}

HRESULT SoundBuffer::QueryInterface(REFIID, void** object) {
    if (object)
        *object = nullptr;
    return E_NOINTERFACE;
}

ULONG SoundBuffer::AddRef() { return ++references; }

ULONG SoundBuffer::Release() {
    ULONG left = --references;
    if (left == 0)
        delete this;
    return left;
}

HRESULT SoundBuffer::GetCaps(LPDSBCAPS) { return DSERR_UNSUPPORTED; }

// With the lock held: the byte of the frame the device plays next.
DWORD SoundBuffer::playByte() const {
    return static_cast<DWORD>(voice.position >> 32) * data->format.nBlockAlign;
}

HRESULT SoundBuffer::GetCurrentPosition(LPDWORD playCursor, LPDWORD writeCursor) {
    device->catchUp();
    DWORD queued = device->output ? device->output->queuedFrames() : 0;
    DWORD rate = device->output ? device->output->rate() : 0;
    Hold hold(device->mixer.lock);
    DWORD play = playByte();
    DWORD write = play;
    if (voice.playing) {
        // What the device still holds is not heard yet: the play cursor is that far behind
        // the mixer, and the write cursor keeps its lead from what is heard, never behind
        // the mixer.
        DWORD align = data->format.nBlockAlign;
        uint64_t behind = rate ? uint64_t{queued} * voice.frequency / rate * align : 0;
        behind = std::min<uint64_t>(behind, voice.looping ? data->bytes - align : play);
        uint64_t lead = std::max<uint64_t>((voice.frequency / writeLeadPerSecond) * align, behind);
        play = static_cast<DWORD>((play + data->bytes - behind) % data->bytes);
        write = static_cast<DWORD>((play + lead) % data->bytes);
    }
    if (playCursor)
        *playCursor = play;
    if (writeCursor)
        *writeCursor = write;
    return DS_OK;
}

HRESULT SoundBuffer::GetFormat(LPWAVEFORMATEX format, DWORD size, LPDWORD written) {
    if (!format && !written)
        return DSERR_INVALIDPARAM;
    DWORD needed = sizeof(WAVEFORMATEX);
    if (format) {
        if (size < needed)
            return DSERR_INVALIDPARAM;
        *format = data->format;
    }
    if (written)
        *written = needed;
    return DS_OK;
}

HRESULT SoundBuffer::GetVolume(LPLONG out) {
    if (!out)
        return DSERR_INVALIDPARAM;
    if (!(flags & DSBCAPS_CTRLVOLUME))
        return DSERR_CONTROLUNAVAIL;
    *out = volume;
    return DS_OK;
}

HRESULT SoundBuffer::GetPan(LPLONG out) {
    if (!out)
        return DSERR_INVALIDPARAM;
    if (!(flags & DSBCAPS_CTRLPAN))
        return DSERR_CONTROLUNAVAIL;
    *out = pan;
    return DS_OK;
}

HRESULT SoundBuffer::GetFrequency(LPDWORD out) {
    if (!out)
        return DSERR_INVALIDPARAM;
    if (!(flags & DSBCAPS_CTRLFREQUENCY))
        return DSERR_CONTROLUNAVAIL;
    Hold hold(device->mixer.lock);
    *out = voice.frequency;
    return DS_OK;
}

HRESULT SoundBuffer::GetStatus(LPDWORD status) {
    if (!status)
        return DSERR_INVALIDPARAM;
    device->catchUp();
    Hold hold(device->mixer.lock);
    *status = voice.playing ? DSBSTATUS_PLAYING | (voice.looping ? DSBSTATUS_LOOPING : 0) : 0;
    return DS_OK;
}

HRESULT SoundBuffer::Initialize(LPDIRECTSOUND, LPCDSBUFFERDESC) { return DSERR_ALREADYINITIALIZED; }

// Regions point into the buffer itself: the program writes where the device is not playing.
HRESULT SoundBuffer::Lock(DWORD offset, DWORD bytes, LPVOID* region1, LPDWORD length1,
                          LPVOID* region2, LPDWORD length2, DWORD lockFlags) {
    if (!region1 || !length1)
        return DSERR_INVALIDPARAM;
    if (lockFlags & DSBLOCK_ENTIREBUFFER) {
        offset = 0;
        bytes = data->bytes;
    } else if (lockFlags & DSBLOCK_FROMWRITECURSOR) {
        DWORD play = 0;
        GetCurrentPosition(&play, &offset);
    }
    if (offset >= data->bytes || bytes == 0 || bytes > data->bytes)
        return DSERR_INVALIDPARAM;
    DWORD first = std::min(bytes, data->bytes - offset);
    *region1 = data->begin() + offset;
    *length1 = first;
    if (region2)
        *region2 = first < bytes ? data->begin() : nullptr;
    if (length2)
        *length2 = region2 && first < bytes ? bytes - first : 0;
    return DS_OK;
}

HRESULT SoundBuffer::Play(DWORD, DWORD, DWORD playFlags) {
    device->catchUp();
    Hold hold(device->mixer.lock);
    if (!device->output)
        return DSERR_BUFFERLOST;
    voice.playing = true;
    voice.looping = (playFlags & DSBPLAY_LOOPING) != 0;
    return DS_OK;
}

HRESULT SoundBuffer::SetCurrentPosition(DWORD position) {
    if (position >= data->bytes)
        return DSERR_INVALIDPARAM;
    device->catchUp();
    Hold hold(device->mixer.lock);
    voice.position = static_cast<uint64_t>(position / data->format.nBlockAlign) << 32;
    return DS_OK;
}

HRESULT SoundBuffer::SetFormat(LPCWAVEFORMATEX) { return DSERR_INVALIDCALL; }

HRESULT SoundBuffer::SetVolume(LONG newVolume) {
    if (!(flags & DSBCAPS_CTRLVOLUME))
        return DSERR_CONTROLUNAVAIL;
    if (newVolume < DSBVOLUME_MIN || newVolume > DSBVOLUME_MAX)
        return DSERR_INVALIDPARAM;
    device->catchUp();
    Hold hold(device->mixer.lock);
    volume = newVolume;
    voice.gain = gainOf(volume, pan);
    return DS_OK;
}

HRESULT SoundBuffer::SetPan(LONG newPan) {
    if (!(flags & DSBCAPS_CTRLPAN))
        return DSERR_CONTROLUNAVAIL;
    if (newPan < DSBPAN_LEFT || newPan > DSBPAN_RIGHT)
        return DSERR_INVALIDPARAM;
    device->catchUp();
    Hold hold(device->mixer.lock);
    pan = newPan;
    voice.gain = gainOf(volume, pan);
    return DS_OK;
}

HRESULT SoundBuffer::SetFrequency(DWORD frequency) {
    if (!(flags & DSBCAPS_CTRLFREQUENCY))
        return DSERR_CONTROLUNAVAIL;
    if (frequency == DSBFREQUENCY_ORIGINAL)
        frequency = data->format.nSamplesPerSec;
    if (frequency < DSBFREQUENCY_MIN || frequency > DSBFREQUENCY_MAX)
        return DSERR_INVALIDPARAM;
    device->catchUp();
    Hold hold(device->mixer.lock);
    voice.frequency = frequency;
    return DS_OK;
}

HRESULT SoundBuffer::Stop() {
    device->catchUp();
    Hold hold(device->mixer.lock);
    voice.playing = false;
    return DS_OK;
}

bool SoundBuffer::holds(LPVOID region, DWORD length) const {
    if (!region)
        return length == 0;
    const uint8_t* start = static_cast<const uint8_t*>(region);
    const uint8_t* begin = data->begin();
    return start >= begin && start <= begin + data->bytes &&
           length <= static_cast<DWORD>(begin + data->bytes - start);
}

// The regions were written in place; what is left is to check they are this buffer's.
HRESULT SoundBuffer::Unlock(LPVOID region1, DWORD length1, LPVOID region2, DWORD length2) {
    if (!holds(region1, length1) || !holds(region2, length2))
        return DSERR_INVALIDPARAM;
    return DS_OK;
}

HRESULT SoundBuffer::Restore() { return DS_OK; }

} // namespace luma
