// The library's "General" page in a property sheet, driven as a user would: its boxes show the
// hosting objects' three properties and write them back when the page is left with OK, not on
// Cancel; a property the object lacks leaves its box greyed; the class factory knows one ProgID.
#include "spell/LexigardPropPage.h"

#include "spell/LexigardDialogs.h"
#include "spell/tests/DialogDriver.h"

#include "platform/ole/DispatchMap.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr char kSheet[] = "Spelling Page";
constexpr std::array<int, 3> kBoxes = {IDC_PAGE_ALWAYS_SUGGEST, IDC_PAGE_IGNORE_UPPERCASE, IDC_PAGE_IGNORE_NUMBERS};

// An automation object with the three options.
class COptionsObject : public CCmdTarget {
public:
    COptionsObject(BOOL always, BOOL uppercase, BOOL numbers) : m_always(always), m_uppercase(uppercase), m_numbers(numbers)
    {
        EnableAutomation();
    }
    BOOL m_always, m_uppercase, m_numbers;
    DECLARE_DISPATCH_MAP()
};

BEGIN_DISPATCH_MAP(COptionsObject, CCmdTarget)
    DISP_PROPERTY(COptionsObject, "AlwaysSuggest", m_always, VT_BOOL)
    DISP_PROPERTY(COptionsObject, "IgnoreWordsInUppercase", m_uppercase, VT_BOOL)
    DISP_PROPERTY(COptionsObject, "IgnoreWordsWithNumbers", m_numbers, VT_BOOL)
END_DISPATCH_MAP()

// One that knows only "AlwaysSuggest".
class CSuggestOnly : public CCmdTarget {
public:
    CSuggestOnly() { EnableAutomation(); }
    BOOL m_always = FALSE;
    DECLARE_DISPATCH_MAP()
};

BEGIN_DISPATCH_MAP(CSuggestOnly, CCmdTarget)
    DISP_PROPERTY(CSuggestOnly, "AlwaysSuggest", m_always, VT_BOOL)
END_DISPATCH_MAP()

UINT Checked(const TLexigardPropPage& page, int box) { return page.IsDlgButtonChecked(box); }
bool Enabled(const TLexigardPropPage& page, int box) { return ::IsWindowEnabled(::GetDlgItem(page.m_hWnd, box)); }

class LexigardPropPageTest : public ::testing::Test {
protected:
    void SetUp() override { UiTestHook::Reset(); }

    // Runs a sheet holding the page on these objects; `act` sees the page while the sheet is open.
    INT_PTR Run(const std::vector<IDispatch*>& objects, const std::function<void(HWND, TLexigardPropPage&)>& act)
    {
        TLexigardPropPage page;
        page.SetObjects(objects);
        CPropertySheet sheet(kSheet);
        sheet.AddPage(&page);
        DialogDriver driver({{kSheet, [&](HWND sheetWnd) { act(sheetWnd, page); }}});
        const INT_PTR result = sheet.DoModal();
        EXPECT_EQ(driver.StepsLeft(), 0u);
        return result;
    }
};

TEST_F(LexigardPropPageTest, TheBoxesShowTheObjectsOptionsAndOkWritesTheToggledOnes)
{
    COptionsObject options(TRUE, FALSE, TRUE);
    const INT_PTR result = Run({options.GetIDispatch(FALSE)}, [](HWND sheet, TLexigardPropPage& page) {
        EXPECT_EQ(Checked(page, IDC_PAGE_ALWAYS_SUGGEST), BST_CHECKED);
        EXPECT_EQ(Checked(page, IDC_PAGE_IGNORE_UPPERCASE), BST_UNCHECKED);
        EXPECT_EQ(Checked(page, IDC_PAGE_IGNORE_NUMBERS), BST_CHECKED);
        for (int box : kBoxes)
            EXPECT_TRUE(Enabled(page, box)) << box;
        DialogDriver::Click(page.m_hWnd, IDC_PAGE_ALWAYS_SUGGEST);
        DialogDriver::Click(page.m_hWnd, IDC_PAGE_IGNORE_UPPERCASE);
        DialogDriver::Click(sheet, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_FALSE(options.m_always);
    EXPECT_TRUE(options.m_uppercase);
    EXPECT_TRUE(options.m_numbers);
    EXPECT_EQ(options.GetRefCount(), 1u) << "the page let go of the object";
}

TEST_F(LexigardPropPageTest, CancelLeavesTheObjectAsItWas)
{
    COptionsObject options(FALSE, FALSE, FALSE);
    const INT_PTR result = Run({options.GetIDispatch(FALSE)}, [](HWND sheet, TLexigardPropPage& page) {
        for (int box : kBoxes)
            DialogDriver::Click(page.m_hWnd, box);
        DialogDriver::Click(sheet, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_FALSE(options.m_always || options.m_uppercase || options.m_numbers);
}

TEST_F(LexigardPropPageTest, EveryObjectTakesTheValuesTheFirstOneShowed)
{
    COptionsObject first(TRUE, TRUE, FALSE), second(FALSE, FALSE, TRUE);
    Run({first.GetIDispatch(FALSE), second.GetIDispatch(FALSE)}, [](HWND sheet, TLexigardPropPage& page) {
        EXPECT_EQ(Checked(page, IDC_PAGE_IGNORE_NUMBERS), BST_UNCHECKED);
        DialogDriver::Click(page.m_hWnd, IDC_PAGE_IGNORE_UPPERCASE);
        DialogDriver::Click(sheet, IDOK);
    });
    for (const COptionsObject* options : {&first, &second}) {
        EXPECT_TRUE(options->m_always);
        EXPECT_FALSE(options->m_uppercase);
        EXPECT_FALSE(options->m_numbers);
    }
}

TEST_F(LexigardPropPageTest, APropertyTheObjectLacksGreysItsBoxAndOkStillApplies)
{
    CSuggestOnly options;
    const INT_PTR result = Run({options.GetIDispatch(FALSE)}, [](HWND sheet, TLexigardPropPage& page) {
        EXPECT_TRUE(Enabled(page, IDC_PAGE_ALWAYS_SUGGEST));
        EXPECT_FALSE(Enabled(page, IDC_PAGE_IGNORE_UPPERCASE));
        EXPECT_FALSE(Enabled(page, IDC_PAGE_IGNORE_NUMBERS));
        DialogDriver::Click(page.m_hWnd, IDC_PAGE_ALWAYS_SUGGEST);
        DialogDriver::Click(sheet, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(options.m_always);
}

TEST_F(LexigardPropPageTest, WithoutObjectsEveryBoxIsGreyed)
{
    Run({}, [](HWND sheet, TLexigardPropPage& page) {
        for (int box : kBoxes)
            EXPECT_FALSE(Enabled(page, box)) << box;
        DialogDriver::Click(sheet, IDOK);
    });
}

TEST_F(LexigardPropPageTest, TheClassFactoryMakesThePageForItsProgIdOnly)
{
    for (const char* id : {"Nerith.SPELL.LexigardPropPage.1", "nerith.spell.lexigardproppage.1"}) {
        std::unique_ptr<CPropertyPage> page = CreatePropertyPage(id);
        ASSERT_NE(dynamic_cast<TLexigardPropPage*>(page.get()), nullptr) << id;
        EXPECT_EQ(page->m_strCaption, CString("General"));
    }
    for (const char* other : {"Nerith.SPELL.LexigardPropPage.2", "Nerith.SPELL.LexigardPropPage", "",
                              static_cast<const char*>(nullptr)})
        EXPECT_EQ(CreatePropertyPage(other), nullptr) << (other ? other : "(null)");
}

} // namespace
