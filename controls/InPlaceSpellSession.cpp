#include "controls/InPlaceSpellSession.h"

#include "View/HyperTextEdit.h"
#include "objects/HyperOb.h"

CInPlaceSpellSession::CInPlaceSpellSession(CHyperTextEdit* editor, LXHANDLE* checker, CHyperOb* object)
    : CSpellCheckSession(editor, checker), m_editor(editor), m_object(object)
{
}

// As a click at the centre of the object's text. The editor takes the focus when it starts;
// the dialog that is asking the user keeps it.
BOOL CInPlaceSpellSession::RestartEdit()
{
    CWnd* focus = CWnd::GetFocus();
    const CRect& rect = m_object->m_textRect1;
    const BOOL started = m_editor->BeginEdit((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2, m_object, 0);
    if (focus && focus != m_editor && ::IsWindow(focus->m_hWnd))
        focus->SetFocus();
    return started;
}

BOOL CInPlaceSpellSession::TakeText(CString& text)
{
    if (!RestartEdit())
        return FALSE;
    text = m_editor->GetText();
    return TRUE;
}

void CInPlaceSpellSession::ReplaceCurrentWord(LPCTSTR text)
{
    if (RestartEdit())
        CSpellCheckSession::ReplaceCurrentWord(text);
}

void CInPlaceSpellSession::BeginSearch() { m_editor->SendMessage(WM_SETREDRAW, FALSE, 0); }

void CInPlaceSpellSession::EndSearch() { m_editor->SendMessage(WM_SETREDRAW, TRUE, 0); }
