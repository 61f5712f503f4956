#include "platform/core/CodePage.h"

#include "platform/core/String.h"

#include <string>
#include <string_view>

namespace {

// Code points of 0x80..0x9F; the undefined bytes keep their own value.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Pairs of (upper, lower) outside the ASCII and Latin-1 letter ranges.
constexpr BYTE kExtraPairs[][2] = { { 0x8A, 0x9A }, { 0x8C, 0x9C }, { 0x8E, 0x9E }, { 0x9F, 0xFF } };

bool IsLatinUpper(BYTE ch) { return ch >= 0xC0 && ch <= 0xDE && ch != 0xD7; }
bool IsLatinLower(BYTE ch) { return ch >= 0xE0 && ch <= 0xFE && ch != 0xF7; }

} // namespace

BYTE UpperCase1252(BYTE ch)
{
    if ((ch >= 'a' && ch <= 'z') || IsLatinLower(ch))
        return static_cast<BYTE>(ch - 0x20);
    for (const auto& pair : kExtraPairs)
        if (ch == pair[1])
            return pair[0];
    return ch;
}

BYTE LowerCase1252(BYTE ch)
{
    if ((ch >= 'A' && ch <= 'Z') || IsLatinUpper(ch))
        return static_cast<BYTE>(ch + 0x20);
    for (const auto& pair : kExtraPairs)
        if (ch == pair[0])
            return pair[1];
    return ch;
}

BOOL IsCharUpper(char ch)
{
    BYTE b = static_cast<BYTE>(ch);
    return LowerCase1252(b) != b;
}

BOOL IsCharLower(char ch)
{
    BYTE b = static_cast<BYTE>(ch);
    return UpperCase1252(b) != b || b == 0xDF || b == 0xB5 || b == 0x83;
}

BOOL IsCharAlpha(char ch)
{
    BYTE b = static_cast<BYTE>(ch);
    return IsCharUpper(ch) || IsCharLower(ch) || b == 0xAA || b == 0xBA;
}

BOOL IsCharAlphaNumeric(char ch) { return IsCharAlpha(ch) || (ch >= '0' && ch <= '9'); }

namespace {

LPSTR ChangeCase(LPSTR text, BYTE (*change)(BYTE))
{
    auto value = reinterpret_cast<uintptr_t>(text);
    if ((value >> 16) == 0)
        return reinterpret_cast<LPSTR>(static_cast<uintptr_t>(change(static_cast<BYTE>(value))));
    for (char* p = text; *p != '\0'; ++p)
        *p = static_cast<char>(change(static_cast<BYTE>(*p)));
    return text;
}

DWORD ChangeCaseBuffer(LPSTR text, DWORD length, BYTE (*change)(BYTE))
{
    if (text == nullptr)
        return 0;
    for (DWORD i = 0; i < length; ++i)
        text[i] = static_cast<char>(change(static_cast<BYTE>(text[i])));
    return length;
}

int CompareFolded(LPCSTR a, LPCSTR b, BYTE (*fold)(BYTE))
{
    const auto* x = reinterpret_cast<const BYTE*>(a ? a : "");
    const auto* y = reinterpret_cast<const BYTE*>(b ? b : "");
    for (; *x != 0 && fold(*x) == fold(*y); ++x, ++y) { }
    return (fold(*x) > fold(*y)) - (fold(*x) < fold(*y));
}

BYTE Unchanged(BYTE ch) { return ch; }

} // namespace

LPSTR CharUpperA(LPSTR text) { return ChangeCase(text, UpperCase1252); }
LPSTR CharLowerA(LPSTR text) { return ChangeCase(text, LowerCase1252); }
DWORD CharUpperBuffA(LPSTR text, DWORD length) { return ChangeCaseBuffer(text, length, UpperCase1252); }
DWORD CharLowerBuffA(LPSTR text, DWORD length) { return ChangeCaseBuffer(text, length, LowerCase1252); }
int lstrcmpA(LPCSTR a, LPCSTR b) { return CompareFolded(a, b, Unchanged); }
int lstrcmpiA(LPCSTR a, LPCSTR b) { return CompareFolded(a, b, LowerCase1252); }

char32_t UnicodeFrom1252(BYTE ch)
{
    if (ch >= 0x80 && ch < 0xA0)
        return kHighControls[ch - 0x80];
    return ch;
}

BOOL UnicodeTo1252(char32_t code, BYTE& ch)
{
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
        ch = static_cast<BYTE>(code);
        return TRUE;
    }
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == code) {
            ch = static_cast<BYTE>(0x80 + i);
            return TRUE;
        }
    }
    return FALSE;
}

std::string ToUtf8(std::string_view cp1252)
{
    std::string utf8;
    utf8.reserve(cp1252.size());
    for (char ch : cp1252) {
        char32_t code = UnicodeFrom1252(static_cast<BYTE>(ch));
        if (code < 0x80) {
            utf8 += static_cast<char>(code);
        } else if (code < 0x800) {
            utf8 += static_cast<char>(0xC0 | (code >> 6));
            utf8 += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            utf8 += static_cast<char>(0xE0 | (code >> 12));
            utf8 += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return utf8;
}

std::string ToUtf8(const CString& text) { return ToUtf8(std::string_view(text.Bytes())); }

namespace {

// Decodes one UTF-8 sequence at `pos`, advancing it; malformed input yields U+FFFD
// and consumes one byte.
char32_t DecodeUtf8(std::string_view utf8, size_t& pos)
{
    BYTE lead = static_cast<BYTE>(utf8[pos++]);
    if (lead < 0x80)
        return lead;
    int extra = lead >= 0xF5 ? -1 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 ? 1 : -1;
    if (extra < 0 || pos + static_cast<size_t>(extra) > utf8.size())
        return 0xFFFD;
    char32_t code = lead & (0x3F >> extra);
    for (int i = 0; i < extra; ++i) {
        BYTE next = static_cast<BYTE>(utf8[pos + static_cast<size_t>(i)]);
        if ((next & 0xC0) != 0x80)
            return 0xFFFD;
        code = (code << 6) | (next & 0x3F);
    }
    static constexpr char32_t kSmallest[] = { 0, 0x80, 0x800, 0x10000 };
    if (code < kSmallest[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0xFFFD;
    pos += static_cast<size_t>(extra);
    return code;
}

} // namespace

CString CStringFromUtf8(std::string_view utf8)
{
    std::string bytes;
    bytes.reserve(utf8.size());
    for (size_t pos = 0; pos < utf8.size();) {
        BYTE ch = '?';
        if (!UnicodeTo1252(DecodeUtf8(utf8, pos), ch))
            ch = '?';
        bytes += static_cast<char>(ch);
    }
    return CString(bytes.c_str());
}
