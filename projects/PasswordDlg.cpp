#include "projects/PasswordDlg.h"

#include "projects/PasswordHash.h"
#include "objects/ShellServices.h"
#include "platform/ui/UiApi.h"

BEGIN_MESSAGE_MAP(CPasswordDlg, CDialog)
    ON_COMMAND(CPasswordDlg::IdcOk, OnOK)
    ON_COMMAND(CPasswordDlg::IdcCancel, OnCancel)
END_MESSAGE_MAP()

CPasswordDlg::CPasswordDlg() : CDialog(IDD) {}

BOOL CPasswordDlg::AskPassword(const CString& digest, const CString& caption, BOOL* cancelled, CString* plain)
{
    m_pPlain = plain;
    m_digest = digest;
    m_text.Empty();
    m_caption = caption;
    m_bResult = FALSE;
    m_bCancelled = TRUE;
    DoModal();
    if (cancelled)
        *cancelled = m_bCancelled;
    return m_bResult;
}

BOOL CPasswordDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(m_caption);
    m_edit.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)));
    m_edit.SetFocus();
    return FALSE;
}

void CPasswordDlg::DoDataExchange(CDataExchange* dx)
{
    DDX_Control(dx, IdcPassword, m_edit);
    DDX_Text(dx, IdcPassword, m_text);
}

void CPasswordDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (m_pPlain) {
        m_bResult = TRUE;
        *m_pPlain = m_text;
    } else {
        CString entered;
        if (!CPasswordHash().HashToHex(m_text, entered)) {
            ::MessageBox(m_hWnd, GetShellServices().GetLanguageText("Passwordencryption failed"), nullptr, MB_OK);
            return;
        }
        m_bResult = entered == m_digest;
    }
    m_bCancelled = FALSE;
    EndDialog(IDOK);
}

void CPasswordDlg::OnCancel()
{
    m_bCancelled = TRUE;
    m_bResult = FALSE;
    EndDialog(IDCANCEL);
}

BOOL AskForProjectPassword(const CString& digest, const CString& name)
{
    const CShellServices& texts = GetShellServices();
    for (;;) {
        BOOL cancelled = FALSE;
        CPasswordDlg dialog;
        if (dialog.AskPassword(digest, texts.GetLanguageText("Password for: ") + name, &cancelled, nullptr))
            return TRUE;
        if (cancelled)
            return FALSE;
        if (::MessageBox(nullptr, texts.GetLanguageText("Password incorrect! Try again?"),
                         texts.GetLanguageText("Password incorrect!"), MB_YESNO) != IDYES)
            return FALSE;
    }
}
