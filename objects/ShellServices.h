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

    // A numeric setting of the program ("Alarm.Autoactivate"); the default without a store.
    virtual int GetSettingInt(LPCTSTR key, int defaultValue) const;

    // Text readers of the dialogs. A duration: optional "+", numbers each followed by d, h, m
    // or s, blanks allowed, at most four units. A date and time: day, month, year, hour,
    // minute and second separated by blanks, "." and ":"; missing time fields are 0.
    virtual BOOL ParseDateTimeSpan(LPCTSTR text) const;
    virtual BOOL ParseDateTime(LPCTSTR text) const;
    // The file-name part of a path in lower case.
    virtual CString GetLowerFileName(LPCTSTR path) const;
};

CShellServices& GetShellServices();
// Installs the shell's services (not owned); NULL puts the defaults back.
void SetShellServices(CShellServices* services);
