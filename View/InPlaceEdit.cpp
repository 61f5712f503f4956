#include "View/InPlaceEdit.h"

#include "platform/ui/UiApi.h"

IMPLEMENT_DYNCREATE(CInPlaceEdit, CEdit)
IMPLEMENT_DYNCREATE(CInPlaceButton, CButton)

namespace {

constexpr UINT kHideFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_HIDEWINDOW;

// Registered when the program starts, as the owners expect it.
const UINT g_notifyMessage = InPlaceCtrl::NotifyMessage();

LRESULT Notify(HWND owner, HWND window, UINT code, UINT_PTR value, POINT at)
{
    if (!owner || !::IsWindow(owner))
        return 0;
    InPlaceCtrlNotify record{window, code, value, at.x, at.y};
    return ::SendMessage(owner, g_notifyMessage, 0, reinterpret_cast<LPARAM>(&record));
}

POINT CursorNow()
{
    POINT at{};
    ::GetCursorPos(&at);
    return at;
}

// Hides the control, giving the focus to its owner unless the focus is on its way to another
// window already; nothing when it is hidden.
void HideControl(CWnd& control, HWND owner, bool giveFocus)
{
    if (!control.m_hWnd || !control.IsWindowVisible())
        return;
    control.SetWindowPos(nullptr, 0, 0, 0, 0, kHideFlags);
    if (giveFocus && owner && ::IsWindow(owner))
        ::SetFocus(owner);
}

// Tells the owner where the focus went, while the control shows; a nonzero answer hides it.
void ReportFocusLoss(CWnd& control, HWND owner, HWND reported, CWnd* next)
{
    if (control.IsWindowVisible() &&
        Notify(owner, reported, InPlaceCtrl::CodeFocusLost, reinterpret_cast<UINT_PTR>(next ? next->m_hWnd : nullptr),
               CursorNow()))
        HideControl(control, owner, false);
}

} // namespace

UINT InPlaceCtrl::NotifyMessage()
{
    static const UINT message = ::RegisterWindowMessage("ipc_CtrlMsg");
    return message;
}

BEGIN_MESSAGE_MAP(CInPlaceEdit, CEdit)
    ON_WM_CREATE()
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

BOOL CInPlaceEdit::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_CHILD | ES_MULTILINE | ES_AUTOHSCROLL | ES_NOHIDESEL | ES_WANTRETURN;
    return CEdit::PreCreateWindow(cs);
}

int CInPlaceEdit::OnCreate(LPCREATESTRUCT cs)
{
    if (CEdit::OnCreate(cs) == -1)
        return -1;
    m_owner = cs->hwndParent;
    return 0;
}

void CInPlaceEdit::ShowAt(const RECT& rect)
{
    if (!m_hWnd || IsWindowVisible() || ::IsRectEmpty(&rect))
        return;
    SetWindowPos(nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_SHOWWINDOW);
    SendMessage(EM_SETMARGINS, EC_LEFTMARGIN, MAKELONG(2, 0));
    SendMessage(EM_SETSEL, 0, -1);
    SendMessage(EM_SCROLLCARET);
    Invalidate();
    UpdateWindow();
    SetFocus();
}

void CInPlaceEdit::Hide() { HideControl(*this, m_owner, true); }

BOOL CInPlaceEdit::PreTranslateMessage(MSG* msg)
{
    if (msg->hwnd != m_hWnd || msg->message != WM_KEYDOWN || (msg->wParam != VK_ESCAPE && msg->wParam != VK_RETURN))
        return CEdit::PreTranslateMessage(msg);
    if (Notify(m_owner, m_hWnd, InPlaceCtrl::CodeKey, msg->wParam, CursorNow()))
        Hide();
    return TRUE;
}

void CInPlaceEdit::OnKillFocus(CWnd* next)
{
    ReportFocusLoss(*this, m_owner, m_hWnd, next);
    CEdit::OnKillFocus(next);
}

BEGIN_MESSAGE_MAP(CInPlaceButton, CButton)
    ON_WM_CREATE()
    ON_WM_KILLFOCUS()
    ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClicked)
END_MESSAGE_MAP()

BOOL CInPlaceButton::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_CHILD;
    return CButton::PreCreateWindow(cs);
}

int CInPlaceButton::OnCreate(LPCREATESTRUCT cs)
{
    if (CButton::OnCreate(cs) == -1)
        return -1;
    m_owner = cs->hwndParent;
    return 0;
}

void CInPlaceButton::Hide() { HideControl(*this, m_owner, true); }

// Escape goes to the owner; whatever it answers, the button stays.
BOOL CInPlaceButton::PreTranslateMessage(MSG* msg)
{
    if (msg->hwnd != m_hWnd || msg->message != WM_KEYDOWN || msg->wParam != VK_ESCAPE)
        return CButton::PreTranslateMessage(msg);
    Notify(m_owner, m_hWnd, InPlaceCtrl::CodeKey, VK_ESCAPE, CursorNow());
    return TRUE;
}

// The owner may move the focus away while it handles the click; that is no focus loss.
BOOL CInPlaceButton::OnClicked()
{
    const DWORD position = ::GetMessagePos();
    m_clicking = TRUE;
    const LRESULT answer = Notify(m_owner, nullptr, InPlaceCtrl::CodeClicked, static_cast<UINT_PTR>(GetDlgCtrlID()),
                                  POINT{GET_X_LPARAM(position), GET_Y_LPARAM(position)});
    m_clicking = FALSE;
    return answer != 0;
}

void CInPlaceButton::OnKillFocus(CWnd* next)
{
    if (!m_clicking)
        ReportFocusLoss(*this, m_owner, nullptr, next);
    CButton::OnKillFocus(next);
}
