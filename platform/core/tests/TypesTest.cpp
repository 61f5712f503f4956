#include "platform/core/Types.h"

#include <gtest/gtest.h>

TEST(Types, WidthsAreThoseOf32BitWindows)
{
    static_assert(sizeof(BYTE) == 1 && sizeof(WORD) == 2 && sizeof(DWORD) == 4);
    static_assert(sizeof(LONG) == 4 && sizeof(UINT) == 4 && sizeof(BOOL) == 4);
    static_assert(sizeof(WPARAM) == sizeof(void*) && sizeof(LPARAM) == sizeof(void*));
    static_assert(sizeof(RECT) == 16 && sizeof(POINT) == 8);
}

TEST(Types, ColourAndWordPacking)
{
    EXPECT_EQ(RGB(0x12, 0x34, 0x56), 0x563412u);
    EXPECT_EQ(GetBValue(RGB(1, 2, 3)), 3);
    EXPECT_EQ(MAKELONG(0x1234, 0xABCD), static_cast<LONG>(0xABCD1234u));
    EXPECT_EQ(GET_X_LPARAM(MAKELPARAM(static_cast<WORD>(-5), 7)), -5);
}

TEST(Types, MulDivRoundsHalfAwayFromZero)
{
    struct Case { int number, numerator, denominator, expected; };
    const Case cases[] = {
        {10, 1, 4, 3},  {-10, 1, 4, -3}, {10, -1, 4, -3}, {7, 1, 2, 4},  {-7, 1, 2, -4},
        {1, 1, 3, 0},   {5, 3, 0, -1},   {INT32_MAX, 2, 1, -1}, {INT32_MAX, 2, 2, INT32_MAX},
        {100, 96, 72, 133},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MulDiv(c.number, c.numerator, c.denominator), c.expected)
            << c.number << "*" << c.numerator << "/" << c.denominator;
}
