#include "objects/kinds/BorderOb.h"
#include "objects/kinds/tests/KindTestKit.h"
#include "objects/tests/PageTestKit.h"
#include "platform/gdi/SysColors.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Green = RGB(0, 255, 0);

// Draws a border on (10, 10, 30, 30) of a 40 x 40 canvas: black pen, red hilite, green
// fill unless said otherwise.
class BorderPaint : public ::testing::Test {
protected:
    void SetUp() override
    {
        CRect rect(10, 10, 30, 30);
        box.Init(view, &rect, FALSE);
        box.ForeColor = Black;
        box.HiliteColor = Red;
        box.BackColor = Green;
    }
    void Draw(BOOL printing = FALSE)
    {
        canvas.dc.m_bPrinting = printing;
        box.Draw(&canvas.dc);
    }
    void Expect(const std::vector<Probe>& probes, const char* name) { ExpectPixels(canvas, probes, name); }

    CTestPageView view;
    CBorderOb box;
    Canvas canvas {40, 40};
};

TEST_F(BorderPaint, NormalStyleOutlinesInThePenAndFillsInside)
{
    Draw();
    EXPECT_EQ(canvas.Ink(), CRect(10, 10, 30, 30));
    Expect({{10, 10, Black}, {29, 29, Black}, {20, 10, Black}, {11, 11, Green}, {28, 28, Green}}, "normal");
}

TEST_F(BorderPaint, AHollowBoxDrawsOnlyItsOutline)
{
    box.BackColor = static_cast<COLORREF>(-1);
    Draw();
    Expect({{10, 20, Black}, {20, 20, White}}, "hollow");
}

TEST_F(BorderPaint, SunkenAndRaisedLightOppositeEdges)
{
    const struct {
        int style;
        std::vector<Probe> probes;
    } cases[] = {
        {CBorderOb::StyleSunken, {{10, 20, Black}, {20, 10, Black}, {20, 29, Red}, {29, 20, Red}, {29, 10, Black}, {20, 20, Green}}},
        {CBorderOb::StyleRaised, {{10, 20, Red}, {20, 10, Red}, {20, 29, Black}, {29, 20, Black}, {20, 20, Green}}},
    };
    for (const auto& c : cases) {
        box.BorderStyle = c.style;
        canvas.dc.FillSolidRect(0, 0, 40, 40, White);
        Draw();
        Expect(c.probes, c.style == CBorderOb::StyleSunken ? "sunken" : "raised");
    }
}

TEST_F(BorderPaint, ThreeDIsEtchedOnScreenAndFramedTwiceOnPaper)
{
    box.BorderStyle = CBorderOb::Style3D;
    box.PenWidth = 2;
    Draw();
    Expect({{10, 10, GetSysColor(COLOR_BTNSHADOW)}, {12, 12, Green}, {27, 27, Green}}, "etched edge is two wide");
    EXPECT_NE(canvas.Pixel(11, 11), Green);

    canvas.dc.FillSolidRect(0, 0, 40, 40, White);
    Draw(TRUE);
    Expect({{10, 10, Black}, {28, 10, Black}, {29, 10, White}, {29, 29, Red}, {11, 11, Red}, {12, 12, Green}},
           "printed 3D");
}

TEST_F(BorderPaint, StyleThreeIsDrawnAs3D)
{
    box.BorderStyle = 3;
    Draw();
    Expect({{12, 12, Green}}, "style 3");
    EXPECT_NE(canvas.Pixel(11, 11), Green);
}

TEST_F(BorderPaint, ShadowsFallInTheirOwnCorner)
{
    const struct {
        int style;
        POINT shadowed;
    } cases[] = {{1, {5, 5}}, {2, {35, 5}}, {3, {5, 35}}, {4, {35, 35}}};
    const POINT corners[] = {{5, 5}, {35, 5}, {5, 35}, {35, 35}};
    COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    for (const auto& c : cases) {
        box.ShadowStyle = c.style;
        canvas.dc.FillSolidRect(0, 0, 40, 40, White);
        Draw();
        for (POINT corner : corners) {
            bool expected = corner.x == c.shadowed.x && corner.y == c.shadowed.y;
            EXPECT_EQ(canvas.Pixel(corner.x, corner.y), expected ? shadow : White)
                << "style " << c.style << " corner " << corner.x << "," << corner.y;
        }
    }
}

TEST_F(BorderPaint, TheHiddenBitSuppressesEverything)
{
    box.BorderStyle = CBorderOb::StyleHidden | CBorderOb::StyleRaised;
    box.ShadowStyle = 4;
    Draw();
    EXPECT_EQ(canvas.Ink(), CRect(40, 40, 0, 0));
}

TEST_F(BorderPaint, HatchedFillUsesThePenColourOverTheBackColour)
{
    box.HatchStyle = HS_CROSS;
    box.PenWidth = 0;
    Draw();
    int black = 0;
    int green = 0;
    for (int y = 10; y < 30; ++y)
        for (int x = 10; x < 30; ++x) {
            black += canvas.Pixel(x, y) == Black;
            green += canvas.Pixel(x, y) == Green;
        }
    EXPECT_GT(black, 0);
    EXPECT_GT(green, black);
    EXPECT_EQ(canvas.Ink(), CRect(10, 10, 30, 30));
}

TEST_F(BorderPaint, ARotatedBoxDrawsItsTurnedOutline)
{
    box.SetRotateAngle(45.0);
    box.RecalcRect();
    Draw();
    CRect ink = canvas.Ink();
    EXPECT_LT(ink.left, 10);
    EXPECT_EQ(canvas.Pixel(10, 10), White) << "the upright corner stays empty";
    EXPECT_EQ(canvas.Pixel(20, 20), Green);
}

} // namespace
