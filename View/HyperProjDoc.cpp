#include "View/HyperProjDoc.h"

#include "View/DocumentRules.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/WinApp.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CHyperProjDoc, CHyperOleDoc)

namespace {

CDocumentProject g_noProject;
CDocumentProject* g_project = &g_noProject;

} // namespace

CDocumentProject& GetDocumentProject() { return *g_project; }

void SetDocumentProject(CDocumentProject* project) { g_project = project ? project : &g_noProject; }

// Saving under the same name adds nothing; autosave and temporary copies never join. A member
// saved under a new name is renamed in the project; any other document joins it.
void CHyperProjDoc::OnProjectSaveAs()
{
    const CString oldPath = GetPathName();
    OnFileSaveAs();
    const CString newPath = GetPathName();
    const CDocumentProject& project = GetDocumentProject();
    if (newPath == oldPath || newPath.IsEmpty() || IsWorkingCopy(newPath) || !project.HasCurrentProject())
        return;
    if (oldPath.IsEmpty() || !project.DocumentRenamed(oldPath, newPath))
        project.AddDocument(newPath);
}

// A failed save, an autosave or a temporary copy leave the project as it was.
BOOL CHyperProjDoc::OnSaveDocument(LPCTSTR pathName)
{
    if (!CHyperOleDoc::OnSaveDocument(pathName))
        return FALSE;
    if (GetFirstHyperView() && !IsWorkingCopy(pathName) && GetDocumentProject().HasCurrentProject())
        GetDocumentProject().DocumentSaved(pathName);
    return TRUE;
}

CString CHyperProjDoc::TitleFromPath(const CString& path)
{
    int start = std::max(path.ReverseFind('/'), path.ReverseFind('\\'));
    if (start < 0)
        start = path.ReverseFind(':');
    CString name = path.Mid(start + 1);
    const int dot = name.ReverseFind('.');
    return dot > 0 ? name.Left(dot) : name;
}

void CHyperProjDoc::SetTitle(LPCTSTR title)
{
    CHyperOleDoc::SetTitle(title && *title ? CString(title) : TitleFromPath(GetPathName()));
}

BEGIN_MESSAGE_MAP(CHyperProjDoc, CHyperOleDoc)
    ON_COMMAND(ID_FILE_SAVE_AS, OnProjectSaveAs)
    ON_UPDATE_COMMAND_UI(ID_FILE_SAVE_AS, OnUpdateFileSaveAs)
END_MESSAGE_MAP()
