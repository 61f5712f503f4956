// Message maps: base-class chaining, registered messages, notifications and reflection,
// subclassing, handle maps and painting through the drawing layer.
#include "UiFixture.h"

#include "platform/gdi/Dc.h"
#include "platform/ui/TestHook.h"
#include "platform/ui/View.h"
#include "platform/ui/Wnd.h"

#include <string>
#include <vector>

namespace {

std::string log;
const UINT kPing = RegisterWindowMessage("Vantrel.Test.Ping");
constexpr UINT kCode = 77;

class CBaseWnd : public CWnd {
public:
    void OnSize(UINT, int cx, int cy) { log += "base size " + std::to_string(cx) + "x" + std::to_string(cy) + ";"; }
    LRESULT OnUserBase(WPARAM, LPARAM) { return 10; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
    ON_WM_SIZE()
    ON_MESSAGE(WM_USER + 10, OnUserBase)
END_MESSAGE_MAP()

class CDerivedWnd : public CBaseWnd {
public:
    LRESULT OnUserBase(WPARAM, LPARAM) { return 20; }
    LRESULT OnPing(WPARAM wParam, LPARAM) { return static_cast<LRESULT>(wParam + 1); }
    void OnChildNotification(NMHDR* nm, LRESULT* result)
    {
        log += "parent notify " + std::to_string(nm->code) + ";";
        *result = 5;
    }
    void OnChildCommand() { log += "parent command;"; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CDerivedWnd, CBaseWnd)
    ON_MESSAGE(WM_USER + 10, OnUserBase)
    ON_REGISTERED_MESSAGE(kPing, OnPing)
    ON_NOTIFY(kCode, 2, OnChildNotification)
    ON_CONTROL(BN_CLICKED, 2, OnChildCommand)
END_MESSAGE_MAP()

// A control that handles its own notifications by reflection.
class CSelfControl : public CWnd {
public:
    bool takeNotify = true;
    void OnReflectedNotify(NMHDR*, LRESULT* result)
    {
        log += "reflected notify;";
        *result = 9;
    }
    BOOL OnReflectedClick()
    {
        log += "reflected click;";
        return takeNotify;
    }
    void DrawItem(LPDRAWITEMSTRUCT dis) { log += "draw item " + std::to_string(dis->itemID) + ";"; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CSelfControl, CWnd)
    ON_NOTIFY_REFLECT(kCode, OnReflectedNotify)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, OnReflectedClick)
    ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()

class CHeapWnd : public CWnd {
public:
    static int alive;
    CHeapWnd() { ++alive; }
    ~CHeapWnd() override { --alive; }
    void PostNcDestroy() override { delete this; }
    void PreSubclassWindow() override { log += "presubclass;"; }
};
int CHeapWnd::alive = 0;

class MessageMapTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        log.clear();
    }
};

} // namespace

TEST_F(MessageMapTest, DerivedEntriesWinAndBaseEntriesStillRun)
{
    CDerivedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "", WS_OVERLAPPED, 0, 0, 120, 80, nullptr, nullptr));
    EXPECT_NE(log.find("base size 120x80;"), std::string::npos);
    EXPECT_EQ(wnd.SendMessage(WM_USER + 10), 20);
    EXPECT_EQ(wnd.SendMessage(kPing, 41), 42);
    EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);
    wnd.DestroyWindow();
    EXPECT_EQ(wnd.m_hWnd, nullptr);
}

TEST_F(MessageMapTest, NotificationsReflectToTheControlFirst)
{
    CDerivedWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr));
    CSelfControl control;
    ASSERT_TRUE(control.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &parent, 2));
    NMHDR nm{control.m_hWnd, 2, kCode};
    log.clear();
    EXPECT_EQ(parent.SendMessage(WM_NOTIFY, 2, reinterpret_cast<LPARAM>(&nm)), 9);
    EXPECT_EQ(log, "reflected notify;");

    log.clear();
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(2, BN_CLICKED), reinterpret_cast<LPARAM>(control.m_hWnd));
    EXPECT_EQ(log, "reflected click;");
    control.takeNotify = false;
    log.clear();
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(2, BN_CLICKED), reinterpret_cast<LPARAM>(control.m_hWnd));
    EXPECT_EQ(log, "reflected click;parent command;");

    DRAWITEMSTRUCT dis{ODT_BUTTON, 2, 4, ODA_DRAWENTIRE, 0, control.m_hWnd, nullptr, {0, 0, 10, 10}, 0};
    log.clear();
    EXPECT_EQ(parent.SendMessage(WM_DRAWITEM, 2, reinterpret_cast<LPARAM>(&dis)), TRUE);
    EXPECT_EQ(log, "draw item 4;");
    parent.DestroyWindow();
}

TEST_F(MessageMapTest, NotificationWithoutReflectionReachesTheParentMap)
{
    CDerivedWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr));
    HWND plain = MakeWindow(WS_CHILD, {0, 0, 5, 5}, parent.m_hWnd, 2);
    NMHDR nm{plain, 2, kCode};
    log.clear();
    EXPECT_EQ(parent.SendMessage(WM_NOTIFY, 2, reinterpret_cast<LPARAM>(&nm)), 5);
    EXPECT_EQ(log, "parent notify 77;");
    parent.DestroyWindow();
}

TEST_F(MessageMapTest, SubclassingBindsAnExistingWindowAndHeapWindowsDeleteThemselves)
{
    HWND h = MakeWindow(WS_OVERLAPPED, {0, 0, 20, 20});
    auto* wnd = new CHeapWnd;
    ASSERT_TRUE(wnd->SubclassWindow(h));
    EXPECT_EQ(log, "presubclass;");
    EXPECT_EQ(CWnd::FromHandle(h), wnd);
    EXPECT_FALSE(wnd->SubclassWindow(h));
    wnd->SetWindowText("kept");
    char text[8];
    GetWindowText(h, text, sizeof text);
    EXPECT_STREQ(text, "kept");
    EXPECT_EQ(CHeapWnd::alive, 1);
    DestroyWindow(h);
    EXPECT_EQ(CHeapWnd::alive, 0);
    EXPECT_EQ(CWnd::FromHandlePermanent(h), nullptr);
}

TEST_F(MessageMapTest, TemporaryObjectsWrapForeignHandlesUntilIdle)
{
    HWND h = MakeWindow(WS_OVERLAPPED, {0, 0, 20, 20});
    CWnd* temp = CWnd::FromHandle(h);
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ(CWnd::FromHandle(h), temp);
    EXPECT_EQ(CWnd::FromHandlePermanent(h), nullptr);
    CWnd::DeleteTempMap();
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
    EXPECT_TRUE(IsWindow(h));
}

TEST_F(MessageMapTest, ModifyStyleReportsChangesAndRecomputesTheFrame)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr));
    EXPECT_FALSE(wnd.ModifyStyle(0, WS_OVERLAPPED));
    EXPECT_TRUE(wnd.ModifyStyle(0, WS_VSCROLL, SWP_FRAMECHANGED));
    CRect client;
    wnd.GetClientRect(&client);
    EXPECT_EQ(client.Width(), 84);
    EXPECT_TRUE(wnd.ModifyStyleEx(0, WS_EX_TOOLWINDOW));
    EXPECT_TRUE(wnd.GetExStyle() & WS_EX_TOOLWINDOW);
    wnd.DestroyWindow();
}

namespace {

class CPlainScroll : public CScrollView {
public:
    void OnDraw(CDC*) override {}
    void PostNcDestroy() override {}
};

class CRedView : public CView {
public:
    void OnDraw(CDC* dc) override { dc->FillSolidRect(CRect(5, 5, 15, 15), RGB(255, 0, 0)); }
    void PostNcDestroy() override {}
};

} // namespace

TEST_F(MessageMapTest, ViewsDrawThroughPaintContextsClippedToTheirWindow)
{
    HWND top = MakeWindow(WS_OVERLAPPED | WS_VISIBLE, {0, 0, 100, 100});
    CRedView view;
    ASSERT_TRUE(view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(20, 20, 30, 30), CWnd::FromHandle(top), 1));
    UiTestHook::PumpPending();
    EXPECT_EQ(UiTestHook::PixelAt(view.m_hWnd, POINT{6, 6}), RGB(255, 0, 0));
    EXPECT_EQ(UiTestHook::PixelAt(view.m_hWnd, POINT{2, 2}), RGB(255, 255, 255));
    EXPECT_EQ(UiTestHook::PixelAt(top, POINT{32, 32}), RGB(255, 255, 255)) << "the view's drawing stays inside it";
    view.ScrollWindow(-3, 0);
    EXPECT_EQ(UiTestHook::PixelAt(view.m_hWnd, POINT{3, 6}), RGB(255, 0, 0));
    view.DestroyWindow();
}

TEST_F(MessageMapTest, ScrollViewKeepsItsBarsInStepWithTheClientSize)
{
    HWND top = MakeWindow(WS_OVERLAPPED | WS_VISIBLE, {0, 0, 300, 300});
    CPlainScroll view;
    ASSERT_TRUE(view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 100), CWnd::FromHandle(top), 1));
    view.SetScrollSizes(MM_TEXT, CSize(400, 80), CSize(50, 50), CSize(10, 10));
    EXPECT_TRUE(view.GetStyle() & WS_HSCROLL);
    EXPECT_FALSE(view.GetStyle() & WS_VSCROLL);
    view.SendMessage(WM_HSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(view.GetScrollPosition(), CPoint(50, 0));
    view.SendMessage(WM_HSCROLL, SB_LINEUP);
    EXPECT_EQ(view.GetScrollPosition(), CPoint(40, 0));
    view.ScrollToPosition(CPoint(1000, 0));
    EXPECT_EQ(view.GetScrollPosition(), CPoint(200, 0));
    view.MoveWindow(0, 0, 500, 100);
    EXPECT_FALSE(view.GetStyle() & WS_HSCROLL);
    EXPECT_EQ(view.GetScrollPosition(), CPoint(0, 0));
    view.SetScaleToFitSize(CSize(1000, 1000));
    EXPECT_FALSE(view.GetStyle() & (WS_HSCROLL | WS_VSCROLL));
    view.DestroyWindow();
}

TEST_F(MessageMapTest, ScrollBarArrowsPagesAndThumbScrollTheView)
{
    HWND top = MakeWindow(WS_OVERLAPPED | WS_VISIBLE, {0, 0, 300, 300});
    CPlainScroll view;
    ASSERT_TRUE(view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 116), CWnd::FromHandle(top), 1));
    view.SetScrollSizes(MM_TEXT, CSize(1000, 50), CSize(100, 100), CSize(10, 10));
    ASSERT_TRUE(view.GetStyle() & WS_HSCROLL);
    CRect window;
    view.GetWindowRect(&window);
    int barY = window.bottom - 8;
    struct Case {
        int pressX; // from the window's left edge
        int releaseX;
        int expected;
    };
    const Case cases[] = {
        {190, 190, 10},  // right arrow: one line
        {150, 150, 110}, // right of the thumb: one page
        {5, 5, 100},     // left arrow
    };
    for (const Case& c : cases) {
        UiTestHook::MouseDown(WM_LBUTTONDOWN, POINT{window.left + c.pressX, barY}, MK_LBUTTON);
        UiTestHook::MouseUp(WM_LBUTTONUP, POINT{window.left + c.releaseX, barY});
        UiTestHook::PumpPending();
        EXPECT_EQ(view.GetScrollPosition().x, c.expected) << c.pressX;
    }
    int thumbStart = 16 + (168 - 33) * 100 / 800;
    UiTestHook::MouseDown(WM_LBUTTONDOWN, POINT{window.left + thumbStart + 2, barY}, MK_LBUTTON);
    UiTestHook::MouseMove(POINT{window.left + 200, barY}, MK_LBUTTON);
    UiTestHook::MouseUp(WM_LBUTTONUP, POINT{window.left + 200, barY});
    UiTestHook::PumpPending();
    EXPECT_EQ(view.GetScrollPosition().x, 800) << "dragging the thumb past the end stops at the last position";
    EXPECT_EQ(GetCapture(), nullptr);
    view.DestroyWindow();
}

namespace {

class CMenuOwner : public CWnd {
public:
    CPoint menuAt{-1, -1};
    void OnContextMenu(CWnd*, CPoint point) { menuAt = point; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CMenuOwner, CWnd)
    ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

} // namespace

TEST_F(MessageMapTest, RightButtonUpAsksForTheContextMenuAtTheScreenPoint)
{
    CMenuOwner wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "", WS_OVERLAPPED | WS_VISIBLE, 40, 50, 100, 100, nullptr, nullptr));
    wnd.SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(5, 6));
    EXPECT_EQ(wnd.menuAt, CPoint(45, 56));
    wnd.DestroyWindow();
}

TEST_F(MessageMapTest, TheContextMenuKeysAskForTheMenuWithoutAPoint)
{
    struct Case {
        std::vector<int> held;
        int key;
        bool asks;
    };
    const Case cases[] = {{{}, VK_APPS, true}, {{VK_SHIFT}, VK_F10, true}, {{}, VK_F10, false}, {{VK_MENU}, 'F', false}};
    for (const Case& c : cases) {
        CMenuOwner wnd;
        ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "", WS_OVERLAPPED | WS_VISIBLE, 40, 50, 100, 100, nullptr, nullptr));
        wnd.SetFocus();
        wnd.menuAt = CPoint(7, 7);
        for (int vk : c.held)
            UiTestHook::KeyDown(vk);
        UiTestHook::KeyDown(c.key);
        UiTestHook::PumpPending();
        EXPECT_EQ(wnd.menuAt, c.asks ? CPoint(-1, -1) : CPoint(7, 7)) << c.key;
        UiTestHook::KeyUp(c.key);
        for (int vk : c.held)
            UiTestHook::KeyUp(vk);
        UiTestHook::PumpPending();
        wnd.DestroyWindow();
    }
}

TEST_F(MessageMapTest, DescendantsAreFoundByIdAndLockedTemporariesSurvive)
{
    HWND top = MakeWindow(WS_OVERLAPPED, {0, 0, 100, 100});
    HWND mid = MakeWindow(WS_CHILD, {0, 0, 50, 50}, top, 1);
    HWND deep = MakeWindow(WS_CHILD, {0, 0, 10, 10}, mid, 7);
    CWnd* found = CWnd::FromHandle(top)->GetDescendantWindow(7);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->m_hWnd, deep);
    EXPECT_EQ(CWnd::FromHandle(top)->GetDescendantWindow(7, TRUE), nullptr);
    AfxLockTempMaps();
    CWnd::DeleteTempMap();
    EXPECT_EQ(found->m_hWnd, deep) << "kept while locked";
    EXPECT_TRUE(AfxUnlockTempMaps());
}
