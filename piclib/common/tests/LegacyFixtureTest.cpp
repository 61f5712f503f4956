// PICT, IFF-85, SGI and PSD pictures made by ImageMagick and netpbm decode to the
// pixels those tools read back.
#include "ErrorCode.h"
#include "Fixtures.h"

#include "piclib/common/PLTextException.h"

#include <gtest/gtest.h>

#include <set>

namespace {

const Fixture Fixtures[] = {
    {"direct.pict", 32, false, false, 0},
    {"palette.pict", 8, false, false, 1}, // colour tables keep the high byte
    {"jpeg.pict", 32, false, false, 8}, // the JPEG decoder's fast upsampling
    {"rgb.sgi", 32, false, false, 0},
    {"rgba.sgi", 32, true, false, 0},
    {"grey.sgi", 8, false, true, 0},
    {"rgb16.sgi", 32, false, false, 0},
    {"rgb.psd", 32, false, false, 0},
    {"rle.psd", 32, false, false, 0},
    {"rgba.psd", 32, true, false, 0},
    {"grey.psd", 8, false, true, 0},
    {"indexed.psd", 8, false, false, 0},
    {"rgb16.psd", 32, false, false, 0},
    {"density.psd", 32, false, false, 0},
    {"palette.iff", 8, false, false, 0},
    {"raw.iff", 8, false, false, 0},
    {"maskplane.iff", 8, false, false, 0},
    {"transparent.iff", 32, true, false, 0},
    {"deep.iff", 32, false, false, 0},
    {"ham6.iff", 32, false, false, 15}, // HAM6 levels are v * 16, the reference's v * 17
    {"ham8.iff", 32, false, false, 3}, // HAM8 levels are v * 4 + v / 16, the reference's v * 4
};

std::string path(const std::string& file)
{
    return "legacy/" + file;
}

class LegacyDecodesLikeTheReference : public testing::TestWithParam<Fixture> {};

TEST_P(LegacyDecodesLikeTheReference, PixelsAndDescription)
{
    const Fixture& f = GetParam();
    PLAnyBmp bmp;
    DecodeBytes(FixtureBytes(path(f.file)), bmp);
    const auto reference = FixtureBytes(path(f.file) + ".rgba");
    EXPECT_EQ(static_cast<size_t>(bmp.GetWidth()) * bmp.GetHeight() * 4, reference.size());
    EXPECT_EQ(bmp.GetBitsPerPixel(), f.bpp);
    EXPECT_EQ(bmp.HasAlpha(), f.alpha);
    EXPECT_EQ(bmp.IsGreyscale(), f.grey);
    const int difference = LargestDifference(RgbaOf(bmp), reference);
    EXPECT_GE(difference, 0);
    EXPECT_LE(difference, f.tolerance);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, LegacyDecodesLikeTheReference, testing::ValuesIn(Fixtures), FixtureTestName());

TEST(LegacyDecodesLikeTheReference, PictAlphaComesFromTheFirstPlane)
{
    // The source fades from opaque at the top to transparent at the bottom.
    PLAnyBmp bmp;
    DecodeBytes(FixtureBytes(path("alpha.pict")), bmp);
    ASSERT_EQ(bmp.GetHeight(), 7);
    EXPECT_TRUE(bmp.HasAlpha());
    const auto rgba = RgbaOf(bmp);
    const auto reference = FixtureBytes(path("alpha.pict.rgba"));
    for (size_t i = 0; i < rgba.size(); ++i)
        if (i % 4 != 3) {
            ASSERT_EQ(rgba[i], reference[i]) << i;
        }
    EXPECT_EQ(rgba[3], 255);
    EXPECT_EQ(rgba[rgba.size() - 1], 0);
}

TEST(LegacyDecodesLikeTheReference, ResolutionAndPalettes)
{
    PLAnyBmp bmp;
    DecodeBytes(FixtureBytes(path("density.psd")), bmp);
    EXPECT_EQ(bmp.GetResolution(), (PLPoint{72, 72}));
    DecodeBytes(FixtureBytes(path("grey.psd")), bmp);
    EXPECT_EQ(bmp.GetPalette()[200], (PLPixel32{200, 200, 200, 255}));
}

TEST(LegacyDecodesLikeTheReference, RecognisedByTheFrontEnd)
{
    const std::pair<const char*, int> cases[] = {
        {"direct.pict", PLAnyPicDecoder::PL_FT_MACPICT}, {"ham8.iff", PLAnyPicDecoder::PL_FT_IFF85},
        {"rgb.sgi", PLAnyPicDecoder::PL_FT_SGI},          {"rle.psd", PLAnyPicDecoder::PL_FT_PSD},
    };
    for (const auto& [file, type] : cases) {
        PLAnyPicDecoder decoder;
        const auto bytes = FixtureBytes(path(file));
        PLAnyBmp bmp;
        decoder.MakeBmpFromMemory(bytes.data(), static_cast<int>(bytes.size()), &bmp);
        EXPECT_EQ(decoder.GetFileFormat(), type) << file;
    }
}

// Every shortened fixture either decodes or fails with one of the codes its reader uses.
TEST(LegacyTruncatedFixtures, FailWithTheFormatsCodes)
{
    const std::set<int> codes{PL_ERRUNKNOWN_FILE_TYPE, PL_ERREND_OF_FILE, PL_ERRFORMAT_UNKNOWN,
                              PL_ERRFORMAT_NOT_SUPPORTED, PL_ERRWRONG_SIGNATURE};
    for (const Fixture& f : Fixtures) {
        const auto bytes = FixtureBytes(path(f.file));
        for (size_t length = 0; length < bytes.size(); ++length) {
            const std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + length);
            PLAnyBmp bmp;
            const int code = ErrorCodeOf([&] { DecodeBytes(cut, bmp); });
            ASSERT_TRUE(code == 0 || codes.count(code)) << f.file << " cut at " << length << " gave " << code;
        }
    }
}

TEST(LegacyTruncatedFixtures, CutsInThePixelsEndTheFile)
{
    for (const char* file : {"direct.pict", "palette.pict", "rgb.sgi", "rgb16.sgi", "rgb.psd", "rle.psd", "raw.iff"}) {
        const auto bytes = FixtureBytes(path(file));
        const std::vector<uint8_t> cut(bytes.begin(), bytes.end() - 20);
        PLAnyBmp bmp;
        const int code = ErrorCodeOf([&] { DecodeBytes(cut, bmp); });
        EXPECT_TRUE(code == PL_ERREND_OF_FILE) << file << " gave " << code;
    }
}

} // namespace
