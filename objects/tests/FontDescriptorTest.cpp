#include "objects/FontDescriptor.h"
#include "objects/ShellServices.h"
#include "objects/tests/ArchiveBytes.h"
#include "platform/core/StringTable.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

LOGFONT MakeFont(LONG height, LONG weight, const char* face)
{
    LOGFONT font{};
    font.lfHeight = height;
    font.lfWeight = weight;
    SetFaceName(font, face);
    return font;
}

CFontDescriptor Describe(const LOGFONT& font)
{
    CFontDescriptor descriptor;
    descriptor.GetLogFont() = font;
    return descriptor;
}

CFontDescriptor Loaded(const Bytes& bytes, size_t* consumed = nullptr)
{
    CFontDescriptor font;
    size_t used = LoadBytes(bytes, [&](CArchive& ar) { font.Serialize(ar); });
    if (consumed)
        *consumed = used;
    return font;
}

LOGFONT SampleFont()
{
    LOGFONT font = MakeFont(-11, 400, "Arial");
    font.lfWidth = 7;
    font.lfEscapement = 900;
    font.lfOrientation = 900;
    font.lfItalic = 1;
    font.lfUnderline = 1;
    font.lfStrikeOut = 1;
    font.lfCharSet = 238;
    font.lfOutPrecision = 3;
    font.lfClipPrecision = 2;
    font.lfQuality = 1;
    font.lfPitchAndFamily = 34;
    return font;
}

const Bytes HeadFields = Concat({{0xF5, 0xFF, 0xFF, 0xFF, 0x90, 0x01, 0x00, 0x00, 0x01, 0x01, 0x22}, ShortString("Arial")});
const Bytes CharSetFields = {238, 3, 2, 1};

TEST(FontDescriptor, StoresTheVersionZeroRecord)
{
    CFontDescriptor font = Describe(SampleFont());
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { font.Serialize(ar); }),
              Concat({{0x00, 0xCD, 0xCD, 0xBA}, HeadFields, CharSetFields}));
}

TEST(FontDescriptor, ReadsEveryLayout)
{
    struct Case {
        const char* name;
        Bytes bytes;
        BYTE charSet;
        BYTE quality;
        size_t trailing;
    };
    const Bytes trailer = Dword(0x12345678);
    const Case cases[] = {
        {"tagged", Concat({{0x00, 0xCD, 0xCD, 0xBA}, HeadFields, CharSetFields, trailer}), 238, 1, 4},
        {"tagged, later version", Concat({{0x07, 0xCD, 0xCD, 0xBA}, HeadFields, CharSetFields}), 238, 1, 0},
        {"untagged with section", Concat({HeadFields, Dword(0x22222222), CharSetFields, trailer}), 238, 1, 4},
        {"untagged without section", Concat({HeadFields, trailer}), 0, 0, 4},
        {"untagged at the end of the file", HeadFields, 0, 0, 0},
        {"untagged, near miss", Concat({HeadFields, Dword(0x22222223)}), 0, 0, 4},
    };
    for (const Case& c : cases) {
        size_t consumed = 0;
        LOGFONT font = Loaded(c.bytes, &consumed).GetLogFont();
        EXPECT_EQ(font.lfHeight, -11) << c.name;
        EXPECT_EQ(font.lfWeight, 400) << c.name;
        EXPECT_EQ(font.lfItalic, 1) << c.name;
        EXPECT_EQ(font.lfUnderline, 1) << c.name;
        EXPECT_EQ(font.lfPitchAndFamily, 34) << c.name;
        EXPECT_STREQ(font.lfFaceName, "Arial") << c.name;
        EXPECT_EQ(font.lfCharSet, c.charSet) << c.name;
        EXPECT_EQ(font.lfOutPrecision, c.charSet ? 3 : 0) << c.name;
        EXPECT_EQ(font.lfQuality, c.quality) << c.name;
        EXPECT_EQ(font.lfStrikeOut, 0) << c.name;
        EXPECT_EQ(font.lfWidth, 0) << c.name;
        EXPECT_EQ(font.lfEscapement, 0) << c.name;
        EXPECT_EQ(consumed, c.bytes.size() - c.trailing) << c.name;
    }
}

TEST(FontDescriptor, LongStoredFaceIsCutToFit)
{
    std::string face(40, 'F');
    Bytes bytes = Concat({{0x00, 0xCD, 0xCD, 0xBA}, Dword(12), Dword(400), {0, 0, 0}, ShortString(face.c_str()),
                          CharSetFields});
    LOGFONT font = Loaded(bytes).GetLogFont();
    EXPECT_EQ(std::string(font.lfFaceName), face.substr(0, 31));
}

TEST(FontDescriptor, ParsesTheTextForm)
{
    struct Case {
        const char* text;
        BOOL parsed;
        LONG height;
        LONG weight;
        BYTE outPrecision;
        BYTE pitchAndFamily;
        const char* face;
    };
    const Case cases[] = {
        {"-11,0,0,0,400,0,0,0,0,1,2,1,34,MS Sans Serif", TRUE, -11, 400, 1, 34, "MS Sans Serif"},
        {"-12,0,0,0,400,0,0,0,0,3,2,1,49,", TRUE, -12, 400, 3, 49, ""},
        {"-12,0,0,0,400", FALSE, -12, 400, 0, 0, "400"},
        {"-12,0,0,0,400,0,0,0,0,3,2,1,300,Courier", TRUE, -12, 400, 3, 44, "Courier"},
        {"1,0,0,0,700,0,0,0,0,0,0,0,0,Times, New", TRUE, 1, 700, 0, 0, " New"},
        {"12", FALSE, 12, 0, 0, 0, ""},
        {"", FALSE, 0, 0, 0, 0, ""},
        {",1,2", FALSE, 0, 0, 0, 0, "2"},
        {"1,0,0,0,1,0,0,0,0,0,0,0,0,FaceNameThatIsLongerThanThirtyOneChars", TRUE, 1, 1, 0, 0,
         "FaceNameThatIsLongerThanThirtyO"},
    };
    for (const Case& c : cases) {
        LOGFONT font;
        std::memset(&font, 0x5A, sizeof font);
        EXPECT_EQ(ParseLogFont(&font, c.text), c.parsed) << c.text;
        EXPECT_EQ(font.lfHeight, c.height) << c.text;
        EXPECT_EQ(font.lfWeight, c.weight) << c.text;
        EXPECT_EQ(font.lfOutPrecision, c.outPrecision) << c.text;
        EXPECT_EQ(font.lfPitchAndFamily, c.pitchAndFamily) << c.text;
        EXPECT_STREQ(font.lfFaceName, c.face) << c.text;
    }
}

TEST(FontDescriptor, FormatsWhatItParses)
{
    const char* text = "-11,0,0,0,400,0,0,0,0,1,2,1,34,MS Sans Serif";
    LOGFONT font;
    ASSERT_TRUE(ParseLogFont(&font, text));
    CString formatted;
    FormatLogFont(formatted, &font);
    EXPECT_STREQ(formatted, text);

    LOGFONT sample = SampleFont();
    FormatLogFont(formatted, &sample);
    EXPECT_STREQ(formatted, "-11,7,900,900,400,1,1,1,238,3,2,1,34,Arial");
}

TEST(FontDescriptor, EqualityIgnoresWidthAngleAndFaceCase)
{
    struct Case {
        const char* name;
        void (*change)(LOGFONT&);
        BOOL equal;
    };
    const Case cases[] = {
        {"width", [](LOGFONT& f) { f.lfWidth = 3; }, TRUE},
        {"escapement", [](LOGFONT& f) { f.lfEscapement = 450; }, TRUE},
        {"face case", [](LOGFONT& f) { SetFaceName(f, "ARIAL"); }, TRUE},
        {"underline", [](LOGFONT& f) { f.lfUnderline = 0; }, FALSE},
        {"strike-out", [](LOGFONT& f) { f.lfStrikeOut = 0; }, FALSE},
        {"height", [](LOGFONT& f) { f.lfHeight = -12; }, FALSE},
        {"face", [](LOGFONT& f) { SetFaceName(f, "Arial Black"); }, FALSE},
        {"quality", [](LOGFONT& f) { f.lfQuality = 4; }, FALSE},
    };
    CFontDescriptor base = Describe(SampleFont());
    for (const Case& c : cases) {
        LOGFONT changed = SampleFont();
        c.change(changed);
        EXPECT_EQ(base.IsEqual(Describe(changed)), c.equal) << c.name;
    }
}

TEST(FontDescriptor, CopiesAreIndependent)
{
    CFontDescriptor original = Describe(SampleFont());
    CFontDescriptor copied(original);
    CFontDescriptor assigned;
    assigned = original;
    copied.GetLogFont().lfHeight = 20;
    assigned.GetLogFont().lfHeight = 30;
    EXPECT_EQ(original.GetLogFont().lfHeight, -11);
    EXPECT_EQ(copied.GetLogFont().lfHeight, 20);
    EXPECT_EQ(assigned.GetLogFont().lfHeight, 30);
}

// An empty font holds no record of its own; taking one over empties every field.
TEST(FontDescriptor, AnEmptyFontEmptiesAFilledOne)
{
    const LOGFONT zero{};
    CFontDescriptor filled = Describe(SampleFont());
    filled = CFontDescriptor();
    EXPECT_EQ(std::memcmp(&filled.GetLogFont(), &zero, sizeof zero), 0);
    CFontDescriptor refilled = Describe(SampleFont());
    refilled.Copy(filled);
    EXPECT_TRUE(refilled.IsEmpty());
    EXPECT_EQ(std::memcmp(&refilled.GetLogFont(), &zero, sizeof zero), 0);
    EXPECT_TRUE(refilled.IsEqual(CFontDescriptor()));
}

TEST(FontDescriptor, TextThatDoesNotParseKeepsTheFont)
{
    CFontDescriptor font = Describe(SampleFont());
    EXPECT_FALSE(font.FromString("-12,0,0,0,400"));
    EXPECT_EQ(font.GetLogFont().lfHeight, -11);
    EXPECT_TRUE(font.FromString("-12,0,0,0,700,0,0,0,0,3,2,1,49,Courier New"));
    EXPECT_EQ(font.GetLogFont().lfWeight, 700);
    EXPECT_STREQ(font.GetLogFont().lfFaceName, "Courier New");
    EXPECT_EQ(font.Reset(), 0);
    EXPECT_TRUE(font.IsEmpty());
}

class TranslatingShell : public CShellServices {
public:
    CString GetLanguageText(const CString& key) const override
    {
        return key == "<font key>" ? CString("-12,0,0,0,400,0,0,0,0,3,2,1,49,Courier New") : key;
    }
};

TEST(FontDescriptor, LoadsTheTranslatedResourceText)
{
    RegisterStringResource(26646, "<font key>");
    RegisterStringResource(26647, "<untranslated>");
    TranslatingShell shell;
    SetShellServices(&shell);
    CFontDescriptor font;
    EXPECT_TRUE(font.LoadFromResource(26646));
    EXPECT_STREQ(font.GetLogFont().lfFaceName, "Courier New");
    EXPECT_FALSE(font.LoadFromResource(26647));
    EXPECT_FALSE(font.LoadFromResource(26999));
    EXPECT_STREQ(font.GetLogFont().lfFaceName, "Courier New");
    SetShellServices(nullptr);
}

} // namespace
