// Translating whole windows through the user-interface language library.
#pragma once

#include "platform/ui/UiTypes.h"

// Gives the window and every window inside it the language's text for the text it has now;
// texts without one stay. FALSE for a null or dead window.
BOOL Parlex_SetAllTexts(HWND window);
