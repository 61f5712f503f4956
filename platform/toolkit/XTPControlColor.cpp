#include "platform/toolkit/XTPControlColor.h"

#include "platform/gdi/Dc.h"
#include "platform/toolkit/XTPCommandBar.h"
#include "platform/toolkit/XTPCommandBars.h"
#include "platform/toolkit/XTPPaintManager.h"

IMPLEMENT_DYNCREATE(CXTPControlButtonColor, CXTPControlButton)
IMPLEMENT_DYNCREATE(CXTPControlPopupColor, CXTPControlPopup)
IMPLEMENT_DYNCREATE(CXTPControlColorSelector, CXTPControl)

namespace {

constexpr COLORREF kPalette[CXTPControlColorSelector::kColumns * CXTPControlColorSelector::kRows] = {
    RGB(0, 0, 0),       RGB(153, 51, 0),    RGB(51, 51, 0),     RGB(0, 51, 0),      RGB(0, 51, 102),
    RGB(0, 0, 128),     RGB(51, 51, 153),   RGB(51, 51, 51),    RGB(128, 0, 0),     RGB(255, 102, 0),
    RGB(128, 128, 0),   RGB(0, 128, 0),     RGB(0, 128, 128),   RGB(0, 0, 255),     RGB(102, 102, 153),
    RGB(128, 128, 128), RGB(255, 0, 0),     RGB(255, 153, 0),   RGB(153, 204, 0),   RGB(51, 153, 102),
    RGB(51, 204, 204),  RGB(51, 102, 255),  RGB(128, 0, 128),   RGB(153, 153, 153), RGB(255, 0, 255),
    RGB(255, 204, 0),   RGB(255, 255, 0),   RGB(0, 255, 0),     RGB(0, 255, 255),   RGB(0, 204, 255),
    RGB(153, 51, 102),  RGB(192, 192, 192), RGB(255, 153, 204), RGB(255, 204, 153), RGB(255, 255, 153),
    RGB(204, 255, 204), RGB(204, 255, 255), RGB(153, 204, 255), RGB(204, 153, 255), RGB(255, 255, 255),
};

} // namespace

void CXTPControlButtonColor::SetColor(COLORREF color)
{
    m_color = color;
    RedrawParent();
}

void CXTPControlPopupColor::SetColor(COLORREF color)
{
    if (m_color == color)
        return;
    m_color = color;
    RedrawParent();
}

void CXTPControlPopupColor::Draw(CDC* dc)
{
    CXTPControlPopup::Draw(dc);
    if (m_color == kAutomaticColor)
        return;
    // In a menu the bar lies under the icon at the start of the row.
    CRect bar = CXTPPaintManager::IsMenuRow(this)
                    ? CRect(m_rect.left + 3, m_rect.top + 15, m_rect.left + 19, m_rect.top + 19)
                    : CRect(m_rect.left + 3, m_rect.bottom - 6, m_rect.right - 14, m_rect.bottom - 2);
    dc->FillSolidRect(&bar, m_color);
}

COLORREF CXTPControlColorSelector::PaletteColor(int index)
{
    return index >= 0 && index < kColumns * kRows ? kPalette[index] : kAutomaticColor;
}

void CXTPControlColorSelector::SetColor(COLORREF color)
{
    if (m_color == color)
        return;
    m_color = color;
    RedrawParent();
}

CSize CXTPControlColorSelector::GetSize(CDC*) { return CSize(kColumns * kCell + 4, kRows * kCell + 4); }

CRect CXTPControlColorSelector::CellRect(int index) const
{
    int x = m_rect.left + 2 + (index % kColumns) * kCell, y = m_rect.top + 2 + (index / kColumns) * kCell;
    return CRect(x, y, x + kCell, y + kCell);
}

COLORREF CXTPControlColorSelector::ColorAt(CPoint point) const
{
    for (int i = 0; i < kColumns * kRows; ++i)
        if (CellRect(i).PtInRect(point))
            return kPalette[i];
    return kAutomaticColor;
}

void CXTPControlColorSelector::Draw(CDC* dc)
{
    const XTPThemeColors& colors = XTPPaintManager()->Colors();
    for (int i = 0; i < kColumns * kRows; ++i) {
        CRect cell = CellRect(i);
        if (kPalette[i] == m_color)
            dc->Draw3dRect(&cell, colors.hotBorder, colors.hotBorder);
        cell.DeflateRect(3, 3);
        dc->FillSolidRect(&cell, kPalette[i]);
        dc->Draw3dRect(&cell, colors.separator, colors.separator);
    }
}

void CXTPControlColorSelector::OnClick(CPoint point)
{
    COLORREF color = ColorAt(point);
    if (color == kAutomaticColor || !m_enabled)
        return;
    m_color = color;
    CXTPCommandBars* bars = GetCommandBars();
    NotifySite(static_cast<WORD>(XTPN_EXECUTE));
    if (bars)
        bars->CancelTracking();
}

void CXTPControlButtonColor::Copy(const CXTPControl* source)
{
    CXTPControlButton::Copy(source);
    if (source->IsKindOf(RUNTIME_CLASS(CXTPControlButtonColor)))
        m_color = static_cast<const CXTPControlButtonColor*>(source)->m_color;
}

void CXTPControlPopupColor::Copy(const CXTPControl* source)
{
    CXTPControlPopup::Copy(source);
    if (source->IsKindOf(RUNTIME_CLASS(CXTPControlPopupColor)))
        m_color = static_cast<const CXTPControlPopupColor*>(source)->m_color;
}

void CXTPControlColorSelector::Copy(const CXTPControl* source)
{
    CXTPControl::Copy(source);
    if (source->IsKindOf(RUNTIME_CLASS(CXTPControlColorSelector)))
        m_color = static_cast<const CXTPControlColorSelector*>(source)->m_color;
}
