// The message functions of user32 over the thread's queue.
#include "core/platform.h"
#include "core/stop_request.h"
#include "windows/keyboard.h"
#include "windows/message_queue.h"
#include "windows/scheduled_keys.h"
#include "windows/window_manager.h"

#include <luma/platform.h>

namespace luma {

namespace {

class QueueInput : public InputSink {
public:
    void keyDown(UINT virtualKey, const std::string& characters, bool alt) override {
        postKey(windowManager().focus(), virtualKey, characters, alt);
    }
    void closeRequested(Window& window) override { PostMessageA(window.handle, WM_CLOSE, 0, 0); }
    void activated(Window& window, bool active) override {
        callWindow(window.handle, WM_ACTIVATEAPP, active ? TRUE : FALSE, 0);
    }
};

void pressStopKey() { postKey(windowManager().focus(), VK_ESCAPE, "\x1b", false); }

} // namespace

void pumpInput() {
    QueueInput sink;
    backend().pumpEvents(sink);
    deliverScheduledKeys(backend().ticks() - startTicks());
    if (config().stopAtSet && backend().ticks() - startTicks() >= config().stopAt) {
        config().stopAtSet = false;
        pressStopKey();
    }
    if (takeStopRequest())
        pressStopKey();
}

} // namespace luma

using namespace luma;

LUMA_API BOOL WINAPI PeekMessageA(LPMSG message, HWND window, UINT filterMin, UINT filterMax,
                                  UINT removeMessage) {
    if (!message)
        return FALSE;
    pumpInput();
    if (messageQueue().take(*message, window, filterMin, filterMax, removeMessage & PM_REMOVE))
        return TRUE;
    if (window == nullptr && filterMin == 0 && filterMax == 0)
        backend().idleTurn();
    return FALSE;
}

LUMA_API BOOL WINAPI GetMessageA(LPMSG message, HWND window, UINT filterMin, UINT filterMax) {
    if (!message)
        return -1;
    for (;;) {
        pumpInput();
        if (messageQueue().take(*message, window, filterMin, filterMax, true))
            return message->message == WM_QUIT ? FALSE : TRUE;
        backend().waitForInput(10);
    }
}

LUMA_API BOOL WINAPI TranslateMessage(const MSG* message) {
    if (!message)
        return FALSE;
    bool system = message->message == WM_SYSKEYDOWN;
    if (message->message != WM_KEYDOWN && !system)
        return FALSE;
    std::string characters = messageQueue().charactersOf(message->lParam);
    if (characters.empty())
        characters = charactersOfKey(static_cast<UINT>(message->wParam));
    // Reversed, because each is placed first: they then come in typing order.
    for (auto it = characters.rbegin(); it != characters.rend(); ++it) {
        MSG character = *message;
        character.message = system ? WM_SYSCHAR : WM_CHAR;
        character.wParam = static_cast<unsigned char>(*it);
        messageQueue().postFirst(character);
    }
    return characters.empty() ? FALSE : TRUE;
}

LUMA_API LRESULT WINAPI DispatchMessageA(const MSG* message) {
    if (!message || !message->hwnd)
        return 0;
    return callWindow(message->hwnd, message->message, message->wParam, message->lParam);
}

LUMA_API BOOL WINAPI PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (window && !windowManager().find(window))
        return FALSE;
    MSG posted{};
    posted.hwnd = window;
    posted.message = message;
    posted.wParam = wParam;
    posted.lParam = lParam;
    posted.time = GetTickCount();
    messageQueue().post(posted);
    return TRUE;
}

LUMA_API LRESULT WINAPI SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return callWindow(window, message, wParam, lParam);
}

LUMA_API void WINAPI PostQuitMessage(int exitCode) { messageQueue().postQuit(exitCode); }

LUMA_API void LumaPressKey(HWND window, UINT virtualKey, char character, BOOL alt) {
    std::string characters;
    if (character)
        characters.push_back(character);
    postKey(window, virtualKey, characters, alt != FALSE);
}
