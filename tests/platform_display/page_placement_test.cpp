// A page drawn at a whole multiple of its size, as a window shows it, against ImageMagick's
// own pixel-repeating scale of the same colours.
#include "command.h"
#include "temp_directory.h"

#include "display/page_placement.h"
#include "display/pixel_format.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using luma::PixelLayout;

const int pageWidth = 40, pageHeight = 30;

struct Output {
    int width;
    int height;
    int factor; // the whole multiple the page is drawn at
};

class WholeMultiple : public ::testing::TestWithParam<Output> {};

TEST_P(WholeMultiple, EachPixelIsRepeatedAsImageMagickSamplesItWithBlackAround) {
    const Output& output = GetParam();
    TempDirectory directory;
    ASSERT_EQ(runCommand("convert -size 40x30 -seed 3 plasma: -depth 8 rgb:page.rgb").status, 0);
    std::string source = directory.read("page.rgb");
    ASSERT_EQ(source.size(), static_cast<size_t>(pageWidth * pageHeight * 3));

    // The page in 5-6-5, and the colours a screenshot of it shows.
    std::vector<uint16_t> page(pageWidth * pageHeight);
    std::string shown;
    for (size_t i = 0; i < page.size(); ++i) {
        auto channel = [&](int c) { return static_cast<unsigned char>(source[i * 3 + c]); };
        page[i] = luma::packColour(PixelLayout::rgb565, RGB(channel(0), channel(1), channel(2)));
        COLORREF colour = luma::unpackPixel(PixelLayout::rgb565, page[i]);
        shown += {static_cast<char>(GetRValue(colour)), static_cast<char>(GetGValue(colour)),
                  static_cast<char>(GetBValue(colour))};
    }
    directory.write("shown.rgb", shown);

    luma::PlacedRect placed =
        luma::letterbox(output.width, output.height, pageWidth, pageHeight, true);
    ASSERT_TRUE(luma::isWholeMultiple(placed, pageWidth, pageHeight));
    ASSERT_EQ(placed.width, pageWidth * output.factor);
    // Rows longer than the picture, as window pixels often are; garbage to be overwritten.
    int pitchPixels = output.width + 3;
    std::vector<uint32_t> pixels(static_cast<size_t>(pitchPixels) * output.height, 0xDEADBEEF);
    luma::RgbOutput target;
    target.pixels = pixels.data();
    target.width = output.width;
    target.height = output.height;
    target.pitchBytes = pitchPixels * 4;
    luma::drawWholeMultiple(page, pageWidth, placed, target);

    std::string drawn;
    for (int y = 0; y < output.height; ++y)
        for (int x = 0; x < output.width; ++x) {
            uint32_t pixel = pixels[static_cast<size_t>(y) * pitchPixels + x];
            drawn += {static_cast<char>(pixel >> 16), static_cast<char>(pixel >> 8),
                      static_cast<char>(pixel)};
        }
    int left = (output.width - placed.width) / 2, top = (output.height - placed.height) / 2;
    int right = output.width - placed.width - left, bottom = output.height - placed.height - top;
    std::string scale = "convert -size 40x30 -depth 8 rgb:shown.rgb -sample " +
                        std::to_string(100 * output.factor) + "% -background black -gravity " +
                        "northwest -splice " + std::to_string(left) + "x" + std::to_string(top) +
                        " -gravity southeast -splice " + std::to_string(right) + "x" +
                        std::to_string(bottom) + " rgb:expected.rgb";
    ASSERT_EQ(runCommand(scale).status, 0) << scale;
    std::string expected = directory.read("expected.rgb");
    ASSERT_EQ(expected.size(), drawn.size());
    EXPECT_TRUE(expected == drawn) << "the drawn page differs from ImageMagick's";
}

INSTANTIATE_TEST_SUITE_P(Outputs, WholeMultiple,
                         ::testing::Values(Output{80, 60, 2},    // exactly twice
                                           Output{130, 98, 3},   // bars on every side
                                           Output{80, 100, 2})); // bars above and below only

} // namespace
