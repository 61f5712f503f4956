#include "shell/HyperApp.h"

#include "View/HyperFrame.h"
#include "View/HyperProjDoc.h"
#include "objects/HyperFrameOb.h"
#include "projects/ProjManager.h"
#include "projects/ProjManagerPane.h"
#include "projects/ProjOb.h"
#include "projects/ProjectHelpers.h"
#include "shell/MainFrame.h"
#include "shell/VantrelApp.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/Document.h"
#include "platform/ui/View.h"

#include <algorithm>

namespace {

CHyperFrame* FrameOf(CDocument* document)
{
    POSITION pos = document ? document->GetFirstViewPosition() : nullptr;
    CView* view = pos ? document->GetNextView(pos) : nullptr;
    return view ? dynamic_cast<CHyperFrame*>(view->GetParentFrame()) : nullptr;
}

CHyperApp* GetHyperApp() { return dynamic_cast<CHyperApp*>(AfxGetApp()); }

// The documents reach the current project through the application.
class CAppDocumentProject : public CDocumentProject {
public:
    BOOL HasCurrentProject() const override { return Project() != nullptr; }

    void AddDocument(const CString& path) const override
    {
        if (CProjOb* project = Project())
            project->AddDocument(MakeRelativePath(path, project->m_filePath));
    }

    BOOL DocumentRenamed(const CString& oldPath, const CString& newPath) const override
    {
        CProjOb* project = Project();
        return project && MemberIndexOf(*project, oldPath) >= 0 &&
               project->RenameDocument(oldPath, MakeRelativePath(newPath, project->m_filePath));
    }

    // Only the member that is this very file is refreshed: a member of another folder that
    // merely shares the file name keeps its own path.
    void DocumentSaved(const CString& path) const override
    {
        if (CProjOb* project = Project(); project && MemberIndexOf(*project, path) >= 0)
            project->RenameDocument(path, MakeRelativePath(path, project->m_filePath));
    }

private:
    static int MemberIndexOf(const CProjOb& project, const CString& path)
    {
        for (int i = 0; i < project.MemberCount(); ++i)
            if (project.GetMemberPath(i).CompareNoCase(path) == 0)
                return i;
        return -1;
    }

    static CProjOb* Project()
    {
        CHyperApp* app = GetHyperApp();
        return app ? app->GetCurrentProject() : nullptr;
    }
};

CAppDocumentProject g_documentProject;

} // namespace

void CHyperApp::InstallProjectAccess() { SetDocumentProject(&g_documentProject); }

void CHyperApp::RemoveProjectAccess() { SetDocumentProject(nullptr); }

CDocument* CHyperApp::OpenDocumentForEdit(LPCTSTR path)
{
    m_openingForEdit = TRUE;
    CDocument* document = CWinApp::OpenDocumentFile(path);
    m_openingForEdit = FALSE;
    CHyperFrame* frame = FrameOf(document);
    if (frame && !frame->IsEditMode())
        frame->SendMessage(WM_COMMAND, CmdEditView);
    return document;
}

CDocument* CHyperApp::OpenDocumentForRun(LPCTSTR path)
{
    CDocument* document = CWinApp::OpenDocumentFile(path);
    CHyperFrame* frame = FrameOf(document);
    if (frame && frame->IsEditMode())
        frame->SendMessage(WM_COMMAND, CmdEditView);
    return document;
}

BOOL CHyperApp::CreateProjectForm(const CString& path)
{
    CDocument* document = m_pMainTemplate ? m_pMainTemplate->OpenDocumentFile(nullptr, TRUE) : nullptr;
    if (!document)
        return FALSE;
    const int slash = std::max(path.ReverseFind('/'), path.ReverseFind('\\'));
    const CString name = path.Mid(slash + 1);
    if (CHyperFrame* frame = FrameOf(document); frame && frame->GetFrameObject())
        frame->GetFrameObject()->SetTitle(name);
    document->SetTitle(name);
    return document->DoSave(path, TRUE);
}

CProjOb* CHyperApp::GetCurrentProject() const
{
    CMainFrame* frame = GetMainFrame();
    auto* pane = frame ? dynamic_cast<CProjManagerPane*>(frame->GetPaneWindow(PaneProject)) : nullptr;
    CProjManager* manager = pane ? pane->GetManager() : nullptr;
    return manager ? manager->GetActiveProject() : nullptr;
}
