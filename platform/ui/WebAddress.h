// Web and mail addresses go to the desktop's browser or mail program.
#pragma once

#include "platform/ui/UiTypes.h"

// Hands the address to the desktop; when the desktop has no program for it, a message box says
// so and names the address. FALSE then.
BOOL OpenWebAddress(LPCTSTR address);
