// The sound device: enumeration, opening and closing, settings and volume.
#include "TDirectSound.h"

#include "TLumaBase.h"

#include <cmath>
#include <cstring>

namespace {

const char* const disableValue = "TDirectSound::dwDisable";
const char* const volumeValue = "TDirectSound::dwVolume";
const char* const deviceValue = "TDirectSound::guidDevice";
const char* const defaultDevice = "{00000000-0000-0000-0000-000000000000}";
const DWORD defaultVolume = 5;
const DWORD silent = 10000;

char* copyOf(const char* text) {
    const char* source = text ? text : "";
    char* copy = new char[std::strlen(source) + 1];
    std::strcpy(copy, source);
    return copy;
}

BOOL CALLBACK EnumerateDevice(LPGUID guid, LPCSTR description, LPCSTR module, LPVOID context) {
    TDirectSound* sound = static_cast<TDirectSound*>(context);
    sound->base->DebugOut("  Enumerating %s:\n", description);

    structDirectSoundDevice* device = new structDirectSoundDevice;
    std::memset(&device->guid, 0, sizeof device->guid);
    if (guid)
        device->guid = *guid;
    device->lpszDescription = copyOf(description);
    device->lpszModule = copyOf(module);
    device->next = 0;

    structDirectSoundDevice** last = &sound->deviceList;
    while (*last)
        last = &(*last)->next;
    *last = device;

    sound->base->DebugOut("  done.\n");
    return TRUE;
}

// A 32-bit number, or whether the value exists with another type. A value too long for
// four bytes exists all the same: it still counts as having the wrong type.
enum ValueFound { missing, number, otherType };

ValueFound queryNumber(HKEY key, const char* name, DWORD* value) {
    DWORD type = 0;
    DWORD size = sizeof(DWORD);
    LSTATUS result = RegQueryValueExA(key, name, 0, &type, reinterpret_cast<LPBYTE>(value), &size);
    if (result != ERROR_SUCCESS && result != ERROR_MORE_DATA)
        return missing;
    return type == REG_DWORD && result == ERROR_SUCCESS ? number : otherType;
}

} // namespace

TDirectSound::TDirectSound(TLumaBase* lumaBase) {
    base = lumaBase;
    lpDS = 0;
    deviceList = 0;
    dwDisable = 0;
    dwVolume = defaultVolume;
    std::memset(&guidDevice, 0, sizeof guidDevice);

    base->DebugOut("Initializing DirectSound:\n");
    DirectSoundEnumerateA(EnumerateDevice, this);
    LoadRegistry();
    Init();
    base->DebugOut("done.\n");
}

TDirectSound::~TDirectSound() {
    base->DebugOut("De-initializing DirectSound:\n");
    Exit();
    SaveRegistry();
    while (deviceList) {
        structDirectSoundDevice* next = deviceList->next;
        delete[] deviceList->lpszDescription;
        delete[] deviceList->lpszModule;
        delete deviceList;
        deviceList = next;
    }
    base->DebugOut("done.\n");
}

bool TDirectSound::LoadRegistry() {
    switch (queryNumber(base->hKey, disableValue, &dwDisable)) {
    case missing:
        dwDisable = 0;
        break;
    case otherType:
        dwDisable = 1;
        break;
    case number:
        break;
    }
    if (queryNumber(base->hKey, volumeValue, &dwVolume) != number)
        dwVolume = defaultVolume;

    str2GUID(defaultDevice, &guidDevice);
    // One byte more than is asked for keeps the text terminated whatever was stored.
    char text[128 + 1] = {};
    DWORD size = 128;
    if (RegQueryValueExA(base->hKey, deviceValue, 0, 0, reinterpret_cast<LPBYTE>(text), &size) ==
        ERROR_SUCCESS)
        str2GUID(text, &guidDevice);
    return true;
}

bool TDirectSound::SaveRegistry() {
    RegSetValueExA(base->hKey, disableValue, 0, REG_DWORD, reinterpret_cast<BYTE*>(&dwDisable),
                   sizeof(DWORD));
    RegSetValueExA(base->hKey, volumeValue, 0, REG_DWORD, reinterpret_cast<BYTE*>(&dwVolume),
                   sizeof(DWORD));
    char text[40];
    GUID2str(guidDevice, text);
    RegSetValueExA(base->hKey, deviceValue, 0, REG_SZ, reinterpret_cast<BYTE*>(text),
                   static_cast<DWORD>(std::strlen(text)));
    return true;
}

bool TDirectSound::Init() {
    if (dwDisable)
        return false;
    HRESULT result = DirectSoundCreate(&guidDevice, &lpDS, 0);
    if (result != DS_OK) {
        // Saved with the settings: sound stays off on later runs too.
        dwDisable = 1;
        return ErrorMessage(result, "ERROR: Unable to initialize DirectSound!");
    }
    lpDS->SetCooperativeLevel(base->hWnd, DSSCL_NORMAL);
    return true;
}

bool TDirectSound::Exit() {
    if (dwDisable)
        return true;
    base->DebugOut("  Waiting for DirectSound to stop playing...\n");
    while (isPlaying())
        Sleep(10);
    if (lpDS) {
        lpDS->Release();
        lpDS = 0;
    }
    base->DebugOut("done.\n");
    return true;
}

bool TDirectSound::isPlaying() { return false; }

// 50 dB of attenuation per decade below 100 %.
unsigned long TDirectSound::getVolume() {
    if (dwVolume == 0)
        return 100;
    return static_cast<unsigned long>(std::ceil(std::pow(10.0, (10000.0 - dwVolume) * 0.0001 * 2)));
}

void TDirectSound::setVolume(unsigned long percent) {
    if (percent > 100)
        dwVolume = 0;
    else if (percent == 0)
        dwVolume = silent;
    else
        dwVolume = silent - static_cast<DWORD>(10000 * (0.5 * std::log10(double(percent))));
}

bool TDirectSound::setDevice(GUID guid) {
    Exit();
    std::memcpy(&guidDevice, &guid, sizeof guidDevice);
    return Init();
}

void TDirectSound::Update() {}
