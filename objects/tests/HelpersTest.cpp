#include "objects/Angles.h"
#include "objects/DocFiles.h"
#include "objects/GridGeometry.h"
#include "objects/MainWndMode.h"
#include "objects/RgbDibHeader.h"
#include "objects/ScriptNotSupported.h"
#include "objects/ScriptText.h"
#include "objects/ShellServices.h"
#include "platform/core/StringTable.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/Dib.h"
#include "platform/gdi/GdiObject.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <filesystem>
#include <limits>
#include <numbers>
#include <unistd.h>

namespace {

TEST(SnapToGrid, RoundsToTheNearestLineSymmetrically)
{
    struct Case {
        int value;
        int step;
        int snapped;
    };
    const Case cases[] = {
        {14, 10, 10},   {15, 10, 20},   {-14, 10, -10}, {-15, 10, -20}, {-16, 10, -20}, {0, 10, 0},
        {20, 10, 20},   {-20, 10, -20}, {2, 5, 0},      {3, 5, 5},      {-3, 5, -5},    {7, 1, 7},
        {14, 0, 14},    {14, -10, 14},  {INT_MAX, 10, 2147483640},      {INT_MIN, 10, -2147483640},
    };
    for (const Case& c : cases) {
        int value = c.value;
        EXPECT_EQ(SnapToGrid(&value, c.step), c.snapped) << c.value << " step " << c.step;
        EXPECT_EQ(value, c.snapped);
    }
}

TEST(Angles, DegreesComeOutInTheHalfOpenTurn)
{
    struct Case {
        double angle;
        double normalized;
    };
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {-180, 180}, {180, 180},  {600, -120}, {540, 180},   {190, -170},         {-190, 170},
        {0, 0},      {-0.5, -0.5}, {720, 0},   {-540, 180},  {1e9 + 30, -50},     {inf, 0},
        {-inf, 0},   {std::nan(""), 0},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(NormalizeDegrees(c.angle), c.normalized) << c.angle;
}

TEST(Angles, RadiansComeOutInTheHalfOpenTurn)
{
    const double pi = std::numbers::pi;
    struct Case {
        double angle;
        double normalized;
    };
    const Case cases[] = {
        {-pi, pi}, {pi, pi}, {2.5 * pi, 0.5 * pi}, {1.5 * pi, -0.5 * pi}, {0.25, 0.25}, {std::nan(""), 0},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(NormalizeRadians(c.angle), c.normalized, 1e-12) << c.angle;
}

TEST(Angles, ConversionsNormalizeFirst)
{
    EXPECT_NEAR(RadiansToDegrees(std::numbers::pi / 2), 90.0, 1e-12);
    EXPECT_NEAR(RadiansToDegrees(-std::numbers::pi), 180.0, 1e-12);
    EXPECT_NEAR(DegreesToRadians(270), -std::numbers::pi / 2, 1e-12);
    EXPECT_EQ(DegreesToRadians(std::nan("")), 0.0);
}

TEST(ScaleRectCenter, MovesTheCentreAndKeepsTheSize)
{
    struct Case {
        RECT rect;
        int percent;
        RECT scaled;
    };
    const Case cases[] = {
        {{10, 20, 30, 60}, 100, {10, 20, 30, 60}},
        {{10, 20, 31, 61}, 100, {10, 20, 31, 61}},
        {{-5, -7, 0, 0}, 100, {-5, -7, 0, 0}},
        {{10, 20, 30, 60}, 200, {30, 60, 50, 100}},
        {{10, 20, 30, 60}, 50, {0, 0, 20, 40}},
        {{-30, -10, -10, 10}, 50, {-20, -10, 0, 10}},
        {{10, 20, 30, 60}, 0, {-10, -20, 10, 20}},
    };
    for (const Case& c : cases) {
        RECT rect = c.rect;
        ScaleRectCenter(&rect, c.percent);
        EXPECT_EQ(rect.left, c.scaled.left) << c.percent;
        EXPECT_EQ(rect.top, c.scaled.top) << c.percent;
        EXPECT_EQ(rect.right, c.scaled.right) << c.percent;
        EXPECT_EQ(rect.bottom, c.scaled.bottom) << c.percent;
    }
}

TEST(IsTempDocFile, LooksAtTheFileNameOnly)
{
    struct Case {
        const char* path;
        BOOL temporary;
    };
    const Case cases[] = {
        {"C:\\Docs\\~DSL1234.trn", TRUE},
        {"C:\\Docs\\~dsl1234.trn", TRUE},
        {"~DsL", TRUE},
        {"C:~DSLx.trn", TRUE},
        {"/home/user/docs/~dsl5.trn", TRUE},
        {"C:\\~DSL\\note.trn", FALSE},
        {"/tmp/~dslcopy/note.trn", FALSE},
        {"C:\\Docs\\x~DSL.trn", FALSE},
        {"~DS", FALSE},
        {"", FALSE},
        {nullptr, FALSE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsTempDocFile(c.path), c.temporary) << (c.path ? c.path : "null");
}

TEST(MakeDirectory, MakesOneLevelAndEntersWhenAsked)
{
    namespace fs = std::filesystem;
    fs::path base = fs::temp_directory_path() / ("objects_mkdir_" + std::to_string(getpid()));
    fs::remove_all(base);
    fs::create_directories(base);
    fs::path before = fs::current_path();

    EXPECT_TRUE(MakeDirectory("", TRUE));
    std::string folder = (base / "Defaults").string();
    EXPECT_TRUE(MakeDirectory(folder.c_str(), FALSE));
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_TRUE(MakeDirectory(folder.c_str(), FALSE));
    std::string windowsStyle = base.string() + "\\Sub";
    EXPECT_TRUE(MakeDirectory(windowsStyle.c_str(), TRUE));
    EXPECT_EQ(fs::current_path(), base / "Sub");
    fs::current_path(before);
    std::string twoLevels = (base / "a" / "b").string();
    EXPECT_FALSE(MakeDirectory(twoLevels.c_str(), TRUE));
    EXPECT_FALSE(fs::exists(base / "a"));
    fs::remove_all(base);
}

TEST(ScriptText, BlankScripts)
{
    struct Case {
        const char* script;
        BOOL blank;
    };
    const Case cases[] = {
        {"", TRUE},
        {nullptr, TRUE},
        {" \t\r\n", TRUE},
        {"' first comment\r\n\r\n  ' second comment\n", TRUE},
        {"' comment at the end", TRUE},
        {"x", FALSE},
        {"' comment\nx = 1", FALSE},
        {"\v", FALSE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsScriptBlank(c.script), c.blank) << (c.script ? c.script : "null");
}

TEST(ScriptText, StripNonIdentChars)
{
    struct Case {
        const char* text;
        const char* stripped;
    };
    const Case cases[] = {
        {"1a--b_c", "ab_c"}, {"12a", "a"},    {"_1", "_1"},     {"a1 b2", "a1b2"},
        {"123", ""},         {"", ""},        {"Gr\xFC\xDF" "e", "Gre"}, {"Rect 3", "Rect3"},
    };
    for (const Case& c : cases) {
        CString text = c.text;
        StripNonIdentChars(text);
        EXPECT_STREQ(text, c.stripped) << c.text;
    }
}

TEST(ScriptText, Tokens)
{
    const char* expected[] = {"Boolean", "Integer", "Long",   "Single",     "Double", "String", "Variant",
                              "Object",  ", ",      "(",      ")",          "ByVal ", " As ",   " As Object",
                              "Dim ",    "Sub ",    "Function ", "End ",    "'",      "_"};
    for (int code = 0; code < 20; ++code)
        EXPECT_STREQ(GetScriptToken(code), expected[code]) << code;
    EXPECT_STREQ(GetScriptToken(20), "");
    EXPECT_STREQ(GetScriptToken(-1), "");
}

TEST(ScriptText, CharacterSets)
{
    EXPECT_TRUE(HasNoCharOfSet("abc", "0123456789"));
    EXPECT_FALSE(HasNoCharOfSet("ab1", "0123456789"));
    EXPECT_TRUE(HasNoCharOfSet("", "0123456789"));
    EXPECT_TRUE(IsCharNotInSet('a', "0123456789"));
    EXPECT_FALSE(IsCharNotInSet('5', "0123456789"));
    EXPECT_TRUE(IsCharNotInSet('\0', "0123456789"));
}

TEST(RgbDibHeader, WidthIsRoundedUpToThirtyTwoPixels)
{
    struct Case {
        RECT rect;
        LONG width;
        LONG height;
        DWORD imageSize;
    };
    const Case cases[] = {
        {{0, 0, 33, 10}, 64, 10, 64 * 3 * 10},
        {{5, 5, 37, 6}, 32, 1, 96},
        {{0, 0, 0, 0}, 0, 0, 0},
        {{10, 10, 0, 0}, 0, 0, 0},
        {{INT_MIN, 0, INT_MAX, 100000}, 0, 0, 0},
    };
    for (const Case& c : cases) {
        BITMAPINFOHEADER header;
        EXPECT_EQ(MakeRgbDibHeader(&c.rect, &header), c.imageSize);
        EXPECT_EQ(header.biSize, 40u);
        EXPECT_EQ(header.biWidth, c.width);
        EXPECT_EQ(header.biHeight, c.height);
        EXPECT_EQ(header.biPlanes, 1);
        EXPECT_EQ(header.biBitCount, 24);
        EXPECT_EQ(header.biCompression, BI_RGB);
        EXPECT_EQ(header.biSizeImage, c.imageSize);
    }
}

// A main window that answers the mode query as told.
class FakeShell : public CShellServices {
public:
    FakeShell(BOOL hasMain, int answer, BOOL mdi) : m_hasMain(hasMain), m_answer(answer), m_mdi(mdi) { }
    BOOL HasMainWnd() const override { return m_hasMain; }
    LRESULT SendToMainWnd(UINT message, WPARAM, LPARAM lParam) const override
    {
        if (message == WM_QUERY_MAINWND_MODE && m_answer != -1)
            *reinterpret_cast<int*>(lParam) = m_answer;
        return 0;
    }
    BOOL IsMainWndMdiFrame() const override { return m_mdi; }

private:
    BOOL m_hasMain;
    int m_answer;
    BOOL m_mdi;
};

TEST(MainWndMode, AsksTheMainWindowFirst)
{
    struct Case {
        const char* name;
        BOOL hasMain;
        int answer;
        BOOL mdi;
        int mode;
        BOOL nonMdi;
    };
    const Case cases[] = {
        {"no main window", FALSE, 5, TRUE, 0, FALSE},
        {"answers 0", TRUE, 0, TRUE, 0, TRUE},
        {"answers 3", TRUE, 3, FALSE, 3, FALSE},
        {"silent MDI frame", TRUE, -1, TRUE, 1, FALSE},
        {"silent single window", TRUE, -1, FALSE, 0, TRUE},
    };
    for (const Case& c : cases) {
        FakeShell shell(c.hasMain, c.answer, c.mdi);
        SetShellServices(&shell);
        EXPECT_EQ(QueryMainWndMode(), c.mode) << c.name;
        EXPECT_EQ(IsNonMdiMainWnd(), c.nonMdi) << c.name;
    }
    SetShellServices(nullptr);
    EXPECT_EQ(QueryMainWndMode(), 0);
}

} // namespace

namespace {

TEST(ScriptNotSupported, OneLastingExceptionWithItsOwnText)
{
    RegisterStringResource(27370, "<An unsupported scripting operation was attempted.>");
    CScriptNotSupportedException* thrown = GetScriptNotSupportedException();
    try {
        throw thrown;
    } catch (CException* e) {
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CNotSupportedException)));
        char text[80];
        EXPECT_TRUE(e->GetErrorMessage(text, sizeof text));
        EXPECT_STREQ(text, "<An unsupported scripting operation was attempted.>");
        char shortText[6];
        EXPECT_TRUE(e->GetErrorMessage(shortText, sizeof shortText));
        EXPECT_STREQ(shortText, "<An u");
        e->Delete();
    }
    EXPECT_EQ(GetScriptNotSupportedException(), thrown);
}

} // namespace

TEST(Helpers, RgbDibSectionIsABottomUpBitmapTheMemoryDcDrawsInto)
{
    RECT rect{10, 10, 43, 14};
    HDC memory = nullptr;
    HBITMAP bitmap = nullptr;
    void* bits = nullptr;
    EXPECT_EQ(CreateRgbDibSection(nullptr, &rect, &memory, &bitmap, &bits), 64u * 3 * 4);
    ASSERT_NE(memory, nullptr);
    ASSERT_NE(bitmap, nullptr);
    ASSERT_NE(bits, nullptr);
    BITMAP info{};
    ASSERT_NE(GetObject(bitmap, sizeof(info), &info), 0);
    EXPECT_EQ(info.bmWidth, 64);
    EXPECT_EQ(info.bmHeight, 4);
    HGDIOBJ old = SelectObject(memory, bitmap);
    CDC::FromHandle(memory)->SetPixel(0, 3, RGB(10, 20, 30));
    GdiFlush();
    // The bottom row comes first, blue first.
    const auto* pixels = static_cast<const BYTE*>(bits);
    EXPECT_EQ(pixels[0], 30);
    EXPECT_EQ(pixels[1], 20);
    EXPECT_EQ(pixels[2], 10);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
}
