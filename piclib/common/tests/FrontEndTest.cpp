#include "ErrorCode.h"
#include "Fixtures.h"
#include "TempFolder.h"

#include "piclib/common/PLDataSource.h"
#include "piclib/common/PLMemSource.h"
#include "piclib/common/PLPackBits.h"
#include "piclib/common/PLResourceSource.h"
#include "piclib/common/PLTextException.h"
#include "platform/core/BinaryResources.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes header(std::initializer_list<uint8_t> start, size_t size = 600)
{
    Bytes h(size, 0);
    std::copy(start.begin(), start.end(), h.begin());
    return h;
}

Bytes withBytesAt(Bytes h, size_t offset, std::initializer_list<uint8_t> bytes)
{
    std::copy(bytes.begin(), bytes.end(), h.begin() + offset);
    return h;
}

Bytes tga()
{
    Bytes h(600, 0);
    h[2] = 2;   // true colour
    h[16] = 24; // pixel depth
    return h;
}

int recognise(const Bytes& h)
{
    const int size = static_cast<int>(h.size());
    return PLAnyPicDecoder::RecognizeType(h.data(), std::min(size, 512), size, size >= 526 ? h.data() + 522 : nullptr);
}

TEST(Recognition, AllTypes)
{
    const Bytes eps = withBytesAt(header({0xC5, 0xD0, 0xD3, 0xC6}), 20, {30, 0, 0, 0, 10, 0, 0, 0});
    struct Case {
        const char* what;
        Bytes data;
        int type;
    };
    const Case cases[] = {
        {"BM", header({'B', 'M'}), PLAnyPicDecoder::PL_FT_WINBMP},
        {"BA", header({'B', 'A'}), PLAnyPicDecoder::PL_FT_WINBMP},
        {"IC", header({'I', 'C'}), PLAnyPicDecoder::PL_FT_WINBMP},
        {"CI", header({'C', 'I'}), PLAnyPicDecoder::PL_FT_WINBMP},
        {"CP", header({'C', 'P'}), PLAnyPicDecoder::PL_FT_WINBMP},
        {"BM that looks like TGA", withBytesAt(tga(), 0, {'B', 'M'}), PLAnyPicDecoder::PL_FT_WINBMP},
        {"PICT 2", withBytesAt(header({}), 522, {0x00, 0x11, 0x02, 0xFF}), PLAnyPicDecoder::PL_FT_MACPICT},
        {"PICT 1", withBytesAt(header({}), 522, {0x00, 0x11, 0x01}), PLAnyPicDecoder::PL_FT_MACPICT},
        {"PICT 1 variant", withBytesAt(header({}), 522, {0x11, 0x01, 0x01, 0x00}), PLAnyPicDecoder::PL_FT_MACPICT},
        {"PICT of 540 bytes", withBytesAt(header({}, 540), 522, {0x00, 0x11, 0x02, 0xFF}), PLAnyPicDecoder::PL_FT_UNKNOWN},
        {"TGA", tga(), PLAnyPicDecoder::PL_FT_TARGA},
        {"TGA type 5", withBytesAt(tga(), 2, {5}), PLAnyPicDecoder::PL_FT_UNKNOWN},
        {"TIFF II", header({'I', 'I', 42, 0}), PLAnyPicDecoder::PL_FT_TIFF},
        {"TIFF MM", header({'M', 'M', 0, 42}), PLAnyPicDecoder::PL_FT_TIFF},
        {"JPEG", header({0xFF, 0xD8, 0xFF, 0xE0}), PLAnyPicDecoder::PL_FT_JPEG},
        {"PNG", header({0x89, 'P', 'N', 'G'}), PLAnyPicDecoder::PL_FT_PNG},
        {"EPS", eps, PLAnyPicDecoder::PL_FT_EPSTIFF},
        {"EPS swapped", withBytesAt(eps, 0, {0xC6, 0xD3, 0xD0, 0xC5}), PLAnyPicDecoder::PL_FT_EPSTIFF},
        {"EPS without preview", withBytesAt(eps, 24, {0, 0, 0, 0}), PLAnyPicDecoder::PL_FT_UNKNOWN},
        {"PCX", header({0x0A, 5, 1}), PLAnyPicDecoder::PL_FT_PCX},
        {"PGM", header({'P', '5'}), PLAnyPicDecoder::PL_FT_PGM},
        {"PGM text", header({'P', '2'}), PLAnyPicDecoder::PL_FT_PGM},
        {"GIF", header({'G', 'I', 'F', '8'}), PLAnyPicDecoder::PL_FT_GIF},
        {"PPM", header({'P', '6'}), PLAnyPicDecoder::PL_FT_PPM},
        {"PPM text", header({'P', '3'}), PLAnyPicDecoder::PL_FT_PPM},
        {"PSD", header({'8', 'B', 'P', 'S'}), PLAnyPicDecoder::PL_FT_PSD},
        {"SGI", header({0x01, 0xDA}), PLAnyPicDecoder::PL_FT_SGI},
        {"IFF", header({'F', 'O', 'R', 'M'}), PLAnyPicDecoder::PL_FT_IFF85},
        {"zeros", header({}), PLAnyPicDecoder::PL_FT_UNKNOWN},
        {"short file", header({0xFF, 0xD8, 0xFF}, 3), PLAnyPicDecoder::PL_FT_JPEG},
        {"empty", Bytes{}, PLAnyPicDecoder::PL_FT_UNKNOWN},
    };
    for (const Case& c : cases)
        EXPECT_EQ(recognise(c.data), c.type) << c.what;
}

// Records where the source stands when it is handed a picture.
class StubDecoder : public PLPicDecoder {
public:
    void Open(PLDataSource* source) override
    {
        position = source->GetBytesConsumed();
        SetBmpInfo({1, 1}, 8, {0, 0}, false, false);
    }
    void GetImage(PLBmp&) override {}
    int position = -1;
};

class StubbedAnyDecoder : public PLAnyPicDecoder {
public:
    int type = -1;
    StubDecoder stub;

protected:
    PLPicDecoder* decoderFor(int t) override
    {
        type = t;
        return &stub;
    }
};

TEST(Recognition, MetafileNamesComeFirst)
{
    TempFolder folder;
    const Bytes png = FixtureBytes("rgb8.png");
    struct Case {
        const char* name;
        int type;
    };
    for (const Case& c : {Case{"picture.wmf.png", PLAnyPicDecoder::PL_FT_WMF},
                          Case{"PICTURE.EMF", PLAnyPicDecoder::PL_FT_EMF}, Case{"a.Wmf", PLAnyPicDecoder::PL_FT_WMF},
                          Case{"plain.png", PLAnyPicDecoder::PL_FT_PNG}}) {
        const std::string path = folder.Write(c.name, std::string(png.begin(), png.end()));
        StubbedAnyDecoder decoder;
        PLAnyBmp bmp;
        decoder.MakeBmpFromFile(path.c_str(), &bmp);
        EXPECT_EQ(decoder.type, c.type) << c.name;
    }
}

TEST(Recognition, EpsPreviewOffsetIsSkipped)
{
    Bytes eps = withBytesAt(header({0xC5, 0xD0, 0xD3, 0xC6}, 400), 20, {0x2C, 0x01, 0, 0, 10, 0, 0, 0});
    StubbedAnyDecoder decoder;
    PLAnyBmp bmp;
    decoder.MakeBmpFromMemory(eps.data(), static_cast<int>(eps.size()), &bmp);
    EXPECT_EQ(decoder.type, PLAnyPicDecoder::PL_FT_EPSTIFF);
    EXPECT_EQ(decoder.stub.position, 300);
    eps[21] = 0x02; // 556, beyond the file
    EXPECT_EQ(ErrorCodeOf([&] { decoder.MakeBmpFromMemory(eps.data(), static_cast<int>(eps.size()), &bmp); }),
              PL_ERREND_OF_FILE);
}

// Every recognised type has its decoder now: a bare PSD header reaches the PSD decoder's own checks.
TEST(FrontEnd, UnknownTypeAndRecognisedHeader)
{
    PLAnyBmp bmp;
    struct Case {
        Bytes data;
        int code;
        const char* text;
    };
    const Case cases[] = {
        {header({}), PL_ERRUNKNOWN_FILE_TYPE, "Decoder error: Unknown file type.\n"},
        {header({'8', 'B', 'P', 'S'}), PL_ERRFORMAT_NOT_SUPPORTED, "Decoder error: This PSD color mode is not supported.\n"},
    };
    for (const Case& c : cases) {
        try {
            DecodeBytes(c.data, bmp);
            ADD_FAILURE();
        } catch (const PLTextException& e) {
            EXPECT_EQ(e.GetCode(), c.code);
            EXPECT_STREQ(e.GetText(), c.text);
        }
    }
}

TEST(FrontEnd, RequestedDepth)
{
    const Bytes bmp24 = FixtureBytes("bmp24.bmp");
    const Bytes bmp8 = FixtureBytes("bmp8.bmp");
    PLAnyBmp bmp;
    EXPECT_EQ(ErrorCodeOf([&] { DecodeBytes(bmp24, bmp, 8); }), PL_ERRFORMAT_NOT_SUPPORTED);
    DecodeBytes(bmp8, bmp, 32);
    EXPECT_EQ(bmp.GetBitsPerPixel(), 32);
    EXPECT_EQ(RgbaOf(bmp), FixtureBytes("bmp8.bmp.rgba"));
    DecodeBytes(bmp8, bmp, 8);
    EXPECT_EQ(bmp.GetBitsPerPixel(), 8);
}

TEST(FrontEnd, FileErrorsCarryTheSourcesCode)
{
    TempFolder folder;
    PLAnyPicDecoder decoder;
    PLAnyBmp bmp;
    try {
        decoder.MakeBmpFromFile(folder.Path("none.bmp").c_str(), &bmp);
        FAIL();
    } catch (const PLTextException& e) {
        EXPECT_EQ(e.GetCode(), PL_ERRFILE_NOT_FOUND);
        EXPECT_EQ(std::string(e.GetText()), "Decoder error: Opening " + folder.Path("none.bmp") + " failed\n");
    }
    const Bytes png = FixtureBytes("rgba.png");
    const std::string path = folder.Write("ok.png", std::string(png.begin(), png.end()));
    const std::wstring wide(path.begin(), path.end());
    decoder.MakeBmpFromFileW(wide.c_str(), &bmp);
    EXPECT_EQ(RgbaOf(bmp), FixtureBytes("rgba.png.rgba"));
}

TEST(FrontEnd, ResourcesDecodeByNumberAndTypeAndAMissingOneCarriesCodeFour)
{
    const Bytes png = FixtureBytes("rgba.png");
    RegisterBinaryResource(ResourceKind::Data, 31501, png);
    PLAnyPicDecoder decoder;
    PLAnyBmp bmp;
    decoder.MakeBmpFromResource(nullptr, 31501, &bmp);
    EXPECT_EQ(RgbaOf(bmp), FixtureBytes("rgba.png.rgba"));
    try {
        decoder.MakeBmpFromResource(nullptr, 31501, &bmp, 0, nullptr, PLResourceSource::Bitmap);
        FAIL();
    } catch (const PLTextException& e) {
        EXPECT_EQ(e.GetCode(), PL_ERRFILE_NOT_FOUND);
        EXPECT_EQ(std::string(e.GetText()), "Decoder error: Opening resource 31501 failed\n");
    }
}

TEST(FrontEnd, TraceWritesUpToItsLevel)
{
    TempFolder folder;
    const std::string log = folder.Path("trace.txt");
    PLPicDecoder::SetTraceConfig(2, log.c_str());
    PLAnyBmp bmp;
    DecodeBytes(FixtureBytes("bmp8.bmp"), bmp);
    PLPicDecoder::SetTraceConfig(0, nullptr);
    const std::string text = ReadFile(log);
    EXPECT_NE(text.find("--- Decoding from memory at "), std::string::npos);
    EXPECT_NE(text.find("Windows bitmap recognized.\n"), std::string::npos);
    EXPECT_NE(text.find("Decoding uncompressed 8 bit per pixel bitmap.\n"), std::string::npos);
    EXPECT_EQ(text.find("Reading palette.\n"), std::string::npos); // level 3
}

TEST(FrontEnd, PackBits)
{
    struct Case {
        Bytes packed;
        int rowBytes;
        Bytes row;
        int code;
    };
    const Case cases[] = {
        {{2, 'a', 'b', 'c', 0xFE, 'x', 0x80, 1, 'y', 'z'}, 8, {'a', 'b', 'c', 'x', 'x', 'x', 'y', 'z'}, 0},
        {{0x80, 0x80, 0xF9, 'q'}, 8, {'q', 'q', 'q', 'q', 'q', 'q', 'q', 'q'}, 0},
        {{'r', 'a', 'w'}, 3, {'r', 'a', 'w'}, 0},
        {{0xF0, 'q'}, 8, {}, PL_ERRINTERNAL},     // 17 bytes into 8
        {{7, 'a', 'b'}, 8, {}, PL_ERRINTERNAL},   // literal longer than the data
        {{0xFE}, 8, {}, PL_ERRINTERNAL},          // repeat without its byte
    };
    for (const Case& c : cases) {
        PLMemSource source;
        source.OpenSource(c.packed.data(), static_cast<int>(c.packed.size()));
        Bytes row(c.rowBytes, 0);
        const uint8_t* result = nullptr;
        EXPECT_EQ(ErrorCodeOf([&] {
                      result = PLPicDecoder::UnpackPackBits(row.data(), &source, c.rowBytes,
                                                            static_cast<int>(c.packed.size()));
                  }),
                  c.code);
        if (c.code == 0) {
            EXPECT_EQ(Bytes(result, result + c.rowBytes), c.row);
        }
    }
}

// Literals of every length from 1 to 128 and runs from 2 to 128, one after the other, in
// bytes and in 16-bit units; the last run ends right at the row's end.
TEST(FrontEnd, PackBitsOfEveryLength)
{
    for (const int unit : {1, 2}) {
        Bytes packed, row;
        for (int length = 1; length <= 128; ++length) {
            packed.push_back(uint8_t(length - 1));
            for (int i = 0; i < length * unit; ++i)
                packed.push_back(uint8_t(length + i * 7));
            row.insert(row.end(), packed.end() - length * unit, packed.end());
            if (length == 1)
                continue;
            packed.push_back(uint8_t(257 - length));
            for (int i = 0; i < unit; ++i)
                packed.push_back(uint8_t(255 - length - i));
            for (int i = 0; i < length; ++i)
                row.insert(row.end(), packed.end() - unit, packed.end());
        }
        Bytes out(row.size(), 0xEE);
        const PLPackBitsResult r = PLExpandPackBits(packed.data(), int(packed.size()), out.data(), int(out.size()), unit);
        EXPECT_EQ(out, row) << unit;
        EXPECT_EQ(r.used, int(packed.size())) << unit;
        EXPECT_FALSE(r.overrun) << unit;
    }
}

// A row the packed data leaves short, or that a run would pass, is cleared past what was
// written, never past its end.
TEST(FrontEnd, PackBitsClearsAShortRow)
{
    struct Case {
        const char* what;
        Bytes packed;
        Bytes row;
        bool overrun;
    };
    const Case cases[] = {
        {"data ends", {2, 'a', 'b', 'c', 0xFD, 'x'}, {'a', 'b', 'c', 'x', 'x', 'x', 'x', 0, 0, 0}, false},
        {"run passes the row", {0, 'a', 0xF0, 'x'}, {'a', 0, 0, 0, 0, 0, 0, 0, 0, 0}, true},
        {"literal passes the data", {1, 'a', 'b', 9, 'c'}, {'a', 'b', 0, 0, 0, 0, 0, 0, 0, 0}, true},
    };
    for (const Case& c : cases) {
        Bytes out(c.row.size() + 1, 0xEE);
        const PLPackBitsResult r =
            PLExpandPackBits(c.packed.data(), int(c.packed.size()), out.data(), int(c.row.size()));
        EXPECT_EQ(Bytes(out.begin(), out.end() - 1), c.row) << c.what;
        EXPECT_EQ(out.back(), 0xEE) << c.what;
        EXPECT_EQ(r.overrun, c.overrun) << c.what;
    }
}

} // namespace
