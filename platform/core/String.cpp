#include "platform/core/String.h"

#include "platform/core/CLocale.h"
#include "platform/core/CodePage.h"
#include "platform/core/StringTable.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace {

std::string_view View(LPCTSTR text) { return text ? std::string_view(text) : std::string_view(); }

int Sign(int value) { return (value > 0) - (value < 0); }

bool IsWhite(char ch) { return ch == ' ' || (ch >= '\t' && ch <= '\r'); }

std::string FormatToString(LPCTSTR format, va_list args)
{
    CLocaleScope scope;
    va_list probe;
    va_copy(probe, args);
    char small[256];
    int needed = std::vsnprintf(small, sizeof small, format, probe);
    va_end(probe);
    if (needed < 0)
        return std::string();
    if (static_cast<size_t>(needed) < sizeof small)
        return std::string(small, static_cast<size_t>(needed));
    std::string result(static_cast<size_t>(needed), '\0');
    std::vsnprintf(result.data(), result.size() + 1, format, args);
    return result;
}

void TrimLeftWhere(std::string& text, auto trimmed)
{
    size_t first = 0;
    while (first < text.size() && trimmed(text[first]))
        ++first;
    text.erase(0, first);
}

void TrimRightWhere(std::string& text, auto trimmed)
{
    size_t end = text.size();
    while (end > 0 && trimmed(text[end - 1]))
        --end;
    text.resize(end);
}

auto InSet(LPCTSTR set)
{
    return [set = View(set)](char ch) { return set.find(ch) != std::string_view::npos; };
}

} // namespace

CString::CString(LPCTSTR text) : m_text(View(text)) { }

CString::CString(const unsigned char* text) : CString(reinterpret_cast<LPCTSTR>(text)) { }

CString::CString(LPCTSTR text, int length)
{
    if (text != nullptr && length > 0)
        m_text.assign(text, strnlen(text, static_cast<size_t>(length)));
}

CString::CString(char ch, int repeat) : m_text(static_cast<size_t>(std::max(repeat, 0)), ch) { }

CString& CString::operator=(LPCTSTR text)
{
    m_text = View(text);
    return *this;
}

CString& CString::operator=(char ch)
{
    m_text.assign(1, ch);
    return *this;
}

char CString::GetAt(int index) const
{
    if (index < 0 || index >= GetLength())
        throw std::out_of_range("CString index");
    return m_text[static_cast<size_t>(index)];
}

void CString::SetAt(int index, char ch)
{
    if (index < 0 || index >= GetLength())
        throw std::out_of_range("CString index");
    m_text[static_cast<size_t>(index)] = ch;
}

CString& CString::operator+=(const CString& other)
{
    m_text += other.m_text;
    return *this;
}

CString& CString::operator+=(LPCTSTR text)
{
    m_text += View(text);
    return *this;
}

CString& CString::operator+=(char ch)
{
    m_text += ch;
    return *this;
}

void CString::Format(LPCTSTR format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::Format(UINT formatId, ...)
{
    CString format;
    format.LoadString(formatId);
    va_list args;
    va_start(args, formatId);
    FormatV(format, args);
    va_end(args);
}

void CString::FormatV(LPCTSTR format, va_list args)
{
    m_text = format ? FormatToString(format, args) : std::string();
}

void CString::AppendFormat(LPCTSTR format, ...)
{
    if (format == nullptr)
        return;
    va_list args;
    va_start(args, format);
    m_text += FormatToString(format, args);
    va_end(args);
}

CString CString::Left(int count) const
{
    return Mid(0, count);
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const
{
    first = std::clamp(first, 0, GetLength());
    count = std::clamp(count, 0, GetLength() - first);
    CString result;
    result.m_text = m_text.substr(static_cast<size_t>(first), static_cast<size_t>(count));
    return result;
}

CString CString::Right(int count) const
{
    count = std::clamp(count, 0, GetLength());
    return Mid(GetLength() - count);
}

CString CString::SpanIncluding(LPCTSTR set) const
{
    size_t end = m_text.find_first_not_of(View(set));
    return Left(end == std::string::npos ? GetLength() : static_cast<int>(end));
}

CString CString::SpanExcluding(LPCTSTR set) const
{
    size_t end = m_text.find_first_of(View(set));
    return Left(end == std::string::npos ? GetLength() : static_cast<int>(end));
}

CString CString::Tokenize(LPCTSTR delimiters, int& start) const
{
    if (start < 0 || start >= GetLength()) {
        start = -1;
        return CString();
    }
    std::string_view set = View(delimiters);
    size_t first = m_text.find_first_not_of(set, static_cast<size_t>(start));
    if (first == std::string::npos) {
        start = -1;
        return CString();
    }
    size_t end = m_text.find_first_of(set, first);
    if (end == std::string::npos)
        end = m_text.size();
    start = static_cast<int>(std::min(end + 1, m_text.size()));
    return Mid(static_cast<int>(first), static_cast<int>(end - first));
}

int CString::Find(char ch, int start) const
{
    if (start < 0 || start >= GetLength())
        return -1;
    size_t at = m_text.find(ch, static_cast<size_t>(start));
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::Find(LPCTSTR sub, int start) const
{
    if (sub == nullptr || start < 0 || start > GetLength())
        return -1;
    size_t at = m_text.find(View(sub), static_cast<size_t>(start));
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::ReverseFind(char ch) const
{
    size_t at = m_text.rfind(ch);
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::FindOneOf(LPCTSTR set) const
{
    size_t at = m_text.find_first_of(View(set));
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::Replace(char oldCh, char newCh)
{
    int count = 0;
    for (char& ch : m_text) {
        if (ch == oldCh) {
            ch = newCh;
            ++count;
        }
    }
    return count;
}

int CString::Replace(LPCTSTR oldText, LPCTSTR newText)
{
    std::string_view from = View(oldText);
    std::string_view to = View(newText);
    if (from.empty())
        return 0;
    std::string result;
    int count = 0;
    size_t pos = 0;
    for (size_t at; (at = m_text.find(from, pos)) != std::string::npos; pos = at + from.size()) {
        result.append(m_text, pos, at - pos).append(to);
        ++count;
    }
    result.append(m_text, pos);
    m_text = std::move(result);
    return count;
}

int CString::Remove(char ch)
{
    size_t before = m_text.size();
    std::erase(m_text, ch);
    return static_cast<int>(before - m_text.size());
}

int CString::Insert(int index, char ch) { return Insert(index, CString(ch).GetString()); }

int CString::Insert(int index, LPCTSTR text)
{
    index = std::clamp(index, 0, GetLength());
    m_text.insert(static_cast<size_t>(index), View(text));
    return GetLength();
}

int CString::Delete(int index, int count)
{
    index = std::max(index, 0);
    if (index < GetLength() && count > 0)
        m_text.erase(static_cast<size_t>(index), static_cast<size_t>(count));
    return GetLength();
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }
CString& CString::Trim(char ch) { return TrimRight(ch).TrimLeft(ch); }
CString& CString::Trim(LPCTSTR set) { return TrimRight(set).TrimLeft(set); }

CString& CString::TrimLeft()
{
    TrimLeftWhere(m_text, IsWhite);
    return *this;
}

CString& CString::TrimLeft(char ch)
{
    TrimLeftWhere(m_text, [ch](char c) { return c == ch; });
    return *this;
}

CString& CString::TrimLeft(LPCTSTR set)
{
    TrimLeftWhere(m_text, InSet(set));
    return *this;
}

CString& CString::TrimRight()
{
    TrimRightWhere(m_text, IsWhite);
    return *this;
}

CString& CString::TrimRight(char ch)
{
    TrimRightWhere(m_text, [ch](char c) { return c == ch; });
    return *this;
}

CString& CString::TrimRight(LPCTSTR set)
{
    TrimRightWhere(m_text, InSet(set));
    return *this;
}

CString& CString::MakeUpper()
{
    CharUpperBuffA(m_text.data(), static_cast<DWORD>(m_text.size()));
    return *this;
}

CString& CString::MakeLower()
{
    CharLowerBuffA(m_text.data(), static_cast<DWORD>(m_text.size()));
    return *this;
}

CString& CString::MakeReverse()
{
    std::reverse(m_text.begin(), m_text.end());
    return *this;
}

int CString::Compare(LPCTSTR other) const
{
    // Bytes compare as unsigned, so accented letters sort after ASCII.
    return Sign(m_text.compare(View(other)));
}

int CString::CompareNoCase(LPCTSTR other) const { return lstrcmpiA(m_text.c_str(), other); }

int CString::Collate(LPCTSTR other) const
{
    int noCase = CompareNoCase(other);
    return noCase != 0 ? noCase : Compare(other);
}

int CString::CollateNoCase(LPCTSTR other) const { return CompareNoCase(other); }

BOOL CString::LoadString(UINT id) { return LookupStringResource(id, *this); }

LPTSTR CString::GetBuffer() { return m_text.data(); }

LPTSTR CString::GetBuffer(int minLength)
{
    if (minLength > GetLength())
        m_text.resize(static_cast<size_t>(minLength), '\0');
    return m_text.data();
}

LPTSTR CString::GetBufferSetLength(int length)
{
    m_text.resize(static_cast<size_t>(std::max(length, 0)), '\0');
    return m_text.data();
}

void CString::ReleaseBuffer(int newLength)
{
    size_t length = newLength < 0 ? strlen(m_text.c_str()) : static_cast<size_t>(newLength);
    m_text.resize(std::min(length, m_text.size()));
}

void CString::Preallocate(int length) { m_text.reserve(static_cast<size_t>(std::max(length, 0))); }

CString operator+(const CString& a, const CString& b) { return CString(a) += b; }
CString operator+(const CString& a, LPCTSTR b) { return CString(a) += b; }
CString operator+(LPCTSTR a, const CString& b) { return CString(a) += b; }
CString operator+(const CString& a, char b) { return CString(a) += b; }
CString operator+(char a, const CString& b) { return CString(a) += b; }

bool operator==(const CString& a, const CString& b) { return a.Bytes() == b.Bytes(); }
bool operator==(const CString& a, LPCTSTR b) { return a.Bytes() == View(b); }
bool operator==(LPCTSTR a, const CString& b) { return b == a; }
bool operator!=(const CString& a, const CString& b) { return !(a == b); }
bool operator!=(const CString& a, LPCTSTR b) { return !(a == b); }
bool operator!=(LPCTSTR a, const CString& b) { return !(b == a); }
bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
bool operator<(const CString& a, LPCTSTR b) { return a.Compare(b) < 0; }
bool operator<(LPCTSTR a, const CString& b) { return b.Compare(a) > 0; }
bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
bool operator>(const CString& a, LPCTSTR b) { return a.Compare(b) > 0; }
bool operator>(LPCTSTR a, const CString& b) { return b.Compare(a) < 0; }
bool operator<=(const CString& a, const CString& b) { return a.Compare(b) <= 0; }
bool operator<=(const CString& a, LPCTSTR b) { return a.Compare(b) <= 0; }
bool operator<=(LPCTSTR a, const CString& b) { return b.Compare(a) >= 0; }
bool operator>=(const CString& a, const CString& b) { return a.Compare(b) >= 0; }
bool operator>=(const CString& a, LPCTSTR b) { return a.Compare(b) >= 0; }
bool operator>=(LPCTSTR a, const CString& b) { return b.Compare(a) <= 0; }
