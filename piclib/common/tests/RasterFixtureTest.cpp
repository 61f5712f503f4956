#include "ErrorCode.h"
#include "Fixtures.h"

#include "piclib/common/PLTextException.h"

#include <gtest/gtest.h>

#include <set>

namespace {

struct Fixture {
    const char* file;
    int bpp;
    bool alpha;
    bool grey;
    int tolerance; // 5-bit channels are cut, not scaled; JPEG colour conversion rounds
};

const Fixture Fixtures[] = {
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
    {"ppmplain.ppm", 32, false, false, 0},   {"ppmraw.ppm", 32, false, false, 0},
    {"ppmplain15.ppm", 32, false, false, 0}, {"ppmraw15.ppm", 32, false, false, 0},
    {"ppmplain1000.ppm", 32, false, false, 0}, {"ppmraw1000.ppm", 32, false, false, 0},
    {"ppmplain65535.ppm", 32, false, false, 0}, {"ppmraw65535.ppm", 32, false, false, 0},
};

class RasterDecodesLikeTheReference : public testing::TestWithParam<Fixture> {};

TEST_P(RasterDecodesLikeTheReference, PixelsAndDescription)
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

INSTANTIATE_TEST_SUITE_P(Fixtures, RasterDecodesLikeTheReference, testing::ValuesIn(Fixtures),
                         [](const auto& info) {
                             std::string name = info.param.file;
                             for (char& c : name)
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

bool hasExtension(const std::string& file, const char* extension)
{
    return file.size() > 4 && file.compare(file.size() - 4, 4, extension) == 0;
}

// The codes a damaged file of this format may give.
std::set<int> codesOf(const std::string& file)
{
    std::set<int> codes{PL_ERRUNKNOWN_FILE_TYPE, PL_ERREND_OF_FILE};
    if (hasExtension(file, ".tga"))
        codes.insert(PL_ERRFORMAT_UNKNOWN);
    if (hasExtension(file, ".tif"))
        codes.insert({PL_ERRWRONG_SIGNATURE, PL_ERRFORMAT_UNKNOWN, PL_ERRINTERNAL, PL_ERRNO_MEMORY});
    if (hasExtension(file, ".gif"))
        codes.insert({PL_ERRWRONG_SIGNATURE, PL_ERRFORMAT_UNKNOWN});
    if (hasExtension(file, ".pcx"))
        codes.insert({PL_ERRWRONG_SIGNATURE, PL_ERRFORMAT_UNKNOWN, PL_ERRINTERNAL, PL_ERRNO_MEMORY});
    if (hasExtension(file, ".pgm") || hasExtension(file, ".ppm"))
        codes.insert({PL_ERRFORMAT_UNKNOWN, PL_ERRINTERNAL, PL_ERRNO_MEMORY});
    return codes;
}

// Every shortened fixture either decodes or fails with one of its format's codes.
TEST(RasterTruncatedFixtures, FailWithTheFormatsCodes)
{
    for (const Fixture& f : Fixtures) {
        const auto bytes = FixtureBytes(f.file);
        const std::set<int> codes = codesOf(f.file);
        for (size_t length = 0; length < bytes.size(); ++length) {
            const std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + length);
            PLAnyBmp bmp;
            const int code = ErrorCodeOf([&] { DecodeBytes(cut, bmp); });
            if (code != 0) {
                ASSERT_TRUE(codes.count(code)) << f.file << " cut at " << length << " gave " << code;
            }
        }
    }
}

TEST(RasterTruncatedFixtures, TypicalCuts)
{
    struct Case {
        const char* file;
        double keep;
        int code;
    };
    const Case cases[] = {
        {"tga24.tga", 0.5, PL_ERREND_OF_FILE},        {"tgarlemapped.tga", 0.9, PL_ERREND_OF_FILE},
        {"tiflzw.tif", 0.5, PL_ERRWRONG_SIGNATURE},   {"gifplain.gif", 0.5, PL_ERREND_OF_FILE},
        {"pcx8.pcx", 0.95, PL_ERREND_OF_FILE},        {"pgmplain.pgm", 0.5, PL_ERREND_OF_FILE},
        {"ppmraw65535.ppm", 0.5, PL_ERREND_OF_FILE},
    };
    for (const Case& c : cases) {
        auto bytes = FixtureBytes(c.file);
        bytes.resize(static_cast<size_t>(bytes.size() * c.keep));
        PLAnyBmp bmp;
        EXPECT_EQ(ErrorCodeOf([&] { DecodeBytes(bytes, bmp); }), c.code) << c.file << " " << c.keep;
    }
}

// Each byte inverted in turn: the decoders give a picture or one of the format's codes.
TEST(RasterCorruptedFixtures, EveryByteInverted)
{
    for (const Fixture& f : Fixtures) {
        const auto bytes = FixtureBytes(f.file);
        const std::set<int> codes = codesOf(f.file);
        for (size_t i = 0; i < bytes.size(); ++i) {
            auto damaged = bytes;
            damaged[i] ^= 0xFF;
            PLAnyBmp bmp;
            const int code = ErrorCodeOf([&] { DecodeBytes(damaged, bmp); });
            if (code != 0) {
                ASSERT_TRUE(codes.count(code)) << f.file << " byte " << i << " gave " << code;
            }
        }
    }
}

} // namespace
