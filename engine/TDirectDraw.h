// The display: DirectDraw devices, the 640 x 480 x 16 full-screen mode with its back
// buffer, off-screen surfaces, blits, flips, colour fill and the error texts.
#pragma once

#include <windows.h>
#include <ddraw.h>

#include "LumaExport.h"

class TLumaBase;
class TDirectFont;

// Every surface of the engine is used through its IDirectDrawSurface2 interface.
typedef IDirectDrawSurface2* LPSURFACE;

// One display device found by the enumeration.
struct DeviceEntry {
    GUID guid; // all zeros for the primary display driver, which comes without one
    char* description;
    char* name;
    DeviceEntry* next;
};

class LUMABASE_API TDirectDraw {
public:
    TLumaBase* lpBase;
    IDirectDraw* lpDD;
    LPSURFACE lpPrimary;
    LPSURFACE lpBack;
    DeviceEntry* lpDevices;
    DWORD dwGraphicsMode; // 1: 5-5-5, 2: 5-6-5
    WORD wWhite;
    HWND hWnd;
    GUID guidDevice;
    DWORD dwFullscreen; // 1: full-screen exclusive, else windowed

    TDirectDraw(TLumaBase* base, DWORD dwFullscreen);
    ~TDirectDraw();

    // Device (TDirectDraw.cpp).
    int Init();
    int Exit();
    void LoadRegistry();
    void SaveRegistry();
    void setDevice(GUID guid);
    int RestoreAll();

    // Surfaces (TDirectDrawSurfaces.cpp).
    bool CreateSurface(LPSURFACE& surface, int width, int height, const char* bitmap);
    bool CreateSurface(LPSURFACE& surface, DDSURFACEDESC& desc);
    bool LoadBitmap(LPSURFACE surface, const char* bitmap, bool stretch);
    bool CopyBitmap(LPSURFACE surface, void* hBitmap, int x, int y, int dx, int dy, bool stretch);
    int Blit(LPSURFACE dest, int x, int y, LPSURFACE src, RECT* srcRect, int flags);
    int Flip();
    HRESULT ClearSurface(LPSURFACE surface, DWORD colour);
    DWORD ColorMatch(LPSURFACE surface, COLORREF rgb);
    RECT CreateRect(int x, int y, int width, int height);

    // Text output and line input with bitmap fonts (TDirectDrawText.cpp).
    int PrintText(TDirectFont* font, LPSURFACE surface, int x, int y, const char* text,
                  unsigned short colour, unsigned char transparency);
    int Input(TDirectFont* font, int x, int y, char* buffer, int maxLength, unsigned short colour);

    // Error texts (TDirectDrawErrors.cpp).
    void getErrorString(int result, char* buffer);
    bool ErrorMessage(int result, const char* text);

    TDirectDraw(const TDirectDraw&) = delete;
    TDirectDraw& operator=(const TDirectDraw&) = delete;
};
