// The one exception object that scripting operations objects do not offer throw.
#pragma once

#include "platform/core/Exception.h"

class CScriptNotSupportedException : public CNotSupportedException {
public:
    // Never deleted by a handler: the program keeps one for its whole run.
    CScriptNotSupportedException() : CNotSupportedException(FALSE) { }

    // The text of string resource 27370.
    BOOL GetErrorMessage(LPTSTR error, UINT maxError, UINT* helpContext = nullptr) const override;
};

CScriptNotSupportedException* GetScriptNotSupportedException();
