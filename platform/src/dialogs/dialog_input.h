// The mouse and the keyboard as a dialog sees them: a button is clicked when the mouse is
// pressed and let go over it, keys and typed letters go to the dialog's keyboard handling.
#pragma once

#include "dialogs/dialog.h"
#include "dialogs/dialog_painter.h"

#include <string>

namespace luma {

class DialogInput {
public:
    DialogInput(Dialog& dialog, const DialogPainter& painter);

    // Points in the painted picture's pixels.
    void mouseDown(int x, int y);
    void mouseMove(int x, int y);
    void mouseUp(int x, int y);

    // With Alt held a key's letter is its mnemonic: no character is typed then.
    void keyDown(UINT virtualKey, bool shift, bool alt);
    // Characters typed without Alt (Windows-1252).
    void typed(const std::string& characters);

    // What the picture shows pushed in: the pressed part while the mouse stays on it.
    DialogHit shownPressed() const;

private:
    Dialog& dialog;
    const DialogPainter& painter;
    DialogHit pressed;
    bool overPressed = false;
};

} // namespace luma
