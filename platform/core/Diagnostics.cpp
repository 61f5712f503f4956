#include "platform/core/Diagnostics.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

void AfxAssertFailedLine(LPCSTR lpszFileName, int nLine, LPCSTR lpszExpression)
{
    std::fprintf(stderr, "%s:%d: assertion failed: %s\n", lpszFileName, nLine, lpszExpression);
    std::abort();
}

// Traces are for the developer; they cost a getenv and stay silent unless VANTREL_TRACE is set.
void AfxTrace(LPCSTR lpszFormat, ...)
{
    static const bool enabled = std::getenv("VANTREL_TRACE") != nullptr;
    if (!enabled)
        return;
    va_list args;
    va_start(args, lpszFormat);
    std::vfprintf(stderr, lpszFormat, args);
    va_end(args);
}
