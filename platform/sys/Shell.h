// The desktop shell: opening documents and addresses with their handlers, starting
// programs, the user's special folders and relative paths. Names are Windows-1252 and may
// use '\' or '/'.
#pragma once

#include "platform/core/String.h"
#include "platform/core/System.h"
#include "platform/core/Types.h"

#include <string>
#include <vector>

// Results of ShellExecute and WinExec; anything above 32 is success.
constexpr int SE_ERR_OOM = 0;
constexpr int SE_ERR_FNF = 2;
constexpr int SE_ERR_PNF = 3;
constexpr int SE_ERR_ACCESSDENIED = 5;
constexpr int ERROR_BAD_FORMAT = 11;
constexpr int SE_ERR_ASSOCINCOMPLETE = 27;
constexpr int SE_ERR_NOASSOC = 31;
constexpr int kShellSuccess = 42;

// Verbs "open" (or none) and "explore". An address with a scheme ("https:", "mailto:") and
// any existing file or folder that is not a program go to the desktop's handler (xdg-open);
// a program is started with `parameters` split as a command line, in `directory`. A missing
// file gives SE_ERR_FNF, a missing folder SE_ERR_PNF, no handler for the kind (or another
// verb) SE_ERR_NOASSOC. The show command is not used.
HINSTANCE ShellExecute(
    HWND owner, LPCTSTR operation, LPCTSTR file, LPCTSTR parameters, LPCTSTR directory, INT showCommand);
// What a target named by a document, data file or download is, so that callers open only
// safe kinds: web and mail addresses freely, documents after the user confirmed, programs
// and scripts never.
// The lower-case scheme of an address ("https"); empty for a path ("C:" is a drive).
std::string AddressScheme(LPCTSTR target);
enum class ShellTarget { webAddress, mailAddress, otherAddress, document, programOrScript, missing };
ShellTarget ClassifyShellTarget(LPCTSTR target);

// Starts the program named first in the command line; > 31 on success, else as above.
UINT WinExec(LPCSTR commandLine, UINT showCommand);

// Splits a command line the way programs of the platform read theirs: blanks separate,
// double quotes group, and backslashes escape only the quotes they precede.
std::vector<CString> SplitCommandLine(LPCTSTR commandLine);

constexpr int CSIDL_DESKTOP = 0x0000;
constexpr int CSIDL_PROGRAMS = 0x0002;
constexpr int CSIDL_PERSONAL = 0x0005;
constexpr int CSIDL_STARTUP = 0x0007;
constexpr int CSIDL_MYMUSIC = 0x000d;
constexpr int CSIDL_MYVIDEO = 0x000e;
constexpr int CSIDL_DESKTOPDIRECTORY = 0x0010;
constexpr int CSIDL_FONTS = 0x0014;
constexpr int CSIDL_TEMPLATES = 0x0015;
constexpr int CSIDL_APPDATA = 0x001a;
constexpr int CSIDL_LOCAL_APPDATA = 0x001c;
constexpr int CSIDL_INTERNET_CACHE = 0x0020;
constexpr int CSIDL_MYPICTURES = 0x0027;
constexpr int CSIDL_PROFILE = 0x0028;
constexpr int CSIDL_FLAG_CREATE = 0x8000;

// The folder as a native path (MAX_PATH bytes), from the XDG base and user folders. With
// `create` a missing folder is made. FALSE for an unknown folder or one that cannot be had.
BOOL SHGetSpecialFolderPath(HWND owner, LPTSTR path, int folder, BOOL create);

// The way from `from` to `to` ("..\x\y.trn", ".\y.trn"), with '\' between the parts, into
// `path` (MAX_PATH bytes). A FILE_ATTRIBUTE_DIRECTORY end is a folder, any other a file,
// whose folder counts. FALSE when the two have different roots (drives, servers, or one
// relative and one absolute).
BOOL PathRelativePathTo(LPTSTR path, LPCTSTR from, DWORD fromAttributes, LPCTSTR to, DWORD toAttributes);
