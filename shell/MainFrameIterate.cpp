#include "shell/MainFrame.h"

#include "View/MyDoc.h"
#include "View/MyView.h"
#include "objects/HyperObArray.h"
#include "projects/ProjManager.h"
#include "projects/ProjManagerPane.h"
#include "projects/ProjOb.h"
#include "platform/core/File.h"
#include "platform/ui/CmdUI.h"

#include <memory>

CProjOb* CMainFrame::ActiveProject() const
{
    auto* pane = dynamic_cast<CProjManagerPane*>(GetPaneWindow(PaneProject));
    CProjManager* manager = pane ? pane->GetManager() : nullptr;
    return manager ? manager->GetActiveProject() : nullptr;
}

// Every member worksheet that is still there is read once, with the progress in the status bar.
void CMainFrame::OnIterateWorksheet()
{
    CProjOb* project = ActiveProject();
    if (!project)
        return;
    const int count = static_cast<int>(project->m_entries.size());
    BeginProgress(0, count, 1, 0);
    for (int i = 0; i < count; ++i) {
        const CString path = project->GetMemberPath(i);
        CFileStatus status;
        if (CFile::GetStatus(path, status)) {
            auto document = std::make_unique<CMyDoc>();
            auto view = std::make_unique<CMyView>();
            std::unique_ptr<CHyperObArray> loaded(view->LoadObjectsFromFile(path, document.get()));
        }
        StepProgress();
    }
    EndProgress();
}

void CMainFrame::OnUpdateIterateWorksheet(CCmdUI* cmdUI)
{
    const CProjOb* project = ActiveProject();
    cmdUI->Enable(project && (!project->m_entries.empty() || !project->m_subprojects.empty()));
}
