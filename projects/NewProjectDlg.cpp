#include "projects/NewProjectDlg.h"

#include "projects/ProjectHelpers.h"
#include "projects/ProjectHost.h"

#include "platform/core/System.h"
#include "platform/ui/UiApi.h"

CNewProjectDlg::CNewProjectDlg(const CString& current) : CDialog(IDD), m_current(current) {}

BOOL CNewProjectDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_nameEdit.SubclassDlgItem(IdcName, this);
    m_clone.Init(IdcClone, this, GetProjectHost().GetProjectFolder(), CFolderListCombo::DirectoryAttribute,
                 ParseFolderTag);
    if (!m_current.IsEmpty())
        m_clone.SelectEntry(m_current);
    else
        m_clone.Fill();
    m_nameEdit.SetFocus();
    return FALSE;
}

void CNewProjectDlg::DoDataExchange(CDataExchange* dx)
{
    DDX_Text(dx, IdcName, m_name);
    DDV_MaxChars(dx, m_name, MaxName);
}

void CNewProjectDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (m_name.IsEmpty() || m_name.FindOneOf("/\\:") >= 0 || m_name == "." || m_name == "..") {
        MessageBeep(MB_OK);
        return;
    }
    const CString folder = GetProjectHost().GetProjectFolder();
    const CString path = folder + "/" + m_name;
    if (GetFileAttributes(path) != INVALID_FILE_ATTRIBUTES) {
        MessageBeep(MB_OK);
        m_nameEdit.SetFocus();
        m_nameEdit.SetSel(0, -1);
        return;
    }
    _mkdir(folder);
    if (_mkdir(path) != 0 || _chdir(path) != 0)
        return;
    m_resultPath = path;
    EndDialog(IDOK);
}
