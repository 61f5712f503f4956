#include "ErrorCode.h"
#include "Fixtures.h"
#include "TempFolder.h"

#include "piclib/common/PLWEMFDecoder.h"
#include "piclib/common/PLWinBmp.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<uint8_t>;

void put16(Bytes& out, uint32_t v)
{
    out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8)});
}

void put32(Bytes& out, uint32_t v)
{
    out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)});
}

void putRecord(Bytes& out, uint32_t type, std::initializer_list<uint32_t> dwords)
{
    put32(out, type), put32(out, uint32_t(8 + 4 * dwords.size()));
    for (uint32_t d : dwords)
        put32(out, d);
}

constexpr uint32_t Red = 0x0000FF;

struct EmfLayout {
    int32_t frameRight = 2000; // 0.01 mm
    int32_t frameBottom = 1000;
    int32_t millimetres = 100;  // for a device of 100 by 100 pixels
};

// A red rectangle from (5, 5) to (10, 10) in a picture of 20 by 10 pixels.
Bytes makeEmf(const EmfLayout& s)
{
    Bytes records;
    putRecord(records, 39, {1, 0, Red, 0});      // brush 1: solid red
    putRecord(records, 37, {1});                 // select it
    putRecord(records, 38, {2, 0, 1, 0, Red});   // pen 2: solid red
    putRecord(records, 37, {2});
    putRecord(records, 43, {5, 5, 10, 10});      // rectangle
    putRecord(records, 14, {0, 16, 20});         // end of file
    Bytes out;
    put32(out, 1), put32(out, 108);
    for (int32_t v : {0, 0, 19, 9, 0, 0, s.frameRight, s.frameBottom})
        put32(out, uint32_t(v));
    put32(out, 0x464D4520), put32(out, 0x10000);
    put32(out, uint32_t(108 + records.size())), put32(out, 7);
    put16(out, 3), put16(out, 0);
    put32(out, 0), put32(out, 0), put32(out, 0);
    put32(out, 100), put32(out, 100), put32(out, uint32_t(s.millimetres)), put32(out, uint32_t(s.millimetres));
    put32(out, 0), put32(out, 0), put32(out, 0);
    put32(out, uint32_t(s.millimetres * 1000)), put32(out, uint32_t(s.millimetres * 1000));
    out.insert(out.end(), records.begin(), records.end());
    return out;
}

void putMeta(Bytes& out, uint16_t function, std::initializer_list<uint16_t> words)
{
    put32(out, uint32_t(3 + words.size())), put16(out, function);
    for (uint16_t w : words)
        put16(out, w);
}

// A red rectangle over the middle of a window of 1440 by 720 twips.
Bytes makeWmf(bool placeable, uint16_t unitsPerInch = 1440)
{
    Bytes records;
    putMeta(records, 0x020B, {0, 0});                         // window origin
    putMeta(records, 0x020C, {720, 1440});                    // window extent
    putMeta(records, 0x02FC, {0, uint16_t(Red), 0, 0});       // solid red brush
    putMeta(records, 0x012D, {0});
    putMeta(records, 0x02FA, {0, 1, 0, uint16_t(Red), 0});    // red pen
    putMeta(records, 0x012D, {1});
    putMeta(records, 0x041B, {540, 1080, 180, 360});          // rectangle: bottom, right, top, left
    putMeta(records, 0x0000, {});
    Bytes out;
    if (placeable) {
        put32(out, 0x9AC6CDD7), put16(out, 0);
        for (uint16_t v : {0, 0, 1440, 720})
            put16(out, v);
        put16(out, unitsPerInch), put32(out, 0);
        uint16_t checksum = 0;
        for (size_t i = 0; i < 20; i += 2)
            checksum ^= uint16_t(out[i] | out[i + 1] << 8);
        put16(out, checksum);
    }
    put16(out, 1), put16(out, 9), put16(out, 0x300);
    put32(out, uint32_t((18 + records.size()) / 2)), put16(out, 2), put32(out, 8), put16(out, 0);
    out.insert(out.end(), records.begin(), records.end());
    return out;
}

PLPixel32 pixelAt(const PLBmp& bmp, int x, int y)
{
    return reinterpret_cast<const PLPixel32*>(bmp.GetLine(y))[x];
}

const PLPixel32 RedPixel{0, 0, 255, 255};
const PLPixel32 WhitePixel{255, 255, 255, 255};

TEST(WEMFDecoder, PlaysIntoAPicture)
{
    struct Case {
        const char* name;
        Bytes file;
        PLPoint size;
        PLPoint inside;
        PLPoint outside;
    };
    const Case cases[] = {
        {"enhanced", makeEmf({}), {20, 10}, {7, 7}, {2, 2}},
        {"empty frame", makeEmf({.frameRight = 0, .frameBottom = 0}), {320, 200}, {-1, -1}, {2, 2}},
        // 1440 twips at 1440 units per inch on a screen of 96 pixels per inch.
        {"placeable", makeWmf(true), {96, 48}, {48, 24}, {5, 5}},
    };
    for (const Case& c : cases) {
        for (bool windowsBitmap : {true, false}) {
            PLWinBmp winBmp;
            PLAnyBmp anyBmp;
            PLBmp& bmp = windowsBitmap ? static_cast<PLBmp&>(winBmp) : anyBmp;
            PLWEMFDecoder decoder;
            decoder.MakeBmpFromMemory(c.file.data(), static_cast<int>(c.file.size()), &bmp);
            ASSERT_EQ(bmp.GetSize(), c.size) << c.name;
            EXPECT_EQ(bmp.GetBitsPerPixel(), 32) << c.name;
            EXPECT_TRUE(bmp.HasAlpha()) << c.name;
            if (c.inside.x >= 0) {
                EXPECT_EQ(pixelAt(bmp, c.inside.x, c.inside.y), RedPixel) << c.name;
            }
            EXPECT_EQ(pixelAt(bmp, c.outside.x, c.outside.y), WhitePixel) << c.name;
            EXPECT_EQ(pixelAt(bmp, c.size.x - 1, c.size.y - 1), WhitePixel) << c.name;
        }
    }
}

TEST(WEMFDecoder, Refusals)
{
    struct Case {
        const char* name;
        Bytes file;
        int code;
    };
    const Bytes emf = makeEmf({}), placeable = makeWmf(true);
    const Case cases[] = {
        {"no millimetre size", makeEmf({.millimetres = 0}), PL_ERRFORMAT_UNKNOWN},
        {"no units per inch", makeWmf(true, 0), PL_ERRFORMAT_UNKNOWN},
        {"placeable header cut short", Bytes(placeable.begin(), placeable.begin() + 12), PL_ERREND_OF_FILE},
        {"enhanced header cut short", Bytes(emf.begin(), emf.begin() + 60), PL_ERRFORMAT_NOT_SUPPORTED},
        {"records cut short", Bytes(emf.begin(), emf.end() - 30), PL_ERRFORMAT_NOT_SUPPORTED},
        {"not a metafile", Bytes(200, 0x41), PL_ERRFORMAT_NOT_SUPPORTED},
        {"empty", Bytes(), PL_ERRFORMAT_NOT_SUPPORTED},
    };
    for (const Case& c : cases) {
        PLAnyBmp bmp;
        PLWEMFDecoder decoder;
        EXPECT_EQ(ErrorCodeOf([&] {
                      decoder.MakeBmpFromMemory(c.file.data(), static_cast<int>(c.file.size()), &bmp);
                  }),
                  c.code)
            << c.name;
    }
}

// Memory has no name: the front end and the decoder go by the data's own signature.
TEST(WEMFDecoder, KindFromTheNameOrTheSignature)
{
    struct Case {
        const char* name; // empty: from memory
        Bytes file;
        int type;
        PLPoint size;
        PLPoint inside;
    };
    // Without a placeable header the window is 1440 by 720 units of 1/96 inch, scaled to
    // the reference device of 1920 by 1080 pixels on 508 by 286 millimetres.
    const Case cases[] = {
        {"", makeEmf({}), PLAnyPicDecoder::PL_FT_EMF, {20, 10}, {7, 7}},
        {"", makeWmf(true), PLAnyPicDecoder::PL_FT_WMF, {96, 48}, {48, 24}},
        {"", makeWmf(false), PLAnyPicDecoder::PL_FT_WMF, {1440, 719}, {720, 360}},
        {"PICTURE.EMF", makeEmf({}), PLAnyPicDecoder::PL_FT_EMF, {20, 10}, {7, 7}},
        {"picture.emf", makeEmf({}), PLAnyPicDecoder::PL_FT_EMF, {20, 10}, {7, 7}},
        {"picture.wmf", makeWmf(true), PLAnyPicDecoder::PL_FT_WMF, {96, 48}, {48, 24}},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        PLAnyPicDecoder decoder;
        PLAnyBmp bmp;
        if (*c.name) {
            const std::string path = folder.Write(c.name, std::string(c.file.begin(), c.file.end()));
            decoder.MakeBmpFromFile(path.c_str(), &bmp);
        } else {
            decoder.MakeBmpFromMemory(c.file.data(), static_cast<int>(c.file.size()), &bmp);
        }
        EXPECT_EQ(decoder.GetFileFormat(), c.type) << c.name;
        EXPECT_EQ(bmp.GetSize(), c.size) << c.name;
        EXPECT_EQ(pixelAt(bmp, c.inside.x, c.inside.y), RedPixel) << c.name;
    }
}

TEST(WEMFDecoder, RecognisedBySignature)
{
    Bytes emf = makeEmf({});
    emf[16] = 24; // bounds that would also pass for a TGA header
    Bytes plain = makeWmf(false), version1 = plain, script = plain;
    version1[4] = 0x00, version1[5] = 0x01;
    script[2] = 10; // header of 10 words: not a metafile
    const std::pair<Bytes, int> cases[] = {
        {emf, PLAnyPicDecoder::PL_FT_EMF},
        {makeWmf(true), PLAnyPicDecoder::PL_FT_WMF},
        {plain, PLAnyPicDecoder::PL_FT_WMF},
        {version1, PLAnyPicDecoder::PL_FT_WMF},
        {script, PLAnyPicDecoder::PL_FT_UNKNOWN},
    };
    for (const auto& [bytes, type] : cases)
        EXPECT_EQ(PLAnyPicDecoder::RecognizeType(bytes.data(), static_cast<int>(bytes.size()),
                                                 static_cast<int>(bytes.size()), nullptr),
                  type);
}

// A name saying one kind wins over the data: an enhanced metafile named .wmf is refused.
TEST(WEMFDecoder, NameWinsOverTheData)
{
    TempFolder folder;
    const Bytes emf = makeEmf({});
    const std::string path = folder.Write("picture.wmf", std::string(emf.begin(), emf.end()));
    PLWEMFDecoder decoder;
    PLAnyBmp bmp;
    EXPECT_EQ(ErrorCodeOf([&] { decoder.MakeBmpFromFile(path.c_str(), &bmp); }), PL_ERRFORMAT_NOT_SUPPORTED);
}

TEST(WEMFDecoder, ReusedAfterFailures)
{
    PLWEMFDecoder decoder;
    const Bytes good = makeEmf({}), bad = makeEmf({.millimetres = 0});
    for (int i = 0; i < 3; ++i) {
        PLAnyBmp bmp;
        EXPECT_NE(ErrorCodeOf([&] { decoder.MakeBmpFromMemory(bad.data(), static_cast<int>(bad.size()), &bmp); }), 0);
        decoder.MakeBmpFromMemory(good.data(), static_cast<int>(good.size()), &bmp);
        EXPECT_EQ(pixelAt(bmp, 7, 7), RedPixel);
    }
}

} // namespace
