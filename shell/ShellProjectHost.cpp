#include "shell/ShellProjectHost.h"

#include "shell/MainFrame.h"
#include "shell/Settings.h"
#include "platform/ui/WinApp.h"

CString CShellProjectHost::MakeAbsolutePath(const CString& folder, const CString& path) const
{
    return ::MakeAbsolutePath(folder, path);
}

CString CShellProjectHost::GetProgramFolder() const { return ::GetProgramFolder(); }

CString CShellProjectHost::GetProjectFolder() const { return ::GetProjectFolder(); }

void CShellProjectHost::ShowProjectPane() const
{
    if (auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd()))
        frame->ShowPane(PaneProject);
}
