#include "imaging/ipl/IplColor.h"
#include "imaging/ipl/tests/ImageFixture.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>

using namespace ipltest;

namespace {

using Triple = std::array<int64_t, 3>;
using Convert = void (*)(IplImage*, IplImage*);

ImagePtr modelImage(const char* model, const char* seq, int depth, int width = 2, int height = 1,
                    int order = iplDataOrderPixel, int nChannels = 3)
{
    ImagePtr image(iplCreateImageHeader(nChannels, 0, depth, model, seq, order, 0, 4, width, height, nullptr, nullptr, 0,
                                        nullptr));
    if (depth == iplDepth32f)
        iplAllocateImageFP(image.get(), 1, 0);
    else
        iplAllocateImage(image.get(), 1, 0);
    return image;
}

int64_t signedAt(const IplImage* image, int x, int c)
{
    uint32_t raw = at(image, x, 0, c);
    switch (image->depth) {
    case iplDepth8s: return static_cast<int8_t>(raw);
    case iplDepth16s: return static_cast<int16_t>(raw);
    case iplDepth32s: return static_cast<int32_t>(raw);
    default: return raw;
    }
}

struct PixelCase {
    const char* name;
    Convert convert;
    const char* srcModel;
    const char* dstModel;
    int srcDepth;
    int dstDepth;
    Triple in;
    Triple out;
};

// Source components in the order of the source's model (R, G, B for RGB), results likewise.
TEST(Colour, PinnedPixels)
{
    const int64_t top = 2147483647;
    const PixelCase cases[] = {
        {"YCrCb white", iplRGB2YCrCb, "RGB", "RGB", iplDepth8u, iplDepth8u, {255, 255, 255}, {255, 126, 126}},
        {"YCrCb red", iplRGB2YCrCb, "RGB", "RGB", iplDepth8u, iplDepth8u, {255, 0, 0}, {76, 254, 83}},
        {"YCrCb black back", iplYCrCb2RGB, "YCr", "RGB", iplDepth8u, iplDepth8u, {0, 127, 127}, {0, 0, 0}},
        {"YCrCb 32S offsets", iplYCrCb2RGB, "YCr", "RGB", iplDepth32s, iplDepth32s, {0, 1073741824, 1073741824}, {1, 0, 2}},
        {"YCrCb 16U black", iplRGB2YCrCb, "RGB", "RGB", iplDepth16u, iplDepth16u, {0, 0, 0}, {0, 32767, 32767}},
        {"YUV grey", iplRGB2YUV, "RGB", "RGB", iplDepth8u, iplDepth8s, {200, 200, 200}, {127, 0, 0}},
        {"YUV back", iplYUV2RGB, "YUV", "RGB", iplDepth8s, iplDepth8u, {100, -20, 30}, {130, 89, 80}},
        {"XYZ white", iplRGB2XYZ, "RGB", "RGB", iplDepth8u, iplDepth8u, {255, 255, 255}, {242, 254, 255}},
        {"XYZ back", iplXYZ2RGB, "XYZ", "RGB", iplDepth16u, iplDepth16u, {0, 65535, 0}, {0, 65535, 0}},
        {"XYZ 32S clamps", iplRGB2XYZ, "RGB", "RGB", iplDepth32s, iplDepth32s, {top, top, top}, {2041183231, 2147054111, top}},
        {"HSV red", iplRGB2HSV, "RGB", "RGB", iplDepth8u, iplDepth8u, {255, 0, 0}, {0, 255, 255}},
        {"HSV green", iplRGB2HSV, "RGB", "RGB", iplDepth8u, iplDepth8u, {0, 255, 0}, {60, 255, 255}},
        {"HSV grey", iplRGB2HSV, "RGB", "RGB", iplDepth16u, iplDepth16u, {500, 500, 500}, {0, 0, 500}},
        {"HSV 32S hue", iplRGB2HSV, "RGB", "RGB", iplDepth32s, iplDepth32s, {top, 0, 1000000000}, {332, top, top}},
        {"HSV no saturation", iplHSV2RGB, "HSV", "RGB", iplDepth8u, iplDepth8u, {77, 0, 99}, {99, 99, 99}},
        {"HSV 8U sector 1", iplHSV2RGB, "HSV", "RGB", iplDepth8u, iplDepth8u, {45, 255, 200}, {101, 200, 1}},
        {"HSV hue 360", iplHSV2RGB, "HSV", "RGB", iplDepth16u, iplDepth16u, {360, 65535, 65535}, {65535, 0, 0}},
        {"HLS white", iplRGB2HLS, "RGB", "RGB", iplDepth8u, iplDepth8u, {255, 255, 255}, {0, 255, 0}},
        {"HLS grey", iplRGB2HLS, "RGB", "RGB", iplDepth16u, iplDepth16u, {7, 7, 7}, {0, 7, 0}},
        {"HLS blue", iplRGB2HLS, "RGB", "RGB", iplDepth8u, iplDepth8u, {0, 0, 255}, {120, 127, 255}},
        {"HLS back 8U", iplHLS2RGB, "HLS", "RGB", iplDepth8u, iplDepth8u, {120, 127, 255}, {0, 0, 254}},
        {"HLS back 16U", iplHLS2RGB, "HLS", "RGB", iplDepth16u, iplDepth16u, {240, 32767, 65535}, {0, 0, 65534}},
        {"YCC black", iplYCC2RGB, "YCC", "RGB", iplDepth8u, iplDepth8u, {0, 156, 137}, {0, 0, 0}},
        {"YCC white", iplYCC2RGB, "YCC", "RGB", iplDepth8u, iplDepth8u, {255, 156, 137}, {255, 255, 255}},
        {"YCC red overflow", iplYCC2RGB, "YCC", "RGB", iplDepth8u, iplDepth8u, {200, 156, 255}, {255, 201, 250}},
    };
    for (const auto& c : cases) {
        for (bool bgr : {false, true}) {
            bool rgbSource = !std::strcmp(c.srcModel, "RGB");
            const char* srcSeq = rgbSource ? (bgr ? "BGR" : "RGB") : c.srcModel;
            ImagePtr src = modelImage(c.srcModel, srcSeq, c.srcDepth);
            ImagePtr dst = modelImage(c.dstModel, bgr ? "BGR" : "RGB", c.dstDepth);
            for (int k = 0; k < 3; ++k)
                set(src.get(), 0, 0, rgbSource && bgr ? 2 - k : k, static_cast<uint32_t>(c.in[k]));
            ReportRecorder recorder;
            c.convert(src.get(), dst.get());
            EXPECT_FALSE(recorder.any()) << c.name << ": " << recorder.lastContext();
            bool rgbTarget = std::strcmp(dst->colorModel, "RGB") == 0;
            Triple got;
            for (int k = 0; k < 3; ++k)
                got[k] = signedAt(dst.get(), 0, rgbTarget && bgr ? 2 - k : k);
            EXPECT_EQ(got, c.out) << c.name << (bgr ? " (BGR)" : "");
        }
    }
}

TEST(Colour, ForwardWritesModelLettersAndPlaneOrderFindsPlanesByLetter)
{
    ImagePtr src = modelImage("RGB", "BGR", iplDepth8u, 2, 1, iplDataOrderPlane);
    ImagePtr dst = modelImage("RGB", "RGB", iplDepth8u, 2, 1, iplDataOrderPlane);
    set(src.get(), 1, 0, 2, 255);
    iplRGB2HSV(src.get(), dst.get());
    EXPECT_STREQ(dst->colorModel, "HSV");
    EXPECT_STREQ(dst->channelSeq, "HSV");
    EXPECT_EQ(at(dst.get(), 1, 0, 0), 0u);
    EXPECT_EQ(at(dst.get(), 1, 0, 1), 255u);
    EXPECT_EQ(at(dst.get(), 1, 0, 2), 255u);
    set(src.get(), 0, 0, 1, 255);
    iplRGB2YCrCb(src.get(), dst.get());
    EXPECT_STREQ(dst->colorModel, "YCr");
    EXPECT_EQ(at(dst.get(), 0, 0, 0), 149u);
}

TEST(Colour, GreyConversions)
{
    struct Case { int srcDepth; int dstDepth; Triple rgb; uint32_t grey; };
    const Case cases[] = {
        {iplDepth8u, iplDepth8u, {100, 150, 200}, 142}, {iplDepth8u, iplDepth16u, {100, 150, 200}, 36450},
        {iplDepth8u, iplDepth1u, {100, 150, 200}, 1}, {iplDepth8u, iplDepth1u, {100, 100, 100}, 0},
        {iplDepth16u, iplDepth16u, {1000, 2000, 3000}, 1851}, {iplDepth16u, iplDepth8u, {65535, 65535, 65535}, 254},
        {iplDepth16u, iplDepth1u, {40000, 40000, 40000}, 1}, {iplDepth32s, iplDepth8u, {2147483647, 2147483647, 2147483647}, 255},
        {iplDepth32s, iplDepth16u, {2147483647, 0, 0}, 13951}, {iplDepth32s, iplDepth1u, {(1 << 30) - 1024, (1 << 30) - 1024, (1 << 30) - 1024}, 0},
        {iplDepth32s, iplDepth1u, {1 << 30, 1 << 30, 1 << 30}, 1},
    };
    for (const auto& c : cases) {
        ImagePtr src = modelImage("RGB", "RGB", c.srcDepth);
        ImagePtr dst = modelImage("GRAY", "G", c.dstDepth, 2, 1, iplDataOrderPixel, 1);
        for (int k = 0; k < 3; ++k)
            set(src.get(), 1, 0, k, static_cast<uint32_t>(c.rgb[k]));
        ReportRecorder recorder;
        iplColorToGray(src.get(), dst.get());
        EXPECT_FALSE(recorder.any()) << recorder.lastContext();
        EXPECT_EQ(at(dst.get(), 1, 0, 0), c.grey) << c.srcDepth << "->" << c.dstDepth;
    }

    struct Back { int depth; uint32_t grey; float fr, fg, fb; Triple rgb; };
    const Back back[] = {
        {iplDepth8u, 200, 0, 0, 0, {42, 142, 14}}, {iplDepth8u, 200, 1, 1, 1, {200, 200, 200}},
        {iplDepth8u, 200, 2, 0.5f, 0, {255, 100, 0}}, {iplDepth16u, 1000, 0, 0, 0, {212, 714, 72}},
        {iplDepth32s, 100000, 0, 0, 0, {21264, 71514, 7214}},
    };
    for (const auto& c : back) {
        ImagePtr src = modelImage("GRAY", "G", c.depth, 2, 1, iplDataOrderPixel, 1);
        ImagePtr dst = modelImage("RGB", "RGB", c.depth);
        set(src.get(), 0, 0, 0, c.grey);
        iplGrayToColor(src.get(), dst.get(), c.fr, c.fg, c.fb);
        EXPECT_EQ((Triple{signedAt(dst.get(), 0, 0), signedAt(dst.get(), 0, 1), signedAt(dst.get(), 0, 2)}), c.rgb);
    }
}

TEST(Colour, LuvRoundTripsAndStaysFiniteAtBlack)
{
    ImagePtr src = modelImage("RGB", "RGB", iplDepth32f, 4);
    ImagePtr luv = modelImage("RGB", "RGB", iplDepth32f, 4);
    ImagePtr back = modelImage("RGB", "RGB", iplDepth32f, 4);
    const float colours[4][3] = {{0, 0, 0}, {1, 1, 1}, {0.8f, 0.2f, 0.1f}, {0.05f, 0.6f, 0.9f}};
    for (int x = 0; x < 4; ++x)
        for (int k = 0; k < 3; ++k) {
            uint32_t raw;
            std::memcpy(&raw, &colours[x][k], 4);
            set(src.get(), x, 0, k, raw);
        }
    ReportRecorder recorder;
    iplRGB2LUV(src.get(), luv.get());
    std::memcpy(luv->colorModel, "LUV", 4);
    std::memcpy(luv->channelSeq, "LUV", 4);
    iplLUV2RGB(luv.get(), back.get());
    EXPECT_FALSE(recorder.any()) << recorder.lastContext();
    auto value = [](const IplImage* image, int x, int k) {
        uint32_t raw = at(image, x, 0, k);
        float f;
        std::memcpy(&f, &raw, 4);
        return f;
    };
    EXPECT_FLOAT_EQ(value(luv.get(), 0, 0), -16.0f);
    EXPECT_EQ(value(luv.get(), 0, 1), 0.0f);
    EXPECT_EQ(value(luv.get(), 0, 2), 0.0f);
    for (int x = 1; x < 4; ++x)
        for (int k = 0; k < 3; ++k)
            EXPECT_NEAR(value(back.get(), x, k), colours[x][k], 2e-3) << x << "," << k;
    for (int k = 0; k < 3; ++k)
        EXPECT_TRUE(std::isfinite(value(back.get(), 0, k)));

    ImagePtr zeroL = modelImage("LUV", "LUV", iplDepth32f, 1);
    iplLUV2RGB(zeroL.get(), back.get());
    for (int k = 0; k < 3; ++k)
        EXPECT_TRUE(std::isfinite(value(back.get(), 0, k)));
}

TEST(Colour, FrontEndRulesAndKernelDepths)
{
    ImagePtr rgb = modelImage("RGB", "BGR", iplDepth8u, 3, 2);
    ImagePtr rgba = modelImage("RGBA", "BGRA", iplDepth8u, 3, 2, iplDataOrderPixel, 4);
    ImagePtr out = modelImage("RGB", "BGR", iplDepth8u, 3, 2);
    ImagePtr four = modelImage("RGB", "BGR", iplDepth8u, 3, 2, iplDataOrderPixel, 4);
    ImagePtr grayWrongSeq = modelImage("GRAY", "X", iplDepth8u, 3, 2, iplDataOrderPixel, 1);
    ImagePtr yuv8u = modelImage("YUV", "YUV", iplDepth8u, 3, 2);
    ImagePtr s8 = modelImage("RGB", "RGB", iplDepth8s, 3, 2);
    ImagePtr yuv16 = modelImage("RGB", "RGB", iplDepth16s, 3, 2);
    ImagePtr hsv32f = modelImage("RGB", "RGB", iplDepth32f, 3, 2);
    ImagePtr f32 = modelImage("RGB", "RGB", iplDepth32f, 3, 2);
    IplROI roi{0, 0, 0, 1, 1};
    struct Case { const char* name; std::function<void()> call; int status; const char* context; const char* func; };
    const Case cases[] = {
        {"rgba source", [&] { iplRGB2HSV(rgba.get(), out.get()); }, 0, "", ""},
        {"four channel destination", [&] { iplRGB2HSV(rgb.get(), four.get()); }, -5, "incompatibleimages", "iplRGB2HSV"},
        {"gray with other sequence", [&] { iplColorToGray(rgb.get(), grayWrongSeq.get()); }, -5, "incompatibleimages", "iplColorToGray"},
        {"roi", [&] { rgb->roi = &roi; iplRGB2XYZ(rgb.get(), s8.get()); rgb->roi = nullptr; }, -5, "incompatibleimages", "iplRGB2XYZ"},
        {"null destination", [&] { iplRGB2HLS(rgb.get(), nullptr); }, -9, "Incorrect Image", "iplRGB2HLS"},
        {"yuv2rgb on 8u", [&] { iplYUV2RGB(yuv8u.get(), rgb.get()); }, -5, "Error input depth. 32S ,16S,8S are valid now", "ownYUV2RGB"},
        {"yuv widths differ", [&] { iplRGB2YUV(rgb.get(), yuv16.get()); }, -5, "incompatibleimages", "iplRGB2YUV"},
        {"ycrcb on 8s", [&] { iplRGB2YCrCb(s8.get(), s8.get()); }, -5, "Error input depth. 32S ,16U,8U are valid now", "ownRGB2YCrCb"},
        {"hsv on 32f", [&] { iplRGB2HSV(hsv32f.get(), f32.get()); }, -5, "errInOutDepth", "ownRGB2HSV"},
        {"luv on 8u", [&] { iplRGB2LUV(rgb.get(), s8.get()); }, -5, "incompatibleimages", "iplRGB2LUV"},
    };
    for (const auto& c : cases) {
        ReportRecorder recorder;
        c.call();
        EXPECT_EQ(recorder.lastStatus(), c.status) << c.name;
        EXPECT_EQ(recorder.lastContext(), c.context) << c.name;
        if (recorder.any()) {
            EXPECT_EQ(recorder.all()[0].func, c.func) << c.name;
        }
    }
}

TEST(Colour, CommonAreaOnlyAndTiledEqualsUntiled)
{
    ImagePtr src = modelImage("RGB", "RGB", iplDepth16u, 23, 19);
    ImagePtr small = modelImage("RGB", "RGB", iplDepth16u, 30, 10);
    ImagePtr plain = modelImage("RGB", "RGB", iplDepth16u, 23, 19);
    TiledImage tiled(3, iplDepth16u, 23, 19, 8, 8);
    std::memcpy(tiled.get()->channelSeq, "RGB", 4);
    fillPattern(src.get());
    fillPattern(small.get(), 5);
    iplRGB2HLS(src.get(), small.get());
    for (int y = 0; y < 10; ++y)
        for (int x = 23; x < 30; ++x)
            EXPECT_EQ(at(small.get(), x, y, 1), pattern(x, y, 1, 5) & 0xFFFF);
    iplRGB2HLS(src.get(), plain.get());
    iplRGB2HLS(src.get(), tiled.get());
    for (int y = 0; y < 19; ++y)
        for (int x = 0; x < 23; ++x)
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(tiled.at(x, y, c), at(plain.get(), x, y, c));
    EXPECT_EQ(at(small.get(), 4, 4, 1), at(plain.get(), 4, 4, 1));
    EXPECT_EQ(tiled.fetches, tiled.releases);
}

} // namespace
