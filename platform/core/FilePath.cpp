#include "platform/core/FilePath.h"

#include "platform/core/String.h"

#include <algorithm>

std::string SystemPathFromName(LPCTSTR lpszName)
{
    std::string path = ToUtf8(CString(lpszName));
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}
