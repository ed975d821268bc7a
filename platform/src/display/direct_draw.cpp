#include "display/direct_draw.h"

#include "core/platform.h"
#include "display/screen.h"
#include "display/surface.h"
#include "windows/window_manager.h"

namespace luma {

namespace {

// The one display mode offered: what the programs ask for.
constexpr int modeWidth = 640;
constexpr int modeHeight = 480;
constexpr int modeBits = 16;
constexpr DWORD longestChain = 3;

constexpr DWORD capsOffered = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX |
                              DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY | DDSCAPS_VIDEOMEMORY |
                              DDSCAPS_LOCALVIDMEM;
constexpr DWORD inVideoMemory = DDSCAPS_VIDEOMEMORY | DDSCAPS_LOCALVIDMEM;

// The screen belongs to one DirectDraw object at a time.
DirectDraw* exclusiveOwner = nullptr;

bool sameFormat(const DDPIXELFORMAT& wanted, PixelLayout layout) {
    DDPIXELFORMAT own;
    describePixelFormat(layout, own);
    return (wanted.dwFlags & DDPF_RGB) && wanted.dwRGBBitCount == own.dwRGBBitCount &&
           wanted.dwRBitMask == own.dwRBitMask && wanted.dwGBitMask == own.dwGBitMask &&
           wanted.dwBBitMask == own.dwBBitMask;
}

} // namespace

DirectDraw::DirectDraw(PixelLayout layout) : layout(layout) {}

DirectDraw::~DirectDraw() {
    if (exclusiveOwner == this)
        exclusiveOwner = nullptr;
    // Surfaces may outlive the object; the primary only forgets whom to tell.
    if (primary)
        primary->onDestroy(nullptr);
}

HRESULT DirectDraw::QueryInterface(REFIID riid, void** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (riid != IID_IUnknown && riid != IID_IDirectDraw)
        return E_NOINTERFACE;
    *object = static_cast<IDirectDraw*>(this);
    AddRef();
    return S_OK;
}

ULONG DirectDraw::AddRef() { return ++references; }

// The last release gives the screen, its mode and the exclusive access back.
ULONG DirectDraw::Release() {
    if (references == 0)
        return 0;
    ULONG left = --references;
    if (left == 0)
        delete this;
    return left;
}

bool DirectDraw::exclusive() const { return exclusiveOwner == this; }

void DirectDraw::screenSize(int& width, int& height) const {
    width = modeWidth;
    height = modeHeight;
    if (modeSet)
        return;
    int desktopWidth = 0, desktopHeight = 0;
    backend().screenSize(desktopWidth, desktopHeight);
    if (desktopWidth > 0 && desktopHeight > 0) {
        width = desktopWidth;
        height = desktopHeight;
    }
}

HRESULT DirectDraw::SetCooperativeLevel(HWND window, DWORD flags) {
    DWORD level = flags & (DDSCL_NORMAL | DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE);
    if (level == (DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE)) {
        Window* shown = windowManager().find(window);
        if (!shown || !shown->topLevel())
            return DDERR_INVALIDPARAMS;
        if (exclusiveOwner && exclusiveOwner != this)
            return DDERR_EXCLUSIVEMODEALREADYSET;
        exclusiveOwner = this;
    } else if (level == DDSCL_NORMAL) {
        if (exclusive())
            exclusiveOwner = nullptr;
        modeSet = false;
    } else {
        return DDERR_INVALIDPARAMS;
    }
    cooperativeLevel = level;
    return DD_OK;
}

HRESULT DirectDraw::SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel) {
    if (!cooperativeLevel)
        return DDERR_NOCOOPERATIVELEVELSET;
    if (!exclusive())
        return DDERR_NOEXCLUSIVEMODE;
    if (width != modeWidth || height != modeHeight || bitsPerPixel != modeBits)
        return DDERR_UNSUPPORTEDMODE;
    modeSet = true;
    return DD_OK;
}

HRESULT DirectDraw::RestoreDisplayMode() {
    modeSet = false;
    return DD_OK;
}

HRESULT DirectDraw::GetDisplayMode(LPDDSURFACEDESC desc) {
    if (!desc || desc->dwSize != sizeof(DDSURFACEDESC))
        return DDERR_INVALIDPARAMS;
    int width = 0, height = 0;
    screenSize(width, height);
    *desc = DDSURFACEDESC{};
    desc->dwSize = sizeof(DDSURFACEDESC);
    desc->dwFlags = DDSD_HEIGHT | DDSD_WIDTH | DDSD_PITCH | DDSD_PIXELFORMAT;
    desc->dwWidth = static_cast<DWORD>(width);
    desc->dwHeight = static_cast<DWORD>(height);
    desc->lPitch = width * 2;
    describePixelFormat(layout, desc->ddpfPixelFormat);
    return DD_OK;
}

HRESULT DirectDraw::CreateSurface(LPDDSURFACEDESC desc, LPDIRECTDRAWSURFACE* surface,
                                  IUnknown* outer) {
    if (outer)
        return CLASS_E_NOAGGREGATION;
    if (!desc || !surface || desc->dwSize != sizeof(DDSURFACEDESC))
        return DDERR_INVALIDPARAMS;
    *surface = nullptr;
    if (!cooperativeLevel)
        return DDERR_NOCOOPERATIVELEVELSET;
    DWORD caps = (desc->dwFlags & DDSD_CAPS) ? desc->ddsCaps.dwCaps : 0;
    if (caps & ~capsOffered)
        return DDERR_INVALIDCAPS;
    if (caps & DDSCAPS_PRIMARYSURFACE)
        return createPrimary(*desc, surface);
    return createOffscreen(*desc, surface);
}

HRESULT DirectDraw::createPrimary(const DDSURFACEDESC& desc, LPDIRECTDRAWSURFACE* surface) {
    DWORD caps = desc.ddsCaps.dwCaps;
    if (primary)
        return DDERR_PRIMARYSURFACEALREADYEXISTS;
    if (desc.dwFlags & (DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT))
        return DDERR_INVALIDPARAMS;
    bool chain = caps & DDSCAPS_FLIP;
    DWORD backCount = (desc.dwFlags & DDSD_BACKBUFFERCOUNT) ? desc.dwBackBufferCount : 0;
    if (chain != ((caps & DDSCAPS_COMPLEX) != 0) || chain != (backCount > 0) ||
        (caps & (DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY)))
        return DDERR_INVALIDCAPS;
    if (chain && !exclusive())
        return DDERR_NOEXCLUSIVEMODE;
    if (backCount > longestChain)
        return DDERR_INVALIDPARAMS;

    int width = 0, height = 0;
    screenSize(width, height);
    int padding = backend().screen().rowPadding();
    auto plane = PixelPlane::make(width, height, padding);
    if (!plane)
        return DDERR_OUTOFVIDEOMEMORY;
    DWORD frontCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_VISIBLE | inVideoMemory |
                      (chain ? DDSCAPS_FRONTBUFFER | DDSCAPS_FLIP | DDSCAPS_COMPLEX : 0);
    auto front = std::make_unique<Surface>(std::move(plane), layout, frontCaps);
    for (DWORD i = 0; i < backCount; ++i) {
        auto backPlane = PixelPlane::make(width, height, padding);
        if (!backPlane)
            return DDERR_OUTOFVIDEOMEMORY;
        front->attachBackBuffer(std::make_unique<Surface>(std::move(backPlane), layout,
                                                          DDSCAPS_BACKBUFFER | DDSCAPS_FLIP |
                                                              DDSCAPS_COMPLEX | inVideoMemory));
    }
    primary = front.get();
    front->onDestroy([this]() { primary = nullptr; });
    *surface = front.release();
    return DD_OK;
}

HRESULT DirectDraw::createOffscreen(const DDSURFACEDESC& desc, LPDIRECTDRAWSURFACE* surface) {
    DWORD caps = desc.ddsCaps.dwCaps;
    if ((desc.dwFlags & (DDSD_WIDTH | DDSD_HEIGHT)) != (DDSD_WIDTH | DDSD_HEIGHT))
        return DDERR_INVALIDPARAMS;
    if ((caps & (DDSCAPS_FLIP | DDSCAPS_COMPLEX)) ||
        ((caps & DDSCAPS_SYSTEMMEMORY) && (caps & DDSCAPS_VIDEOMEMORY)))
        return DDERR_INVALIDCAPS;
    if ((desc.dwFlags & DDSD_PIXELFORMAT) && !sameFormat(desc.ddpfPixelFormat, layout))
        return DDERR_INVALIDPIXELFORMAT;
    if (desc.dwWidth == 0 || desc.dwHeight == 0 || desc.dwWidth > 0x7FFFFFFF ||
        desc.dwHeight > 0x7FFFFFFF)
        return DDERR_INVALIDPARAMS;
    auto plane = PixelPlane::make(static_cast<int>(desc.dwWidth), static_cast<int>(desc.dwHeight),
                                  backend().screen().rowPadding());
    if (!plane)
        return DDERR_OUTOFMEMORY;
    DWORD memory = (caps & DDSCAPS_SYSTEMMEMORY) ? DDSCAPS_SYSTEMMEMORY : inVideoMemory;
    DWORD surfaceCaps = (caps & ~inVideoMemory) | DDSCAPS_OFFSCREENPLAIN | memory;
    *surface = new Surface(std::move(plane), layout, surfaceCaps);
    return DD_OK;
}

HRESULT DirectDraw::WaitForVerticalBlank(DWORD flags, HANDLE) {
    if (flags != DDWAITVB_BLOCKBEGIN && flags != DDWAITVB_BLOCKEND)
        return DDERR_UNSUPPORTED;
    backend().screen().waitForVerticalBlank();
    return DD_OK;
}

HRESULT DirectDraw::Initialize(GUID*) { return DDERR_ALREADYINITIALIZED; }

HRESULT DirectDraw::Compact() { return DDERR_UNSUPPORTED; }
HRESULT DirectDraw::CreateClipper(DWORD, LPDIRECTDRAWCLIPPER*, IUnknown*) {
    return DDERR_UNSUPPORTED;
}
HRESULT DirectDraw::CreatePalette(DWORD, LPPALETTEENTRY, LPDIRECTDRAWPALETTE*, IUnknown*) {
    return DDERR_UNSUPPORTED;
}
HRESULT DirectDraw::DuplicateSurface(LPDIRECTDRAWSURFACE, LPDIRECTDRAWSURFACE*) {
    return DDERR_UNSUPPORTED;
}
HRESULT DirectDraw::EnumDisplayModes(DWORD, LPDDSURFACEDESC, LPVOID, LPDDENUMMODESCALLBACK) {
    return DDERR_UNSUPPORTED;
}
HRESULT DirectDraw::EnumSurfaces(DWORD, LPDDSURFACEDESC, LPVOID, LPDDENUMSURFACESCALLBACK) {
    return DDERR_UNSUPPORTED;
}
HRESULT DirectDraw::FlipToGDISurface() { return DDERR_UNSUPPORTED; }
HRESULT DirectDraw::GetCaps(LPDDCAPS, LPDDCAPS) { return DDERR_UNSUPPORTED; }
HRESULT DirectDraw::GetFourCCCodes(LPDWORD, LPDWORD) { return DDERR_UNSUPPORTED; }
HRESULT DirectDraw::GetGDISurface(LPDIRECTDRAWSURFACE*) { return DDERR_UNSUPPORTED; }
HRESULT DirectDraw::GetMonitorFrequency(LPDWORD) { return DDERR_UNSUPPORTED; }
HRESULT DirectDraw::GetScanLine(LPDWORD) { return DDERR_UNSUPPORTED; }
HRESULT DirectDraw::GetVerticalBlankStatus(LPBOOL) { return DDERR_UNSUPPORTED; }

} // namespace luma
