// Language files from outside: none may crash, and what the reader makes of one must read
// back the same after it is written out.
#include "platform/sys/parlex/LanguageFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    LanguageTexts first = ParseLanguageFile(std::string_view(reinterpret_cast<const char*>(data), size));
    LanguageTexts second = ParseLanguageFile(FormatLanguageFile(first.texts));
    if (second.brokenLines != 0 || second.texts != first.texts)
        std::abort();
    return 0;
}
