#include "platform/core/MemFile.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CMemFile, CFile)

namespace {
// Files in memory stay below the 32-bit platform's limit.
constexpr SIZE_T kMaxMemFile = 0x7FFFFFFF;
}

CMemFile::CMemFile(UINT nGrowBytes) : m_nGrowBytes(nGrowBytes) { }

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) : m_nGrowBytes(nGrowBytes)
{
    Attach(lpBuffer, nBufferSize, nGrowBytes);
}

CMemFile::~CMemFile()
{
    // Derived classes free their own blocks before this runs.
    if (m_lpBuffer != nullptr && m_bAutoDelete)
        std::free(m_lpBuffer);
}

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
{
    Close();
    m_lpBuffer = lpBuffer;
    m_nBufferSize = nBufferSize;
    m_nFileSize = nGrowBytes == 0 ? nBufferSize : 0;
    m_nGrowBytes = nGrowBytes;
    m_nPosition = 0;
    m_bAutoDelete = FALSE;
}

BYTE* CMemFile::Detach()
{
    BYTE* lpBuffer = m_lpBuffer;
    m_lpBuffer = nullptr;
    Reset();
    return lpBuffer;
}

void CMemFile::Reset()
{
    m_nPosition = m_nBufferSize = m_nFileSize = 0;
    m_bAutoDelete = TRUE;
}

BYTE* CMemFile::Alloc(SIZE_T nBytes) { return static_cast<BYTE*>(std::malloc(nBytes)); }

BYTE* CMemFile::Realloc(BYTE* lpMem, SIZE_T nBytes) { return static_cast<BYTE*>(std::realloc(lpMem, nBytes)); }

void CMemFile::Free(BYTE* lpMem) { std::free(lpMem); }

void CMemFile::GrowFile(SIZE_T dwNewLen)
{
    if (dwNewLen <= m_nBufferSize)
        return;
    if (m_nGrowBytes == 0 || dwNewLen > kMaxMemFile)
        AfxThrowMemoryException();
    const SIZE_T nNewBufferSize = (dwNewLen + m_nGrowBytes - 1) / m_nGrowBytes * m_nGrowBytes;
    BYTE* lpNew = m_lpBuffer == nullptr ? Alloc(nNewBufferSize) : Realloc(m_lpBuffer, nNewBufferSize);
    if (lpNew == nullptr)
        AfxThrowMemoryException();
    std::memset(lpNew + m_nBufferSize, 0, nNewBufferSize - m_nBufferSize);
    m_lpBuffer = lpNew;
    m_nBufferSize = nNewBufferSize;
}

UINT CMemFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0 || m_nPosition >= m_nFileSize)
        return 0;
    const auto nRead = static_cast<UINT>(std::min<SIZE_T>(nCount, m_nFileSize - m_nPosition));
    std::memcpy(lpBuf, m_lpBuffer + m_nPosition, nRead);
    m_nPosition += nRead;
    return nRead;
}

void CMemFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    GrowFile(m_nPosition + nCount);
    if (m_nPosition > m_nFileSize)
        std::memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
    std::memcpy(m_lpBuffer + m_nPosition, lpBuf, nCount);
    m_nPosition += nCount;
    m_nFileSize = std::max(m_nFileSize, m_nPosition);
}

ULONGLONG CMemFile::Seek(LONGLONG lOff, UINT nFrom)
{
    const LONGLONG base = nFrom == current ? static_cast<LONGLONG>(m_nPosition)
                          : nFrom == end   ? static_cast<LONGLONG>(m_nFileSize)
                                           : 0;
    const LONGLONG newPos = base + lOff;
    if (newPos < 0 || static_cast<ULONGLONG>(newPos) > kMaxMemFile)
        AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
    m_nPosition = static_cast<SIZE_T>(newPos);
    return m_nPosition;
}

void CMemFile::SetLength(ULONGLONG dwNewLen)
{
    if (dwNewLen > kMaxMemFile)
        AfxThrowMemoryException();
    GrowFile(static_cast<SIZE_T>(dwNewLen));
    if (dwNewLen > m_nFileSize)
        std::memset(m_lpBuffer + m_nFileSize, 0, static_cast<SIZE_T>(dwNewLen) - m_nFileSize);
    m_nFileSize = static_cast<SIZE_T>(dwNewLen);
    m_nPosition = std::min(m_nPosition, m_nFileSize);
}

void CMemFile::Close()
{
    if (m_lpBuffer != nullptr && m_bAutoDelete)
        Free(m_lpBuffer);
    m_lpBuffer = nullptr;
    Reset();
}

void CMemFile::Abort() { Close(); }
