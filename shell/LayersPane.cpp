#include "shell/LayersPane.h"

#include "shell/LayersDlg.h"
#include "shell/MainFrame.h"
#include "shell/VantrelApp.h"
#include "View/HyperView.h"
#include "objects/HyperViewOb.h"
#include "objects/LayerFmt.h"
#include "platform/toolkit/XTPDockingPaneManager.h"
#include "platform/ui/CmdUI.h"

BEGIN_MESSAGE_MAP(CLayersPane, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

namespace {

CHyperView* ActiveEditView()
{
    CMainFrame* frame = GetMainFrame();
    CFrameWnd* child = frame ? frame->GetActiveFrame() : nullptr;
    CView* view = child ? child->GetActiveView() : nullptr;
    auto* editView = view && view->IsKindOf(RUNTIME_CLASS(CHyperView)) ? static_cast<CHyperView*>(view) : nullptr;
    return editView && editView->IsEditMode() && editView->GetPageObject() ? editView : nullptr;
}

CLayerFmt* LayersOf(CHyperView* view)
{
    return view && view->GetPageObject() ? view->GetPageObject()->GetLayerList() : nullptr;
}

} // namespace

CLayersPane::CLayersPane() = default;
CLayersPane::~CLayersPane() = default;

int CLayersPane::OnCreate(LPCREATESTRUCT cs)
{
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    SetFocus();
    return 0;
}

void CLayersPane::OnSize(UINT, int cx, int cy)
{
    if (m_pDialog && m_pDialog->m_hWnd)
        m_pDialog->Arrange(cx, cy);
}

void CLayersPane::AttachToPane(CXTPDockingPane* pane, CHyperView* view)
{
    if (!view)
        view = ActiveEditView();
    if (!m_pDialog && view && LayersOf(view)) {
        m_pDialog = std::make_unique<CLayersDlg>(LayersOf(view), view, CLayersDlg::IDD, this);
        LayersOf(view)->SetView(view);
        CRect client;
        GetClientRect(&client);
        OnSize(0, client.Width(), client.Height());
    }
    if (pane)
        pane->Attach(this);
}

// The dialog follows the active page.
void CLayersPane::Follow(CHyperView* view)
{
    if (!m_pDialog || m_pDialog->GetView() == view)
        return;
    m_pDialog->SetView(view);
    m_pDialog->SetLayerList(LayersOf(view));
    if (LayersOf(view))
        LayersOf(view)->SetView(view);
    m_pDialog->FillList();
}

// While a page is edited the Layers Manager command shows and hides this pane for it;
// without one the frame's own handler closes the pane.
BOOL CLayersPane::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo)
{
    CHyperView* view = ActiveEditView();
    Follow(view);
    CMainFrame* frame = GetMainFrame();
    if (id != CmdLayersManager || !view || !frame || handlerInfo)
        return CWnd::OnCmdMsg(id, code, extra, handlerInfo);
    CXTPDockingPane* pane = frame->GetPaneManager()->FindPane(PaneLayers);
    const BOOL open = pane && !pane->IsClosed();
    if (code == CN_UPDATE_COMMAND_UI) {
        auto* cmdUI = static_cast<CCmdUI*>(extra);
        cmdUI->Enable(TRUE);
        cmdUI->SetCheck(open);
        return TRUE;
    }
    if (code != CN_COMMAND)
        return CWnd::OnCmdMsg(id, code, extra, handlerInfo);
    if (open)
        frame->GetPaneManager()->ClosePane(PaneLayers);
    else {
        frame->ShowPane(PaneLayers);
        AttachToPane(frame->GetPaneManager()->FindPane(PaneLayers), view);
    }
    frame->SetShowLayerPane(!open);
    return TRUE;
}
