// Clock, process and file-system calls of the platform over Linux. Names going in may use
// '\' or '/' and are Windows-1252; names coming out are native ('/') paths in Windows-1252.
#pragma once

#include "platform/core/Types.h"

constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x01;
constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x02;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr DWORD FILE_ATTRIBUTE_ARCHIVE = 0x20;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;

// Milliseconds since an arbitrary start; wraps after 49.7 days like the platform's.
DWORD GetTickCount();
ULONGLONG GetTickCount64();
void Sleep(DWORD milliseconds);

// The program's own path. Returns the length copied; when the buffer is too small the
// name is cut to size - 1 bytes and `size` is returned.
DWORD GetModuleFileName(HMODULE module, LPTSTR buffer, DWORD size);
// The temporary folder ($TMPDIR or /tmp) with a trailing '/'. Returns the length, or the
// size needed including the NUL when the buffer is too small (nothing is copied then).
DWORD GetTempPath(DWORD size, LPTSTR buffer);
// Composes folder + up to three prefix bytes + four hex digits + ".tmp" into `name`
// (MAX_PATH bytes). With unique == 0 the file is created exclusively under a fresh name;
// otherwise only the name is made. Returns the number used, 0 on failure.
UINT GetTempFileName(LPCTSTR folder, LPCTSTR prefix, UINT unique, LPTSTR name);
// A file without any write permission is read-only, even for a user who may write anyway.
DWORD GetFileAttributes(LPCTSTR name);
// Only the read-only bit is kept: it takes away every write permission, or gives the owner
// write permission back. FALSE when the file cannot be changed.
BOOL SetFileAttributes(LPCTSTR name, DWORD attributes);

int _mkdir(LPCTSTR name);
int _rmdir(LPCTSTR name);
int _chdir(LPCTSTR name);
// Fills buffer (size bytes); NULL with errno ERANGE when it does not fit.
LPTSTR _getcwd(LPTSTR buffer, int size);
// mode: 0 exists, 2 writable, 4 readable, 6 both. Returns 0 or -1.
int _access(LPCTSTR name, int mode);
