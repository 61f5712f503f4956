// Markers: the filter, their cells right of a project's label, tooltips and the marker pane.
#include "ProjTestKit.h"

#include "projects/MarkerDlg.h"
#include "projects/ProjOb.h"
#include "platform/ui/TestHook.h"

#include <gtest/gtest.h>

using projtest::AnswerNextDialog;

class ProjMarkersTest : public ProjTest {
protected:
    CProjOb* OpenProject(const std::string& name)
    {
        const CString path = MakeProjectFile(name);
        m_manager->m_bSingleProject = FALSE;
        EXPECT_TRUE(m_manager->OpenProject(path));
        return m_manager->GetProject(m_manager->ProjectCount() - 1);
    }

    // The centre of a marker cell (0 = priority ... 4 = arrow) of a project's item.
    CPoint CellCentre(const CProjOb& project, int cell) const
    {
        CRect label;
        m_tree->GetItemRect(project.m_hItem, &label, TRUE);
        return CPoint(label.right + 1 + 20 * cell + 8, label.top + label.Height() / 2);
    }

    HTREEITEM ValueItem(CMarkerDlg& dialog, MarkerGroup group, UINT value)
    {
        CMarkerTreeCtrl& tree = dialog.GetTree();
        HTREEITEM item = tree.GetChildItem(tree.GetHeading(group));
        for (UINT i = 1; item && i < value; ++i)
            item = tree.GetNextSiblingItem(item);
        return item;
    }
};

TEST_F(ProjMarkersTest, AProjectIsHiddenWhenOneOfItsValuesIsFiltered)
{
    MarkerFilter filter;
    filter[static_cast<size_t>(MarkerGroup::Flags)] = {4, 6};
    EXPECT_FALSE(PassesMarkerFilter({0, 4, 0, 0, 0}, filter));
    EXPECT_FALSE(PassesMarkerFilter({0, 6, 0, 0, 0}, filter));
    EXPECT_TRUE(PassesMarkerFilter({0, 1, 0, 0, 0}, filter));
    EXPECT_TRUE(PassesMarkerFilter({}, filter));
    filter[static_cast<size_t>(MarkerGroup::Priority)] = {0};
    EXPECT_FALSE(PassesMarkerFilter({}, filter));
}

TEST_F(ProjMarkersTest, CellsAreWhiteSquaresWithTheValueDrawnOnThem)
{
    CProjOb* project = OpenProject("Plan");
    project->m_markers = {0, 0, 0, 11, 1}; // workload 11 is out of range
    m_parent.ShowWindow(SW_SHOW);
    m_tree->SendMessage(TVM_SETBKCOLOR, 0, RGB(200, 200, 200));
    m_tree->Invalidate();
    UiTestHook::PumpPending();
    const CPoint priority = CellCentre(*project, 0);
    const CPoint workload = CellCentre(*project, 1);
    const CPoint finished = CellCentre(*project, 2);
    // The priority symbol is a disc on white; an unset value leaves its square white.
    EXPECT_NE(UiTestHook::PixelAt(m_tree->m_hWnd, priority), RGB(255, 255, 255));
    EXPECT_EQ(UiTestHook::PixelAt(m_tree->m_hWnd, CPoint(priority.x - 7, priority.y - 7)), RGB(255, 255, 255));
    EXPECT_EQ(UiTestHook::PixelAt(m_tree->m_hWnd, workload), RGB(200, 200, 200));
    EXPECT_EQ(UiTestHook::PixelAt(m_tree->m_hWnd, finished), RGB(255, 255, 255));
}

TEST_F(ProjMarkersTest, TooltipsNameTheValueUnderTheCursor)
{
    CProjOb* project = OpenProject("Plan");
    project->m_markers.flag = 1;
    project->m_markers.priority = 3;
    CString text;
    EXPECT_TRUE(m_tree->MarkerTipAt(CellCentre(*project, 3) + CPoint(3, 0), text));
    EXPECT_EQ(text, CString("Go"));
    EXPECT_TRUE(m_tree->MarkerTipAt(CellCentre(*project, 0) + CPoint(3, 0), text));
    EXPECT_EQ(text, CString("Priority 3"));
    EXPECT_FALSE(m_tree->MarkerTipAt(CellCentre(*project, 1) + CPoint(3, 0), text));
}

TEST_F(ProjMarkersTest, CheckingAValueUnchecksTheOthersAndStoresIt)
{
    CProjOb* project = OpenProject("Plan");
    m_tree->SelectItem(project->m_hItem);
    CMarkerDlg dialog(m_manager.get());
    ASSERT_TRUE(dialog.Create(CMarkerDlg::IDD, &m_parent));
    CMarkerTreeCtrl& tree = dialog.GetTree();
    HTREEITEM first = ValueItem(dialog, MarkerGroup::Priority, 1);
    HTREEITEM third = ValueItem(dialog, MarkerGroup::Priority, 3);
    dialog.ClickItem(first, FALSE);
    EXPECT_EQ(project->m_markers.priority, 1u);
    dialog.ClickItem(third, FALSE);
    EXPECT_FALSE(tree.GetCheck(first));
    EXPECT_TRUE(tree.GetCheck(third));
    EXPECT_EQ(project->m_markers.priority, 3u);
    dialog.ClickItem(third, FALSE);
    EXPECT_EQ(project->m_markers.priority, 0u);

    CProjOb reread;
    ASSERT_TRUE(reread.LoadProject(project->m_filePath));
    EXPECT_EQ(reread.m_markers.priority, 0u);
    dialog.DestroyWindow();
}

TEST_F(ProjMarkersTest, TheFilterHidesProjectsWithTheCheckedValues)
{
    CProjOb* risky = OpenProject("Risky");
    CProjOb* calm = OpenProject("Calm");
    risky->m_markers.flag = 4;
    CMarkerDlg dialog(m_manager.get());
    ASSERT_TRUE(dialog.Create(CMarkerDlg::IDD, &m_parent));
    dialog.CheckDlgButton(CMarkerDlg::IdcUseAsFilter, BST_CHECKED);
    dialog.OnUseAsFilter();
    dialog.ClickItem(ValueItem(dialog, MarkerGroup::Flags, 4), FALSE);
    EXPECT_EQ(risky->m_hItem, nullptr);
    EXPECT_NE(calm->m_hItem, nullptr);

    dialog.CheckDlgButton(CMarkerDlg::IdcUseAsFilter, BST_UNCHECKED);
    dialog.OnUseAsFilter();
    EXPECT_NE(risky->m_hItem, nullptr);
    dialog.DestroyWindow();
}

TEST_F(ProjMarkersTest, AHeadingCheckBoxInFilterModeTakesTheWholeGroup)
{
    OpenProject("Plan");
    CMarkerDlg dialog(m_manager.get());
    ASSERT_TRUE(dialog.Create(CMarkerDlg::IDD, &m_parent));
    dialog.CheckDlgButton(CMarkerDlg::IdcUseAsFilter, BST_CHECKED);
    dialog.OnUseAsFilter();
    CMarkerTreeCtrl& tree = dialog.GetTree();
    HTREEITEM heading = tree.GetHeading(MarkerGroup::Arrows);
    tree.SetCheck(heading, TRUE); // the tree turns a clicked box over before it reports the click
    dialog.ClickItem(heading, TRUE);
    EXPECT_EQ(dialog.GetFilter()[static_cast<size_t>(MarkerGroup::Arrows)], std::vector<UINT>({1, 2, 3, 4, 5}));
    for (HTREEITEM child = tree.GetChildItem(heading); child; child = tree.GetNextSiblingItem(child))
        EXPECT_TRUE(tree.GetCheck(child));
    dialog.DestroyWindow();
}
