// The Open Project dialog: picks a project of the program's project folder by name, or any
// project file through Browse.
#pragma once

#include "projects/FolderListCombo.h"

#include "platform/ui/Dialog.h"

class CProjOb;

class COpenProjectDlg : public CDialog {
public:
    static constexpr UINT IDD = 23012;
    static constexpr UINT IdcName = 23071;
    static constexpr UINT IdcBrowse = 23070;

    explicit COpenProjectDlg(const CProjOb* current = nullptr);

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnBrowse();

    // The project file to open; empty when the current project was chosen again.
    CString m_resultPath;

private:
    CString m_currentName;
    CFolderListCombo m_names;

    DECLARE_MESSAGE_MAP()
};
