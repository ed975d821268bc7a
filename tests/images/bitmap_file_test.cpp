#include "display_fixture.h"
#include "magick.h"

#include <TBitmap.h>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// Red, green (alpha 128), blue (alpha 0); white, (10, 20, 30) at alpha 40, black at 200.
ColourPicture samplePicture() {
    ColourPicture picture{3, 2, std::vector<uint8_t>(3 * 2 * 4)};
    picture.set(0, 0, 255, 0, 0, 255);
    picture.set(1, 0, 0, 255, 0, 128);
    picture.set(2, 0, 0, 0, 255, 0);
    picture.set(0, 1, 255, 255, 255, 255);
    picture.set(1, 1, 10, 20, 30, 40);
    picture.set(2, 1, 0, 0, 0, 200);
    return picture;
}

const std::vector<uint8_t> sampleAlpha = {255, 128, 0, 255, 40, 200};

// ImageMagick 6's TGA writer stores the top row first whatever it is told; these options make
// the header tell the truth.
const char* const topFirst = "-orient TopLeft";
const char* const bottomFirst = "-flip -orient BottomLeft";
const char* const withoutAlpha = "-alpha off ";

const size_t descriptorByte = 17;

class BitmapFileTest : public DisplayTest {
protected:
    std::vector<uint16_t> sampleColours() const {
        if (is565())
            return {0xF800, 0x07E0, 0x001F, 0xFFFF, 0x08A3, 0x0000};
        return {0x7C00, 0x03E0, 0x001F, 0x7FFF, 0x0443, 0x0000};
    }

    // The sample written by ImageMagick with the options; returns the file's bytes.
    std::vector<uint8_t> writeSample(const std::string& name, const std::string& options) {
        writePam("sample.pam", samplePicture());
        runConvert("sample.pam " + options + " " + name);
        return readBytes(name);
    }

    std::unique_ptr<TBitmap> load(const char* name, unsigned long channels = 0) {
        return std::make_unique<TBitmap>(display, name, channels);
    }

    void expectSample(const TBitmap& image, bool alpha) {
        ASSERT_EQ(image.width, 3u);
        ASSERT_EQ(image.height, 2u);
        ASSERT_NE(image.rgbData, nullptr);
        EXPECT_EQ(std::vector<uint16_t>(image.rgbData, image.rgbData + 6), sampleColours());
        if (alpha) {
            ASSERT_NE(image.alphaData, nullptr);
            EXPECT_EQ(std::vector<uint8_t>(image.alphaData, image.alphaData + 6), sampleAlpha);
        } else {
            EXPECT_EQ(image.alphaData, nullptr);
        }
    }

    void expectRejected(const char* name, const std::string& line) {
        auto image = load(name);
        EXPECT_EQ(image->width, 0u);
        EXPECT_EQ(image->height, 0u);
        EXPECT_EQ(image->rgbData, nullptr);
        EXPECT_EQ(image->alphaData, nullptr);
        EXPECT_EQ(newLog(), line);
        logStart += line.size();
    }
};

TEST_P(BitmapFileTest, ThirtyTwoBitFilesWithAlphaInEitherRowOrder) {
    std::vector<uint8_t> top = writeSample("top.tga", topFirst);
    ASSERT_EQ(top[16], 32);
    ASSERT_EQ(top[descriptorByte], 0x28);
    std::vector<uint8_t> bottom = writeSample("bottom.tga", bottomFirst);
    ASSERT_EQ(bottom[descriptorByte], 0x08);

    expectSample(*load("top.tga"), true);
    expectSample(*load("bottom.tga"), true);
    // Right-to-left order is not honoured: pixels are always taken left to right.
    top[descriptorByte] |= 0x10;
    writeBytes("mirrored.tga", top);
    expectSample(*load("mirrored.tga"), true);
    EXPECT_EQ(newLog(), "");
}

TEST_P(BitmapFileTest, APictureOfNoPixelsIsAnEmptyImageWithoutPlanes) {
    // An 18-byte header that claims a picture 0 pixels wide and 5 rows high.
    std::vector<uint8_t> header(18, 0);
    header[2] = 2;   // uncompressed true colour
    header[14] = 5;  // height
    header[16] = 24; // depth
    writeBytes("empty.tga", header);
    auto image = load("empty.tga");
    EXPECT_EQ(image->width, 0u);
    EXPECT_EQ(image->height, 0u);
    EXPECT_EQ(image->rgbData, nullptr);
    EXPECT_EQ(image->alphaData, nullptr);
}

TEST_P(BitmapFileTest, TwentyFourBitFilesHaveNoAlpha) {
    std::vector<uint8_t> top = writeSample("top.tga", std::string(withoutAlpha) + topFirst);
    ASSERT_EQ(top[16], 24);
    ASSERT_EQ(top[descriptorByte], 0x20);
    writeSample("bottom.tga", std::string(withoutAlpha) + bottomFirst);

    expectSample(*load("top.tga"), false);
    expectSample(*load("bottom.tga"), false);
    EXPECT_EQ(newLog(), "");
}

TEST_P(BitmapFileTest, ThirtyTwoBitFileWithoutAlphaBitsIgnoresItsFourthBytes) {
    std::vector<uint8_t> bytes = writeSample("top.tga", topFirst);
    bytes[descriptorByte] = 0x20;
    writeBytes("noalpha.tga", bytes);
    expectSample(*load("noalpha.tga"), false);
    EXPECT_EQ(newLog(), "");
}

TEST_P(BitmapFileTest, UnknownAlphaBitsAreWarnedAboutAndIgnored) {
    std::vector<uint8_t> bytes = writeSample("top.tga", topFirst);
    bytes[descriptorByte] = 0x21;
    writeBytes("odd.tga", bytes);
    expectSample(*load("odd.tga"), false);
    EXPECT_EQ(newLog(), "TBitmap::TBitmap(char*) - Picture has unknown alpha channel! Ignoring "
                        "alpha channel!\n");
}

TEST_P(BitmapFileTest, FilesOfOtherKindsAreRejectedWithTheirLine) {
    writeSample("mapped.tga", std::string(withoutAlpha) + "-type Palette");
    std::vector<uint8_t> mapped = readBytes("mapped.tga");
    ASSERT_EQ(mapped[1], 1);
    expectRejected("mapped.tga",
                   "TBitmap::TBitmap(char*) - Wrong file type: Picture has a color table!");
    mapped[2] = 2;
    writeBytes("mapped2.tga", mapped);
    expectRejected("mapped2.tga",
                   "TBitmap::TBitmap(char*) - Wrong file type: Picture has a color table!");

    writeSample("rle.tga", std::string(topFirst) + " -compress RLE");
    expectRejected("rle.tga", "TBitmap::TBitmap(char*) - Wrong file type: Picture has "
                              "compression and/or isn't stored in TrueColor format!\n");

    std::vector<uint8_t> sixteen =
        writeSample("16.tga", std::string(withoutAlpha) + "-depth 5 -define tga:bits-per-pixel=16");
    ASSERT_EQ(sixteen[16], 16);
    expectRejected("16.tga", "TBitmap::TBitmap(char*) - Wrong file type: Picture has 16 and not "
                             "24/32 bits color depth!\n");

    std::vector<uint8_t> claiming = writeSample("24.tga", std::string(withoutAlpha) + topFirst);
    claiming[descriptorByte] = 0x28;
    writeBytes("claiming.tga", claiming);
    expectRejected("claiming.tga", "TBitmap::TBitmap(char*) - Wrong file type: Picture must "
                                   "have depth of 32 with or 24 without alpha channel!\n");

    expectRejected("Missing.tga",
                   "TBitmap::TBitmap(char*) - Could not open file \"Missing.tga\"!\n");
}

TEST_P(BitmapFileTest, ChannelsChooseThePlanesKept) {
    writeSample("alpha.tga", topFirst);
    writeSample("plain.tga", std::string(withoutAlpha) + topFirst);

    auto alphaOnly = load("alpha.tga", 1);
    EXPECT_EQ(alphaOnly->width, 3u);
    EXPECT_EQ(alphaOnly->rgbData, nullptr);
    ASSERT_NE(alphaOnly->alphaData, nullptr);
    EXPECT_EQ(std::vector<uint8_t>(alphaOnly->alphaData, alphaOnly->alphaData + 6), sampleAlpha);

    expectSample(*load("alpha.tga", 2), false);
    expectSample(*load("alpha.tga", 7), true);

    auto nothing = load("plain.tga", 1);
    EXPECT_EQ(nothing->width, 3u);
    EXPECT_EQ(nothing->height, 2u);
    EXPECT_EQ(nothing->rgbData, nullptr);
    EXPECT_EQ(nothing->alphaData, nullptr);
}

TEST_P(BitmapFileTest, PathsTakeBackslashesAndAnyCase) {
    ASSERT_EQ(::mkdir("media", 0755), 0);
    writeSample("media/picture.tga", topFirst);
    expectSample(*load("Media\\PICTURE.TGA"), true);
}

TEST_P(BitmapFileTest, PixelsAFileLacksAreZero) {
    std::vector<uint8_t> bytes = writeSample("top.tga", topFirst);
    // The header, the first row and one pixel of the second.
    bytes.resize(18 + 12 + 4);
    writeBytes("short.tga", bytes);
    auto image = load("short.tga");
    ASSERT_EQ(image->width, 3u);
    ASSERT_EQ(image->height, 2u);
    std::vector<uint16_t> colours = sampleColours();
    EXPECT_EQ(std::vector<uint16_t>(image->rgbData, image->rgbData + 6),
              (std::vector<uint16_t>{colours[0], colours[1], colours[2], colours[3], 0, 0}));
    EXPECT_EQ(std::vector<uint8_t>(image->alphaData, image->alphaData + 6),
              (std::vector<uint8_t>{255, 128, 0, 255, 0, 0}));
}

// AddressSanitizer reserves far more address space than a limit leaves: the test is built
// only without it.
#if !defined(__SANITIZE_ADDRESS__)
// Holds the process to a small address space while it lives.
class AddressSpaceLimit {
public:
    explicit AddressSpaceLimit(rlim_t extraBytes) {
        getrlimit(RLIMIT_AS, &previous);
        rlimit limit = previous;
        limit.rlim_cur = currentSize() + extraBytes;
        setrlimit(RLIMIT_AS, &limit);
    }
    ~AddressSpaceLimit() { setrlimit(RLIMIT_AS, &previous); }

private:
    static rlim_t currentSize() {
        std::vector<uint8_t> status = readBytes("/proc/self/statm");
        return rlim_t(std::stoull(std::string(status.begin(), status.end()))) * 4096;
    }
    rlimit previous;
};

TEST_P(BitmapFileTest, AnImageTooLargeForMemoryIsLoggedAndLeftEmpty) {
    std::vector<uint8_t> bytes = writeSample("top.tga", std::string(withoutAlpha) + topFirst);
    bytes[12] = bytes[13] = bytes[14] = bytes[15] = 0xFF; // 65535 x 65535
    writeBytes("huge.tga", bytes);
    std::unique_ptr<TBitmap> image;
    {
        AddressSpaceLimit limit(rlim_t(1) << 30);
        image = load("huge.tga");
    }
    EXPECT_EQ(image->width, 0u);
    EXPECT_EQ(image->height, 0u);
    EXPECT_EQ(image->rgbData, nullptr);
    EXPECT_EQ(newLog(), "TBitmap::TBitmap(char*) - Not enough memory for RGB data!\n");
}
#endif

INSTANTIATE_FOR_BOTH_LAYOUTS(BitmapFileTest);

} // namespace
