// Drawing of the editing view, looked at by pixels: grid points by zoom, guide lines, handles
// above every object; and the grid settings dialog's checks.
#include "EditViewFixture.h"

#include "View/GridSettingsDlg.h"
#include "objects/SnapPointSet.h"
#include "objects/kinds/BorderOb.h"
#include "platform/core/StringTable.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kPrimaryHandle = RGB(0, 255, 255);

class DrawTest : public EditViewTest {
protected:
    COLORREF Pixel(int x, int y)
    {
        view->Invalidate();
        view->UpdateWindow();
        Pump();
        return UiTestHook::PixelAt(view->m_hWnd, {x, y});
    }

    int CountInRow(int y, int from, int to, COLORREF color)
    {
        view->Invalidate();
        view->UpdateWindow();
        Pump();
        int count = 0;
        for (int x = from; x <= to; ++x)
            count += UiTestHook::PixelAt(view->m_hWnd, {x, y}) == color;
        return count;
    }
};

TEST_F(DrawTest, GridPointsShowOnlyWhenTheyAreFivePixelsApart)
{
    struct Case {
        int zoom;
        POINT device;
        bool black;
    };
    // Page point (100, 100) on a grid of 10.
    const Case cases[] = {{100, {100, 100}, true}, {50, {50, 50}, true}, {25, {25, 25}, false}};
    for (const Case& c : cases) {
        view->m_zoom = c.zoom;
        EXPECT_EQ(Pixel(c.device.x, c.device.y) == kBlack, c.black) << c.zoom;
    }
    view->m_zoom = 100;
    view->ShowGrid(FALSE);
    EXPECT_NE(Pixel(100, 100), kBlack);
}

TEST_F(DrawTest, TheGridCommandTurnsGridAndSnappingOnAndOffTogether)
{
    view->m_pageFlags = CHyperView::FlagShowGrid | CHyperView::FlagSnapGrid | CHyperView::FlagSnapCenter;
    view->SendMessage(WM_COMMAND, CHyperView::CmdGrid);
    EXPECT_EQ(view->m_pageFlags, CHyperView::FlagSnapCenter);
    EXPECT_EQ(view->GetGridStepX(), 1) << "no snapping without the grid";
    EXPECT_TRUE(doc->IsModified());
    view->SendMessage(WM_COMMAND, CHyperView::CmdGrid);
    EXPECT_TRUE(view->IsGridVisible());
    EXPECT_TRUE(view->IsSnapToGrid());
    EXPECT_EQ(view->GetGridStepX(), 10);
}

TEST_F(DrawTest, AGuideDistanceOfZeroDrawsNoGuideLine)
{
    view->m_margins = CRect(10, 30, 10, 10);
    EXPECT_GT(CountInRow(30, 41, 89, kBlue), 0);
    EXPECT_EQ(CountInRow(20, 41, 89, kBlue), 0);
    view->m_margins = CRect(10, 0, 10, 10);
    EXPECT_EQ(CountInRow(30, 41, 89, kBlue), 0);
    EXPECT_EQ(CountInRow(0, 41, 89, kBlue), 0);
}

TEST_F(DrawTest, HandlesOfALowerObjectAreDrawnAboveTheObjectsOnTop)
{
    view->ShowGrid(FALSE);
    CHyperOb* lower = AddBorder(CRect(100, 100, 300, 250));
    AddBorder(CRect(250, 200, 350, 300));
    view->SetCurrentIndex(1);
    lower->Select(TRUE);
    // The bottom-right handle of the lower object lies inside the upper one.
    EXPECT_EQ(Pixel(303, 253), kPrimaryHandle);
    lower->Deselect(TRUE);
    view->SetCurrentIndex(-1);
    EXPECT_NE(Pixel(303, 253), kPrimaryHandle);
}

// A line tool's stand-in: any kind registered for the Line tool makes the view look for snap
// points under the mouse.
class CProbeLineOb : public CHyperOb {
    DECLARE_DYNCREATE(CProbeLineOb)
};
IMPLEMENT_DYNCREATE(CProbeLineOb, CHyperOb)

TEST_F(DrawTest, TheLineToolShowsTheSnapMarkerNearAFreeSnapPointAndStartsThere)
{
    auto* target = new CBorderOb;
    const CRect place(200, 200, 280, 280);
    target->Init(view, &place, TRUE);
    ASSERT_TRUE(view->AddObject(target, FALSE, TRUE));
    target->Deselect(TRUE);
    CSnapPointSet* points = target->GetSnapPoints(FALSE);
    ASSERT_NE(points, nullptr);
    ASSERT_GT(points->GetCount(), 0);
    CPoint snap;
    int id = 0;
    COLORREF color = 0;
    ASSERT_TRUE(points->GetPointPosition(&snap, &id, &color, TRUE));

    view->SetToolClass(CHyperView::ToolLine, RUNTIME_CLASS(CProbeLineOb));
    PickTool(CHyperView::ToolLine);
    Post(WM_MOUSEMOVE, {snap.x + 30, snap.y + 30});
    Pump();
    EXPECT_FALSE(view->m_snapMarkerShown);
    Post(WM_MOUSEMOVE, {snap.x + 5, snap.y - 6});
    Pump();
    ASSERT_TRUE(view->m_snapMarkerShown);
    EXPECT_EQ(CPoint(view->m_snapMarkerPoint), snap);

    Drag({snap.x + 5, snap.y - 6}, {snap.x + 105, snap.y + 94});
    ASSERT_EQ(ObjectCount(), 2);
    EXPECT_EQ(RectOf(0).TopLeft(), snap) << "the line starts on the snap point";
    EXPECT_FALSE(view->m_snapMarkerShown);
}

class GridDialogTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        RegisterStringResource(CGridSettingsDlg::IDS_SPACING_EVEN, "Grid spacing must be even");
    }

    // Opens the dialog modelessly, types the values and presses OK.
    bool Apply(CGridSettingsDlg& dialog, const char* width, const char* height, bool snap)
    {
        EXPECT_TRUE(dialog.Create(CGridSettingsDlg::IDD));
        dialog.SetDlgItemText(CGridSettingsDlg::IDC_WIDTH, width);
        dialog.SetDlgItemText(CGridSettingsDlg::IDC_HEIGHT, height);
        dialog.CheckDlgButton(CGridSettingsDlg::IDC_SNAP_GRID, snap ? BST_CHECKED : BST_UNCHECKED);
        UiTestHook::QueueMessageBoxAnswer(IDOK);
        const int boxes = UiTestHook::MessageBoxCount();
        dialog.OnOK();
        const bool refused = UiTestHook::MessageBoxCount() != boxes;
        dialog.DestroyWindow();
        return !refused;
    }
};

TEST_F(GridDialogTest, OddSpacingIsRefusedHeightFirstAndNothingChanges)
{
    struct Case {
        const char* width;
        const char* height;
        bool accepted;
    };
    const Case cases[] = {{"20", "30", true}, {"11", "30", false}, {"20", "13", false}, {"1", "30", false},
                          {"1002", "30", false}};
    for (const Case& c : cases) {
        DWORD flags = 0x6;
        DWORD steps = 0x000A000A;
        CGridSettingsDlg dialog(&flags, &steps, nullptr);
        EXPECT_EQ(Apply(dialog, c.width, c.height, true), c.accepted) << c.width << "x" << c.height;
        if (c.accepted)
            EXPECT_EQ(steps, (30u << 16) | 20u);
        else
            EXPECT_EQ(steps, 0x000A000Au) << c.width << "x" << c.height;
    }
    DWORD flags = 0x6;
    DWORD steps = 0x000A000A;
    CGridSettingsDlg dialog(&flags, &steps, nullptr);
    Apply(dialog, "11", "13", true);
    EXPECT_EQ(UiTestHook::LastMessageBoxText(), "Grid spacing must be even");
}

TEST_F(GridDialogTest, TheFlagsWordKeepsOnlyTheThreeSwitchesAndGuidesAreWrittenBack)
{
    DWORD flags = 0xFFFF00F0 | 0x2 | 0x8;
    DWORD steps = 0x000A000A;
    int guides[4] = {10, 10, 10, 10};
    CGridSettingsDlg dialog(&flags, &steps, guides);
    ASSERT_TRUE(dialog.Create(CGridSettingsDlg::IDD));
    dialog.SetDlgItemText(CGridSettingsDlg::IDC_GUIDE_LEFT + 1, "0");
    dialog.CheckDlgButton(CGridSettingsDlg::IDC_SNAP_GRID, BST_UNCHECKED);
    dialog.OnOK();
    dialog.DestroyWindow();
    EXPECT_EQ(flags, 0x2u | 0x8u);
    EXPECT_EQ(guides[1], 0);
    EXPECT_EQ(guides[0], 10);
}

TEST_F(GridDialogTest, SnapToCenterFollowsSnapToGrid)
{
    DWORD flags = 0x2;
    DWORD steps = 0x000A000A;
    CGridSettingsDlg dialog(&flags, &steps, nullptr);
    ASSERT_TRUE(dialog.Create(CGridSettingsDlg::IDD));
    HWND center = ::GetDlgItem(dialog.m_hWnd, CGridSettingsDlg::IDC_SNAP_CENTER);
    EXPECT_FALSE(::IsWindowEnabled(center));
    dialog.CheckDlgButton(CGridSettingsDlg::IDC_SNAP_GRID, BST_CHECKED);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(CGridSettingsDlg::IDC_SNAP_GRID, BN_CLICKED), 0);
    EXPECT_TRUE(::IsWindowEnabled(center));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dialog.m_hWnd, CGridSettingsDlg::IDC_GUIDE_LEFT)));
    dialog.DestroyWindow();
}

} // namespace
