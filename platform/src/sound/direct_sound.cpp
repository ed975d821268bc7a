// DirectSoundEnumerateA, DirectSoundCreate and the device object.
#include "sound/direct_sound.h"

#include "core/platform.h"
#include "sound/device_guid.h"
#include "sound/sound_buffer.h"
#include "sound/sound_settings.h"
#include "text/codepage.h"

#include <cstring>
#include <new>
#include <vector>

namespace luma {

namespace {

// DirectSound 3 programs on 32-bit Windows pass 20, the size of their description there.
constexpr DWORD directSound3DescriptionSize = 20;

HRESULT checkFormat(const WAVEFORMATEX& format) {
    if (format.wFormatTag != WAVE_FORMAT_PCM)
        return DSERR_BADFORMAT;
    if (format.nChannels < 1 || format.nChannels > 2)
        return DSERR_BADFORMAT;
    if (format.wBitsPerSample != 8 && format.wBitsPerSample != 16)
        return DSERR_BADFORMAT;
    if (format.nBlockAlign != format.nChannels * format.wBitsPerSample / 8)
        return DSERR_BADFORMAT;
    if (format.nSamplesPerSec < DSBFREQUENCY_MIN || format.nSamplesPerSec > DSBFREQUENCY_MAX)
        return DSERR_BADFORMAT;
    return DS_OK;
}

} // namespace

DirectSoundDevice::DirectSoundDevice(std::shared_ptr<DeviceState> deviceState)
    : state(std::move(deviceState)) {}

// Closing the output stops its thread; buffers still held keep their memory but fall silent.
DirectSoundDevice::~DirectSoundDevice() { state->output.reset(); }

HRESULT DirectSoundDevice::QueryInterface(REFIID, void** object) {
    if (object)
        *object = nullptr;
    return E_NOINTERFACE;
}

ULONG DirectSoundDevice::AddRef() { return ++references; }

ULONG DirectSoundDevice::Release() {
    ULONG left = --references;
    if (left == 0)
        delete this;
    return left;
}

HRESULT DirectSoundDevice::CreateSoundBuffer(LPCDSBUFFERDESC description,
                                             LPDIRECTSOUNDBUFFER* buffer, LPUNKNOWN outer) {
    if (!buffer)
        return DSERR_INVALIDPARAM;
    *buffer = nullptr;
    if (outer)
        return DSERR_NOAGGREGATION;
    if (!description || (description->dwSize != sizeof(DSBUFFERDESC) &&
                         description->dwSize != directSound3DescriptionSize))
        return DSERR_INVALIDPARAM;
    if (description->dwFlags & DSBCAPS_PRIMARYBUFFER)
        return DSERR_UNSUPPORTED;
    if (!description->lpwfxFormat)
        return DSERR_INVALIDPARAM;
    DWORD bytes = description->dwBufferBytes;
    if (bytes < DSBSIZE_MIN || bytes > DSBSIZE_MAX)
        return DSERR_INVALIDPARAM;
    if (HRESULT result = checkFormat(*description->lpwfxFormat); result != DS_OK)
        return result;

    auto data = std::make_shared<SoundData>();
    data->format = *description->lpwfxFormat;
    data->format.cbSize = 0;
    data->bytes = bytes;
    data->words.reset(new (std::nothrow) int16_t[(bytes + 1) / 2]());
    if (!data->words)
        return DSERR_OUTOFMEMORY;
    state->catchUp();
    if (state->output)
        state->output->bufferMade(data->format.nSamplesPerSec);
    *buffer = new SoundBuffer(state, std::move(data), description->dwFlags, false);
    return DS_OK;
}

HRESULT DirectSoundDevice::GetCaps(LPDSCAPS) { return DSERR_UNSUPPORTED; }

HRESULT DirectSoundDevice::DuplicateSoundBuffer(LPDIRECTSOUNDBUFFER original,
                                                LPDIRECTSOUNDBUFFER* duplicate) {
    if (!duplicate)
        return DSERR_INVALIDPARAM;
    *duplicate = nullptr;
    auto* source = dynamic_cast<SoundBuffer*>(original);
    if (!source || source->owner() != state.get())
        return DSERR_INVALIDPARAM;
    int limit = soundSettings().duplicateLimit;
    if (limit >= 0 && state->duplicates >= limit)
        return DSERR_ALLOCATED;
    *duplicate = source->duplicate();
    return DS_OK;
}

HRESULT DirectSoundDevice::SetCooperativeLevel(HWND, DWORD level) {
    return level >= DSSCL_NORMAL && level <= DSSCL_WRITEPRIMARY ? DS_OK : DSERR_INVALIDPARAM;
}

HRESULT DirectSoundDevice::Compact() { return DS_OK; }
HRESULT DirectSoundDevice::GetSpeakerConfig(LPDWORD) { return DSERR_UNSUPPORTED; }
HRESULT DirectSoundDevice::SetSpeakerConfig(DWORD) { return DSERR_UNSUPPORTED; }
HRESULT DirectSoundDevice::Initialize(LPCGUID) { return DSERR_ALREADYINITIALIZED; }

} // namespace luma

using namespace luma;

// First the primary sound driver, which has no GUID, then every output device.
LUMA_API HRESULT WINAPI DirectSoundEnumerateA(LPDSENUMCALLBACKA callback, LPVOID context) {
    if (!callback)
        return DSERR_INVALIDPARAM;
    std::vector<AudioDeviceInfo> devices;
    if (!backend().audioDevices(devices))
        return DS_OK;
    if (!callback(nullptr, "Primary Sound Driver", "", context))
        return DS_OK;
    for (const AudioDeviceInfo& device : devices) {
        GUID guid = deviceGuid(device.name);
        std::string description = utf8ToWindows1252(device.name);
        if (!callback(&guid, description.c_str(), device.module.c_str(), context))
            break;
    }
    return DS_OK;
}

LUMA_API HRESULT WINAPI DirectSoundCreate(LPCGUID device, LPDIRECTSOUND* directSound,
                                          LPUNKNOWN outer) {
    if (!directSound)
        return DSERR_INVALIDPARAM;
    *directSound = nullptr;
    if (outer)
        return DSERR_NOAGGREGATION;
    std::vector<AudioDeviceInfo> devices;
    if (!backend().audioDevices(devices))
        return DSERR_NODRIVER;
    std::string name; // empty: the default device
    if (device && !isNullGuid(*device)) {
        bool found = false;
        for (const AudioDeviceInfo& candidate : devices) {
            GUID guid = deviceGuid(candidate.name);
            if (std::memcmp(&guid, device, sizeof guid) == 0) {
                name = candidate.name;
                found = true;
                break;
            }
        }
        if (!found)
            return DSERR_INVALIDPARAM;
    }
    auto state = std::make_shared<DeviceState>();
    state->output = backend().openAudio(name, state->mixer);
    if (!state->output)
        return DSERR_NODRIVER;
    *directSound = new DirectSoundDevice(std::move(state));
    return DS_OK;
}
