// The editor over an entry's name while it is renamed: Escape cancels, Enter commits, and
// losing the focus hands the text to the catalogue window.
#pragma once

#include "platform/ui/Edit.h"

class CCatWnd;

class CCatNameEdit : public CEdit {
public:
    void SetOwnerWindow(CCatWnd* owner) { m_owner = owner; }
    void Start();

    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    void OnChar(UINT ch, UINT repeat, UINT flags);
    void OnKillFocus(CWnd* newWnd);

    BOOL m_cancelled = FALSE;

private:
    CCatWnd* m_owner = nullptr;

    DECLARE_MESSAGE_MAP()
};
