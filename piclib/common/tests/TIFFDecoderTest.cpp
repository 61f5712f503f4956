#include "ErrorCode.h"
#include "HandBuilt.h"
#include "TempFolder.h"

#include "piclib/common/PLTIFFDecoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>

namespace {

enum : uint16_t { Short = 3, Long = 4, Rational = 5 };

struct Tiff {
    uint32_t width = 2, height = 1;
    uint16_t bits = 8, samples = 1, photometric = 1;
    Bytes pixels = {0, 0};
    bool stripPerRow = false;
    // Extra or replaced tags: tag -> (type, values); rationals take numerator, denominator pairs.
    // A type of 0 leaves the tag out.
    std::map<uint16_t, std::pair<uint16_t, std::vector<uint32_t>>> tags;
};

// A little-endian TIFF: pixels right behind the header, one directory, long values behind it.
Bytes makeTiff(const Tiff& t)
{
    std::map<uint16_t, std::pair<uint16_t, std::vector<uint32_t>>> tags = {
        {256, {Long, {t.width}}}, {257, {Long, {t.height}}}, {258, {Short, std::vector<uint32_t>(t.samples, t.bits)}},
        {259, {Short, {1}}},      {262, {Short, {t.photometric}}}, {277, {Short, {t.samples}}},
    };
    const uint32_t rowBytes = t.height ? uint32_t(t.pixels.size() / t.height) : 0;
    if (t.stripPerRow) {
        std::vector<uint32_t> offsets, counts;
        for (uint32_t y = 0; y < t.height; ++y)
            offsets.push_back(8 + y * rowBytes), counts.push_back(rowBytes);
        tags[273] = {Long, offsets}, tags[279] = {Long, counts}, tags[278] = {Long, {1}};
    } else {
        tags[273] = {Long, {8}}, tags[279] = {Long, {uint32_t(t.pixels.size())}}, tags[278] = {Long, {t.height}};
    }
    for (const auto& [tag, value] : t.tags) {
        if (value.first == 0)
            tags.erase(tag);
        else
            tags[tag] = value;
    }
    Bytes out{'I', 'I', 42, 0};
    const uint32_t ifd = uint32_t(8 + t.pixels.size());
    PutDWordLE(out, ifd);
    out.insert(out.end(), t.pixels.begin(), t.pixels.end());
    Bytes extra;
    const uint32_t extraStart = ifd + 2 + 12 * uint32_t(tags.size()) + 4;
    PutWordLE(out, uint32_t(tags.size()));
    for (const auto& [tag, value] : tags) {
        const auto& [type, values] = value;
        const uint32_t count = type == Rational ? uint32_t(values.size() / 2) : uint32_t(values.size());
        Bytes data;
        for (uint32_t v : values)
            type == Short ? PutWordLE(data, v) : PutDWordLE(data, v);
        PutWordLE(out, tag), PutWordLE(out, type), PutDWordLE(out, count);
        if (data.size() <= 4) {
            data.resize(4, 0);
            out.insert(out.end(), data.begin(), data.end());
        } else {
            PutDWordLE(out, extraStart + uint32_t(extra.size()));
            extra.insert(extra.end(), data.begin(), data.end());
        }
    }
    PutDWordLE(out, 0);
    out.insert(out.end(), extra.begin(), extra.end());
    return out;
}

void decode(const Bytes& file, PLAnyBmp& bmp)
{
    DecodeWith<PLTIFFDecoder>(file, bmp);
}

TEST(TIFFDecoder, LowColourPalettes)
{
    PLAnyBmp bmp;
    Tiff white;
    white.bits = 1, white.photometric = 0, white.pixels = {0x40};
    decode(makeTiff(white), bmp);
    EXPECT_EQ(bmp.GetBitsPerPixel(), 1);
    EXPECT_EQ(bmp.GetPalette()[0], (PLPixel32{255, 255, 255, 255}));
    EXPECT_EQ(bmp.GetPalette()[1], (PLPixel32{0, 0, 0, 255}));
    EXPECT_EQ(RgbaOf(bmp), (Bytes{255, 255, 255, 255, 0, 0, 0, 255}));

    Tiff grey4;
    grey4.bits = 4, grey4.width = 3, grey4.pixels = {0x1F, 0x80};
    decode(makeTiff(grey4), bmp);
    EXPECT_EQ(IndicesOf(bmp), (Bytes{1, 15, 8}));
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(bmp.GetPalette()[i].g, i * 17);
    EXPECT_TRUE(bmp.IsGreyscale());

    Tiff grey3;
    grey3.bits = 3, grey3.width = 3, grey3.pixels = {0x37, 0x80}; // 001 101 111
    decode(makeTiff(grey3), bmp);
    EXPECT_EQ(IndicesOf(bmp), (Bytes{1, 5, 7}));
    EXPECT_EQ(bmp.GetPalette()[5].r, 180);

    Tiff twoSamples;
    twoSamples.samples = 2, twoSamples.pixels = {10, 99, 20, 99};
    decode(makeTiff(twoSamples), bmp);
    EXPECT_EQ(IndicesOf(bmp), (Bytes{10, 20}));
}

TEST(TIFFDecoder, ColourMaps)
{
    auto paletteTiff = [](uint32_t scale) {
        Tiff t;
        t.bits = 2, t.photometric = 3, t.width = 4, t.pixels = {0x1B}; // indices 0, 1, 2, 3
        t.tags[320] = {Short, {0, 1 * scale, 2 * scale, 3 * scale, 4, 5, 6, 7, 8, 9, 10, 11}};
        return makeTiff(t);
    };
    PLAnyBmp bmp;
    decode(paletteTiff(60), bmp);
    EXPECT_EQ(RgbaOf(bmp), (Bytes{0, 4, 8, 255, 60, 5, 9, 255, 120, 6, 10, 255, 180, 7, 11, 255}));
    decode(paletteTiff(20000), bmp);
    EXPECT_EQ(RgbaOf(bmp), (Bytes{0, 0, 0, 255, 77, 0, 0, 255, 155, 0, 0, 255, 233, 0, 0, 255}));
}

// libtiff itself reads an 8-bit palette picture without a map as grey, and refuses shallower ones.
TEST(TIFFDecoder, PaletteWithoutAColourMapIsGrey)
{
    Tiff t;
    t.photometric = 3, t.pixels = {0, 200};
    PLAnyBmp bmp;
    decode(makeTiff(t), bmp);
    EXPECT_EQ(RgbaOf(bmp), (Bytes{0, 0, 0, 255, 200, 200, 200, 255}));
}

TEST(TIFFDecoder, Resolution)
{
    struct Case {
        const char* what;
        std::vector<uint32_t> x;
        std::optional<uint32_t> unit;
        PLPoint dpi;
    };
    const Case cases[] = {
        {"300 per inch", {300, 1}, 2, {300, 300}},
        {"no unit means inch", {300, 1}, std::nullopt, {300, 300}},
        {"1.0 is unknown", {1, 1}, 2, {0, 300}},
        {"per centimetre", {11811, 100}, 3, {300, 762}},
        {"no absolute unit", {300, 1}, 1, {0, 0}},
    };
    for (const Case& c : cases) {
        Tiff t;
        t.tags[282] = {Rational, c.x};
        t.tags[283] = {Rational, {300, 1}};
        if (c.unit)
            t.tags[296] = {Short, {*c.unit}};
        PLAnyBmp bmp;
        decode(makeTiff(t), bmp);
        EXPECT_EQ(bmp.GetResolution(), c.dpi) << c.what;
    }
}

TEST(TIFFDecoder, DamagedScanLines)
{
    Tiff t;
    t.width = 1, t.height = 3, t.pixels = {1, 2, 3}, t.stripPerRow = true;
    t.tags[273] = {Long, {8, 9, 5000}}; // the last strip lies beyond the file
    PLAnyBmp bmp;
    decode(makeTiff(t), bmp);
    EXPECT_EQ(IndicesOf(bmp), (Bytes{1, 2, 0}));
    t.tags[273] = {Long, {5000, 9, 10}};
    EXPECT_EQ(ErrorCodeOf([&] { decode(makeTiff(t), bmp); }), PL_ERRINTERNAL);
}

TEST(TIFFDecoder, WarningsGoToTheTrace)
{
    TempFolder folder;
    const std::string log = folder.Path("trace.txt");
    Tiff t;
    t.tags[65000] = {Short, {1}};
    PLPicDecoder::SetTraceConfig(2, log.c_str());
    PLAnyBmp bmp;
    decode(makeTiff(t), bmp);
    PLPicDecoder::SetTraceConfig(0, nullptr);
    std::ifstream in(log);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_NE(text.find("Warning in LIBTIFF(TIFFReadDirectory): Unknown field with tag 65000"), std::string::npos)
        << text;
}

TEST(TIFFDecoder, Refusals)
{
    struct Case {
        const char* what;
        Bytes file;
        int code;
    };
    auto with = [](auto change) {
        Tiff t;
        change(t);
        return makeTiff(t);
    };
    Bytes notTiff = with([](Tiff&) {});
    notTiff[2] = 43;
    const Bytes whole = with([](Tiff&) {});
    const Case cases[] = {
        {"two samples of 1 bit", with([](Tiff& t) { t.samples = 2, t.bits = 1, t.pixels = {0}; }), PL_ERRFORMAT_UNKNOWN},
        {"two samples of 4 bits", with([](Tiff& t) { t.samples = 2, t.bits = 4, t.pixels = {0, 0}; }),
         PL_ERRFORMAT_UNKNOWN},
        {"4-bit palette without a colour map", with([](Tiff& t) { t.photometric = 3, t.bits = 4, t.pixels = {0}; }),
         PL_ERRWRONG_SIGNATURE},
        {"raster too large", with([](Tiff& t) { t.width = 40000, t.height = 40000, t.samples = 3; }), PL_ERRNO_MEMORY},
        {"width beyond int", with([](Tiff& t) { t.width = 0x80000000u; }), PL_ERRNO_MEMORY},
        {"no columns", with([](Tiff& t) { t.width = 0; }), PL_ERRWRONG_SIGNATURE},
        {"no rows", with([](Tiff& t) { t.height = 0; }), PL_ERRWRONG_SIGNATURE},
        {"not a TIFF", notTiff, PL_ERRWRONG_SIGNATURE},
        {"directory cut short", Bytes(whole.begin(), whole.end() - 30), PL_ERRWRONG_SIGNATURE},
        {"samples that make a 30 GB strip", with([](Tiff& t) {
             t.width = 480, t.height = 480, t.photometric = 2, t.samples = 65535, t.tags[258] = {Short, {16}};
         }),
         PL_ERRNO_MEMORY},
        {"a 30 GB tile", with([](Tiff& t) {
             t.width = 16, t.height = 16, t.samples = 4, t.photometric = 2;
             t.tags = {{322, {Long, {86368}}}, {323, {Long, {86368}}}, {324, {Long, {8}}}, {325, {Long, {2}}},
                       {273, {0, {}}}, {278, {0, {}}}, {279, {0, {}}}};
         }),
         PL_ERRNO_MEMORY},
        {"a tile more than deflated data can fill", with([](Tiff& t) {
             t.width = 16, t.height = 16, t.samples = 4, t.photometric = 2;
             t.tags = {{259, {Short, {8}}}, {322, {Long, {4096}}}, {323, {Long, {4096}}}, {324, {Long, {8}}},
                       {325, {Long, {2}}}, {273, {0, {}}}, {278, {0, {}}}, {279, {0, {}}}};
         }),
         PL_ERREND_OF_FILE},
        {"more deflated pixels than the data can fill", with([](Tiff& t) {
             t.width = 20000, t.height = 10000, t.tags[259] = {Short, {8}};
         }),
         PL_ERREND_OF_FILE},
        {"more raw pixels than the file holds", with([](Tiff& t) { t.width = 1000, t.height = 1000; }),
         PL_ERREND_OF_FILE},
    };
    for (const Case& c : cases) {
        PLAnyBmp bmp;
        EXPECT_EQ(ErrorCodeOf([&] { decode(c.file, bmp); }), c.code) << c.what;
    }
}

} // namespace
