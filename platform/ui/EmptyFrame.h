// The program's first window: an empty main frame with a title, run until it is closed.
#pragma once

#include "platform/core/Types.h"

// Returns the exit code of the event loop. With quitAfterStart the window closes itself
// as soon as it is shown (start-up smoke tests).
int RunEmptyFrame(int argc, char** argv, LPCTSTR title, bool quitAfterStart);
