// CStdioFile: a buffered file with line reading and writing. In text mode (the default)
// lines are written with "\r\n" and read with either "\r\n" or "\n".
#pragma once

#include "platform/core/File.h"

#include <cstdio>

class CStdioFile : public CFile {
    DECLARE_DYNAMIC(CStdioFile)
public:
    CStdioFile() = default;
    CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags);
    ~CStdioFile() override;

    BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr) override;
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetPosition() const override;
    ULONGLONG GetLength() const override;
    void SetLength(ULONGLONG dwNewLen) override;
    void Flush() override;
    void Close() override;
    void Abort() override;

    void WriteString(LPCTSTR lpsz);
    // Keeps the line end as "\n"; nullptr at the end of the file.
    LPTSTR ReadString(LPTSTR lpsz, UINT nMax);
    // Drops the line end; FALSE at the end of the file.
    BOOL ReadString(CString& rString);

    std::FILE* m_pStream = nullptr;

private:
    void CheckStream() const;
    BOOL m_bText = TRUE;
};
