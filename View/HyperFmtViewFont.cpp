// What the font boxes and colour selectors of the command bars exchange with the view: the
// character format of the selection, the face or size chosen, the colour picked.
#include "View/HyperFmtView.h"

#include "objects/HyperOb.h"
#include "objects/PropOb.h"
#include "platform/gdi/Dc.h"
#include "platform/ui/CmdUI.h"
#include "platform/toolkit/XTPControlColor.h"
#include "platform/toolkit/XTPControlComboBox.h"

#include <cstdio>
#include <cstring>

namespace {

BOOL SameFace(const LOGFONT& a, const LOGFONT& b)
{
    return std::strcmp(a.lfFaceName, b.lfFaceName) == 0 && a.lfPitchAndFamily == b.lfPitchAndFamily
        && a.lfCharSet == b.lfCharSet;
}

} // namespace

void CHyperFmtView::GetSelectionCharFormat(CHARFORMAT* format)
{
    *format = CHARFORMAT{};
    format->cbSize = sizeof(CHARFORMAT);
    BOOL found = FALSE;
    const int faces = UpdateFromSelection(
        nullptr,
        [this](CPropOb* property, BOOL first) {
            const LOGFONT font = ShownFontOf(property);
            if (first)
                m_fontCache = font;
            return !first && !SameFace(font, m_fontCache) ? 2 : 0;
        },
        FontId, NoAlternate, &found);
    if (!found) {
        // No target holds a font: the boxes are told there is none to show.
        format->dwEffects |= CFM_FACE | CFM_CHARSET | CFM_SIZE;
        return;
    }
    if (faces != 2) {
        format->dwMask |= CFM_FACE | CFM_CHARSET;
        std::snprintf(format->szFaceName, sizeof format->szFaceName, "%s", m_fontCache.lfFaceName);
        format->bCharSet = m_fontCache.lfCharSet;
        format->bPitchAndFamily = m_fontCache.lfPitchAndFamily;
    }
    const int sizes = UpdateFromSelection(
        nullptr,
        [this](CPropOb* property, BOOL first) {
            const LOGFONT font = ShownFontOf(property);
            return !first && font.lfHeight != m_fontCache.lfHeight ? 2 : 0;
        },
        FontId, NoAlternate, nullptr);
    if (sizes != 2) {
        format->dwMask |= CFM_SIZE;
        format->yHeight = 20 * static_cast<int>(0.5 - 0.75 * m_fontCache.lfHeight);
    }
}

LOGFONT CHyperFmtView::ShownFontOf(CPropOb* property)
{
    LOGFONT font = FontOf(property);
    for (CHyperBaseOb* target : GetTargets())
        if (auto* object = dynamic_cast<CHyperOb*>(target)) {
            object->GetEffectiveFont(&font);
            break;
        }
    if (font.lfFaceName[0] != '\0' && font.lfHeight != 0)
        return font;
    // Neither the object, its page nor the program names it: the face and size the screen draws.
    CClientDC screen(this);
    CFont drawn;
    drawn.CreateFontIndirect(&font);
    CFont* old = screen.SelectObject(&drawn);
    if (font.lfFaceName[0] == '\0')
        screen.GetTextFace(LF_FACESIZE, font.lfFaceName);
    TEXTMETRIC metrics{};
    if (font.lfHeight == 0 && screen.GetTextMetrics(&metrics))
        font.lfHeight = -(metrics.tmHeight - metrics.tmInternalLeading);
    screen.SelectObject(old);
    return font;
}

void CHyperFmtView::OnUpdateFontBox(CCmdUI* cmdUI)
{
    BOOL found = FALSE;
    UpdateFromSelection(nullptr, [](CPropOb*, BOOL) { return 0; }, FontId, NoAlternate, &found);
    cmdUI->Enable(found);
}

void CHyperFmtView::OnFontQuery(UINT, NMHDR* header, LRESULT* result)
{
    auto* notify = reinterpret_cast<XTPControlNotify*>(header);
    if (notify->pData)
        GetSelectionCharFormat(static_cast<CHARFORMAT*>(notify->pData));
    *result = 1;
}

void CHyperFmtView::OnFontExecute(UINT, NMHDR* header, LRESULT* result)
{
    auto* notify = reinterpret_cast<XTPControlNotify*>(header);
    if (auto* face = dynamic_cast<CXTPControlFontComboBox*>(notify->pControl))
        ApplyFont(nullptr, &face->GetCharFormat());
    else if (auto* size = dynamic_cast<CXTPControlSizeComboBox*>(notify->pControl))
        ApplyFont(nullptr, &size->GetCharFormat());
    *result = 1;
}

void CHyperFmtView::OnColorSelector(UINT id, NMHDR* header, LRESULT* result)
{
    auto* selector = dynamic_cast<CXTPControlColorSelector*>(reinterpret_cast<XTPControlNotify*>(header)->pControl);
    if (selector) {
        (id == ForeColorSelector ? m_currentForeColor : m_currentBackColor) = selector->GetColor();
        ApplyColor(id == ForeColorSelector);
    }
    *result = 1;
}
