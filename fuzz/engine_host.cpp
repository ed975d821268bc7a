#include "engine_host.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND createWindow() {
    WNDCLASSA windowClass;
    std::memset(&windowClass, 0, sizeof windowClass);
    windowClass.lpfnWndProc = HostWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "FuzzHost";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "FuzzHost", "fuzz", WS_POPUP, 0, 0, 640, 480, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    if (window)
        ShowWindow(window, SW_SHOW);
    return window;
}

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "fuzz host: %s\n", what);
    std::abort();
}

} // namespace

EngineHost::EngineHost(Devices devices) {
    // No string table: no log file and no settings key, so millions of runs write nothing.
    base = new TLumaBase(GetModuleHandleA(nullptr), 0, 0, false);
    window = createWindow();
    if (!window)
        fail("no window");
    base->hWnd = window;
    if (devices == displayOnly) {
        display = new TDirectDraw(base, 1);
        if (!display->lpBack)
            fail("no display");
    } else {
        sound = new TDirectSound(base);
        if (!sound->lpDS)
            fail("no sound device");
    }
}

EngineHost::~EngineHost() {
    delete sound;
    delete display;
    DestroyWindow(window);
    delete base;
}
