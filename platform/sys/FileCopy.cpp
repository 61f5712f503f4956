#include "platform/sys/FileCopy.h"

#include "platform/core/FilePath.h"
#include "platform/sys/AtomicFile.h"

#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>

BOOL CopyFile(LPCTSTR existingName, LPCTSTR newName, BOOL failIfExists)
{
    if (existingName == nullptr || newName == nullptr)
        return FALSE;
    std::string source = SystemPathFromName(existingName);
    struct stat info {};
    if (stat(source.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > 0x7FFFFFFF)
        return FALSE;
    std::ifstream in(source, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.is_open() || in.bad())
        return FALSE;
    return WriteFileAtomically(SystemPathFromName(newName), bytes, !failIfExists);
}
