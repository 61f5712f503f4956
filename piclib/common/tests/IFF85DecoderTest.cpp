#include "BigEndianBytes.h"
#include "DecoderChecks.h"
#include "ErrorCode.h"
#include "Fixtures.h"

#include "piclib/common/PLIFF85Decoder.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

struct Header {
    uint16_t width = 2;
    uint16_t height = 1;
    uint8_t planes = 1;
    uint8_t masking = 0;
    uint8_t compression = 0;
    uint16_t transparent = 0;
};

Bytes chunk(const char* id, const Bytes& data, std::optional<uint32_t> size = {})
{
    Bytes out;
    PutText(out, id);
    PutBE32(out, size.value_or(uint32_t(data.size())));
    PutBytes(out, data);
    if (data.size() % 2)
        out.push_back(0);
    return out;
}

Bytes bmhd(const Header& h, size_t size = 20)
{
    Bytes out;
    PutBE16(out, h.width), PutBE16(out, h.height), PutBE32(out, 0);
    out.insert(out.end(), {h.planes, h.masking, h.compression, 0});
    PutBE16(out, h.transparent);
    out.insert(out.end(), {10, 11});
    PutBE16(out, h.width), PutBE16(out, h.height);
    out.insert(out.end(), size - 20, 0);
    return chunk("BMHD", out);
}

Bytes cmap(int entries)
{
    Bytes rgb;
    for (int i = 0; i < entries; ++i)
        rgb.insert(rgb.end(), {uint8_t(i), uint8_t(100 + i), uint8_t(200 - i)});
    return chunk("CMAP", rgb);
}

Bytes camg(uint32_t mode, size_t size = 4)
{
    Bytes out;
    PutBE32(out, mode);
    out.insert(out.end(), size - 4, 0);
    return chunk("CAMG", out);
}

Bytes form(const char* type, const std::vector<Bytes>& chunks, std::optional<uint32_t> size = {},
           const char* group = "FORM")
{
    Bytes body;
    PutText(body, type);
    for (const Bytes& c : chunks)
        PutBytes(body, c);
    Bytes out;
    PutText(out, group);
    PutBE32(out, size.value_or(uint32_t(body.size())));
    PutBytes(out, body);
    return out;
}

// A one-plane ILBM of width 2 (rows of 2 bytes) with a two-colour palette.
Bytes ilbm(const Header& h, const Bytes& body, std::vector<Bytes> extra = {})
{
    std::vector<Bytes> chunks{bmhd(h), cmap(1 << std::min<int>(h.planes, 8))};
    chunks.insert(chunks.end(), extra.begin(), extra.end());
    chunks.push_back(chunk("BODY", body));
    return form("ILBM", chunks);
}

std::vector<uint8_t> decode(const Bytes& file, PLAnyBmp& bmp)
{
    PLIFF85Decoder decoder;
    return DecodeWith(decoder, file, bmp);
}

TEST(IFF85Decoder, Refusals)
{
    struct Case {
        const char* name;
        Bytes file;
        int code;
        const char* text;
    };
    const Bytes row{0x80, 0};
    const Case cases[] = {
        {"list group", form("ILBM", {bmhd({}), cmap(2), chunk("BODY", row)}, {}, "LIST"), PL_ERRWRONG_SIGNATURE,
         "File is not a single-form IFF."},
        {"form type", form("ACBM", {bmhd({}), cmap(2), chunk("BODY", row)}), PL_ERRFORMAT_UNKNOWN, "Unknown form type."},
        {"header of 24 bytes", form("ILBM", {bmhd({}, 24), cmap(2), chunk("BODY", row)}), PL_ERRFORMAT_UNKNOWN,
         "Unexpected header size."},
        {"masking 4", ilbm({.masking = 4}, row), PL_ERRFORMAT_UNKNOWN, "Unknown masking technique."},
        {"compression 2", ilbm({.compression = 2}, row), PL_ERRFORMAT_UNKNOWN, "Unknown compression method."},
        {"CAMG of 5 bytes", ilbm({}, row, {camg(0, 5)}), PL_ERRFORMAT_UNKNOWN, "Unexpected CAMG size."},
        {"CMAP of 257 entries", form("ILBM", {bmhd({}), cmap(257), chunk("BODY", row)}), PL_ERRFORMAT_UNKNOWN,
         "Too many CMAP entries."},
        {"CMAP above the planes", form("ILBM", {bmhd({}), cmap(3), chunk("BODY", row)}), PL_ERRFORMAT_UNKNOWN,
         "Too many CMAP entries."},
        {"HAM6 with 17 colours", form("ILBM", {bmhd({.planes = 6}), cmap(17), camg(0x800), chunk("BODY", Bytes(12, 0))}),
         PL_ERRFORMAT_UNKNOWN, "Too many CMAP entries."},
        {"no header", form("ILBM", {cmap(2), chunk("BODY", row)}), PL_ERRFORMAT_UNKNOWN, "Header not found."},
        {"no palette", form("ILBM", {bmhd({}), chunk("BODY", row)}), PL_ERRFORMAT_UNKNOWN, "Palette not found."},
        {"no body", form("ILBM", {bmhd({}), cmap(2)}), PL_ERRFORMAT_UNKNOWN, "Body not found."},
        {"body a byte short", ilbm({}, {0x80}), PL_ERRFORMAT_UNKNOWN, "Unexpected body size."},
        {"body beyond the form", form("ILBM", {bmhd({}), cmap(2), chunk("BODY", row)}, 55), PL_ERRFORMAT_UNKNOWN,
         "Body extends beyond form."},
        {"body beyond the file", [&] { const Bytes f = ilbm({.height = 2}, Bytes(4, 0)); return Bytes(f.begin(), f.end() - 1); }(),
         PL_ERREND_OF_FILE, nullptr},
        {"run past the row", ilbm({.compression = 1}, {0xFD, 7, 0x80, 0x80}), PL_ERRFORMAT_UNKNOWN,
         "Unexpected body size."},
        {"literal past the row", ilbm({.compression = 1}, {2, 1, 2, 3}), PL_ERRFORMAT_UNKNOWN, "Unexpected body size."},
        {"packed rows cannot fill the picture", ilbm({.height = 3, .compression = 1}, {0xFF, 1, 0xFF, 2}),
         PL_ERRFORMAT_UNKNOWN, "Unexpected body size."},
        {"packed body ends early", ilbm({.height = 2, .compression = 1}, {0xFF, 1, 0x80, 0x80}), PL_ERRFORMAT_UNKNOWN,
         "Unexpected body size."},
        {"nine planes", ilbm({.planes = 9}, Bytes(18, 0)), PL_ERRFORMAT_UNKNOWN, "Unsupported number of planes."},
        {"HAM of five planes", form("ILBM", {bmhd({.planes = 5}), cmap(8), camg(0x800), chunk("BODY", Bytes(10, 0))}),
         PL_ERRFORMAT_UNKNOWN, "Unsupported number of HAM planes."},
        {"PBM of four planes", form("PBM ", {bmhd({.planes = 4}), cmap(16), chunk("BODY", row)}), PL_ERRFORMAT_UNKNOWN,
         "Unsupported number of planes."},
        {"chunk past the end", form("ILBM", {bmhd({}), chunk("ANNO", {1, 2}, 5000)}), PL_ERREND_OF_FILE, nullptr},
    };
    for (const Case& c : cases) {
        PLAnyBmp bmp;
        ExpectRefused(c.name, c.code, c.text, [&] { decode(c.file, bmp); });
    }
}

PLPixel32 entry(int i)
{
    return PLPixel32::FromRGBA(uint8_t(i), uint8_t(100 + i), uint8_t(200 - i), 255);
}

Bytes rgba(std::initializer_list<PLPixel32> pixels)
{
    Bytes out;
    for (const PLPixel32& p : pixels)
        out.insert(out.end(), {p.r, p.g, p.b, p.a});
    return out;
}

TEST(IFF85Decoder, Pixels)
{
    struct Case {
        const char* name;
        Bytes file;
        int bpp;
        bool alpha;
        Bytes rgba;
    };
    PLPixel32 transparent = entry(1);
    transparent.a = 0;
    // Two planes of a 3-pixel row: plane 0 = 1 0 1, plane 1 = 0 1 1.
    const Bytes twoPlanes{0xA0, 0, 0x60, 0};
    const Case cases[] = {
        {"one plane", ilbm({}, {0x40, 0}), 8, false, rgba({entry(0), entry(1)})},
        {"planes make the index", ilbm({.width = 3, .planes = 2}, twoPlanes), 8, false,
         rgba({entry(1), entry(2), entry(3)})},
        {"byte run", ilbm({.width = 3, .planes = 2, .compression = 1}, {0x00, 0xA0, 0x80, 0x01, 0x00, 0x60, 0x00, 0x00}),
         8, false, rgba({entry(1), entry(2), entry(3)})},
        {"mask plane skipped", ilbm({.width = 3, .planes = 2, .masking = 1}, {0xA0, 0, 0x60, 0, 0xFF, 0xFF}), 8, false,
         rgba({entry(1), entry(2), entry(3)})},
        {"lasso decodes as without masking", ilbm({.width = 3, .planes = 2, .masking = 3}, twoPlanes), 8, false,
         rgba({entry(1), entry(2), entry(3)})},
        {"transparent colour", ilbm({.width = 3, .planes = 2, .masking = 2, .transparent = 1}, twoPlanes), 32, true,
         rgba({transparent, entry(2), entry(3)})},
        {"odd chunk padded", ilbm({}, {0x40, 0}, {chunk("ANNO", {'a', 'b', 'c'})}), 8, false, rgba({entry(0), entry(1)})},
        {"PBM, odd width", form("PBM ", {bmhd({.width = 3, .planes = 8}), cmap(256), chunk("BODY", {7, 8, 9, 0})}), 8,
         false, rgba({entry(7), entry(8), entry(9)})},
    };
    for (const Case& c : cases) {
        PLAnyBmp bmp;
        EXPECT_EQ(decode(c.file, bmp), c.rgba) << c.name;
        EXPECT_EQ(bmp.GetBitsPerPixel(), c.bpp) << c.name;
        EXPECT_EQ(bmp.HasAlpha(), c.alpha) << c.name;
    }
}

// Bits of one row of a value per pixel, planes one after the other, each plane row padded to
// whole 16-bit words.
Bytes planar(const std::vector<uint32_t>& values, int planes)
{
    const size_t planeRow = (values.size() + 15) / 16 * 2;
    Bytes out(planeRow * planes, 0);
    for (int p = 0; p < planes; ++p)
        for (size_t x = 0; x < values.size(); ++x)
            if (values[x] >> p & 1)
                out[planeRow * p + x / 8] |= uint8_t(0x80 >> (x % 8));
    return out;
}

TEST(IFF85Decoder, HoldAndModify)
{
    struct Case {
        const char* name;
        int planes;
        std::vector<uint32_t> values;
        Bytes rgba;
    };
    const Case cases[] = {
        // HAM6: control in bits 4-5; modify levels are v * 16.
        {"HAM6", 6, {0x03, 0x1F, 0x2A, 0x31}, {3, 103, 197, 255, 3, 103, 240, 255, 160, 103, 240, 255, 160, 16, 240, 255}},
        // HAM8: control in bits 6-7; 6-bit levels scale as v * 4 + v / 16.
        {"HAM8", 8, {0x05, 0x7F, 0xA0, 0xC1}, {5, 105, 195, 255, 5, 105, 255, 255, 130, 105, 255, 255, 130, 4, 255, 255}},
        {"held colour starts black", 6, {0x1F}, {0, 0, 240, 255}},
    };
    for (const Case& c : cases) {
        const uint16_t width = static_cast<uint16_t>(c.values.size());
        const Bytes file = form("ILBM", {bmhd({.width = width, .planes = uint8_t(c.planes)}), cmap(16), camg(0x800),
                                         chunk("BODY", planar(c.values, c.planes))});
        PLAnyBmp bmp;
        EXPECT_EQ(decode(file, bmp), c.rgba) << c.name;
        EXPECT_EQ(bmp.GetBitsPerPixel(), 32) << c.name;
    }
}

// 24 planes hold red, green and blue straight. Rows are turned into pixels 128 at a time and
// the rest eight at a time: the widths take either way alone, both, and a part group last.
TEST(IFF85Decoder, DeepPixels)
{
    for (const uint16_t width : {11, 128, 200, 517}) {
        std::vector<uint32_t> values;
        Bytes expected;
        for (uint32_t x = 0; x < width; ++x) {
            const uint8_t r = uint8_t(x * 23 + 1), g = uint8_t(255 - x * 17), b = uint8_t(x * x * 9 + 0x80);
            values.push_back(r | g << 8 | uint32_t(b) << 16);
            expected.insert(expected.end(), {r, g, b, 255});
        }
        const Bytes file = form("ILBM", {bmhd({.width = width, .planes = 24}), chunk("BODY", planar(values, 24))});
        PLAnyBmp bmp;
        EXPECT_EQ(decode(file, bmp), expected) << width;
        EXPECT_EQ(bmp.GetBitsPerPixel(), 32) << width;
        EXPECT_FALSE(bmp.HasAlpha()) << width;
    }
}

TEST(IFF85Decoder, PBMOf320By200)
{
    Bytes body(320 * 200);
    for (size_t i = 0; i < body.size(); ++i)
        body[i] = uint8_t(i * 7);
    const Bytes file = form("PBM ", {bmhd({.width = 320, .height = 200, .planes = 8}), cmap(256), chunk("BODY", body)});
    PLAnyBmp bmp;
    decode(file, bmp);
    ASSERT_EQ(bmp.GetBitsPerPixel(), 8);
    EXPECT_EQ(bmp.GetPalette()[9], entry(9));
    EXPECT_EQ(bmp.GetLine(199)[319], body.back());
    EXPECT_EQ(bmp.GetLine(1)[0], body[320]);
}

} // namespace
