#include "platform/toolkit/XTPPaintManager.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/SysColors.h"
#include "platform/toolkit/XTPCommandBar.h"
#include "platform/toolkit/XTPIconStore.h"
#include "platform/toolkit/XTPCommandBars.h"
#include "platform/toolkit/XTPPopupBar.h"

#include <algorithm>

namespace {

constexpr XTPThemeColors kThemes[CXTPPaintManager::kThemeCount] = {
    // classic raised
    {RGB(212, 208, 200), RGB(128, 128, 128), RGB(128, 128, 128), RGB(212, 208, 200), RGB(255, 255, 255),
     RGB(232, 230, 226), RGB(190, 186, 178), RGB(0, 0, 0), RGB(255, 255, 255), RGB(128, 128, 128),
     RGB(212, 208, 200), RGB(212, 208, 200), RGB(128, 128, 128), RGB(10, 36, 106), RGB(255, 255, 255)},
    // flat
    {RGB(219, 216, 209), RGB(166, 166, 166), RGB(160, 160, 160), RGB(182, 189, 210), RGB(10, 36, 106),
     RGB(212, 213, 216), RGB(133, 146, 181), RGB(0, 0, 0), RGB(0, 0, 0), RGB(141, 141, 141),
     RGB(252, 252, 249), RGB(219, 216, 209), RGB(166, 166, 166), RGB(128, 128, 128), RGB(255, 255, 255)},
    // blue gradient
    {RGB(196, 218, 250), RGB(59, 97, 156), RGB(39, 65, 118), RGB(255, 238, 194), RGB(0, 0, 128),
     RGB(255, 192, 111), RGB(254, 128, 62), RGB(0, 0, 0), RGB(0, 0, 0), RGB(141, 141, 141),
     RGB(246, 246, 246), RGB(203, 225, 252), RGB(106, 140, 203), RGB(89, 135, 214), RGB(255, 255, 255)},
    // system look
    {RGB(236, 233, 216), RGB(172, 168, 153), RGB(193, 190, 179), RGB(193, 210, 238), RGB(49, 106, 197),
     RGB(225, 230, 232), RGB(152, 181, 226), RGB(0, 0, 0), RGB(0, 0, 0), RGB(172, 168, 153),
     RGB(255, 255, 255), RGB(236, 233, 216), RGB(197, 194, 184), RGB(0, 84, 227), RGB(255, 255, 255)},
};

bool created = false;

} // namespace

CXTPPaintManager* CXTPPaintManager::Get()
{
    static CXTPPaintManager manager;
    created = true;
    return &manager;
}

void CXTPPaintManager::SetTheme(int theme) { Get()->m_theme = std::clamp(theme, 0, kThemeCount - 1); }

int CXTPPaintManager::GetCurrentTheme() { return Get()->m_theme; }

BOOL CXTPPaintManager::IsCreated() { return created; }

const XTPThemeColors& CXTPPaintManager::Colors() const { return kThemes[m_theme]; }

const XTPThemeColors& CXTPPaintManager::ThemeColors(int theme) { return kThemes[std::clamp(theme, 0, kThemeCount - 1)]; }

COLORREF CXTPPaintManager::GetThemeColor(int index) const
{
    switch (index) {
    case COLOR_BTNTEXT: return Colors().text;
    case COLOR_BTNFACE: return Colors().barFace;
    case COLOR_HIGHLIGHT: return Colors().hotFace;
    case COLOR_GRAYTEXT: return Colors().disabledText;
    default: return ::GetSysColor(index);
    }
}

CFont* CXTPPaintManager::GetFont() const
{
    return CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
}

void CXTPPaintManager::FillCommandBar(CDC* dc, CXTPCommandBar* bar, const CRect& rect) const
{
    BOOL popup = bar->GetPosition() == BarPopup;
    dc->FillSolidRect(&rect, popup ? Colors().popupFace : Colors().barFace);
    if (popup || m_theme == 0)
        dc->Draw3dRect(&rect, popup ? Colors().barBorder : RGB(255, 255, 255), Colors().barBorder);
}

void CXTPPaintManager::DrawGripper(CDC* dc, const CRect& rect, BOOL horizontal) const
{
    for (int i = 3; i + 2 < (horizontal ? rect.Height() : rect.Width()) - 2; i += 4) {
        int x = horizontal ? rect.left + rect.Width() / 2 - 1 : rect.left + i;
        int y = horizontal ? rect.top + i : rect.top + rect.Height() / 2 - 1;
        dc->FillSolidRect(x, y, 2, 2, Colors().gripper);
    }
}

void CXTPPaintManager::DrawSeparator(CDC* dc, const CRect& rect, BOOL horizontal) const
{
    if (horizontal)
        dc->FillSolidRect(rect.left + rect.Width() / 2, rect.top + 3, 1, rect.Height() - 6, Colors().separator);
    else
        dc->FillSolidRect(rect.left + 3, rect.top + rect.Height() / 2, rect.Width() - 6, 1, Colors().separator);
}

void CXTPPaintManager::DrawControlFace(CDC* dc, CXTPControl* control, const CRect& rect, BOOL inPopup) const
{
    BOOL hot = control->GetSelected() && control->GetEnabled();
    BOOL pressed = control->GetPressed() && hot;
    // A menu row shows its check in the icon column, not as a face across the row.
    BOOL checked = control->GetChecked() != 0 && !inPopup;
    if (!hot && !checked)
        return;
    if (m_theme == 0 && !inPopup) {
        dc->Draw3dRect(&rect, pressed || checked ? Colors().barBorder : Colors().hotBorder,
                       pressed || checked ? Colors().hotBorder : Colors().barBorder);
        return;
    }
    COLORREF face = pressed ? Colors().pressedFace : hot ? Colors().hotFace : Colors().checkedFace;
    if (m_theme == 0 && inPopup)
        face = hot ? Colors().paneCaption : Colors().checkedFace;
    dc->FillSolidRect(&rect, face);
    if (m_theme != 0)
        dc->Draw3dRect(&rect, Colors().hotBorder, Colors().hotBorder);
}

void CXTPPaintManager::FillControlBackground(CDC* dc, CXTPControl* control) const
{
    CRect rect = control->GetRect();
    dc->FillSolidRect(&rect, control->GetParent() && control->GetParent()->GetPosition() == BarPopup
                                 ? Colors().popupFace
                                 : Colors().barFace);
    DrawControlFace(dc, control, rect, FALSE);
}

void CXTPPaintManager::DrawDropArrow(CDC* dc, const CRect& rect, BOOL enabled, BOOL right) const
{
    COLORREF color = enabled ? Colors().text : Colors().disabledText;
    CPoint c = rect.CenterPoint();
    for (int i = 0; i < 3; ++i) {
        if (right)
            dc->FillSolidRect(c.x - 1 + i, c.y - 2 + i, 1, 5 - 2 * i, color);
        else
            dc->FillSolidRect(c.x - 2 + i, c.y - 1 + i, 5 - 2 * i, 1, color);
    }
}

void CXTPPaintManager::DrawCheckMark(CDC* dc, const CRect& rect) const
{
    CPoint c = rect.CenterPoint();
    for (int i = 0; i < 7; ++i) {
        int y = i < 3 ? c.y + i - 1 : c.y + 3 - i + 1;
        dc->FillSolidRect(c.x - 3 + i, y, 1, 3, Colors().text);
    }
}

void CXTPPaintManager::DrawMenuCheck(CDC* dc, const CRect& column, BOOL hasIcon) const
{
    if (!hasIcon) {
        DrawCheckMark(dc, column);
        return;
    }
    // A checked command with an icon keeps its icon and gets a framed square behind it.
    CRect box(column.left + 1, column.top + 1, column.right - 1, column.bottom - 1);
    dc->FillSolidRect(&box, Colors().checkedFace);
    dc->Draw3dRect(&box, Colors().hotBorder, Colors().hotBorder);
}

void CXTPPaintManager::DrawCaption(CDC* dc, const CString& caption, CRect rect, UINT format, BOOL enabled) const
{
    CFont* old = dc->SelectObject(GetFont());
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(enabled ? Colors().text : Colors().disabledText);
    dc->DrawText(caption, &rect, format | DT_SINGLELINE | DT_VCENTER);
    dc->SelectObject(old);
}

CSize CXTPPaintManager::MeasureCaption(CDC* dc, const CString& caption) const
{
    CString plain = caption;
    plain.Remove('&');
    CFont* old = dc->SelectObject(GetFont());
    CSize size = dc->GetTextExtent(plain);
    dc->SelectObject(old);
    return size;
}

namespace {

BOOL showsIcon(CommandButtonStyle style, BOOL hasIcon)
{
    return hasIcon && (style == ButtonIcon || style == ButtonIconAndCaption || style == ButtonAutomatic);
}

BOOL showsCaption(CommandButtonStyle style, BOOL hasIcon)
{
    return style == ButtonCaption || style == ButtonIconAndCaption || (style != ButtonIcon && !hasIcon);
}

// Buttons on bars show large icons when the user asks for them; menu rows never do.
BOOL showsLargeIcon(CXTPControl* control)
{
    CXTPCommandBars* bars = control->GetCommandBars();
    return bars && bars->GetOptions().largeIcons && !CXTPPaintManager::IsMenuRow(control);
}

} // namespace

BOOL CXTPPaintManager::IsMenuRow(const CXTPControl* control)
{
    CXTPCommandBar* bar = control->GetParent();
    return bar && bar->IsKindOf(RUNTIME_CLASS(CXTPPopupBar)) && !bar->IsKindOf(RUNTIME_CLASS(CXTPPopupToolBar));
}

void CXTPPaintManager::DrawButton(CDC* dc, CXTPControl* control) const
{
    CXTPIconStore* images = control->GetCommandBars() ? control->GetCommandBars()->GetIconStore() : nullptr;
    BOOL hasIcon = images && images->HasIcon(control->GetImageId());
    BOOL menuRow = IsMenuRow(control);
    CRect rect = control->GetRect();
    DrawControlFace(dc, control, rect, menuRow);
    int x = rect.left + 4;
    if (menuRow) {
        if (control->GetChecked())
            DrawMenuCheck(dc, CRect(rect.left, rect.top, rect.left + 22, rect.bottom), hasIcon);
        if (hasIcon)
            images->DrawIcon(dc, control->GetImageId(), CPoint(rect.left + 3, rect.top + 3));
        DrawCaption(dc, control->GetCaption(), CRect(rect.left + 28, rect.top, rect.right, rect.bottom), DT_LEFT,
                    control->GetEnabled());
        return;
    }
    if (showsIcon(control->GetStyle(), hasIcon)) {
        const BOOL large = showsLargeIcon(control);
        CSize size = images->GetIconSize(control->GetImageId(), large);
        BOOL alone = !showsCaption(control->GetStyle(), hasIcon);
        int left = alone ? rect.left + (rect.Width() - size.cx) / 2 : x;
        images->DrawIcon(dc, control->GetImageId(), CPoint(left, rect.top + (rect.Height() - size.cy) / 2), large);
        x += size.cx + 4;
    }
    if (showsCaption(control->GetStyle(), hasIcon))
        DrawCaption(dc, control->GetCaption(), CRect(x, rect.top, rect.right, rect.bottom), DT_LEFT, control->GetEnabled());
}

CSize CXTPPaintManager::ButtonSize(CDC* dc, CXTPControl* control) const
{
    CXTPIconStore* images = control->GetCommandBars() ? control->GetCommandBars()->GetIconStore() : nullptr;
    BOOL hasIcon = images && images->HasIcon(control->GetImageId());
    if (IsMenuRow(control))
        return CSize(MeasureCaption(dc, control->GetCaption()).cx + 28 + 24, 22);
    int width = 8, height = 22;
    if (showsIcon(control->GetStyle(), hasIcon)) {
        const CSize icon = images->GetIconSize(control->GetImageId(), showsLargeIcon(control));
        width += icon.cx + (showsCaption(control->GetStyle(), hasIcon) ? 4 : -1);
        height = std::max(height, static_cast<int>(icon.cy) + 6);
    }
    if (showsCaption(control->GetStyle(), hasIcon))
        width += MeasureCaption(dc, control->GetCaption()).cx;
    return CSize(std::max(width, 23), height);
}
