// Help files: HTML pages open in the program's help window, other kinds in the desktop's
// viewer for them; a missing file is said so.
#pragma once

#include "platform/ui/UiTypes.h"

constexpr UINT HELP_CONTEXT = 0x0001;
constexpr UINT HELP_QUIT = 0x0002;
constexpr UINT HELP_INDEX = 0x0003;
constexpr UINT HELP_CONTENTS = 0x0003;
constexpr UINT HELP_FINDER = 0x000B;

constexpr UINT HH_DISPLAY_TOPIC = 0x0000;
constexpr UINT HH_DISPLAY_TOC = 0x0001;
constexpr UINT HH_DISPLAY_INDEX = 0x0002;
constexpr UINT HH_HELP_CONTEXT = 0x000F;
constexpr UINT HH_CLOSE_ALL = 0x0012;

// `file` may name a topic after "::" ("Vantrel.chm::/intro.htm"); the file opens at its
// start. Returns the help window, `caller` for a file the desktop's viewer shows, or NULL when
// the file is missing or cannot be shown, after a message box that names it. HH_CLOSE_ALL
// closes the help window.
HWND HtmlHelp(HWND caller, LPCSTR file, UINT command, DWORD_PTR data);
