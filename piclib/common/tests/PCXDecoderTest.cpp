#include "ErrorCode.h"
#include "HandBuilt.h"

#include "piclib/common/PLPCXDecoder.h"

#include <gtest/gtest.h>

namespace {

struct Pcx {
    uint8_t manufacturer = 10;
    uint8_t encoding = 1;
    uint8_t bits = 8;
    uint8_t planes = 3;
    uint16_t xMin = 0, xMax = 1, yMin = 0, yMax = 0;
    uint16_t bytesPerLine = 2;
    Bytes colorMap; // up to 48 bytes
    Bytes data;
};

Bytes makePcx(const Pcx& p)
{
    Bytes out{p.manufacturer, 5, p.encoding, p.bits};
    for (uint16_t v : {p.xMin, p.yMin, p.xMax, p.yMax, uint16_t(72), uint16_t(96)})
        PutWordLE(out, v);
    Bytes map = p.colorMap;
    map.resize(48, 0);
    out.insert(out.end(), map.begin(), map.end());
    out.insert(out.end(), {0, p.planes});
    PutWordLE(out, p.bytesPerLine);
    PutWordLE(out, 1);
    out.resize(128, 0);
    out.insert(out.end(), p.data.begin(), p.data.end());
    return out;
}

Bytes decode(const Pcx& p, PLAnyBmp& bmp)
{
    return DecodeWith<PLPCXDecoder>(makePcx(p), bmp);
}

TEST(PCXDecoder, Pictures)
{
    Bytes map16(48);
    for (int i = 0; i < 48; ++i)
        map16[i] = uint8_t(i * 5);
    struct Case {
        const char* what;
        Pcx pcx;
        Bytes rgba;
    };
    Pcx rgb;
    rgb.data = {0xC2, 0x07, 1, 2, 3, 4};
    Pcx planes;
    planes.bits = 1, planes.planes = 4, planes.bytesPerLine = 1, planes.xMax = 0, planes.colorMap = map16;
    planes.data = {0x80, 0x00, 0x80, 0x00}; // planes 0 and 2: index 5
    Pcx mono;
    mono.bits = 1, mono.planes = 1, mono.bytesPerLine = 1, mono.colorMap = map16, mono.data = {0x80};
    Pcx palette256;
    palette256.planes = 1, palette256.data = {0xC0, 9, 1, 0xC1, 255, 0x33};
    palette256.data.resize(palette256.data.size() + 768, 0);
    palette256.data[6 + 3] = 11, palette256.data[6 + 765] = 12;
    Pcx offset = rgb;
    offset.xMin = 10, offset.xMax = 19, offset.bytesPerLine = 10, offset.data = {0xCA, 0, 0xC1, 0xFF, 0xC9, 0, 0xCA, 0};
    Bytes offsetRgba;
    for (int x = 0; x < 10; ++x)
        offsetRgba.insert(offsetRgba.end(), {0, uint8_t(x == 0 ? 255 : 0), 0, 255});
    const Case cases[] = {
        {"run 0xC2 then raw bytes across planes", rgb, {7, 1, 3, 255, 7, 2, 4, 255}},
        {"four planes of one bit", planes, {75, 80, 85, 255}},
        {"monochrome ignores the header map", mono, {255, 255, 255, 255, 0, 0, 0, 255}},
        {"256 colours behind the data; 0xC0 writes nothing", palette256, {11, 0, 0, 255, 12, 0, 0, 255}},
        {"x min 10 to x max 19", offset, offsetRgba},
    };
    for (const Case& c : cases) {
        PLAnyBmp bmp;
        EXPECT_EQ(decode(c.pcx, bmp), c.rgba) << c.what;
    }
    PLAnyBmp bmp;
    decode(rgb, bmp);
    EXPECT_EQ(bmp.GetResolution(), (PLPoint{72, 96}));
}

// Runs of every length up to 63, some going on into the next plane or line, between single
// bytes, several of them 0xC0 or above and so packed as runs of one.
TEST(PCXDecoder, RunsOfEveryLengthAcrossLines)
{
    const int width = 150, height = 4;
    Bytes samples;
    for (int i = 0, length = 1; samples.size() < size_t(width) * 3 * height; ++i, length = length % 63 + 1) {
        samples.insert(samples.end(), size_t(length), uint8_t(i * 67));
        samples.push_back(uint8_t(i * 29 + 1));
    }
    samples.resize(size_t(width) * 3 * height);
    Pcx rgb;
    rgb.xMax = width - 1, rgb.yMax = height - 1, rgb.bytesPerLine = width;
    for (size_t i = 0; i < samples.size();) {
        size_t run = 1;
        while (i + run < samples.size() && run < 63 && samples[i + run] == samples[i])
            ++run;
        if (run > 1 || samples[i] >= 0xC0)
            rgb.data.push_back(uint8_t(0xC0 | run));
        rgb.data.push_back(samples[i]);
        i += run;
    }
    Bytes expected;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint8_t* line = samples.data() + size_t(y) * 3 * width;
            expected.insert(expected.end(), {line[x], line[width + x], line[2 * width + x], 255});
        }
    PLAnyBmp bmp;
    EXPECT_EQ(decode(rgb, bmp), expected);
}

// Packs samples as an encoder would, with runs of zero length sprinkled in.
Bytes packRuns(const Bytes& samples)
{
    Bytes packed;
    for (size_t i = 0; i < samples.size();) {
        size_t run = 1;
        while (i + run < samples.size() && run < 63 && samples[i + run] == samples[i])
            ++run;
        if (i % 97 == 5)
            packed.insert(packed.end(), {0xC0, 0x55});
        if (run > 1 || samples[i] >= 0xC0)
            packed.push_back(uint8_t(0xC0 | run));
        packed.push_back(samples[i]);
        i += run;
    }
    return packed;
}

// Photo-like lines: bytes that rarely repeat more than twice, a quarter of them at or above 0xC0
// and so stored as runs of one, with a few longer runs; in three planes and in one plane with its
// palette.
TEST(PCXDecoder, PhotoLikeLinesInPlanesAndWithPalette)
{
    const int width = 301, height = 5;
    uint32_t noise = 99;
    auto samplesOf = [&](size_t count) {
        Bytes samples;
        while (samples.size() < count) {
            noise = noise * 1664525 + 1013904223;
            const auto value = uint8_t(noise >> 24);
            const size_t repeats = (noise >> 8) % 23 == 0 ? (noise >> 12) % 70 : (noise >> 8) % 5 == 0 ? 2 : 1;
            samples.insert(samples.end(), repeats, value);
        }
        samples.resize(count);
        return samples;
    };
    const Bytes rgbSamples = samplesOf(size_t(width) * 3 * height);
    Pcx rgb;
    rgb.xMax = width - 1, rgb.yMax = height - 1, rgb.bytesPerLine = width, rgb.data = packRuns(rgbSamples);
    Bytes rgbExpected;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint8_t* line = rgbSamples.data() + size_t(y) * 3 * width;
            rgbExpected.insert(rgbExpected.end(), {line[x], line[width + x], line[2 * width + x], 255});
        }
    const Bytes indices = samplesOf(size_t(width) * height);
    Pcx palette = rgb;
    palette.planes = 1, palette.data = packRuns(indices);
    palette.data.push_back(12);
    for (int i = 0; i < 256; ++i)
        palette.data.insert(palette.data.end(), {uint8_t(i), uint8_t(255 - i), uint8_t(i / 2)});
    Bytes paletteExpected;
    for (uint8_t i : indices)
        paletteExpected.insert(paletteExpected.end(), {i, uint8_t(255 - i), uint8_t(i / 2), 255});
    PLAnyBmp bmp;
    EXPECT_EQ(decode(rgb, bmp), rgbExpected);
    EXPECT_EQ(decode(palette, bmp), paletteExpected);
    for (size_t cut : {size_t(1), size_t(9), size_t(10), rgb.data.size() / 2, rgb.data.size() - 1}) {
        Pcx shorter = rgb;
        shorter.data.resize(rgb.data.size() - cut);
        EXPECT_EQ(ErrorCodeOf([&] { decode(shorter, bmp); }), PL_ERREND_OF_FILE) << cut << " bytes cut";
    }
    Pcx overrun = rgb;
    overrun.data.insert(overrun.data.end() - 12, {0xFF, 0x01});
    EXPECT_EQ(ErrorCodeOf([&] { decode(overrun, bmp); }), PL_ERRINTERNAL);
}

TEST(PCXDecoder, Refusals)
{
    struct Case {
        const char* what;
        Pcx pcx;
        int code;
    };
    Pcx good;
    good.data = {1, 2, 3, 4, 5, 6};
    auto with = [&](auto change) {
        Pcx p = good;
        change(p);
        return p;
    };
    const Case cases[] = {
        {"manufacturer", with([](Pcx& p) { p.manufacturer = 11; }), PL_ERRWRONG_SIGNATURE},
        {"encoding", with([](Pcx& p) { p.encoding = 0; }), PL_ERRWRONG_SIGNATURE},
        {"1 bit in 5 planes", with([](Pcx& p) { p.bits = 1, p.planes = 5; }), PL_ERRFORMAT_UNKNOWN},
        {"8 bits in 2 planes", with([](Pcx& p) { p.planes = 2; }), PL_ERRFORMAT_UNKNOWN},
        {"3 bits", with([](Pcx& p) { p.bits = 3; }), PL_ERRFORMAT_UNKNOWN},
        {"run past the end", with([](Pcx& p) { p.data = {1, 2, 3, 4, 0xC3, 0}; }), PL_ERRINTERNAL},
        {"4 bits in 3 planes", with([](Pcx& p) { p.bits = 4; }), PL_ERRINTERNAL},
        {"x max below x min", with([](Pcx& p) { p.xMin = 5, p.xMax = 3; }), PL_ERRWRONG_SIGNATURE},
        {"bytes per line below the width", with([](Pcx& p) { p.xMax = 2; }), PL_ERRWRONG_SIGNATURE},
        {"bits of a line below the width", with([](Pcx& p) { p.bits = 1, p.planes = 1, p.xMax = 16; }),
         PL_ERRWRONG_SIGNATURE},
        {"decoded size too large",
         with([](Pcx& p) { p.bits = 1, p.planes = 4, p.bytesPerLine = 65535, p.yMax = 65534; }), PL_ERRNO_MEMORY},
        {"more lines than the data can hold", with([](Pcx& p) { p.yMax = 1000; }), PL_ERREND_OF_FILE},
        {"data cut short", with([](Pcx& p) { p.data.resize(4); }), PL_ERREND_OF_FILE},
        {"256-colour palette missing", with([](Pcx& p) { p.planes = 1; }), PL_ERREND_OF_FILE},
    };
    for (const Case& c : cases) {
        PLAnyBmp bmp;
        EXPECT_EQ(ErrorCodeOf([&] { decode(c.pcx, bmp); }), c.code) << c.what;
    }
}

} // namespace
