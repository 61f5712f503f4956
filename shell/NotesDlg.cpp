#include "shell/NotesDlg.h"

#include "shell/ShellTextServices.h"
#include "platform/ui/DataExchange.h"

CNotesDlg::CNotesDlg(CWnd* parent) : CDialog(IDD, parent) {}

BOOL CNotesDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    return TRUE;
}

void CNotesDlg::DoDataExchange(CDataExchange* dx)
{
    DDX_Control(dx, kEditId, m_edit);
    DDX_Text(dx, kEditId, m_strText);
}

void CNotesDlg::OnCancel() { DestroyWindow(); }

void CNotesDlg::CheckSpelling()
{
    UpdateData(FALSE);
    if (!OpenUserDictionaries(m_edit))
        return;
    LoadUserSpellingOptions(m_edit);
    m_edit.CheckSpelling(FALSE);
    StoreUserSpellingOptions(m_edit);
    UpdateData(TRUE);
}
