// DirectDraw on the headless backend: devices, the flip chain, locks, blits and flips.
#include "backends/headless/headless_screen.h"
#include "core/platform.h"

#include <ddraw.h>
#include <luma/platform.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

struct Device {
    bool hasGuid;
    GUID guid;
    std::string description;
    std::string name;
};

BOOL CALLBACK Collect(GUID* guid, LPSTR description, LPSTR name, LPVOID context) {
    auto* devices = static_cast<std::vector<Device>*>(context);
    devices->push_back({guid != nullptr, guid ? *guid : GUID{}, description, name});
    return TRUE;
}

BOOL CALLBACK StopAtFirst(GUID*, LPSTR, LPSTR, LPVOID context) {
    ++*static_cast<int*>(context);
    return FALSE;
}

LRESULT CALLBACK PlainWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

DDSURFACEDESC description() {
    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    return desc;
}

class DirectDrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        LumaSelectBackend("headless");
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = PlainWindow;
        windowClass.lpszClassName = "DirectDrawTest";
        RegisterClassA(&windowClass);
        window = CreateWindowExA(0, "DirectDrawTest", "", WS_POPUP, 0, 0, 640, 480, nullptr,
                                 nullptr, nullptr, nullptr);
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override {
        closeDisplay();
        DestroyWindow(window);
        LumaSetPixelFormat(0);
    }

    void closeDisplay() {
        if (back)
            back->Release();
        if (primary)
            primary->Release();
        if (directDraw)
            directDraw->Release();
        back = primary = nullptr;
        directDraw = nullptr;
    }

    // The full-screen display as the engine opens it.
    void openFullScreen() {
        ASSERT_EQ(DirectDrawCreate(nullptr, &directDraw, nullptr), DD_OK);
        ASSERT_EQ(directDraw->SetCooperativeLevel(window, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE),
                  DD_OK);
        ASSERT_EQ(directDraw->SetDisplayMode(640, 480, 16), DD_OK);
        DDSURFACEDESC desc = description();
        desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
        desc.dwBackBufferCount = 1;
        desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
        ASSERT_EQ(directDraw->CreateSurface(&desc, &primary, nullptr), DD_OK);
        DDSCAPS caps = {DDSCAPS_BACKBUFFER};
        ASSERT_EQ(primary->GetAttachedSurface(&caps, &back), DD_OK);
    }

    LPDIRECTDRAWSURFACE offscreen(int width, int height) {
        DDSURFACEDESC desc = description();
        desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
        desc.dwWidth = static_cast<DWORD>(width);
        desc.dwHeight = static_cast<DWORD>(height);
        desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
        LPDIRECTDRAWSURFACE surface = nullptr;
        EXPECT_EQ(directDraw->CreateSurface(&desc, &surface, nullptr), DD_OK);
        return surface;
    }

    HWND window = nullptr;
    LPDIRECTDRAW directDraw = nullptr;
    LPDIRECTDRAWSURFACE primary = nullptr;
    LPDIRECTDRAWSURFACE back = nullptr;
};

WORD* pixel(const DDSURFACEDESC& locked, int x, int y) {
    return reinterpret_cast<WORD*>(static_cast<BYTE*>(locked.lpSurface) + y * locked.lPitch) + x;
}

// Writes each pixel as (x + 1) + 1000 * y.
void number(LPDIRECTDRAWSURFACE surface) {
    DDSURFACEDESC locked = description();
    ASSERT_EQ(surface->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DD_OK);
    for (DWORD y = 0; y < locked.dwHeight; ++y)
        for (DWORD x = 0; x < locked.dwWidth; ++x)
            *pixel(locked, static_cast<int>(x), static_cast<int>(y)) =
                static_cast<WORD>(x + 1 + 1000 * y);
    surface->Unlock(nullptr);
}

WORD read(LPDIRECTDRAWSURFACE surface, int x, int y) {
    DDSURFACEDESC locked = description();
    EXPECT_EQ(surface->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DD_OK);
    WORD value = *pixel(locked, x, y);
    surface->Unlock(nullptr);
    return value;
}

TEST_F(DirectDrawTest, EnumerationGivesThePrimaryDriverThenEachDisplayWithAStableGuid) {
    std::vector<Device> first, second;
    ASSERT_EQ(DirectDrawEnumerateA(Collect, &first), DD_OK);
    ASSERT_EQ(DirectDrawEnumerateA(Collect, &second), DD_OK);
    ASSERT_EQ(first.size(), 2u);
    EXPECT_FALSE(first[0].hasGuid);
    EXPECT_EQ(first[0].description, "Primary Display Driver");
    EXPECT_EQ(first[0].name, "display");
    EXPECT_TRUE(first[1].hasGuid);
    EXPECT_EQ(first[1].description, "Headless display");
    EXPECT_EQ(first[1].name, "\\\\.\\DISPLAY1");
    EXPECT_EQ(std::memcmp(&first[1].guid, &second[1].guid, sizeof(GUID)), 0);
    EXPECT_NE(first[1].guid, GUID{});

    int calls = 0;
    DirectDrawEnumerateA(StopAtFirst, &calls);
    EXPECT_EQ(calls, 1);
}

TEST_F(DirectDrawTest, CreateTakesThePrimaryOrAnEnumeratedGuidAndRefusesOthers) {
    std::vector<Device> devices;
    DirectDrawEnumerateA(Collect, &devices);
    GUID zero{};
    for (GUID* guid : {static_cast<GUID*>(nullptr), &zero, &devices[1].guid}) {
        LPDIRECTDRAW opened = nullptr;
        EXPECT_EQ(DirectDrawCreate(guid, &opened, nullptr), DD_OK);
        ASSERT_NE(opened, nullptr);
        EXPECT_EQ(opened->Release(), 0u);
    }
    GUID unknown = devices[1].guid;
    unknown.Data1 ^= 1;
    LPDIRECTDRAW refused = reinterpret_cast<LPDIRECTDRAW>(1);
    EXPECT_EQ(DirectDrawCreate(&unknown, &refused, nullptr), DDERR_INVALIDDIRECTDRAWGUID);
    EXPECT_EQ(refused, nullptr);
}

TEST_F(DirectDrawTest, SurfacesNeedACooperativeLevelAndTheChainNeedsExclusiveMode) {
    ASSERT_EQ(DirectDrawCreate(nullptr, &directDraw, nullptr), DD_OK);
    DDSURFACEDESC desc = description();
    desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    desc.dwBackBufferCount = 1;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    EXPECT_EQ(directDraw->CreateSurface(&desc, &primary, nullptr), DDERR_NOCOOPERATIVELEVELSET);
    ASSERT_EQ(directDraw->SetCooperativeLevel(window, DDSCL_NORMAL), DD_OK);
    EXPECT_EQ(directDraw->CreateSurface(&desc, &primary, nullptr), DDERR_NOEXCLUSIVEMODE);
    EXPECT_EQ(directDraw->SetDisplayMode(640, 480, 16), DDERR_NOEXCLUSIVEMODE);
    EXPECT_EQ(directDraw->SetCooperativeLevel(nullptr, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE),
              DDERR_INVALIDPARAMS);
    ASSERT_EQ(directDraw->SetCooperativeLevel(window, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE), DD_OK);
    EXPECT_EQ(directDraw->SetDisplayMode(800, 600, 16), DDERR_UNSUPPORTEDMODE);
    EXPECT_EQ(directDraw->SetDisplayMode(640, 480, 32), DDERR_UNSUPPORTEDMODE);
    ASSERT_EQ(directDraw->SetDisplayMode(640, 480, 16), DD_OK);
    desc.dwSize = 100;
    EXPECT_EQ(directDraw->CreateSurface(&desc, &primary, nullptr), DDERR_INVALIDPARAMS);
    desc.dwSize = 108;
    ASSERT_EQ(directDraw->CreateSurface(&desc, &primary, nullptr), DD_OK);
    LPDIRECTDRAWSURFACE second = nullptr;
    EXPECT_EQ(directDraw->CreateSurface(&desc, &second, nullptr),
              DDERR_PRIMARYSURFACEALREADYEXISTS);
}

TEST_F(DirectDrawTest, DescriptionsGiveSizePitchAndTheMasksOfTheChosenFormat) {
    struct Case {
        int format;
        DWORD red, green, blue;
    };
    for (Case c : {Case{565, 0xF800, 0x07E0, 0x001F}, Case{555, 0x7C00, 0x03E0, 0x001F}}) {
        SCOPED_TRACE(c.format);
        LumaSetPixelFormat(c.format);
        openFullScreen();
        DDSURFACEDESC desc = description();
        ASSERT_EQ(back->GetSurfaceDesc(&desc), DD_OK);
        EXPECT_EQ(desc.dwWidth, 640u);
        EXPECT_EQ(desc.dwHeight, 480u);
        EXPECT_EQ(desc.ddpfPixelFormat.dwRGBBitCount, 16u);
        EXPECT_EQ(desc.ddpfPixelFormat.dwRBitMask, c.red);
        EXPECT_EQ(desc.ddpfPixelFormat.dwGBitMask, c.green);
        EXPECT_EQ(desc.ddpfPixelFormat.dwBBitMask, c.blue);
        EXPECT_TRUE(desc.ddsCaps.dwCaps & DDSCAPS_BACKBUFFER);
        // Headless rows are padded, so code that ignores the pitch goes wrong at once.
        EXPECT_GT(desc.lPitch, 640 * 2);
        for (int width : {1, 7, 100}) {
            LPDIRECTDRAWSURFACE surface = offscreen(width, 3);
            DDSURFACEDESC small = description();
            surface->GetSurfaceDesc(&small);
            EXPECT_GT(small.lPitch, width * 2);
            surface->Release();
        }
        DDSURFACEDESC wrongSize = description();
        wrongSize.dwSize = 124;
        EXPECT_EQ(back->GetSurfaceDesc(&wrongSize), DDERR_INVALIDPARAMS);
        closeDisplay();
    }
}

TEST_F(DirectDrawTest, LockAddressesTheRectangleAndRefusesOneNotInside) {
    openFullScreen();
    DDSURFACEDESC whole = description();
    ASSERT_EQ(back->Lock(nullptr, &whole, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_TRUE(whole.dwFlags & DDSD_LPSURFACE);
    EXPECT_EQ(back->Lock(nullptr, &whole, DDLOCK_WAIT, nullptr), DDERR_SURFACEBUSY);
    HDC dc = nullptr;
    EXPECT_EQ(back->GetDC(&dc), DDERR_SURFACEBUSY);
    ASSERT_EQ(back->Unlock(nullptr), DD_OK);
    EXPECT_EQ(back->Unlock(nullptr), DDERR_NOTLOCKED);

    RECT inside = {10, 20, 640, 480};
    DDSURFACEDESC part = description();
    ASSERT_EQ(back->Lock(&inside, &part, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_EQ(part.lpSurface, static_cast<BYTE*>(whole.lpSurface) + 20 * whole.lPitch + 10 * 2);
    back->Unlock(nullptr);

    for (RECT outside :
         {RECT{-1, 0, 10, 10}, RECT{0, -1, 10, 10}, RECT{630, 0, 641, 10}, RECT{0, 470, 10, 481},
          RECT{10, 10, 10, 20}, RECT{20, 10, 10, 20}, RECT{700, 500, 710, 510}}) {
        DDSURFACEDESC refused = description();
        EXPECT_EQ(back->Lock(&outside, &refused, DDLOCK_WAIT, nullptr), DDERR_INVALIDRECT)
            << outside.left << "," << outside.top << "," << outside.right << "," << outside.bottom;
        EXPECT_EQ(refused.lpSurface, nullptr);
    }
    // Refused locks leave the surface free.
    EXPECT_EQ(back->Lock(nullptr, &whole, 0, nullptr), DD_OK);
    back->Unlock(nullptr);
}

TEST_F(DirectDrawTest, BltCopiesStretchesAndFillsRectanglesInside) {
    openFullScreen();
    LPDIRECTDRAWSURFACE source = offscreen(64, 32);
    number(source);
    DDBLTFX fx;
    std::memset(&fx, 0, sizeof fx);
    fx.dwSize = sizeof fx;
    fx.dwFillColor = 0;
    ASSERT_EQ(back->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DD_OK);

    RECT from = {4, 2, 14, 7};
    RECT to = {100, 200, 110, 205};
    ASSERT_EQ(back->Blt(&to, source, &from, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(read(back, 100, 200), 5 + 2000);
    EXPECT_EQ(read(back, 109, 204), 14 + 6000);
    EXPECT_EQ(read(back, 110, 204), 0);
    EXPECT_EQ(read(back, 99, 200), 0);

    // Twice the size: nearest pixels.
    RECT big = {300, 300, 320, 310};
    ASSERT_EQ(back->Blt(&big, source, &from, 0, nullptr), DD_OK);
    EXPECT_EQ(read(back, 300, 300), 5 + 2000);
    EXPECT_EQ(read(back, 301, 301), 5 + 2000);
    EXPECT_EQ(read(back, 302, 302), 6 + 3000);
    EXPECT_EQ(read(back, 319, 309), 14 + 6000);

    fx.dwFillColor = 0xABCD;
    RECT fill = {0, 0, 2, 3};
    ASSERT_EQ(back->Blt(&fill, nullptr, nullptr, DDBLT_COLORFILL, &fx), DD_OK);
    EXPECT_EQ(read(back, 1, 2), 0xABCD);
    EXPECT_EQ(read(back, 2, 2), 0);
    fx.dwSize = 96;
    EXPECT_EQ(back->Blt(&fill, nullptr, nullptr, DDBLT_COLORFILL, &fx), DDERR_INVALIDPARAMS);

    // Rectangles not inside are refused and nothing is written.
    RECT past = {635, 0, 645, 5};
    EXPECT_EQ(back->Blt(&past, source, &from, 0, nullptr), DDERR_INVALIDRECT);
    RECT sourcePast = {60, 0, 70, 5};
    EXPECT_EQ(back->Blt(&to, source, &sourcePast, 0, nullptr), DDERR_INVALIDRECT);
    fx.dwSize = sizeof fx;
    EXPECT_EQ(back->Blt(&past, nullptr, nullptr, DDBLT_COLORFILL, &fx), DDERR_INVALIDRECT);
    EXPECT_EQ(read(back, 635, 0), 0);
    EXPECT_EQ(read(back, 639, 4), 0);

    // Whole surfaces of one size.
    LPDIRECTDRAWSURFACE copy = offscreen(64, 32);
    ASSERT_EQ(copy->Blt(nullptr, source, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(read(copy, 0, 0), 1);
    EXPECT_EQ(read(copy, 63, 31), 64 + 31000);
    EXPECT_EQ(read(copy, 17, 9), 18 + 9000);
    copy->Release();
    source->Release();
}

TEST_F(DirectDrawTest, OverlappingBltWithinOneSurfaceReadsTheOldPixels) {
    openFullScreen();
    LPDIRECTDRAWSURFACE surface = offscreen(16, 16);
    number(surface);
    RECT from = {0, 0, 8, 8};
    RECT down = {2, 3, 10, 11};
    ASSERT_EQ(surface->Blt(&down, surface, &from, 0, nullptr), DD_OK);
    EXPECT_EQ(read(surface, 2, 3), 1);
    EXPECT_EQ(read(surface, 9, 10), 8 + 7000);
    number(surface);
    RECT up = {0, 0, 8, 8};
    RECT lower = {3, 5, 11, 13};
    ASSERT_EQ(surface->Blt(&up, surface, &lower, 0, nullptr), DD_OK);
    EXPECT_EQ(read(surface, 0, 0), 4 + 5000);
    EXPECT_EQ(read(surface, 7, 7), 11 + 12000);
    // Whole rows, moved down by two.
    number(surface);
    RECT top = {0, 0, 16, 14};
    RECT shifted = {0, 2, 16, 16};
    ASSERT_EQ(surface->Blt(&shifted, surface, &top, 0, nullptr), DD_OK);
    EXPECT_EQ(read(surface, 0, 2), 1);
    EXPECT_EQ(read(surface, 15, 15), 16 + 13000);
    EXPECT_EQ(read(surface, 15, 1), 16 + 1000);
    surface->Release();
}

TEST_F(DirectDrawTest, FlipExchangesThePagesAndShowsTheDrawnOne) {
    openFullScreen();
    DDSURFACEDESC before = description();
    back->Lock(nullptr, &before, DDLOCK_WAIT, nullptr);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            *pixel(before, x, y) = static_cast<WORD>(x ^ y);
    back->Unlock(nullptr);

    auto& screen = dynamic_cast<luma::HeadlessScreen&>(luma::backend().screen());
    screen.keepPages(true);
    uint64_t frames = screen.lastPage().frameNumber;
    DWORD start = GetTickCount();
    ASSERT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DD_OK);
    EXPECT_EQ(GetTickCount() - start, 16u);

    DDSURFACEDESC front = description();
    primary->Lock(nullptr, &front, DDLOCK_WAIT, nullptr);
    EXPECT_EQ(front.lpSurface, before.lpSurface);
    primary->Unlock(nullptr);

    const luma::ShownPage& shown = screen.lastPage();
    EXPECT_EQ(shown.frameNumber, frames + 1);
    ASSERT_EQ(shown.width, 640);
    ASSERT_EQ(shown.height, 480);
    int wrong = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            wrong += shown.pixels[static_cast<size_t>(y) * 640 + x] != (x ^ y);
    EXPECT_EQ(wrong, 0);

    LPDIRECTDRAWSURFACE plain = offscreen(8, 8);
    EXPECT_EQ(plain->Flip(nullptr, DDFLIP_WAIT), DDERR_NOTFLIPPABLE);
    plain->Release();
}

TEST_F(DirectDrawTest, InterfacesShareOneCountAndTheBackBufferGoesWithItsChain) {
    openFullScreen();
    LPDIRECTDRAWSURFACE2 second = nullptr;
    ASSERT_EQ(primary->QueryInterface(IID_IDirectDrawSurface2, reinterpret_cast<void**>(&second)),
              DD_OK);
    EXPECT_EQ(static_cast<void*>(second) == static_cast<void*>(primary), false);
    EXPECT_EQ(primary->Release(), 1u);
    primary = nullptr;
    void* none = reinterpret_cast<void*>(1);
    EXPECT_EQ(second->QueryInterface(IID_IDirectDraw, &none), E_NOINTERFACE);
    EXPECT_EQ(none, nullptr);

    // Through the second interface the chain still flips and the back buffer is found.
    DDSCAPS caps = {DDSCAPS_BACKBUFFER};
    LPDIRECTDRAWSURFACE2 back2 = nullptr;
    ASSERT_EQ(second->GetAttachedSurface(&caps, &back2), DD_OK);
    // The chain's own reference, the one taken when the display opened, and this one.
    EXPECT_EQ(back2->Release(), 2u);
    EXPECT_EQ(second->Flip(nullptr, DDFLIP_WAIT), DD_OK);
    back->Release();
    back = nullptr;
    // The last reference of the front takes the whole chain with it.
    EXPECT_EQ(second->Release(), 0u);
}

TEST_F(DirectDrawTest, DeviceContextsOnSurfacesConvertColoursToTheirFormat) {
    for (int format : {565, 555}) {
        SCOPED_TRACE(format);
        LumaSetPixelFormat(format);
        openFullScreen();
        LPDIRECTDRAWSURFACE surface = offscreen(4, 4);
        HDC dc = nullptr;
        ASSERT_EQ(surface->GetDC(&dc), DD_OK);
        HDC again = nullptr;
        EXPECT_EQ(surface->GetDC(&again), DDERR_DCALREADYCREATED);
        SetPixel(dc, 0, 0, RGB(255, 0, 0));
        SetPixel(dc, 1, 0, RGB(0, 255, 0));
        SetPixel(dc, 2, 0, RGB(0, 0, 255));
        SetPixel(dc, 3, 0, RGB(255, 255, 255));
        // GDI reads back the widened colour of the stored pixel.
        SetPixel(dc, 0, 1, RGB(0x84, 0x82, 0x84));
        EXPECT_EQ(GetPixel(dc, 0, 1),
                  format == 565 ? RGB(0x84, 0x82, 0x84) : RGB(0x84, 0x84, 0x84));
        EXPECT_EQ(GetPixel(dc, 4, 0), CLR_INVALID);
        EXPECT_EQ(surface->ReleaseDC(reinterpret_cast<HDC>(1)), DDERR_INVALIDPARAMS);
        ASSERT_EQ(surface->ReleaseDC(dc), DD_OK);
        if (format == 565) {
            EXPECT_EQ(read(surface, 0, 0), 0xF800);
            EXPECT_EQ(read(surface, 1, 0), 0x07E0);
            EXPECT_EQ(read(surface, 3, 0), 0xFFFF);
        } else {
            EXPECT_EQ(read(surface, 0, 0), 0x7C00);
            EXPECT_EQ(read(surface, 1, 0), 0x03E0);
            EXPECT_EQ(read(surface, 3, 0), 0x7FFF);
        }
        EXPECT_EQ(read(surface, 2, 0), 0x001F);
        surface->Release();
        closeDisplay();
    }
}

TEST_F(DirectDrawTest, DrawingOnTheShownPageShowsAtOnceWithoutAFrame) {
    openFullScreen();
    auto& screen = dynamic_cast<luma::HeadlessScreen&>(luma::backend().screen());
    screen.keepPages(true);
    uint64_t frames = screen.lastPage().frameNumber;
    DWORD start = GetTickCount();
    DDSURFACEDESC front = description();
    ASSERT_EQ(primary->Lock(nullptr, &front, DDLOCK_WAIT, nullptr), DD_OK);
    *pixel(front, 7, 5) = 0x1234;
    primary->Unlock(nullptr);
    ASSERT_EQ(screen.lastPage().width, 640);
    EXPECT_EQ(screen.lastPage().pixels[5 * 640 + 7], 0x1234);

    DDBLTFX fx;
    std::memset(&fx, 0, sizeof fx);
    fx.dwSize = sizeof fx;
    fx.dwFillColor = 0x4321;
    RECT corner = {630, 470, 640, 480};
    ASSERT_EQ(primary->Blt(&corner, nullptr, nullptr, DDBLT_COLORFILL, &fx), DD_OK);
    EXPECT_EQ(screen.lastPage().pixels[479 * 640 + 639], 0x4321);
    // The back buffer is not on screen: drawing there shows nothing yet.
    ASSERT_EQ(back->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx), DD_OK);
    EXPECT_EQ(screen.lastPage().pixels[0], 0);
    EXPECT_EQ(screen.lastPage().frameNumber, frames);
    EXPECT_EQ(GetTickCount(), start);
}

TEST_F(DirectDrawTest, VerticalBlankIsWaitedForWithoutAnEvent) {
    openFullScreen();
    EXPECT_EQ(directDraw->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN, nullptr), DD_OK);
    EXPECT_EQ(directDraw->WaitForVerticalBlank(DDWAITVB_BLOCKBEGINEVENT, nullptr),
              DDERR_UNSUPPORTED);
    DDSURFACEDESC mode = description();
    ASSERT_EQ(directDraw->GetDisplayMode(&mode), DD_OK);
    EXPECT_EQ(mode.dwWidth, 640u);
    EXPECT_EQ(mode.dwHeight, 480u);
    EXPECT_EQ(mode.ddpfPixelFormat.dwRGBBitCount, 16u);
}

} // namespace
