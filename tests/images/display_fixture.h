// A full-screen display in the pixel layout the test is run with (565 or 555), a log to read,
// and helpers to put pixels on surfaces and read them back.
#pragma once

#include "temp_directory.h"

#include <TDirectDraw.h>
#include <TLumaBase.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

class DisplayTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override;
    void TearDown() override;

    bool is565() const { return GetParam() == 565; }
    // What the log received since the display opened.
    std::string newLog();

    // An off-screen surface of the display, released at the end of the test.
    LPSURFACE makeSurface(int width, int height);
    void fill(LPSURFACE surface, uint16_t pixel);
    uint16_t pixelAt(LPSURFACE surface, int x, int y);
    void setPixel(LPSURFACE surface, int x, int y, uint16_t pixel);
    // Whether the surface can be locked as a whole (it is not left locked).
    bool canLock(LPSURFACE surface);

    TempDirectory directory;
    TLumaBase* base = nullptr;
    HWND window = nullptr;
    TDirectDraw* display = nullptr;
    std::vector<LPSURFACE> surfaces;
    size_t logStart = 0;
};

// Runs each test of a suite once for each pixel layout.
#define INSTANTIATE_FOR_BOTH_LAYOUTS(suite)                                                        \
    INSTANTIATE_TEST_SUITE_P(Layouts, suite, ::testing::Values(565, 555),                          \
                             [](const ::testing::TestParamInfo<int>& info) {                       \
                                 return "rgb" + std::to_string(info.param);                        \
                             })
