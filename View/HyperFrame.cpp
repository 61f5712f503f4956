// The editing frame's state, its frame record, creation, activation, sizing and modes.
#include "View/HyperFrame.h"

#include "View/HyperRunView.h"
#include "View/HyperView.h"
#include "View/RulerBar.h"
#include "objects/HyperFrameOb.h"
#include "objects/MainWndMode.h"
#include "objects/ViewSettings.h"
#include "platform/core/Archive.h"
#include "platform/core/Exception.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/ControlBar.h"
#include "platform/ui/Document.h"
#include "platform/ui/WinApp.h"

IMPLEMENT_DYNCREATE(CHyperFrame, CHyperRunFrame)

namespace {

CFrameWnd* MainFrame()
{
    CWnd* main = AfxGetMainWnd();
    return main && main->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(main) : nullptr;
}

// The bar's own frame lays it out again; the main frame only when it is that frame.
void ShowBar(CControlBar* bar, BOOL show)
{
    CFrameWnd* site = bar && bar->m_hWnd ? bar->GetParentFrame() : nullptr;
    if (!site)
        site = MainFrame();
    if (bar && site)
        site->ShowControlBar(bar, show, FALSE);
}

// A ruler bar along the page, with its units; NULL when it cannot be made.
CRulerBar* MakeRuler(CFrameWnd* frame, UINT style, UINT id, BOOL horizontal, int units)
{
    auto* ruler = new CRulerBar;
    ruler->m_bAutoDelete = TRUE;
    if (!ruler->Create(frame, CRulerBar::TemplateId, style, id, horizontal)) {
        if (ruler->m_hWnd)
            ruler->DestroyWindow();
        else
            delete ruler;
        return nullptr;
    }
    ruler->GetRuler()->SetUnits(units);
    return ruler;
}

} // namespace

CHyperFrame::CHyperFrame() = default;

CHyperFrame::~CHyperFrame()
{
    DeleteFrameObjects();
}

CHyperFrame* AsHyperFrame(CWnd* wnd)
{
    return wnd && wnd->IsKindOf(RUNTIME_CLASS(CHyperFrame)) ? static_cast<CHyperFrame*>(wnd) : nullptr;
}

void CHyperFrame::Serialize(CArchive& archive)
{
    if (archive.IsStoring()) {
        if (!m_frameObject)
            CreateFrameObject();
        archive << m_frameObject->Title;
        archive.WriteObject(m_frameObject);
        return;
    }
    CString title;
    archive >> title;
    delete m_frameObject;
    m_frameObject = nullptr;
    try {
        m_frameObject = static_cast<CHyperFrameOb*>(archive.ReadObject(RUNTIME_CLASS(CHyperFrameOb)));
    } catch (CException*) {
        CreateFrameObject();
        throw;
    }
    if (!m_frameObject) {
        CreateFrameObject();
        AfxThrowArchiveException(CArchiveException::badClass, nullptr);
    }
    m_frameObject->SetParentFrame(GetFrameWindow());
    if (m_firstView)
        m_frameObject->SetView(m_firstView);
    const POINT saved = GetViewSettings().m_nextFramePosition;
    ApplyFrameObject(saved.x != -1 && saved.y != -1 ? ApplyWithSavedPosition : ApplyFresh);
}

CHyperFrameOb* CHyperFrame::CreateFrameObject()
{
    return AdoptFrameObject(new CHyperFrameOb);
}

CHyperFrameOb* CHyperFrame::AdoptFrameObject(CHyperFrameOb* frameObject)
{
    delete m_frameObject;
    m_frameObject = frameObject;
    m_frameObject->SetView(m_firstView);
    m_frameObject->SetParentFrame(GetFrameWindow());
    return m_frameObject;
}

void CHyperFrame::DeleteFrameObjects()
{
    delete m_frameObject;
    m_frameObject = nullptr;
    delete m_secondObject;
    m_secondObject = nullptr;
}

// The window taking the stored size is no resize by the user: the size stays as stored.
void CHyperFrame::ApplyFrameObject(int)
{
    if (!m_frameObject || !m_hWnd)
        return;
    const BOOL nested = m_applyingSize;
    m_applyingSize = TRUE;
    m_frameObject->ApplyToFrame(GetFrameWindow());
    m_applyingSize = nested;
}

BOOL CHyperFrame::IsEditMode() const
{
    return m_firstView && m_firstView->IsEditMode();
}

CHyperRunView* CHyperFrame::GetTargetView() const
{
    return m_firstView;
}

void CHyperFrame::GetLayoutRect(CRect* rect)
{
    CHyperRunFrame::GetLayoutRect(rect);
    if (m_firstView && IsEditMode() && m_rulersShown) {
        rect->right -= 16;
        rect->bottom -= 19;
    }
}

int CHyperFrame::OnCreate(LPCREATESTRUCT cs)
{
    if (CHyperRunFrame::OnCreate(cs) == -1)
        return -1;
    CWinApp* app = AfxGetApp();
    m_rulerUnits = app ? static_cast<int>(app->GetProfileInt("Settings", "RulerUnits", DefaultRulerUnits))
                       : DefaultRulerUnits;
    m_horzRuler = MakeRuler(this, WS_CHILD | WS_VISIBLE | CBRS_TOP | 0x0800, HorzRulerId, TRUE, m_rulerUnits);
    m_vertRuler = MakeRuler(this, WS_CHILD | WS_VISIBLE | CBRS_LEFT | 0x0400, VertRulerId, FALSE, m_rulerUnits);
    if (!m_horzRuler || !m_vertRuler)
        return -1;
    ShowBar(m_horzRuler, FALSE);
    ShowBar(m_vertRuler, FALSE);
    CreateFrameObject();
    const int seconds = app ? static_cast<int>(app->GetProfileInt("Settings", "AutoSave", DefaultAutoSaveSeconds))
                            : DefaultAutoSaveSeconds;
    if (seconds > 0)
        SetTimer(AutoSaveTimer, static_cast<UINT>(seconds) * 1000, nullptr);
    return 0;
}

void CHyperFrame::ActivateFrame(int)
{
    if (m_registrationPending) {
        if (m_firstView)
            SetActiveView(m_firstView);
        RegisterFrame();
    } else if (CView* pending = static_cast<CView*>(m_pendingView)) {
        SetActiveView(pending);
    }
    m_pendingView = nullptr;
    CHyperRunFrame::ActivateFrame(SW_SHOWMAXIMIZED);
    ShowBar(m_horzRuler, m_rulersShown && IsEditMode());
    ShowBar(m_vertRuler, m_rulersShown && IsEditMode());
    if (auto* view = dynamic_cast<CHyperView*>(m_firstView))
        view->UpdateRulerOrigins();
    if (IsNonMdiMainWnd())
        OnActivateHook(TRUE);
}

void CHyperFrame::OnMDIActivate(BOOL activate, CWnd* activated, CWnd* deactivated)
{
    CHyperRunFrame::OnMDIActivate(activate, activated, deactivated);
    OnActivateHook(activate);
}

void CHyperFrame::OnActivateHook(BOOL activate)
{
    if (!m_firstView)
        return;
    if (!activate) {
        ShowToolPalette(FALSE);
        return;
    }
    CDocument* document = m_firstView->GetDocument();
    if (document && m_frameObject)
        document->SetTitle(m_frameObject->Title);
    if (IsEditMode() && !IsIconic())
        ShowToolPalette(TRUE);
}

void CHyperFrame::ShowToolPalette(BOOL show)
{
    CHyperRunView* view = GetTargetView();
    if (!view)
        return;
    CWnd* toolBar = GetToolBar();
    if (show && !m_toolPaletteShown) {
        if (!m_toolWindow)
            m_toolWindow = CreateToolWindow();
        SelectTool(m_currentTool);
        if (toolBar)
            toolBar->PostMessage(WM_TOOL_OR_UNITS, 0, 1);
        m_toolPaletteShown = TRUE;
    } else if (!show && m_toolPaletteShown) {
        if (m_toolWindow) {
            m_toolWindow->DestroyWindow();
            delete m_toolWindow;
            m_toolWindow = nullptr;
        }
        if (toolBar)
            toolBar->PostMessage(WM_TOOL_OR_UNITS, 0, 0);
        m_toolPaletteShown = FALSE;
    }
}

void CHyperFrame::UpdateRulers(BOOL currentMode)
{
    if (!m_firstView)
        return;
    const BOOL edit = IsEditMode();
    const BOOL show = m_rulersShown && (currentMode ? edit : !edit);
    ShowBar(m_horzRuler, show);
    ShowBar(m_vertRuler, show);
    ApplyFrameObject(ApplyWithSavedPosition);
}

// A size change that the frame object's own resizing causes is not fed back to it. Any other
// is the user's, and the frame object keeps the new client size, the size it gives the window
// when the document opens again.
void CHyperFrame::OnSize(UINT type, int cx, int cy)
{
    const BOOL nested = m_sizing;
    m_sizing = TRUE;
    CHyperRunFrame::OnSize(type, cx, cy);
    if (m_frameObject && type == SIZE_RESTORED && !nested) {
        if (!m_applyingSize && (m_frameObject->GetWidth() != cx || m_frameObject->GetHeight() != cy)) {
            m_frameObject->SetWidth(cx);
            m_frameObject->SetHeight(cy);
        }
        if (m_firstView && !m_registrationPending && !m_pendingView)
            m_frameObject->UpdateLayout(TRUE, FALSE);
    }
    m_sizing = nested;
}

void CHyperFrame::OnSysCommand(UINT id, LPARAM lParam)
{
    CHyperRunFrame::OnSysCommand(id, lParam);
    if (!m_firstView)
        return;
    const BOOL hasHost = GetViewSettings().m_propertyHostWnd != nullptr;
    switch (id & 0xFFF0) {
    case SC_MINIMIZE:
        if (!hasHost)
            ShowToolPalette(FALSE);
        break;
    case SC_MAXIMIZE:
    case SC_RESTORE:
        if (IsEditMode())
            ShowToolPalette(TRUE);
        break;
    case SC_MOVE:
        if (hasHost && IsEditMode() && !IsChild(CWnd::GetFocus()))
            SetFocus();
        break;
    default:
        break;
    }
}

void CHyperFrame::OnNcDestroy()
{
    if (m_toolWindow) {
        m_toolWindow->DestroyWindow();
        delete m_toolWindow;
        m_toolWindow = nullptr;
    }
    m_horzRuler = nullptr;
    m_vertRuler = nullptr;
    DeleteFrameObjects();
    CHyperRunFrame::OnNcDestroy();
}

void CHyperFrame::OnEditView()
{
    UpdateRulers(FALSE);
    auto toggle = [](CHyperRunView* view) {
        if (view->IsEditMode())
            view->ClearSelection();
        view->SetEditMode(!view->IsEditMode());
    };
    if (m_firstView)
        toggle(m_firstView);
    for (INT_PTR i = 0; i < m_furtherViews.GetSize(); ++i)
        toggle(static_cast<CHyperRunView*>(m_furtherViews[i]));
    ShowToolPalette(IsEditMode());
    if (CDocument* document = GetActiveDocument())
        document->UpdateAllViews(nullptr);
}

void CHyperFrame::OnUpdateEditView(CCmdUI* cmdUI)
{
    cmdUI->SetCheck(IsEditMode());
}

void CHyperFrame::OnRuler()
{
    m_rulersShown = !m_rulersShown;
    ShowBar(m_horzRuler, m_rulersShown);
    ShowBar(m_vertRuler, m_rulersShown);
    ApplyFrameObject(ApplyWithSavedPosition);
}

void CHyperFrame::OnUpdateRuler(CCmdUI* cmdUI)
{
    cmdUI->SetCheck(m_rulersShown);
}

LRESULT CHyperFrame::OnRulerUnits(WPARAM wParam, LPARAM)
{
    m_rulerUnits = wParam ? DefaultRulerUnits : MetricRulerUnits;
    for (CControlBar* bar : {m_horzRuler, m_vertRuler}) {
        if (auto* ruler = dynamic_cast<CRulerBar*>(bar); ruler && ruler->GetRuler())
            ruler->GetRuler()->SetUnits(m_rulerUnits);
    }
    if (CWinApp* app = AfxGetApp())
        app->WriteProfileInt("Settings", "RulerUnits", m_rulerUnits);
    return 0;
}

BEGIN_MESSAGE_MAP(CHyperFrame, CHyperRunFrame)
    ON_WM_CREATE()
    ON_WM_MDIACTIVATE()
    ON_WM_SYSCOMMAND()
    ON_WM_SIZE()
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_WM_NCDESTROY()
    ON_MESSAGE(WM_DOCUMENT_SAVED, OnDocumentSaved)
    ON_MESSAGE(CHyperFrame::WM_TOOL_OR_UNITS, OnRulerUnits)
    ON_COMMAND(CHyperFrame::CmdEditView, OnEditView)
    ON_UPDATE_COMMAND_UI(CHyperFrame::CmdEditView, OnUpdateEditView)
    ON_COMMAND(CHyperFrame::CmdRuler, OnRuler)
    ON_UPDATE_COMMAND_UI(CHyperFrame::CmdRuler, OnUpdateRuler)
    ON_COMMAND_EX(CHyperFrame::ToolSelect, OnSelectToolCommand)
    ON_COMMAND_EX(CHyperFrame::ToolText, OnSelectToolCommand)
    ON_UPDATE_COMMAND_UI(CHyperFrame::ToolSelect, OnUpdateTool)
    ON_CBN_SELCHANGE(CHyperFrame::ObjectComboId, OnObjectComboChange)
END_MESSAGE_MAP()
