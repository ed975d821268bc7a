// Window classes and windows, addressed by handles that are checked before use.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace luma {

class Dialog;

struct Window {
    HWND handle = nullptr;
    std::string className;
    WNDPROC procedure = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    std::string text;
    RECT rect{};
    HWND parent = nullptr;
    int controlId = 0;
    bool visible = false;
    Dialog* dialog = nullptr; // set for a dialog's own window
    void* backendData = nullptr;

    bool topLevel() const { return parent == nullptr; }
};

class WindowManager {
public:
    ATOM registerClass(const WNDCLASSA& windowClass);
    // Creates the window record; WM_CREATE is the caller's to send.
    Window* create(DWORD exStyle, const char* className, const char* text, DWORD style, RECT rect,
                   HWND parent, int controlId);
    Window* find(HWND handle);
    void forget(HWND handle);
    std::vector<HWND> childrenOf(HWND handle) const;

    // The window that receives the keyboard: the most recently shown top-level window.
    HWND focus() const { return focusWindow; }
    void setFocus(HWND handle) { focusWindow = handle; }

private:
    struct WindowClass {
        WNDPROC procedure;
        UINT style;
    };
    std::map<std::string, WindowClass> classes;
    std::map<HWND, std::unique_ptr<Window>> windows;
    uintptr_t nextHandle = 0x10010;
    HWND focusWindow = nullptr;
};

WindowManager& windowManager();

// Calls a window's procedure, or nothing for a handle that is not a window.
LRESULT callWindow(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace luma
