#include "scene_display.h"

#include "demo_state.h"

#include <TBitmap.h>
#include <TDirectDraw.h>
#include <TLumaBase.h>
#include <luma/platform.h>
#include <luma/resources.h>

#include <cstdlib>
#include <cstring>

extern const LumaResources programResources;

namespace {

LRESULT CALLBACK SceneWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterSceneWindowClass() {
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSA windowClass;
    std::memset(&windowClass, 0, sizeof windowClass);
    windowClass.lpfnWndProc = SceneWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "SceneTest";
    RegisterClassA(&windowClass);
    registered = true;
}

// Runs each(row pointer, y) over the surface's 480 rows.
template <typename Each> void ForEachRow(LPSURFACE surface, Each each) {
    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    ASSERT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    for (int y = 0; y < 480; ++y)
        each(reinterpret_cast<unsigned short*>(static_cast<unsigned char*>(desc.lpSurface) +
                                               y * desc.lPitch),
             y);
    surface->Unlock(nullptr);
}

} // namespace

void SceneTest::SetUp() {
    LumaRegisterResources(&programResources);
    RegisterSceneWindowClass();
    lumaBase = new TLumaBase(GetModuleHandleA(nullptr), 10001, 10002, true);
    mainWindow = CreateWindowExA(0, "SceneTest", "scenes", WS_POPUP, 0, 0, 640, 480, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(mainWindow, nullptr);
    ShowWindow(mainWindow, SW_SHOW);
    lumaBase->hWnd = mainWindow;
    ASSERT_TRUE(LumaSetPixelFormat(GetParam()));
    directDraw = new TDirectDraw(lumaBase, 1);
    ASSERT_NE(directDraw->lpBack, nullptr);
    ASSERT_EQ(directDraw->dwGraphicsMode, graphicsMode());
    sceneByte = 255;
    syncByte = 0;
}

void SceneTest::TearDown() {
    delete directDraw;
    directDraw = nullptr;
    if (mainWindow)
        DestroyWindow(mainWindow);
    mainWindow = nullptr;
    delete lumaBase;
    lumaBase = nullptr;
    LumaSetPixelFormat(0);
}

TBitmap* SceneTest::numberedTexture() {
    TBitmap* texture = plainImage(256, 256, 0);
    for (unsigned int n = 0; n < 65536; ++n)
        texture->rgbData[n] = static_cast<unsigned short>(n);
    return texture;
}

TBitmap* SceneTest::plainImage(unsigned int width, unsigned int height, unsigned short pixel) {
    TBitmap* image = new TBitmap(directDraw);
    image->rgbData = static_cast<unsigned short*>(std::malloc(width * height * 2 + 2));
    for (unsigned int n = 0; n < width * height; ++n)
        image->rgbData[n] = pixel;
    image->width = width;
    image->height = height;
    return image;
}

void SceneTest::fillBackBuffer(unsigned short pixel) {
    ForEachRow(directDraw->lpBack, [&](unsigned short* row, int) {
        for (int x = 0; x < 640; ++x)
            row[x] = pixel;
    });
}

void SceneTest::readShownPage(ScreenBuffer& screen) {
    ForEachRow(directDraw->lpPrimary, [&](unsigned short* row, int y) {
        std::memcpy(screen.data() + y * ScreenBuffer::pitch, row, 640 * 2);
    });
}
