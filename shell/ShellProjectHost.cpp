#include "shell/ShellProjectHost.h"

#include "shell/HyperApp.h"
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

namespace {

CHyperApp* HyperApp() { return dynamic_cast<CHyperApp*>(AfxGetApp()); }

} // namespace

BOOL CShellProjectHost::CreateDocument(const CString& path) const
{
    CHyperApp* app = HyperApp();
    return app ? app->CreateProjectForm(path) : CProjectHost::CreateDocument(path);
}

BOOL CShellProjectHost::OpenDocument(const CString& path) const
{
    CHyperApp* app = HyperApp();
    return app ? app->OpenDocumentForEdit(path) != nullptr : CProjectHost::OpenDocument(path);
}

BOOL CShellProjectHost::RunDocument(const CString& path) const
{
    CHyperApp* app = HyperApp();
    return app ? app->OpenDocumentForRun(path) != nullptr : CProjectHost::RunDocument(path);
}
