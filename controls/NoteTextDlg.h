// The resizable "<Notes>" dialog in which a longer text of an object is edited, such as a
// sticky note's. It opens centred on the mouse cursor; OK writes the text back to the caller.
#pragma once

#include "controls/FlexSizeDialog.h"

class CNotesEditDlg : public CFlexSizeDialog {
public:
    static constexpr UINT TemplateId = 772;
    static constexpr UINT EditId = 780;

    CNotesEditDlg(CString& text, BOOL readOnly, CWnd* parent = nullptr);

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;
    BOOL ExchangeText(BOOL save);

private:
    CString m_editBuffer;
    CString* m_callerText;
    CString m_text;
    BOOL m_readOnly;
};
