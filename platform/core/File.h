// CFile: an unbuffered binary file over a file descriptor. Every failure, a short write
// included, is thrown as CFileException.
#pragma once

#include "platform/core/FileException.h"
#include "platform/core/Object.h"
#include "platform/core/String.h"
#include "platform/core/Time.h"

struct CFileStatus {
    CTime m_ctime;
    CTime m_mtime;
    CTime m_atime;
    ULONGLONG m_size = 0;
    BYTE m_attribute = 0;
    char m_szFullName[_MAX_PATH] = {};
};

class CFile : public CObject {
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
    };
    enum Attribute : BYTE {
        normal = 0x00,
        readOnly = 0x01,
        hidden = 0x02,
        system = 0x04,
        volume = 0x08,
        directory = 0x10,
        archive = 0x20,
    };
    enum SeekPosition : UINT { begin = 0, current = 1, end = 2 };
    static constexpr int hFileNull = -1;

    CFile();
    explicit CFile(int hFile);
    CFile(LPCTSTR lpszFileName, UINT nOpenFlags);
    ~CFile() override;

    virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);
    virtual UINT Read(void* lpBuf, UINT nCount);
    virtual void Write(const void* lpBuf, UINT nCount);
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    void SeekToBegin() { Seek(0, begin); }
    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG GetLength() const;
    virtual void SetLength(ULONGLONG dwNewLen);
    virtual void Flush();
    virtual void Close();
    virtual void Abort();

    virtual CString GetFileName() const;
    virtual CString GetFileTitle() const;
    virtual CString GetFilePath() const { return m_strFileName; }
    virtual void SetFilePath(LPCTSTR lpszNewName) { m_strFileName = lpszNewName; }

    BOOL GetStatus(CFileStatus& rStatus) const;
    // FALSE when the file does not exist or cannot be examined.
    static BOOL GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus);

    static void Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName);
    static void Remove(LPCTSTR lpszFileName);

    int m_hFile;
    BOOL m_bCloseOnDelete;

protected:
    [[noreturn]] void ThrowErrno(int nErrno) const;
    void CheckOpen() const;
    // The part of a write of nCount bytes that the injected write fault lets through.
    UINT AllowedByWriteFault(UINT nCount) const;
    [[noreturn]] void ThrowWriteFault() const;

    CString m_strFileName;
};

// Test seam: once `budget` more bytes have been written to files whose path contains
// `pathPart` (every file when it is empty), writes fail with `error` (errno), after
// writing what the budget still allows. With `kill` the process is killed (SIGKILL) there
// instead, as a crash would end it. The environment variable VANTREL_TEST_WRITE_KILL,
// "budget:pathPart", sets such a killing fault for a whole run of the program.
struct CFileWriteFault {
    CString pathPart;
    ULONGLONG budget = 0;
    int error = 0;
    bool kill = false;
};
void AfxSetFileWriteFault(const CFileWriteFault* pFault);
