#include "shell/AboutDlg.h"

#include "shell/Settings.h"
#include "platform/core/FilePath.h"
#include "platform/sys/ShellLauncher.h"

#include <unistd.h>

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
    ON_WM_NCLBUTTONDBLCLK()
    ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg() : CDialog(IDD) { }

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_link.SubclassDlgItem(IdLink, this);
    return TRUE;
}

void CAboutDlg::OnNcLButtonDblClk(UINT hitTest, CPoint point)
{
    StartGame();
    CDialog::OnNcLButtonDblClk(hitTest, point);
    OnOK();
}

void CAboutDlg::OnLButtonDblClk(UINT flags, CPoint point)
{
    StartGame();
    CDialog::OnLButtonDblClk(flags, point);
    OnOK();
}

BOOL StartGame()
{
    for (const CString& root : {GetStartFolder(), GetProgramFolder()}) {
        const std::string folder = SystemPathFromName(root + "/Game");
        const std::string program = folder + "/Stackwell";
        if (access(program.c_str(), X_OK) != 0)
            continue;
        const int result = LaunchProgram(ShellLaunch{{program}, folder, 0});
        return result != kLaunchNotFound && result != kLaunchFailed;
    }
    return FALSE;
}
