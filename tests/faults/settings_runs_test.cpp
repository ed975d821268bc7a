// Runs of the program that share one settings file: one run reads the settings, another
// runs from start to end, then the first one saves. Each run's screenshots go into pipes,
// which hold it at a point of its run until the test reads them.
#include "command.h"
#include "demo_run.h"
#include "temp_directory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const char* const settingsFile = "config/LumaPlatform/HKEY_CURRENT_USER.reg";

// Runs are held by their screenshots, which a build without capture cannot take.
#ifdef LUMA_HAS_CAPTURE
class SettingsRuns : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directory_symlink(MEDIA_DIR, directory.file("Media"));
        ASSERT_EQ(::mkfifo(directory.file("first.png").c_str(), 0600), 0);
        ASSERT_EQ(::mkfifo(directory.file("second.png").c_str(), 0600), 0);
    }

    // `held` has read the settings when its screenshot at 100 ms is taken, and saves them
    // only after its screenshot at 200 ms; `meanwhile` runs whole in between.
    void runOverlapping(const std::string& held, const std::string& meanwhile) {
        const std::string program = "timeout 120 '" GLIMMERFALL_EXE "' ";
        CommandResult result =
            runCommand("cd '" + directory.path() + "' || exit 1; export XDG_CONFIG_HOME='" +
                       directory.path() + "/config'; { " + program + held +
                       " --screenshot 100:first.png --screenshot 200:second.png > held.txt 2>&1;"
                       " echo $? > held.status; } & timeout 60 cat first.png > /dev/null && " +
                       program + meanwhile +
                       " > meanwhile.txt 2>&1; echo $? > meanwhile.status;"
                       " timeout 60 cat second.png > /dev/null; wait");
        ASSERT_EQ(result.status, 0) << result.output;
        EXPECT_EQ(directory.read("held.status"), "0\n") << directory.read("held.txt");
        EXPECT_EQ(directory.read("meanwhile.status"), "0\n") << directory.read("meanwhile.txt");
    }

    TempDirectory directory;
};

TEST_F(SettingsRuns, ARunWithoutSoundEndingLastKeepsTheSoundValuesOfAnother) {
    runOverlapping("--sound off --stop-at 400", "--headless --sound 22 --stop-at 300");
    std::string settings = directory.read(settingsFile);
    for (const char* value :
         {"\"TDirectSound::dwVolume\"=dword:00000005", "\"TDirectSound::dwDisable\"=dword:00000000",
          "\"TDirectSound::guidDevice\"=", "\"TDirectDraw::guidDevice\"="})
        EXPECT_NE(settings.find(value), std::string::npos) << value << " in\n" << settings;
}

TEST_F(SettingsRuns, ALongRunDoesNotUndoAResetMadeMeanwhile) {
    // An earlier run found no sound device and switched sound off for later runs.
    std::filesystem::create_directories(directory.file("config/LumaPlatform"));
    directory.write(settingsFile,
                    "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Korvani\\Glimmerfall]\n"
                    "\"TDirectSound::dwDisable\"=dword:00000001\n");
    runOverlapping("--sound 22 --stop-at 400",
                   "--headless --reset-settings --sound 22 --stop-at 300");
    EXPECT_NE(directory.read("meanwhile.txt").find("removed the settings file"), std::string::npos);
    std::string settings = directory.read(settingsFile);
    EXPECT_NE(settings.find("\"TDirectSound::dwDisable\"=dword:00000000"), std::string::npos)
        << settings;
}

#endif

TEST(SettingsRun, TemporaryFilesOfKilledRunsAreRemovedByTheNextRun) {
    TempDirectory directory;
    std::filesystem::create_directory_symlink(MEDIA_DIR, directory.file("Media"));
    // A run killed between writing its settings and renaming them into place.
    pid_t killed = ::fork();
    if (killed == 0)
        ::_exit(0);
    ASSERT_GT(killed, 0);
    ::waitpid(killed, nullptr, 0);
    std::string left = std::string(settingsFile) + ".tmp" + std::to_string(killed);
    std::filesystem::create_directories(directory.file("config/LumaPlatform"));
    directory.write(left, "REGEDIT4\n");
    DemoRun run = runDemo(directory.path(), "--headless --sound 22 --stop-at 300");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_FALSE(std::filesystem::exists(directory.file(left)));
    EXPECT_NE(directory.read(settingsFile).find("TDirectSound::dwVolume"), std::string::npos);
}

} // namespace
