// MDI child frames: created in the MDI client, activated by clicks and by ActivateFrame.
#include "platform/ui/MDIChildWnd.h"

#include "platform/core/StringTable.h"
#include "platform/ui/Document.h"
#include "platform/ui/MDIFrameWnd.h"
#include "platform/ui/View.h"
#include "platform/ui/Menu.h"
#include "platform/ui/WinApp.h"

IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BOOL CMDIChildWnd::Create(LPCTSTR className, LPCTSTR title, DWORD style, const RECT& rect, CMDIFrameWnd* parent,
                          CCreateContext* context)
{
    if (!parent) {
        CWnd* main = AfxGetMainWnd();
        parent = main && main->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)) ? static_cast<CMDIFrameWnd*>(main) : nullptr;
    }
    if (!parent || !parent->m_hWndMDIClient)
        return FALSE;
    BOOL maximized = FALSE;
    parent->MDIGetActive(&maximized);
    style = (style & ~(WS_POPUP | WS_VISIBLE)) | WS_CHILD | WS_CLIPSIBLINGS | (maximized ? WS_MAXIMIZE : 0);
    m_strTitle = title;
    bool byDefault = rect.left == CW_USEDEFAULT;
    return CreateEx(WS_EX_MDICHILD, className, title, style, byDefault ? CW_USEDEFAULT : rect.left,
                    byDefault ? CW_USEDEFAULT : rect.top, byDefault ? CW_USEDEFAULT : rect.right - rect.left,
                    byDefault ? CW_USEDEFAULT : rect.bottom - rect.top, parent->m_hWndMDIClient, nullptr, context);
}

BOOL CMDIChildWnd::LoadFrame(UINT resourceId, DWORD style, CWnd* parent, CCreateContext* context)
{
    m_nIDHelp = resourceId;
    auto* mdiParent = parent && parent->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)) ? static_cast<CMDIFrameWnd*>(parent) : nullptr;
    if (!Create(nullptr, nullptr, style | WS_CHILD, rectDefault, mdiParent, context))
        return FALSE;
    if (context && context->m_pNewDocTemplate) {
        m_hMenuShared = context->m_pNewDocTemplate->m_hMenuShared;
        m_hAccelTable = context->m_pNewDocTemplate->m_hAccelTable;
    }
    return TRUE;
}

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_CHILD;
    return CFrameWnd::PreCreateWindow(cs);
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const
{
    HWND client = ::GetParent(m_hWnd);
    CWnd* frame = client ? CWnd::FromHandlePermanent(::GetParent(client)) : nullptr;
    return frame && frame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)) ? static_cast<CMDIFrameWnd*>(frame) : nullptr;
}

void CMDIChildWnd::MDIActivate()
{
    if (CMDIFrameWnd* frame = GetMDIFrame())
        frame->MDIActivate(this);
}

void CMDIChildWnd::MDIDestroy() { ::SendMessage(::GetParent(m_hWnd), WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_hWnd), 0); }
void CMDIChildWnd::MDIMaximize() { ::SendMessage(::GetParent(m_hWnd), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(m_hWnd), 0); }
void CMDIChildWnd::MDIRestore() { ::SendMessage(::GetParent(m_hWnd), WM_MDIRESTORE, reinterpret_cast<WPARAM>(m_hWnd), 0); }

void CMDIChildWnd::ActivateFrame(int cmdShow)
{
    CMDIFrameWnd* frame = GetMDIFrame();
    BOOL maximized = FALSE;
    if (frame)
        frame->MDIGetActive(&maximized);
    if (cmdShow == -1)
        cmdShow = !IsWindowVisible() ? (maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL) : (IsIconic() ? SW_RESTORE : SW_SHOW);
    ShowWindow(cmdShow);
    MDIActivate();
    if (frame)
        frame->OnUpdateFrameTitle(TRUE);
}

BOOL CMDIChildWnd::PreTranslateMessage(MSG* msg) { return CWnd::PreTranslateMessage(msg); }

void CMDIChildWnd::OnUpdateFrameTitle(BOOL addToTitle)
{
    CDocument* doc = GetActiveDocument();
    CString title = (addToTitle && doc) ? doc->GetTitle() : m_strTitle;
    CString current;
    GetWindowText(current);
    if (current != title)
        SetWindowText(title);
    if (CMDIFrameWnd* frame = GetMDIFrame())
        frame->DelayUpdateFrameTitle();
}

int CMDIChildWnd::OnMouseActivate(CWnd* desktop, UINT hitTest, UINT message)
{
    int result = CFrameWnd::OnMouseActivate(desktop, hitTest, message);
    if (result == MA_NOACTIVATE || result == MA_NOACTIVATEANDEAT)
        return result;
    MDIActivate();
    return result ? result : MA_ACTIVATE;
}

void CMDIChildWnd::OnChildActivate() { MDIActivate(); }

void CMDIChildWnd::OnMDIActivate(BOOL activate, CWnd*, CWnd*)
{
    CMDIFrameWnd* frame = GetMDIFrame();
    if (!frame)
        return;
    frame->OnActiveDocumentMenu(activate ? m_hMenuShared : nullptr, activate ? m_nIDHelp : 0);
    if (CView* view = GetActiveView(); view && activate)
        view->OnActivateView(TRUE, view, view);
    frame->DelayUpdateFrameTitle();
}

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
    ON_WM_MOUSEACTIVATE()
    ON_WM_CHILDACTIVATE()
    ON_WM_MDIACTIVATE()
END_MESSAGE_MAP()
