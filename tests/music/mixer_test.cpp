// The mixer's integer arithmetic, sample by sample.
#include "music_fixture.h"

#include <vector>

namespace {

// Sample values 0, 1, 2, ... (times 32 once loaded): each mixed value names its index.
TestSample countingSample(int bytes, int volume = 64) {
    TestSample sample;
    for (int i = 0; i < bytes; ++i)
        sample.data.push_back(static_cast<int8_t>(i % 128));
    sample.volume = volume;
    return sample;
}

// At volume 64 one channel's output is sample × 32 × 64 / 64: index × 32.
int indexOf(short output) { return output / 32; }

TEST_F(MusicTest, Period428AtTheLowRateStepsByEightThousandOverTheRate) {
    load(ModuleBuilder().sample(1, countingSample(120)).cell(0, 0, 0, {1, 428, 0, 0}));
    PlayRow();
    for (unsigned count = 0; count < 300; ++count) {
        unsigned expected = 8000 * count / 22050;
        ASSERT_EQ(indexOf(MixSample(22050)), static_cast<int>(expected)) << count;
    }
}

TEST_F(MusicTest, AMutedChannelKeepsItsPlaceAndResumesThere) {
    load(ModuleBuilder()
             .sample(1, countingSample(120))
             .cell(0, 0, 0, {1, 214, 0, 0})
             .cell(0, 1, 0, {0, 0, 0xC, 0})
             .cell(0, 2, 0, {0, 0, 0xC, 64}));
    PlayRow();
    for (int i = 0; i < 10; ++i)
        MixSample(16000); // period 214 at 16000 Hz: one entry per output sample
    PlayRow();
    EXPECT_EQ(MixSample(16000), 0);
    EXPECT_EQ(MixSample(16000), 0);
    PlayRow();
    EXPECT_EQ(indexOf(MixSample(16000)), 10);
    EXPECT_EQ(indexOf(MixSample(16000)), 11);
}

TEST_F(MusicTest, ASampleWithoutLoopEndsTheFirstTimeItRunsOut) {
    load(ModuleBuilder().sample(1, countingSample(4)).cell(0, 0, 0, {1, 214, 0, 0}));
    PlayRow();
    std::vector<int> heard;
    for (int i = 0; i < 6; ++i)
        heard.push_back(indexOf(MixSample(16000)));
    EXPECT_EQ(heard, (std::vector<int>{0, 1, 2, 3, 0, 0}));
    EXPECT_EQ(music.channels[0].volume, 0);
}

TEST_F(MusicTest, ALoopingSampleCyclesFromItsLoopStartToItsEnd) {
    TestSample sample = countingSample(300);
    sample.repeatOffsetBytes = 100;
    sample.repeatLengthBytes = 200;
    load(ModuleBuilder().sample(1, sample).cell(0, 0, 0, {1, 214, 0, 0}));
    PlayRow();
    for (int i = 0; i < 300; ++i)
        MixSample(16000);
    for (int lap = 0; lap < 3; ++lap)
        for (int index = 100; index < 300; ++index)
            ASSERT_EQ(indexOf(MixSample(16000)), index % 128) << "lap " << lap;
}

TEST_F(MusicTest, ALoopStartAtOrPastTheEndMeansNoLoop) {
    TestSample sample = countingSample(4);
    sample.repeatOffsetBytes = 6;
    load(ModuleBuilder().sample(1, sample).cell(0, 0, 0, {1, 214, 0, 0}));
    PlayRow();
    for (int i = 0; i < 4; ++i)
        MixSample(16000);
    EXPECT_EQ(MixSample(16000), 0);
    EXPECT_EQ(music.channels[0].volume, 0);
}

TEST_F(MusicTest, AVolumeWithoutANoteStaysSilent) {
    load(ModuleBuilder().sample(1, countingSample(50)).cell(0, 0, 0, {1, 0, 0, 0}));
    PlayRow();
    EXPECT_EQ(music.channels[0].volume, 64);
    EXPECT_EQ(MixSample(22050), 0);
}

TEST_F(MusicTest, LoudChannelsSaturateInsteadOfWrapping) {
    TestSample loud;
    loud.data.assign(64, 127);
    loud.volume = 64;
    ModuleBuilder module;
    module.sample(1, loud);
    for (int c = 0; c < 8; ++c)
        module.cell(0, 0, c, {1, 214, 0xC, 255}); // volumes far above 64
    load(module);
    PlayRow();
    EXPECT_EQ(MixSample(16000), 32767);

    // Within the proper volumes the sum is exact: 8 × 4064 × 64 >> 6.
    for (int c = 0; c < 8; ++c)
        music.channels[c].volume = 64;
    EXPECT_EQ(MixSample(16000), 32512);
}

} // namespace
