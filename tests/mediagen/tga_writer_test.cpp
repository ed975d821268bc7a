// The TGA writer's header and pixel order, checked byte by byte and by ImageMagick.

#include "run_tool.h"
#include "scratch_file.h"
#include "tga_file.h"
#include "tga_writer.h"

#include <gtest/gtest.h>

using mediagen::encodeTga;
using mediagen::Image;

namespace {

Image corners(bool alpha) {
    Image image(3, 2, alpha);
    image.at(0, 0) = {1, 0, 0}; // red, top left
    image.at(2, 1) = {0, 0, 1}; // blue, bottom right
    image.at(1, 0) = {0.5f, 0.25f, 1.0f};
    if (alpha)
        image.alphaAt(2, 1) = 0.5f;
    return image;
}

} // namespace

TEST(TgaWriter, TwentyFourBitHeaderSaysTopRowFirstWithoutAlpha) {
    std::vector<uint8_t> bytes = encodeTga(corners(false));
    ASSERT_EQ(bytes.size(), 18u + 3 * 2 * 3);
    const uint8_t header[18] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 0, 2, 0, 24, 0x20};
    for (int i = 0; i < 18; ++i)
        EXPECT_EQ(bytes[i], header[i]) << "header byte " << i;
    EXPECT_EQ(bytes[18], 0);   // blue
    EXPECT_EQ(bytes[19], 0);   // green
    EXPECT_EQ(bytes[20], 255); // red
    EXPECT_EQ(bytes[21], 255); // pixel (1, 0): blue 1.0
    EXPECT_EQ(bytes[22], 64);  // green 0.25 rounds to 64
    EXPECT_EQ(bytes[23], 128); // red 0.5 rounds to 128
}

TEST(TgaWriter, ThirtyTwoBitFilesCarryEightAlphaBits) {
    std::vector<uint8_t> bytes = encodeTga(corners(true));
    ASSERT_EQ(bytes.size(), 18u + 4 * 2 * 3);
    EXPECT_EQ(bytes[16], 32);
    EXPECT_EQ(bytes[17], 0x28);
    EXPECT_EQ(bytes[18 + 3], 255);                   // opaque first pixel
    EXPECT_EQ(bytes[18 + (1 * 3 + 2) * 4 + 3], 128); // half alpha bottom right
}

TEST(TgaWriter, ImageMagickReadsTheCornersWhereWeDrewThem) {
    for (bool alpha : {false, true}) {
        ScratchFile file(alpha ? "corners32.tga" : "corners24.tga", encodeTga(corners(alpha)));
        const std::string& path = file.path();
        std::string out = runTool("convert " + shellQuoted(path) +
                                  " -format '%w %h %[fx:int(255*p{0,0}.r)] %[fx:int(255*p{2,1}.b)] "
                                  "%[fx:int(255*p{2,1}.r)]' info:");
        EXPECT_EQ(out, "3 2 255 255 0") << (alpha ? "32-bit" : "24-bit");
        TgaFile back = readTgaFile(path);
        EXPECT_EQ(back.at(0, 0).r, 255);
        EXPECT_EQ(back.at(2, 1).b, 255);
        EXPECT_EQ(back.at(2, 1).a, alpha ? 128 : 255);
    }
}
