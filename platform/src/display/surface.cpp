#include "display/surface.h"

#include "core/platform.h"
#include "gdi/device_context.h"

#include <algorithm>

namespace luma {

namespace {

constexpr DWORD bltFlagsOffered = DDBLT_WAIT | DDBLT_ASYNC | DDBLT_COLORFILL;

RECT wholeOf(const PixelPlane& plane) { return RECT{0, 0, plane.width(), plane.height()}; }

} // namespace

Surface::Surface(std::unique_ptr<PixelPlane> plane, PixelLayout layout, DWORD caps)
    : plane(std::move(plane)), layout(layout), caps(caps) {}

Surface::~Surface() {
    if (dc)
        removeDeviceContext(dc);
    if (destroyed)
        destroyed();
}

void Surface::attachBackBuffer(std::unique_ptr<Surface> backBuffer) {
    backBuffer->front = this;
    backBuffers.push_back(std::move(backBuffer));
}

Surface* Surface::of(IDirectDrawSurface* surface) { return static_cast<Surface*>(surface); }
Surface* Surface::of(IDirectDrawSurface2* surface) { return static_cast<Surface*>(surface); }

HRESULT Surface::QueryInterface(REFIID riid, void** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (riid == IID_IUnknown || riid == IID_IDirectDrawSurface)
        *object = static_cast<IDirectDrawSurface*>(this);
    else if (riid == IID_IDirectDrawSurface2)
        *object = static_cast<IDirectDrawSurface2*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG Surface::AddRef() { return ++references; }

// A back buffer lives as long as its chain, whatever its own count says.
ULONG Surface::Release() {
    if (references == 0)
        return 0;
    ULONG left = --references;
    if (left == 0 && !front)
        delete this;
    return left;
}

void Surface::describe(DDSURFACEDESC& desc) const {
    desc = DDSURFACEDESC{};
    desc.dwSize = sizeof(DDSURFACEDESC);
    desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PITCH | DDSD_PIXELFORMAT;
    desc.dwWidth = static_cast<DWORD>(plane->width());
    desc.dwHeight = static_cast<DWORD>(plane->height());
    desc.lPitch = plane->pitch();
    if (!backBuffers.empty()) {
        desc.dwFlags |= DDSD_BACKBUFFERCOUNT;
        desc.dwBackBufferCount = static_cast<DWORD>(backBuffers.size());
    }
    describePixelFormat(layout, desc.ddpfPixelFormat);
    desc.ddsCaps.dwCaps = caps;
}

HRESULT Surface::GetSurfaceDesc(LPDDSURFACEDESC desc) {
    if (!desc || desc->dwSize != sizeof(DDSURFACEDESC))
        return DDERR_INVALIDPARAMS;
    describe(*desc);
    return DD_OK;
}

HRESULT Surface::GetCaps(LPDDSCAPS surfaceCaps) {
    if (!surfaceCaps)
        return DDERR_INVALIDPARAMS;
    surfaceCaps->dwCaps = caps;
    return DD_OK;
}

HRESULT Surface::GetPixelFormat(LPDDPIXELFORMAT format) {
    if (!format)
        return DDERR_INVALIDPARAMS;
    describePixelFormat(layout, *format);
    return DD_OK;
}

HRESULT Surface::Lock(LPRECT rect, LPDDSURFACEDESC desc, DWORD, HANDLE) {
    if (!desc || desc->dwSize != sizeof(DDSURFACEDESC))
        return DDERR_INVALIDPARAMS;
    RECT area = rect ? *rect : wholeOf(*plane);
    if (!plane->holds(area))
        return DDERR_INVALIDRECT;
    if (busy())
        return DDERR_SURFACEBUSY;
    describe(*desc);
    desc->dwFlags |= DDSD_LPSURFACE;
    desc->lpSurface = plane->at(area.left, area.top);
    locked = true;
    return DD_OK;
}

HRESULT Surface::Unlock(LPVOID) {
    if (!locked)
        return DDERR_NOTLOCKED;
    locked = false;
    showChanges();
    return DD_OK;
}

Page Surface::page() const {
    Page shown;
    shown.pixels = plane->row(0);
    shown.width = plane->width();
    shown.height = plane->height();
    shown.pitch = plane->pitch();
    shown.layout = layout;
    return shown;
}

void Surface::showChanges() {
    if (caps & DDSCAPS_PRIMARYSURFACE)
        backend().screen().update(page());
}

HRESULT Surface::Blt(LPRECT destRect, LPDIRECTDRAWSURFACE source, LPRECT sourceRect, DWORD flags,
                     LPDDBLTFX fx) {
    return blit(destRect, source ? Surface::of(source) : nullptr, sourceRect, flags, fx);
}

HRESULT Surface::Blt(LPRECT destRect, LPDIRECTDRAWSURFACE2 source, LPRECT sourceRect, DWORD flags,
                     LPDDBLTFX fx) {
    return blit(destRect, source ? Surface::of(source) : nullptr, sourceRect, flags, fx);
}

// Rectangles must lie inside their surfaces: without a clipper DirectDraw refuses
// anything else rather than writing outside.
HRESULT Surface::blit(LPRECT destRect, Surface* source, LPRECT sourceRect, DWORD flags,
                      LPDDBLTFX fx) {
    if (flags & ~bltFlagsOffered)
        return DDERR_UNSUPPORTED;
    RECT target = destRect ? *destRect : wholeOf(*plane);
    if (!plane->holds(target))
        return DDERR_INVALIDRECT;
    if (flags & DDBLT_COLORFILL) {
        if (!fx || fx->dwSize != sizeof(DDBLTFX))
            return DDERR_INVALIDPARAMS;
        if (busy())
            return DDERR_SURFACEBUSY;
        fillRect(*plane, target, static_cast<uint16_t>(fx->dwFillColor));
        showChanges();
        return DD_OK;
    }
    if (!source)
        return DDERR_INVALIDPARAMS;
    RECT from = sourceRect ? *sourceRect : wholeOf(*source->plane);
    if (!source->plane->holds(from))
        return DDERR_INVALIDRECT;
    if (busy() || source->busy())
        return DDERR_SURFACEBUSY;
    bool sameSize = target.right - target.left == from.right - from.left &&
                    target.bottom - target.top == from.bottom - from.top;
    if (sameSize)
        copyRect(*plane, target, *source->plane, from);
    else
        stretchRect(*plane, target, *source->plane, from);
    showChanges();
    return DD_OK;
}

HRESULT Surface::Flip(LPDIRECTDRAWSURFACE target, DWORD) {
    return flip(target ? Surface::of(target) : nullptr);
}

HRESULT Surface::Flip(LPDIRECTDRAWSURFACE2 target, DWORD) {
    return flip(target ? Surface::of(target) : nullptr);
}

// The chain exchanges the memory behind its interfaces: the first back buffer's page
// is shown, and the shown page becomes the last back buffer.
HRESULT Surface::flip(Surface* target) {
    if (backBuffers.empty())
        return DDERR_NOTFLIPPABLE;
    if (target && target != backBuffers.front().get())
        return DDERR_INVALIDPARAMS;
    if (busy() || std::any_of(backBuffers.begin(), backBuffers.end(),
                              [](const std::unique_ptr<Surface>& back) { return back->busy(); }))
        return DDERR_SURFACEBUSY;
    std::unique_ptr<PixelPlane> shown = std::move(plane);
    plane = std::move(backBuffers.front()->plane);
    for (size_t i = 0; i + 1 < backBuffers.size(); ++i)
        backBuffers[i]->plane = std::move(backBuffers[i + 1]->plane);
    backBuffers.back()->plane = std::move(shown);

    backend().screen().present(page());
    return DD_OK;
}

Surface* Surface::attached(LPDDSCAPS wanted) {
    if (!wanted || !(wanted->dwCaps & DDSCAPS_BACKBUFFER))
        return nullptr;
    if (!backBuffers.empty())
        return backBuffers.front().get();
    // A back buffer's next one in a longer chain.
    if (front) {
        auto& chain = front->backBuffers;
        for (size_t i = 0; i + 1 < chain.size(); ++i)
            if (chain[i].get() == this)
                return chain[i + 1].get();
    }
    return nullptr;
}

HRESULT Surface::GetAttachedSurface(LPDDSCAPS wanted, LPDIRECTDRAWSURFACE* surface) {
    if (!surface)
        return DDERR_INVALIDPARAMS;
    Surface* found = attached(wanted);
    *surface = found;
    if (!found)
        return DDERR_NOTFOUND;
    found->AddRef();
    return DD_OK;
}

HRESULT Surface::GetAttachedSurface(LPDDSCAPS wanted, LPDIRECTDRAWSURFACE2* surface) {
    if (!surface)
        return DDERR_INVALIDPARAMS;
    Surface* found = attached(wanted);
    *surface = found;
    if (!found)
        return DDERR_NOTFOUND;
    found->AddRef();
    return DD_OK;
}

// The DC draws straight into the surface's pixels; like a lock, it keeps the surface
// busy until it is given back.
HRESULT Surface::GetDC(HDC* context) {
    if (!context)
        return DDERR_INVALIDPARAMS;
    if (dc)
        return DDERR_DCALREADYCREATED;
    if (locked)
        return DDERR_SURFACEBUSY;
    dc = addDeviceContext(DeviceContext::forSurface(*plane, layout));
    *context = dc;
    return DD_OK;
}

HRESULT Surface::ReleaseDC(HDC context) {
    if (!dc || context != dc)
        return DDERR_INVALIDPARAMS;
    removeDeviceContext(dc);
    dc = nullptr;
    showChanges();
    return DD_OK;
}

// Memory surfaces are never lost.
HRESULT Surface::IsLost() { return DD_OK; }
HRESULT Surface::Restore() { return DD_OK; }
HRESULT Surface::PageLock(DWORD) { return DD_OK; }
HRESULT Surface::PageUnlock(DWORD) { return DD_OK; }

} // namespace luma
