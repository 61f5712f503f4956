#include "piclib/common/PLAnyBmp.h"
#include "piclib/common/PLTextException.h"
#include "piclib/common/PLWinBmp.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A 1x1 bitmap of the given depth holding raw pixel bytes, with a known palette.
void makePixel(PLBmp& bmp, int bpp, uint32_t raw)
{
    const uint8_t bytes[4] = {uint8_t(raw), uint8_t(raw >> 8), uint8_t(raw >> 16), uint8_t(raw >> 24)};
    bmp.CreateFromBits(1, 1, bpp, false, false, bytes, 4, {0, 0});
    if (bpp == 1) {
        bmp.GetPalette()[0] = {30, 20, 10, 255};
        bmp.GetPalette()[1] = {50, 100, 200, 255};
    } else if (bpp == 8) {
        bmp.GetPalette()[3] = {10, 200, 127, 255};
        bmp.GetPalette()[4] = {127, 127, 127, 77};
        bmp.GetPalette()[5] = {50, 100, 200, 77};
    }
}

uint32_t rawPixel(const PLBmp& bmp)
{
    const uint8_t* p = bmp.GetLine(0);
    switch (bmp.GetBitsPerPixel()) {
    case 1: return p[0] >> 7;
    case 8: return p[0];
    case 16: return p[0] | p[1] << 8;
    case 24: return p[0] | p[1] << 8 | p[2] << 16;
    default: return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24;
    }
}

struct Conversion {
    int fromBpp;
    uint32_t from;
    int toBpp;
    uint32_t expected;
};

// Raw values: 16-bit words; 24/32-bit bytes blue, green, red(, alpha) from the low byte up.
const Conversion Conversions[] = {
    {1, 0x80, 8, 1}, {1, 0x80, 16, 0xCB26}, {1, 0x80, 24, 0xC86432}, {1, 0x80, 32, 0xFFC86432},
    {1, 0x00, 24, 0x0A141E}, {1, 0x80, 1, 1},
    {8, 3, 1, 0}, {8, 4, 1, 1}, {8, 5, 16, 0xCB26}, {8, 5, 24, 0xC86432}, {8, 5, 32, 0x4DC86432}, {8, 4, 8, 4},
    {16, 0x0000, 1, 1}, {16, 0xFFFF, 1, 0}, {16, 0xFFFF, 8, 243}, {16, 0xFFFF, 24, 0xF8FCF8},
    {16, 0xFFFF, 32, 0xFFF8FCF8}, {16, 0x1234, 16, 0x1234},
    {24, 0x7F7F7F, 1, 1}, {24, 0xFFFFFF, 8, 255}, {24, 0xFFFFFF, 16, 0xFFFF}, {24, 0x0A141E, 32, 0xFF0A141E},
    {24, 0x0A141E, 24, 0x0A141E},
    {32, 0x007FC80A, 1, 0}, {32, 0x007F7F7F, 1, 1}, {32, 0x00FF0000, 8, 190}, {32, 0x00FFFFFF, 16, 0xFFFF},
    {32, 0x400A141E, 24, 0x0A141E}, {32, 0x400A141E, 32, 0x400A141E},
};

class ConverterMatrix : public testing::TestWithParam<Conversion> {};

TEST_P(ConverterMatrix, ConvertsOnePixel)
{
    const Conversion& c = GetParam();
    PLAnyBmp source;
    makePixel(source, c.fromBpp, c.from);
    PLWinBmp target;
    target.CopyFrom(source, c.toBpp);
    EXPECT_EQ(target.GetBitsPerPixel(), c.toBpp);
    EXPECT_EQ(rawPixel(target), c.expected) << c.fromBpp << " -> " << c.toBpp;
}

INSTANTIATE_TEST_SUITE_P(AllDepths, ConverterMatrix, testing::ValuesIn(Conversions));

TEST(BitmapModel, OneBitTargetGetsWhiteBlackPalette)
{
    PLAnyBmp source;
    makePixel(source, 24, 0);
    PLAnyBmp target;
    target.CopyFrom(source, 1);
    EXPECT_EQ(target.GetPalette()[0], (PLPixel32{255, 255, 255, 255}));
    EXPECT_EQ(target.GetPalette()[1], (PLPixel32{0, 0, 0, 255}));
}

TEST(BitmapModel, OneBitToEightKeepsSourceColours)
{
    PLAnyBmp source;
    makePixel(source, 1, 0x80);
    PLAnyBmp target;
    target.CopyFrom(source, 8);
    EXPECT_EQ(target.GetPalette()[0], (PLPixel32{30, 20, 10, 255}));
    EXPECT_EQ(target.GetPalette()[1], (PLPixel32{50, 100, 200, 255}));
}

struct FlagCase {
    int fromBpp;
    bool alpha;
    bool grey;
    int toBpp;
    bool expectAlpha;
    bool expectGrey;
};

const FlagCase FlagCases[] = {
    {32, true, false, 32, true, false}, {32, true, false, 24, false, false}, {32, true, false, 8, false, false},
    {8, false, true, 32, false, false}, {8, false, true, 8, false, true},   {1, false, true, 8, false, true},
    {8, false, true, 24, false, false}, {32, true, false, 0, true, false},
};

TEST(BitmapModel, AlphaAndGreyFlagsFollowTheTargetDepth)
{
    for (const FlagCase& f : FlagCases) {
        PLAnyBmp source;
        source.CreateFromBits(2, 2, f.fromBpp, f.alpha, f.grey, nullptr, 0, {0, 0});
        PLAnyBmp target;
        target.CopyFrom(source, f.toBpp);
        EXPECT_EQ(target.HasAlpha(), f.expectAlpha) << f.fromBpp << " -> " << f.toBpp;
        EXPECT_EQ(target.IsGreyscale(), f.expectGrey) << f.fromBpp << " -> " << f.toBpp;
    }
}

TEST(BitmapModel, CopyFromSelfLeavesBitmapUntouched)
{
    PLAnyBmp bmp;
    makePixel(bmp, 24, 0x123456);
    uint8_t* line = bmp.GetLine(0);
    bmp.CopyFrom(bmp, 0);
    bmp.CopyFrom(bmp, 24);
    EXPECT_EQ(bmp.GetLine(0), line);
    EXPECT_EQ(rawPixel(bmp), 0x123456u);
    bmp.CopyFrom(bmp, 32);
    EXPECT_EQ(rawPixel(bmp), 0xFF123456u);
}

TEST(BitmapModel, StrideZeroKeepsAllPixelsOfAOneBitLine)
{
    const uint8_t bits[] = {0xFF, 0xC0, 0x00, 0x40};
    PLAnyBmp bmp;
    bmp.CreateFromBits(10, 2, 1, false, false, bits, 0, {0, 0});
    EXPECT_EQ(bmp.GetLine(0)[0], 0xFF);
    EXPECT_EQ(bmp.GetLine(0)[1], 0xC0);
    EXPECT_EQ(bmp.GetLine(1)[1], 0x40);
}

TEST(BitmapModel, CopiesBetweenPaddedAndPackedLines)
{
    PLWinBmp padded;
    padded.CreateFromBits(3, 2, 24, false, false, nullptr, 0, {0, 0});
    for (int y = 0; y < 2; ++y)
        for (int i = 0; i < 9; ++i)
            padded.GetLine(y)[i] = uint8_t(y * 16 + i);
    PLAnyBmp packed;
    packed.CopyFrom(padded);
    ASSERT_EQ(packed.GetLineBytes(), 9);
    EXPECT_EQ(packed.GetLine(1)[8], 24);
    PLWinBmp back;
    back.CopyFrom(packed);
    EXPECT_EQ(back.GetLine(1)[8], 24);
    EXPECT_EQ(back.GetLine(0)[0], 0);
}

TEST(BitmapModel, SetHasAlphaChannelMakesPixelsOpaqueOnce)
{
    PLAnyBmp bmp;
    makePixel(bmp, 32, 0x10203040);
    bmp.SetHasAlphaChannel(true);
    EXPECT_EQ(rawPixel(bmp), 0xFF203040u);
    bmp.GetLine(0)[3] = 7;
    bmp.SetHasAlphaChannel(true);
    EXPECT_EQ(bmp.GetLine(0)[3], 7);
}

TEST(BitmapModel, GreyPalettes)
{
    PLAnyBmp bmp;
    bmp.CreateFromBits(4, 1, 1, false, false, nullptr, 0, {0, 0});
    EXPECT_EQ(bmp.GetPalette()[0], (PLPixel32{0, 0, 0, 255}));
    EXPECT_EQ(bmp.GetPalette()[1], (PLPixel32{255, 255, 255, 255}));
    bmp.CreateFromBits(4, 1, 8, false, false, nullptr, 0, {0, 0});
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(bmp.GetPalette()[i], (PLPixel32{uint8_t(i), uint8_t(i), uint8_t(i), 255}));
}

struct LineCase {
    int width;
    int bpp;
    int anyBytes;
    int winBytes;
};

TEST(BitmapModel, LineLengths)
{
    const LineCase cases[] = {{1, 1, 1, 4},  {32, 1, 4, 4},   {33, 1, 5, 8},  {9, 1, 2, 4},
                              {9, 4, 5, 8},  {1, 24, 3, 4},   {3, 24, 9, 12}, {16, 8, 16, 16}};
    for (const LineCase& c : cases) {
        PLAnyBmp any;
        any.CreateFromBits(c.width, 1, c.bpp, false, false, nullptr, 0, {0, 0});
        PLWinBmp win;
        win.CreateFromBits(c.width, 1, c.bpp, false, false, nullptr, 0, {0, 0});
        EXPECT_EQ(any.GetLineBytes(), c.anyBytes) << c.width << "x" << c.bpp;
        EXPECT_EQ(win.GetLineBytes(), c.winBytes) << c.width << "x" << c.bpp;
    }
}

TEST(BitmapModel, NewBitmapsAreSixteenSquareAtEightBits)
{
    PLWinBmp win;
    PLAnyBmp any;
    for (const PLBmp* bmp : {static_cast<PLBmp*>(&win), static_cast<PLBmp*>(&any)}) {
        EXPECT_EQ(bmp->GetWidth(), 16);
        EXPECT_EQ(bmp->GetHeight(), 16);
        EXPECT_EQ(bmp->GetBitsPerPixel(), 8);
        EXPECT_EQ(bmp->GetLineBytes(), 16);
    }
    EXPECT_EQ(win.GetMemoryUsed(), 1376);
    EXPECT_EQ(win.GetBMI()->biSize, 40u);
}

TEST(BitmapModel, WinBmpStoresRowsBottomUp)
{
    PLWinBmp win;
    win.CreateFromBits(2, 3, 8, false, false, nullptr, 0, {0, 0});
    EXPECT_EQ(win.GetLine(2), win.GetBits());
    EXPECT_EQ(win.GetLine(0), win.GetBits() + 2 * 4);
    PLWinBmp colour;
    colour.CreateFromBits(2, 2, 24, false, false, nullptr, 0, {0, 0});
    EXPECT_EQ(colour.GetPalette(), nullptr);
}

TEST(BitmapModel, PackedDibIsCheckedAgainstItsSize)
{
    PLWinBmp source;
    source.CreateFromBits(5, 3, 8, false, false, nullptr, 0, {0, 0});
    source.GetLine(0)[4] = 99;
    source.GetPalette()[99] = {1, 2, 3, 255};
    const size_t size = 40 + 1024 + 8 * 3;
    PLWinBmp copy;
    copy.CreateFromPackedDIB(source.GetBMI(), size);
    EXPECT_EQ(copy.GetLine(0)[4], 99);
    EXPECT_EQ(copy.GetPalette()[99], (PLPixel32{1, 2, 3, 255}));
    try {
        copy.CreateFromPackedDIB(source.GetBMI(), size - 1);
        FAIL();
    } catch (const PLTextException& e) {
        EXPECT_EQ(e.GetCode(), PL_ERRFORMAT_UNKNOWN);
    }
}

TEST(BitmapModel, ImpossibleSizesRaiseOutOfMemory)
{
    PLAnyBmp bmp;
    for (auto [w, h] : {std::pair{-1, 4}, {4, -1}, {1 << 30, 1 << 30}}) {
        try {
            bmp.CreateFromBits(w, h, 32, false, false, nullptr, 0, {0, 0});
            FAIL();
        } catch (const PLTextException& e) {
            EXPECT_EQ(e.GetCode(), PL_ERRNO_MEMORY);
        }
    }
}

TEST(TextException, KeepsCodeAndCopiesText)
{
    std::string text = "broken";
    PLTextException e(7, text.c_str());
    text[0] = 'X';
    EXPECT_STREQ(e.GetText(), "broken");
    EXPECT_EQ(e.GetCode(), 7);
    EXPECT_STREQ(PLTextException(1, "").GetText(), "");
    EXPECT_STREQ(PLTextException(1, nullptr).GetText(), "");
    EXPECT_EQ(PLTextException(13, 404, "x").GetExtra(), 404);
}

} // namespace
