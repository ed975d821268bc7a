// The dialog model's answers to clicks and keys, on the settings dialog.
#include "settings_dialog_fixture.h"

#include <vector>

TEST_F(SettingsDialogTest, StartsWith22KHzCheckedAndTheFirstTabStopFocused) {
    EXPECT_TRUE(checked(102));
    EXPECT_EQ(checkedCount(), 1);
    EXPECT_EQ(focusedId(), IDOK);
    EXPECT_FALSE(dialog->ended());
}

TEST_F(SettingsDialogTest, ClickingARateThenOkEndsWithOk) {
    dialog->click(103);
    dialog->click(102);
    EXPECT_TRUE(checked(102));
    EXPECT_EQ(checkedCount(), 1);
    dialog->click(IDOK);
    EXPECT_TRUE(dialog->ended());
    EXPECT_EQ(dialog->result(), IDOK);
    EXPECT_EQ(commands, (std::vector<int>{103, 102, IDOK}));
}

TEST_F(SettingsDialogTest, EscapeCancelsOnceAndLaterInputIsIgnored) {
    pressKey(VK_ESCAPE);
    EXPECT_EQ(dialog->result(), IDCANCEL);
    dialog->close();
    pressKey(VK_RETURN);
    dialog->click(103);
    EXPECT_EQ(commands, (std::vector<int>{IDCANCEL}));
    EXPECT_TRUE(checked(102));
}

TEST_F(SettingsDialogTest, MnemonicsCheckRadiosAndPressButtonsWithOrWithoutAlt) {
    dialog->typeCharacter('4', false);
    EXPECT_TRUE(checked(103));
    EXPECT_EQ(focusedId(), 103);
    EXPECT_EQ(checkedCount(), 1);
    dialog->typeCharacter('D', true); // "Sound &deaktivieren", in either case
    EXPECT_TRUE(checked(101));
    dialog->typeCharacter('x', false); // no control's letter
    dialog->typeCharacter('&', false);
    EXPECT_FALSE(dialog->ended());
    dialog->typeCharacter('n', true);
    EXPECT_EQ(dialog->result(), IDCANCEL);
}

TEST_F(SettingsDialogTest, TabVisitsTheTabStopsInTemplateOrderAndShiftTabGoesBack) {
    std::vector<int> forward;
    for (int i = 0; i < 6; ++i) {
        pressKey(VK_TAB);
        forward.push_back(focusedId());
    }
    EXPECT_EQ(forward, (std::vector<int>{IDCANCEL, 101, 102, 103, IDOK, IDCANCEL}));
    std::vector<int> backward;
    for (int i = 0; i < 6; ++i) {
        pressKey(VK_TAB, true);
        backward.push_back(focusedId());
    }
    EXPECT_EQ(backward, (std::vector<int>{IDOK, 103, 102, 101, IDCANCEL, IDOK}));
    // Moving the focus checks nothing and sends nothing.
    EXPECT_TRUE(checked(102));
    EXPECT_TRUE(commands.empty());
}

TEST_F(SettingsDialogTest, ArrowsCycleTheRadioGroupCheckingAsTheyGo) {
    dialog->click(102);
    std::vector<int> seen;
    for (UINT key : {VK_DOWN, VK_DOWN, VK_RIGHT, VK_UP, VK_LEFT, VK_LEFT}) {
        pressKey(key);
        seen.push_back(focusedId());
        EXPECT_TRUE(checked(focusedId()));
        EXPECT_EQ(checkedCount(), 1);
    }
    EXPECT_EQ(seen, (std::vector<int>{103, 101, 102, 101, 103, 102}));
}

TEST_F(SettingsDialogTest, SpacePressesTheFocusedControl) {
    pressKey(VK_TAB);
    pressKey(VK_TAB); // 101
    pressKey(VK_SPACE);
    EXPECT_TRUE(checked(101));
    EXPECT_FALSE(dialog->ended());
    pressKey(VK_TAB, true); // IDCANCEL
    pressKey(VK_SPACE);
    EXPECT_EQ(dialog->result(), IDCANCEL);
}

TEST_F(SettingsDialogTest, EnterPressesTheDefaultButtonFromARadio) {
    dialog->click(103);
    pressKey(VK_RETURN);
    EXPECT_EQ(dialog->result(), IDOK);
}

TEST_F(SettingsDialogTest, EnterPressesTheFocusedPushButton) {
    pressKey(VK_TAB);
    pressKey(VK_RETURN);
    EXPECT_EQ(dialog->result(), IDCANCEL);
}
