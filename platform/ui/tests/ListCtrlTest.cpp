// The report list view: sorted insertion, item text and data, single selection with its
// notifications, clicks and keys, scrolling into view and the drawn rows.
#include "ControlFixture.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/ImageList.h"
#include "platform/ui/ListCtrl.h"

#include <string>
#include <vector>

namespace {

struct Sent {
    UINT code;
    int item;
    UINT newState;
};
std::vector<Sent> sent;

LRESULT listParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_NOTIFY)
        return DefWindowProc(hwnd, message, wParam, lParam);
    const auto* nm = reinterpret_cast<const NMLISTVIEW*>(lParam);
    sent.push_back(Sent{nm->hdr.code, nm->iItem, nm->uNewState});
    return 0;
}

constexpr DWORD kListStyle = LVS_REPORT | LVS_SINGLESEL | LVS_SORTASCENDING | LVS_NOCOLUMNHEADER | WS_CHILD | WS_VISIBLE;

class ListCtrlTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        sent.clear();
        m_parent.Attach(MakeWatchingParent("ListParent", listParentProc, m_windows, RECT{0, 0, 300, 200}));
    }
    void TearDown() override
    {
        list.DestroyWindow();
        m_parent.Detach();
        UiTest::TearDown();
    }
    void Build(DWORD style, std::vector<const char*> words, RECT rect = RECT{0, 0, 120, 80})
    {
        ASSERT_TRUE(list.Create(style, rect, &m_parent, 21));
        list.InsertColumn(0, "Word", LVCFMT_LEFT, 100);
        for (const char* w : words)
            list.InsertItem(list.GetItemCount(), w);
        sent.clear();
    }
    POINT Centre(int item)
    {
        RECT r{};
        EXPECT_TRUE(list.GetItemRect(item, &r, LVIR_LABEL));
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    std::vector<int> Selected()
    {
        std::vector<int> items;
        for (POSITION pos = list.GetFirstSelectedItemPosition(); pos;)
            items.push_back(list.GetNextSelectedItem(pos));
        return items;
    }
    std::vector<UINT> Codes()
    {
        std::vector<UINT> codes;
        for (const Sent& s : sent)
            codes.push_back(s.code);
        return codes;
    }

    CWnd m_parent;
    CListCtrl list;
};

LPARAM at(POINT p) { return MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)); }

TEST_F(ListCtrlTest, InsertionFollowsTheSortStyle)
{
    const struct {
        DWORD sort;
        std::vector<std::string> order;
    } cases[] = {{LVS_SORTASCENDING, {"apple", "Fig", "pear"}},
                 {LVS_SORTDESCENDING, {"pear", "Fig", "apple"}},
                 {0, {"pear", "apple", "Fig"}}};
    for (const auto& c : cases) {
        Build(LVS_REPORT | WS_CHILD | c.sort, {"pear", "apple", "Fig"});
        ASSERT_EQ(list.GetItemCount(), 3);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(std::string(list.GetItemText(i, 0)), c.order[static_cast<size_t>(i)]) << c.sort;
        list.DestroyWindow();
    }
}

TEST_F(ListCtrlTest, ItemsKeepSubItemsDataAndAreFound)
{
    Build(kListStyle, {"beta", "alpha", "gamma"});
    EXPECT_TRUE(list.SetItemText(1, 2, "third"));
    EXPECT_TRUE(list.SetItemData(2, 77));
    EXPECT_EQ(std::string(list.GetItemText(1, 2)), "third");
    EXPECT_EQ(std::string(list.GetItemText(1, 1)), "");
    EXPECT_EQ(list.GetItemData(2), 77u);
    EXPECT_FALSE(list.SetItemText(3, 0, "none"));
    char small[4] = {};
    EXPECT_EQ(list.GetItemText(2, 0, small, sizeof small), 3);
    EXPECT_STREQ(small, "gam");

    const struct {
        UINT flags;
        const char* text;
        LPARAM data;
        int start;
        int found;
    } finds[] = {{LVFI_STRING, "BETA", 0, -1, 1},  {LVFI_STRING, "bet", 0, -1, -1},
                 {LVFI_PARTIAL | LVFI_STRING, "bet", 0, -1, 1}, {LVFI_PARAM, nullptr, 77, -1, 2},
                 {LVFI_STRING, "alpha", 0, 0, -1}};
    for (const auto& f : finds) {
        LVFINDINFO info{f.flags, f.text, f.data, {}, 0};
        EXPECT_EQ(list.FindItem(&info, f.start), f.found) << (f.text ? f.text : "data");
    }
    EXPECT_TRUE(list.DeleteItem(0));
    EXPECT_EQ(std::string(list.GetItemText(0, 2)), "third");
    EXPECT_FALSE(list.DeleteItem(5));
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(list.GetItemCount(), 0);
}

TEST_F(ListCtrlTest, SingleSelectionMovesAndEveryChangeIsReported)
{
    Build(kListStyle, {"a", "b", "c"});
    list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    sent.clear();
    list.SetItemState(2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(Selected(), std::vector<int>{2});
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 2);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_FOCUSED), 2);
    EXPECT_EQ(list.GetItemState(0, LVIS_SELECTED | LVIS_FOCUSED), 0u);
    ASSERT_EQ(sent.size(), 2u) << "item 0 loses both states in one change, item 2 gains them";
    EXPECT_EQ(sent[0].item, 0);
    EXPECT_EQ(sent[0].newState, 0u);
    EXPECT_EQ(sent[1].item, 2);
    EXPECT_EQ(sent[1].newState, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(Codes(), (std::vector<UINT>{LVN_ITEMCHANGED, LVN_ITEMCHANGED}));

    sent.clear();
    list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_TRUE(sent.empty()) << "no change, no notification";
}

TEST_F(ListCtrlTest, MultipleSelectionKeepsOthers)
{
    Build(LVS_REPORT | WS_CHILD, {"a", "b", "c"});
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(Selected(), (std::vector<int>{0, 2}));
    EXPECT_EQ(list.GetSelectedCount(), 2u);
    list.SetItemState(-1, 0, LVIS_SELECTED);
    EXPECT_TRUE(Selected().empty());
}

TEST_F(ListCtrlTest, ClicksSelectAndNotify)
{
    Build(kListStyle, {"a", "b", "c"});
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at(Centre(1)));
    EXPECT_EQ(Selected(), std::vector<int>{1});
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.back().code, NM_CLICK);
    EXPECT_EQ(sent.back().item, 1);
    EXPECT_EQ(sent.front().code, LVN_ITEMCHANGED);

    sent.clear();
    list.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, at(Centre(1)));
    ASSERT_EQ(Codes(), std::vector<UINT>{NM_DBLCLK});
    EXPECT_EQ(sent.back().item, 1);

    sent.clear();
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 75));
    EXPECT_TRUE(Selected().empty()) << "a click on no item clears the selection";
    EXPECT_EQ(sent.back().code, NM_CLICK);
    EXPECT_EQ(sent.back().item, -1);
}

TEST_F(ListCtrlTest, ArrowKeysMoveTheSelection)
{
    Build(kListStyle, {"a", "b", "c", "d"});
    list.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    const struct {
        WPARAM key;
        int expected;
    } steps[] = {{VK_DOWN, 2}, {VK_DOWN, 3}, {VK_DOWN, 3}, {VK_UP, 2}, {VK_HOME, 0}, {VK_UP, 0}, {VK_END, 3}};
    for (const auto& s : steps) {
        list.SendMessage(WM_KEYDOWN, s.key, 0);
        EXPECT_EQ(Selected(), std::vector<int>{s.expected}) << s.key;
        EXPECT_EQ(list.GetNextItem(-1, LVNI_FOCUSED), s.expected);
    }
}

TEST_F(ListCtrlTest, CheckBoxesToggleByClickOrSpaceAndShiftTheLabel)
{
    Build(kListStyle, {"a", "b", "c"});
    RECT plain{};
    list.GetItemRect(1, &plain, LVIR_LABEL);
    list.SetExtendedStyle(LVS_EX_CHECKBOXES);
    RECT checked{};
    list.GetItemRect(1, &checked, LVIR_LABEL);
    EXPECT_GT(checked.left, plain.left) << "the box stands before the label";
    EXPECT_FALSE(list.GetCheck(1));
    list.SetCheck(1);
    EXPECT_TRUE(list.GetCheck(1));
    EXPECT_FALSE(list.GetCheck(0));
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, Centre(1).y));
    EXPECT_FALSE(list.GetCheck(1)) << "a click on the box toggles it";
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at(Centre(2)));
    EXPECT_FALSE(list.GetCheck(2)) << "a click on the label only selects";
    list.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(list.GetCheck(2)) << "space toggles the focused item";
    EXPECT_EQ(Selected(), std::vector<int>{2});
}

TEST_F(ListCtrlTest, EnsureVisibleScrollsAndHitTestFollows)
{
    std::vector<std::string> words;
    for (char c = 'a'; c <= 'z'; ++c)
        words.push_back(std::string(2, c));
    std::vector<const char*> texts;
    for (const auto& w : words)
        texts.push_back(w.c_str());
    Build(kListStyle, texts);
    EXPECT_EQ(list.GetTopIndex(), 0);
    EXPECT_TRUE(list.EnsureVisible(20, FALSE));
    int top = list.GetTopIndex();
    EXPECT_GT(top, 0);
    EXPECT_LE(top, 20);
    EXPECT_LT(20, top + list.GetCountPerPage());
    UINT flags = 0;
    EXPECT_EQ(list.HitTest(CPoint(Centre(20)), &flags), 20);
    EXPECT_EQ(flags, LVHT_ONITEMLABEL);
    LVHITTESTINFO info{Centre(top), 0, 0, 0};
    EXPECT_EQ(list.HitTest(&info), top);
    EXPECT_FALSE(list.EnsureVisible(40, FALSE));
}

TEST_F(ListCtrlTest, SelectedRowIsHighlighted)
{
    const struct {
        DWORD exStyle;
        int x;
        COLORREF expected;
    } cases[] = {{LVS_EX_FULLROWSELECT, 80, ::GetSysColor(COLOR_HIGHLIGHT)},
                 {LVS_EX_FULLROWSELECT, 110, ::GetSysColor(COLOR_WINDOW)},
                 {0, 30, ::GetSysColor(COLOR_HIGHLIGHT)},
                 {0, 80, ::GetSysColor(COLOR_WINDOW)}};
    for (const auto& c : cases) {
        Build(kListStyle, {"one", "two", "three"});
        list.SetColumnWidth(0, 60);
        list.InsertColumn(1, "Note", LVCFMT_LEFT, 40);
        list.SetExtendedStyle(c.exStyle);
        list.SetFocus();
        list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
        list.UpdateWindow();
        POINT row1 = Centre(1), row0 = Centre(0);
        EXPECT_EQ(UiTestHook::PixelAt(list.m_hWnd, POINT{c.x, row1.y}), c.expected) << c.exStyle << " " << c.x;
        EXPECT_EQ(UiTestHook::PixelAt(list.m_hWnd, POINT{c.x, row0.y}), ::GetSysColor(COLOR_WINDOW));
        list.DestroyWindow();
    }
}

TEST_F(ListCtrlTest, ImagesAreDrawnWithTheirMask)
{
    // Two 15-pixel images: solid red, and all mask colour.
    std::vector<DWORD> bits(30 * 15, 0);
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 15; ++x)
            bits[static_cast<size_t>(y * 30 + x)] = 0x00FF0000;
    CBitmap strip;
    ASSERT_TRUE(strip.CreateBitmap(30, 15, 1, 32, bits.data()));
    CImageList images;
    ASSERT_TRUE(images.Create(15, 15, ILC_COLOR24 | ILC_MASK, 2, 0));
    ASSERT_EQ(images.Add(&strip, RGB(0, 0, 0)), 0);
    ASSERT_TRUE(list.Create(LVS_REPORT | LVS_SINGLESEL | LVS_NOCOLUMNHEADER | WS_CHILD | WS_VISIBLE, RECT{0, 0, 120, 80}, &m_parent, 22));
    list.InsertColumn(0, "", LVCFMT_LEFT, 100);
    list.SetImageList(&images, LVSIL_SMALL);
    EXPECT_EQ(list.GetImageList(LVSIL_SMALL), &images);
    list.InsertItem(0, "red", 0);
    list.InsertItem(1, "clear", 1);
    list.UpdateWindow();
    RECT icon{};
    ASSERT_TRUE(list.GetItemRect(0, &icon, LVIR_ICON));
    EXPECT_GE(icon.right - icon.left, 15);
    POINT inside{icon.left + 7, icon.top + 7};
    EXPECT_EQ(UiTestHook::PixelAt(list.m_hWnd, inside), RGB(255, 0, 0));
    POINT below{inside.x, inside.y + (icon.bottom - icon.top)};
    EXPECT_EQ(UiTestHook::PixelAt(list.m_hWnd, below), ::GetSysColor(COLOR_WINDOW));

    // A highlighted full row keeps its images on top.
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    list.SetFocus();
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    list.UpdateWindow();
    EXPECT_EQ(UiTestHook::PixelAt(list.m_hWnd, inside), RGB(255, 0, 0));
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    list.UpdateWindow();
    EXPECT_EQ(UiTestHook::PixelAt(list.m_hWnd, below), ::GetSysColor(COLOR_HIGHLIGHT)) << "masked pixels show the highlight";
    list.DestroyWindow();
}

TEST_F(ListCtrlTest, ColumnsAutosizeToTheirText)
{
    Build(LVS_REPORT | WS_CHILD | WS_VISIBLE, {"x", "a much longer word"});
    int narrow = list.GetColumnWidth(0);
    EXPECT_TRUE(list.SetColumnWidth(0, LVSCW_AUTOSIZE));
    EXPECT_NE(list.GetColumnWidth(0), narrow);
    EXPECT_GT(list.GetColumnWidth(0), 50);
    EXPECT_FALSE(list.SetColumnWidth(3, 40));
}

TEST_F(ListCtrlTest, CreatedByClassNameAndSubclassed)
{
    AfxRegisterControlClasses();
    HWND h = CreateWindowEx(0, WC_LISTVIEW, "", kListStyle, 0, 0, 100, 60, m_parent.m_hWnd, reinterpret_cast<HMENU>(30), nullptr, nullptr);
    ASSERT_NE(h, nullptr);
    CListCtrl wrapper;
    ASSERT_TRUE(wrapper.SubclassDlgItem(30, &m_parent));
    EXPECT_EQ(wrapper.InsertItem(0, "word"), 0);
    EXPECT_EQ(wrapper.GetItemCount(), 1);
    wrapper.DestroyWindow();
}

} // namespace
