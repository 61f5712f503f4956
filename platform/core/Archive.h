// CArchive: the framework's binary stream over a CFile, with a buffer of its own.
// Scalars are little-endian; strings carry a length prefix; objects are written with
// class records and back-references (see WriteObject). After Flush the file position
// equals the archive's logical position in both directions, so callers may seek on
// the file between archive reads or writes.
#pragma once

#include "platform/core/ArchiveException.h"
#include "platform/core/Object.h"
#include "platform/core/String.h"

#include <bit>
#include <concepts>
#include <cstring>
#include <memory>
#include <vector>

class CDocument;
class CFile;

class CArchive {
public:
    enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2, bNoByteSwap = 4 };

    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = nullptr);
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    BOOL IsByteSwapping() const { return FALSE; }
    BOOL IsBufferEmpty() const { return m_nCur == m_nMax; }
    CFile* GetFile() const { return m_pFile; }

    UINT GetObjectSchema();
    void SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }

    // Loading: returns fewer bytes than asked only at the end of the file.
    UINT Read(void* lpBuf, UINT nMax);
    // Copies the next bytes without consuming them; FALSE when fewer are left or more are
    // asked for than the buffer holds.
    BOOL Peek(void* lpBuf, UINT nBytes);
    void Write(const void* lpBuf, UINT nMax);
    // Storing writes the buffer to the file; loading seeks the file back over the
    // buffered bytes not read yet. Either way the buffer is empty afterwards.
    void Flush();
    void Close();
    void Abort();

    // Text lines without length prefix; ReadString drops the "\r\n" or "\n".
    void WriteString(LPCTSTR lpsz);
    BOOL ReadString(CString& rString);
    LPTSTR ReadString(LPTSTR lpsz, UINT nMax);

    // A count: a WORD, or 0xFFFF and a DWORD from 0xFFFF on.
    void WriteCount(DWORD dwCount);
    DWORD ReadCount();

    void WriteObject(const CObject* pOb);
    // pClass (may be nullptr) is the class the object must be derived from. An object
    // whose own fields fail to load is deleted before the exception passes on.
    CObject* ReadObject(const CRuntimeClass* pClass);
    void WriteClass(const CRuntimeClass* pClassRef);
    CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = nullptr, UINT* pSchema = nullptr,
                             DWORD* pObTag = nullptr);
    void SerializeClass(const CRuntimeClass* pClassRef);
    void MapObject(const CObject* pOb);

    // Loading: throws endOfFile unless at least nBytes are left in buffer and file.
    // Readers call it before allocating for a count taken from the stream.
    void CheckAvailable(ULONGLONG nBytes);
    [[noreturn]] void ThrowException(int cause) const;

    template <class T>
        requires std::integral<T> || std::floating_point<T>
    CArchive& WriteScalar(T value)
    {
        static_assert(std::endian::native == std::endian::little);
        CheckStoring();
        if (m_nCur + sizeof(T) > m_buf.size())
            Flush();
        std::memcpy(m_buf.data() + m_nCur, &value, sizeof(T));
        m_nCur += sizeof(T);
        return *this;
    }
    template <class T>
        requires std::integral<T> || std::floating_point<T>
    CArchive& ReadScalar(T& value)
    {
        CheckLoading();
        if (m_nCur + sizeof(T) > m_nMax)
            FillBuffer(sizeof(T) - (m_nMax - m_nCur));
        std::memcpy(&value, m_buf.data() + m_nCur, sizeof(T));
        m_nCur += sizeof(T);
        return *this;
    }

    CArchive& operator<<(BYTE by) { return WriteScalar(by); }
    CArchive& operator<<(char ch) { return WriteScalar(ch); }
    CArchive& operator<<(signed char ch) { return WriteScalar(ch); }
    CArchive& operator<<(WORD w) { return WriteScalar(w); }
    CArchive& operator<<(short w) { return WriteScalar(w); }
    CArchive& operator<<(int i) { return WriteScalar(i); }
    CArchive& operator<<(UINT u) { return WriteScalar(u); }
    CArchive& operator<<(LONGLONG ll) { return WriteScalar(ll); }
    CArchive& operator<<(ULONGLONG ull) { return WriteScalar(ull); }
    CArchive& operator<<(float f) { return WriteScalar(f); }
    CArchive& operator<<(double d) { return WriteScalar(d); }
    // One byte, 0 or 1. A template so that pointers never convert to bool here.
    template <std::same_as<bool> B>
    CArchive& operator<<(B b)
    {
        return WriteScalar(static_cast<BYTE>(b ? 1 : 0));
    }

    CArchive& operator>>(BYTE& by) { return ReadScalar(by); }
    CArchive& operator>>(char& ch) { return ReadScalar(ch); }
    CArchive& operator>>(signed char& ch) { return ReadScalar(ch); }
    CArchive& operator>>(WORD& w) { return ReadScalar(w); }
    CArchive& operator>>(short& w) { return ReadScalar(w); }
    CArchive& operator>>(int& i) { return ReadScalar(i); }
    CArchive& operator>>(UINT& u) { return ReadScalar(u); }
    CArchive& operator>>(LONGLONG& ll) { return ReadScalar(ll); }
    CArchive& operator>>(ULONGLONG& ull) { return ReadScalar(ull); }
    CArchive& operator>>(float& f) { return ReadScalar(f); }
    CArchive& operator>>(double& d) { return ReadScalar(d); }
    CArchive& operator>>(bool& b);

    CDocument* m_pDocument = nullptr;
    CString m_strFileName;

private:
    struct ObjectMaps;

    void CheckStoring() const;
    void CheckLoading() const;
    void FillBuffer(UINT nBytesNeeded);
    BOOL TryFillBuffer(UINT nBytesNeeded);
    ObjectMaps& Maps();
    void WriteTag(DWORD dwIndex, DWORD dwBigFlag);
    DWORD ReadTag(WORD& wTag);
    CRuntimeClass* LoadNewClass(UINT& nSchema);
    CObject* LoadedObject(DWORD dwIndex, const CRuntimeClass* pClassRequested);
    void DropFailedObject(DWORD dwIndex, CObject* pOb);

    CFile* m_pFile;
    UINT m_nMode;
    std::vector<BYTE> m_buf;
    size_t m_nCur = 0; // next byte to read or write
    size_t m_nMax = 0; // loading: end of the valid bytes
    UINT m_nObjectSchema = static_cast<UINT>(-1);
    int m_nUncaughtAtStart;
    std::unique_ptr<ObjectMaps> m_pMaps;
};

// Strings: a length prefix (a BYTE below 0xFF; 0xFF and a WORD below 0xFFFE; 0xFF,
// 0xFFFF and a DWORD from there on), then the bytes.
CArchive& operator<<(CArchive& ar, const CString& string);
CArchive& operator<<(CArchive& ar, LPCTSTR lpsz);
CArchive& operator>>(CArchive& ar, CString& string);

CArchive& operator<<(CArchive& ar, const CObject* pOb);
CArchive& operator>>(CArchive& ar, CObject*& pOb);
CArchive& operator>>(CArchive& ar, const CObject*& pOb);
