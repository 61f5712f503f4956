#include "projects/CatNameEdit.h"

#include "projects/CatWnd.h"
#include "platform/ui/UiApi.h"

BEGIN_MESSAGE_MAP(CCatNameEdit, CEdit)
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

void CCatNameEdit::Start()
{
    m_cancelled = FALSE;
    SetSel(0, -1);
    SetFocus();
}

void CCatNameEdit::OnKeyDown(UINT key, UINT repeat, UINT flags)
{
    const bool modified = GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0;
    if (key == VK_ESCAPE || (key == VK_RETURN && !modified)) {
        m_cancelled = key == VK_ESCAPE;
        if (m_owner)
            m_owner->SetFocus();
        return;
    }
    CEdit::OnKeyDown(key, repeat, flags);
}

// Enter and Escape end the rename; they must not reach the text.
void CCatNameEdit::OnChar(UINT ch, UINT repeat, UINT flags)
{
    if (ch == '\r' || ch == 27)
        return;
    CEdit::OnChar(ch, repeat, flags);
}

void CCatNameEdit::OnKillFocus(CWnd* newWnd)
{
    CEdit::OnKillFocus(newWnd);
    if (!IsWindowVisible())
        return;
    ShowWindow(SW_HIDE);
    CString text;
    GetWindowText(text);
    if (m_owner)
        m_owner->OnNameEditDone(text, m_cancelled);
}
