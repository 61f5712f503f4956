// Where the library lives, and dictionary names made absolute against that folder.
#pragma once

#include <string>

// The folder of the library file, without a trailing separator.
std::string GetLibraryFolder();
// An absolute name is kept; a relative one is joined to `folder` (the library's folder
// when empty). Empty when the joined name would exceed the 259-character limit.
std::string MakeDictionaryPath(const char* name, const std::string& folder = GetLibraryFolder());
