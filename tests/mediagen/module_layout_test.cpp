// Glimmerfall.mod in the layout the demo's loader and real trackers read.

#include "module_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>

namespace {

const std::set<int> kTrackerPeriods = {856, 808, 762, 720, 678, 640, 604, 570, 538, 508, 480, 453,
                                       428, 404, 381, 360, 339, 320, 302, 285, 269, 254, 240, 226,
                                       214, 202, 190, 180, 170, 160, 151, 143, 135, 127, 120, 113};

class Module : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        module_ = readModuleFile(std::string(MEDIA_DIR) + "/Glimmerfall.mod");
    }
    static ModuleFile module_;
};
ModuleFile Module::module_;

} // namespace

TEST_F(Module, HasTheEightChannelSignature) { EXPECT_EQ(module_.signature, "8CHN"); }

TEST_F(Module, PatternCountFromTheFileSizeMatchesTheOrderTable) {
    size_t sampleBytes = 0;
    for (const ModuleSample& s : module_.samples)
        sampleBytes += s.lengthBytes;
    ASSERT_GT(module_.songLength, 0);
    ASSERT_LE(module_.songLength, 128);
    int highest =
        *std::max_element(module_.order.begin(), module_.order.begin() + module_.songLength);
    EXPECT_EQ(module_.patternCount, highest + 1);
    EXPECT_EQ(module_.fileSize,
              1084 + static_cast<size_t>(module_.patternCount) * 2048 + sampleBytes)
        << "no stray bytes: the loader derives the pattern count from the size";
    for (int i = module_.songLength; i < 128; ++i)
        EXPECT_EQ(module_.order[i], 0);
}

TEST_F(Module, SamplesFitTheLoaderAndLoopToTheirEnd) {
    int used = 0;
    for (int s = 0; s < 31; ++s) {
        const ModuleSample& sample = module_.samples[s];
        SCOPED_TRACE(s + 1);
        EXPECT_LE(sample.lengthBytes, 65534u);
        EXPECT_LE(sample.volume, 64);
        EXPECT_EQ(sample.finetune, 0);
        if (sample.lengthBytes == 0)
            continue;
        ++used;
        if (sample.repeatOffsetBytes) {
            // The demo loops from the repeat offset to the sample's end; trackers use the
            // repeat length, so both must describe the same stretch.
            EXPECT_LT(sample.repeatOffsetBytes, sample.lengthBytes);
            EXPECT_EQ(sample.repeatOffsetBytes + sample.repeatLengthBytes, sample.lengthBytes);
        } else {
            EXPECT_LE(sample.repeatLengthBytes, 2u);
        }
    }
    EXPECT_GE(used, 12) << "drums, bass, chords, leads and the marker";
}

TEST_F(Module, LoopsJoinWithoutAClick) {
    for (int s = 0; s < 31; ++s) {
        const ModuleSample& sample = module_.samples[s];
        if (!sample.repeatOffsetBytes)
            continue;
        SCOPED_TRACE(s + 1);
        // After the last byte the player continues at the repeat offset: that step must be no
        // bigger than the steps the loop itself takes.
        int largestStep = 0;
        for (size_t i = sample.repeatOffsetBytes + 1; i < sample.data.size(); ++i)
            largestStep = std::max(largestStep, std::abs(sample.data[i] - sample.data[i - 1]));
        int wrapStep = std::abs(sample.data[sample.repeatOffsetBytes] - sample.data.back());
        EXPECT_LE(wrapStep, largestStep);
        EXPECT_GE(sample.lengthBytes - sample.repeatOffsetBytes, 1000u)
            << "a loop long enough to sound alive";
    }
}

TEST_F(Module, MarkerSampleIsSilent) {
    const ModuleSample& marker = module_.samples[30];
    ASSERT_GT(marker.lengthBytes, 0u);
    EXPECT_EQ(marker.volume, 0);
    EXPECT_EQ(marker.repeatOffsetBytes, 0u);
    for (int16_t v : marker.data)
        EXPECT_EQ(v, 0);
}

TEST_F(Module, SoundingSamplesUseTheirRange) {
    for (int s = 0; s < 30; ++s) {
        const ModuleSample& sample = module_.samples[s];
        if (sample.lengthBytes == 0)
            continue;
        auto [low, high] = std::minmax_element(sample.data.begin(), sample.data.end());
        EXPECT_GE(std::max(-*low, static_cast<int>(*high)), 100 * 32)
            << "sample " << s + 1 << " is too quiet";
        EXPECT_GT(sample.volume, 0) << "sample " << s + 1;
    }
}

TEST_F(Module, CellsUseOnlyTheEffectsTheDemoPlays) {
    for (int p = 0; p < module_.patternCount; ++p) {
        for (int row = 0; row < 64; ++row) {
            for (int c = 0; c < 8; ++c) {
                ModuleCell cell = module_.cell(p, row, c);
                SCOPED_TRACE(::testing::Message()
                             << "pattern " << p << " row " << row << " channel " << c + 1);
                if (cell.period) {
                    EXPECT_TRUE(kTrackerPeriods.count(cell.period)) << cell.period;
                    EXPECT_NE(cell.sample, 0)
                        << "a note without its sample would stay silent after a cut";
                }
                if (cell.sample) {
                    EXPECT_GT(module_.samples[cell.sample - 1].lengthBytes, 0u);
                }
                switch (cell.effect) {
                case 0x0:
                    EXPECT_EQ(cell.parameter, 0)
                        << "effect 0 with a parameter is an arpeggio elsewhere";
                    break;
                case 0x8:
                    // A sync cue on the marker; elsewhere only a bare stereo position, which
                    // the demo's player ignores and trackers use.
                    if (cell.sample != 31) {
                        EXPECT_EQ(cell.sample, 0);
                        EXPECT_EQ(cell.period, 0);
                    }
                    break;
                case 0xC:
                    if (cell.sample != 31) {
                        EXPECT_LE(cell.parameter, 64);
                    }
                    break;
                case 0xE:
                    EXPECT_EQ(cell.parameter, 0xC0) << "only the immediate note cut";
                    break;
                default:
                    ADD_FAILURE() << "effect " << cell.effect
                                  << ": no jumps, breaks, speed or tempo";
                }
            }
        }
    }
}
