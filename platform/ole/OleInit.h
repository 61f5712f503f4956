// Start-up of the automation and container layer, and the count of what keeps the program
// running for it.
#pragma once

#include "platform/core/Types.h"

// Registers the layer's clipboard formats; TRUE.
BOOL AfxOleInit();
void AfxOleLockApp();
void AfxOleUnlockApp();
// TRUE when nothing holds the program through AfxOleLockApp.
BOOL AfxOleCanExitApp();
