// What the object model asks of the application shell. The shell installs its own
// services at start-up; until then the plain defaults below answer.
#pragma once

#include "platform/core/String.h"
#include "platform/core/Types.h"

class CShellServices {
public:
    virtual ~CShellServices() = default;

    // User-interface text of a key; the key itself when there is no translation.
    virtual CString GetLanguageText(const CString& key) const;

    // The main window of the current thread, seen through the few questions asked of it.
    virtual BOOL HasMainWnd() const;
    virtual LRESULT SendToMainWnd(UINT message, WPARAM wParam, LPARAM lParam) const;
    virtual BOOL IsMainWndMdiFrame() const;
};

CShellServices& GetShellServices();
// Installs the shell's services (not owned); NULL puts the defaults back.
void SetShellServices(CShellServices* services);
