// The song's shape, section by section as the score names them: breakdowns well under the
// drops, and a last drop that brings something the earlier ones did not have.

#include "module_file.h"
#include "reference_player.h"
#include "score_parser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <set>
#include <sstream>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr size_t kRowSamples = kRate * 12 / 100;

double decibels(const std::vector<int16_t>& s, size_t begin, size_t end) {
    double sum = 0;
    for (size_t i = begin; i < end; ++i)
        sum += static_cast<double>(s[i]) * s[i];
    return 20 *
           std::log10(std::max(std::sqrt(sum / static_cast<double>(end - begin)), 1e-9) / 32768.0);
}

class Sections : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::ifstream in(MEDIAGEN_SCORE_FILE);
        std::stringstream text;
        text << in.rdbuf();
        score_ = mediagen::parseScore(text.str());
        module_ = readModuleFile(std::string(MEDIA_DIR) + "/Glimmerfall.mod");
        rendering_ = renderModule(module_, kRate, 128 * 64);
    }

    static std::string sectionAt(int position) {
        return score_.sections[static_cast<size_t>(score_.order[static_cast<size_t>(position)])];
    }

    // 5 s windows every 0.5 s inside each order position of the given section.
    static std::vector<double> windowLevels(const std::string& section) {
        std::vector<double> levels;
        const size_t pattern = 64 * kRowSamples, window = 5 * kRate;
        for (int p = 0; p < module_.songLength; ++p) {
            if (sectionAt(p) != section)
                continue;
            size_t begin = kRowSamples + static_cast<size_t>(p) * pattern;
            for (size_t at = begin; at + window <= begin + pattern; at += kRate / 2)
                levels.push_back(decibels(rendering_.samples, at, at + window));
        }
        return levels;
    }

    static mediagen::Score score_;
    static ModuleFile module_;
    static Rendering rendering_;
};
mediagen::Score Sections::score_;
ModuleFile Sections::module_;
Rendering Sections::rendering_;

} // namespace

TEST_F(Sections, TheScoreNamesTheSectionOfEveryPatternItPlays) {
    ASSERT_EQ(static_cast<int>(score_.order.size()), module_.songLength);
    std::set<std::string> named;
    for (int p = 0; p < module_.songLength; ++p) {
        EXPECT_FALSE(sectionAt(p).empty()) << "order position " << p;
        named.insert(sectionAt(p));
    }
    EXPECT_TRUE(named.count("drop") && named.count("breakdown"));
    EXPECT_EQ(sectionAt(module_.songLength - 1), "outro");
}

TEST_F(Sections, BreakdownsLieAtLeastSixDecibelsUnderTheDrops) {
    std::vector<double> drops = windowLevels("drop"), breakdowns = windowLevels("breakdown");
    ASSERT_FALSE(drops.empty());
    ASSERT_FALSE(breakdowns.empty());
    std::sort(drops.begin(), drops.end());
    double dropMedian = drops[drops.size() / 2];
    double loudestBreakdown = *std::max_element(breakdowns.begin(), breakdowns.end());
    EXPECT_GE(dropMedian - loudestBreakdown, 6.0)
        << "drops " << dropMedian << " dB, breakdowns up to " << loudestBreakdown << " dB";
}

// The notes of the melodic channels (bass, chords, lead, counter) of a pattern, row by row.
std::vector<int> melody(const ModuleFile& module, int pattern) {
    std::vector<int> periods;
    for (int row = 0; row < 64; ++row)
        for (int channel = 3; channel < 7; ++channel)
            periods.push_back(module.cell(pattern, row, channel).period);
    return periods;
}

TEST_F(Sections, TheLastDropPlaysNoNoteRowOfAnEarlierDrop) {
    int last = module_.songLength - 1;
    while (last > 0 && sectionAt(last) != "drop")
        --last;
    int firstOfLast = last;
    while (firstOfLast > 0 && sectionAt(firstOfLast - 1) == "drop")
        --firstOfLast;
    for (int p = firstOfLast; p <= last; ++p) {
        std::vector<int> finale = melody(module_, module_.order[p]);
        for (int earlier = 0; earlier < firstOfLast; ++earlier) {
            if (sectionAt(earlier) != "drop")
                continue;
            std::vector<int> before = melody(module_, module_.order[earlier]);
            int shared = 0, notes = 0;
            for (size_t i = 0; i < finale.size(); ++i) {
                notes += finale[i] != 0;
                shared += finale[i] != 0 && finale[i] == before[i];
            }
            EXPECT_LT(shared * 4, notes) << "order position " << p << " repeats " << earlier;
        }
    }
}
