#include "ErrorCode.h"
#include "Fixtures.h"

#include "piclib/common/PLTextException.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>

namespace {

// The fixtures of these formats, found by their extensions.
std::vector<std::string> rasterFixtures()
{
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(VANTREL_TEST_DATA)) {
        const std::string extension = entry.path().extension().string();
        if (extension == ".tga" || extension == ".tif" || extension == ".gif" || extension == ".pcx" ||
            extension == ".pgm" || extension == ".ppm")
            files.push_back(entry.path().filename().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

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
    const auto files = rasterFixtures();
    ASSERT_EQ(files.size(), 53u);
    for (const std::string& file : files) {
        const auto bytes = FixtureBytes(file);
        const std::set<int> codes = codesOf(file);
        for (size_t length = 0; length < bytes.size(); ++length) {
            const std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + length);
            PLAnyBmp bmp;
            const int code = ErrorCodeOf([&] { DecodeBytes(cut, bmp); });
            if (code != 0) {
                ASSERT_TRUE(codes.count(code)) << file << " cut at " << length << " gave " << code;
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

TEST(RasterFixtures, TiffPreviewOfAnEpsFile)
{
    const auto tiff = FixtureBytes("tiflzw.tif");
    std::vector<uint8_t> eps(32, 0);
    const uint8_t start[] = {0xC5, 0xD0, 0xD3, 0xC6};
    std::copy(std::begin(start), std::end(start), eps.begin());
    eps[20] = 32;                  // preview offset
    eps[24] = uint8_t(tiff.size()); // preview length (low byte is enough to be non-zero)
    eps.insert(eps.end(), tiff.begin(), tiff.end());
    PLAnyBmp bmp;
    DecodeBytes(eps, bmp);
    EXPECT_EQ(RgbaOf(bmp), FixtureBytes("tiflzw.tif.rgba"));
}

// Each byte inverted in turn: the decoders give a picture or one of the format's codes.
TEST(RasterCorruptedFixtures, EveryByteInverted)
{
    const auto files = rasterFixtures();
    ASSERT_EQ(files.size(), 53u);
    for (const std::string& file : files) {
        const auto bytes = FixtureBytes(file);
        const std::set<int> codes = codesOf(file);
        for (size_t i = 0; i < bytes.size(); ++i) {
            auto damaged = bytes;
            damaged[i] ^= 0xFF;
            PLAnyBmp bmp;
            const int code = ErrorCodeOf([&] { DecodeBytes(damaged, bmp); });
            if (code != 0) {
                ASSERT_TRUE(codes.count(code)) << file << " byte " << i << " gave " << code;
            }
        }
    }
}

} // namespace
