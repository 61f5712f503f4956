#include "platform/core/Archive.h"

#include "platform/core/CodePage.h"
#include "platform/core/File.h"

#include <algorithm>
#include <climits>

void CArchive::ThrowException(int cause) const { AfxThrowArchiveException(cause, m_strFileName); }

void CArchive::CheckStoring() const
{
    if (IsLoading())
        ThrowException(CArchiveException::readOnly);
}

void CArchive::CheckLoading() const
{
    if (IsStoring())
        ThrowException(CArchiveException::writeOnly);
}

UINT CArchive::GetObjectSchema()
{
    const UINT nResult = m_nObjectSchema;
    m_nObjectSchema = static_cast<UINT>(-1);
    return nResult;
}

// Keeps the unread bytes, then reads as much as fits; FALSE when fewer than nBytesNeeded
// further bytes could be had.
BOOL CArchive::TryFillBuffer(UINT nBytesNeeded)
{
    const size_t nUnread = m_nMax - m_nCur;
    std::memmove(m_buf.data(), m_buf.data() + m_nCur, nUnread);
    m_nCur = 0;
    m_nMax = nUnread;
    const size_t nTarget = nUnread + nBytesNeeded;
    while (m_nMax < nTarget) {
        const UINT nRead = m_pFile->Read(m_buf.data() + m_nMax, static_cast<UINT>(m_buf.size() - m_nMax));
        if (nRead == 0)
            return FALSE;
        m_nMax += nRead;
    }
    return TRUE;
}

void CArchive::FillBuffer(UINT nBytesNeeded)
{
    if (!TryFillBuffer(nBytesNeeded))
        ThrowException(CArchiveException::endOfFile);
}

BOOL CArchive::Peek(void* lpBuf, UINT nBytes)
{
    CheckLoading();
    const size_t nUnread = m_nMax - m_nCur;
    if (nBytes > m_buf.size() || (nBytes > nUnread && !TryFillBuffer(static_cast<UINT>(nBytes - nUnread))))
        return FALSE;
    std::memcpy(lpBuf, m_buf.data() + m_nCur, nBytes);
    return TRUE;
}

void CArchive::CheckAvailable(ULONGLONG nBytes)
{
    CheckLoading();
    const ULONGLONG nBuffered = m_nMax - m_nCur;
    if (nBytes <= nBuffered)
        return;
    const ULONGLONG nLength = m_pFile->GetLength();
    const ULONGLONG nPosition = m_pFile->GetPosition();
    const ULONGLONG nInFile = nLength > nPosition ? nLength - nPosition : 0;
    if (nBytes - nBuffered > nInFile)
        ThrowException(CArchiveException::endOfFile);
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    CheckLoading();
    if (nMax == 0)
        return 0;
    auto* pDest = static_cast<BYTE*>(lpBuf);
    UINT nDone = static_cast<UINT>(std::min<size_t>(nMax, m_nMax - m_nCur));
    std::memcpy(pDest, m_buf.data() + m_nCur, nDone);
    m_nCur += nDone;
    const UINT nLeft = nMax - nDone;
    if (nLeft >= m_buf.size())
        return nDone + m_pFile->Read(pDest + nDone, nLeft);
    if (nLeft > 0) {
        m_nCur = 0;
        m_nMax = m_pFile->Read(m_buf.data(), static_cast<UINT>(m_buf.size()));
        const UINT nTake = static_cast<UINT>(std::min<size_t>(nLeft, m_nMax));
        std::memcpy(pDest + nDone, m_buf.data(), nTake);
        m_nCur = nTake;
        nDone += nTake;
    }
    return nDone;
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    CheckStoring();
    if (nMax == 0)
        return;
    if (m_nCur + nMax > m_buf.size())
        Flush();
    if (nMax >= m_buf.size()) {
        m_pFile->Write(lpBuf, nMax);
        return;
    }
    std::memcpy(m_buf.data() + m_nCur, lpBuf, nMax);
    m_nCur += nMax;
}

void CArchive::Flush()
{
    if (IsLoading()) {
        if (m_nMax != m_nCur)
            m_pFile->Seek(-static_cast<LONGLONG>(m_nMax - m_nCur), CFile::current);
        m_nCur = m_nMax = 0;
        return;
    }
    // Emptied first: after a failed write the same bytes are not written again.
    const size_t nPending = m_nCur;
    m_nCur = 0;
    if (nPending > 0)
        m_pFile->Write(m_buf.data(), static_cast<UINT>(nPending));
}

void CArchive::Close()
{
    if (m_pFile != nullptr)
        Flush();
    m_pFile = nullptr;
}

void CArchive::WriteString(LPCTSTR lpsz) { Write(lpsz, static_cast<UINT>(std::strlen(lpsz))); }

BOOL CArchive::ReadString(CString& rString)
{
    CheckLoading();
    std::string line;
    bool bAny = false;
    for (;;) {
        if (m_nCur == m_nMax) {
            m_nCur = 0;
            m_nMax = m_pFile->Read(m_buf.data(), static_cast<UINT>(m_buf.size()));
            if (m_nMax == 0)
                break;
        }
        bAny = true;
        const char ch = static_cast<char>(m_buf[m_nCur++]);
        if (ch == '\n')
            break;
        line += ch;
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    rString = CString(line.data(), static_cast<int>(line.size()));
    return bAny;
}

LPTSTR CArchive::ReadString(LPTSTR lpsz, UINT nMax)
{
    CString line;
    if (nMax == 0 || !ReadString(line))
        return nullptr;
    std::memcpy(lpsz, line.GetString(), std::min<size_t>(line.GetLength(), nMax - 1));
    lpsz[std::min<size_t>(line.GetLength(), nMax - 1)] = '\0';
    return lpsz;
}

void CArchive::WriteCount(DWORD dwCount)
{
    if (dwCount < 0xFFFF) {
        *this << static_cast<WORD>(dwCount);
    } else {
        *this << static_cast<WORD>(0xFFFF);
        *this << dwCount;
    }
}

DWORD CArchive::ReadCount()
{
    WORD wCount;
    *this >> wCount;
    if (wCount != 0xFFFF)
        return wCount;
    DWORD dwCount;
    *this >> dwCount;
    return dwCount;
}

CArchive& CArchive::operator>>(bool& b)
{
    BYTE by;
    ReadScalar(by);
    b = by != 0;
    return *this;
}

namespace {

struct StringLength {
    DWORD nLength;
    bool bWide;
};

// After 0xFF 0xFFFE comes the length of a string of 16-bit characters, in the same form.
StringLength ReadStringLength(CArchive& ar, bool bWide = false)
{
    BYTE bLength;
    ar >> bLength;
    if (bLength < 0xFF)
        return {bLength, bWide};
    WORD wLength;
    ar >> wLength;
    if (wLength == 0xFFFE && !bWide)
        return ReadStringLength(ar, true);
    if (wLength < 0xFFFF)
        return {wLength, bWide};
    DWORD dwLength;
    ar >> dwLength;
    return {dwLength, bWide};
}

void ReadExactly(CArchive& ar, void* lpBuf, UINT nCount)
{
    if (ar.Read(lpBuf, nCount) != nCount)
        ar.ThrowException(CArchiveException::endOfFile);
}

// Characters outside the code page become '?'.
void ReadWideString(CArchive& ar, LPTSTR lpsz, DWORD nLength)
{
    for (DWORD i = 0; i < nLength; ++i) {
        WORD wch;
        ar >> wch;
        BYTE ch;
        lpsz[i] = UnicodeTo1252(wch, ch) && (wch < 0xD800 || wch > 0xDFFF) ? static_cast<char>(ch) : '?';
    }
}

} // namespace

CArchive& operator<<(CArchive& ar, const CString& string)
{
    const auto nLength = static_cast<DWORD>(string.GetLength());
    if (nLength < 0xFF) {
        ar << static_cast<BYTE>(nLength);
    } else if (nLength < 0xFFFE) {
        ar << static_cast<BYTE>(0xFF) << static_cast<WORD>(nLength);
    } else {
        ar << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xFFFF) << nLength;
    }
    ar.Write(string.GetString(), nLength);
    return ar;
}

CArchive& operator<<(CArchive& ar, LPCTSTR lpsz) { return ar << CString(lpsz); }

CArchive& operator>>(CArchive& ar, CString& string)
{
    const StringLength length = ReadStringLength(ar);
    if (length.nLength > INT_MAX / 2)
        ar.ThrowException(CArchiveException::endOfFile);
    ar.CheckAvailable(static_cast<ULONGLONG>(length.nLength) * (length.bWide ? 2 : 1));
    CString text;
    LPTSTR lpsz = text.GetBufferSetLength(static_cast<int>(length.nLength));
    if (length.bWide)
        ReadWideString(ar, lpsz, length.nLength);
    else
        ReadExactly(ar, lpsz, length.nLength);
    text.ReleaseBuffer(static_cast<int>(length.nLength));
    string = std::move(text);
    return ar;
}
