#include "controls/SpellCheckDlg.h"

#include "controls/SpellCheckSession.h"
#include "controls/SpellOptionsDlg.h"

namespace {

constexpr int kSuggestionSize = 256;

} // namespace

BEGIN_MESSAGE_MAP(CSpellCheckDlg, CDialog)
    ON_BN_CLICKED(CSpellCheckDlg::kIgnoreId, OnIgnore)
    ON_BN_CLICKED(CSpellCheckDlg::kIgnoreAllId, OnIgnoreAll)
    ON_BN_CLICKED(CSpellCheckDlg::kChangeId, OnChange)
    ON_BN_CLICKED(CSpellCheckDlg::kChangeAllId, OnChangeAll)
    ON_BN_CLICKED(CSpellCheckDlg::kAddId, OnAdd)
    ON_BN_CLICKED(CSpellCheckDlg::kSuggestId, OnSuggest)
    ON_BN_CLICKED(CSpellCheckDlg::kOptionsId, OnOptions)
    ON_CONTROL(CBN_EDITCHANGE, CSpellCheckDlg::kReplacementId, OnReplacementEdited)
    ON_CONTROL(CBN_DBLCLK, CSpellCheckDlg::kReplacementId, OnChange)
END_MESSAGE_MAP()

CSpellCheckDlg::CSpellCheckDlg(CSpellCheckSession& session, CWnd* parent) : CDialog(IDD, parent), m_session(session)
{
}

BOOL CSpellCheckDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_replacement.SubclassDlgItem(kReplacementId, this);
    m_replacement.LimitText(kReplacementLimit);
    ShowWord();
    return TRUE;
}

CString CSpellCheckDlg::ItemText(UINT id, int limit) const
{
    CString text;
    GetDlgItemText(static_cast<int>(id), text);
    return text.Left(limit);
}

void CSpellCheckDlg::ShowWord()
{
    SetDlgItemText(kWordId, m_session.GetWord());
    m_session.SelectCurrentWord();
    if (LX_GetAlwaysSuggest(m_session.GetChecker())) {
        ListSuggestions();
    } else {
        m_replacement.ResetContent();
        m_replacement.AddString("");
        m_replacement.SetWindowText("");
    }
    GetDlgItem(kSuggestId)->EnableWindow(FALSE);
}

// The suggestions for the word under check; the first stands ready as the replacement.
void CSpellCheckDlg::ListSuggestions()
{
    m_replacement.ResetContent();
    char suggestion[kSuggestionSize];
    int count = 0;
    while (count < kMaxSuggestions &&
           LX_GetSuggestion(m_session.GetChecker(), m_session.GetWord(), static_cast<SHORT>(count), suggestion,
                            kSuggestionSize - 1) &&
           suggestion[0] != '\0') {
        m_replacement.AddString(suggestion);
        ++count;
    }
    if (count > 0) {
        m_replacement.SetCurSel(0);
        return;
    }
    CString none;
    none.LoadString(kNoSuggestionsText);
    m_replacement.AddString(none);
    // A replacement left from the previous word must not be applied to this one.
    m_replacement.SetWindowText("");
}

void CSpellCheckDlg::NextWord()
{
    if (m_session.MoveToNextWord())
        ShowWord();
    else
        EndDialog(IDOK);
}

void CSpellCheckDlg::OnIgnore() { NextWord(); }

void CSpellCheckDlg::OnIgnoreAll()
{
    const CString word = ItemText(kWordId, CSpellCheckSession::MaxWordLength);
    if (!word.IsEmpty())
        LX_AddToIgnoreAll(m_session.GetChecker(), word);
    NextWord();
}

void CSpellCheckDlg::OnChange()
{
    const CString replacement = ItemText(kReplacementId, kReplacementLimit);
    if (replacement.IsEmpty())
        return;
    m_session.ReplaceCurrentWord(replacement);
    NextWord();
}

void CSpellCheckDlg::OnChangeAll()
{
    const CString word = ItemText(kWordId, CSpellCheckSession::MaxWordLength);
    const CString replacement = ItemText(kReplacementId, kReplacementLimit);
    if (!word.IsEmpty())
        LX_AddToChangeAll(m_session.GetChecker(), word, replacement);
    if (!replacement.IsEmpty())
        m_session.ReplaceCurrentWord(replacement);
    NextWord();
}

void CSpellCheckDlg::OnAdd()
{
    const CString word = ItemText(kWordId, CSpellCheckSession::MaxWordLength);
    if (!word.IsEmpty())
        LX_AddWord(m_session.GetChecker(), word);
    NextWord();
}

void CSpellCheckDlg::OnSuggest()
{
    if (ItemText(kReplacementId, kReplacementLimit).IsEmpty())
        return;
    ListSuggestions();
    GetDlgItem(kSuggestId)->EnableWindow(FALSE);
}

void CSpellCheckDlg::OnOptions() { CSpellOptionsDlg(m_session.GetChecker(), this).DoModal(); }

void CSpellCheckDlg::OnReplacementEdited()
{
    GetDlgItem(kSuggestId)->EnableWindow(ItemText(kReplacementId, kReplacementLimit).IsEmpty() ? FALSE : TRUE);
}
