#include "platform/core/Exception.h"

#include <cstdio>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CMemoryException, CException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CException)
IMPLEMENT_DYNAMIC(CResourceException, CException)
IMPLEMENT_DYNAMIC(CUserException, CException)

namespace {
thread_local AFX_EXCEPTION_LINK* t_pLinkTop = nullptr;
AFX_REPORT_PROC g_pfnReport = nullptr;
}

AFX_EXCEPTION_LINK::AFX_EXCEPTION_LINK() : m_pLinkPrev(t_pLinkTop) { t_pLinkTop = this; }

AFX_EXCEPTION_LINK::~AFX_EXCEPTION_LINK()
{
    t_pLinkTop = m_pLinkPrev;
    if (m_pException != nullptr)
        m_pException->Delete();
}

void CException::Delete()
{
    // A handler that deletes its exception itself: END_CATCH must not do it again.
    for (AFX_EXCEPTION_LINK* pLink = t_pLinkTop; pLink != nullptr; pLink = pLink->m_pLinkPrev)
        if (pLink->m_pException == this)
            pLink->m_pException = nullptr;
    if (m_bAutoDelete)
        delete this;
}

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    const LPCSTR lpszText = GetMessageText();
    if (lpszError == nullptr || nMaxError == 0)
        return FALSE;
    std::snprintf(lpszError, nMaxError, "%s", lpszText != nullptr ? lpszText : "");
    return lpszText != nullptr;
}

BOOL CException::FormatFileMessage(LPCSTR lpszFormat, const CString& strFileName, LPTSTR lpszError, UINT nMaxError)
{
    if (lpszError == nullptr || nMaxError == 0)
        return FALSE;
    std::snprintf(lpszError, nMaxError, lpszFormat,
                  strFileName.IsEmpty() ? "an unnamed file" : static_cast<LPCTSTR>(strFileName));
    return TRUE;
}

void AfxSetReportProc(AFX_REPORT_PROC pfnReport) { g_pfnReport = pfnReport; }

// Without a text of its own the exception shows string resource nMessageID.
int CException::ReportError(UINT nType, UINT nMessageID) const
{
    char szMessage[512];
    CString text;
    if (GetErrorMessage(szMessage, sizeof(szMessage)))
        text = szMessage;
    else if (nMessageID == 0 || !text.LoadString(nMessageID))
        text = "An unexpected error occurred.";
    if (g_pfnReport != nullptr)
        return g_pfnReport(text, nType);
    std::fprintf(stderr, "%s\n", static_cast<LPCTSTR>(text));
    return 1;
}

LPCSTR CMemoryException::GetMessageText() const { return "Out of memory."; }
LPCSTR CNotSupportedException::GetMessageText() const { return "The operation is not supported."; }
LPCSTR CInvalidArgException::GetMessageText() const { return "An invalid argument was passed."; }
LPCSTR CResourceException::GetMessageText() const { return "A required resource was unavailable."; }

void AfxThrowMemoryException()
{
    // Preallocated: there may be no memory left for a new exception object.
    static CMemoryException s_memoryException(FALSE);
    throw &s_memoryException;
}

void AfxThrowNotSupportedException() { throw new CNotSupportedException; }
void AfxThrowInvalidArgException() { throw new CInvalidArgException; }
void AfxThrowResourceException() { throw new CResourceException; }
void AfxThrowUserException() { throw new CUserException; }
