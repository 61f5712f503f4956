#include "ErrorCode.h"
#include "HandBuilt.h"

#include "piclib/common/PLGIFDecoder.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

struct GifImage {
    uint16_t left = 0, top = 0, width = 2, height = 1;
    bool interlaced = false;
    Bytes localMap; // 2 entries of red, green, blue
    Bytes pixels;
};

struct Gif {
    uint16_t width = 2, height = 1;
    uint8_t background = 0;
    Bytes globalMap = {10, 20, 30, 40, 50, 60};
    std::optional<uint8_t> transparent;
    std::optional<GifImage> image = GifImage{0, 0, 2, 1, false, {}, {1, 0}};
    Bytes beforeImage; // raw records
};

// Pixels of 2-colour pictures as LZW literals, with a clear code before the code width would grow.
Bytes lzwLiterals(const Bytes& pixels)
{
    const int clear = 4, end = 5, width = 3;
    std::vector<int> codes{clear};
    int sinceClear = 0;
    for (uint8_t p : pixels) {
        if (sinceClear == 2) {
            codes.push_back(clear);
            sinceClear = 0;
        }
        codes.push_back(p);
        ++sinceClear;
    }
    codes.push_back(end);
    Bytes packed;
    uint32_t bits = 0;
    int count = 0;
    for (int code : codes) {
        bits |= uint32_t(code) << count;
        count += width;
        for (; count >= 8; count -= 8, bits >>= 8)
            packed.push_back(uint8_t(bits));
    }
    if (count > 0)
        packed.push_back(uint8_t(bits));
    Bytes out{2}; // minimum code size
    for (size_t i = 0; i < packed.size(); i += 255) {
        const size_t n = std::min<size_t>(255, packed.size() - i);
        out.push_back(uint8_t(n));
        out.insert(out.end(), packed.begin() + i, packed.begin() + i + n);
    }
    out.push_back(0);
    return out;
}

Bytes makeGif(const Gif& g)
{
    Bytes out{'G', 'I', 'F', '8', '9', 'a'};
    PutWordLE(out, g.width), PutWordLE(out, g.height);
    out.insert(out.end(), {uint8_t(g.globalMap.empty() ? 0 : 0x80), g.background, 0});
    out.insert(out.end(), g.globalMap.begin(), g.globalMap.end());
    if (g.transparent)
        out.insert(out.end(), {0x21, 0xF9, 4, 1, 0, 0, *g.transparent, 0});
    out.insert(out.end(), g.beforeImage.begin(), g.beforeImage.end());
    if (g.image) {
        const GifImage& i = *g.image;
        out.push_back(0x2C);
        PutWordLE(out, i.left), PutWordLE(out, i.top), PutWordLE(out, i.width), PutWordLE(out, i.height);
        out.push_back(uint8_t((i.localMap.empty() ? 0 : 0x80) | (i.interlaced ? 0x40 : 0)));
        out.insert(out.end(), i.localMap.begin(), i.localMap.end());
        const Bytes data = lzwLiterals(i.pixels);
        out.insert(out.end(), data.begin(), data.end());
    }
    out.push_back(0x3B);
    return out;
}

Bytes decode(const Gif& g, PLAnyBmp& bmp)
{
    return DecodeWith<PLGIFDecoder>(makeGif(g), bmp);
}

TEST(GIFDecoder, ImagePlacementAndInterlacing)
{
    struct Case {
        const char* what;
        Gif gif;
        Bytes indices;
    };
    Gif offset;
    offset.width = 4, offset.height = 3, offset.background = 1;
    offset.image = GifImage{1, 1, 2, 1, false, {}, {0, 0}};
    Gif interlaced;
    interlaced.width = 1, interlaced.height = 5;
    interlaced.image = GifImage{0, 0, 1, 5, true, {}, {0, 1, 1, 1, 0}}; // stored rows 0, 4, 2, 1, 3
    Gif outside = offset;
    outside.image = GifImage{3, 0, 2, 1, false, {}, {0, 0}};
    Gif onlyTerminator;
    onlyTerminator.background = 1, onlyTerminator.image.reset();
    Gif badRecord;
    badRecord.beforeImage = {0x99}, badRecord.background = 1;
    Gif extensions;
    extensions.beforeImage = {0x21, 0xFE, 3, 'a', 'b', 'c', 2, 'd', 'e', 0};
    const Case cases[] = {
        {"image at an offset on the background", offset, {1, 1, 1, 1, 1, 0, 0, 1, 1, 1, 1, 1}},
        {"interlaced rows", interlaced, {0, 1, 1, 0, 1}},
        {"image not inside the screen", outside, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
        {"header and terminator only", onlyTerminator, {1, 1}},
        {"unknown record ends the records", badRecord, {1, 1}},
        {"comment extension skipped", extensions, {1, 0}},
    };
    for (const Case& c : cases) {
        PLAnyBmp bmp;
        decode(c.gif, bmp);
        EXPECT_EQ(IndicesOf(bmp), c.indices) << c.what;
        EXPECT_EQ(bmp.GetPalette()[1], (PLPixel32{60, 50, 40, 255})) << c.what;
    }
}

TEST(GIFDecoder, PaletteAndTransparency)
{
    Gif plain;
    PLAnyBmp bmp;
    EXPECT_EQ(decode(plain, bmp), (Bytes{40, 50, 60, 255, 10, 20, 30, 255}));
    EXPECT_FALSE(bmp.HasAlpha());

    Gif transparent;
    transparent.transparent = 1;
    EXPECT_EQ(decode(transparent, bmp), (Bytes{40, 50, 60, 0, 10, 20, 30, 255}));
    EXPECT_TRUE(bmp.HasAlpha());
    EXPECT_EQ(bmp.GetPalette()[5].a, 255);

    Gif local;
    local.image->localMap = {1, 2, 3, 4, 5, 6};
    EXPECT_EQ(decode(local, bmp), (Bytes{4, 5, 6, 255, 1, 2, 3, 255}));
    local.globalMap.clear();
    EXPECT_EQ(decode(local, bmp), (Bytes{4, 5, 6, 255, 1, 2, 3, 255}));
}

TEST(GIFDecoder, Refusals)
{
    struct Case {
        const char* what;
        Bytes file;
        int code;
    };
    Gif noMap;
    noMap.globalMap.clear();
    const Bytes whole = makeGif(Gif{});
    const Bytes cutImage(whole.begin(), whole.end() - 4);
    Bytes notGif = makeGif(Gif{});
    notGif[0] = 'X';
    const Case cases[] = {
        {"neither a local nor a global map", makeGif(noMap), PL_ERRFORMAT_UNKNOWN},
        {"not a GIF", notGif, PL_ERRWRONG_SIGNATURE},
        {"screen descriptor cut short", Bytes{'G', 'I', 'F', '8', '9', 'a', 2, 0}, PL_ERREND_OF_FILE},
        {"image data cut short", cutImage, PL_ERREND_OF_FILE},
    };
    for (const Case& c : cases) {
        PLAnyBmp bmp;
        EXPECT_EQ(ErrorCodeOf([&] { DecodeWith<PLGIFDecoder>(c.file, bmp); }), c.code) << c.what;
    }
}

} // namespace
