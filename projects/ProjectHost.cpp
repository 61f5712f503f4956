#include "projects/ProjectHost.h"

#include "objects/ShellServices.h"
#include "platform/core/System.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/Document.h"
#include "platform/ui/WinApp.h"

#include <algorithm>
#include <vector>

namespace {

CProjectHost g_defaultHost;
CProjectHost* g_host = &g_defaultHost;

CDocTemplate* MainTemplate()
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return nullptr;
    POSITION pos = app->GetFirstDocTemplatePosition();
    return pos ? app->GetNextDocTemplate(pos) : nullptr;
}

template <class Visit>
void ForEachDocument(Visit visit)
{
    CWinApp* app = AfxGetApp();
    for (POSITION t = app ? app->GetFirstDocTemplatePosition() : nullptr; t;) {
        CDocTemplate* docTemplate = app->GetNextDocTemplate(t);
        for (POSITION d = docTemplate->GetFirstDocPosition(); d;)
            visit(docTemplate->GetNextDoc(d));
    }
}

} // namespace

CProjectHost& GetProjectHost() { return *g_host; }

void SetProjectHost(CProjectHost* host) { g_host = host ? host : &g_defaultHost; }

CString ProjectText(LPCTSTR key) { return GetShellServices().GetLanguageText(key); }

CString CProjectHost::MakeAbsolutePath(const CString& folder, const CString& path) const
{
    if (path.Left(1) == "/" || folder.IsEmpty())
        return path;
    return folder + "/" + path;
}

CString CProjectHost::GetProgramFolder() const
{
    char module[1024] = {};
    GetModuleFileName(nullptr, module, sizeof module);
    const CString path(module);
    return path.Left(std::max(path.ReverseFind('/'), 0));
}

CString CProjectHost::GetProjectFolder() const
{
    char current[260] = {};
    return CString(_getcwd(current, sizeof current) ? current : ".") + "/Project";
}

void CProjectHost::SetCurrentFolder(const CString&) const {}

BOOL CProjectHost::CloseAllDocuments() const
{
    CDocTemplate* docTemplate = MainTemplate();
    if (!docTemplate)
        return TRUE;
    if (!docTemplate->SaveAllModified())
        return FALSE;
    docTemplate->CloseAllDocuments(FALSE);
    return TRUE;
}

BOOL CProjectHost::CreateDocument(const CString& path) const
{
    CDocTemplate* docTemplate = MainTemplate();
    CDocument* document = docTemplate ? docTemplate->OpenDocumentFile(nullptr) : nullptr;
    return document && document->DoSave(path);
}

BOOL CProjectHost::OpenDocument(const CString& path) const
{
    CWinApp* app = AfxGetApp();
    return app && app->OpenDocumentFile(path);
}

BOOL CProjectHost::RunDocument(const CString& path) const { return OpenDocument(path); }

void CProjectHost::CloseDocument(const CString& path) const
{
    std::vector<CDocument*> matching;
    ForEachDocument([&](CDocument* document) {
        if (document->GetPathName().CompareNoCase(path) == 0)
            matching.push_back(document);
    });
    for (CDocument* document : matching)
        document->OnCloseDocument();
}

void CProjectHost::RetitleDocuments(const CString& path, const CString& title) const
{
    ForEachDocument([&](CDocument* document) {
        if (document->GetPathName().CompareNoCase(path) == 0)
            document->SetTitle(title);
    });
}

void CProjectHost::MoveDocuments(const CString& oldPath, const CString& newPath, const CString& title) const
{
    ForEachDocument([&](CDocument* document) {
        if (document->GetPathName().CompareNoCase(oldPath) != 0)
            return;
        document->SetPathName(newPath, FALSE);
        document->SetTitle(title);
    });
}
