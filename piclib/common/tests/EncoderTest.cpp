#include "ErrorCode.h"
#include "Fixtures.h"
#include "TempFolder.h"

#include "piclib/common/PLJPEGEncoder.h"
#include "piclib/common/PLMemSink.h"
#include "piclib/common/PLTIFFEncoder.h"
#include "piclib/common/PLTiffMemory.h"
#include "piclib/common/PLWinBmp.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace {

using Bytes = std::vector<uint8_t>;

void gradient(PLBmp& bmp, bool alpha = false)
{
    bmp.CreateFromBits(40, 24, 32, alpha, false, nullptr, 0, {0, 0});
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 40; ++x)
            reinterpret_cast<PLPixel32*>(bmp.GetLine(y))[x] = {uint8_t(x * 6), uint8_t(y * 10), 90, uint8_t(x + y)};
}

Bytes encode(PLPicEncoder& encoder, PLBmp& bmp, int capacity = 200000)
{
    PLMemSink sink;
    EXPECT_EQ(sink.Open("out", capacity), 0);
    encoder.SaveBmp(&bmp, &sink);
    return Bytes(sink.GetBytes(), sink.GetBytes() + sink.GetDataSize());
}

bool haveTool(const char* name)
{
    return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

TEST(JpegEncoder, RoundTripThroughTheDecoder)
{
    PLWinBmp bmp;
    gradient(bmp);
    PLJPEGEncoder encoder;
    encoder.SetQuality(95);
    PLAnyBmp back;
    DecodeBytes(encode(encoder, bmp), back);
    ASSERT_EQ(back.GetWidth(), 40);
    ASSERT_EQ(back.GetHeight(), 24);
    Bytes expected = RgbaOf(bmp), got = RgbaOf(back);
    for (size_t i = 3; i < expected.size(); i += 4)
        expected[i] = 255; // JPEG carries no alpha
    EXPECT_LE(LargestDifference(got, expected), 12);
}

TEST(JpegEncoder, QualityZeroIsLibjpegsDefault)
{
    PLWinBmp bmp;
    gradient(bmp);
    PLJPEGEncoder byDefault, explicitDefault;
    explicitDefault.SetQuality(75);
    EXPECT_EQ(encode(byDefault, bmp), encode(explicitDefault, bmp));
    PLJPEGEncoder low;
    low.SetQuality(10);
    EXPECT_LT(encode(low, bmp).size(), encode(byDefault, bmp).size());
}

TEST(JpegEncoder, DensityFromTheBitmapOrTheEncoder)
{
    PLWinBmp bmp;
    gradient(bmp);
    bmp.SetResolution({300, 200});
    PLJPEGEncoder encoder;
    PLAnyBmp back;
    DecodeBytes(encode(encoder, bmp), back);
    EXPECT_EQ(back.GetResolution(), (PLPoint{300, 200}));
    encoder.SetDensity(72, 96);
    DecodeBytes(encode(encoder, bmp), back);
    EXPECT_EQ(back.GetResolution(), (PLPoint{72, 96}));
}

TEST(JpegEncoder, OtherDepthsAreEncodedThroughThirtyTwoBits)
{
    PLAnyBmp bmp;
    DecodeBytes(FixtureBytes("bmp8.bmp"), bmp);
    PLJPEGEncoder encoder;
    encoder.SetQuality(100);
    PLAnyBmp back;
    DecodeBytes(encode(encoder, bmp), back);
    EXPECT_LE(LargestDifference(RgbaOf(back), FixtureBytes("bmp8.bmp.rgba")), 40);
}

TEST(JpegEncoder, SinkOverflowIsReportedAndTheEncoderRecovers)
{
    PLWinBmp bmp;
    gradient(bmp);
    PLJPEGEncoder encoder;
    EXPECT_EQ(ErrorCodeOf([&] { encode(encoder, bmp, 300); }), PL_ERREND_OF_FILE);
    EXPECT_GT(encode(encoder, bmp).size(), 300u);
}

TEST(JpegEncoder, FileIsReadByDjpeg)
{
    if (!haveTool("djpeg"))
        GTEST_SKIP() << "djpeg (libjpeg-turbo-progs) is not installed";
    TempFolder folder;
    PLWinBmp bmp;
    gradient(bmp);
    PLJPEGEncoder encoder;
    const std::string path = folder.Path("out.jpg");
    encoder.MakeFileFromBmp(path.c_str(), &bmp);
    const std::string pnm = folder.Path("out.pnm");
    ASSERT_EQ(std::system(("djpeg -pnm '" + path + "' > '" + pnm + "'").c_str()), 0);
    EXPECT_EQ(ReadFile(pnm).substr(0, 9), "P6\n40 24\n");
}

TEST(Encoders, SinkSizes)
{
    struct Case {
        int memUsed;
        int narrow;
        int wide;
    };
    for (const Case& c : {Case{10000, 75536, 14096}, Case{100000, 165536, 120000}, Case{19999, 85535, 24095},
                          Case{20000, 85536, 24000}}) {
        EXPECT_EQ(PLPicEncoder::NarrowSinkSize(c.memUsed), c.narrow);
        EXPECT_EQ(PLPicEncoder::WideSinkSize(c.memUsed), c.wide);
    }
}

TEST(Encoders, OpeningFailureNamesTheFile)
{
    TempFolder folder;
    PLWinBmp bmp;
    PLJPEGEncoder encoder;
    const std::string path = folder.Path("none/out.jpg");
    try {
        encoder.MakeFileFromBmp(path.c_str(), &bmp);
        FAIL();
    } catch (const PLTextException& e) {
        EXPECT_EQ(e.GetCode(), PL_ERRPATH_NOT_FOUND);
        EXPECT_NE(std::string(e.GetText()).find("Opening " + path + " failed: "), std::string::npos);
    }
}

struct TiffTags {
    uint32_t width = 0, height = 0;
    uint16_t bits = 0, samples = 0, compression = 0, planar = 0, photometric = 0, unit = 0;
    float xres = -1, yres = -1;
    uint16_t extraCount = 0;
    uint16_t extra = 0;
    bool hasPhotometric = false;
};

TiffTags readTags(TIFF* tif)
{
    TiffTags t;
    TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &t.width);
    TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &t.height);
    TIFFGetField(tif, TIFFTAG_BITSPERSAMPLE, &t.bits);
    TIFFGetField(tif, TIFFTAG_SAMPLESPERPIXEL, &t.samples);
    TIFFGetField(tif, TIFFTAG_COMPRESSION, &t.compression);
    TIFFGetField(tif, TIFFTAG_PLANARCONFIG, &t.planar);
    t.hasPhotometric = TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &t.photometric) == 1;
    TIFFGetField(tif, TIFFTAG_RESOLUTIONUNIT, &t.unit);
    TIFFGetField(tif, TIFFTAG_XRESOLUTION, &t.xres);
    TIFFGetField(tif, TIFFTAG_YRESOLUTION, &t.yres);
    uint16_t* extra = nullptr;
    if (TIFFGetField(tif, TIFFTAG_EXTRASAMPLES, &t.extraCount, &extra) && t.extraCount)
        t.extra = extra[0];
    return t;
}

struct TiffCase {
    const char* what;
    int bpp;
    bool alpha;
    PLPixel32 entry0, entry1;
    uint16_t bits, samples, photometric, extraCount;
};

TEST(TiffEncoder, TagsAndPixels)
{
    const PLPixel32 white{255, 255, 255, 255}, black{0, 0, 0, 255};
    const TiffCase cases[] = {
        {"1 bit white, black", 1, false, white, black, 1, 1, PHOTOMETRIC_MINISWHITE, 0},
        {"1 bit black, white", 1, false, black, white, 1, 1, PHOTOMETRIC_MINISBLACK, 0},
        {"8 bit", 8, false, black, white, 8, 1, PHOTOMETRIC_PALETTE, 0},
        {"32 bit", 32, false, black, white, 8, 3, PHOTOMETRIC_RGB, 0},
        {"32 bit with alpha", 32, true, black, white, 8, 4, PHOTOMETRIC_RGB, 1},
    };
    for (const TiffCase& c : cases) {
        PLWinBmp source;
        gradient(source, c.alpha);
        PLWinBmp bmp;
        bmp.CopyFrom(source, c.bpp);
        if (c.bpp == 1) {
            bmp.GetPalette()[0] = c.entry0;
            bmp.GetPalette()[1] = c.entry1;
        }
        bmp.SetResolution({150, 75});
        PLTIFFEncoder encoder;
        Bytes file = encode(encoder, bmp);
        TIFF* tif = TIFFOpenMem(file.data(), file.size(), nullptr);
        ASSERT_NE(tif, nullptr) << c.what;
        const std::unique_ptr<TIFF, void (*)(TIFF*)> closer(tif, TIFFClose);
        const TiffTags t = readTags(tif);
        EXPECT_EQ(t.width, 40u);
        EXPECT_EQ(t.height, 24u);
        EXPECT_EQ(t.bits, c.bits) << c.what;
        EXPECT_EQ(t.samples, c.samples) << c.what;
        EXPECT_EQ(t.photometric, c.photometric) << c.what;
        EXPECT_EQ(t.compression, COMPRESSION_PACKBITS);
        EXPECT_EQ(t.planar, PLANARCONFIG_CONTIG);
        EXPECT_EQ(t.unit, RESUNIT_INCH);
        EXPECT_EQ(t.xres, 150.0f);
        EXPECT_EQ(t.yres, 75.0f);
        EXPECT_EQ(t.extraCount, c.extraCount) << c.what;
        if (c.extraCount) {
            EXPECT_EQ(t.extra, EXTRASAMPLE_ASSOCALPHA);
        }
        Bytes row(TIFFScanlineSize(tif));
        bool read = true;
        for (uint32_t y = 0; y <= 5; ++y) // packed strips are read in order
            read = read && TIFFReadScanline(tif, row.data(), y, 0) == 1;
        EXPECT_TRUE(read) << c.what;
        if (c.bpp == 32) {
            const auto* px = reinterpret_cast<const PLPixel32*>(bmp.GetLine(5));
            EXPECT_EQ(row[3 * c.samples], px[3].r) << c.what;
            EXPECT_EQ(row[3 * c.samples + 1], px[3].g) << c.what;
            EXPECT_EQ(row[3 * c.samples + 2], px[3].b) << c.what;
            if (c.alpha) {
                EXPECT_EQ(row[3 * 4 + 3], px[3].a);
            }
        } else {
            EXPECT_EQ(Bytes(row.begin(), row.end()), Bytes(bmp.GetLine(5), bmp.GetLine(5) + row.size())) << c.what;
        }
        if (c.bpp == 8) {
            uint16_t *red = nullptr, *green = nullptr, *blue = nullptr;
            ASSERT_EQ(TIFFGetField(tif, TIFFTAG_COLORMAP, &red, &green, &blue), 1);
            const PLPixel32 entry = bmp.GetPalette()[bmp.GetLine(5)[3]];
            EXPECT_EQ(red[bmp.GetLine(5)[3]], entry.r * 257);
            EXPECT_EQ(blue[bmp.GetLine(5)[3]], entry.b * 257);
            EXPECT_EQ(green[bmp.GetLine(5)[3]], entry.g * 257);
        }
    }
}

TEST(TiffEncoder, TwentyFourBitsAreWrittenAsRgb)
{
    PLWinBmp source;
    gradient(source);
    PLWinBmp bmp;
    bmp.CopyFrom(source, 24);
    PLTIFFEncoder encoder;
    encoder.SetCompression(COMPRESSION_NONE);
    Bytes file = encode(encoder, bmp);
    TIFF* tif = TIFFOpenMem(file.data(), file.size(), nullptr);
    ASSERT_NE(tif, nullptr);
    const std::unique_ptr<TIFF, void (*)(TIFF*)> closer(tif, TIFFClose);
    const TiffTags t = readTags(tif);
    EXPECT_EQ(t.samples, 3);
    EXPECT_EQ(t.compression, COMPRESSION_NONE);
    Bytes row(TIFFScanlineSize(tif));
    EXPECT_EQ(TIFFReadScanline(tif, row.data(), 23, 0), 1);
    EXPECT_EQ(row[39 * 3], 90);
    EXPECT_EQ(row[39 * 3 + 1], 230);
    EXPECT_EQ(row[39 * 3 + 2], 39 * 6);
}

TEST(TiffEncoder, SmallSinkOverflows)
{
    PLWinBmp bmp;
    gradient(bmp);
    PLTIFFEncoder encoder;
    EXPECT_EQ(ErrorCodeOf([&] { encode(encoder, bmp, 500); }), PL_ERREND_OF_FILE);
}

TEST(TiffEncoder, FileIsReadByTiffinfo)
{
    if (!haveTool("tiffinfo"))
        GTEST_SKIP() << "tiffinfo (libtiff-tools) is not installed";
    TempFolder folder;
    PLWinBmp bmp;
    gradient(bmp, true);
    PLTIFFEncoder encoder;
    const std::string path = folder.Path("out.tif");
    encoder.MakeFileFromBmp(path.c_str(), &bmp);
    const std::string info = folder.Path("info.txt");
    ASSERT_EQ(std::system(("tiffinfo -D '" + path + "' > '" + info + "' 2>&1").c_str()), 0);
    const std::string text = ReadFile(info);
    EXPECT_NE(text.find("Image Width: 40 Image Length: 24"), std::string::npos) << text;
    EXPECT_NE(text.find("Samples/Pixel: 4"), std::string::npos) << text;
    EXPECT_NE(text.find("Compression Scheme: PackBits"), std::string::npos) << text;
    EXPECT_EQ(text.find("rror"), std::string::npos) << text;
}

} // namespace
