#include "controls/FlexLayout.h"

#include "platform/ui/ControlTypes.h"
#include "platform/ui/UiApi.h"
#include "platform/ui/Wnd.h"

#include <algorithm>
#include <cstring>

void CFlexLayout::Add(UINT controlId, const CFlexHorzConstraint& horz, const CFlexVertConstraint& vert)
{
    m_entries.push_back(Entry{controlId, CRect(), horz.Clone(), vert.Clone()});
}

void CFlexLayout::SetInitialClientSize(int cx, int cy)
{
    m_initialWidth = cx;
    m_initialHeight = cy;
}

// A combo box counts with its dropped-down height.
CRect CFlexLayout::InitialRectOf(HWND control) const
{
    CRect rect;
    ::GetWindowRect(control, &rect);
    char className[10] = {};
    ::GetClassName(control, className, sizeof className);
    CRect dropped;
    if (std::strcmp(className, WC_COMBOBOX) == 0 &&
        ::SendMessage(control, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped)))
        rect.bottom = rect.top + dropped.Height();
    m_dialog->ScreenToClient(&rect);
    return rect;
}

void CFlexLayout::CaptureControls()
{
    for (Entry& entry : m_entries) {
        HWND control = ::GetDlgItem(m_dialog->GetSafeHwnd(), static_cast<int>(entry.id));
        if (!control)
            return;
        entry.initial = InitialRectOf(control);
        entry.horz->OnCapture(m_dialog, m_initialWidth);
        entry.vert->OnCapture(m_dialog, m_initialHeight);
    }
    m_captured = TRUE;
}

void CFlexLayout::Relayout(int cx, int cy)
{
    if (m_entries.empty())
        return;
    if (!m_captured)
        CaptureControls();
    if (!m_captured)
        return;
    const float dW = static_cast<float>(std::max(0, cx - m_initialWidth));
    const float dH = static_cast<float>(std::max(0, cy - m_initialHeight));
    HDWP batch = ::BeginDeferWindowPos(static_cast<int>(m_entries.size()));
    for (const Entry& entry : m_entries) {
        CRect r(entry.initial.left + entry.horz->NearShift(dW), entry.initial.top + entry.vert->NearShift(dH),
                entry.initial.right + entry.horz->FarShift(dW), entry.initial.bottom + entry.vert->FarShift(dH));
        batch = ::DeferWindowPos(batch, ::GetDlgItem(m_dialog->GetSafeHwnd(), static_cast<int>(entry.id)), nullptr,
                                 r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ::EndDeferWindowPos(batch);
}
