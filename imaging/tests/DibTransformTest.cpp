#include "BmpBytes.h"

#include "imaging/Dib.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

void LoadDib(CDib& dib, const Bytes& image)
{
    LoadBytes(DibRecord(image), [&](CArchive& ar) { dib.Serialize(ar); });
}

// Pixel values of an 8-bit image, top row first.
std::string Values8(const CDib& dib)
{
    std::string s;
    DWORD stride = DibRowBytes(dib.GetWidth(), 8);
    for (int y = dib.GetHeight() - 1; y >= 0; --y) {
        for (int x = 0; x < dib.GetWidth(); ++x)
            s += char('0' + dib.GetBits()[y * stride + DWORD(x)]);
        s += '\n';
    }
    return s;
}

// Mask bits, top row first.
std::string MaskBits(const CDib& mask)
{
    std::string s;
    DWORD stride = DibRowBytes(mask.GetWidth(), 1);
    for (int y = mask.GetHeight() - 1; y >= 0; --y) {
        for (int x = 0; x < mask.GetWidth(); ++x)
            s += (mask.GetBits()[y * stride + DWORD(x / 8)] >> (7 - x % 8)) & 1 ? '1' : '0';
        s += '\n';
    }
    return s;
}

TEST(DibTransform, IdentityGivesTheImageAndAFullMask)
{
    CDib dib;
    LoadDib(dib, Bmp8());
    CDib result;
    CDib mask;
    POINT origin{9, 9};
    ASSERT_TRUE(dib.AffineTransform(0, 0, 3, 0, 0, 1, 3, 1, &result, &mask, &origin));
    EXPECT_EQ(0, origin.x);
    EXPECT_EQ(0, origin.y);
    EXPECT_EQ(dib.GetSize(), result.GetSize());
    EXPECT_EQ(0, std::memcmp(dib.GetBits(), result.GetBits(), 8));
    EXPECT_EQ("1111\n1111\n", MaskBits(mask));
    COLORREF c0 = 1;
    COLORREF c1 = 0;
    ASSERT_TRUE(mask.GetMonoColours(&c0, &c1));
    EXPECT_EQ(0u, c0);
    EXPECT_EQ(0xFFFFFFu, c1);
}

TEST(DibTransform, QuarterTurnMapsCornersAndKeepsTheTable)
{
    CDib dib;
    LoadDib(dib, Bmp8());  // top 0123, bottom 3210
    CDib result;
    CDib mask;
    POINT origin{};
    // Top-left to (11, 20), top-right to (11, 23), bottom-left to (10, 20): turned a quarter clockwise.
    ASSERT_TRUE(dib.AffineTransform(11, 20, 11, 23, 10, 20, 10, 23, &result, &mask, &origin));
    EXPECT_EQ(10, origin.x);
    EXPECT_EQ(20, origin.y);
    EXPECT_EQ("30\n21\n12\n03\n", Values8(result));
    EXPECT_EQ("11\n11\n11\n11\n", MaskBits(mask));
    BITMAPINFO info{};
    result.GetBitmapInfo(&info);
    EXPECT_EQ(0xFF, info.bmiColors[0].rgbRed);
    EXPECT_EQ(4u, info.bmiHeader.biClrUsed);
}

TEST(DibTransform, PixelsOutsideTheSourceStayClearInTheMask)
{
    CDib dib;
    LoadDib(dib, Bmp1());  // 3 x 2
    CDib result;
    CDib mask;
    POINT origin{};
    // Sheared: rows move right as they go down; the box is one pixel wider.
    ASSERT_TRUE(dib.AffineTransform(0, 0, 2, 0, 1, 1, 3, 1, &result, &mask, &origin));
    EXPECT_EQ(4, result.GetWidth());
    EXPECT_EQ("1110\n0111\n", MaskBits(mask));
}

TEST(DibTransform, FourBitNibblesLandInTheRightHalf)
{
    // 3 x 2 at 4 bits: top row 1 2 3, bottom row 4 5 6.
    const Bytes image = Concat({FileHeader(14 + 40 + 64 + 8, 14 + 40 + 64), InfoHeader(3, 2, 4, 0, 8), Bytes(64, 0),
                                {0x45, 0x60, 0, 0}, {0x12, 0x30, 0, 0}});
    CDib dib;
    LoadDib(dib, image);
    CDib result;
    CDib mask;
    POINT origin{};
    // Mirrored left to right.
    ASSERT_TRUE(dib.AffineTransform(2, 0, 0, 0, 2, 1, 0, 1, &result, &mask, &origin));
    const BYTE* bits = result.GetBits();
    EXPECT_EQ(0x65, bits[0]);
    EXPECT_EQ(0x40, bits[1]);
    EXPECT_EQ(0x32, bits[4]);
    EXPECT_EQ(0x10, bits[5]);
}

TEST(DibTransform, RefusesWhatHasNoInverse)
{
    CDib wide;
    LoadDib(wide, Bmp8());
    const Bytes line = Concat({FileHeader(14 + 40 + 16 + 4, 14 + 40 + 16), InfoHeader(4, 1, 8, 0, 4, 4), Bytes(16, 0),
                               {0, 1, 2, 3}});
    CDib oneHigh;
    LoadDib(oneHigh, line);
    const Bytes column = Concat({FileHeader(14 + 40 + 16 + 8, 14 + 40 + 16), InfoHeader(1, 2, 8, 0, 8, 4),
                                 Bytes(16, 0), {0, 0, 0, 0, 1, 0, 0, 0}});
    CDib oneWide;
    LoadDib(oneWide, column);
    CDib empty;
    struct Case {
        const char* name;
        const CDib* dib;
        int points[8];
    };
    const Case cases[] = {
        {"one pixel high", &oneHigh, {0, 0, 3, 0, 0, 0, 3, 0}},
        {"one pixel wide", &oneWide, {0, 0, 0, 0, 0, 1, 0, 1}},
        {"collinear corners", &wide, {0, 0, 3, 3, 1, 1, 4, 4}},
        {"all corners on one point", &wide, {5, 5, 5, 5, 5, 5, 5, 5}},
        {"empty", &empty, {0, 0, 3, 0, 0, 1, 3, 1}},
        {"far too large", &wide, {0, 0, 100000, 0, 0, 1, 100000, 1}},
    };
    for (const Case& c : cases) {
        CDib result;
        CDib mask;
        POINT origin{};
        const int* p = c.points;
        EXPECT_FALSE(c.dib->AffineTransform(p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7], &result, &mask, &origin))
            << c.name;
        EXPECT_EQ(0u, result.GetSize()) << c.name;
    }
}

TEST(DibTransform, RefusesTopDownAndRunLengthImages)
{
    Bytes topDown = Bmp8();
    std::copy_n(Dword(uint32_t(-2)).begin(), 4, topDown.begin() + 22);
    const Bytes rle = Concat({FileHeader(14 + 40 + 16 + 6, 14 + 40 + 16), InfoHeader(4, 2, 8, 1, 6, 4), Bytes(16, 0),
                              {4, 1, 0, 0, 0, 1}});
    for (const Bytes& image : {topDown, rle}) {
        CDib dib;
        LoadDib(dib, image);
        ASSERT_NE(0u, dib.GetSize());
        CDib result;
        CDib mask;
        EXPECT_FALSE(dib.AffineTransform(0, 0, 3, 0, 0, 1, 3, 1, &result, &mask, nullptr));
    }
}

}  // namespace
