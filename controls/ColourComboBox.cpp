#include "controls/ColourComboBox.h"

#include "controls/ColourTable.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"

namespace {

constexpr UINT AutomaticTextId = 26631;
constexpr UINT BlankTextId = 26670;
constexpr int TextMargin = 62;

int sumOf(COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c); }

// Compares one channel, the greater value first.
int greaterFirst(int a, int b) { return a == b ? 0 : (a > b ? -1 : 1); }

} // namespace

int CColourComboBox::CompareColours(COLORREF a, COLORREF b)
{
    if (a == b)
        return 0;
    if (a == AutomaticColour || b == AutomaticColour)
        return a == AutomaticColour ? -1 : 1;
    if (sumOf(a) != sumOf(b))
        return sumOf(a) < sumOf(b) ? -1 : 1;
    if (int order = greaterFirst(GetBValue(a), GetBValue(b)))
        return order;
    if (int order = greaterFirst(GetGValue(a), GetGValue(b)))
        return order;
    return greaterFirst(GetRValue(a), GetRValue(b));
}

void CColourComboBox::Fill(BOOL addAutomatic, const LOGFONT* font, int itemHeight)
{
    if (addAutomatic)
        SetItemData(AddString(nullptr), AutomaticColour);
    if (font) {
        m_font = *font;
    } else if (HGDIOBJ own = reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT))) {
        ::GetObject(own, sizeof m_font, &m_font);
    }
    if (itemHeight == 20) {
        CFont measure;
        measure.CreateFontIndirect(&m_font);
        CClientDC dc(this);
        CFont* old = dc.SelectObject(&measure);
        m_itemHeight = dc.GetTextExtent("M", 1).cy + 2;
        dc.SelectObject(old);
    } else {
        m_itemHeight = itemHeight;
    }
    SetItemHeight(-1, static_cast<UINT>(m_itemHeight));
    SetItemHeight(0, static_cast<UINT>(m_itemHeight));
    for (COLORREF colour : ProgramColours)
        SetItemData(AddString(reinterpret_cast<LPCTSTR>(static_cast<DWORD_PTR>(colour))), colour);
}

void CColourComboBox::MeasureItem(LPMEASUREITEMSTRUCT mis)
{
    mis->itemHeight = static_cast<UINT>(m_itemHeight);
}

int CColourComboBox::CompareItem(LPCOMPAREITEMSTRUCT cis)
{
    return CompareColours(static_cast<COLORREF>(cis->itemData1), static_cast<COLORREF>(cis->itemData2));
}

void CColourComboBox::DrawCentredText(CDC& dc, const RECT& rect, UINT textId)
{
    CString text;
    text.LoadString(textId);
    CFont font;
    font.CreateFontIndirect(&m_font);
    CFont* old = dc.SelectObject(&font);
    if (dc.GetTextExtent(text).cx + TextMargin < rect.right - rect.left) {
        RECT area = rect;
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
        dc.DrawText(text, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    dc.SelectObject(old);
}

void CColourComboBox::DrawItem(LPDRAWITEMSTRUCT dis)
{
    CDC* dc = CDC::FromHandle(dis->hDC);
    const RECT& r = dis->rcItem;
    if (static_cast<int>(dis->itemID) < 0) {
        dc->FillSolidRect(&r, ::GetSysColor(COLOR_WINDOW));
        DrawCentredText(*dc, r, BlankTextId);
    } else if (static_cast<COLORREF>(dis->itemData) == AutomaticColour) {
        dc->FillSolidRect(&r, ::GetSysColor(IsWindowEnabled() ? COLOR_WINDOW : COLOR_BTNFACE));
        DrawCentredText(*dc, r, AutomaticTextId);
    } else {
        dc->FillSolidRect(&r, static_cast<COLORREF>(dis->itemData));
    }
    if (dis->itemState & ODS_SELECTED)
        dc->DrawFocusRect(&r);
}
