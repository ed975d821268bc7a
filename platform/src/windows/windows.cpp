// Window classes, windows and the cursor.
#include "core/platform.h"
#include "windows/window_manager.h"

using namespace luma;

LUMA_API ATOM WINAPI RegisterClassA(const WNDCLASSA* windowClass) {
    return windowClass ? windowManager().registerClass(*windowClass) : 0;
}

LUMA_API HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName,
                                     DWORD style, int x, int y, int width, int height, HWND parent,
                                     HMENU menu, HINSTANCE, LPVOID param) {
    if (parent && !windowManager().find(parent))
        return nullptr;
    RECT rect{x, y, x + width, y + height};
    int controlId = parent ? static_cast<int>(reinterpret_cast<uintptr_t>(menu)) : 0;
    Window* window =
        windowManager().create(exStyle, className, windowName, style, rect, parent, controlId);
    if (!window->procedure && !parent) {
        windowManager().forget(window->handle);
        return nullptr;
    }
    HWND handle = window->handle;
    if (callWindow(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(param)) == -1) {
        DestroyWindow(handle);
        return nullptr;
    }
    if (style & WS_VISIBLE)
        ShowWindow(handle, SW_SHOW);
    return handle;
}

LUMA_API BOOL WINAPI ShowWindow(HWND handle, int showCommand) {
    Window* window = windowManager().find(handle);
    if (!window)
        return FALSE;
    bool wasVisible = window->visible;
    bool show = showCommand != SW_HIDE;
    if (show && !wasVisible && window->topLevel() && !window->dialog) {
        if (!backend().showWindow(*window))
            return FALSE;
        windowManager().setFocus(handle);
        callWindow(handle, WM_ACTIVATEAPP, TRUE, 0);
    }
    window->visible = show;
    return wasVisible ? TRUE : FALSE;
}

LUMA_API BOOL WINAPI UpdateWindow(HWND handle) {
    return windowManager().find(handle) ? TRUE : FALSE;
}

LUMA_API BOOL WINAPI DestroyWindow(HWND handle) {
    Window* window = windowManager().find(handle);
    if (!window)
        return FALSE;
    callWindow(handle, WM_DESTROY, 0, 0);
    window = windowManager().find(handle);
    if (!window)
        return TRUE;
    if (window->visible && window->topLevel() && !window->dialog)
        backend().closeWindow(*window);
    for (HWND child : windowManager().childrenOf(handle))
        DestroyWindow(child);
    windowManager().forget(handle);
    return TRUE;
}

LUMA_API BOOL WINAPI IsWindow(HWND handle) { return windowManager().find(handle) ? TRUE : FALSE; }

// The demo never shows a cursor; the backends keep it hidden over their windows.
LUMA_API HCURSOR WINAPI SetCursor(HCURSOR) { return nullptr; }

LUMA_API int WINAPI ShowCursor(BOOL show) { return show ? 0 : -1; }

LUMA_API int WINAPI GetSystemMetrics(int index) {
    int width = 0, height = 0;
    backend().screenSize(width, height);
    switch (index) {
    case SM_CXSCREEN:
        return width;
    case SM_CYSCREEN:
        return height;
    default:
        return 0;
    }
}

LUMA_API LRESULT WINAPI DefWindowProcA(HWND handle, UINT message, WPARAM, LPARAM) {
    if (message == WM_CLOSE)
        DestroyWindow(handle);
    return 0;
}
