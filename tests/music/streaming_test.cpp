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
        musicBuffer = &buffer;
        StreamMusic();
        musicBuffer = nullptr;
    }
};

TEST_F(StreamingTest, KeepsEightThousandBytesAheadOfTheWriteCursor) {
    FakeMusicBuffer buffer(22050);
    stream(buffer);
    EXPECT_EQ(writePosition, 8000u);
    buffer.writeCursor = 3000;
    stream(buffer);
    EXPECT_EQ(writePosition, 11000u);
    buffer.writeCursor = 20000; // the cursor has passed the write position: a stall
    stream(buffer);
    EXPECT_EQ(writePosition, (20000u + 8000u) % 22050u);
}

TEST_F(StreamingTest, RowsStartEveryRowLengthOnTheExactSample) {
    FakeMusicBuffer buffer(22050);
    std::vector<unsigned> rowStarts;
    for (int turn = 0; turn < 40; ++turn) {
        int rowsBefore = rowCounter;
        stream(buffer);
        if (rowCounter != rowsBefore)
            rowStarts.push_back(tickPosition);
        buffer.writeCursor = (buffer.writeCursor + 1500) % 22050;
    }
    ASSERT_GE(rowStarts.size(), 5u);
    for (size_t i = 0; i < rowStarts.size(); ++i)
        EXPECT_EQ(rowStarts[i], ((i + 1) * 2 * 2646) % 22050) << i;
    EXPECT_EQ(syncByte, rowCounter - 1);
}

// The samples of one stretch of song, mixed through the buffer as the cursor moves by `step`.
std::vector<short> render(StreamingTest& test, FakeMusicBuffer& buffer, unsigned step, int total) {
    std::vector<short> heard;
    unsigned consumed = 0;
    while (static_cast<int>(heard.size()) < total) {
        musicBuffer = &buffer;
        StreamMusic();
        musicBuffer = nullptr;
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
    int silent = 0;
    for (short sample : inLargeTurns)
        silent += sample == 0;
    EXPECT_LT(silent, 3000); // the stretch really held music
}

TEST_F(StreamingTest, AfterAStallTheSkippedRowsStillRunAndTheCursorIsMet) {
    FakeMusicBuffer buffer(22050);
    stream(buffer);
    int rowsBefore = rowCounter;
    // The cursor runs 0.4 s ahead, past the write position: three row boundaries skipped.
    buffer.writeCursor = 8820 + 8000;
    stream(buffer);
    EXPECT_EQ(writePosition, (8820u + 8000u + 8000u) % 22050u);
    EXPECT_EQ(writePosition % 2, 0u);
    // The rows at 10584 and 15876 (skipped) and 21168 (written) all ran.
    EXPECT_EQ(rowCounter - rowsBefore, 3);
}

TEST_F(StreamingTest, AFailedLockSkipsTheStretchInsteadOfRetryingIt) {
    FakeMusicBuffer buffer(22050);
    buffer.failLocks = true;
    stream(buffer);
    EXPECT_EQ(writePosition, 8000u);
    EXPECT_EQ(rowCounter, 0);
}

} // namespace
