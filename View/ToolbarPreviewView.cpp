#include "View/ToolbarPreviewView.h"

#include "platform/toolkit/XTPControl.h"
#include "platform/ui/ControlBar.h"

IMPLEMENT_DYNCREATE(CToolbarPreviewView, CPreviewView)

BEGIN_MESSAGE_MAP(CToolbarPreviewView, CPreviewView)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NUMPAGE, OnUpdateNumPageChange)
    ON_WM_WINDOWPOSCHANGED()
    ON_COMMAND_RANGE(AFX_IDS_ONEPAGE, AFX_IDS_TWOPAGE, OnNumPageCommand)
    ON_UPDATE_COMMAND_UI_RANGE(AFX_IDS_ONEPAGE, AFX_IDS_TWOPAGE, OnUpdateNumPageChange)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

// Without its command bar the preview still opens.
int CToolbarPreviewView::OnCreate(LPCREATESTRUCT cs)
{
    if (CPreviewView::OnCreate(cs) == -1)
        return -1;
    if (!m_pToolBar || !m_commandBar.CreateToolBar(CommandBarStyle, m_pToolBar, AFX_IDW_TOOLBAR))
        return 0;
    m_commandBar.SetOwner(this);
    m_commandBar.SetPosition(BarTop);
    if (!m_commandBar.LoadToolBar(ToolBarResource)) {
        m_commandBar.DestroyWindow();
        return 0;
    }
    m_pNumPages = m_commandBar.GetControls()->FindControl(AFX_ID_PREVIEW_NUMPAGE);
    for (UINT id : {AFX_ID_PREVIEW_PRINT, AFX_ID_PREVIEW_CLOSE})
        if (CXTPControl* control = m_commandBar.GetControls()->FindControl(id)) {
            control->SetStyle(ButtonIconAndCaption);
            control->GetParent()->DelayRecalc();
        }
    UpdateNumPagesControl();
    m_commandBar.OnUpdateCmdUI();
    return 0;
}

// The bar lives in the preview bar's window but belongs to this object.
void CToolbarPreviewView::OnDestroy()
{
    if (m_commandBar.m_hWnd)
        m_commandBar.DestroyWindow();
    CPreviewView::OnDestroy();
}

void CToolbarPreviewView::UpdateNumPagesControl()
{
    if (!m_pNumPages)
        return;
    const UINT shown = GetZoomState() == ZOOM_OUT ? GetZoomOutPageCount() : GetPageCount();
    const UINT wanted = shown > 1 ? AFX_IDS_ONEPAGE : AFX_IDS_TWOPAGE;
    if (m_pNumPages->GetImageId() == wanted || m_pNumPages->GetID() == wanted)
        return;
    m_pNumPages->SetID(wanted);
    m_pNumPages->DelayRedrawParent();
}

void CToolbarPreviewView::OnUpdateNumPageChange(CCmdUI* cmdUI)
{
    CPreviewView::OnUpdateNumPageChange(cmdUI);
    UpdateNumPagesControl();
}

void CToolbarPreviewView::OnNumPageCommand(UINT) { PressCommand(AFX_ID_PREVIEW_NUMPAGE); }

void CToolbarPreviewView::PressCommand(UINT id)
{
    SendMessage(WM_COMMAND, id);
    if (m_commandBar.m_hWnd)
        m_commandBar.OnUpdateCmdUI();
}

LRESULT CToolbarPreviewView::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    if (m_commandBar.m_hWnd)
        m_commandBar.OnUpdateCmdUI();
    return 0;
}

// The command bar spans the frame; the preview bar around it takes its height.
void CToolbarPreviewView::OnWindowPosChanged(WINDOWPOS* pos)
{
    CPreviewView::OnWindowPosChanged(pos);
    CFrameWnd* frame = m_pToolBar ? m_pToolBar->GetDockingFrame() : nullptr;
    if (!m_commandBar.m_hWnd || !frame)
        return;
    CRect client;
    frame->GetClientRect(&client);
    const CSize size = m_commandBar.CalcDockingLayout(client.Width(), LM_HORZ | LM_HORZDOCK | LM_COMMIT);
    if (m_pToolBar->m_sizeDefault.cy != size.cy) {
        m_pToolBar->m_sizeDefault.cy = size.cy;
        frame->DelayRecalcLayout();
    }
    m_commandBar.SetWindowPos(nullptr, 0, 0, client.Width(), size.cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    m_commandBar.Invalidate(FALSE);
    Invalidate(FALSE);
}
