// The download library the spelling library loads by name ("GTEINET.DLL"): one file over
// HTTP or HTTPS into a local file.
#pragma once

#include "platform/core/Types.h"

extern "C" {

// Progress kinds.
constexpr int INET_CONNECTING = 1;
constexpr int INET_WAITING = 2;
constexpr int INET_RECEIVING = 3;

// Results.
constexpr int INET_OK = 0;
constexpr int INET_CANCELLED = -1;
constexpr int INET_NO_CONNECTION = -2; // host unknown or not answering
constexpr int INET_NO_SESSION = -3; // the transfer could not be set up
constexpr int INET_FAILED = -4; // an error answer, a body cut short or too large
constexpr int INET_NO_FILE = -5; // the local file could not be written

// Called on the caller's thread; nonzero cancels. `total` is 0 while the size is unknown.
using INET_PROGRESS = int (*)(void* context, int kind, LONG done, LONG total);

// `localFile` (Windows-1252, '\' or '/') gets the whole body or is left as it was: the body
// goes to a file beside it first. Answers above kInetMaxBytes are refused. `mode` is 1.
int Inet_DownloadFile(
    LPCSTR agent, LPCSTR address, LPCSTR localFile, int mode, INET_PROGRESS progress, void* context);

using INET_DOWNLOADFILE = decltype(&Inet_DownloadFile);

} // extern "C"

constexpr LONG kInetMaxBytes = 64 * 1024 * 1024;
