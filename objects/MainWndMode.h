// Whether the program runs as the editor (a multi-document main window) or as a single
// window that runs one form.
#pragma once

#include "platform/core/Types.h"

// Private message asking the main window for its mode; lParam points to an int preset to -1.
constexpr UINT WM_QUERY_MAINWND_MODE = 0x8217;

// 0 without a main window; else the main window's answer, or whether it is a
// multi-document frame when it gives none.
int QueryMainWndMode();
// TRUE when there is a main window and it does not work as a multi-document frame.
BOOL IsNonMdiMainWnd();
