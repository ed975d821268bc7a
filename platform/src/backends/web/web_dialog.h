// Dialogs on the page's canvas.
#pragma once

#include "dialogs/dialog.h"

namespace luma {

// Shows the dialog in the middle of the canvas and feeds it the page's mouse and keys until
// it ends; false when it cannot be drawn. Its buttons press the page's first gesture: the
// one a browser waits for before it plays sound or goes full screen.
bool runWebDialog(Dialog& dialog);

} // namespace luma
