// Errors of the automation and container layer.
#include "platform/ole/OleException.h"

IMPLEMENT_DYNAMIC(COleException, CException)
IMPLEMENT_DYNAMIC(COleDispatchException, CException)

LPCSTR COleException::GetMessageText() const { return "An OLE operation failed."; }

SCODE COleException::Process(const CException* pAnyException)
{
    if (const auto* ole = dynamic_cast<const COleException*>(pAnyException))
        return ole->m_sc;
    if (dynamic_cast<const CMemoryException*>(pAnyException))
        return E_OUTOFMEMORY;
    if (dynamic_cast<const CNotSupportedException*>(pAnyException))
        return E_NOTIMPL;
    return E_UNEXPECTED;
}

COleDispatchException::COleDispatchException(LPCTSTR lpszDescription, UINT nHelpID, WORD wCode)
    : m_wCode(wCode), m_strDescription(lpszDescription ? lpszDescription : ""), m_dwHelpContext(nHelpID)
{
}

void AfxThrowOleException(SCODE sc) { throw new COleException(sc); }

void AfxThrowOleDispatchException(WORD wCode, LPCTSTR lpszDescription, UINT nHelpID)
{
    throw new COleDispatchException(lpszDescription, nHelpID, wCode);
}
