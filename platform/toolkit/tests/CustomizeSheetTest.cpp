// The customisation sheet: tool bars shown, hidden and reset, commands by category, options.
#include "ToolkitFixture.h"

#include "platform/toolkit/XTPCustomizeSheet.h"
#include "platform/toolkit/XTPStateRecords.h"
#include "platform/ui/Resources.h"
#include "platform/ui/TestHook.h"

namespace {

class CustomizeSheetTest : public ToolkitTest {
protected:
    // A press at one screen point and the release at another.
    void Drag(CPoint from, CPoint to)
    {
        UiTestHook::MouseDown(WM_LBUTTONDOWN, from, MK_LBUTTON);
        Pump();
        UiTestHook::MouseUp(WM_LBUTTONUP, to);
        Pump();
        Idle();
    }
    // A key pressed on the window with Ctrl and Shift held as asked, through its queue.
    void Press(CWnd* wnd, UINT vk, BYTE modifiers)
    {
        wnd->SetFocus();
        const std::pair<BYTE, int> held[] = {{FCONTROL, VK_CONTROL}, {FSHIFT, VK_SHIFT}};
        for (auto [flag, key] : held)
            if (modifiers & flag)
                UiTestHook::KeyDown(key);
        UiTestHook::KeyDown(static_cast<int>(vk));
        UiTestHook::KeyUp(static_cast<int>(vk));
        for (auto [flag, key] : held)
            if (modifiers & flag)
                UiTestHook::KeyUp(key);
        Pump();
    }
};

} // namespace

TEST_F(CustomizeSheetTest, CategoriesAreTheMenusDropDownsWithTheirCommands)
{
    std::vector<XTPCommandCategory> categories = CategoriesFromMenu(kMenu);
    ASSERT_EQ(categories.size(), 2u);
    EXPECT_STREQ(categories[0].name, "File");
    EXPECT_EQ(categories[0].commands, (std::vector<UINT>{kOpen, kCount, kDeep, kExit}));
    EXPECT_STREQ(categories[1].name, "Edit");
    EXPECT_EQ(categories[1].commands, (std::vector<UINT>{kDisabled, kChecked}));
    EXPECT_TRUE(CategoriesFromMenu(12345).empty());
}

TEST_F(CustomizeSheetTest, TheToolbarsPageHidesShowsAndResetsBars)
{
    MakeFrame();
    CXTPCustomizeSheet sheet(bars);
    ASSERT_TRUE(sheet.Create(frame));
    CXTPBarsPage* page = sheet.GetBarsPage();
    ASSERT_EQ(page->m_list.GetCount(), 3);
    CString title;
    page->m_list.GetText(1, title);
    EXPECT_STREQ(title, "A");

    page->m_list.SetCurSel(1);
    page->OnSelChange();
    EXPECT_EQ(page->IsDlgButtonChecked(CXTPBarsPage::kVisible), BST_CHECKED);
    int top = MdiClientRect().top;
    page->CheckDlgButton(CXTPBarsPage::kVisible, BST_UNCHECKED);
    page->OnVisible();
    EXPECT_FALSE(bars->GetToolBar(kToolBarA)->IsVisible());
    EXPECT_EQ(MdiClientRect().top, top - 26);

    CXTPToolBar* a = bars->GetToolBar(kToolBarA);
    a->GetControls()->Remove(0);
    ASSERT_EQ(a->GetControlCount(), 2);
    page->OnResetBar();
    EXPECT_EQ(a->GetControlCount(), 3);

    // The menu bar cannot be hidden.
    page->m_list.SetCurSel(0);
    page->OnSelChange();
    EXPECT_FALSE(page->GetDlgItem(CXTPBarsPage::kVisible)->IsWindowEnabled());
    sheet.DestroyWindow();
}

TEST_F(CustomizeSheetTest, TheCommandsPageListsTheCommandsOfTheChosenCategory)
{
    MakeFrame();
    CXTPCustomizeSheet sheet(bars);
    CXTPCommandsPage* page = sheet.GetCommandsPage();
    page->AddCategories(kMenu);
    page->AddAllCommands();
    page->AddBuiltInMenus(kMenu);
    page->AddNewMenu();
    ASSERT_EQ(page->GetCategories().size(), 5u);
    EXPECT_EQ(page->GetCategories()[2].commands.size(), 6u);
    ASSERT_TRUE(sheet.Create(frame));
    sheet.SetActivePage(1);
    page->m_categoryList.SetCurSel(3);
    page->OnCategoryChange();
    ASSERT_EQ(page->m_commandList.GetCount(), 2);
    CString text;
    page->m_commandList.GetText(1, text);
    EXPECT_STREQ(text, "Edit");
    page->m_categoryList.SetCurSel(0);
    page->OnCategoryChange();
    EXPECT_EQ(page->m_commandList.GetCount(), 4);
    page->m_commandList.GetText(1, text);
    EXPECT_STREQ(text, "Count");
    sheet.DestroyWindow();
}

TEST_F(CustomizeSheetTest, TheOptionsPageSetsTheOptionsOnOk)
{
    MakeFrame();
    CXTPCustomizeSheet sheet(bars);
    CXTPOptionsPage options(&sheet);
    sheet.AddPage(&options);
    ASSERT_TRUE(sheet.Create(frame));
    sheet.SetActivePage(2);
    EXPECT_EQ(options.IsDlgButtonChecked(CXTPOptionsPage::kFullMenus), BST_CHECKED);
    options.CheckDlgButton(CXTPOptionsPage::kFullMenus, BST_UNCHECKED);
    sheet.SendMessage(WM_COMMAND, IDOK, 0);
    EXPECT_FALSE(bars->GetOptions().alwaysFullMenus);
    if (sheet.GetSafeHwnd())
        sheet.DestroyWindow();
}

TEST(ShortcutKeyNameTest, NamesKeysAsUsersReadThem)
{
    const struct {
        ACCEL key;
        const char* name;
    } cases[] = {
        {{FVIRTKEY | FCONTROL | FSHIFT, 'K', 1}, "Ctrl+Shift+K"},
        {{FVIRTKEY, 0x74, 1}, "F5"},
        {{FVIRTKEY | FALT, VK_DELETE, 1}, "Alt+Del"},
        {{FVIRTKEY | FCONTROL, '7', 1}, "Ctrl+7"},
        {{FVIRTKEY, 0xBA, 1}, "Key 186"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(ShortcutKeyName(c.key), c.name);
}

TEST_F(CustomizeSheetTest, KeysSetOnTheKeyboardPageActAtOnceAndComeBackWithTheBarState)
{
    RegisterAcceleratorResource(kMenu + 1000, {{FVIRTKEY | FCONTROL, 'O', static_cast<WORD>(kOpen)}});
    MakeFrame();
    CXTPCustomizeSheet sheet(bars);
    CXTPKeyboardPage page(&sheet);
    page.AddCategories(kMenu);
    sheet.AddPage(&page);
    ASSERT_TRUE(sheet.Create(frame));
    sheet.SetActivePage(&page);
    ASSERT_EQ(page.m_currentKeys.GetCount(), 1) << "Open starts with the frame's Ctrl+O";
    CString text;
    page.m_currentKeys.GetText(0, text);
    EXPECT_STREQ(text, "Ctrl+O");

    // The frame's own key pressed in the key field is the key to assign, not Open.
    Press(&page.m_newKey, 'O', FCONTROL);
    page.m_newKey.GetWindowText(text);
    EXPECT_STREQ(text, "Ctrl+O");
    EXPECT_EQ(frame->commands[kOpen], 0);
    Press(&page.m_newKey, 'K', FCONTROL | FSHIFT);
    page.m_newKey.GetWindowText(text);
    EXPECT_STREQ(text, "Ctrl+Shift+K");
    page.OnAssign();
    ASSERT_EQ(page.m_currentKeys.GetCount(), 2);
    page.m_currentKeys.SetCurSel(0);
    page.OnRemove();
    ASSERT_EQ(page.m_currentKeys.GetCount(), 1);
    sheet.DestroyWindow();

    Press(frame, 'K', FCONTROL | FSHIFT);
    EXPECT_EQ(frame->commands[kOpen], 1) << "the new key runs at once";
    Press(frame, 'O', FCONTROL);
    EXPECT_EQ(frame->commands[kOpen], 1) << "the removed key does nothing";

    bars->SaveBarState("Bars");
    const std::vector<ACCEL> stored = {{FVIRTKEY | FCONTROL | FSHIFT, 'K', static_cast<WORD>(kOpen)}};
    EXPECT_EQ(ProfileBinary("Bars", "Keys"), EncodeKeyTable(stored));
    bars->ResetKeys();
    Press(frame, 'O', FCONTROL);
    EXPECT_EQ(frame->commands[kOpen], 2) << "reset brings back the frame's keys";
    bars->LoadBarState("Bars");
    Press(frame, 'K', FCONTROL | FSHIFT);
    EXPECT_EQ(frame->commands[kOpen], 3) << "the stored keys come back";

    // A damaged record leaves the frame's own keys.
    BYTE damaged[] = {'V', 'T', 'K', 'Y', 1, 0, 9, 0};
    app->WriteProfileBinary("Bars", "Keys", damaged, sizeof(damaged));
    bars->ResetKeys();
    bars->LoadBarState("Bars");
    EXPECT_FALSE(bars->HasCustomKeys());
    Press(frame, 'O', FCONTROL);
    EXPECT_EQ(frame->commands[kOpen], 4);
}

// Cancel takes back every key assigned or removed since the sheet opened or was last applied;
// with none of the user's own before, the frame's keys come back.
TEST_F(CustomizeSheetTest, CancelOnTheKeyboardPagePutsBackTheKeysOfTheLastApply)
{
    RegisterAcceleratorResource(kMenu + 1000, {{FVIRTKEY | FCONTROL, 'O', static_cast<WORD>(kOpen)}});
    MakeFrame();
    struct Case {
        const char* name;
        bool applyFirst;
        bool customAfter;
        int byCtrlO, byCtrlShiftK; // runs of Open
    } cases[] = {{"cancelled", false, false, 1, 0}, {"applied, then cancelled", true, true, 0, 1}};
    for (const Case& c : cases) {
        bars->ResetKeys();
        CXTPCustomizeSheet sheet(bars);
        CXTPKeyboardPage page(&sheet);
        page.AddCategories(kMenu);
        sheet.AddPage(&page);
        ASSERT_TRUE(sheet.Create(frame));
        sheet.SetActivePage(&page);
        Press(&page.m_newKey, 'K', FCONTROL | FSHIFT);
        page.OnAssign();
        page.m_currentKeys.SetCurSel(0);
        page.OnRemove();
        ASSERT_EQ(page.m_currentKeys.GetCount(), 1) << c.name;
        if (c.applyFirst)
            sheet.PressButton(PSBTN_APPLYNOW);
        // After the apply, one more change that Cancel must take back.
        page.OnResetAll();
        sheet.PressButton(PSBTN_CANCEL);
        sheet.DestroyWindow();
        EXPECT_EQ(bars->HasCustomKeys(), c.customAfter) << c.name;
        const int before = frame->commands[kOpen];
        Press(frame, 'O', FCONTROL);
        EXPECT_EQ(frame->commands[kOpen] - before, c.byCtrlO) << c.name;
        Press(frame, 'K', FCONTROL | FSHIFT);
        EXPECT_EQ(frame->commands[kOpen] - before, c.byCtrlO + c.byCtrlShiftK) << c.name;
    }
}

TEST_F(CustomizeSheetTest, WhileCustomizingCommandsAreDroppedOnBarsAndDraggedOffThem)
{
    MakeFrame();
    CXTPToolBar* a = bars->GetToolBar(kToolBarA);
    ASSERT_EQ(a->GetControlCount(), 3);
    CXTPCustomizeSheet sheet(bars);
    ASSERT_TRUE(sheet.Create(frame));
    ASSERT_TRUE(bars->IsCustomizeMode());
    sheet.SetWindowPos(nullptr, 1000, 500, 0, 0, SWP_NOSIZE | SWP_NOZORDER); // clear of the bars

    // Dropped on the second button, a command goes before it; away from the bars it goes nowhere.
    CPoint second = Centre(a, a->GetControl(1));
    a->ClientToScreen(&second);
    ASSERT_TRUE(bars->DropCommand(kOpen, second));
    Idle();
    ASSERT_EQ(a->GetControlCount(), 4);
    EXPECT_EQ(a->GetControl(1)->GetID(), kOpen);
    CPoint nowhere = MdiClientRect().CenterPoint();
    frame->ClientToScreen(&nowhere);
    EXPECT_FALSE(bars->DropCommand(kCount, nowhere));

    // A click runs nothing and changes nothing; a drag off the bar removes the button.
    Click(a, Centre(a, a->GetControl(0)));
    EXPECT_EQ(frame->commands[kCount], 0);
    EXPECT_EQ(a->GetControlCount(), 4);
    CPoint from = Centre(a, a->GetControl(1));
    a->ClientToScreen(&from);
    Drag(from, nowhere);
    ASSERT_EQ(a->GetControlCount(), 3);
    EXPECT_EQ(a->GetControl(1)->GetID(), kDisabled);

    // Dragged within the bar, a control moves before the one it is dropped on.
    CPoint last = Centre(a, a->GetControl(2)), first = Centre(a, a->GetControl(0));
    a->ClientToScreen(&last);
    a->ClientToScreen(&first);
    Drag(last, first);
    ASSERT_EQ(a->GetControlCount(), 3);
    EXPECT_EQ(a->GetControl(0)->GetID(), kChecked);
    EXPECT_EQ(a->GetControl(1)->GetID(), kCount);
    EXPECT_TRUE(a->GetControl(0)->GetBeginGroup()) << "the control itself moved";

    sheet.DestroyWindow();
    EXPECT_FALSE(bars->IsCustomizeMode());
    Click(a, Centre(a, a->GetControl(1)));
    EXPECT_EQ(frame->commands[kCount], 1) << "the bar runs commands again";

    // The rearranged bar comes back with the state; reset, it is its resource's again.
    bars->SaveBarState("Bars");
    const std::vector<XTPBarContentEntry> stored = {{kToolBarA, {0, kChecked, kCount, kDisabled}}};
    EXPECT_EQ(ProfileBinary("Bars", "Content"), EncodeBarContent(stored));
    a->LoadCommands({kExit});
    bars->LoadBarState("Bars");
    ASSERT_EQ(a->GetControlCount(), 3);
    EXPECT_EQ(a->GetControl(0)->GetID(), kChecked);
    EXPECT_EQ(a->GetControl(2)->GetID(), kDisabled);
    bars->ForgetRearranged(kToolBarA);
    bars->SaveBarState("Bars");
    EXPECT_EQ(ProfileBinary("Bars", "Content"), EncodeBarContent({}));
}
