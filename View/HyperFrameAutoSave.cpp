// The autosave copy: a file of its own beside the document, written on a timer while the
// document is modified and removed once the document is saved or closed.
#include "View/HyperFrame.h"

#include "View/HyperRunView.h"
#include "objects/ViewSettings.h"
#include "platform/core/Exception.h"
#include "platform/core/File.h"
#include "platform/core/System.h"
#include "platform/ui/Document.h"
#include "platform/ui/WinApp.h"

#include <algorithm>

namespace {

int AutoSaveSeconds()
{
    CWinApp* app = AfxGetApp();
    return app ? static_cast<int>(app->GetProfileInt("Settings", "AutoSave", CHyperFrame::DefaultAutoSaveSeconds))
               : CHyperFrame::DefaultAutoSaveSeconds;
}

void RemoveIfPresent(const CString& path)
{
    if (path.IsEmpty() || GetFileAttributes(path) == INVALID_FILE_ATTRIBUTES)
        return;
    try {
        CFile::Remove(path);
    } catch (CException* e) {
        e->Delete();
    }
}

} // namespace

CDocument* CHyperFrame::GetAutoSaveDocument()
{
    if (CDocument* active = GetActiveDocument())
        return active;
    return m_firstView ? m_firstView->GetDocument() : nullptr;
}

// An empty source gives no path: an unsaved document has no autosave copy.
CString CHyperFrame::GetAutoSavePath(LPCTSTR path)
{
    CString source = path;
    if (!path) {
        CDocument* document = GetAutoSaveDocument();
        if (document)
            source = document->GetPathName();
    }
    if (source.IsEmpty())
        return source;
    const int cut = std::max(source.ReverseFind('\\'), source.ReverseFind('/'));
    return source.Left(cut + 1) + "~" + source.Mid(cut + 1);
}

void CHyperFrame::AutoSave()
{
    CDocument* document = GetAutoSaveDocument();
    if (!document || !document->IsModified() || m_autoSavePaused)
        return;
    const CString path = GetAutoSavePath(document->GetPathName());
    if (path.IsEmpty())
        return;
    if (!document->DoSave(path, FALSE))
        m_autoSavePaused = TRUE;
    document->SetModifiedFlag(TRUE);
}

void CHyperFrame::OnTimer(UINT_PTR id)
{
    if (id == AutoSaveTimer)
        AutoSave();
    else
        CHyperRunFrame::OnTimer(id);
}

LRESULT CHyperFrame::OnDocumentSaved(WPARAM, LPARAM lParam)
{
    const auto path = reinterpret_cast<LPCTSTR>(lParam);
    const CObArray& views = GetViewSettings().m_openViews;
    for (INT_PTR i = 0; i < views.GetSize(); ++i)
        static_cast<CHyperRunView*>(views[i])->OnDocumentSaved(path);
    if (!path || CString(path).Find('~') < 0) {
        RemoveIfPresent(GetAutoSavePath(path));
        m_autoSavePaused = FALSE;
    }
    return 0;
}

void CHyperFrame::OnDestroy()
{
    CHyperRunFrame::OnDestroy();
    if (AutoSaveSeconds() > 0)
        RemoveIfPresent(GetAutoSavePath());
}
