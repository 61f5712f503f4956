// Small services shared by the project code: the title stored at the start of a member
// file, paths relative to a project file, the folder-entry filter of the project dialogs,
// and whole-folder copies.
#pragma once

#include "platform/core/String.h"
#include "platform/core/Types.h"

// With `read`, the first string stored in the file (a damaged file gives "[" + path + "]");
// without, the path itself. FALSE for an empty path or a file that cannot be opened.
BOOL ReadMemberTitle(const CString& path, CString& title, BOOL read);
// `path` as seen from the file `from`; unchanged when the two share no root.
CString MakeRelativePath(const CString& path, const CString& from);
// A bracketed folder entry "[name]" becomes "name" (FALSE: show it as it is); anything else,
// and a bracketed entry starting with "..", becomes empty (TRUE).
BOOL ParseFolderTag(CString& entry);
// Copies a folder with all its files and sub-folders into `target` (made when missing).
BOOL CopyFolderTree(const CString& source, const CString& target);

// Folder and file names of a path; both '/' and '\' separate.
CString FolderOf(const CString& path);
CString FileNameOf(const CString& path);
// The file name without the part from its last '.' (a leading dot stays).
CString FileTitleOf(const CString& path);
BOOL FileExists(const CString& path);
// The file name of a member path (after the last separator, or the last ':' without one),
// without its extension unless `keepExtension`.
CString MemberFileTitle(const CString& path, BOOL keepExtension);
// Deletes a file; FALSE when it could not be.
BOOL RemoveFile(const CString& path);
BOOL RenameFile(const CString& from, const CString& to);
// The path with '\\' as '/' and its "." and ".." parts resolved.
CString NormalizePath(const CString& path);
// The path lies inside the folder (at any depth).
BOOL IsInsideFolder(const CString& path, const CString& folder);
// The same with the folders' links followed: a file reached through a link that leads out of
// the folder lies outside. The file itself is taken as it is, a link too.
BOOL IsReallyInsideFolder(const CString& path, const CString& folder);
