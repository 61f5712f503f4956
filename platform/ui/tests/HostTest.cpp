// Qt events on a shown window's widget become messages on the queue.
#include "UiFixture.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>

namespace {

class HostTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        window = MakeWindow(WS_OVERLAPPED | WS_VISIBLE, {50, 60, 250, 210});
        UiTestHook::PumpPending();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && w->geometry() == QRect(50, 60, 200, 150))
                host = w;
        ASSERT_NE(host, nullptr);
    }

    MSG next()
    {
        MSG msg{};
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
            if (msg.message != WM_PAINT && msg.message != WM_SETCURSOR)
                return msg;
        return MSG{};
    }

    HWND window = nullptr;
    QWidget* host = nullptr;
};

} // namespace

TEST_F(HostTest, MouseEventsBecomeClientMessagesWithButtonStates)
{
    struct Case {
        QEvent::Type type;
        Qt::MouseButton button;
        Qt::MouseButtons buttons;
        Qt::KeyboardModifiers modifiers;
        UINT message;
        WPARAM keys;
    };
    const Case cases[] = {
        {QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier, WM_LBUTTONDOWN, MK_LBUTTON},
        {QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, Qt::ShiftModifier, WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT},
        {QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, Qt::NoModifier, WM_LBUTTONUP, 0},
        {QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier, WM_LBUTTONDBLCLK, MK_LBUTTON},
        {QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, Qt::ControlModifier, WM_RBUTTONDOWN,
         MK_RBUTTON | MK_CONTROL},
    };
    for (const Case& c : cases) {
        QPointF local(12, 34);
        QMouseEvent e(c.type, local, host->mapToGlobal(local), c.button, c.buttons, c.modifiers);
        QApplication::sendEvent(host, &e);
        MSG msg = next();
        EXPECT_EQ(msg.hwnd, window);
        EXPECT_EQ(msg.message, c.message);
        EXPECT_EQ(msg.wParam, c.keys);
        EXPECT_EQ(GET_X_LPARAM(msg.lParam), 12);
        EXPECT_EQ(GET_Y_LPARAM(msg.lParam), 34);
    }
}

TEST_F(HostTest, KeysBecomeVirtualKeyMessagesForTheFocusWindow)
{
    SetFocus(window);
    struct Case {
        int key;
        Qt::KeyboardModifiers modifiers;
        UINT message;
        WPARAM vk;
    };
    const Case cases[] = {{Qt::Key_A, Qt::NoModifier, WM_KEYDOWN, 'A'},
                          {Qt::Key_F5, Qt::NoModifier, WM_KEYDOWN, VK_F5},
                          {Qt::Key_Escape, Qt::NoModifier, WM_KEYDOWN, VK_ESCAPE},
                          {Qt::Key_X, Qt::AltModifier, WM_SYSKEYDOWN, 'X'},
                          // Alt alone is a system key, whatever modifiers the display reports with it.
                          {Qt::Key_Alt, Qt::NoModifier, WM_SYSKEYDOWN, VK_MENU},
                          {Qt::Key_Alt, Qt::AltModifier, WM_SYSKEYDOWN, VK_MENU},
                          {Qt::Key_Menu, Qt::NoModifier, WM_KEYDOWN, VK_APPS}};
    for (const Case& c : cases) {
        QKeyEvent e(QEvent::KeyPress, c.key, c.modifiers);
        QApplication::sendEvent(host, &e);
        MSG msg = next();
        EXPECT_EQ(msg.hwnd, window);
        EXPECT_EQ(msg.message, c.message);
        EXPECT_EQ(msg.wParam, c.vk);
    }
}

TEST_F(HostTest, WheelGoesToTheFocusWindow)
{
    SetFocus(window);
    QWheelEvent e(QPointF(5, 5), host->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(host, &e);
    MSG msg = next();
    EXPECT_EQ(msg.message, WM_MOUSEWHEEL);
    EXPECT_EQ(static_cast<SHORT>(HIWORD(msg.wParam)), -120);
}

TEST_F(HostTest, ResizeAndCloseReachTheWindow)
{
    host->resize(180, 120);
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 180);
    EXPECT_EQ(client.bottom, 120);
    QCloseEvent close;
    QApplication::sendEvent(host, &close);
    EXPECT_FALSE(close.isAccepted());
    UiTestHook::PumpPending();
    EXPECT_FALSE(IsWindow(window));
}
