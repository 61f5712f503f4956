// Translating whole windows through the user-interface language library.
#pragma once

#include "platform/ui/UiTypes.h"

#include <string>

// Gives the window and every window inside it the language's text for the text it has now;
// texts without one stay. FALSE for a null or dead window.
BOOL Parlex_SetAllTexts(HWND window);
// What a window or menu shows for a text it holds: the language's text for it, else the text.
std::string Parlex_ShownText(const std::string& text);
