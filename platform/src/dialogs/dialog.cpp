#include "dialogs/dialog.h"

#include "windows/window_manager.h"

#include <cctype>
#include <cstring>

namespace luma {

namespace {

constexpr WORD notificationClicked = 0; // BN_CLICKED

ControlKind kindOf(const LumaDialogControl& control) {
    if (::strcasecmp(control.windowClass, "BUTTON") != 0)
        return ControlKind::StaticText;
    switch (control.style & 0x0F) {
    case BS_DEFPUSHBUTTON:
        return ControlKind::DefaultPushButton;
    case BS_GROUPBOX:
        return ControlKind::GroupBox;
    case BS_AUTORADIOBUTTON:
        return ControlKind::RadioButton;
    default:
        return ControlKind::PushButton;
    }
}

bool isPushButton(ControlKind kind) {
    return kind == ControlKind::PushButton || kind == ControlKind::DefaultPushButton;
}

} // namespace

Dialog::Dialog(const LumaDialogTemplate& dialogTemplate, DLGPROC dialogProcedure, HWND window)
    : source(dialogTemplate), procedure(dialogProcedure), handle(window) {
    for (int i = 0; i < dialogTemplate.controlCount; ++i) {
        const LumaDialogControl& entry = dialogTemplate.controls[i];
        DialogControl control;
        control.id = entry.id;
        control.kind = kindOf(entry);
        control.text = entry.text ? entry.text : "";
        control.units = RECT{entry.x, entry.y, entry.x + entry.width, entry.y + entry.height};
        control.style = entry.style | WS_CHILD | WS_VISIBLE;
        Window* child = windowManager().create(0, entry.windowClass, entry.text, control.style,
                                               control.units, window, entry.id);
        control.handle = child->handle;
        items.push_back(control);
    }
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].style & WS_TABSTOP) {
            focused = static_cast<int>(i);
            break;
        }
    }
}

DialogControl* Dialog::control(int id) {
    for (DialogControl& item : items)
        if (item.id == id)
            return &item;
    return nullptr;
}

DialogControl* Dialog::controlOf(HWND child) {
    for (DialogControl& item : items)
        if (item.handle == child)
            return &item;
    return nullptr;
}

INT_PTR Dialog::send(UINT message, WPARAM wParam, LPARAM lParam) {
    return procedure ? procedure(handle, message, wParam, lParam) : 0;
}

void Dialog::end(INT_PTR value) {
    finished = true;
    outcome = value;
}

void Dialog::command(int id) {
    DialogControl* item = control(id);
    send(WM_COMMAND, MAKELONG(id, notificationClicked),
         reinterpret_cast<LPARAM>(item ? item->handle : nullptr));
}

void Dialog::click(int id) {
    DialogControl* item = control(id);
    if (!item || finished)
        return;
    int index = static_cast<int>(item - items.data());
    if (item->kind == ControlKind::RadioButton) {
        for (int member : groupOf(index))
            if (items[member].kind == ControlKind::RadioButton)
                items[member].checked = member == index;
        focused = index;
    } else if (isPushButton(item->kind)) {
        focused = index;
    } else {
        return;
    }
    command(id);
}

// A group runs from a control with WS_GROUP up to the next one.
std::vector<int> Dialog::groupOf(int index) const {
    int first = index;
    while (first > 0 && !(items[first].style & WS_GROUP))
        --first;
    std::vector<int> members{first};
    for (int i = first + 1; i < static_cast<int>(items.size()) && !(items[i].style & WS_GROUP); ++i)
        members.push_back(i);
    return members;
}

int Dialog::defaultButton() const {
    for (const DialogControl& item : items)
        if (item.kind == ControlKind::DefaultPushButton)
            return item.id;
    return IDOK;
}

void Dialog::moveFocus(int step) {
    int count = static_cast<int>(items.size());
    for (int tries = 1; tries <= count; ++tries) {
        int candidate = ((focused < 0 ? 0 : focused) + step * tries % count + count) % count;
        if (items[candidate].style & WS_TABSTOP) {
            focused = candidate;
            return;
        }
    }
}

void Dialog::moveInGroup(int step) {
    std::vector<int> radios;
    for (int member : groupOf(focused))
        if (items[member].kind == ControlKind::RadioButton)
            radios.push_back(member);
    for (size_t i = 0; i < radios.size(); ++i) {
        if (radios[i] != focused)
            continue;
        int count = static_cast<int>(radios.size());
        int next = radios[(static_cast<int>(i) + step + count) % count];
        click(items[next].id);
        return;
    }
}

void Dialog::pressKey(UINT virtualKey, bool shift, bool alt) {
    if (finished)
        return;
    DialogControl* current = focused >= 0 ? &items[focused] : nullptr;
    switch (virtualKey) {
    case VK_TAB:
        moveFocus(shift ? -1 : 1);
        break;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        if (current && current->kind == ControlKind::RadioButton)
            moveInGroup(virtualKey == VK_LEFT || virtualKey == VK_UP ? -1 : 1);
        else
            moveFocus(virtualKey == VK_LEFT || virtualKey == VK_UP ? -1 : 1);
        break;
    case VK_RETURN:
        if (current && isPushButton(current->kind))
            click(current->id);
        else
            command(defaultButton());
        break;
    case VK_ESCAPE:
        command(IDCANCEL);
        break;
    case VK_SPACE:
        if (current && !alt)
            click(current->id);
        break;
    default:
        break;
    }
}

void Dialog::typeCharacter(char character, bool) {
    if (finished || !std::isalnum(static_cast<unsigned char>(character)))
        return;
    char wanted = static_cast<char>(std::tolower(static_cast<unsigned char>(character)));
    for (size_t i = 0; i < items.size(); ++i) {
        if (mnemonicOf(items[i].text) != wanted)
            continue;
        if (isPushButton(items[i].kind) || items[i].kind == ControlKind::RadioButton) {
            click(items[i].id);
        } else {
            // A label's mnemonic moves the focus to the control after it.
            focused = static_cast<int>(i);
            moveFocus(1);
        }
        return;
    }
}

void Dialog::close() {
    if (!finished)
        command(IDCANCEL);
}

char Dialog::mnemonicOf(const std::string& text) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&')
            continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        return static_cast<char>(std::tolower(static_cast<unsigned char>(text[i + 1])));
    }
    return 0;
}

} // namespace luma
