// A spelling check session over an edit control; its dialog belongs to the edit.
#pragma once

#include "controls/SpellCheckSession.h"

class CEditSpellSession : public CSpellCheckSession {
public:
    CEditSpellSession(CWnd* edit, LXHANDLE* checker) : CSpellCheckSession(edit, checker) {}

protected:
    BOOL TakeText(CString& text) override;
    CWnd* DialogParent() const override { return m_control; }

private:
    CString m_text;
};
