#include "platform/core/ArchiveException.h"

#include <cstdio>

IMPLEMENT_DYNAMIC(CArchiveException, CException)

CArchiveException::CArchiveException(int cause, LPCTSTR lpszArchiveName)
    : m_cause(cause), m_strFileName(lpszArchiveName)
{
}

BOOL CArchiveException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const
{
    static const char* const kTexts[] = {
        "No error occurred while reading or writing %s.",
        "An unexpected error occurred while reading or writing %s.",
        "Tried to write to %s while reading it.",
        "An unexpected end of file was reached while reading %s.",
        "Tried to read from %s while writing it.",
        "%s has an invalid format.",
        "%s contains an unexpected object.",
        "%s contains an incorrect schema.",
    };
    CException::GetErrorMessage(lpszError, nMaxError, pnHelpContext);
    const int index = m_cause >= 0 && m_cause <= badSchema ? m_cause : genericException;
    return FormatFileMessage(kTexts[index], m_strFileName, lpszError, nMaxError);
}

void AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName)
{
    throw new CArchiveException(cause, lpszArchiveName);
}
