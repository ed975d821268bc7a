// Places the program cannot write to: the settings folder, the settings path, the log. Each
// is said in one line on stderr, and the demo plays all the same.
#include "demo_run.h"
#include "temp_directory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

const char* const settingsFile = "config/LumaPlatform/HKEY_CURRENT_USER.reg";
const std::string shortRun = "--headless --sound 22 --stop-at 300";

// Root writes anywhere; without these capabilities it meets permissions as a user does.
std::string asAUser() {
    return ::geteuid() == 0 ? "setpriv --bounding-set -dac_override,-dac_read_search --" : "";
}

std::vector<std::string> warnings(const std::string& output) {
    std::vector<std::string> found;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("warning:", 0) == 0)
            found.push_back(line);
    return found;
}

class UnwritablePlaces : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directory_symlink(MEDIA_DIR, directory.file("Media"));
        std::filesystem::create_directories(directory.file("config/LumaPlatform"));
    }
    void readOnly(const std::string& folder) {
        std::filesystem::permissions(directory.file(folder),
                                     std::filesystem::perms::owner_write |
                                         std::filesystem::perms::group_write |
                                         std::filesystem::perms::others_write,
                                     std::filesystem::perm_options::remove);
    }
    void TearDown() override {
        for (const char* folder : {".", "config/LumaPlatform"})
            std::filesystem::permissions(directory.file(folder),
                                         std::filesystem::perms::owner_write,
                                         std::filesystem::perm_options::add);
    }

    TempDirectory directory;
};

TEST_F(UnwritablePlaces, AReadOnlySettingsFolderIsSaidInOneLine) {
    readOnly("config/LumaPlatform");
    DemoRun run = runDemo(directory.path(), shortRun, asAUser());
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(warnings(run.output),
              std::vector<std::string>{"warning: cannot save settings to " +
                                       directory.file(settingsFile) +
                                       " (Permission denied); this run's changes to them are "
                                       "lost."});
    EXPECT_FALSE(std::filesystem::exists(directory.file(settingsFile)));
    EXPECT_NE(run.log.find("[over]"), std::string::npos) << run.log;
}

TEST_F(UnwritablePlaces, ASettingsPathThatIsAFolderIsSaidInOneLineAndStaysAFolder) {
    std::filesystem::create_directory(directory.file(settingsFile));
    DemoRun run = runDemo(directory.path(), shortRun);
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(warnings(run.output),
              std::vector<std::string>{"warning: the settings file " +
                                       directory.file(settingsFile) +
                                       " is a folder; settings are neither read nor saved while "
                                       "it is there."});
    EXPECT_TRUE(std::filesystem::is_directory(directory.file(settingsFile)));
    EXPECT_NE(run.log.find("[over]"), std::string::npos) << run.log;
}

TEST_F(UnwritablePlaces, ALogThatCannotBeCreatedIsSaidAndTheDemoGoesOn) {
    const std::vector<std::string> said{
        "warning: cannot create the log file Glimmerfall.log (access denied); going on without "
        "a log."};
    // A folder where the log would be.
    std::filesystem::create_directory(directory.file("Glimmerfall.log"));
    DemoRun run = runDemo(directory.path(), shortRun);
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(warnings(run.output), said);
    // The run went to its end: its settings were saved as it closed.
    EXPECT_NE(directory.read(settingsFile).find("TDirectSound::dwVolume"), std::string::npos);

    // A current folder that takes no new files.
    std::filesystem::remove(directory.file("Glimmerfall.log"));
    std::filesystem::remove(directory.file(settingsFile));
    readOnly(".");
    run = runDemo(directory.path(), shortRun, asAUser());
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(warnings(run.output), said);
    EXPECT_FALSE(std::filesystem::exists(directory.file("Glimmerfall.log")));
    EXPECT_NE(directory.read(settingsFile).find("TDirectSound::dwVolume"), std::string::npos);
}

} // namespace
