// What the main view and its document ask of the application above them: writing settings
// back, the program folder, the panes that take catalogue and project files, the
// options and language dialogs and the audio manager. The shell installs its host at start-up;
// until then every switch keeps its default and no pane or dialog is there.
#pragma once

#include "platform/core/String.h"
#include "platform/core/Types.h"

class CView;

class CMainViewHost {
public:
    virtual ~CMainViewHost() = default;

    // Numeric settings are read through the shell services; the view writes a few back.
    virtual void SetSetting(LPCTSTR key, int value) { (void)key, (void)value; }
    virtual CString GetProgramFolder() const { return CString(); }
    // Where the dictionaries lie, and the address of the list of language (or theme)
    // dictionaries to download.
    virtual CString GetDictionaryFolder() const { return CString(); }
    virtual CString GetDictionaryList(BOOL themes) const { return (void)themes, CString(); }

    // Shows the catalogue (project) pane and opens the file in it; FALSE when it did not open.
    virtual BOOL OpenCatalogue(LPCTSTR path) { return (void)path, FALSE; }
    virtual BOOL OpenProject(LPCTSTR path) { return (void)path, FALSE; }
    // A page became active after another one: the Layers and Properties panes that the user
    // keeps open come back, bound to it.
    virtual void RestorePanes(CView* view) { (void)view; }
    virtual BOOL IsPaneOpen(UINT paneId) const { return (void)paneId, FALSE; }

    // The options sheet and the dictionary-language dialog; TRUE when the user pressed OK.
    virtual BOOL RunOptions() { return FALSE; }
    virtual BOOL RunLanguageDialog() { return FALSE; }
    // Opens the program's help file.
    virtual void OpenHelp() { }
    // The audio manager lets go of its sound note and disables its play and record controls.
    virtual void ReleaseSoundNote() { }
};

CMainViewHost& GetMainViewHost();
// Installs the shell's host (not owned); NULL puts the default back.
void SetMainViewHost(CMainViewHost* host);
