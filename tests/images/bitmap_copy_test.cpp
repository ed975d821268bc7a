#include "display_fixture.h"

#include <TBitmap.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

class BitmapCopyTest : public DisplayTest {
protected:
    // 3 x 2 colours 0x0100 + index, alpha 10 × index.
    void fillSource(TBitmap& image) {
        image.width = 3;
        image.height = 2;
        image.rgbData = static_cast<unsigned short*>(std::malloc(6 * 2));
        image.alphaData = static_cast<unsigned char*>(std::malloc(6));
        for (int i = 0; i < 6; ++i) {
            image.rgbData[i] = static_cast<unsigned short>(0x0100 + i);
            image.alphaData[i] = static_cast<unsigned char>(10 * i);
        }
    }
};

TEST_P(BitmapCopyTest, CopyIsIndependentAndSizedOnlyWithABuffer) {
    TBitmap source(display);
    fillSource(source);
    TBitmap copy(source);
    ASSERT_EQ(copy.width, 3u);
    ASSERT_EQ(copy.height, 2u);
    EXPECT_NE(copy.rgbData, source.rgbData);
    EXPECT_EQ(std::memcmp(copy.rgbData, source.rgbData, 12), 0);
    EXPECT_EQ(std::memcmp(copy.alphaData, source.alphaData, 6), 0);
    EXPECT_EQ(copy.directDraw, display);
    EXPECT_EQ(copy.base, base);

    TBitmap sizedOnly(display);
    sizedOnly.width = 5;
    sizedOnly.height = 5;
    TBitmap emptyCopy(sizedOnly);
    EXPECT_EQ(emptyCopy.width, 0u);
    EXPECT_EQ(emptyCopy.height, 0u);
    EXPECT_EQ(emptyCopy.rgbData, nullptr);
    EXPECT_EQ(emptyCopy.alphaData, nullptr);
}

TEST_P(BitmapCopyTest, SubRectangleCopiesRowsAndColumns) {
    TBitmap source(display);
    fillSource(source);
    RECT right = {1, 0, 3, 2};
    TBitmap part(source, right);
    ASSERT_EQ(part.width, 2u);
    ASSERT_EQ(part.height, 2u);
    EXPECT_EQ(std::vector<uint16_t>(part.rgbData, part.rgbData + 4),
              (std::vector<uint16_t>{0x0101, 0x0102, 0x0104, 0x0105}));
    EXPECT_EQ(std::vector<uint8_t>(part.alphaData, part.alphaData + 4),
              (std::vector<uint8_t>{10, 20, 40, 50}));

    RECT line = {2, 0, 2, 2};
    TBitmap thin(source, line);
    EXPECT_EQ(thin.width, 0u);
    EXPECT_EQ(thin.height, 2u);
    EXPECT_EQ(thin.rgbData, nullptr);
    EXPECT_EQ(thin.alphaData, nullptr);

    // Reaching past the source: the size is kept, nothing is read.
    RECT past = {2, 1, 5, 2};
    TBitmap outside(source, past);
    EXPECT_EQ(outside.width, 3u);
    EXPECT_EQ(outside.rgbData, nullptr);
}

TEST_P(BitmapCopyTest, SurfaceRectangleIsCopiedWithoutAlpha) {
    LPSURFACE surface = makeSurface(8, 4);
    fill(surface, 0x0000);
    setPixel(surface, 2, 1, 0x1111);
    setPixel(surface, 4, 2, 0x2222);
    RECT rect = display->CreateRect(2, 1, 3, 2);
    TBitmap copy(display, surface, rect);
    ASSERT_EQ(copy.width, 3u);
    ASSERT_EQ(copy.height, 2u);
    EXPECT_EQ(copy.alphaData, nullptr);
    EXPECT_EQ(std::vector<uint16_t>(copy.rgbData, copy.rgbData + 6),
              (std::vector<uint16_t>{0x1111, 0, 0, 0, 0, 0x2222}));
    EXPECT_TRUE(canLock(surface));
    EXPECT_EQ(newLog(), "");
}

TEST_P(BitmapCopyTest, SurfaceThatCannotBeLockedLeavesAnEmptyImage) {
    LPSURFACE surface = makeSurface(8, 4);
    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    ASSERT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    RECT rect = display->CreateRect(0, 0, 2, 2);
    TBitmap copy(display, surface, rect);
    surface->Unlock(nullptr);
    EXPECT_EQ(copy.width, 0u);
    EXPECT_EQ(copy.height, 0u);
    char text[128];
    display->getErrorString(DDERR_SURFACEBUSY, text);
    EXPECT_EQ(newLog(),
              std::string("TBitmap::TBitmap(LPSURFACE) - SurfaceLock failed!\n\n") + text + "\n");
}

INSTANTIATE_FOR_BOTH_LAYOUTS(BitmapCopyTest);

} // namespace
