// A DirectDraw surface in memory, seen through both of its interfaces.
#pragma once

#include "display/pixel_format.h"
#include "display/pixel_plane.h"
#include "display/screen.h"

#include <ddraw.h>

#include <functional>
#include <memory>
#include <vector>

namespace luma {

class Surface final : public IDirectDrawSurface, public IDirectDrawSurface2 {
public:
    Surface(std::unique_ptr<PixelPlane> plane, PixelLayout layout, DWORD caps);
    ~Surface();

    // The front of a flipping chain owns its back buffers: they go when it goes.
    void attachBackBuffer(std::unique_ptr<Surface> backBuffer);
    // Called when the surface is destroyed (the display's record of its primary).
    void onDestroy(std::function<void()> action) { destroyed = std::move(action); }

    static Surface* of(IDirectDrawSurface* surface);
    static Surface* of(IDirectDrawSurface2* surface);

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // What both interfaces offer.
    HRESULT STDMETHODCALLTYPE Blt(LPRECT destRect, LPDIRECTDRAWSURFACE source, LPRECT sourceRect,
                                  DWORD flags, LPDDBLTFX fx) override;
    HRESULT STDMETHODCALLTYPE Blt(LPRECT destRect, LPDIRECTDRAWSURFACE2 source, LPRECT sourceRect,
                                  DWORD flags, LPDDBLTFX fx) override;
    HRESULT STDMETHODCALLTYPE Flip(LPDIRECTDRAWSURFACE target, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE Flip(LPDIRECTDRAWSURFACE2 target, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE GetAttachedSurface(LPDDSCAPS caps,
                                                 LPDIRECTDRAWSURFACE* surface) override;
    HRESULT STDMETHODCALLTYPE GetAttachedSurface(LPDDSCAPS caps,
                                                 LPDIRECTDRAWSURFACE2* surface) override;
    HRESULT STDMETHODCALLTYPE GetCaps(LPDDSCAPS caps) override;
    HRESULT STDMETHODCALLTYPE GetDC(HDC* dc) override;
    HRESULT STDMETHODCALLTYPE GetPixelFormat(LPDDPIXELFORMAT format) override;
    HRESULT STDMETHODCALLTYPE GetSurfaceDesc(LPDDSURFACEDESC desc) override;
    HRESULT STDMETHODCALLTYPE IsLost() override;
    HRESULT STDMETHODCALLTYPE Lock(LPRECT rect, LPDDSURFACEDESC desc, DWORD flags,
                                   HANDLE event) override;
    HRESULT STDMETHODCALLTYPE ReleaseDC(HDC dc) override;
    HRESULT STDMETHODCALLTYPE Restore() override;
    HRESULT STDMETHODCALLTYPE Unlock(LPVOID surfaceData) override;
    HRESULT STDMETHODCALLTYPE PageLock(DWORD flags) override;
    HRESULT STDMETHODCALLTYPE PageUnlock(DWORD flags) override;

    // Not offered: they answer DDERR_UNSUPPORTED (surface_unsupported.cpp).
    HRESULT STDMETHODCALLTYPE AddAttachedSurface(LPDIRECTDRAWSURFACE surface) override;
    HRESULT STDMETHODCALLTYPE AddAttachedSurface(LPDIRECTDRAWSURFACE2 surface) override;
    HRESULT STDMETHODCALLTYPE AddOverlayDirtyRect(LPRECT rect) override;
    HRESULT STDMETHODCALLTYPE BltBatch(LPDDBLTBATCH batch, DWORD count, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE BltFast(DWORD x, DWORD y, LPDIRECTDRAWSURFACE source,
                                      LPRECT sourceRect, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE BltFast(DWORD x, DWORD y, LPDIRECTDRAWSURFACE2 source,
                                      LPRECT sourceRect, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE DeleteAttachedSurface(DWORD flags,
                                                    LPDIRECTDRAWSURFACE surface) override;
    HRESULT STDMETHODCALLTYPE DeleteAttachedSurface(DWORD flags,
                                                    LPDIRECTDRAWSURFACE2 surface) override;
    HRESULT STDMETHODCALLTYPE EnumAttachedSurfaces(LPVOID context,
                                                   LPDDENUMSURFACESCALLBACK callback) override;
    HRESULT STDMETHODCALLTYPE EnumOverlayZOrders(DWORD flags, LPVOID context,
                                                 LPDDENUMSURFACESCALLBACK callback) override;
    HRESULT STDMETHODCALLTYPE GetBltStatus(DWORD flags) override;
    HRESULT STDMETHODCALLTYPE GetClipper(LPDIRECTDRAWCLIPPER* clipper) override;
    HRESULT STDMETHODCALLTYPE GetColorKey(DWORD flags, LPDDCOLORKEY key) override;
    HRESULT STDMETHODCALLTYPE GetFlipStatus(DWORD flags) override;
    HRESULT STDMETHODCALLTYPE GetOverlayPosition(LPLONG x, LPLONG y) override;
    HRESULT STDMETHODCALLTYPE GetPalette(LPDIRECTDRAWPALETTE* palette) override;
    HRESULT STDMETHODCALLTYPE Initialize(LPDIRECTDRAW directDraw, LPDDSURFACEDESC desc) override;
    HRESULT STDMETHODCALLTYPE SetClipper(LPDIRECTDRAWCLIPPER clipper) override;
    HRESULT STDMETHODCALLTYPE SetColorKey(DWORD flags, LPDDCOLORKEY key) override;
    HRESULT STDMETHODCALLTYPE SetOverlayPosition(LONG x, LONG y) override;
    HRESULT STDMETHODCALLTYPE SetPalette(LPDIRECTDRAWPALETTE palette) override;
    HRESULT STDMETHODCALLTYPE UpdateOverlay(LPRECT sourceRect, LPDIRECTDRAWSURFACE dest,
                                            LPRECT destRect, DWORD flags,
                                            LPDDOVERLAYFX fx) override;
    HRESULT STDMETHODCALLTYPE UpdateOverlay(LPRECT sourceRect, LPDIRECTDRAWSURFACE2 dest,
                                            LPRECT destRect, DWORD flags,
                                            LPDDOVERLAYFX fx) override;
    HRESULT STDMETHODCALLTYPE UpdateOverlayDisplay(DWORD flags) override;
    HRESULT STDMETHODCALLTYPE UpdateOverlayZOrder(DWORD flags,
                                                  LPDIRECTDRAWSURFACE reference) override;
    HRESULT STDMETHODCALLTYPE UpdateOverlayZOrder(DWORD flags,
                                                  LPDIRECTDRAWSURFACE2 reference) override;
    HRESULT STDMETHODCALLTYPE GetDDInterface(LPVOID* directDraw) override;

    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

private:
    bool busy() const { return locked || dc; }
    Page page() const;
    // Drawing on the visible surface shows at once, as on a real screen.
    void showChanges();
    void describe(DDSURFACEDESC& desc) const;
    HRESULT blit(LPRECT destRect, Surface* source, LPRECT sourceRect, DWORD flags, LPDDBLTFX fx);
    HRESULT flip(Surface* target);
    Surface* attached(LPDDSCAPS caps);

    ULONG references = 1;
    std::unique_ptr<PixelPlane> plane;
    PixelLayout layout;
    DWORD caps;
    bool locked = false;
    HDC dc = nullptr;
    std::vector<std::unique_ptr<Surface>> backBuffers; // the front's, in flipping order
    Surface* front = nullptr;                          // a back buffer's owner
    std::function<void()> destroyed;
};

} // namespace luma
