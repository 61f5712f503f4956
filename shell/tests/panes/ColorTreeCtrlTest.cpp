// The owner-drawn tree's items on small pictures: own colours, selection with and without the
// focus, a disabled tree, and bold text wider than the system's rectangle.
#include "shell/ColorTreeCtrl.h"

#include "UiFixture.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/SysColors.h"

namespace {

class ColorTreeCtrlTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        ASSERT_TRUE(parent.CreateEx(0, PlainClass(), "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 240, 160, nullptr,
                                    nullptr));
        ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASLINES, CRect(0, 0, 200, 120), &parent, 7));
        first = tree.InsertItem("Alpha");
        second = tree.InsertItem("Beta");
    }
    void TearDown() override
    {
        tree.DestroyWindow();
        parent.DestroyWindow();
        UiTest::TearDown();
    }
    // The tree as it paints: its background, then the items.
    void Render()
    {
        CRect client;
        tree.GetClientRect(&client);
        memory.DeleteDC();
        bitmap.DeleteObject();
        memory.CreateCompatibleDC(nullptr);
        bitmap.CreateBitmap(client.Width(), client.Height(), 1, 32, nullptr);
        memory.SelectObject(&bitmap);
        memory.FillSolidRect(&client, tree.GetBackColor());
        tree.DrawItems(&memory, client);
    }
    CRect TextRect(HTREEITEM item) const
    {
        CRect rect;
        tree.GetItemRect(item, &rect, TRUE);
        return rect;
    }
    int Count(const CRect& rect, COLORREF color)
    {
        int found = 0;
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x)
                found += memory.GetPixel(x, y) == color;
        return found;
    }

    CWnd parent;
    CColorTreeCtrl tree;
    HTREEITEM first = nullptr, second = nullptr;
    CDC memory;
    CBitmap bitmap;
};

TEST_F(ColorTreeCtrlTest, AnItemColourShowsUnlessTheItemIsSelected)
{
    tree.SetItemColor(first, RGB(255, 0, 0));
    Render();
    EXPECT_GT(Count(TextRect(first), RGB(255, 0, 0)), 0);
    EXPECT_EQ(Count(TextRect(second), RGB(255, 0, 0)), 0);
    tree.SelectItem(first);
    Render();
    EXPECT_EQ(Count(TextRect(first), RGB(255, 0, 0)), 0);
}

TEST_F(ColorTreeCtrlTest, SelectionUsesHighlightWithFocusAndFaceColourWithout)
{
    tree.SelectItem(second);
    parent.SetFocus();
    Render();
    const CRect rect = TextRect(second);
    EXPECT_GT(Count(rect, ::GetSysColor(COLOR_3DFACE)), rect.Width() * rect.Height() / 2);
    EXPECT_GT(Count(rect, ::GetSysColor(COLOR_BTNTEXT)), 0);
    tree.SetFocus();
    ASSERT_EQ(CWnd::GetFocus(), &tree);
    Render();
    EXPECT_GT(Count(rect, ::GetSysColor(COLOR_HIGHLIGHT)), rect.Width() * rect.Height() / 2);
    EXPECT_GT(Count(rect, ::GetSysColor(COLOR_HIGHLIGHTTEXT)), 0);
}

TEST_F(ColorTreeCtrlTest, ADisabledTreeShowsGreyTextOnTheFaceColour)
{
    tree.EnableWindow(FALSE);
    EXPECT_EQ(tree.GetBackColor(), ::GetSysColor(COLOR_3DFACE));
    Render();
    const CRect rect = TextRect(first);
    EXPECT_GT(Count(rect, ::GetSysColor(COLOR_GRAYTEXT)), 0);
    EXPECT_EQ(Count(rect, ::GetSysColor(COLOR_WINDOWTEXT)), 0);
    EXPECT_EQ(Count(rect, ::GetSysColor(COLOR_WINDOW)), 0);
    tree.SendMessage(TVM_SETBKCOLOR, 0, RGB(0, 0, 200));
    EXPECT_EQ(tree.GetBackColor(), RGB(0, 0, 200)) << "the tree's own colour wins";
}

TEST_F(ColorTreeCtrlTest, ABoldSelectedItemInItsOwnFontIsCoveredInFull)
{
    HTREEITEM wide = tree.InsertItem("WWWWWWWW");
    LOGFONT font{};
    ::GetObject(::GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    font.lfHeight = -16;
    tree.SetItemFont(wide, font);
    tree.SetItemBold(wide);
    tree.SelectItem(wide);
    tree.SetFocus();
    Render();
    const CRect rect = TextRect(wide);
    const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
    CDC probe;
    probe.CreateCompatibleDC(nullptr);
    font.lfWeight = FW_BOLD;
    CFont bold;
    bold.CreateFontIndirect(&font);
    probe.SelectObject(&bold);
    const int boldWidth = probe.GetTextExtent(CString("WWWWWWWW")).cx;
    ASSERT_GT(boldWidth, rect.Width()) << "bold text is wider than the system's rectangle";
    const int y = rect.top + 1; // above the glyphs
    EXPECT_EQ(memory.GetPixel(rect.left + boldWidth, y), highlight) << "the selection covers the whole text";
}

} // namespace
