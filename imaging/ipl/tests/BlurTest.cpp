#include "imaging/ipl/IplBlur.h"
#include "imaging/ipl/IplBorder.h"
#include "imaging/ipl/tests/ImageFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace ipltest;

namespace {

int64_t signedValue(int depth, uint32_t raw)
{
    switch (depth) {
    case iplDepth8s: return static_cast<int8_t>(raw);
    case iplDepth16s: return static_cast<int16_t>(raw);
    case iplDepth32s: return static_cast<int32_t>(raw);
    default: return raw;
    }
}

// Mean of the box with round-half-up, computed the slow way.
uint32_t referenceMean(const IplImage* src, int depth, int x, int y, int c, int nCols, int nRows, int ax, int ay)
{
    int64_t sum = 0;
    for (int r = 0; r < nRows; ++r)
        for (int k = 0; k < nCols; ++k)
            sum += signedValue(depth, ownPixelWithBorder(src, x - ax + k, y - ay + r, c + 1) & maskOfDepth(depth));
    int64_t area = static_cast<int64_t>(nCols) * nRows;
    if (depth == iplDepth1u)
        return 2 * sum >= area ? 1 : 0;
    auto mean = static_cast<int64_t>(std::floor((static_cast<long double>(sum) / area) + 0.5L));
    return static_cast<uint32_t>(mean) & maskOfDepth(depth);
}

struct BlurCase {
    int nCols, nRows, ax, ay;
};

const BlurCase kBoxes[] = {{2, 2, 1, 1}, {3, 5, 0, 4}, {4, 1, 3, 0}, {7, 3, 2, 1}, {1, 6, 0, 2}};

struct Layout {
    int depth;
    int nChannels;
    int order;
    int alpha;
};

const Layout kLayouts[] = {
    {iplDepth8u, 3, iplDataOrderPixel, 0}, {iplDepth8u, 3, iplDataOrderPlane, 0}, {iplDepth8s, 1, iplDataOrderPixel, 0},
    {iplDepth16u, 2, iplDataOrderPixel, 0}, {iplDepth16s, 3, iplDataOrderPlane, 0}, {iplDepth32s, 1, iplDataOrderPixel, 0},
    {iplDepth1u, 1, iplDataOrderPixel, 0}, {iplDepth8u, 4, iplDataOrderPixel, 4},
};

TEST(Blur, MatchesNaiveReferenceAcrossDepthsBoxesBordersRoisMasksAndInPlace)
{
    int checked = 0;
    for (const auto& layout : kLayouts)
        for (const auto& box : kBoxes)
            for (int mode = 0; mode < 4; ++mode)
                for (int variant = 0; variant < 4; ++variant) {
                    bool withRoi = variant & 1, masked = variant == 2, inPlace = variant == 3;
                    SCOPED_TRACE(testing::Message() << "depth " << layout.depth << " ch " << layout.nChannels << " box "
                                                    << box.nCols << "x" << box.nRows << " mode " << mode << " variant " << variant);
                    ImagePtr src = makeImage(layout.nChannels, layout.depth, 13, 11, layout.order, 4, layout.alpha);
                    ImagePtr dst = makeImage(layout.nChannels, layout.depth, 12, 14, layout.order, 8, layout.alpha);
                    ImagePtr mask = makeImage(1, iplDepth1u, 12, 14);
                    fillPattern(src.get(), 1);
                    fillPattern(dst.get(), 2);
                    fillPattern(mask.get(), 3);
                    iplSetImageBorderMode(src.get(), mode, iplSideAll, 17);
                    iplSetImageBorderMode(src.get(), mode == 0 ? 0 : 1, iplSideLeft, 5);
                    IplImage* target = inPlace ? src.get() : dst.get();
                    IplROI srcRoi{0, 2, 3, 9, 7}, dstRoi{0, 1, 4, 10, 8};
                    if (withRoi) {
                        src->roi = &srcRoi;
                        target->roi = inPlace ? &srcRoi : &dstRoi;
                    }
                    ImagePtr before = makeImage(layout.nChannels, layout.depth, 13, 11, layout.order, 4, layout.alpha);
                    std::memcpy(before->imageData, src->imageData, static_cast<size_t>(src->imageSize));
                    std::copy_n(src->borderMode, 4, before->borderMode);
                    std::copy_n(src->borderConst, 4, before->borderConst);
                    if (masked)
                        target->maskImage = mask.get();
                    int sx = withRoi ? 2 : 0, sy = withRoi ? 3 : 0;
                    int tx = withRoi ? (inPlace ? 2 : 1) : 0, ty = withRoi ? (inPlace ? 3 : 4) : 0;
                    int w = withRoi ? 9 : std::min(13, target->width), h = withRoi ? 7 : std::min(11, target->height);
                    std::vector<uint32_t> expected;
                    for (int y = 0; y < target->height; ++y)
                        for (int x = 0; x < target->width; ++x)
                            for (int c = 0; c < layout.nChannels; ++c) {
                                uint32_t v = at(target, x, y, c);
                                int i = x - tx, j = y - ty;
                                bool inside = i >= 0 && j >= 0 && i < w && j < h;
                                bool blurred = c + 1 != layout.alpha && inside && (!masked || at(mask.get(), i, j, 0));
                                if (blurred)
                                    v = referenceMean(before.get(), layout.depth, sx + i, sy + j, c, box.nCols, box.nRows,
                                                      box.ax, box.ay);
                                expected.push_back(v);
                            }
                    ReportRecorder recorder;
                    iplBlur(src.get(), target, box.nCols, box.nRows, box.ax, box.ay);
                    src->roi = dst->roi = nullptr;
                    target->maskImage = nullptr;
                    EXPECT_FALSE(recorder.any()) << recorder.lastContext();
                    std::vector<uint32_t> actual;
                    for (int y = 0; y < target->height; ++y)
                        for (int x = 0; x < target->width; ++x)
                            for (int c = 0; c < layout.nChannels; ++c)
                                actual.push_back(at(target, x, y, c));
                    ASSERT_EQ(firstDifference(actual, expected), "");
                    ++checked;
                }
    EXPECT_EQ(checked, 8 * 5 * 4 * 4);
}

TEST(Blur, FlatAreasStayFlat)
{
    for (int value : {1, 77, 254, 255}) {
        ImagePtr image = makeImage(3, iplDepth8u, 30, 20);
        iplSetImageBorderMode(image.get(), iplBorderReplicate, iplSideAll, 0);
        std::memset(image->imageData, value, static_cast<size_t>(image->imageSize));
        iplBlur(image.get(), image.get(), 10, 7, 4, 3);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 30; ++x)
                ASSERT_EQ(at(image.get(), x, y, 1), static_cast<uint32_t>(value));
    }
}

TEST(Blur, SmallCasesAndRefusals)
{
    ImagePtr white = makeImage(1, iplDepth8u, 1, 1);
    set(white.get(), 0, 0, 0, 255);
    iplBlur(white.get(), white.get(), 2, 2, 1, 1);
    EXPECT_EQ(at(white.get(), 0, 0, 0), 64u);

    ImagePtr a = makeImage(1, iplDepth8u, 4, 4);
    ImagePtr b = makeImage(1, iplDepth8u, 4, 4);
    ImagePtr c16 = makeImage(1, iplDepth16u, 4, 4);
    ImagePtr rgb = makeImage(3, iplDepth8u, 4, 4);
    fillPattern(a.get());
    iplBlur(a.get(), b.get(), 1, 1, 0, 0);
    EXPECT_EQ(std::memcmp(a->imageData, b->imageData, 16), 0);
    std::memset(b->imageData, 9, 16);
    struct Case { IplImage* src; IplImage* dst; int nCols, nRows, ax, ay; int status; const char* context; };
    const Case cases[] = {
        {a.get(), c16.get(), 2, 2, 0, 0, -5, "(srcImage->depth!=dstImage->depth)"},
        {a.get(), b.get(), -1, 2, 0, 0, -5, "(nRows<0||nCols<0)"},
        {a.get(), b.get(), 2, 2, -1, 0, -5, "(anchorX<0||anchorY<0)"},
        {a.get(), b.get(), 2, 2, 2, 0, -5, "(anchorX>=nCols||anchorY>=nRows)"},
        {a.get(), b.get(), 0, 0, 0, 0, -5, "(anchorX>=nCols||anchorY>=nRows)"},
        {a.get(), rgb.get(), 2, 2, 0, 0, -15, "bad channel's number"},
        {nullptr, b.get(), 2, 2, 0, 0, -9, "Incorrect Image"},
        {a.get(), b.get(), 1 << 30, 1 << 30, 0, 0, -4, "Allocation failure"},
        {a.get(), b.get(), 1 << 29, 1, 0, 0, -4, "Allocation failure"},
    };
    for (const auto& c : cases) {
        ReportRecorder recorder;
        iplBlur(c.src, c.dst, c.nCols, c.nRows, c.ax, c.ay);
        EXPECT_EQ(recorder.lastStatus(), c.status) << c.context;
        EXPECT_EQ(recorder.lastContext(), c.context);
        EXPECT_EQ(b->imageData[5], 9);
    }
}

// The channels a blur reads or writes, 0-based: the channel of interest, or all but alpha.
std::vector<int> channelsOf(const IplImage* image)
{
    if (image->roi && image->roi->coi)
        return {image->roi->coi - 1};
    std::vector<int> all;
    for (int c = 0; c < image->nChannels; ++c)
        if (c + 1 != image->alphaChannel)
            all.push_back(c);
    return all;
}

// Blurs that take some channels of a pixel, or write where a mask allows, in other layouts than
// the source's: every other sample of the destination stays as it was.
TEST(Blur, ChannelsOfInterestAlphaAndMasksAcrossLayouts)
{
    struct Side {
        int channels, alpha, coi;
    };
    struct Case {
        Side src, dst;
        bool masked, inPlace;
    };
    const Case cases[] = {
        {{3, 0, 2}, {3, 0, 2}, false, false}, {{3, 0, 3}, {1, 0, 0}, true, false},
        {{4, 4, 0}, {3, 0, 0}, false, false}, {{1, 0, 0}, {4, 0, 4}, true, false},
        {{4, 0, 1}, {4, 0, 1}, true, true},   {{4, 4, 0}, {4, 4, 0}, true, true},
        {{2, 0, 0}, {2, 0, 0}, true, false},  {{4, 0, 2}, {2, 0, 1}, false, false},
    };
    const int width = 41, height = 9, nCols = 3, nRows = 5, ax = 1, ay = 3;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.src.channels << " channels, coi " << c.src.coi << " into "
                                        << c.dst.channels << ", coi " << c.dst.coi);
        ImagePtr src = makeImage(c.src.channels, iplDepth8u, width, height, iplDataOrderPixel, 4, c.src.alpha);
        ImagePtr dst = makeImage(c.dst.channels, iplDepth8u, width, height, iplDataOrderPixel, 8, c.dst.alpha);
        ImagePtr mask = makeImage(1, iplDepth1u, width, height);
        fillPattern(src.get(), 1);
        fillPattern(dst.get(), 2);
        fillPattern(mask.get(), 3);
        iplSetImageBorderMode(src.get(), iplBorderReplicate, iplSideAll, 0);
        iplSetImageBorderMode(src.get(), iplBorderConstant, iplSideTop, 200);
        IplImage* target = c.inPlace ? src.get() : dst.get();
        ImagePtr before = makeImage(c.src.channels, iplDepth8u, width, height, iplDataOrderPixel, 4, c.src.alpha);
        std::memcpy(before->imageData, src->imageData, static_cast<size_t>(src->imageSize));
        std::copy_n(src->borderMode, 4, before->borderMode);
        std::copy_n(src->borderConst, 4, before->borderConst);
        IplROI srcRoi{c.src.coi, 0, 0, width, height}, dstRoi{c.dst.coi, 0, 0, width, height};
        src->roi = &srcRoi;
        target->roi = c.inPlace ? &srcRoi : &dstRoi;
        const std::vector<int> from = channelsOf(src.get()), to = channelsOf(target);
        ASSERT_EQ(from.size(), to.size());
        std::vector<uint32_t> expected;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                for (int k = 0; k < target->nChannels; ++k) {
                    uint32_t v = at(target, x, y, k);
                    auto written = std::find(to.begin(), to.end(), k);
                    if (written != to.end() && (!c.masked || at(mask.get(), x, y, 0)))
                        v = referenceMean(before.get(), iplDepth8u, x, y, from[size_t(written - to.begin())], nCols,
                                          nRows, ax, ay);
                    expected.push_back(v);
                }
        if (c.masked)
            target->maskImage = mask.get();
        ReportRecorder recorder;
        iplBlur(src.get(), target, nCols, nRows, ax, ay);
        src->roi = dst->roi = nullptr;
        target->maskImage = nullptr;
        EXPECT_FALSE(recorder.any()) << recorder.lastContext();
        std::vector<uint32_t> actual;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                for (int k = 0; k < target->nChannels; ++k)
                    actual.push_back(at(target, x, y, k));
        EXPECT_EQ(firstDifference(actual, expected), "");
    }
}

TEST(Blur, TiledSourceAndDestinationEqualUntiled)
{
    ImagePtr plain = makeImage(3, iplDepth16u, 37, 29);
    ImagePtr plainOut = makeImage(3, iplDepth16u, 37, 29);
    TiledImage tiled(3, iplDepth16u, 37, 29, 8, 16);
    TiledImage tiledOut(3, iplDepth16u, 37, 29, 16, 8);
    fillPattern(plain.get());
    for (int y = 0; y < 29; ++y)
        for (int x = 0; x < 37; ++x)
            for (int c = 0; c < 3; ++c)
                tiled.set(x, y, c, at(plain.get(), x, y, c));
    for (IplImage* image : {plain.get(), tiled.get()})
        iplSetImageBorderMode(image, iplBorderReflect, iplSideAll, 0);
    IplROI roi{0, 3, 2, 30, 25};
    plainOut->roi = tiledOut.get()->roi = &roi;
    iplBlur(plain.get(), plainOut.get(), 5, 4, 2, 1);
    iplBlur(tiled.get(), tiledOut.get(), 5, 4, 2, 1);
    plainOut->roi = tiledOut.get()->roi = nullptr;
    for (int y = 0; y < 29; ++y)
        for (int x = 0; x < 37; ++x)
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(tiledOut.at(x, y, c), at(plainOut.get(), x, y, c)) << x << "," << y;
    EXPECT_EQ(tiledOut.fetches, tiledOut.releases);
}

} // namespace
