#include "objects/ScriptNotSupported.h"

#include <cstdio>

namespace {
// "<An unsupported scripting operation was attempted.>"
constexpr UINT IDS_SCRIPT_NOT_SUPPORTED = 27370;
}

BOOL CScriptNotSupportedException::GetErrorMessage(LPTSTR error, UINT maxError, UINT* helpContext) const
{
    CString text;
    if (!text.LoadString(IDS_SCRIPT_NOT_SUPPORTED))
        return CNotSupportedException::GetErrorMessage(error, maxError, helpContext);
    if (helpContext)
        *helpContext = 0;
    if (!error || maxError == 0)
        return FALSE;
    std::snprintf(error, maxError, "%s", text.GetString());
    return TRUE;
}

CScriptNotSupportedException* GetScriptNotSupportedException()
{
    static CScriptNotSupportedException exception;
    return &exception;
}
