// The marker notes drive the pictures: every scene long enough, the cues in their order.

#include "module_file.h"
#include "reference_player.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

constexpr double kRowSeconds = 0.12;

class Timeline : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        module_ = readModuleFile(std::string(MEDIA_DIR) + "/Glimmerfall.mod");
        rendering_ = renderModule(module_, 22050, 128 * 64);
    }
    static ModuleFile module_;
    static Rendering rendering_;

    // Sync values set by marker cells while the scene is on screen, plus the value in force
    // when the scene begins.
    static std::vector<int> cuesDuringScene(int scene) {
        std::vector<int> cues;
        int previousScene = 255, previousSync = 0;
        for (const RowState& r : rendering_.rows) {
            if (r.scene == scene &&
                (previousScene != scene || r.sync != previousSync || syncSetAt(r)))
                cues.push_back(r.sync);
            previousScene = r.scene;
            previousSync = r.sync;
        }
        return cues;
    }

    static bool syncSetAt(const RowState& r) {
        int pattern = module_.order[r.orderPosition];
        for (int c = 0; c < 8; ++c) {
            ModuleCell cell = module_.cell(pattern, r.row, c);
            if (cell.sample == 31 && cell.effect == 0x8)
                return true;
        }
        return false;
    }
};
ModuleFile Timeline::module_;
Rendering Timeline::rendering_;

} // namespace

TEST_F(Timeline, SongEndsByItselfAfterTwoAndAHalfToThreeAndAHalfMinutes) {
    EXPECT_TRUE(rendering_.reachedEnd);
    EXPECT_EQ(static_cast<int>(rendering_.rows.size()), module_.songLength * 64)
        << "every row once, no jumps";
    double seconds = rendering_.rows.size() * kRowSeconds;
    EXPECT_GE(seconds, 150.0);
    EXPECT_LE(seconds, 210.0);
}

TEST_F(Timeline, FirstRowShowsAScene) {
    ASSERT_FALSE(rendering_.rows.empty());
    EXPECT_LT(rendering_.rows.front().scene, 9);
}

TEST_F(Timeline, EveryOneOfTheNineScenesIsShownForAtLeastAPatternAndCutsOnPatternStarts) {
    std::map<int, int> rowsPerScene;
    int changes = 0, previous = -1;
    for (const RowState& r : rendering_.rows) {
        ++rowsPerScene[r.scene];
        if (r.scene != previous) {
            ++changes;
            EXPECT_EQ(r.row, 0) << "scene " << r.scene << " starts inside a pattern";
        }
        previous = r.scene;
    }
    for (int scene = 0; scene < 9; ++scene)
        EXPECT_GE(rowsPerScene[scene], 64) << "scene " << scene;
    EXPECT_EQ(rowsPerScene.size(), 9u) << "no rows without a scene";
    EXPECT_EQ(changes, 9) << "each scene in one continuous stretch";
}

TEST_F(Timeline, GreetingsTunnelCuesTheElevenNamesInTurnThenNone) {
    std::vector<int> cues = cuesDuringScene(3);
    ASSERT_EQ(cues.size(), 12u);
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(cues[i], i);
    EXPECT_GE(cues[11], 11);
    // Each name stays long enough to be read.
    std::map<int, int> rowsPerName;
    for (const RowState& r : rendering_.rows)
        if (r.scene == 3)
            ++rowsPerName[r.sync];
    for (int name = 0; name < 11; ++name)
        EXPECT_GE(rowsPerName[name] * kRowSeconds, 1.5) << "name " << name;
}

TEST_F(Timeline, PhotoFrameGetsEveryPictureEffectDarkeningAndCaption) {
    std::vector<int> cues = cuesDuringScene(6);
    std::map<int, int> count;
    for (int cue : cues)
        ++count[cue];
    for (int effect = 0; effect <= 3; ++effect)
        EXPECT_GE(count[effect], 1) << "picture effect " << effect;
    EXPECT_GE(count[4], 3) << "darkening";
    EXPECT_GE(count[6], 1) << "caption";
    for (const auto& [cue, times] : count)
        EXPECT_TRUE(cue <= 4 || cue == 6) << "cue " << cue << " means nothing to the photo frame";
}

// The photo is seen, not hidden: wobble and distortion hold most of its time on screen,
// static and black only flicker between them, and the caption, which may land on the photo,
// comes briefly and only over a photo that reads well under it.
TEST_F(Timeline, PhotoFrameShowsThePhotoMostOfTheTimeAndTheCaptionBriefly) {
    int photoRows = 0, pictureRows = 0, run = 0, previous = -1, before = -1;
    for (const RowState& r : rendering_.rows) {
        if (r.scene != 6)
            continue;
        run = r.sync == previous ? run + 1 : 1;
        if (r.sync != previous)
            before = previous;
        previous = r.sync;
        if (r.sync <= 3)
            ++photoRows;
        if (r.sync == 1 || r.sync == 3)
            ++pictureRows;
        if (r.sync == 0 || r.sync == 2 || r.sync == 4) {
            EXPECT_LE(run, 3) << "static, black or an empty frame for more than 0.36 s";
        }
        if (r.sync == 6) {
            EXPECT_LE(run, 12) << "the caption stays more than 1.44 s";
            EXPECT_TRUE(before == 1 || before == 3) << "caption after effect " << before;
        }
    }
    ASSERT_GT(photoRows, 0);
    EXPECT_GE(pictureRows * 100 / photoRows, 85);
}

TEST_F(Timeline, NoSoundingChannelIsLeftWithoutANote) {
    EXPECT_EQ(rendering_.channelsWithoutPeriod, 0);
}
