// The settings dialog as the user answers it, through the program's own procedure.
#include "demo_state.h"
#include "resource_ids.h"
#include "shell.h"

#include <windows.h>

#include <luma/platform.h>
#include <luma/resources.h>

#include <gtest/gtest.h>

#include <vector>

extern const LumaResources programResources;

namespace {

class SettingsDialog : public ::testing::Test {
protected:
    void SetUp() override {
        LumaRegisterResources(&programResources);
        soundEnabled = sampleRate = samplesPerRow = -1;
    }
    void TearDown() override { LumaAnswerDialogs(nullptr, 0); }

    INT_PTR answer(std::vector<int> clicks) {
        LumaAnswerDialogs(clicks.data(), static_cast<int>(clicks.size()));
        return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCE(IDD_SETTINGS), nullptr,
                               SettingsDlgProc, 0);
    }
};

TEST_F(SettingsDialog, ConfirmingThePreselectionPlaysAt22KHz) {
    EXPECT_EQ(answer({IDOK}), IDOK);
    EXPECT_EQ(soundEnabled, 1);
    EXPECT_EQ(sampleRate, 22050);
    EXPECT_EQ(samplesPerRow, 2646);
}

TEST_F(SettingsDialog, Choosing44KHzDoublesTheRowLength) {
    EXPECT_EQ(answer({IDC_SOUND_44KHZ, IDOK}), IDOK);
    EXPECT_EQ(soundEnabled, 1);
    EXPECT_EQ(sampleRate, 44100);
    EXPECT_EQ(samplesPerRow, 5292);
}

TEST_F(SettingsDialog, SwitchingSoundOffLeavesRateAndRowAlone) {
    EXPECT_EQ(answer({IDC_SOUND_44KHZ, IDC_SOUND_OFF, IDOK}), IDOK);
    EXPECT_EQ(soundEnabled, 0);
    EXPECT_EQ(sampleRate, -1);
    EXPECT_EQ(samplesPerRow, -1);
}

TEST_F(SettingsDialog, CancelEndsWithTwoAndChangesNothing) {
    EXPECT_EQ(answer({IDC_SOUND_44KHZ, IDCANCEL}), IDCANCEL);
    EXPECT_EQ(soundEnabled, -1);
}

TEST_F(SettingsDialog, HeadlessWithoutAnAnswerTheDialogCannotBeShown) {
    ASSERT_TRUE(LumaSelectBackend("headless"));
    EXPECT_EQ(DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCE(IDD_SETTINGS), nullptr,
                              SettingsDlgProc, 0),
              -1);
    EXPECT_EQ(soundEnabled, -1);
}

TEST(Resources, StringTableHoldsTheNameAndTheRegistryPath) {
    LumaRegisterResources(&programResources);
    char text[64];
    EXPECT_EQ(LoadStringA(GetModuleHandleA(nullptr), IDS_PROGRAM_NAME, text, sizeof text), 11);
    EXPECT_STREQ(text, "Glimmerfall");
    EXPECT_GT(LoadStringA(GetModuleHandleA(nullptr), IDS_REGISTRY_KEY, text, sizeof text), 0);
    EXPECT_STREQ(text, "Software\\Korvani\\Glimmerfall");
    EXPECT_EQ(LoadStringA(GetModuleHandleA(nullptr), 10003, text, sizeof text), 0);
}

} // namespace
