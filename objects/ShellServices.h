// What the object model asks of the application shell. The shell installs its own
// services at start-up; until then the plain defaults below answer.
#pragma once

#include "platform/core/OleDateTime.h"
#include "platform/core/String.h"
#include "platform/core/Types.h"

#include <memory>

class InkRecognitionResult;

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

    // Text readers of the dialogs (the free functions below).
    virtual BOOL ParseDateTimeSpan(LPCTSTR text) const;
    virtual BOOL ParseDateTime(LPCTSTR text) const;
    // The file-name part of a path in lower case.
    virtual CString GetLowerFileName(LPCTSTR path) const;
    // The folder of the program's bitmaps; empty without a shell.
    virtual CString GetBitmapFolder() const;
    // The folder of the autosave copies of documents without a path; empty without a shell.
    virtual CString GetAutoSaveFolder() const;

    // The floating tip with a value (the angle of a turning object) below an object of a view
    // window: the object's centre in the window's client coordinates and its extent in pixels.
    virtual void ShowTip(HWND, const CString&, POINT, SIZE) { }
    virtual void HideTip() { }

    // The modal "Copy as Text" dialog of the ink layer with what was recognised (NULL for
    // nothing); the shell fills it in.
    virtual void ShowCopyAsText(std::shared_ptr<InkRecognitionResult>) { }
};

// A date and time "d.m.Y H:M:S": numbers separated by blanks, "." and ":" fill day, month,
// year, hour, minute and second in turn (more are dropped, missing ones are 0); the year lies
// in 1800..9999 and the date must exist. The result is set only on success.
BOOL ParseDateTime(LPCTSTR text, COleDateTime& result);
// A duration "+3d 12h 02m 43s": an optional leading "+", numbers each ended by d, h, m or s,
// blanks anywhere; reading stops after the fourth unit. The result is set only on success.
BOOL ParseDateTimeSpan(LPCTSTR text, COleDateTimeSpan& result);

CShellServices& GetShellServices();
// Installs the shell's services (not owned); NULL puts the defaults back.
void SetShellServices(CShellServices* services);
