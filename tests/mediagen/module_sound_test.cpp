// The whole song through the demo's mixer, checked by sox; and openmpt123's view of it.

#include "module_file.h"
#include "reference_player.h"
#include "run_tool.h"
#include "scratch_file.h"
#include "wav_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <regex>
#include <string>

namespace {

constexpr int kRate = 22050;

double decibels(double rms) { return 20 * std::log10(std::max(rms, 1e-9) / 32768.0); }

double rmsOf(const std::vector<int16_t>& s, size_t begin, size_t end) {
    double sum = 0;
    for (size_t i = begin; i < end; ++i)
        sum += static_cast<double>(s[i]) * s[i];
    return std::sqrt(sum / static_cast<double>(end - begin));
}

double numberAfter(const std::string& text, const std::string& label) {
    std::smatch m;
    if (!std::regex_search(text, m, std::regex(label + R"(\s*:?\s*(-?[0-9.]+))")))
        return NAN;
    return std::stod(m[1]);
}

class Song : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        modulePath_ = std::string(MEDIA_DIR) + "/Glimmerfall.mod";
        module_ = readModuleFile(modulePath_);
        rendering_ = renderModule(module_, kRate, 128 * 64);
        wavPath_ = scratchPath("glimmerfall-22050.wav");
        wavWritten_ = writeWav(wavPath_, rendering_.samples, kRate);
    }
    // The rendering stays beside the tests for listening, under a name of its own.
    static void TearDownTestSuite() {
        std::rename(wavPath_.c_str(),
                    (std::string(TEST_OUTPUT_DIR) + "/glimmerfall-22050.wav").c_str());
    }
    static std::string modulePath_, wavPath_;
    static ModuleFile module_;
    static Rendering rendering_;
    static bool wavWritten_;
};
std::string Song::modulePath_;
std::string Song::wavPath_;
ModuleFile Song::module_;
Rendering Song::rendering_;
bool Song::wavWritten_ = false;

} // namespace

TEST_F(Song, NeverClipsAndIsNotTooQuiet) {
    ASSERT_FALSE(rendering_.samples.empty());
    auto [low, high] = std::minmax_element(rendering_.samples.begin(), rendering_.samples.end());
    EXPECT_GT(*low, -32768);
    EXPECT_LT(*high, 32767);
    double overall = decibels(rmsOf(rendering_.samples, 0, rendering_.samples.size()));
    EXPECT_GT(overall, -24.0);
    EXPECT_LT(overall, -8.0);
}

// Sound all the way, until the last chord rings out: then silence, so that nothing audible is
// lost when the demo closes at the song's last row.
TEST_F(Song, NoSecondIsSilentUntilTheLastChordDiesAway) {
    const size_t second = kRate;
    const size_t row = kRate * 12 / 100; // the first row starts one row in
    const size_t lastPattern = row + static_cast<size_t>(module_.songLength - 1) * 64 * row;
    ASSERT_GT(rendering_.samples.size(), lastPattern + 4 * second);
    for (size_t at = row; at + second <= lastPattern + 3 * second; at += second / 2) {
        double level = decibels(rmsOf(rendering_.samples, at, at + second));
        EXPECT_GT(level, -36.0) << "quiet at " << static_cast<double>(at) / kRate << " s";
    }
    size_t end = rendering_.samples.size();
    auto loudest =
        std::max_element(rendering_.samples.begin() + end - second / 2, rendering_.samples.end(),
                         [](int16_t a, int16_t b) { return std::abs(a) < std::abs(b); });
    EXPECT_EQ(*loudest, 0) << "the last half second is silence";
}

TEST_F(Song, DropsAreLouderThanTheIntro) {
    const size_t row = kRate * 12 / 100;
    auto patternLevel = [&](int position) {
        size_t begin = row + static_cast<size_t>(position) * 64 * row;
        return decibels(rmsOf(rendering_.samples, begin, begin + 64 * row));
    };
    double intro = patternLevel(0);
    double loudest = intro;
    for (int p = 1; p < module_.songLength; ++p)
        loudest = std::max(loudest, patternLevel(p));
    EXPECT_GE(loudest - intro, 4.0);
}

TEST_F(Song, SoxReadsTheRenderingAndFindsNoClipping) {
    ASSERT_TRUE(wavWritten_);
    int status = -1;
    std::string info = runTool("sox --i " + shellQuoted(wavPath_), &status);
    ASSERT_EQ(status, 0) << info;
    EXPECT_NE(info.find("Sample Rate    : 22050"), std::string::npos) << info;
    EXPECT_NE(info.find("Channels       : 1"), std::string::npos) << info;
    double seconds = static_cast<double>(rendering_.samples.size()) / kRate;
    std::string stat = runTool("sox " + shellQuoted(wavPath_) + " -n stat", &status);
    ASSERT_EQ(status, 0) << stat;
    EXPECT_NEAR(numberAfter(stat, "Length \\(seconds\\)"), seconds, 0.01) << stat;
    EXPECT_LT(numberAfter(stat, "Maximum amplitude"), 0.999) << stat;
    EXPECT_GT(numberAfter(stat, "Minimum amplitude"), -0.999) << stat;
    EXPECT_GT(numberAfter(stat, "RMS     amplitude"), 0.06) << stat;
}

TEST_F(Song, OpenMptSeesEightChannelsAndTheRowTiming) {
    int status = -1;
    std::string info = runTool("openmpt123 --info " + shellQuoted(modulePath_), &status);
    ASSERT_EQ(status, 0) << info;
    EXPECT_NE(info.find("Channels...: 8"), std::string::npos) << info;
    std::smatch m;
    ASSERT_TRUE(std::regex_search(info, m, std::regex(R"(Duration\.*: (\d+):(\d+\.\d+))"))) << info;
    double seconds = std::stoi(m[1]) * 60 + std::stod(m[2]);
    double expected = module_.songLength * 64 * 0.12;
    EXPECT_NEAR(seconds, expected, expected * 0.02) << info;
}

TEST_F(Song, OpenMptRendersItWithoutClipping) {
    ScratchFile module("glimmerfall.mod"), rendering("glimmerfall.mod.wav");
    const std::string& copy = module.path();
    int status = -1;
    std::string out = runTool("cp " + shellQuoted(modulePath_) + " " + shellQuoted(copy) +
                                  " && openmpt123 --quiet --render --no-float --samplerate 44100 "
                                  "--force --output-type wav " +
                                  shellQuoted(copy),
                              &status);
    ASSERT_EQ(status, 0) << out;
    std::string stat = runTool("sox " + shellQuoted(rendering.path()) + " -n stat", &status);
    ASSERT_EQ(status, 0) << stat;
    EXPECT_LT(numberAfter(stat, "Maximum amplitude"), 0.999) << stat;
    EXPECT_GT(numberAfter(stat, "Minimum amplitude"), -0.999) << stat;
    EXPECT_GT(numberAfter(stat, "RMS     amplitude"), 0.05) << stat;
    // Drums and bass sit in the middle: both sides equally loud.
    double left = numberAfter(runTool("sox " + shellQuoted(rendering.path()) + " -n remix 1 stat"),
                              "RMS     amplitude");
    double right = numberAfter(runTool("sox " + shellQuoted(rendering.path()) + " -n remix 2 stat"),
                               "RMS     amplitude");
    EXPECT_NEAR(20 * std::log10(left / right), 0.0, 1.5);
}
