// Shared libraries loaded at run time, bound by name or by ordinal.
#pragma once

#include "platform/core/Types.h"

#include <string>
#include <vector>

using FARPROC = void (*)();

// "NAME.DLL" (any case) stands for libname.so (lower case). The name is looked up as the
// system does, then in the program's folder and in the "lib" folder beside it. Loading the
// same library twice gives the same handle; each load needs its FreeLibrary.
HMODULE LoadLibrary(LPCTSTR fileName);
BOOL FreeLibrary(HMODULE module);
// `procName` is a name, or an ordinal in the low word of the pointer (MAKEINTRESOURCE).
// Ordinals come from the library's OrdinalExports table; NULL for an unknown one.
FARPROC GetProcAddress(HMODULE module, LPCSTR procName);

// The file name LoadLibrary tries first for a given name ("GTEINET.DLL" -> "libgteinet.so").
std::string SharedLibraryFileName(LPCTSTR fileName);

// The folders LoadLibrary looks in after the system's own search: the program's folder and
// the "lib" folder beside it.
std::vector<std::string> ProgramLibraryFolders();

// Finds `fileName` (with `extension` added when it has none; "X.DLL" stands for libx.so) in
// the folders of `path` (';'-separated), else in ProgramLibraryFolders() and on PATH. Copies
// the native path into `buffer` and returns its length, or the size needed when the buffer is
// too small; 0 when not found. `filePart`, when given, points at the name in the buffer.
DWORD SearchPath(LPCSTR path, LPCSTR fileName, LPCSTR extension, DWORD size, LPSTR buffer, LPSTR* filePart);
