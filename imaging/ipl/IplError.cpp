#include "imaging/ipl/IplError.h"

#include <cstdio>
#include <cstring>
#include <new>

namespace {

IplErrorContext g_context = {0, iplErrModeLeaf, iplDefaultReport};

void printToStderr(const char* caption, const char* text)
{
    std::fprintf(stderr, "%s: %s\n", caption, text);
}

IplMessageHandler g_message = printToStderr;

// Texts of -9 .. -26 share one table with the mask prefix; plain statuses skip it.
const char* const kMaskPrefixed[] = {
    "Mask. Null pointer to an image header",
    "Mask. Incorrect image size",
    "Mask. Incorrect offset of ROI of the image",
    "Mask. One from two pointers should be null, and other should be not null, imageData or tileInfo ",
    "Mask. Incorrect widthStep of the image",
    "Mask. Incorrect Color model or channel sequence of the image",
    "Mask. Incorrect number of channels in the image",
    "Mask. Number of channels for 1U depth image must be one",
    "Mask. Incorrect depth value in the image header",
    "Mask. Incorrect alpha channel number in the image header",
    "Mask. Incorrect data order value in the image header",
    "Mask. Incorrect data origin value in the image header",
    "Mask. Incorrect data alignment value in the image header",
    "Mask. Null pointer to callback function",
    "Mask. Incorrect size of the tile",
    "Mask. Incorrect COI of the image",
    "Mask. Incorrect size of ROI in the image header",
    "Mask. Mask image is taled",
};
constexpr int kPrefixLength = 6;

const char* modeSuffix(int mode)
{
    if (mode == iplErrModeLeaf)
        return "\n\nErrMode=IPL_ErrorModeLeaf\n\nTerminate the application?";
    if (mode == iplErrModeParent)
        return "\n\nErrMode=IPL_ErrorModeParent\n\nContinue?";
    return "";
}

const char* formatOf(int status)
{
    return (status == iplStsBackTrace || status == iplStsAutoTrace)
               ? "Called from %s(): [file %s, line %d]\n%s\n\n%s\n(status: %d)%s"
               : "In function %s(): [file %s, line %d]\n%s\n\n%s\n(status: %d)%s";
}

int reportLength(int status, const char* funcName, const char* context, const char* file)
{
    return std::snprintf(nullptr, 0, formatOf(status), funcName ? funcName : "<unknown>", file ? file : "",
                         0, context ? context : "", iplStatusText(status), status,
                         modeSuffix(g_context.mode)) + 16;
}

void formatReport(char* buffer, int size, int status, const char* funcName, const char* context,
                     const char* file, int line)
{
    std::snprintf(buffer, static_cast<size_t>(size), formatOf(status), funcName ? funcName : "<unknown>",
                  file ? file : "", line < 0 ? 0 : line, context ? context : "", iplStatusText(status),
                  status, modeSuffix(g_context.mode));
}

} // namespace

IplErrorContext* ownErrorContext()
{
    return &g_context;
}

IplErrorContext* iplInitErrorContext(IplErrorContext* context)
{
    if (context)
        *context = {0, iplErrModeLeaf, iplDefaultReport};
    return context;
}

int iplGetErrorStatus() { return g_context.status; }
void iplSetErrorStatus(int status) { g_context.status = status; }
int iplGetErrorMode() { return g_context.mode; }
void iplSetErrorMode(int mode) { g_context.mode = mode; }

IplErrorCallBack iplRedirectError(IplErrorCallBack report)
{
    IplErrorCallBack previous = g_context.report;
    g_context.report = report ? report : iplDefaultReport;
    return previous;
}

IplMessageHandler iplSetMessageHandler(IplMessageHandler handler)
{
    IplMessageHandler previous = g_message;
    g_message = handler ? handler : printToStderr;
    return previous;
}

int iplReportError(int status, const char* funcName, const char* context, const char* file, int line)
{
    if (status != iplStsBackTrace && status != iplStsAutoTrace)
        g_context.status = status;
    if (status == 0)
        return 0;
    return g_context.report(status, funcName, context, file, line);
}

const char* iplStatusText(int status)
{
    switch (status) {
    case 0: return "No Error";
    case -1: return "Backtrace";
    case -3: return "Internal error (bad state)";
    case -4: return "Out of memory";
    case -5: return "Bad argument";
    case -6: return "Unsupported function";
    case -7: return "Iteration convergence failed";
    case -8: return "Autotrace call";
    default: break;
    }
    if (status <= -9 && status >= -26)
        return kMaskPrefixed[-9 - status] + kPrefixLength;
    bool maskStatus = (status <= -109 && status >= -125) && status != -116 && status != -122 &&
                      status != -123 && status != -109;
    if (maskStatus)
        return kMaskPrefixed[-109 - status];
    return "Unknown error or status code";
}

// No mode ends the process: the message is shown and the status handed back.
int iplDefaultReport(int status, const char* funcName, const char* context, const char* file, int line)
{
    if (g_context.mode == iplErrModeSilent)
        return status;
    int size = reportLength(status, funcName, context, file);
    char* buffer = new (std::nothrow) char[static_cast<size_t>(size)];
    if (!buffer)
        return status;
    formatReport(buffer, size, status, funcName, context, file, line);
    char caption[32];
    std::snprintf(caption, sizeof caption, "IPL %s", iplGetLibVersion()->version);
    g_message(caption, buffer);
    delete[] buffer;
    return status;
}

int iplSilentReport(int status, const char*, const char*, const char*, int)
{
    return status;
}

const IplLibVersion* iplGetLibVersion()
{
    static const IplLibVersion version = {2, 0, 2, "libipl", "v2.0 Beta", "[2.0.02]", __DATE__,
#if defined(__clang__)
                                          "clang"
#else
                                          "gcc"
#endif
    };
    return &version;
}
