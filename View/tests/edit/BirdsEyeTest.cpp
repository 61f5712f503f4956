// The bird's-eye window over a worksheet: its size, the box it keeps in step with the view both
// ways, keys and mouse on the box, the page it draws, and how it closes.
#include "EditViewFixture.h"

#include "View/BirdsEyeWnd.h"
#include "objects/HyperViewOb.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

namespace {

class BirdsEyeTest : public EditViewTest {
protected:
    // The page at 200 %, scrolled to its top-left corner, and its overview.
    CBirdsEyeWnd* Open()
    {
        const POINT corner{0, 0};
        view->SetZoom(200, &corner);
        view->SendMessage(WM_COMMAND, CMyView::CmdBirdsEye);
        Pump();
        const std::vector<CBirdsEyeWnd*> open = CBirdsEyeWnd::OpenFor(view);
        return open.size() == 1 ? open[0] : nullptr;
    }
    void PostTo(CWnd* wnd, UINT message, POINT at, UINT keys = 0)
    {
        ::PostMessage(wnd->m_hWnd, message, keys, MAKELPARAM(static_cast<WORD>(at.x), static_cast<WORD>(at.y)));
    }
    // Presses at a point of the overview, moves by the offset and lets go there.
    void DragBox(CBirdsEyeWnd* overview, POINT from, SIZE by)
    {
        const POINT to{from.x + by.cx, from.y + by.cy};
        PostTo(overview, WM_LBUTTONDOWN, from, MK_LBUTTON);
        PostTo(overview, WM_MOUSEMOVE, {(from.x + to.x) / 2, (from.y + to.y) / 2}, MK_LBUTTON);
        PostTo(overview, WM_MOUSEMOVE, to, MK_LBUTTON);
        PostTo(overview, WM_LBUTTONUP, to);
        Pump();
    }
    void WaitAndPump(int milliseconds)
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
        Pump();
    }
    // What the view shows, in page units.
    CRect Shown() const
    {
        CRect shown;
        view->GetClientRect(&shown);
        view->DeviceToLogicalRect(&shown, nullptr);
        return shown;
    }
};

TEST(BirdsEyeBox, AClampedBoxStaysOnThePage)
{
    struct Case {
        CRect box;
        CRect clamped;
    };
    // A page of 100 x 80 overview pixels.
    const Case cases[] = {
        {{10, 10, 30, 30}, {10, 10, 30, 30}},   {{-5, 10, 15, 30}, {0, 10, 20, 30}},
        {{10, -7, 30, 13}, {10, 0, 30, 20}},    {{90, 70, 110, 90}, {80, 60, 100, 80}},
        {{0, 0, 101, 20}, {0, 0, 99, 20}},      {{20, 10, 40, 95}, {20, 0, 40, 79}},
        {{30, 30, 10, 10}, {10, 10, 30, 30}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CBirdsEyeWnd::ClampBox(c.box, 100, 80), c.clamped) << c.box.left << "," << c.box.top;
}

TEST(BirdsEyeBox, AResizedBoxKeepsItsProportions)
{
    struct Case {
        const char* name;
        CRect box;
        CRect kept;
    };
    const CRect old(0, 0, 40, 20);
    const Case cases[] = {
        {"wider grows taller", {0, 0, 60, 20}, {0, 0, 60, 30}},
        {"narrower grows lower", {0, 0, 20, 20}, {0, 0, 20, 10}},
        {"taller grows wider", {0, 0, 40, 30}, {0, 0, 60, 30}},
        {"moved stays as it is", {5, 5, 45, 25}, {5, 5, 45, 25}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CBirdsEyeWnd::KeepProportions(c.box, old), c.kept) << c.name;
    EXPECT_EQ(CBirdsEyeWnd::KeepProportions(CRect(0, 0, 10, 10), CRect(0, 0, 0, 0)), CRect(0, 0, 10, 10))
        << "a box without width or height has no proportions to keep";
}

TEST_F(BirdsEyeTest, ANewOverviewOpensAt200By200AndRemembersASizeOfThePagesProportions)
{
    view->m_birdsEyeSize = SIZE{0, 0};
    CBirdsEyeWnd* overview = Open();
    ASSERT_NE(overview, nullptr);
    CRect client;
    overview->GetClientRect(&client);
    EXPECT_EQ(client.Size(), CSize(200, 200));
    const CSize page = overview->GetPageSize();
    ASSERT_EQ(page, CSize(view->GetPageObject()->GetScrollWidth(), view->GetPageObject()->GetScrollHeight()));
    const double scale = std::min(200.0 / page.cx, 200.0 / page.cy);
    EXPECT_DOUBLE_EQ(overview->GetScale(), scale);
    EXPECT_NEAR(view->m_birdsEyeSize.cx, page.cx * scale, 0.5);
    EXPECT_NEAR(view->m_birdsEyeSize.cy, page.cy * scale, 0.5);
}

TEST_F(BirdsEyeTest, TheBoxOutlinesWhatTheViewShows)
{
    CBirdsEyeWnd* overview = Open();
    ASSERT_NE(overview, nullptr);
    const CRect shown = Shown();
    const double scale = overview->GetScale();
    EXPECT_NEAR(overview->GetBox().left, shown.left * scale, 1);
    EXPECT_NEAR(overview->GetBox().right, shown.right * scale, 1);
    EXPECT_NEAR(overview->GetBox().bottom, shown.bottom * scale, 1);
}

TEST_F(BirdsEyeTest, TenRightArrowsMoveTheBoxTenPixelsAndTheViewFollowsOnceTheKeysPause)
{
    CBirdsEyeWnd* overview = Open();
    ASSERT_NE(overview, nullptr);
    const CRect before = overview->GetBox();
    for (int i = 0; i < 10; ++i)
        ::PostMessage(overview->m_hWnd, WM_KEYDOWN, VK_RIGHT, 1);
    Pump();
    EXPECT_EQ(overview->GetBox().left, before.left + 10);
    EXPECT_EQ(view->GetDeviceScrollPosition(), CPoint(0, 0)) << "the view waits for the pause";
    WaitAndPump(180);
    const int expected = static_cast<int>(std::lround(10 / overview->GetScale() * view->GetZoom() / 100));
    EXPECT_NEAR(view->GetDeviceScrollPosition().x, expected, view->GetGridStepX() * 2);
    EXPECT_EQ(view->GetDeviceScrollPosition().y, 0);
    EXPECT_EQ(view->GetZoom(), 200);
    EXPECT_NEAR(overview->GetBox().left, before.left + 10, 1);
}

TEST_F(BirdsEyeTest, WideningTheBoxByItsRightEdgeMakesItTallerAndZoomsOutAtOnce)
{
    CBirdsEyeWnd* overview = Open();
    ASSERT_NE(overview, nullptr);
    const CRect before = overview->GetBox();
    DragBox(overview, CPoint(before.right, before.CenterPoint().y), CSize(20, 0));
    EXPECT_LT(view->GetZoom(), 200) << "no pause is waited for";
    const CRect after = overview->GetBox();
    EXPECT_GT(after.Width(), before.Width());
    EXPECT_NEAR(double(after.Height()) / after.Width(), double(before.Height()) / before.Width(), 0.05);
}

TEST_F(BirdsEyeTest, ABoxDraggedPastThePagesEndStaysOnThePage)
{
    CBirdsEyeWnd* overview = Open();
    ASSERT_NE(overview, nullptr);
    const CRect before = overview->GetBox();
    DragBox(overview, before.CenterPoint(), CSize(1000, 1000));
    const CSize page(static_cast<int>(std::lround(overview->GetPageSize().cx * overview->GetScale())),
                     static_cast<int>(std::lround(overview->GetPageSize().cy * overview->GetScale())));
    EXPECT_LE(overview->GetBox().right, page.cx);
    EXPECT_LE(overview->GetBox().bottom, page.cy);
    EXPECT_EQ(overview->GetBox().Size(), before.Size());
    WaitAndPump(180);
    CRect client;
    view->GetClientRect(&client);
    const CPoint end = view->GetDeviceScrollPosition();
    EXPECT_GT(end.x, 0);
    EXPECT_GT(end.y, 0);
    EXPECT_LE(end.y + client.Height(), view->GetPageObject()->GetScrollHeight() * 2);
}

TEST_F(BirdsEyeTest, ScrollingTheViewMovesTheBox)
{
    CBirdsEyeWnd* overview = Open();
    ASSERT_NE(overview, nullptr);
    const POINT position{200, 160};
    view->SetZoom(200, &position);
    WaitAndPump(300);
    const CRect shown = Shown();
    EXPECT_GT(shown.left, 0);
    EXPECT_NEAR(overview->GetBox().left, shown.left * overview->GetScale(), 1);
    EXPECT_NEAR(overview->GetBox().top, shown.top * overview->GetScale(), 1);
}

TEST_F(BirdsEyeTest, TheOverviewDrawsThePageObjectsAndLeavesTheViewsZoomAndScrollAlone)
{
    CHyperOb* border = AddBorder(CRect(100, 100, 200, 200));
    border->BackColor = RGB(255, 0, 0);
    CBirdsEyeWnd* overview = Open();
    ASSERT_NE(overview, nullptr);
    overview->Invalidate(TRUE);
    overview->UpdateWindow();
    Pump();
    const double scale = overview->GetScale();
    const POINT inside{static_cast<int>(150 * scale), static_cast<int>(150 * scale)};
    const POINT outside{static_cast<int>(250 * scale), static_cast<int>(150 * scale)};
    EXPECT_EQ(UiTestHook::PixelAt(overview->m_hWnd, inside), RGB(255, 0, 0));
    EXPECT_NE(UiTestHook::PixelAt(overview->m_hWnd, outside), RGB(255, 0, 0));
    EXPECT_EQ(view->GetZoom(), 200);
    EXPECT_EQ(view->GetDeviceScrollPosition(), CPoint(0, 0));
}

TEST_F(BirdsEyeTest, EscapeAndF4CloseTheOverview)
{
    for (UINT key : {VK_ESCAPE, VK_F4}) {
        CBirdsEyeWnd* overview = Open();
        ASSERT_NE(overview, nullptr);
        MSG msg{overview->m_hWnd, WM_KEYDOWN, key, 0, 0, {}};
        EXPECT_TRUE(overview->PreTranslateMessage(&msg));
        Pump();
        EXPECT_TRUE(CBirdsEyeWnd::OpenFor(view).empty()) << key;
    }
}

TEST_F(BirdsEyeTest, ClosingTheDocumentClosesItsOverviews)
{
    ASSERT_NE(Open(), nullptr);
    view->SendMessage(WM_COMMAND, CMyView::CmdBirdsEye);
    ASSERT_EQ(CBirdsEyeWnd::OpenFor(view).size(), 2u);
    const CHyperView* gone = view;
    UiTestHook::QueueMessageBoxAnswer(IDNO); // not saved, should it ask
    frame->SendMessage(WM_CLOSE);
    Pump();
    EXPECT_TRUE(CBirdsEyeWnd::OpenFor(gone).empty());
}

} // namespace
