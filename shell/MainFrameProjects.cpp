#include "shell/MainFrame.h"

#include "shell/ShellProjectHost.h"
#include "projects/ItemPropsPane.h"
#include "projects/ProjManagerPane.h"

namespace {

CShellProjectHost g_projectHost;

} // namespace

// The project pane and the marker pane that follows its selection.
void CMainFrame::CreateProjectPanes(std::unique_ptr<CWnd>& projectSlot, std::unique_ptr<CWnd>& markerSlot)
{
    SetProjectHost(&g_projectHost);
    auto projects = std::make_unique<CProjManagerPane>();
    if (!projects->CreatePane(this))
        return;
    auto markers = std::make_unique<CItemPropsPane>();
    if (markers->AttachToPane(this, projects->GetManager()))
        markerSlot = std::move(markers);
    projectSlot = std::move(projects);
}
