// The customisation sheet: tool bars shown, hidden and reset, commands by category, options.
#include "ToolkitFixture.h"

#include "platform/toolkit/XTPCustomizeSheet.h"

namespace {

class CustomizeSheetTest : public ToolkitTest {};

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
