#include "shell/NotesDlg.h"

#include "shell/Settings.h"
#include "shell/VantrelApp.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/WinApp.h"

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
    const CString mainFile = GetDictionaryFile(), customFile = GetCustomDictionaryFile();
    if (!m_edit.OpenDictionary(mainFile, customFile)) {
        CString text;
        text.LoadString(kOpenFailedText);
        text = GetLanguageText(text);
        text.Replace("%1", mainFile);
        text.Replace("%2", customFile);
        AfxMessageBox(text, MB_ICONHAND);
        return;
    }
    m_edit.SetAlwaysSuggest(GetDictionaryAlwaysSuggest());
    m_edit.SetIgnoreUppercase(GetDictionaryIgnoreUppercase());
    m_edit.SetIgnoreNumbers(GetDictionaryIgnoreNumbers());
    m_edit.CheckSpelling(FALSE);
    SetDictionaryAlwaysSuggest(m_edit.GetAlwaysSuggest());
    SetDictionaryIgnoreUppercase(m_edit.GetIgnoreUppercase());
    SetDictionaryIgnoreNumbers(m_edit.GetIgnoreNumbers());
    UpdateData(TRUE);
}
