// BSTRs: a 32-bit byte count before the text and a NUL after it.
#include "platform/ole/OleTypes.h"

#include <cstdlib>
#include <cstring>

namespace {

constexpr UINT kMaxBstr = 0x7FFFFFF0u;

BYTE* Block(BSTR text) { return reinterpret_cast<BYTE*>(text) - sizeof(UINT); }

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
    if (text)
        std::free(Block(text));
}

UINT SysStringByteLen(BSTR text)
{
    UINT length = 0;
    if (text)
        std::memcpy(&length, Block(text), sizeof(UINT));
    return length;
}

UINT SysStringLen(BSTR text) { return SysStringByteLen(text); }
