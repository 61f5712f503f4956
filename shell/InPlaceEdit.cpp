#include "shell/InPlaceEdit.h"

#include "platform/ui/UiApi.h"

BEGIN_MESSAGE_MAP(CInPlaceEdit, CEdit)
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
    ON_WM_GETDLGCODE()
    ON_WM_KILLFOCUS()
    ON_CONTROL_REFLECT_EX(EN_CHANGE, OnChange)
END_MESSAGE_MAP()

UINT CInPlaceEdit::NotifyMessage()
{
    static const UINT message = ::RegisterWindowMessage("ipc_CtrlMsg");
    return message;
}

void CInPlaceEdit::Notify(UINT code, WPARAM value)
{
    CWnd* owner = GetOwner();
    if (!owner || !owner->m_hWnd)
        return;
    InPlaceEditNotify record{m_hWnd, code, value, ::GetTickCount(), {}};
    ::GetCursorPos(&record.point);
    if (owner->SendMessage(NotifyMessage(), 0, reinterpret_cast<LPARAM>(&record)) && m_hWnd)
        ShowWindow(SW_HIDE);
}

// Return and Escape end the edit instead of reaching a dialog around the list.
UINT CInPlaceEdit::OnGetDlgCode() { return DLGC_WANTALLKEYS; }

void CInPlaceEdit::OnKeyDown(UINT key, UINT, UINT)
{
    if (key == VK_RETURN || key == VK_ESCAPE) {
        Notify(CodeKey, key);
        return;
    }
    Default();
}

void CInPlaceEdit::OnChar(UINT key, UINT, UINT)
{
    if (key != '\r' && key != 27)
        Default();
}

void CInPlaceEdit::OnKillFocus(CWnd* next)
{
    Default();
    if (IsWindowVisible())
        Notify(CodeFocusLost, reinterpret_cast<WPARAM>(next ? next->m_hWnd : nullptr));
}

BOOL CInPlaceEdit::OnChange()
{
    Notify(CodeChanged, 0);
    return FALSE;
}
