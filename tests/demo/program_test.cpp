// The whole program as a user runs it, in a directory of its own.
#include "banner.h"
#include "command.h"
#include "temp_directory.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

// Runs the program with a shell command line.
CommandResult runProgram(const std::string& arguments, const std::string& environment = "") {
    return runCommand(environment + " '" GLIMMERFALL_EXE "' " + arguments);
}

std::string bannerText() {
    std::string text;
    for (int line = 0; line < bannerLineCount; ++line)
        text += bannerLines[line];
    return text;
}

TEST(Program, HeadlessRunStoppedByAKeyEndsCleanlyWithBannerAndOver) {
    TempDirectory directory;
    CommandResult run = runProgram("--headless --sound off --stop-at 3000");
    EXPECT_EQ(run.status, 0) << run.output;
    std::string log = directory.read("Glimmerfall.log");
    EXPECT_EQ(log.rfind(bannerText(), 0), 0u) << log;
    ASSERT_GE(log.size(), 8u);
    EXPECT_EQ(log.substr(log.size() - 8), "\n[over]\n");
    EXPECT_NE(directory.read("config/LumaPlatform/HKEY_CURRENT_USER.reg")
                  .find("[HKEY_CURRENT_USER\\Software\\Korvani\\Glimmerfall]"),
              std::string::npos);
}

TEST(Program, TerminationSignalEndsTheDemoLikeAKey) {
    TempDirectory directory;
    std::string command = "'" GLIMMERFALL_EXE "' --headless --sound off";
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::execl("/bin/sh", "sh", "-c", ("exec " + command).c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    // Wait until the demo has written its banner, then ask it to stop.
    for (int tries = 0;
         tries < 200 && directory.read("Glimmerfall.log").size() < bannerText().size(); ++tries)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ::kill(child, SIGTERM);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    std::string log = directory.read("Glimmerfall.log");
    ASSERT_GE(log.size(), 8u);
    EXPECT_EQ(log.substr(log.size() - 8), "\n[over]\n");
}

#ifdef LUMA_HAS_SDL_BACKEND
TEST(Program, WithoutADisplayItOffersARecordingFirstAndFails) {
    TempDirectory directory;
    CommandResult run = runProgram(
        "--sound off", "env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER -u LUMA_BACKEND");
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.output.find("no display"), std::string::npos) << run.output;
    size_t record = run.output.find("--record FILE.mp4");
    ASSERT_NE(record, std::string::npos) << run.output;
    EXPECT_LT(record, run.output.find("--headless")) << run.output;
    EXPECT_EQ(directory.read("Glimmerfall.log"), "");
}
#endif

TEST(Program, CommandLineMistakesExitWithTwoAndHelpWithZero) {
    TempDirectory directory;
    CommandResult bad = runProgram("--sound 96");
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.output, "Glimmerfall: --sound takes off, 22 or 44 (see Glimmerfall --help)\n");
    CommandResult help = runProgram("--help");
    EXPECT_EQ(help.status, 0);
    // The demo's own options and keys, then the platform's.
    for (const char* text : {"--sound off|22|44", "--hold S:MS[:SYNC]", "Any key ends the demo",
                             "--stop-at", "--headless", "Alt+Enter"})
        EXPECT_NE(help.output.find(text), std::string::npos) << text;
}

TEST(Program, LogThatCannotBeCreatedMeansNoLogAndTheDemoRunsOn) {
    TempDirectory directory;
    // A directory stands where the log should be created.
    std::filesystem::create_directory(directory.file("Glimmerfall.log"));
    CommandResult run = runProgram("--headless --sound off --stop-at 500");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(std::filesystem::is_directory(directory.file("Glimmerfall.log")));
}

} // namespace
