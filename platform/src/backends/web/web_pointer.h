// The mouse over the page's canvas, for a dialog drawn there.
#pragma once

namespace luma {

struct PagePointer {
    enum Kind { Down, Move, Up };
    Kind kind = Move;
    int x = 0; // in the canvas's pixels
    int y = 0;
};

// From now on the page queues the mouse's presses and moves over the canvas ...
void startTakingPointer();
// ... and from now on it does not.
void stopTakingPointer();

// The oldest queued press, move or release; false when none waits.
bool takePagePointer(PagePointer& pointer);

} // namespace luma
