#include "piclib/common/PLTiffMemory.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Procs {
    TIFF* tif;
    thandle_t h;
    tmsize_t write(size_t n)
    {
        std::vector<uint8_t> bytes(n, 0xAB);
        return TIFFGetWriteProc(tif)(h, bytes.data(), static_cast<tmsize_t>(n));
    }
    toff_t seek(int64_t offset, int whence) { return TIFFGetSeekProc(tif)(h, static_cast<toff_t>(offset), whence); }
    toff_t size() { return TIFFGetSizeProc(tif)(h); }
};

TEST(TiffMemory, WriteModeSizeIsTheHighestPositionReached)
{
    std::vector<uint8_t> area(1000);
    size_t written = 99;
    TIFF* tif = TIFFOpenMem(area.data(), area.size(), &written);
    ASSERT_NE(tif, nullptr);
    EXPECT_EQ(written, 8u); // libtiff writes its header on opening
    Procs p{tif, TIFFClientdata(tif)};
    EXPECT_EQ(p.seek(0, SEEK_SET), 0u);
    EXPECT_EQ(p.write(500), 500);
    EXPECT_EQ(p.seek(100, SEEK_SET), 100u);
    EXPECT_EQ(p.write(100), 100);
    EXPECT_EQ(written, 500u);
    EXPECT_EQ(p.size(), 500u);
    EXPECT_EQ(p.seek(0, SEEK_END), 500u);
    EXPECT_EQ(p.seek(-50, SEEK_CUR), 450u);
    TIFFGetCloseProc(tif)(p.h);
    TIFFCleanup(tif);
}

TEST(TiffMemory, PositionsStayInsideTheArea)
{
    std::vector<uint8_t> area(64);
    size_t written = 0;
    TIFF* tif = TIFFOpenMem(area.data(), area.size(), &written);
    ASSERT_NE(tif, nullptr);
    Procs p{tif, TIFFClientdata(tif)};
    struct Case {
        int64_t offset;
        int whence;
        toff_t expected;
    };
    const Case seeks[] = {
        {10, SEEK_SET, 10}, {-11, SEEK_CUR, toff_t(-1)}, {-1, SEEK_SET, toff_t(-1)}, {1000, SEEK_SET, 64},
        {5, SEEK_END, 64},  {-70, SEEK_END, toff_t(-1)}, {INT64_MIN, SEEK_CUR, toff_t(-1)}, {7, 99, toff_t(-1)},
    };
    for (const Case& c : seeks)
        EXPECT_EQ(p.seek(c.offset, c.whence), c.expected) << c.offset << " " << c.whence;
    EXPECT_EQ(p.seek(60, SEEK_SET), 60u);
    EXPECT_EQ(p.write(10), 4);
    EXPECT_EQ(written, 64u);
    EXPECT_EQ(p.write(1), 0);
    TIFFGetCloseProc(tif)(p.h);
    TIFFCleanup(tif);
}

TEST(TiffMemory, WrittenFileReadsBack)
{
    std::vector<uint8_t> area(4096);
    size_t written = 0;
    TIFF* out = TIFFOpenMem(area.data(), area.size(), &written);
    ASSERT_NE(out, nullptr);
    TIFFSetField(out, TIFFTAG_IMAGEWIDTH, 4);
    TIFFSetField(out, TIFFTAG_IMAGELENGTH, 2);
    TIFFSetField(out, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(out, TIFFTAG_SAMPLESPERPIXEL, 1);
    TIFFSetField(out, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK);
    uint8_t row[4] = {1, 2, 3, 4};
    ASSERT_EQ(TIFFWriteScanline(out, row, 0, 0), 1);
    row[0] = 9;
    ASSERT_EQ(TIFFWriteScanline(out, row, 1, 0), 1);
    TIFFClose(out);
    ASSERT_GT(written, 8u);

    TIFF* in = TIFFOpenMem(area.data(), written, nullptr);
    ASSERT_NE(in, nullptr);
    uint32_t width = 0;
    TIFFGetField(in, TIFFTAG_IMAGEWIDTH, &width);
    EXPECT_EQ(width, 4u);
    uint8_t back[4] = {};
    ASSERT_EQ(TIFFReadScanline(in, back, 1, 0), 1);
    EXPECT_EQ(back[0], 9);
    EXPECT_EQ(back[3], 4);
    TIFFClose(in);
}

TEST(TiffMemory, TruncatedOrCorruptFilesFailCleanly)
{
    std::vector<uint8_t> area(4096);
    size_t written = 0;
    TIFF* out = TIFFOpenMem(area.data(), area.size(), &written);
    TIFFSetField(out, TIFFTAG_IMAGEWIDTH, 2);
    TIFFSetField(out, TIFFTAG_IMAGELENGTH, 1);
    TIFFSetField(out, TIFFTAG_BITSPERSAMPLE, 8);
    uint8_t row[2] = {};
    TIFFWriteScanline(out, row, 0, 0);
    TIFFClose(out);
    for (size_t length : {size_t(0), size_t(4), size_t(8), written / 2, written - 1}) {
        std::string errors;
        TIFF* in = TIFFOpenMem(area.data(), length, nullptr, &errors);
        if (in)
            TIFFClose(in);
        else
            EXPECT_FALSE(errors.empty()) << length;
    }
    area[2] = 0x77;
    std::string errors;
    EXPECT_EQ(TIFFOpenMem(area.data(), written, nullptr, &errors), nullptr);
    EXPECT_FALSE(errors.empty());
}

} // namespace
