// The framework's exceptions: heap objects thrown and caught by pointer, released with
// Delete(). TRY/CATCH/END_CATCH release the caught exception at the end of the handler
// unless THROW_LAST passes it on; a handler may also call e->Delete() itself.
#pragma once

#include "platform/core/Object.h"
#include "platform/core/String.h"

class CException : public CObject {
    DECLARE_DYNAMIC(CException)
public:
    explicit CException(BOOL bAutoDelete = TRUE) : m_bAutoDelete(bAutoDelete) { }

    void Delete();
    // Fills lpszError (at most nMaxError bytes with the NUL); FALSE when there is no text.
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const;
    // Shows the error text (or string resource nMessageID when the exception has none)
    // through the installed reporter, on stderr when there is none.
    virtual int ReportError(UINT nType = 0, UINT nMessageID = 0) const;

    BOOL m_bAutoDelete;

protected:
    // The fixed text of the exception kind; nullptr when it has none.
    virtual LPCSTR GetMessageText() const { return nullptr; }
    // Puts lpszFormat with the file name for its "%s" (or "an unnamed file") into lpszError.
    static BOOL FormatFileMessage(LPCSTR lpszFormat, const CString& strFileName, LPTSTR lpszError, UINT nMaxError);
};

// The user interface installs a message box here; returns the button pressed.
using AFX_REPORT_PROC = int (*)(LPCSTR lpszText, UINT nType);
void AfxSetReportProc(AFX_REPORT_PROC pfnReport);

class CMemoryException : public CException {
    DECLARE_DYNAMIC(CMemoryException)
public:
    explicit CMemoryException(BOOL bAutoDelete = TRUE) : CException(bAutoDelete) { }

protected:
    LPCSTR GetMessageText() const override;
};

class CNotSupportedException : public CException {
    DECLARE_DYNAMIC(CNotSupportedException)
public:
    explicit CNotSupportedException(BOOL bAutoDelete = TRUE) : CException(bAutoDelete) { }

protected:
    LPCSTR GetMessageText() const override;
};

class CInvalidArgException : public CException {
    DECLARE_DYNAMIC(CInvalidArgException)
public:
    explicit CInvalidArgException(BOOL bAutoDelete = TRUE) : CException(bAutoDelete) { }

protected:
    LPCSTR GetMessageText() const override;
};

class CResourceException : public CException {
    DECLARE_DYNAMIC(CResourceException)
public:
    explicit CResourceException(BOOL bAutoDelete = TRUE) : CException(bAutoDelete) { }

protected:
    LPCSTR GetMessageText() const override;
};

// Thrown to end an operation the user has already been told about; it reports nothing.
class CUserException : public CException {
    DECLARE_DYNAMIC(CUserException)
public:
    explicit CUserException(BOOL bAutoDelete = TRUE) : CException(bAutoDelete) { }
};

[[noreturn]] void AfxThrowMemoryException();
[[noreturn]] void AfxThrowNotSupportedException();
[[noreturn]] void AfxThrowInvalidArgException();
[[noreturn]] void AfxThrowResourceException();
[[noreturn]] void AfxThrowUserException();

// Keeps the exception of the active handler so that END_CATCH can release it.
struct AFX_EXCEPTION_LINK {
    AFX_EXCEPTION_LINK();
    ~AFX_EXCEPTION_LINK();
    AFX_EXCEPTION_LINK(const AFX_EXCEPTION_LINK&) = delete;
    AFX_EXCEPTION_LINK& operator=(const AFX_EXCEPTION_LINK&) = delete;

    CException* m_pException = nullptr;
    AFX_EXCEPTION_LINK* m_pLinkPrev;
};

#define TRY { AFX_EXCEPTION_LINK _afxExceptionLink; try {
#define CATCH(class_name, e) } catch (class_name* e) { _afxExceptionLink.m_pException = e;
#define AND_CATCH(class_name, e) CATCH(class_name, e)
#define END_CATCH } }
#define CATCH_ALL(e) CATCH(CException, e)
#define AND_CATCH_ALL(e) CATCH(CException, e)
#define END_CATCH_ALL END_CATCH

#define THROW(e) throw e
#define THROW_LAST() (_afxExceptionLink.m_pException = nullptr, throw)
#define DELETE_EXCEPTION(e) ((e)->Delete())
