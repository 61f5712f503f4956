#include "shell/SplashDlg.h"

#include "shell/VantrelApp.h"
#include "platform/ui/ControlTypes.h"

BEGIN_MESSAGE_MAP(CSplashDlg, CDialog)
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CSplashDlg::CSplashDlg() : closable(TRUE) { }

UINT CSplashDlg::LogoId()
{
    return GetLanguageText("IDB_KO_LARGE_LOGO_US") == "IDB_KO_LARGE_LOGO" ? NationalLogo : DefaultLogo;
}

BOOL CSplashDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_link.SubclassDlgItem(IdLink, this);
    CString caption;
    caption.LoadString(128);
    SetWindowText(GetLanguageText(caption));
    if (CWnd* picture = GetDlgItem(IdPicture))
        picture->SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(LoadBitmapResource(LogoId())));
    return TRUE;
}

void CSplashDlg::OnOK()
{
    if (closable)
        CDialog::OnOK();
}

void CSplashDlg::OnCancel()
{
    if (closable)
        CDialog::OnCancel();
}

void CSplashDlg::OnLButtonDown(UINT flags, CPoint point)
{
    if (closable)
        DestroyWindow();
    else
        CDialog::OnLButtonDown(flags, point);
}
