// The New Project dialog: asks for the name of a new project and makes its folder in the
// program's project folder.
#pragma once

#include "projects/FolderListCombo.h"

#include "platform/ui/Dialog.h"
#include "platform/ui/Edit.h"

class CNewProjectDlg : public CDialog {
public:
    static constexpr UINT IDD = 23011;
    static constexpr UINT IdcName = 23071;
    static constexpr UINT IdcClone = 23072;
    static constexpr int MaxName = 80;

    // `current`: the name of the current project, selected in the list.
    explicit CNewProjectDlg(const CString& current = CString());

    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* dx) override;

    CString m_name;
    // The new project's folder, set by OK.
    CString m_resultPath;

private:
    CString m_current;
    CEdit m_nameEdit;
    CFolderListCombo m_clone;
};
