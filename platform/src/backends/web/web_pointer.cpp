#include "backends/web/web_pointer.h"

#include <emscripten.h>

namespace luma {

namespace {

EM_JS(void, setPointerQueue, (bool taking), { Module.pendingPointer = taking ? [] : null; });

// The kind as the numbers of PagePointer::Kind.
EM_JS(bool, takeQueuedPointer, (int* kind, int* x, int* y), {
    const queue = Module.pendingPointer;
    const pointer = queue && queue.shift();
    if (!pointer)
        return false;
    HEAP32[kind >> 2] = [ 'pointerdown', 'pointermove', 'pointerup' ].indexOf(pointer.type);
    HEAP32[x >> 2] = pointer.x;
    HEAP32[y >> 2] = pointer.y;
    return true;
});

} // namespace

void startTakingPointer() { setPointerQueue(true); }

void stopTakingPointer() { setPointerQueue(false); }

bool takePagePointer(PagePointer& pointer) {
    int kind = 0;
    if (!takeQueuedPointer(&kind, &pointer.x, &pointer.y))
        return false;
    pointer.kind = static_cast<PagePointer::Kind>(kind);
    return true;
}

} // namespace luma
