// Tool tips: fixed and callback texts, rectangles of a window, showing after the delay when
// the mouse rests over a tool and hiding when it leaves or a button goes down.
#include "ControlFixture.h"

#include "platform/ui/ToolTipCtrl.h"

#include <chrono>
#include <cstring>

namespace {

int callbackAsks = 0;

LRESULT toolOwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == TTN_GETDISPINFO) {
        auto* info = reinterpret_cast<NMTTDISPINFO*>(lParam);
        ++callbackAsks;
        if (info->hdr.idFrom == 2)
            info->lpszText = const_cast<LPSTR>("pointer text");
        else
            strcpy(info->szText, "asked text");
        return 0;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

class ToolTipTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        callbackAsks = 0;
        owner.Attach(MakeWatchingParent("ToolOwner", toolOwnerProc, m_windows, RECT{0, 0, 300, 200}));
        ASSERT_TRUE(tips.Create(&owner));
        RECT left{0, 0, 100, 100}, right{100, 0, 200, 100}, bottom{0, 100, 200, 200};
        tips.AddTool(&owner, "fixed text", &left, 1);
        tips.AddTool(&owner, LPSTR_TEXTCALLBACK, &right, 2);
        tips.AddTool(&owner, LPSTR_TEXTCALLBACK, &bottom, 3);
        tips.SetDelayTime(TTDT_INITIAL, 1);
    }
    void TearDown() override
    {
        tips.DestroyWindow();
        owner.Detach();
        UiTest::TearDown();
    }

    void Relay(UINT message, int x, int y)
    {
        MSG msg{owner.m_hWnd, message, 0, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)), 0, {x, y}};
        tips.RelayEvent(&msg);
    }
    // Pumps until the tip is shown (or a short while passes).
    bool WaitShown()
    {
        auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
        while (std::chrono::steady_clock::now() < until && !tips.IsWindowVisible())
            UiTestHook::PumpPending();
        return tips.IsWindowVisible();
    }

    CWnd owner;
    CToolTipCtrl tips;
};

TEST_F(ToolTipTest, TextsFixedOrAskedFromTheOwner)
{
    struct Case {
        UINT_PTR id;
        const char* text;
        int asks;
    };
    const Case cases[] = {{1, "fixed text", 0}, {2, "pointer text", 1}, {3, "asked text", 1}, {9, "", 0}};
    for (const Case& c : cases) {
        callbackAsks = 0;
        CString text;
        tips.GetText(text, &owner, c.id);
        EXPECT_EQ(text, CString(c.text)) << c.id;
        EXPECT_EQ(callbackAsks, c.asks) << c.id;
    }
    EXPECT_EQ(tips.GetToolCount(), 3);
    tips.UpdateTipText("changed", &owner, 2);
    CString text;
    tips.GetText(text, &owner, 2);
    EXPECT_EQ(text, CString("changed"));
    tips.DelTool(&owner, 1);
    EXPECT_EQ(tips.GetToolCount(), 2);
}

TEST_F(ToolTipTest, HitTestFindsTheToolRectangle)
{
    TOOLINFO info{};
    EXPECT_TRUE(tips.HitTest(&owner, CPoint(150, 50), &info));
    EXPECT_EQ(info.uId, 2u);
    EXPECT_EQ(info.lpszText, LPSTR_TEXTCALLBACK);
    EXPECT_FALSE(tips.HitTest(&owner, CPoint(250, 50), &info));
}

TEST_F(ToolTipTest, RestingShowsMovingOffOrClickingHides)
{
    Relay(WM_MOUSEMOVE, 20, 20);
    ASSERT_TRUE(WaitShown());
    Relay(WM_MOUSEMOVE, 250, 50);
    EXPECT_FALSE(tips.IsWindowVisible());
    Relay(WM_MOUSEMOVE, 150, 20);
    ASSERT_TRUE(WaitShown());
    EXPECT_EQ(callbackAsks, 1);
    Relay(WM_LBUTTONDOWN, 150, 20);
    EXPECT_FALSE(tips.IsWindowVisible());
}

TEST_F(ToolTipTest, InactiveTipsStayHidden)
{
    tips.Activate(FALSE);
    Relay(WM_MOUSEMOVE, 20, 20);
    EXPECT_FALSE(WaitShown());
}

} // namespace
