#include "platform/sys/Library.h"
#include "spell/Lexigard.h"

#include <gtest/gtest.h>

namespace {

LPCSTR Ordinal(int ordinal)
{
    return reinterpret_cast<LPCSTR>(static_cast<uintptr_t>(ordinal));
}

TEST(LexigardOrdinals, GetProcAddressBindsByOrdinalAsByName)
{
    HMODULE library = LoadLibrary(LEXIGARD_LIBRARY);
    ASSERT_NE(library, nullptr);
    const std::pair<int, const char*> exports[] = {
        { LX_ORD_Init, "LX_Init" },
        { LX_ORD_CheckText, "LX_CheckText" },
        { LX_ORD_OptionsDialog, "LX_OptionsDialog" },
    };
    for (const auto& [ordinal, name] : exports) {
        FARPROC byName = GetProcAddress(library, name);
        ASSERT_NE(byName, nullptr) << name;
        EXPECT_EQ(GetProcAddress(library, Ordinal(ordinal)), byName) << name;
    }
    for (int ordinal : { 99, 104, 156 })
        EXPECT_EQ(GetProcAddress(library, Ordinal(ordinal)), nullptr) << ordinal;
    FreeLibrary(library);
}

} // namespace
