// The unzip library the spelling library loads by name ("gwdunz32.dll"): chosen entries
// of a zip archive into a folder, never outside it.
#pragma once

#include "platform/core/Types.h"

extern "C" {

struct UNZIP_OPTIONS {
    LPCSTR zipFile; // Windows-1252, '\' or '/'
    LPCSTR targetFolder; // must exist
    BOOL overwrite; // replace files that exist; otherwise they are kept and that is an error
    LPCSTR password; // NULL or empty: none
};

// Messages of the library; NULL functions are not called.
struct UNZIP_CALLBACKS {
    void* context;
    void (*print)(void* context, LPCSTR text);
};

// Results.
constexpr int UNZIP_OK = 0;
constexpr int UNZIP_BAD_ARGUMENTS = 1;
constexpr int UNZIP_NO_ARCHIVE = 2; // missing, truncated or not a zip archive
constexpr int UNZIP_NO_ENTRY = 3; // a named entry is not in the archive
constexpr int UNZIP_UNSAFE_NAME = 4; // an entry would land outside the target folder
constexpr int UNZIP_DAMAGED = 5; // an entry's data cannot be read or fails its check
constexpr int UNZIP_CANNOT_WRITE = 6; // a file cannot be made, or exists without overwrite
constexpr int UNZIP_TOO_LARGE = 7; // an entry above kUnzipMaxEntryBytes

// Unpacks the named entries (all entries when nameCount is 0), except the excluded ones.
// Every entry is checked before anything is written, and each file is written beside its
// place and renamed into it, so a failure leaves no partial file; files already unpacked
// by the same call stay.
int UnZip_UnzipFile(int nameCount, const LPCSTR* names, int excludeCount, const LPCSTR* excludes,
    const UNZIP_OPTIONS* options, const UNZIP_CALLBACKS* callbacks);

using UNZIP_UNZIPFILE = decltype(&UnZip_UnzipFile);

} // extern "C"

constexpr DWORD kUnzipMaxEntryBytes = 256 * 1024 * 1024;
