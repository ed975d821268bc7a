#include "music_fixture.h"

#include <TDirectSound.h>

#include <fstream>
#include <vector>

namespace {

void writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

TestSample bytesSample(std::vector<int8_t> data, int volume = 64) {
    TestSample sample;
    sample.data = std::move(data);
    sample.volume = volume;
    return sample;
}

TEST_F(MusicTest, PatternCountComesFromTheFileSizeAndTrailingBytesAreIgnored) {
    load(ModuleBuilder()
             .patterns(3)
             .songLength(3)
             .sample(1, bytesSample({-128, 127, 0, 1}))
             .sample(2, bytesSample({5, 6}))
             .trailingBytes(100));
    EXPECT_EQ(music.patternCount, 3);
    EXPECT_EQ(music.header.samples[0].length, 4);
    EXPECT_EQ(music.header.samples[1].length, 2);
    EXPECT_EQ(music.samples[0][0], -4096);
    EXPECT_EQ(music.samples[0][1], 4064);
    EXPECT_EQ(music.samples[0][3], 32);
    EXPECT_EQ(music.samples[1][0], 160);
    EXPECT_EQ(music.samples[1][1], 192);
    EXPECT_EQ(log(), "");
}

TEST_F(MusicTest, SampleRecordsBecomeByteCounts) {
    TestSample looped = bytesSample(std::vector<int8_t>(600, 1), 48);
    looped.repeatOffsetBytes = 200;
    looped.repeatLengthBytes = 400;
    load(ModuleBuilder().sample(3, looped));
    const SampleRecord& record = music.header.samples[2];
    EXPECT_EQ(record.length, 600);
    EXPECT_EQ(record.repeatOffset, 200);
    EXPECT_EQ(record.repeatLength, 400);
    EXPECT_EQ(record.volume, 48);
}

TEST_F(MusicTest, AnEmptySampleHasNoDataAndIsNeverHeard) {
    load(ModuleBuilder().sample(1, bytesSample({})).cell(0, 0, 0, {1, 428, 0, 0}));
    EXPECT_EQ(music.header.samples[0].length, 0);
    PlayRow();
    EXPECT_EQ(MixSample(22050), 0);
    EXPECT_EQ(music.channels[0].volume, 0);
}

TEST_F(MusicTest, AFourChannelModuleIsRejectedWithWhatItSaidItWas) {
    load(ModuleBuilder().signature("M.K.").songLength(5));
    EXPECT_EQ(log(), "Falsches Mod-Format! song.mod (M.K.)\n");
    // Nothing was loaded, so the song is treated as empty: the demo ends at once.
    EXPECT_EQ(music.header.songLength, 0);
    EXPECT_FALSE(UpdateMusic());
    EXPECT_TRUE(closeRequested());
}

TEST_F(MusicTest, AMissingFileEndsTheDemoAndItsLogLineStaysOneLine) {
    LoadModule("Media\\NoSuch.mod");
    EXPECT_EQ(log(), "Falsches Mod-Format! Media\\NoSuch.mod (....)\n");
    EXPECT_FALSE(UpdateMusic());
    EXPECT_TRUE(closeRequested());
}

TEST_F(MusicTest, AFileWithoutPatternsEndsTheSongInsteadOfPlayingMissingOnes) {
    std::vector<uint8_t> bytes =
        ModuleBuilder().patterns(0).sample(1, bytesSample(std::vector<int8_t>(100, 9))).bytes();
    bytes.resize(1084); // the header alone: no patterns, no sample data
    writeFile("short.mod", bytes);
    LoadModule("short.mod");
    EXPECT_EQ(music.patternCount, 0);
    EXPECT_EQ(music.header.samples[0].length, 0);
    EXPECT_TRUE(UpdateMusic());
    EXPECT_TRUE(SongEnded());
    EXPECT_FALSE(UpdateMusic());
    EXPECT_TRUE(closeRequested());
}

TEST_F(MusicTest, ASampleThatRunsPastTheEndOfTheFileIsCutToTheFile) {
    std::vector<uint8_t> bytes = ModuleBuilder()
                                     .patterns(0)
                                     .sample(1, bytesSample(std::vector<int8_t>(10, 1)))
                                     .sample(2, bytesSample(std::vector<int8_t>(3000, 2)))
                                     .bytes();
    bytes.resize(1084 + 10 + 1000);
    writeFile("cut.mod", bytes);
    LoadModule("cut.mod");
    EXPECT_EQ(music.patternCount, 0);
    EXPECT_EQ(music.header.samples[0].length, 10);
    ASSERT_EQ(music.header.samples[1].length, 1000);
    EXPECT_EQ(music.samples[0][9], 32);
    EXPECT_EQ(music.samples[1][0], 64);
    EXPECT_EQ(music.samples[1][999], 64);
}

} // namespace

namespace {

class MusicBufferSize : public MusicTest, public ::testing::WithParamInterface<int> {};

TEST_P(MusicBufferSize, IsHalfASecondOfSixteenBitMonoAndPlaysAtOnce) {
    sampleRate = GetParam();
    samplesPerRow = sampleRate * 12 / 100;
    directSound = new TDirectSound(lumaBase);
    ASSERT_NE(directSound->lpDS, nullptr);
    load(ModuleBuilder());
    ASSERT_NE(music.buffer, nullptr);
    void* first = nullptr;
    void* second = nullptr;
    DWORD firstBytes = 0, secondBytes = 0;
    ASSERT_EQ(
        music.buffer->Lock(0, 0, &first, &firstBytes, &second, &secondBytes, DSBLOCK_ENTIREBUFFER),
        DS_OK);
    EXPECT_EQ(firstBytes + secondBytes, static_cast<DWORD>(sampleRate));
    music.buffer->Unlock(first, firstBytes, second, secondBytes);
    DWORD status = 0;
    music.buffer->GetStatus(&status);
    EXPECT_TRUE(status & DSBSTATUS_LOOPING);
    // The first 8000 bytes were mixed before the buffer started.
    EXPECT_EQ(music.writeOffsetBytes, 8000u);
    FreeModule();
    EXPECT_EQ(music.buffer, nullptr);
    delete directSound;
    directSound = nullptr;
}

INSTANTIATE_TEST_SUITE_P(BothRates, MusicBufferSize, ::testing::Values(22050, 44100));

} // namespace
