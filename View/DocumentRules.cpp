#include "View/DocumentRules.h"

#include "View/AutoSaveCopy.h"
#include "objects/DocFiles.h"
#include "objects/ViewSettings.h"
#include "platform/core/Exception.h"
#include "platform/core/File.h"
#include "platform/core/System.h"
#include "platform/ui/Document.h"
#include "platform/ui/WinApp.h"

#include <algorithm>

CString LowerExtension(LPCTSTR path)
{
    const CString name(path ? path : "");
    const int dot = name.ReverseFind('.');
    const int slash = std::max(name.ReverseFind('/'), name.ReverseFind('\\'));
    CString extension = dot > slash ? name.Mid(dot + 1) : CString();
    extension.MakeLower();
    return extension;
}

BOOL IsWorkingCopy(LPCTSTR path)
{
    const CString text = path ? path : "";
    return text.Find('~') >= 0;
}

BOOL RecentListFlagFor(LPCTSTR path, BOOL requested)
{
    return IsWorkingCopy(path) ? FALSE : requested;
}

void RemoveTempDocFile(const CString& path)
{
    if (path.IsEmpty() || !IsTempDocFile(path))
        return;
    try {
        CFile::Remove(path);
    } catch (CException* e) {
        e->Delete();
    }
}

BOOL IsReadOnlyFile(LPCTSTR path)
{
    CFileStatus status;
    return CFile::GetStatus(path, status) && (status.m_attribute & CFile::readOnly) != 0;
}

// The folder is kept whole, however long, so that saving returns to where it started.
CDocFolderScope::CDocFolderScope()
{
    char folder[4096];
    if (_getcwd(folder, sizeof folder))
        m_previous = folder;
    MakeDirectory(GetViewSettings().m_documentFolder, TRUE);
}

CDocFolderScope::~CDocFolderScope()
{
    if (!m_previous.IsEmpty())
        _chdir(m_previous);
}

BOOL RefuseEmptyFile(LPCTSTR path)
{
    CFileStatus status;
    if (!CFile::GetStatus(path, status) || status.m_size != 0)
        return FALSE;
    CString text;
    text.Format("The file %s is empty: it holds no document.\nNothing was opened.", path);
    AfxMessageBox(text, MB_ICONEXCLAMATION);
    return TRUE;
}

void ReportIncompleteLoad(LPCTSTR path)
{
    CString text;
    text.Format("The document %s could not be read completely.\nWhat could be read is shown; save it under a new "
                "name to keep the original file.",
                path);
    AfxMessageBox(text, MB_ICONEXCLAMATION);
}

BOOL OpenDocumentChecked(CDocument& document, LPCTSTR path, BOOL& incomplete,
                         const std::function<BOOL(LPCTSTR)>& load, AutoSaveCopyChoice& choice)
{
    incomplete = FALSE;
    choice = AutoSaveCopyChoice::None;
    if (RefuseEmptyFile(path))
        return FALSE;
    const CString copy = NewerAutoSaveCopy(path);
    if (!copy.IsEmpty())
        choice = OfferAutoSaveCopy(path) ? AutoSaveCopyChoice::Opened : AutoSaveCopyChoice::Declined;
    if (!load(choice == AutoSaveCopyChoice::Opened ? static_cast<LPCTSTR>(copy) : path))
        return FALSE;
    if (incomplete)
        ReportIncompleteLoad(path);
    if (choice == AutoSaveCopyChoice::Opened)
        document.SetModifiedFlag(TRUE);
    return TRUE;
}
