#include "projects/CatalogueText.h"

#include "objects/ShellServices.h"

CString CatalogueText(UINT id, LPCTSTR key)
{
    CString text;
    if (!text.LoadString(id) || text.IsEmpty())
        text = key;
    return GetShellServices().GetLanguageText(text);
}

CString CatalogueText(LPCTSTR key) { return GetShellServices().GetLanguageText(key); }
