// Started from any folder, the program finds its media beside its executable; what keeps it
// from playing as intended is said on the terminal.
#include "command.h"
#include "demo_run.h"
#include "temp_directory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

#ifdef LUMA_HAS_CAPTURE
double meanBrightness(const std::string& png) {
    CommandResult mean =
        runCommand("convert '" + png + "' -colorspace Gray -format '%[fx:mean]' info:");
    return mean.status == 0 ? std::stod(mean.output) : -1;
}

TEST(MediaFolder, FromAnUnrelatedFolderTheBuiltProgramFindsItsMediaAndSaysWhere) {
    TempDirectory directory;
    DemoRun run = runBuiltDemo(directory.path(),
                               "--headless --sound 22 --seed 1 --screenshot 22000:light.png "
                               "--screenshot 60000:vortex.png --stop-at 60100");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.output.find("cannot find"), std::string::npos) << run.output;
    std::string dataFolder =
        std::filesystem::path(GLIMMERFALL_EXE).parent_path().parent_path().string() +
        "/share/glimmerfall";
    EXPECT_NE(run.log.find("Media from " + dataFolder + "\n"), std::string::npos) << run.log;
    // Pictures, not black: the bump light's height map and the vortex's texture came too.
    EXPECT_GT(meanBrightness(directory.file("light.png")), 0.01);
    EXPECT_GT(meanBrightness(directory.file("vortex.png")), 0.05);
}
#endif

TEST(MediaFolder, MediaInTheCurrentFolderComesFirstAndNeedsNoWord) {
    TempDirectory directory;
    std::filesystem::create_directory_symlink(MEDIA_DIR, directory.file("Media"));
    DemoRun run = runBuiltDemo(directory.path(), "--headless --sound off --stop-at 1000");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.log.find("Media from"), std::string::npos) << run.log;
    EXPECT_EQ(run.output, "");
}

TEST(SoundSwitchedOff, ASavedDisableIsSaidWithTheWayBackOnlyWhenSoundIsChosen) {
    TempDirectory directory;
    std::filesystem::create_directory_symlink(MEDIA_DIR, directory.file("Media"));
    std::filesystem::create_directories(directory.file("config/LumaPlatform"));
    directory.write("config/LumaPlatform/HKEY_CURRENT_USER.reg",
                    "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Korvani\\Glimmerfall]\n"
                    "\"TDirectSound::dwDisable\"=dword:00000001\n");
    DemoRun chosen = runDemo(directory.path(), "--headless --sound 44 --stop-at 500");
    EXPECT_EQ(chosen.status, 0) << chosen.output;
    EXPECT_NE(chosen.output.find("Glimmerfall: sound is off"), std::string::npos) << chosen.output;
    EXPECT_NE(chosen.output.find("--reset-settings"), std::string::npos) << chosen.output;

    DemoRun silent = runDemo(directory.path(), "--headless --sound off --stop-at 500");
    EXPECT_EQ(silent.output.find("sound is off"), std::string::npos) << silent.output;

    DemoRun reset =
        runDemo(directory.path(), "--headless --sound 44 --stop-at 500 --reset-settings");
    EXPECT_EQ(reset.output.find("sound is off"), std::string::npos) << reset.output;
}

} // namespace
