#include "temp_directory.h"
#include "test_resources.h"

#include <TLumaBase.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

class LumaBaseTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterTestResources(); }
    TempDirectory directory;
};

TEST_F(LumaBaseTest, LogIsNamedAfterTheProgramAndHoldsExactlyWhatWasWritten) {
    auto base = std::make_unique<TLumaBase>(GetModuleHandleA(nullptr), testNameId, testKeyId, true);
    EXPECT_STREQ(base->lpName, "LumaTest");
    EXPECT_FALSE(base->bNoDebug);
    ASSERT_NE(base->hDebugFile, nullptr);
    EXPECT_EQ(base->hWnd, nullptr);

    base->DebugOut("Initializing DirectDraw:\n");
    base->DebugOut("  Enumerating %s:\n", "Primary Display Driver");
    base->DebugOut("no line feed, ");
    base->DebugOut("%d%%\n", 100);
    base.reset();

    EXPECT_EQ(directory.read("LumaTest.log"), "Initializing DirectDraw:\n"
                                              "  Enumerating Primary Display Driver:\n"
                                              "no line feed, 100%\n");
}

TEST_F(LumaBaseTest, LogOfAnEarlierRunIsReplaced) {
    directory.write("LumaTest.log", "an old run that was much longer than the new one\n");
    {
        TLumaBase base(GetModuleHandleA(nullptr), testNameId, testKeyId, true);
        base.DebugOut("new\n");
    }
    EXPECT_EQ(directory.read("LumaTest.log"), "new\n");
}

TEST_F(LumaBaseTest, WithoutDebugNothingIsCreatedOrWritten) {
    {
        TLumaBase base(GetModuleHandleA(nullptr), testNameId, testKeyId, false);
        EXPECT_TRUE(base.bNoDebug);
        EXPECT_EQ(base.hDebugFile, nullptr);
        base.DebugOut("nothing\n");
    }
    EXPECT_FALSE(std::ifstream(directory.file("LumaTest.log")).good());
}

TEST_F(LumaBaseTest, LogThatCannotBeCreatedSwitchesLoggingOff) {
    // A directory where the log file should be: the file cannot be created.
    std::filesystem::create_directory(directory.file("LumaTest.log"));
    TLumaBase base(GetModuleHandleA(nullptr), testNameId, testKeyId, true);
    EXPECT_TRUE(base.bNoDebug);
    EXPECT_EQ(base.hDebugFile, nullptr);
    base.DebugOut("goes nowhere\n");
}

TEST_F(LumaBaseTest, LongNameAndLongTextAreCutNotOverflowed) {
    std::string longText(3000, 'x');
    {
        TLumaBase base(GetModuleHandleA(nullptr), longNameId, testKeyId, true);
        EXPECT_EQ(std::strlen(base.lpName), 79u);
        base.DebugOut("%s", longText.c_str());
    }
    std::string cutName(
        "AVeryLongProgramNameThatGoesOnAndOnForMuchMoreThanEightyCharactersOfTextSoItMus");
    ASSERT_EQ(cutName.size(), 79u);
    EXPECT_EQ(directory.read(cutName + ".log"), std::string(1023, 'x'));
}

TEST_F(LumaBaseTest, GetStringReturnsTheSharedBufferWhichTheNextCallOverwrites) {
    TLumaBase base(GetModuleHandleA(nullptr), testNameId, testKeyId, false);
    char* first = base.getString(testNameId);
    ASSERT_NE(first, nullptr);
    EXPECT_STREQ(first, "LumaTest");
    char* second = base.getString(testKeyId);
    EXPECT_EQ(first, second);
    EXPECT_STREQ(first, "Software\\Korvani\\LumaTest");
    EXPECT_EQ(base.getString(missingId), nullptr);
}

TEST_F(LumaBaseTest, SettingsKeyKeepsStringsAndNumbersAcrossObjects) {
    {
        TLumaBase base(GetModuleHandleA(nullptr), testNameId, testKeyId, false);
        ASSERT_NE(base.hKey, nullptr);
        const char text[] = "{00000000-0000-0000-0000-000000000000}";
        EXPECT_EQ(RegSetValueExA(base.hKey, "TDirectDraw::guidDevice", 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(text), std::strlen(text)),
                  ERROR_SUCCESS);
        DWORD volume = 1506;
        EXPECT_EQ(RegSetValueExA(base.hKey, "TDirectSound::dwVolume", 0, REG_DWORD,
                                 reinterpret_cast<const BYTE*>(&volume), sizeof volume),
                  ERROR_SUCCESS);
    }
    TLumaBase base(GetModuleHandleA(nullptr), testNameId, testKeyId, false);
    char text[128];
    DWORD type = 0, size = sizeof text;
    ASSERT_EQ(RegQueryValueExA(base.hKey, "TDirectDraw::guidDevice", nullptr, &type,
                               reinterpret_cast<BYTE*>(text), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_STREQ(text, "{00000000-0000-0000-0000-000000000000}");
    EXPECT_EQ(size, 39u);

    DWORD volume = 0;
    size = sizeof volume;
    ASSERT_EQ(RegQueryValueExA(base.hKey, "TDirectSound::dwVolume", nullptr, &type,
                               reinterpret_cast<BYTE*>(&volume), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(volume, 1506u);

    EXPECT_NE(RegQueryValueExA(base.hKey, "TDirectSound::dwDisable", nullptr, &type,
                               reinterpret_cast<BYTE*>(&volume), &size),
              ERROR_SUCCESS);
}

GUID guidOfBytes(const unsigned char (&bytes)[16]) {
    GUID guid;
    std::memcpy(&guid, bytes, sizeof guid);
    return guid;
}

TEST(GuidText, BytesAreWrittenInMemoryOrder) {
    const unsigned char bytes[16] = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08,
                                     0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0x10};
    char text[39];
    GUID2str(guidOfBytes(bytes), text);
    EXPECT_STREQ(text, "{01020304-0506-0708-090A-0B0C0D0E0F10}");

    GUID zero = {};
    GUID2str(zero, text);
    EXPECT_STREQ(text, "{00000000-0000-0000-0000-000000000000}");
}

TEST(GuidText, ReadingGivesBackWhatWasWritten) {
    const unsigned char bytes[16] = {0xDE, 0xAD, 0xBE, 0xEF, 0x00, 0xFF, 0x7F, 0x80,
                                     0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0};
    GUID original = guidOfBytes(bytes);
    char text[39];
    GUID2str(original, text);
    GUID read;
    std::memset(&read, 0x55, sizeof read);
    str2GUID(text, &read);
    EXPECT_EQ(std::memcmp(&read, &original, sizeof read), 0);

    GUID lower, bare;
    str2GUID("{deadbeef-00ff-7f80-1234-56789abcdef0}", &lower);
    str2GUID("DEADBEEF00FF7F80123456789ABCDEF0", &bare);
    EXPECT_EQ(std::memcmp(&lower, &original, sizeof lower), 0);
    EXPECT_EQ(std::memcmp(&bare, &original, sizeof bare), 0);
}

TEST(GuidText, ShortOrBadTextStopsAtItsEndAndReadsBadPairsAsZero) {
    GUID guid;
    std::memset(&guid, 0x55, sizeof guid);
    str2GUID("{0102", &guid);
    const unsigned char shortExpected[16] = {0x01, 0x02};
    EXPECT_EQ(std::memcmp(&guid, shortExpected, sizeof guid), 0);

    str2GUID("{01ZZ0304-0506-0708-090A-0B0C0D0E0F10}", &guid);
    const unsigned char badExpected[16] = {0x01, 0x00, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08,
                                           0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0x10};
    EXPECT_EQ(std::memcmp(&guid, badExpected, sizeof guid), 0);

    str2GUID("{012", &guid); // an odd digit at the end is not read
    const unsigned char oddExpected[16] = {0x01};
    EXPECT_EQ(std::memcmp(&guid, oddExpected, sizeof guid), 0);
}

} // namespace
