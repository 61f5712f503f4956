// Rich text: RTF read and written for paragraphs, bold, italic, underline, font, size and
// colour; unknown groups and malformed input.
#include "platform/ui/RichText.h"

#include <gtest/gtest.h>

namespace {

RichFormat format(bool bold, bool italic, bool underline, const char* face, int halfPoints, COLORREF colour)
{
    RichFormat f;
    f.bold = bold;
    f.italic = italic;
    f.underline = underline;
    f.face = face;
    f.halfPoints = halfPoints;
    f.colour = colour;
    return f;
}

TEST(RichText, RoundTripKeepsTextAndFormats)
{
    RichText note;
    note.runs = {{"Plain ", format(false, false, false, "Arial", 20, 0)},
                 {"bold", format(true, false, false, "Arial", 20, 0)},
                 {" and {braces} \\ here\r\n", format(false, true, true, "Times New Roman", 28, RGB(255, 0, 0))},
                 {"caf\xe9\tend", format(false, false, false, "Courier New", 18, RGB(0, 128, 0))}};
    RichText back;
    ASSERT_TRUE(back.ReadRtf(note.WriteRtf()));
    ASSERT_EQ(back.runs.size(), note.runs.size());
    for (size_t i = 0; i < note.runs.size(); ++i) {
        EXPECT_EQ(back.runs[i].text, note.runs[i].text) << i;
        EXPECT_TRUE(back.runs[i].format == note.runs[i].format) << i;
    }
    EXPECT_EQ(back.WriteRtf(), note.WriteRtf());
}

struct ReadCase {
    const char* name;
    const char* rtf;
    const char* plain;
    size_t probe;
    bool bold, italic, underline;
    int halfPoints;
    COLORREF colour;
    const char* face;
};

class RtfReading : public ::testing::TestWithParam<ReadCase> {};

TEST_P(RtfReading, TextAndFormat)
{
    const ReadCase& c = GetParam();
    RichText text;
    ASSERT_TRUE(text.ReadRtf(c.rtf));
    EXPECT_EQ(text.PlainText(), c.plain);
    RichFormat f = text.FormatAt(c.probe);
    EXPECT_EQ(f.bold, c.bold);
    EXPECT_EQ(f.italic, c.italic);
    EXPECT_EQ(f.underline, c.underline);
    EXPECT_EQ(f.halfPoints, c.halfPoints);
    EXPECT_EQ(f.colour, c.colour);
    EXPECT_EQ(f.face, c.face);
}

INSTANTIATE_TEST_SUITE_P(
    Rtf, RtfReading,
    ::testing::Values(
        ReadCase{"Paragraphs", "{\\rtf1\\ansi one\\par two\\par}", "one\r\ntwo\r\n", 0, false, false, false, 20, 0, "Arial"},
        ReadCase{"ToggledBold", "{\\rtf1 a\\b bc\\b0 d}", "abcd", 2, true, false, false, 20, 0, "Arial"},
        ReadCase{"GroupEndsFormat", "{\\rtf1 {\\i x}y}", "xy", 1, false, false, false, 20, 0, "Arial"},
        ReadCase{"FontSizeColour",
                 "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Georgia;}}{\\colortbl ;\\red0\\green0\\blue255;}\\f1\\fs32\\cf1\\ul w}",
                 "w", 0, false, false, true, 32, RGB(0, 0, 255), "Georgia"},
        ReadCase{"HexAndUnicode", "{\\rtf1 caf\\'e9 \\u233?}", "caf\xe9 \xe9?", 3, false, false, false, 20, 0, "Arial"},
        ReadCase{"StarredGroupSkipped", "{\\rtf1{\\*\\unknowndest secret}shown}", "shown", 0, false, false, false, 20, 0, "Arial"},
        ReadCase{"UnknownGroupKeepsText", "{\\rtf1{\\madeup kept}\\par}", "kept\r\n", 0, false, false, false, 20, 0, "Arial"},
        ReadCase{"InfoSkipped", "{\\rtf1{\\info{\\title T}}body}", "body", 0, false, false, false, 20, 0, "Arial"},
        ReadCase{"UnknownColourIndexIsAuto", "{\\rtf1\\cf9 x}", "x", 0, false, false, false, 20, 0, "Arial"},
        ReadCase{"TruncatedReadsWhatIsValid", "{\\rtf1 good\\b  bad", "good bad", 5, true, false, false, 20, 0, "Arial"},
        ReadCase{"BrokenHexStops", "{\\rtf1 ab\\'zz cd}", "ab", 0, false, false, false, 20, 0, "Arial"},
        ReadCase{"ExtraClosingBraces", "{\\rtf1 x}}}} y", "x", 0, false, false, false, 20, 0, "Arial"},
        ReadCase{"HugeNumbersAreBounded", "{\\rtf1\\fs99999999999 x}", "x", 0, false, false, false, 3276, 0, "Arial"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RichText, NotRtfLeavesTheTextAlone)
{
    RichText text;
    text.SetPlainText("keep");
    EXPECT_FALSE(text.ReadRtf("plain words"));
    EXPECT_FALSE(text.ReadRtf(""));
    EXPECT_EQ(text.PlainText(), "keep");
}

TEST(RichText, ApplyFormatsARangeAndMergesRuns)
{
    RichText text;
    text.SetPlainText("hello world");
    text.Apply(6, 11, [](RichFormat& f) { f.bold = true; });
    ASSERT_EQ(text.runs.size(), 2u);
    EXPECT_EQ(text.runs[1].text, "world");
    EXPECT_TRUE(text.FormatAt(7).bold);
    text.Apply(0, 11, [](RichFormat& f) { f.bold = true; });
    EXPECT_EQ(text.runs.size(), 1u);
}

} // namespace
