// What the desktop says about a file: its icon, its name as shown and its kind, from the
// shared-mime-info database and the icon theme.
#pragma once

#include "platform/ui/UiTypes.h"

struct SHFILEINFO {
    HICON hIcon; // the caller destroys it
    int iIcon; // index in the system image list
    DWORD dwAttributes;
    CHAR szDisplayName[MAX_PATH];
    CHAR szTypeName[80];
};
using SHFILEINFOA = SHFILEINFO;

constexpr UINT SHGFI_LARGEICON = 0x000000;
constexpr UINT SHGFI_SMALLICON = 0x000001;
constexpr UINT SHGFI_USEFILEATTRIBUTES = 0x000010;
constexpr UINT SHGFI_ICON = 0x000100;
constexpr UINT SHGFI_DISPLAYNAME = 0x000200;
constexpr UINT SHGFI_TYPENAME = 0x000400;
constexpr UINT SHGFI_SYSICONINDEX = 0x004000;

// With SHGFI_USEFILEATTRIBUTES the file need not exist: its name (and FILE_ATTRIBUTE_DIRECTORY
// in `attributes`) decide. Returns the system image list of the size with SHGFI_SYSICONINDEX,
// else nonzero; 0 for a file that is not there.
DWORD_PTR SHGetFileInfo(LPCSTR path, DWORD attributes, SHFILEINFO* info, UINT size, UINT flags);
inline DWORD_PTR SHGetFileInfoA(LPCSTR path, DWORD attributes, SHFILEINFOA* info, UINT size, UINT flags)
{
    return SHGetFileInfo(path, attributes, info, size, flags);
}
