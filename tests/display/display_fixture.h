// An engine with a window on the headless backend, in a scratch directory, for the
// display's tests; and the few helpers they share.
#pragma once

#include "temp_directory.h"

#include <TDirectDraw.h>
#include <TLumaBase.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

class DisplayTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A display opened as the demo opens it (full screen unless told otherwise).
    std::unique_ptr<TDirectDraw> openDisplay(DWORD fullscreen = 1);
    // The log so far (the base object is closed first, so everything is written).
    std::string closeAndReadLog();

    TempDirectory directory;
    std::unique_ptr<TLumaBase> base;
    HWND window = nullptr;
};

// Runs ImageMagick's convert with the arguments, writing `file` in the given format
// ("BMP3"); true when it made the file.
bool convertImage(const std::string& arguments, const std::string& format, const std::string& file);

// One pixel of a surface, through a lock of the whole surface.
WORD pixelAt(LPSURFACE surface, int x, int y);
void surfaceSize(LPSURFACE surface, int& width, int& height);
