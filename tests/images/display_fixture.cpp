#include "display_fixture.h"

#include "../engine/test_resources.h"

#include <luma/platform.h>

#include <cstring>

namespace {

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

void registerWindowClass() {
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSA windowClass;
    std::memset(&windowClass, 0, sizeof windowClass);
    windowClass.lpfnWndProc = TestWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "ImageTest";
    RegisterClassA(&windowClass);
    registered = true;
}

DDSURFACEDESC lockedWhole(LPSURFACE surface) {
    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    EXPECT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    return desc;
}

uint16_t* pixelIn(const DDSURFACEDESC& desc, int x, int y) {
    return reinterpret_cast<uint16_t*>(static_cast<uint8_t*>(desc.lpSurface) + y * desc.lPitch) + x;
}

} // namespace

void DisplayTest::SetUp() {
    RegisterTestResources();
    registerWindowClass();
    base = new TLumaBase(GetModuleHandleA(nullptr), testNameId, testKeyId, true);
    window = CreateWindowExA(0, "ImageTest", "images", WS_POPUP, 0, 0, 640, 480, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_SHOW);
    base->hWnd = window;
    ASSERT_TRUE(LumaSetPixelFormat(GetParam()));
    display = new TDirectDraw(base, 1);
    ASSERT_NE(display->lpBack, nullptr);
    ASSERT_EQ(display->dwGraphicsMode, is565() ? 2u : 1u);
    logStart = directory.read("LumaTest.log").size();
}

void DisplayTest::TearDown() {
    for (LPSURFACE surface : surfaces)
        surface->Release();
    delete display;
    if (window)
        DestroyWindow(window);
    delete base;
    LumaSetPixelFormat(0);
}

std::string DisplayTest::newLog() { return directory.read("LumaTest.log").substr(logStart); }

LPSURFACE DisplayTest::makeSurface(int width, int height) {
    LPSURFACE surface = nullptr;
    EXPECT_TRUE(display->CreateSurface(surface, width, height, nullptr));
    if (surface)
        surfaces.push_back(surface);
    return surface;
}

void DisplayTest::fill(LPSURFACE surface, uint16_t pixel) {
    DDSURFACEDESC desc = lockedWhole(surface);
    for (DWORD y = 0; y < desc.dwHeight; ++y)
        for (DWORD x = 0; x < desc.dwWidth; ++x)
            *pixelIn(desc, int(x), int(y)) = pixel;
    surface->Unlock(nullptr);
}

uint16_t DisplayTest::pixelAt(LPSURFACE surface, int x, int y) {
    DDSURFACEDESC desc = lockedWhole(surface);
    uint16_t pixel = *pixelIn(desc, x, y);
    surface->Unlock(nullptr);
    return pixel;
}

void DisplayTest::setPixel(LPSURFACE surface, int x, int y, uint16_t pixel) {
    DDSURFACEDESC desc = lockedWhole(surface);
    *pixelIn(desc, x, y) = pixel;
    surface->Unlock(nullptr);
}

bool DisplayTest::canLock(LPSURFACE surface) {
    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    if (surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr) != DD_OK)
        return false;
    surface->Unlock(nullptr);
    return true;
}
