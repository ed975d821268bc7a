// The thread's message queue: posted and input messages in order, and the quit flag.
#pragma once

#include <windows.h>

#include <deque>
#include <string>

namespace luma {

class MessageQueue {
public:
    void post(const MSG& message);
    // Placed before everything waiting: what TranslateMessage makes is read next.
    void postFirst(const MSG& message);
    void postQuit(int exitCode);

    // Finds the first message that passes the filter (and removes it when asked).
    bool take(MSG& message, HWND window, UINT filterMin, UINT filterMax, bool remove);

    // Characters that the keyboard gave with a key message, for TranslateMessage.
    LPARAM keyDataWithCharacters(LPARAM keyData, const std::string& characters);
    std::string charactersOf(LPARAM keyData) const;

private:
    std::deque<MSG> messages;
    bool quitPending = false;
    int quitCode = 0;
    std::string characterSlots[256];
    unsigned nextSlot = 1;
};

MessageQueue& messageQueue();

// Brings in what the outside world did: backend events, the stop time, signals.
void pumpInput();

} // namespace luma
