// The desktop's own settings, read the way programs of the platform read their system
// profile. What it answers is found out, not stored: section "MAIL", key "MAPI" is 1 when a
// mail program can be started (xdg-email is on PATH), else 0.
#pragma once

#include "platform/core/Types.h"

UINT GetProfileInt(LPCTSTR section, LPCTSTR key, INT defaultValue);
