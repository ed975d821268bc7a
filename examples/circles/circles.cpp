// Circles: two sets of rings that move through each other, drawn pixel by pixel into the
// back buffer of a LumaBase display. Any key ends it; "--speed PERCENT" on the command line
// runs the rings faster or slower.
#include "resource_ids.h"

#include <TDirectDraw.h>
#include <TLumaBase.h>

#include <windows.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

TLumaBase* base;
TDirectDraw* display;
unsigned short palette[256];
double speed = 1.0;

void readCommandLine(const char* commandLine) {
    const char* found = commandLine ? std::strstr(commandLine, "--speed ") : nullptr;
    if (found)
        speed = std::atoi(found + std::strlen("--speed ")) / 100.0;
}

// A 16-bit pixel in the display's layout: graphics mode 1 is 5-5-5, 2 is 5-6-5.
unsigned short pack(int red, int green, int blue) {
    if (display->dwGraphicsMode == 1)
        return static_cast<unsigned short>(((red >> 3) << 10) | ((green >> 3) << 5) | (blue >> 3));
    return static_cast<unsigned short>(((red >> 3) << 11) | ((green >> 2) << 5) | (blue >> 3));
}

void buildPalette() {
    for (int i = 0; i < 256; ++i) {
        double phase = i * 6.2831853 / 256;
        palette[i] = pack(static_cast<int>(127 + 127 * std::sin(phase)),
                          static_cast<int>(127 + 127 * std::sin(phase + 2.1)),
                          static_cast<int>(127 + 127 * std::sin(phase + 4.2)));
    }
}

void drawFrame(DWORD time) {
    DDSURFACEDESC description;
    std::memset(&description, 0, sizeof description);
    description.dwSize = sizeof description;
    if (display->lpBack->Lock(nullptr, &description, DDLOCK_WAIT, nullptr) != DD_OK)
        return;
    double t = time * 0.001 * speed;
    int x1 = static_cast<int>(320 + 200 * std::sin(t * 0.9));
    int y1 = static_cast<int>(240 + 150 * std::cos(t * 1.3));
    int x2 = static_cast<int>(320 + 200 * std::cos(t * 0.7));
    int y2 = static_cast<int>(240 + 150 * std::sin(t * 1.1));
    unsigned char* pixels = static_cast<unsigned char*>(description.lpSurface);
    for (int y = 0; y < 480; ++y) {
        // Rows are lPitch bytes apart, which may be more than 640 pixels.
        unsigned short* row = reinterpret_cast<unsigned short*>(pixels + y * description.lPitch);
        for (int x = 0; x < 640; ++x) {
            int a = ((x - x1) * (x - x1) + (y - y1) * (y - y1)) >> 7;
            int b = ((x - x2) * (x - x2) + (y - y2) * (y - y2)) >> 7;
            row[x] = palette[(a ^ b) & 0xFF];
        }
    }
    display->lpBack->Unlock(nullptr);
    display->Flip();
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_KEYDOWN:
        SendMessageA(window, WM_CLOSE, 0, 0);
        return 0;
    case WM_CLOSE:
        delete display;
        display = nullptr;
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
    readCommandLine(commandLine);
    base = new TLumaBase(instance, IDS_PROGRAM_NAME, IDS_REGISTRY_KEY, true);

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "Circles";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(WS_EX_TOPMOST, "Circles", "Circles", WS_POPUP, 0, 0,
                                  GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                  nullptr, nullptr, instance, nullptr);
    if (!window) {
        delete base;
        return 1;
    }
    ShowWindow(window, showCommand);
    base->hWnd = window;

    display = new TDirectDraw(base, 1); // 640 x 480, 16 bits per pixel, one back buffer
    buildPalette();
    DWORD start = GetTickCount();

    MSG message;
    for (;;) {
        if (PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!GetMessageA(&message, nullptr, 0, 0))
                break;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        } else if (display && display->lpBack) {
            drawFrame(GetTickCount() - start);
        }
    }
    base->DebugOut("Circles: %lu ms\n", static_cast<unsigned long>(GetTickCount() - start));
    delete base;
    return static_cast<int>(message.wParam);
}
