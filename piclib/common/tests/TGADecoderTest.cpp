#include "ErrorCode.h"
#include "HandBuilt.h"

#include "piclib/common/PLTGADecoder.h"

#include <gtest/gtest.h>

namespace {

struct Tga {
    uint8_t type = 2;
    uint8_t depth = 24;
    uint8_t descriptor = 0x20;
    uint16_t width = 2;
    uint16_t height = 1;
    uint8_t mapType = 0;
    uint16_t mapStart = 0;
    uint16_t mapLength = 0;
    uint8_t mapBits = 0;
    Bytes id;
    Bytes map;
    Bytes pixels;
};

Bytes makeTga(const Tga& t)
{
    Bytes out{uint8_t(t.id.size()), t.mapType, t.type, uint8_t(t.mapStart), uint8_t(t.mapStart >> 8),
              uint8_t(t.mapLength), uint8_t(t.mapLength >> 8), t.mapBits, 0, 0, 0, 0,
              uint8_t(t.width), uint8_t(t.width >> 8), uint8_t(t.height), uint8_t(t.height >> 8), t.depth,
              t.descriptor};
    for (const Bytes* part : {&t.id, &t.map, &t.pixels})
        out.insert(out.end(), part->begin(), part->end());
    return out;
}

Bytes decode(const Tga& t, PLAnyBmp& bmp)
{
    return DecodeWith<PLTGADecoder>(makeTga(t), bmp);
}

TEST(TGADecoder, PixelForms)
{
    struct Case {
        const char* what;
        Tga tga;
        Bytes rgba;
        bool alpha;
    };
    Tga word15;
    word15.depth = 15, word15.width = 1, word15.pixels = {0xFF, 0x7F};
    Tga word16 = word15;
    word16.depth = 16, word16.width = 2, word16.descriptor = 0x21, word16.pixels = {0x1F, 0x80, 0x1F, 0x00};
    Tga noAttribute = word16;
    noAttribute.descriptor = 0x20;
    Tga rgba;
    rgba.depth = 32, rgba.width = 1, rgba.pixels = {1, 2, 3, 4};
    Tga id;
    id.width = 1, id.id = {9, 9, 9}, id.pixels = {1, 2, 3};
    const Case cases[] = {
        {"15-bit word 0x7FFF", word15, {248, 248, 248, 255}, false},
        {"16-bit attribute bit as alpha", word16, {0, 0, 248, 255, 0, 0, 248, 0}, true},
        {"16-bit without attribute bits", noAttribute, {0, 0, 248, 255, 0, 0, 248, 255}, false},
        {"32-bit keeps alpha", rgba, {3, 2, 1, 4}, true},
        {"identification field skipped", id, {3, 2, 1, 255}, false},
    };
    for (const Case& c : cases) {
        PLAnyBmp bmp;
        EXPECT_EQ(decode(c.tga, bmp), c.rgba) << c.what;
        EXPECT_EQ(bmp.HasAlpha(), c.alpha) << c.what;
    }
}

TEST(TGADecoder, RunLengthPackets)
{
    const Bytes a{1, 2, 3}, b{4, 5, 6}, c{7, 8, 9};
    auto cat = [](std::initializer_list<Bytes> parts) {
        Bytes out;
        for (const Bytes& p : parts)
            out.insert(out.end(), p.begin(), p.end());
        return out;
    };
    const Bytes pa{3, 2, 1, 255}, pb{6, 5, 4, 255}, pc{9, 8, 7, 255};
    struct Case {
        const char* what;
        uint16_t width;
        uint16_t height;
        Bytes packets;
        Bytes rgba;
    };
    const Case cases[] = {
        {"run 0x83 repeats four times", 4, 1, cat({{0x83}, a}), cat({pa, pa, pa, pa})},
        {"raw 0x02 reads three pixels", 3, 1, cat({{0x02}, a, b, c}), cat({pa, pb, pc})},
        {"run past the line end is cut", 2, 2, cat({{0x82}, a, {0x81}, b}), cat({pa, pa, pb, pb})},
        {"raw past the line end is cut", 2, 2, cat({{0x02}, a, b, c, {0x81}, b}), cat({pa, pb, pb, pb})},
    };
    for (const Case& t : cases) {
        Tga tga;
        tga.type = 10, tga.width = t.width, tga.height = t.height, tga.pixels = t.packets;
        PLAnyBmp bmp;
        EXPECT_EQ(decode(tga, bmp), t.rgba) << t.what;
    }
}

TEST(TGADecoder, ColourMaps)
{
    Tga mapped;
    mapped.type = 1, mapped.depth = 8, mapped.mapType = 1, mapped.mapStart = 2, mapped.mapLength = 2;
    mapped.mapBits = 24, mapped.map = {10, 20, 30, 40, 50, 60}, mapped.pixels = {3, 2};
    PLAnyBmp bmp;
    EXPECT_EQ(decode(mapped, bmp), (Bytes{60, 50, 40, 255, 30, 20, 10, 255}));
    EXPECT_EQ(bmp.GetBitsPerPixel(), 8);
    EXPECT_EQ(bmp.GetPalette()[2], (PLPixel32{10, 20, 30, 255}));

    Tga wide = mapped;
    wide.depth = 16, wide.mapStart = 1000, wide.pixels = {0xE9, 0x03, 0xE7, 0x03}; // 1001 and 999
    EXPECT_EQ(decode(wide, bmp), (Bytes{60, 50, 40, 255, 0, 0, 0, 255}));
    EXPECT_EQ(bmp.GetBitsPerPixel(), 32);

    Tga trueColourWithMap;
    trueColourWithMap.mapType = 1, trueColourWithMap.mapLength = 2, trueColourWithMap.mapBits = 8;
    trueColourWithMap.map = {7, 7}, trueColourWithMap.width = 1, trueColourWithMap.pixels = {1, 2, 3};
    EXPECT_EQ(decode(trueColourWithMap, bmp), (Bytes{3, 2, 1, 255}));
}

TEST(TGADecoder, GreyFilesGetAGreyPalette)
{
    Tga grey;
    grey.type = 3, grey.depth = 8, grey.pixels = {0x40, 0xC0};
    PLAnyBmp bmp;
    EXPECT_EQ(decode(grey, bmp), (Bytes{0x40, 0x40, 0x40, 255, 0xC0, 0xC0, 0xC0, 255}));
    EXPECT_TRUE(bmp.IsGreyscale());
    EXPECT_EQ(bmp.GetLine(0)[1], 0xC0);
}

TEST(TGADecoder, Refusals)
{
    struct Case {
        const char* what;
        Tga tga;
        int code;
    };
    Tga unknownType;
    unknownType.type = 4, unknownType.pixels = Bytes(6, 0);
    Tga oddDepth;
    oddDepth.depth = 12, oddDepth.pixels = Bytes(4, 0);
    Tga mapped24;
    mapped24.type = 1, mapped24.mapType = 1, mapped24.mapLength = 1, mapped24.mapBits = 24;
    mapped24.map = {0, 0, 0}, mapped24.pixels = Bytes(6, 0);
    Tga grey16;
    grey16.type = 3, grey16.depth = 16, grey16.pixels = Bytes(4, 0);
    Tga mapBits8 = mapped24;
    mapBits8.depth = 8, mapBits8.mapBits = 8, mapBits8.map = {0}, mapBits8.pixels = {0, 0};
    Tga shortPixels;
    shortPixels.pixels = {1, 2, 3, 4};
    Tga shortRun;
    shortRun.type = 10, shortRun.pixels = {0x81};
    Tga shortMap = mapBits8;
    shortMap.mapBits = 24, shortMap.mapLength = 300;
    const Case cases[] = {
        {"image type 4", unknownType, PL_ERRFORMAT_UNKNOWN},
        {"pixel depth 12", oddDepth, PL_ERRFORMAT_UNKNOWN},
        {"24-bit indices", mapped24, PL_ERRFORMAT_UNKNOWN},
        {"16-bit grey", grey16, PL_ERRFORMAT_UNKNOWN},
        {"8-bit colour map entries", mapBits8, PL_ERRFORMAT_UNKNOWN},
        {"pixels cut short", shortPixels, PL_ERREND_OF_FILE},
        {"run packet cut short", shortRun, PL_ERREND_OF_FILE},
        {"colour map cut short", shortMap, PL_ERREND_OF_FILE},
    };
    for (const Case& c : cases) {
        PLAnyBmp bmp;
        EXPECT_EQ(ErrorCodeOf([&] { decode(c.tga, bmp); }), c.code) << c.what;
    }
    const Bytes header(10, 0);
    PLTGADecoder decoder;
    PLAnyBmp bmp;
    EXPECT_EQ(ErrorCodeOf([&] { decoder.MakeBmpFromMemory(header.data(), 10, &bmp); }), PL_ERREND_OF_FILE);
}

} // namespace
