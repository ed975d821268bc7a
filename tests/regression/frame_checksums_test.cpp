// Frames of a seeded headless run at fixed demo times, one inside each scene's stretch of the
// song, compared with the checksums of their pixels kept beside this test. A change to any
// scene, image, table or the timeline shows here. After a deliberate change, run the test with
// LUMA_UPDATE_CHECKSUMS=1 to write the new checksums, and look at the frames first.
#include "command.h"
#include "temp_directory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace {

const int sceneTimes[] = {3500, 22000, 40000, 60000, 76000, 95000, 121000, 138000, 157000};
const char* const checksumsFile = SOURCE_DIR "/tests/regression/frame_checksums.txt";

// "565 3500" -> checksum of that frame's pixels
std::map<std::string, std::string> keptChecksums() {
    std::map<std::string, std::string> kept;
    std::ifstream file(checksumsFile);
    std::string format, time, checksum;
    while (file >> format >> time >> checksum)
        kept[format + " " + time] = checksum;
    return kept;
}

std::map<std::string, std::string> takeFrames(const std::string& format) {
    TempDirectory directory;
    std::filesystem::create_directory_symlink(MEDIA_DIR, directory.file("Media"));
    std::string arguments =
        "--sound 22 --seed 1 --fps 30 --pixel-format " + format + " --stop-at 158000";
    for (int time : sceneTimes)
        arguments += " --screenshot " + std::to_string(time) + ":" + std::to_string(time) + ".png";
    CommandResult run = runCommand("timeout 600 '" GLIMMERFALL_EXE "' " + arguments);
    EXPECT_EQ(run.status, 0) << run.output;
    std::map<std::string, std::string> frames;
    for (int time : sceneTimes) {
        // ImageMagick's signature: a SHA-256 of the decoded pixels, not of the PNG's bytes.
        CommandResult signature =
            runCommand("identify -format '%#' " + std::to_string(time) + ".png");
        EXPECT_EQ(signature.status, 0) << signature.output;
        frames[format + " " + std::to_string(time)] = signature.output;
    }
    return frames;
}

TEST(FrameChecksums, SeededRunShowsTheSameFramesAsBefore) {
    std::map<std::string, std::string> taken;
    for (const char* format : {"565", "555"})
        for (const auto& frame : takeFrames(format))
            taken.insert(frame);

    if (std::getenv("LUMA_UPDATE_CHECKSUMS")) {
        std::ofstream file(checksumsFile);
        for (const auto& frame : taken)
            file << frame.first << " " << frame.second << "\n";
        GTEST_SKIP() << "checksums written to " << checksumsFile;
    }
    std::map<std::string, std::string> kept = keptChecksums();
    ASSERT_EQ(kept.size(), 18u) << "no checksums kept: run once with LUMA_UPDATE_CHECKSUMS=1";
    for (const auto& frame : taken)
        EXPECT_EQ(frame.second, kept[frame.first]) << "frame at " << frame.first;
}

} // namespace
