// The editable drag list: in-place editing with its keys, new rows, Alt and the arrows, and
// no drag while a row is edited.
#include "shell/ListBoxEx.h"

#include "UiFixture.h"

#include <string>
#include <vector>

namespace {

class ListBoxExTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        ASSERT_TRUE(parent.CreateEx(0, PlainClass(), "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 240, 200, nullptr,
                                    nullptr));
        ASSERT_TRUE(list.Create(0, CRect(0, 0, 200, 150), &parent, 9));
        Fill();
    }
    // Rows one, two and three with data 10, 20 and 30.
    void Fill()
    {
        list.ResetContent();
        for (const char* text : {"one", "two", "three"}) {
            const int row = list.AddString(text);
            list.SetItemData(row, static_cast<DWORD_PTR>((row + 1) * 10));
        }
    }
    void TearDown() override
    {
        list.DestroyWindow();
        parent.DestroyWindow();
        UiTest::TearDown();
    }
    std::vector<std::string> Rows() const
    {
        std::vector<std::string> rows;
        for (int i = 0; i < list.GetCount(); ++i) {
            CString text;
            list.GetText(i, text);
            rows.emplace_back(text);
        }
        return rows;
    }
    // The key comes as from the message loop, which lets the edit see it first.
    void Type(LPCTSTR text, UINT key)
    {
        CEdit* edit = list.GetEditCtrl();
        edit->SetWindowText(text);
        MSG msg{edit->m_hWnd, WM_KEYDOWN, key, 0, 0, {}};
        if (!edit->PreTranslateMessage(&msg))
            edit->SendMessage(WM_KEYDOWN, key);
    }

    CWnd parent;
    CListBoxEx list;
};

TEST_F(ListBoxExTest, TheListAndItsEditAreMadeWithTheirStyles)
{
    EXPECT_EQ(list.GetStyle() & CListBoxEx::kListStyles, CListBoxEx::kListStyles);
    ASSERT_NE(list.GetEditCtrl(), nullptr);
    EXPECT_NE(list.GetEditCtrl()->m_hWnd, nullptr);
    EXPECT_FALSE(list.GetEditCtrl()->IsWindowVisible());
}

TEST_F(ListBoxExTest, EditsEndByTheirKeys)
{
    struct Case {
        const char* name;
        int row; // -1: a new row
        const char* typed;
        UINT key;
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        {"return takes the text", 1, "TWO", VK_RETURN, {"one", "TWO", "three"}},
        {"escape keeps the old text", 1, "TWO", VK_ESCAPE, {"one", "two", "three"}},
        {"an empty text removes the row", 0, "", VK_RETURN, {"two", "three"}},
        {"an emptied row goes also on escape", 2, "", VK_ESCAPE, {"one", "two"}},
        {"a new row is appended", -1, "four", VK_RETURN, {"one", "two", "three", "four"}},
        {"a new row left empty goes again", -1, "", VK_ESCAPE, {"one", "two", "three"}},
    };
    for (const Case& c : cases) {
        Fill();
        if (c.row < 0)
            list.BeginNewRow();
        else
            list.BeginEdit(c.row);
        EXPECT_TRUE(list.GetEditCtrl()->IsWindowVisible()) << c.name;
        Type(c.typed, c.key);
        EXPECT_EQ(Rows(), c.rows) << c.name;
        EXPECT_EQ(list.GetEditedRow(), -1) << c.name;
        EXPECT_FALSE(list.GetEditCtrl()->IsWindowVisible()) << c.name;
    }
}

TEST_F(ListBoxExTest, ACommittedRowKeepsItsDataAndTheFocusLeavingCommits)
{
    list.BeginEdit(1);
    list.GetEditCtrl()->SetWindowText("deux");
    parent.SetFocus();
    EXPECT_EQ(Rows(), (std::vector<std::string>{"one", "deux", "three"}));
    EXPECT_EQ(list.GetItemData(1), 20u);
    EXPECT_EQ(list.GetSelectedRow(), 1);
}

TEST_F(ListBoxExTest, AltAndTheArrowsMoveTheSelectedRowWithinTheList)
{
    struct Case {
        int selected;
        UINT key;
        std::vector<std::string> rows;
        int selectedAfter;
    };
    const Case cases[] = {
        {0, VK_UP, {"one", "two", "three"}, 0},
        {0, VK_LEFT, {"one", "two", "three"}, 0},
        {2, VK_DOWN, {"one", "two", "three"}, 2},
        {0, VK_DOWN, {"two", "one", "three"}, 1},
        {1, VK_RIGHT, {"one", "three", "two"}, 2},
        {2, VK_UP, {"one", "three", "two"}, 1},
    };
    for (const Case& c : cases) {
        Fill();
        list.SelectRow(c.selected);
        list.SendMessage(WM_SYSKEYDOWN, c.key);
        EXPECT_EQ(Rows(), c.rows) << c.selected << " " << c.key;
        EXPECT_EQ(list.GetSelectedRow(), c.selectedAfter) << c.selected << " " << c.key;
    }
    Fill();
    list.AllowDragging(FALSE);
    list.SelectRow(0);
    list.SendMessage(WM_SYSKEYDOWN, VK_DOWN);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"one", "two", "three"}));
}

TEST_F(ListBoxExTest, SwappingKeepsEachRowsData)
{
    list.SwapRows(0, 2);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"three", "two", "one"}));
    EXPECT_EQ(list.GetItemData(0), 30u);
    EXPECT_EQ(list.GetItemData(2), 10u);
}

TEST_F(ListBoxExTest, NoDragStartsWhileARowIsEdited)
{
    EXPECT_TRUE(list.BeginDrag(CPoint(5, 5)));
    list.BeginEdit(0);
    EXPECT_FALSE(list.BeginDrag(CPoint(5, 5)));
    Type("one", VK_RETURN);
    list.AllowDragging(FALSE);
    EXPECT_FALSE(list.BeginDrag(CPoint(5, 5)));
}

TEST_F(ListBoxExTest, F2EditsTheClickedRowAndDeleteRemovesIt)
{
    CRect row;
    list.GetItemRect(2, &row);
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(row.left + 3, row.top + 2));
    list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(row.left + 3, row.top + 2));
    EXPECT_EQ(list.GetCurrentRow(), 2);
    list.SendMessage(WM_KEYDOWN, VK_F2);
    EXPECT_EQ(list.GetEditedRow(), 2);
    Type("drei", VK_RETURN);
    list.SendMessage(WM_KEYDOWN, VK_DELETE);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"one", "two"}));
}

} // namespace
