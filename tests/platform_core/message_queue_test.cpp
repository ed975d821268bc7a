// The thread's message queue through the user32 functions, on the headless backend.
#include <windows.h>

#include <luma/platform.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> journal;

std::string describe(UINT message, WPARAM wParam) {
    return std::to_string(message) + ":" + std::to_string(wParam);
}

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER + 9) {
        // A send from inside a dispatch is delivered at once, before anything posted.
        PostMessageA(window, WM_USER + 3, 0, 0);
        journal.push_back("nested " + std::to_string(SendMessageA(window, WM_USER + 4, 0, 0)));
        return 9;
    }
    journal.push_back(describe(message, wParam));
    if (message == WM_USER + 4)
        return 44;
    return DefWindowProcA(window, message, wParam, lParam);
}

class MessageQueueTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(LumaSelectBackend("headless"));
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = RecordingProc;
        windowClass.lpszClassName = "QueueTest";
        RegisterClassA(&windowClass);
    }
    void SetUp() override {
        journal.clear();
        window = CreateWindowExA(0, "QueueTest", "test", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(window, nullptr);
        ShowWindow(window, SW_SHOW);
        // Creating and showing the window sent it WM_CREATE and WM_ACTIVATEAPP.
        EXPECT_EQ(journal, (std::vector<std::string>{describe(WM_CREATE, 0),
                                                     describe(WM_ACTIVATEAPP, TRUE)}));
        journal.clear();
    }
    void TearDown() override {
        drain();
        DestroyWindow(window);
        drain();
    }
    // Dispatches everything waiting; true when a quit message was among it.
    bool drain() {
        MSG message;
        bool quit = false;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                quit = true;
            else
                DispatchMessageA(&message);
        }
        return quit;
    }
    HWND window = nullptr;
};

TEST_F(MessageQueueTest, PostedMessagesComeInOrderAndPeekWithoutRemoveLeavesThem) {
    PostMessageA(window, WM_USER + 1, 1, 0);
    PostMessageA(window, WM_USER + 2, 2, 0);
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_USER + 1));
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_USER + 1));
    ASSERT_EQ(GetMessageA(&message, nullptr, 0, 0), TRUE);
    EXPECT_EQ(message.message, static_cast<UINT>(WM_USER + 1));
    ASSERT_EQ(GetMessageA(&message, nullptr, 0, 0), TRUE);
    EXPECT_EQ(message.message, static_cast<UINT>(WM_USER + 2));
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));
}

TEST_F(MessageQueueTest, SendIsSynchronousAndReturnsTheProceduresResult) {
    PostMessageA(window, WM_USER + 1, 0, 0);
    EXPECT_EQ(SendMessageA(window, WM_USER + 9, 0, 0), 9);
    // The nested send ran before the posted message was even looked at.
    ASSERT_EQ(journal, (std::vector<std::string>{describe(WM_USER + 4, 0), "nested 44"}));
    drain();
    EXPECT_EQ(journal,
              (std::vector<std::string>{describe(WM_USER + 4, 0), "nested 44",
                                        describe(WM_USER + 1, 0), describe(WM_USER + 3, 0)}));
}

TEST_F(MessageQueueTest, FiltersTakeOnlyTheirRangeAndLeaveTheRestInOrder) {
    PostMessageA(window, WM_USER + 1, 0, 0);
    PostMessageA(window, WM_KEYDOWN, 'A', 1);
    PostMessageA(window, WM_USER + 2, 0, 0);
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, window, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_FALSE(PeekMessageA(&message, window, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE));
    drain();
    EXPECT_EQ(journal,
              (std::vector<std::string>{describe(WM_USER + 1, 0), describe(WM_USER + 2, 0)}));
}

TEST_F(MessageQueueTest, QuitComesAfterEverythingWaitingAndEndsGetMessage) {
    PostMessageA(window, WM_USER + 1, 0, 0);
    PostQuitMessage(7);
    PostMessageA(window, WM_USER + 2, 0, 0);
    MSG message;
    ASSERT_EQ(GetMessageA(&message, nullptr, 0, 0), TRUE);
    ASSERT_EQ(GetMessageA(&message, nullptr, 0, 0), TRUE);
    EXPECT_EQ(message.message, static_cast<UINT>(WM_USER + 2));
    EXPECT_EQ(GetMessageA(&message, nullptr, 0, 0), FALSE);
    EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(message.wParam, 7u);
}

TEST_F(MessageQueueTest, TranslateMakesTheTypedCharacterTheNextMessage) {
    LumaPressKey(window, 'A', 'a', FALSE);
    LumaPressKey(window, VK_RETURN, 0, FALSE);
    LumaPressKey(window, 'X', 'x', TRUE);
    MSG message;
    std::vector<std::string> seen;
    while (PeekMessageA(&message, window, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
        seen.push_back(describe(message.message, message.wParam));
        TranslateMessage(&message);
    }
    EXPECT_EQ(seen,
              (std::vector<std::string>{describe(WM_KEYDOWN, 'A'), describe(WM_CHAR, 'a'),
                                        describe(WM_KEYDOWN, VK_RETURN), describe(WM_CHAR, '\r'),
                                        describe(WM_SYSKEYDOWN, 'X'), describe(WM_SYSCHAR, 'x')}));
}

TEST_F(MessageQueueTest, AnIdleTurnMovesTheVirtualClockOnByAFrame) {
    MSG message;
    drain();
    DWORD before = GetTickCount();
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));
    DWORD after = GetTickCount();
    EXPECT_GE(after - before, 16u);
    EXPECT_LE(after - before, 17u);
}

TEST_F(MessageQueueTest, StopTimePressesEscapeOnTheFocusedWindowOnce) {
    LumaStopAt(LumaElapsed() + 100);
    MSG message;
    int keys = 0;
    for (int turn = 0; turn < 30; ++turn) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            if (message.message == WM_KEYDOWN && message.hwnd == window &&
                message.wParam == VK_ESCAPE)
                ++keys;
    }
    EXPECT_EQ(keys, 1);
}

TEST_F(MessageQueueTest, CloseDestroysThroughTheDefaultProcedure) {
    HWND other = CreateWindowExA(0, "QueueTest", "other", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(IsWindow(other));
    SendMessageA(other, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(other));
    EXPECT_FALSE(PostMessageA(other, WM_USER, 0, 0));
}

} // namespace
