#include "ErrorCode.h"
#include "HandBuilt.h"

#include "piclib/common/PLPGMDecoder.h"
#include "piclib/common/PLPPMDecoder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

Bytes decode(PLPicDecoder& decoder, const std::string& file, PLAnyBmp& bmp)
{
    decoder.MakeBmpFromMemory(reinterpret_cast<const uint8_t*>(file.data()), static_cast<int>(file.size()), &bmp);
    return RgbaOf(bmp);
}

Bytes greys(std::initializer_list<uint8_t> values)
{
    Bytes out;
    for (uint8_t v : values)
        out.insert(out.end(), {v, v, v, 255});
    return out;
}

struct Case {
    const char* what;
    std::string file;
    Bytes rgba;
};

TEST(PGMDecoder, HeadersAndSamples)
{
    using namespace std::string_literals;
    const Case cases[] = {
        {"binary, maximum 15", "P5 2 1 15\n\x00\x0F"s, greys({0, 255})},
        {"binary, maximum 1000 in two bytes", "P5 3 1 1000\n\x00\x00\x01\xF4\x03\xE8"s, greys({0, 127, 255})},
        {"binary, maximum 65535", "P5 2 1 65535\n\x80\x00\xFF\xFF"s, greys({127, 255})},
        {"maximum 0 means 255", "P5 1 1 0\n\x80"s, greys({128})},
        {"maximum above 65535 means 255", "P5 1 1 70000\n\x80"s, greys({128})},
        {"binary sample above the maximum", "P5 1 1 15\n\xC8"s, greys({255})},
        {"comment between width and height", "P2 2 # width\n1 255\n10 20\n"s, greys({10, 20})},
        {"tabs separate", "P2\t2\t1\t255\t7\t9"s, greys({7, 9})},
        {"text sample above the maximum clips", "P2 2 1 255 300 255"s, greys({255, 255})},
        {"text samples are not cut to 8 bits", "P2 2 1 1000 1000 500"s, greys({255, 127})},
    };
    for (const Case& c : cases) {
        PLPGMDecoder decoder;
        PLAnyBmp bmp;
        EXPECT_EQ(decode(decoder, c.file, bmp), c.rgba) << c.what;
        EXPECT_TRUE(bmp.IsGreyscale());
        EXPECT_EQ(bmp.GetBitsPerPixel(), 8);
    }
}

TEST(PPMDecoder, HeadersAndSamples)
{
    using namespace std::string_literals;
    const Case cases[] = {
        {"binary, maximum 255", "P6 1 1 255\n\x0A\x14\x1E"s, {10, 20, 30, 255}},
        {"text, maximum 100", "P3 1 1 100\n100 50 0\n"s, {255, 127, 0, 255}},
        {"binary, maximum 1000", "P6 1 1 1000\n\x03\xE8\x01\xF4\x00\x00"s, {255, 127, 0, 255}},
        {"text without a final line feed", "P3\n1 1\n255\n1 2 3"s, {1, 2, 3, 255}},
        {"text sample above 255", "P3 1 1 255 256 0 0"s, {255, 0, 0, 255}},
    };
    for (const Case& c : cases) {
        PLPPMDecoder decoder;
        PLAnyBmp bmp;
        EXPECT_EQ(decode(decoder, c.file, bmp), c.rgba) << c.what;
        EXPECT_EQ(bmp.GetBitsPerPixel(), 32);
        EXPECT_FALSE(bmp.HasAlpha());
    }
}

TEST(PNMDecoders, Refusals)
{
    using namespace std::string_literals;
    struct Refusal {
        const char* what;
        bool pixelMap;
        std::string file;
        int code;
    };
    const Refusal cases[] = {
        {"P4 as grey map", false, "P4 1 1\n\x00"s, PL_ERRFORMAT_UNKNOWN},
        {"P4 as pixel map", true, "P4 1 1\n\x00"s, PL_ERRFORMAT_UNKNOWN},
        {"P6 as grey map", false, "P6 1 1 255\n\x00\x00\x00"s, PL_ERRFORMAT_UNKNOWN},
        {"no P", false, "Q5 1 1 255\n\x00"s, PL_ERRFORMAT_UNKNOWN},
        {"width overflows", false, "P2 99999999999 1 255 0"s, PL_ERRINTERNAL},
        {"sample overflows", true, "P3 1 1 255 0 0 99999999999"s, PL_ERRINTERNAL},
        {"letter in the header", false, "P2 2 x 255 0 0"s, PL_ERRINTERNAL},
        {"letter in the samples", true, "P3 1 1 255 0 x 0"s, PL_ERRINTERNAL},
        {"zero width", false, "P5 0 100000000 255\n"s, PL_ERRINTERNAL},
        {"header cut short", false, "P5 2 1"s, PL_ERREND_OF_FILE},
        {"binary samples cut short", true, "P6 2 1 255\n\x01\x02\x03"s, PL_ERREND_OF_FILE},
        {"two-byte samples cut short", false, "P5 2 1 1000\n\x01\x02\x03"s, PL_ERREND_OF_FILE},
        {"text samples cut short", true, "P3 1 1 255 1 2"s, PL_ERREND_OF_FILE},
        {"comment to the end", false, "P2 1 # no end"s, PL_ERREND_OF_FILE},
        {"huge picture", false, "P5 100000 100000 255\n"s, PL_ERRNO_MEMORY},
    };
    for (const Refusal& c : cases) {
        PLPGMDecoder grey;
        PLPPMDecoder colour;
        PLPicDecoder& decoder = c.pixelMap ? static_cast<PLPicDecoder&>(colour) : grey;
        PLAnyBmp bmp;
        EXPECT_EQ(ErrorCodeOf([&] { decode(decoder, c.file, bmp); }), c.code) << c.what;
    }
}

} // namespace
