// Paint requests: update regions, erasing, synchronous redraws, carets and centring.
#include "UiFixture.h"

#include "platform/ui/Wnd.h"

#include <vector>

namespace {

struct PaintRecord {
    RECT rcPaint;
    BOOL fErase;
};

class CCountingWnd : public CWnd {
public:
    std::vector<PaintRecord> paints;
    int erases = 0;
    BOOL eraseHandled = TRUE;
    void OnPaint()
    {
        PAINTSTRUCT ps;
        BeginPaint(&ps);
        paints.push_back(PaintRecord{ps.rcPaint, ps.fErase});
        EndPaint(&ps);
    }
    BOOL OnEraseBkgnd(CDC*)
    {
        ++erases;
        return eraseHandled;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CCountingWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

class PaintingTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        top = MakeWindow(WS_OVERLAPPED | WS_VISIBLE, {0, 0, 300, 300});
        ASSERT_TRUE(child.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 110), CWnd::FromHandle(top), 1));
        UiTestHook::PumpPending();
        child.paints.clear();
        child.erases = 0;
    }
    void TearDown() override
    {
        child.DestroyWindow();
        UiTest::TearDown();
    }
    HWND top = nullptr;
    CCountingWnd child;
};

} // namespace

TEST_F(PaintingTest, InvalidAreasUniteIntoOnePaint)
{
    child.InvalidateRect(CRect(0, 0, 10, 10), FALSE);
    child.InvalidateRect(CRect(20, 30, 40, 50), FALSE);
    UiTestHook::PumpPending();
    ASSERT_EQ(child.paints.size(), 1u);
    EXPECT_EQ(CRect(child.paints[0].rcPaint), CRect(0, 0, 40, 50));
    EXPECT_EQ(child.erases, 0);
}

TEST_F(PaintingTest, EraseRequestsSendEraseBackgroundOnce)
{
    struct Case {
        BOOL handled;
        BOOL fErase; // what the paint sees: TRUE when the background still needs erasing
    };
    const Case cases[] = {{TRUE, FALSE}, {FALSE, TRUE}};
    for (const Case& c : cases) {
        child.paints.clear();
        child.erases = 0;
        child.eraseHandled = c.handled;
        child.Invalidate(TRUE);
        child.Invalidate(TRUE);
        UiTestHook::PumpPending();
        EXPECT_EQ(child.erases, 1);
        ASSERT_EQ(child.paints.size(), 1u);
        EXPECT_EQ(child.paints[0].fErase, c.fErase);
    }
}

TEST_F(PaintingTest, RedrawNowPaintsWithoutTheQueue)
{
    child.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    EXPECT_EQ(child.paints.size(), 1u);
    child.Invalidate();
    child.RedrawWindow(nullptr, nullptr, RDW_VALIDATE);
    UiTestHook::PumpPending();
    EXPECT_EQ(child.paints.size(), 1u) << "validated areas are not painted";
    child.Invalidate();
    child.UpdateWindow();
    EXPECT_EQ(child.paints.size(), 2u);
}

TEST_F(PaintingTest, CaretFollowsItsWindow)
{
    child.CreateSolidCaret(2, 12);
    CWnd::SetCaretPos(CPoint(5, 7));
    EXPECT_EQ(CWnd::GetCaretPos(), CPoint(5, 7));
    child.ShowCaret();
    child.HideCaret();
    EXPECT_TRUE(DestroyCaret());
    EXPECT_FALSE(DestroyCaret());
    POINT p{};
    EXPECT_FALSE(GetCaretPos(&p));
}

TEST_F(PaintingTest, CenterWindowCentresOnTheParent)
{
    child.CenterWindow();
    CRect r;
    child.GetWindowRect(&r);
    EXPECT_EQ(r, CRect(100, 100, 200, 200));
}
