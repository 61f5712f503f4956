#include "platform/core/DumpContext.h"

CDumpContext afxDump;

CDumpContext& CDumpContext::operator<<(LPCSTR lpsz)
{
    std::fputs(lpsz != nullptr ? lpsz : "(null)", m_pFile);
    return *this;
}

CDumpContext& CDumpContext::operator<<(const void* lp)
{
    std::fprintf(m_pFile, "%p", lp);
    return *this;
}

CDumpContext& CDumpContext::operator<<(int n)
{
    std::fprintf(m_pFile, "%d", n);
    return *this;
}

CDumpContext& CDumpContext::operator<<(UINT n)
{
    std::fprintf(m_pFile, "%u", n);
    return *this;
}

CDumpContext& CDumpContext::operator<<(LONGLONG n)
{
    std::fprintf(m_pFile, "%lld", static_cast<long long>(n));
    return *this;
}

CDumpContext& CDumpContext::operator<<(double d)
{
    std::fprintf(m_pFile, "%g", d);
    return *this;
}

void CDumpContext::Flush() { std::fflush(m_pFile); }
