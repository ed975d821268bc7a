// The surface operations this display does not offer: overlays, clippers, palettes,
// colour keys, batched and fast blits, attaching surfaces by hand.
#include "display/surface.h"

namespace luma {

HRESULT Surface::AddAttachedSurface(LPDIRECTDRAWSURFACE) { return DDERR_UNSUPPORTED; }
HRESULT Surface::AddAttachedSurface(LPDIRECTDRAWSURFACE2) { return DDERR_UNSUPPORTED; }
HRESULT Surface::AddOverlayDirtyRect(LPRECT) { return DDERR_UNSUPPORTED; }
HRESULT Surface::BltBatch(LPDDBLTBATCH, DWORD, DWORD) { return DDERR_UNSUPPORTED; }
HRESULT Surface::BltFast(DWORD, DWORD, LPDIRECTDRAWSURFACE, LPRECT, DWORD) {
    return DDERR_UNSUPPORTED;
}
HRESULT Surface::BltFast(DWORD, DWORD, LPDIRECTDRAWSURFACE2, LPRECT, DWORD) {
    return DDERR_UNSUPPORTED;
}
HRESULT Surface::DeleteAttachedSurface(DWORD, LPDIRECTDRAWSURFACE) { return DDERR_UNSUPPORTED; }
HRESULT Surface::DeleteAttachedSurface(DWORD, LPDIRECTDRAWSURFACE2) { return DDERR_UNSUPPORTED; }
HRESULT Surface::EnumAttachedSurfaces(LPVOID, LPDDENUMSURFACESCALLBACK) {
    return DDERR_UNSUPPORTED;
}
HRESULT Surface::EnumOverlayZOrders(DWORD, LPVOID, LPDDENUMSURFACESCALLBACK) {
    return DDERR_UNSUPPORTED;
}
// Blits and flips finish before they return.
HRESULT Surface::GetBltStatus(DWORD) { return DD_OK; }
HRESULT Surface::GetFlipStatus(DWORD) { return DD_OK; }
HRESULT Surface::GetClipper(LPDIRECTDRAWCLIPPER*) { return DDERR_UNSUPPORTED; }
HRESULT Surface::GetColorKey(DWORD, LPDDCOLORKEY) { return DDERR_UNSUPPORTED; }
HRESULT Surface::GetOverlayPosition(LPLONG, LPLONG) { return DDERR_UNSUPPORTED; }
HRESULT Surface::GetPalette(LPDIRECTDRAWPALETTE*) { return DDERR_UNSUPPORTED; }
HRESULT Surface::Initialize(LPDIRECTDRAW, LPDDSURFACEDESC) { return DDERR_ALREADYINITIALIZED; }
HRESULT Surface::SetClipper(LPDIRECTDRAWCLIPPER) { return DDERR_UNSUPPORTED; }
HRESULT Surface::SetColorKey(DWORD, LPDDCOLORKEY) { return DDERR_UNSUPPORTED; }
HRESULT Surface::SetOverlayPosition(LONG, LONG) { return DDERR_UNSUPPORTED; }
HRESULT Surface::SetPalette(LPDIRECTDRAWPALETTE) { return DDERR_UNSUPPORTED; }
HRESULT Surface::UpdateOverlay(LPRECT, LPDIRECTDRAWSURFACE, LPRECT, DWORD, LPDDOVERLAYFX) {
    return DDERR_UNSUPPORTED;
}
HRESULT Surface::UpdateOverlay(LPRECT, LPDIRECTDRAWSURFACE2, LPRECT, DWORD, LPDDOVERLAYFX) {
    return DDERR_UNSUPPORTED;
}
HRESULT Surface::UpdateOverlayDisplay(DWORD) { return DDERR_UNSUPPORTED; }
HRESULT Surface::UpdateOverlayZOrder(DWORD, LPDIRECTDRAWSURFACE) { return DDERR_UNSUPPORTED; }
HRESULT Surface::UpdateOverlayZOrder(DWORD, LPDIRECTDRAWSURFACE2) { return DDERR_UNSUPPORTED; }
HRESULT Surface::GetDDInterface(LPVOID*) { return DDERR_UNSUPPORTED; }

} // namespace luma
