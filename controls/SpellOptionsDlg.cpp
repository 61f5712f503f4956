#include "controls/SpellOptionsDlg.h"

CSpellOptionsDlg::CSpellOptionsDlg(LXHANDLE checker, CWnd* parent) : CDialog(IDD, parent), m_checker(checker) {}

BOOL CSpellOptionsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CheckDlgButton(kAlwaysSuggestId, LX_GetAlwaysSuggest(m_checker) ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(kIgnoreUppercaseId, LX_GetIgnoreWordsInUppercase(m_checker) ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(kIgnoreNumbersId, LX_GetIgnoreWordsWithNumbers(m_checker) ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

void CSpellOptionsDlg::OnOK()
{
    LX_SetAlwaysSuggest(m_checker, IsDlgButtonChecked(kAlwaysSuggestId) == BST_CHECKED);
    LX_SetIgnoreWordsInUppercase(m_checker, IsDlgButtonChecked(kIgnoreUppercaseId) == BST_CHECKED);
    LX_SetIgnoreWordsWithNumbers(m_checker, IsDlgButtonChecked(kIgnoreNumbersId) == BST_CHECKED);
    EndDialog(IDOK);
}
