#include "platform/sys/Library.h"

#include <gtest/gtest.h>

namespace {

LPCSTR Ordinal(WORD ordinal)
{
    return reinterpret_cast<LPCSTR>(static_cast<uintptr_t>(ordinal));
}

using IntFunction = int (*)();

TEST(Library, NamesEndingInDllStandForSharedLibraries)
{
    EXPECT_EQ(SharedLibraryFileName("GTEINET.DLL"), "libgteinet.so");
    EXPECT_EQ(SharedLibraryFileName("gwdunz32.dll"), "libgwdunz32.so");
    EXPECT_EQ(SharedLibraryFileName("C:\\Tools\\Mapi32.Dll"), "C:/Tools/libmapi32.so");
    EXPECT_EQ(SharedLibraryFileName("libz.so.1"), "libz.so.1");
}

TEST(Library, ByNameAndByOrdinalGiveTheSameFunction)
{
    HMODULE library = LoadLibrary("ORDINALTEST.DLL");
    ASSERT_NE(library, nullptr);
    FARPROC byName = GetProcAddress(library, "OrdinalTest_Twelve");
    ASSERT_NE(byName, nullptr);
    EXPECT_EQ(GetProcAddress(library, Ordinal(12)), byName);
    EXPECT_EQ(reinterpret_cast<IntFunction>(GetProcAddress(library, Ordinal(10)))(), 10);
    EXPECT_TRUE(FreeLibrary(library));
}

TEST(Library, UnknownOrdinalsAndNamesGiveNull)
{
    HMODULE library = LoadLibrary("ORDINALTEST.DLL");
    ASSERT_NE(library, nullptr);
    for (WORD ordinal : { 0, 9, 11, 13, 65535 })
        EXPECT_EQ(GetProcAddress(library, Ordinal(ordinal)), nullptr) << ordinal;
    EXPECT_EQ(GetProcAddress(library, "OrdinalTest_Eleven"), nullptr);
    EXPECT_TRUE(FreeLibrary(library));
}

TEST(Library, MissingLibrariesAndNullHandlesFail)
{
    EXPECT_EQ(LoadLibrary("NOSUCHLIBRARY.DLL"), nullptr);
    EXPECT_EQ(LoadLibrary(""), nullptr);
    EXPECT_EQ(GetProcAddress(nullptr, "x"), nullptr);
    EXPECT_FALSE(FreeLibrary(nullptr));
}

} // namespace
