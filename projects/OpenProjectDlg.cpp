#include "projects/OpenProjectDlg.h"

#include "projects/ProjOb.h"
#include "projects/ProjectHelpers.h"
#include "projects/ProjectHost.h"

#include "platform/core/System.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/UiApi.h"

BEGIN_MESSAGE_MAP(COpenProjectDlg, CDialog)
    ON_COMMAND(COpenProjectDlg::IdcBrowse, OnBrowse)
END_MESSAGE_MAP()

COpenProjectDlg::COpenProjectDlg(const CProjOb* current) : CDialog(IDD)
{
    if (current)
        m_currentName = current->m_name;
}

BOOL COpenProjectDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_names.Init(IdcName, this, GetProjectHost().GetProjectFolder(), CFolderListCombo::DirectoryAttribute,
                 ParseFolderTag);
    if (m_currentName.IsEmpty())
        m_names.Fill();
    else
        m_names.SelectEntry(m_currentName);
    m_names.SetCurSel(0);
    m_names.SetFocus();
    return FALSE;
}

void COpenProjectDlg::OnBrowse()
{
    char current[260] = {};
    const CString folder = _getcwd(current, sizeof current) ? current : "";
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_FILEMUSTEXIST,
                       "Project Files (*.prj)|*.prj|All Files (*.*)|*.*||", this);
    const CString projects = GetProjectHost().GetProjectFolder();
    dialog.m_ofn.lpstrInitialDir = projects;
    const INT_PTR result = dialog.DoModal();
    _chdir(folder);
    if (result != IDOK)
        return;
    m_resultPath = dialog.GetPathName();
    EndDialog(IDOK);
}

void COpenProjectDlg::OnOK()
{
    if (!m_resultPath.IsEmpty()) {
        MessageBeep(MB_OK);
        return;
    }
    CString name;
    m_names.GetSelectedName(name);
    if (name.IsEmpty()) {
        MessageBeep(MB_OK);
        return;
    }
    if (name.CompareNoCase(m_currentName) != 0)
        m_resultPath = GetProjectHost().GetProjectFolder() + "/" + name + "/" + name + ".prj";
    EndDialog(IDOK);
}
