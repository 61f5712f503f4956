#include "BigEndianBytes.h"
#include "DecoderChecks.h"
#include "ErrorCode.h"
#include "Fixtures.h"

#include "piclib/common/PLSGIDecoder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct SgiLayout {
    uint16_t magic = 474;
    uint8_t storage = 0;
    uint8_t bytesPerChannel = 1;
    uint16_t dimension = 3;
    uint16_t width = 2;
    uint16_t height = 2;
    uint16_t channels = 1;
    uint32_t colourMap = 0;
    Bytes samples;
};

Bytes makeSgi(const SgiLayout& s)
{
    Bytes out;
    PutBE16(out, s.magic);
    out.insert(out.end(), {s.storage, s.bytesPerChannel});
    PutBE16(out, s.dimension), PutBE16(out, s.width), PutBE16(out, s.height), PutBE16(out, s.channels);
    PutBE32(out, 0), PutBE32(out, 255);
    out.resize(104, 0);
    PutBE32(out, s.colourMap);
    out.resize(512, 0);
    PutBytes(out, s.samples);
    return out;
}

std::vector<uint8_t> decode(const Bytes& file, PLAnyBmp& bmp)
{
    PLSGIDecoder decoder;
    return DecodeWith(decoder, file, bmp);
}

TEST(SGIDecoder, Refusals)
{
    struct Case {
        const char* name;
        SgiLayout layout;
        int code;
        const char* text;
    };
    const Bytes four(4, 7);
    const Case cases[] = {
        {"magic", {.magic = 475, .samples = four}, PL_ERRWRONG_SIGNATURE, "SGI decoder invoked for non-SGI file."},
        {"two channels", {.channels = 2, .samples = four}, PL_ERRFORMAT_NOT_SUPPORTED,
         "Two-channel SGI RGB files are not supported."},
        {"two channels, compressed", {.storage = 1, .channels = 2, .samples = {}}, PL_ERRFORMAT_NOT_SUPPORTED,
         "Two-channel SGI RGB files are not supported."},
        {"no channels", {.channels = 0, .samples = {}}, PL_ERRFORMAT_NOT_SUPPORTED, nullptr},
        {"five channels", {.channels = 5, .samples = Bytes(20, 1)}, PL_ERRFORMAT_NOT_SUPPORTED, nullptr},
        {"one dimension", {.dimension = 1, .samples = four}, PL_ERRFORMAT_NOT_SUPPORTED,
         "One-dimensional SGI RGB files are not supported."},
        {"run-length", {.storage = 1, .channels = 3, .samples = Bytes(12, 1)}, PL_ERRFORMAT_NOT_SUPPORTED,
         "Compressed SGI RGB files are not supported."},
        {"three bytes a channel", {.bytesPerChannel = 3, .samples = Bytes(12, 1)}, PL_ERRFORMAT_NOT_SUPPORTED, nullptr},
        {"samples missing", {.width = 100, .height = 100, .samples = four}, PL_ERREND_OF_FILE, nullptr},
        {"last sample missing", {.channels = 3, .samples = Bytes(11, 1)}, PL_ERREND_OF_FILE, nullptr},
    };
    for (const Case& c : cases) {
        PLAnyBmp bmp;
        ExpectRefused(c.name, c.code, c.text, [&] { decode(makeSgi(c.layout), bmp); });
    }
    // These messages go out as they stand, without the decoders' framing.
    try {
        PLAnyBmp bmp;
        decode(makeSgi({.magic = 1, .samples = four}), bmp);
    } catch (const PLTextException& e) {
        EXPECT_STREQ(e.GetErrorText(), "SGI decoder invoked for non-SGI file.");
    }
}

TEST(SGIDecoder, ShortHeaderEndsTheFile)
{
    for (size_t length : {0, 2, 100, 511}) {
        Bytes file = makeSgi({.samples = Bytes(4, 1)});
        file.resize(length);
        PLAnyBmp bmp;
        EXPECT_EQ(ErrorCodeOf([&] { decode(file, bmp); }), PL_ERREND_OF_FILE) << length;
    }
    // The magic is judged only once the whole header is there.
    Bytes file = makeSgi({.magic = 1, .samples = {}});
    file.resize(511);
    PLAnyBmp bmp;
    EXPECT_EQ(ErrorCodeOf([&] { decode(file, bmp); }), PL_ERREND_OF_FILE);
}

TEST(SGIDecoder, Pixels)
{
    struct Case {
        const char* name;
        SgiLayout layout;
        int bpp;
        bool alpha;
        bool grey;
        Bytes rgba; // rows from the top
    };
    const Case cases[] = {
        {"grey, bottom row first", {.samples = {1, 2, 3, 4}}, 8, false, true,
         {3, 3, 3, 255, 4, 4, 4, 255, 1, 1, 1, 255, 2, 2, 2, 255}},
        {"one channel with a colour map kind", {.colourMap = 1, .samples = {1, 2, 3, 4}}, 8, false, false,
         {3, 3, 3, 255, 4, 4, 4, 255, 1, 1, 1, 255, 2, 2, 2, 255}},
        {"rgb, channel after channel", {.width = 2, .height = 1, .channels = 3, .samples = {1, 2, 3, 4, 5, 6}}, 32,
         false, false, {1, 3, 5, 255, 2, 4, 6, 255}},
        {"rgba", {.width = 1, .height = 2, .channels = 4, .samples = {1, 2, 3, 4, 5, 6, 7, 8}}, 32, true, false,
         {2, 4, 6, 8, 1, 3, 5, 7}},
        {"two bytes a channel", {.bytesPerChannel = 2, .width = 3, .height = 1, .samples = {0xFF, 0xFF, 0x12, 0x34, 0, 0x81}},
         8, false, true, {255, 255, 255, 255, 18, 18, 18, 255, 1, 1, 1, 255}},
    };
    for (const Case& c : cases) {
        PLAnyBmp bmp;
        EXPECT_EQ(decode(makeSgi(c.layout), bmp), c.rgba) << c.name;
        EXPECT_EQ(bmp.GetBitsPerPixel(), c.bpp) << c.name;
        EXPECT_EQ(bmp.HasAlpha(), c.alpha) << c.name;
        EXPECT_EQ(bmp.IsGreyscale(), c.grey) << c.name;
    }
}

} // namespace
