// The program's settings dialog (template 1 of the demo's resources) made into a live Dialog
// whose procedure preselects 22 KHz and ends on IDOK or IDCANCEL, as the demo's does.
#pragma once

#include "dialogs/dialog.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

class SettingsDialogTest : public ::testing::Test {
public:
    // The WM_COMMAND ids the procedure received, in order.
    static std::vector<int> commands;

protected:
    void SetUp() override;
    void TearDown() override;

    bool checked(int id) { return dialog->control(id)->checked; }
    // The id of the focused control, 0 for none.
    int focusedId();
    int checkedCount();
    void pressKey(UINT virtualKey, bool shift = false) {
        dialog->pressKey(virtualKey, shift, false);
    }

    std::unique_ptr<luma::Dialog> dialog;

private:
    HWND window = nullptr;
};
