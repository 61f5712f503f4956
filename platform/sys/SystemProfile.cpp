#include "platform/sys/SystemProfile.h"

#include "platform/sys/Library.h"

#include <strings.h>

UINT GetProfileInt(LPCTSTR section, LPCTSTR key, INT defaultValue)
{
    if (section == nullptr || key == nullptr || strcasecmp(section, "MAIL") != 0
        || strcasecmp(key, "MAPI") != 0)
        return static_cast<UINT>(defaultValue);
    char found[MAX_PATH];
    DWORD length = SearchPath(nullptr, "xdg-email", nullptr, sizeof found, found, nullptr);
    return length > 0 && length < sizeof found ? 1 : 0;
}
