#include "objects/ShellServices.h"

namespace {
CShellServices g_defaultServices;
CShellServices* g_services = &g_defaultServices;
}

CString CShellServices::GetLanguageText(const CString& key) const
{
    return key;
}

BOOL CShellServices::HasMainWnd() const
{
    return FALSE;
}

LRESULT CShellServices::SendToMainWnd(UINT, WPARAM, LPARAM) const
{
    return 0;
}

BOOL CShellServices::IsMainWndMdiFrame() const
{
    return FALSE;
}

CShellServices& GetShellServices()
{
    return *g_services;
}

void SetShellServices(CShellServices* services)
{
    g_services = services ? services : &g_defaultServices;
}
