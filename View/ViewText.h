// The user-interface text of a string resource of the views: the resource string (or the
// given key when the table lacks it) passed through the language lookup.
#pragma once

#include "platform/core/String.h"

CString ViewText(UINT stringId, LPCTSTR fallbackKey);
