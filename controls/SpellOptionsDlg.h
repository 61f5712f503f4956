// The "<Options>" dialog of a spelling check: the checker's three options, which apply to every
// checker of the program from the next word on.
#pragma once

#include "platform/ui/Dialog.h"
#include "spell/Lexigard.h"

class CSpellOptionsDlg : public CDialog {
public:
    static constexpr UINT IDD = 31201;
    static constexpr UINT kAlwaysSuggestId = 101, kIgnoreUppercaseId = 102, kIgnoreNumbersId = 103;

    CSpellOptionsDlg(LXHANDLE checker, CWnd* parent);

    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    LXHANDLE m_checker;
};
