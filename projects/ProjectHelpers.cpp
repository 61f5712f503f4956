#include "projects/ProjectHelpers.h"

#include "platform/core/Archive.h"
#include "platform/core/ArchiveException.h"
#include "platform/core/File.h"
#include "platform/core/FileFind.h"
#include "platform/core/FilePath.h"
#include "platform/core/System.h"
#include "platform/sys/FileCopy.h"
#include "platform/sys/Shell.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

namespace {

int LastSeparator(const CString& path)
{
    return std::max(path.ReverseFind('/'), path.ReverseFind('\\'));
}

} // namespace

CString FolderOf(const CString& path)
{
    const int last = LastSeparator(path);
    return last < 0 ? CString() : path.Left(last);
}

CString FileNameOf(const CString& path)
{
    return path.Mid(LastSeparator(path) + 1);
}

CString FileTitleOf(const CString& path)
{
    CString name = FileNameOf(path);
    const int dot = name.ReverseFind('.');
    return dot > 0 ? name.Left(dot) : name;
}

BOOL FileExists(const CString& path)
{
    const DWORD attributes = GetFileAttributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

BOOL ReadMemberTitle(const CString& path, CString& title, BOOL read)
{
    if (path.IsEmpty())
        return FALSE;
    if (!read) {
        title = path;
        return TRUE;
    }
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite))
        return FALSE;
    try {
        CArchive ar(&file, CArchive::load, 4096);
        CString first;
        ar >> first;
        title = first;
    } catch (CException* e) {
        e->Delete();
        title = "[" + path + "]";
    }
    return TRUE;
}

CString MakeRelativePath(const CString& path, const CString& from)
{
    char relative[MAX_PATH] = {};
    if (!PathRelativePathTo(relative, from, FILE_ATTRIBUTE_NORMAL, path, FILE_ATTRIBUTE_NORMAL))
        return path;
    return relative;
}

BOOL ParseFolderTag(CString& entry)
{
    const int length = entry.GetLength();
    if (length < 2 || entry[0] != '[' || entry[length - 1] != ']' || entry.Mid(1, 2) == "..") {
        entry.Empty();
        return TRUE;
    }
    entry = entry.Mid(1, length - 2);
    return FALSE;
}

BOOL CopyFolderTree(const CString& source, const CString& target)
{
    _mkdir(target);
    CFileFind find;
    BOOL more = find.FindFile(source + "/*.*");
    BOOL copied = TRUE;
    while (more) {
        more = find.FindNextFile();
        const CString name = find.GetFileName();
        if (name.IsEmpty() || find.IsDots())
            continue;
        const CString to = target + "/" + name;
        copied = (find.IsDirectory() ? CopyFolderTree(find.GetFilePath(), to)
                                     : CopyFile(find.GetFilePath(), to, FALSE)) && copied;
    }
    return copied;
}

CString MemberFileTitle(const CString& path, BOOL keepExtension)
{
    int slash = LastSeparator(path);
    if (slash < 0)
        slash = path.ReverseFind(':');
    CString name = path.Mid(slash + 1);
    const int dot = name.ReverseFind('.');
    return keepExtension || dot <= 0 ? name : name.Left(dot);
}

BOOL RemoveFile(const CString& path)
{
    return std::remove(SystemPathFromName(path).c_str()) == 0;
}

BOOL RenameFile(const CString& from, const CString& to)
{
    return std::rename(SystemPathFromName(from).c_str(), SystemPathFromName(to).c_str()) == 0;
}

CString NormalizePath(const CString& path)
{
    CString text = path;
    text.Replace('\\', '/');
    std::vector<CString> parts;
    for (int start = 0; start <= text.GetLength();) {
        int end = text.Find('/', start);
        if (end < 0)
            end = text.GetLength();
        const CString part = text.Mid(start, end - start);
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.IsEmpty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    CString result = text.Left(1) == "/" ? "/" : "";
    for (size_t i = 0; i < parts.size(); ++i)
        result += (i ? "/" : "") + parts[i];
    return result;
}

BOOL IsInsideFolder(const CString& path, const CString& folder)
{
    const CString base = NormalizePath(folder);
    const CString full = NormalizePath(path);
    return !base.IsEmpty() && full.GetLength() > base.GetLength() + 1 && full.Left(base.GetLength() + 1) == base + "/";
}

BOOL IsReallyInsideFolder(const CString& path, const CString& folder)
{
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path file = fs::path(SystemPathFromName(NormalizePath(path)));
    const fs::path parent = fs::weakly_canonical(file.parent_path(), error);
    const fs::path base = fs::weakly_canonical(fs::path(SystemPathFromName(NormalizePath(folder))), error);
    if (error)
        return FALSE;
    return IsInsideFolder((parent / file.filename()).string().c_str(), base.string().c_str());
}
