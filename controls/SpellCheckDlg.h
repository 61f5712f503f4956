// The "<Spelling>" dialog of a spelling check session: the unknown word, suggestions to choose
// or a replacement to type, and the buttons that act on the word and move on to the next one.
#pragma once

#include "platform/ui/ComboBox.h"
#include "platform/ui/Dialog.h"

class CSpellCheckSession;

class CSpellCheckDlg : public CDialog {
public:
    static constexpr UINT IDD = 201;
    static constexpr UINT kWordId = 101, kReplacementId = 102, kIgnoreId = 103, kIgnoreAllId = 104,
                          kChangeId = 105, kChangeAllId = 106, kAddId = 107, kSuggestId = 108, kOptionsId = 109;
    static constexpr UINT kNoSuggestionsText = 137;
    static constexpr int kMaxSuggestions = 10;
    static constexpr int kReplacementLimit = 31;

    // OK: no unknown word was left; Cancel: the user closed the dialog.
    CSpellCheckDlg(CSpellCheckSession& session, CWnd* parent);

    BOOL OnInitDialog() override;

protected:
    void OnIgnore();
    void OnIgnoreAll();
    void OnChange();
    void OnChangeAll();
    void OnAdd();
    void OnSuggest();
    void OnOptions();
    void OnReplacementEdited();

    DECLARE_MESSAGE_MAP()

private:
    void ShowWord();
    void ListSuggestions();
    void NextWord();
    CString ItemText(UINT id, int limit) const;

    CSpellCheckSession& m_session;
    CComboBox m_replacement;
};
