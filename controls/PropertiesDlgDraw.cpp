// What the rows of the Properties dialog show: names, values, colour swatches, the row
// button and its glyphs.
#include "controls/PropertiesDlg.h"

#include "objects/PropBasic.h"
#include "objects/PropColor.h"
#include "objects/PropOb.h"
#include "platform/gdi/Dc.h"

namespace {

constexpr int ColourCaptionId = 27151;

// Line glyphs of the row button, relative to its top-left corner; {-1} ends a glyph.
struct Segment {
    int x1, y1, x2, y2;
};
constexpr Segment ArrowGlyph[] = {{4, 6, 11, 6}, {5, 7, 10, 7}, {6, 8, 9, 8}, {7, 9, 8, 9}};
constexpr Segment EllipsisGlyph[] = {{3, 9, 5, 9}, {7, 9, 9, 9}, {11, 9, 13, 9}};
constexpr Segment DifferenceGlyph[] = {{4, 5, 12, 5}, {4, 9, 12, 9}, {10, 3, 6, 11}};

template <size_t N>
void DrawGlyph(CDC* dc, const CRect& button, const Segment (&glyph)[N])
{
    CPen pen(PS_SOLID, 1, GetSysColor(COLOR_BTNTEXT));
    CPen* old = dc->SelectObject(&pen);
    for (const Segment& s : glyph) {
        dc->MoveTo(button.left + s.x1, button.top + s.y1);
        dc->LineTo(button.left + s.x2, button.top + s.y2);
    }
    dc->SelectObject(old);
}

BOOL IsColourProperty(const CPropOb* property)
{
    return property->m_controlId == CPropEditDlg::ColourComboControl || property->m_captionId == ColourCaptionId ||
           CPropEditDlg::EditKindOf(property) == CPropEditDlg::KindColour;
}

} // namespace

BOOL CPropertiesDlg::IsPropertyEnabled(INT_PTR data) const
{
    const CPropOb* property = PropertyOfRow(data);
    return property && property->m_editable;
}

CString CPropertiesDlg::GetPropertyName(INT_PTR data) const
{
    const CPropOb* property = PropertyOfRow(data);
    if (!property)
        return CString();
    // A name may carry a longer form after a line break.
    CString name = property->GetName();
    const int lineBreak = name.Find('\n');
    return lineBreak >= 0 ? name.Left(lineBreak) : name;
}

BOOL CPropertiesDlg::IsPropertyDifferent(int position) const
{
    return m_commonFlags && m_list && position >= 0 && position < m_list->GetSize() && !m_commonFlags[position];
}

BOOL CPropertiesDlg::IsScriptEmpty(INT_PTR data) const
{
    if (IsPropertyDifferent(static_cast<int>(data - 1)))
        return FALSE;
    const auto* script = dynamic_cast<const CPropBasic*>(PropertyOfRow(data));
    if (!script)
        return FALSE;
    CString text;
    script->GetStringValue(text);
    return text.IsEmpty();
}

CString CPropertiesDlg::GetPropertyValueText(INT_PTR data) const
{
    CString text;
    const CPropOb* property = PropertyOfRow(data);
    if (property && !IsPropertyDifferent(static_cast<int>(data - 1)))
        property->GetValueText(text);
    return text;
}

int CPropertiesDlg::DrawColourCell(CDC* dc, INT_PTR data, const CRect& cell, BOOL)
{
    const CPropOb* property = PropertyOfRow(data);
    if (!property || !IsColourProperty(property))
        return 0;
    const int side = cell.Height() - 4;
    CRect swatch(cell.left, cell.top + 2, cell.left + side, cell.top + 2 + side);
    const auto* colour = dynamic_cast<const CPropColor*>(property);
    const BOOL editing = m_listWnd.m_trackedRow == data;
    if (colour && !editing && !IsPropertyDifferent(static_cast<int>(data - 1))) {
        if (colour->m_edited == static_cast<COLORREF>(-1)) {
            CBrush hatch(HS_DIAGCROSS, GetSysColor(COLOR_BTNTEXT));
            dc->FillRect(&swatch, &hatch);
        } else {
            dc->FillSolidRect(&swatch, colour->m_edited);
        }
    }
    CBrush frame(GetSysColor(COLOR_BTNTEXT));
    dc->FrameRect(&swatch, &frame);
    return side + 4;
}

void CPropertiesDlg::DrawValueText(CDC* dc, INT_PTR data, const CRect& cell)
{
    const CPropOb* property = PropertyOfRow(data);
    if (!property || (m_listWnd.m_trackedRow == data && !IsColourProperty(property)))
        return;
    CRect text = cell;
    dc->DrawText(GetPropertyValueText(data), &text, DT_NOPREFIX | DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER);
}

CRect CPropertiesDlg::GetButtonRect(CDC* dc, CRect rect)
{
    rect.InflateRect(0, m_listWnd.m_margin);
    rect.left = rect.right - CPropListWnd::ButtonWidth;
    dc->DrawFrameControl(&rect, DFC_BUTTON, DFCS_BUTTONPUSH);
    dc->FillSolidRect(rect.left - 1, rect.top, 1, rect.Height(), GetSysColor(COLOR_BTNFACE));
    rect.DeflateRect(1, 1);
    return rect;
}

void CPropertiesDlg::DrawRowButton(CDC* dc, INT_PTR data, const CRect& row)
{
    CPropOb* property = PropertyOfRow(data);
    if (!property || !property->m_editable)
        return;
    const BOOL different = IsPropertyDifferent(static_cast<int>(data - 1));
    const UINT id = property->m_controlId;
    if (id == EditControl && !different)
        return;
    if (m_listWnd.m_trackedRow == data && !IsColourProperty(property))
        return;
    const CRect button = GetButtonRect(dc, row);
    if (different)
        DrawGlyph(dc, button, DifferenceGlyph);
    else if (id == ChoiceControl || id == UrlComboControl || id == ColourComboControl || id == 118)
        DrawGlyph(dc, button, ArrowGlyph);
    else if (id == BrowseControl || id == DateTimeControl)
        DrawGlyph(dc, button, EllipsisGlyph);
    else
        DrawCustomButton(dc, property, button);
}
