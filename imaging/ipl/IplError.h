// The library's process-wide error context: the last status, the error mode and the
// report function every entry point calls when it refuses or fails.
#pragma once

using IplErrorCallBack = int (*)(int status, const char* funcName, const char* context,
                                 const char* file, int line);
// Where the default report shows its message (caption, text); the default prints to stderr.
using IplMessageHandler = void (*)(const char* caption, const char* text);

constexpr int iplErrModeLeaf = 0;
constexpr int iplErrModeParent = 1;
constexpr int iplErrModeSilent = 2;

constexpr int iplStsOk = 0;
constexpr int iplStsBackTrace = -1;
constexpr int iplStsInternal = -3;
constexpr int iplStsNoMem = -4;
constexpr int iplStsBadArg = -5;
constexpr int iplStsAutoTrace = -8;

struct IplErrorContext {
    int status;
    int mode;
    IplErrorCallBack report;
};

struct IplLibVersion {
    int major;
    int minor;
    int build;
    const char* name;
    const char* version;
    const char* internalVersion;
    const char* buildDate;
    const char* compiler;
};

IplErrorContext* ownErrorContext();
IplErrorContext* iplInitErrorContext(IplErrorContext* context);

int iplGetErrorStatus();
void iplSetErrorStatus(int status);
int iplGetErrorMode();
void iplSetErrorMode(int mode);
IplErrorCallBack iplRedirectError(IplErrorCallBack report);
int iplReportError(int status, const char* funcName, const char* context, const char* file, int line);
const char* iplStatusText(int status);
int iplDefaultReport(int status, const char* funcName, const char* context, const char* file, int line);
int iplSilentReport(int status, const char* funcName, const char* context, const char* file, int line);
const IplLibVersion* iplGetLibVersion();

// The message seam of the default report; null restores printing to stderr. Returns the previous one.
IplMessageHandler iplSetMessageHandler(IplMessageHandler handler);

// Reports with the caller's source line.
inline int ownError(int status, const char* funcName, const char* context, const char* module,
                    int line = __builtin_LINE())
{
    return iplReportError(status, funcName, context, module, line);
}

// Runs a nested step; true when it reported a failure. Without one, an earlier status stays as it was.
template <class Step>
bool ownNestedFails(Step step)
{
    int before = iplGetErrorStatus();
    iplSetErrorStatus(0);
    step();
    if (iplGetErrorStatus() < 0)
        return true;
    iplSetErrorStatus(before);
    return false;
}
