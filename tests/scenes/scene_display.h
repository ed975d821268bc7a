// The demo's base object and a full-screen display in one pixel layout (the test's
// parameter: 565 or 555), in a directory of its own, for scene tests that need images,
// text or the back buffer.
#pragma once

#include "screen_buffer.h"
#include "temp_directory.h"

#include <gtest/gtest.h>

#include <string>

class TBitmap;

class SceneTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override;
    void TearDown() override;

    unsigned long graphicsMode() const { return GetParam() == 565 ? 2 : 1; }
    unsigned short white() const { return GetParam() == 565 ? 0xFFFF : 0x7FFF; }
    std::string log() const { return directory.read("Glimmerfall.log"); }
    // A 256 x 256 image whose pixel n (row n / 256, column n mod 256) holds n.
    TBitmap* numberedTexture();
    // An image of the given size attached to a plane of pixels all set to `pixel`.
    TBitmap* plainImage(unsigned int width, unsigned int height, unsigned short pixel);
    void fillBackBuffer(unsigned short pixel);
    // The 640 x 480 pixels on screen (after a frame's flip).
    void readShownPage(ScreenBuffer& screen);

    TempDirectory directory;
};

// Runs each test of a suite once in each graphics mode.
#define INSTANTIATE_IN_BOTH_GRAPHICS_MODES(suite)                                                  \
    INSTANTIATE_TEST_SUITE_P(Modes, suite, ::testing::Values(565, 555),                            \
                             [](const ::testing::TestParamInfo<int>& info) {                       \
                                 return "rgb" + std::to_string(info.param);                        \
                             })
