// A song length past the order table's 128 entries, found by fuzzing the module player: the
// song ends where the table does instead of playing the bytes after it as positions.
#include "music_fixture.h"

namespace {

TEST_F(MusicTest, JumpBeyondTheOrderTableEndsTheSong) {
    load(ModuleBuilder().songLength(200).cell(0, 0, 0, {0, 0, 0xB, 150}));
    PlayRow();
    EXPECT_TRUE(SongEnded());
    EXPECT_TRUE(closeRequested() || !UpdateMusic());
}

TEST_F(MusicTest, LongSongPlaysTheLastEntryOfTheTableThenEnds) {
    load(ModuleBuilder()
             .patterns(2)
             .songLength(255)
             .order(127, 1)
             .cell(0, 0, 0, {0, 0, 0xB, 127})
             .cell(1, 0, 0, {0, 0, 0xD, 0}));
    PlayRow();
    EXPECT_EQ(music.rowCounter, 127 * 64);
    EXPECT_FALSE(SongEnded());
    PlayRow(); // the last entry's pattern breaks to the next position: past the table
    EXPECT_TRUE(SongEnded());
}

} // namespace
