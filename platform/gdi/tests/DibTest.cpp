#include "Canvas.h"

#include "platform/gdi/Dib.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

// BITMAPINFO with room for a full colour table or masks.
struct Info {
    BITMAPINFOHEADER header{};
    RGBQUAD colors[256]{};
    const BITMAPINFO* get() const { return reinterpret_cast<const BITMAPINFO*>(this); }
    BITMAPINFO* get() { return reinterpret_cast<BITMAPINFO*>(this); }
};

Info MakeInfo(int width, int height, WORD bits, DWORD compression = BI_RGB)
{
    Info info;
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = height;
    info.header.biPlanes = 1;
    info.header.biBitCount = bits;
    info.header.biCompression = compression;
    // A table whose first four colours are red, green, blue and white.
    const RGBQUAD first[4] = {{0, 0, 255, 0}, {0, 255, 0, 0}, {255, 0, 0, 0}, {255, 255, 255, 0}};
    for (int i = 0; i < 4; ++i)
        info.colors[i] = first[i];
    if (compression == BI_BITFIELDS) {
        DWORD masks[3] = {0xF800, 0x07E0, 0x001F};  // 5-6-5
        std::memcpy(info.colors, masks, sizeof(masks));
    }
    return info;
}

TEST(DibSections, EveryDepthRoundTripsThroughTheDc)
{
    struct Case {
        WORD bits;
        DWORD compression;
        int height;
    };
    const std::vector<Case> cases = {{1, BI_RGB, 3},       {4, BI_RGB, 3},  {8, BI_RGB, 3},  {16, BI_RGB, 3},
                                     {16, BI_BITFIELDS, 3}, {24, BI_RGB, 3}, {32, BI_RGB, 3}, {24, BI_RGB, -3},
                                     {8, BI_RGB, -3}};
    const COLORREF colours[3] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
    for (const Case& c : cases) {
        Info info = MakeInfo(5, c.height, c.bits, c.compression);
        void* bits = nullptr;
        HBITMAP section = CreateDIBSection(nullptr, info.get(), DIB_RGB_COLORS, &bits, nullptr, 0);
        ASSERT_NE(nullptr, section) << c.bits;
        ASSERT_NE(nullptr, bits);
        DWORD stride = DibRowBytes(5, c.bits);
        EXPECT_EQ(0, static_cast<BYTE*>(bits)[stride * 3 - 1]);  // zeroed, rows padded to dwords
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        HGDIOBJ old = dc.SelectObject(section);
        // Drawing goes to the caller's bits, and the bits come back as pixels.
        COLORREF want[3] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
        if (c.bits == 1)
            want[2] = RGB(255, 0, 0);  // the two-colour table: red and green; blue is as far from both
        for (int y = 0; y < 3; ++y)
            dc.SetPixel(y + 1, y, colours[y]);
        GdiFlush();
        for (int y = 0; y < 3; ++y)
            EXPECT_EQ(want[y], dc.GetPixel(y + 1, y)) << c.bits << " row " << y;
        std::vector<BYTE> copy(static_cast<BYTE*>(bits), static_cast<BYTE*>(bits) + stride * 3);
        std::memset(bits, 0, stride * 3);
        EXPECT_EQ(c.bits <= 8 ? RGB(255, 0, 0) : RGB(0, 0, 0), dc.GetPixel(2, 1)) << c.bits;
        std::memcpy(bits, copy.data(), copy.size());
        EXPECT_EQ(want[1], dc.GetPixel(2, 1)) << c.bits;
        dc.SelectObject(old);
        BITMAP bm{};
        GetObject(section, sizeof(bm), &bm);
        EXPECT_EQ(bits, bm.bmBits);
        EXPECT_EQ(LONG(stride), bm.bmWidthBytes);
        DeleteObject(section);
    }
}

TEST(DibSections, DirectWritesAndDrawingKeepEachOther)
{
    Info info = MakeInfo(4, 4, 24, BI_RGB);
    info.header.biHeight = -4;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, info.get(), DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* b = static_cast<BYTE*>(bits);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    HGDIOBJ old = dc.SelectObject(section);
    dc.SetPixel(0, 0, RGB(255, 0, 0));
    b[DibRowBytes(4, 24) * 2 + 1] = 255;  // the caller paints pixel (0, 2) green
    dc.SetPixel(3, 3, RGB(0, 0, 255));    // drawing elsewhere keeps it
    GdiFlush();
    EXPECT_EQ(255, b[DibRowBytes(4, 24) * 2 + 1]);
    EXPECT_EQ(255, b[2]);
    EXPECT_EQ(255, b[DibRowBytes(4, 24) * 3 + 9]);
    EXPECT_EQ(RGB(0, 255, 0), dc.GetPixel(0, 2));
    dc.SelectObject(old);
    DeleteObject(section);
}

TEST(DibSections, BottomUpAndTopDownRowsLand)
{
    for (int height : {2, -2}) {
        Info info = MakeInfo(1, height, 24);
        void* bits = nullptr;
        HBITMAP section = CreateDIBSection(nullptr, info.get(), DIB_RGB_COLORS, &bits, nullptr, 0);
        auto* b = static_cast<BYTE*>(bits);
        b[2] = 255;  // first stored row red
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        HGDIOBJ old = dc.SelectObject(section);
        EXPECT_EQ(RGB(255, 0, 0), dc.GetPixel(0, height > 0 ? 1 : 0)) << height;
        dc.SelectObject(old);
        DeleteObject(section);
    }
}

TEST(DibSections, ColourTableChangesThePicture)
{
    Info info = MakeInfo(2, 1, 8);
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, info.get(), DIB_RGB_COLORS, &bits, nullptr, 0);
    static_cast<BYTE*>(bits)[1] = 2;
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    HGDIOBJ old = dc.SelectObject(section);
    EXPECT_EQ(RGB(0, 0, 255), dc.GetPixel(1, 0));
    RGBQUAD yellow{0, 255, 255, 0};
    EXPECT_EQ(1u, SetDIBColorTable(dc, 2, 1, &yellow));
    EXPECT_EQ(RGB(255, 255, 0), dc.GetPixel(1, 0));
    RGBQUAD back[3]{};
    EXPECT_EQ(3u, GetDIBColorTable(dc, 0, 3, back));
    EXPECT_EQ(255, back[0].rgbRed);
    dc.SelectObject(old);
    DeleteObject(section);
}

TEST(DibSections, BadHeadersAreRefused)
{
    std::vector<Info> bad;
    bad.push_back(MakeInfo(0, 4, 24));
    bad.push_back(MakeInfo(4, 0, 24));
    bad.push_back(MakeInfo(4, 4, 7));
    bad.push_back(MakeInfo(4, 4, 8, BI_RLE8));  // sections are never compressed
    bad.push_back(MakeInfo(100000, 100000, 32));
    Info small = MakeInfo(4, 4, 24);
    small.header.biSize = 20;
    bad.push_back(small);
    for (const Info& info : bad) {
        void* bits = reinterpret_cast<void*>(1);
        EXPECT_EQ(nullptr, CreateDIBSection(nullptr, info.get(), DIB_RGB_COLORS, &bits, nullptr, 0));
        EXPECT_EQ(nullptr, bits);
    }
}

TEST(Dibs, GetAndSetBitsRoundTripEveryDepth)
{
    Canvas canvas(3, 2);
    canvas.dc.SetPixel(0, 0, RGB(255, 0, 0));
    canvas.dc.SetPixel(1, 0, RGB(0, 255, 0));
    canvas.dc.SetPixel(2, 1, RGB(0, 0, 255));
    const std::string art = canvas.Art();
    for (WORD bits : {4, 8, 16, 24, 32}) {
        Info info = MakeInfo(3, 2, bits);
        std::vector<BYTE> data(DibRowBytes(3, bits) * 2);
        Canvas other(3, 2, RGB(0, 0, 0));
        EXPECT_EQ(2, GetDIBits(canvas.dc, canvas.bitmap, 0, 2, data.data(), info.get(), DIB_RGB_COLORS)) << bits;
        EXPECT_EQ(2, SetDIBits(nullptr, other.bitmap, 0, 2, data.data(), info.get(), DIB_RGB_COLORS)) << bits;
        // The 4- and 8-bit default tables hold these colours.
        EXPECT_EQ(art, other.Art()) << bits;
    }
}

TEST(Dibs, StretchAndSetToDevice)
{
    Info info = MakeInfo(2, 2, 8);
    const BYTE pixels[8] = {0, 1, 0, 0, 2, 3, 0, 0};  // bottom row red green, top row blue white
    Canvas canvas(4, 4);
    SetDIBitsToDevice(canvas.dc, 0, 0, 2, 2, 0, 0, 0, 2, pixels, info.get(), DIB_RGB_COLORS);
    EXPECT_EQ("b...\nrg..\n....\n....\n", canvas.Art());
    StretchDIBits(canvas.dc, 0, 0, 4, 4, 0, 0, 2, 2, pixels, info.get(), DIB_RGB_COLORS, SRCCOPY);
    EXPECT_EQ("bb..\nbb..\nrrgg\nrrgg\n", canvas.Art());
    HDRAWDIB dd = DrawDibOpen();
    DrawDibDraw(dd, canvas.dc, 0, 0, 2, 2, &info.header, pixels, 0, 0, 2, 2, 0);
    EXPECT_EQ("b...\nrg..\nrrgg\nrrgg\n", canvas.Art());
    DrawDibClose(dd);
}

struct RleCase {
    const char* name;
    WORD bits;
    std::vector<BYTE> data;
    std::string art;  // 4 x 3 picture, colour indexes 0 red, 1 green, 2 blue, 3 white
};

std::string DrawRle(const RleCase& c)
{
    Info info = MakeInfo(4, 3, c.bits, c.bits == 8 ? BI_RLE8 : BI_RLE4);
    info.header.biSizeImage = DWORD(c.data.size());
    Canvas canvas(4, 3, RGB(0, 0, 0));
    StretchDIBits(canvas.dc, 0, 0, 4, 3, 0, 0, 4, 3, c.data.data(), info.get(), DIB_RGB_COLORS, SRCCOPY);
    return canvas.Art();
}

TEST(Rle, DecodesRunsAbsoluteDeltaAndLineEnds)
{
    const std::vector<RleCase> cases = {
        {"runs", 8, {4, 0, 0, 0, 2, 1, 2, 2, 0, 0, 4, 3, 0, 1}, "....\nggbb\nrrrr\n"},
        {"absolute", 8, {0, 4, 1, 2, 3, 1, 0, 0, 0, 1}, "rrrr\nrrrr\ngbyg\n"},
        {"delta", 8, {0, 2, 1, 1, 2, 2, 0, 1}, "rrrr\nrbbr\nrrrr\n"},
        {"end of line short", 8, {1, 2, 0, 0, 1, 1, 0, 1}, "rrrr\ngrrr\nbrrr\n"},
        {"four-bit runs", 4, {4, 0x12, 0, 0, 3, 0x30, 0, 1}, "rrrr\n.r.r\ngbgb\n"},
        {"four-bit absolute", 4, {0, 3, 0x23, 0x10, 0, 1}, "rrrr\nrrrr\nb.gr\n"},
    };
    for (const RleCase& c : cases) {
        std::string want = c.art;
        for (char& ch : want) {
            if (ch == 'y')
                ch = '.';
        }
        EXPECT_EQ(want, DrawRle(c)) << c.name;
    }
}

TEST(Rle, BadDataStopsAtTheEdge)
{
    const std::vector<RleCase> cases = {
        {"run past the row", 8, {200, 1, 0, 1}, "rrrr\nrrrr\ngggg\n"},
        {"delta off the bitmap", 8, {0, 2, 250, 250, 9, 1}, "rrrr\nrrrr\nrrrr\n"},
        {"absolute past the data", 8, {0, 200, 1, 2}, "rrrr\nrrrr\nrrrr\n"},
        {"truncated delta", 8, {1, 1, 0, 2, 3}, "rrrr\nrrrr\ngrrr\n"},
        {"too many lines", 8, {0, 0, 0, 0, 0, 0, 0, 0, 4, 1}, "rrrr\nrrrr\nrrrr\n"},
        {"end at once", 4, {0, 1}, "rrrr\nrrrr\nrrrr\n"},
        {"no data", 4, {}, "####\n####\n####\n"},
    };
    for (const RleCase& c : cases)
        EXPECT_EQ(c.art, DrawRle(c)) << c.name;
}

TEST(Dibs, PatternBrushFromAPackedDib)
{
    struct Packed {
        BITMAPINFOHEADER header;
        RGBQUAD colors[2];
        DWORD rows[8];
    } packed{};
    packed.header = MakeInfo(8, 8, 1).header;
    packed.colors[0] = {0, 0, 255, 0};
    packed.colors[1] = {255, 255, 255, 0};
    packed.rows[0] = 0x000000F0;  // bottom row: left half white
    CBrush brush;
    ASSERT_TRUE(brush.CreateDIBPatternBrush(&packed, DIB_RGB_COLORS));
    Canvas canvas(8, 8);
    RECT all{0, 0, 8, 8};
    canvas.dc.FillRect(&all, &brush);
    EXPECT_EQ(60, canvas.Count(RGB(255, 0, 0)));
}

// The sixteen colours a four-bit picture gets by default, in the order of their indexes.
constexpr COLORREF kSixteen[16] = {RGB(0, 0, 0),       RGB(128, 0, 0),   RGB(0, 128, 0),   RGB(128, 128, 0),
                                   RGB(0, 0, 128),     RGB(128, 0, 128), RGB(0, 128, 128), RGB(192, 192, 192),
                                   RGB(128, 128, 128), RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(255, 255, 0),
                                   RGB(0, 0, 255),     RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255)};

// A canvas painted from rows of hexadecimal digits, top row first, each digit a colour index.
struct IndexPicture {
    explicit IndexPicture(const std::vector<std::string>& rows)
        : width(int(rows[0].size())), height(int(rows.size())), canvas(width, height)
    {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                canvas.dc.SetPixelV(x, y, kSixteen[std::stoi(rows[size_t(y)].substr(size_t(x), 1), nullptr, 16)]);
    }

    // The pixels as the caller asks for them: the size first, then the bytes.
    std::vector<BYTE> Packed(DWORD compression, WORD bits, Info& info)
    {
        info = MakeInfo(width, height, bits, compression);
        auto handle = static_cast<HBITMAP>(canvas.bitmap.GetSafeHandle());
        if (!GetDIBits(canvas.dc, handle, 0, UINT(height), nullptr, info.get(), DIB_RGB_COLORS))
            return {};
        std::vector<BYTE> bytes(info.header.biSizeImage);
        if (GetDIBits(canvas.dc, handle, 0, UINT(height), bytes.data(), info.get(), DIB_RGB_COLORS) != height)
            return {};
        return bytes;
    }

    int width;
    int height;
    Canvas canvas;
};

TEST(Rle, FourBitPicturesPackIntoTheseBytes)
{
    struct Case {
        const char* name;
        std::vector<std::string> rows;
        std::vector<BYTE> bytes;
    };
    const std::string wide(300, 'F');
    const std::vector<Case> cases = {
        {"one run", {"99999999"}, {8, 0x99, 0, 0, 0, 1}},
        {"two alternating indexes", {"9C9C9C"}, {6, 0x9C, 0, 0, 0, 1}},
        {"absolute, odd count, whole words", {"123"}, {0, 3, 0x12, 0x30, 0, 0, 0, 1}},
        {"absolute, odd count, padded to a word", {"12345"}, {0, 5, 0x12, 0x34, 0x50, 0, 0, 0, 0, 1}},
        {"absolute then a run", {"1234FFFFFFF"}, {0, 4, 0x12, 0x34, 7, 0xFF, 0, 0, 0, 1}},
        {"a short pair before a run", {"12FFFF"}, {2, 0x12, 4, 0xFF, 0, 0, 0, 1}},
        {"one pixel", {"A"}, {1, 0xA0, 0, 0, 0, 1}},
        {"rows bottom first, each ending its line", {"FFFF", "0000"}, {4, 0x00, 0, 0, 4, 0xFF, 0, 0, 0, 1}},
        {"a run longer than a count holds", {wide}, {255, 0xFF, 45, 0xFF, 0, 0, 0, 1}},
    };
    for (const Case& c : cases) {
        IndexPicture picture(c.rows);
        Info info;
        EXPECT_EQ(picture.Packed(BI_RLE4, 4, info), c.bytes) << c.name;
        EXPECT_EQ(info.header.biCompression, DWORD(BI_RLE4)) << c.name;
        EXPECT_EQ(info.header.biSizeImage, c.bytes.size()) << c.name;
    }
}

TEST(Rle, EightBitPicturesPackIntoTheseBytes)
{
    // White is the last colour of the default cube (215), black its first.
    IndexPicture picture({"FFF0"});
    Info info;
    EXPECT_EQ(picture.Packed(BI_RLE8, 8, info), (std::vector<BYTE>{3, 215, 1, 0, 0, 0, 0, 1}));
}

// Every way of packing a row at once, read back by the decoder that draws pictures.
TEST(Rle, PackedPicturesDrawAsThePicture)
{
    const std::vector<std::string> rows = {"0123456789ABCDEF0", "77777777777777777", "7878787871F1F1F1F",
                                           "F0000000000000000", "13579BDF2468ACE0C", "CCCCC12CCCCC1CCCC"};
    for (const auto& [compression, bits] : {std::pair{BI_RLE4, WORD(4)}, std::pair{BI_RLE8, WORD(8)}}) {
        IndexPicture picture(rows);
        Info info;
        const std::vector<BYTE> packed = picture.Packed(compression, bits, info);
        ASSERT_FALSE(packed.empty()) << bits;
        Canvas drawn(picture.width, picture.height, RGB(1, 2, 3));
        StretchDIBits(drawn.dc, 0, 0, picture.width, picture.height, 0, 0, picture.width, picture.height, packed.data(),
                      info.get(), DIB_RGB_COLORS, SRCCOPY);
        EXPECT_EQ(drawn.Pixels(), picture.canvas.Pixels()) << bits;
    }
}

TEST(Rle, RunLengthsAreRefusedForOtherDepthsTopDownPicturesAndTooLittleRoom)
{
    IndexPicture picture({"0123"});
    for (const auto& [compression, bits, height] : {std::tuple{BI_RLE4, WORD(8), 1}, std::tuple{BI_RLE8, WORD(4), 1},
                                                     std::tuple{BI_RLE4, WORD(4), -1}}) {
        Info info = MakeInfo(4, height, bits, DWORD(compression));
        auto handle = static_cast<HBITMAP>(picture.canvas.bitmap.GetSafeHandle());
        EXPECT_EQ(GetDIBits(picture.canvas.dc, handle, 0, 1, nullptr, info.get(), DIB_RGB_COLORS), 0) << bits << height;
    }
    // Packed rows that outgrow the room the caller gives are refused, not written past it.
    Info info = MakeInfo(4, 1, 4, BI_RLE4);
    info.header.biSizeImage = 3;
    std::vector<BYTE> room(3, 0xAB);
    auto handle = static_cast<HBITMAP>(picture.canvas.bitmap.GetSafeHandle());
    EXPECT_EQ(GetDIBits(picture.canvas.dc, handle, 0, 1, room.data(), info.get(), DIB_RGB_COLORS), 0);
    EXPECT_EQ(room, std::vector<BYTE>(3, 0xAB));
}

}  // namespace
