#include "platform/ui/ToolTipCtrl.h"

#include "platform/gdi/Dc.h"
#include "platform/ui/ControlKit.h"

#include <algorithm>
#include <string>
#include <vector>

IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

namespace {

constexpr UINT_PTR showTimer = 1, popTimer = 2;

struct Tool {
    HWND hwnd;
    UINT_PTR id;
    RECT rect;
    bool callback;
    std::string text;
};

struct TipState {
    std::vector<Tool> tools;
    int current = -1; // the tool under the mouse
    bool active = true;
    int initial = 500;
    int autoPop = 5000;
    int maxWidth = -1;
    std::string shown;
};
using States = ctl::StateMap<TipState>;

bool covers(const Tool& tool, HWND hwnd, POINT clientPt)
{
    if (tool.hwnd != hwnd)
        return false;
    if (tool.id == 0 && tool.rect.right == tool.rect.left) {
        RECT client{};
        ::GetClientRect(hwnd, &client);
        return ::PtInRect(&client, clientPt);
    }
    return ::PtInRect(&tool.rect, clientPt);
}

int find(const TipState& s, HWND hwnd, UINT_PTR id)
{
    for (size_t i = 0; i < s.tools.size(); ++i)
        if (s.tools[i].hwnd == hwnd && s.tools[i].id == id)
            return static_cast<int>(i);
    return -1;
}

std::string textOf(HWND tip, const Tool& tool)
{
    if (!tool.callback)
        return tool.text;
    NMTTDISPINFO info{};
    info.hdr.hwndFrom = tip;
    info.hdr.idFrom = tool.id;
    info.hdr.code = TTN_GETDISPINFO;
    ::SendMessage(tool.hwnd, WM_NOTIFY, tool.id, reinterpret_cast<LPARAM>(&info));
    info.szText[sizeof info.szText - 1] = 0;
    if (info.lpszText && info.lpszText != LPSTR_TEXTCALLBACK)
        return info.lpszText;
    return info.szText;
}

void hide(HWND tip)
{
    ::KillTimer(tip, showTimer);
    ::KillTimer(tip, popTimer);
    if (::IsWindowVisible(tip))
        ::ShowWindow(tip, SW_HIDE);
}

void show(HWND tip)
{
    TipState& s = States::Of(tip);
    ::KillTimer(tip, showTimer);
    if (s.current < 0 || !s.active)
        return;
    s.shown = textOf(tip, s.tools[static_cast<size_t>(s.current)]);
    if (s.shown.empty())
        return;
    POINT at{};
    ::GetCursorPos(&at);
    int width = ctl::TextWidth(tip, s.shown) + 8;
    if (s.maxWidth > 0)
        width = std::min(width, s.maxWidth);
    ::SetWindowPos(tip, HWND_TOPMOST, at.x, at.y + 20, width, ctl::LineHeight(tip) + 4, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ::InvalidateRect(tip, nullptr, TRUE);
    ::SetTimer(tip, popTimer, static_cast<UINT>(s.autoPop), nullptr);
}

void relay(HWND tip, const MSG& msg)
{
    TipState& s = States::Of(tip);
    if (msg.message != WM_MOUSEMOVE) {
        if (msg.message == WM_LBUTTONDOWN || msg.message == WM_RBUTTONDOWN || msg.message == WM_MBUTTONDOWN) {
            s.current = -1;
            hide(tip);
        }
        return;
    }
    POINT pt{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
    int over = -1;
    for (size_t i = 0; i < s.tools.size() && over < 0; ++i)
        if (covers(s.tools[i], msg.hwnd, pt))
            over = static_cast<int>(i);
    if (over == s.current)
        return;
    s.current = over;
    hide(tip);
    if (over >= 0 && s.active)
        ::SetTimer(tip, showTimer, static_cast<UINT>(std::max(1, s.initial)), nullptr);
}

} // namespace

LRESULT AfxToolTipProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        ctl::Paint(hwnd, WM_CTLCOLOR, [hwnd](CDC& dc, const RECT& r) {
            RECT box = r;
            dc.FillSolidRect(&box, ::GetSysColor(COLOR_INFOBK));
            dc.Draw3dRect(&box, ::GetSysColor(COLOR_WINDOWFRAME), ::GetSysColor(COLOR_WINDOWFRAME));
            dc.SetTextColor(::GetSysColor(COLOR_INFOTEXT));
            ::InflateRect(&box, -4, 0);
            dc.DrawText(States::Of(hwnd).shown.c_str(), -1, &box, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        });
        return 0;
    case WM_ERASEBKGND: return TRUE;
    case WM_NCHITTEST: return HTTRANSPARENT;
    case WM_TIMER:
        if (wParam == showTimer)
            show(hwnd);
        else
            hide(hwnd);
        return 0;
    case WM_NCDESTROY: States::Forget(hwnd); break;
    default: break;
    }
    return ctl::DefControlProc(hwnd, message, wParam, lParam);
}

CToolTipCtrl::~CToolTipCtrl()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style)
{
    AfxRegisterControlClasses();
    return CWnd::CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, TOOLTIPS_CLASS, "", WS_POPUP | style, 0, 0, 0, 0,
                          parent ? parent->m_hWnd : nullptr, nullptr);
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, LPCTSTR text, LPCRECT rect, UINT_PTR id)
{
    if (!wnd || !wnd->m_hWnd)
        return FALSE;
    TipState& s = States::Of(m_hWnd);
    bool callback = text == LPSTR_TEXTCALLBACK;
    Tool tool{wnd->m_hWnd, id, rect ? *rect : RECT{}, callback, callback || !text ? "" : text};
    int at = find(s, wnd->m_hWnd, id);
    if (at >= 0)
        s.tools[static_cast<size_t>(at)] = tool;
    else
        s.tools.push_back(tool);
    return TRUE;
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, UINT textId, LPCRECT rect, UINT_PTR id)
{
    CString text;
    text.LoadString(textId);
    return AddTool(wnd, text.GetString(), rect, id);
}

void CToolTipCtrl::DelTool(CWnd* wnd, UINT_PTR id)
{
    TipState& s = States::Of(m_hWnd);
    int at = wnd ? find(s, wnd->m_hWnd, id) : -1;
    if (at < 0)
        return;
    if (s.current == at)
        Pop();
    s.tools.erase(s.tools.begin() + at);
    s.current = -1;
}

void CToolTipCtrl::UpdateTipText(LPCTSTR text, CWnd* wnd, UINT_PTR id)
{
    TipState& s = States::Of(m_hWnd);
    int at = wnd ? find(s, wnd->m_hWnd, id) : -1;
    if (at < 0)
        return;
    Tool& tool = s.tools[static_cast<size_t>(at)];
    tool.callback = text == LPSTR_TEXTCALLBACK;
    tool.text = tool.callback || !text ? "" : text;
}

void CToolTipCtrl::SetToolRect(CWnd* wnd, UINT_PTR id, LPCRECT rect)
{
    TipState& s = States::Of(m_hWnd);
    int at = wnd && rect ? find(s, wnd->m_hWnd, id) : -1;
    if (at >= 0)
        s.tools[static_cast<size_t>(at)].rect = *rect;
}

void CToolTipCtrl::GetText(CString& text, CWnd* wnd, UINT_PTR id) const
{
    const TipState& s = States::Of(m_hWnd);
    int at = wnd ? find(s, wnd->m_hWnd, id) : -1;
    text = at < 0 ? "" : textOf(m_hWnd, s.tools[static_cast<size_t>(at)]).c_str();
}

int CToolTipCtrl::GetToolCount() const { return static_cast<int>(States::Of(m_hWnd).tools.size()); }

void CToolTipCtrl::RelayEvent(LPMSG msg)
{
    if (msg && m_hWnd)
        relay(m_hWnd, *msg);
}

void CToolTipCtrl::Activate(BOOL active)
{
    States::Of(m_hWnd).active = active != FALSE;
    if (!active)
        Pop();
}

void CToolTipCtrl::SetDelayTime(UINT delay) { SetDelayTime(TTDT_INITIAL, static_cast<int>(delay)); }

void CToolTipCtrl::SetDelayTime(DWORD which, int delay)
{
    TipState& s = States::Of(m_hWnd);
    if (which == TTDT_AUTOPOP)
        s.autoPop = std::max(1, delay);
    else if (which == TTDT_INITIAL || which == TTDT_AUTOMATIC)
        s.initial = std::max(1, delay);
}

int CToolTipCtrl::GetDelayTime(DWORD which) const
{
    const TipState& s = States::Of(m_hWnd);
    return which == TTDT_AUTOPOP ? s.autoPop : s.initial;
}

int CToolTipCtrl::SetMaxTipWidth(int width)
{
    TipState& s = States::Of(m_hWnd);
    int old = s.maxWidth;
    s.maxWidth = width;
    return old;
}

void CToolTipCtrl::Pop() { hide(m_hWnd); }

BOOL CToolTipCtrl::HitTest(CWnd* wnd, CPoint pt, TOOLINFO* info) const
{
    const TipState& s = States::Of(m_hWnd);
    for (const Tool& tool : s.tools)
        if (wnd && covers(tool, wnd->m_hWnd, pt)) {
            if (info) {
                info->hwnd = tool.hwnd;
                info->uId = tool.id;
                info->rect = tool.rect;
                info->lpszText = tool.callback ? LPSTR_TEXTCALLBACK : nullptr;
            }
            return TRUE;
        }
    return FALSE;
}
