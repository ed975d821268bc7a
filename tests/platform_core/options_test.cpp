// The command line on Linux: the platform's options, and the hand-over of the program's own.
#include "process/options.h"

#include <luma/platform.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

using luma::parseOptions;
using luma::ProgramOptions;

namespace {

// A program with one option taking a value and one flag, recording what its handlers saw.
std::vector<std::string> taken;
BOOL takeLevel(const char* value) {
    taken.push_back(std::string("level=") + value);
    return std::strcmp(value, "high") == 0 || std::strcmp(value, "low") == 0;
}
BOOL takeQuiet(const char* value) {
    taken.push_back(value ? "quiet with a value" : "quiet");
    return TRUE;
}
const LumaProgramOption programOptionList[] = {
    {"--level", "high|low", "how high it goes", takeLevel, "--level takes high or low"},
    {"--quiet", nullptr, "say nothing", takeQuiet, "--quiet takes no value"},
};
const LumaProgramOptions program = {"Tries the options.\nAny key ends it.", programOptionList, 2};

struct Parsed {
    ProgramOptions options;
    std::string out, err;
};

Parsed parse(std::vector<std::string> arguments, const LumaProgramOptions* own = &program) {
    taken.clear();
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    Parsed parsed;
    parsed.options = parseOptions(arguments, "Tryout", own);
    parsed.out = testing::internal::GetCapturedStdout();
    parsed.err = testing::internal::GetCapturedStderr();
    return parsed;
}

size_t lineCount(const std::string& text) {
    return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
}

TEST(Options, NoneMeansTheProgramAsDescribed) {
    ProgramOptions options = parse({}).options;
    EXPECT_FALSE(options.exitNow);
    EXPECT_EQ(options.backend, "");
    EXPECT_FALSE(options.stopAtSet);
    EXPECT_EQ(options.commandLine, "");
}

TEST(Options, HeadlessStopTimeAndSeed) {
    ProgramOptions options =
        parse({"--headless", "--stop-at", "3000", "--seed", "1", "--fps", "30"}).options;
    EXPECT_FALSE(options.exitNow);
    EXPECT_EQ(options.backend, "headless");
    EXPECT_TRUE(options.stopAtSet);
    EXPECT_EQ(options.stopAt, 3000u);
    EXPECT_EQ(options.framesPerSecond, 30);
    // The seed is the program's to use: it reaches WinMain in its command line.
    EXPECT_EQ(options.commandLine, "--seed 1");
}

TEST(Options, TheProgramsOwnOptionsRunTheirHandlersAndReachWinMainInOrder) {
    Parsed parsed = parse({"--quiet", "--seed", "7", "--level", "low", "--headless"});
    EXPECT_FALSE(parsed.options.exitNow);
    EXPECT_EQ(taken, (std::vector<std::string>{"quiet", "level=low"}));
    EXPECT_EQ(parsed.options.commandLine, "--quiet --seed 7 --level low");
    EXPECT_EQ(parsed.options.backend, "headless");
    // A flag does not swallow the next word.
    EXPECT_EQ(parse({"--quiet", "--window"}).options.windowed, true);
}

TEST(Options, ARefusedProgramOptionGivesItsOneLineReasonAndStatusTwo) {
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"--level", "middle"}, {"--level"}}) {
        Parsed parsed = parse(bad);
        EXPECT_TRUE(parsed.options.exitNow);
        EXPECT_EQ(parsed.options.exitStatus, 2);
        EXPECT_EQ(lineCount(parsed.err), 1u) << parsed.err;
        EXPECT_NE(parsed.err.find("--level takes high or low"), std::string::npos) << parsed.err;
    }
    // Without a table of its own a program has no such option.
    Parsed withoutTable = parse({"--level", "high"}, nullptr);
    EXPECT_EQ(withoutTable.options.exitStatus, 2);
    EXPECT_NE(withoutTable.err.find("unknown option --level"), std::string::npos);
}

TEST(Options, UnknownOrMalformedPlatformOptionsGiveOneLineAndStatusTwo) {
    Parsed unknown = parse({"--bogus"});
    EXPECT_TRUE(unknown.options.exitNow);
    EXPECT_EQ(unknown.options.exitStatus, 2);
    EXPECT_EQ(unknown.err, "Tryout: unknown option --bogus (see Tryout --help)\n");

    for (const std::vector<std::string>& bad : {std::vector<std::string>{"--stop-at", "soon"},
                                                {"--seed", "-4"},
                                                {"--fps", "0"},
                                                {"--fps", "1001"},
                                                {"--stop-at", "99999999999"},
                                                {"--stop-at"}}) {
        Parsed parsed = parse(bad);
        EXPECT_EQ(parsed.options.exitStatus, 2) << bad[0];
        EXPECT_EQ(lineCount(parsed.err), 1u) << parsed.err;
        EXPECT_EQ(parsed.err.rfind("Tryout: " + bad[0], 0), 0u) << parsed.err;
    }
}

#ifdef LUMA_HAS_CAPTURE
TEST(Options, CapturesImplyHeadlessAndMalformedOnesAreRefused) {
    ProgramOptions options =
        parse({"--wav", "a.wav", "--screenshot", "1500:b.png", "--screenshot", "0:c.png"}).options;
    EXPECT_EQ(options.backend, "headless");
    EXPECT_EQ(options.wavPath, "a.wav");
    ASSERT_EQ(options.screenshots.size(), 2u);
    EXPECT_EQ(options.screenshots[0].first, 1500u);
    EXPECT_EQ(options.screenshots[0].second, "b.png");
    for (const char* bad : {"soon:x.png", "100:", "100"})
        EXPECT_EQ(parse({"--screenshot", bad}).options.exitStatus, 2) << bad;
    EXPECT_NE(parse({"--help"}).out.find("--record"), std::string::npos);
}
#endif

TEST(Options, HelpListsTheProgramsOptionsThenThePlatformsAndTheBackends) {
    Parsed help = parse({"--help"});
    EXPECT_TRUE(help.options.exitNow);
    EXPECT_EQ(help.options.exitStatus, 0);
    EXPECT_EQ(
        help.out.rfind("Usage: Tryout [options]\n\nTries the options.\nAny key ends it.\n", 0), 0u);
    size_t own = help.out.find("  --level high|low    how high it goes\n");
    size_t platform = help.out.find("--headless");
    ASSERT_NE(own, std::string::npos) << help.out;
    ASSERT_NE(platform, std::string::npos);
    EXPECT_LT(own, platform);
    for (const char* option : {"--quiet", "--window", "--fullscreen", "--seed", "--stop-at",
                               "--version", "--reset-settings", "Alt+Enter"})
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
    // The backends come from the platform's table, the default first.
    const char* name = nullptr;
    ASSERT_TRUE(LumaBackendAt(0, &name, nullptr));
    EXPECT_NE(help.out.find(std::string(name) + " "), std::string::npos);
    EXPECT_NE(help.out.find("headless "), std::string::npos);
    EXPECT_EQ(help.out.find("--sound"), std::string::npos);

    Parsed version = parse({"--version"});
    EXPECT_EQ(version.out, std::string("Tryout ") + LUMA_PROGRAM_VERSION + "\n");
    EXPECT_TRUE(version.options.exitNow);
}

} // namespace
