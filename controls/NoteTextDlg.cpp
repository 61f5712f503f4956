#include "controls/NoteTextDlg.h"

#include "controls/FlexConstraint.h"
#include "platform/ui/DataExchange.h"

CNotesEditDlg::CNotesEditDlg(CString& text, BOOL readOnly, CWnd* parent)
    : CFlexSizeDialog(TemplateId, parent), m_callerText(&text), m_text(text), m_readOnly(readOnly)
{
    AddFlexControl(IDOK, CFlexHorzConstraint::Move, CFlexVertConstraint::Move);
    AddFlexControl(IDCANCEL, CFlexHorzConstraint::Move, CFlexVertConstraint::Move);
    AddFlexControl(EditId, CFlexHorzConstraint::Stretch, CFlexVertConstraint::Stretch);
}

// Centred on the cursor even near a screen edge.
BOOL CNotesEditDlg::OnInitDialog()
{
    CFlexSizeDialog::OnInitDialog();
    CRect window;
    GetWindowRect(&window);
    CPoint cursor;
    ::GetCursorPos(&cursor);
    SetWindowPos(nullptr, cursor.x - window.Width() / 2, cursor.y - window.Height() / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
    if (m_readOnly)
        SendDlgItemMessage(EditId, EM_SETREADONLY, TRUE, 0);
    ExchangeText(FALSE);
    return TRUE;
}

void CNotesEditDlg::DoDataExchange(CDataExchange* dx)
{
    CFlexSizeDialog::DoDataExchange(dx);
    DDX_Text(dx, EditId, m_editBuffer);
}

BOOL CNotesEditDlg::ExchangeText(BOOL save)
{
    if (save) {
        if (!UpdateData(TRUE))
            return FALSE;
        m_text = m_editBuffer;
    } else {
        m_editBuffer = m_text;
    }
    return UpdateData(FALSE);
}

void CNotesEditDlg::OnOK()
{
    if (!ExchangeText(TRUE))
        return;
    *m_callerText = m_text;
    EndDialog(IDOK);
}
