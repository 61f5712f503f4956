#include "ErrorCode.h"
#include "ExifBuilder.h"

#include "piclib/common/PLExifData.h"
#include "piclib/common/PLTextException.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

std::unique_ptr<PLExifData> ReadPayload(const std::vector<uint8_t>& payload)
{
    MarkerList markers;
    markers.Add(JPEG_APP0 + 1, payload);
    auto exif = std::make_unique<PLExifData>();
    exif->ReadFromMarkers(markers.Head());
    return exif;
}

using EntryTexts = std::vector<std::tuple<std::string, std::string, std::string>>;

EntryTexts TextsOf(const PLExifData::EntryList& entries)
{
    EntryTexts texts;
    for (const auto& e : entries)
        texts.emplace_back(e->GetKey(), e->GetValueText(), e->GetDisplayText());
    return texts;
}

// Main and sub tags of every format, a maker note and a tag no table knows.
ExifBuilder RichBlock()
{
    ExifBuilder b;
    b.main.Ascii(0x010F, "Canon").Ascii(0x0110, "Canon PowerShot").Short(0x0112, { 1 });
    b.main.Rational(0x011A, { { 72, 1 } }).Short(0x0128, { 2 }).Ascii(0x0132, "2024:05:06 07:08:09");
    b.sub.Rational(0x829A, { { 1, 250 } }).Rational(0x829D, { { 28, 10 } }).Short(0x8827, { 200 });
    b.sub.Undefined(0x9000, { '0', '2', '2', '0' }).Undefined(0x9101, { 1, 2, 3, 0 });
    b.sub.Rational(0x9201, { { 7, 1 } }, 10)
        .Rational(0x9204, { { uint32_t(-2), 3 } }, 10)
        .Short(0x9207, { 5 });
    b.sub.Rational(0x920A, { { 70, 10 } })
        .Short(0xA001, { 65535 })
        .Long(0xA002, { 640 })
        .Short(0xA420, { 1, 2, 3 });
    b.sub.Short(0x9999, { uint16_t(-7) }, 8)
        .Long(0x999A, { uint32_t(-70000) }, 9)
        .Add(0x999B, 6, 2, { 0xFE, 0x05 });
    ExifIfd canon;
    canon.Short(0x0001, { 0, 1, 0, 0, 3 }).Long(0x0008, { 1001234 }).Ascii(0x0009, "Owner");
    b.sub.Note(0x927C, "", canon);
    return b;
}

TEST(ExifReader, BigAndLittleEndianTwinsGiveTheSameEntries)
{
    const ExifBuilder block = RichBlock();
    const auto little = ReadPayload(block.Build(false));
    const auto big = ReadPayload(block.Build(true));
    EXPECT_FALSE(little->IsBigEndian());
    EXPECT_TRUE(big->IsBigEndian());
    // The note's own value is its raw bytes, in the order of the file.
    const auto withoutNote = [](const PLExifData& exif) {
        EntryTexts texts = TextsOf(exif.GetAllEntries());
        std::erase_if(texts, [](const auto& t) { return std::get<0>(t) == "Sub.Maker"; });
        return texts;
    };
    EXPECT_EQ(withoutNote(*little), withoutNote(*big));
    EXPECT_EQ(TextsOf(little->GetMakerEntries()), TextsOf(big->GetMakerEntries()));
    EXPECT_EQ(little->GetMainEntries().size(), 7u);
    EXPECT_EQ(little->GetSubEntries().size(), 16u);
    EXPECT_EQ(little->GetMakerEntries().size(), 5u);
    for (const auto& e : big->GetAllEntries())
        EXPECT_EQ(big->GetEntry(e->GetKey())->GetRealValue(), little->GetEntry(e->GetKey())->GetRealValue())
            << e->GetKey();
}

TEST(ExifReader, KeysIgnoreCaseAndEntriesOutliveTheReader)
{
    auto exif = ReadPayload(RichBlock().Build(true));
    const auto make = exif->GetEntry("mAIN.mAKE");
    ASSERT_TRUE(make);
    EXPECT_EQ(make, exif->GetEntry("Main.Make"));
    EXPECT_EQ(make->GetKey(), "Main.Make");
    EXPECT_EQ(make->GetLowerKey(), "main.make");
    EXPECT_STREQ(make->GetDescription(), "Camera Make");
    EXPECT_EQ(make->GetTag(), 0x010Fu);
    EXPECT_FALSE(make->GetValueBytes());
    ASSERT_TRUE(exif->GetEntry("Sub.a420"));
    EXPECT_STREQ(exif->GetEntry("sub.A420")->GetDescription(), "");
    EXPECT_FALSE(exif->GetEntry("Main.Model "));
    exif.reset();
    EXPECT_EQ(make->GetValueText(), "Canon");
}

struct FormatCase {
    const char* name;
    std::function<void(ExifIfd&)> add;
    const char* key;
    const char* value;
    const char* display;
};

void PrintTo(const FormatCase& c, std::ostream* os)
{
    *os << c.name;
}

class ExifFormatting : public testing::TestWithParam<FormatCase> { };

TEST_P(ExifFormatting, ValueAndDisplayTexts)
{
    const FormatCase& c = GetParam();
    for (const bool bigEndian : { false, true }) {
        ExifBuilder b;
        b.main.Ascii(0x010E, "x");
        c.add(b.sub);
        const auto exif = ReadPayload(b.Build(bigEndian));
        const auto entry = exif->GetEntry(c.key);
        ASSERT_TRUE(entry) << c.key;
        EXPECT_EQ(entry->GetValueText(), c.value);
        EXPECT_EQ(entry->GetDisplayText(), c.display);
    }
}

std::vector<uint8_t> Counting(int n)
{
    std::vector<uint8_t> bytes(n);
    for (int i = 0; i < n; ++i)
        bytes[i] = static_cast<uint8_t>(0x80 + i);
    return bytes;
}

std::vector<uint32_t> Numbers(int n)
{
    std::vector<uint32_t> values(n);
    for (int i = 0; i < n; ++i)
        values[i] = i + 1;
    return values;
}

using R = std::vector<std::pair<uint32_t, uint32_t>>;

using Adder = std::function<void(ExifIfd&)>;

Adder Rat(uint16_t tag, uint32_t n, uint32_t d, uint16_t format = 5)
{
    return [=](ExifIfd& dir) { dir.Rational(tag, { { n, d } }, format); };
}

Adder Shorts(uint16_t tag, std::vector<uint32_t> values, uint16_t format = 3)
{
    return [=](ExifIfd& dir) { dir.Short(tag, values, format); };
}

// count 0: one component per byte.
Adder Raw(uint16_t tag, uint16_t format, std::vector<uint8_t> bytes, uint32_t count = 0)
{
    return [=](ExifIfd& dir) {
        dir.Add(tag, format, count ? count : static_cast<uint32_t>(bytes.size()), bytes);
    };
}

Adder Text(uint16_t tag, std::string text)
{
    return [=](ExifIfd& dir) { dir.Ascii(tag, text); };
}

// Hex bytes are shown in the file's order: floating-point values are not reordered.
INSTANTIATE_TEST_SUITE_P(Tables, ExifFormatting,
    testing::Values(
        FormatCase { "Exposure1over250", Rat(0x829A, 1, 250), "Sub.Shutter", "1/250 s", "1/250 s" },
        FormatCase { "Exposure10", Rat(0x829A, 10, 1), "Sub.Shutter", "10/1 s", "10 s" },
        FormatCase { "Exposure2over300", Rat(0x829A, 2, 300), "Sub.Shutter", "2/300 s", "1/150 s" },
        FormatCase { "Exposure3over2", Rat(0x829A, 3, 2), "Sub.Shutter", "3/2 s", "1.5 s" },
        FormatCase { "ExposureZero", Rat(0x829A, 0, 0), "Sub.Shutter", "0/0 s", "0/0 s" },
        FormatCase { "FNumber", Rat(0x829D, 28, 10), "Sub.FStop", "28/10", "f2.8" },
        FormatCase { "FNumberRounds", Rat(0x829D, 5657, 1000), "Sub.FStop", "5657/1000", "f5.7" },
        FormatCase { "FNumberZeroDenominator", Rat(0x829D, 28, 0), "Sub.FStop", "28/0", "" },
        FormatCase { "ShutterApex", Rat(0x9201, 6977, 1000, 10), "Sub.Shuttera", "6977/1000", "1/126 s" },
        FormatCase { "ShutterApexZero", Rat(0x9201, 7, 0, 10), "Sub.Shuttera", "7/0", "" },
        FormatCase { "ApertureApex", Rat(0x9202, 3, 1), "Sub.Aperturea", "3/1", "f2.8" },
        FormatCase { "MaxApertureApex", Rat(0x9205, 4, 1), "Sub.Maxapa", "4/1", "f4" },
        FormatCase {
            "BrightnessNegative", Rat(0x9203, uint32_t(-15), 10, 10), "Sub.Brighta", "-15/10", "-1.5" },
        FormatCase { "DecimalSixDigits", Rat(0x9204, 1, 3, 10), "Sub.Expbiasa", "1/3", "0.333333" },
        FormatCase { "FocalWithUnit", Rat(0x920A, 70, 10), "Sub.Focal", "70/10 mm", "7 mm" },
        FormatCase { "DistanceWithUnit", Rat(0x9206, 15, 10), "Sub.Dist", "15/10 m", "1.5 m" },
        FormatCase { "YCbCr", Raw(0x9101, 7, { 1, 2, 3, 0 }), "Sub.CompConfig", "01 02 03 00 ", "YCbCr" },
        FormatCase { "RGB", Raw(0x9101, 7, { 4, 5, 6, 0 }), "Sub.CompConfig", "04 05 06 00 ", "RGB" },
        FormatCase {
            "UnknownComponent", Raw(0x9101, 7, { 1, 7, 0, 0 }), "Sub.CompConfig", "01 07 00 00 ", "Y 07" },
        FormatCase {
            "ColorSpaceName", Shorts(0xA001, { 65535 }), "Sub.ColorSpace", "Uncalibrated", "Uncalibrated" },
        FormatCase { "NoNameForValue", Shorts(0x9208, { 99 }), "Sub.Lights", "99", "99" },
        FormatCase {
            "PlaneUnitMisspelt", Shorts(0xA210, { 4 }), "Sub.FPResUnit", "milimemeter", "milimemeter" },
        FormatCase { "FlashName", Shorts(0x9209, { 16 }), "Sub.Flash", "No forced", "No forced" },
        FormatCase { "TextEscapes", Text(0x9003, "a\tb\r\n\x01\x7F\x80 "), "Sub.OrigTime",
            "a\\tb\\r\\n\\0x01\x7F\\0x80 ", "a\\tb\\r\\n\\0x01\x7F\\0x80" },
        FormatCase { "TextStopsAtZero", Raw(0x9004, 7, { 'a', 'b', 0, 'c' }), "Sub.DigTime", "ab", "ab" },
        FormatCase { "TextWithoutZero", Raw(0x9004, 7, { 'a', 8, 'c' }), "Sub.DigTime", "a\\bc", "a\\bc" },
        FormatCase { "CommentOfZeroAndBinary", Raw(0x9286, 7, { 0, 1, 0xFF, 'A', 0 }), "Sub.User",
            "00 01 ff 41 00 ", "00 01 ff 41 00" },
        FormatCase { "CommentOfZeroAndText", Raw(0x9286, 7, { 0, 'A', 'B', 0, 0 }), "Sub.User", "", "" },
        FormatCase { "HexCutAfter16", Raw(0xA302, 7, Counting(17)), "Sub.CFAPat",
            "80 81 82 83 84 85 86 87 88 89 8a 8b 8c 8d 8e 8f ... ",
            "80 81 82 83 84 85 86 87 88 89 8a 8b 8c 8d 8e 8f ..." },
        FormatCase { "Hex16", Raw(0xA302, 7, Counting(16)), "Sub.CFAPat",
            "80 81 82 83 84 85 86 87 88 89 8a 8b 8c 8d 8e 8f ",
            "80 81 82 83 84 85 86 87 88 89 8a 8b 8c 8d 8e 8f" },
        FormatCase { "ListCutAfter16", Shorts(0xA420, Numbers(20)), "Sub.a420",
            "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 ...", "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 ..." },
        FormatCase { "List16", Shorts(0xA420, Numbers(16)), "Sub.a420",
            "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16", "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16" },
        FormatCase { "RationalList", [](ExifIfd& d) { d.Rational(0xA421, R { { 1, 2 }, { 3, 4 } }); },
            "Sub.a421", "1/2 3/4", "1/2 3/4" },
        FormatCase { "SignedShort", Shorts(0xA422, { uint16_t(-5), 7 }, 8), "Sub.a422", "-5 7", "-5 7" },
        FormatCase { "SignedByte", Raw(0xA423, 6, { 0x80 }), "Sub.a423", "-128", "-128" },
        FormatCase { "UnsignedByte", Raw(0xA424, 1, { 0x80, 0xFF }), "Sub.a424", "128 255", "128 255" },
        FormatCase { "LargestLong", [](ExifIfd& d) { d.Long(0xA425, { 0xFFFFFFFF }); }, "Sub.a425",
            "4294967295", "4294967295" },
        FormatCase { "SignedLong", [](ExifIfd& d) { d.Long(0xA426, { uint32_t(-70000) }, 9); }, "Sub.a426",
            "-70000", "-70000" },
        FormatCase { "FloatAsBytes", Raw(0xA427, 11, { 0, 0, 0x80, 0x3F }, 1), "Sub.a427", "00 00 80 3f ",
            "00 00 80 3f" },
        FormatCase { "DoubleAsBytes", Raw(0xA428, 12, { 0, 0, 0, 0, 0, 0, 0xF0, 0x3F }, 1), "Sub.a428",
            "00 00 00 00 00 00 f0 3f ", "00 00 00 00 00 00 f0 3f" }));

TEST(ExifReader, NumbersOfTheLastComponent)
{
    ExifBuilder b;
    b.main.Rational(0x011A, R { { 1, 2 }, { 7, 2 } })
        .Long(0xA000, { 0xFFFFFFFF })
        .Rational(0x011B, { { 5, 0 } }, 10);
    b.main.Rational(0x0214, { { 0x80000000u, 0xFFFFFFFFu } }, 10);
    const auto exif = ReadPayload(b.Build(false));
    const auto x = exif->GetEntry("Main.XRes");
    EXPECT_EQ(x->GetNumerator(), 7);
    EXPECT_EQ(x->GetDenominator(), 2);
    EXPECT_EQ(x->GetIntValue(), 3);
    EXPECT_DOUBLE_EQ(x->GetRealValue(), 3.5);
    EXPECT_EQ(exif->GetEntry("Main.a000")->GetIntValue(), -1);
    const auto y = exif->GetEntry("Main.YRes");
    EXPECT_EQ(y->GetDenominator(), 0);
    EXPECT_EQ(y->GetIntValue(), 0);
    EXPECT_EQ(exif->GetEntry("Main.RefBW")->GetIntValue(), INT32_MAX);
}

TEST(ExifReader, MarkersChooseTheLastExifBlock)
{
    ExifBuilder first;
    first.main.Ascii(0x010F, "First");
    ExifBuilder second;
    second.main.Ascii(0x010F, "Second");
    MarkerList markers;
    markers.Add(JPEG_APP0 + 1, first.Build(false))
        .Add(JPEG_APP0 + 2, second.Build(false))
        .Add(JPEG_APP0 + 1, second.Build(true))
        .Add(JPEG_APP0 + 1, std::string("http://ns.adobe.com/xap/1.0/\0<x:xmpmeta/>", 41))
        .Add(JPEG_APP0 + 1, std::string("Exif"));
    PLExifData exif;
    exif.ReadFromMarkers(markers.Head());
    ASSERT_TRUE(exif.GetEntry("Main.Make"));
    EXPECT_EQ(exif.GetEntry("Main.Make")->GetValueText(), "Second");
    EXPECT_TRUE(exif.IsBigEndian());
    EXPECT_EQ(exif.GetBlockLength(), second.Build(true).size());
}

TEST(ExifReader, NoExifLeavesTheReaderEmpty)
{
    ExifBuilder b;
    b.main.Ascii(0x010F, "Make");
    MarkerList withExif;
    withExif.Add(JPEG_APP0 + 1, b.Build(true));
    PLExifData exif;
    exif.ReadFromMarkers(withExif.Head());
    ASSERT_TRUE(exif.IsBigEndian());

    MarkerList others;
    others.Add(JPEG_APP0, std::string("JFIF\0", 5)).Add(JPEG_APP0 + 1, std::string("Exif\0", 5));
    for (jpeg_marker_struct* list : { others.Head(), static_cast<jpeg_marker_struct*>(nullptr) }) {
        exif.ReadFromMarkers(list);
        EXPECT_EQ(exif.GetBlockLength(), 0u);
        EXPECT_EQ(exif.GetBlock(), nullptr);
        EXPECT_TRUE(exif.GetAllEntries().empty());
        EXPECT_FALSE(exif.GetEntry("Main.Make"));
        EXPECT_FALSE(exif.IsBigEndian());
    }
}

TEST(ExifReader, AnUnknownByteOrderMarkReadsLittleEndianAfterABigEndianBlock)
{
    ExifBuilder b;
    b.main.Short(0x0112, { 6 });
    std::vector<uint8_t> odd = b.Build(false);
    odd[6] = 'X';
    odd[7] = 'Y';
    PLExifData exif;
    exif.ReadFromMarkers(MarkerList().Add(JPEG_APP0 + 1, b.Build(true)).Head());
    MarkerList markers;
    markers.Add(JPEG_APP0 + 1, odd);
    exif.ReadFromMarkers(markers.Head());
    EXPECT_FALSE(exif.IsBigEndian());
    ASSERT_TRUE(exif.GetEntry("Main.Ori"));
    EXPECT_EQ(exif.GetEntry("Main.Ori")->GetIntValue(), 6);
}

TEST(ExifReader, ASecondReadStartsAfresh)
{
    ExifBuilder first;
    first.main.Ascii(0x010F, "First").Ascii(0x0110, "Model");
    ExifBuilder second;
    second.main.Ascii(0x010F, "Second");
    PLExifData exif;
    MarkerList a;
    a.Add(JPEG_APP0 + 1, first.Build(false));
    exif.ReadFromMarkers(a.Head());
    MarkerList b;
    b.Add(JPEG_APP0 + 1, second.Build(false));
    exif.ReadFromMarkers(b.Head());
    EXPECT_EQ(exif.GetAllEntries().size(), 1u);
    EXPECT_FALSE(exif.GetEntry("Main.Model"));
}

TEST(ExifReader, DuplicateKeysKeepBothEntriesAndMapTheLater)
{
    ExifBuilder b;
    b.main.Ascii(0x010F, "One").Ascii(0x010F, "Two").Ascii(0x9C9B, "x");
    const auto exif = ReadPayload(b.Build(false));
    EXPECT_EQ(exif->GetMainEntries().size(), 3u);
    EXPECT_EQ(exif->GetEntry("Main.Make")->GetValueText(), "Two");
    EXPECT_TRUE(exif->GetEntry("Main.9c9b"));
}

struct BadCase {
    const char* name;
    std::function<void(ExifBuilder&)> build;
    const char* text;
};

void PrintTo(const BadCase& c, std::ostream* os)
{
    *os << c.name;
}

class ExifMalformed : public testing::TestWithParam<BadCase> { };

// Code 14 with the text; the main entries before the fault stay.
TEST_P(ExifMalformed, RaisesCode14AndKeepsEarlierEntries)
{
    const BadCase& c = GetParam();
    ExifBuilder b;
    b.main.Ascii(0x010F, "Mak");
    c.build(b);
    MarkerList markers;
    markers.Add(JPEG_APP0 + 1, b.Build(false));
    PLExifData exif;
    try {
        exif.ReadFromMarkers(markers.Head());
        FAIL() << "no exception";
    } catch (const PLTextException& e) {
        EXPECT_EQ(e.GetCode(), 14);
        EXPECT_STREQ(e.GetErrorText(), c.text);
    }
    ASSERT_TRUE(exif.GetEntry("Main.Make"));
    EXPECT_EQ(exif.GetEntry("Main.Make")->GetValueText(), "Mak");
    EXPECT_FALSE(exif.GetEntry("Main.Make")->GetValueBytes());
    EXPECT_GT(exif.GetBlockLength(), 0u);
}

constexpr const char* Beyond = "EXIF data reaches beyond the block";

INSTANTIATE_TEST_SUITE_P(Cases, ExifMalformed,
    testing::Values(BadCase { "Format13",
                        [](ExifBuilder& b) {
                            b.main.Add(0x0110, 13, 1, { 1, 2, 3, 4 });
                        },
                        "EXIF Tag format field not understood" },
        BadCase { "Format0", [](ExifBuilder& b) { b.main.Raw(0x0110, 0, 1, 0); },
            "EXIF Tag format field not understood" },
        BadCase { "Bytes65537", [](ExifBuilder& b) { b.main.Raw(0x0110, 1, 65537, 0); },
            "EXIF NoComp field not understood" },
        BadCase { "Size65540", [](ExifBuilder& b) { b.main.Raw(0x0110, 4, 16385, 0); },
            "EXIF NoComp field not understood" },
        BadCase { "HugeCount", [](ExifBuilder& b) { b.main.Raw(0x0110, 5, 0xFFFFFFFF, 0); },
            "EXIF NoComp field not understood" },
        BadCase { "ValueOffsetOutside", [](ExifBuilder& b) { b.main.Raw(0x0110, 2, 10, 0x10000); }, Beyond },
        BadCase { "ValueOffsetWraps", [](ExifBuilder& b) { b.main.Raw(0x0110, 2, 10, 0xFFFFFFFA); }, Beyond },
        BadCase { "ValueRunsPastTheEnd", [](ExifBuilder& b) { b.main.Raw(0x0110, 2, 100, 20); }, Beyond },
        BadCase { "CountPastTheBlock", [](ExifBuilder& b) { b.main.DeclareCount(400); }, Beyond },
        BadCase { "SubOffsetOutside", [](ExifBuilder& b) { b.main.Raw(0x8769, 4, 1, 0x7FFF0000); }, Beyond },
        BadCase { "SubOffsetNegative", [](ExifBuilder& b) { b.main.Raw(0x8769, 9, 1, 0xFFFFFF00); }, Beyond },
        BadCase { "SubEntryBroken", [](ExifBuilder& b) { b.sub.Short(0x8827, { 100 }).Add(1, 99, 1, {}); },
            "EXIF Tag format field not understood" },
        BadCase { "NoteOutside", [](ExifBuilder& b) { b.sub.Raw(0x927C, 7, 100, 0x100000); }, Beyond }));

TEST(ExifReader, ACountOfZeroIsSkipped)
{
    ExifBuilder b;
    b.main.Raw(0x0110, 13, 0, 0xFFFFFFFF).Ascii(0x010F, "Make");
    const auto exif = ReadPayload(b.Build(true));
    EXPECT_EQ(exif->GetAllEntries().size(), 1u);
    EXPECT_FALSE(exif->GetEntry("Main.Model"));
}

TEST(ExifReader, SubEntriesStayWhenALaterSubEntryIsBroken)
{
    ExifBuilder b;
    b.main.Ascii(0x010F, "Make");
    b.sub.Short(0x8827, { 100 }).Raw(0x9003, 2, 40, 0x00FFFFFF);
    PLExifData exif;
    MarkerList markers;
    markers.Add(JPEG_APP0 + 1, b.Build(true));
    EXPECT_EQ(ErrorCodeOf([&] { exif.ReadFromMarkers(markers.Head()); }), 14);
    ASSERT_TRUE(exif.GetEntry("Sub.Iso"));
    EXPECT_EQ(exif.GetEntry("Sub.Iso")->GetIntValue(), 100);
}

// Every cut of a valid block reads or fails with code 14, never outside the block.
TEST(ExifReader, TruncatedBlocks)
{
    for (const bool bigEndian : { false, true }) {
        const std::vector<uint8_t> full = RichBlock().Build(bigEndian);
        for (size_t n = 6; n <= full.size(); ++n) {
            std::vector<uint8_t> cut(full.begin(), full.begin() + static_cast<ptrdiff_t>(n));
            cut.shrink_to_fit();
            MarkerList markers;
            markers.Add(JPEG_APP0 + 1, cut);
            PLExifData exif;
            const int code = ErrorCodeOf([&] { exif.ReadFromMarkers(markers.Head()); });
            EXPECT_TRUE(code == 0 || code == 14) << n;
            EXPECT_EQ(exif.GetBlockLength(), n);
        }
    }
}

// Every single-byte change of a valid block reads or fails with code 14.
TEST(ExifReader, CorruptedBlocks)
{
    const std::vector<uint8_t> full = RichBlock().Build(false);
    for (size_t i = 6; i < full.size(); ++i)
        for (const uint8_t value : { 0x00, 0x7F, 0xFF }) {
            std::vector<uint8_t> bad = full;
            bad[i] = value;
            MarkerList markers;
            markers.Add(JPEG_APP0 + 1, bad);
            PLExifData exif;
            const int code = ErrorCodeOf([&] { exif.ReadFromMarkers(markers.Head()); });
            EXPECT_TRUE(code == 0 || code == 14) << i;
        }
}

} // namespace
