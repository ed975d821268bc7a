#include "windows/window_manager.h"

#include <algorithm>
#include <cctype>

namespace luma {

namespace {

// Class names compare without regard to case, as on Windows.
std::string classKey(const char* name) {
    std::string key = name ? name : "";
    std::transform(key.begin(), key.end(), key.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return key;
}

} // namespace

WindowManager& windowManager() {
    static WindowManager manager;
    return manager;
}

ATOM WindowManager::registerClass(const WNDCLASSA& windowClass) {
    if (!windowClass.lpszClassName || !windowClass.lpfnWndProc)
        return 0;
    std::string key = classKey(windowClass.lpszClassName);
    if (classes.count(key))
        return 0;
    classes[key] = WindowClass{windowClass.lpfnWndProc, windowClass.style};
    return static_cast<ATOM>(0xC000 + classes.size());
}

Window* WindowManager::create(DWORD exStyle, const char* className, const char* text, DWORD style,
                              RECT rect, HWND parent, int controlId) {
    auto knownClass = classes.find(classKey(className));
    auto window = std::make_unique<Window>();
    window->handle = reinterpret_cast<HWND>(nextHandle);
    nextHandle += 4;
    window->className = className ? className : "";
    window->procedure = knownClass != classes.end() ? knownClass->second.procedure : nullptr;
    window->style = style;
    window->exStyle = exStyle;
    window->text = text ? text : "";
    window->rect = rect;
    window->parent = parent;
    window->controlId = controlId;
    Window* created = window.get();
    windows[created->handle] = std::move(window);
    return created;
}

Window* WindowManager::find(HWND handle) {
    auto found = windows.find(handle);
    return found == windows.end() ? nullptr : found->second.get();
}

void WindowManager::forget(HWND handle) {
    windows.erase(handle);
    if (focusWindow == handle)
        focusWindow = nullptr;
}

std::vector<HWND> WindowManager::childrenOf(HWND handle) const {
    std::vector<HWND> children;
    for (const auto& entry : windows)
        if (entry.second->parent == handle)
            children.push_back(entry.first);
    return children;
}

LRESULT callWindow(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* window = windowManager().find(handle);
    if (!window || !window->procedure)
        return 0;
    return window->procedure(handle, message, wParam, lParam);
}

} // namespace luma
