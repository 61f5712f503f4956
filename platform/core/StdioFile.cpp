#include "platform/core/StdioFile.h"

#include <cerrno>
#include <cstring>
#include <string>

IMPLEMENT_DYNAMIC(CStdioFile, CFile)

CStdioFile::CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags)
{
    CFileException* pError = new CFileException;
    if (!Open(lpszFileName, nOpenFlags, pError))
        throw pError;
    pError->Delete();
}

CStdioFile::~CStdioFile()
{
    if (m_pStream != nullptr)
        Abort();
}

BOOL CStdioFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    if (!CFile::Open(lpszFileName, nOpenFlags & ~(typeText | typeBinary), pError))
        return FALSE;
    const UINT access = nOpenFlags & 3;
    m_pStream = fdopen(m_hFile, access == modeRead ? "rb" : access == modeWrite ? "wb" : "r+b");
    if (m_pStream == nullptr) {
        const int nErrno = errno;
        CFile::Abort();
        if (pError != nullptr) {
            pError->m_cause = CFileException::ErrnoToException(nErrno);
            pError->m_lOsError = nErrno;
            pError->m_strFileName = lpszFileName;
        }
        return FALSE;
    }
    m_bText = !(nOpenFlags & typeBinary);
    return TRUE;
}

void CStdioFile::CheckStream() const
{
    if (m_pStream == nullptr)
        ThrowErrno(EBADF);
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount)
{
    CheckStream();
    const size_t nRead = std::fread(lpBuf, 1, nCount, m_pStream);
    if (nRead < nCount && std::ferror(m_pStream))
        ThrowErrno(errno != 0 ? errno : EIO);
    return static_cast<UINT>(nRead);
}

void CStdioFile::Write(const void* lpBuf, UINT nCount)
{
    CheckStream();
    const UINT nAllowed = AllowedByWriteFault(nCount);
    if (std::fwrite(lpBuf, 1, nAllowed, m_pStream) != nAllowed)
        ThrowErrno(errno != 0 ? errno : ENOSPC);
    if (nAllowed < nCount)
        ThrowWriteFault();
}

ULONGLONG CStdioFile::Seek(LONGLONG lOff, UINT nFrom)
{
    CheckStream();
    const int whence = nFrom == current ? SEEK_CUR : nFrom == end ? SEEK_END : SEEK_SET;
    if (fseeko(m_pStream, lOff, whence) != 0)
        AfxThrowFileException(CFileException::badSeek, errno, m_strFileName);
    return GetPosition();
}

ULONGLONG CStdioFile::GetPosition() const
{
    CheckStream();
    const off_t pos = ftello(m_pStream);
    if (pos < 0)
        ThrowErrno(errno);
    return static_cast<ULONGLONG>(pos);
}

ULONGLONG CStdioFile::GetLength() const
{
    CheckStream();
    if (std::fflush(m_pStream) != 0)
        ThrowErrno(errno);
    return CFile::GetLength();
}

void CStdioFile::SetLength(ULONGLONG dwNewLen)
{
    CheckStream();
    if (std::fflush(m_pStream) != 0)
        ThrowErrno(errno);
    CFile::SetLength(dwNewLen);
}

void CStdioFile::Flush()
{
    if (m_pStream != nullptr && std::fflush(m_pStream) != 0)
        ThrowErrno(errno);
}

void CStdioFile::Close()
{
    std::FILE* pStream = m_pStream;
    m_pStream = nullptr;
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    if (pStream != nullptr && std::fclose(pStream) != 0)
        ThrowErrno(errno);
}

void CStdioFile::Abort()
{
    if (m_pStream != nullptr)
        std::fclose(m_pStream);
    m_pStream = nullptr;
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
}

void CStdioFile::WriteString(LPCTSTR lpsz)
{
    if (!m_bText) {
        Write(lpsz, static_cast<UINT>(std::strlen(lpsz)));
        return;
    }
    for (const char* p = lpsz; *p != '\0';) {
        const size_t nRun = std::strcspn(p, "\n");
        Write(p, static_cast<UINT>(nRun));
        p += nRun;
        if (*p == '\n') {
            Write("\r\n", 2);
            ++p;
        }
    }
}

LPTSTR CStdioFile::ReadString(LPTSTR lpsz, UINT nMax)
{
    CheckStream();
    if (nMax == 0)
        return nullptr;
    UINT n = 0;
    int ch = EOF;
    while (n + 1 < nMax && (ch = std::fgetc(m_pStream)) != EOF) {
        lpsz[n++] = static_cast<char>(ch);
        if (ch == '\n')
            break;
    }
    if (std::ferror(m_pStream))
        ThrowErrno(errno != 0 ? errno : EIO);
    if (n == 0)
        return nullptr;
    if (m_bText && n >= 2 && lpsz[n - 1] == '\n' && lpsz[n - 2] == '\r') {
        lpsz[n - 2] = '\n';
        --n;
    }
    lpsz[n] = '\0';
    return lpsz;
}

BOOL CStdioFile::ReadString(CString& rString)
{
    CheckStream();
    std::string line;
    int ch = EOF;
    while ((ch = std::fgetc(m_pStream)) != EOF && ch != '\n')
        line += static_cast<char>(ch);
    if (std::ferror(m_pStream))
        ThrowErrno(errno != 0 ? errno : EIO);
    if (ch == EOF && line.empty())
        return FALSE;
    if (m_bText && !line.empty() && line.back() == '\r')
        line.pop_back();
    rString = CString(line.data(), static_cast<int>(line.size()));
    return TRUE;
}
