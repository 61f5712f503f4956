// MDI frames and the MDI client window, which keeps the active child and arranges children.
#include "platform/ui/MDIFrameWnd.h"

#include "platform/ui/CmdUI.h"
#include "platform/ui/Document.h"
#include "platform/ui/EditBoxKeys.h"
#include "platform/ui/MDIChildWnd.h"
#include "platform/ui/Menu.h"
#include "platform/ui/WinApp.h"

#include <unordered_map>
#include <vector>

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)

const char* const MDIClientClass = "MDIClient";

namespace {

std::unordered_map<HWND, HWND>& activeChildren()
{
    static std::unordered_map<HWND, HWND> active;
    return active;
}

HWND activeOf(HWND client)
{
    auto it = activeChildren().find(client);
    return (it != activeChildren().end() && ::IsWindow(it->second)) ? it->second : nullptr;
}

std::vector<HWND> visibleChildren(HWND client, HWND except)
{
    std::vector<HWND> kids;
    for (HWND c = ::GetTopWindow(client); c; c = ::GetWindow(c, GW_HWNDNEXT))
        if (c != except && ::IsWindowVisible(c))
            kids.push_back(c);
    return kids;
}

void activateChild(HWND client, HWND child)
{
    HWND old = activeOf(client);
    if (child == old)
        return;
    bool maximized = old && ::IsZoomed(old);
    activeChildren()[client] = child;
    if (old) {
        ::SendMessage(old, WM_NCACTIVATE, FALSE, 0);
        ::SendMessage(old, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(old), reinterpret_cast<LPARAM>(child));
    }
    if (!child)
        return;
    ::SetWindowPos(child, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (maximized && !::IsZoomed(child) && ::IsWindowVisible(child)) {
        ::ShowWindow(child, SW_SHOWMAXIMIZED);
        if (::IsWindow(old))
            ::ShowWindow(old, SW_RESTORE);
    }
    ::SendMessage(child, WM_NCACTIVATE, TRUE, 0);
    ::SendMessage(child, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(old), reinterpret_cast<LPARAM>(child));
    HWND top = ::GetAncestorTopLevel(client);
    if (::GetActiveWindow() == top && !::IsChild(child, ::GetFocus()))
        ::SetFocus(child);
}

void arrange(HWND client, bool tile)
{
    std::vector<HWND> kids = visibleChildren(client, nullptr);
    RECT area{};
    ::GetClientRect(client, &area);
    int n = static_cast<int>(kids.size());
    for (int i = 0; i < n; ++i) {
        HWND k = kids[static_cast<size_t>(n - 1 - i)];
        if (::IsZoomed(k))
            ::ShowWindow(k, SW_RESTORE);
        if (tile) {
            int h = area.bottom / std::max(1, n);
            ::SetWindowPos(k, nullptr, 0, i * h, area.right, h, SWP_NOZORDER | SWP_NOACTIVATE);
        } else {
            int step = 24 * i;
            ::SetWindowPos(k, nullptr, step, step, area.right * 3 / 4, area.bottom * 3 / 4, SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
}

LRESULT clientProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MDIACTIVATE: activateChild(hwnd, reinterpret_cast<HWND>(wParam)); return 0;
    case WM_MDIGETACTIVE: {
        HWND active = activeOf(hwnd);
        if (lParam)
            *reinterpret_cast<BOOL*>(lParam) = active && ::IsZoomed(active);
        return reinterpret_cast<LRESULT>(active);
    }
    case WM_MDIMAXIMIZE: ::ShowWindow(reinterpret_cast<HWND>(wParam), SW_SHOWMAXIMIZED); return 0;
    case WM_MDIRESTORE: ::ShowWindow(reinterpret_cast<HWND>(wParam), SW_RESTORE); return 0;
    case WM_MDIDESTROY: ::DestroyWindow(reinterpret_cast<HWND>(wParam)); return 0;
    case WM_MDICASCADE: arrange(hwnd, false); return TRUE;
    case WM_MDITILE: arrange(hwnd, true); return TRUE;
    case WM_MDINEXT: {
        std::vector<HWND> kids = visibleChildren(hwnd, nullptr);
        if (kids.size() > 1)
            activateChild(hwnd, lParam ? kids[1] : kids.back());
        return 0;
    }
    case WM_PARENTNOTIFY:
        if (LOWORD(wParam) == WM_DESTROY && reinterpret_cast<HWND>(lParam) == activeOf(hwnd)) {
            activeChildren().erase(hwnd);
            std::vector<HWND> rest = visibleChildren(hwnd, reinterpret_cast<HWND>(lParam));
            if (!rest.empty())
                activateChild(hwnd, rest.front());
            else if (auto* frame = dynamic_cast<CMDIFrameWnd*>(CWnd::FromHandlePermanent(::GetParent(hwnd))))
                frame->OnActiveDocumentMenu(nullptr, 0);
        }
        return 0;
    case WM_SIZE:
        for (HWND c = ::GetTopWindow(hwnd); c; c = ::GetWindow(c, GW_HWNDNEXT))
            if (::IsZoomed(c))
                ::ShowWindow(c, SW_SHOWMAXIMIZED);
        return 0;
    case WM_NCDESTROY: activeChildren().erase(hwnd); return 0;
    default: return ::DefWindowProc(hwnd, message, wParam, lParam);
    }
}

void registerClientClass()
{
    WNDCLASS wc{};
    if (::GetClassInfo(nullptr, MDIClientClass, &wc))
        return;
    wc.lpfnWndProc = clientProc;
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_APPWORKSPACE + 1));
    wc.lpszClassName = MDIClientClass;
    ::RegisterClass(&wc);
}

} // namespace

BOOL CMDIFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!cs.lpszClass) {
        AfxEndDeferRegisterClass(0);
        cs.lpszClass = AfxMDIFrame;
    }
    cs.style |= WS_CLIPCHILDREN;
    return CFrameWnd::PreCreateWindow(cs);
}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT cs, CCreateContext*)
{
    CMenu* menu = GetMenu();
    CMenu* windowMenu = menu && menu->GetMenuItemCount() > 1 ? menu->GetSubMenu(static_cast<int>(menu->GetMenuItemCount()) - 2) : nullptr;
    return CreateClient(cs, windowMenu);
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT, CMenu*)
{
    registerClientClass();
    m_hWndMDIClient = ::CreateWindowEx(WS_EX_CLIENTEDGE, MDIClientClass, nullptr,
                                       WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0, 0, m_hWnd,
                                       reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_PANE_FIRST)), nullptr, nullptr);
    return m_hWndMDIClient != nullptr;
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* maximized) const
{
    BOOL zoomed = FALSE;
    auto active = m_hWndMDIClient
                      ? reinterpret_cast<HWND>(::SendMessage(m_hWndMDIClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&zoomed)))
                      : nullptr;
    if (maximized)
        *maximized = zoomed;
    CWnd* wnd = CWnd::FromHandlePermanent(active);
    return wnd && wnd->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)) ? static_cast<CMDIChildWnd*>(wnd) : nullptr;
}

void CMDIFrameWnd::MDIActivate(CWnd* activate)
{
    ::SendMessage(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(activate ? activate->m_hWnd : nullptr), 0);
}

void CMDIFrameWnd::MDIMaximize(CWnd* wnd) { ::SendMessage(m_hWndMDIClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(wnd->m_hWnd), 0); }
void CMDIFrameWnd::MDIRestore(CWnd* wnd) { ::SendMessage(m_hWndMDIClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(wnd->m_hWnd), 0); }
void CMDIFrameWnd::MDINext() { ::SendMessage(m_hWndMDIClient, WM_MDINEXT, 0, 0); }
void CMDIFrameWnd::MDICascade() { ::SendMessage(m_hWndMDIClient, WM_MDICASCADE, 0, 0); }
void CMDIFrameWnd::MDITile(int how) { ::SendMessage(m_hWndMDIClient, WM_MDITILE, static_cast<WPARAM>(how), 0); }

void CMDIFrameWnd::OnActiveDocumentMenu(HMENU menu, UINT)
{
    if (menu)
        ::SetMenu(m_hWnd, menu);
    else if (m_hMenuDefault && ::IsWindow(m_hWnd))
        ::SetMenu(m_hWnd, m_hMenuDefault);
}

CMenu* CMDIFrameWnd::MDISetMenu(CMenu* frameMenu, CMenu*)
{
    CMenu* old = GetMenu();
    if (frameMenu)
        ::SetMenu(m_hWnd, frameMenu->m_hMenu);
    return old;
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo)
{
    CMDIChildWnd* active = MDIGetActive();
    if (active && active->OnCmdMsg(id, code, extra, handlerInfo))
        return TRUE;
    return CFrameWnd::OnCmdMsg(id, code, extra, handlerInfo);
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    CMDIChildWnd* active = MDIGetActive();
    return active ? static_cast<CFrameWnd*>(active) : this;
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL addToTitle)
{
    CMDIChildWnd* active = MDIGetActive();
    CDocument* doc = active ? active->GetActiveDocument() : nullptr;
    if (addToTitle && (GetStyle() & FWS_ADDTOTITLE) && active) {
        CString childTitle;
        active->GetWindowText(childTitle);
        UpdateFrameTitleForDocument(doc || !childTitle.IsEmpty() ? static_cast<LPCTSTR>(childTitle) : nullptr);
    } else {
        UpdateFrameTitleForDocument(nullptr);
    }
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* msg)
{
    CMDIChildWnd* active = MDIGetActive();
    if (msg->message >= WM_KEYDOWN && msg->message <= WM_SYSCHAR && !IsEditBoxKey(msg) && active && active->m_hAccelTable &&
        ::TranslateAccelerator(m_hWnd, active->m_hAccelTable, msg))
        return TRUE;
    return CFrameWnd::PreTranslateMessage(msg);
}

LRESULT CMDIFrameWnd::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam)
{
    CMDIChildWnd* active = MDIGetActive();
    if (active)
        AfxCallWndProc(active, active->m_hWnd, WM_IDLEUPDATECMDUI, wParam, lParam);
    m_nIdleFlags |= idleTitle;
    return CFrameWnd::OnIdleUpdateCmdUI(wParam, lParam);
}

void CMDIFrameWnd::OnWindowNew()
{
    CMDIChildWnd* active = MDIGetActive();
    CDocument* doc = active ? active->GetActiveDocument() : nullptr;
    CDocTemplate* docTemplate = doc ? doc->GetDocTemplate() : nullptr;
    if (!docTemplate)
        return;
    if (CFrameWnd* frame = docTemplate->CreateNewFrame(doc, active))
        docTemplate->InitialUpdateFrame(frame, doc);
}

BOOL CMDIFrameWnd::OnMDIWindowCmd(UINT id)
{
    switch (id) {
    case ID_WINDOW_CASCADE: MDICascade(); return TRUE;
    case ID_WINDOW_TILE_HORZ:
    case ID_WINDOW_TILE_VERT: MDITile(); return TRUE;
    case ID_WINDOW_ARRANGE: return TRUE;
    default: return FALSE;
    }
}

void CMDIFrameWnd::OnUpdateMDIWindowCmd(CCmdUI* cmdUI) { cmdUI->Enable(MDIGetActive() != nullptr); }

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_COMMAND(ID_WINDOW_NEW, OnWindowNew)
    ON_COMMAND_EX_RANGE(ID_WINDOW_ARRANGE, ID_WINDOW_TILE_VERT, OnMDIWindowCmd)
    ON_UPDATE_COMMAND_UI_RANGE(ID_WINDOW_ARRANGE, ID_WINDOW_TILE_VERT, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_NEW, OnUpdateMDIWindowCmd)
END_MESSAGE_MAP()
