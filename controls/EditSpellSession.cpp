#include "controls/EditSpellSession.h"

#include "platform/ui/Wnd.h"

BOOL CEditSpellSession::TakeText(CString& text)
{
    m_control->GetWindowText(m_text);
    text = m_text;
    return TRUE;
}
