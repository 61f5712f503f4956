#include "imaging/ipl/IplBorder.h"
#include "imaging/ipl/IplRegion.h"
#include "imaging/ipl/IplRoi.h"
#include "imaging/ipl/tests/ImageFixture.h"

#include <gtest/gtest.h>

using namespace ipltest;

namespace {

// For a 5 x 4 image: which column (or row) a coordinate outside reads, per mode.
struct MapCase {
    int mode;
    int coordinate;
    int column;
};

const MapCase kColumnCases[] = {
    {iplBorderReplicate, -1, 0}, {iplBorderReplicate, -9, 0}, {iplBorderReplicate, 5, 4}, {iplBorderReplicate, 12, 4},
    {iplBorderReflect, -1, 0}, {iplBorderReflect, -5, 4}, {iplBorderReflect, -6, 4}, {iplBorderReflect, 5, 4},
    {iplBorderReflect, 9, 0}, {iplBorderReflect, 10, 0}, {iplBorderReflect, -11, 0}, {iplBorderReflect, 23, 3},
    {iplBorderWrap, -1, 4}, {iplBorderWrap, 7, 2}, {iplBorderWrap, -11, 4}, {iplBorderWrap, 15, 0},
};

TEST(Border, EveryModeLeftAndRightAt8And1Bit)
{
    for (int depth : {iplDepth8u, iplDepth1u}) {
        ImagePtr image = makeImage(1, depth, 5, 4);
        fillPattern(image.get(), 3);
        for (const auto& c : kColumnCases) {
            iplSetImageBorderMode(image.get(), c.mode, iplSideLeft | iplSideRight, 0);
            EXPECT_EQ(ownPixelWithBorder(image.get(), c.coordinate, 2, 1), at(image.get(), c.column, 2, 0))
                << depth << " mode " << c.mode << " x " << c.coordinate;
        }
    }
}

TEST(Border, EveryModeTopAndBottomRowsOfA3ChannelImage)
{
    const MapCase rowCases[] = {
        {iplBorderReplicate, -3, 0}, {iplBorderReplicate, 4, 3}, {iplBorderReflect, -1, 0}, {iplBorderReflect, -2, 1},
        {iplBorderReflect, 4, 3}, {iplBorderReflect, 8, 0}, {iplBorderWrap, -1, 3}, {iplBorderWrap, 6, 2},
    };
    for (int order : {iplDataOrderPixel, iplDataOrderPlane}) {
        ImagePtr image = makeImage(3, iplDepth16u, 5, 4, order);
        fillPattern(image.get());
        for (const auto& c : rowCases) {
            iplSetImageBorderMode(image.get(), c.mode, iplSideTop | iplSideBottom, 0);
            for (int channel = 1; channel <= 3; ++channel)
                EXPECT_EQ(ownPixelWithBorder(image.get(), 1, c.coordinate, channel),
                          at(image.get(), 1, c.column, channel - 1));
        }
    }
}

TEST(Border, ConstantsPerSideAndCorners)
{
    ImagePtr image = makeImage(1, iplDepth8u, 5, 4);
    fillPattern(image.get());
    iplSetImageBorderMode(image.get(), iplBorderConstant, iplSideTop, 11);
    iplSetImageBorderMode(image.get(), iplBorderConstant, iplSideBottom, 22);
    iplSetImageBorderMode(image.get(), iplBorderConstant, iplSideLeft, 33);
    iplSetImageBorderMode(image.get(), iplBorderReplicate, iplSideRight, 44);
    struct Case { int x, y; uint32_t expected; };
    const Case cases[] = {
        {2, -1, 11}, {-1, -1, 11}, {7, -3, 11}, {2, 4, 22}, {-2, 9, 22}, {6, 4, 22}, {-1, 2, 33},
        {5, 2, at(image.get(), 4, 2, 0)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ownPixelWithBorder(image.get(), c.x, c.y, 1), c.expected) << c.x << "," << c.y;

    iplSetImageBorderMode(image.get(), iplBorderReplicate, iplSideTop, 0);
    EXPECT_EQ(ownPixelWithBorder(image.get(), -3, -2, 1), at(image.get(), 0, 0, 0));
    iplSetImageBorderMode(image.get(), iplBorderWrap, iplSideBottom, 0);
    EXPECT_EQ(ownPixelWithBorder(image.get(), 6, 5, 1), at(image.get(), 1, 1, 0));
}

TEST(Border, SignedBytesReadZeroExtendedAndTiledReadsFetchAndRelease)
{
    ImagePtr image = makeImage(1, iplDepth8s, 3, 3);
    set(image.get(), 1, 1, 0, 0xFF);
    EXPECT_EQ(ownPixelRead(image.get(), 1, 1, 1), 255u);

    TiledImage tiled(2, iplDepth8u, 20, 12, 8, 8);
    tiled.set(19, 9, 1, 77);
    iplSetImageBorderMode(tiled.get(), iplBorderReplicate, iplSideAll, 0);
    EXPECT_EQ(ownPixelWithBorder(tiled.get(), 25, 9, 2), 77u);
    EXPECT_EQ(tiled.fetches, 1);
    EXPECT_EQ(tiled.releases, 1);
    EXPECT_EQ(tiled.get()->tileInfo->tileData, nullptr);
    EXPECT_EQ(ownPositionClass(tiled.get(), -1, 12), iplSideLeft | iplSideBottom);
    EXPECT_EQ(ownPositionClass(tiled.get(), 19, 0), 0);
}

TEST(Roi, RectAndChannelRange)
{
    struct Case {
        int nChannels, alpha;
        IplROI roi;
        bool hasRoi;
        int x, y, w, h, first, last, result;
    };
    const Case cases[] = {
        {3, 0, {0, 80, 80, 50, 50}, true, 80, 80, 20, 20, 1, 3, 1},
        {3, 0, {2, 0, 0, 10, 10}, true, 0, 0, 10, 10, 2, 2, 1},
        {3, 3, {0, 0, 0, 10, 10}, false, 0, 0, 100, 100, 1, 2, 1},
        {3, 2, {0, 0, 0, 10, 10}, false, 0, 0, 100, 100, 1, 3, 0},
        {3, 3, {3, 0, 0, 10, 10}, true, 0, 0, 10, 10, 3, 2, 0},
    };
    for (const auto& c : cases) {
        ImagePtr image = makeImage(c.nChannels, iplDepth8u, 100, 100, iplDataOrderPixel, 4, c.alpha);
        IplROI roi = c.roi;
        image->roi = c.hasRoi ? &roi : nullptr;
        int x, y, w, h, first, last;
        EXPECT_EQ(ownGetRoiRect(image.get(), &x, &y, &w, &h, &first, &last), c.result);
        EXPECT_EQ(x, c.x);
        EXPECT_EQ(y, c.y);
        EXPECT_EQ(w, c.w);
        EXPECT_EQ(h, c.h);
        EXPECT_EQ(first, c.first);
        EXPECT_EQ(last, c.last);
        image->roi = nullptr;
    }
}

TEST(Region, SizesWithAndWithoutClip)
{
    struct Case { IplROI roi; int clip; int h, w; };
    const Case cases[] = {
        {{0, -3, 0, 10, 5}, 1, 5, 7},
        {{0, 25, 0, 10, 5}, 1, 0, 0},
        {{0, 25, 0, 10, 5}, 0, 5, 10},
        {{0, 15, 8, 10, 5}, 1, 2, 5},
        {{0, 0, 0, 0, 5}, 0, 0, 0},
    };
    ImagePtr image = makeImage(1, iplDepth8u, 20, 10);
    for (const auto& c : cases) {
        IplROI roi = c.roi;
        image->roi = &roi;
        int h, w;
        ownRegionSize(image.get(), c.clip, &h, &w);
        EXPECT_EQ(h, c.h);
        EXPECT_EQ(w, c.w);
    }
    image->roi = nullptr;
}

TEST(Region, StartSkipsAlpha)
{
    ImagePtr image = makeImage(4, iplDepth8u, 6, 6, iplDataOrderPixel, 4, 4);
    IplROI roi{4, 1, 1, 2, 2};
    image->roi = &roi;
    OwnRegion region;
    EXPECT_EQ(ownRegionStart(image.get(), &region), 0);
    roi.coi = 0;
    ASSERT_EQ(ownRegionStart(image.get(), &region), 1);
    EXPECT_EQ(region.channels, 3);
    EXPECT_EQ(region.data, image->imageData + image->widthStep + 4);
    roi.coi = 2;
    ASSERT_EQ(ownRegionStart(image.get(), &region), 1);
    EXPECT_EQ(region.channels, 1);
    EXPECT_EQ(region.data, image->imageData + image->widthStep + 5);
    image->roi = nullptr;
}

TEST(Roi, GetRectFillsBordersAndWalksTiles)
{
    ImagePtr image = makeImage(1, iplDepth8u, 4, 3);
    fillPattern(image.get());
    int step = 0;
    char* buffer = ownGetRect(image.get(), -2, -2, 8, 6, &step);
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(step, 8);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x) {
            bool inside = x >= 2 && y >= 2 && x < 6 && y < 5;
            EXPECT_EQ(static_cast<uint8_t>(buffer[y * step + x]), inside ? at(image.get(), x - 2, y - 2, 0) : 0u);
        }
    iplAlignedFree(buffer);

    TiledImage tiled(1, iplDepth1u, 40, 20, 16, 8);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x)
            tiled.set(x, y, 0, pattern(x, y, 0) & 1);
    iplSetImageBorderMode(tiled.get(), iplBorderReflect, iplSideAll, 0);
    buffer = ownGetRect(tiled.get(), -3, 5, 45, 10, &step);
    ASSERT_NE(buffer, nullptr);
    IplImage view = *tiled.get();
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 45; ++x)
            EXPECT_EQ(getAt(&view, buffer, step, 10, x, y, 0),
                      tiled.at(ownMapBorderCoord(x - 3, 40, iplBorderReflect), y + 5, 0)) << x << "," << y;
    iplAlignedFree(buffer);
    std::vector<std::pair<int, int>> firstRow(tiled.releaseOrder.begin(), tiled.releaseOrder.begin() + 3);
    EXPECT_EQ(firstRow, (std::vector<std::pair<int, int>>{{2, 0}, {1, 0}, {0, 0}}));

    tiled.failFetch = true;
    EXPECT_EQ(ownGetRect(tiled.get(), 0, 0, 4, 4, &step), nullptr);
}

TEST(Roi, CopyBitsKeepsOutsideBits)
{
    struct Case { uint8_t src[3]; uint8_t dst[3]; int sBit, dBit, count; uint8_t expected[3]; };
    const Case cases[] = {
        {{0b00000011, 0b11100000, 0}, {0b10000110, 0, 0}, 6, 1, 5, {0b11111110, 0, 0}},
        {{0xFF, 0xFF, 0xFF}, {0, 0, 0}, 0, 3, 10, {0x1F, 0xF8, 0}},
        {{0xAB, 0xCD, 0xEF}, {0x00, 0x00, 0x00}, 4, 0, 16, {0xBC, 0xDE, 0}},
        {{0xAB, 0xCD, 0xEF}, {0xFF, 0xFF, 0xFF}, 8, 8, 8, {0xFF, 0xCD, 0xFF}},
    };
    for (const auto& c : cases) {
        uint8_t dst[3] = {c.dst[0], c.dst[1], c.dst[2]};
        ownCopyBits(c.src, dst, c.sBit, c.dBit, c.count);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(dst[i], c.expected[i]) << i;
    }
}

} // namespace
