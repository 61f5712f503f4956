// The queue: posting, filters, quit, translation, key state and routed input.
#include "UiFixture.h"

#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace {

std::vector<MSG> received;

LRESULT recordProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= WM_KEYDOWN && message <= WM_MBUTTONDBLCLK)
        received.push_back(MSG{hwnd, message, wParam, lParam, 0, {0, 0}});
    if (message == WM_USER + 1)
        return static_cast<LRESULT>(wParam * 2);
    return DefWindowProc(hwnd, message, wParam, lParam);
}

class MessagesTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        WNDCLASS wc{};
        if (!GetClassInfo(nullptr, "Recorder", &wc)) {
            wc.style = CS_DBLCLKS;
            wc.lpfnWndProc = recordProc;
            wc.lpszClassName = "Recorder";
            RegisterClass(&wc);
        }
        window = CreateWindowEx(0, "Recorder", "", WS_OVERLAPPED | WS_VISIBLE, 100, 100, 200, 200, nullptr, nullptr,
                                nullptr, nullptr);
        m_windows.push_back(window);
        UiTestHook::PumpPending();
        received.clear();
    }
    HWND window = nullptr;
};

} // namespace

TEST_F(MessagesTest, PostedMessagesComeInOrderAndFiltersSelect)
{
    PostMessage(window, WM_USER + 1, 1, 0);
    PostMessage(window, WM_APP + 5, 2, 0);
    PostMessage(window, WM_USER + 2, 3, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_APP, WM_APP + 10, PM_NOREMOVE));
    EXPECT_EQ(msg.wParam, 2u);
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_APP, WM_APP + 10, PM_REMOVE));
    EXPECT_FALSE(PeekMessage(&msg, nullptr, WM_APP, WM_APP + 10, PM_REMOVE));
    HWND other = MakeWindow(WS_OVERLAPPED, {0, 0, 10, 10});
    EXPECT_FALSE(PeekMessage(&msg, other, 0, 0, PM_NOREMOVE));
    ASSERT_TRUE(GetMessage(&msg, window, 0, 0));
    EXPECT_EQ(msg.wParam, 1u);
    ASSERT_TRUE(GetMessage(&msg, nullptr, WM_USER, WM_USER + 10));
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_EQ(SendMessage(window, WM_USER + 1, 21, 0), 42);
}

TEST_F(MessagesTest, QuitComesAfterPostedMessagesWithItsCode)
{
    PostQuitMessage(9);
    PostMessage(window, WM_USER, 0, 0);
    MSG msg;
    ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_USER);
    EXPECT_FALSE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 9u);
    EXPECT_FALSE(PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(MessagesTest, TranslateMakesCharactersFromKeys)
{
    struct Case {
        int vk;
        bool shift;
        bool control;
        int ch; // 0: no character
    };
    const Case cases[] = {{'A', false, false, 'a'}, {'A', true, false, 'A'},   {'1', true, false, '!'},
                          {'C', false, true, 3},    {VK_RETURN, false, false, '\r'}, {VK_LEFT, false, false, 0},
                          {0xBE, false, false, '.'}, {VK_SPACE, true, false, ' '}};
    SetFocus(window);
    for (const Case& c : cases) {
        if (c.shift)
            UiTestHook::KeyDown(VK_SHIFT);
        if (c.control)
            UiTestHook::KeyDown(VK_CONTROL);
        UiTestHook::KeyDown(c.vk);
        UiTestHook::KeyUp(c.vk);
        if (c.control)
            UiTestHook::KeyUp(VK_CONTROL);
        if (c.shift)
            UiTestHook::KeyUp(VK_SHIFT);
        received.clear();
        UiTestHook::PumpPending();
        int ch = 0;
        for (const MSG& m : received)
            if (m.message == WM_CHAR)
                ch = static_cast<int>(m.wParam);
        EXPECT_EQ(ch, c.ch) << c.vk;
    }
}

TEST_F(MessagesTest, KeyStateFollowsRetrievalAndAsyncStateFollowsInput)
{
    SetFocus(window);
    UiTestHook::KeyDown(VK_CONTROL);
    EXPECT_LT(GetAsyncKeyState(VK_CONTROL), 0);
    EXPECT_GE(GetKeyState(VK_CONTROL), 0);
    MSG msg;
    ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_LT(GetKeyState(VK_CONTROL), 0);
    UiTestHook::KeyUp(VK_CONTROL);
    UiTestHook::PumpPending();
    EXPECT_GE(GetKeyState(VK_CONTROL), 0);
    SHORT toggled = GetKeyState(VK_CAPITAL) & 1;
    UiTestHook::KeyDown(VK_CAPITAL);
    UiTestHook::KeyUp(VK_CAPITAL);
    UiTestHook::PumpPending();
    EXPECT_NE(GetKeyState(VK_CAPITAL) & 1, toggled);
}

TEST_F(MessagesTest, RegisteredMessagesAreSharedByName)
{
    UINT a = RegisterWindowMessage("Vantrel.Test.Message");
    EXPECT_GE(a, 0xC000u);
    EXPECT_EQ(RegisterWindowMessage("vantrel.test.MESSAGE"), a);
    EXPECT_NE(RegisterWindowMessage("Another"), a);
    EXPECT_EQ(RegisterWindowMessage(""), 0u);
}

TEST_F(MessagesTest, MouseInputGoesToTheWindowUnderThePointerInClientCoordinates)
{
    HWND child = MakeWindow(WS_CHILD | WS_VISIBLE | WS_BORDER, {10, 20, 110, 120}, window);
    POINT origin{0, 0};
    ClientToScreen(child, &origin);
    UiTestHook::MouseDown(WM_LBUTTONDOWN, POINT{origin.x + 5, origin.y + 6}, MK_LBUTTON);
    UiTestHook::MouseDown(WM_LBUTTONDBLCLK, POINT{origin.x + 5, origin.y + 6}, MK_LBUTTON);
    UiTestHook::MouseDown(WM_LBUTTONDOWN, POINT{origin.x - 1, origin.y + 6}, MK_LBUTTON);
    MSG msg;
    ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.hwnd, child);
    EXPECT_EQ(msg.message, WM_LBUTTONDOWN);
    EXPECT_EQ(GET_X_LPARAM(msg.lParam), 5);
    EXPECT_EQ(GET_Y_LPARAM(msg.lParam), 6);
    ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_LBUTTONDBLCLK) << "the plain class takes double clicks";
    ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_NCLBUTTONDOWN);
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(HTBORDER));
    POINT pos{};
    GetCursorPos(&pos);
    EXPECT_EQ(pos.x, origin.x - 1);
    DWORD packed = GetMessagePos();
    EXPECT_EQ(GET_X_LPARAM(packed), origin.x - 1);
}

TEST_F(MessagesTest, CaptureTakesMouseInputAnywhere)
{
    HWND child = MakeWindow(WS_CHILD | WS_VISIBLE, {10, 10, 50, 50}, window);
    SetCapture(child);
    UiTestHook::MouseMove(POINT{5, 5}, 0);
    MSG msg;
    ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.hwnd, child);
    POINT origin{0, 0};
    ClientToScreen(child, &origin);
    EXPECT_EQ(GET_X_LPARAM(msg.lParam), 5 - origin.x);
    ReleaseCapture();
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(MessagesTest, DisabledWindowsGetNoMouseInput)
{
    EnableWindow(window, FALSE);
    POINT inside{150, 150};
    UiTestHook::MouseDown(WM_LBUTTONDOWN, inside, MK_LBUTTON);
    MSG msg;
    EXPECT_FALSE(PeekMessage(&msg, nullptr, WM_MOUSEMOVE, WM_MBUTTONDBLCLK, PM_NOREMOVE));
    EnableWindow(window, TRUE);
}

TEST_F(MessagesTest, FocusAndActivationSendTheirMessages)
{
    HWND child = MakeWindow(WS_CHILD | WS_VISIBLE, {0, 0, 10, 10}, window);
    HWND other = MakeWindow(WS_OVERLAPPED | WS_VISIBLE, {0, 0, 10, 10});
    SetFocus(child);
    EXPECT_EQ(GetFocus(), child);
    EXPECT_EQ(GetActiveWindow(), window);
    SetActiveWindow(other);
    EXPECT_EQ(GetActiveWindow(), other);
    EXPECT_EQ(GetFocus(), other);
    DestroyWindow(other);
    EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(MessagesTest, PostingFromAnotherThreadWakesAWaitingLoop)
{
    std::thread poster([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        PostMessage(window, WM_USER + 6, 11, 0);
    });
    MSG msg;
    bool got = false;
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!got && std::chrono::steady_clock::now() < until)
        if (GetMessage(&msg, nullptr, 0, 0) && msg.message == WM_USER + 6)
            got = msg.wParam == 11;
    poster.join();
    EXPECT_TRUE(got);
}

TEST_F(MessagesTest, TheClassCursorIsSetWhenTheMouseMovesInTheClientArea)
{
    WNDCLASS wc{};
    if (!GetClassInfo(nullptr, "CrossCursor", &wc)) {
        wc.lpfnWndProc = DefWindowProc;
        wc.hCursor = LoadCursor(nullptr, IDC_CROSS);
        wc.lpszClassName = "CrossCursor";
        RegisterClass(&wc);
    }
    HWND cross = CreateWindowEx(0, "CrossCursor", "", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, window, nullptr, nullptr, nullptr);
    m_windows.push_back(cross);
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    POINT at{10, 10};
    ClientToScreen(cross, &at);
    UiTestHook::MouseMove(at, 0);
    UiTestHook::PumpPending();
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_CROSS));
}
