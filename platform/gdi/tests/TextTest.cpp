#include "Canvas.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

class Text : public ::testing::Test {
protected:
    void SetUp() override
    {
        LOGFONT lf{};
        lf.lfHeight = -16;
        std::strcpy(lf.lfFaceName, "Arial");
        font.CreateFontIndirect(&lf);
    }
    CFont font;
};

TEST_F(Text, ExtentIsStableAndAdditive)
{
    Canvas canvas(4, 4);
    canvas.dc.SelectObject(&font);
    SIZE a = canvas.dc.GetTextExtent("Hello", 5);
    SIZE b = canvas.dc.GetTextExtent("Hello", 5);
    EXPECT_EQ(a.cx, b.cx);
    EXPECT_EQ(a.cy, b.cy);
    EXPECT_GT(a.cx, 20);
    SIZE one = canvas.dc.GetTextExtent("Hel", 3), two = canvas.dc.GetTextExtent("lo", 2);
    EXPECT_EQ(a.cx, one.cx + two.cx);
    TEXTMETRIC tm{};
    canvas.dc.GetTextMetrics(&tm);
    EXPECT_EQ(tm.tmHeight, a.cy);
    EXPECT_EQ(tm.tmAscent + tm.tmDescent, tm.tmHeight);
    EXPECT_EQ(16, tm.tmHeight - tm.tmInternalLeading);  // negative height is the character height
    char face[LF_FACESIZE];
    canvas.dc.GetTextFace(LF_FACESIZE, face);
    EXPECT_STREQ("Liberation Sans", face);
    canvas.dc.SelectStockObject(SYSTEM_FONT);
}

TEST(Fonts, FaceNamesMapToInstalledFamilies)
{
    struct Case {
        const char* face;
        BYTE pitchAndFamily;
        const char* family;
    };
    const std::vector<Case> cases = {
        {"Arial", 0, "Liberation Sans"},           {"times new roman", 0, "Liberation Serif"},
        {"Courier New", 0, "Liberation Mono"},     {"No Such Face", 0, "DejaVu Sans"},
        {"", FIXED_PITCH | FF_MODERN, "DejaVu Sans Mono"}, {"", FF_ROMAN, "DejaVu Serif"},
    };
    for (const Case& c : cases) {
        LOGFONT lf{};
        lf.lfHeight = -12;
        lf.lfPitchAndFamily = c.pitchAndFamily;
        std::strcpy(lf.lfFaceName, c.face);
        CFont font;
        font.CreateFontIndirect(&lf);
        Canvas canvas(2, 2);
        canvas.dc.SelectObject(&font);
        char face[LF_FACESIZE] = {};
        canvas.dc.GetTextFace(LF_FACESIZE, face);
        EXPECT_STREQ(c.family, face) << c.face;
        canvas.dc.SelectStockObject(SYSTEM_FONT);
    }
}

TEST_F(Text, PositiveHeightIsTheCellHeight)
{
    Canvas canvas(4, 4);
    CFont cell;
    LOGFONT lf{};
    lf.lfHeight = 20;
    std::strcpy(lf.lfFaceName, "Times New Roman");
    cell.CreateFontIndirect(&lf);
    canvas.dc.SelectObject(&cell);
    TEXTMETRIC tm{};
    canvas.dc.GetTextMetrics(&tm);
    EXPECT_NEAR(20, tm.tmHeight, 1);
    canvas.dc.SelectStockObject(SYSTEM_FONT);
}

TEST_F(Text, ExtentScalesWithTheMapping)
{
    Canvas canvas(4, 4);
    canvas.dc.SelectObject(&font);
    SIZE at100 = canvas.dc.GetTextExtent("Scale", 5);
    canvas.dc.SetMapMode(MM_ANISOTROPIC);
    canvas.dc.SetWindowExt(100, 100);
    canvas.dc.SetViewportExt(200, 200);
    SIZE at200 = canvas.dc.GetTextExtent("Scale", 5);
    EXPECT_NEAR(at100.cx, at200.cx, at100.cx / 10 + 1);  // same logical size, drawn twice as large
    canvas.dc.SelectStockObject(SYSTEM_FONT);
}

// One font drawn by turns at two sizes, in one DC and in two, measures each size as it did first.
TEST_F(Text, OneFontAtTwoSizesByTurnsKeepsEachSize)
{
    Canvas plain(4, 4), zoomed(4, 4);
    for (CDC* dc : {&plain.dc, &zoomed.dc})
        dc->SelectObject(&font);
    zoomed.dc.SetMapMode(MM_ANISOTROPIC);
    zoomed.dc.SetWindowExt(100, 100);
    zoomed.dc.SetViewportExt(300, 300);
    auto deviceHeight = [](CDC& dc) {
        TEXTMETRIC tm{};
        dc.GetTextMetrics(&tm);
        SIZE cell{0, tm.tmHeight};
        dc.LPtoDP(&cell);
        return cell.cy;
    };
    const int small = deviceHeight(plain.dc), large = deviceHeight(zoomed.dc);
    EXPECT_GT(large, 2 * small);
    for (int turn = 0; turn < 2; ++turn) {
        EXPECT_EQ(small, deviceHeight(plain.dc));
        EXPECT_EQ(large, deviceHeight(zoomed.dc));
    }
    for (CDC* dc : {&plain.dc, &zoomed.dc})
        dc->SelectStockObject(SYSTEM_FONT);
}

TEST_F(Text, TextOutDrawsInsideItsCellAndHonoursAlignment)
{
    struct Case {
        UINT align;
        POINT at;
    };
    for (Case c : std::vector<Case>{{TA_LEFT | TA_TOP, {10, 10}}, {TA_RIGHT | TA_TOP, {90, 10}},
                                    {TA_CENTER | TA_BASELINE, {50, 30}}, {TA_LEFT | TA_BOTTOM, {10, 40}}}) {
        Canvas canvas(100, 50);
        canvas.dc.SelectObject(&font);
        canvas.dc.SetBkMode(TRANSPARENT);
        canvas.dc.SetTextAlign(c.align);
        canvas.dc.TextOut(c.at.x, c.at.y, "Wide", 4);
        SIZE ext = canvas.dc.GetTextExtent("Wide", 4);
        TEXTMETRIC tm{};
        canvas.dc.GetTextMetrics(&tm);
        int left = (c.align & TA_CENTER) == TA_CENTER ? c.at.x - ext.cx / 2 : (c.align & TA_RIGHT) ? c.at.x - ext.cx : c.at.x;
        int top = (c.align & TA_BASELINE) == TA_BASELINE ? c.at.y - tm.tmAscent
                  : (c.align & TA_BOTTOM)                ? c.at.y - tm.tmHeight
                                                         : c.at.y;
        RECT ink = canvas.Ink();
        EXPECT_GE(ink.left, left - 1) << c.align;
        EXPECT_LE(ink.right, left + ext.cx + 1) << c.align;
        EXPECT_GE(ink.top, top) << c.align;
        EXPECT_LE(ink.bottom, top + tm.tmHeight) << c.align;
        EXPECT_GT(canvas.Count(RGB(0, 0, 0)), 20) << c.align;
        canvas.dc.SelectStockObject(SYSTEM_FONT);
    }
}

TEST_F(Text, OpaqueBackgroundFillsTheCell)
{
    Canvas canvas(60, 30);
    canvas.dc.SelectObject(&font);
    canvas.dc.SetBkColor(RGB(255, 255, 0));
    canvas.dc.TextOut(2, 2, "Ab", 2);
    SIZE ext = canvas.dc.GetTextExtent("Ab", 2);
    RECT ink = canvas.Ink();
    EXPECT_TRUE(ink == (RECT{2, 2, 2 + ext.cx, 2 + ext.cy}));
    canvas.dc.SelectStockObject(SYSTEM_FONT);
}

TEST_F(Text, ExtTextOutClipsToItsRectangle)
{
    Canvas canvas(80, 30);
    canvas.dc.SelectObject(&font);
    canvas.dc.SetBkMode(TRANSPARENT);
    RECT clip{0, 0, 12, 30};
    canvas.dc.ExtTextOut(2, 2, ETO_CLIPPED, &clip, "MMMMM", 5, nullptr);
    EXPECT_LE(canvas.Ink().right, 12);
    RECT opaque{20, 5, 40, 25};
    canvas.dc.SetBkColor(RGB(255, 0, 0));
    canvas.dc.ExtTextOut(0, 0, ETO_OPAQUE, &opaque, "", 0, nullptr);
    EXPECT_EQ(400, canvas.Count(RGB(255, 0, 0)));
    canvas.dc.SelectStockObject(SYSTEM_FONT);
}

TEST_F(Text, CalcRectAgreesWithWhatIsDrawn)
{
    const char* text = "The quick brown fox jumps over the lazy dog again and again";
    struct Case {
        UINT format;
        int width;
    };
    for (Case c : std::vector<Case>{{DT_WORDBREAK, 90}, {DT_WORDBREAK | DT_CENTER, 120}, {DT_SINGLELINE, 450},
                                    {DT_WORDBREAK | DT_RIGHT, 70}}) {
        Canvas canvas(470, 200);
        canvas.dc.SelectObject(&font);
        canvas.dc.SetBkMode(TRANSPARENT);
        RECT calc{5, 5, 5 + c.width, 5};
        int height = canvas.dc.DrawText(text, -1, &calc, c.format | DT_CALCRECT);
        EXPECT_EQ(calc.bottom - calc.top, height);
        EXPECT_LE(calc.right - calc.left, c.width) << c.format;
        RECT draw{5, 5, 5 + c.width, 195};
        EXPECT_EQ(height, canvas.dc.DrawText(text, -1, &draw, c.format));
        RECT ink = canvas.Ink();
        EXPECT_GE(ink.top, calc.top) << c.format;
        EXPECT_LE(ink.bottom, calc.bottom) << c.format;
        EXPECT_GE(ink.left, draw.left) << c.format;
        EXPECT_LE(ink.right, draw.right) << c.format;
        TEXTMETRIC tm{};
        canvas.dc.GetTextMetrics(&tm);
        if (c.format & DT_WORDBREAK)
            EXPECT_GT(height, 2 * tm.tmHeight) << c.format;
        else
            EXPECT_EQ(tm.tmHeight, height);
        canvas.dc.SelectStockObject(SYSTEM_FONT);
    }
}

TEST_F(Text, LineBreaksAndVerticalPlacement)
{
    Canvas canvas(200, 100);
    canvas.dc.SelectObject(&font);
    TEXTMETRIC tm{};
    canvas.dc.GetTextMetrics(&tm);
    RECT r{0, 0, 200, 0};
    EXPECT_EQ(3 * tm.tmHeight, canvas.dc.DrawText("one\r\ntwo\nthree", -1, &r, DT_CALCRECT));
    RECT single{0, 0, 200, 100};
    EXPECT_EQ(tm.tmHeight, canvas.dc.DrawText("one\ntwo", -1, &r, DT_CALCRECT | DT_SINGLELINE));
    canvas.dc.SetBkMode(TRANSPARENT);
    canvas.dc.DrawText("Mid", -1, &single, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    RECT ink = canvas.Ink();
    EXPECT_GE(ink.top, (100 - tm.tmHeight) / 2);
    EXPECT_LE(ink.bottom, (100 + tm.tmHeight) / 2 + 1);
    EXPECT_NEAR(200, ink.left + ink.right, 6);
    canvas.dc.SelectStockObject(SYSTEM_FONT);
}

TEST_F(Text, PrefixAmpersandIsHiddenAndUnderlines)
{
    Canvas canvas(4, 4);
    canvas.dc.SelectObject(&font);
    RECT a{0, 0, 300, 0}, b{0, 0, 300, 0}, c{0, 0, 300, 0};
    canvas.dc.DrawText("&File", -1, &a, DT_CALCRECT | DT_SINGLELINE);
    canvas.dc.DrawText("File", -1, &b, DT_CALCRECT | DT_SINGLELINE);
    canvas.dc.DrawText("&File", -1, &c, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(b.right, a.right);
    EXPECT_GT(c.right, b.right);
    canvas.dc.SelectStockObject(SYSTEM_FONT);

    Canvas plain(60, 30), marked(60, 30);
    for (Canvas* cv : {&plain, &marked}) {
        cv->dc.SelectObject(&font);
        cv->dc.SetBkMode(TRANSPARENT);
    }
    RECT r{0, 0, 60, 30};
    plain.dc.DrawText("File", -1, &r, DT_SINGLELINE);
    marked.dc.DrawText("&File", -1, &r, DT_SINGLELINE);
    EXPECT_GT(marked.Count(RGB(0, 0, 0)), plain.Count(RGB(0, 0, 0)));
    for (Canvas* cv : {&plain, &marked})
        cv->dc.SelectStockObject(SYSTEM_FONT);
}

TEST_F(Text, EndEllipsisFitsTheWidth)
{
    Canvas canvas(4, 4);
    canvas.dc.SelectObject(&font);
    RECT r{0, 0, 60, 0};
    canvas.dc.DrawText("A rather long caption here", -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_LE(r.right, 60);
    EXPECT_GT(r.right, 30);
    canvas.dc.SelectStockObject(SYSTEM_FONT);
}

TEST_F(Text, TabsExpandToStops)
{
    Canvas canvas(4, 4);
    canvas.dc.SelectObject(&font);
    TEXTMETRIC tm{};
    canvas.dc.GetTextMetrics(&tm);
    RECT r{0, 0, 400, 0};
    canvas.dc.DrawText("a\tb", -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
    SIZE b = canvas.dc.GetTextExtent("b", 1);
    EXPECT_EQ(8 * tm.tmAveCharWidth + b.cx, r.right);
    canvas.dc.SelectStockObject(SYSTEM_FONT);
}

TEST_F(Text, WindowsCodePageCharactersDraw)
{
    Canvas canvas(40, 30);
    canvas.dc.SelectObject(&font);
    canvas.dc.SetBkMode(TRANSPARENT);
    canvas.dc.TextOut(2, 2, "\x80", 1);  // the euro sign in Windows-1252
    EXPECT_GT(canvas.Count(RGB(0, 0, 0)), 5);
    canvas.dc.SelectStockObject(SYSTEM_FONT);
}

TEST_F(Text, EscapementRotatesText)
{
    Canvas flat(80, 80), turned(80, 80);
    LOGFONT lf{};
    lf.lfHeight = -16;
    lf.lfEscapement = 900;
    std::strcpy(lf.lfFaceName, "Arial");
    CFont up;
    up.CreateFontIndirect(&lf);
    flat.dc.SelectObject(&font);
    turned.dc.SelectObject(&up);
    for (Canvas* c : {&flat, &turned})
        c->dc.SetBkMode(TRANSPARENT);
    flat.dc.TextOut(10, 40, "WWWW", 4);
    turned.dc.TextOut(10, 70, "WWWW", 4);
    RECT a = flat.Ink(), b = turned.Ink();
    EXPECT_GT(a.right - a.left, a.bottom - a.top);
    EXPECT_GT(b.bottom - b.top, b.right - b.left);
    flat.dc.SelectStockObject(SYSTEM_FONT);
    turned.dc.SelectStockObject(SYSTEM_FONT);
}

}  // namespace
