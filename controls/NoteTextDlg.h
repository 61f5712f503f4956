// The resizable "<Notes>" dialog in which a longer text of an object is edited, such as a
// sticky note's. It opens centred on the mouse cursor, checks the spelling of its text (F7,
// and on OK after an edit when the user wants that), corrects words as they are typed, and
// OK writes the text back to the caller.
#pragma once

#include "View/TextServices.h"
#include "controls/FlexSizeDialog.h"

#include <memory>

class CNotesEditDlg : public CFlexSizeDialog {
public:
    static constexpr UINT TemplateId = 772;
    static constexpr UINT EditId = 780;

    CNotesEditDlg(CString& text, BOOL readOnly, CWnd* parent = nullptr);

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;
    void OnCancel() override;
    BOOL ExchangeText(BOOL save);
    // NULL when the program has no spell-checking edit.
    CSpellingEdit* GetSpellingEdit() { return m_spellEdit.get(); }

protected:
    void OnTextChanged();

    DECLARE_MESSAGE_MAP()

private:
    void StoreSpellingOptions();

    CString m_editBuffer;
    std::unique_ptr<CSpellingEdit> m_spellEdit;
    CString* m_callerText;
    CString m_text;
    BOOL m_readOnly;
    BOOL m_dictionariesOpen = FALSE;
    BOOL m_correcting = FALSE;
    std::unique_ptr<CAutoCorrector> m_corrector;
};
