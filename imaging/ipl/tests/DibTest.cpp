#include "imaging/ipl/IplBlur.h"
#include "imaging/ipl/IplBorder.h"
#include "imaging/ipl/IplDib.h"
#include "imaging/ipl/IplReduce.h"
#include "imaging/ipl/IplRle.h"
#include "imaging/ipl/tests/DibFixture.h"
#include "imaging/ipl/tests/ImageFixture.h"

#include <gtest/gtest.h>

#include <set>

using namespace ipltest;

namespace {

void fillBytes(Dib& dib, int seed, int modulo = 256)
{
    uint8_t* bits = dib.bits();
    for (size_t i = 0; i < dib.dataBytes(); ++i)
        bits[i] = static_cast<uint8_t>(pattern(static_cast<int>(i), 0, 0, seed) % modulo);
}

TEST(Dib, TranslateSharesOrConvertsByForm)
{
    struct Case {
        const char* name;
        int bitCount;
        DWORD compression;
        bool grey;
        size_t shift;
        int nChannels, depth, order, align, clone;
        const char* model;
    };
    const Case cases[] = {
        {"24 aligned", 24, BI_RGB, false, 0, 3, iplDepth8u, 0, 8, 0, "RGB"},
        {"24 shifted", 24, BI_RGB, false, 4, 3, iplDepth8u, 0, 4, 0, "RGB"},
        {"8 grey", 8, BI_RGB, true, 0, 1, iplDepth8u, 0, 4, 0, "GRAY"},
        {"8 colour", 8, BI_RGB, false, 0, 3, iplDepth8u, 1, 8, 1, "RGB"},
        {"4 grey", 4, BI_RGB, true, 0, 1, iplDepth8u, 1, 8, 1, "GRAY"},
        {"1 grey", 1, BI_RGB, true, 0, 1, iplDepth1u, 0, 4, 0, "GRAY"},
        {"1 colour", 1, BI_RGB, false, 0, 3, iplDepth8u, 1, 8, 1, "RGB"},
        {"16", 16, BI_RGB, false, 0, 3, iplDepth8u, 1, 8, 1, "RGB"},
        {"32", 32, BI_RGB, false, 0, 4, iplDepth8u, 0, 8, 0, "RGBA"},
        {"32 fields", 32, BI_BITFIELDS, false, 0, 4, iplDepth8u, 1, 8, 1, "RGBA"},
    };
    for (const auto& c : cases) {
        Dib dib(10, 6, c.bitCount, c.compression, -1, 0, c.shift);
        if (c.grey)
            dib.greyRamp(1 << c.bitCount);
        else if (c.bitCount <= 8)
            dib.colourTable(1 << c.bitCount);
        if (c.compression == BI_BITFIELDS)
            dib.setMasks(0xFF0000, 0xFF00, 0xFF);
        BOOL clone = -1;
        ReportRecorder recorder;
        ImagePtr image(iplTranslateDIB(dib.header(), &clone));
        ASSERT_NE(image, nullptr) << c.name << recorder.lastContext();
        EXPECT_EQ(clone, c.clone) << c.name;
        EXPECT_EQ(image->nChannels, c.nChannels) << c.name;
        EXPECT_EQ(image->depth, c.depth) << c.name;
        EXPECT_EQ(image->dataOrder, c.order) << c.name;
        EXPECT_EQ(image->align, c.align) << c.name;
        EXPECT_EQ(image->origin, iplOriginBl);
        EXPECT_EQ(std::string(image->colorModel, strnlen(image->colorModel, 4)), c.model);
        if (!c.clone) {
            EXPECT_EQ(image->imageData, reinterpret_cast<char*>(dib.bits())) << c.name;
            EXPECT_EQ(image->widthStep, static_cast<int>(DibRowBytes(10, static_cast<WORD>(c.bitCount))));
            EXPECT_EQ(image->allocatedData, nullptr);
        }
        if (c.bitCount == 24) {
            EXPECT_EQ(image->widthStep, 32);
        }
    }
}

TEST(Dib, TranslateRefusals)
{
    struct Case { const char* name; void (*spoil)(BITMAPINFOHEADER*); const char* context; };
    const Case cases[] = {
        {"core header", [](BITMAPINFOHEADER* h) { h->biSize = 12; }, "( dib->biSize != sizeof(BITMAPINFOHEADER) )"},
        {"planes", [](BITMAPINFOHEADER* h) { h->biPlanes = 2; }, "(dib->biPlanes != 1)"},
        {"compression", [](BITMAPINFOHEADER* h) { h->biCompression = 4; },
         "(dib->biCompression != 0) && (dib->biCompression != 1) && (dib->biCompression != 2) && (dib->biCompression != 3)"},
        {"rle8 on 24", [](BITMAPINFOHEADER* h) { h->biCompression = BI_RLE8; }, "(dib->biBitCount != 8) && (dib->biCompression == 1)"},
        {"rle4 on 24", [](BITMAPINFOHEADER* h) { h->biCompression = BI_RLE4; }, "(dib->biBitCount != 4) && (dib->biCompression == 2)"},
        {"top-down rle", [](BITMAPINFOHEADER* h) { h->biBitCount = 8; h->biCompression = BI_RLE8; h->biHeight = -4; },
         "(dib->biHeight < 0) && ( (dib->biCompression == 1) || (dib->biCompression == 2) )"},
        {"bit count 12", [](BITMAPINFOHEADER* h) { h->biBitCount = 12; }, "dib->biBitCount is bad"},
        {"most negative height", [](BITMAPINFOHEADER* h) { h->biHeight = INT32_MIN; }, "dib->biWidth or dib->biHeight is bad"},
    };
    for (const auto& c : cases) {
        Dib dib(4, 4, 24);
        c.spoil(dib.header());
        BOOL clone;
        ReportRecorder recorder;
        EXPECT_EQ(iplTranslateDIB(dib.header(), &clone), nullptr) << c.name;
        EXPECT_EQ(recorder.lastStatus(), -5) << c.name;
        EXPECT_EQ(recorder.lastContext(), c.context) << c.name;
    }
    ReportRecorder recorder;
    EXPECT_EQ(iplTranslateDIB(nullptr, nullptr), nullptr);
    EXPECT_EQ(recorder.lastContext(), "( dib == ((void *)0) )");
}

// Translate, then write back into a fresh bitmap with the same header and table: same bytes.
TEST(Dib, RoundTripsEveryDepth)
{
    struct Case { int bitCount; DWORD compression; int height; bool grey; };
    const Case cases[] = {
        {1, BI_RGB, 7, true}, {1, BI_RGB, -7, false}, {4, BI_RGB, 7, false}, {4, BI_RGB, 7, true},
        {8, BI_RGB, 7, true}, {8, BI_RGB, -7, false}, {16, BI_RGB, 7, false}, {16, BI_BITFIELDS, 7, false},
        {24, BI_RGB, 7, false}, {24, BI_RGB, -7, false}, {32, BI_RGB, 7, false}, {32, BI_BITFIELDS, -7, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bitCount << " bits, height " << c.height << " grey " << c.grey);
        Dib source(13, c.height, c.bitCount, c.compression), target(13, c.height, c.bitCount, c.compression);
        for (Dib* dib : {&source, &target}) {
            if (c.bitCount <= 8)
                c.grey ? dib->greyRamp(1 << c.bitCount) : dib->colourTable(1 << c.bitCount);
            if (c.compression == BI_BITFIELDS)
                c.bitCount == 16 ? dib->setMasks(0xF800, 0x07E0, 0x001F) : dib->setMasks(0xFF, 0xFF00, 0xFF0000);
        }
        fillBytes(source, c.bitCount);
        int rowBytes = static_cast<int>(DibRowBytes(13, static_cast<WORD>(c.bitCount)));
        int used = (13 * c.bitCount + 7) / 8;
        for (int y = 0; y < 7; ++y) {
            uint8_t* row = source.bits() + y * rowBytes;
            std::fill(row + used, row + rowBytes, 0);
            if (c.bitCount % 8)
                row[used - 1] &= static_cast<uint8_t>(0xFF << (used * 8 - 13 * c.bitCount));
            for (int x = 0; c.bitCount == 16 && c.compression == BI_RGB && x < 13; ++x)
                row[2 * x + 1] &= 0x7F;
        }
        BOOL clone;
        ImagePtr image(iplTranslateDIB(source.header(), &clone));
        ASSERT_NE(image, nullptr);
        ReportRecorder recorder;
        iplConvertToDIB(image.get(), target.header(), 1, 0);
        EXPECT_FALSE(recorder.any()) << recorder.lastContext();
        EXPECT_EQ(target.data(), source.data());
    }
}

std::vector<uint8_t> expand(const std::vector<uint8_t>& stream, bool rle4, int width, int height, OwnRleResult* result)
{
    std::vector<uint8_t> indices;
    *result = ownDecompressRle(stream.data(), stream.size(), rle4, width, height, indices);
    return indices;
}

TEST(Rle, KnownStreamsExpandByteForByte)
{
    struct Case { const char* name; bool rle4; std::vector<uint8_t> stream; std::vector<uint8_t> indices; };
    const Case cases[] = {
        {"runs and eol", false, {3, 7, 1, 9, 0, 0, 2, 5, 0, 1}, {7, 7, 7, 9, 5, 5, 0, 0}},
        {"absolute padded", false, {0, 3, 1, 2, 3, 0, 1, 4, 0, 1}, {1, 2, 3, 4, 0, 0, 0, 0}},
        {"delta", false, {1, 1, 0, 2, 2, 1, 1, 6, 0, 1}, {1, 0, 0, 0, 0, 0, 0, 6}},
        {"no end marker", false, {4, 2, 0, 0, 4, 3}, {2, 2, 2, 2, 3, 3, 3, 3}},
        {"rle4 alternating", true, {4, 0x12, 0, 0, 3, 0xAB, 0, 1}, {1, 2, 1, 2, 0xA, 0xB, 0xA, 0}},
        {"rle4 absolute", true, {0, 3, 0x45, 0x60, 0, 0, 0, 4, 0x12, 0x34, 0, 1}, {4, 5, 6, 0, 1, 2, 3, 4}},
    };
    for (const auto& c : cases) {
        OwnRleResult result;
        std::vector<uint8_t> indices = expand(c.stream, c.rle4, 4, 2, &result);
        EXPECT_EQ(result.status, 0) << c.name << (result.context ? result.context : "");
        EXPECT_EQ(indices, c.indices) << c.name;
    }
}

TEST(Rle, TruncatedAndCorruptStreamsStopWithStatus)
{
    struct Case { const char* name; bool rle4; std::vector<uint8_t> stream; const char* context; };
    const Case cases[] = {
        {"run past row", false, {5, 1}, "Incorrect format of BI_RLE8 DIB (mismatch biHeight or biWidth)"},
        {"rows past image", false, {0, 0, 0, 0, 1, 1}, "Incorrect format of BI_RLE8 DIB (mismatch biHeight or biWidth)"},
        {"absolute cut", false, {0, 4, 1, 2}, "Impossible to decompress RLE DIB"},
        {"delta cut", false, {0, 2, 1}, "Impossible to decompress RLE DIB"},
        {"odd tail", false, {2, 1, 0}, "Impossible to decompress RLE DIB"},
        {"delta out", false, {0, 2, 9, 0}, "Incorrect format of BI_RLE8 DIB (mismatch biHeight or biWidth)"},
        {"rle4 run past row", true, {5, 0x11}, "Incorrect format of BI_RLE4 DIB (mismatch biWidth)"},
        {"rle4 past image", true, {0, 0, 0, 0, 2, 0x11}, "Incorrect format of BI_RLE4 DIB (mismatch biHeight)"},
        {"rle4 bad delta", true, {0, 2, 0, 3}, "Incorrect format of BI_RLE4 DIB (bad Delta command)"},
        {"rle4 absolute past row", true, {0, 5, 0x12, 0x34, 0x50, 0}, "Incorrect format of BI_RLE4 DIB (mismatch biWidth)"},
    };
    for (const auto& c : cases) {
        OwnRleResult result;
        expand(c.stream, c.rle4, 4, 2, &result);
        EXPECT_EQ(result.status, -5) << c.name;
        EXPECT_STREQ(result.context, c.context) << c.name;
    }
    OwnRleResult huge;
    expand({0, 1}, false, 1 << 20, 1 << 20, &huge);
    EXPECT_EQ(huge.status, -4);
    EXPECT_STREQ(huge.context, "Not enough memory to decompress BI_RLE8 DIB at DIB");
}

TEST(Rle, CompressExpandRoundTripAndThroughBitmaps)
{
    for (bool rle4 : {false, true}) {
        const int w = 37, h = 9;
        std::vector<uint8_t> indices;
        for (int i = 0; i < w * h; ++i)
            indices.push_back(static_cast<uint8_t>((i / 5 % 3 ? i % 3 : pattern(i, 0, 0) % 7) & (rle4 ? 0x0F : 0xFF)));
        std::vector<uint8_t> packed(2000);
        size_t written = 0;
        ASSERT_EQ(ownCompressRle(indices.data(), w, h, rle4, packed.data(), packed.size(), &written).status, 0);
        packed.resize(written);
        OwnRleResult result;
        EXPECT_EQ(expand(packed, rle4, w, h, &result), indices);
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(ownCompressRle(indices.data(), w, h, rle4, packed.data(), written - 1, &written).status, -4);

        int bits = rle4 ? 4 : 8;
        DWORD compression = rle4 ? BI_RLE4 : BI_RLE8;
        Dib source(w, h, bits, compression, -1, packed.size()), target(w, h, bits, compression, -1, 2000);
        source.colourTable(1 << bits);
        target.colourTable(1 << bits);
        std::memcpy(source.bits(), packed.data(), packed.size());
        BOOL clone;
        ImagePtr image(iplTranslateDIB(source.header(), &clone));
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(clone, 1);
        ReportRecorder recorder;
        iplConvertToDIB(image.get(), target.header(), 1, 0);
        EXPECT_FALSE(recorder.any()) << recorder.lastContext();
        std::vector<uint8_t> out(target.bits(), target.bits() + target.header()->biSizeImage);
        EXPECT_EQ(expand(out, rle4, w, h, &result), indices);
    }
}

TEST(Dib, GreyRampRle8BitmapConvertsToPlaneOrderAndCorruptDataFails)
{
    Dib dib(4, 2, 8, BI_RLE8, -1, 6);
    dib.greyRamp(256);
    const uint8_t stream[] = {4, 200, 0, 0, 4, 3};
    std::memcpy(dib.bits(), stream, sizeof stream);
    BOOL clone;
    ImagePtr image(iplTranslateDIB(dib.header(), &clone));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->nChannels, 1);
    EXPECT_EQ(image->dataOrder, iplDataOrderPlane);
    EXPECT_EQ(at(image.get(), 1, 0, 0), 200u);
    EXPECT_EQ(at(image.get(), 1, 1, 0), 3u);
    dib.bits()[0] = 9;
    ReportRecorder recorder;
    EXPECT_EQ(iplTranslateDIB(dib.header(), &clone), nullptr);
    EXPECT_EQ(recorder.lastContext(), "Incorrect format of BI_RLE8 DIB (mismatch biHeight or biWidth)");
}

TEST(Dib, ConvertToRefusalsLeaveRowsAlone)
{
    ImagePtr image = makeImage(3, iplDepth8u, 4, 4);
    ImagePtr signedImage = makeImage(3, iplDepth8s, 4, 4);
    ImagePtr two = makeImage(2, iplDepth8u, 4, 4);
    struct Case { IplImage* image; int bitCount; int width; int dither; int conversion; const char* context; };
    const Case cases[] = {
        {image.get(), 24, 4, 2, 0, "(dither != 8 && dither != 1 )"},
        {image.get(), 24, 4, 1, 3, "(paletteConversion != 0 && paletteConversion != 1 && paletteConversion != 2 )"},
        {image.get(), 24, 5, 1, 0, "(image->width != dib->biWidth || image->height != abs(dib->biHeight))"},
        {image.get(), 32, 4, 1, 0, "(image->nChannels != 4)"},
        {signedImage.get(), 24, 4, 1, 0, "(image->depth & 0x80000000)"},
        {two.get(), 24, 4, 1, 0, "(image->nChannels != 3 && image->nChannels != 1)"},
    };
    for (const auto& c : cases) {
        Dib dib(c.width, 4, c.bitCount);
        std::memset(dib.bits(), 0x5A, dib.dataBytes());
        ReportRecorder recorder;
        iplConvertToDIB(c.image, dib.header(), c.dither, c.conversion);
        EXPECT_EQ(recorder.lastStatus(), -5);
        EXPECT_EQ(recorder.lastContext(), c.context);
        EXPECT_EQ(dib.data(), std::vector<uint8_t>(dib.dataBytes(), 0x5A));
    }
    std::memcpy(image->channelSeq, "XYZ", 4);
    Dib dib(4, 4, 24);
    ReportRecorder recorder;
    iplConvertToDIB(image.get(), dib.header(), 1, 0);
    EXPECT_EQ(recorder.lastContext(), "image->channelSeq unsupport");
}

TEST(Dib, SixteenBitGreyThroughStuckiKeepsThreeLevels)
{
    ImagePtr image = makeImage(1, iplDepth16u, 17, 9);
    fillPattern(image.get());
    Dib dib(17, 9, 8);
    dib.greyRamp(256);
    ReportRecorder recorder;
    iplConvertToDIB(image.get(), dib.header(), iplDitherStucki, 0);
    EXPECT_FALSE(recorder.any()) << recorder.lastContext();
    std::set<int> levels;
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 17; ++x)
            levels.insert(dib.bits()[y * 20 + x]);
    EXPECT_EQ(levels, (std::set<int>{0, 127, 254}));
}

TEST(Dib, PaletteConversions)
{
    ImagePtr grey = makeImage(1, iplDepth8u, 16, 2);
    for (int x = 0; x < 16; ++x)
        set(grey.get(), x, 0, 0, static_cast<uint32_t>(x * 17)), set(grey.get(), x, 1, 0, 255);
    Dib four(16, 2, 4);
    iplConvertToDIB(grey.get(), four.header(), 1, 1);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(four.colours()[i].rgbRed, 255 * i / 15);
    EXPECT_EQ(four.bits()[8], 0x01);
    EXPECT_EQ(four.bits()[15], 0xEF);
    EXPECT_EQ(four.bits()[0], 0xFF);

    ImagePtr colour = makeImage(3, iplDepth8u, 6, 5);
    const uint8_t palette[5][3] = {{10, 200, 30}, {250, 0, 0}, {0, 0, 250}, {90, 90, 90}, {255, 255, 0}};
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x)
            for (int c = 0; c < 3; ++c)
                set(colour.get(), x, y, c, palette[(x + y) % 5][c]);
    Dib eight(6, 5, 8, BI_RGB, 8);
    iplConvertToDIB(colour.get(), eight.header(), 1, 2);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) {
            const RGBQUAD& q = eight.colours()[eight.bits()[(4 - y) * 8 + x]];
            const uint8_t* expected = palette[(x + y) % 5];
            EXPECT_EQ((std::vector<int>{q.rgbBlue, q.rgbGreen, q.rgbRed}),
                      (std::vector<int>{expected[0], expected[1], expected[2]}));
        }
}

// The editor's soft shadow: 24-bit DIB, zero border, box of twice the offset anchored at it.
TEST(Dib, ShadowPathMatchesReference)
{
    const int w = 23, h = 17, bx = 3, by = 2;
    Dib dib(w, h, 24);
    fillBytes(dib, 9);
    std::vector<uint8_t> original = dib.data();
    int row = static_cast<int>(DibRowBytes(w, 24));
    iplSetErrorMode(1);
    BOOL clone;
    IplImage* image = iplTranslateDIB(dib.header(), &clone);
    ASSERT_NE(image, nullptr);
    iplSetImageBorderMode(image, iplBorderConstant, iplSideAll, 0);
    iplBlur(image, image, 2 * bx, 2 * by, bx, by);
    iplConvertToDIB(image, dib.header(), 1, 0);
    iplReleaseImage(image, iplImageAll);
    EXPECT_EQ(iplGetErrorStatus(), 0);
    iplSetErrorMode(0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 3; ++c) {
                int64_t sum = 0;
                for (int j = 0; j < 2 * by; ++j)
                    for (int i = 0; i < 2 * bx; ++i) {
                        int sx = x - bx + i, sy = y - by + j;
                        if (sx >= 0 && sy >= 0 && sx < w && sy < h)
                            sum += original[static_cast<size_t>(sy * row + sx * 3 + c)];
                    }
                int area = 4 * bx * by;
                ASSERT_EQ(dib.bits()[y * row + x * 3 + c], (2 * sum + area) / (2 * area)) << x << "," << y;
            }
}

} // namespace

namespace {

TEST(Dib, ConvertFromRefusalsAndChannelOrder)
{
    Dib dib(4, 3, 24);
    fillBytes(dib, 4);
    ImagePtr small = makeImage(3, iplDepth8u, 3, 3);
    ImagePtr wide = makeImage(3, iplDepth16u, 4, 3);
    ImagePtr odd = makeImage(3, iplDepth8u, 4, 3);
    std::memcpy(odd->channelSeq, "GBR", 4);
    struct Case { IplImage* image; const char* context; int status; };
    const Case cases[] = {
        {small.get(), "Image size is too small", -10},
        {wide.get(), "image->depth unsupport", -5},
        {odd.get(), "image->channelSeq unsupport", -5},
        {nullptr, "image==0", -5},
    };
    for (const auto& c : cases) {
        ReportRecorder recorder;
        iplConvertFromDIB(dib.header(), c.image);
        EXPECT_EQ(recorder.lastStatus(), c.status);
        EXPECT_EQ(recorder.lastContext(), c.context);
    }
    ImagePtr rgb = makeImage(3, iplDepth8u, 4, 3, iplDataOrderPlane);
    std::memcpy(rgb->channelSeq, "RGB", 4);
    iplConvertFromDIB(dib.header(), rgb.get());
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) {
            const uint8_t* pixel = dib.bits() + (2 - y) * 12 + 3 * x;
            EXPECT_EQ(at(rgb.get(), x, y, 0), pixel[2]);
            EXPECT_EQ(at(rgb.get(), x, y, 2), pixel[0]);
        }
}

} // namespace
