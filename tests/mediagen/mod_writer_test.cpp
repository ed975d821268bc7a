// The module writer's bytes, read back by the demo-style reader.

#include "mod_writer.h"
#include "module_file.h"
#include "scratch_file.h"

#include <gtest/gtest.h>

#include <stdexcept>

using mediagen::encodeMod;
using mediagen::Module;

namespace {

Module smallModule() {
    Module m;
    m.title = "Tiny";
    m.samples[0].name = "looped";
    m.samples[0].data = std::vector<int8_t>(300, 0);
    m.samples[0].data[0] = -128;
    m.samples[0].data[1] = 127;
    m.samples[0].volume = 48;
    m.samples[0].loopStart = 100;
    m.samples[1].name = "once";
    m.samples[1].data = {5, -5};
    m.samples[1].volume = 64;
    m.patterns.resize(2);
    m.patterns[1].rows[3][7] = {31, 428, 0xC, 0x20};
    m.patterns[0].rows[0][0] = {2, 113, 0xE, 0xC0};
    m.order = {1, 0, 1};
    return m;
}

} // namespace

TEST(ModWriter, HeaderFieldsSitWhereTheLoaderReadsThem) {
    std::vector<uint8_t> bytes = encodeMod(smallModule());
    ASSERT_EQ(bytes.size(), 1084u + 2 * 2048 + 300 + 2);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "Tiny");
    EXPECT_EQ(bytes[20 + 22], 0); // length 150 words, big-endian
    EXPECT_EQ(bytes[20 + 23], 150);
    EXPECT_EQ(bytes[20 + 25], 48);  // volume
    EXPECT_EQ(bytes[20 + 27], 50);  // repeat offset 100 bytes = 50 words
    EXPECT_EQ(bytes[20 + 29], 100); // repeat length to the end: 200 bytes
    EXPECT_EQ(bytes[50 + 23], 1);   // "once": one word
    EXPECT_EQ(bytes[50 + 27], 0);
    EXPECT_EQ(bytes[50 + 29], 1); // the customary one-word no-loop
    EXPECT_EQ(bytes[950], 3);
    EXPECT_EQ(bytes[952], 1);
    EXPECT_EQ(bytes[953], 0);
    EXPECT_EQ(bytes[954], 1);
    EXPECT_EQ(std::string(bytes.begin() + 1080, bytes.begin() + 1084), "8CHN");
    // Pattern 1, row 3, channel 8: sample 31, period 428 (0x1AC), effect C, parameter 0x20.
    size_t cell = 1084 + 2048 + (3 * 8 + 7) * 4;
    EXPECT_EQ(bytes[cell], 0x11);
    EXPECT_EQ(bytes[cell + 1], 0xAC);
    EXPECT_EQ(bytes[cell + 2], 0xFC);
    EXPECT_EQ(bytes[cell + 3], 0x20);
    EXPECT_EQ(bytes[1084 + 2 * 2048], 0x80); // -128 as a signed byte
}

TEST(ModWriter, ReaderRecoversTheModule) {
    ScratchFile file("tiny.mod", encodeMod(smallModule()));
    ModuleFile m = readModuleFile(file.path());
    EXPECT_EQ(m.signature, "8CHN");
    EXPECT_EQ(m.patternCount, 2);
    EXPECT_EQ(m.samples[0].lengthBytes, 300u);
    EXPECT_EQ(m.samples[0].repeatOffsetBytes, 100u);
    EXPECT_EQ(m.samples[0].data[0], -4096);
    EXPECT_EQ(m.samples[0].data[1], 4064);
    ModuleCell marker = m.cell(1, 3, 7);
    EXPECT_EQ(marker.sample, 31);
    EXPECT_EQ(marker.period, 428);
    EXPECT_EQ(marker.effect, 0xC);
    EXPECT_EQ(marker.parameter, 0x20);
    ModuleCell cut = m.cell(0, 0, 0);
    EXPECT_EQ(cut.sample, 2);
    EXPECT_EQ(cut.period, 113);
    EXPECT_EQ(cut.parameter, 0xC0);
}

TEST(ModWriter, RefusesWhatTheFormatCannotHold) {
    Module tooLong = smallModule();
    tooLong.samples[2].data.assign(65536, 0);
    EXPECT_THROW(encodeMod(tooLong), std::runtime_error);
    Module oddLength = smallModule();
    oddLength.samples[2].data.assign(3, 0);
    EXPECT_THROW(encodeMod(oddLength), std::runtime_error);
    Module loud = smallModule();
    loud.samples[0].volume = 65;
    EXPECT_THROW(encodeMod(loud), std::runtime_error);
    Module loopPastEnd = smallModule();
    loopPastEnd.samples[0].loopStart = 300;
    EXPECT_THROW(encodeMod(loopPastEnd), std::runtime_error);
    Module noOrder = smallModule();
    noOrder.order.clear();
    EXPECT_THROW(encodeMod(noOrder), std::runtime_error);
}
