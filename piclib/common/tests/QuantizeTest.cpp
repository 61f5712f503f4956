#include "piclib/common/PLAnyBmp.h"
#include "piclib/common/PLFilterQuantize.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

PLPixel32 rgb(uint8_t r, uint8_t g, uint8_t b)
{
    return {b, g, r, 255};
}

// A 32-bit picture of the given pixels, row by row.
void fill(PLAnyBmp& bmp, int width, int height, const std::vector<PLPixel32>& pixels)
{
    bmp.CreateFromBits(width, height, 32, false, false, nullptr, 0, {0, 0});
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            reinterpret_cast<PLPixel32*>(bmp.GetLine(y))[x] = pixels[(y * width + x) % pixels.size()];
}

std::vector<int> indices(const PLBmp& bmp)
{
    std::vector<int> out;
    for (int y = 0; y < bmp.GetHeight(); ++y)
        for (int x = 0; x < bmp.GetWidth(); ++x)
            out.push_back(bmp.GetLine(y)[x]);
    return out;
}

std::vector<int> quantize(int paletteType, int ditherType, int width, int height, const std::vector<PLPixel32>& pixels,
                          PLAnyBmp& result)
{
    PLAnyBmp source;
    fill(source, width, height, pixels);
    PLFilterQuantize(paletteType, ditherType).Apply(source, result);
    return indices(result);
}

const PLPixel32 CornerColours[8] = {rgb(0, 0, 0),     rgb(255, 0, 0),     rgb(0, 255, 0),   rgb(0, 0, 255),
                                    rgb(255, 255, 0), rgb(0, 255, 255),   rgb(255, 0, 255), rgb(255, 255, 255)};

TEST(Quantize, MedianCutOfOneColour)
{
    PLAnyBmp out;
    const auto idx = quantize(0, 0, 3, 2, {rgb(100, 150, 200)}, out);
    EXPECT_EQ(idx, std::vector<int>(6, 8));
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(out.GetPalette()[i].r, CornerColours[i].r) << i;
        EXPECT_EQ(out.GetPalette()[i].g, CornerColours[i].g) << i;
        EXPECT_EQ(out.GetPalette()[i].b, CornerColours[i].b) << i;
    }
    EXPECT_EQ(out.GetPalette()[8], (PLPixel32{205, 148, 98, 0}));
    for (int i = 9; i < 256; ++i)
        ASSERT_EQ(out.GetPalette()[i], (PLPixel32{0, 0, 0, 0})) << i;
}

TEST(Quantize, WhiteAndBlackTakeTheCornerEntries)
{
    for (int paletteType : {0, 1}) {
        PLAnyBmp out;
        EXPECT_EQ(quantize(paletteType, 0, 2, 1, {rgb(255, 255, 255)}, out), (std::vector<int>{7, 7})) << paletteType;
        EXPECT_EQ(quantize(paletteType, 0, 2, 1, {rgb(0, 0, 0)}, out), (std::vector<int>{0, 0})) << paletteType;
    }
}

TEST(Quantize, PopularityOrdersByCountKeepingFirstFoundOnTies)
{
    const PLPixel32 a = rgb(200, 10, 10), b = rgb(10, 200, 10), c = rgb(10, 10, 200), d = rgb(100, 100, 100);
    PLAnyBmp out;
    const auto idx = quantize(1, 0, 8, 1, {d, a, a, a, b, b, c, c}, out);
    // Counts: a 3, then b and c with 2 (c's cell comes first in red-major order), then d.
    EXPECT_EQ(idx, (std::vector<int>{11, 8, 8, 8, 10, 10, 9, 9}));
    EXPECT_EQ(out.GetPalette()[8], (PLPixel32{8, 8, 205, 0}));
    EXPECT_EQ(out.GetPalette()[9], (PLPixel32{205, 8, 8, 0}));
}

TEST(Quantize, FixedPaletteAsStored)
{
    PLAnyBmp out;
    EXPECT_EQ(quantize(2, 0, 3, 1, {rgb(255, 0, 0), rgb(0, 0, 255), rgb(128, 128, 128)}, out),
              (std::vector<int>{190, 249, 248}));
    EXPECT_EQ(out.GetPalette()[63], (PLPixel32{0x37, 0x85, 0x51, 0}));
}

TEST(Quantize, UserPaletteTypeWithoutPaletteFallsBackToFixed)
{
    PLAnyBmp fixed, user;
    const std::vector<PLPixel32> pixels{rgb(12, 99, 240), rgb(250, 3, 77)};
    EXPECT_EQ(quantize(3, 0, 2, 1, pixels, user), quantize(2, 0, 2, 1, pixels, fixed));
    EXPECT_EQ(user.GetPalette()[100], fixed.GetPalette()[100]);
}

TEST(Quantize, FirstPixelOfACellDecides)
{
    // Both colours share the cell (0, 0, 0); the first one mapped sets the index for both.
    PLAnyBmp out;
    EXPECT_EQ(quantize(2, 0, 2, 1, {rgb(0, 0, 7), rgb(7, 0, 0)}, out), (std::vector<int>{0, 0}));
}

TEST(Quantize, OrderedDitherRepeatsEveryFourPixelsAndLines)
{
    PLAnyBmp out;
    const auto idx = quantize(2, 1, 8, 8, {rgb(128, 128, 128)}, out);
    std::set<int> seen;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            ASSERT_EQ(idx[y * 8 + x], idx[(y % 4) * 8 + x % 4]) << x << "," << y;
            seen.insert(idx[y * 8 + x]);
        }
    EXPECT_GT(seen.size(), 1u);
    EXPECT_EQ(idx[0], 96);  // 128 + 16 -> 0x85 grey
    EXPECT_EQ(idx[1], 248); // 128 - 8 -> 0x80 grey
}

TEST(Quantize, ErrorDiffusionCarriesTheErrorForward)
{
    PLAnyBmp out;
    const std::vector<PLPixel32> grey{rgb(100, 100, 100)};
    EXPECT_EQ(quantize(2, 0, 2, 1, grey, out), (std::vector<int>{53, 53}));
    EXPECT_EQ(quantize(2, 2, 2, 1, grey, out), (std::vector<int>{53, 248}));
    // Odd lines run right to left: the second line starts at its right end.
    EXPECT_EQ(quantize(2, 2, 2, 2, grey, out)[3], 53);
}

TEST(Quantize, ConversionToEightBitsUsesTheBitmapsMode)
{
    PLAnyBmp source;
    fill(source, 2, 1, {rgb(100, 100, 100)});
    PLAnyBmp target;
    target.SetQuantizationMode(2, 2);
    target.CopyFrom(source, 8);
    EXPECT_EQ(indices(target), (std::vector<int>{53, 248}));
}

} // namespace
