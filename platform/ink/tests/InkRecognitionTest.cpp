#include "platform/ink/InkDisp.h"
#include "platform/ink/InkRecognizers.h"
#include "platform/ink/InkTextReader.h"
#include "platform/ink/tests/PrintedStrokes.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

// Ink with the lines of text printed one under the other; the ids of each word's strokes.
struct PrintedInk {
    std::shared_ptr<InkDisp> ink = InkDisp::Create();
    std::vector<std::set<LONG>> words;
};

PrintedInk Print(const std::vector<std::string>& lines, int height, POINT origin = {1000, 1000})
{
    PrintedInk printed;
    for (size_t line = 0; line < lines.size(); ++line) {
        const std::string& text = lines[line];
        size_t begin = 0;
        while (begin < text.size()) {
            size_t end = text.find(' ', begin);
            end = end == std::string::npos ? text.size() : end;
            const POINT at{origin.x + static_cast<LONG>(begin) * height, origin.y + static_cast<LONG>(line) * height * 2};
            std::set<LONG> ids;
            for (const auto& stroke : printed::Write(text.substr(begin, end - begin), at, height))
                ids.insert(printed.ink->CreateStroke(stroke)->ID());
            printed.words.push_back(ids);
            begin = end + 1;
        }
    }
    return printed;
}

std::set<LONG> Ids(const InkStrokes& strokes)
{
    std::set<LONG> ids;
    for (const auto& stroke : strokes.All())
        ids.insert(stroke->ID());
    return ids;
}

std::shared_ptr<InkRecognitionResult> Recognise(const InkStrokes& strokes, int& status)
{
    auto context = InkRecognizers().GetDefaultRecognizer(0)->CreateRecognizerContext();
    context->SetStrokes(strokes);
    context->EndInkInput();
    return context->Recognize(status);
}

struct ReadCase {
    std::vector<std::string> lines;
    int letterHeight;  // ink space
    std::string text;
};

class PrintedHandwriting : public ::testing::TestWithParam<ReadCase> {};

TEST_P(PrintedHandwriting, IsReadAsItsWordsWhateverItsSize)
{
    const PrintedInk printed = Print(GetParam().lines, GetParam().letterHeight);
    int status = -1;
    const auto result = Recognise(printed.ink->Strokes(), status);
    ASSERT_EQ(status, 0);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->TopString(), GetParam().text);
    EXPECT_EQ(result->Strokes().Count(), printed.ink->StrokeCount());
}

INSTANTIATE_TEST_SUITE_P(
    Ink, PrintedHandwriting,
    ::testing::Values(ReadCase{{"WRITE THE NOTE"}, 600, "WRITE THE NOTE"},
                      ReadCase{{"HELLO", "WORLD"}, 600, "HELLO\r\nWORLD"},
                      ReadCase{{"BLUE INK"}, 150, "BLUE INK"},        // a small hand
                      ReadCase{{"SPOKEN WORD"}, 5000, "SPOKEN WORD"}));  // letters five centimetres high

class RecognisedWords : public ::testing::Test {
protected:
    void SetUp() override
    {
        int status = -1;
        result = Recognise(printed.ink->Strokes(), status);
        ASSERT_NE(result, nullptr);
        ASSERT_EQ(result->TopString(), "WRITE THE NOTE");
    }
    PrintedInk printed = Print({"WRITE THE NOTE"}, 600);
    std::shared_ptr<InkRecognitionResult> result;
};

TEST_F(RecognisedWords, TheRangeOfPartOfTheSecondWordWidensToItAndGivesItsStrokes)
{
    int start = 7, length = 1;  // the "H" of "THE"
    const InkStrokes strokes = result->TopAlternate()->GetStrokesFromTextRange(start, length);
    EXPECT_EQ(start, 6);
    EXPECT_EQ(length, 3);
    EXPECT_EQ(Ids(strokes), printed.words[1]);

    int from = -1, count = -1;
    ASSERT_TRUE(result->TopAlternate()->GetTextRangeFromStrokes(strokes, from, count));
    EXPECT_EQ(from, 6);
    EXPECT_EQ(count, 3);
}

TEST_F(RecognisedWords, AWordsAlternatesAreTheRecognisersOtherReadingsOfIt)
{
    const auto alternates = result->AlternatesFromSelection(6, 3);
    ASSERT_GE(alternates.size(), 2u) << "the recogniser offers more than one reading";
    EXPECT_LE(alternates.size(), 10u);
    EXPECT_EQ(alternates[0]->String(), "THE");
    std::set<std::string> texts;
    for (const auto& alternate : alternates) {
        EXPECT_EQ(Ids(alternate->Strokes()), printed.words[1]);
        EXPECT_TRUE(texts.insert(alternate->String()).second) << alternate->String() << " listed twice";
    }

    ASSERT_TRUE(result->ModifyTopAlternate(*alternates[1]));
    EXPECT_EQ(result->TopString(), "WRITE " + alternates[1]->String() + " NOTE");
}

TEST(InkRecognition, AnEmptyLayerGivesNoResult)
{
    auto ink = InkDisp::Create();
    int status = -1;
    EXPECT_EQ(Recognise(ink->Strokes(), status), nullptr);
    EXPECT_EQ(status, 0);
}

// Words as a recogniser might give them, over strokes made one per word (ids 1 to 3) and one
// stroke (id 4) far from every word.
class WordsOverStrokes : public ::testing::Test {
protected:
    WordsOverStrokes()
    {
        ink->CreateStroke({{0, 0}, {100, 100}});
        ink->CreateStroke({{200, 0}, {300, 100}});
        ink->CreateStroke({{0, 300}, {100, 400}});
        ink->CreateStroke({{5000, 5000}, {5100, 5100}});
    }
    InkRecognitionResult Result()
    {
        return InkRecognitionResult(ink->Strokes(), {{{"ab", "db", "ah"}, {0, 0, 100, 100}, false},
                                                    {{"", "x"}, {150, 0, 170, 100}, false},
                                                    {{"cd", "cl"}, {200, 0, 300, 100}, true},
                                                    {{"e"}, {0, 300, 100, 400}, true}});
    }
    std::shared_ptr<InkDisp> ink = InkDisp::Create();
};

TEST_F(WordsOverStrokes, RangesWidenToWholeWords)
{
    const InkRecognitionResult result = Result();
    ASSERT_EQ(result.TopString(), "ab cd\r\ne") << "a word read as nothing is left out";
    struct Case {
        int start, length;
        int wideStart, wideLength;
        std::set<LONG> strokes;
    } cases[] = {
        {1, 0, 0, 2, {1}},      // an empty range inside a word
        {2, 1, 3, 2, {2}},      // the space before a word takes that word
        {1, 3, 0, 5, {1, 2}},   // across a space
        {5, 2, 7, 1, {3}},      // the line break
        {8, 1, 7, 1, {3}},      // past the end: the last word
    };
    for (const Case& c : cases) {
        int start = c.start, length = c.length;
        EXPECT_EQ(Ids(result.TopAlternate()->GetStrokesFromTextRange(start, length)), c.strokes) << c.start;
        EXPECT_EQ(start, c.wideStart) << c.start;
        EXPECT_EQ(length, c.wideLength) << c.start;
    }
}

TEST_F(WordsOverStrokes, AStrokeOutsideEveryWordBelongsToNone)
{
    const InkRecognitionResult result = Result();
    const auto top = result.TopAlternate();
    int start = -1, length = -1;
    EXPECT_FALSE(top->GetTextRangeFromStrokes(*ink->CreateStrokes({4}), start, length));
    EXPECT_EQ(Ids(top->GetStrokesFromStrokeRanges(*ink->CreateStrokes({4, 3}))), (std::set<LONG>{3, 4}));
}

TEST_F(WordsOverStrokes, AlternatesChangeOneWordAtATimeAndAPickedOneBecomesTheText)
{
    InkRecognitionResult result = Result();
    const auto alternates = result.AlternatesFromSelection(1, 3);
    std::vector<std::string> texts;
    for (const auto& alternate : alternates)
        texts.push_back(alternate->String());
    EXPECT_EQ(texts, (std::vector<std::string>{"ab cd", "db cd", "ab cl", "ah cd"}));
    EXPECT_EQ(result.AlternatesFromSelection(1, 3, 2).size(), 2u);

    ASSERT_TRUE(result.ModifyTopAlternate(*alternates[2]));
    EXPECT_EQ(result.TopString(), "ab cl\r\ne");
    const auto again = result.AlternatesFromSelection(3, 2);
    ASSERT_FALSE(again.empty());
    EXPECT_EQ(again[0]->String(), "cl") << "the current reading comes first";

    const InkRecognitionResult other = Result();
    EXPECT_FALSE(result.ModifyTopAlternate(*other.AlternatesFromSelection(0, 1)[1]));
    EXPECT_EQ(result.TopString(), "ab cl\r\ne");
}

TEST(InkTextImage, LettersAreDrawnAtTheReadingSizeWithAMargin)
{
    auto ink = InkDisp::Create();
    ink->CreateStroke({{1000, 2000}, {1000, 2480}});  // one letter high
    ink->CreateStroke({{1000, 2480}, {1240, 2480}});
    const InkTextImage image = RenderInkForReading(ink->Strokes());
    ASSERT_EQ(image.Width, 24 + 2 * kInkTextLetterHeight);
    ASSERT_EQ(image.Height, 48 + 2 * kInkTextLetterHeight);
    ASSERT_EQ(image.Pixels.size(), static_cast<size_t>(image.Width * image.Height));
    auto at = [&](int x, int y) { return image.Pixels[static_cast<size_t>(y * image.Width + x)]; };
    EXPECT_EQ(at(48, 70), 0) << "on the upright";
    EXPECT_EQ(at(60, 96), 0) << "on the foot";
    EXPECT_EQ(at(60, 70), 255) << "beside the ink";
    EXPECT_EQ(at(5, 5), 255) << "in the margin";
    EXPECT_DOUBLE_EQ(image.Left + 48 / image.Scale, 1000);
    EXPECT_DOUBLE_EQ(image.Top + 48 / image.Scale, 2000);
}

TEST(InkTextImage, InkSpreadFarIsDrawnSmallerToKeepThePictureBounded)
{
    auto ink = InkDisp::Create();
    ink->CreateStroke({{0, 0}, {0, 480}});
    ink->CreateStroke({{2000000, 0}, {2000000, 480}});
    const InkTextImage image = RenderInkForReading(ink->Strokes());
    EXPECT_LE(image.Width, 4000);
    EXPECT_GT(image.Width, 3000);
    EXPECT_TRUE(RenderInkForReading(InkDisp::Create()->Strokes()).Pixels.empty());
}

} // namespace
