#include "piclib/common/PLJpegGlue.h"
#include "piclib/common/PLMemSink.h"
#include "piclib/common/PLTextException.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int Size = 16;

std::vector<uint8_t> gradient()
{
    std::vector<uint8_t> rgb(Size * Size * 3);
    for (int y = 0; y < Size; ++y)
        for (int x = 0; x < Size; ++x) {
            uint8_t* p = &rgb[(y * Size + x) * 3];
            p[0] = uint8_t(x * 16), p[1] = uint8_t(y * 16), p[2] = 128;
        }
    return rgb;
}

// Compresses the gradient into sink; returns false when libjpeg failed (state says why).
bool compress(jpeg_compress_struct& cinfo, PLJpegErrorState& state, PLDataSink& sink, const std::vector<uint8_t>& rgb)
{
    return PLJpegRun(state, [&] {
        PLJpegSetSinkDestination(&cinfo, &sink);
        cinfo.image_width = Size;
        cinfo.image_height = Size;
        cinfo.input_components = 3;
        cinfo.in_color_space = JCS_RGB;
        jpeg_set_defaults(&cinfo);
        jpeg_set_quality(&cinfo, 100, TRUE);
        jpeg_start_compress(&cinfo, TRUE);
        while (cinfo.next_scanline < cinfo.image_height) {
            JSAMPROW row = const_cast<uint8_t*>(&rgb[cinfo.next_scanline * Size * 3]);
            jpeg_write_scanlines(&cinfo, &row, 1);
        }
        jpeg_finish_compress(&cinfo);
    });
}

struct Decoded {
    std::vector<uint8_t> rgb;
    long warnings = 0;
};

Decoded decompress(const uint8_t* data, size_t length)
{
    PLJpegErrorState state;
    PLJpegInitErrorState(state);
    jpeg_decompress_struct cinfo{};
    cinfo.err = &state.pub;
    jpeg_create_decompress(&cinfo);
    Decoded out;
    out.rgb.resize(Size * Size * 3);
    const bool ok = PLJpegRun(state, [&] {
        PLJpegSetMemorySource(&cinfo, data, length, nullptr);
        jpeg_read_header(&cinfo, TRUE);
        jpeg_start_decompress(&cinfo);
        while (cinfo.output_scanline < cinfo.output_height) {
            JSAMPROW row = &out.rgb[cinfo.output_scanline * Size * 3];
            jpeg_read_scanlines(&cinfo, &row, 1);
        }
        jpeg_finish_decompress(&cinfo);
    });
    out.warnings = state.pub.num_warnings;
    if (!ok) {
        try {
            PLJpegRaise(state, reinterpret_cast<j_common_ptr>(&cinfo));
        } catch (...) {
            jpeg_destroy_decompress(&cinfo);
            throw;
        }
    }
    jpeg_destroy_decompress(&cinfo);
    return out;
}

class JpegGlue : public testing::Test {
protected:
    JpegGlue()
    {
        PLJpegInitErrorState(state);
        cinfo.err = &state.pub;
        jpeg_create_compress(&cinfo);
    }
    ~JpegGlue() override { jpeg_destroy_compress(&cinfo); }

    PLJpegErrorState state;
    jpeg_compress_struct cinfo{};
};

TEST_F(JpegGlue, RoundTripThroughTheSinkAndTheMemorySource)
{
    const auto rgb = gradient();
    PLMemSink sink;
    ASSERT_EQ(sink.Open("jpeg", 100000), 0);
    ASSERT_TRUE(compress(cinfo, state, sink, rgb));
    ASSERT_GT(sink.GetDataSize(), 100);
    EXPECT_EQ(sink.GetBytes()[0], 0xFF);
    EXPECT_EQ(sink.GetBytes()[1], 0xD8);
    EXPECT_EQ(sink.GetBytes()[sink.GetDataSize() - 1], 0xD9);
    const Decoded decoded = decompress(sink.GetBytes(), sink.GetDataSize());
    EXPECT_EQ(decoded.warnings, 0);
    for (size_t i = 0; i < rgb.size(); ++i)
        ASSERT_NEAR(decoded.rgb[i], rgb[i], 10) << i;
}

TEST_F(JpegGlue, SinkOverflowLeavesLibjpegAndRaisesTheSinksError)
{
    const auto rgb = gradient();
    PLMemSink small;
    ASSERT_EQ(small.Open("small", 200), 0);
    ASSERT_FALSE(compress(cinfo, state, small, rgb));
    try {
        PLJpegRaise(state, reinterpret_cast<j_common_ptr>(&cinfo));
    } catch (const PLTextException& e) {
        EXPECT_EQ(e.GetCode(), PL_ERREND_OF_FILE);
        EXPECT_STREQ(e.GetText(), "Buffer overflow while encoding.\n");
    }
    PLMemSink large;
    ASSERT_EQ(large.Open("large", 100000), 0);
    EXPECT_TRUE(compress(cinfo, state, large, rgb));
}

TEST_F(JpegGlue, TruncatedDataEndsWithAWarningNotAFailure)
{
    PLMemSink sink;
    ASSERT_EQ(sink.Open("jpeg", 100000), 0);
    ASSERT_TRUE(compress(cinfo, state, sink, gradient()));
    try {
        const Decoded decoded = decompress(sink.GetBytes(), sink.GetDataSize() - 40);
        EXPECT_GT(decoded.warnings, 0);
    } catch (const PLTextException& e) {
        FAIL() << e.GetText();
    }
}

TEST(JpegGlueErrors, CorruptHeaderRaisesDecoderError)
{
    const uint8_t notJpeg[] = {0xFF, 0xD8, 0xFF, 0xC0, 0x00, 0x02, 0x00, 0x00};
    try {
        decompress(notJpeg, sizeof notJpeg);
        FAIL();
    } catch (const PLTextException& e) {
        EXPECT_EQ(e.GetCode(), PL_ERRFORMAT_NOT_SUPPORTED);
        EXPECT_EQ(std::string(e.GetText()).rfind("Decoder error: ", 0), 0u);
    }
}

} // namespace
