#include "windows/message_queue.h"

#include "core/platform.h"
#include "windows/window_manager.h"

namespace luma {

namespace {

bool passes(const MSG& message, HWND window, UINT filterMin, UINT filterMax) {
    if (window) {
        Window* target = windowManager().find(message.hwnd);
        bool ownOrChild = message.hwnd == window || (target && target->parent == window);
        if (!ownOrChild)
            return false;
    }
    if (filterMin == 0 && filterMax == 0)
        return true;
    return message.message >= filterMin && message.message <= filterMax;
}

// Key messages carry a slot number in their scan-code bits (16-23) that names the
// characters the keyboard produced with them.
constexpr int slotShift = 16;
constexpr LPARAM slotMask = 0xFF;

} // namespace

MessageQueue& messageQueue() {
    static MessageQueue queue;
    return queue;
}

void MessageQueue::post(const MSG& message) { messages.push_back(message); }

void MessageQueue::postFirst(const MSG& message) { messages.push_front(message); }

void MessageQueue::postQuit(int exitCode) {
    quitPending = true;
    quitCode = exitCode;
}

bool MessageQueue::take(MSG& message, HWND window, UINT filterMin, UINT filterMax, bool remove) {
    for (auto it = messages.begin(); it != messages.end(); ++it) {
        if (!passes(*it, window, filterMin, filterMax))
            continue;
        message = *it;
        if (remove)
            messages.erase(it);
        return true;
    }
    // The quit message comes when nothing else is waiting, and only to an unfiltered reader.
    if (quitPending && window == nullptr &&
        ((filterMin == 0 && filterMax == 0) || (filterMin <= WM_QUIT && WM_QUIT <= filterMax))) {
        message = MSG{};
        message.message = WM_QUIT;
        message.wParam = static_cast<WPARAM>(quitCode);
        if (remove)
            quitPending = false;
        return true;
    }
    return false;
}

LPARAM MessageQueue::keyDataWithCharacters(LPARAM keyData, const std::string& characters) {
    if (characters.empty())
        return keyData;
    unsigned slot = nextSlot;
    nextSlot = nextSlot % 255 + 1;
    characterSlots[slot] = characters;
    return keyData | (static_cast<LPARAM>(slot) << slotShift);
}

std::string MessageQueue::charactersOf(LPARAM keyData) const {
    unsigned slot = static_cast<unsigned>((keyData >> slotShift) & slotMask);
    return slot ? characterSlots[slot] : std::string();
}

} // namespace luma
