// A modal dialog made from a template: its controls, their state, and what the user's
// clicks and keys do to them. Backends draw it and feed it input; nothing here draws.
#pragma once

#include <windows.h>

#include <luma/resources.h>

#include <string>
#include <vector>

namespace luma {

enum class ControlKind { PushButton, DefaultPushButton, RadioButton, GroupBox, StaticText };

struct DialogControl {
    HWND handle = nullptr;
    int id = 0;
    ControlKind kind = ControlKind::StaticText;
    std::string text; // with its "&" mnemonic marks
    RECT units{};     // dialog units
    DWORD style = 0;
    bool checked = false;
};

class Dialog {
public:
    Dialog(const LumaDialogTemplate& dialogTemplate, DLGPROC procedure, HWND window);

    const LumaDialogTemplate& dialogTemplate() const { return source; }
    HWND window() const { return handle; }
    std::vector<DialogControl>& controls() { return items; }
    DialogControl* control(int id);
    DialogControl* controlOf(HWND handle);

    // The message procedure's view.
    INT_PTR send(UINT message, WPARAM wParam, LPARAM lParam);
    void end(INT_PTR value);
    bool ended() const { return finished; }
    INT_PTR result() const { return outcome; }

    // The keyboard focus, an index into controls(); -1 for none.
    int focus() const { return focused; }
    void setFocus(int index) { focused = index; }

    // What the user does.
    void click(int id);
    void pressKey(UINT virtualKey, bool shift, bool alt);
    void typeCharacter(char character, bool alt);
    void close();

    // The mnemonic letter of a text ("&Ja" gives 'j'), 0 for none.
    static char mnemonicOf(const std::string& text);

private:
    void command(int id);
    void moveFocus(int step);
    void moveInGroup(int step);
    std::vector<int> groupOf(int index) const;
    int defaultButton() const;

    LumaDialogTemplate source;
    DLGPROC procedure;
    HWND handle;
    std::vector<DialogControl> items;
    int focused = -1;
    bool finished = false;
    INT_PTR outcome = 0;
};

} // namespace luma
