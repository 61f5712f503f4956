#include "imaging/ipl/IplBorder.h"
#include "imaging/ipl/IplReduce.h"
#include "imaging/ipl/tests/ImageFixture.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace ipltest;

namespace {

// Straight from the formulas: quantiser, shares with truncating division, clamped neighbours.
std::vector<int> referenceDiffusion(std::vector<int> v, int w, int h, int type, int q, int maximum)
{
    struct S { int dx, dy, weight; };
    std::vector<S> shares;
    int divisor = 16;
    if (type == iplDitherFloydSteinberg) {
        shares = {{1, 0, 7}, {-1, 1, 3}, {0, 1, 5}, {1, 1, 1}};
    } else {
        bool jjn = type == iplDitherJarvisJudiceNinke;
        divisor = jjn ? 48 : 42;
        int a = jjn ? 7 : 8, b = jjn ? 5 : 4, c = jjn ? 3 : 2, d = jjn ? 1 : 1, e = jjn ? 5 : 4, f = jjn ? 7 : 8;
        int g = jjn ? 3 : 2, k = jjn ? 5 : 4;
        shares = {{1, 0, a}, {2, 0, b}, {-2, 1, c}, {-1, 1, e}, {0, 1, f}, {1, 1, e}, {2, 1, c},
                  {-2, 2, d}, {-1, 2, g}, {0, 2, k}, {1, 2, g}, {2, 2, d}};
    }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int old = v[y * w + x];
            int base = q * (old / q);
            int now = old - base > q / 2 ? base + q : base;
            v[y * w + x] = now;
            for (const S& s : shares) {
                int nx = x + s.dx, ny = y + s.dy;
                if (nx < 0 || nx >= w || ny >= h)
                    continue;
                int& n = v[ny * w + nx];
                n = std::clamp(n + s.weight * (old - now) / divisor, 0, maximum);
            }
        }
    return v;
}

OwnBlock blockOf(const IplImage* image)
{
    return {image->imageData, image->widthStep, image->height, image->width, image->height};
}

TEST(Dither, DiffusionMatchesTheFormulasOnGrayAndColour)
{
    for (int type : {iplDitherFloydSteinberg, iplDitherJarvisJudiceNinke, iplDitherStucki}) {
        for (int depth : {iplDepth8u, iplDepth16u}) {
            for (int nChannels : {1, 3}) {
                for (int shift : {1, 3}) {
                    ImagePtr image = makeImage(nChannels, depth, 9, 7);
                    fillPattern(image.get(), type);
                    int maximum = depth == iplDepth8u ? 255 : 65535;
                    int q = maximum >> shift;
                    std::vector<std::vector<int>> expected;
                    for (int c = 0; c < nChannels; ++c) {
                        std::vector<int> plane;
                        for (int y = 0; y < 7; ++y)
                            for (int x = 0; x < 9; ++x)
                                plane.push_back(static_cast<int>(at(image.get(), x, y, c)));
                        expected.push_back(referenceDiffusion(plane, 9, 7, type, q, maximum));
                    }
                    ReportRecorder recorder;
                    own_dither_rect(image.get(), type, blockOf(image.get()), shift, 0, 0);
                    EXPECT_FALSE(recorder.any());
                    for (int c = 0; c < nChannels; ++c)
                        for (int y = 0; y < 7; ++y)
                            for (int x = 0; x < 9; ++x)
                                ASSERT_EQ(static_cast<int>(at(image.get(), x, y, c)), expected[c][y * 9 + x])
                                    << type << " depth " << depth << " ch " << c << " at " << x << "," << y;
                }
            }
        }
    }
}

TEST(Dither, OrderedMatrixMatchesTheFormulaFromAnyOrigin)
{
    const int matrix[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    for (int depth : {iplDepth8u, iplDepth16u}) {
        for (int shift : {1, 2, 5}) {
            ImagePtr image = makeImage(3, depth, 11, 6);
            fillPattern(image.get(), shift);
            int maximum = depth == iplDepth8u ? 255 : 65535, q = maximum >> shift;
            std::vector<uint32_t> expected;
            for (int y = 0; y < 6; ++y)
                for (int x = 0; x < 11; ++x)
                    for (int c = 0; c < 3; ++c) {
                        int v = static_cast<int>(at(image.get(), x, y, c)), b = q * (v / q);
                        int threshold = matrix[(x + 8) % 4][(y + 16) % 4] * q / 17;
                        expected.push_back(static_cast<uint32_t>(std::min(v - b > threshold ? b + q : b, maximum)));
                    }
            own_dither_rect(image.get(), iplDitherBayer, blockOf(image.get()), shift, 8, 16);
            std::vector<uint32_t> actual;
            for (int y = 0; y < 6; ++y)
                for (int x = 0; x < 11; ++x)
                    for (int c = 0; c < 3; ++c)
                        actual.push_back(at(image.get(), x, y, c));
            EXPECT_EQ(firstDifference(actual, expected), "") << depth << " " << shift;
        }
    }
}

TEST(Dither, QuantiserAndOrderedMatrixPinnedValues)
{
    struct Case { int type; int value; int x; int y; uint32_t expected; };
    const Case cases[] = {
        {iplDitherFloydSteinberg, 200, 0, 0, 254}, {iplDitherStucki, 190, 0, 0, 127},
        {iplDitherJarvisJudiceNinke, 255, 0, 0, 254}, {iplDitherBayer, 100, 0, 0, 127},
        {iplDitherBayer, 100, 3, 0, 0}, {iplDitherBayer, 255, 0, 0, 255}, {iplDitherBayer, 254, 1, 2, 254},
    };
    for (const auto& c : cases) {
        ImagePtr image = makeImage(1, iplDepth8u, 4, 4);
        std::memset(image->imageData, c.value, static_cast<size_t>(image->imageSize));
        OwnBlock one{image->imageData + c.y * image->widthStep + c.x, image->widthStep, 1, 1, 4};
        own_dither_rect(image.get(), c.type, one, 1, c.x, c.y);
        EXPECT_EQ(at(image.get(), c.x, c.y, 0), c.expected) << c.type << " " << c.value;
    }
}

TEST(Dither, RefusalsByModelTypeAndDepth)
{
    ImagePtr hsv(iplCreateImageHeader(3, 0, iplDepth8u, "HSV", "HSV", 0, 0, 4, 4, 4, nullptr, nullptr, 0, nullptr));
    iplAllocateImage(hsv.get(), 1, 0);
    ImagePtr gray = makeImage(1, iplDepth8u, 4, 4);
    ImagePtr wide = makeImage(1, iplDepth32s, 4, 4);
    struct Case { IplImage* image; int type; const char* context; };
    const Case cases[] = {
        {hsv.get(), iplDitherStucki, "errColorModelForDithering"},
        {gray.get(), 0, "errDitherOption"},
        {gray.get(), 3, "errDitherOption"},
        {wide.get(), iplDitherBayer, "errDepthForDithering"},
    };
    for (const auto& c : cases) {
        ReportRecorder recorder;
        own_dither_rect(c.image, c.type, blockOf(c.image), 1, 0, 0);
        EXPECT_EQ(recorder.lastStatus(), -5);
        EXPECT_EQ(recorder.lastContext(), c.context);
        EXPECT_EQ(recorder.all()[0].func, "own_dither_rect");
    }
}

struct ConvertCase {
    int srcDepth;
    int dstDepth;
    uint32_t in;
    uint32_t out;
};

TEST(ReduceBits, ConverterTable)
{
    const ConvertCase cases[] = {
        {iplDepth32s, iplDepth16u, 0x80000000u, 0}, {iplDepth32s, iplDepth16u, 0x12345678u, 0x9234},
        {iplDepth32s, iplDepth16u, 0x7FFFFFFFu, 0xFFFF}, {iplDepth32s, iplDepth8u, 0x12345678u, 0x92},
        {iplDepth32s, iplDepth8u, 0xFF000000u, 0x7F}, {iplDepth32s, iplDepth1u, 5, 1},
        {iplDepth32s, iplDepth1u, 0, 0}, {iplDepth32s, iplDepth1u, 0xFFFFFFFBu, 0},
        {iplDepth16u, iplDepth8u, 0xABCD, 0xAB}, {iplDepth16u, iplDepth1u, 0x8000, 1},
        {iplDepth16u, iplDepth1u, 0x7FFF, 0}, {iplDepth8u, iplDepth1u, 128, 1}, {iplDepth8u, iplDepth1u, 127, 0},
    };
    for (const auto& c : cases) {
        ImagePtr src = makeImage(1, c.srcDepth, 11, 2);
        ImagePtr dst = makeImage(1, c.dstDepth, 11, 2);
        for (int x = 0; x < 11; ++x)
            set(src.get(), x, 1, 0, c.in);
        if (c.dstDepth == iplDepth1u)
            std::memset(dst->imageData, 0xA5, static_cast<size_t>(dst->imageSize));
        ReportRecorder recorder;
        iplReduceBits(src.get(), dst.get(), 0, iplDitherNone, 0);
        EXPECT_FALSE(recorder.any());
        for (int x = 0; x < 11; ++x)
            EXPECT_EQ(at(dst.get(), x, 1, 0), c.out) << std::hex << c.in;
        if (c.dstDepth == iplDepth1u) {
            EXPECT_EQ(static_cast<uint8_t>(dst->imageData[dst->widthStep + 1]) & 0x1F, 0x05) << "bits past the row";
        }
    }
}

TEST(ReduceBits, RefusalsAndTheirOrder)
{
    ImagePtr a8 = makeImage(1, iplDepth8u, 4, 4), b8 = makeImage(1, iplDepth8u, 4, 4);
    ImagePtr s16 = makeImage(1, iplDepth16s, 4, 4), rgb16 = makeImage(3, iplDepth16u, 4, 4);
    IplROI roi{0, 0, 0, 2, 2};
    struct Case { IplImage* src; IplImage* dst; int jitter; const char* func; const char* context; };
    const Case cases[] = {
        {a8.get(), b8.get(), 9, "iplReduceBits", "(jitterType<0)||( jitterType >= 9)"},
        {nullptr, b8.get(), 0, "iplReduceBits", "Incorrect Image"},
        {rgb16.get(), a8.get(), 0, "iplReduceBits", "incompatibleimages"},
        {a8.get(), b8.get(), 0, "ownReduceBits", "Error out depth. 8U to 1U conversion is valid now"},
        {s16.get(), b8.get(), 0, "ownReduceBits", "Error input depth. 32S,16U,8U input is valid now"},
        {s16.get(), b8.get(), 2, "ownjitter_rect", "Error input depth. 32S,16U,8U input is valid now"},
    };
    for (const auto& c : cases) {
        ReportRecorder recorder;
        iplReduceBits(c.src, c.dst, c.jitter, iplDitherNone, 1);
        ASSERT_TRUE(recorder.any());
        EXPECT_EQ(recorder.all()[0].func, c.func);
        EXPECT_EQ(recorder.lastContext(), c.context);
    }
    b8->roi = &roi;
    ReportRecorder recorder;
    iplReduceBits(a8.get(), b8.get(), 0, 1, 1);
    b8->roi = nullptr;
    EXPECT_EQ(recorder.lastContext(), "incompatibleimages");
}

TEST(ReduceBits, DirectPathWritesOnlyTheCommonArea)
{
    ImagePtr src = makeImage(1, iplDepth16u, 100, 50);
    ImagePtr dst = makeImage(1, iplDepth8u, 80, 60);
    fillPattern(src.get());
    std::memset(dst->imageData, 7, static_cast<size_t>(dst->imageSize));
    iplReduceBits(src.get(), dst.get(), 0, iplDitherNone, 0);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 80; ++x)
            ASSERT_EQ(at(dst.get(), x, y, 0), y < 50 ? at(src.get(), x, y, 0) >> 8 : 7u) << x << "," << y;
}

TEST(ReduceBits, LevelShiftClampsAndBlockPathUsesBorders)
{
    struct Case { int shift; int q; };
    const Case cases[] = {{0, 255}, {8, 1}, {9, 15}, {-3, 255}, {4, 15}};
    for (const auto& c : cases) {
        ImagePtr src = makeImage(1, iplDepth16u, 6, 5);
        ImagePtr dst = makeImage(1, iplDepth8u, 8, 7);
        fillPattern(src.get());
        iplSetImageBorderMode(src.get(), iplBorderConstant, iplSideAll, 0x4D00);
        iplReduceBits(src.get(), dst.get(), 0, iplDitherBayer, c.shift);
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 8; ++x) {
                uint32_t v = at(dst.get(), x, y, 0);
                EXPECT_EQ(v % c.q == 0 || v == 255, true) << c.shift << ": " << v;
                if (c.q == 1) {
                    EXPECT_EQ(v, x < 6 && y < 5 ? at(src.get(), x, y, 0) >> 8 : 0x4Du);
                }
            }
    }
}

TEST(ReduceBits, TiledErrorPropagationEqualsUntiled)
{
    for (int type : {iplDitherFloydSteinberg, iplDitherJarvisJudiceNinke, iplDitherStucki, iplDitherBayer}) {
        for (int nChannels : {1, 3}) {
            ImagePtr src = makeImage(nChannels, iplDepth16u, 29, 27);
            ImagePtr plain = makeImage(nChannels, iplDepth8u, 29, 27);
            TiledImage tiled(nChannels, iplDepth8u, 29, 27, 8, 16);
            fillPattern(src.get(), nChannels);
            ReportRecorder recorder;
            iplReduceBits(src.get(), plain.get(), 0, type, 2);
            iplReduceBits(src.get(), tiled.get(), 0, type, 2);
            EXPECT_FALSE(recorder.any()) << recorder.lastContext();
            for (int y = 0; y < 27; ++y)
                for (int x = 0; x < 29; ++x)
                    for (int c = 0; c < nChannels; ++c)
                        ASSERT_EQ(tiled.at(x, y, c), at(plain.get(), x, y, c)) << type << " at " << x << "," << y;
            EXPECT_EQ(tiled.fetches, tiled.releases);
        }
    }
}

TEST(ReduceBits, JitterFollowsTheNoiseTables)
{
    std::srand(7);
    ImagePtr src = makeImage(1, iplDepth16u, 37, 9);
    ImagePtr dst = makeImage(1, iplDepth8u, 37, 9);
    fillPattern(src.get());
    for (int x = 0; x < 37; ++x)
        set(src.get(), x, 0, 0, 0xFF80);
    std::vector<double> before(ownJitterFraction(), ownJitterFraction() + 1024);
    iplReduceBits(src.get(), dst.get(), 0, iplDitherNone, 1);
    EXPECT_EQ(std::vector<double>(ownJitterFraction(), ownJitterFraction() + 1024), before);
    int amplitude = 3;
    iplReduceBits(src.get(), dst.get(), amplitude, iplDitherNone, 1);
    const double* fraction = ownJitterFraction();
    const int32_t* offset = ownJitterOffset();
    int changed = 0;
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 37; ++x) {
            int64_t v = at(src.get(), x, y, 0);
            int64_t expected = v;
            if (v < 0xFF00) {
                int i1 = (x + 4 * y + offset[x % 1024]) % 1024, i2 = (y + 4 * x + offset[y % 1024]) % 1024;
                int64_t rounded = v + ((v % 256) <= static_cast<int64_t>(std::floor(257 * fraction[i1])) ? 256 : 0);
                int64_t noisy = rounded + (static_cast<int64_t>(2.0 * amplitude * fraction[i2] + 0.5) - amplitude) * 256;
                expected = noisy >= 0 && noisy <= 65535 ? noisy : rounded;
            }
            changed += (expected >> 8) != (v >> 8);
            ASSERT_EQ(at(dst.get(), x, y, 0), static_cast<uint32_t>(expected >> 8)) << x << "," << y;
        }
    EXPECT_GT(changed, 20);
    for (int x = 0; x < 37; ++x)
        EXPECT_EQ(at(dst.get(), x, 0, 0), 0xFFu);
}

} // namespace
