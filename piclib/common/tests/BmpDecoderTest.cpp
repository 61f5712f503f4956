#include "ErrorCode.h"
#include "Fixtures.h"

#include "piclib/common/PLBmpDecoder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>

namespace {

struct BmpLayout {
    uint32_t headerSize = 40;
    int32_t width = 2;
    int32_t height = 1;
    uint16_t bitCount = 8;
    uint32_t compression = 0;
    uint32_t colorsUsed = 0;
    int32_t pelsPerMeter = 0;
    std::vector<uint32_t> palette; // 0xRRGGBB
    int entryBytes = 4;
    std::vector<uint32_t> masks;
    std::vector<uint8_t> pixels;
    int gap = 0;
    std::optional<uint32_t> dataOffset;
};

void put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8)});
}

void put32(std::vector<uint8_t>& out, uint32_t v)
{
    out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)});
}

std::vector<uint8_t> makeBmp(const BmpLayout& s)
{
    std::vector<uint8_t> info;
    put32(info, s.headerSize);
    if (s.headerSize == 12) {
        put16(info, s.width), put16(info, s.height), put16(info, 1), put16(info, s.bitCount);
    } else {
        put32(info, s.width), put32(info, s.height), put16(info, 1), put16(info, s.bitCount);
        put32(info, s.compression), put32(info, 0), put32(info, s.pelsPerMeter), put32(info, s.pelsPerMeter);
        put32(info, s.colorsUsed), put32(info, 0);
    }
    for (uint32_t m : s.masks)
        put32(info, m);
    info.resize(std::max<size_t>(info.size(), s.headerSize), 0);
    for (uint32_t c : s.palette) {
        info.insert(info.end(), {uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16)});
        if (s.entryBytes == 4)
            info.push_back(0);
    }
    info.insert(info.end(), s.gap, 0xEE);
    std::vector<uint8_t> out{'B', 'M'};
    put32(out, uint32_t(14 + info.size() + s.pixels.size()));
    put32(out, 0);
    put32(out, s.dataOffset.value_or(uint32_t(14 + info.size())));
    out.insert(out.end(), info.begin(), info.end());
    out.insert(out.end(), s.pixels.begin(), s.pixels.end());
    return out;
}

std::vector<uint8_t> decodeRgba(const std::vector<uint8_t>& file, PLAnyBmp& bmp)
{
    PLBmpDecoder decoder;
    decoder.MakeBmpFromMemory(file.data(), static_cast<int>(file.size()), &bmp);
    return RgbaOf(bmp);
}

int decodeCode(const std::vector<uint8_t>& file)
{
    PLAnyBmp bmp;
    return ErrorCodeOf([&] { decodeRgba(file, bmp); });
}

using Rgba = std::vector<uint8_t>;

TEST(BmpDecoder, TopDownFileDecodesUpright)
{
    auto file = FixtureBytes("bmp24.bmp");
    const int rowBytes = 40, rows = 7, start = 54;
    std::vector<uint8_t> flipped(file.begin(), file.begin() + start);
    for (int y = rows - 1; y >= 0; --y)
        flipped.insert(flipped.end(), file.begin() + start + y * rowBytes, file.begin() + start + (y + 1) * rowBytes);
    const int32_t height = -7;
    std::memcpy(&flipped[22], &height, 4);
    PLAnyBmp bmp;
    EXPECT_EQ(decodeRgba(flipped, bmp), FixtureBytes("bmp24.bmp.rgba"));
    EXPECT_EQ(bmp.GetHeight(), 7);
}

TEST(BmpDecoder, BitFieldsAfterAFortyByteHeaderAreMasks)
{
    BmpLayout s;
    s.bitCount = 32;
    s.compression = 3;
    s.masks = {0x00FF0000, 0x0000FF00, 0x000000FF};
    s.pixels = {0x33, 0x22, 0x11, 0x00, 0x66, 0x55, 0x44, 0x00};
    PLAnyBmp bmp;
    EXPECT_EQ(decodeRgba(makeBmp(s), bmp), (Rgba{0x11, 0x22, 0x33, 255, 0x44, 0x55, 0x66, 255}));
    s.masks = {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000};
    s.headerSize = 124;
    s.pixels[3] = 0x80;
    EXPECT_EQ(decodeRgba(makeBmp(s), bmp), (Rgba{0x33, 0x22, 0x11, 0x80, 0x66, 0x55, 0x44, 0}));
}

TEST(BmpDecoder, AlphaOfThirtyTwoBitFiles)
{
    BmpLayout s;
    s.bitCount = 32;
    s.pixels = {1, 2, 3, 0, 4, 5, 6, 0};
    PLAnyBmp bmp;
    EXPECT_EQ(decodeRgba(makeBmp(s), bmp), (Rgba{3, 2, 1, 255, 6, 5, 4, 255}));
    EXPECT_TRUE(bmp.HasAlpha());
    s.pixels[7] = 9;
    EXPECT_EQ(decodeRgba(makeBmp(s), bmp), (Rgba{3, 2, 1, 0, 6, 5, 4, 9}));
}

TEST(BmpDecoder, PixelDataOffset)
{
    BmpLayout s;
    s.colorsUsed = 2;
    s.palette = {0x102030, 0x405060};
    s.pixels = {1, 0, 0, 0};
    const Rgba second{0x40, 0x50, 0x60, 255, 0x10, 0x20, 0x30, 255}; // pixels 1, 0
    struct Case {
        const char* what;
        int headerSize;
        int gap;
        std::optional<uint32_t> offset;
    };
    const Case cases[] = {
        {"gap after the palette", 40, 4, std::nullopt},
        {"offset inside the headers", 40, 0, 10u},
        {"offset past the end", 40, 0, 5000u},
        {"V5 header with a gap", 124, 4, std::nullopt},
        {"core header with a gap", 12, 4, std::nullopt},
    };
    for (const Case& c : cases) {
        BmpLayout layout = s;
        layout.headerSize = c.headerSize;
        layout.gap = c.gap;
        layout.entryBytes = c.headerSize == 12 ? 3 : 4;
        layout.colorsUsed = c.headerSize == 12 ? 0 : 2;
        if (c.headerSize == 12)
            layout.palette.resize(256, 0);
        auto file = makeBmp(layout);
        if (c.offset)
            std::memcpy(&file[10], &*c.offset, 4);
        PLAnyBmp bmp;
        EXPECT_EQ(decodeRgba(file, bmp), second) << c.what;
    }
}

TEST(BmpDecoder, PaletteCounts)
{
    BmpLayout s;
    s.bitCount = 4;
    s.colorsUsed = 3;
    s.palette.assign(16, 0);
    s.palette[15] = 0x0000FF;
    s.pixels = {0xF0, 0, 0, 0};
    PLAnyBmp bmp;
    EXPECT_EQ(decodeRgba(makeBmp(s), bmp), (Rgba{0, 0, 255, 255, 0, 0, 0, 255}));

    BmpLayout eight;
    eight.colorsUsed = 20;
    eight.palette.assign(20, 0x808080);
    eight.pixels = {19, 20, 0, 0};
    EXPECT_EQ(decodeRgba(makeBmp(eight), bmp), (Rgba{128, 128, 128, 255, 0, 0, 0, 255}));
}

TEST(BmpDecoder, MoreColoursThanTheDepthAllowsIsRefused)
{
    for (auto [bitCount, colours] : {std::pair{4, 17u}, {8, 257u}, {1, 3u}}) {
        BmpLayout s;
        s.bitCount = uint16_t(bitCount);
        s.colorsUsed = colours;
        s.palette.assign(colours, 0);
        s.pixels.assign(4, 0);
        EXPECT_EQ(decodeCode(makeBmp(s)), PL_ERRWRONG_SIGNATURE) << bitCount;
    }
}

TEST(BmpDecoder, LongHeadersUseFourBytePaletteEntries)
{
    for (uint32_t size : {108u, 124u}) {
        BmpLayout s;
        s.headerSize = size;
        s.colorsUsed = 2;
        s.palette = {0x112233, 0x445566};
        s.pixels = {0, 1, 0, 0};
        PLAnyBmp bmp;
        EXPECT_EQ(decodeRgba(makeBmp(s), bmp), (Rgba{0x11, 0x22, 0x33, 255, 0x44, 0x55, 0x66, 255})) << size;
    }
}

TEST(BmpDecoder, NestedBitmapArraysReadTheFirstBitmap)
{
    BmpLayout s;
    s.colorsUsed = 1;
    s.palette = {0xABCDEF};
    s.pixels = {0, 0, 0, 0};
    const auto inner = makeBmp(s);
    std::vector<uint8_t> file;
    for (int i = 0; i < 2; ++i) {
        file.insert(file.end(), {'B', 'A'});
        file.insert(file.end(), 12, 0);
    }
    file.insert(file.end(), inner.begin(), inner.end());
    file.insert(file.end(), {'B', 'A', 0, 0}); // a second array entry that is never read
    PLAnyBmp bmp;
    EXPECT_EQ(decodeRgba(file, bmp), (Rgba{0xAB, 0xCD, 0xEF, 255, 0xAB, 0xCD, 0xEF, 255}));
}

TEST(BmpDecoder, Resolution)
{
    for (auto [pels, dpi] : {std::pair{2835, 72}, {39, 0}, {0, 0}, {-5, 0}, {3780, 96}}) {
        BmpLayout s;
        s.bitCount = 24;
        s.pelsPerMeter = pels;
        s.pixels.assign(8, 0);
        PLAnyBmp bmp;
        decodeRgba(makeBmp(s), bmp);
        EXPECT_EQ(bmp.GetResolution(), (PLPoint{dpi, dpi})) << pels;
    }
}

TEST(BmpDecoder, OneBitLinesArePadded)
{
    BmpLayout s;
    s.width = 9;
    s.height = 2;
    s.bitCount = 1;
    s.palette = {0x000000, 0xFFFFFF};
    s.pixels = {0x80, 0x80, 0, 0, 0x00, 0x80, 0, 0}; // bottom row first
    PLAnyBmp bmp;
    decodeRgba(makeBmp(s), bmp);
    ASSERT_EQ(bmp.GetBitsPerPixel(), 8);
    EXPECT_EQ(bmp.GetLine(1)[0], 1);
    EXPECT_EQ(bmp.GetLine(1)[8], 1);
    EXPECT_EQ(bmp.GetLine(0)[0], 0);
    EXPECT_EQ(bmp.GetLine(0)[8], 1);
}

struct RleCase {
    const char* what;
    uint16_t bitCount;
    std::vector<uint8_t> data;
    std::vector<uint8_t> bottomRow;
    std::vector<uint8_t> topRow;
    int code;
};

TEST(BmpDecoder, RunLengthData)
{
    const RleCase cases[] = {
        {"rle8 runs and absolute", 8, {3, 7, 1, 9, 0, 0, 0, 3, 1, 2, 3, 0, 1, 0, 0, 1}, {7, 7, 7, 9}, {1, 2, 3, 0}, 0},
        {"rle8 run clipped to the row", 8, {9, 5, 0, 0, 2, 6, 0, 1}, {5, 5, 5, 5}, {6, 6, 0, 0}, 0},
        {"rle8 absolute clipped", 8, {0, 5, 1, 2, 3, 4, 5, 0, 0, 1}, {1, 2, 3, 4}, {0, 0, 0, 0}, 0},
        {"rle8 end of bitmap early", 8, {4, 3, 0, 1, 4, 4}, {3, 3, 3, 3}, {0, 0, 0, 0}, 0},
        {"rle8 extra line ends", 8, {0, 0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, 0},
        {"rle8 delta", 8, {0, 2, 1, 1}, {}, {}, PL_ERRFORMAT_NOT_SUPPORTED},
        {"rle8 no end", 8, {4, 3}, {}, {}, PL_ERREND_OF_FILE},
        {"rle4 runs", 4, {3, 0x12, 0, 0, 0, 3, 0x34, 0x50, 0, 1}, {1, 2, 1, 0}, {3, 4, 5, 0}, 0},
        {"rle4 run clipped", 4, {10, 0xAB, 0, 1}, {10, 11, 10, 11}, {0, 0, 0, 0}, 0},
        {"rle4 absolute with padding", 4, {0, 5, 0x12, 0x34, 0x50, 0, 0, 0, 0, 1}, {1, 2, 3, 4}, {0, 0, 0, 0}, 0},
        {"rle4 delta", 4, {0, 2, 0, 0}, {}, {}, PL_ERRFORMAT_NOT_SUPPORTED},
    };
    for (const RleCase& c : cases) {
        BmpLayout s;
        s.width = 4;
        s.height = 2;
        s.bitCount = c.bitCount;
        s.compression = c.bitCount == 8 ? 1 : 2;
        s.palette.assign(c.bitCount == 8 ? 256 : 16, 0);
        s.pixels = c.data;
        PLAnyBmp bmp;
        const int code = ErrorCodeOf([&] { decodeRgba(makeBmp(s), bmp); });
        EXPECT_EQ(code, c.code) << c.what;
        if (code)
            continue;
        EXPECT_EQ(std::vector<uint8_t>(bmp.GetLine(1), bmp.GetLine(1) + 4), c.bottomRow) << c.what;
        EXPECT_EQ(std::vector<uint8_t>(bmp.GetLine(0), bmp.GetLine(0) + 4), c.topRow) << c.what;
    }
}

TEST(BmpDecoder, MalformedHeaders)
{
    BmpLayout layout;
    layout.palette.assign(256, 0);
    layout.pixels = {0, 0, 0, 0};
    const auto good = makeBmp(layout);
    struct Case {
        const char* what;
        size_t offset;
        std::vector<uint8_t> bytes;
        int code;
    };
    const Case cases[] = {
        {"signature", 0, {'X', 'M'}, PL_ERRWRONG_SIGNATURE},
        {"header size 20", 14, {20, 0, 0, 0}, PL_ERRWRONG_SIGNATURE},
        {"huge header size", 14, {0xFF, 0xFF, 0xFF, 0x7F}, PL_ERREND_OF_FILE},
        {"zero width", 18, {0, 0, 0, 0}, PL_ERRWRONG_SIGNATURE},
        {"negative width", 18, {0xFF, 0xFF, 0xFF, 0xFF}, PL_ERRWRONG_SIGNATURE},
        {"zero height", 22, {0, 0, 0, 0}, PL_ERRWRONG_SIGNATURE},
        {"most negative height", 22, {0, 0, 0, 0x80}, PL_ERRWRONG_SIGNATURE},
        {"width beyond the data", 18, {0, 1, 0, 0}, PL_ERREND_OF_FILE},
        {"enormous picture", 18, {0xFF, 0xFF, 0xFF, 0x7F}, PL_ERRNO_MEMORY},
        {"bit count 3", 28, {3, 0}, PL_ERRFORMAT_UNKNOWN},
        {"bit count 64", 28, {64, 0}, PL_ERRFORMAT_UNKNOWN},
    };
    for (const Case& c : cases) {
        auto file = good;
        std::copy(c.bytes.begin(), c.bytes.end(), file.begin() + c.offset);
        EXPECT_EQ(decodeCode(file), c.code) << c.what;
    }
}

} // namespace
