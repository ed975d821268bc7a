// ddraw's entry points: the display devices and the DirectDraw object of one.
#include "core/platform.h"
#include "display/direct_draw.h"
#include "display/display_settings.h"
#include "display/screen.h"

#include <cstring>
#include <string>
#include <vector>

using namespace luma;

LUMA_API const IID IID_IUnknown = {
    0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
LUMA_API const IID IID_IDirectDraw = {
    0x6C14DB80, 0xA733, 0x11CE, {0xA5, 0x21, 0x00, 0x20, 0xAF, 0x0B, 0xE5, 0x60}};
LUMA_API const IID IID_IDirectDrawSurface = {
    0x6C14DB81, 0xA733, 0x11CE, {0xA5, 0x21, 0x00, 0x20, 0xAF, 0x0B, 0xE5, 0x60}};
LUMA_API const IID IID_IDirectDrawSurface2 = {
    0x57805885, 0x6EEC, 0x11CF, {0x94, 0x41, 0xA8, 0x23, 0x03, 0xC1, 0x0E, 0x27}};

namespace {

struct DisplayDevice {
    GUID guid;
    std::string description;
    std::string driverName;
};

// FNV-1a over the text, from a given start: the same text always gives the same value.
uint64_t hashText(const std::string& text, uint64_t start) {
    uint64_t hash = start;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 0x100000001B3ull;
    }
    return hash;
}

// A display's GUID comes from its position and name, so it stays the same from run
// to run while the displays do. Marked as a name-based GUID (version 5, RFC 4122).
GUID guidOfDisplay(int index, const std::string& name) {
    std::string key = "LumaPlatform display " + std::to_string(index) + ": " + name;
    uint64_t high = hashText(key, 0xCBF29CE484222325ull);
    uint64_t low = hashText(key, 0x84222325CBF29CE4ull);
    GUID guid;
    guid.Data1 = static_cast<uint32_t>(high >> 32);
    guid.Data2 = static_cast<uint16_t>(high >> 16);
    guid.Data3 = static_cast<uint16_t>((high & 0x0FFF) | 0x5000);
    for (int i = 0; i < 8; ++i)
        guid.Data4[i] = static_cast<uint8_t>(low >> (56 - 8 * i));
    guid.Data4[0] = static_cast<uint8_t>((guid.Data4[0] & 0x3F) | 0x80);
    return guid;
}

std::vector<DisplayDevice> displayDevices() {
    std::vector<DisplayDevice> devices;
    std::vector<std::string> names = backend().screen().displayNames();
    for (size_t i = 0; i < names.size(); ++i) {
        int index = static_cast<int>(i);
        devices.push_back({guidOfDisplay(index, names[i]), names[i],
                           "\\\\.\\DISPLAY" + std::to_string(index + 1)});
    }
    return devices;
}

bool isZero(const GUID& guid) {
    static const GUID zero{};
    return std::memcmp(&guid, &zero, sizeof guid) == 0;
}

// NULL, the two special values and the zero GUID all name the primary display.
bool namesPrimary(const GUID* guid) {
    uintptr_t value = reinterpret_cast<uintptr_t>(guid);
    return value == 0 || value == DDCREATE_HARDWAREONLY || value == DDCREATE_EMULATIONONLY ||
           isZero(*guid);
}

} // namespace

LUMA_API HRESULT WINAPI DirectDrawEnumerateA(LPDDENUMCALLBACKA callback, LPVOID context) {
    if (!callback)
        return DDERR_INVALIDPARAMS;
    char primaryDescription[] = "Primary Display Driver";
    char primaryName[] = "display";
    if (!callback(nullptr, primaryDescription, primaryName, context))
        return DD_OK;
    for (DisplayDevice& device : displayDevices()) {
        std::vector<char> description(device.description.begin(), device.description.end());
        std::vector<char> name(device.driverName.begin(), device.driverName.end());
        description.push_back('\0');
        name.push_back('\0');
        if (!callback(&device.guid, description.data(), name.data(), context))
            break;
    }
    return DD_OK;
}

LUMA_API HRESULT WINAPI DirectDrawCreate(GUID* guid, LPDIRECTDRAW* directDraw, IUnknown* outer) {
    if (!directDraw)
        return DDERR_INVALIDPARAMS;
    *directDraw = nullptr;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    std::string problem;
    if (!backend().ready(problem))
        return DDERR_NODIRECTDRAWHW;
    if (!namesPrimary(guid)) {
        bool known = false;
        for (const DisplayDevice& device : displayDevices())
            known = known || std::memcmp(&device.guid, guid, sizeof(GUID)) == 0;
        if (!known)
            return DDERR_INVALIDDIRECTDRAWGUID;
    }
    *directDraw = new DirectDraw(chosenPixelLayout());
    return DD_OK;
}
