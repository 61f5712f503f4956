// Documents: views, titles, the modified flag, loading and the safe save.
#include "platform/ui/Document.h"

#include "platform/core/Archive.h"
#include "platform/core/Exception.h"
#include "platform/core/File.h"
#include "platform/core/FileException.h"
#include "platform/core/FilePath.h"
#include "platform/core/StringTable.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/View.h"
#include "platform/ui/WinApp.h"

#include <sys/stat.h>
#include <unistd.h>

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

namespace {

// Documents go to and from their file in large blocks: a system call for every few
// kilobytes costs more than the records in them.
constexpr int DocumentBlockSize = 64 << 10;

CString fileNameOf(const CString& path)
{
    int slash = std::max(path.ReverseFind('/'), path.ReverseFind('\\'));
    return slash < 0 ? path : path.Mid(slash + 1);
}

// The temporary file a save writes first, in the target's folder.
CString besideName(LPCTSTR pathName)
{
    CString path = pathName;
    int slash = std::max(path.ReverseFind('/'), path.ReverseFind('\\'));
    return path.Left(slash + 1) + "." + path.Mid(slash + 1) + ".saving";
}

CString promptText(UINT id, LPCTSTR fallbackFormat, LPCTSTR argument)
{
    CString format;
    if (!LookupStringResource(id, format))
        format = fallbackFormat;
    int at = format.Find("%1");
    if (at >= 0)
        format = format.Left(at) + argument + format.Mid(at + 2);
    return format;
}

void removeQuietly(LPCTSTR path)
{
    TRY
    {
        CFile::Remove(path);
    }
    CATCH_ALL(e)
    {
    }
    END_CATCH_ALL
}

// A save killed mid-write leaves its beside file behind. Opening the document removes it, but
// only a plain file no other save holds locked: a save running in another process keeps it.
void removeStaleSaving(LPCTSTR pathName)
{
    CString temp = besideName(pathName);
    struct stat info {};
    if (lstat(SystemPathFromName(temp).c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return;
    CFile leftover;
    if (!leftover.Open(temp, CFile::modeReadWrite | CFile::shareExclusive))
        return;
    removeQuietly(temp);
    leftover.Close();
}

} // namespace

CDocument::~CDocument()
{
    for (POSITION pos = m_viewList.GetHeadPosition(); pos;)
        static_cast<CView*>(m_viewList.GetNext(pos))->m_pDocument = nullptr;
    m_viewList.RemoveAll();
    if (m_pDocTemplate)
        m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCTSTR title)
{
    m_strTitle = title;
    UpdateFrameCounts();
}

void CDocument::SetPathName(LPCTSTR pathName, BOOL addToMRU)
{
    m_strPathName = pathName;
    SetTitle(fileNameOf(m_strPathName));
    if (addToMRU)
        if (CWinApp* app = AfxGetApp())
            app->AddToRecentFileList(m_strPathName);
}

POSITION CDocument::GetFirstViewPosition() const { return m_viewList.GetHeadPosition(); }

CView* CDocument::GetNextView(POSITION& pos) const
{
    return static_cast<CView*>(const_cast<CPtrList&>(m_viewList).GetNext(pos));
}

void CDocument::AddView(CView* view)
{
    if (!view || m_viewList.Find(view))
        return;
    m_viewList.AddTail(view);
    view->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* view)
{
    POSITION pos = m_viewList.Find(view);
    if (!pos)
        return;
    m_viewList.RemoveAt(pos);
    view->m_pDocument = nullptr;
    OnChangedViewList();
}

void CDocument::UpdateAllViews(CView* sender, LPARAM hint, CObject* hintObject)
{
    for (POSITION pos = GetFirstViewPosition(); pos;) {
        CView* view = GetNextView(pos);
        if (view != sender)
            view->OnUpdate(sender, hint, hintObject);
    }
}

void CDocument::OnChangedViewList()
{
    if (m_viewList.IsEmpty() && m_bAutoDelete) {
        OnCloseDocument();
        return;
    }
    UpdateFrameCounts();
}

void CDocument::UpdateFrameCounts()
{
    for (POSITION pos = GetFirstViewPosition(); pos;)
        if (CFrameWnd* frame = GetNextView(pos)->GetParentFrame())
            frame->OnUpdateFrameTitle(TRUE);
}

void CDocument::DeleteContents() {}

void CDocument::OnShowViews(BOOL) {}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

CFile* CDocument::GetFile(LPCTSTR fileName, UINT openFlags, CFileException* error)
{
    auto* file = new CFile;
    if (!file->Open(fileName, openFlags, error)) {
        delete file;
        return nullptr;
    }
    return file;
}

void CDocument::ReleaseFile(CFile* file, BOOL abort)
{
    if (!file)
        return;
    if (abort)
        file->Abort();
    else
        file->Close();
    delete file;
}

BOOL CDocument::OnOpenDocument(LPCTSTR pathName)
{
    CFileException fe;
    CFile* file = GetFile(pathName, CFile::modeRead | CFile::shareDenyWrite, &fe);
    if (!file) {
        ReportSaveLoadException(pathName, &fe, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        return FALSE;
    }
    DeleteContents();
    SetModifiedFlag();
    BeginWaitCursor();
    TRY
    {
        CArchive ar(file, CArchive::load | CArchive::bNoFlushOnDelete, DocumentBlockSize);
        ar.m_pDocument = this;
        if (file->GetLength() != 0)
            Serialize(ar);
        ar.Close();
    }
    CATCH_ALL(e)
    {
        ReleaseFile(file, TRUE);
        DeleteContents();
        EndWaitCursor();
        ReportSaveLoadException(pathName, e, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        return FALSE;
    }
    END_CATCH_ALL
    ReleaseFile(file, FALSE);
    removeStaleSaving(pathName);
    EndWaitCursor();
    SetModifiedFlag(FALSE);
    return TRUE;
}

// The document is written to a file beside the target, which replaces the target only
// once it is complete: a failure at any point leaves the previous file as it was.
BOOL CDocument::OnSaveDocument(LPCTSTR pathName)
{
    CString temp = besideName(pathName);
    CFileException fe;
    CFile* file = GetFile(temp, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive, &fe);
    if (!file) {
        ReportSaveLoadException(pathName, &fe, TRUE, AFX_IDP_INVALID_FILENAME);
        return FALSE;
    }
    BeginWaitCursor();
    TRY
    {
        CArchive ar(file, CArchive::store | CArchive::bNoFlushOnDelete, DocumentBlockSize);
        ar.m_pDocument = this;
        Serialize(ar);
        ar.Close();
        file->Flush(); // on the disk before it replaces the old file
        ReleaseFile(file, FALSE);
        file = nullptr;
        CFile::Rename(temp, pathName);
    }
    CATCH_ALL(e)
    {
        ReleaseFile(file, TRUE);
        removeQuietly(temp);
        EndWaitCursor();
        ReportSaveLoadException(pathName, e, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        return FALSE;
    }
    END_CATCH_ALL
    EndWaitCursor();
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::ReportSaveLoadException(LPCTSTR pathName, CException* e, BOOL saving, UINT defaultPromptId)
{
    char reason[512] = "";
    if (e)
        e->GetErrorMessage(reason, sizeof reason);
    CString text = saving ? promptText(defaultPromptId, "Failed to save document %1.", pathName)
                          : promptText(defaultPromptId, "Failed to open document %1.", pathName);
    if (reason[0]) {
        text += "\n";
        text += reason;
    }
    AfxMessageBox(text, MB_ICONEXCLAMATION, defaultPromptId);
}

void CDocument::OnCloseDocument()
{
    BOOL autoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (!m_viewList.IsEmpty()) {
        auto* view = static_cast<CView*>(m_viewList.GetHead());
        CFrameWnd* frame = view->GetParentFrame();
        if (!frame || !frame->m_hWnd) {
            RemoveView(view);
            continue;
        }
        PreCloseFrame(frame);
        frame->DestroyWindow();
    }
    m_bAutoDelete = autoDelete;
    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}

BOOL CDocument::CanCloseFrame(CFrameWnd* frame)
{
    for (POSITION pos = GetFirstViewPosition(); pos;) {
        CFrameWnd* other = GetNextView(pos)->GetParentFrame();
        if (other && other != frame)
            return TRUE;
    }
    return SaveModified();
}

BOOL CDocument::SaveModified()
{
    if (!IsModified())
        return TRUE;
    CString name = m_strPathName.IsEmpty() ? m_strTitle : fileNameOf(m_strPathName);
    switch (AfxMessageBox(promptText(AFX_IDP_ASK_TO_SAVE, "Save changes to %1?", name), MB_YESNOCANCEL,
                          AFX_IDP_ASK_TO_SAVE)) {
    case IDCANCEL: return FALSE;
    case IDYES: return DoFileSave();
    default: return TRUE;
    }
}

void CDocument::PreCloseFrame(CFrameWnd*) {}

BOOL CDocument::DoSave(LPCTSTR pathName, BOOL replace)
{
    CString newName = pathName;
    if (newName.IsEmpty()) {
        newName = m_strPathName;
        if (replace && newName.IsEmpty()) {
            newName = m_strTitle;
            CString ext;
            if (m_pDocTemplate && m_pDocTemplate->GetDocString(ext, CDocTemplate::filterExt) && !ext.IsEmpty())
                newName += ext;
        }
        CWinApp* app = AfxGetApp();
        if (!app || !app->DoPromptFileName(newName, 0, 0, FALSE, m_pDocTemplate))
            return FALSE;
    }
    if (!OnSaveDocument(newName))
        return FALSE;
    if (replace)
        SetPathName(newName);
    return TRUE;
}

BOOL CDocument::DoFileSave()
{
    bool writable = !m_strPathName.IsEmpty() &&
                    (access(m_strPathName, F_OK) != 0 || access(m_strPathName, W_OK) == 0);
    return DoSave(writable ? static_cast<LPCTSTR>(m_strPathName) : nullptr);
}

BOOL CDocument::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo)
{
    if (CCmdTarget::OnCmdMsg(id, code, extra, handlerInfo))
        return TRUE;
    return m_pDocTemplate && m_pDocTemplate->OnCmdMsg(id, code, extra, handlerInfo);
}

void CDocument::OnFileClose()
{
    if (SaveModified())
        OnCloseDocument();
}

void CDocument::OnFileSave() { DoFileSave(); }
void CDocument::OnFileSaveAs() { DoSave(nullptr); }

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
    ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
    ON_COMMAND(ID_FILE_SAVE, OnFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()
