// The whole program with the demo's own song: it plays to the end and closes by itself.
#include "command.h"
#include "temp_directory.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/wait.h>

namespace {

class SongEnd : public ::testing::TestWithParam<const char*> {};

TEST_P(SongEnd, TheDemoEndsByItselfWhenTheSongDoes) {
    TempDirectory directory;
    std::filesystem::create_directory_symlink(MEDIA_DIR, directory.file("Media"));
    CommandResult run = runCommand("timeout 120 '" GLIMMERFALL_EXE "' --headless --sound " +
                                   std::string(GetParam()));
    EXPECT_EQ(run.status, 0) << run.output;
    std::string log = directory.read("Glimmerfall.log");
    EXPECT_EQ(log.find("Falsches Mod-Format"), std::string::npos) << log;
    EXPECT_EQ(log.substr(log.size() - 8), "\n[over]\n");
}

INSTANTIATE_TEST_SUITE_P(EveryRateAndTheTimer, SongEnd, ::testing::Values("22", "44", "off"));

} // namespace
