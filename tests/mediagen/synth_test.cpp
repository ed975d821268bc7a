// Pitch, tuning and sample shaping of the instruments.

#include "instruments.h"
#include "period_table.h"
#include "synth.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

using namespace mediagen;

TEST(PeriodTable, NotesMapToTheTrackerPeriodsAndRates) {
    EXPECT_EQ(periodOfNote("C-1"), 856);
    EXPECT_EQ(periodOfNote("A-1"), 508);
    EXPECT_EQ(periodOfNote("C-2"), 428);
    EXPECT_EQ(periodOfNote("C#2"), 404);
    EXPECT_EQ(periodOfNote("B-3"), 113);
    EXPECT_EQ(playbackRate("C-2"), 8000);
    EXPECT_EQ(playbackRate("C-3"), 16000);
    EXPECT_EQ(playbackRate("B-3"), 30300); // 3424000 / 113, truncated as the player does
    for (const char* bad : {"C-0", "C-4", "H-2", "E#2", "B#1", "C2", "c-2", "C-2x", ""})
        EXPECT_EQ(periodOfNote(bad), 0) << bad;
}

TEST(Tuning, EveryNoteIsAWholeNumberOfCyclesPerLoop) {
    for (int semitone = -36; semitone <= 24; ++semitone) {
        double cyclesPerLoop = semitonesFromMiddleC(semitone) * kLoopLength / kBaseRate;
        EXPECT_NEAR(cyclesPerLoop, std::round(cyclesPerLoop), 1e-9) << semitone;
    }
    EXPECT_NEAR(semitonesFromMiddleC(0), 262.295, 0.001);
    EXPECT_NEAR(semitonesFromMiddleC(9), 440.0 * 262.295 / 261.626, kGridStep / 2); // A
    EXPECT_NEAR(semitonesFromMiddleC(-24), semitonesFromMiddleC(0) / 4, kGridStep / 2);
}

TEST(SampleShaping, ModSamplesAreEvenAndUseTheFullRange) {
    Signal s = {0.0f, 0.5f, -0.25f};
    ModSample m = toModSample("test", s, 0);
    ASSERT_EQ(m.data.size(), 4u);
    EXPECT_EQ(m.data[1], 127);
    EXPECT_EQ(m.data[2], -64); // -0.25 / 0.5 of full scale, rounded
    EXPECT_EQ(m.data[3], 0);   // the padding byte
    Signal silent(10, 0.0f);
    EXPECT_EQ(toModSample("quiet", silent, 0).data, std::vector<int8_t>(10, 0));
}

TEST(SampleShaping, SaturationKeepsTheSignBoundsThePeakAndRaisesQuietParts) {
    Signal s = {0.1f, -1.0f, 0.5f};
    saturate(s, 2.0f);
    EXPECT_GT(s[0], 0.1f);
    EXPECT_LT(s[1], -0.9f);
    EXPECT_GT(s[1], -1.0f);
    EXPECT_GT(s[2], 0.5f);
}

TEST(Instruments, UnknownNamesAreRefused) {
    EXPECT_THROW(makeInstrument("kazoo"), std::runtime_error);
}

TEST(Instruments, MarkerIsTwoSilentBytes) {
    ModSample marker = makeInstrument("marker");
    EXPECT_EQ(marker.data, std::vector<int8_t>(2, 0));
    EXPECT_EQ(marker.loopStart, 0);
}

TEST(Instruments, DrumsDecayToSilenceAndTonesLoopOnTheGrid) {
    for (const char* drum : {"kick", "snare", "clap", "hatc", "hato", "crash"}) {
        ModSample s = makeInstrument(drum);
        EXPECT_EQ(s.loopStart, 0) << drum;
        EXPECT_LE(std::abs(s.data.back()), 1) << drum << " ends in silence";
    }
    for (const char* tone : {"bass", "lead", "pad_am"}) {
        ModSample s = makeInstrument(tone);
        EXPECT_GT(s.loopStart, 0) << tone;
        EXPECT_EQ(s.data.size() - s.loopStart, static_cast<size_t>(kLoopLength)) << tone;
    }
}
