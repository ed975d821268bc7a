// The display's options on the command line.
#include "process/options.h"

#include <gtest/gtest.h>

namespace {

luma::ProgramOptions parse(std::vector<std::string> arguments) {
    testing::internal::CaptureStderr();
    luma::ProgramOptions options = luma::parseOptions(arguments, "Glimmerfall", nullptr);
    testing::internal::GetCapturedStderr();
    return options;
}

TEST(DisplayOptions, PixelFormatTakes565Or555AndScalingIsAFlag) {
    EXPECT_EQ(parse({}).pixelFormat, 0);
    EXPECT_FALSE(parse({}).integerScale);
    EXPECT_EQ(parse({"--pixel-format", "565"}).pixelFormat, 565);
    EXPECT_EQ(parse({"--pixel-format", "555"}).pixelFormat, 555);
    EXPECT_TRUE(parse({"--integer-scale"}).integerScale);
    EXPECT_EQ(parse({"--pixel-format", "888"}).exitStatus, 2);
    EXPECT_EQ(parse({"--pixel-format"}).exitStatus, 2);
}

} // namespace
