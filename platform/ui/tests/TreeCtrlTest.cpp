// The tree control: structure, navigation over visible items, states and check boxes,
// notifications with their codes, custom draw rectangles, label editing and dragging.
#include "ControlFixture.h"

#include "platform/gdi/ImageList.h"
#include "platform/ui/TreeCtrl.h"

#include <algorithm>

#include <functional>
#include <string>
#include <vector>

namespace {

struct TreeRecorder {
    std::vector<UINT> codes;
    std::vector<std::pair<DWORD, RECT>> drawStages;
    LRESULT prePaintAnswer = CDRF_DODEFAULT;
    LRESULT itemAnswer = CDRF_DODEFAULT;
    bool refuseSelection = false;
    bool refuseExpansion = false;
    bool acceptLabel = true;
    std::string lastLabel;
    bool labelWasNull = false;
};
TreeRecorder rec;

LRESULT treeParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_NOTIFY)
        return DefWindowProc(hwnd, message, wParam, lParam);
    auto* nm = reinterpret_cast<NMHDR*>(lParam);
    if (nm->code == NM_CUSTOMDRAW) {
        auto* cd = reinterpret_cast<NMTVCUSTOMDRAW*>(lParam);
        rec.drawStages.emplace_back(cd->nmcd.dwDrawStage, cd->nmcd.rc);
        return cd->nmcd.dwDrawStage == CDDS_PREPAINT ? rec.prePaintAnswer : rec.itemAnswer;
    }
    rec.codes.push_back(nm->code);
    switch (nm->code) {
    case TVN_SELCHANGING: return rec.refuseSelection;
    case TVN_ITEMEXPANDING: return rec.refuseExpansion;
    case TVN_ENDLABELEDIT: {
        auto* info = reinterpret_cast<NMTVDISPINFO*>(lParam);
        rec.labelWasNull = info->item.pszText == nullptr;
        rec.lastLabel = info->item.pszText ? info->item.pszText : "";
        return rec.acceptLabel;
    }
    default: return 0;
    }
}

class TreeTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        rec = TreeRecorder{};
        m_parent.Attach(MakeWatchingParent("TreeParent", treeParentProc, m_windows, RECT{0, 0, 300, 200}));
    }
    void TearDown() override
    {
        tree.DestroyWindow();
        m_parent.Detach();
        UiTest::TearDown();
    }

    // fruit (apple, pear (williams)), veg (leek)
    void Build(DWORD style = TVS_HASBUTTONS | TVS_LINESATROOT)
    {
        ASSERT_TRUE(tree.Create(style | WS_CHILD | WS_VISIBLE, RECT{0, 0, 200, 100}, &m_parent, 12));
        tree.SetItemHeight(16);
        fruit = tree.InsertItem("fruit");
        apple = tree.InsertItem("apple", fruit);
        pear = tree.InsertItem("pear", fruit);
        williams = tree.InsertItem("williams", pear);
        veg = tree.InsertItem("veg");
        leek = tree.InsertItem("leek", veg);
        rec.codes.clear();
    }

    std::vector<CString> VisibleTexts()
    {
        std::vector<CString> out;
        for (HTREEITEM i = tree.GetFirstVisibleItem(); i; i = tree.GetNextVisibleItem(i))
            out.push_back(tree.GetItemText(i));
        return out;
    }

    CWnd m_parent;
    CTreeCtrl tree;
    HTREEITEM fruit{}, apple{}, pear{}, williams{}, veg{}, leek{};
};

TEST_F(TreeTest, StructureAndSiblingNavigation)
{
    Build();
    EXPECT_EQ(tree.GetCount(), 6u);
    EXPECT_EQ(tree.GetRootItem(), fruit);
    EXPECT_EQ(tree.GetNextSiblingItem(fruit), veg);
    EXPECT_EQ(tree.GetPrevSiblingItem(veg), fruit);
    EXPECT_EQ(tree.GetChildItem(pear), williams);
    EXPECT_EQ(tree.GetParentItem(williams), pear);
    EXPECT_EQ(tree.GetParentItem(fruit), nullptr);
    EXPECT_TRUE(tree.ItemHasChildren(fruit));
    EXPECT_FALSE(tree.ItemHasChildren(apple));
    HTREEITEM first = tree.InsertItem("aardvark", TVI_ROOT, TVI_FIRST);
    EXPECT_EQ(tree.GetRootItem(), first);
    HTREEITEM sorted = tree.InsertItem("banana", fruit, TVI_SORT);
    EXPECT_EQ(tree.GetNextSiblingItem(apple), sorted);
    HTREEITEM after = tree.InsertItem("cherry", fruit, apple);
    EXPECT_EQ(tree.GetPrevSiblingItem(after), apple);
}

TEST_F(TreeTest, VisibleNavigationFollowsExpansion)
{
    Build();
    EXPECT_EQ(VisibleTexts(), (std::vector<CString>{"fruit", "veg"}));
    tree.Expand(fruit, TVE_EXPAND);
    tree.Expand(pear, TVE_EXPAND);
    EXPECT_EQ(VisibleTexts(), (std::vector<CString>{"fruit", "apple", "pear", "williams", "veg"}));
    EXPECT_EQ(tree.GetPrevVisibleItem(veg), williams);
    tree.Expand(fruit, TVE_TOGGLE);
    EXPECT_EQ(VisibleTexts(), (std::vector<CString>{"fruit", "veg"}));
    EXPECT_EQ(tree.GetNextVisibleItem(williams), nullptr) << "hidden items have no visible neighbours";
    EXPECT_TRUE(tree.EnsureVisible(leek));
    EXPECT_TRUE(tree.GetItemState(veg, TVIS_EXPANDED));
}

TEST_F(TreeTest, DeletingForgetsTheSubtree)
{
    Build();
    tree.SelectItem(williams);
    EXPECT_TRUE(tree.DeleteItem(pear));
    EXPECT_EQ(tree.GetCount(), 4u);
    EXPECT_EQ(tree.GetSelectedItem(), nullptr);
    EXPECT_FALSE(tree.DeleteItem(williams)) << "a deleted handle is refused";
    EXPECT_EQ(tree.GetItemText(williams), CString());
    std::vector<UINT> deletes(rec.codes.begin(), rec.codes.end());
    EXPECT_EQ(std::count(deletes.begin(), deletes.end(), TVN_DELETEITEM), 2);
    tree.DeleteAllItems();
    EXPECT_EQ(tree.GetCount(), 0u);
    EXPECT_EQ(tree.GetRootItem(), nullptr);
}

TEST_F(TreeTest, ItemAttributesAndCheckBoxes)
{
    Build(TVS_CHECKBOXES | TVS_HASBUTTONS);
    tree.SetItemData(apple, 77);
    tree.SetItemImage(apple, 3, 4);
    tree.SetItemText(apple, "crab apple");
    tree.SetItemState(apple, TVIS_BOLD, TVIS_BOLD);
    int image = 0, selected = 0;
    EXPECT_TRUE(tree.GetItemImage(apple, image, selected));
    EXPECT_EQ(image, 3);
    EXPECT_EQ(selected, 4);
    EXPECT_EQ(tree.GetItemData(apple), 77u);
    EXPECT_EQ(tree.GetItemText(apple), CString("crab apple"));
    EXPECT_EQ(tree.GetItemState(apple, TVIS_BOLD), TVIS_BOLD);
    EXPECT_FALSE(tree.GetCheck(apple));
    tree.SetCheck(apple);
    EXPECT_TRUE(tree.GetCheck(apple));
    // A click on the check box toggles it.
    tree.Expand(fruit, TVE_EXPAND);
    CRect row;
    ASSERT_TRUE(tree.GetItemRect(veg, &row, FALSE));
    UINT flags = 0;
    int x = 0;
    while (x < 100 && (tree.HitTest(CPoint(x, row.top + 4), &flags), !(flags & TVHT_ONITEMSTATEICON)))
        ++x;
    ASSERT_LT(x, 100);
    tree.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(row.top + 4)));
    EXPECT_TRUE(tree.GetCheck(veg));
}

struct TreeAction {
    const char* name;
    std::function<void(CTreeCtrl&, HTREEITEM fruit, HTREEITEM veg)> act;
    std::vector<UINT> codes;
};

class TreeNotifications : public TreeTest, public ::testing::WithParamInterface<TreeAction> {};

TEST_P(TreeNotifications, ReachTheParent)
{
    Build();
    GetParam().act(tree, fruit, veg);
    EXPECT_EQ(rec.codes, GetParam().codes);
}

LPARAM rowPoint(CTreeCtrl& tree, HTREEITEM item, UINT wanted)
{
    CRect row;
    tree.GetItemRect(item, &row, FALSE);
    UINT flags = 0;
    for (int x = 0; x < row.right; ++x)
        if (tree.HitTest(CPoint(x, row.top + 3), &flags), flags & wanted)
            return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(row.top + 3));
    return 0;
}

const std::vector<TreeAction> treeActions = {
    {"Select", [](CTreeCtrl& t, HTREEITEM, HTREEITEM veg) { t.SelectItem(veg); }, {TVN_SELCHANGING, TVN_SELCHANGED}},
    {"SelectSameAgainIsSilent", [](CTreeCtrl& t, HTREEITEM, HTREEITEM veg) { t.SelectItem(veg); rec.codes.clear(); t.SelectItem(veg); }, {}},
    {"Expand", [](CTreeCtrl& t, HTREEITEM fruit, HTREEITEM) { t.Expand(fruit, TVE_EXPAND); }, {TVN_ITEMEXPANDING, TVN_ITEMEXPANDED}},
    {"ClickOnLabel",
     [](CTreeCtrl& t, HTREEITEM, HTREEITEM veg) { t.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, rowPoint(t, veg, TVHT_ONITEMLABEL)); },
     {NM_SETFOCUS, NM_CLICK, TVN_SELCHANGING, TVN_SELCHANGED}},
    {"ClickOnButton",
     [](CTreeCtrl& t, HTREEITEM fruit, HTREEITEM) {
         t.SetFocus();
         rec.codes.clear();
         t.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, rowPoint(t, fruit, TVHT_ONITEMBUTTON));
     },
     {TVN_ITEMEXPANDING, TVN_ITEMEXPANDED}},
    {"DoubleClickToggles",
     [](CTreeCtrl& t, HTREEITEM fruit, HTREEITEM) { t.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, rowPoint(t, fruit, TVHT_ONITEMLABEL)); },
     {NM_DBLCLK, TVN_ITEMEXPANDING, TVN_ITEMEXPANDED}},
    {"RightClick", [](CTreeCtrl& t, HTREEITEM, HTREEITEM) { t.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, 0); }, {NM_RCLICK}},
    {"KeyDown",
     [](CTreeCtrl& t, HTREEITEM fruit, HTREEITEM) {
         t.SelectItem(fruit);
         rec.codes.clear();
         t.SendMessage(WM_KEYDOWN, VK_DOWN, 0);
     },
     {TVN_KEYDOWN, TVN_SELCHANGING, TVN_SELCHANGED}},
    {"KeyRightExpands",
     [](CTreeCtrl& t, HTREEITEM fruit, HTREEITEM) {
         t.SelectItem(fruit);
         rec.codes.clear();
         t.SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
     },
     {TVN_KEYDOWN, TVN_ITEMEXPANDING, TVN_ITEMEXPANDED}},
    {"DragStarts",
     [](CTreeCtrl& t, HTREEITEM, HTREEITEM veg) {
         LPARAM at = rowPoint(t, veg, TVHT_ONITEMLABEL);
         t.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
         rec.codes.clear();
         t.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, at + 2);
         t.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, at + 20);
         t.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, at + 30);
     },
     {TVN_BEGINDRAG}},
};

INSTANTIATE_TEST_SUITE_P(Tree, TreeNotifications, ::testing::ValuesIn(treeActions),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TreeTest, TheParentCanRefuseSelectionAndExpansion)
{
    Build();
    rec.refuseSelection = true;
    EXPECT_FALSE(tree.SelectItem(veg));
    EXPECT_EQ(tree.GetSelectedItem(), nullptr);
    rec.refuseExpansion = true;
    EXPECT_FALSE(tree.Expand(fruit, TVE_EXPAND));
    EXPECT_FALSE(tree.GetItemState(fruit, TVIS_EXPANDED));
}

TEST_F(TreeTest, CollapsingMovesTheSelectionUp)
{
    Build();
    tree.Expand(fruit, TVE_EXPAND);
    tree.Expand(pear, TVE_EXPAND);
    tree.SelectItem(williams);
    tree.Expand(fruit, TVE_COLLAPSE);
    EXPECT_EQ(tree.GetSelectedItem(), fruit);
}

TEST_F(TreeTest, CustomDrawGetsEachVisibleRow)
{
    Build();
    tree.Expand(fruit, TVE_EXPAND);
    rec.prePaintAnswer = CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
    rec.itemAnswer = CDRF_NOTIFYPOSTPAINT;
    rec.drawStages.clear();
    tree.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    // fruit, apple, pear, veg: pre- and post-paint each, inside the whole-control stages.
    ASSERT_EQ(rec.drawStages.size(), 2u + 2 * 4);
    EXPECT_EQ(rec.drawStages.front().first, CDDS_PREPAINT);
    EXPECT_EQ(rec.drawStages.front().second.right, 200);
    EXPECT_EQ(rec.drawStages.back().first, CDDS_POSTPAINT);
    for (int i = 0; i < 4; ++i) {
        const auto& pre = rec.drawStages[static_cast<size_t>(1 + 2 * i)];
        EXPECT_EQ(pre.first, CDDS_ITEMPREPAINT);
        EXPECT_EQ(pre.second.top, 16 * i);
        EXPECT_EQ(pre.second.bottom, 16 * i + 16);
        EXPECT_EQ(rec.drawStages[static_cast<size_t>(2 + 2 * i)].first, CDDS_ITEMPOSTPAINT);
    }
}

TEST_F(TreeTest, NoItemStagesUnlessAsked)
{
    Build();
    rec.drawStages.clear();
    tree.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ASSERT_EQ(rec.drawStages.size(), 1u);
    EXPECT_EQ(rec.drawStages[0].first, CDDS_PREPAINT);
}

TEST_F(TreeTest, LabelEditingAcceptsOrCancels)
{
    Build(TVS_EDITLABELS | TVS_HASBUTTONS);
    CEdit* edit = tree.EditLabel(veg);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(tree.GetEditControl(), edit);
    EXPECT_EQ(::GetFocus(), edit->m_hWnd);
    edit->SetWindowText("greens");
    edit->SendMessage(WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ(tree.GetEditControl(), nullptr);
    EXPECT_EQ(rec.lastLabel, "greens");
    EXPECT_EQ(tree.GetItemText(veg), CString("greens"));

    rec.acceptLabel = false;
    edit = tree.EditLabel(veg);
    ASSERT_NE(edit, nullptr);
    edit->SetWindowText("refused");
    edit->SendMessage(WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ(tree.GetItemText(veg), CString("greens"));

    rec.acceptLabel = true;
    edit = tree.EditLabel(veg);
    ASSERT_NE(edit, nullptr);
    edit->SetWindowText("escaped");
    edit->SendMessage(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_TRUE(rec.labelWasNull);
    EXPECT_EQ(tree.GetItemText(veg), CString("greens"));
    EXPECT_EQ(std::count(rec.codes.begin(), rec.codes.end(), TVN_BEGINLABELEDIT), 3);
}

TEST_F(TreeTest, DeletingTheEditedItemEndsTheEdit)
{
    Build(TVS_EDITLABELS);
    ASSERT_NE(tree.EditLabel(leek), nullptr);
    tree.DeleteItem(veg);
    EXPECT_EQ(tree.GetEditControl(), nullptr);
}

TEST_F(TreeTest, HitTestAndDragImage)
{
    Build();
    UINT flags = 0;
    EXPECT_EQ(tree.HitTest(CPoint(150, 5), &flags), fruit);
    EXPECT_EQ(flags, TVHT_ONITEMRIGHT);
    EXPECT_EQ(tree.HitTest(CPoint(5, 90), &flags), nullptr);
    EXPECT_EQ(flags, TVHT_NOWHERE);
    tree.HitTest(CPoint(5, 500), &flags);
    EXPECT_EQ(flags, TVHT_BELOW);
    CImageList* image = tree.CreateDragImage(veg);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->GetImageCount(), 1);
    delete image;
    EXPECT_EQ(tree.CreateDragImage(nullptr), nullptr);
}

TEST_F(TreeTest, SortChildrenByCallback)
{
    Build();
    HTREEITEM a = tree.InsertItem("x", veg);
    tree.SetItemData(a, 1);
    tree.SetItemData(leek, 5);
    TVSORTCB sort{veg, [](LPARAM x, LPARAM y, LPARAM) { return static_cast<int>(x - y); }, 0};
    EXPECT_TRUE(tree.SortChildrenCB(&sort));
    EXPECT_EQ(tree.GetChildItem(veg), a);
}

TEST_F(TreeTest, TreeMessagesReachTheItems)
{
    Build();
    CImageList images;
    images.Create(16, 16, ILC_MASK, 2, 0);
    EXPECT_EQ(tree.SendMessage(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images.GetSafeHandle())), 0);
    EXPECT_EQ(tree.SendMessage(TVM_GETIMAGELIST, TVSIL_NORMAL), reinterpret_cast<LRESULT>(images.GetSafeHandle()));
    EXPECT_EQ(tree.SendMessage(TVM_GETBKCOLOR), -1) << "system colours until one is set";
    tree.SendMessage(TVM_SETBKCOLOR, 0, RGB(1, 2, 3));
    EXPECT_EQ(tree.SendMessage(TVM_GETBKCOLOR), static_cast<LRESULT>(RGB(1, 2, 3)));
    EXPECT_EQ(tree.SendMessage(TVM_GETNEXTITEM, TVGN_ROOT), reinterpret_cast<LRESULT>(fruit));
    EXPECT_TRUE(tree.SendMessage(TVM_SELECTITEM, TVGN_DROPHILITE, reinterpret_cast<LPARAM>(veg)));
    EXPECT_EQ(tree.GetDropHilightItem(), veg);
    EXPECT_TRUE(tree.SendMessage(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(leek)));
    EXPECT_EQ(tree.SendMessage(TVM_GETCOUNT), 5);
    EXPECT_EQ(tree.GetDropHilightItem(), veg);
}

TEST_F(TreeTest, TreeMessagesWorkWithoutATreeObject)
{
    AfxRegisterControlClasses();
    HWND plain = CreateWindowEx(0, WC_TREEVIEW, "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, m_parent.m_hWnd, nullptr,
                                nullptr, nullptr);
    m_windows.push_back(plain);
    EXPECT_EQ(SendMessage(plain, TVM_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(SendMessage(plain, TVM_GETNEXTITEM, TVGN_ROOT, 0), 0);
    EXPECT_EQ(CWnd::FromHandlePermanent(plain), nullptr) << "the borrowed object is gone again";
}

} // namespace
