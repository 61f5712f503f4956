#include "controls/NoteTextDlg.h"

#include "controls/FlexConstraint.h"
#include "platform/ui/DataExchange.h"

BEGIN_MESSAGE_MAP(CNotesEditDlg, CFlexSizeDialog)
    ON_EN_CHANGE(CNotesEditDlg::EditId, OnTextChanged)
END_MESSAGE_MAP()

CNotesEditDlg::CNotesEditDlg(CString& text, BOOL readOnly, CWnd* parent)
    : CFlexSizeDialog(TemplateId, parent)
    , m_spellEdit(GetTextServices().CreateSpellingEdit())
    , m_callerText(&text)
    , m_text(text)
    , m_readOnly(readOnly)
    , m_corrector(GetTextServices().CreateAutoCorrector())
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
    if (m_spellEdit) {
        m_dictionariesOpen = GetTextServices().OpenDictionaries(*m_spellEdit);
        GetTextServices().LoadSpellingOptions(*m_spellEdit);
    }
    return TRUE;
}

void CNotesEditDlg::DoDataExchange(CDataExchange* dx)
{
    CFlexSizeDialog::DoDataExchange(dx);
    DDX_Text(dx, EditId, m_editBuffer);
    if (m_spellEdit)
        DDX_Control(dx, EditId, *m_spellEdit);
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

// Without its dictionaries the dialog stays usable, only its text is not checked. The edit's
// modified flag is read first: putting the text back into the edit clears it.
void CNotesEditDlg::OnOK()
{
    const BOOL edited = m_spellEdit && m_spellEdit->GetModify();
    if (!ExchangeText(TRUE))
        return;
    if (edited && m_dictionariesOpen && GetTextServices().GetCheckAfterEditing())
        m_spellEdit->CheckSpelling(FALSE);
    if (!ExchangeText(TRUE))
        return;
    *m_callerText = m_text;
    StoreSpellingOptions();
    EndDialog(IDOK);
}

void CNotesEditDlg::OnCancel()
{
    StoreSpellingOptions();
    EndDialog(IDCANCEL);
}

void CNotesEditDlg::StoreSpellingOptions()
{
    if (m_spellEdit)
        GetTextServices().StoreSpellingOptions(*m_spellEdit);
}

// The corrector rewrites the text, which reports a change again.
void CNotesEditDlg::OnTextChanged()
{
    if (!m_corrector || m_correcting)
        return;
    m_correcting = TRUE;
    m_corrector->CorrectTypedWord(GetDlgItem(EditId));
    m_correcting = FALSE;
}
