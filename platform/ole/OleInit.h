// Start-up of the automation and container layer, and the count of what keeps the program
// running for it.
#pragma once

#include "platform/core/Types.h"
#include "platform/ole/OleTypes.h"

// Registers the layer's clipboard formats; TRUE.
BOOL AfxOleInit();
void AfxOleLockApp();
void AfxOleUnlockApp();
// TRUE when nothing holds the program through AfxOleLockApp.
BOOL AfxOleCanExitApp();

// Starts the layer on the calling thread: S_OK the first time, S_FALSE when it was started
// already; each call is matched by one OleUninitialize.
HRESULT OleInitialize(LPVOID reserved);
void OleUninitialize();
