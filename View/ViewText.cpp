#include "View/ViewText.h"

#include "objects/ShellServices.h"

CString ViewText(UINT stringId, LPCTSTR fallbackKey)
{
    CString key;
    if (!key.LoadString(stringId))
        key = fallbackKey;
    return GetShellServices().GetLanguageText(key);
}
