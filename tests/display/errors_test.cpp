#include "display_fixture.h"

#include <cstring>

namespace {

TEST_F(DisplayTest, ErrorStringsComeFromTheTableOrNameTheUnknownCode) {
    auto display = openDisplay(0);
    char text[128];
    display->getErrorString(static_cast<int>(0x887601C2), text);
    EXPECT_STREQ(text, "Surface lost!");
    display->getErrorString(static_cast<int>(0x88760231), text);
    EXPECT_STREQ(text, "Not a valid DirectDraw(tm) driver!\n(Wrong GUID!)");
    display->getErrorString(static_cast<int>(0x80004001), text);
    EXPECT_STREQ(text, "Operation not supported!");
    display->getErrorString(0, text);
    EXPECT_STREQ(text, "Unknown HRESULT(0x00000000)");
    display->getErrorString(static_cast<int>(0x88760246), text);
    EXPECT_STREQ(text, "Unknown HRESULT(0x88760246)");
    // The longest text fits the documented 126 bytes.
    display->getErrorString(static_cast<int>(0x887600DE), text);
    EXPECT_EQ(std::strlen(text), 125u);
}

TEST_F(DisplayTest, ErrorMessageShowsStepAndCodeUnderTheDirectDrawCaption) {
    auto display = openDisplay(0);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(
        display->ErrorMessage(static_cast<int>(0x8876024E), "Unable to set display mode!"));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "[DirectDraw] Unable to set display mode!\n\nDisplay mode not supported!\n");
}

} // namespace
