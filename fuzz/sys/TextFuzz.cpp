// Settings files, UTF-8 text and date texts from outside: none may crash, and what the
// INI reader makes of a file must read back the same after it is written out.
#include "platform/core/OleDateTime.h"
#include "platform/core/String.h"
#include "platform/sys/IniFile.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);

    CIniFile first;
    first.Parse(text);
    std::string written = first.Serialize();
    CIniFile second;
    second.Parse(written);
    if (second.Serialize() != written)
        std::abort();

    CString decoded = CStringFromUtf8(text);
    if (CStringFromUtf8(ToUtf8(decoded)) != decoded)
        std::abort();

    COleDateTime date;
    if (date.ParseDateTime(decoded) && date.GetStatus() != COleDateTime::valid)
        std::abort();
    return 0;
}
