// What the main view and its document get from the shell: the settings store, the catalogue
// and project panes, the options sheet and the dictionary Select dialog, help and the audio
// manager.
#pragma once

#include "View/MainViewHost.h"

class CShellMainViewHost : public CMainViewHost {
public:
    void SetSetting(LPCTSTR key, int value) override;
    CString GetProgramFolder() const override;
    CString GetDictionaryFolder() const override;
    CString GetDictionaryList(BOOL themes) const override;
    BOOL OpenCatalogue(LPCTSTR path) override;
    BOOL OpenProject(LPCTSTR path) override;
    void RestorePanes(CView* view) override;
    BOOL RunOptions() override;
    BOOL RunLanguageDialog() override;
    void OpenHelp() override;
    void ReleaseSoundNote() override;
};

// Installs the host for the whole program.
void InstallMainViewHost();
