// CString: an 8-bit string of Windows-1252 bytes. Conversion to UTF-8 happens only at the
// platform's edges (ToUtf8 / CStringFromUtf8).
#pragma once

#include "platform/core/Types.h"

#include <concepts>
#include <cstdarg>
#include <string>
#include <string_view>

class CString {
public:
    CString() = default;
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    CString(LPCTSTR text);
    CString(const unsigned char* text);
    CString(LPCTSTR text, int length);
    explicit CString(char ch, int repeat = 1);

    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(LPCTSTR text);
    CString& operator=(char ch);

    int GetLength() const { return static_cast<int>(m_text.size()); }
    BOOL IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    char GetAt(int index) const;
    void SetAt(int index, char ch);
    template <std::integral I>
    char operator[](I index) const
    {
        return GetAt(static_cast<int>(index));
    }
    operator LPCTSTR() const { return m_text.c_str(); }
    LPCTSTR GetString() const { return m_text.c_str(); }

    CString& operator+=(const CString& other);
    CString& operator+=(LPCTSTR text);
    CString& operator+=(char ch);

    void Format(LPCTSTR format, ...) __attribute__((format(printf, 2, 3)));
    void Format(UINT formatId, ...);
    void FormatV(LPCTSTR format, va_list args) __attribute__((format(printf, 2, 0)));
    void AppendFormat(LPCTSTR format, ...) __attribute__((format(printf, 2, 3)));

    CString Left(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Right(int count) const;
    CString SpanIncluding(LPCTSTR set) const;
    CString SpanExcluding(LPCTSTR set) const;
    CString Tokenize(LPCTSTR delimiters, int& start) const;

    int Find(char ch, int start = 0) const;
    int Find(LPCTSTR sub, int start = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(LPCTSTR set) const;

    int Replace(char oldCh, char newCh);
    int Replace(LPCTSTR oldText, LPCTSTR newText);
    int Remove(char ch);
    int Insert(int index, char ch);
    int Insert(int index, LPCTSTR text);
    int Delete(int index, int count = 1);

    CString& Trim();
    CString& Trim(char ch);
    CString& Trim(LPCTSTR set);
    CString& TrimLeft();
    CString& TrimLeft(char ch);
    CString& TrimLeft(LPCTSTR set);
    CString& TrimRight();
    CString& TrimRight(char ch);
    CString& TrimRight(LPCTSTR set);

    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();

    int Compare(LPCTSTR other) const;
    int CompareNoCase(LPCTSTR other) const;
    int Collate(LPCTSTR other) const;
    int CollateNoCase(LPCTSTR other) const;

    BOOL LoadString(UINT id);

    // The buffer may be written up to its requested length; ReleaseBuffer fixes the length
    // (-1: up to the first NUL).
    LPTSTR GetBuffer();
    LPTSTR GetBuffer(int minLength);
    LPTSTR GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);
    void ReleaseBufferSetLength(int newLength) { ReleaseBuffer(newLength); }
    LPTSTR LockBuffer() { return GetBuffer(); }
    void UnlockBuffer() { }
    void FreeExtra() { m_text.shrink_to_fit(); }
    void Preallocate(int length);

    const std::string& Bytes() const { return m_text; }

private:
    std::string m_text;
};

CString operator+(const CString& a, const CString& b);
CString operator+(const CString& a, LPCTSTR b);
CString operator+(LPCTSTR a, const CString& b);
CString operator+(const CString& a, char b);
CString operator+(char a, const CString& b);

bool operator==(const CString& a, const CString& b);
bool operator==(const CString& a, LPCTSTR b);
bool operator==(LPCTSTR a, const CString& b);
bool operator!=(const CString& a, const CString& b);
bool operator!=(const CString& a, LPCTSTR b);
bool operator!=(LPCTSTR a, const CString& b);
bool operator<(const CString& a, const CString& b);
bool operator<(const CString& a, LPCTSTR b);
bool operator<(LPCTSTR a, const CString& b);
bool operator>(const CString& a, const CString& b);
bool operator>(const CString& a, LPCTSTR b);
bool operator>(LPCTSTR a, const CString& b);
bool operator<=(const CString& a, const CString& b);
bool operator<=(const CString& a, LPCTSTR b);
bool operator<=(LPCTSTR a, const CString& b);
bool operator>=(const CString& a, const CString& b);
bool operator>=(const CString& a, LPCTSTR b);
bool operator>=(LPCTSTR a, const CString& b);

template <>
struct std::hash<CString> {
    size_t operator()(const CString& text) const noexcept { return std::hash<std::string>()(text.Bytes()); }
};

// Windows-1252 <-> UTF-8. Unmappable characters and malformed UTF-8 become '?'.
std::string ToUtf8(const CString& text);
std::string ToUtf8(std::string_view cp1252);
CString CStringFromUtf8(std::string_view utf8);
