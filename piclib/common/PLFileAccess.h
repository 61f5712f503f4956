// Opening files for the file source and sink, with the result codes of the library.
// The open call can be replaced, so that failures the test machine cannot produce
// (access denied, sharing) are testable.
#pragma once

#include <cstddef>
#include <string>

namespace PLFileAccess {

using OpenFunction = int (*)(const char* path, int flags, unsigned mode);

// nullptr restores the system's open.
void SetOpenFunction(OpenFunction function);
int OpenFile(const char* path, int flags, unsigned mode);
// 3 when a folder of the path is missing, 5 for denied access or a file in use, else 4.
int ResultCodeFor(int error, const char* path);
std::string Utf8FromWide(const wchar_t* text);

// An open file descriptor with an optional mapped view of it.
struct Mapping {
    int file = -1;
    void* view = nullptr;
    size_t size = 0;
    // Unmaps the view and closes the file.
    void Release();
};

} // namespace PLFileAccess
