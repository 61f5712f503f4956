// The autosave copy: a file of its own beside the document (in the autosave folder for a
// document without a path), written on a timer while the document is modified and removed
// once the document is saved or closed.
#include "View/HyperFrame.h"

#include "View/AutoSaveCopy.h"
#include "View/HyperRunView.h"
#include "objects/ViewSettings.h"
#include "platform/core/Exception.h"
#include "platform/core/File.h"
#include "platform/core/System.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/Document.h"
#include "platform/ui/WinApp.h"

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

CString CHyperFrame::GetAutoSavePath(LPCTSTR path)
{
    if (path)
        return AutoSavePathFor(path);
    CDocument* document = GetAutoSaveDocument();
    if (!document)
        return CString();
    return document->GetPathName().IsEmpty() ? m_unsavedCopy : AutoSavePathFor(document->GetPathName());
}

void CHyperFrame::AutoSave()
{
    CDocument* document = GetAutoSaveDocument();
    if (!document || !document->IsModified() || m_autoSavePaused)
        return;
    if (document->GetPathName().IsEmpty() && m_unsavedCopy.IsEmpty()) {
        CString extension;
        if (CDocTemplate* docTemplate = document->GetDocTemplate())
            docTemplate->GetDocString(extension, CDocTemplate::filterExt);
        m_unsavedCopy = NewUnsavedCopyPath(extension);
    }
    const CString path = GetAutoSavePath();
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
        RemoveIfPresent(path ? AutoSavePathFor(path) : GetAutoSavePath());
        RemoveIfPresent(m_unsavedCopy);
        m_unsavedCopy.Empty();
        m_autoSavePaused = m_autoSaveKept = FALSE;
    }
    return 0;
}

void CHyperFrame::OnDestroy()
{
    CHyperRunFrame::OnDestroy();
    if (AutoSaveSeconds() > 0 && !m_autoSaveKept)
        RemoveIfPresent(GetAutoSavePath());
}
