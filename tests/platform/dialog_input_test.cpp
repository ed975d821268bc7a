// The mouse and keys as the dialog window hands them over, down to the dialog's answers.
#include "settings_dialog_fixture.h"

#include "dialogs/dialog_input.h"

using namespace luma;

class DialogInputTest : public SettingsDialogTest {
protected:
    void SetUp() override {
        SettingsDialogTest::SetUp();
        painter = std::make_unique<DialogPainter>(*dialog);
        ASSERT_TRUE(painter->ready());
        input = std::make_unique<DialogInput>(*dialog, *painter);
    }
    POINT centreOf(const RECT& area) {
        return POINT{(area.left + area.right) / 2, (area.top + area.bottom) / 2};
    }
    POINT centreOf(int id) {
        return centreOf(painter->controlRect(
            static_cast<size_t>(dialog->control(id) - &dialog->controls()[0])));
    }
    void clickAt(POINT point) {
        input->mouseDown(point.x, point.y);
        input->mouseUp(point.x, point.y);
    }

    std::unique_ptr<DialogPainter> painter;
    std::unique_ptr<DialogInput> input;
};

TEST_F(DialogInputTest, PressAndReleaseOnAButtonClicksIt) {
    clickAt(centreOf(103));
    EXPECT_TRUE(checked(103));
    EXPECT_FALSE(dialog->ended());
    clickAt(centreOf(IDOK));
    EXPECT_EQ(dialog->result(), IDOK);
    EXPECT_EQ(commands, (std::vector<int>{103, IDOK}));
}

TEST_F(DialogInputTest, ReleasingElsewhereClicksNothingAndThePressShowsOnlyWhileOver) {
    POINT ok = centreOf(IDOK);
    POINT cancel = centreOf(IDCANCEL);
    input->mouseDown(cancel.x, cancel.y);
    EXPECT_EQ(focusedId(), IDCANCEL); // the focus moves on the press
    EXPECT_EQ(input->shownPressed(), (DialogHit{DialogHit::Control, IDCANCEL}));
    input->mouseMove(ok.x, ok.y);
    EXPECT_EQ(input->shownPressed().part, DialogHit::Nothing);
    input->mouseMove(cancel.x, cancel.y);
    EXPECT_EQ(input->shownPressed().id, IDCANCEL);
    input->mouseMove(ok.x, ok.y);
    input->mouseUp(ok.x, ok.y);
    EXPECT_FALSE(dialog->ended());
    EXPECT_TRUE(commands.empty());
    EXPECT_EQ(input->shownPressed().part, DialogHit::Nothing);
    // A release without a press does nothing either.
    input->mouseUp(ok.x, ok.y);
    EXPECT_FALSE(dialog->ended());
}

TEST_F(DialogInputTest, TheCloseBoxCancelsAndTheHelpBoxDoesNothing) {
    clickAt(centreOf(painter->helpBoxRect()));
    clickAt(centreOf(painter->captionRect()));
    clickAt(centreOf(painter->controlRect(2))); // the warning text
    EXPECT_FALSE(dialog->ended());
    clickAt(centreOf(painter->closeBoxRect()));
    EXPECT_EQ(dialog->result(), IDCANCEL);
}

TEST_F(DialogInputTest, AltWithALetterIsItsMnemonic) {
    input->keyDown('4', false, true);
    EXPECT_TRUE(checked(103));
    input->keyDown('J', false, true);
    EXPECT_EQ(dialog->result(), IDOK);
}

TEST_F(DialogInputTest, KeysWithoutAltTypeNothingThemselvesTheirCharactersDo) {
    input->keyDown('N', false, false);
    EXPECT_FALSE(dialog->ended());
    input->typed("4");
    EXPECT_TRUE(checked(103));
    input->typed("n");
    EXPECT_EQ(dialog->result(), IDCANCEL);
}
