#include "ExifBuilder.h"

#include "piclib/common/PLExifData.h"

#include <gtest/gtest.h>

#include <map>

namespace {

const std::string NikonHeader("Nikon\0\x02\x10", 8);
const std::string OlympusHeader("OLYMP\0\x01\0", 8);
const std::string FujifilmHeader("FUJIFILM\x0C\0\0\0", 12);

struct NoteCase {
    const char* name;
    const char* make;
    const char* model;
    std::function<void(ExifIfd& sub)> note;
    std::map<std::string, std::string> shown;
    std::vector<std::string> absent;
    size_t makerEntries;
};

void PrintTo(const NoteCase& c, std::ostream* os)
{
    *os << c.name;
}

class ExifMakerNote : public testing::TestWithParam<NoteCase> { };

// Display texts of maker keys in blocks of both byte orders.
TEST_P(ExifMakerNote, Layouts)
{
    const NoteCase& c = GetParam();
    for (const bool bigEndian : { false, true }) {
        ExifBuilder b;
        b.main.Ascii(0x010F, c.make).Ascii(0x0110, c.model);
        b.sub.Rational(0x829D, { { 28, 10 } });
        c.note(b.sub);
        MarkerList markers;
        markers.Add(JPEG_APP0 + 1, b.Build(bigEndian));
        PLExifData exif;
        exif.ReadFromMarkers(markers.Head());
        for (const auto& [key, text] : c.shown) {
            const auto entry = exif.GetEntry(key);
            ASSERT_TRUE(entry) << key << (bigEndian ? " MM" : " II");
            EXPECT_EQ(entry->GetDisplayText(), text) << key;
        }
        for (const std::string& key : c.absent)
            EXPECT_FALSE(exif.GetEntry(key)) << key;
        EXPECT_EQ(exif.GetMakerEntries().size(), c.makerEntries);
        ASSERT_TRUE(exif.GetEntry("Sub.FStop"));
        EXPECT_EQ(exif.GetEntry("Sub.FStop")->GetDisplayText(), "f2.8");
        EXPECT_EQ(exif.IsBigEndian(), bigEndian);
    }
}

ExifIfd NikonDirectory()
{
    ExifIfd d;
    d.Ascii(0x0003, "COLOR")
        .Ascii(0x0004, "FINE ")
        .Rational(0x0085, { { 15, 10 } })
        .Rational(0x0086, { { 2, 1 } });
    return d;
}

ExifIfd Nikon2Directory()
{
    ExifIfd d;
    d.Short(0x0003, { 5 }).Short(0x0007, { 4 }).Short(0x000B, { 1 }).Rational(0x000A, { { 15, 10 } });
    return d;
}

ExifIfd CanonDirectory(int settings)
{
    std::vector<uint32_t> set1(settings, 0);
    set1[1] = 1;
    set1[4] = 3;
    set1[10 % settings] = 2;
    if (settings > 0x1D)
        set1[0x1D] = (1 << 14) | (1 << 11);
    std::vector<uint32_t> set2(20, 0);
    set2[7] = 4;
    set2[14] = 0x3001;
    set2[15] = 65484;
    ExifIfd d;
    d.Short(0x0001, set1).Short(0x0004, set2).Long(0x0008, { 1001234 }).Long(0x000C, { 0x0001E240 });
    // Length 8 bytes: three functions after it, the middle one without a number; the
    // element past the length is not read.
    d.Short(0x000F, { 8, 0x0101, 0x0005, 0x0E05, 0x0201 });
    return d;
}

ExifIfd FujifilmDirectory()
{
    ExifIfd d;
    d.Ascii(0x1000, "NORMAL ")
        .Short(0x1001, { 3 })
        .Rational(0x1011, { { uint32_t(-1), 3 } }, 10)
        .Short(0x1002, { 768 });
    return d;
}

ExifIfd CasioDirectory()
{
    ExifIfd d;
    d.Short(0x0004, { 4 }).Short(0x0014, { 1 }).Short(0x0019, { 100 }).Short(0x0101, { uint16_t(-2) }, 8);
    d.Long(0x000A, { 65537 });
    return d;
}

INSTANTIATE_TEST_SUITE_P(Makers, ExifMakerNote,
    testing::Values(NoteCase { "NikonPlain", "NIKON CORPORATION", "E995",
                        [](ExifIfd& s) { s.Note(0x927C, "", NikonDirectory()); },
                        { { "Nikon.Color", "Color" }, { "Nikon.Quality", "Fine" },
                            { "Nikon.ManFocus", "1.5 m" }, { "Nikon.DigZoom", "2 x" } },
                        { "Nikon2.Quality" }, 4 },
        NoteCase { "NikonWithHeader", "nikon", "D1",
            [](ExifIfd& s) { s.Note(0x927C, NikonHeader, Nikon2Directory()); },
            { { "Nikon2.Quality", "SXGA Normal" }, { "Nikon2.WhiteBal", "Flourescent" },
                { "Nikon2.Converter", "Fisheye" }, { "Nikon2.DigZoom", "1.5 x" } },
            { "Nikon.Quality" }, 4 },
        NoteCase { "Olympus", "OLYMPUS OPTICAL CO.,LTD", "C2000Z",
            [](ExifIfd& s) {
                ExifIfd d;
                d.Short(0x0201, { 3 })
                    .Short(0x1004, { 2 })
                    .Rational(0x0204, { { 0, 1 } })
                    .Ascii(0x0209, "ID");
                s.Note(0x927C, OlympusHeader, d);
            },
            { { "Oly.Quality", "SHQ" }, { "Oly.Flash", "Fill" }, { "Oly.DigZoom", "0 x" },
                { "Oly.CameraID", "ID" } },
            {}, 4 },
        NoteCase { "MakeMatchedAsLowercasedSubstring", "Made by Olympus", "x",
            [](ExifIfd& s) {
                ExifIfd d;
                d.Short(0x0202, { 1 });
                s.Note(0x927C, OlympusHeader, d);
            },
            { { "Oly.Macro", "Macro" } }, {}, 1 },
        NoteCase { "Canon", "Canon", "Canon EOS D30",
            [](ExifIfd& s) { s.Note(0x927C, "", CanonDirectory(32)); },
            { { "Canon.ImageNo", "100-1234" }, { "Canon.SerialNo", "000157920" }, { "CnSet1.Macro", "Macro" },
                { "CnSet1.Flash", "Red-eye" }, { "CnSet1.ImgSize", "Small" }, { "CnSet1.Contrast", "Normal" },
                { "CnSet1.FlashDet", "External E-TTL FP sync used" }, { "CnSet2.WhiteBal", "Flourescent" },
                { "CnSet2.AF Point", "Centre" }, { "CnSet2.FlashBias", "-1.67 EV" },
                { "CanonCFn.NoiseRed", "On" }, { "CanonCFn.0e", "5" } },
            { "CanonCFn.00", "CanonCFn.Lock" }, 5 + 17 + 5 + 2 },
        NoteCase { "CanonShortSettingArray", "CANON", "x",
            [](ExifIfd& s) { s.Note(0x927C, "", CanonDirectory(10)); },
            { { "CnSet1.Macro", "Macro" }, { "CnSet1.Focus", "One-shot" } },
            { "CnSet1.ImgSize", "CnSet1.Shoot" }, 5 + 4 + 5 + 2 },
        NoteCase { "FujifilmIsAlwaysLittleEndian", "FUJIFILM", "FinePix4900Z",
            [](ExifIfd& s) { s.Note(0x927C, FujifilmHeader, FujifilmDirectory(), true, true); },
            { { "Fuji.Quality", "Normal" }, { "Fuji.Sharpness", "Normal" }, { "Fuji.FlashStrg", "-0.333333" },
                { "Fuji.WhiteBal", "DaylightColor-fluorescent" } },
            {}, 4 },
        NoteCase { "CasioQv2000FlashFixUp", "CASIO", "QV-2000UX",
            [](ExifIfd& s) { s.Note(0x927C, "", CasioDirectory()); },
            { { "Casio.FlashMode", "Red Eye Reduction" }, { "Casio.CCDSense", "High" },
                { "Casio.EVShift", "-0.67 EV" }, { "Casio.DigZoom", "2X" } },
            {}, 5 },
        NoteCase { "CasioOtherModel", "CASIO COMPUTER CO.,LTD", "QV-3000EX",
            [](ExifIfd& s) { s.Note(0x927C, "", CasioDirectory()); }, { { "Casio.FlashMode", "Off" } }, {},
            5 },
        NoteCase { "UnknownMaker", "Pentax", "x", [](ExifIfd& s) { s.Note(0x927C, "", NikonDirectory()); },
            {}, { "Nikon.Color" }, 0 },
        NoteCase { "NoNote", "Canon", "x", [](ExifIfd&) {}, {}, { "Canon.ImageNo" }, 0 }));

TEST(ExifMakerNote, CanonTablesKeepTheirTexts)
{
    ExifBuilder b;
    b.main.Ascii(0x010F, "Canon");
    b.sub.Note(0x927C, "", CanonDirectory(32));
    MarkerList markers;
    markers.Add(JPEG_APP0 + 1, b.Build(false));
    PLExifData exif;
    exif.ReadFromMarkers(markers.Head());
    const auto point = exif.GetEntry("cnset2.af point");
    ASSERT_TRUE(point);
    EXPECT_EQ(point->GetKey(), "CnSet2.AF Point");
    EXPECT_STREQ(point->GetDescription(), "Canon Focus Point");
    EXPECT_EQ(point->GetTag(), 0x0Eu);
    EXPECT_EQ(point->GetFormat(), 3);
    EXPECT_STREQ(exif.GetEntry("CnSet1.Contrast")->GetDescription(), "Canon Contrast Setting");
    EXPECT_STREQ(
        exif.GetEntry("CanonCFn.NoiseRed")->GetDescription(), "Canon CFn 01 Long exp noise reduction");
    EXPECT_EQ(exif.GetEntry("CanonCFn.0e")->GetFormat(), 1);
    EXPECT_EQ(exif.GetEntry("CanonCFn.0e")->GetTag(), 0x0Eu);
}

TEST(ExifMakerNote, DuplicateShortNamesKeepBothAndMapTheLater)
{
    ExifBuilder b;
    b.main.Ascii(0x010F, "Casio");
    b.sub.Note(0x927C, "", CasioDirectory());
    MarkerList markers;
    markers.Add(JPEG_APP0 + 1, b.Build(true));
    PLExifData exif;
    exif.ReadFromMarkers(markers.Head());
    std::vector<uint32_t> tags;
    for (const auto& e : exif.GetMakerEntries())
        if (e->GetKey() == "Casio.CCDSense")
            tags.push_back(e->GetTag());
    EXPECT_EQ(tags, (std::vector<uint32_t> { 0x0014, 0x0019 }));
    EXPECT_EQ(exif.GetEntry("Casio.CCDSense")->GetTag(), 0x0019u);
    EXPECT_STREQ(exif.GetEntry("Casio.CCDSense")->GetDescription(), "Casio CCD Sensitivity");
}

struct BrokenNote {
    const char* name;
    const char* make;
    std::function<void(ExifIfd& sub)> note;
    std::vector<std::string> kept;
};

void PrintTo(const BrokenNote& c, std::ostream* os)
{
    *os << c.name;
}

class ExifBrokenMakerNote : public testing::TestWithParam<BrokenNote> { };

// The picture's other entries, and the maker entries before the fault, survive.
TEST_P(ExifBrokenMakerNote, LeavesTheRestIntact)
{
    const BrokenNote& c = GetParam();
    for (const bool bigEndian : { false, true }) {
        ExifBuilder b;
        b.main.Ascii(0x010F, c.make).Short(0x0112, { 3 });
        b.sub.Rational(0x829D, { { 28, 10 } });
        c.note(b.sub);
        MarkerList markers;
        markers.Add(JPEG_APP0 + 1, b.Build(bigEndian));
        PLExifData exif;
        EXPECT_NO_THROW(exif.ReadFromMarkers(markers.Head()));
        EXPECT_EQ(exif.GetEntry("Main.Ori")->GetIntValue(), 3);
        EXPECT_EQ(exif.GetEntry("Sub.FStop")->GetDisplayText(), "f2.8");
        EXPECT_TRUE(exif.GetEntry("Sub.Maker"));
        for (const std::string& key : c.kept)
            EXPECT_TRUE(exif.GetEntry(key)) << key;
        EXPECT_EQ(exif.IsBigEndian(), bigEndian);
        for (const auto& e : exif.GetAllEntries())
            EXPECT_FALSE(e->GetValueBytes()) << e->GetKey();
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ExifBrokenMakerNote,
    testing::Values(
        BrokenNote { "CountPastTheBlock", "Canon",
            [](ExifIfd& s) {
                ExifIfd d;
                d.Short(0x0004, { 0, 0, 0, 0, 0, 0, 0, 1 }).Short(0x0006, { 7 }).DeclareCount(5000);
                s.Note(0x927C, "", d);
            },
            { "Canon.CnSet2", "Canon.ImageType" } },
        BrokenNote { "ValueOffsetOutside", "Casio",
            [](ExifIfd& s) {
                ExifIfd d;
                d.Short(0x0004, { 4 }).Raw(0x0008, 2, 100, 0x00FF0000);
                s.Note(0x927C, "", d);
            },
            { "Casio.FlashMode" } },
        BrokenNote { "BadFormat", "Olympus",
            [](ExifIfd& s) {
                ExifIfd d;
                d.Short(0x0201, { 1 }).Raw(0x0202, 77, 1, 0);
                s.Note(0x927C, OlympusHeader, d);
            },
            { "Oly.Quality" } },
        BrokenNote { "NikonNoteTooShortForItsHeader", "Nikon",
            [](ExifIfd& s) {
                s.Undefined(0x927C, { 'N', 'i', 'k' });
            },
            {} },
        BrokenNote { "OlympusNoteWithoutDirectory", "Olympus",
            [](ExifIfd& s) {
                s.Undefined(0x927C, { 'O', 'L', 'Y', 'M', 'P', 0, 1, 0 });
            },
            {} },
        BrokenNote { "FujifilmOffsetOutside", "Fujifilm",
            [](ExifIfd& s) {
                ExifIfd d;
                d.Short(0x1001, { 3 }).Raw(0x1000, 2, 50, 0x00100000);
                s.Note(0x927C, FujifilmHeader, d, true, true);
            },
            { "Fuji.Sharpness" } },
        BrokenNote { "CanonSettingsOfAnotherFormat", "Canon",
            [](ExifIfd& s) {
                ExifIfd d;
                d.Long(0x0001, { 1, 1, 1, 1, 1, 1 }).Ascii(0x000F, "xy");
                s.Note(0x927C, "", d);
            },
            { "Canon.CnSet1", "Canon.CustomFnc" } },
        BrokenNote { "CanonCustomLengthBeyondArray", "Canon",
            [](ExifIfd& s) {
                ExifIfd d;
                d.Short(0x000F, { 0xFFFF, 0x0101 });
                s.Note(0x927C, "", d);
            },
            { "CanonCFn.NoiseRed" } }));

// Any byte of a note changed: the picture's Exif data still reads.
TEST(ExifMakerNote, CorruptedNotes)
{
    const struct {
        const char* make;
        std::string header;
        ExifIfd dir;
        bool relative;
    } notes[] = { { "Canon", "", CanonDirectory(32), false },
        { "Nikon", NikonHeader, Nikon2Directory(), false },
        { "Fujifilm", FujifilmHeader, FujifilmDirectory(), true }, { "Casio", "", CasioDirectory(), false } };
    for (const auto& n : notes)
        for (const bool bigEndian : { false, true }) {
            ExifBuilder b;
            b.main.Ascii(0x010F, n.make);
            b.sub.Note(0x927C, n.header, n.dir, n.relative, n.relative);
            const std::vector<uint8_t> full = b.Build(bigEndian);
            const size_t noteStart = full.size() - n.header.size() - n.dir.Size();
            for (size_t i = noteStart; i < full.size(); ++i)
                for (const uint8_t value : { 0x00, 0x7F, 0xFF }) {
                    std::vector<uint8_t> bytes = full;
                    bytes[i] = value;
                    MarkerList markers;
                    markers.Add(JPEG_APP0 + 1, bytes);
                    PLExifData exif;
                    EXPECT_NO_THROW(exif.ReadFromMarkers(markers.Head())) << n.make << " byte " << i;
                    EXPECT_TRUE(exif.GetEntry("Main.Make"));
                    EXPECT_TRUE(exif.GetEntry("Sub.Maker"));
                }
        }
}

} // namespace
