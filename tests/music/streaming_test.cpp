// The streaming path: the lead ahead of the write cursor, rows on exact samples, stalls.
#include "fake_music_buffer.h"
#include "music_fixture.h"

#include <vector>

namespace {

class StreamingTest : public MusicTest {
protected:
    void SetUp() override {
        MusicTest::SetUp();
        TestSample tone;
        for (int i = 0; i < 1000; ++i)
            tone.data.push_back(static_cast<int8_t>((i * 37) % 200 - 100));
        tone.repeatOffsetBytes = 2;
        ModuleBuilder module;
        module.sample(1, tone).sample(31, TestSample{{0, 0}, 0, 0, 2}).songLength(1);
        for (int row = 0; row < 64; ++row) {
            module.cell(0, row, row % 8, {1, 200 + 13 * row, 0, 0});
            module.cell(0, row, 7, {31, 0, 0x8, row});
        }
        load(module);
    }
    void stream(FakeMusicBuffer& buffer) {
        music.buffer = &buffer;
        StreamMusic();
        music.buffer = nullptr;
    }
};

TEST_F(StreamingTest, KeepsEightThousandBytesAheadOfTheWriteCursor) {
    FakeMusicBuffer buffer(22050);
    stream(buffer);
    EXPECT_EQ(music.writeOffsetBytes, 8000u);
    buffer.writeCursor = 3000;
    stream(buffer);
    EXPECT_EQ(music.writeOffsetBytes, 11000u);
    buffer.writeCursor = 20000; // the cursor has passed the write position: a stall
    stream(buffer);
    EXPECT_EQ(music.writeOffsetBytes, (20000u + 8000u) % 22050u);
}

// The samples of one stretch of song, mixed through the buffer as the cursor moves by `step`.
std::vector<short> render(StreamingTest& test, FakeMusicBuffer& buffer, unsigned step, int total) {
    std::vector<short> heard;
    unsigned consumed = 0;
    while (static_cast<int>(heard.size()) < total) {
        music.buffer = &buffer;
        StreamMusic();
        music.buffer = nullptr;
        // The cursor moves on; what it passed is what was played.
        for (unsigned i = 0; i < step / 2; ++i)
            heard.push_back(buffer.data[(consumed / 2 + i) % buffer.data.size()]);
        consumed += step;
        buffer.writeCursor = consumed % 22050;
    }
    (void)test;
    heard.resize(static_cast<size_t>(total));
    return heard;
}

TEST_F(StreamingTest, OneLargeTurnAndManySmallTurnsMixTheSameSamples) {
    FakeMusicBuffer large(22050), small(22050);
    std::vector<short> inLargeTurns = render(*this, large, 7000, 30000);
    TearDown();
    SetUp();
    std::vector<short> inSmallTurns = render(*this, small, 220, 30000);
    ASSERT_EQ(inLargeTurns.size(), inSmallTurns.size());
    EXPECT_EQ(inLargeTurns, inSmallTurns);
    // The buffer only moves what the renderer makes.
    TearDown();
    SetUp();
    std::vector<short> pulled(inLargeTurns.size());
    RenderMusic(pulled.data(), static_cast<unsigned>(pulled.size()));
    EXPECT_EQ(pulled, inLargeTurns);
    int silent = 0;
    for (short sample : inLargeTurns)
        silent += sample == 0;
    EXPECT_LT(silent, 3000); // the stretch really held music
}

TEST_F(StreamingTest, AfterAStallTheSkippedRowsStillRunAndTheCursorIsMet) {
    FakeMusicBuffer buffer(22050);
    stream(buffer);
    int rowsBefore = music.rowCounter;
    // The cursor runs 0.4 s ahead, past the write position: three row boundaries skipped.
    buffer.writeCursor = 8820 + 8000;
    stream(buffer);
    EXPECT_EQ(music.writeOffsetBytes, (8820u + 8000u + 8000u) % 22050u);
    EXPECT_EQ(music.writeOffsetBytes % 2, 0u);
    // The rows at 10584 and 15876 (skipped) and 21168 (written) all ran.
    EXPECT_EQ(music.rowCounter - rowsBefore, 3);
}

TEST_F(StreamingTest, AFailedLockSkipsTheStretchInsteadOfRetryingIt) {
    FakeMusicBuffer buffer(22050);
    buffer.failLocks = true;
    stream(buffer);
    EXPECT_EQ(music.writeOffsetBytes, 8000u);
    EXPECT_EQ(music.rowCounter, 0);
}

TEST_F(StreamingTest, MarkersTakeEffectWhenTheirRowIsHeardNotWhenItIsMixed) {
    FakeMusicBuffer buffer(22050);
    bool mixedAhead = false;
    // Every row's marker sets the sync byte to the row's number; row k starts at sample
    // (k + 1) * 2646 (the first row one row in).
    for (unsigned played = 0; played < 3 * 22050; played += 250) {
        buffer.writeCursor = 2 * played % 22050;
        stream(buffer);
        int rowsHeard = static_cast<int>(played / 2646);
        int expected = rowsHeard > 0 ? rowsHeard - 1 : 0;
        ASSERT_EQ(syncByte, expected) << "after " << played << " samples played";
        mixedAhead |= music.rowCounter > rowsHeard;
    }
    EXPECT_TRUE(mixedAhead); // the rows were mixed before they were heard
}

TEST_F(StreamingTest, WithoutASoundBufferMarkersTakeEffectAtOnce) {
    PlayRow();
    EXPECT_EQ(syncByte, 0);
    PlayRow();
    EXPECT_EQ(syncByte, 1);
}

} // namespace
