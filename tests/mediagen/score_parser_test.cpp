// The score language: tokens become the cells the player expects; mistakes name their line.

#include "score_parser.h"

#include <gtest/gtest.h>

#include <string>

using mediagen::Cell;
using mediagen::parseScore;
using mediagen::Score;
using mediagen::ScoreError;

namespace {

const std::string kHeader = "title Test song\n"
                            "sample 1 kick 64\n"
                            "sample 2 bass 50\n"
                            "sample 31 marker 0\n";

Cell cellAt(const Score& score, int pattern, int row, int channel) {
    return score.patterns[pattern].rows[row][channel - 1];
}

std::string errorOf(const std::string& text) {
    try {
        parseScore(text);
    } catch (const ScoreError& e) {
        return e.what();
    }
    return "no error";
}

} // namespace

TEST(ScoreParser, ReadsTitleSamplesPatternsAndOrder) {
    Score s = parseScore(kHeader +
                         "phrase beat kick\n  C-3 . . .\npattern a\n  1 beat\npattern b\n  2 beat\n"
                         "order a b\norder a\n");
    EXPECT_EQ(s.title, "Test song");
    ASSERT_EQ(s.samples.size(), 3u);
    EXPECT_EQ(s.samples[1].number, 2);
    EXPECT_EQ(s.samples[1].instrument, "bass");
    EXPECT_EQ(s.samples[1].volume, 50);
    ASSERT_EQ(s.patterns.size(), 2u);
    EXPECT_EQ(s.order, (std::vector<int>{0, 1, 0}));
}

TEST(ScoreParser, NotesUseTheTrackerPeriodTable) {
    Score s = parseScore(kHeader + "phrase notes bass\n  C-1 C-2 C-3 B-3 A-1 F#2 C#1 G#3\n"
                                   "pattern p\n  4 notes\norder p\n");
    const int expected[] = {856, 428, 214, 113, 508, 302, 808, 135};
    for (int row = 0; row < 8; ++row) {
        Cell c = cellAt(s, 0, row, 4);
        EXPECT_EQ(c.period, expected[row]) << row;
        EXPECT_EQ(c.sample, 2);
        EXPECT_EQ(c.effect, 0);
    }
}

TEST(ScoreParser, ShortPhrasesRepeatAndJoinedPhrasesFollowEachOther) {
    Score s =
        parseScore(kHeader + "phrase one kick\n  C-3 .*15\nphrase two bass\n  . . . . | A-1 .*11\n"
                             "pattern p\n  1 one\n  2 one two\norder p\n");
    for (int row = 0; row < 64; ++row) {
        EXPECT_EQ(cellAt(s, 0, row, 1).period, row % 16 == 0 ? 214 : 0) << row;
        int inPair = row % 32;
        EXPECT_EQ(cellAt(s, 0, row, 2).period, inPair == 0 ? 214 : (inPair == 20 ? 508 : 0)) << row;
    }
    EXPECT_EQ(cellAt(s, 0, 0, 3).period, 0) << "channels without a phrase stay empty";
}

TEST(ScoreParser, VolumesCutsAndExplicitInstruments) {
    Score s = parseScore(
        kHeader +
        "phrase p kick\n  C-3=20 =33 ^ A-1:bass A-1:bass=64 .*59\npattern q\n  3 p\norder q\n");
    Cell noteWithVolume = cellAt(s, 0, 0, 3);
    EXPECT_EQ(noteWithVolume.sample, 1);
    EXPECT_EQ(noteWithVolume.effect, 0xC);
    EXPECT_EQ(noteWithVolume.parameter, 20);
    Cell volumeOnly = cellAt(s, 0, 1, 3);
    EXPECT_EQ(volumeOnly.sample, 0);
    EXPECT_EQ(volumeOnly.period, 0);
    EXPECT_EQ(volumeOnly.effect, 0xC);
    EXPECT_EQ(volumeOnly.parameter, 33);
    Cell cut = cellAt(s, 0, 2, 3);
    EXPECT_EQ(cut.effect, 0xE);
    EXPECT_EQ(cut.parameter, 0xC0);
    EXPECT_EQ(cellAt(s, 0, 3, 3).sample, 2);
    EXPECT_EQ(cellAt(s, 0, 4, 3).sample, 2);
    EXPECT_EQ(cellAt(s, 0, 4, 3).parameter, 64);
}

TEST(ScoreParser, CuesAreMarkerNotesWithSceneAndSyncEffects) {
    Score s = parseScore(
        kHeader + "phrase cues\n  scene:6 sync:4 sync:11 .*61\npattern p\n  8 cues\norder p\n");
    Cell scene = cellAt(s, 0, 0, 8);
    EXPECT_EQ(scene.sample, 31);
    EXPECT_EQ(scene.period, 428);
    EXPECT_EQ(scene.effect, 0xC);
    EXPECT_EQ(scene.parameter, 6);
    Cell sync = cellAt(s, 0, 1, 8);
    EXPECT_EQ(sync.sample, 31);
    EXPECT_EQ(sync.effect, 0x8);
    EXPECT_EQ(sync.parameter, 4);
    EXPECT_EQ(cellAt(s, 0, 2, 8).parameter, 11);
}

TEST(ScoreParser, PanIsABareEffectEightWithoutSample) {
    Score s = parseScore(kHeader + "phrase p\n  pan:200 .*63\npattern q\n  2 p\norder q\n");
    Cell pan = cellAt(s, 0, 0, 2);
    EXPECT_EQ(pan.sample, 0);
    EXPECT_EQ(pan.period, 0);
    EXPECT_EQ(pan.effect, 0x8);
    EXPECT_EQ(pan.parameter, 200);
    EXPECT_NE(errorOf(kHeader + "phrase p\n  pan:256\n").find("line 6: pan position 256"),
              std::string::npos);
}

TEST(ScoreParser, CommentsAndBlankLinesAreIgnored) {
    Score s = parseScore(
        "; a song\n\n" + kHeader +
        "phrase p kick ; the beat\n  C-3 ; four rows\n\npattern x\n  1 p\norder x ; end\n");
    EXPECT_EQ(cellAt(s, 0, 63, 1).period, 214);
}

TEST(ScoreParser, MistakesAreReportedWithTheirLine) {
    EXPECT_NE(errorOf(kHeader + "phrase p kick\n  C-3 . .\n").find("line 5: phrase 'p' has 3 rows"),
              std::string::npos);
    EXPECT_NE(errorOf(kHeader + "phrase p\n  C-3\n").find("line 6: note 'C-3' names no instrument"),
              std::string::npos);
    EXPECT_NE(errorOf(kHeader + "phrase p kick\n  C-3:snare\n")
                  .find("line 6: unknown instrument 'snare'"),
              std::string::npos);
    EXPECT_NE(errorOf(kHeader + "phrase p kick\n  C-4\n").find("line 6: 'C-4' is not a note"),
              std::string::npos);
    EXPECT_NE(errorOf(kHeader + "phrase p kick\n  E#2\n").find("line 6"), std::string::npos);
    EXPECT_NE(
        errorOf(kHeader + "phrase p kick\n  C-3=65\n").find("line 6: volume 65 is outside 0..64"),
        std::string::npos);
    EXPECT_NE(
        errorOf(kHeader + "phrase p kick\n  C-3\npattern x\n  9 p\n").find("line 8: channel 9"),
        std::string::npos);
    EXPECT_NE(errorOf(kHeader + "phrase p kick\n  C-3\npattern x\n  1 q\n")
                  .find("line 8: unknown phrase 'q'"),
              std::string::npos);
    EXPECT_NE(errorOf(kHeader + "phrase p kick\n  C-3\npattern x\n  1 p\n  1 p\n")
                  .find("line 9: channel 1 filled twice"),
              std::string::npos);
    EXPECT_NE(
        errorOf(kHeader + "phrase p kick\n  C-3 . .\nphrase r kick\n  C-3\npattern x\n  1 r\n")
            .find("line 5"),
        std::string::npos);
    EXPECT_NE(errorOf(kHeader + "order nowhere\n").find("line 5: unknown pattern 'nowhere'"),
              std::string::npos);
    EXPECT_NE(errorOf(kHeader).find("no order"), std::string::npos);
    EXPECT_NE(
        errorOf("sample 5 marker 0\n").find("line 1: the marker instrument belongs in sample 31"),
        std::string::npos);
    EXPECT_NE(errorOf("sample 32 kick 10\n").find("line 1: sample number 32 is outside 1..31"),
              std::string::npos);
    EXPECT_NE(errorOf("sample 1 kick 10\nsample 2 kick 10\n")
                  .find("line 2: sample 2 or instrument kick declared twice"),
              std::string::npos);
    EXPECT_NE(errorOf("tempo 125\n").find("line 1: unexpected 'tempo'"), std::string::npos);
}

TEST(ScoreParser, PatternsNameTheirSectionAndPhrasesMoveBySemitones) {
    Score s = parseScore(kHeader + "phrase tune bass\n  A-1 C-2 A-3 sync:3\n"
                                   "pattern low breakdown\n  4 tune\n  8 tune\n"
                                   "pattern high\n  4 tune+2\n  8 tune-9\norder low high\n");
    EXPECT_EQ(s.sections, (std::vector<std::string>{"breakdown", ""}));
    EXPECT_EQ(cellAt(s, 1, 0, 4).period, 453); // B-1
    EXPECT_EQ(cellAt(s, 1, 1, 4).period, 381); // D-2
    EXPECT_EQ(cellAt(s, 1, 2, 4).period, 113); // B-3
    EXPECT_EQ(cellAt(s, 1, 0, 8).period, 856); // C-1
    EXPECT_EQ(cellAt(s, 1, 3, 8).period, 428) << "markers keep their note";
    EXPECT_EQ(cellAt(s, 1, 3, 8).parameter, 3);
    EXPECT_NE(errorOf(kHeader + "phrase p bass\n  B-3\npattern x\n  4 p+1\n")
                  .find("line 8: transposing by 1 leaves the notes of C-1..B-3"),
              std::string::npos);
    EXPECT_NE(errorOf(kHeader + "phrase p bass\n  C-2\npattern x\n  4 p-13\n").find("line 8"),
              std::string::npos);
}
