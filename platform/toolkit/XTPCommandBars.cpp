#include "platform/toolkit/XTPCommandBars.h"

#include "platform/toolkit/XTPDockRows.h"
#include "platform/toolkit/XTPIconStore.h"
#include "platform/toolkit/XTPPopupBar.h"
#include "platform/toolkit/XTPToolBar.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Resources.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CXTPCommandBars, CCmdTarget)

namespace {

constexpr BarDockPosition kDockOrder[4] = {BarTop, BarBottom, BarLeft, BarRight};

} // namespace

CXTPCommandBars::CXTPCommandBars() : m_pIcons(std::make_unique<CXTPIconStore>())
{
    for (int i = 0; i < 4; ++i)
        m_dockBars[i] = std::make_unique<CXTPDockRows>(kDockOrder[i]);
}

CXTPCommandBars::~CXTPCommandBars()
{
    ClosePopups();
    for (CXTPToolBar* bar : m_toolBars) {
        CXTPFloatingFrame* mini = bar->GetFloatingFrame();
        bar->SetFloatingFrame(nullptr);
        bar->DestroyWindow();
        if (mini && mini->GetSafeHwnd())
            mini->DestroyWindow();
        bar->InternalRelease();
    }
}

void CXTPCommandBars::EnableDocking()
{
    for (CXTPToolBar* bar : m_toolBars)
        bar->EnableDocking(0xF000);
}

CXTPToolBar* CXTPCommandBars::GetAt(int index) const
{
    return index >= 0 && index < GetCount() ? m_toolBars[static_cast<size_t>(index)] : nullptr;
}

CXTPToolBar* CXTPCommandBars::GetToolBar(UINT barId) const
{
    for (CXTPToolBar* bar : m_toolBars)
        if (bar->GetBarID() == barId)
            return bar;
    return nullptr;
}

CXTPDockRows* CXTPCommandBars::GetDockBar(BarDockPosition position) const
{
    for (const auto& dock : m_dockBars)
        if (dock->GetPosition() == position)
            return dock.get();
    return nullptr;
}

CXTPToolBar* CXTPCommandBars::AttachBar(CXTPToolBar* bar, LPCTSTR title, BarDockPosition position)
{
    bar->SetCommandBars(this);
    bar->SetTitle(title);
    if (!m_pSite || !bar->CreateToolBar(WS_VISIBLE, m_pSite)) {
        bar->InternalRelease();
        return nullptr;
    }
    m_toolBars.push_back(bar);
    CXTPDockRows* dock = GetDockBar(position == BarFloating ? BarTop : position);
    int row = dock->RowAt(0x7FFFFFFF);
    DockToolBar(bar, dock->GetPosition(), row, 0);
    if (position == BarFloating)
        FloatToolBar(bar, CPoint(100, 100));
    return bar;
}

CXTPToolBar* CXTPCommandBars::Add(LPCTSTR title, BarDockPosition position)
{
    auto* bar = AttachBar(new CXTPToolBar, title, position);
    if (bar)
        bar->SetBarID(static_cast<UINT>(m_toolBars.size()) + 0xE800);
    return bar;
}

CXTPMenuBar* CXTPCommandBars::SetMenu(LPCTSTR title, UINT menuId)
{
    if (m_pMenuBar) {
        if (!m_pMenuBar->LoadMenuBar(menuId))
            return nullptr;
        m_nFrameMenuId = menuId;
        return m_pMenuBar;
    }
    auto* bar = new CXTPMenuBar;
    bar->SetCommandBars(this);
    if (!bar->LoadMenuBar(menuId) || !AttachBar(bar, title, BarTop))
        return nullptr;
    bar->SetBarID(0xE81A);
    m_pMenuBar = bar;
    m_nFrameMenuId = menuId;
    // The menu bar replaces the frame's own menu.
    if (m_pSite->GetSafeHwnd() && ::GetMenu(m_pSite->GetSafeHwnd())) {
        ::SetMenu(m_pSite->GetSafeHwnd(), nullptr);
        m_pSite->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    // The menu bar stays the outermost row.
    for (CXTPToolBar* other : m_toolBars)
        if (other != bar && other->GetPosition() == BarTop)
            ++other->m_nRow;
    bar->m_nRow = 0;
    RecalcLayout();
    return bar;
}

void CXTPCommandBars::ShowDocumentMenu(UINT menuId)
{
    UINT shown = menuId && FindMenuResource(menuId) ? menuId : m_nFrameMenuId;
    if (!m_pMenuBar || m_pMenuBar->GetMenuId() == shown)
        return;
    CancelTracking();
    m_pMenuBar->LoadMenuBar(shown);
    HideCommands(nullptr, 0);
    m_pMenuBar->DelayRecalc();
    RecalcLayout();
    m_pMenuBar->Invalidate(FALSE);
}

CXTPToolBar* CXTPCommandBars::TearOffPopup(CXTPPopupBar* popup)
{
    CString caption;
    UINT id = 0;
    int width = 0;
    if (!popup || !popup->IsTearOffPopup(caption, id, width))
        return nullptr;
    CRect at;
    popup->GetWindowRect(&at);
    CancelTracking();
    CXTPToolBar* bar = GetToolBar(id);
    if (!bar) {
        bar = AttachBar(new CXTPToolBar, caption, BarTop);
        if (!bar)
            return nullptr;
        bar->SetBarID(id);
        for (int i = 0; i < popup->GetControlCount(); ++i)
            bar->GetControls()->Add(CloneControl(popup->GetControl(i)), popup->GetControl(i)->GetID());
        if (width > 0)
            bar->m_rcFloating = CRect(0, 0, width, 0);
        CreateBarRequest request;
        request.pCommandBar = bar;
        request.bTearOffBar = TRUE;
        request.strCaption = caption;
        request.nID = id;
        RequestBar(request);
    }
    bar->SetVisible(TRUE);
    FloatToolBar(bar, at.TopLeft());
    return bar;
}

void CXTPCommandBars::DockToolBar(CXTPToolBar* bar, LPCRECT screenRect, CXTPDockRows* dockBar)
{
    if (!bar || !screenRect || !dockBar || !m_pSite)
        return;
    RecalcLayout();
    CRect rect = *screenRect;
    m_pSite->ScreenToClient(&rect);
    CRect edge = dockBar->GetRect();
    BOOL horizontal = dockBar->IsHorizontal();
    int row = dockBar->RowAt(horizontal ? rect.top : rect.left);
    DockToolBar(bar, dockBar->GetPosition(), row, horizontal ? rect.left - edge.left : rect.top - edge.top);
}

void CXTPCommandBars::DockToolBar(CXTPToolBar* bar, BarDockPosition position, int row, int offset)
{
    CXTPDockRows* target = GetDockBar(position);
    if (!bar || !target || !m_pSite)
        return;
    if (CXTPFloatingFrame* mini = bar->GetFloatingFrame()) {
        bar->SetFloatingFrame(nullptr);
        bar->SetParent(m_pSite);
        mini->DestroyWindow();
    }
    for (auto& dock : m_dockBars)
        dock->Remove(bar);
    bar->m_nRow = std::max(0, row);
    bar->m_nOffset = std::max(0, offset);
    target->Add(bar);
    if (bar->IsVisible())
        bar->ShowWindow(SW_SHOWNA);
    RecalcLayout();
}

void CXTPCommandBars::FloatToolBar(CXTPToolBar* bar, CPoint screenPt)
{
    if (!bar || !m_pSite)
        return;
    if (bar->GetPosition() <= BarRight) {
        bar->m_lastDockPosition = bar->GetPosition();
        bar->m_nLastRow = bar->m_nRow;
        bar->m_nLastOffset = bar->m_nOffset;
    }
    for (auto& dock : m_dockBars)
        dock->Remove(bar);
    bar->SetPosition(BarFloating);
    CXTPFloatingFrame* mini = bar->GetFloatingFrame();
    if (!mini) {
        mini = new CXTPFloatingFrame(bar);
        if (!mini->CreateMini(m_pSite, CRect(screenPt, CSize(100, 40)))) {
            delete mini;
            DockToolBar(bar, BarTop, GetDockBar(BarTop)->RowAt(0x7FFFFFFF), 0);
            return;
        }
        bar->SetFloatingFrame(mini);
        bar->SetParent(mini);
    }
    CSize size = bar->GetFloatingSize();
    mini->SetWindowPos(nullptr, screenPt.x, screenPt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    mini->FitContent(size);
    CRect content = mini->GetContentRect();
    bar->SetWindowPos(nullptr, content.left, content.top, content.Width(), content.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    mini->GetWindowRect(&bar->m_rcFloating);
    bar->ShowWindow(bar->IsVisible() ? SW_SHOWNA : SW_HIDE);
    mini->ShowWindow(bar->IsVisible() ? SW_SHOWNA : SW_HIDE);
    RecalcLayout();
}

CRect CXTPCommandBars::LayoutInFrame(const CRect& client)
{
    CRect remaining = client;
    for (auto& dock : m_dockBars)
        dock->Layout(remaining);
    for (CXTPToolBar* bar : m_toolBars)
        if (bar->GetPosition() != BarFloating && !bar->IsVisible())
            bar->ShowWindow(SW_HIDE);
    return remaining;
}

void CXTPCommandBars::RecalcLayout()
{
    if (m_pSite && m_pSite->GetSafeHwnd())
        m_pSite->RecalcLayout();
}

void CXTPCommandBars::HideCommands(const UINT* ids, int count)
{
    for (int i = 0; ids && i < count; ++i)
        m_hiddenCommands.insert(ids[i]);
    std::vector<CXTPCommandBar*> pending(m_toolBars.begin(), m_toolBars.end());
    while (!pending.empty()) {
        CXTPCommandBar* bar = pending.back();
        pending.pop_back();
        for (int i = 0; i < bar->GetControlCount(); ++i) {
            CXTPControl* control = bar->GetControl(i);
            if (bar->IsKindOf(RUNTIME_CLASS(CXTPPopupBar)) && IsHiddenCommand(control->GetID()))
                control->SetHiddenCommand(TRUE);
            if (CXTPCommandBar* popup = control->GetCommandBar())
                pending.push_back(popup);
        }
    }
}

void CXTPCommandBars::UpdateOnIdle()
{
    for (CXTPToolBar* bar : m_toolBars)
        bar->OnUpdateCmdUI();
    for (CXTPPopupBar* popup : m_openPopups)
        popup->OnUpdateCmdUI();
}

void CXTPCommandBars::RedrawCommandBars()
{
    for (CXTPToolBar* bar : m_toolBars) {
        bar->DelayRecalc();
        if (CXTPFloatingFrame* mini = bar->GetFloatingFrame())
            mini->Invalidate(FALSE);
    }
    RecalcLayout();
    if (m_pSite && m_pSite->GetSafeHwnd())
        m_pSite->Invalidate(TRUE);
}

void CXTPCommandBars::OnSetPreviewMode(BOOL preview)
{
    CancelTracking();
    if (preview) {
        if (m_previewState.empty())
            m_previewState = GetBarState();
        for (CXTPToolBar* bar : m_toolBars)
            bar->SetVisible(FALSE);
        return;
    }
    // Shown again one by one the bars would each take a new place; they go back where they were.
    SetBarState(m_previewState);
    m_previewState.clear();
}

void CXTPCommandBars::OnPopupOpened(CXTPPopupBar* popup)
{
    if (std::find(m_openPopups.begin(), m_openPopups.end(), popup) == m_openPopups.end())
        m_openPopups.push_back(popup);
}

void CXTPCommandBars::OnPopupClosed(CXTPPopupBar* popup)
{
    m_openPopups.erase(std::remove(m_openPopups.begin(), m_openPopups.end(), popup), m_openPopups.end());
    if (m_pKeyboardBar == popup) {
        CXTPControlPopup* owner = popup->GetOwnerControl();
        m_pKeyboardBar = owner ? owner->GetParent() : nullptr;
    }
}

void CXTPCommandBars::ClosePopups()
{
    std::vector<CXTPPopupBar*> open;
    open.swap(m_openPopups);
    for (auto it = open.rbegin(); it != open.rend(); ++it)
        (*it)->ClosePopup();
}

BOOL CXTPCommandBars::TrackPopupMenu(CMenu* menu, UINT flags, int x, int y, CWnd* owner)
{
    CancelTracking();
    CWnd* target = owner ? owner : m_pSite;
    if (!menu || !target)
        return FALSE;
    return menu->TrackPopupMenu(flags, x, y, target);
}

BOOL CXTPCommandBars::RequestBar(CreateBarRequest& request) const
{
    return m_pSite && m_pSite->GetSafeHwnd() &&
           m_pSite->SendMessage(WM_XTP_CREATECOMMANDBAR, 0, reinterpret_cast<LPARAM>(&request)) != 0;
}

BOOL CXTPCommandBars::RequestControl(CreateControlRequest& request) const
{
    return m_pSite && m_pSite->GetSafeHwnd() &&
           m_pSite->SendMessage(WM_XTP_CREATECONTROL, 0, reinterpret_cast<LPARAM>(&request)) != 0;
}
