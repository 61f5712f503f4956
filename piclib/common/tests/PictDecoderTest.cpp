#include "BigEndianBytes.h"
#include "DecoderChecks.h"
#include "ErrorCode.h"
#include "Fixtures.h"

#include "piclib/common/PLJPEGDecoder.h"
#include "piclib/common/PLPictDecoder.h"

#include <gtest/gtest.h>

#include <array>

namespace {

// 512-byte file header, picture size and frame, then the version opcode.
Bytes pictStart(int version = 2)
{
    Bytes out(512, 0);
    PutBE16(out, 0);
    out.insert(out.end(), 8, 0);
    if (version == 2)
        out.insert(out.end(), {0x00, 0x11, 0x02, 0xFF});
    else
        out.insert(out.end(), {0x11, 0x01});
    return out;
}

void putRect(Bytes& out, int top, int left, int bottom, int right)
{
    PutBE16(out, uint16_t(top)), PutBE16(out, uint16_t(left)), PutBE16(out, uint16_t(bottom)), PutBE16(out, uint16_t(right));
}

struct PixMapLayout {
    int width = 3;
    int height = 1;
    uint16_t packType = 0;
    uint16_t pixelSize = 8;
    uint16_t cmpCount = 1;
    uint32_t hRes = 72 << 16;
};

void putPixMap(Bytes& out, const PixMapLayout& p)
{
    putRect(out, 0, 0, p.height, p.width);
    PutBE16(out, 0), PutBE16(out, p.packType), PutBE32(out, 0), PutBE32(out, p.hRes), PutBE32(out, p.hRes);
    PutBE16(out, p.pixelSize > 8 ? 16 : 0), PutBE16(out, p.pixelSize), PutBE16(out, p.cmpCount);
    PutBE16(out, p.pixelSize > 8 ? 8 : p.pixelSize);
    PutBE32(out, 0), PutBE32(out, 0), PutBE32(out, 0);
}

// Colour table entries of (value, red, green, blue) with 8-bit levels stored as 16 bits.
void putColourTable(Bytes& out, const std::vector<std::array<int, 4>>& entries, uint16_t flags = 0, int size = -1)
{
    PutBE32(out, 0), PutBE16(out, flags), PutBE16(out, uint16_t((size < 0 ? int(entries.size()) : size) - 1));
    for (const auto& e : entries) {
        PutBE16(out, uint16_t(e[0]));
        for (int c = 1; c < 4; ++c)
            PutBE16(out, uint16_t(e[c] * 0x101));
    }
}

void putRectsAndMode(Bytes& out, int width, int height)
{
    putRect(out, 0, 0, height, width);
    putRect(out, 0, 0, height, width);
    PutBE16(out, 0);
}

const std::vector<std::array<int, 4>> TwoColours{{0, 10, 20, 30}, {1, 40, 50, 60}};

// An image opcode of a pixel map with a colour table, after the given opcodes.
Bytes pixMapImage(uint16_t rowBytes, const PixMapLayout& layout, const Bytes& rows,
                  const std::vector<std::array<int, 4>>& colours = TwoColours, const Bytes& before = {},
                  uint16_t opcode = 0x0098, uint16_t flags = 0)
{
    Bytes out = pictStart();
    PutBytes(out, before);
    PutBE16(out, opcode), PutBE16(out, rowBytes);
    putPixMap(out, layout);
    putColourTable(out, colours, flags);
    putRectsAndMode(out, layout.width, layout.height);
    PutBytes(out, rows);
    return out;
}

Bytes directBits(uint16_t rowBytes, const PixMapLayout& layout, const Bytes& rows)
{
    Bytes out = pictStart();
    PutBE16(out, 0x009A), PutBE32(out, 0xFF), PutBE16(out, rowBytes);
    putPixMap(out, layout);
    putRectsAndMode(out, layout.width, layout.height);
    PutBytes(out, rows);
    return out;
}

Bytes withOpcodes(const Bytes& opcodes, int version = 2)
{
    Bytes out = pictStart(version);
    PutBytes(out, opcodes);
    return out;
}

Bytes rgba(std::initializer_list<std::array<uint8_t, 4>> pixels)
{
    Bytes out;
    for (const auto& p : pixels)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

std::vector<uint8_t> decode(const Bytes& file, PLAnyBmp& bmp, bool withJpeg = true)
{
    PLJPEGDecoder jpeg;
    PLPictDecoder decoder(withJpeg ? &jpeg : nullptr);
    return DecodeWith(decoder, file, bmp);
}

TEST(PictDecoder, Refusals)
{
    struct Case {
        const char* name;
        Bytes file;
        int code;
        const char* text;
        bool withJpeg = true;
    };
    const PixMapLayout eight;
    const Case cases[] = {
        {"no version opcode", [] { Bytes f = pictStart(); f[523] = 0x12; return f; }(), PL_ERRWRONG_SIGNATURE,
         "Version number missing."},
        {"version 3", [] { Bytes f = pictStart(); f[524] = 3; return f; }(), PL_ERRWRONG_SIGNATURE,
         "Illegal version number."},
        {"version 2 without 0xFF", [] { Bytes f = pictStart(); f[525] = 0; return f; }(), PL_ERRWRONG_SIGNATURE,
         "Illegal version number."},
        {"only vector data", withOpcodes({0x00, 0x31, 0, 0, 0, 0, 0, 9, 0, 9, 0x00, 0xFF}), PL_ERRFORMAT_NOT_SUPPORTED,
         "PICT contained only vector data!"},
        {"version 1, only vector data", withOpcodes({0x31, 0, 0, 0, 0, 0, 9, 0, 9, 0xFF}, 1),
         PL_ERRFORMAT_NOT_SUPPORTED, "PICT contained only vector data!"},
        {"pattern type 3", withOpcodes({0x00, 0x12, 0x00, 0x03}), PL_ERRFORMAT_UNKNOWN, "Unknown pattern type in pixPat."},
        {"text opcode", withOpcodes({0x00, 0x28, 0, 1, 0, 1, 2, 'h', 'i'}), PL_ERRFORMAT_UNKNOWN,
         "PICT opcode of unknown length."},
        {"region opcode", withOpcodes({0x00, 0x81, 0x00, 0x0A}), PL_ERRFORMAT_UNKNOWN, "PICT opcode of unknown length."},
        {"clip region of size 1", withOpcodes({0x00, 0x01, 0x00, 0x01}), PL_ERRFORMAT_UNKNOWN, "PICT region size below 2."},
        {"polygon of size 0", withOpcodes({0x00, 0x70, 0x00, 0x00}), PL_ERRFORMAT_UNKNOWN, "PICT region size below 2."},
        {"image region of size 1", pixMapImage(0x8003, eight, {0, 0, 0, 1, 0, 1, 0}, TwoColours, {}, 0x0099),
         PL_ERRFORMAT_UNKNOWN, "PICT region size below 2."},
        {"colour table of 300 entries",
         [] { Bytes f = pixMapImage(0x8003, {}, {0, 1, 0}); f[580] = 0x01, f[581] = 0x2B; return f; }(),
         PL_ERRFORMAT_UNKNOWN, "Colour table of more than 256 entries."},
        {"colour value beyond the table", pixMapImage(0x8003, eight, {0, 1, 0}, {{0, 1, 2, 3}, {2, 4, 5, 6}}),
         PL_ERRFORMAT_UNKNOWN, "pixel value greater than colour table size."},
        {"run past the row", pixMapImage(0x8008, {.width = 8}, {2, 0xF0, 1}), PL_ERRFORMAT_UNKNOWN,
         "PackBits run exceeds the PICT row."},
        {"literal past the packed data", pixMapImage(0x8008, {.width = 8}, {3, 7, 1, 2}), PL_ERRFORMAT_UNKNOWN,
         "PackBits run exceeds the PICT row."},
        {"row bytes below the width", pixMapImage(0x8002, eight, {0, 1, 0, 1}), PL_ERRFORMAT_UNKNOWN,
         "PICT row bytes below the width."},
        {"direct row bytes below the width", directBits(0x8008, {.pixelSize = 32, .cmpCount = 3}, Bytes(20, 0)),
         PL_ERRFORMAT_UNKNOWN, "PICT row bytes below the width."},
        {"pixel size 3", pixMapImage(0x8003, {.pixelSize = 3}, {0, 1, 0}), PL_ERRFORMAT_UNKNOWN,
         "Illegal bpp value in unpackbits: 3"},
        {"two components", directBits(0x800C, {.pixelSize = 32, .cmpCount = 2}, Bytes(20, 0)), PL_ERRFORMAT_UNKNOWN,
         "three or four components"},
        {"negative bounds", pixMapImage(0x8003, {.width = -3}, {0, 1, 0}), PL_ERRFORMAT_UNKNOWN, "Invalid PICT bounds."},
        {"QuickTime data without JPEG", withOpcodes({0x82, 0x00, 0, 0, 0, 4, 1, 2, 3, 4, 0xFF, 0xD8, 0xFF}),
         PL_ERRFORMAT_NOT_SUPPORTED, "unrecognized quicktime data"},
        {"JPEG without its decoder", FixtureBytes("legacy/jpeg.pict"), PL_ERRFORMAT_NOT_SUPPORTED,
         "Library not compiled for PICT/JPEG.", false},
        {"rows missing", pixMapImage(0x8003, {.height = 4}, {0, 1, 0}), PL_ERREND_OF_FILE, nullptr},
        {"long comment past the end", withOpcodes({0x00, 0xA1, 0, 1, 0x10, 0}), PL_ERREND_OF_FILE, nullptr},
        {"long opcode past the end", withOpcodes({0x00, 0xD0, 0x7F, 0, 0, 0}), PL_ERREND_OF_FILE, nullptr},
    };
    for (const Case& c : cases) {
        PLAnyBmp bmp;
        ExpectRefused(c.name, c.code, c.text, [&] { decode(c.file, bmp, c.withJpeg); });
    }
}

TEST(PictDecoder, Pixels)
{
    struct Case {
        const char* name;
        Bytes file;
        int bpp;
        bool alpha;
        Bytes rgba;
    };
    const PixMapLayout eight;
    const auto c0 = std::array<uint8_t, 4>{10, 20, 30, 255}, c1 = std::array<uint8_t, 4>{40, 50, 60, 255};
    const std::array<uint8_t, 4> white{255, 255, 255, 255}, black{0, 0, 0, 255};
    Bytes v1 = pictStart(1);
    v1.insert(v1.end(), {0x90, 0x00, 0x02});
    putRect(v1, 0, 0, 1, 9);
    putRectsAndMode(v1, 9, 1);
    v1.insert(v1.end(), {0x80, 0x80});
    const Case cases[] = {
        {"row bytes below 8 are raw", pixMapImage(0x8003, eight, {0, 1, 0}), 8, false, rgba({c0, c1, c0})},
        {"packed 8-bit rows", pixMapImage(0x8008, {.width = 8}, {6, 0xFC, 1, 2, 0, 1, 0}), 8, false,
         rgba({c1, c1, c1, c1, c1, c0, c1, c0})},
        {"colour table in order", pixMapImage(0x8003, eight, {0, 1, 0}, {{7, 10, 20, 30}, {7, 40, 50, 60}}, {}, 0x0098,
                                              0x8000), 8, false, rgba({c0, c1, c0})},
        {"bits rect rows are never packed", pixMapImage(0x8008, {.width = 8}, {1, 1, 0, 0, 1, 1, 0, 0}, TwoColours, {},
                                                        0x0090), 8, false, rgba({c1, c1, c0, c0, c1, c1, c0, c0})},
        {"region skipped", pixMapImage(0x8003, eight, {0, 2, 0, 1, 1}, TwoColours, {}, 0x0099), 8, false,
         rgba({c0, c1, c1})},
        {"two bits a pixel", pixMapImage(0x8001, {.width = 3, .pixelSize = 2}, {0b01000100}, TwoColours), 8, false,
         rgba({c1, c0, c1})},
        {"version 1 bit map, set bits black", v1, 8, false,
         rgba({black, white, white, white, white, white, white, white, black})},
        {"opcodes before the image are skipped",
         pixMapImage(0x8003, eight, {0, 1, 0}, TwoColours,
                     {0x0C, 0x00, 0xFF, 0xFE, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, // header
                      0x00, 0x01, 0x00, 0x0A, 0, 0, 0, 0, 0, 1, 0, 3,                                         // clip
                      0x00, 0xA1, 0x00, 0x05, 0x00, 0x02, 'o', 'k',                                           // comment
                      0x00, 0xA2, 0x00, 0x02, 9, 9,                                                           // reserved
                      0x02, 0x00, 1, 2, 3, 4,                                                                 // 4 bytes
                      0x80, 0x00,                                                                             // none
                      0x00, 0xD0, 0, 0, 0, 2, 7, 7,                                                           // 32-bit
                      0x00, 0x04, 0x01, 0xEE,          // one byte, then the even position
                      0x00, 0x12, 0x00, 0x02, 0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 3, 4, 5, 0xEE}),             // pattern
         8, false, rgba({c0, c1, c0})},
    };
    for (const Case& c : cases) {
        PLAnyBmp bmp;
        EXPECT_EQ(decode(c.file, bmp), c.rgba) << c.name;
        EXPECT_EQ(bmp.GetBitsPerPixel(), c.bpp) << c.name;
        EXPECT_EQ(bmp.HasAlpha(), c.alpha) << c.name;
    }
}

TEST(PictDecoder, DirectPixels)
{
    struct Case {
        const char* name;
        uint16_t rowBytes;
        PixMapLayout layout;
        Bytes rows;
        bool alpha;
        Bytes rgba;
    };
    const Case cases[] = {
        {"three planes", 0x8008, {.width = 2, .pixelSize = 32, .cmpCount = 3}, {7, 5, 1, 2, 3, 4, 5, 6}, false,
         {1, 3, 5, 255, 2, 4, 6, 255}},
        {"alpha plane first", 0x8008, {.width = 2, .pixelSize = 32, .cmpCount = 4}, {9, 7, 9, 8, 1, 2, 3, 4, 5, 6}, true,
         {1, 3, 5, 9, 2, 4, 6, 8}},
        // Stored row bytes of 252 take a word of packed length, whatever the width.
        {"stored row bytes", 0x80FC, {.width = 2, .pixelSize = 32, .cmpCount = 3}, {0, 7, 5, 1, 2, 3, 4, 5, 6}, false,
         {1, 3, 5, 255, 2, 4, 6, 255}},
        {"16-bit raw", 0x8004, {.width = 2, .packType = 3, .pixelSize = 16}, {0x7C, 0x00, 0x03, 0xE0}, false,
         {248, 0, 0, 255, 0, 248, 0, 255}},
        {"16-bit runs of words", 0x8008, {.width = 4, .packType = 3, .pixelSize = 16}, {3, 0xFD, 0x00, 0x1F}, false,
         {0, 0, 248, 255, 0, 0, 248, 255, 0, 0, 248, 255, 0, 0, 248, 255}},
    };
    for (const Case& c : cases) {
        PLAnyBmp bmp;
        EXPECT_EQ(decode(directBits(c.rowBytes, c.layout, c.rows), bmp), c.rgba) << c.name;
        EXPECT_EQ(bmp.GetBitsPerPixel(), 32) << c.name;
        EXPECT_EQ(bmp.HasAlpha(), c.alpha) << c.name;
        EXPECT_EQ(bmp.GetResolution(), (PLPoint{72, 72})) << c.name;
    }
}

TEST(PictDecoder, EmbeddedJpegDecodesAndTheDecoderIsReusable)
{
    PLJPEGDecoder jpeg;
    PLPictDecoder decoder(&jpeg);
    const Bytes file = FixtureBytes("legacy/jpeg.pict");
    for (int i = 0; i < 2; ++i) {
        PLAnyBmp bmp;
        decoder.MakeBmpFromMemory(file.data(), static_cast<int>(file.size()), &bmp);
        EXPECT_EQ(bmp.GetWidth(), 40);
    }
    // A decode that stops after the JPEG header still releases the JPEG decoder.
    PLAnyBmp bmp;
    const Bytes cut(file.begin(), file.begin() + 700);
    EXPECT_NE(ErrorCodeOf([&] { decoder.MakeBmpFromMemory(cut.data(), static_cast<int>(cut.size()), &bmp); }), 0);
    decoder.MakeBmpFromMemory(file.data(), static_cast<int>(file.size()), &bmp);
    EXPECT_EQ(bmp.GetHeight(), 24);
}

} // namespace
