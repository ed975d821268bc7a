#include "dialogs/dialog_input.h"

#include <cctype>

namespace luma {

DialogInput::DialogInput(Dialog& shownDialog, const DialogPainter& shownPainter)
    : dialog(shownDialog), painter(shownPainter) {}

void DialogInput::mouseDown(int x, int y) {
    DialogHit hit = painter.hitTest(x, y);
    if (hit.part != DialogHit::Control && hit.part != DialogHit::CloseBox &&
        hit.part != DialogHit::HelpBox)
        return;
    pressed = hit;
    overPressed = true;
    // A button takes the focus as soon as it is pressed.
    if (hit.part == DialogHit::Control) {
        std::vector<DialogControl>& items = dialog.controls();
        for (size_t i = 0; i < items.size(); ++i)
            if (items[i].id == hit.id)
                dialog.setFocus(static_cast<int>(i));
    }
}

void DialogInput::mouseMove(int x, int y) {
    if (pressed.part != DialogHit::Nothing)
        overPressed = painter.hitTest(x, y) == pressed;
}

void DialogInput::mouseUp(int x, int y) {
    DialogHit released = pressed;
    pressed = DialogHit{};
    overPressed = false;
    if (released.part == DialogHit::Nothing || !(painter.hitTest(x, y) == released))
        return;
    if (released.part == DialogHit::Control)
        dialog.click(released.id);
    else if (released.part == DialogHit::CloseBox)
        dialog.close();
    // The help box asks for context help, which this dialog does not offer.
}

void DialogInput::keyDown(UINT virtualKey, bool shift, bool alt) {
    dialog.pressKey(virtualKey, shift, alt);
    bool letterOrDigit =
        (virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9');
    if (alt && letterOrDigit)
        dialog.typeCharacter(static_cast<char>(std::tolower(static_cast<int>(virtualKey))), true);
}

void DialogInput::typed(const std::string& characters) {
    for (char character : characters)
        dialog.typeCharacter(character, false);
}

DialogHit DialogInput::shownPressed() const { return overPressed ? pressed : DialogHit{}; }

} // namespace luma
