// Messages from our own helper programs to a window of this process: a helper started by the
// program posts to the window handle it was given, through a socket that only this user can
// reach. Only private messages (WM_USER to 0x7FFF) are relayed, and only to live windows.
#pragma once

#include "platform/ui/UiTypes.h"

// Starts taking messages for this process's windows; TRUE when listening (also when already).
BOOL ListenForRemoteMessages();
// Posts a message to a window of process `processId`; FALSE when that process does not listen.
BOOL PostRemoteMessage(DWORD processId, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
