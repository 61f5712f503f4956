// The hook library the main frame installs once and removes when it goes. It watches
// nothing: it only keeps which thread of this process installed it.
#pragma once

#include "platform/core/Types.h"

extern "C" {

// FALSE for another process's id or when the hook is already installed.
BOOL SetHook(DWORD threadId, DWORD processId);
// FALSE when no hook is installed.
BOOL UnHook();

} // extern "C"
