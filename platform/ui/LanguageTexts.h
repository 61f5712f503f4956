// Translating whole windows through the user-interface language library.
#pragma once

#include "platform/ui/UiTypes.h"

class CString;

// Gives the window and every window inside it the language's text for the text it has now;
// texts without one stay. FALSE for a null or dead window.
BOOL Parlex_SetAllTexts(HWND window);

// A string resource as the user reads it: the language's text for the key it holds, the key
// itself when there is none. FALSE when the id is unknown.
BOOL LoadLanguageString(UINT id, CString& text);
