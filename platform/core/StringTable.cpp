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
