// DialogBoxParamA and the functions a dialog procedure calls.
#include "core/platform.h"
#include "dialogs/dialog.h"
#include "process/module.h"
#include "windows/window_manager.h"

using namespace luma;

namespace {

Dialog* dialogOf(HWND handle) {
    Window* window = windowManager().find(handle);
    return window ? window->dialog : nullptr;
}

} // namespace

LUMA_API INT_PTR WINAPI DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND,
                                        DLGPROC dialogProcedure, LPARAM initParam) {
    const LumaDialogTemplate* dialogTemplate = findDialog(instance, templateName);
    if (!dialogTemplate || !dialogProcedure)
        return -1;

    const Config& settings = config();
    bool answered = settings.dialogsAnswered;
    // Headless, a dialog that nobody answers cannot be shown.
    if (!answered && std::string(backend().name()) == "headless")
        return -1;

    RECT units{dialogTemplate->x, dialogTemplate->y, dialogTemplate->x + dialogTemplate->width,
               dialogTemplate->y + dialogTemplate->height};
    Window* window =
        windowManager().create(dialogTemplate->exStyle, "#32770", dialogTemplate->caption,
                               dialogTemplate->style, units, nullptr, 0);
    HWND handle = window->handle;
    Dialog dialog(*dialogTemplate, dialogProcedure, handle);
    window->dialog = &dialog;
    window->visible = true;
    HWND previousFocus = windowManager().focus();
    windowManager().setFocus(handle);

    dialog.send(WM_INITDIALOG, 0, initParam);
    bool shown = true;
    if (answered) {
        for (int id : settings.dialogAnswer)
            dialog.click(id);
    } else if (!dialog.ended()) {
        shown = backend().runDialog(dialog);
    }

    window->dialog = nullptr;
    DestroyWindow(handle);
    windowManager().setFocus(previousFocus);
    if (!shown || !dialog.ended())
        return -1;
    return dialog.result();
}

LUMA_API BOOL WINAPI EndDialog(HWND handle, INT_PTR result) {
    Dialog* dialog = dialogOf(handle);
    if (!dialog)
        return FALSE;
    dialog->end(result);
    return TRUE;
}

LUMA_API HWND WINAPI GetDlgItem(HWND handle, int id) {
    Dialog* dialog = dialogOf(handle);
    DialogControl* control = dialog ? dialog->control(id) : nullptr;
    return control ? control->handle : nullptr;
}

LUMA_API BOOL WINAPI CheckDlgButton(HWND handle, int id, UINT check) {
    Dialog* dialog = dialogOf(handle);
    DialogControl* control = dialog ? dialog->control(id) : nullptr;
    if (!control)
        return FALSE;
    control->checked = check == BST_CHECKED;
    return TRUE;
}

LUMA_API UINT WINAPI IsDlgButtonChecked(HWND handle, int id) {
    Dialog* dialog = dialogOf(handle);
    DialogControl* control = dialog ? dialog->control(id) : nullptr;
    return control && control->checked ? BST_CHECKED : BST_UNCHECKED;
}

LUMA_API BOOL WINAPI CheckRadioButton(HWND handle, int firstId, int lastId, int checkId) {
    Dialog* dialog = dialogOf(handle);
    if (!dialog)
        return FALSE;
    for (DialogControl& control : dialog->controls())
        if (control.id >= firstId && control.id <= lastId)
            control.checked = control.id == checkId;
    return TRUE;
}
