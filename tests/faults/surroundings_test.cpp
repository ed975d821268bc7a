// What the surroundings may do to a user's run: settings damaged or killed mid-save, a
// directory without room for the log, no sound device, no display.
#include "demo_run.h"
#include "temp_directory.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

const char* const settingsFile = "config/LumaPlatform/HKEY_CURRENT_USER.reg";

void linkMedia(const TempDirectory& directory) {
    std::filesystem::create_directory_symlink(MEDIA_DIR, directory.file("Media"));
}

TEST(Surroundings, DamagedSettingsWarnOnceAndAreReplacedByGoodOnes) {
    TempDirectory directory;
    linkMedia(directory);
    std::filesystem::create_directories(directory.file("config/LumaPlatform"));
    directory.write(settingsFile, std::string("\x89PNG\r\n\x1a\n garbage \0 bytes", 24));
    DemoRun run = runDemo(directory.path(), "--headless --sound 22 --stop-at 2000");
    EXPECT_EQ(run.status, 0) << run.output;
    size_t warning = run.output.find("damaged");
    EXPECT_NE(warning, std::string::npos) << run.output;
    EXPECT_EQ(warning, run.output.rfind("damaged"));
    std::string settings = directory.read(settingsFile);
    EXPECT_EQ(settings.rfind("REGEDIT4\n", 0), 0u) << settings;
    EXPECT_NE(settings.find("\"TDirectSound::dwVolume\"=dword:00000005"), std::string::npos);
    EXPECT_NE(
        settings.find("\"TDirectDraw::guidDevice\"=\"{00000000-0000-0000-0000-000000000000}\""),
        std::string::npos);
    // The next run finds nothing wrong.
    DemoRun again = runDemo(directory.path(), "--headless --sound 22 --stop-at 500");
    EXPECT_EQ(again.output.find("damaged"), std::string::npos) << again.output;
}

TEST(Surroundings, KilledWhileSavingLeavesTheOldOrTheNewSettingsNeverHalf) {
    TempDirectory directory;
    linkMedia(directory);
    // Many runs killed at different moments of their shutdown, which writes the settings.
    for (int attempt = 0; attempt < 12; ++attempt) {
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::setenv("XDG_CONFIG_HOME", directory.file("config").c_str(), 1);
            ::execl(GLIMMERFALL_EXE, GLIMMERFALL_EXE, "--headless", "--sound", "22", "--stop-at",
                    "300", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20 + attempt * 15));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        std::string settings = directory.read(settingsFile);
        if (settings.empty())
            continue; // killed before anything was written
        EXPECT_EQ(settings.rfind("REGEDIT4\n", 0), 0u) << settings;
        EXPECT_EQ(settings.back(), '\n') << settings;
    }
    DemoRun run = runDemo(directory.path(), "--headless --sound 22 --stop-at 300");
    EXPECT_EQ(run.output.find("damaged"), std::string::npos) << run.output;
}

#ifdef LUMA_HAS_SDL_BACKEND
TEST(Surroundings, NoSoundDeviceMeansTheBoxOnStderrAndTheTimerPath) {
    TempDirectory directory;
    linkMedia(directory);
    // A real (if invisible) SDL display, and an audio driver that does not exist.
    DemoRun run = runDemo(directory.path(), "--sound 22 --stop-at 3000",
                          "LUMA_BACKEND=sdl SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=no-such-driver");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("ERROR: Unable to initialize DirectSound!"), std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find("No sound driver is available for use!"), std::string::npos);
    EXPECT_NE(directory.read(settingsFile).find("\"TDirectSound::dwDisable\"=dword:00000001"),
              std::string::npos);
    EXPECT_EQ(run.log.substr(run.log.size() - 8), "\n[over]\n");
}
#endif

#ifdef LUMA_HAS_SDL_BACKEND
TEST(Surroundings, NoDisplayIsSaidClearlyWithANonZeroStatus) {
    TempDirectory directory;
    DemoRun run = runDemo(directory.path(), "--sound 22",
                          "env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER -u LUMA_BACKEND");
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.output.find("no display"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("--headless"), std::string::npos) << run.output;
}
#endif

} // namespace
