#include "controls/ColourPickerPopup.h"

#include "platform/gdi/Dc.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/WinApp.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNCREATE(CColourPickerPopup, CCoolComboPopup)

namespace {
constexpr LPCTSTR DialogFailedText = "Unable to display colour chooser dialog";
}

void CreateColourPalette(CPalette& palette, const COLORREF* colours, int count)
{
    palette.DeleteObject();
    std::vector<BYTE> memory(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * static_cast<size_t>(std::max(count, 1)));
    auto* logical = reinterpret_cast<LOGPALETTE*>(memory.data());
    logical->palVersion = 0x300;
    logical->palNumEntries = static_cast<WORD>(count);
    PALETTEENTRY* entries = logical->palPalEntry;
    for (int i = 0; i < count; ++i)
        entries[i] = PALETTEENTRY{GetRValue(colours[i]), GetGValue(colours[i]), GetBValue(colours[i]), 0};
    if (count <= 0 || !palette.CreatePalette(logical)) {
        CClientDC screen(nullptr);
        palette.CreateHalftonePalette(&screen);
    }
}

int CColourPickerPopup::ValueOf(COLORREF colour, const COLORREF* colours, int count, bool hasTextEntries)
{
    if (colour == AutomaticPickerColour)
        return CC_EXTRA;
    const COLORREF* found = std::find(colours, colours + count, colour);
    if (found != colours + count)
        return static_cast<int>(found - colours);
    return hasTextEntries ? CC_TEXTENTRY : CC_NONE;
}

BOOL CColourPickerPopup::CreateColour(CPoint at, CWnd* button, UINT id, const Content& content, const Colours& colours)
{
    m_colours.assign(colours.colours, colours.colours + std::max(0, colours.count));
    m_customColours = colours.customColours;
    m_colour = colours.current;
    m_usePalette = colours.usePalette;
    CreateColourPalette(m_palette, m_colours.data(), static_cast<int>(m_colours.size()));
    Content own = content;
    own.count = static_cast<int>(m_colours.size());
    own.selected = ValueOf(m_colour, m_colours.data(), own.count, content.textEntries && content.textEntries->GetSize());
    return Create(at, button, id, own);
}

void CColourPickerPopup::SetColour(COLORREF colour)
{
    m_colour = colour;
    const int value = ValueOf(colour, m_colours.data(), static_cast<int>(m_colours.size()), m_textEntries.GetSize() > 0);
    if (m_hWnd && value != m_selected)
        SetSelected(value);
}

void CColourPickerPopup::OnChooseItem(int index)
{
    m_colour = m_colours[static_cast<size_t>(index)];
    Notify(CCN_SELECT, m_colour);
}

void CColourPickerPopup::OnChooseExtra()
{
    m_colour = AutomaticPickerColour;
    Notify(CCN_EXTRA, AutomaticPickerColour);
}

// "More Colors...": the colour dialog with the custom colours that are stored or that the
// owner hands over.
void CColourPickerPopup::OnChooseTextEntry(int)
{
    COLORREF* custom = m_customColours;
    if (!custom)
        custom = reinterpret_cast<COLORREF*>(SendCoolComboNotify(m_button, this, m_id, CCN_QUERYCUSTOMCOLOURS, 0));
    CColorDialog dialog(m_colour == AutomaticPickerColour ? 0 : m_colour, CC_FULLOPEN | CC_ANYCOLOR);
    if (custom)
        dialog.m_cc.lpCustColors = custom;
    m_ignoreFocusLoss = TRUE;
    const INT_PTR result = dialog.DoModal();
    m_ignoreFocusLoss = FALSE;
    if (result == IDOK) {
        m_colour = dialog.GetColor();
        Notify(CCN_SELECT, m_colour);
    } else if (result == -1) {
        AfxMessageBox(DialogFailedText);
    }
}

void CColourPickerPopup::OnHotChanged(int)
{
    Notify(CCN_HOTCHANGED, m_colour);
}

void CColourPickerPopup::DrawCellContent(CDC& dc, int index, const CRect& rect, BOOL)
{
    const COLORREF colour = m_colours[static_cast<size_t>(index)];
    const bool palette = m_usePalette && (dc.GetDeviceCaps(RASTERCAPS) & RC_PALETTE);
    CPalette* oldPalette = palette ? dc.SelectPalette(&m_palette, FALSE) : nullptr;
    if (palette)
        dc.RealizePalette();
    CRect cell = rect;
    cell.DeflateRect(2, 2);
    CPen pen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
    CBrush brush(m_usePalette ? PALETTERGB(GetRValue(colour), GetGValue(colour), GetBValue(colour)) : colour);
    CPen* oldPen = dc.SelectObject(&pen);
    CBrush* oldBrush = dc.SelectObject(&brush);
    dc.Rectangle(&cell);
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
    if (oldPalette)
        dc.SelectPalette(oldPalette, FALSE);
}
