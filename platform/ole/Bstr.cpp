// BSTRs: a 32-bit byte count before the text and a NUL after it. The live ones are known,
// so a plain C string passed where a BSTR belongs is measured as one and never freed.
#include "platform/ole/OleTypes.h"

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unordered_set>

namespace {

constexpr UINT kMaxBstr = 0x7FFFFFF0u;

BYTE* Block(BSTR text) { return reinterpret_cast<BYTE*>(text) - sizeof(UINT); }

std::mutex liveLock;

std::unordered_set<const OLECHAR*>& Live()
{
    static std::unordered_set<const OLECHAR*> strings;
    return strings;
}

bool IsLive(BSTR text)
{
    std::lock_guard<std::mutex> guard(liveLock);
    return Live().count(text) != 0;
}

} // namespace

BSTR SysAllocStringByteLen(LPCSTR bytes, UINT length)
{
    if (length > kMaxBstr)
        return nullptr;
    auto* block = static_cast<BYTE*>(std::calloc(sizeof(UINT) + length + 1, 1));
    if (!block)
        return nullptr;
    std::memcpy(block, &length, sizeof(UINT));
    auto* text = reinterpret_cast<BSTR>(block + sizeof(UINT));
    if (bytes && length)
        std::memcpy(text, bytes, length);
    std::lock_guard<std::mutex> guard(liveLock);
    Live().insert(text);
    return text;
}

BSTR SysAllocStringLen(LPCOLESTR text, UINT length) { return SysAllocStringByteLen(text, length); }

BSTR SysAllocString(LPCOLESTR text)
{
    return text ? SysAllocStringByteLen(text, static_cast<UINT>(std::strlen(text))) : nullptr;
}

BOOL SysReAllocStringLen(BSTR* pbstr, LPCOLESTR text, UINT length)
{
    if (!pbstr)
        return FALSE;
    BSTR copy = SysAllocStringLen(text, length);
    if (!copy)
        return FALSE;
    SysFreeString(*pbstr);
    *pbstr = copy;
    return TRUE;
}

BOOL SysReAllocString(BSTR* pbstr, LPCOLESTR text)
{
    return SysReAllocStringLen(pbstr, text, text ? static_cast<UINT>(std::strlen(text)) : 0);
}

void SysFreeString(BSTR text)
{
    if (!text)
        return;
    std::lock_guard<std::mutex> guard(liveLock);
    if (Live().erase(text))
        std::free(Block(text));
}

UINT SysStringByteLen(BSTR text)
{
    if (!text)
        return 0;
    if (!IsLive(text))
        return static_cast<UINT>(std::strlen(text));
    UINT length = 0;
    std::memcpy(&length, Block(text), sizeof(UINT));
    return length;
}

UINT SysStringLen(BSTR text) { return SysStringByteLen(text); }
