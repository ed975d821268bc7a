// The renderer, the music's one pull: rows on their exact samples however the output is
// asked for, in one stretch or many, kept or dropped.
#include "music_fixture.h"

#include <vector>

namespace {

const unsigned int row = 2646; // samples at 22050 Hz

class RenderTest : public MusicTest {
protected:
    // Sample 1 holds 50 bytes of 100 and does not loop; notes at 8000 Hz on rows 0, 1 and 3.
    void SetUp() override {
        MusicTest::SetUp();
        TestSample flat;
        flat.data.assign(50, 100);
        ModuleBuilder module;
        module.sample(1, flat).songLength(1);
        for (int noteRow : {0, 1, 3})
            module.cell(0, noteRow, 0, {1, 428, 0, 0});
        load(module);
    }
    std::vector<short> renderInPieces(const std::vector<unsigned>& pieces, unsigned total) {
        std::vector<short> out(total);
        unsigned done = 0;
        for (size_t i = 0; done < total; ++i) {
            unsigned piece = pieces[i % pieces.size()];
            piece = piece < total - done ? piece : total - done;
            RenderMusic(out.data() + done, piece);
            done += piece;
        }
        return out;
    }
};

TEST_F(RenderTest, EachRowsNoteSoundsFromItsExactSample) {
    std::vector<short> out(5 * row);
    RenderMusic(out.data(), static_cast<unsigned>(out.size()));
    // 100 × 32 × volume 64, shifted right by 6; the 50 entries last while 8000 × count / 22050
    // stays below 50: 138 output samples.
    std::vector<short> expected(out.size(), 0);
    for (unsigned noteRow : {0u, 1u, 3u})
        for (unsigned i = 0; i < 138; ++i)
            expected[(noteRow + 1) * row + i] = 3200;
    EXPECT_EQ(out, expected);
    EXPECT_EQ(music.rowCounter, 4); // the row at 5 × 2646 starts with the next sample
}

TEST_F(RenderTest, AnySplitOfTheOutputGivesTheSameSamplesAndRows) {
    const unsigned total = 6 * row;
    std::vector<short> whole(total);
    RenderMusic(whole.data(), total);
    int rowsInOne = music.rowCounter;
    for (const std::vector<unsigned>& pieces :
         {std::vector<unsigned>{1}, {7, 1500}, {row - 1}, {row}, {row + 1}, {1023, 1024, 1025}}) {
        TearDown();
        SetUp();
        EXPECT_EQ(renderInPieces(pieces, total), whole) << pieces[0];
        EXPECT_EQ(music.rowCounter, rowsInOne) << pieces[0];
    }
}

TEST_F(RenderTest, DroppedSamplesStillRunTheirRowsAndKeepTheSongInStep) {
    RenderMusic(nullptr, 3 * row);
    EXPECT_EQ(music.rowCounter, 2);
    std::vector<short> rest(2 * row);
    RenderMusic(rest.data(), static_cast<unsigned>(rest.size()));
    EXPECT_EQ(music.rowCounter, 4);
    // Row 3's note starts one row after the dropped stretch ended.
    EXPECT_EQ(rest[row - 1], 0);
    EXPECT_EQ(rest[row], 3200);
    EXPECT_EQ(rest[row + 137], 3200);
    EXPECT_EQ(rest[row + 138], 0);
}

} // namespace
