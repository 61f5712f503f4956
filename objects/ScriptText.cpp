#include "objects/ScriptText.h"

#include <cstring>
#include <iterator>

BOOL IsCharNotInSet(char ch, LPCTSTR set)
{
    return ch == '\0' || !set || std::strchr(set, ch) == nullptr;
}

BOOL HasNoCharOfSet(LPCTSTR text, LPCTSTR set)
{
    for (; text && *text; ++text)
        if (!IsCharNotInSet(*text, set))
            return FALSE;
    return TRUE;
}

BOOL IsScriptBlank(LPCTSTR script)
{
    for (LPCTSTR p = script; p && *p; ++p) {
        if (*p == '\'') {
            p += std::strcspn(p, "\r\n");
            if (*p == '\0')
                break;
        } else if (!std::strchr(" \t\r\n", *p)) {
            return FALSE;
        }
    }
    return TRUE;
}

CString GetScriptToken(int code)
{
    static constexpr LPCTSTR tokens[] = {
        "Boolean", "Integer", "Long", "Single", "Double", "String", "Variant", "Object", ", ", "(",
        ")",       "ByVal ",  " As ", " As Object", "Dim ", "Sub ", "Function ", "End ", "'", "_",
    };
    if (code < 0 || code >= static_cast<int>(std::size(tokens)))
        return CString();
    return tokens[code];
}

void StripNonIdentChars(CString& text)
{
    CString kept;
    for (int i = 0; i < text.GetLength(); ++i) {
        char ch = text[i];
        bool letter = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || ch == '_';
        bool digit = ch >= '0' && ch <= '9';
        if (letter || (digit && !kept.IsEmpty()))
            kept += ch;
    }
    text = kept;
}
