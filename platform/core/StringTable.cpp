#include "platform/core/StringTable.h"

#include "platform/core/String.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <unordered_map>

namespace {

struct Table {
    std::mutex lock;
    std::unordered_map<UINT, CString> texts;
};

Table& StringTable()
{
    static Table table;
    return table;
}

} // namespace

void RegisterStringResource(UINT id, LPCTSTR text)
{
    Table& table = StringTable();
    std::lock_guard guard(table.lock);
    table.texts[id] = text;
}

BOOL LookupStringResource(UINT id, CString& text)
{
    Table& table = StringTable();
    std::lock_guard guard(table.lock);
    auto found = table.texts.find(id);
    if (found == table.texts.end())
        return FALSE;
    text = found->second;
    return TRUE;
}

int LoadString(HINSTANCE, UINT id, LPTSTR buffer, int bufferSize)
{
    CString text;
    if (buffer == nullptr || bufferSize <= 0 || !LookupStringResource(id, text))
        return 0;
    int count = std::min(text.GetLength(), bufferSize - 1);
    std::memcpy(buffer, text.GetString(), static_cast<size_t>(count));
    buffer[count] = '\0';
    return count;
}

void AfxFormatString2(CString& result, UINT id, LPCTSTR text1, LPCTSTR text2)
{
    CString format;
    LookupStringResource(id, format);
    result.Empty();
    // One pass, so a "%2" inside the first text is not replaced again.
    for (int i = 0; i < format.GetLength(); ++i) {
        char next = i + 1 < format.GetLength() ? format[i + 1] : '\0';
        if (format[i] == '%' && (next == '1' || (next == '2' && text2 != nullptr))) {
            result += next == '1' ? text1 : text2;
            ++i;
        } else {
            result += format[i];
        }
    }
}

void AfxFormatString1(CString& result, UINT id, LPCTSTR text1) { AfxFormatString2(result, id, text1, nullptr); }
