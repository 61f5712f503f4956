// Errors of the automation and container layer, thrown by pointer like every framework
// exception.
#pragma once

#include "platform/core/Exception.h"
#include "platform/ole/OleTypes.h"

class COleException : public CException {
    DECLARE_DYNAMIC(COleException)
public:
    explicit COleException(SCODE sc = E_FAIL) : m_sc(sc) { }

    static SCODE Process(const CException* pAnyException);

    SCODE m_sc;

protected:
    LPCSTR GetMessageText() const override;
};

// Raised by an automation member to hand its caller an error text.
class COleDispatchException : public CException {
    DECLARE_DYNAMIC(COleDispatchException)
public:
    COleDispatchException(LPCTSTR lpszDescription, UINT nHelpID, WORD wCode);

    WORD m_wCode;
    SCODE m_scError = 0;
    CString m_strDescription;
    DWORD m_dwHelpContext;

protected:
    LPCSTR GetMessageText() const override { return m_strDescription; }
};

[[noreturn]] void AfxThrowOleException(SCODE sc);
[[noreturn]] void AfxThrowOleDispatchException(WORD wCode, LPCTSTR lpszDescription, UINT nHelpID = 0);
