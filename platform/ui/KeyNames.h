// The names a user reads for keys: "F5", "Del", "K".
#pragma once

#include "platform/core/String.h"
#include "platform/core/Types.h"

// The name of a virtual key without its modifiers.
CString VirtualKeyName(UINT vk);
