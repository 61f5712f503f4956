#include "imaging/ipl/IplCopy.h"
#include "imaging/ipl/IplLogic.h"
#include "imaging/ipl/tests/ImageFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

using namespace ipltest;

namespace {

// A plain or tiled test image behind one accessor.
struct TestImage {
    ImagePtr plain;
    std::unique_ptr<TiledImage> tiled;
    IplROI roi{};

    TestImage(int nChannels, int depth, int w, int h, int order, bool tiles, int alpha = 0)
    {
        if (tiles)
            tiled = std::make_unique<TiledImage>(nChannels, depth, w, h, 8, 16, order, alpha);
        else
            plain = makeImage(nChannels, depth, w, h, order, iplAlignDword, alpha);
    }
    ~TestImage()
    {
        if (get())
            get()->roi = nullptr;
    }
    IplImage* get() const { return tiled ? tiled->get() : plain.get(); }
    uint32_t at(int x, int y, int c) const { return tiled ? tiled->at(x, y, c) : ipltest::at(plain.get(), x, y, c); }
    void set(int x, int y, int c, uint32_t v) { tiled ? tiled->set(x, y, c, v) : ipltest::set(plain.get(), x, y, c, v); }
    void fill(int seed)
    {
        for (int y = 0; y < get()->height; ++y)
            for (int x = 0; x < get()->width; ++x)
                for (int c = 0; c < get()->nChannels; ++c)
                    set(x, y, c, pattern(x, y, c, seed) & maskOfDepth(get()->depth));
    }
    void setRoi(std::optional<IplROI> r)
    {
        if (!r)
            return;
        roi = *r;
        get()->roi = &roi;
    }
    std::vector<uint32_t> snapshot() const
    {
        std::vector<uint32_t> all;
        for (int y = 0; y < get()->height; ++y)
            for (int x = 0; x < get()->width; ++x)
                for (int c = 0; c < get()->nChannels; ++c)
                    all.push_back(at(x, y, c));
        return all;
    }
    size_t index(int x, int y, int c) const
    {
        return (static_cast<size_t>(y) * get()->width + x) * get()->nChannels + c;
    }
};

// Region and channels of one image as the reference sees them.
struct RefRegion {
    int x, y, w, h, first, count;
};

RefRegion refRegion(const IplImage* image)
{
    RefRegion r{0, 0, image->width, image->height, 0, image->nChannels - (image->alphaChannel ? 1 : 0)};
    if (image->roi) {
        r.x = image->roi->xOffset;
        r.y = image->roi->yOffset;
        r.w = std::min(image->roi->width, image->width - r.x);
        r.h = std::min(image->roi->height, image->height - r.y);
        if (image->roi->coi) {
            r.first = image->roi->coi - 1;
            r.count = 1;
        }
    }
    return r;
}

struct CopyCase {
    int depth;
    int order;
    int nChannels;
    std::optional<IplROI> srcRoi;
    std::optional<IplROI> dstRoi;
    bool mask;
    bool srcTiled;
    bool dstTiled;
};

std::vector<CopyCase> copyCases()
{
    std::vector<CopyCase> cases;
    const int depths[] = {iplDepth1u, iplDepth8u, iplDepth8s, iplDepth16u, iplDepth16s, iplDepth32s, iplDepth32f};
    for (int depth : depths) {
        int channels = depth == iplDepth1u ? 1 : 3;
        for (int order : {iplDataOrderPixel, iplDataOrderPlane}) {
            for (bool mask : {false, true}) {
                cases.push_back({depth, order, channels, std::nullopt, std::nullopt, mask, false, false});
                cases.push_back({depth, order, channels, IplROI{0, 3, 2, 13, 9}, IplROI{0, 1, 5, 20, 7}, mask, false, false});
                cases.push_back({depth, order, channels, IplROI{0, 5, 1, 9, 30}, std::nullopt, mask, true, false});
                cases.push_back({depth, order, channels, std::nullopt, IplROI{0, 7, 3, 11, 20}, mask, false, true});
                cases.push_back({depth, order, channels, IplROI{0, 2, 9, 19, 14}, IplROI{0, 9, 1, 17, 21}, mask, true, true});
                if (channels == 3)
                    cases.push_back({depth, order, channels, IplROI{2, 1, 1, 9, 9}, IplROI{3, 4, 4, 9, 9}, mask, false, false});
            }
        }
    }
    return cases;
}

// Sets the reference destination from the source where the mask (if any) allows.
void referenceOp(const TestImage& src, const TestImage& dst, const TestImage* mask, std::vector<uint32_t>& expected,
                 std::vector<uint32_t>* expectedSrc)
{
    RefRegion s = refRegion(src.get()), d = refRegion(dst.get());
    int w = std::min(s.w, d.w), h = std::min(s.h, d.h);
    if (mask) {
        RefRegion m = refRegion(mask->get());
        w = std::min(w, m.w);
        h = std::min(h, m.h);
    }
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            if (mask && !mask->at(i, j, 0))
                continue;
            for (int k = 0; k < d.count; ++k) {
                expected[dst.index(d.x + i, d.y + j, d.first + k)] = src.at(s.x + i, s.y + j, s.first + k);
                if (expectedSrc)
                    (*expectedSrc)[src.index(s.x + i, s.y + j, s.first + k)] = dst.at(d.x + i, d.y + j, d.first + k);
            }
        }
}

class CopyAndExchange : public testing::TestWithParam<bool> {};

TEST_P(CopyAndExchange, MatchPerPixelReferenceOnAllDepthsRoisMasksAndTiles)
{
    bool exchange = GetParam();
    for (const auto& c : copyCases()) {
        SCOPED_TRACE(testing::Message() << "depth " << c.depth << " order " << c.order << " mask " << c.mask
                                        << " tiles " << c.srcTiled << c.dstTiled << " roi " << c.srcRoi.has_value());
        TestImage src(c.nChannels, c.depth, 29, 37, c.order, c.srcTiled);
        TestImage dst(c.nChannels, c.depth, 31, 33, c.order, c.dstTiled);
        TestImage mask(1, iplDepth1u, 26, 30, iplDataOrderPixel, false);
        src.fill(1);
        dst.fill(2);
        mask.fill(3);
        src.setRoi(c.srcRoi);
        dst.setRoi(c.dstRoi);
        if (c.mask)
            src.get()->maskImage = mask.get();
        std::vector<uint32_t> expected = dst.snapshot();
        std::vector<uint32_t> expectedSrc = src.snapshot();
        referenceOp(src, dst, c.mask ? &mask : nullptr, expected, exchange ? &expectedSrc : nullptr);
        ReportRecorder recorder;
        exchange ? iplExchange(src.get(), dst.get()) : iplCopy(src.get(), dst.get());
        src.get()->maskImage = nullptr;
        EXPECT_FALSE(recorder.any()) << recorder.lastContext();
        EXPECT_EQ(firstDifference(dst.snapshot(), expected), "");
        EXPECT_EQ(firstDifference(src.snapshot(), expectedSrc), "");
    }
}

INSTANTIATE_TEST_SUITE_P(Ipl, CopyAndExchange, testing::Values(false, true));

TEST(Copy, TwoMasksCombineAndTiledEqualsUntiled)
{
    for (int order : {iplDataOrderPixel, iplDataOrderPlane}) {
        TestImage plainSrc(3, iplDepth16u, 40, 35, order, false), plainDst(3, iplDepth16u, 40, 35, order, false);
        TestImage tiledSrc(3, iplDepth16u, 40, 35, order, true), tiledDst(3, iplDepth16u, 40, 35, order, true);
        TestImage maskA(1, iplDepth1u, 40, 35, iplDataOrderPixel, false), maskB(1, iplDepth1u, 33, 35, iplDataOrderPixel, false);
        maskA.fill(5);
        maskB.fill(6);
        maskB.setRoi(IplROI{0, 2, 0, 30, 30});
        for (auto* image : {&plainSrc, &tiledSrc}) image->fill(1);
        for (auto* image : {&plainDst, &tiledDst}) image->fill(2);
        for (auto pair : {std::make_pair(&plainSrc, &plainDst), std::make_pair(&tiledSrc, &tiledDst)}) {
            pair.first->get()->maskImage = maskA.get();
            pair.second->get()->maskImage = maskB.get();
            iplCopy(pair.first->get(), pair.second->get());
            pair.first->get()->maskImage = pair.second->get()->maskImage = nullptr;
        }
        EXPECT_EQ(plainDst.snapshot(), tiledDst.snapshot());
        int copied = 0;
        for (int y = 0; y < 35; ++y)
            for (int x = 0; x < 40; ++x) {
                bool gate = x < 30 && y < 30 && maskA.at(x, y, 0) && maskB.at(x + 2, y, 0);
                copied += gate;
                uint32_t expected = pattern(x, y, 1, gate ? 1 : 2) & 0xFFFF;
                EXPECT_EQ(plainDst.at(x, y, 1), expected);
            }
        EXPECT_GT(copied, 100);
    }
}

TEST(Copy, Refusals)
{
    ImagePtr a = makeImage(1, iplDepth8u, 4, 4);
    ImagePtr b16 = makeImage(1, iplDepth16u, 4, 4);
    b16->origin = iplOriginBl;
    ImagePtr plane = makeImage(1, iplDepth8u, 4, 4, iplDataOrderPlane);
    ImagePtr rgb = makeImage(3, iplDepth8u, 4, 4);
    ImagePtr rgbPlane = makeImage(3, iplDepth8u, 4, 4, iplDataOrderPlane);
    {
        ReportRecorder recorder;
        iplCopy(a.get(), b16.get());
        ASSERT_EQ(recorder.all().size(), 2u);
        EXPECT_EQ(recorder.all()[0].context, "srcImage->depth != dstImage->depth");
        EXPECT_EQ(recorder.all()[1].context, "srcImage->origin != dstImage->origin");
    }
    {
        ReportRecorder recorder;
        fillPattern(a.get());
        iplCopy(a.get(), plane.get());
        EXPECT_FALSE(recorder.any());
        EXPECT_EQ(at(plane.get(), 3, 3, 0), at(a.get(), 3, 3, 0));
        iplCopy(rgb.get(), rgbPlane.get());
        EXPECT_EQ(recorder.lastContext(), "srcImage->dataOrder != dstImage->dataOrder");
    }
    {
        ReportRecorder recorder;
        iplCopy(a.get(), a.get());
        iplCopy(nullptr, a.get());
        ASSERT_EQ(recorder.all().size(), 1u);
        EXPECT_EQ(recorder.lastStatus(), -9);
        EXPECT_EQ(recorder.lastContext(), "Incorrect Image");
    }
    {
        IplROI roi{2, 0, 0, 4, 4};
        rgb->roi = &roi;
        ImagePtr other = makeImage(3, iplDepth8u, 4, 4);
        ReportRecorder recorder;
        iplCopy(rgb.get(), other.get());
        rgb->roi = nullptr;
        EXPECT_EQ(recorder.lastStatus(), -2);
        EXPECT_EQ(recorder.lastContext(), "srcImage COI != dstImage COI");
    }
    {
        TestImage src(1, iplDepth8u, 20, 20, iplDataOrderPixel, true);
        TestImage dst(1, iplDepth8u, 20, 20, iplDataOrderPixel, true);
        src.tiled->failFetch = true;
        ReportRecorder recorder;
        iplCopy(src.get(), dst.get());
        EXPECT_EQ(recorder.lastStatus(), -2);
        EXPECT_EQ(recorder.lastContext(), "Error get tile to read");
        EXPECT_EQ(dst.tiled->fetches, dst.tiled->releases);
    }
}

TEST(Copy, StaleErrorStatusDoesNotStopACopy)
{
    ImagePtr a = makeImage(1, iplDepth8u, 4, 4);
    ImagePtr b = makeImage(1, iplDepth8u, 4, 4);
    fillPattern(a.get());
    iplSetErrorStatus(-5);
    iplCopy(a.get(), b.get());
    EXPECT_EQ(std::vector<char>(a->imageData, a->imageData + 16), std::vector<char>(b->imageData, b->imageData + 16));
    iplSetErrorStatus(0);
}

struct SetCase {
    int depth;
    int value;
    uint32_t stored;
};

TEST(Set, ClampsPerDepthHonoursRoiMaskAndTiles)
{
    const SetCase cases[] = {
        {iplDepth8u, 300, 255}, {iplDepth8u, -3, 0}, {iplDepth8s, -200, 0x80}, {iplDepth8s, 100, 100},
        {iplDepth16u, 70000, 65535}, {iplDepth16s, -40000, 0x8000}, {iplDepth32s, -7, 0xFFFFFFF9},
        {iplDepth1u, 5, 1}, {iplDepth1u, -1, 0},
    };
    for (const auto& c : cases) {
        for (bool tiles : {false, true}) {
            for (bool masked : {false, true}) {
                int channels = c.depth == iplDepth1u ? 1 : 3;
                TestImage image(channels, c.depth, 27, 35, iplDataOrderPixel, tiles);
                TestImage mask(1, iplDepth1u, 20, 20, iplDataOrderPixel, false);
                image.fill(4);
                mask.fill(7);
                image.setRoi(IplROI{channels == 3 ? 2 : 0, 3, 4, 30, 30});
                std::vector<uint32_t> expected = image.snapshot();
                for (int y = 4; y < 34; ++y)
                    for (int x = 3; x < 27; ++x) {
                        if (masked && (x - 3 >= 20 || y - 4 >= 20 || !mask.at(x - 3, y - 4, 0)))
                            continue;
                        expected[image.index(x, y, channels == 3 ? 1 : 0)] = c.stored;
                    }
                if (masked)
                    image.get()->maskImage = mask.get();
                ReportRecorder recorder;
                iplSet(image.get(), c.value);
                image.get()->maskImage = nullptr;
                EXPECT_FALSE(recorder.any());
                EXPECT_EQ(firstDifference(image.snapshot(), expected), "") << c.depth << " " << c.value << " " << tiles << masked;
            }
        }
    }
}

TEST(Set, FloatFillsAndWrongFillRefusals)
{
    ImagePtr floats(iplCreateImageHeader(1, 0, iplDepth32f, "GRAY", "G", 0, 0, 4, 3, 2, nullptr, nullptr, 0, nullptr));
    iplAllocateImageFP(floats.get(), 0, 0);
    ImagePtr bytes = makeImage(1, iplDepth8u, 3, 2);
    ReportRecorder recorder;
    iplSetFP(floats.get(), -2.25f);
    EXPECT_FALSE(recorder.any());
    EXPECT_EQ(floats->depth, iplDepth32f);
    float v;
    std::memcpy(&v, floats->imageData + 4, 4);
    EXPECT_EQ(v, -2.25f);
    iplSetFP(bytes.get(), 1.0f);
    EXPECT_EQ(recorder.lastStatus(), -17);
    EXPECT_EQ(recorder.lastContext(), "You should use iplSet for this image");
    iplSet(floats.get(), 1);
    EXPECT_EQ(recorder.lastContext(), "You should use iplSetFP for this image");
    iplSetFP(nullptr, 1.0f);
    EXPECT_EQ(recorder.lastContext(), "dstImage==0");
}

TEST(Set, MaskedOneBitClearLeavesMaskAlone)
{
    ImagePtr image = makeImage(1, iplDepth1u, 19, 3);
    ImagePtr mask = makeImage(1, iplDepth1u, 19, 3);
    iplSet(image.get(), 1);
    fillPattern(mask.get());
    std::vector<char> maskBefore(mask->imageData, mask->imageData + mask->imageSize);
    image->maskImage = mask.get();
    iplSet(image.get(), 0);
    image->maskImage = nullptr;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 19; ++x)
            EXPECT_EQ(at(image.get(), x, y, 0), at(mask.get(), x, y, 0) ? 0u : 1u);
    EXPECT_EQ(std::vector<char>(mask->imageData, mask->imageData + mask->imageSize), maskBefore);
}

TEST(Exchange, SixteenBitRegionsSwapOnlyThosePixels)
{
    ImagePtr a = makeImage(1, iplDepth16u, 6, 5);
    ImagePtr b = makeImage(1, iplDepth16u, 7, 4);
    fillPattern(a.get(), 1);
    fillPattern(b.get(), 2);
    IplROI ra{0, 1, 2, 3, 2}, rb{0, 4, 0, 3, 2};
    a->roi = &ra;
    b->roi = &rb;
    iplExchange(a.get(), b.get());
    a->roi = b->roi = nullptr;
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) {
            bool inside = x >= 1 && x < 4 && y >= 2 && y < 4;
            uint32_t expected = inside ? pattern(x + 3, y - 2, 0, 2) : pattern(x, y, 0, 1);
            EXPECT_EQ(at(a.get(), x, y, 0), expected & 0xFFFF);
        }
}

TEST(Logic, AndOrXorSAgainstReference)
{
    struct Case { int depth; int order; int value; };
    const Case cases[] = {{iplDepth8u, 0, 0x1234}, {iplDepth16s, 1, 0x1234}, {iplDepth32s, 0, -5}, {iplDepth1u, 0, 1},
                          {iplDepth1u, 0, 2}};
    for (const auto& c : cases) {
        for (bool tiles : {false, true}) {
            int channels = c.depth == iplDepth1u ? 1 : 3;
            TestImage a(channels, c.depth, 21, 19, c.order, tiles), b(channels, c.depth, 21, 19, c.order, false);
            TestImage d(channels, c.depth, 21, 19, c.order, tiles);
            a.fill(1);
            b.fill(2);
            d.fill(3);
            d.setRoi(IplROI{0, 3, 2, 15, 15});
            std::vector<uint32_t> expectedAnd = d.snapshot(), expectedOr = d.snapshot(), expectedXor = d.snapshot();
            uint32_t mask = maskOfDepth(c.depth);
            uint32_t constant = c.depth == iplDepth1u ? (c.value & 1) : static_cast<uint32_t>(c.value) & mask;
            for (int y = 0; y < 15; ++y)
                for (int x = 0; x < 15; ++x)
                    for (int k = 0; k < channels; ++k) {
                        size_t i = d.index(x + 3, y + 2, k);
                        expectedAnd[i] = a.at(x, y, k) & b.at(x, y, k);
                        expectedOr[i] = a.at(x, y, k) | b.at(x, y, k);
                        expectedXor[i] = a.at(x, y, k) ^ constant;
                    }
            ReportRecorder recorder;
            iplAnd(a.get(), b.get(), d.get());
            EXPECT_EQ(firstDifference(d.snapshot(), expectedAnd), "") << c.depth << tiles;
            iplOr(a.get(), b.get(), d.get());
            EXPECT_EQ(firstDifference(d.snapshot(), expectedOr), "") << c.depth << tiles;
            iplXorS(a.get(), d.get(), c.value);
            EXPECT_EQ(firstDifference(d.snapshot(), expectedXor), "") << c.depth << tiles;
            EXPECT_FALSE(recorder.any()) << recorder.lastContext();
        }
    }
}

TEST(Logic, RefusalsAndAlphaStaysUntouched)
{
    ImagePtr a = makeImage(4, iplDepth8u, 5, 5, iplDataOrderPixel, 4, 4);
    ImagePtr d = makeImage(4, iplDepth8u, 5, 5, iplDataOrderPixel, 4, 4);
    fillPattern(a.get(), 1);
    fillPattern(d.get(), 2);
    iplXorS(a.get(), d.get(), 0xFF);
    for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(at(d.get(), x, 1, 3), pattern(x, 1, 3, 2) & 0xFF);
        EXPECT_EQ(at(d.get(), x, 1, 0), (pattern(x, 1, 0, 1) & 0xFF) ^ 0xFF);
    }
    ImagePtr rgb = makeImage(3, iplDepth8u, 5, 5);
    ImagePtr b16 = makeImage(3, iplDepth16u, 5, 5);
    IplROI coi{2, 0, 0, 5, 5};
    struct Case { IplImage* a; IplImage* b; const char* context; };
    ImagePtr f(iplCreateImageHeader(3, 0, iplDepth32f, "RGB", "BGR", 0, 0, 4, 5, 5, nullptr, nullptr, 0, nullptr));
    iplAllocateImageFP(f.get(), 0, 0);
    const Case cases[] = {
        {b16.get(), rgb.get(), "(srcImageA->depth != dstImage->depth)"},
        {rgb.get(), b16.get(), "(srcImageB->depth != dstImage->depth)"},
        {f.get(), f.get(), "This function does not support depth 32F"},
    };
    for (const auto& c : cases) {
        ReportRecorder recorder;
        iplAnd(c.a, c.b, c.a == f.get() ? f.get() : rgb.get());
        EXPECT_EQ(recorder.lastContext(), c.context);
    }
    ImagePtr other = makeImage(3, iplDepth8u, 5, 5);
    other->roi = &coi;
    ReportRecorder recorder;
    iplOr(other.get(), rgb.get(), rgb.get());
    other->roi = nullptr;
    EXPECT_EQ(recorder.lastContext(), "(nChSrcA != nChDst)");
}

} // namespace

namespace {

TEST(Logic, MaskAreaOrderAndTileEdgeCases)
{
    ImagePtr a = makeImage(1, iplDepth8u, 12, 22), b = makeImage(1, iplDepth8u, 12, 22);
    ImagePtr d = makeImage(1, iplDepth8u, 12, 22);
    fillPattern(a.get(), 1);
    fillPattern(b.get(), 2);
    std::memset(d->imageData, 0x11, static_cast<size_t>(d->imageSize));
    IplROI ra{0, 0, 0, 10, 10}, rd{0, 2, 1, 6, 20};
    a->roi = &ra;
    d->roi = &rd;
    iplAnd(a.get(), b.get(), d.get());
    a->roi = d->roi = nullptr;
    int written = 0;
    for (int y = 0; y < 22; ++y)
        for (int x = 0; x < 12; ++x)
            written += at(d.get(), x, y, 0) != 0x11u && x >= 2 && x < 8 && y >= 1 && y < 11;
    EXPECT_GT(written, 40);
    for (int y = 11; y < 22; ++y)
        EXPECT_EQ(at(d.get(), 4, y, 0), 0x11u);
    EXPECT_EQ(at(d.get(), 3, 2, 0), at(a.get(), 1, 1, 0) & at(b.get(), 1, 1, 0));

    ImagePtr maskA = makeImage(1, iplDepth1u, 8, 8), maskB = makeImage(1, iplDepth1u, 8, 8);
    IplROI outside{0, 9, 0, 4, 4};
    maskB->roi = &outside;
    a->maskImage = maskA.get();
    d->maskImage = maskB.get();
    std::vector<char> before(d->imageData, d->imageData + d->imageSize);
    {
        ReportRecorder recorder;
        iplOr(a.get(), b.get(), d.get());
        EXPECT_FALSE(recorder.any());
    }
    a->maskImage = d->maskImage = nullptr;
    maskB->roi = nullptr;
    EXPECT_EQ(std::vector<char>(d->imageData, d->imageData + d->imageSize), before);

    ImagePtr bitsPixel = makeImage(1, iplDepth1u, 9, 2), bitsPlane = makeImage(1, iplDepth1u, 9, 2, iplDataOrderPlane);
    fillPattern(bitsPixel.get());
    {
        ReportRecorder recorder;
        iplXorS(bitsPixel.get(), bitsPlane.get(), 1);
        EXPECT_FALSE(recorder.any());
    }
    EXPECT_EQ(at(bitsPlane.get(), 8, 1, 0), at(bitsPixel.get(), 8, 1, 0) ^ 1u);

    ImagePtr wa = makeImage(3, iplDepth8u, 5, 2), wb = makeImage(3, iplDepth8u, 5, 2), wd = makeImage(3, iplDepth8u, 5, 2);
    wa->imageData[15] = 0x3C;
    wb->imageData[15] = 0x0F;
    iplAnd(wa.get(), wb.get(), wd.get());
    EXPECT_EQ(wd->imageData[15], 0x0C) << "whole buffers include the row padding";

    TiledImage tiled(1, iplDepth8u, 16, 16, 8, 8);
    tiled.failFetch = true;
    ImagePtr plain = makeImage(1, iplDepth8u, 16, 16);
    ReportRecorder recorder;
    iplXorS(plain.get(), tiled.get(), 3);
    EXPECT_EQ(recorder.lastContext(), "(dstImage->tileInfo->tileData == ((void*)(0)))");
}

} // namespace
