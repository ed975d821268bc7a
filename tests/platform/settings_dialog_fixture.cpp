#include "settings_dialog_fixture.h"

#include "windows/window_manager.h"

#include <windows.h>

#include <luma/resources.h>

extern const LumaResources programResources;

std::vector<int> SettingsDialogTest::commands;

namespace {

INT_PTR CALLBACK settingsProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG)
        CheckDlgButton(handle, 102, BST_CHECKED);
    if (message == WM_COMMAND) {
        int id = LOWORD(wParam);
        SettingsDialogTest::commands.push_back(id);
        if (id == IDOK || id == IDCANCEL)
            EndDialog(handle, id);
    }
    return 0;
}

} // namespace

void SettingsDialogTest::SetUp() {
    commands.clear();
    const LumaDialogTemplate& source = programResources.dialogs[0];
    RECT units{0, 0, source.width, source.height};
    luma::Window* record = luma::windowManager().create(source.exStyle, "#32770", source.caption,
                                                        source.style, units, nullptr, 0);
    window = record->handle;
    dialog = std::make_unique<luma::Dialog>(source, settingsProcedure, window);
    record->dialog = dialog.get();
    dialog->send(WM_INITDIALOG, 0, 0);
}

void SettingsDialogTest::TearDown() {
    luma::windowManager().find(window)->dialog = nullptr;
    DestroyWindow(window);
}

int SettingsDialogTest::focusedId() {
    int index = dialog->focus();
    return index < 0 ? 0 : dialog->controls()[index].id;
}

int SettingsDialogTest::checkedCount() {
    int count = 0;
    for (const luma::DialogControl& control : dialog->controls())
        count += control.checked ? 1 : 0;
    return count;
}
