// IDirectSoundBuffer: a secondary buffer whose memory the program locks and writes while
// the device plays it.
#pragma once

#include "sound/device_state.h"

#include <dsound.h>

namespace luma {

class SoundBuffer final : public IDirectSoundBuffer {
public:
    SoundBuffer(std::shared_ptr<DeviceState> device, std::shared_ptr<SoundData> data, DWORD flags,
                bool duplicate);
    ~SoundBuffer();

    // A second buffer on the same data, stopped at its start, with this one's settings.
    SoundBuffer* duplicate();
    const DeviceState* owner() const { return device.get(); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetCaps(LPDSBCAPS caps) override;
    HRESULT STDMETHODCALLTYPE GetCurrentPosition(LPDWORD playCursor, LPDWORD writeCursor) override;
    HRESULT STDMETHODCALLTYPE GetFormat(LPWAVEFORMATEX format, DWORD size,
                                        LPDWORD written) override;
    HRESULT STDMETHODCALLTYPE GetVolume(LPLONG volume) override;
    HRESULT STDMETHODCALLTYPE GetPan(LPLONG pan) override;
    HRESULT STDMETHODCALLTYPE GetFrequency(LPDWORD frequency) override;
    HRESULT STDMETHODCALLTYPE GetStatus(LPDWORD status) override;
    HRESULT STDMETHODCALLTYPE Initialize(LPDIRECTSOUND device,
                                         LPCDSBUFFERDESC description) override;
    HRESULT STDMETHODCALLTYPE Lock(DWORD offset, DWORD bytes, LPVOID* region1, LPDWORD length1,
                                   LPVOID* region2, LPDWORD length2, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE Play(DWORD reserved, DWORD priority, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE SetCurrentPosition(DWORD position) override;
    HRESULT STDMETHODCALLTYPE SetFormat(LPCWAVEFORMATEX format) override;
    HRESULT STDMETHODCALLTYPE SetVolume(LONG volume) override;
    HRESULT STDMETHODCALLTYPE SetPan(LONG pan) override;
    HRESULT STDMETHODCALLTYPE SetFrequency(DWORD frequency) override;
    HRESULT STDMETHODCALLTYPE Stop() override;
    HRESULT STDMETHODCALLTYPE Unlock(LPVOID region1, DWORD length1, LPVOID region2,
                                     DWORD length2) override;
    HRESULT STDMETHODCALLTYPE Restore() override;

    // How far the write cursor runs ahead of the play cursor while the buffer plays: 1/25 s,
    // or up to where the device's mixer has read when the device holds more than that, so
    // that the program never writes where the audio thread is still reading.
    static constexpr DWORD writeLeadPerSecond = 25;

private:
    DWORD playByte() const;
    bool holds(LPVOID region, DWORD length) const;

    std::shared_ptr<DeviceState> device;
    std::shared_ptr<SoundData> data;
    DWORD flags;
    bool isDuplicate;
    ULONG references = 1;
    LONG volume = 0;
    LONG pan = 0;
    Voice voice;
};

} // namespace luma
