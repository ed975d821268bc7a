#include "display_fixture.h"

#include <luma/platform.h>

#include <cstring>

namespace {

int countDevices(const TDirectDraw& display) {
    int count = 0;
    for (const DeviceEntry* entry = display.lpDevices; entry; entry = entry->next)
        ++count;
    return count;
}

bool isZero(const GUID& guid) {
    GUID zero;
    std::memset(&zero, 0, sizeof zero);
    return std::memcmp(&guid, &zero, sizeof guid) == 0;
}

TEST_F(DisplayTest, NormalRunLogsEachStepAndOneEnumerationPairPerDevice) {
    auto display = openDisplay();
    ASSERT_EQ(countDevices(*display), 2);
    display.reset();
    EXPECT_EQ(closeAndReadLog(), "Initializing DirectDraw:\n"
                                 "  Enumerating Primary Display Driver:\n"
                                 "  done.\n"
                                 "  Enumerating Headless display:\n"
                                 "  done.\n"
                                 "done.\n"
                                 "De-initializing DirectDraw:\n"
                                 "  Releasing DirectDraw interfaces:\n"
                                 "  done.\n"
                                 "done.\n");
}

TEST_F(DisplayTest, DevicesAreListedInOrderThePrimaryDriverWithoutGuid) {
    auto display = openDisplay();
    const DeviceEntry* first = display->lpDevices;
    ASSERT_NE(first, nullptr);
    ASSERT_NE(first->next, nullptr);
    EXPECT_TRUE(isZero(first->guid));
    EXPECT_STREQ(first->description, "Primary Display Driver");
    EXPECT_STREQ(first->name, "display");
    EXPECT_FALSE(isZero(first->next->guid));
    EXPECT_STREQ(first->next->description, "Headless display");

    // The same display gets the same GUID every time it is enumerated.
    auto again = openDisplay(0);
    EXPECT_EQ(std::memcmp(&again->lpDevices->next->guid, &first->next->guid, sizeof(GUID)), 0);
}

TEST_F(DisplayTest, FullScreenOpensTheFlipChainWithTheGraphicsModeOfTheGreenMask) {
    struct Case {
        int format;
        DWORD greenMask;
        DWORD graphicsMode;
        WORD white;
    };
    for (Case c : {Case{565, 0x07E0, 2, 0xFFFF}, Case{555, 0x03E0, 1, 0x7FFF}}) {
        SCOPED_TRACE(c.format);
        LumaSetPixelFormat(c.format);
        auto display = openDisplay();
        ASSERT_NE(display->lpDD, nullptr);
        ASSERT_NE(display->lpPrimary, nullptr);
        ASSERT_NE(display->lpBack, nullptr);
        DDSURFACEDESC desc;
        std::memset(&desc, 0, sizeof desc);
        desc.dwSize = 108;
        ASSERT_EQ(display->lpBack->GetSurfaceDesc(&desc), DD_OK);
        EXPECT_EQ(desc.dwWidth, 640u);
        EXPECT_EQ(desc.dwHeight, 480u);
        EXPECT_EQ(desc.ddpfPixelFormat.dwGBitMask, c.greenMask);
        EXPECT_EQ(display->dwGraphicsMode, c.graphicsMode);
        EXPECT_EQ(display->wWhite, c.white);
    }
}

TEST_F(DisplayTest, PixelFormatComesFromTheEnvironmentWhenTheProgramDoesNotChoose) {
    ::setenv("LUMA_PIXEL_FORMAT", "555", 1);
    auto display = openDisplay();
    ::unsetenv("LUMA_PIXEL_FORMAT");
    EXPECT_EQ(display->dwGraphicsMode, 1u);
    LumaSetPixelFormat(565);
    ::setenv("LUMA_PIXEL_FORMAT", "555", 1);
    auto chosen = openDisplay(0);
    ::unsetenv("LUMA_PIXEL_FORMAT");
    EXPECT_EQ(chosen->dwGraphicsMode, 2u);
}

TEST_F(DisplayTest, FirstRunStartsOnThePrimaryDeviceAndSavesItOnDestruction) {
    auto display = openDisplay();
    EXPECT_TRUE(isZero(display->guidDevice));
    display.reset();
    char value[128] = {};
    DWORD size = sizeof value;
    DWORD type = 0;
    ASSERT_EQ(RegQueryValueExA(base->hKey, "TDirectDraw::guidDevice", nullptr, &type,
                               reinterpret_cast<BYTE*>(value), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(std::string(value, size).c_str(),
              std::string("{00000000-0000-0000-0000-000000000000}"));
}

TEST_F(DisplayTest, StoredDeviceIsOpenedOnTheNextRun) {
    GUID headless;
    {
        auto display = openDisplay();
        headless = display->lpDevices->next->guid;
        display->setDevice(headless);
        EXPECT_NE(display->lpBack, nullptr);
    }
    auto display = openDisplay();
    EXPECT_EQ(std::memcmp(&display->guidDevice, &headless, sizeof headless), 0);
    EXPECT_NE(display->lpBack, nullptr);
}

TEST_F(DisplayTest, ValueThatFillsTheWholeBufferIsNotReadBeyond) {
    // The type is not checked: a binary value comes without a terminator.
    std::string separators(128, '-');
    RegSetValueExA(base->hKey, "TDirectDraw::guidDevice", 0, REG_BINARY,
                   reinterpret_cast<const BYTE*>(separators.data()), 128);
    auto display = openDisplay();
    EXPECT_TRUE(isZero(display->guidDevice));
    EXPECT_NE(display->lpBack, nullptr);
}

TEST_F(DisplayTest, SetDeviceWithAnUnknownGuidShowsTheBoxAndStaysClosed) {
    auto display = openDisplay();
    GUID unknown;
    str2GUID("{01234567-89AB-CDEF-0123-456789ABCDEF}", &unknown);
    testing::internal::CaptureStderr();
    display->setDevice(unknown);
    std::string boxes = testing::internal::GetCapturedStderr();
    EXPECT_EQ(boxes, "[DirectDraw] Unable to initialize DirectDraw(tm)!\n\n"
                     "Not a valid DirectDraw(tm) driver!\n(Wrong GUID!)\n");
    EXPECT_EQ(display->lpDD, nullptr);
    EXPECT_EQ(display->lpPrimary, nullptr);
    EXPECT_EQ(display->lpBack, nullptr);
    EXPECT_EQ(display->Init(), 0);
    EXPECT_EQ(display->Flip(), 0);
    EXPECT_NE(display->ClearSurface(display->lpBack, 0), DD_OK);
}

TEST_F(DisplayTest, WindowedDisplayHasAPrimaryButNoBackBuffer) {
    auto display = openDisplay(0);
    EXPECT_NE(display->lpDD, nullptr);
    EXPECT_NE(display->lpPrimary, nullptr);
    EXPECT_EQ(display->lpBack, nullptr);
    EXPECT_EQ(display->Flip(), 0);
}

TEST_F(DisplayTest, ExitTwiceReleasesOnceAndLogsBothTimes) {
    auto display = openDisplay();
    EXPECT_EQ(display->Exit(), 1);
    EXPECT_EQ(display->Exit(), 1);
    EXPECT_EQ(display->lpDD, nullptr);
    EXPECT_EQ(display->RestoreAll(), 0);
    // The screen is free again: a second display may take it.
    auto other = openDisplay();
    EXPECT_NE(other->lpBack, nullptr);
    other.reset();
    display.reset();
    std::string log = closeAndReadLog();
    std::string pair = "  Releasing DirectDraw interfaces:\n  done.\n";
    EXPECT_NE(log.find(pair + pair), std::string::npos);
}

TEST_F(DisplayTest, SecondFullScreenDisplayIsRefusedWhileTheFirstHoldsTheScreen) {
    auto display = openDisplay();
    testing::internal::CaptureStderr();
    auto other = openDisplay();
    std::string boxes = testing::internal::GetCapturedStderr();
    EXPECT_EQ(boxes, "[DirectDraw] Unable to set cooperative level of DirectDraw(tm)!\n\n"
                     "Exclusive mode already set!\n");
    EXPECT_EQ(other->lpPrimary, nullptr);
}

} // namespace
