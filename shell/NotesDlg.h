// The Notes dialog: a note's text in a spell-checking edit, checked against the dictionaries
// of the settings.
#pragma once

#include "shell/SpellEdit.h"
#include "platform/ui/Dialog.h"

class CNotesDlg : public CDialog {
public:
    static constexpr UINT IDD = 202, kEditId = 780;

    explicit CNotesDlg(CWnd* parent = nullptr);
    CString GetText() const { return m_strText; }
    void SetText(const CString& text) { m_strText = text; }
    CSpellEdit& GetEdit() { return m_edit; }
    // Checks the whole text and takes the corrected text; the options go back to the settings.
    void CheckSpelling();

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    // Used modeless: Cancel closes the window.
    void OnCancel() override;

private:
    CSpellEdit m_edit;
    CString m_strText;
};
