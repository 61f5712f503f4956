#include "shell/FrameStatusBar.h"

#include "shell/VantrelApp.h"

#include <vector>

IMPLEMENT_DYNAMIC(CFrameStatusBar, CStatusBar)

BEGIN_MESSAGE_MAP(CFrameStatusBar, CStatusBar)
    ON_MESSAGE(CFrameStatusBar::WM_STATUSPOSITION, OnStatusMessage)
END_MESSAGE_MAP()

namespace {

struct PaneInfo {
    UINT id = 0;
    UINT style = 0;
    int width = 0;
};

} // namespace

void CFrameStatusBar::ShowPositionPanes(BOOL show)
{
    show = show != FALSE;
    if (show == m_bPositionPanes)
        return;
    const int kept = show ? GetCount() : GetCount() - 2;
    if (kept < 0)
        return;
    std::vector<PaneInfo> panes(static_cast<size_t>(kept));
    for (int i = 0; i < kept; ++i)
        GetPaneInfo(i, panes[static_cast<size_t>(i)].id, panes[static_cast<size_t>(i)].style,
                    panes[static_cast<size_t>(i)].width);
    if (show)
        panes.insert(panes.end(), 2, PaneInfo{0, 0, kPositionPaneWidth});
    std::vector<UINT> ids;
    for (const PaneInfo& pane : panes)
        ids.push_back(pane.id);
    SetIndicators(ids.data(), static_cast<int>(ids.size()));
    if (!panes.empty())
        panes.front().style |= SBPS_STRETCH;
    for (size_t i = 0; i < panes.size(); ++i)
        SetPaneInfo(static_cast<int>(i), panes[i].id, panes[i].style, panes[i].width);
    m_bPositionPanes = show;
    if (m_hWnd)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CFrameStatusBar::SetPositionRect(int left, int top, int right, int bottom)
{
    m_lastRect.SetRect(left, top, right, bottom);
    if (!m_bPositionPanes || GetCount() < 2)
        return;
    CString position, size;
    if (left || top || right || bottom) {
        position.Format("%d,%d", left, top);
        size.Format("%dx%d", right - left, bottom - top);
    } else {
        position.LoadString(kNotAvailableText);
        size = position = GetLanguageText(position);
    }
    SetPaneText(GetCount() - 2, position);
    SetPaneText(GetCount() - 1, size);
}

LRESULT CFrameStatusBar::OnStatusMessage(WPARAM wParam, LPARAM lParam)
{
    if (wParam == 0)
        ShowPositionPanes(static_cast<BOOL>(lParam));
    else if (wParam == 1 && lParam) {
        const CRect rect = *reinterpret_cast<const RECT*>(lParam);
        SetPositionRect(rect.left, rect.top, rect.right, rect.bottom);
    } else if (wParam == 2 && lParam)
        SetPositionRect(m_lastRect.left, m_lastRect.top, m_lastRect.right, m_lastRect.bottom);
    else if (wParam == 2)
        SetPaneText(GetCount() - 1, " ");
    return 0;
}
