// The capture's own file writers, read back by ImageMagick and sox.
#include "capture/png_writer.h"
#include "capture/rgb_frame.h"
#include "capture/yuv_frame.h"
#include "capture/wav_writer.h"
#include "program_run.h"
#include "temp_directory.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
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

// A page of many colours, in the pixel layout given.
luma::ShownPage colourfulPage(luma::PixelLayout layout) {
    luma::ShownPage page;
    page.width = 64;
    page.height = 48;
    page.layout = layout;
    uint32_t state = 12345;
    for (int i = 0; i < page.width * page.height; ++i) {
        state = state * 1103515245u + 12345u;
        // Smooth areas, sharp edges and noise, as the scenes have them.
        page.pixels.push_back(static_cast<uint16_t>(i % 64 < 32 ? (i * 37) : (state >> 16)));
    }
    return page;
}

// The sum of the differences of every channel of two RGB images.
long differences(const std::string& a, const std::vector<uint8_t>& b) {
    long total = 0;
    for (size_t i = 0; i < b.size() && i < a.size(); ++i)
        total += std::abs(static_cast<uint8_t>(a[i]) - b[i]);
    return total;
}

// The program's own yuv420p, decoded by ffmpeg, is as close to the page as ffmpeg's own
// conversion of the same page's RGB.
TEST(FrameConversion, OurYuvIsAsTrueToThePageAsFfmpegsOwn) {
    TempDirectory directory;
    for (luma::PixelLayout layout : {luma::PixelLayout::rgb565, luma::PixelLayout::rgb555}) {
        luma::ShownPage page = colourfulPage(layout);
        RgbFrame rgb;
        luma::pageToRgb(page, 64, 48, rgb);
        luma::YuvFrame yuv;
        luma::pageToYuv420(page, 64, 48, yuv);
        ASSERT_EQ(yuv.bytes.size(), 64u * 48 * 3 / 2);
        directory.write("page.rgb", std::string(rgb.bytes.begin(), rgb.bytes.end()));
        directory.write("ours.yuv", std::string(yuv.bytes.begin(), yuv.bytes.end()));
        const std::string raw = "ffmpeg -v error -y -f rawvideo -video_size 64x48 -pixel_format ";
        CommandResult converted =
            runCommand(raw + "rgb24 -i page.rgb -f rawvideo -pix_fmt yuv420p theirs.yuv && " + raw +
                       "yuv420p -i theirs.yuv -f rawvideo -pix_fmt rgb24 theirs.rgb && " + raw +
                       "yuv420p -i ours.yuv -f rawvideo -pix_fmt rgb24 ours.rgb");
        ASSERT_EQ(converted.status, 0) << converted.output;
        // Chroma at half resolution loses detail either way: in all, ours loses no more.
        long ours = differences(directory.read("ours.rgb"), rgb.bytes);
        long theirs = differences(directory.read("theirs.rgb"), rgb.bytes);
        EXPECT_LE(ours, theirs + theirs / 100) << ours << " against ffmpeg's " << theirs;
        // Luma differs from ffmpeg's by rounding at most.
        std::string theirPlanes = directory.read("theirs.yuv");
        for (size_t i = 0; i < 64u * 48; ++i)
            ASSERT_LE(std::abs(static_cast<uint8_t>(theirPlanes[i]) - yuv.bytes[i]), 1) << i;
    }
}

} // namespace
