#include "platform/toolkit/XTPMDIFrameWnd.h"

#include "platform/toolkit/XTPCommandBars.h"
#include "platform/gdi/Dc.h"
#include "platform/toolkit/XTPDockRows.h"
#include "platform/toolkit/XTPDockingPaneManager.h"
#include "platform/toolkit/XTPPaintManager.h"
#include "platform/toolkit/XTPTabClientWnd.h"

IMPLEMENT_DYNCREATE(CXTPMDIFrameWnd, CMDIFrameWnd)

CXTPMDIFrameWnd::~CXTPMDIFrameWnd() { delete m_pCommandBars; }

CXTPCommandBars* CXTPMDIFrameWnd::InitCommandBars(CRuntimeClass* barsClass)
{
    if (m_pCommandBars)
        return m_pCommandBars;
    CObject* made = (barsClass ? barsClass : RUNTIME_CLASS(CXTPCommandBars))->CreateObject();
    m_pCommandBars = DYNAMIC_DOWNCAST(CXTPCommandBars, made);
    if (!m_pCommandBars) {
        delete made;
        return nullptr;
    }
    m_pCommandBars->SetSite(this);
    m_pCommandBars->EnableDocking();
    return m_pCommandBars;
}

void CXTPMDIFrameWnd::RecalcLayout(BOOL notify)
{
    if (m_bInRecalcLayout || !m_hWnd)
        return;
    m_bInRecalcLayout = TRUE;
    m_nIdleFlags &= ~(idleLayout | idleNotify);
    // Classic control bars (the status bar) take the outer edges.
    RepositionBars(0, 0xFFFF, 0, reposDefault);
    CRect rest;
    RepositionBars(0, 0xFFFF, 0, reposQuery, &rest);
    if (m_pCommandBars)
        rest = m_pCommandBars->LayoutInFrame(rest);
    if (m_pDockingPaneManager)
        rest = m_pDockingPaneManager->LayoutInFrame(rest);
    // The main pane: the client, or the print preview that replaces it.
    if (HWND pane = ::GetDlgItem(m_hWnd, static_cast<int>(AFX_IDW_PANE_FIRST)))
        ::SetWindowPos(pane, nullptr, rest.left, rest.top, rest.Width(), rest.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE);
    m_bInRecalcLayout = FALSE;
    (void)notify;
}

BOOL CXTPMDIFrameWnd::PreTranslateMessage(MSG* msg)
{
    if (m_pCommandBars && (m_pCommandBars->FilterCustomizeMessage(msg) || m_pCommandBars->TranslateCustomKeys(msg) ||
                           m_pCommandBars->FilterFrameMessage(msg)))
        return TRUE;
    return CMDIFrameWnd::PreTranslateMessage(msg);
}

// The menu bar stands for the frame's menu.
void CXTPMDIFrameWnd::OnActiveDocumentMenu(HMENU menu, UINT menuId)
{
    if (!m_pCommandBars || !m_pCommandBars->GetMenuBar()) {
        CMDIFrameWnd::OnActiveDocumentMenu(menu, menuId);
        return;
    }
    m_pCommandBars->ShowDocumentMenu(menuId);
}

void CXTPMDIFrameWnd::OnSetPreviewMode(BOOL preview, CPrintPreviewState* state)
{
    if (m_pCommandBars)
        m_pCommandBars->OnSetPreviewMode(preview);
    CMDIFrameWnd::OnSetPreviewMode(preview, state);
    if (m_pTabClient)
        m_pTabClient->ShowWorkspace(!preview);
}

LRESULT CXTPMDIFrameWnd::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam)
{
    LRESULT result = CMDIFrameWnd::OnIdleUpdateCmdUI(wParam, lParam);
    if (m_pCommandBars)
        m_pCommandBars->UpdateOnIdle();
    if (m_pTabClient)
        m_pTabClient->SyncTabs();
    return result;
}

BOOL CXTPMDIFrameWnd::OnEraseBkgnd(CDC* dc)
{
    if (!m_pCommandBars)
        return CMDIFrameWnd::OnEraseBkgnd(dc);
    for (BarDockPosition side : {BarTop, BarBottom, BarLeft, BarRight}) {
        CRect rows = m_pCommandBars->GetDockBar(side)->GetRect();
        dc->FillSolidRect(&rows, XTPPaintManager()->Colors().barFace);
    }
    return TRUE;
}

void CXTPMDIFrameWnd::OnDestroy()
{
    if (m_pDockingPaneManager)
        m_pDockingPaneManager->OnSiteDestroyed();
    m_pDockingPaneManager = nullptr;
    if (m_pTabClient)
        m_pTabClient->OnFrameDestroyed();
    m_pTabClient = nullptr;
    delete m_pCommandBars;
    m_pCommandBars = nullptr;
    CMDIFrameWnd::OnDestroy();
}

BEGIN_MESSAGE_MAP(CXTPMDIFrameWnd, CMDIFrameWnd)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_WM_DESTROY()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()
