// The capture's own file writers, read back by ImageMagick and sox.
#include "capture/png_writer.h"
#include "capture/rgb_frame.h"
#include "capture/wav_writer.h"
#include "program_run.h"
#include "temp_directory.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using luma::RgbFrame;

RgbFrame patternFrame(int width, int height) {
    RgbFrame frame;
    frame.width = width;
    frame.height = height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            frame.bytes.insert(frame.bytes.end(),
                               {static_cast<uint8_t>(x * 7 + y), static_cast<uint8_t>(y * 3),
                                static_cast<uint8_t>((x ^ y) * 5)});
    return frame;
}

TEST(PngWriter, ImageMagickReadsBackEveryPixelAndTheSize) {
    TempDirectory directory;
    for (auto [width, height] : {std::pair{5, 3}, std::pair{640, 480}}) {
        RgbFrame frame = patternFrame(width, height);
        std::string problem;
        ASSERT_TRUE(luma::writePng(directory.file("frame.png"), frame, problem)) << problem;
        CommandResult size = runCommand("identify -format '%m %w %h' frame.png");
        EXPECT_EQ(size.output, "PNG " + std::to_string(width) + " " + std::to_string(height));
        CommandResult pixels = runCommand("convert frame.png -depth 8 rgb:frame.rgb");
        ASSERT_EQ(pixels.status, 0) << pixels.output;
        std::string read = readFile(directory.file("frame.rgb"));
        EXPECT_TRUE(read == std::string(frame.bytes.begin(), frame.bytes.end()))
            << width << " x " << height;
    }
}

TEST(WavWriter, SoxReadsTheRateTheChannelAndEverySample) {
    TempDirectory directory;
    std::vector<int16_t> samples = {0, 1, -1, 32767, -32768, 1234, -4321};
    std::string problem;
    ASSERT_TRUE(luma::writeWav(directory.file("sound.wav"), samples, 44100, problem)) << problem;
    EXPECT_EQ(runCommand("soxi -r sound.wav").output, "44100\n");
    EXPECT_EQ(runCommand("soxi -c sound.wav").output, "1\n");
    EXPECT_EQ(runCommand("soxi -s sound.wav").output, "7\n");
    ASSERT_EQ(runCommand("sox sound.wav -t raw -e signed -b 16 -L sound.raw").status, 0);
    std::string raw = readFile(directory.file("sound.raw"));
    ASSERT_EQ(raw.size(), samples.size() * 2);
    for (size_t i = 0; i < samples.size(); ++i)
        EXPECT_EQ(static_cast<int16_t>(static_cast<uint8_t>(raw[2 * i]) |
                                       static_cast<uint8_t>(raw[2 * i + 1]) << 8),
                  samples[i]);
}

TEST(FrameConversion, PagesAreCentredWithTheirChannelsWidenedByTheirHighBits) {
    luma::ShownPage page;
    page.width = 2;
    page.height = 1;
    page.pixels = {0xF800, 0x07E1}; // full red; full green with the lowest blue step
    RgbFrame frame;
    luma::pageToRgb(page, 4, 3, frame);
    std::vector<uint8_t> expected(4 * 3 * 3, 0);
    auto at = [&](int x, int y) { return expected.begin() + (y * 4 + x) * 3; };
    std::copy_n(std::vector<uint8_t>{255, 0, 0}.begin(), 3, at(1, 1));
    std::copy_n(std::vector<uint8_t>{0, 255, 8}.begin(), 3, at(2, 1));
    EXPECT_EQ(frame.bytes, expected);

    page.layout = luma::PixelLayout::rgb555;
    page.pixels = {0x7C00, 0x03E0};
    luma::pageToRgb(page, 2, 1, frame);
    EXPECT_EQ(frame.bytes, (std::vector<uint8_t>{255, 0, 0, 0, 255, 0}));

    // Before anything was shown: black frames of the capture's size.
    luma::pageToRgb(luma::ShownPage{}, 3, 2, frame);
    EXPECT_EQ(frame.bytes, std::vector<uint8_t>(18, 0));
}

} // namespace
