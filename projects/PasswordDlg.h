// The password dialog: checks an entered password against a stored digest, or only
// collects a new one.
#pragma once

#include "platform/ui/Dialog.h"
#include "platform/ui/Edit.h"

class CPasswordDlg : public CDialog {
public:
    static constexpr UINT IDD = 365;
    static constexpr UINT IdcPassword = 1105;
    static constexpr UINT IdcOk = 1107;
    static constexpr UINT IdcCancel = 1108;

    CPasswordDlg();

    // Modal. With `plain` the entered text goes there and the result says one was entered;
    // otherwise the result says whether it matches `digest`.
    BOOL AskPassword(const CString& digest, const CString& caption, BOOL* cancelled, CString* plain);

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void DoDataExchange(CDataExchange* dx) override;

private:
    CString* m_pPlain = nullptr;
    BOOL m_bCancelled = FALSE;
    CString m_digest;
    BOOL m_bResult = FALSE;
    CEdit m_edit;
    CString m_text;
    CString m_caption;

    DECLARE_MESSAGE_MAP()
};

// A modal password round as the project code runs it: asks until the right password is
// given (TRUE) or the user cancels or declines another try (FALSE).
BOOL AskForProjectPassword(const CString& digest, const CString& name);
