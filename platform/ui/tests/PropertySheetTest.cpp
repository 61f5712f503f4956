// Tab controls and property sheets: tab notifications, pages created when first shown,
// validation when leaving a page, Apply, OK and Cancel.
#include "ControlFixture.h"

#include "platform/ui/DataExchange.h"
#include "platform/ui/PropertySheet.h"
#include "platform/ui/Resources.h"

#include <functional>
#include <string>
#include <vector>

namespace {

std::vector<UINT> tabCodes;
bool refuseTabChange = false;

LRESULT tabParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY) {
        tabCodes.push_back(reinterpret_cast<NMHDR*>(lParam)->code);
        return reinterpret_cast<NMHDR*>(lParam)->code == TCN_SELCHANGING && refuseTabChange;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

class TabTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        tabCodes.clear();
        refuseTabChange = false;
        parent.Attach(MakeWatchingParent("TabParent", tabParentProc, m_windows, RECT{0, 0, 300, 200}));
        ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE, RECT{0, 0, 280, 150}, &parent, 5));
        for (const char* s : {"General", "View", "Colours"})
            tabs.InsertItem(tabs.GetItemCount(), s);
        tabCodes.clear();
    }
    void TearDown() override
    {
        tabs.DestroyWindow();
        parent.Detach();
        UiTest::TearDown();
    }
    LPARAM CentreOf(int index)
    {
        CRect r;
        tabs.GetItemRect(index, &r);
        return MAKELPARAM(static_cast<WORD>(r.CenterPoint().x), static_cast<WORD>(r.CenterPoint().y));
    }
    CWnd parent;
    CTabCtrl tabs;
};

TEST_F(TabTest, ClicksAndKeysNotifyProgramChangesDoNot)
{
    struct Case {
        const char* name;
        bool refuse;
        int clickTab; // -1: key right
        int expected;
        std::vector<UINT> codes;
    };
    const Case cases[] = {
        {"click", false, 2, 2, {TCN_SELCHANGING, TCN_SELCHANGE}},
        {"refused", true, 1, 0, {TCN_SELCHANGING}},
        {"key", false, -1, 1, {TCN_SELCHANGING, TCN_SELCHANGE}},
        {"same tab", false, 0, 0, {}},
    };
    for (const Case& c : cases) {
        tabs.SetCurSel(0);
        tabCodes.clear();
        refuseTabChange = c.refuse;
        if (c.clickTab >= 0)
            tabs.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, CentreOf(c.clickTab));
        else
            tabs.SendMessage(WM_KEYDOWN, VK_RIGHT);
        EXPECT_EQ(tabs.GetCurSel(), c.expected) << c.name;
        EXPECT_EQ(tabCodes, c.codes) << c.name;
    }
    EXPECT_EQ(tabs.SetCurSel(2), 0);
    EXPECT_EQ(tabs.SetCurSel(7), -1);
    EXPECT_EQ(tabs.GetCurSel(), 2);
}

TEST_F(TabTest, ItemsRectanglesAndDisplayArea)
{
    char text[16] = {};
    TCITEM item{TCIF_TEXT, 0, 0, text, sizeof text, 0, 0};
    ASSERT_TRUE(tabs.GetItem(1, &item));
    EXPECT_STREQ(text, "View");
    CRect first, second;
    tabs.GetItemRect(0, &first);
    tabs.GetItemRect(1, &second);
    EXPECT_EQ(second.left, first.right);
    TCHITTESTINFO hit{second.CenterPoint(), 0};
    EXPECT_EQ(tabs.HitTest(&hit), 1);
    CRect area(0, 0, 280, 150);
    tabs.AdjustRect(FALSE, &area);
    EXPECT_GT(area.top, first.bottom - 1);
    tabs.AdjustRect(TRUE, &area);
    EXPECT_EQ(area, CRect(0, 0, 280, 150));
    tabs.SetCurSel(2);
    tabs.DeleteItem(0);
    EXPECT_EQ(tabs.GetCurSel(), 1) << "the selection follows its tab";
}

constexpr UINT IDD_PAGE_ONE = 9101, IDD_PAGE_TWO = 9102, IDC_AMOUNT = 201, IDC_OPTION = 202;

class AmountPage : public CPropertyPage {
public:
    int amount = 2;
    std::vector<std::string> calls;
    AmountPage() : CPropertyPage(IDD_PAGE_ONE) {}
    BOOL OnApply() override
    {
        calls.push_back("apply");
        return CPropertyPage::OnApply();
    }
    void OnReset() override { calls.push_back("reset"); }

protected:
    void DoDataExchange(CDataExchange* dx) override
    {
        DDX_Text(dx, IDC_AMOUNT, amount);
        DDV_MinMaxInt(dx, amount, 1, 5);
    }
};

class OptionPage : public CPropertyPage {
public:
    int option = 0;
    OptionPage() : CPropertyPage(IDD_PAGE_TWO) {}

protected:
    void DoDataExchange(CDataExchange* dx) override { DDX_Check(dx, IDC_OPTION, option); }
};

class SheetTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        DialogTemplate one;
        one.style = WS_CHILD;
        one.caption = "Amount";
        one.cx = 150;
        one.cy = 80;
        one.items = {DialogItemTemplate{"edit", "", IDC_AMOUNT, WS_TABSTOP | WS_BORDER, 0, 10, 10, 40, 12}};
        RegisterDialogResource(IDD_PAGE_ONE, one);
        DialogTemplate two = one;
        two.caption = "Option";
        two.items = {DialogItemTemplate{"button", "Option", IDC_OPTION, WS_TABSTOP | BS_AUTOCHECKBOX, 0, 10, 10, 60, 10}};
        RegisterDialogResource(IDD_PAGE_TWO, two);
        sheet.AddPage(&amountPage);
        sheet.AddPage(&optionPage);
    }
    CPropertySheet sheet{"Settings"};
    AmountPage amountPage;
    OptionPage optionPage;
};

TEST_F(SheetTest, PagesAreMadeWhenFirstShownAndValidatedWhenLeft)
{
    ASSERT_TRUE(sheet.Create());
    EXPECT_EQ(sheet.GetTabControl()->GetItemCount(), 2);
    EXPECT_NE(amountPage.m_hWnd, nullptr);
    EXPECT_EQ(optionPage.m_hWnd, nullptr);
    EXPECT_EQ(amountPage.GetDlgItem(IDC_AMOUNT)->GetSafeHwnd() != nullptr, true);
    CString text;
    amountPage.GetDlgItemText(IDC_AMOUNT, text);
    EXPECT_EQ(text, CString("2"));
    amountPage.SetDlgItemText(IDC_AMOUNT, "9");
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    EXPECT_FALSE(sheet.SetActivePage(1));
    EXPECT_EQ(sheet.GetActiveIndex(), 0);
    EXPECT_EQ(UiTestHook::LastMessageBoxText(), "Please enter an integer between 1 and 5.");
    amountPage.SetDlgItemText(IDC_AMOUNT, "4");
    EXPECT_TRUE(sheet.SetActivePage(1));
    EXPECT_NE(optionPage.m_hWnd, nullptr);
    EXPECT_TRUE(optionPage.IsWindowVisible());
    EXPECT_FALSE(amountPage.IsWindowVisible());
    EXPECT_EQ(amountPage.amount, 4);
    sheet.DestroyWindow();
}

TEST_F(SheetTest, ApplyIsEnabledByChangesAndAppliesEveryPageMade)
{
    ASSERT_TRUE(sheet.Create());
    CWnd* apply = sheet.GetDlgItem(ID_APPLY_NOW);
    ASSERT_NE(apply, nullptr);
    EXPECT_FALSE(apply->IsWindowEnabled());
    amountPage.SetModified();
    EXPECT_TRUE(apply->IsWindowEnabled());
    sheet.PressButton(PSBTN_APPLYNOW);
    EXPECT_EQ(amountPage.calls, (std::vector<std::string>{"apply"}));
    EXPECT_FALSE(apply->IsWindowEnabled());
    EXPECT_FALSE(amountPage.IsModified());
    sheet.DestroyWindow();
}

class ScriptedSheet : public CPropertySheet {
public:
    using CPropertySheet::CPropertySheet;
    std::vector<std::function<void()>> steps;

protected:
    BOOL OnInitDialog() override
    {
        BOOL focus = CPropertySheet::OnInitDialog();
        PostMessage(WM_APP);
        return focus;
    }
    LRESULT OnStep(WPARAM, LPARAM)
    {
        if (!steps.empty()) {
            steps.front()();
            steps.erase(steps.begin());
            PostMessage(WM_APP);
        }
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ScriptedSheet, CPropertySheet)
    ON_MESSAGE(WM_APP, OnStep)
END_MESSAGE_MAP()

TEST_F(SheetTest, EnterAppliesEscapeResets)
{
    struct Case {
        int key;
        INT_PTR result;
        int amount;
        std::vector<std::string> calls;
    };
    const Case cases[] = {{VK_RETURN, IDOK, 3, {"apply"}}, {VK_ESCAPE, IDCANCEL, 2, {"reset"}}};
    for (const Case& c : cases) {
        AmountPage page;
        ScriptedSheet modal("Modal");
        modal.AddPage(&page);
        modal.steps = {[&] { page.SetDlgItemText(IDC_AMOUNT, "3"); },
                       [&] {
                           page.GetDlgItem(IDC_AMOUNT)->SetFocus();
                           UiTestHook::KeyDown(c.key);
                       }};
        EXPECT_EQ(modal.DoModal(), c.result);
        EXPECT_EQ(page.amount, c.amount);
        EXPECT_EQ(page.calls, c.calls);
    }
}

} // namespace
