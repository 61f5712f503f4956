// Docking panes in a frame: tabs of one group share a rectangle, panes close and show with
// their notifications, float and dock again, and the layout round-trips through the profile.
#include "ToolkitFixture.h"

#include "platform/toolkit/XTPDockingPaneManager.h"
#include "platform/toolkit/XTPPaintManager.h"
#include "platform/toolkit/XTPStateRecords.h"

#include <algorithm>
#include <memory>

namespace {

constexpr UINT kPaneA = 59424, kPaneB = 59426, kPaneC = 63993;

class DockingPaneTest : public ToolkitTest {
protected:
    void SetUp() override
    {
        ToolkitTest::SetUp();
        MakeFrame(false);
        manager = std::make_unique<CXTPDockingPaneManager>();
        ASSERT_TRUE(manager->InstallDockingPanes(frame));
    }
    void TearDown() override
    {
        DestroyFrame();
        manager.reset();
        ToolkitTest::TearDown();
    }
    // Three panes at the right, B and C attached to A as tabs, each with a hosted window.
    void MakePanes()
    {
        a = manager->CreatePane(kPaneA, CRect(0, 0, 200, 100), PaneDockRight);
        b = manager->CreatePane(kPaneB, CRect(0, 0, 200, 100), PaneDockRight);
        c = manager->CreatePane(kPaneC, CRect(0, 0, 200, 100), PaneDockRight);
        manager->AttachAsTab(b, a);
        manager->AttachAsTab(c, b);
        for (auto [pane, wnd] : {std::pair{a, &hostA}, std::pair{b, &hostB}, std::pair{c, &hostC}}) {
            wnd->Create(AfxRegisterWndClass(0), "", WS_CHILD, CRect(0, 0, 0, 0), frame, 0);
            pane->Attach(wnd);
        }
        frame->RecalcLayout();
    }
    CRect ClientRectOf(CWnd* wnd) const
    {
        CRect r;
        wnd->GetWindowRect(&r);
        frame->ScreenToClient(&r);
        return r;
    }

    std::unique_ptr<CXTPDockingPaneManager> manager;
    CXTPDockingPane* a = nullptr;
    CXTPDockingPane* b = nullptr;
    CXTPDockingPane* c = nullptr;
    CWnd hostA, hostB, hostC;
};

} // namespace

TEST_F(DockingPaneTest, PanesAttachedAsTabsShareOneRectangle)
{
    MakePanes();
    ASSERT_EQ(a->GetGroup(), b->GetGroup());
    ASSERT_EQ(b->GetGroup(), c->GetGroup());
    EXPECT_EQ(manager->GetGroups().size(), 1u);
    EXPECT_EQ(MdiClientRect(), CRect(0, 0, 600, 600));
    EXPECT_EQ(ClientRectOf(a->GetGroup()), CRect(600, 0, 800, 600));

    // The selected pane's window fills the content; the others hide in the same place.
    EXPECT_TRUE(c->IsSelected());
    EXPECT_TRUE(hostC.IsWindowVisible());
    EXPECT_FALSE(hostA.IsWindowVisible());
    CRect content = a->GetGroup()->GetContentRect();
    EXPECT_EQ(ClientRectOf(&hostC), CRect(600 + content.left, content.top, 600 + content.right, content.bottom));
    manager->ShowPane(a);
    EXPECT_TRUE(hostA.IsWindowVisible());
    EXPECT_FALSE(hostC.IsWindowVisible());
    EXPECT_EQ(ClientRectOf(&hostA), ClientRectOf(&hostC));
}

TEST_F(DockingPaneTest, ClickingATabSelectsItsPane)
{
    MakePanes();
    CXTPPaneGroup* group = a->GetGroup();
    Click(group, group->GetTabRect(1).CenterPoint());
    EXPECT_TRUE(b->IsSelected());
    EXPECT_TRUE(hostB.IsWindowVisible());
}

TEST_F(DockingPaneTest, ClosingAndShowingPanesNotifiesTheFrame)
{
    MakePanes();
    frame->paneNotes.clear();
    CXTPPaneGroup* group = c->GetGroup();
    Click(group, group->GetCloseRect().CenterPoint());
    EXPECT_TRUE(c->IsClosed());
    ASSERT_FALSE(frame->paneNotes.empty());
    EXPECT_EQ(frame->paneNotes.front(), std::make_pair(PaneActionClosing, kPaneC));
    EXPECT_FALSE(hostC.IsWindowVisible());

    manager->ClosePane(a);
    manager->ClosePane(b);
    EXPECT_EQ(MdiClientRect(), CRect(0, 0, 800, 600));

    // A pane shown without a window asks the frame for it.
    CXTPDockingPane* fresh = manager->CreatePane(59459, CRect(0, 0, 150, 100), PaneDockLeft);
    frame->paneNotes.clear();
    manager->ClosePane(fresh);
    manager->ShowPane(fresh);
    EXPECT_NE(std::find(frame->paneNotes.begin(), frame->paneNotes.end(), std::make_pair(PaneActionShowWindow, 59459u)),
              frame->paneNotes.end());
    EXPECT_EQ(MdiClientRect(), CRect(150, 0, 800, 600));
}

TEST_F(DockingPaneTest, PanesDockToEachEdge)
{
    struct Case {
        PaneDockDirection direction;
        CRect client;
    };
    const Case cases[] = {{PaneDockLeft, CRect(120, 0, 800, 600)},
                          {PaneDockRight, CRect(0, 0, 680, 600)},
                          {PaneDockTop, CRect(0, 120, 800, 600)},
                          {PaneDockBottom, CRect(0, 0, 800, 480)}};
    CXTPDockingPane* pane = manager->CreatePane(kPaneA, CRect(0, 0, 120, 120), PaneDockLeft);
    for (const Case& c : cases) {
        manager->DockToEdge(pane, c.direction);
        EXPECT_EQ(MdiClientRect(), c.client) << c.direction;
    }
}

TEST_F(DockingPaneTest, AFloatingPaneDocksAgainWhenItsTitleIsDroppedOnAnEdge)
{
    MakePanes();
    manager->FloatInFrame(a, CRect(300, 200, 500, 400));
    CXTPPaneGroup* floating = a->GetGroup();
    ASSERT_NE(floating->GetFloatingFrame(), nullptr);
    EXPECT_NE(floating, b->GetGroup());
    EXPECT_TRUE(hostA.IsWindowVisible());
    CXTPFloatingFrame* mini = floating->GetFloatingFrame();
    CPoint title(20, 5);
    mini->ClientToScreen(&title);
    UiTestHook::MouseDown(WM_LBUTTONDOWN, title, MK_LBUTTON);
    Pump();
    UiTestHook::MouseUp(WM_LBUTTONUP, CPoint(400, 590));
    Pump();
    EXPECT_EQ(floating->GetFloatingFrame(), nullptr);
    EXPECT_EQ(floating->GetSide(), PaneDockBottom);
    EXPECT_EQ(MdiClientRect().bottom, 600 - floating->GetSize());
}

TEST_F(DockingPaneTest, TheLayoutRoundTripsThroughTheProfileByteForByte)
{
    MakePanes();
    manager->DockToEdge(c, PaneDockLeft);
    manager->ClosePane(b);
    manager->FloatInFrame(a, CRect(300, 200, 520, 420));
    std::unique_ptr<CXTPPaneLayout> layout(manager->NewLayout());
    manager->ReadLayout(layout.get());
    layout->Save("Default");
    std::vector<BYTE> saved = ProfileBinary("DockingPaneLayouts", "Default");
    ASSERT_EQ(saved, layout->GetRecord());

    // A second manager with the panes in their first arrangement takes the saved one.
    manager = std::make_unique<CXTPDockingPaneManager>();
    manager->InstallDockingPanes(frame);
    MakePanes();
    std::unique_ptr<CXTPPaneLayout> loaded(manager->NewLayout());
    ASSERT_TRUE(loaded->Load("Default"));
    ASSERT_TRUE(manager->ApplyLayout(loaded.get()));
    EXPECT_EQ(manager->GetLayoutRecord(), saved);
    EXPECT_TRUE(manager->FindPane(kPaneB)->IsClosed());
    EXPECT_NE(manager->FindPane(kPaneA)->GetGroup()->GetFloatingFrame(), nullptr);
}

TEST_F(DockingPaneTest, ADamagedOrForeignLayoutIsIgnored)
{
    MakePanes();
    std::vector<BYTE> before = manager->GetLayoutRecord();
    XTPPaneGroupEntry foreign;
    foreign.panes = {{12345, 0}};
    const std::vector<BYTE> records[] = {
        {0x56, 0x54, 0x50, 0x4C, 0x01, 0x00, 0x01, 0x00},
        {1, 2, 3},
    };
    for (const std::vector<BYTE>& record : records) {
        app->WriteProfileBinary("DockingPaneLayouts", "Default", const_cast<BYTE*>(record.data()),
                                static_cast<UINT>(record.size()));
        std::unique_ptr<CXTPPaneLayout> layout(manager->NewLayout());
        EXPECT_FALSE(layout->Load("Default"));
        EXPECT_FALSE(manager->ApplyLayout(layout.get()));
        EXPECT_EQ(manager->GetLayoutRecord(), before);
    }
    // Panes this program does not have are passed over, and a selection that is not an open
    // pane of its group gives way to the first open one.
    EXPECT_TRUE(manager->SetLayoutRecord(EncodePaneLayout({foreign})));
    EXPECT_EQ(manager->GetLayoutRecord(), before);
    XTPPaneGroupEntry strayed;
    strayed.panes = {{kPaneB, 1}, {kPaneA, 0}};
    strayed.selectedId = kPaneB;
    ASSERT_TRUE(manager->SetLayoutRecord(EncodePaneLayout({strayed})));
    EXPECT_TRUE(a->IsSelected());
    EXPECT_TRUE(hostA.IsWindowVisible());
}

TEST_F(DockingPaneTest, DraggingTheSplitterResizesTheGroup)
{
    MakePanes();
    CXTPPaneGroup* group = a->GetGroup();
    CPoint split(1, 300);
    group->ClientToScreen(&split);
    UiTestHook::MouseDown(WM_LBUTTONDOWN, split, MK_LBUTTON);
    Pump();
    UiTestHook::MouseMove(CPoint(split.x - 50, 300), MK_LBUTTON);
    Pump();
    UiTestHook::MouseUp(WM_LBUTTONUP, CPoint(split.x - 50, 300));
    Pump();
    EXPECT_EQ(group->GetSize(), 250);
    EXPECT_EQ(MdiClientRect().right, 550);
}

TEST_F(DockingPaneTest, PreviewClosesEveryPaneAndTheSavedLayoutBringsThemBack)
{
    MakePanes();
    manager->DockToEdge(c, PaneDockLeft);
    std::unique_ptr<CXTPPaneLayout> saved(manager->NewLayout());
    manager->ReadLayout(saved.get());
    for (int i = 0; i < manager->GetPaneCount(); ++i)
        manager->ClosePane(manager->GetPaneAt(i));
    EXPECT_EQ(MdiClientRect(), CRect(0, 0, 800, 600));
    ASSERT_TRUE(manager->ApplyLayout(saved.get()));
    EXPECT_EQ(manager->GetLayoutRecord(), saved->GetRecord());
    EXPECT_EQ(MdiClientRect(), CRect(200, 0, 600, 600));
    EXPECT_TRUE(hostC.IsWindowVisible());
}

TEST_F(DockingPaneTest, CaptionsFollowThePaneManagersTheme)
{
    MakePanes();
    CXTPPaneGroup* group = a->GetGroup();
    CPoint caption(4, 2);
    const std::pair<int, int> themes[] = {{0, 0}, {1, 1}, {5, 2}, {6, 3}}; // pane theme, bar theme
    for (auto [paneTheme, barTheme] : themes) {
        manager->SetTheme(paneTheme);
        UiTestHook::PumpPending();
        EXPECT_EQ(UiTestHook::PixelAt(group->GetSafeHwnd(), caption), CXTPPaintManager::ThemeColors(barTheme).paneCaption)
            << paneTheme;
    }
}

TEST_F(DockingPaneTest, ADoubleClickOnAFloatingTitleDocksTheGroupWhereItWas)
{
    CXTPDockingPane* pane = manager->CreatePane(kPaneA, CRect(0, 0, 150, 100), PaneDockLeft);
    manager->FloatInFrame(pane, CRect(300, 200, 500, 400));
    ASSERT_NE(pane->GetGroup()->GetFloatingFrame(), nullptr);
    CPoint title(20, 5);
    pane->GetGroup()->GetFloatingFrame()->ClientToScreen(&title);
    UiTestHook::MouseDown(WM_LBUTTONDBLCLK, title, MK_LBUTTON);
    Pump();
    EXPECT_EQ(pane->GetGroup()->GetFloatingFrame(), nullptr);
    EXPECT_EQ(pane->GetGroup()->GetSide(), PaneDockLeft);
    EXPECT_EQ(MdiClientRect().left, 150);
}

TEST_F(DockingPaneTest, AFloatingGroupFollowsTheSizeOfItsFrame)
{
    MakePanes();
    manager->FloatInFrame(a, CRect(300, 200, 500, 400));
    CXTPFloatingFrame* mini = a->GetGroup()->GetFloatingFrame();
    CPoint corner(199, 199);
    mini->ClientToScreen(&corner);
    UiTestHook::MouseDown(WM_LBUTTONDOWN, corner, MK_LBUTTON);
    Pump();
    UiTestHook::MouseMove(CPoint(corner.x + 50, corner.y + 30), MK_LBUTTON);
    Pump();
    UiTestHook::MouseUp(WM_LBUTTONUP, CPoint(corner.x + 50, corner.y + 30));
    Pump();
    CRect frameRect, hosted;
    mini->GetWindowRect(&frameRect);
    EXPECT_EQ(frameRect.Size(), CSize(250, 230));
    hostA.GetWindowRect(&hosted);
    EXPECT_EQ(hosted.Width(), 250 - 2 * CXTPFloatingFrame::kBorder);
}

TEST_F(DockingPaneTest, ATabDraggedOutOfItsGroupFloatsOrDocksAlone)
{
    MakePanes();
    CXTPPaneGroup* group = a->GetGroup();
    CPoint tab = group->GetTabRect(0).CenterPoint();
    group->ClientToScreen(&tab);
    UiTestHook::MouseDown(WM_LBUTTONDOWN, tab, MK_LBUTTON);
    Pump();
    UiTestHook::MouseUp(WM_LBUTTONUP, CPoint(300, 300));
    Pump();
    ASSERT_NE(a->GetGroup(), group);
    EXPECT_NE(a->GetGroup()->GetFloatingFrame(), nullptr);
    EXPECT_EQ(group->Panes().size(), 2u);
    EXPECT_TRUE(b->GetGroup() == group && c->GetGroup() == group);

    tab = group->GetTabRect(0).CenterPoint();
    group->ClientToScreen(&tab);
    UiTestHook::MouseDown(WM_LBUTTONDOWN, tab, MK_LBUTTON);
    Pump();
    UiTestHook::MouseUp(WM_LBUTTONUP, CPoint(5, 300));
    Pump();
    EXPECT_EQ(b->GetGroup()->GetSide(), PaneDockLeft);
    EXPECT_EQ(MdiClientRect(), CRect(200, 0, 600, 600));
}

TEST_F(DockingPaneTest, TabsAreAsWideAsTheirCaptionsAndSitSideBySide)
{
    MakePanes();
    a->SetTitle("Catalog\nCatalog");
    b->SetTitle("Project\nProject");
    c->SetTitle("Properties\nProperties");
    CXTPPaneGroup* group = a->GetGroup();
    const CRect content = group->GetContentRect();
    EXPECT_EQ(group->GetTabRect(0).left, content.left);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(group->TabShowsCaption(i)) << i;
    for (int i = 1; i < 3; ++i)
        EXPECT_EQ(group->GetTabRect(i).left, group->GetTabRect(i - 1).right) << i;
    EXPECT_GT(group->GetTabRect(2).Width(), group->GetTabRect(0).Width()) << "the longer caption has the wider tab";
    EXPECT_LE(group->GetTabRect(2).right, content.right);
}
