#include "controls/ColourPicker.h"

#include "platform/gdi/Dc.h"

namespace {

// Close enough to the face that a swatch needs an outline to be seen.
bool nearFace(COLORREF colour)
{
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    auto square = [](int d) { return d * d; };
    return square(GetRValue(colour) - GetRValue(face)) + square(GetGValue(colour) - GetGValue(face)) +
               square(GetBValue(colour) - GetBValue(face)) < 255;
}

} // namespace

void CColourPicker::DrawColourSwatch(CDC& dc, const CRect& rect, UINT)
{
    const COLORREF shown = m_applyLastColourOnClick ? m_lastColour : m_colour;
    const bool automatic = shown == AutomaticPickerColour || (!m_applyLastColourOnClick && m_selection == CC_UNSET);
    if (!IsWindowEnabled()) {
        dc.FillSolidRect(&rect, ::GetSysColor(COLOR_3DHILIGHT));
        dc.FillSolidRect(rect.left, rect.top, rect.Width() - 1, rect.Height() - 1, ::GetSysColor(COLOR_BTNSHADOW));
        return;
    }
    COLORREF fill = automatic ? ::GetSysColor(COLOR_BTNFACE) : shown;
    if (!automatic && m_usePalette && (dc.GetDeviceCaps(RASTERCAPS) & RC_PALETTE))
        fill = PALETTEINDEX(static_cast<WORD>(m_palette.GetNearestPaletteIndex(shown)));
    dc.FillSolidRect(&rect, fill);
    if (automatic || m_selection == CC_UNSET || nearFace(shown)) {
        CBrush outline(automatic ? ::GetSysColor(COLOR_BTNSHADOW) : RGB(0, 0, 0));
        dc.FrameRect(&rect, &outline);
    }
}

void CColourPicker::DrawButtonContent(CDC& dc, const CRect& rect)
{
    const bool palette = m_usePalette && (dc.GetDeviceCaps(RASTERCAPS) & RC_PALETTE);
    CPalette* oldPalette = palette ? dc.SelectPalette(&m_palette, FALSE) : nullptr;
    if (palette)
        dc.RealizePalette();
    CRect content = rect;
    content.DeflateRect(::GetSystemMetrics(SM_CXEDGE), ::GetSystemMetrics(SM_CYEDGE));
    dc.FillSolidRect(&content, ::GetSysColor(m_selection == CC_UNSET ? COLOR_3DHILIGHT : COLOR_BTNFACE));
    CRect swatch = content;
    if (m_buttonImage.GetSafeHandle()) {
        const CPoint at(content.left + (content.Width() - m_buttonSize.cx) / 2,
                        content.top + (content.Height() - m_buttonSize.cy) / 2);
        if (m_swatchOverImage)
            swatch = CRect(at, m_buttonSize);
        else
            swatch.top = swatch.bottom - 2 * ::GetSystemMetrics(SM_CYEDGE);
    }
    DrawColourSwatch(dc, swatch, 0);
    if (m_buttonImage.GetSafeHandle())
        DrawImageCentred(dc, m_buttonImage, 0, content, m_buttonSize);
    DrawUnsetChecker(dc, content);
    if (oldPalette)
        dc.SelectPalette(oldPalette, FALSE);
}
