// The settings file: its text form, damaged files, atomic saves, and the registry calls.
#include "registry/registry_file.h"
#include "temp_directory.h"

#include <windows.h>

#include <luma/platform.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

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
        EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos)
            << entry.path();
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
