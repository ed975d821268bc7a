// The program's command line on Linux.
#include "process/options.h"

#include <gtest/gtest.h>

using luma::parseOptions;
using luma::ProgramOptions;

namespace {

ProgramOptions parse(std::vector<std::string> arguments) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    ProgramOptions options = parseOptions(arguments, "Glimmerfall");
    testing::internal::GetCapturedStdout();
    testing::internal::GetCapturedStderr();
    return options;
}

TEST(Options, NoneMeansTheProgramAsDescribed) {
    ProgramOptions options = parse({});
    EXPECT_FALSE(options.exitNow);
    EXPECT_EQ(options.soundChoice, -1);
    EXPECT_EQ(options.backend, "");
    EXPECT_FALSE(options.stopAtSet);
    EXPECT_EQ(options.commandLine, "");
}

TEST(Options, SoundChoosesTheRadioButtonInDialogOrder) {
    EXPECT_EQ(parse({"--sound", "off"}).soundChoice, 0);
    EXPECT_EQ(parse({"--sound", "22"}).soundChoice, 1);
    EXPECT_EQ(parse({"--sound", "44"}).soundChoice, 2);
    EXPECT_EQ(parse({"--sound", "48"}).exitStatus, 2);
    EXPECT_EQ(parse({"--sound"}).exitStatus, 2);
}

TEST(Options, HeadlessStopTimeAndSeed) {
    ProgramOptions options =
        parse({"--headless", "--stop-at", "3000", "--seed", "1", "--fps", "30"});
    EXPECT_FALSE(options.exitNow);
    EXPECT_EQ(options.backend, "headless");
    EXPECT_TRUE(options.stopAtSet);
    EXPECT_EQ(options.stopAt, 3000u);
    EXPECT_EQ(options.framesPerSecond, 30);
    // The program's own options reach WinMain in its command line.
    EXPECT_EQ(options.commandLine, "--seed 1");
}

TEST(Options, HoldGoesToTheProgramWhenWellFormed) {
    EXPECT_EQ(parse({"--hold", "4:2000"}).commandLine, "--hold 4:2000");
    EXPECT_EQ(parse({"--seed", "7", "--hold", "6:100:4"}).commandLine, "--seed 7 --hold 6:100:4");
    for (const char* bad : {"4", "4:", ":5", "a:1", "4:1:", "256:1", "4:1:256", "4:2147483648"})
        EXPECT_EQ(parse({"--hold", bad}).exitStatus, 2) << bad;
    EXPECT_EQ(parse({"--hold"}).exitStatus, 2);
}

TEST(Options, UnknownOrMalformedOptionsPrintTheUsageAndExitWithTwo) {
    testing::internal::CaptureStderr();
    ProgramOptions options = parseOptions({"--bogus"}, "Glimmerfall");
    std::string error = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(options.exitNow);
    EXPECT_EQ(options.exitStatus, 2);
    EXPECT_NE(error.find("unknown option --bogus"), std::string::npos);
    EXPECT_NE(error.find("Usage: Glimmerfall"), std::string::npos);

    EXPECT_EQ(parse({"--stop-at", "soon"}).exitStatus, 2);
    EXPECT_EQ(parse({"--seed", "-4"}).exitStatus, 2);
    EXPECT_EQ(parse({"--fps", "0"}).exitStatus, 2);
    EXPECT_EQ(parse({"--stop-at", "99999999999"}).exitStatus, 2);
}

TEST(Options, HelpAndVersionEndAtOnceWithSuccess) {
    testing::internal::CaptureStdout();
    ProgramOptions help = parseOptions({"--help"}, "Glimmerfall");
    std::string text = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(help.exitNow);
    EXPECT_EQ(help.exitStatus, 0);
    for (const char* option : {"--sound", "--headless", "--window", "--fullscreen", "--seed",
                               "--stop-at", "--version", "--reset-settings"})
        EXPECT_NE(text.find(option), std::string::npos) << option;

    testing::internal::CaptureStdout();
    ProgramOptions version = parseOptions({"--version"}, "Glimmerfall");
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              std::string("Glimmerfall ") + LUMA_PROGRAM_VERSION + "\n");
    EXPECT_TRUE(version.exitNow);
}

} // namespace
