// The tool tip over the page: resting on an object shows its ToolTipText, resting elsewhere
// the page's. The text is asked for when the tip shows, so it is always the current one.
#include "View/HyperRunView.h"

#include "objects/HyperOb.h"
#include "objects/HyperViewOb.h"

namespace {
constexpr int kPageTip = -2;
constexpr int kNoTip = -1;
}

void CHyperRunView::RelayToolTip(UINT message, CPoint device)
{
    if (!m_hWnd)
        return;
    if (!m_toolTips.m_hWnd) {
        if (!m_toolTips.Create(this))
            return;
        m_toolTips.AddTool(this, LPSTR_TEXTCALLBACK);
    }
    if (message == WM_MOUSEMOVE) {
        CPoint page = device;
        DeviceToLogical(&page, nullptr);
        int id = kNoTip;
        CString text;
        for (int i = 0; id == kNoTip && i < GetObjectCount(); ++i) {
            CHyperOb* object = GetObjectAtIndex(i);
            if (IsLayerVisible(object->LayerID) && object->HitTest(page) >= 0 && !object->GetToolTipText().IsEmpty()) {
                id = i;
                text = object->GetToolTipText();
            }
        }
        if (id == kNoTip && m_pageObject && !m_pageObject->ToolTipText.IsEmpty()) {
            id = kPageTip;
            text = m_pageObject->ToolTipText;
        }
        if (id != m_toolTipId || text != m_toolTipText)
            ResetToolTip();
        m_toolTipId = id;
        m_toolTipText = text;
        if (id == kNoTip)
            return;
    }
    MSG msg {m_hWnd, message, 0, MAKELPARAM(static_cast<WORD>(device.x), static_cast<WORD>(device.y)), 0,
             {device.x, device.y}};
    m_toolTips.RelayEvent(&msg);
}

// As a pressed button does: the tip closes and the next rest over the page waits anew.
void CHyperRunView::ResetToolTip()
{
    if (!m_toolTips.m_hWnd)
        return;
    MSG press {m_hWnd, WM_LBUTTONDOWN, 0, 0, 0, {0, 0}};
    m_toolTips.RelayEvent(&press);
}

BOOL CHyperRunView::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->code != TTN_GETDISPINFO || header->hwndFrom != m_toolTips.m_hWnd)
        return CScrollView::OnNotify(wParam, lParam, result);
    reinterpret_cast<NMTTDISPINFO*>(lParam)->lpszText = const_cast<LPSTR>(m_toolTipText.GetString());
    *result = 0;
    return TRUE;
}
