#include "display_fixture.h"

#include <luma/platform.h>

#include <cstring>
#include <filesystem>
#include <vector>

namespace {

// 100 x 50: left half red, right half blue, the top 10 rows green over both, and the
// bottom-right pixel white.
const char* const patternPicture =
    "-size 100x50 xc:blue +antialias -fill red -draw 'rectangle 0,0 49,49' "
    "-fill lime -draw 'rectangle 0,0 99,9' -fill white -draw 'point 99,49' -type TrueColor";

struct Colours {
    WORD red, green, blue, white;
};
const Colours rgb565 = {0xF800, 0x07E0, 0x001F, 0xFFFF};
const Colours rgb555 = {0x7C00, 0x03E0, 0x001F, 0x7FFF};

class SurfaceTest : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        std::filesystem::create_directory("images");
        ASSERT_TRUE(convertImage(patternPicture, "BMP3", "images/pattern.bmp"));
    }

    // Each column's pixels hold the column's number plus one.
    LPSURFACE numberedColumns(TDirectDraw& display, int width, int height) {
        LPSURFACE surface = nullptr;
        EXPECT_TRUE(display.CreateSurface(surface, width, height, nullptr));
        DDSURFACEDESC desc;
        std::memset(&desc, 0, sizeof desc);
        desc.dwSize = sizeof desc;
        EXPECT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
        for (int y = 0; y < height; ++y) {
            WORD* row =
                reinterpret_cast<WORD*>(static_cast<BYTE*>(desc.lpSurface) + y * desc.lPitch);
            for (int x = 0; x < width; ++x)
                row[x] = static_cast<WORD>(x + 1);
        }
        surface->Unlock(nullptr);
        return surface;
    }
};

TEST_F(SurfaceTest, BitmapFillsASurfaceOfItsOwnSizeInEitherFormat) {
    for (int format : {565, 555}) {
        SCOPED_TRACE(format);
        LumaSetPixelFormat(format);
        const Colours& c = format == 565 ? rgb565 : rgb555;
        auto display = openDisplay();
        LPSURFACE surface = nullptr;
        ASSERT_TRUE(display->CreateSurface(surface, 0, 0, "images\\PATTERN.bmp"));
        int width = 0, height = 0;
        surfaceSize(surface, width, height);
        EXPECT_EQ(width, 100);
        EXPECT_EQ(height, 50);
        EXPECT_EQ(pixelAt(surface, 0, 0), c.green);
        EXPECT_EQ(pixelAt(surface, 99, 9), c.green);
        EXPECT_EQ(pixelAt(surface, 10, 20), c.red);
        EXPECT_EQ(pixelAt(surface, 49, 49), c.red);
        EXPECT_EQ(pixelAt(surface, 50, 10), c.blue);
        EXPECT_EQ(pixelAt(surface, 99, 49), c.white);
        surface->Release();
    }
}

TEST_F(SurfaceTest, LargerSurfaceIsTiledWithTheBitmap) {
    auto display = openDisplay();
    LPSURFACE wide = nullptr;
    ASSERT_TRUE(display->CreateSurface(wide, 200, 50, "images/pattern.bmp"));
    int width = 0, height = 0;
    surfaceSize(wide, width, height);
    EXPECT_EQ(width, 200);
    EXPECT_EQ(height, 50);
    EXPECT_EQ(pixelAt(wide, 110, 20), rgb565.red);
    EXPECT_EQ(pixelAt(wide, 160, 20), rgb565.blue);
    EXPECT_EQ(pixelAt(wide, 150, 5), rgb565.green);
    EXPECT_EQ(pixelAt(wide, 99, 49), rgb565.white);
    EXPECT_EQ(pixelAt(wide, 199, 49), rgb565.white);
    wide->Release();

    // Taller: the bitmap's first 30 rows repeat below it.
    LPSURFACE tall = nullptr;
    ASSERT_TRUE(display->CreateSurface(tall, 0, 80, "images/pattern.bmp"));
    surfaceSize(tall, width, height);
    EXPECT_EQ(width, 100);
    EXPECT_EQ(height, 80);
    EXPECT_EQ(pixelAt(tall, 10, 55), rgb565.green);
    EXPECT_EQ(pixelAt(tall, 10, 59), rgb565.green);
    EXPECT_EQ(pixelAt(tall, 10, 60), rgb565.red);
    EXPECT_EQ(pixelAt(tall, 60, 79), rgb565.blue);
    EXPECT_EQ(pixelAt(tall, 99, 49), rgb565.white);
    EXPECT_EQ(pixelAt(tall, 99, 79), rgb565.blue);
    tall->Release();
}

TEST_F(SurfaceTest, StretchedBitmapCoversTheWholeSurface) {
    auto display = openDisplay();
    LPSURFACE surface = nullptr;
    ASSERT_TRUE(display->CreateSurface(surface, 200, 100, nullptr));
    ASSERT_TRUE(display->LoadBitmap(surface, "images/pattern.bmp", true));
    // Twice the size: every bitmap pixel becomes a 2 x 2 block.
    EXPECT_EQ(pixelAt(surface, 19, 19), rgb565.green);
    EXPECT_EQ(pixelAt(surface, 19, 20), rgb565.red);
    EXPECT_EQ(pixelAt(surface, 99, 50), rgb565.red);
    EXPECT_EQ(pixelAt(surface, 100, 50), rgb565.blue);
    EXPECT_EQ(pixelAt(surface, 197, 97), rgb565.blue);
    EXPECT_EQ(pixelAt(surface, 198, 98), rgb565.white);
    EXPECT_EQ(pixelAt(surface, 199, 99), rgb565.white);
    surface->Release();
}

TEST_F(SurfaceTest, MissingOrUnreadableBitmapFailsWithItsLogLine) {
    ASSERT_TRUE(convertImage("-size 100x50 gradient:black-white -type Palette -compress RLE",
                             "BMP3", "images/compressed.bmp"));
    auto display = openDisplay();
    LPSURFACE surface = reinterpret_cast<LPSURFACE>(1);
    EXPECT_FALSE(display->CreateSurface(surface, 0, 0, "images/missing.bmp"));
    EXPECT_EQ(surface, nullptr);
    EXPECT_FALSE(display->CreateSurface(surface, 0, 0, "images/compressed.bmp"));
    EXPECT_EQ(surface, nullptr);

    LPSURFACE empty = nullptr;
    ASSERT_TRUE(display->CreateSurface(empty, 64, 32, nullptr));
    int width = 0, height = 0;
    surfaceSize(empty, width, height);
    EXPECT_EQ(width, 64);
    EXPECT_EQ(height, 32);
    EXPECT_FALSE(display->LoadBitmap(empty, "images/missing.bmp", false));
    EXPECT_FALSE(display->LoadBitmap(empty, nullptr, false));
    empty->Release();
    display.reset();

    std::string log = closeAndReadLog();
    std::string line = "CreateSurface(LPSURFACE, int, int, const char*) - LoadImage() failed.\n";
    size_t first = log.find(line);
    ASSERT_NE(first, std::string::npos);
    EXPECT_NE(log.find(line, first + 1), std::string::npos);
    EXPECT_NE(log.find("LoadBitmap(\"images/missing.bmp\") - LoadImage() failed,\n"),
              std::string::npos);
}

TEST_F(SurfaceTest, BlitClipsOneEdgeAndWritesTheClippedRectangleBack) {
    auto display = openDisplay();
    LPSURFACE back = display->lpBack;
    LPSURFACE source = numberedColumns(*display, 100, 20);

    display->ClearSurface(back, 0);
    RECT rect = display->CreateRect(0, 0, 100, 20);
    EXPECT_EQ(display->Blit(back, -10, 5, source, &rect, 0), 1);
    EXPECT_EQ(rect.left, 10);
    EXPECT_EQ(rect.right, 100);
    EXPECT_EQ(pixelAt(back, 0, 5), 11);
    EXPECT_EQ(pixelAt(back, 89, 24), 100);
    EXPECT_EQ(pixelAt(back, 90, 5), 0);
    EXPECT_EQ(pixelAt(back, 0, 4), 0);

    display->ClearSurface(back, 0);
    rect = display->CreateRect(0, 0, 100, 20);
    EXPECT_EQ(display->Blit(back, 600, 470, source, &rect, 0), 1);
    EXPECT_EQ(rect.right, 40);
    EXPECT_EQ(rect.bottom, 10);
    EXPECT_EQ(pixelAt(back, 600, 470), 1);
    EXPECT_EQ(pixelAt(back, 639, 479), 40);
    EXPECT_EQ(pixelAt(back, 599, 470), 0);

    display->ClearSurface(back, 0);
    struct Outside {
        int x, y;
    };
    // From the last column on, and wholly left of or above the surface: nothing drawn.
    for (Outside at : {Outside{639, 5}, Outside{5, 479}, Outside{-100, 5}, Outside{5, -20}}) {
        rect = display->CreateRect(0, 0, 100, 20);
        EXPECT_EQ(display->Blit(back, at.x, at.y, source, &rect, 0), 1);
        EXPECT_EQ(rect.left, 0);
        EXPECT_EQ(rect.right, 100);
    }
    EXPECT_EQ(pixelAt(back, 639, 5), 0);
    EXPECT_EQ(pixelAt(back, 5, 479), 0);
    source->Release();
}

TEST_F(SurfaceTest, BlitWiderThanTheSurfaceOnBothSidesIsRefused) {
    auto display = openDisplay();
    LPSURFACE back = display->lpBack;
    LPSURFACE source = numberedColumns(*display, 700, 20);
    display->ClearSurface(back, 0);
    RECT rect = display->CreateRect(0, 0, 700, 20);
    EXPECT_EQ(display->Blit(back, -10, 5, source, &rect, 0), 0);
    EXPECT_EQ(rect.left, 10);
    for (int x : {0, 320, 639})
        EXPECT_EQ(pixelAt(back, x, 5), 0);
    source->Release();
}

TEST_F(SurfaceTest, ClearSurfaceFillsEveryPixelInEitherFormat) {
    for (int format : {565, 555}) {
        SCOPED_TRACE(format);
        LumaSetPixelFormat(format);
        auto display = openDisplay();
        for (WORD colour : {display->wWhite, WORD(0)}) {
            ASSERT_EQ(display->ClearSurface(display->lpBack, colour), DD_OK);
            DDSURFACEDESC desc;
            std::memset(&desc, 0, sizeof desc);
            desc.dwSize = sizeof desc;
            ASSERT_EQ(display->lpBack->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
            int wrong = 0;
            for (int y = 0; y < 480; ++y) {
                const WORD* row = reinterpret_cast<const WORD*>(
                    static_cast<const BYTE*>(desc.lpSurface) + y * desc.lPitch);
                for (int x = 0; x < 640; ++x)
                    wrong += row[x] != colour;
            }
            display->lpBack->Unlock(nullptr);
            EXPECT_EQ(wrong, 0) << "colour " << colour;
        }
    }
}

TEST_F(SurfaceTest, FlipShowsTheBackBufferAndHandsBackTheFormerFront) {
    auto display = openDisplay();
    display->ClearSurface(display->lpBack, 0x1111);
    ASSERT_EQ(display->Flip(), 1);
    display->ClearSurface(display->lpBack, 0x2222);
    DWORD before = GetTickCount();
    ASSERT_EQ(display->Flip(), 1);
    DWORD after = GetTickCount();
    // The page drawn before the last flip is the one to draw into now.
    EXPECT_EQ(pixelAt(display->lpBack, 320, 240), 0x1111);
    // Headless time moves on by one frame of 60 per second.
    EXPECT_GE(after - before, 16u);
    EXPECT_LE(after - before, 17u);
}

TEST_F(SurfaceTest, ColorMatchLetsTheSurfaceSayItsPixelForAColour) {
    for (int format : {565, 555}) {
        SCOPED_TRACE(format);
        LumaSetPixelFormat(format);
        const Colours& c = format == 565 ? rgb565 : rgb555;
        auto display = openDisplay();
        LPSURFACE surface = nullptr;
        ASSERT_TRUE(display->CreateSurface(surface, 1, 1, nullptr));
        display->ClearSurface(surface, 0x0421);
        EXPECT_EQ(display->ColorMatch(surface, RGB(255, 0, 0)), c.red);
        EXPECT_EQ(display->ColorMatch(surface, RGB(0, 255, 0)), c.green);
        EXPECT_EQ(display->ColorMatch(surface, RGB(255, 255, 255)), c.white);
        // The pixel borrowed for the question is given back.
        EXPECT_EQ(pixelAt(surface, 0, 0), 0x0421);
        // Without a colour: the pixel as it is, untouched.
        EXPECT_EQ(display->ColorMatch(surface, CLR_INVALID), 0x0421u);
        EXPECT_EQ(pixelAt(surface, 0, 0), 0x0421);
        surface->Release();
    }
}

TEST_F(SurfaceTest, CreateRectTakesCornerAndSize) {
    auto display = openDisplay(0);
    RECT rect = display->CreateRect(10, 20, 30, 40);
    EXPECT_EQ(rect.left, 10);
    EXPECT_EQ(rect.top, 20);
    EXPECT_EQ(rect.right, 40);
    EXPECT_EQ(rect.bottom, 60);
}

TEST_F(SurfaceTest, DescriptionBasedCreateSurfaceChangesTheCallersCaps) {
    auto display = openDisplay();
    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
    desc.dwWidth = 32;
    desc.dwHeight = 16;
    desc.ddsCaps.dwCaps = DDSCAPS_SYSTEMMEMORY;
    LPSURFACE surface = nullptr;
    ASSERT_TRUE(display->CreateSurface(surface, desc));
    EXPECT_EQ(desc.ddsCaps.dwCaps, static_cast<DWORD>(DDSCAPS_OFFSCREENPLAIN));
    surface->Release();

    desc.dwWidth = 0;
    testing::internal::CaptureStderr();
    LPSURFACE refused = nullptr;
    EXPECT_FALSE(display->CreateSurface(refused, desc));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "[DirectDraw] CreateSurface() failed!\n\nInvalid parameters!\n");
    EXPECT_EQ(refused, nullptr);
}

} // namespace
