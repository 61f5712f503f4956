#include "BigEndianBytes.h"
#include "DecoderChecks.h"
#include "ErrorCode.h"
#include "Fixtures.h"
#include "TempFolder.h"

#include "piclib/common/PLPSDDecoder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <sstream>

namespace {

struct PsdLayout {
    std::string signature = "8BPS";
    uint16_t channels = 3;
    uint32_t rows = 1;
    uint32_t columns = 2;
    uint16_t depth = 8;
    uint16_t mode = 3;
    Bytes colourData{};
    std::optional<uint32_t> colourLength{}; // when it differs from the data's
    Bytes resources{};
    std::optional<uint32_t> resourceLength{};
    Bytes layers{};
    std::optional<uint32_t> layerLength{};
    uint16_t compression = 0;
    Bytes image{};
};

Bytes makePsd(const PsdLayout& s)
{
    Bytes out;
    PutText(out, s.signature);
    PutBE16(out, 1);
    out.resize(out.size() + 6, 0);
    PutBE16(out, s.channels), PutBE32(out, s.rows), PutBE32(out, s.columns), PutBE16(out, s.depth);
    PutBE16(out, s.mode);
    PutBE32(out, s.colourLength.value_or(uint32_t(s.colourData.size())));
    PutBytes(out, s.colourData);
    PutBE32(out, s.resourceLength.value_or(uint32_t(s.resources.size())));
    PutBytes(out, s.resources);
    PutBE32(out, s.layerLength.value_or(uint32_t(s.layers.size())));
    PutBytes(out, s.layers);
    PutBE16(out, s.compression);
    PutBytes(out, s.image);
    return out;
}

Bytes resource(uint16_t id, const std::string& name, const Bytes& data, const char* signature = "8BIM")
{
    Bytes out;
    PutText(out, signature);
    PutBE16(out, id);
    out.push_back(uint8_t(name.size()));
    PutText(out, name);
    if (name.size() % 2 == 0)
        out.push_back(0);
    PutBE32(out, uint32_t(data.size()));
    PutBytes(out, data);
    if (data.size() % 2)
        out.push_back(0);
    return out;
}

Bytes resolution(uint32_t h, uint32_t v)
{
    Bytes out;
    PutBE32(out, h), PutBE32(out, 0x00010001), PutBE32(out, v), PutBE32(out, 0x00010001);
    return out;
}

// Layer information of count layers of one channel each.
Bytes layerSection(int16_t count, int layers)
{
    Bytes info;
    PutBE16(info, uint16_t(count));
    for (int i = 0; i < layers; ++i) {
        PutBE32(info, 0), PutBE32(info, 0), PutBE32(info, 1), PutBE32(info, 2);
        PutBE16(info, 1), PutBE16(info, 0), PutBE32(info, 2);
        PutText(info, "8BIMnorm");
        info.insert(info.end(), {255, 0, 0, 0});
        PutBE32(info, 0);
    }
    Bytes out;
    PutBE32(out, uint32_t(info.size()));
    PutBytes(out, info);
    return out;
}

Bytes rgbRaw()
{
    return {10, 11, 20, 21, 30, 31};
}

std::vector<uint8_t> decode(const Bytes& file, PLAnyBmp& bmp)
{
    PLPSDDecoder decoder;
    return DecodeWith(decoder, file, bmp);
}

TEST(PSDDecoder, Refusals)
{
    struct Case {
        const char* name;
        PsdLayout layout;
        int code;
        const char* text;
    };
    const Bytes bigLength = [] { Bytes b; PutBE32(b, 0x7FFFFFF0); return b; }();
    const Case cases[] = {
        {"signature", {.signature = "8BPX", .image = rgbRaw()}, PL_ERRFORMAT_UNKNOWN, "This isn't a photoshop file."},
        {"bitmap mode", {.mode = 0, .image = rgbRaw()}, PL_ERRFORMAT_NOT_SUPPORTED, "This PSD color mode is not supported."},
        {"CMYK", {.mode = 4, .image = rgbRaw()}, PL_ERRFORMAT_NOT_SUPPORTED, "This PSD color mode is not supported."},
        {"multichannel", {.mode = 7, .image = rgbRaw()}, PL_ERRFORMAT_NOT_SUPPORTED, "This PSD color mode is not supported."},
        {"Lab", {.mode = 9, .image = rgbRaw()}, PL_ERRFORMAT_NOT_SUPPORTED, "This PSD color mode is not supported."},
        {"32-bit channels", {.depth = 32, .image = rgbRaw()}, PL_ERRFORMAT_NOT_SUPPORTED, nullptr},
        {"resource signature", {.resources = resource(1000, "", {1, 2}, "MIB8"), .image = rgbRaw()},
         PL_ERRFORMAT_UNKNOWN, "Wrong signature in resource data block."},
        {"resource past its section", {.resources = resource(1000, "", {1, 2, 3, 4}), .resourceLength = 14, .image = rgbRaw()},
         PL_ERRFORMAT_UNKNOWN, "Resource data block exceeds its section."},
        {"resource section past the end", {.resourceLength = 1000, .image = rgbRaw()}, PL_ERREND_OF_FILE, nullptr},
        {"colour data past the end", {.colourLength = 0x7FFFFFF0, .image = rgbRaw()}, PL_ERREND_OF_FILE, nullptr},
        {"layer section past the end", {.layerLength = 1000, .image = rgbRaw()}, PL_ERREND_OF_FILE, nullptr},
        {"layer records past their section", {.layers = layerSection(3, 3), .layerLength = 20, .image = Bytes(200, 0)},
         PL_ERRFORMAT_UNKNOWN, "Layer records exceed their section."},
        {"layer extra data past the end", {.layers = [&] { Bytes l = layerSection(1, 1); l.resize(l.size() - 4);
                                                           PutBytes(l, bigLength); return l; }(),
                                          .image = rgbRaw()}, PL_ERREND_OF_FILE, nullptr},
        {"ZIP", {.compression = 2, .image = rgbRaw()}, PL_ERRFORMAT_UNKNOWN, "Compression type not supported."},
        {"ZIP with prediction", {.compression = 3, .image = rgbRaw()}, PL_ERRFORMAT_UNKNOWN, "Compression type not supported."},
        {"compression 7", {.compression = 7, .image = rgbRaw()}, PL_ERRFORMAT_UNKNOWN, "Compression unknown."},
        {"raw data short", {.image = {1, 2, 3, 4, 5}}, PL_ERREND_OF_FILE, nullptr},
        {"row counts missing", {.compression = 1, .image = {0, 2, 0, 2}}, PL_ERREND_OF_FILE, nullptr},
        {"run past the row", {.channels = 1, .mode = 1, .compression = 1, .image = {0, 2, 0xFD, 7}},
         PL_ERRFORMAT_UNKNOWN, "Run-length data exceeds the row."},
        {"literal past the row", {.channels = 1, .mode = 1, .compression = 1, .image = {0, 4, 2, 1, 2, 3}},
         PL_ERRFORMAT_UNKNOWN, "Run-length data exceeds the row."},
        {"packed row past the end", {.channels = 1, .mode = 1, .compression = 1, .image = {0, 9, 1, 1, 2}},
         PL_ERREND_OF_FILE, nullptr},
        {"no columns", {.rows = 0x1A000000, .columns = 0, .image = {}}, PL_ERRFORMAT_UNKNOWN, "Invalid picture size."},
        {"size beyond what a bitmap holds", {.rows = 0x80000000, .image = rgbRaw()}, PL_ERRFORMAT_UNKNOWN, nullptr},
    };
    for (const Case& c : cases) {
        PLAnyBmp bmp;
        ExpectRefused(c.name, c.code, c.text, [&] { decode(makePsd(c.layout), bmp); });
    }
}

TEST(PSDDecoder, Pixels)
{
    struct Case {
        const char* name;
        PsdLayout layout;
        int bpp;
        bool alpha;
        bool grey;
        Bytes rgba;
    };
    Bytes palette(768, 0);
    palette[5] = 0xAA, palette[256 + 5] = 0xBB, palette[512 + 5] = 0xCC;
    const Case cases[] = {
        {"rgb raw", {.image = rgbRaw()}, 32, false, false, {10, 20, 30, 255, 11, 21, 31, 255}},
        {"rgba raw", {.channels = 4, .image = {10, 11, 20, 21, 30, 31, 40, 41}}, 32, true, false,
         {10, 20, 30, 40, 11, 21, 31, 41}},
        {"a fifth channel is dropped", {.channels = 5, .image = {10, 11, 20, 21, 30, 31, 40, 41, 50, 51}}, 32, true,
         false, {10, 20, 30, 40, 11, 21, 31, 41}},
        {"rgb of two channels", {.channels = 2, .image = {10, 11, 20, 21}}, 32, false, false, {10, 20, 0, 255, 11, 21, 0, 255}},
        {"grey keeps channel 0", {.channels = 2, .mode = 1, .image = {10, 11, 99, 99}}, 8, false, true,
         {10, 10, 10, 255, 11, 11, 11, 255}},
        {"indexed", {.channels = 1, .mode = 2, .colourData = palette, .image = {5, 0}}, 8, false, false,
         {0xAA, 0xBB, 0xCC, 255, 0, 0, 0, 255}},
        {"duotone-sized colour data is skipped", {.channels = 1, .mode = 1, .colourData = Bytes(20, 0x38),
                                                  .image = {7, 8}}, 8, false, true, {7, 7, 7, 255, 8, 8, 8, 255}},
        {"16-bit", {.channels = 1, .depth = 16, .mode = 1, .image = {0xFF, 0xFF, 0x12, 0x34}}, 8, false, true,
         {255, 255, 255, 255, 18, 18, 18, 255}},
        {"run-length, narrow rows", {.channels = 3, .columns = 3, .compression = 1,
                                     .image = {0, 2, 0, 4, 0, 2, 0xFE, 9, 2, 1, 2, 3, 0xFE, 7}}, 32, false, false,
         {9, 1, 7, 255, 9, 2, 7, 255, 9, 3, 7, 255}},
        {"run-length, 16-bit", {.channels = 1, .columns = 3, .depth = 16, .mode = 1, .compression = 1,
                                .image = {0, 2, 0xFB, 0xFF}}, 8, false, true,
         {255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255}},
        {"odd resource name and data", {.resources = resource(1000, "abc", {1, 2, 3}), .image = rgbRaw()}, 32, false,
         false, {10, 20, 30, 255, 11, 21, 31, 255}},
        {"layers skipped", {.layers = layerSection(-2, 2), .image = rgbRaw()}, 32, false, false,
         {10, 20, 30, 255, 11, 21, 31, 255}},
    };
    for (const Case& c : cases) {
        PLAnyBmp bmp;
        EXPECT_EQ(decode(makePsd(c.layout), bmp), c.rgba) << c.name;
        EXPECT_EQ(bmp.GetBitsPerPixel(), c.bpp) << c.name;
        EXPECT_EQ(bmp.HasAlpha(), c.alpha) << c.name;
        EXPECT_EQ(bmp.IsGreyscale(), c.grey) << c.name;
    }
}

TEST(PSDDecoder, ResolutionFromItsResource)
{
    struct Case {
        Bytes resources;
        PLPoint resolution;
    };
    const Case cases[] = {
        {resource(0x03ED, "", resolution(72 << 16, 300 << 16)), {72, 300}},
        {resource(0x03ED, "", resolution(0x00488000, 72 << 16)), {72, 72}}, // 72.5 truncated
        {resource(0x03ED, "", Bytes(8, 1)), {0, 0}},                         // too short to hold one
        {resource(1000, "x", {}), {0, 0}},
    };
    for (const Case& c : cases) {
        PLAnyBmp bmp;
        decode(makePsd({.resources = c.resources, .image = rgbRaw()}), bmp);
        EXPECT_EQ(bmp.GetResolution(), c.resolution);
    }
}

TEST(PSDDecoder, LayerCountIsTracedWithoutItsSign)
{
    TempFolder folder;
    const std::string log = folder.Path("trace.txt");
    for (int16_t stored : {5, -5}) {
        PLPicDecoder::SetTraceConfig(2, log.c_str());
        PLPSDDecoder decoder;
        const Bytes file = makePsd({.layers = layerSection(stored, 5), .image = rgbRaw()});
        PLAnyBmp bmp;
        decoder.MakeBmpFromMemory(file.data(), static_cast<int>(file.size()), &bmp);
        PLPicDecoder::SetTraceConfig(0, nullptr);
        EXPECT_EQ(decoder.GetLayerCount(), 5);
        std::ifstream in(log);
        std::stringstream text;
        text << in.rdbuf();
        EXPECT_NE(text.str().find("Number of layers: 5\n"), std::string::npos);
        EXPECT_NE(text.str().find("No compression\n"), std::string::npos);
    }
}

} // namespace
