// Surfaces: making them, bitmaps through the GDI, clipped blits, flips, colour fill.
#include "TDirectDraw.h"

#include "TLumaBase.h"

#include <cstring>

namespace {

// A bitmap resource of the program first, then a bitmap file of that name.
HANDLE LoadBitmapImage(const char* name) {
    HANDLE image = LoadImageA(GetModuleHandleA(0), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (!image)
        image = LoadImageA(0, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION | LR_LOADFROMFILE);
    return image;
}

void SurfaceSize(LPSURFACE surface, int& width, int& height) {
    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_HEIGHT | DDSD_WIDTH;
    surface->GetSurfaceDesc(&desc);
    width = static_cast<int>(desc.dwWidth);
    height = static_cast<int>(desc.dwHeight);
}

} // namespace

bool TDirectDraw::CreateSurface(LPSURFACE& surface, int width, int height, const char* bitmap) {
    surface = 0;
    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
    desc.dwBackBufferCount = 0;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;

    if (bitmap) {
        HANDLE image = LoadBitmapImage(bitmap);
        if (!image) {
            lpBase->DebugOut(
                "CreateSurface(LPSURFACE, int, int, const char*) - LoadImage() failed.\n");
            return false;
        }
        BITMAP info;
        std::memset(&info, 0, sizeof info);
        GetObjectA(image, sizeof info, &info);
        if (width == 0)
            width = info.bmWidth;
        if (height == 0)
            height = info.bmHeight;
        DeleteObject(image);
    }
    desc.dwWidth = static_cast<DWORD>(width);
    desc.dwHeight = static_cast<DWORD>(height);

    if (!CreateSurface(surface, desc)) {
        lpBase->DebugOut("CreateSurface(LPSURFACE, int, int, const char*) - "
                         "CreateSurface(LPSURFACE, DDSURFACEDESC) faile.\n");
        return false;
    }
    if (!bitmap)
        return true;
    if (!LoadBitmap(surface, bitmap, false)) {
        lpBase->DebugOut(
            "CreateSurface(LPSURFACE, int, int, const char*) - LoadBitmap() failed.\n");
        return false;
    }
    return true;
}

bool TDirectDraw::CreateSurface(LPSURFACE& surface, DDSURFACEDESC& desc) {
    if (!lpDD)
        return ErrorMessage(DDERR_INVALIDOBJECT, "CreateSurface() failed!");
    desc.ddsCaps.dwCaps |= DDSCAPS_OFFSCREENPLAIN;
    desc.ddsCaps.dwCaps &= ~DDSCAPS_SYSTEMMEMORY;
    LPDIRECTDRAWSURFACE created = 0;
    HRESULT result = lpDD->CreateSurface(&desc, &created, 0);
    if (result != DD_OK) {
        desc.ddsCaps.dwCaps |= DDSCAPS_SYSTEMMEMORY;
        result = lpDD->CreateSurface(&desc, &created, 0);
        if (result != DD_OK)
            return ErrorMessage(result, "CreateSurface() failed!");
    }
    result = created->QueryInterface(IID_IDirectDrawSurface2, reinterpret_cast<void**>(&surface));
    created->Release();
    if (result != DD_OK) {
        surface = 0;
        return ErrorMessage(result, "CreateSurface() failed at querying interface!");
    }
    return true;
}

bool TDirectDraw::LoadBitmap(LPSURFACE surface, const char* bitmap, bool stretch) {
    if (!bitmap)
        return false;
    HANDLE image = LoadBitmapImage(bitmap);
    if (!image) {
        lpBase->DebugOut("LoadBitmap(\"%s\") - LoadImage() failed,\n", bitmap);
        return false;
    }
    CopyBitmap(surface, image, 0, 0, 0, 0, stretch);
    DeleteObject(image);
    return true;
}

bool TDirectDraw::CopyBitmap(LPSURFACE surface, void* hBitmap, int x, int y, int dx, int dy,
                             bool stretch) {
    if (!hBitmap || !surface)
        return false;

    HRESULT result = surface->Restore();
    if (result < 0) {
        char text[512];
        getErrorString(result, text);
        lpBase->DebugOut("CopyBitmap() - Surface->Restore() failed: %s\n", text);
        return false;
    }

    HDC imageDC = CreateCompatibleDC(0);
    if (!imageDC) {
        lpBase->DebugOut("CopyBitmap() - CreateCompatibleDC() failed.\n");
        return false;
    }
    SelectObject(imageDC, hBitmap);
    BITMAP info;
    std::memset(&info, 0, sizeof info);
    GetObjectA(hBitmap, sizeof info, &info);
    if (dx == 0)
        dx = info.bmWidth;
    if (dy == 0)
        dy = info.bmHeight;
    // An empty or negative tile would never move the tiling on.
    if (dx <= 0 || dy <= 0) {
        DeleteDC(imageDC);
        return false;
    }

    int width = 0, height = 0;
    SurfaceSize(surface, width, height);

    HDC surfaceDC = 0;
    if (surface->GetDC(&surfaceDC) != DD_OK) {
        DeleteDC(imageDC);
        lpBase->DebugOut("CopyBitmap - Surface->GetDC() failed.\n");
        return false;
    }
    if (stretch) {
        StretchBlt(surfaceDC, 0, 0, width, height, imageDC, x, y, dx, dy, SRCCOPY);
    } else {
        for (int column = 0; column < width; column += dx)
            for (int row = 0; row < height; row += dy)
                StretchBlt(surfaceDC, column, row, dx, dy, imageDC, x, y, dx, dy, SRCCOPY);
    }
    surface->ReleaseDC(surfaceDC);
    DeleteDC(imageDC);
    return true;
}

int TDirectDraw::Blit(LPSURFACE dest, int x, int y, LPSURFACE src, RECT* srcRect, int flags) {
    if (!dest || !src || !srcRect)
        return 0;
    int width = 0, height = 0;
    SurfaceSize(dest, width, height);
    int w = srcRect->right - srcRect->left;
    int h = srcRect->bottom - srcRect->top;

    // A blit starting in the last column or row is dropped too.
    if (x + w <= 0 || y + h <= 0 || x >= width - 1 || y >= height - 1)
        return 1;

    // One edge per axis: the left (top) one when the blit starts before it.
    if (x < 0) {
        srcRect->left += -x;
        x = 0;
    } else if (x + w > width) {
        srcRect->right -= x + w - width;
    }
    if (y < 0) {
        srcRect->top += -y;
        y = 0;
    } else if (y + h > height) {
        srcRect->bottom -= y + h - height;
    }

    RECT destRect;
    destRect.left = x;
    destRect.top = y;
    destRect.right = x + (srcRect->right - srcRect->left);
    destRect.bottom = y + (srcRect->bottom - srcRect->top);

    for (;;) {
        HRESULT result = dest->Blt(&destRect, src, srcRect, flags, 0);
        if (result == DD_OK)
            return 1;
        if (result == DDERR_SURFACELOST) {
            RestoreAll();
            return 0;
        }
        if (result != DDERR_WASSTILLDRAWING)
            return 0;
    }
}

int TDirectDraw::Flip() {
    if (!lpPrimary)
        return 0;
    for (;;) {
        HRESULT result = lpPrimary->Flip(0, DDFLIP_WAIT);
        if (result == DD_OK)
            return 1;
        if (result == DDERR_SURFACELOST) {
            RestoreAll();
            return 0;
        }
        if (result != DDERR_WASSTILLDRAWING)
            return 0;
    }
}

HRESULT TDirectDraw::ClearSurface(LPSURFACE surface, DWORD colour) {
    if (!surface)
        return DDERR_INVALIDOBJECT;
    DDBLTFX fx;
    std::memset(&fx, 0, sizeof fx);
    fx.dwSize = sizeof fx;
    fx.dwFillColor = colour;
    return surface->Blt(0, 0, 0, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
}

DWORD TDirectDraw::ColorMatch(LPSURFACE surface, COLORREF rgb) {
    DWORD pixel = CLR_INVALID;
    if (!surface)
        return pixel;
    HDC dc = 0;
    COLORREF saved = 0;
    if (rgb != CLR_INVALID && surface->GetDC(&dc) == DD_OK) {
        saved = GetPixel(dc, 0, 0);
        SetPixel(dc, 0, 0, rgb);
        surface->ReleaseDC(dc);
    }

    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    HRESULT result;
    while ((result = surface->Lock(0, &desc, 0, 0)) == DDERR_WASSTILLDRAWING) {
    }
    if (result == DD_OK) {
        // Only the first pixel's own bytes are read: a narrow surface may end there.
        DWORD bits = desc.ddpfPixelFormat.dwRGBBitCount;
        DWORD bytes = bits >= 32 || bits == 0 ? 4 : (bits + 7) / 8;
        pixel = 0;
        std::memcpy(&pixel, desc.lpSurface, bytes);
        if (bits > 0 && bits < 32)
            pixel &= (DWORD(1) << bits) - 1;
        surface->Unlock(0);
    }

    if (rgb != CLR_INVALID && surface->GetDC(&dc) == DD_OK) {
        SetPixel(dc, 0, 0, saved);
        surface->ReleaseDC(dc);
    }
    return pixel;
}

RECT TDirectDraw::CreateRect(int x, int y, int width, int height) {
    RECT rect;
    rect.left = x;
    rect.top = y;
    rect.right = x + width;
    rect.bottom = y + height;
    return rect;
}
