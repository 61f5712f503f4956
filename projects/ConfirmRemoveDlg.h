// Asks before a member leaves its project, and whether its file should be deleted too.
#pragma once

#include "platform/ui/Dialog.h"

class CConfirmRemoveDlg : public CDialog {
public:
    static constexpr UINT IDD = 23005;
    static constexpr UINT IdcDeleteFile = 23070;

    CConfirmRemoveDlg() : CDialog(IDD) {}

    void DoDataExchange(CDataExchange* dx) override;

    int m_bDeleteFile = FALSE;
};
