#include "platform/core/GlobalMemory.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(GlobalMemory, MoveableBlockCountsLocks)
{
    HGLOBAL h = GlobalAlloc(GHND, 16);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(GlobalSize(h), 16u);
    EXPECT_EQ(GlobalFlags(h) & GMEM_LOCKCOUNT, 0u);
    auto* first = static_cast<unsigned char*>(GlobalLock(h));
    ASSERT_NE(first, nullptr);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(first[i], 0) << i;
    EXPECT_NE(static_cast<void*>(first), h);
    EXPECT_EQ(GlobalLock(h), first);
    EXPECT_EQ(GlobalFlags(h) & GMEM_LOCKCOUNT, 2u);
    EXPECT_EQ(GlobalHandle(first), h);
    EXPECT_TRUE(GlobalUnlock(h));
    EXPECT_FALSE(GlobalUnlock(h));
    EXPECT_FALSE(GlobalUnlock(h)); // not locked any more
    EXPECT_EQ(GlobalFree(h), nullptr);
}

TEST(GlobalMemory, BadHandlesFailQuietly)
{
    HGLOBAL freed = GlobalAlloc(GMEM_MOVEABLE, 8);
    ASSERT_EQ(GlobalFree(freed), nullptr);
    int local = 0;
    const HGLOBAL bad[] = { freed, &local, reinterpret_cast<HGLOBAL>(0x10) };
    for (HGLOBAL h : bad) {
        EXPECT_EQ(GlobalLock(h), nullptr);
        EXPECT_FALSE(GlobalUnlock(h));
        EXPECT_EQ(GlobalSize(h), 0u);
        EXPECT_EQ(GlobalFlags(h), GMEM_INVALID_HANDLE);
        EXPECT_EQ(GlobalReAlloc(h, 4, GMEM_MOVEABLE), nullptr);
        EXPECT_EQ(GlobalFree(h), h);
    }
    EXPECT_EQ(GlobalLock(nullptr), nullptr);
    EXPECT_EQ(GlobalHandle(&local), nullptr);
    EXPECT_EQ(GlobalAlloc(GMEM_MOVEABLE, kGlobalMaxBlock + 1), nullptr);
}

TEST(GlobalMemory, FixedBlockIsItsOwnPointer)
{
    HGLOBAL h = GlobalAlloc(GPTR, 4);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(GlobalLock(h), h);
    EXPECT_EQ(GlobalFlags(h) & GMEM_LOCKCOUNT, 0u);
    EXPECT_FALSE(GlobalUnlock(h));
    EXPECT_EQ(std::memcmp(h, "\0\0\0\0", 4), 0);
    EXPECT_EQ(GlobalReAlloc(h, 64, 0), nullptr); // a fixed block may not move
    std::memcpy(h, "abcd", 4);
    HGLOBAL grown = GlobalReAlloc(h, 64, GMEM_MOVEABLE | GMEM_ZEROINIT);
    ASSERT_NE(grown, nullptr);
    EXPECT_EQ(std::memcmp(grown, "abcd\0\0", 6), 0);
    EXPECT_EQ(GlobalSize(grown), 64u);
    if (grown != h) {
        EXPECT_EQ(GlobalSize(h), 0u);
    }
    EXPECT_EQ(GlobalFree(grown), nullptr);
}

TEST(GlobalMemory, ReAllocRules)
{
    struct Case { UINT allocFlags; SIZE_T from; SIZE_T to; bool locked; bool succeeds; };
    const Case cases[] = {
        { GMEM_MOVEABLE, 8, 4096, false, true },
        { GMEM_MOVEABLE, 8, 4096, true, false },   // a locked block never moves
        { GMEM_MOVEABLE, 64, 8, true, true },      // shrinking stays in place
        { GMEM_MOVEABLE | GMEM_SHARE, 8, 0, false, true },
    };
    for (const Case& c : cases) {
        HGLOBAL h = GlobalAlloc(c.allocFlags, c.from);
        ASSERT_NE(h, nullptr);
        std::memcpy(GlobalLock(h), "1234", 4);
        if (!c.locked)
            GlobalUnlock(h);
        HGLOBAL result = GlobalReAlloc(h, c.to, GMEM_MOVEABLE | GMEM_ZEROINIT);
        EXPECT_EQ(result != nullptr, c.succeeds) << c.from << "->" << c.to;
        EXPECT_EQ(GlobalSize(h), c.succeeds ? c.to : c.from);
        if (c.succeeds && c.to >= 4) {
            auto* bytes = static_cast<char*>(GlobalLock(h));
            EXPECT_EQ(std::memcmp(bytes, "1234", 4), 0);
            if (c.to > c.from) {
                EXPECT_EQ(bytes[c.to - 1], 0);
            }
            GlobalUnlock(h);
        }
        EXPECT_EQ(GlobalFlags(h) & GMEM_DDESHARE, c.allocFlags & GMEM_SHARE);
        EXPECT_EQ(GlobalFree(h), nullptr);
    }
}
