#include "ErrorCode.h"
#include "Fixtures.h"

#include "piclib/common/PLTextException.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// Tolerances: 16-bit BMPs keep the low bits zero; 16-bit PNGs are cut, not rounded; so are 5-bit TGA
// channels; JPEG-compressed TIFFs round in the colour conversion.
const Fixture Fixtures[] = {
    {"bmp1.bmp", 8, false, false, 0},     {"bmp4.bmp", 8, false, false, 0},
    {"bmp8.bmp", 8, false, false, 0},     {"rle8.bmp", 8, false, false, 0},
    {"os2.bmp", 8, false, false, 0},      {"bmp555.bmp", 32, false, false, 8},
    {"bmp565.bmp", 32, false, false, 12}, {"bmp24.bmp", 32, false, false, 0},
    {"bmp32.bmp", 32, true, false, 0},    {"bmpv5.bmp", 32, true, false, 0},
    {"grey1.png", 8, false, true, 0},     {"grey2.png", 8, false, true, 0},
    {"grey16.png", 8, false, true, 1},    {"rgb8.png", 32, false, false, 0},
    {"rgb16.png", 32, false, false, 1},   {"greyalpha.png", 32, true, false, 0},
    {"palette16.png", 8, false, false, 0}, {"rgba.png", 32, true, false, 0},
    {"interlaced.png", 32, false, false, 0}, {"phys.png", 32, false, false, 0},
    {"tga24.tga", 32, false, false, 0},      {"tgarle24.tga", 32, false, false, 0},
    {"tgamapped.tga", 8, false, false, 0},   {"tgarlemapped.tga", 8, false, false, 0},
    {"tgamono.tga", 8, false, true, 0},      {"tgarlemono.tga", 8, false, true, 0},
    {"tga32.tga", 32, true, false, 0},       {"tga16.tga", 32, true, false, 8},
    {"tgamapped16.tga", 32, false, false, 0}, {"tgatopleft.tga", 32, false, false, 0},
    {"tgatopright.tga", 32, false, false, 0}, {"tgabottomright.tga", 32, false, false, 0},
    {"tifbilevelwhite.tif", 1, false, true, 0}, {"tifbilevelblack.tif", 1, false, true, 0},
    {"tifgrey4.tif", 8, false, true, 0},     {"tifpalette.tif", 8, false, false, 0},
    {"tiftiled.tif", 32, false, true, 0},    {"tifrgba.tif", 32, true, false, 0},
    {"tiflzw.tif", 32, false, false, 0},     {"tifdeflate.tif", 32, false, false, 0},
    {"tifpackbits.tif", 32, false, false, 0}, {"tifjpeg.tif", 32, false, false, 2},
    {"tifplanar.tif", 32, false, false, 0},  {"tif16.tif", 32, false, false, 1},
    {"tifcm.tif", 32, false, false, 0},      {"gifplain.gif", 8, false, false, 0},
    {"gifinterlaced.gif", 8, false, false, 0}, {"giflocal.gif", 8, false, false, 0},
    {"giftransparent.gif", 8, true, false, 0}, {"gifanimated.gif", 8, false, false, 0},
    {"pcx1.pcx", 32, false, false, 0},       {"pcx2.pcx", 32, false, false, 0},
    {"pcx4.pcx", 32, false, false, 0},       {"pcx8.pcx", 32, false, false, 0},
    {"pcx24.pcx", 32, false, false, 0},      {"pcxplanes3.pcx", 32, false, false, 0},
    {"pcxplanes4.pcx", 32, false, false, 0}, {"pgmplain.pgm", 8, false, true, 0},
    {"pgmraw.pgm", 8, false, true, 0},       {"pgmraw15.pgm", 8, false, true, 0},
    {"pgmraw1000.pgm", 8, false, true, 0},   {"pgmraw65535.pgm", 8, false, true, 0},
    {"pgmplain15.pgm", 8, false, true, 0},   {"pgmplain1000.pgm", 8, false, true, 0},
    {"pgmplain65535.pgm", 8, false, true, 0},
    {"ppmplain.ppm", 32, false, false, 0},   {"ppmraw.ppm", 32, false, false, 0},
    {"ppmplain15.ppm", 32, false, false, 0}, {"ppmraw15.ppm", 32, false, false, 0},
    {"ppmplain1000.ppm", 32, false, false, 0}, {"ppmraw1000.ppm", 32, false, false, 0},
    {"ppmplain65535.ppm", 32, false, false, 0}, {"ppmraw65535.ppm", 32, false, false, 0},
};

class DecodesLikeTheReference : public testing::TestWithParam<Fixture> {};

TEST_P(DecodesLikeTheReference, PixelsAndDescription)
{
    const Fixture& f = GetParam();
    PLAnyBmp bmp;
    DecodeBytes(FixtureBytes(f.file), bmp);
    EXPECT_EQ(bmp.GetWidth(), 13);
    EXPECT_EQ(bmp.GetHeight(), 7);
    EXPECT_EQ(bmp.GetBitsPerPixel(), f.bpp);
    EXPECT_EQ(bmp.HasAlpha(), f.alpha);
    EXPECT_EQ(bmp.IsGreyscale(), f.grey);
    const int difference = LargestDifference(RgbaOf(bmp), FixtureBytes(std::string(f.file) + ".rgba"));
    EXPECT_GE(difference, 0);
    EXPECT_LE(difference, f.tolerance);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, DecodesLikeTheReference, testing::ValuesIn(Fixtures), FixtureTestName());

TEST(DecodesLikeTheReference, InterlacedEqualsItsPlainTwin)
{
    PLAnyBmp plain, interlaced;
    DecodeBytes(FixtureBytes("rgb8.png"), plain);
    DecodeBytes(FixtureBytes("interlaced.png"), interlaced);
    EXPECT_EQ(RgbaOf(plain), RgbaOf(interlaced));
}

TEST(DecodesLikeTheReference, PngGreyRampsAndResolution)
{
    PLAnyBmp bmp;
    DecodeBytes(FixtureBytes("grey2.png"), bmp);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(bmp.GetPalette()[i].g, i * 85);
    DecodeBytes(FixtureBytes("grey1.png"), bmp);
    EXPECT_EQ(bmp.GetPalette()[1], (PLPixel32{255, 255, 255, 255}));
    DecodeBytes(FixtureBytes("phys.png"), bmp);
    EXPECT_EQ(bmp.GetResolution(), (PLPoint{96, 96}));
    DecodeBytes(FixtureBytes("rgb8.png"), bmp);
    EXPECT_EQ(bmp.GetResolution(), (PLPoint{0, 0}));
    DecodeBytes(FixtureBytes("palette16.png"), bmp);
    EXPECT_EQ(bmp.GetPalette()[200], (PLPixel32{200, 200, 200, 255}));
}

// Every shortened fixture either decodes or fails with one of its format's codes.
TEST(TruncatedFixtures, FailWithTheFormatsCodes)
{
    struct Case {
        const char* file;
        std::set<int> codes;
    };
    const Case cases[] = {
        {"bmp4.bmp", {PL_ERRUNKNOWN_FILE_TYPE, PL_ERREND_OF_FILE}},
        {"bmp8.bmp", {PL_ERRUNKNOWN_FILE_TYPE, PL_ERREND_OF_FILE}},
        {"rle8.bmp", {PL_ERRUNKNOWN_FILE_TYPE, PL_ERREND_OF_FILE}},
        {"os2.bmp", {PL_ERRUNKNOWN_FILE_TYPE, PL_ERREND_OF_FILE}},
        {"bmpv5.bmp", {PL_ERRUNKNOWN_FILE_TYPE, PL_ERREND_OF_FILE}},
        {"rgba.png", {PL_ERRUNKNOWN_FILE_TYPE, PL_ERREND_OF_FILE, PL_ERRFORMAT_UNKNOWN}},
        {"interlaced.png", {PL_ERRUNKNOWN_FILE_TYPE, PL_ERREND_OF_FILE, PL_ERRFORMAT_UNKNOWN}},
        {"progressive.jpg", {PL_ERRUNKNOWN_FILE_TYPE, PL_ERRFORMAT_NOT_SUPPORTED}},
        {"colour.jpg", {PL_ERRUNKNOWN_FILE_TYPE, PL_ERRFORMAT_NOT_SUPPORTED}},
    };
    for (const Case& c : cases) {
        const auto bytes = FixtureBytes(c.file);
        for (size_t length = 0; length < bytes.size(); ++length) {
            const std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + length);
            PLAnyBmp bmp;
            const int code = ErrorCodeOf([&] { DecodeBytes(cut, bmp); });
            if (code != 0) {
                ASSERT_TRUE(c.codes.count(code)) << c.file << " cut at " << length << " gave " << code;
            }
        }
    }
}

TEST(TruncatedFixtures, TypicalCuts)
{
    struct Case {
        const char* file;
        double keep;
        int code;
    };
    const Case cases[] = {
        {"bmp24.bmp", 0.5, PL_ERREND_OF_FILE},  {"rle8.bmp", 0.95, PL_ERREND_OF_FILE},
        {"rgb8.png", 0.5, PL_ERREND_OF_FILE},   {"colour.jpg", 0.1, PL_ERRFORMAT_NOT_SUPPORTED},
        {"colour.jpg", 0.8, 0}, // libjpeg fills in the missing end
    };
    for (const Case& c : cases) {
        auto bytes = FixtureBytes(c.file);
        bytes.resize(static_cast<size_t>(bytes.size() * c.keep));
        PLAnyBmp bmp;
        EXPECT_EQ(ErrorCodeOf([&] { DecodeBytes(bytes, bmp); }), c.code) << c.file << " " << c.keep;
    }
}

TEST(CorruptedFixtures, PngChecksumAndJpegMarkers)
{
    auto png = FixtureBytes("rgb8.png");
    png[29] ^= 0xFF; // inside the IHDR checksum
    PLAnyBmp bmp;
    EXPECT_EQ(ErrorCodeOf([&] { DecodeBytes(png, bmp); }), PL_ERRFORMAT_UNKNOWN);
    auto jpeg = FixtureBytes("colour.jpg");
    for (size_t i = 2; i + 4 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
            jpeg[i + 4] = 3; // sample precision
            break;
        }
    EXPECT_EQ(ErrorCodeOf([&] { DecodeBytes(jpeg, bmp); }), PL_ERRFORMAT_NOT_SUPPORTED);
}

} // namespace
