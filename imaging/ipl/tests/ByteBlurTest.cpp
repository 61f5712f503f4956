// The 8-bit whole-pixel blur: its rounding for every window sum, and its results against a plain
// box sum over a bordered copy, for separate, in-place and overlapping destinations.
#include "imaging/ipl/IplBlur.h"
#include "imaging/ipl/IplBorder.h"
#include "imaging/ipl/IplByteBox.h"
#include "imaging/ipl/IplRoi.h"
#include "imaging/ipl/tests/ImageFixture.h"

#include <gtest/gtest.h>

using namespace ipltest;

namespace {

uint8_t exactMean(int64_t sum, int64_t area)
{
    return static_cast<uint8_t>((2 * sum + area) / (2 * area));
}

TEST(ByteBlur, MeansRoundHalfUpForEveryWindowSum)
{
    // Small areas are checked for every sum, large ones around every rounding step and at the ends.
    for (int32_t area : {2, 3, 4, 7, 9, 100, 1023, 2601, 4096, 10201, 13107}) {
        for (int32_t sum = 0; sum <= 255 * area; ++sum)
            ASSERT_EQ(ownByteBoxMean(sum, area), exactMean(sum, area)) << sum << " / " << area;
    }
    for (int32_t area : {13108, 15229, 65537, 1000003, 1 << 22}) {
        for (int64_t q = 0; q < 256; ++q)
            for (int64_t sum : {q * area, q * area + (area - 1) / 2, q * area + area / 2, q * area + (area + 1) / 2}) {
                if (sum <= 255 * int64_t{area}) {
                    ASSERT_EQ(ownByteBoxMean(static_cast<int32_t>(sum), area), exactMean(sum, area))
                        << sum << " / " << area;
                }
            }
    }
}

struct Box {
    int nCols, nRows, ax, ay;
};

// Box sums from a summed-area table of a copy of the source and its borders, made pixel by
// pixel through the border rules.
class Reference {
public:
    Reference(const IplImage* source, OwnRect region, const Box& box)
        : box_(box), n_(source->nChannels), width_(region.width + box.nCols), height_(region.height + box.nRows),
          table_(static_cast<size_t>(width_) * height_ * n_, 0)
    {
        for (int y = 1; y < height_; ++y)
            for (int x = 1; x < width_; ++x)
                for (int c = 0; c < n_; ++c) {
                    int64_t pixel =
                        ownPixelWithBorder(source, region.x - box.ax + x - 1, region.y - box.ay + y - 1, c + 1) & 0xFF;
                    entry(x, y, c) = pixel + entry(x - 1, y, c) + entry(x, y - 1, c) - entry(x - 1, y - 1, c);
                }
    }
    uint32_t mean(int i, int j, int c)
    {
        int right = i + box_.nCols, bottom = j + box_.nRows;
        int64_t sum = entry(right, bottom, c) - entry(i, bottom, c) - entry(right, j, c) + entry(i, j, c);
        return exactMean(sum, int64_t{box_.nCols} * box_.nRows);
    }

private:
    int64_t& entry(int x, int y, int c) { return table_[(static_cast<size_t>(y) * width_ + x) * n_ + c]; }

    Box box_;
    int n_;
    int width_;
    int height_;
    std::vector<int64_t> table_;
};

// Where the blur reads and writes: a separate image, the same image, or another header over the
// same pixels whose region lies above or below the source's, or which starts rows further on.
struct Variant {
    const char* name;
    bool sameData;
    IplROI srcRoi;
    IplROI dstRoi;
    int dstFirstRow;
};

const Variant kVariants[] = {
    {"separate", false, {0, 0, 0, 12, 10}, {0, 0, 0, 12, 10}, 0},
    {"in place", true, {0, 0, 0, 12, 10}, {0, 0, 0, 12, 10}, 0},
    {"in place, region", true, {0, 2, 1, 8, 6}, {0, 2, 1, 8, 6}, 0},
    {"shared, written below", true, {0, 1, 0, 9, 6}, {0, 0, 3, 9, 6}, 0},
    {"shared, written above", true, {0, 0, 3, 9, 6}, {0, 1, 0, 9, 6}, 0},
    {"header a row further on", true, {0, 0, 0, 12, 8}, {0, 0, 0, 12, 8}, 1},
};

// 16-bit column sums with single-precision means, 32-bit column sums, double-precision means.
const Box kBoxes[] = {{3, 3, 1, 1}, {3, 4, 0, 0}, {1, 2, 0, 1}, {10, 10, 9, 9}, {2, 300, 1, 299}, {150, 120, 75, 119}};

// Each side its own mode and constant, so corners and mixed sides are exercised too.
void setBorders(IplImage* image, int mode)
{
    const int sides[] = {iplSideTop, iplSideBottom, iplSideLeft, iplSideRight};
    for (int s = 0; s < 4; ++s)
        iplSetImageBorderMode(image, (mode + s) % 4, sides[s], 40 + 50 * s);
}

std::vector<uint32_t> samples(const IplImage* image)
{
    std::vector<uint32_t> all;
    for (int y = 0; y < image->height; ++y)
        for (int x = 0; x < image->width; ++x)
            for (int c = 0; c < image->nChannels; ++c)
                all.push_back(at(image, x, y, c));
    return all;
}

void checkBlur(int channels, const Box& box, int mode, const Variant& variant)
{
    ImagePtr src = makeImage(channels, iplDepth8u, 12, 10);
    ImagePtr separate = makeImage(channels, iplDepth8u, 12, 10);
    fillPattern(src.get(), 1);
    fillPattern(separate.get(), 2);
    setBorders(src.get(), mode);
    IplImage shared = *src;
    shared.imageData += variant.dstFirstRow * shared.widthStep;
    shared.height -= variant.dstFirstRow;
    shared.imageSize -= variant.dstFirstRow * shared.widthStep;
    IplImage* dst = variant.sameData ? &shared : separate.get();
    IplROI srcRoi = variant.srcRoi, dstRoi = variant.dstRoi;
    src->roi = &srcRoi;
    dst->roi = &dstRoi;
    Reference reference(src.get(), {srcRoi.xOffset, srcRoi.yOffset, srcRoi.width, srcRoi.height}, box);
    std::vector<uint32_t> expected = samples(dst);
    for (int j = 0; j < dstRoi.height; ++j)
        for (int i = 0; i < dstRoi.width; ++i)
            for (int c = 0; c < channels; ++c)
                expected[(static_cast<size_t>(dstRoi.yOffset + j) * 12 + dstRoi.xOffset + i) * channels + c] =
                    reference.mean(i, j, c);
    ReportRecorder recorder;
    iplBlur(src.get(), dst, box.nCols, box.nRows, box.ax, box.ay);
    src->roi = dst->roi = nullptr;
    EXPECT_FALSE(recorder.any()) << recorder.lastContext();
    ASSERT_EQ(firstDifference(samples(dst), expected), "");
}

TEST(ByteBlur, WholePixelsMatchTheBoxSumsWhereverTheDestinationLies)
{
    for (int channels = 1; channels <= 4; ++channels)
        for (const Box& box : kBoxes)
            for (int mode = 0; mode < 4; ++mode)
                for (const Variant& variant : kVariants) {
                    SCOPED_TRACE(testing::Message() << channels << " channels, box " << box.nCols << "x" << box.nRows
                                                    << " at " << box.ax << "," << box.ay << ", modes from " << mode
                                                    << ", " << variant.name);
                    checkBlur(channels, box, mode, variant);
                }
}

TEST(ByteBlur, TiledDestinationEqualsUntiled)
{
    ImagePtr src = makeImage(4, iplDepth8u, 37, 29);
    ImagePtr plainOut = makeImage(4, iplDepth8u, 37, 29);
    TiledImage tiledOut(4, iplDepth8u, 37, 29, 16, 8);
    fillPattern(src.get());
    iplSetImageBorderMode(src.get(), iplBorderWrap, iplSideAll, 0);
    IplROI roi{0, 3, 2, 30, 25};
    plainOut->roi = tiledOut.get()->roi = &roi;
    iplBlur(src.get(), plainOut.get(), 7, 5, 3, 4);
    iplBlur(src.get(), tiledOut.get(), 7, 5, 3, 4);
    plainOut->roi = tiledOut.get()->roi = nullptr;
    for (int y = 0; y < 29; ++y)
        for (int x = 0; x < 37; ++x)
            for (int c = 0; c < 4; ++c)
                ASSERT_EQ(tiledOut.at(x, y, c), at(plainOut.get(), x, y, c)) << x << "," << y;
}

} // namespace
