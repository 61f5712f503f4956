// The colour chooser of the formatting commands. The dialogs layer installs the one with a
// "<Default>" button; without one the commands change nothing.
#pragma once

#include "platform/core/Types.h"

class CWnd;

// Asks for a colour, starting at colour. TRUE with the chosen colour, or with -1 (automatic)
// when the user asked for the default; FALSE when cancelled, colour unchanged.
using ColourChooser = BOOL (*)(COLORREF& colour, CWnd* parent);
void SetColourChooser(ColourChooser chooser);
ColourChooser GetColourChooser();
