// Nested message loops: the tracker's loop, modal dialogs and timers.
#include "UiFixture.h"

#include "platform/ui/Dialog.h"
#include "platform/ui/RectTracker.h"
#include "platform/ui/WinApp.h"
#include "platform/ui/Wnd.h"

#include <chrono>

namespace {

class LoopsTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS), "tracked", WS_OVERLAPPED | WS_VISIBLE, 100, 100,
                                 300, 200, nullptr, nullptr));
        UiTestHook::PumpPending();
    }
    void TearDown() override
    {
        if (wnd.m_hWnd)
            wnd.DestroyWindow();
        UiTest::TearDown();
    }
    POINT screen(int x, int y)
    {
        POINT p{x, y};
        wnd.ClientToScreen(&p);
        return p;
    }
    CWnd wnd;
};

struct Step {
    enum Kind { Move, Up, Escape, RightDown, Quit } kind;
    int x, y;
};

} // namespace

TEST_F(LoopsTest, TrackingLoopFollowsScriptedInput)
{
    struct Case {
        const char* name;
        bool rubberBand;
        CRect start;
        CPoint press;
        std::vector<Step> steps;
        BOOL result;
        CRect expected;
    };
    const Case cases[] = {
        {"rubber band", true, {0, 0, 0, 0}, {10, 10}, {{Step::Move, 30, 20}, {Step::Move, 60, 40}, {Step::Up, 60, 40}}, TRUE, {10, 10, 60, 40}},
        {"escape cancels", true, {0, 0, 0, 0}, {10, 10}, {{Step::Move, 30, 20}, {Step::Escape, 0, 0}}, FALSE, {10, 10, 10, 10}},
        {"right button cancels", false, {20, 20, 50, 50}, {30, 30}, {{Step::Move, 40, 45}, {Step::RightDown, 40, 45}}, FALSE, {20, 20, 50, 50}},
        {"move keeps the size", false, {20, 20, 50, 50}, {30, 30}, {{Step::Move, 40, 45}, {Step::Up, 40, 45}}, TRUE, {30, 35, 60, 65}},
        {"click without moving", false, {20, 20, 50, 50}, {30, 30}, {{Step::Up, 30, 30}}, FALSE, {20, 20, 50, 50}},
    };
    for (const Case& c : cases) {
        for (const Step& s : c.steps) {
            switch (s.kind) {
            case Step::Move: UiTestHook::MouseMove(screen(s.x, s.y), MK_LBUTTON); break;
            case Step::Up: UiTestHook::MouseUp(WM_LBUTTONUP, screen(s.x, s.y)); break;
            case Step::Escape: UiTestHook::KeyDown(VK_ESCAPE); break;
            case Step::RightDown: UiTestHook::MouseDown(WM_RBUTTONDOWN, screen(s.x, s.y), MK_RBUTTON); break;
            case Step::Quit: PostQuitMessage(3); break;
            }
        }
        CRectTracker tracker(c.start, CRectTracker::solidLine);
        wnd.SetFocus();
        BOOL result = c.rubberBand ? tracker.TrackRubberBand(&wnd, c.press) : tracker.Track(&wnd, c.press);
        EXPECT_EQ(result, c.result) << c.name;
        EXPECT_EQ(tracker.m_rect, c.expected) << c.name;
        EXPECT_EQ(GetCapture(), nullptr) << c.name;
        UiTestHook::PumpPending();
    }
}

TEST_F(LoopsTest, TrackingLoopHandsQuitBackToTheProgram)
{
    PostQuitMessage(3);
    CRectTracker tracker;
    EXPECT_FALSE(tracker.TrackRubberBand(&wnd, CPoint(5, 5)));
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(LoopsTest, TrackingRefusesWhileAnotherWindowHoldsTheCapture)
{
    HWND other = MakeWindow(WS_OVERLAPPED | WS_VISIBLE, {0, 0, 10, 10});
    SetCapture(other);
    CRectTracker tracker(CRect(20, 20, 50, 50), CRectTracker::solidLine);
    EXPECT_FALSE(tracker.Track(&wnd, CPoint(30, 30)));
    EXPECT_EQ(tracker.m_rect, CRect(20, 20, 50, 50));
    ReleaseCapture();
}

namespace {

class CTimedDialog : public CDialog {
public:
    int endWith = IDOK;
    bool ownerWasDisabled = false;
    int kickIdles = 0;
    BOOL OnInitDialog() override
    {
        SetTimer(7, 20);
        return CDialog::OnInitDialog();
    }
    void OnTimer(UINT_PTR)
    {
        KillTimer(7);
        CWnd* owner = GetOwner();
        ownerWasDisabled = owner && !owner->IsWindowEnabled();
        EndDialog(endWith);
    }
    LRESULT OnKickIdle(WPARAM, LPARAM)
    {
        ++kickIdles;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTimedDialog, CDialog)
    ON_WM_TIMER()
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

// Presses Esc once the dialog is up and has the focus.
class CKeyDialog : public CDialog {
public:
    BOOL OnInitDialog() override
    {
        SetTimer(8, 10);
        return CDialog::OnInitDialog();
    }
    void OnTimer(UINT_PTR)
    {
        KillTimer(8);
        UiTestHook::KeyDown(VK_ESCAPE);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CKeyDialog, CDialog)
    ON_WM_TIMER()
END_MESSAGE_MAP()

} // namespace

TEST_F(LoopsTest, ModalLoopEndsOnEndDialogAndReenablesTheOwner)
{
    CTimedDialog dialog;
    dialog.m_pParentWnd = &wnd;
    dialog.endWith = 42;
    EXPECT_EQ(dialog.DoModal(), 42);
    EXPECT_TRUE(dialog.ownerWasDisabled);
    EXPECT_TRUE(wnd.IsWindowEnabled());
    EXPECT_GT(dialog.kickIdles, 0);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

TEST_F(LoopsTest, EscapeInAModalDialogCancels)
{
    CKeyDialog dialog;
    dialog.m_pParentWnd = &wnd;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

namespace {

int procTicks = 0;
void countTick(HWND, UINT, UINT_PTR, DWORD) { ++procTicks; }

} // namespace

TEST_F(LoopsTest, TimerFiresAtAboutItsPeriodAndStopsAfterKill)
{
    using Clock = std::chrono::steady_clock;
    wnd.SetTimer(5, 20);
    int ticks = 0;
    auto until = Clock::now() + std::chrono::milliseconds(400);
    MSG msg;
    while (Clock::now() < until) {
        if (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_TIMER && msg.hwnd == wnd.m_hWnd && msg.wParam == 5)
                ++ticks;
            DispatchMessage(&msg);
        } else {
            WaitMessage();
        }
    }
    EXPECT_GE(ticks, 4);
    EXPECT_LE(ticks, 25);
    EXPECT_TRUE(wnd.KillTimer(5));
    EXPECT_FALSE(wnd.KillTimer(5));
    until = Clock::now() + std::chrono::milliseconds(100);
    while (Clock::now() < until) {
        if (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
            EXPECT_FALSE(msg.message == WM_TIMER && msg.hwnd == wnd.m_hWnd);
        else
            WaitMessage();
    }
}

TEST_F(LoopsTest, TimerProcsRunThroughDispatch)
{
    procTicks = 0;
    UINT_PTR id = SetTimer(nullptr, 0, 10, countTick);
    ASSERT_NE(id, 0u);
    MSG msg;
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(200);
    while (procTicks < 2 && std::chrono::steady_clock::now() < until)
        if (GetMessage(&msg, nullptr, 0, 0))
            DispatchMessage(&msg);
    EXPECT_GE(procTicks, 2);
    EXPECT_TRUE(KillTimer(nullptr, id));
}

namespace {

class CIdleApp : public CWinApp {
public:
    int idles = 0;
    int exits = 0;
    BOOL OnIdle(LONG count) override
    {
        ++idles;
        return CWinApp::OnIdle(count);
    }
    int ExitInstance() override
    {
        ++exits;
        return CWinApp::ExitInstance();
    }
};

// Quits with code 6 when its timer first fires.
class CQuitOnTimer : public CWnd {
public:
    void OnTimer(UINT_PTR id)
    {
        KillTimer(id);
        PostQuitMessage(6);
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CQuitOnTimer, CWnd)
    ON_WM_TIMER()
END_MESSAGE_MAP()

} // namespace

TEST_F(LoopsTest, RunIdlesThenEndsWithTheQuitCode)
{
    CIdleApp app;
    CQuitOnTimer main;
    ASSERT_TRUE(main.CreateEx(0, AfxRegisterWndClass(0), "main", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr));
    app.m_pMainWnd = &main;
    main.SetTimer(1, 20);
    EXPECT_EQ(app.Run(), 6);
    EXPECT_GT(app.idles, 0);
    EXPECT_EQ(app.exits, 1);
    app.m_pMainWnd = nullptr;
    main.DestroyWindow();
}
