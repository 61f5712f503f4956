// Messages the library shows the user, as message boxes of the window layer.
#pragma once

#include "platform/core/Types.h"

// An OK box (or the given style) with the library's caption; returns the answer.
int ShowLibraryMessage(const char* text, UINT type = 0);
