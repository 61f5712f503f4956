// Frame windows: creation from resources, views, layout, titles, routing and menu updates.
#include "platform/ui/FrameWnd.h"

#include "platform/core/StringTable.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/ControlBar.h"
#include "platform/ui/Document.h"
#include "platform/ui/EditBoxKeys.h"
#include "platform/ui/LanguageTexts.h"
#include "platform/ui/Menu.h"
#include "platform/ui/PreviewView.h"
#include "platform/ui/View.h"
#include "platform/ui/WinApp.h"

#include <vector>

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

CFrameWnd* AfxGetParentFrameOf(const CWnd* wnd)
{
    for (HWND h = wnd ? ::GetParent(wnd->m_hWnd) : nullptr; h; h = ::GetParent(h)) {
        CWnd* parent = CWnd::FromHandlePermanent(h);
        if (parent && parent->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
            return static_cast<CFrameWnd*>(parent);
    }
    return nullptr;
}

CFrameWnd* CWnd::GetParentFrame() const { return AfxGetParentFrameOf(this); }

CFrameWnd* CWnd::GetTopLevelFrame() const
{
    CFrameWnd* frame = IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? const_cast<CFrameWnd*>(static_cast<const CFrameWnd*>(this))
                                                          : GetParentFrame();
    while (frame && (frame->GetStyle() & WS_CHILD))
        if (CFrameWnd* up = frame->GetParentFrame())
            frame = up;
        else
            break;
    return frame;
}

BOOL AfxExtractSubString(CString& part, LPCTSTR fullString, int subIndex, char separator)
{
    part.Empty();
    if (!fullString)
        return FALSE;
    const char* p = fullString;
    for (int i = 0; i < subIndex; ++i) {
        p = strchr(p, separator);
        if (!p)
            return FALSE;
        ++p;
    }
    const char* end = strchr(p, separator);
    part = end ? CString(p, static_cast<int>(end - p)) : CString(p);
    return TRUE;
}

CFrameWnd::~CFrameWnd()
{
    if (m_hAccelTable && m_bAccelOwned)
        ::DestroyAcceleratorTable(m_hAccelTable);
}

BOOL CFrameWnd::Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                       LPCTSTR menuName, DWORD exStyle, CCreateContext* context)
{
    HMENU menu = menuName ? ::LoadMenu(nullptr, menuName) : nullptr;
    m_strTitle = windowName;
    bool byDefault = rect.left == CW_USEDEFAULT;
    int cx = byDefault ? CW_USEDEFAULT : rect.right - rect.left;
    int cy = byDefault ? CW_USEDEFAULT : rect.bottom - rect.top;
    if (!CreateEx(exStyle, className, windowName, style, rect.left, rect.top, cx, cy, parent ? parent->m_hWnd : nullptr,
                  menu, context)) {
        if (menu)
            ::DestroyMenu(menu);
        return FALSE;
    }
    return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT resourceId, DWORD style, CWnd* parent, CCreateContext* context)
{
    m_nIDHelp = resourceId;
    CString full;
    if (LookupStringResource(resourceId, full))
        AfxExtractSubString(m_strTitle, full, 0);
    CString title = m_strTitle;
    AfxEndDeferRegisterClass(0);
    if (!Create(AfxFrameOrView, title, style, rectDefault, parent, MAKEINTRESOURCE(resourceId), 0, context))
        return FALSE;
    m_hMenuDefault = ::GetMenu(m_hWnd);
    LoadAccelTable(MAKEINTRESOURCE(resourceId));
    if (!context)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

BOOL CFrameWnd::LoadAccelTable(LPCTSTR resourceName)
{
    if (m_hAccelTable)
        return FALSE;
    m_hAccelTable = ::LoadAccelerators(nullptr, resourceName);
    m_bAccelOwned = m_hAccelTable != nullptr;
    return m_bAccelOwned;
}

HACCEL CFrameWnd::GetDefaultAccelerator() { return m_hAccelTable; }

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!cs.lpszClass) {
        AfxEndDeferRegisterClass(0);
        cs.lpszClass = AfxFrameOrView;
    }
    return TRUE;
}

void CFrameWnd::PostNcDestroy() { delete this; }

int CFrameWnd::OnCreate(LPCREATESTRUCT cs)
{
    return CreateFrameHelper(cs, static_cast<CCreateContext*>(cs->lpCreateParams)) ? 0 : -1;
}

BOOL CFrameWnd::CreateFrameHelper(LPCREATESTRUCT cs, CCreateContext* context)
{
    if (CWnd::OnCreate(cs) == -1)
        return FALSE;
    if (!OnCreateClient(cs, context))
        return FALSE;
    PostMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    RecalcLayout();
    return TRUE;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* context)
{
    return !(context && context->m_pNewViewClass) || CreateView(context, AFX_IDW_PANE_FIRST) != nullptr;
}

CWnd* CFrameWnd::CreateView(CCreateContext* context, UINT id)
{
    auto* view = dynamic_cast<CWnd*>(context->m_pNewViewClass->CreateObject());
    if (!view)
        return nullptr;
    if (!view->CreateEx(WS_EX_CLIENTEDGE, nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, id, context))
        return nullptr;
    return view;
}

CDocument* CFrameWnd::GetActiveDocument()
{
    CFrameWnd* frame = GetActiveFrame();
    CView* view = frame ? frame->GetActiveView() : nullptr;
    return view ? view->GetDocument() : nullptr;
}

void CFrameWnd::SetActiveView(CView* view, BOOL notify)
{
    CView* old = m_pViewActive;
    if (view == old)
        return;
    m_pViewActive = nullptr;
    if (notify && old)
        old->OnActivateView(FALSE, view, old);
    m_pViewActive = view;
    if (notify && view)
        view->OnActivateView(TRUE, view, old);
}

void CFrameWnd::RecalcLayout(BOOL)
{
    if (m_bInRecalcLayout)
        return;
    m_bInRecalcLayout = TRUE;
    m_nIdleFlags &= ~(idleLayout | idleNotify);
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, nullptr, nullptr, TRUE);
    m_bInRecalcLayout = FALSE;
}

void CFrameWnd::OnSetPreviewMode(BOOL preview, CPrintPreviewState* state)
{
    if (!state)
        return;
    if (preview) {
        CWnd* pane = GetDlgItem(AFX_IDW_PANE_FIRST);
        state->hWndMainPane = pane ? pane->m_hWnd : nullptr;
        if (pane) {
            pane->ShowWindow(SW_HIDE);
            pane->SetDlgCtrlID(AFX_IDW_PANE_LAST);
        }
    } else if (CWnd* pane = state->hWndMainPane ? CWnd::FromHandle(state->hWndMainPane) : nullptr) {
        pane->SetDlgCtrlID(AFX_IDW_PANE_FIRST);
        pane->ShowWindow(SW_SHOW);
        state->hWndMainPane = nullptr;
    }
    RecalcLayout();
}

void CFrameWnd::ActivateFrame(int cmdShow)
{
    if (cmdShow == -1)
        cmdShow = !IsWindowVisible() ? SW_SHOWNORMAL : IsIconic() ? SW_RESTORE : SW_SHOW;
    ShowWindow(cmdShow);
    if (cmdShow != SW_HIDE && !(GetStyle() & WS_CHILD)) {
        BringWindowToTop();
        SetActiveWindow();
    }
}

void CFrameWnd::InitialUpdateFrame(CDocument* doc, BOOL makeVisible)
{
    CView* view = nullptr;
    if (!GetActiveView()) {
        CWnd* pane = GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
        if (pane && pane->IsKindOf(RUNTIME_CLASS(CView))) {
            view = static_cast<CView*>(pane);
            SetActiveView(view, FALSE);
        }
    }
    if (makeVisible) {
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
        if (view)
            view->OnActivateFrame(WA_INACTIVE, this);
        int cmdShow = -1;
        CWinApp* app = AfxGetApp();
        if (app && app->m_pMainWnd == this)
            cmdShow = app->m_nCmdShow;
        ActivateFrame(cmdShow);
        if (view)
            view->OnActivateView(TRUE, view, view);
        if (doc)
            doc->OnShowViews(TRUE);
    }
    if (doc)
        doc->UpdateFrameCounts();
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::OnUpdateFrameTitle(BOOL addToTitle)
{
    CDocument* doc = GetActiveDocument();
    if (addToTitle && (GetStyle() & FWS_ADDTOTITLE) && doc)
        UpdateFrameTitleForDocument(doc->GetTitle());
    else
        UpdateFrameTitleForDocument(nullptr);
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCTSTR docName)
{
    CString title = m_strTitle;
    if (docName && *docName) {
        if (GetStyle() & FWS_PREFIXTITLE)
            title = CString(docName) + " - " + m_strTitle;
        else
            title = m_strTitle.IsEmpty() ? CString(docName) : m_strTitle + " - " + docName;
    }
    CString current;
    GetWindowText(current);
    if (current != title)
        SetWindowText(title);
}

void CFrameWnd::GetMessageString(UINT id, CString& message) const
{
    CString full;
    message.Empty();
    if (LoadLanguageString(id, full))
        AfxExtractSubString(message, full, 0);
}

void CFrameWnd::SetMessageText(LPCTSTR text)
{
    if (CWnd* bar = GetDlgItem(AFX_IDW_STATUS_BAR))
        bar->SetWindowText(text);
}

void CFrameWnd::SetMessageText(UINT id)
{
    CString message;
    GetMessageString(id, message);
    SetMessageText(message);
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    if (lParam)
        SetMessageText(reinterpret_cast<LPCTSTR>(lParam));
    else if (wParam)
        SetMessageText(static_cast<UINT>(wParam));
    return 0;
}

BOOL CFrameWnd::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo)
{
    CView* view = GetActiveView();
    if (view && view->OnCmdMsg(id, code, extra, handlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(id, code, extra, handlerInfo))
        return TRUE;
    // A child frame leaves the application to its parent frame, which routes after itself.
    if ((GetStyle() & WS_CHILD) && GetParentFrame())
        return FALSE;
    CWinApp* app = AfxGetApp();
    return app && app->OnCmdMsg(id, code, extra, handlerInfo);
}

BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (InModalState() && !lParam)
        return TRUE;
    return CWnd::OnCommand(wParam, lParam);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* msg)
{
    if (msg->message >= WM_KEYDOWN && msg->message <= WM_SYSCHAR && !IsEditBoxKey(msg)) {
        HACCEL accel = GetDefaultAccelerator();
        if (accel && ::TranslateAccelerator(m_hWnd, accel, msg))
            return TRUE;
    }
    return CWnd::PreTranslateMessage(msg);
}

void CFrameWnd::OnDestroy()
{
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos;)
        static_cast<CControlBar*>(m_listControlBars.GetNext(pos))->m_pDockSite = nullptr;
    m_listControlBars.RemoveAll();
    if (m_hMenuDefault && ::GetMenu(m_hWnd) != m_hMenuDefault)
        ::DestroyMenu(m_hMenuDefault);
    else if (HMENU menu = ::GetMenu(m_hWnd); menu && !(GetStyle() & WS_CHILD)) {
        ::SetMenu(m_hWnd, nullptr);
        ::DestroyMenu(menu);
    }
    m_hMenuDefault = nullptr;
    CWnd::OnDestroy();
}

void CFrameWnd::OnClose()
{
    CWinApp* app = AfxGetApp();
    CDocument* doc = GetActiveDocument();
    if (app && app->m_pMainWnd == this) {
        if (!app->SaveAllModified())
            return;
        app->CloseAllDocuments(FALSE);
        if (!::IsWindow(m_hWnd))
            return;
    } else if (doc) {
        if (!doc->CanCloseFrame(this))
            return;
        doc->PreCloseFrame(this);
    }
    DestroyWindow();
}

// The desktop session is ending: the main window offers every changed document for saving,
// and Cancel keeps the session going.
BOOL CFrameWnd::OnQueryEndSession()
{
    CWinApp* app = AfxGetApp();
    return !app || app->m_pMainWnd != this || app->SaveAllModified();
}

void CFrameWnd::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    if (type != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::OnSetFocus(CWnd* oldWnd)
{
    if (m_pViewActive && m_pViewActive->m_hWnd)
        m_pViewActive->SetFocus();
    else
        CWnd::OnSetFocus(oldWnd);
}

void CFrameWnd::OnActivate(UINT state, CWnd* other, BOOL minimized)
{
    CWnd::OnActivate(state, other, minimized);
    CView* view = GetActiveView();
    if (state != WA_INACTIVE && !minimized && view && view->m_hWnd && ::IsWindowVisible(view->m_hWnd))
        view->SetFocus();
}

void CFrameWnd::OnInitMenuPopup(CMenu* popup, UINT, BOOL sysMenu)
{
    if (sysMenu || !popup)
        return;
    CCmdUI state;
    state.m_pMenu = popup;
    state.m_nIndexMax = popup->GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        state.m_nID = popup->GetMenuItemID(static_cast<int>(state.m_nIndex));
        if (state.m_nID == 0)
            continue;
        if (state.m_nID == 0xFFFFFFFF) {
            state.m_pSubMenu = popup->GetSubMenu(static_cast<int>(state.m_nIndex));
            if (!state.m_pSubMenu || (state.m_nID = state.m_pSubMenu->GetMenuItemID(0)) == 0 || state.m_nID == 0xFFFFFFFF)
                continue;
            state.DoUpdate(this, FALSE);
        } else {
            state.m_pSubMenu = nullptr;
            state.DoUpdate(this, m_bAutoMenuEnable && state.m_nID < 0xF000);
        }
        UINT count = popup->GetMenuItemCount();
        if (count < state.m_nIndexMax) {
            state.m_nIndex -= (state.m_nIndexMax - count);
            while (state.m_nIndex < count && popup->GetMenuItemID(static_cast<int>(state.m_nIndex)) == state.m_nID)
                ++state.m_nIndex;
        }
        state.m_nIndexMax = count;
    }
}

void CFrameWnd::OnDropFiles(HDROP drop)
{
    SetActiveWindow();
    UINT count = ::DragQueryFile(drop, 0xFFFFFFFF, nullptr, 0);
    CWinApp* app = AfxGetApp();
    for (UINT i = 0; i < count && app; ++i) {
        CString name;
        UINT length = ::DragQueryFile(drop, i, nullptr, 0);
        ::DragQueryFile(drop, i, name.GetBufferSetLength(static_cast<int>(length) + 1), length + 1);
        name.ReleaseBuffer(static_cast<int>(length));
        app->OpenDocumentFile(name);
    }
    ::DragFinish(drop);
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    if (m_nIdleFlags & idleLayout)
        RecalcLayout((m_nIdleFlags & idleNotify) != 0);
    if (m_nIdleFlags & idleTitle)
        OnUpdateFrameTitle(TRUE);
    m_nIdleFlags = 0;
    return 0;
}

CControlBar* CFrameWnd::GetControlBar(UINT id)
{
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos;) {
        auto* bar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (static_cast<UINT>(bar->GetDlgCtrlID()) == id)
            return bar;
    }
    return nullptr;
}

void CFrameWnd::ShowControlBar(CControlBar* bar, BOOL show, BOOL delay)
{
    if (!bar || !bar->m_hWnd)
        return;
    bar->ShowWindow(show ? SW_SHOWNA : SW_HIDE);
    // A floating bar shows and hides with its small frame.
    if (bar->IsFloating())
        if (CFrameWnd* floating = bar->GetParentFrame(); floating && floating != this)
            floating->ShowWindow(show ? SW_SHOWNA : SW_HIDE);
    if (delay)
        DelayRecalcLayout();
    else
        RecalcLayout();
}

void CFrameWnd::AddControlBar(CControlBar* bar)
{
    if (bar && !m_listControlBars.Find(bar))
        m_listControlBars.AddTail(bar);
}

void CFrameWnd::RemoveControlBar(CControlBar* bar)
{
    if (POSITION pos = m_listControlBars.Find(bar))
        m_listControlBars.RemoveAt(pos);
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* cmdUI)
{
    CControlBar* bar = GetControlBar(cmdUI->m_nID);
    if (!bar) {
        cmdUI->ContinueRouting();
        return;
    }
    cmdUI->SetCheck(bar->IsWindowVisible() ? 1 : 0);
}

// Status bar indicators of the lock keys show their text while the key is toggled on.
void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* cmdUI)
{
    int key = cmdUI->m_nID == ID_INDICATOR_CAPS ? VK_CAPITAL : cmdUI->m_nID == ID_INDICATOR_NUM ? VK_NUMLOCK : VK_SCROLL;
    cmdUI->Enable(::GetKeyState(key) & 1);
}

BOOL CFrameWnd::OnBarCheck(UINT id)
{
    CControlBar* bar = GetControlBar(id);
    if (!bar)
        return FALSE;
    ShowControlBar(bar, !bar->IsWindowVisible(), FALSE);
    return TRUE;
}

void CFrameWnd::BeginModalState()
{
    if (m_cModalStack++ > 0)
        return;
    EnableWindow(FALSE);
}

void CFrameWnd::EndModalState()
{
    if (m_cModalStack == 0 || --m_cModalStack > 0)
        return;
    EnableWindow(TRUE);
}

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_CLOSE()
    ON_WM_QUERYENDSESSION()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_ACTIVATE()
    ON_WM_INITMENUPOPUP()
    ON_WM_DROPFILES()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_STATUS_BAR, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateControlBarMenu)
    ON_UPDATE_COMMAND_UI_RANGE(ID_INDICATOR_CAPS, ID_INDICATOR_SCRL, OnUpdateKeyIndicator)
    ON_COMMAND_EX(ID_VIEW_TOOLBAR, OnBarCheck)
END_MESSAGE_MAP()
