// The task panel: groups and items laid out top down, collapsing, links that tell the owner,
// hosted windows and the theme's colours.
#include "ToolkitFixture.h"

#include "platform/toolkit/XTPTaskPanel.h"
#include "platform/ui/ComboBox.h"

#include <memory>

namespace {

constexpr UINT kFiles = 116, kNew = 117, kFind = 119, kComponents = 120, kCatalog = 121, kControlItem = 1000002;

class TaskPanelTest : public ToolkitTest {
protected:
    void SetUp() override
    {
        ToolkitTest::SetUp();
        MakeFrame(false);
        panel = std::make_unique<CXTPTaskPanel>();
        ASSERT_TRUE(panel->Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 400), frame, 1000000));
        panel->SetOwner(frame);
        files = panel->AddGroup(kFiles);
        files->SetCaption("Files");
        files->AddLink(kNew, 0)->SetCaption("New");
        ASSERT_TRUE(box.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, CRect(0, 0, 0, 0), panel.get(), 1000001));
        // As the task pane sizes it: 150 wide, 200 with its list.
        box.SetWindowPos(nullptr, 0, 0, 150, 200, SWP_NOMOVE | SWP_NOZORDER);
        panel->RecalcLayout();
        files->AddControlItem(box.GetSafeHwnd())->SetID(kControlItem);
        files->AddLink(kFind, 2)->SetCaption("Find");
        components = panel->AddGroup(kComponents);
        components->SetCaption("Components");
        components->AddLink(kCatalog, 3)->SetCaption("Catalog Manager");
    }
    void TearDown() override
    {
        DestroyFrame();
        panel.reset();
        ToolkitTest::TearDown();
    }

    std::unique_ptr<CXTPTaskPanel> panel;
    CXTPTaskGroup* files = nullptr;
    CXTPTaskGroup* components = nullptr;
    CComboBox box;
};

} // namespace

TEST_F(TaskPanelTest, GroupsAndItemsStackDownThePanel)
{
    // Margin 8, caption 25, padding 6, links 20 high and the hosted window 24, 2 between items.
    EXPECT_EQ(files->GetCaptionRect(), CRect(8, 8, 192, 33));
    EXPECT_EQ(files->FindItem(kNew)->GetItemRect(), CRect(14, 39, 186, 59));
    EXPECT_EQ(files->FindItem(kControlItem)->GetItemRect(), CRect(14, 61, 186, 85));
    EXPECT_EQ(files->FindItem(kFind)->GetItemRect(), CRect(14, 87, 186, 107));
    EXPECT_EQ(components->GetCaptionRect(), CRect(8, 123, 192, 148));
    CRect window;
    box.GetWindowRect(&window);
    panel->ScreenToClient(&window);
    // A hosted window is kept within its row, so it never covers the links below.
    EXPECT_EQ(window, CRect(14, 61, 164, 85));
}

TEST_F(TaskPanelTest, ACollapsedGroupHidesItsItemsAndTheNextGroupMovesUp)
{
    Click(panel.get(), files->GetCaptionRect().CenterPoint());
    EXPECT_FALSE(files->IsExpanded());
    EXPECT_TRUE(files->FindItem(kNew)->GetItemRect().IsRectEmpty());
    EXPECT_FALSE(box.IsWindowVisible());
    EXPECT_EQ(components->GetCaptionRect().top, 8 + 25 + 8);
    Click(panel.get(), files->GetCaptionRect().CenterPoint());
    EXPECT_TRUE(files->IsExpanded());
    EXPECT_TRUE(box.IsWindowVisible());
}

TEST_F(TaskPanelTest, ALinkClickTellsTheOwnerAndOtherClicksDoNot)
{
    CPoint at = components->FindItem(kCatalog)->GetItemRect().CenterPoint();
    Click(panel.get(), at);
    Click(panel.get(), CPoint(100, 380));
    CXTPTaskItem* text = components->AddText("Only text");
    Click(panel.get(), text->GetItemRect().CenterPoint());
    ASSERT_EQ(frame->taskNotes.size(), 1u);
    EXPECT_EQ(frame->taskNotes[0], std::make_pair(TaskPanelItemClick, kCatalog));
}

TEST_F(TaskPanelTest, LinksComeAndGoByIdAndTheRestMoves)
{
    CXTPTaskItem* added = files->AddLink(118, 1);
    added->SetCaption("Save as Web site...");
    EXPECT_EQ(components->GetCaptionRect().top, 123 + 22);
    UiTestHook::MouseMove(CPoint(added->GetItemRect().CenterPoint()), 0);
    files->RemoveItem(files->FindItem(118));
    EXPECT_EQ(files->FindItem(118), nullptr);
    EXPECT_EQ(components->GetCaptionRect().top, 123);
    EXPECT_EQ(panel->GetHotItem(), nullptr);
}

TEST_F(TaskPanelTest, CaptionsAreDrawnInTheThemeColours)
{
    struct Case {
        int theme;
        COLORREF caption;
    };
    const Case cases[] = {{0, RGB(128, 128, 128)}, {1, RGB(255, 255, 255)}, {2, RGB(89, 135, 214)}};
    for (const Case& c : cases) {
        panel->SetTheme(c.theme);
        UiTestHook::PumpPending();
        EXPECT_EQ(UiTestHook::PixelAt(panel->GetSafeHwnd(), CPoint(180, 10)), c.caption) << c.theme;
    }
}
