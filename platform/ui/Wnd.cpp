// CWnd: handle maps, creation, dispatch through message maps, reflection and modal loops.
#include "platform/ui/Wnd.h"

#include "platform/ui/ControlTypes.h"

#include "platform/ui/CmdUI.h"
#include "platform/ui/Menu.h"
#include "platform/ui/WinApp.h"
#include "platform/ui/WindowTable.h"

#include <cstdio>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

const CWnd CWnd::wndTop;
const CWnd CWnd::wndBottom;
const CWnd CWnd::wndTopMost;
const CWnd CWnd::wndNoTopMost;

namespace {

std::unordered_map<HWND, CWnd*>& permanentMap()
{
    static std::unordered_map<HWND, CWnd*> map;
    return map;
}

std::unordered_map<HWND, std::unique_ptr<CWnd>>& temporaryMap()
{
    static std::unordered_map<HWND, std::unique_ptr<CWnd>> map;
    return map;
}

MSG lastSent{};
CWnd* creating = nullptr;

void hookCreate(HWND hwnd)
{
    CWnd* wnd = creating;
    creating = nullptr;
    ui::SetCreateHook(nullptr);
    if (!wnd)
        return;
    wnd->Attach(hwnd);
    wnd->PreSubclassWindow();
    auto old = reinterpret_cast<WNDPROC>(::SetWindowLongPtr(hwnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (old != &AfxWndProc)
        wnd->m_pfnSuper = old;
}

HWND insertAfterHandle(const CWnd* insertAfter)
{
    if (insertAfter == &CWnd::wndTop)
        return HWND_TOP;
    if (insertAfter == &CWnd::wndBottom)
        return HWND_BOTTOM;
    if (insertAfter == &CWnd::wndTopMost)
        return HWND_TOPMOST;
    if (insertAfter == &CWnd::wndNoTopMost)
        return HWND_NOTOPMOST;
    return insertAfter ? insertAfter->m_hWnd : nullptr;
}

// Asks the command's update handler whether it is enabled.
class CTestCmdUI : public CCmdUI {
public:
    BOOL m_bEnabled = TRUE;
    void Enable(BOOL on) override
    {
        m_bEnabled = on;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCTSTR) override {}
};

} // namespace

LRESULT AfxCallWndProc(CWnd* wnd, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG saved = lastSent;
    lastSent = MSG{hwnd, message, wParam, lParam, 0, {0, 0}};
    LRESULT r = wnd->WindowProc(message, wParam, lParam);
    lastSent = saved;
    return r;
}

LRESULT AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
    if (!wnd)
        return ::DefWindowProc(hwnd, message, wParam, lParam);
    return AfxCallWndProc(wnd, hwnd, message, wParam, lParam);
}

CWnd::~CWnd()
{
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this)
        ::DestroyWindow(m_hWnd);
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this)
        Detach();
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd)
{
    auto& map = permanentMap();
    auto it = map.find(hwnd);
    return it == map.end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hwnd)
{
    if (!hwnd)
        return nullptr;
    if (CWnd* w = FromHandlePermanent(hwnd))
        return w;
    auto& temps = temporaryMap();
    auto it = temps.find(hwnd);
    if (it != temps.end())
        return it->second.get();
    auto wrapper = std::make_unique<CWnd>();
    wrapper->m_hWnd = hwnd;
    return temps.emplace(hwnd, std::move(wrapper)).first->second.get();
}

namespace {

int tempMapLocks = 0;

} // namespace

void AfxLockTempMaps() { ++tempMapLocks; }

BOOL AfxUnlockTempMaps(BOOL deleteTemps)
{
    if (tempMapLocks == 0 || --tempMapLocks > 0)
        return FALSE;
    if (deleteTemps)
        CWnd::DeleteTempMap();
    return TRUE;
}

void CWnd::DeleteTempMap()
{
    if (tempMapLocks > 0)
        return;
    auto& temps = temporaryMap();
    for (auto& [hwnd, wrapper] : temps)
        wrapper->m_hWnd = nullptr;
    temps.clear();
    CMenu::DeleteTempMap();
}

BOOL CWnd::Attach(HWND hwnd)
{
    if (!hwnd || m_hWnd || FromHandlePermanent(hwnd))
        return FALSE;
    m_hWnd = hwnd;
    permanentMap()[hwnd] = this;
    auto& temps = temporaryMap();
    auto it = temps.find(hwnd);
    if (it != temps.end()) {
        it->second->m_hWnd = nullptr;
        temps.erase(it);
    }
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND h = m_hWnd;
    if (h && FromHandlePermanent(h) == this)
        permanentMap().erase(h);
    m_hWnd = nullptr;
    return h;
}

BOOL CWnd::SubclassWindow(HWND hwnd)
{
    if (!::IsWindow(hwnd) || !Attach(hwnd))
        return FALSE;
    PreSubclassWindow();
    auto old = reinterpret_cast<WNDPROC>(::SetWindowLongPtr(hwnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (old != &AfxWndProc)
        m_pfnSuper = old;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    HWND control = parent ? ::GetDlgItem(parent->m_hWnd, static_cast<int>(id)) : nullptr;
    return control ? SubclassWindow(control) : FALSE;
}

HWND CWnd::UnsubclassWindow()
{
    if (m_pfnSuper)
        ::SetWindowLongPtr(m_hWnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    return Detach();
}

BOOL CWnd::Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                  CCreateContext* context)
{
    return CreateEx(0, className, windowName, style | WS_CHILD, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), context);
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect,
                    CWnd* parent, UINT id, LPVOID param)
{
    return CreateEx(exStyle, className, windowName, style, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), param);
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, int x, int y, int cx,
                    int cy, HWND parent, HMENU idOrMenu, LPVOID param)
{
    CREATESTRUCT cs{param, nullptr, idOrMenu, parent, cy, cx, y, x, static_cast<LONG>(style), windowName, className,
                    exStyle};
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    creating = this;
    ui::SetCreateHook(&hookCreate);
    HWND hwnd = ::CreateWindowEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x, cs.y,
                                 cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    bool hookUnused = creating == this;
    creating = nullptr;
    ui::SetCreateHook(nullptr);
    if (!hwnd && hookUnused)
        PostNcDestroy();
    return hwnd != nullptr;
}

BOOL CWnd::DestroyWindow()
{
    HWND h = m_hWnd;
    if (!h)
        return FALSE;
    bool permanent = FromHandlePermanent(h) == this;
    BOOL result = ::DestroyWindow(h);
    if (!permanent)
        Detach();
    return result;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!cs.lpszClass) {
        AfxEndDeferRegisterClass(0);
        cs.lpszClass = (cs.style & WS_CHILD) ? AfxWnd : AfxFrameOrView;
    }
    return TRUE;
}

void CWnd::PreSubclassWindow() {}
void CWnd::PostNcDestroy() {}
BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    LRESULT r = 0;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        r = 1;
    } else if (message == WM_NOTIFY) {
        auto* nm = reinterpret_cast<NMHDR*>(lParam);
        if (!nm || !OnNotify(wParam, lParam, &r))
            return FALSE;
    } else {
        const AFX_MSGMAP_ENTRY* entry = nullptr;
        for (const AFX_MSGMAP* map = GetMessageMap(); map && !entry; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr)
            entry = FindEntry(map->lpEntries, message, 0, 0);
        if (!entry)
            return FALSE;
        AFX_CALL call{message, wParam, lParam, 0, 0, 0, nullptr};
        if (!entry->pfn(this, call))
            return FALSE;
        r = call.result;
    }
    if (result)
        *result = r;
    return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProc(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProc(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT id = LOWORD(wParam);
    auto control = reinterpret_cast<HWND>(lParam);
    int code = HIWORD(wParam);
    if (!control) {
        CTestCmdUI state;
        state.m_nID = id;
        OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &state, nullptr);
        if (!state.m_bEnabled)
            return TRUE;
        code = CN_COMMAND;
    } else if (ReflectLastMsg(control)) {
        return TRUE;
    }
    return OnCmdMsg(id, code, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* result)
{
    auto* nm = reinterpret_cast<NMHDR*>(lParam);
    if (nm->hwndFrom && ReflectLastMsg(nm->hwndFrom, result))
        return TRUE;
    AFX_NOTIFY notify{result, nm};
    return OnCmdMsg(static_cast<UINT>(nm->idFrom), static_cast<int>(MAKELONG(static_cast<WORD>(nm->code), WM_NOTIFY)),
                    &notify, nullptr);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    return ReflectChildNotify(message, wParam, lParam, result);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    switch (message) {
    case WM_COMMAND: {
        int code = static_cast<int>(MAKELONG(HIWORD(wParam), WM_REFLECT_BASE + WM_COMMAND));
        if (!CCmdTarget::OnCmdMsg(0, code, nullptr, nullptr))
            return FALSE;
        if (result)
            *result = 1;
        return TRUE;
    }
    case WM_NOTIFY: {
        auto* nm = reinterpret_cast<NMHDR*>(lParam);
        AFX_NOTIFY notify{result, nm};
        return CCmdTarget::OnCmdMsg(0, static_cast<int>(MAKELONG(static_cast<WORD>(nm->code), WM_REFLECT_BASE + WM_NOTIFY)),
                                    &notify, nullptr);
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_CTLCOLOR:
        return OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, result);
    default:
        return FALSE;
    }
}

BOOL CWnd::ReflectLastMsg(HWND child, LRESULT* result)
{
    CWnd* wnd = FromHandlePermanent(child);
    if (!wnd)
        return FALSE;
    return wnd->OnChildNotify(lastSent.message, lastSent.wParam, lastSent.lParam, result);
}

LRESULT CWnd::Default() { return DefWindowProc(lastSent.message, lastSent.wParam, lastSent.lParam); }

const MSG* CWnd::GetCurrentMessage() { return &lastSent; }

void CWnd::CalcWindowRect(LPRECT clientRect, UINT adjustType)
{
    DWORD exStyle = GetExStyle();
    if (adjustType == adjustBorder)
        exStyle &= ~WS_EX_CLIENTEDGE;
    ::AdjustWindowRectEx(clientRect, GetStyle() & ~(WS_VSCROLL | WS_HSCROLL), FALSE, exStyle);
}

DWORD CWnd::GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtr(m_hWnd, GWL_STYLE)); }
DWORD CWnd::GetExStyle() const { return static_cast<DWORD>(::GetWindowLongPtr(m_hWnd, GWL_EXSTYLE)); }

namespace {

BOOL modifyLong(HWND hwnd, int index, DWORD remove, DWORD add, UINT flags)
{
    DWORD style = static_cast<DWORD>(::GetWindowLongPtr(hwnd, index));
    DWORD updated = (style & ~remove) | add;
    if (style == updated)
        return FALSE;
    ::SetWindowLongPtr(hwnd, index, static_cast<LONG_PTR>(updated));
    if (flags)
        ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
    return TRUE;
}

} // namespace

BOOL CWnd::ModifyStyle(HWND hwnd, DWORD remove, DWORD add, UINT flags) { return modifyLong(hwnd, GWL_STYLE, remove, add, flags); }
BOOL CWnd::ModifyStyleEx(HWND hwnd, DWORD remove, DWORD add, UINT flags)
{
    return modifyLong(hwnd, GWL_EXSTYLE, remove, add, flags);
}
BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags) { return ModifyStyle(m_hWnd, remove, add, flags); }
BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT flags) { return ModifyStyleEx(m_hWnd, remove, add, flags); }

void CWnd::SetWindowText(LPCTSTR text) { ::SetWindowText(m_hWnd, text); }
int CWnd::GetWindowText(LPTSTR buffer, int size) const { return ::GetWindowText(m_hWnd, buffer, size); }

void CWnd::GetWindowText(CString& text) const
{
    int n = ::GetWindowTextLength(m_hWnd);
    int copied = ::GetWindowText(m_hWnd, text.GetBufferSetLength(n + 1), n + 1);
    text.ReleaseBuffer(copied);
}

int CWnd::GetWindowTextLength() const { return ::GetWindowTextLength(m_hWnd); }
int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
int CWnd::SetDlgCtrlID(int id) { return static_cast<int>(::SetWindowLongPtr(m_hWnd, GWL_ID, id)); }
CWnd* CWnd::GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }
void CWnd::SetDlgItemText(int id, LPCTSTR text) { ::SetWindowText(::GetDlgItem(m_hWnd, id), text); }

int CWnd::GetDlgItemText(int id, CString& text) const
{
    CWnd* item = GetDlgItem(id);
    if (!item) {
        text.Empty();
        return 0;
    }
    item->GetWindowText(text);
    return text.GetLength();
}

void CWnd::SetDlgItemInt(int id, UINT value, BOOL isSigned)
{
    char buffer[16];
    if (isSigned)
        snprintf(buffer, sizeof buffer, "%d", static_cast<int>(value));
    else
        snprintf(buffer, sizeof buffer, "%u", value);
    SetDlgItemText(id, buffer);
}

UINT CWnd::GetDlgItemInt(int id, BOOL* translated, BOOL isSigned) const
{
    CString text;
    GetDlgItemText(id, text);
    text.Trim();
    char* end = nullptr;
    long long v = strtoll(text, &end, 10);
    bool ok = text.GetLength() > 0 && end && *end == 0 && (isSigned || v >= 0) && v >= INT32_MIN && v <= UINT32_MAX;
    if (translated)
        *translated = ok;
    return ok ? static_cast<UINT>(v) : 0;
}

LRESULT CWnd::SendDlgItemMessage(int id, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessage(::GetDlgItem(m_hWnd, id), message, wParam, lParam);
}

constexpr UINT BM_GETCHECK_ = 0x00F0, BM_SETCHECK_ = 0x00F1;
void CWnd::CheckDlgButton(int id, UINT check) { SendDlgItemMessage(id, BM_SETCHECK_, check); }
UINT CWnd::IsDlgButtonChecked(int id) const
{
    return static_cast<UINT>(::SendMessage(::GetDlgItem(m_hWnd, id), BM_GETCHECK_, 0, 0));
}

CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
CWnd* CWnd::SetParent(CWnd* newParent) { return FromHandle(::SetParent(m_hWnd, newParent ? newParent->m_hWnd : nullptr)); }

CWnd* CWnd::GetOwner() const
{
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    return FromHandle(owner ? owner : ::GetParent(m_hWnd));
}

void CWnd::SetOwner(CWnd* owner) { ::SetWindowLongPtr(m_hWnd, GWL_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner ? owner->m_hWnd : nullptr)); }
CWnd* CWnd::GetWindow(UINT relation) const { return FromHandle(::GetWindow(m_hWnd, relation)); }
CWnd* CWnd::GetTopWindow() const { return FromHandle(::GetTopWindow(m_hWnd)); }
CWnd* CWnd::GetNextWindow(UINT relation) const { return FromHandle(::GetWindow(m_hWnd, relation)); }
CWnd* CWnd::GetTopLevelParent() const { return FromHandle(::GetAncestorTopLevel(m_hWnd)); }

CWnd* CWnd::GetTopLevelOwner() const
{
    HWND h = ::GetAncestorTopLevel(m_hWnd);
    while (HWND owner = h ? ::GetWindow(h, GW_OWNER) : nullptr)
        h = owner;
    return FromHandle(h);
}

BOOL CWnd::IsChild(const CWnd* wnd) const { return wnd && ::IsChild(m_hWnd, wnd->m_hWnd); }
CWnd* CWnd::ChildWindowFromPoint(POINT pt) const { return FromHandle(::ChildWindowFromPoint(m_hWnd, pt)); }
CWnd* CWnd::WindowFromPoint(POINT pt) { return FromHandle(::WindowFromPoint(pt)); }
CWnd* CWnd::GetDesktopWindow() { return FromHandle(::GetDesktopWindow()); }

CWnd* CWnd::GetSafeOwner(CWnd* parent, HWND* topLevel)
{
    HWND h = parent ? parent->m_hWnd : nullptr;
    if (!h) {
        CWnd* main = AfxGetMainWnd();
        h = main ? main->m_hWnd : nullptr;
    }
    HWND top = h ? ::GetAncestorTopLevel(h) : nullptr;
    if (topLevel)
        *topLevel = top;
    return FromHandle(top);
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL deep, BOOL onlyPermanent)
{
    for (HWND child = ::GetTopWindow(m_hWnd); child;) {
        HWND next = ::GetWindow(child, GW_HWNDNEXT);
        if (!onlyPermanent || FromHandlePermanent(child))
            ::SendMessage(child, message, wParam, lParam);
        if (deep && ::IsWindow(child) && ::GetTopWindow(child))
            FromHandle(child)->SendMessageToDescendants(message, wParam, lParam, deep, onlyPermanent);
        child = next;
    }
}

BOOL CWnd::ShowWindow(int cmdShow) { return ::ShowWindow(m_hWnd, cmdShow); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
BOOL CWnd::EnableWindow(BOOL enable) { return ::EnableWindow(m_hWnd, enable); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }
BOOL CWnd::IsZoomed() const { return ::IsZoomed(m_hWnd); }

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    return ::SetWindowPos(m_hWnd, insertAfterHandle(insertAfter), x, y, cx, cy, flags);
}

void CWnd::MoveWindow(int x, int y, int cx, int cy, BOOL repaint) { ::MoveWindow(m_hWnd, x, y, cx, cy, repaint); }
void CWnd::MoveWindow(LPCRECT rect, BOOL repaint)
{
    ::MoveWindow(m_hWnd, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint);
}
void CWnd::BringWindowToTop() { ::BringWindowToTop(m_hWnd); }
void CWnd::GetWindowRect(LPRECT rect) const { ::GetWindowRect(m_hWnd, rect); }
void CWnd::GetClientRect(LPRECT rect) const { ::GetClientRect(m_hWnd, rect); }
void CWnd::ClientToScreen(LPPOINT pt) const { ::ClientToScreen(m_hWnd, pt); }
void CWnd::ScreenToClient(LPPOINT pt) const { ::ScreenToClient(m_hWnd, pt); }
void CWnd::ClientToScreen(LPRECT rect) const { ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(rect), 2); }
void CWnd::ScreenToClient(LPRECT rect) const { ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(rect), 2); }
void CWnd::MapWindowPoints(CWnd* to, LPPOINT points, UINT count) const
{
    ::MapWindowPoints(m_hWnd, to ? to->m_hWnd : nullptr, points, count);
}
void CWnd::MapWindowPoints(CWnd* to, LPRECT rect) const
{
    ::MapWindowPoints(m_hWnd, to ? to->m_hWnd : nullptr, reinterpret_cast<LPPOINT>(rect), 2);
}
BOOL CWnd::GetWindowPlacement(WINDOWPLACEMENT* placement) const { return ::GetWindowPlacement(m_hWnd, placement); }
BOOL CWnd::SetWindowPlacement(const WINDOWPLACEMENT* placement) { return ::SetWindowPlacement(m_hWnd, placement); }

void CWnd::CenterWindow(CWnd* alternateOwner)
{
    bool child = (GetStyle() & WS_CHILD) != 0;
    HWND center = alternateOwner ? alternateOwner->m_hWnd : (child ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER));
    if (!center && !child) {
        CWnd* main = AfxGetMainWnd();
        center = (main && main != this) ? main->m_hWnd : nullptr;
    }
    CRect area, self;
    GetWindowRect(&self);
    if (child) {
        ::GetClientRect(::GetParent(m_hWnd), &area);
        if (center != ::GetParent(m_hWnd) && center) {
            ::GetWindowRect(center, &area);
            ::MapWindowPoints(nullptr, ::GetParent(m_hWnd), reinterpret_cast<LPPOINT>(&area), 2);
        }
    } else if (center && ::IsWindowVisible(center) && !::IsIconic(center)) {
        ::GetWindowRect(center, &area);
    } else {
        ::GetClientRect(::GetDesktopWindow(), &area);
    }
    int x = area.left + (area.Width() - self.Width()) / 2;
    int y = area.top + (area.Height() - self.Height()) / 2;
    SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWnd::RepositionBars(UINT idFirst, UINT idLast, UINT idLeftOver, UINT flags, LPRECT rectParam,
                          LPCRECT rectClient, BOOL stretch)
{
    AFX_SIZEPARENTPARAMS layout{};
    layout.bStretch = stretch;
    if (rectClient)
        layout.rect = *rectClient;
    else
        ::GetClientRect(m_hWnd, &layout.rect);
    layout.hDWP = (flags & reposQuery) ? nullptr : ::BeginDeferWindowPos(8);
    HWND leftOver = nullptr;
    for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        UINT id = static_cast<UINT>(::GetDlgCtrlID(child));
        if (id == idLeftOver)
            leftOver = child;
        else if (id >= idFirst && id <= idLast && FromHandlePermanent(child))
            ::SendMessage(child, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
    }
    if (flags & reposQuery) {
        if (rectParam)
            *rectParam = stretch ? layout.rect
                                 : RECT{0, 0, layout.sizeTotal.cx, layout.sizeTotal.cy};
        return;
    }
    if (idLeftOver && leftOver) {
        CRect rect = layout.rect;
        if ((flags & reposExtra) && rectParam) {
            rect.left += rectParam->left;
            rect.top += rectParam->top;
            rect.right -= rectParam->right;
            rect.bottom -= rectParam->bottom;
        }
        FromHandle(leftOver)->CalcWindowRect(&rect);
        layout.hDWP = ::DeferWindowPos(layout.hDWP, leftOver, nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                                       SWP_NOACTIVATE | SWP_NOZORDER);
    }
    ::EndDeferWindowPos(layout.hDWP);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessage(m_hWnd, message, wParam, lParam);
}
BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessage(m_hWnd, message, wParam, lParam);
}
UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc) { return ::SetTimer(m_hWnd, id, elapse, proc); }
BOOL CWnd::KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }

int CWnd::RunModalLoop(DWORD flags)
{
    bool idle = true;
    LONG idleCount = 0;
    bool showIdle = (flags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
    m_nFlags |= WF_MODALLOOP | WF_CONTINUEMODAL;
    MSG msg;
    for (;;) {
        while (idle && !::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (showIdle) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                showIdle = false;
            }
            if ((flags & MLF_NOKICKIDLE) || !::SendMessage(m_hWnd, WM_KICKIDLE, MSGF_DIALOGBOX, idleCount++))
                idle = false;
        }
        do {
            if (!AfxPumpMessage()) {
                ::PostQuitMessage(0);
                m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
                return -1;
            }
            if (!ContinueModal()) {
                m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
                return m_nModalResult;
            }
            if (AfxIsIdleMessage(&msg)) {
                idle = true;
                idleCount = 0;
            }
        } while (::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWnd::ContinueModal() { return (m_nFlags & WF_CONTINUEMODAL) != 0; }

void CWnd::EndModalLoop(int result)
{
    m_nModalResult = result;
    if (m_nFlags & WF_CONTINUEMODAL) {
        m_nFlags &= ~WF_CONTINUEMODAL;
        ::PostMessage(nullptr, WM_NULL, 0, 0);
    }
}

int CWnd::MessageBox(LPCTSTR text, LPCTSTR caption, UINT type)
{
    return ::MessageBox(m_hWnd, text, caption ? caption : AfxGetAppName(), type);
}

void CWnd::Invalidate(BOOL erase) { ::InvalidateRect(m_hWnd, nullptr, erase); }
void CWnd::InvalidateRect(LPCRECT rect, BOOL erase) { ::InvalidateRect(m_hWnd, rect, erase); }
void CWnd::ValidateRect(LPCRECT rect) { ::ValidateRect(m_hWnd, rect); }
BOOL CWnd::GetUpdateRect(LPRECT rect, BOOL erase) { return ::GetUpdateRect(m_hWnd, rect, erase); }
void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }
BOOL CWnd::RedrawWindow(LPCRECT rect, HRGN region, UINT flags) { return ::RedrawWindow(m_hWnd, rect, region, flags); }
void CWnd::SetRedraw(BOOL redraw) { ::SendMessage(m_hWnd, WM_SETREDRAW, redraw, 0); }
void CWnd::ScrollWindow(int dx, int dy, LPCRECT scrollRect, LPCRECT clipRect)
{
    ::ScrollWindow(m_hWnd, dx, dy, scrollRect, clipRect);
}
CDC* CWnd::BeginPaint(PAINTSTRUCT* ps) { return AfxDCFromHandle(::BeginPaint(m_hWnd, ps)); }
void CWnd::EndPaint(PAINTSTRUCT* ps) { ::EndPaint(m_hWnd, ps); }
CDC* CWnd::GetDC() { return AfxGetWindowDC(this, FALSE); }
CDC* CWnd::GetDCEx(CRgn*, DWORD flags) { return AfxGetWindowDC(this, (flags & DCX_WINDOW) != 0); }
CDC* CWnd::GetWindowDC() { return AfxGetWindowDC(this, TRUE); }
int CWnd::ReleaseDC(CDC* dc) { return AfxReleaseWindowDC(this, dc); }

CWnd* CWnd::SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
CWnd* CWnd::GetCapture() { return FromHandle(::GetCapture()); }
CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
CWnd* CWnd::GetFocus() { return FromHandle(::GetFocus()); }
CWnd* CWnd::SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
CWnd* CWnd::GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
BOOL CWnd::SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
BOOL CWnd::FlashWindow(BOOL invert) { return ::FlashWindow(m_hWnd, invert); }

CWnd* CWnd::GetDescendantWindow(int id, BOOL onlyPermanent) const
{
    for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (::GetDlgCtrlID(child) == id && (!onlyPermanent || FromHandlePermanent(child)))
            return FromHandle(child);
        if (CWnd* found = FromHandle(child)->GetDescendantWindow(id, onlyPermanent))
            return found;
    }
    return nullptr;
}
void CWnd::CreateSolidCaret(int width, int height) { ::CreateCaret(m_hWnd, nullptr, width, height); }
void CWnd::ShowCaret() { ::ShowCaret(m_hWnd); }
void CWnd::HideCaret() { ::HideCaret(m_hWnd); }
void CWnd::SetCaretPos(POINT pt) { ::SetCaretPos(pt.x, pt.y); }
CPoint CWnd::GetCaretPos()
{
    CPoint pt;
    ::GetCaretPos(&pt);
    return pt;
}
void CWnd::DragAcceptFiles(BOOL accept) { ::DragAcceptFiles(m_hWnd, accept); }

BOOL CWnd::SetScrollInfo(int bar, LPSCROLLINFO info, BOOL redraw)
{
    ::SetScrollInfo(m_hWnd, bar, info, redraw);
    return TRUE;
}

BOOL CWnd::GetScrollInfo(int bar, LPSCROLLINFO info, UINT mask)
{
    info->fMask = mask;
    return ::GetScrollInfo(m_hWnd, bar, info);
}

int CWnd::SetScrollPos(int bar, int pos, BOOL redraw) { return ::SetScrollPos(m_hWnd, bar, pos, redraw); }
int CWnd::GetScrollPos(int bar) const { return ::GetScrollPos(m_hWnd, bar); }
void CWnd::SetScrollRange(int bar, int minPos, int maxPos, BOOL redraw) { ::SetScrollRange(m_hWnd, bar, minPos, maxPos, redraw); }
void CWnd::GetScrollRange(int bar, LPINT minPos, LPINT maxPos) const { ::GetScrollRange(m_hWnd, bar, minPos, maxPos); }

int CWnd::GetScrollLimit(int bar)
{
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    ::GetScrollInfo(m_hWnd, bar, &info);
    return std::max(info.nMin, info.nMax - std::max<int>(static_cast<int>(info.nPage) - 1, 0));
}

void CWnd::ShowScrollBar(UINT bar, BOOL show) { ::ShowScrollBar(m_hWnd, static_cast<int>(bar), show); }
CScrollBar* CWnd::GetScrollBarCtrl(int) const { return nullptr; }

CMenu* CWnd::GetMenu() const { return CMenu::FromHandle(::GetMenu(m_hWnd)); }
BOOL CWnd::SetMenu(CMenu* menu) { return ::SetMenu(m_hWnd, menu ? menu->m_hMenu : nullptr); }
void CWnd::DrawMenuBar() { ::DrawMenuBar(m_hWnd); }

void CWnd::UpdateDialogControls(CCmdTarget* target, BOOL disableIfNoHandler)
{
    CCmdUI state;
    for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        state.m_pOther = FromHandle(child);
        state.m_nID = static_cast<UINT>(::GetDlgCtrlID(child));
        state.DoUpdate(target, disableIfNoHandler);
    }
}

int CWnd::OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
void CWnd::OnDestroy() { Default(); }

void CWnd::OnNcDestroy()
{
    if (CWinThread* thread = AfxGetThread(); thread && thread->m_pMainWnd == this) {
        thread->m_pMainWnd = nullptr;
        ::PostQuitMessage(0);
    }
    Default();
    Detach();
    PostNcDestroy();
}

void CWnd::OnPaint() { Default(); }
void CWnd::OnNcPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
void CWnd::OnNcLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnNcMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return static_cast<BOOL>(Default()); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return static_cast<int>(Default()); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }

void CWnd::OnHScroll(UINT, UINT, CScrollBar* bar)
{
    if (!bar || !ReflectLastMsg(bar->m_hWnd))
        Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* bar)
{
    if (!bar || !ReflectLastMsg(bar->m_hWnd))
        Default();
}

void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
BOOL CWnd::OnNcActivate(BOOL) { return static_cast<BOOL>(Default()); }
void CWnd::OnClose() { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT dis)
{
    if (!dis || dis->CtlType == ODT_MENU || !ReflectLastMsg(dis->hwndItem))
        Default();
}

void CWnd::OnMeasureItem(int idCtl, LPMEASUREITEMSTRUCT mis)
{
    HWND control = (mis && mis->CtlType != ODT_MENU) ? ::GetDlgItem(m_hWnd, idCtl) : nullptr;
    if (!control || !ReflectLastMsg(control))
        Default();
}

// A sorted owner-drawn box asks its owner for the order; the box's own object answers.
int CWnd::OnCompareItem(int, COMPAREITEMSTRUCT* cis)
{
    LRESULT result = 0;
    if (cis && ReflectLastMsg(cis->hwndItem, &result))
        return static_cast<int>(result);
    return static_cast<int>(Default());
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* wnd, UINT)
{
    LRESULT result = 0;
    if (wnd && ReflectLastMsg(wnd->m_hWnd, &result))
        return reinterpret_cast<HBRUSH>(result);
    return reinterpret_cast<HBRUSH>(Default());
}

void CWnd::OnDropFiles(HDROP) { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnCancelMode() { Default(); }
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }
void CWnd::OnEnterMenuLoop(BOOL) { Default(); }
void CWnd::OnExitMenuLoop(BOOL) { Default(); }
BOOL CWnd::OnHelpInfo(HELPINFO*) { return static_cast<BOOL>(Default()); }
void CWnd::OnSettingChange(UINT, LPCTSTR) { Default(); }
void CWnd::OnParentNotify(UINT, LPARAM) { Default(); }
void CWnd::OnChildActivate() { Default(); }
void CWnd::OnMDIActivate(BOOL, CWnd*, CWnd*) { Default(); }
UINT CWnd::OnGetDlgCode() { return static_cast<UINT>(Default()); }

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_NCDESTROY()
    ON_WM_DRAWITEM()
    ON_WM_MEASUREITEM()
    ON_WM_COMPAREITEM()
    ON_WM_CTLCOLOR()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
END_MESSAGE_MAP()

namespace {

std::set<std::string>& classNames()
{
    static std::set<std::string> names;
    return names;
}

void registerStandard(const char* name, UINT style, LPCSTR cursor, int brushIndex)
{
    WNDCLASS wc{};
    if (::GetClassInfo(nullptr, name, &wc))
        return;
    wc.style = style;
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hCursor = ::LoadCursor(nullptr, cursor);
    wc.hbrBackground = brushIndex < 0 ? nullptr : reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(brushIndex + 1));
    wc.lpszClassName = name;
    ::RegisterClass(&wc);
}

} // namespace

const char* const AfxWnd = "AfxWnd";
const char* const AfxFrameOrView = "AfxFrameOrView";
const char* const AfxMDIFrame = "AfxMDIFrame";
const char* const AfxControlBar = "AfxControlBar";

BOOL AfxEndDeferRegisterClass(LONG)
{
    registerStandard(AfxWnd, CS_DBLCLKS, IDC_ARROW, -1);
    registerStandard(AfxFrameOrView, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, IDC_ARROW, COLOR_WINDOW);
    registerStandard(AfxMDIFrame, CS_DBLCLKS, IDC_ARROW, -1);
    registerStandard(AfxControlBar, 0, IDC_ARROW, COLOR_BTNFACE);
    return TRUE;
}

LPCTSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon)
{
    char name[96];
    snprintf(name, sizeof name, "Afx:%x:%lx:%lx:%lx", classStyle, static_cast<unsigned long>(reinterpret_cast<uintptr_t>(cursor)),
             static_cast<unsigned long>(reinterpret_cast<uintptr_t>(background)),
             static_cast<unsigned long>(reinterpret_cast<uintptr_t>(icon)));
    const std::string& stored = *classNames().insert(name).first;
    WNDCLASS wc{};
    if (!::GetClassInfo(nullptr, stored.c_str(), &wc)) {
        wc.style = classStyle;
        wc.lpfnWndProc = ::DefWindowProc;
        wc.hCursor = cursor;
        wc.hbrBackground = background;
        wc.hIcon = icon;
        wc.lpszClassName = stored.c_str();
        ::RegisterClass(&wc);
    }
    return stored.c_str();
}
