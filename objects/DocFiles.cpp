#include "objects/DocFiles.h"

#include "platform/core/FilePath.h"

#include <cstring>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

BOOL MakeDirectory(LPCTSTR path, BOOL changeInto)
{
    if (!path || !*path)
        return TRUE;
    std::string native = SystemPathFromName(path);
    mkdir(native.c_str(), 0777);
    if (changeInto)
        return chdir(native.c_str()) == 0;
    return TRUE;
}

BOOL IsTempDocFile(LPCTSTR path)
{
    if (!path)
        return FALSE;
    LPCTSTR name = path;
    for (LPCTSTR separators : {"\\/", ":"}) {
        LPCTSTR last = nullptr;
        for (LPCTSTR p = path; *p; ++p)
            if (std::strchr(separators, *p))
                last = p;
        if (last) {
            name = last + 1;
            break;
        }
    }
    return strncasecmp(name, "~DSL", 4) == 0;
}
