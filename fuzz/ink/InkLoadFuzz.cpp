// Loads arbitrary bytes as stored ink. What loads must save to a form that loads again to the
// same bytes.
#include "platform/ink/InkDisp.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto ink = InkDisp::Create();
    if (!ink->Load(std::vector<BYTE>(data, data + size)))
        return 0;
    std::vector<BYTE> saved = ink->Save();
    auto again = InkDisp::Create();
    if (!again->Load(saved) || again->Save() != saved)
        std::abort();
    return 0;
}
