// The start-up picture: a modeless box that closes on a click, Enter or Esc only while it is
// closable; start-up keeps it up until the main frame is built.
#pragma once

#include "controls/HyperLink.h"
#include "platform/ui/Dialog.h"

class CSplashDlg : public CDialog {
public:
    static constexpr UINT IDD = 100;
    static constexpr UINT IdPicture = 1118;
    static constexpr UINT IdLink = 1017;
    static constexpr UINT NationalLogo = 185;
    static constexpr UINT DefaultLogo = 391;

    CSplashDlg();

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnLButtonDown(UINT flags, CPoint point);
    // The logo resource the language file asks for.
    static UINT LogoId();

    BOOL closable;
    CHyperLink m_link;

    DECLARE_MESSAGE_MAP()
};
