// The whole program with the demo's own song: it plays to the end and closes by itself.
#include "temp_directory.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/wait.h>

namespace {

int runDemo(const std::string& arguments, std::string& output) {
    std::string command = "timeout 120 '" GLIMMERFALL_EXE "' " + arguments + " 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return -1;
    char chunk[4096];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0)
        output.append(chunk, got);
    int status = ::pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class SongEnd : public ::testing::TestWithParam<const char*> {};

TEST_P(SongEnd, TheDemoEndsByItselfWhenTheSongDoes) {
    TempDirectory directory;
    std::filesystem::create_directory_symlink(MEDIA_DIR, directory.file("Media"));
    std::string output;
    EXPECT_EQ(runDemo(std::string("--headless --sound ") + GetParam(), output), 0) << output;
    std::string log = directory.read("Glimmerfall.log");
    EXPECT_EQ(log.find("Falsches Mod-Format"), std::string::npos) << log;
    EXPECT_EQ(log.substr(log.size() - 8), "\n[over]\n");
}

INSTANTIATE_TEST_SUITE_P(EveryRateAndTheTimer, SongEnd, ::testing::Values("22", "44", "off"));

} // namespace
