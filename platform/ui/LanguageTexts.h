// Translating whole windows through the user-interface language library.
#pragma once

#include "platform/ui/UiTypes.h"

#include <string>

class CString;

// Gives the window and every window inside it the language's text for the text it has now;
// texts without one stay. FALSE for a null or dead window.
BOOL Parlex_SetAllTexts(HWND window);
// What a window or menu shows for a text it holds: the language's text for it, else the text.
std::string Parlex_ShownText(const std::string& text);

// A string resource as the user reads it: the language's text for the key it holds, the key
// itself when there is none. FALSE when the id is unknown.
BOOL LoadLanguageString(UINT id, CString& text);
