// Rows, notes and effects, and the marker sample that drives the timeline.
#include "music_fixture.h"

namespace {

TestSample rampSample(int bytes, int volume = 64) {
    TestSample sample;
    for (int i = 0; i < bytes; ++i)
        sample.data.push_back(static_cast<int8_t>(i % 100));
    sample.volume = volume;
    return sample;
}

TEST_F(MusicTest, MarkerSampleSetsTheSceneAndSyncBytesAndSilencesItsChannel) {
    load(ModuleBuilder()
             .sample(5, rampSample(64))
             .sample(31, rampSample(2))
             .cell(0, 0, 7, {31, 428, 0xC, 40})
             .cell(0, 1, 7, {31, 428, 0x8, 6})
             .cell(0, 2, 3, {5, 428, 0xC, 40})
             .cell(0, 3, 3, {5, 0, 0x8, 9}));
    PlayRow();
    EXPECT_EQ(sceneByte, 40);
    EXPECT_EQ(music.channels[7].volume, 0);
    PlayRow();
    EXPECT_EQ(syncByte, 6);
    EXPECT_EQ(music.channels[7].volume, 0);
    PlayRow();
    EXPECT_EQ(sceneByte, 40);
    EXPECT_EQ(music.channels[3].volume, 40); // an ordinary sample: effect C is its volume
    PlayRow();
    EXPECT_EQ(syncByte, 6); // effect 8 means nothing without the marker
    EXPECT_EQ(music.channels[3].volume, 64);
    EXPECT_EQ(music.rowCounter, 4);
}

TEST_F(MusicTest, PositionJumpAndPatternBreakChooseTheNextRow) {
    ModuleBuilder module;
    module.patterns(2).songLength(5);
    module.order(0, 0).order(1, 1).order(2, 0).order(3, 1).order(4, 0);
    module.cell(0, 0, 0, {0, 0, 0xB, 3});
    module.cell(1, 0, 2, {0, 0, 0xD, 0});
    load(module);
    PlayRow();
    EXPECT_EQ(music.rowCounter, 3 * 64);
    PlayRow();
    EXPECT_EQ(music.rowCounter, 4 * 64);
}

TEST_F(MusicTest, WhenJumpAndBreakMeetTheLaterChannelWins) {
    load(ModuleBuilder().songLength(4).cell(0, 0, 1, {0, 0, 0xD, 0}).cell(0, 0, 5, {0, 0, 0xB, 3}));
    PlayRow();
    EXPECT_EQ(music.rowCounter, 3 * 64);
}

TEST_F(MusicTest, NoteCutSilencesOnlyWithTheCutSubEffect) {
    load(ModuleBuilder()
             .sample(1, rampSample(64))
             .cell(0, 0, 0, {1, 428, 0xE, 0xC0})
             .cell(0, 0, 1, {1, 428, 0xE, 0x10}));
    PlayRow();
    EXPECT_EQ(music.channels[0].volume, 0);
    EXPECT_EQ(music.channels[1].volume, 64);
}

TEST_F(MusicTest, TheSongEndsAfterItsLastRowAndClosesTheWindow) {
    load(ModuleBuilder().songLength(1));
    for (int row = 0; row < 64; ++row) {
        EXPECT_FALSE(SongEnded());
        PlayRow();
    }
    EXPECT_TRUE(SongEnded());
    PlayRow(); // nothing past the end
    EXPECT_EQ(music.rowCounter, 64);
    EXPECT_FALSE(UpdateMusic());
    EXPECT_TRUE(closeRequested());
    EXPECT_FALSE(UpdateMusic()); // and again in every later turn
    EXPECT_TRUE(closeRequested());
}

TEST_F(MusicTest, ABackwardJumpLoopsForever) {
    load(ModuleBuilder().songLength(2).order(1, 0).cell(0, 63, 0, {0, 0, 0xB, 0}));
    for (int row = 0; row < 64 * 10; ++row) {
        PlayRow();
        ASSERT_FALSE(SongEnded());
    }
    EXPECT_EQ(music.rowCounter, 0);
}

TEST_F(MusicTest, UndefinedCellsAreIgnoredAndBadJumpsEndTheSong) {
    ModuleBuilder module;
    module.sample(1, rampSample(64)).songLength(2).order(1, 7);
    module.cell(0, 0, 0, {40, 428, 0, 0}); // sample 40 does not exist
    module.cell(0, 1, 0, {0, 0, 0xB, 2});  // a jump to the song's end
    load(module);
    PlayRow();
    EXPECT_EQ(music.channels[0].sampleData, nullptr);
    EXPECT_EQ(music.channels[0].period, 428);
    EXPECT_EQ(music.channels[0].volume, 0);
    PlayRow();
    EXPECT_TRUE(SongEnded());

    FreeModule();
    load(module.cell(0, 1, 0, {}).cell(0, 2, 0, {0, 0, 0xD, 0})); // on to order 1: pattern 7
    PlayRow();
    PlayRow();
    PlayRow();
    EXPECT_EQ(music.rowCounter, 64);
    PlayRow();
    EXPECT_TRUE(SongEnded());
}

TEST_F(MusicTest, WithoutSoundRowsFollowTheMillisecondClock) {
    load(ModuleBuilder().songLength(2));
    EXPECT_TRUE(UpdateMusic()); // the first row comes at the first step
    EXPECT_EQ(music.rowCounter, 1);
    DWORD start = music.lastRowTicks;
    while (GetTickCount() - start <= 120) {
        EXPECT_TRUE(UpdateMusic());
        EXPECT_EQ(music.rowCounter, 1);
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE); // an idle turn: time moves on
    }
    EXPECT_TRUE(UpdateMusic());
    EXPECT_EQ(music.rowCounter, 2);
}

} // namespace
