// The tabbed MDI client: one tab per child frame with the frame's title, activation by click,
// the close box, the row's position, and right clicks handed to the frame.
#include "ToolkitFixture.h"

#include "platform/toolkit/XTPTabClientWnd.h"
#include "platform/ui/MDIChildWnd.h"

#include <memory>

namespace {

class TabClientTest : public ToolkitTest {
protected:
    void SetUp() override
    {
        ToolkitTest::SetUp();
        MakeFrame(false);
        tabs = std::make_unique<CXTPTabClientWnd>();
        ASSERT_TRUE(tabs->Attach(frame));
    }
    void TearDown() override
    {
        // As in the program: the frame's window goes first, its tab client object after.
        DestroyFrame();
        tabs.reset();
        ToolkitTest::TearDown();
    }
    CMDIChildWnd* Child(LPCTSTR title)
    {
        auto* child = new CMDIChildWnd;
        EXPECT_TRUE(child->Create(nullptr, title, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 150), frame));
        tabs->SyncTabs();
        return child;
    }
    // A screen point on the row of tabs.
    CPoint OnRow(CRect windowRect) const
    {
        CRect window;
        tabs->GetWindowRect(&window);
        return CPoint(window.left + windowRect.CenterPoint().x, window.top + windowRect.CenterPoint().y);
    }
    CString TabCaption(HWND frameWnd) const
    {
        for (int i = 0; i < tabs->GetItemCount(); ++i)
            if (tabs->GetItemFrame(i) == frameWnd)
                return tabs->GetItemCaption(i);
        return "(none)";
    }

    std::unique_ptr<CXTPTabClientWnd> tabs;
};

} // namespace

TEST_F(TabClientTest, OneTabPerChildFrameCaptionedWithItsTitle)
{
    EXPECT_EQ(tabs->GetItemCount(), 0);
    CMDIChildWnd* one = Child("One.trn");
    CMDIChildWnd* two = Child("Two.trn");
    ASSERT_EQ(tabs->GetItemCount(), 2);
    EXPECT_EQ(TabCaption(one->GetSafeHwnd()), "One.trn");
    EXPECT_EQ(TabCaption(two->GetSafeHwnd()), "Two.trn");

    two->SetWindowText("Two.trn *");
    Idle();
    EXPECT_EQ(TabCaption(two->GetSafeHwnd()), "Two.trn *");
    two->DestroyWindow();
    Idle();
    EXPECT_EQ(tabs->GetItemCount(), 1);
}

TEST_F(TabClientTest, TheRowTakesItsHeightFromTheClientAtTheTopOrBottom)
{
    // The row sits inside the client's 2-pixel edge.
    CRect window, client;
    tabs->GetWindowRect(&window);
    tabs->GetClientRect(&client);
    CPoint origin(0, 0);
    tabs->ClientToScreen(&origin);
    EXPECT_EQ(origin.y - window.top, 2 + CXTPTabClientWnd::kRowHeight);
    EXPECT_EQ(tabs->GetRowRect(), CRect(2, 2, window.Width() - 2, 2 + CXTPTabClientWnd::kRowHeight));
    EXPECT_EQ(client.Height(), window.Height() - 4 - CXTPTabClientWnd::kRowHeight);
    tabs->SetTabPosition(TabPositionBottom);
    origin = CPoint(0, 0);
    tabs->ClientToScreen(&origin);
    EXPECT_EQ(origin.y - window.top, 2);
    EXPECT_EQ(tabs->GetRowRect(), CRect(2, window.Height() - 2 - CXTPTabClientWnd::kRowHeight, window.Width() - 2,
                                         window.Height() - 2));
}

TEST_F(TabClientTest, ClickingATabActivatesItsFrameAndTheCloseBoxClosesIt)
{
    CMDIChildWnd* one = Child("One");
    CMDIChildWnd* two = Child("Two");
    frame->MDIActivate(two);
    int oneIndex = tabs->GetItemFrame(0) == one->GetSafeHwnd() ? 0 : 1;
    CPoint tab = OnRow(tabs->GetItemRect(oneIndex));
    UiTestHook::MouseDown(WM_LBUTTONDOWN, tab, MK_LBUTTON);
    Pump();
    UiTestHook::MouseUp(WM_LBUTTONUP, tab);
    Pump();
    EXPECT_EQ(frame->MDIGetActive(), one);

    HWND closing = one->GetSafeHwnd();
    CPoint close = OnRow(tabs->GetCloseRect());
    UiTestHook::MouseDown(WM_LBUTTONDOWN, close, MK_LBUTTON);
    Pump();
    EXPECT_FALSE(::IsWindow(closing));
    tabs->SyncTabs();
    EXPECT_EQ(tabs->GetItemCount(), 1);
}

TEST_F(TabClientTest, RightClicksOnTheRowGoToTheFrame)
{
    Child("One");
    CPoint tab = OnRow(tabs->GetItemRect(0));
    UiTestHook::MouseDown(WM_RBUTTONDOWN, tab, MK_RBUTTON);
    UiTestHook::MouseUp(WM_RBUTTONUP, tab);
    Pump();
    ASSERT_EQ(frame->tabMouse.size(), 2u);
    EXPECT_EQ(frame->tabMouse[1], static_cast<UINT>(WM_RBUTTONUP));
    EXPECT_EQ(tabs->HitTest(tab), tabs->GetItemFrame(0));
    EXPECT_EQ(tabs->HitTest(OnRow(tabs->GetCloseRect())), nullptr);
}
