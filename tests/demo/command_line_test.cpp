// The program's own options, as WinMain receives them on every platform.
#include "command_line.h"
#include "demo_state.h"
#include "scene_clock.h"
#include "timeline.h"

#include <gtest/gtest.h>

#include <ctime>
#include <string>

namespace {

TEST(CommandLine, SeedReplacesTheCalendarTime) {
    ReadCommandLine("--seed 12345");
    EXPECT_EQ(RandomSeed(), 12345u);
    ReadCommandLine("");
    EXPECT_NEAR(static_cast<double>(RandomSeed()), static_cast<double>(std::time(nullptr)), 5.0);
    ReadCommandLine(nullptr);
    EXPECT_FALSE(Hold().active);
}

TEST(CommandLine, HoldNamesSceneTimeAndSync) {
    ReadCommandLine("--seed 1 --hold 4:2000:3");
    EXPECT_EQ(RandomSeed(), 1u);
    ASSERT_TRUE(Hold().active);
    EXPECT_EQ(Hold().scene, 4);
    EXPECT_EQ(Hold().time, 2000);
    EXPECT_EQ(Hold().sync, 3);

    ReadCommandLine("--hold 8:0");
    ASSERT_TRUE(Hold().active);
    EXPECT_EQ(Hold().scene, 8);
    EXPECT_EQ(Hold().sync, 0);

    for (const char* bad : {"4", "4:", ":5", "x:1", "+4:1", "4:-1", "4:1:", "256:1", "1:2:300",
                            "4:2147483648", "4:2000x", "4:20:3:1"}) {
        ReadCommandLine((std::string("--hold ") + bad).c_str());
        EXPECT_FALSE(Hold().active) << bad;
        HoldRequest request = HoldRequest();
        EXPECT_FALSE(ReadHold(bad, request)) << bad;
    }
}

TEST(CommandLine, HeldScenesKeepTheirTimeAndTheSwitchKeepsTheScene) {
    ReadCommandLine("--hold 12:4096:11");
    SceneClock clock;
    ResetSceneClock(clock);
    UpdateSceneClock(clock);
    EXPECT_EQ(clock.sceneTime, 4096);
    EXPECT_EQ(clock.lastTick, 4096);
    UpdateSceneClock(clock);
    EXPECT_EQ(clock.sceneTime, 4096);

    // Scene 12 draws nothing, so the switch can run without a display.
    sceneByte = 3;
    syncByte = 0;
    RunSceneSwitch();
    EXPECT_EQ(sceneByte, 12);
    EXPECT_EQ(syncByte, 11);
    ReadCommandLine("");
}

} // namespace
