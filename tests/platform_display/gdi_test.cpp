// GDI on bitmaps from ImageMagick: LoadImageA, memory DCs, StretchBlt, pixels.
#include "temp_directory.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

// 100 x 50: left half red, right half blue, the top 10 rows green over both, and the
// bottom-right pixel white. Four colours: as a palette picture, ImageMagick's BMP3 writer
// makes it 4-bit.
const char* const pattern = "-size 100x50 xc:blue +antialias -fill red -draw 'rectangle 0,0 49,49' "
                            "-fill lime -draw 'rectangle 0,0 99,9' -fill white -draw 'point 99,49'";
// More than 16 grey levels: 8-bit with a palette, or true colour.
const char* const gradient = "-size 100x50 gradient:black-white";

bool convert(const std::string& arguments, const std::string& file) {
    std::filesystem::remove(file);
    std::string command = "convert " + arguments + " " + file + " 2>/dev/null";
    return std::system(command.c_str()) == 0;
}

std::vector<unsigned char> bytesOf(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

void writeBytes(const std::string& file, const std::vector<unsigned char>& bytes) {
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

unsigned bitCountOf(const std::string& file) {
    std::vector<unsigned char> bytes = bytesOf(file);
    return bytes.size() >= 30 ? bytes[28] | bytes[29] << 8 : 0;
}

void put32(std::vector<unsigned char>& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<unsigned char>(value >> (8 * i));
}

HBITMAP loadFile(const std::string& name) {
    return static_cast<HBITMAP>(LoadImageA(nullptr, name.c_str(), IMAGE_BITMAP, 0, 0,
                                           LR_CREATEDIBSECTION | LR_LOADFROMFILE));
}

// The bitmap's colours, row by row, read through a memory DC.
std::vector<COLORREF> coloursOf(HBITMAP bitmap, int width, int height) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    std::vector<COLORREF> colours;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            colours.push_back(GetPixel(dc, x, y));
    SelectObject(dc, previous);
    DeleteDC(dc);
    return colours;
}

void expectPattern(HBITMAP bitmap) {
    std::vector<COLORREF> c = coloursOf(bitmap, 100, 50);
    auto at = [&](int x, int y) { return c[static_cast<size_t>(y) * 100 + x]; };
    EXPECT_EQ(at(0, 0), RGB(0, 255, 0));
    EXPECT_EQ(at(99, 9), RGB(0, 255, 0));
    EXPECT_EQ(at(0, 10), RGB(255, 0, 0));
    EXPECT_EQ(at(49, 49), RGB(255, 0, 0));
    EXPECT_EQ(at(50, 10), RGB(0, 0, 255));
    EXPECT_EQ(at(98, 49), RGB(0, 0, 255));
    EXPECT_EQ(at(99, 49), RGB(255, 255, 255));
}

class GdiTest : public ::testing::Test {
protected:
    TempDirectory directory;
};

TEST_F(GdiTest, LoadsUncompressedBitmapsOfEveryDepth) {
    ASSERT_TRUE(convert(std::string(pattern) + " -type TrueColor", "BMP3:true.bmp"));
    ASSERT_TRUE(convert(std::string(pattern) + " -type Palette -compress None", "BMP3:four.bmp"));
    ASSERT_TRUE(convert(std::string(pattern) + " -type TrueColorAlpha", "BMP:alpha.bmp"));
    ASSERT_EQ(bitCountOf("true.bmp"), 24u);
    ASSERT_EQ(bitCountOf("four.bmp"), 4u);
    ASSERT_EQ(bitCountOf("alpha.bmp"), 32u);
    for (const char* name : {"true.bmp", "four.bmp", "alpha.bmp"}) {
        SCOPED_TRACE(name);
        HBITMAP bitmap = loadFile(name);
        ASSERT_NE(bitmap, nullptr);
        BITMAP info;
        ASSERT_EQ(GetObjectA(bitmap, sizeof info, &info), static_cast<int>(sizeof info));
        EXPECT_EQ(info.bmWidth, 100);
        EXPECT_EQ(info.bmHeight, 50);
        EXPECT_EQ(info.bmPlanes, 1);
        expectPattern(bitmap);
        EXPECT_TRUE(DeleteObject(bitmap));
    }
}

TEST_F(GdiTest, PaletteBitmapsGiveTheColoursOfTheirTrueColourTwin) {
    ASSERT_TRUE(convert(std::string(gradient) + " -type Palette -colors 256 -compress None",
                        "BMP3:eight.bmp"));
    ASSERT_TRUE(convert(std::string(gradient) + " -type TrueColor", "BMP3:grey.bmp"));
    ASSERT_TRUE(convert("-size 100x50 xc:black +antialias -fill white -draw 'rectangle 0,0 49,49' "
                        "-type Bilevel",
                        "BMP3:one.bmp"));
    ASSERT_EQ(bitCountOf("eight.bmp"), 8u);
    ASSERT_EQ(bitCountOf("one.bmp"), 1u);

    HBITMAP eight = loadFile("eight.bmp");
    HBITMAP grey = loadFile("grey.bmp");
    ASSERT_NE(eight, nullptr);
    ASSERT_NE(grey, nullptr);
    std::vector<COLORREF> fromPalette = coloursOf(eight, 100, 50);
    EXPECT_EQ(fromPalette, coloursOf(grey, 100, 50));
    EXPECT_EQ(fromPalette.front(), RGB(0, 0, 0));
    EXPECT_EQ(fromPalette.back(), RGB(255, 255, 255));

    HBITMAP one = loadFile("one.bmp");
    ASSERT_NE(one, nullptr);
    std::vector<COLORREF> bits = coloursOf(one, 100, 50);
    EXPECT_EQ(bits[0], RGB(255, 255, 255));
    EXPECT_EQ(bits[49 * 100 + 49], RGB(255, 255, 255));
    EXPECT_EQ(bits[49 * 100 + 50], RGB(0, 0, 0));
    for (HBITMAP bitmap : {eight, grey, one})
        DeleteObject(bitmap);
}

TEST_F(GdiTest, RefusesWhatItCannotReadWithoutReadingPastTheFile) {
    ASSERT_TRUE(convert(std::string(gradient) + " -type Palette -compress RLE", "BMP3:rle.bmp"));
    ASSERT_TRUE(
        convert("-size 100x50 gradient:red-blue -define bmp:subtype=RGB565", "BMP:sixteen.bmp"));
    ASSERT_TRUE(convert(std::string(pattern) + " -type TrueColor", "BMP3:good.bmp"));
    ASSERT_EQ(bitCountOf("sixteen.bmp"), 16u);
    std::vector<unsigned char> good = bytesOf("good.bmp");

    std::vector<unsigned char> truncated(good.begin(), good.end() - 100);
    writeBytes("truncated.bmp", truncated);
    std::vector<unsigned char> huge = good;
    put32(huge, 18, 30000);
    put32(huge, 22, 30000);
    writeBytes("huge.bmp", huge);
    std::vector<unsigned char> absurd = good;
    put32(absurd, 18, 0x7FFFFFFF);
    writeBytes("absurd.bmp", absurd);
    std::vector<unsigned char> header = good;
    put32(header, 14, 0xFFFFFFF0);
    writeBytes("header.bmp", header);
    std::vector<unsigned char> offset = good;
    put32(offset, 10, 0xFFFFFF00);
    writeBytes("offset.bmp", offset);
    std::vector<unsigned char> empty = good;
    put32(empty, 18, 0);
    writeBytes("empty.bmp", empty);
    writeBytes("short.bmp", std::vector<unsigned char>(good.begin(), good.begin() + 20));
    writeBytes("text.bmp", std::vector<unsigned char>(60, 'x'));

    for (const char* name :
         {"rle.bmp", "sixteen.bmp", "truncated.bmp", "huge.bmp", "absurd.bmp", "header.bmp",
          "offset.bmp", "empty.bmp", "short.bmp", "text.bmp", "missing.bmp"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(loadFile(name), nullptr);
    }
    EXPECT_NE(loadFile("good.bmp"), nullptr);
}

TEST_F(GdiTest, OnlyFilesAreFoundAndTheirNamesAreWindowsPaths) {
    std::filesystem::create_directory("Media");
    ASSERT_TRUE(convert(std::string(pattern) + " -type TrueColor", "BMP3:Media/Picture.bmp"));
    // Without LR_LOADFROMFILE the name is a resource of the program, and there is none.
    EXPECT_EQ(LoadImageA(GetModuleHandleA(nullptr), "media\\picture.bmp", IMAGE_BITMAP, 0, 0,
                         LR_CREATEDIBSECTION),
              nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    HBITMAP found = loadFile("media\\PICTURE.BMP");
    ASSERT_NE(found, nullptr);
    expectPattern(found);
    DeleteObject(found);

    HBITMAP sized = static_cast<HBITMAP>(
        LoadImageA(nullptr, "Media/Picture.bmp", IMAGE_BITMAP, 50, 25, LR_LOADFROMFILE));
    ASSERT_NE(sized, nullptr);
    BITMAP info;
    GetObjectA(sized, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 50);
    EXPECT_EQ(info.bmHeight, 25);
    DeleteObject(sized);
}

TEST_F(GdiTest, StretchBltTakesTheNearestPixelAndKeepsInsideTheTarget) {
    ASSERT_TRUE(convert(std::string(pattern) + " -type TrueColor", "BMP3:source.bmp"));
    ASSERT_TRUE(convert("-size 40x20 xc:black -type TrueColor", "BMP3:target.bmp"));
    HBITMAP source = loadFile("source.bmp");
    HBITMAP target = loadFile("target.bmp");
    HDC from = CreateCompatibleDC(nullptr);
    HDC to = CreateCompatibleDC(nullptr);
    SelectObject(from, source);
    SelectObject(to, target);

    // Half size: every second pixel of the 100 x 50 picture.
    ASSERT_TRUE(StretchBlt(to, 0, 0, 50, 25, from, 0, 0, 100, 50, SRCCOPY));
    EXPECT_EQ(GetPixel(to, 4, 4), RGB(0, 255, 0));
    EXPECT_EQ(GetPixel(to, 4, 5), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(to, 24, 10), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(to, 25, 10), RGB(0, 0, 255));
    // Partly outside the target: the part inside is drawn, nothing else.
    ASSERT_TRUE(StretchBlt(to, 35, 15, 10, 10, from, 90, 40, 10, 10, SRCCOPY));
    EXPECT_EQ(GetPixel(to, 39, 19), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(to, 40, 19), CLR_INVALID);
    EXPECT_FALSE(StretchBlt(to, 0, 0, 10, 10, from, 0, 0, 10, 10, 0x00EE0086));

    // A selected bitmap cannot be deleted or selected elsewhere.
    EXPECT_FALSE(DeleteObject(source));
    HDC third = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SelectObject(third, source), nullptr);
    DeleteDC(third);
    EXPECT_TRUE(DeleteDC(from));
    EXPECT_TRUE(DeleteDC(to));
    EXPECT_FALSE(DeleteDC(to));
    EXPECT_TRUE(DeleteObject(source));
    EXPECT_TRUE(DeleteObject(target));
    EXPECT_FALSE(DeleteObject(target));
    EXPECT_EQ(GetObjectA(target, sizeof(BITMAP), nullptr), 0);
}

} // namespace
