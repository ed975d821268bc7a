// The settings file: its text form, damaged files, atomic saves, runs that share it, and the
// registry calls.
#include "registry/registry_file.h"
#include "temp_directory.h"

#include <windows.h>

#include <luma/platform.h>

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace luma;

namespace {

RegistryValue stringValue(const std::string& name, const std::string& text) {
    RegistryValue value;
    value.name = name;
    value.type = REG_SZ;
    value.data.assign(text.begin(), text.end());
    return value;
}

RegistryValue numberValue(const std::string& name, uint32_t number) {
    RegistryValue value;
    value.name = name;
    value.type = REG_DWORD;
    value.data.resize(4);
    std::memcpy(value.data.data(), &number, 4);
    return value;
}

TEST(RegistryFile, TextFormIsARegistryExportThatReadsBackTheSame) {
    RegistryTree tree;
    RegistryKey& key = tree[lowerCase("HKEY_CURRENT_USER\\Software\\Korvani\\Glimmerfall")];
    key.path = "HKEY_CURRENT_USER\\Software\\Korvani\\Glimmerfall";
    key.values["tdirectdraw::guiddevice"] =
        stringValue("TDirectDraw::guidDevice", "{00000000-0000-0000-0000-000000000000}");
    key.values["tdirectsound::dwvolume"] = numberValue("TDirectSound::dwVolume", 5);
    key.values["quoted"] = stringValue("Quoted", "a \"b\" c:\\d");

    std::string text = formatRegistry(tree);
    EXPECT_EQ(text, "REGEDIT4\n"
                    "\n"
                    "[HKEY_CURRENT_USER\\Software\\Korvani\\Glimmerfall]\n"
                    "\"Quoted\"=\"a \\\"b\\\" c:\\\\d\"\n"
                    "\"TDirectDraw::guidDevice\"=\"{00000000-0000-0000-0000-000000000000}\"\n"
                    "\"TDirectSound::dwVolume\"=dword:00000005\n");

    RegistryTree read;
    std::string problem;
    ASSERT_TRUE(parseRegistry(text, read, problem)) << problem;
    EXPECT_EQ(formatRegistry(read), text);
    const RegistryValue& quoted = read.begin()->second.values["quoted"];
    EXPECT_EQ(std::string(quoted.data.begin(), quoted.data.end()), "a \"b\" c:\\d");
}

TEST(RegistryFile, DamagedOrForeignTextIsRejectedWhole) {
    RegistryTree tree;
    std::string problem;
    EXPECT_FALSE(parseRegistry("<?xml version=\"1.0\"?>\n", tree, problem));
    EXPECT_FALSE(parseRegistry("REGEDIT4\n\"orphan\"=\"value before any key\"\n", tree, problem));
    EXPECT_FALSE(
        parseRegistry("REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"cut\"=\"no end\n", tree, problem));
    EXPECT_FALSE(
        parseRegistry("REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"n\"=dword:12\n", tree, problem));
    EXPECT_FALSE(parseRegistry("REGEDIT4\n[HKEY_CURRENT_USER\\A\n", tree, problem));
    EXPECT_FALSE(parseRegistry("", tree, problem));
    EXPECT_TRUE(tree.empty());
}

class RegistryCalls : public ::testing::Test {
protected:
    TempDirectory directory;
    std::string settings() const {
        return directory.read("config/LumaPlatform/HKEY_CURRENT_USER.reg");
    }
};

TEST_F(RegistryCalls, ValuesPersistInTheSettingsFile) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Korvani\\Test", 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &key, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
    const char text[] = "hello";
    ASSERT_EQ(RegSetValueExA(key, "Greeting", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), 5),
              ERROR_SUCCESS);
    DWORD number = 0xDEADBEEF;
    ASSERT_EQ(
        RegSetValueExA(key, "Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4),
        ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);

    EXPECT_EQ(settings(), "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Korvani\\Test]\n"
                          "\"Greeting\"=\"hello\"\n\"Number\"=dword:deadbeef\n");

    // Names are found regardless of case; strings come with their terminator.
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\korvani\\test", 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &key, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
    char buffer[16];
    std::memset(buffer, 'x', sizeof buffer);
    DWORD type = 0, size = sizeof buffer;
    ASSERT_EQ(
        RegQueryValueExA(key, "GREETING", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size),
        ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, 6u);
    EXPECT_STREQ(buffer, "hello");

    size = 3;
    EXPECT_EQ(
        RegQueryValueExA(key, "Greeting", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size),
        ERROR_MORE_DATA);
    EXPECT_EQ(size, 6u);
    EXPECT_EQ(
        RegQueryValueExA(key, "Missing", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size),
        ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
}

TEST_F(RegistryCalls, DamagedFileWarnsOnceReadsAsEmptyAndIsReplacedCleanly) {
    std::filesystem::create_directories(directory.file("config/LumaPlatform"));
    directory.write("config/LumaPlatform/HKEY_CURRENT_USER.reg",
                    "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Korvani\\Test]\n\"a\"=\"cut off");
    testing::internal::CaptureStderr();
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Korvani\\Test", 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    DWORD value = 0, size = 4;
    EXPECT_EQ(RegQueryValueExA(key, "a", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size),
              ERROR_FILE_NOT_FOUND);
    DWORD volume = 5;
    RegSetValueExA(key, "TDirectSound::dwVolume", 0, REG_DWORD,
                   reinterpret_cast<const BYTE*>(&volume), 4);
    std::string warnings = testing::internal::GetCapturedStderr();
    EXPECT_NE(warnings.find("damaged"), std::string::npos);
    EXPECT_EQ(warnings.find("damaged"), warnings.rfind("damaged"));
    RegCloseKey(key);

    EXPECT_EQ(settings(), "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Korvani\\Test]\n"
                          "\"TDirectSound::dwVolume\"=dword:00000005\n");
    // No temporary file is left beside it.
    for (auto& entry : std::filesystem::directory_iterator(directory.file("config/LumaPlatform")))
        EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();
}

// Runs that share the settings file. Another run is a forked copy of this process: it has
// read the settings just as this one has, and then goes its own way.
class SharedSettings : public RegistryCalls {
protected:
    void SetUp() override {
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Korvani\\Test", 0, nullptr, 0,
                                  KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override { RegCloseKey(key); }

    LSTATUS setNumber(const char* name, DWORD number) {
        return RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4);
    }

    // Starts another run doing `work`; it ends with status 0 when all its calls succeeded.
    pid_t startRun(const std::function<bool()>& work) {
        pid_t child = ::fork();
        if (child == 0)
            ::_exit(work() ? 0 : 1);
        return child;
    }
    static bool endedWell(pid_t child) {
        int status = 0;
        return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
               WEXITSTATUS(status) == 0;
    }

    std::string folder() const { return directory.file("config/LumaPlatform"); }
    std::string settingsPath() const { return folder() + "/HKEY_CURRENT_USER.reg"; }

    HKEY key = nullptr;
};

TEST_F(SharedSettings, TwoRunsKeepEachOthersValuesAndDeletions) {
    ASSERT_EQ(setNumber("First", 1), ERROR_SUCCESS);
    ASSERT_EQ(setNumber("Shared", 7), ERROR_SUCCESS);
    pid_t other = startRun([&] {
        return setNumber("Second", 2) == ERROR_SUCCESS && RegDeleteValueA(key, "First") == 0;
    });
    ASSERT_TRUE(endedWell(other));
    ASSERT_EQ(setNumber("Third", 3), ERROR_SUCCESS);
    EXPECT_EQ(settings(), "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Korvani\\Test]\n"
                          "\"Second\"=dword:00000002\n\"Shared\"=dword:00000007\n"
                          "\"Third\"=dword:00000003\n");
}

TEST_F(SharedSettings, ValuesWrittenBackAsTheyWereReadUndoNeitherAnotherRunNorAReset) {
    ASSERT_EQ(setNumber("Disable", 1), ERROR_SUCCESS);
    ASSERT_TRUE(endedWell(startRun([&] { return setNumber("Disable", 0) == ERROR_SUCCESS; })));
    // This run ends by writing back what it read at its start.
    EXPECT_EQ(setNumber("Disable", 1), ERROR_SUCCESS);
    EXPECT_NE(settings().find("\"Disable\"=dword:00000000"), std::string::npos) << settings();

    // The settings are reset meanwhile; a value this run really changes comes alone.
    ASSERT_TRUE(std::filesystem::remove(settingsPath()));
    EXPECT_EQ(setNumber("Disable", 1), ERROR_SUCCESS);
    EXPECT_FALSE(std::filesystem::exists(settingsPath()));
    EXPECT_EQ(setNumber("Volume", 5), ERROR_SUCCESS);
    EXPECT_EQ(settings(), "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Korvani\\Test]\n"
                          "\"Volume\"=dword:00000005\n");
}

TEST_F(SharedSettings, RunsSavingAllAtOnceLoseNoValue) {
    const int runs = 4, valuesEach = 25;
    std::vector<pid_t> children;
    for (int run = 0; run < runs; ++run)
        children.push_back(startRun([&, run] {
            for (int value = 0; value < valuesEach; ++value) {
                std::string name = "Run" + std::to_string(run) + "Value" + std::to_string(value);
                if (setNumber(name.c_str(), static_cast<DWORD>(value)) != ERROR_SUCCESS)
                    return false;
            }
            return true;
        }));
    for (pid_t child : children)
        EXPECT_TRUE(endedWell(child));
    RegistryTree tree;
    std::string problem;
    ASSERT_TRUE(parseRegistry(settings(), tree, problem)) << problem;
    ASSERT_EQ(tree.size(), 1u);
    EXPECT_EQ(tree.begin()->second.values.size(), static_cast<size_t>(runs * valuesEach));
}

TEST_F(SharedSettings, TemporaryFilesOfEndedRunsAreRemovedAtTheNextSave) {
    pid_t ended = startRun([] { return true; });
    ASSERT_TRUE(endedWell(ended));
    std::string left = "config/LumaPlatform/HKEY_CURRENT_USER.reg.tmp" + std::to_string(ended);
    directory.write(left, "REGEDIT4\n");
    // Our parent is alive: its file may be a save in progress.
    std::string alive =
        "config/LumaPlatform/HKEY_CURRENT_USER.reg.tmp" + std::to_string(::getppid());
    directory.write(alive, "REGEDIT4\n");
    ASSERT_EQ(setNumber("Volume", 5), ERROR_SUCCESS);
    EXPECT_FALSE(std::filesystem::exists(directory.file(left)));
    EXPECT_TRUE(std::filesystem::exists(directory.file(alive)));
}

TEST_F(RegistryCalls, ASettingsPathThatIsAFolderIsSaidInOneLineAndLeftAlone) {
    std::filesystem::create_directories(
        directory.file("config/LumaPlatform/HKEY_CURRENT_USER.reg"));
    testing::internal::CaptureStderr();
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Korvani\\Test", 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Korvani\\Other", 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_ACCESS_DENIED);
    std::string warnings = testing::internal::GetCapturedStderr();
    EXPECT_EQ(warnings, "warning: the settings file " + directory.path() +
                            "/config/LumaPlatform/HKEY_CURRENT_USER.reg is a folder; settings "
                            "are neither read nor saved while it is there.\n");
    EXPECT_TRUE(
        std::filesystem::is_directory(directory.file("config/LumaPlatform/HKEY_CURRENT_USER.reg")));
}

TEST_F(RegistryCalls, NamesWithLineBreaksAreRefusedSoTheFileStaysReadable) {
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Two\nLines", 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_INVALID_PARAMETER);
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Test", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    DWORD value = 1;
    EXPECT_EQ(RegSetValueExA(key, "two\rlines", 0, REG_DWORD, reinterpret_cast<BYTE*>(&value), 4),
              ERROR_INVALID_PARAMETER);
    RegCloseKey(key);
    RegistryTree tree;
    std::string problem;
    EXPECT_TRUE(parseRegistry(settings(), tree, problem)) << problem;
}

TEST_F(RegistryCalls, AKeyOpenedBeforeTheSettingsMovedIsNoLongerFound) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Test", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    TempDirectory elsewhere; // XDG_CONFIG_HOME now points to another, empty store
    HKEY child = nullptr;
    EXPECT_EQ(
        RegCreateKeyExA(key, "Child", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &child, nullptr),
        ERROR_INVALID_HANDLE);
    DWORD value = 1;
    EXPECT_EQ(RegSetValueExA(key, "x", 0, REG_DWORD, reinterpret_cast<BYTE*>(&value), 4),
              ERROR_INVALID_HANDLE);
    EXPECT_EQ(elsewhere.read("config/LumaPlatform/HKEY_CURRENT_USER.reg"), "");
    RegCloseKey(key);
}

TEST_F(RegistryCalls, UnknownHandlesAreRefused) {
    HKEY bogus = reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x1234));
    DWORD size = 4, value = 0;
    EXPECT_EQ(
        RegQueryValueExA(bogus, "x", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size),
        ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegSetValueExA(bogus, "x", 0, REG_DWORD, reinterpret_cast<BYTE*>(&value), 4),
              ERROR_INVALID_HANDLE);
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExA(bogus, "x", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_INVALID_HANDLE);
}

} // namespace
