#include "View/DocumentRules.h"

#include "objects/DocFiles.h"
#include "objects/ViewSettings.h"
#include "platform/core/Exception.h"
#include "platform/core/File.h"
#include "platform/core/MemFile.h"
#include "platform/core/System.h"
#include "platform/ui/WinApp.h"

#include <algorithm>
#include <memory>

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

namespace {

// A stored document read whole, straight into the block the archive then reads from.
class CLoadedDocument : public CMemFile {
public:
    // False, leaving this file empty, when the file gives fewer bytes than asked for.
    BOOL Load(CFile& file, SIZE_T length)
    {
        if (length == 0)
            return TRUE;
        m_lpBuffer = Alloc(length);
        if (!m_lpBuffer)
            AfxThrowMemoryException();
        m_nBufferSize = length;
        if (file.Read(m_lpBuffer, static_cast<UINT>(length)) != length) {
            Close();
            return FALSE;
        }
        m_nFileSize = length;
        return TRUE;
    }
};

} // namespace

CFile* OpenStoredDocument(LPCTSTR path, UINT openFlags, CFileException* error)
{
    constexpr ULONGLONG MaxInMemory = 256u << 20;
    auto file = std::make_unique<CFile>();
    if (!file->Open(path, openFlags, error))
        return nullptr;
    const UINT access = openFlags & (CFile::modeWrite | CFile::modeReadWrite);
    const ULONGLONG length = file->GetLength();
    if (access || (openFlags & CFile::modeCreate) || length > MaxInMemory)
        return file.release();
    auto memory = std::make_unique<CLoadedDocument>();
    if (!memory->Load(*file, static_cast<SIZE_T>(length))) {
        file->SeekToBegin();
        return file.release();
    }
    return memory.release();
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

void ReportIncompleteLoad(LPCTSTR path)
{
    CString text;
    text.Format("The document %s could not be read completely.\nWhat could be read is shown; save it under a new "
                "name to keep the original file.",
                path);
    AfxMessageBox(text, MB_ICONEXCLAMATION);
}
