#include "platform/core/CodePage.h"
#include "platform/core/String.h"
#include "platform/core/StringTable.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstring>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

TEST(String, EveryByteRoundTripsThroughUtf8)
{
    std::string all;
    for (int b = 1; b <= 0xFF; ++b)
        all += static_cast<char>(b);
    CString text(all.c_str());
    std::string utf8 = ToUtf8(text);
    EXPECT_EQ(CStringFromUtf8(utf8).Bytes(), all);
    EXPECT_EQ(ToUtf8(std::string_view("\0", 1)), std::string("\0", 1));
}

TEST(String, Utf8ConversionTable)
{
    struct Case { const char* cp1252; const char* utf8; };
    const Case cases[] = {
        { "\x80", "\xE2\x82\xAC" },         // euro sign
        { "\x81", "\xC2\x81" },             // undefined byte -> C1 control
        { "\x8D\x8F\x90\x9D", "\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D" },
        { "\x9F", "\xC5\xB8" },             // Y diaeresis
        { "\xFF", "\xC3\xBF" },
        { "\xE0t\xE9", "\xC3\xA0t\xC3\xA9" },
        { "\x99", "\xE2\x84\xA2" },         // trade mark
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ToUtf8(CString(c.cp1252)), c.utf8) << c.utf8;
        EXPECT_EQ(CStringFromUtf8(c.utf8), c.cp1252) << c.utf8;
    }
}

TEST(String, UnmappableOrMalformedUtf8BecomesQuestionMark)
{
    struct Case { std::string utf8; const char* expected; };
    const Case cases[] = {
        { "\xE4\xB8\xAD", "?" },            // CJK, not in the code page
        { "\xF0\x9F\x98\x80x", "?x" },      // emoji
        { "a\xC3", "a?" },                  // truncated sequence
        { "\xC0\xAF", "??" },               // overlong
        { "\xED\xA0\x80", "???" },          // surrogate
        { "\xFF\xFE", "??" },
        { "\xE2\x82", "??" },               // truncated euro
    };
    for (const Case& c : cases)
        EXPECT_EQ(CStringFromUtf8(c.utf8), c.expected) << c.expected;
}

TEST(String, CaseMappingKnowsAccentedLetters)
{
    struct Case { const char* lower; const char* upper; };
    const Case cases[] = {
        { "abc xyz", "ABC XYZ" },
        { "\xE0\xE9\xEE\xF5\xFC", "\xC0\xC9\xCE\xD5\xDC" }, // a-grave ... u-diaeresis
        { "\xFF", "\x9F" },                 // y diaeresis
        { "\x9A\x9C\x9E", "\x8A\x8C\x8E" }, // s caron, oe, z caron
        { "\xFE\xF0", "\xDE\xD0" },         // thorn, eth
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CString(c.lower).MakeUpper(), c.upper) << c.lower;
        EXPECT_EQ(CString(c.upper).MakeLower(), c.lower) << c.upper;
    }
    // Sharp s has no capital; multiplication and division signs are not letters.
    EXPECT_EQ(CString("\xDF\xD7\xF7\xB5").MakeUpper(), "\xDF\xD7\xF7\xB5");
    EXPECT_EQ(CString("\xD7\xF7").MakeLower(), "\xD7\xF7");
    EXPECT_TRUE(IsCharAlpha('\xDF'));
    EXPECT_FALSE(IsCharAlpha('\xD7'));
    EXPECT_TRUE(IsCharUpper('\x8A'));
    EXPECT_TRUE(IsCharLower('\xFF'));
    EXPECT_EQ(CString("\xC9t\xC9").CompareNoCase("\xE9T\xE9"), 0);
}

TEST(String, FormatUsesTheCLocaleAndAnyLength)
{
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    std::string saved = previous ? previous : "C";
    bool german = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
    CString s;
    s.Format("%d|%5.2f|%-4s|%x|%c", -12, 3.14159, "ab", 255u, 'z');
    EXPECT_EQ(s, "-12| 3.14|ab  |ff|z") << (german ? "with a comma locale" : "");
    std::setlocale(LC_NUMERIC, saved.c_str());

    std::string longText(5000, 'x');
    s.Format("<%s>", longText.c_str());
    EXPECT_EQ(s.GetLength(), 5002);
    EXPECT_EQ(s.Mid(1, 5000).Bytes(), longText);
    s.AppendFormat("%03d", 7);
    EXPECT_EQ(s.Right(4), ">007");
    s.Format("%s", "");
    EXPECT_TRUE(s.IsEmpty());
}

TEST(String, FormatFromStringTable)
{
    RegisterStringResource(60001, "File %s has %d pages");
    CString s;
    s.Format(60001u, "a.trn", 3);
    EXPECT_EQ(s, "File a.trn has 3 pages");
    EXPECT_TRUE(s.LoadString(60001));
    EXPECT_EQ(s, "File %s has %d pages");
    EXPECT_FALSE(s.LoadString(60002));
    char buffer[8];
    EXPECT_EQ(LoadString(nullptr, 60001, buffer, sizeof buffer), 7);
    EXPECT_STREQ(buffer, "File %s");
    EXPECT_EQ(LoadString(nullptr, 60002, buffer, sizeof buffer), 0);
}

TEST(String, ExtractionIsClamped)
{
    const CString s("Hello");
    struct Case { int first, count; const char* mid; };
    const Case mids[] = {
        { 0, 5, "Hello" }, { 1, 3, "ell" }, { -3, 2, "He" }, { 3, 99, "lo" }, { 5, 1, "" },
        { 9, 2, "" }, { 2, -1, "" }, { 0, 0, "" },
    };
    for (const Case& c : mids)
        EXPECT_EQ(s.Mid(c.first, c.count), c.mid) << c.first << "," << c.count;
    struct Side { int count; const char* left; const char* right; };
    const Side sides[] = { { 0, "", "" }, { 2, "He", "lo" }, { 5, "Hello", "Hello" }, { 9, "Hello", "Hello" },
                           { -1, "", "" } };
    for (const Side& c : sides) {
        EXPECT_EQ(s.Left(c.count), c.left) << c.count;
        EXPECT_EQ(s.Right(c.count), c.right) << c.count;
    }
    EXPECT_EQ(s.Mid(-2), "Hello");
    EXPECT_EQ(s.Mid(3), "lo");
    EXPECT_EQ(s.Mid(6), "");
}

TEST(String, FindTable)
{
    const CString s("a.b.c\\d.e");
    struct Case { const char* sub; int start; int expected; };
    const Case cases[] = {
        { ".", 0, 1 }, { ".", 2, 3 }, { ".", 8, -1 }, { "c\\", 0, 4 }, { "zz", 0, -1 },
        { "", 0, 0 }, { "", 9, 9 }, { ".", -1, -1 }, { ".", 99, -1 }, { "a.b.c\\d.e.", 0, -1 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(s.Find(c.sub, c.start), c.expected) << c.sub << "@" << c.start;
    EXPECT_EQ(s.Find('b'), 2);
    EXPECT_EQ(s.Find('b', 3), -1);
    EXPECT_EQ(s.ReverseFind('.'), 7);
    EXPECT_EQ(s.ReverseFind('x'), -1);
    EXPECT_EQ(s.FindOneOf("\\c"), 4);
    EXPECT_EQ(s.FindOneOf("xyz"), -1);
}

TEST(String, ReplaceTable)
{
    struct Case { const char* text; const char* from; const char* to; int count; const char* result; };
    const Case cases[] = {
        { "a\\b\\c", "\\", "/", 2, "a/b/c" },
        { "aaaa", "aa", "a", 2, "aa" },
        { "abc", "", "x", 0, "abc" },
        { "abc", "b", "", 1, "ac" },
        { "xyx", "x", "xx", 2, "xxyxx" },
        { "", "a", "b", 0, "" },
        { "%%d", "%%", "%", 1, "%d" },
    };
    for (const Case& c : cases) {
        CString s(c.text);
        EXPECT_EQ(s.Replace(c.from, c.to), c.count) << c.text;
        EXPECT_EQ(s, c.result) << c.text;
    }
    CString s("banana");
    EXPECT_EQ(s.Replace('a', 'o'), 3);
    EXPECT_EQ(s, "bonono");
    EXPECT_EQ(s.Remove('o'), 3);
    EXPECT_EQ(s, "bnn");
}

TEST(String, InsertDeleteAndTrim)
{
    CString s("abc");
    EXPECT_EQ(s.Insert(1, "XY"), 5);
    EXPECT_EQ(s.Insert(99, '!'), 6);
    EXPECT_EQ(s.Insert(-4, '<'), 7);
    EXPECT_EQ(s, "<aXYbc!");
    EXPECT_EQ(s.Delete(1, 3), 4);
    EXPECT_EQ(s, "<bc!");
    EXPECT_EQ(s.Delete(3, 50), 3);
    EXPECT_EQ(s.Delete(10), 3);
    EXPECT_EQ(s.Delete(-1, 1), 2);
    EXPECT_EQ(s, "bc");

    EXPECT_EQ(CString(" \t a b \r\n").Trim(), "a b");
    EXPECT_EQ(CString("  x  ").TrimLeft(), "x  ");
    EXPECT_EQ(CString("  x  ").TrimRight(), "  x");
    EXPECT_EQ(CString("xxaxx").Trim('x'), "a");
    EXPECT_EQ(CString("-=a=-").TrimLeft("=-"), "a=-");
    EXPECT_EQ(CString("-=a=-").TrimRight("=-"), "-=a");
    EXPECT_EQ(CString("    ").Trim(), "");
    EXPECT_EQ(CString("abc").MakeReverse(), "cba");
}

TEST(String, SpanAndTokenize)
{
    EXPECT_EQ(CString("12ab3").SpanIncluding("0123456789"), "12");
    EXPECT_EQ(CString("ab;cd").SpanExcluding(";,"), "ab");
    EXPECT_EQ(CString("abcd").SpanExcluding(";"), "abcd");

    const CString list(";;one;two,,three;");
    std::vector<std::string> tokens;
    int pos = 0;
    for (CString token = list.Tokenize(";,", pos); pos != -1; token = list.Tokenize(";,", pos))
        tokens.push_back(token.Bytes());
    EXPECT_EQ(tokens, (std::vector<std::string> { "one", "two", "three" }));
    pos = 5;
    EXPECT_EQ(CString("abc").Tokenize(",", pos), "");
    EXPECT_EQ(pos, -1);
}

TEST(String, ComparisonsAndConcatenation)
{
    struct Case { const char* a; const char* b; int compare; int noCase; };
    const Case cases[] = {
        { "abc", "abc", 0, 0 }, { "abc", "abd", -1, -1 }, { "ABC", "abc", -1, 0 },
        { "ab", "abc", -1, -1 }, { "\xE9", "z", 1, 1 }, { "", "", 0, 0 },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CString(c.a).Compare(c.b), c.compare) << c.a << " " << c.b;
        EXPECT_EQ(CString(c.a).CompareNoCase(c.b), c.noCase) << c.a << " " << c.b;
    }
    EXPECT_LT(CString("apple").Collate("Banana"), 0);
    EXPECT_GT(CString("b").Collate("B"), 0);
    CString s = "x" + CString("y") + 'z' + "!";
    s += CString("?");
    EXPECT_EQ(s, "xyz!?");
    EXPECT_TRUE("xyz!?" == s);
    EXPECT_TRUE(s != "xyz");
    EXPECT_TRUE(CString("a") < CString("b"));
    EXPECT_EQ(s[2], 'z');
    EXPECT_EQ(s[size_t { 1 }], 'y');
    s.SetAt(0, 'X');
    EXPECT_EQ(s.GetAt(0), 'X');
    EXPECT_THROW(s.GetAt(5), std::out_of_range);
    EXPECT_EQ(CString("abc", 2), "ab");
    EXPECT_EQ(CString("ab", 10), "ab");
    EXPECT_EQ(CString('-', 3), "---");
    EXPECT_EQ(CString(static_cast<LPCTSTR>(nullptr)), "");
}

TEST(String, WorksAsAHashKey)
{
    std::unordered_map<CString, int> counts;
    for (const char* word : { "a", "b", "a", "\xE9", "\xE9" })
        ++counts[CString(word)];
    EXPECT_EQ(counts.size(), 3u);
    EXPECT_EQ(counts[CString("\xE9")], 2);
}

TEST(String, BufferAccess)
{
    CString s("abc");
    char* buffer = s.GetBuffer(10);
    std::strcpy(buffer, "hello");
    s.ReleaseBuffer();
    EXPECT_EQ(s, "hello");
    buffer = s.GetBufferSetLength(3);
    buffer[2] = 'L';
    s.ReleaseBuffer(3);
    EXPECT_EQ(s, "heL");
    buffer = s.GetBuffer(0);
    buffer[1] = '\0';
    s.ReleaseBuffer();
    EXPECT_EQ(s, "h");
    s.GetBuffer(4);
    s.ReleaseBuffer(99);
    EXPECT_EQ(s.GetLength(), 4);
}

TEST(String, PlatformCaseFunctions)
{
    char word[] = "\xC9t\xE9 \x8A\x9A";
    EXPECT_EQ(CharUpperA(word), word);
    EXPECT_STREQ(word, "\xC9T\xC9 \x8A\x8A");
    CharLowerBuffA(word, 2);
    EXPECT_STREQ(word, "\xE9t\xC9 \x8A\x8A");
    // A character passed in place of a pointer comes back changed the same way.
    EXPECT_EQ(reinterpret_cast<uintptr_t>(CharLowerA(reinterpret_cast<LPSTR>(uintptr_t { 0xC0 }))), 0xE0u);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(CharUpperA(reinterpret_cast<LPSTR>(uintptr_t { 'q' }))), uintptr_t { 'Q' });

    struct Case { const char* a; const char* b; int exact; int noCase; };
    const Case cases[] = {
        { "Arial", "arial", -1, 0 }, { "abc", "abd", -1, -1 }, { "ab", "a", 1, 1 }, { "", "", 0, 0 },
        { "\xC0", "\xE0", -1, 0 }, { "z", "\xE0", -1, -1 },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(lstrcmpA(c.a, c.b), c.exact) << c.a << " " << c.b;
        EXPECT_EQ(lstrcmpiA(c.a, c.b), c.noCase) << c.a << " " << c.b;
    }
    EXPECT_EQ(lstrcmpi(nullptr, ""), 0);
}

TEST(String, FormatStringWithPlaceholders)
{
    RegisterStringResource(60144, "Check the files %1 and %2.");
    CString text;
    AfxFormatString2(text, 60144, "main.lex", "%1 custom.dic");
    EXPECT_EQ(text, "Check the files main.lex and %1 custom.dic.");
    AfxFormatString1(text, 60144, "x");
    EXPECT_EQ(text, "Check the files x and %2.");
    AfxFormatString1(text, 60999, "x");
    EXPECT_EQ(text, "");
}
