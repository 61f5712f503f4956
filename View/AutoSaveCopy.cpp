#include "View/AutoSaveCopy.h"

#include "View/HyperFrame.h"
#include "objects/ShellServices.h"
#include "platform/core/Exception.h"
#include "platform/core/File.h"
#include "platform/core/FileFind.h"
#include "platform/core/System.h"
#include "platform/core/Time.h"
#include "platform/ui/Document.h"
#include "platform/ui/View.h"
#include "platform/ui/WinApp.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include <signal.h>
#include <unistd.h>

namespace {

constexpr const char* kUnsavedPrefix = "~unsaved-";

// Another program that is still running writes the copy: it is not left behind.
BOOL WrittenByAnotherRun(const CString& name)
{
    int pid = 0;
    if (std::sscanf(name, "~unsaved-%*8d-%*6d-%d-", &pid) != 1 || pid <= 0 || pid == static_cast<int>(getpid()))
        return FALSE;
    return kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

BOOL Status(LPCTSTR path, CFileStatus& status)
{
    return path && *path && CFile::GetStatus(path, status);
}

CHyperFrame* FrameOf(CDocument* document)
{
    POSITION pos = document->GetFirstViewPosition();
    return pos ? AsHyperFrame(document->GetNextView(pos)->GetParentFrame()) : nullptr;
}

void OpenUnsavedCopy(const CString& copy)
{
    CWinApp* app = AfxGetApp();
    CDocument* document = app ? app->OpenDocumentFile(copy) : nullptr;
    if (!document)
        return;
    document->ClearPathName();
    document->SetModifiedFlag(TRUE);
    if (CHyperFrame* frame = FrameOf(document))
        frame->AdoptUnsavedCopy(copy);
}

void RemoveCopy(const CString& copy)
{
    try {
        CFile::Remove(copy);
    } catch (CException* e) {
        e->Delete();
    }
}

} // namespace

CString AutoSavePathFor(LPCTSTR path)
{
    const CString source = path ? path : "";
    if (source.IsEmpty())
        return source;
    const int cut = std::max(source.ReverseFind('\\'), source.ReverseFind('/'));
    return source.Left(cut + 1) + "~" + source.Mid(cut + 1);
}

CString NewUnsavedCopyPath(LPCTSTR extension)
{
    const CString folder = GetShellServices().GetAutoSaveFolder();
    if (folder.IsEmpty())
        return folder;
    const CString stamp = CTime::GetCurrentTime().Format("%Y%m%d-%H%M%S");
    for (int n = 1;; ++n) {
        CString path;
        path.Format("%s/%s%s-%d-%d%s", static_cast<LPCTSTR>(folder), kUnsavedPrefix, static_cast<LPCTSTR>(stamp),
                    static_cast<int>(getpid()), n, extension ? extension : "");
        if (GetFileAttributes(path) == INVALID_FILE_ATTRIBUTES)
            return path;
    }
}

// Seconds are all the file times tell: a copy as old as its document still holds what the
// document lacks, since a real save removes the copy.
CString NewerAutoSaveCopy(LPCTSTR path)
{
    const CString copy = AutoSavePathFor(path);
    CFileStatus document, saved;
    if (!Status(path, document) || !Status(copy, saved) || saved.m_size == 0)
        return CString();
    return saved.m_mtime >= document.m_mtime ? copy : CString();
}

BOOL OfferAutoSaveCopy(LPCTSTR path)
{
    CString text;
    text.Format("The autosave copy of %s is newer than the document: it holds changes that were not saved.\n"
                "Open the autosave copy instead? Both files are kept until you save.",
                path);
    return AfxMessageBox(text, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

std::vector<CString> LeftUnsavedCopies()
{
    std::vector<CString> copies;
    const CString folder = GetShellServices().GetAutoSaveFolder();
    CFileFind find;
    if (folder.IsEmpty() || !find.FindFile(folder + "/" + kUnsavedPrefix + "*"))
        return copies;
    for (BOOL more = TRUE; more;) {
        more = find.FindNextFile();
        if (!find.IsDirectory() && find.GetLength() > 0 && !WrittenByAnotherRun(find.GetFileName()))
            copies.push_back(find.GetFilePath());
    }
    return copies;
}

void OfferUnsavedCopies()
{
    for (const CString& copy : LeftUnsavedCopies()) {
        CFileStatus status;
        if (!Status(copy, status))
            continue;
        CString text;
        text.Format("A document that was never saved was kept in its autosave copy of %s.\n"
                    "Open it? No deletes the copy; Cancel keeps it for the next start.",
                    static_cast<LPCTSTR>(status.m_mtime.Format("%Y-%m-%d %H:%M")));
        switch (AfxMessageBox(text, MB_YESNOCANCEL | MB_ICONQUESTION)) {
        case IDYES: OpenUnsavedCopy(copy); break;
        case IDNO: RemoveCopy(copy); break;
        default: break;
        }
    }
}
