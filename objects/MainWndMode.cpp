#include "objects/MainWndMode.h"

#include "objects/ShellServices.h"

int QueryMainWndMode()
{
    const CShellServices& shell = GetShellServices();
    if (!shell.HasMainWnd())
        return 0;
    int answer = -1;
    shell.SendToMainWnd(WM_QUERY_MAINWND_MODE, 0, reinterpret_cast<LPARAM>(&answer));
    if (answer >= 0)
        return answer;
    return shell.IsMainWndMdiFrame() ? 1 : 0;
}

BOOL IsNonMdiMainWnd()
{
    return GetShellServices().HasMainWnd() && QueryMainWndMode() == 0;
}
