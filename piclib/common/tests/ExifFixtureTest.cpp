#include "ErrorCode.h"
#include "ExifBuilder.h"
#include "Fixtures.h"

#include "piclib/common/PLExifData.h"
#include "piclib/common/PLJPEGDecoder.h"
#include "piclib/common/PLJPEGEncoder.h"
#include "piclib/common/PLMemSink.h"
#include "piclib/common/PLMemSource.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using Bytes = std::vector<uint8_t>;
using Texts = std::map<std::string, std::string>;

// Decodes a whole JPEG and keeps its Exif data.
class Decoded {
public:
    explicit Decoded(const Bytes& bytes)
    {
        PLMemSource source;
        EXPECT_EQ(source.OpenSource(bytes.data(), static_cast<int>(bytes.size())), 0);
        decoder.Attach(&source);
        decoder.Open(&source);
        decoder.MakeBmp(&bmp, 0);
        exif = decoder.TakeExifData();
        decoder.Detach();
        decoder.Close();
    }

    PLJPEGDecoder decoder;
    PLAnyBmp bmp;
    std::unique_ptr<PLExifData> exif;
};

Texts DisplayTexts(const PLExifData& exif)
{
    Texts texts;
    for (const auto& e : exif.GetAllEntries())
        texts[e->GetKey()] = e->GetDisplayText();
    return texts;
}

// What the fixture script wrote, as the reader presents it.
const Texts FixtureTexts = {
    { "Main.Make", "Canon" },
    { "Main.Model", "Canon PowerShot S40" },
    { "Main.Ori", "6" },
    { "Main.XRes", "180/1" },
    { "Main.ResUnit", "inch" },
    { "Main.Software", "Vantrel 1.0" },
    { "Sub.Shutter", "1/250 s" },
    { "Sub.FStop", "f2.8" },
    { "Sub.Prog", "Program" },
    { "Sub.Iso", "200" },
    { "Sub.ExifVer", "0232" },
    { "Sub.OrigTime", "2024:05:06 07:08:09" },
    { "Sub.CompConfig", "YCbCr" },
    { "Sub.Shuttera", "1/125 s" },
    { "Sub.Aperturea", "f2.8" },
    { "Sub.Expbiasa", "-0.666667" },
    { "Sub.Meter", "Multi-segment" },
    { "Sub.Lights", "99" },
    { "Sub.Flash", "No forced" },
    { "Sub.Focal", "7 mm" },
    // The comment's character-set field ends at a zero byte, and so does the text.
    { "Sub.User", "ASCII" },
    { "Sub.Flashpix", "0100" },
    { "Sub.ColorSpace", "Uncalibrated" },
    { "Sub.FPResUnit", "inch" },
};

class ExifFixture : public testing::TestWithParam<const char*> { };

TEST_P(ExifFixture, TagsWrittenByAnotherTool)
{
    const Decoded d(FixtureBytes(GetParam()));
    ASSERT_TRUE(d.exif);
    const Texts texts = DisplayTexts(*d.exif);
    for (const auto& [key, text] : FixtureTexts) {
        ASSERT_TRUE(texts.count(key)) << key;
        EXPECT_EQ(texts.at(key), text) << key;
    }
    EXPECT_TRUE(d.exif->GetMakerEntries().empty());
    EXPECT_EQ(d.bmp.GetWidth(), 16);
}

INSTANTIATE_TEST_SUITE_P(Files, ExifFixture, testing::Values("exif-II.jpg", "exif-MM.jpg", "exif-xmp.jpg"));

TEST(ExifFixture, ByteOrderTwinsAgree)
{
    const Decoded little(FixtureBytes("exif-II.jpg"));
    const Decoded big(FixtureBytes("exif-MM.jpg"));
    EXPECT_FALSE(little.exif->IsBigEndian());
    EXPECT_TRUE(big.exif->IsBigEndian());
    EXPECT_EQ(DisplayTexts(*little.exif), DisplayTexts(*big.exif));
    EXPECT_EQ(little.exif->GetAllEntries().size(), big.exif->GetAllEntries().size());
}

TEST(ExifFixture, APictureWithoutExif)
{
    const Decoded d(FixtureBytes("colour.jpg"));
    ASSERT_TRUE(d.exif);
    EXPECT_EQ(d.exif->GetBlockLength(), 0u);
    EXPECT_TRUE(d.exif->GetAllEntries().empty());
}

TEST(ExifFixture, TheDecoderHoldsExifFromOpenToClose)
{
    const Bytes bytes = FixtureBytes("exif-MM.jpg");
    PLMemSource source;
    source.OpenSource(bytes.data(), static_cast<int>(bytes.size()));
    PLJPEGDecoder decoder;
    EXPECT_FALSE(decoder.GetExifData());
    decoder.Attach(&source);
    decoder.Open(&source);
    PLAnyBmp bmp;
    decoder.MakeBmp(&bmp, 0);
    ASSERT_TRUE(decoder.GetExifData());
    EXPECT_EQ(decoder.GetExifData()->GetEntry("main.model")->GetValueText(), "Canon PowerShot S40");
    decoder.Detach();
    decoder.Close();
    EXPECT_FALSE(decoder.GetExifData());
}

Bytes Encode(PLJPEGEncoder& encoder, PLBmp& bmp, int capacity = 100000)
{
    PLMemSink sink;
    EXPECT_EQ(sink.Open("out", capacity), 0);
    encoder.SaveBmp(&bmp, &sink);
    return Bytes(sink.GetBytes(), sink.GetBytes() + sink.GetDataSize());
}

TEST(ExifFixture, ReEncodingKeepsTheExifBlock)
{
    for (const char* name : { "exif-II.jpg", "exif-MM.jpg" }) {
        Decoded original(FixtureBytes(name));
        const Bytes block(
            original.exif->GetBlock(), original.exif->GetBlock() + original.exif->GetBlockLength());
        const Texts texts = DisplayTexts(*original.exif);
        PLJPEGEncoder encoder;
        encoder.SetExifData(std::move(original.exif));
        const Decoded again(Encode(encoder, original.bmp));
        ASSERT_EQ(again.exif->GetBlockLength(), block.size()) << name;
        EXPECT_TRUE(std::equal(block.begin(), block.end(), again.exif->GetBlock()));
        EXPECT_EQ(DisplayTexts(*again.exif), texts);
    }
}

// The block follows libjpeg's JFIF marker as one APP1 marker, byte for byte.
TEST(ExifFixture, TheEncoderWritesTheBlockAfterTheJfifMarker)
{
    Decoded original(FixtureBytes("exif-MM.jpg"));
    const Bytes block(original.exif->GetBlock(), original.exif->GetBlock() + original.exif->GetBlockLength());
    PLJPEGEncoder encoder;
    encoder.SetExifData(std::move(original.exif));
    const Bytes out = Encode(encoder, original.bmp);
    constexpr size_t App1 = 2 + 18;
    ASSERT_GT(out.size(), App1 + 4 + block.size());
    EXPECT_EQ(Bytes(out.begin(), out.begin() + 4), (Bytes { 0xFF, 0xD8, 0xFF, 0xE0 }));
    const size_t length = block.size() + 2;
    EXPECT_EQ(Bytes(out.begin() + App1, out.begin() + App1 + 4),
        (Bytes { 0xFF, 0xE1, uint8_t(length >> 8), uint8_t(length & 0xFF) }));
    EXPECT_TRUE(std::equal(block.begin(), block.end(), out.begin() + App1 + 4));
    EXPECT_EQ(out[App1 + 4 + block.size()], 0xFF);
}

// A failed encode frees the Exif data; the next picture does not inherit it.
TEST(ExifFixture, AFailedEncodeDropsTheExifData)
{
    Decoded original(FixtureBytes("exif-II.jpg"));
    PLJPEGEncoder encoder;
    encoder.SetExifData(std::move(original.exif));
    EXPECT_EQ(ErrorCodeOf([&] { Encode(encoder, original.bmp, 300); }), 11);
    const Decoded again(Encode(encoder, original.bmp));
    EXPECT_EQ(again.exif->GetBlockLength(), 0u);
}

struct Damage {
    const char* name;
    size_t offset; // from the TIFF header
    Bytes bytes;
    int code;
};

void PrintTo(const Damage& c, std::ostream* os)
{
    *os << c.name;
}

class ExifDamagedFile : public testing::TestWithParam<Damage> { };

// Offsets inside exif-II.jpg: SOI, the 18-byte APP0, the APP1 header and "Exif\0\0".
constexpr size_t TiffHeader = 2 + 18 + 4 + 6;

// The Exif reader refuses the damaged block (code 14); the picture itself still decodes.
TEST_P(ExifDamagedFile, PictureDecodesDespiteDamagedExif)
{
    const Damage& c = GetParam();
    Bytes bytes = FixtureBytes("exif-II.jpg");
    std::copy(c.bytes.begin(), c.bytes.end(), bytes.begin() + static_cast<ptrdiff_t>(TiffHeader + c.offset));
    const size_t app1Length = (size_t(bytes[TiffHeader - 8]) << 8 | bytes[TiffHeader - 7]) - 2;
    const auto app1 = bytes.begin() + static_cast<ptrdiff_t>(TiffHeader - 6);
    MarkerList markers;
    markers.Add(JPEG_APP0 + 1, Bytes(app1, app1 + static_cast<ptrdiff_t>(app1Length)));
    PLExifData exif;
    EXPECT_EQ(ErrorCodeOf([&] { exif.ReadFromMarkers(markers.Head()); }), c.code);
    PLAnyBmp bmp;
    EXPECT_EQ(ErrorCodeOf([&] { DecodeBytes(bytes, bmp); }), 0);
    EXPECT_EQ(bmp.GetWidth(), 16);
}

INSTANTIATE_TEST_SUITE_P(Cases, ExifDamagedFile,
    testing::Values(Damage { "ByteOrderMark", 0, { 'I', 'I' }, 0 },
        Damage { "MainDirectoryOutside", 4, { 0xF0, 0xFF, 0, 0 }, 14 },
        Damage { "MainCountTooLarge", 8, { 0xFF, 0x7F }, 14 },
        Damage { "MainFormatUnknown", 12, { 0x00, 0x00 }, 14 }));

} // namespace
