// Windows paths and file handles on the POSIX file system.
#include "files/paths.h"
#include "temp_directory.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(Files, BackslashPathsFindFilesWhateverTheirCase) {
    TempDirectory directory;
    std::filesystem::create_directories(directory.file("Media/Sub"));
    directory.write("Media/Sub/TLife.tga", "tga");
    EXPECT_EQ(luma::resolvePath("Media\\Sub\\TLife.tga"), "Media/Sub/TLife.tga");
    EXPECT_EQ(luma::resolvePath("media\\SUB\\tlife.TGA"), "Media/Sub/TLife.tga");
    // What does not exist keeps its written name, so it can be created.
    EXPECT_EQ(luma::resolvePath("media\\new.log"), "Media/new.log");

    HANDLE file = CreateFileA("MEDIA\\sub\\tlife.tga", GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    char buffer[8] = {};
    DWORD read = 0;
    EXPECT_TRUE(ReadFile(file, buffer, sizeof buffer, &read, nullptr));
    EXPECT_EQ(read, 3u);
    EXPECT_STREQ(buffer, "tga");
    EXPECT_EQ(GetFileSize(file, nullptr), 3u);
    EXPECT_TRUE(CloseHandle(file));
    EXPECT_FALSE(CloseHandle(file));
}

TEST(Files, CreateAlwaysTruncatesAndMissingFilesFail) {
    TempDirectory directory;
    directory.write("out.log", "previous contents");
    HANDLE file = CreateFileA("out.log", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(file, "new", 3, &written, nullptr));
    EXPECT_EQ(written, 3u);
    CloseHandle(file);
    EXPECT_EQ(directory.read("out.log"), "new");

    EXPECT_EQ(CreateFileA("missing.bin", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(CreateFileA(".", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr),
              INVALID_HANDLE_VALUE);
}

TEST(Files, DistancesWithANegativeHighPartMoveBackwards) {
    TempDirectory directory;
    directory.write("data.bin", "0123456789");
    HANDLE file = CreateFileA("data.bin", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LONG high = -1; // with the low part: -3 as one 64-bit distance
    EXPECT_EQ(SetFilePointer(file, -3, &high, FILE_END), 7u);
    EXPECT_EQ(high, 0);
    char digit = 0;
    DWORD read = 0;
    ReadFile(file, &digit, 1, &read, nullptr);
    EXPECT_EQ(digit, '7');
    CloseHandle(file);
}

TEST(Files, ForeignHandlesAreRefused) {
    int notAFile = 0;
    DWORD count = 99;
    char buffer[4];
    EXPECT_FALSE(ReadFile(&notAFile, buffer, 4, &count, nullptr));
    EXPECT_EQ(count, 0u);
    EXPECT_FALSE(WriteFile(INVALID_HANDLE_VALUE, "x", 1, &count, nullptr));
    EXPECT_EQ(GetFileSize(nullptr, nullptr), INVALID_FILE_SIZE);
}

} // namespace
