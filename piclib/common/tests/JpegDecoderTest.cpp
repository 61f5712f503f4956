#include "ErrorCode.h"
#include "Fixtures.h"
#include "TempFolder.h"

#include "piclib/common/PLDataSource.h"
#include "piclib/common/PLIProgressNotification.h"
#include "piclib/common/PLJPEGDecoder.h"
#include "piclib/common/PLJpegGlue.h"
#include "piclib/common/PLMemSink.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using Bytes = std::vector<uint8_t>;

// Pixels of a binary PNM (P5 or P6) as RGB triples.
Bytes pnmRgb(const Bytes& pnm)
{
    std::istringstream in(std::string(pnm.begin(), pnm.end()));
    std::string magic;
    int width = 0, height = 0, maximum = 0;
    in >> magic >> width >> height >> maximum;
    in.get();
    const Bytes pixels(pnm.end() - (magic == "P6" ? 3 : 1) * width * height, pnm.end());
    if (magic == "P6")
        return pixels;
    Bytes rgb;
    for (uint8_t v : pixels)
        rgb.insert(rgb.end(), {v, v, v});
    return rgb;
}

Bytes rgbOf(const PLBmp& bmp)
{
    Bytes rgba = RgbaOf(bmp), rgb;
    for (size_t i = 0; i < rgba.size(); i += 4)
        rgb.insert(rgb.end(), {rgba[i], rgba[i + 1], rgba[i + 2]});
    return rgb;
}

TEST(JpegDecoder, MatchesDjpegWithTheSameSettings)
{
    struct Case {
        const char* file;
        int bpp;
        bool grey;
    };
    for (const Case& c : {Case{"colour.jpg", 32, false}, Case{"grey.jpg", 8, true}, Case{"progressive.jpg", 32, false},
                          Case{"density.jpg", 32, false}}) {
        PLAnyBmp bmp;
        DecodeBytes(FixtureBytes(c.file), bmp);
        EXPECT_EQ(bmp.GetBitsPerPixel(), c.bpp) << c.file;
        EXPECT_EQ(bmp.IsGreyscale(), c.grey) << c.file;
        EXPECT_FALSE(bmp.HasAlpha());
        EXPECT_EQ(rgbOf(bmp), pnmRgb(FixtureBytes(std::string(c.file) + ".pnm"))) << c.file;
    }
}

TEST(JpegDecoder, DensityBecomesDotsPerInch)
{
    struct Case {
        uint8_t unit;
        uint16_t density;
        int dpi;
    };
    auto jpeg = FixtureBytes("colour.jpg");
    const size_t jfif = 6; // "JFIF\0" after the APP0 length
    ASSERT_EQ(std::string(jpeg.begin() + jfif, jpeg.begin() + jfif + 4), "JFIF");
    for (const Case& c : {Case{2, 100, 254}, Case{1, 300, 300}, Case{1, 1, 0}, Case{0, 72, 72}}) {
        jpeg[jfif + 7] = c.unit;
        jpeg[jfif + 8] = jpeg[jfif + 10] = uint8_t(c.density >> 8);
        jpeg[jfif + 9] = jpeg[jfif + 11] = uint8_t(c.density);
        PLAnyBmp bmp;
        DecodeBytes(jpeg, bmp);
        EXPECT_EQ(bmp.GetResolution(), (PLPoint{c.dpi, c.dpi})) << int(c.unit) << " " << c.density;
    }
}

// A JPEG that starts in the middle of its source, as inside a PICT file.
class EmbeddedJpegDecoder : public PLJPEGDecoder {
public:
    void Open(PLDataSource* source) override
    {
        source->Skip(100);
        PLJPEGDecoder::Open(source);
    }
};

TEST(JpegDecoder, EmbeddedDataGetsOnlyTheRemainingLength)
{
    // The source ends 20 bytes before the JPEG does; the decoder must not read past it.
    const Bytes jpeg = FixtureBytes("colour.jpg");
    Bytes block(100, 0x55);
    block.insert(block.end(), jpeg.begin(), jpeg.end());
    const int sourceSize = static_cast<int>(block.size()) - 20;
    EmbeddedJpegDecoder decoder;
    PLAnyBmp embedded;
    decoder.MakeBmpFromMemory(block.data(), sourceSize, &embedded);
    PLAnyBmp alone;
    DecodeBytes(Bytes(jpeg.begin(), jpeg.end() - 20), alone);
    EXPECT_EQ(RgbaOf(embedded), RgbaOf(alone));
    EXPECT_NE(rgbOf(embedded), pnmRgb(FixtureBytes("colour.jpg.pnm")));
}

TEST(JpegDecoder, CmykStaysCmyk)
{
    constexpr int W = 16, H = 8;
    PLJpegErrorState state;
    PLJpegInitErrorState(state);
    jpeg_compress_struct cinfo{};
    cinfo.err = &state.pub;
    jpeg_create_compress(&cinfo);
    PLMemSink sink;
    ASSERT_EQ(sink.Open("cmyk", 100000), 0);
    Bytes row(W * 4);
    for (int x = 0; x < W; ++x)
        row[x * 4] = uint8_t(x * 16), row[x * 4 + 1] = 40, row[x * 4 + 2] = 200, row[x * 4 + 3] = 90;
    const bool ok = PLJpegRun(state, [&] {
        PLJpegSetSinkDestination(&cinfo, &sink);
        cinfo.image_width = W;
        cinfo.image_height = H;
        cinfo.input_components = 4;
        cinfo.in_color_space = JCS_CMYK;
        jpeg_set_defaults(&cinfo);
        jpeg_set_quality(&cinfo, 100, TRUE);
        jpeg_start_compress(&cinfo, TRUE);
        JSAMPROW r = row.data();
        while (cinfo.next_scanline < H)
            jpeg_write_scanlines(&cinfo, &r, 1);
        jpeg_finish_compress(&cinfo);
    });
    jpeg_destroy_compress(&cinfo);
    ASSERT_TRUE(ok);
    const Bytes file(sink.GetBytes(), sink.GetBytes() + sink.GetDataSize());
    PLAnyBmp bmp;
    DecodeBytes(file, bmp);
    ASSERT_EQ(bmp.GetBitsPerPixel(), 32);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W * 4; ++x)
            ASSERT_NEAR(bmp.GetLine(y)[x], row[x], 6) << x << "," << y;
}

TEST(JpegDecoder, UsableAgainAfterAnError)
{
    PLAnyPicDecoder decoder;
    auto broken = FixtureBytes("colour.jpg");
    broken.resize(200);
    broken.insert(broken.end(), {0xFF, 0xDA, 0x00}); // start of scan without its tables
    PLAnyBmp bmp;
    EXPECT_EQ(ErrorCodeOf([&] { decoder.MakeBmpFromMemory(broken.data(), int(broken.size()), &bmp); }),
              PL_ERRFORMAT_NOT_SUPPORTED);
    const auto good = FixtureBytes("colour.jpg");
    decoder.MakeBmpFromMemory(good.data(), int(good.size()), &bmp);
    EXPECT_EQ(rgbOf(bmp), pnmRgb(FixtureBytes("colour.jpg.pnm")));
}

struct Progress : PLIProgressNotification {
    std::vector<double> parts;
    void OnProgress(double part) override { parts.push_back(part); }
};

TEST(JpegDecoder, ReportsProgressWhileDecodingAFile)
{
    TempFolder folder;
    const auto jpeg = FixtureBytes("progressive.jpg");
    const std::string path = folder.Write("p.jpg", std::string(jpeg.begin(), jpeg.end()));
    Progress progress;
    PLAnyPicDecoder decoder;
    PLAnyBmp bmp;
    decoder.MakeBmpFromFile(path.c_str(), &bmp, 0, &progress);
    ASSERT_GE(progress.parts.size(), 2u);
    for (double part : progress.parts) {
        EXPECT_GE(part, 0.0);
        EXPECT_LE(part, 1.0);
    }
    EXPECT_EQ(progress.parts.back(), 1.0);
}

} // namespace
