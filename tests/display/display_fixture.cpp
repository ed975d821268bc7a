#include "display_fixture.h"

#include <luma/platform.h>
#include <luma/resources.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace {

const LumaStringResource strings[] = {
    {10001, "DisplayTest"},
    {10002, "Software\\Korvani\\DisplayTest"},
};
const LumaResources resources = {strings, 2, nullptr, 0, nullptr};

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

void DisplayTest::SetUp() {
    LumaSelectBackend("headless");
    LumaRegisterResources(&resources);
    base = std::make_unique<TLumaBase>(GetModuleHandleA(nullptr), 10001, 10002, true);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = TestWindowProc;
    windowClass.lpszClassName = "DisplayTest";
    RegisterClassA(&windowClass);
    window = CreateWindowExA(WS_EX_TOPMOST, "DisplayTest", "DisplayTest", WS_POPUP, 0, 0, 640, 480,
                             nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    base->hWnd = window;
}

void DisplayTest::TearDown() {
    LumaSetPixelFormat(0);
    if (window)
        DestroyWindow(window);
}

std::unique_ptr<TDirectDraw> DisplayTest::openDisplay(DWORD fullscreen) {
    return std::make_unique<TDirectDraw>(base.get(), fullscreen);
}

std::string DisplayTest::closeAndReadLog() {
    base.reset();
    return directory.read("DisplayTest.log");
}

bool convertImage(const std::string& arguments, const std::string& format,
                  const std::string& file) {
    std::filesystem::remove(file);
    std::string command = "convert " + arguments + " " + format + ":" + file + " 2>/dev/null";
    return std::system(command.c_str()) == 0 && std::filesystem::exists(file);
}

WORD pixelAt(LPSURFACE surface, int x, int y) {
    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    if (surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr) != DD_OK) {
        ADD_FAILURE() << "the surface cannot be locked";
        return 0;
    }
    const BYTE* row = static_cast<const BYTE*>(desc.lpSurface) + y * desc.lPitch;
    WORD pixel;
    std::memcpy(&pixel, row + x * 2, 2);
    surface->Unlock(nullptr);
    return pixel;
}

void surfaceSize(LPSURFACE surface, int& width, int& height) {
    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    surface->GetSurfaceDesc(&desc);
    width = static_cast<int>(desc.dwWidth);
    height = static_cast<int>(desc.dwHeight);
}
