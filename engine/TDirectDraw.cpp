// The display device: enumeration, the registry value, opening and closing.
#include "TDirectDraw.h"

#include "TLumaBase.h"

#include <cstring>

namespace {

const char* const zeroGuidText = "{00000000-0000-0000-0000-000000000000}";
const char* const registryValue = "TDirectDraw::guidDevice";
const DWORD registryBufferSize = 128;

char* copyText(const char* text) {
    if (!text)
        text = "";
    char* copy = new char[std::strlen(text) + 1];
    std::strcpy(copy, text);
    return copy;
}

// Appends each device to the list, keeping the enumeration order.
BOOL CALLBACK EnumerateDevice(GUID* guid, LPSTR description, LPSTR name, LPVOID context) {
    TDirectDraw* display = static_cast<TDirectDraw*>(context);
    display->lpBase->DebugOut("  Enumerating %s:\n", description ? description : "");

    DeviceEntry* entry = new DeviceEntry;
    if (guid)
        entry->guid = *guid;
    else
        std::memset(&entry->guid, 0, sizeof entry->guid);
    entry->description = copyText(description);
    entry->name = copyText(name);
    entry->next = 0;

    if (!display->lpDevices) {
        display->lpDevices = entry;
    } else {
        DeviceEntry* last = display->lpDevices;
        while (last->next)
            last = last->next;
        last->next = entry;
    }

    display->lpBase->DebugOut("  done.\n");
    return TRUE;
}

// Green mask 0x07E0 is 5-6-5 (mode 2); any other is taken as 5-5-5 (mode 1).
void DetectGraphicsMode(TDirectDraw* display) {
    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    display->lpPrimary->GetSurfaceDesc(&desc);
    if (desc.ddpfPixelFormat.dwGBitMask == 0x07E0) {
        display->dwGraphicsMode = 2;
        display->wWhite = 0xFFFF;
    } else {
        display->dwGraphicsMode = 1;
        display->wWhite = 0x7FFF;
    }
}

// The primary surface as an IDirectDrawSurface2; full screen, with one back buffer attached.
HRESULT CreatePrimary(TDirectDraw* display, bool withBackBuffer, const char*& failure) {
    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    if (withBackBuffer) {
        desc.dwFlags |= DDSD_BACKBUFFERCOUNT;
        desc.dwBackBufferCount = 1;
        desc.ddsCaps.dwCaps |= DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    }
    LPDIRECTDRAWSURFACE surface = 0;
    HRESULT result = display->lpDD->CreateSurface(&desc, &surface, 0);
    if (result != DD_OK) {
        failure = "Unable to create primary surface!";
        return result;
    }
    result = surface->QueryInterface(IID_IDirectDrawSurface2,
                                     reinterpret_cast<void**>(&display->lpPrimary));
    surface->Release();
    if (result != DD_OK)
        failure = "Unable to query interface of primary surface!";
    return result;
}

HRESULT TakeBackBuffer(TDirectDraw* display, const char*& failure) {
    DDSCAPS caps;
    caps.dwCaps = DDSCAPS_BACKBUFFER;
    LPDIRECTDRAWSURFACE2 attached = 0;
    HRESULT result = display->lpPrimary->GetAttachedSurface(&caps, &attached);
    if (result != DD_OK) {
        failure = "Unable to get back surface!";
        return result;
    }
    result = attached->QueryInterface(IID_IDirectDrawSurface2,
                                      reinterpret_cast<void**>(&display->lpBack));
    attached->Release();
    if (result != DD_OK)
        failure = "Unable to query interface of back surface!";
    return result;
}

// Opens the display in order; the first step that fails names itself in `failure`.
HRESULT OpenDisplay(TDirectDraw* display, const char*& failure) {
    bool fullscreen = display->dwFullscreen == 1;
    HRESULT result = DirectDrawCreate(&display->guidDevice, &display->lpDD, 0);
    if (result != DD_OK) {
        failure = "Unable to initialize DirectDraw(tm)!";
        return result;
    }
    result = display->lpDD->SetCooperativeLevel(
        display->hWnd, fullscreen ? DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE : DDSCL_NORMAL);
    if (result != DD_OK) {
        failure = "Unable to set cooperative level of DirectDraw(tm)!";
        return result;
    }
    if (fullscreen && (result = display->lpDD->SetDisplayMode(640, 480, 16)) != DD_OK) {
        failure = "Unable to set display mode!";
        return result;
    }
    result = CreatePrimary(display, fullscreen, failure);
    if (result != DD_OK)
        return result;
    // A window's pixels have the screen's layout too; drawing code needs to know it.
    DetectGraphicsMode(display);
    return fullscreen ? TakeBackBuffer(display, failure) : DD_OK;
}

} // namespace

TDirectDraw::TDirectDraw(TLumaBase* base, DWORD fullscreen) {
    lpBase = base;
    hWnd = base->hWnd;
    dwFullscreen = fullscreen;
    lpPrimary = 0;
    lpBack = 0;
    lpDD = 0;
    dwGraphicsMode = 0;
    wWhite = 0;
    std::memset(&guidDevice, 0, sizeof guidDevice);

    lpBase->DebugOut("Initializing DirectDraw:\n");
    lpDevices = 0;
    DirectDrawEnumerateA(EnumerateDevice, this);
    LoadRegistry();
    Init();
    lpBase->DebugOut("done.\n");
}

TDirectDraw::~TDirectDraw() {
    lpBase->DebugOut("De-initializing DirectDraw:\n");
    Exit();
    SaveRegistry();
    while (lpDevices) {
        DeviceEntry* next = lpDevices->next;
        delete[] lpDevices->description;
        delete[] lpDevices->name;
        delete lpDevices;
        lpDevices = next;
    }
    lpBase->DebugOut("done.\n");
}

void TDirectDraw::LoadRegistry() {
    str2GUID(zeroGuidText, &guidDevice);
    char text[registryBufferSize];
    DWORD size = registryBufferSize;
    if (RegQueryValueExA(lpBase->hKey, registryValue, 0, 0, reinterpret_cast<BYTE*>(text), &size) !=
        ERROR_SUCCESS)
        return;
    // A stored value need not end in a terminator: never read past what was read.
    text[size < registryBufferSize ? size : registryBufferSize - 1] = '\0';
    str2GUID(text, &guidDevice);
}

void TDirectDraw::SaveRegistry() {
    char text[registryBufferSize];
    GUID2str(guidDevice, text);
    RegSetValueExA(lpBase->hKey, registryValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                   static_cast<DWORD>(std::strlen(text)));
}

int TDirectDraw::Init() {
    lpDD = 0;
    lpPrimary = 0;
    lpBack = 0;
    const char* failure = 0;
    HRESULT result = OpenDisplay(this, failure);
    return result == DD_OK ? 1 : ErrorMessage(result, failure);
}

int TDirectDraw::Exit() {
    lpBase->DebugOut("  Releasing DirectDraw interfaces:\n");
    if (lpPrimary) {
        lpPrimary->Release();
        lpPrimary = 0;
    }
    if (lpDD) {
        lpDD->Release();
        lpDD = 0;
    }
    lpBase->DebugOut("  done.\n");
    return 1;
}

void TDirectDraw::setDevice(GUID guid) {
    Exit();
    guidDevice = guid;
    Init();
}

int TDirectDraw::RestoreAll() { return 0; }
