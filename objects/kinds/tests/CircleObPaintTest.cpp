#include "objects/kinds/CircleOb.h"
#include "objects/kinds/tests/KindTestKit.h"
#include "objects/tests/PageTestKit.h"
#include "platform/gdi/SysColors.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Green = RGB(0, 255, 0);

// An ellipse on (10, 10, 50, 30) of a 60 x 40 canvas: black pen, green fill.
class EllipsePaint : public ::testing::Test {
protected:
    void SetUp() override
    {
        CRect rect(10, 10, 50, 30);
        ellipse.Init(view, &rect, FALSE);
        ellipse.ForeColor = Black;
        ellipse.BackColor = Green;
    }
    void Draw()
    {
        canvas.dc.FillSolidRect(0, 0, 60, 40, White);
        ellipse.Draw(&canvas.dc);
    }

    CTestPageView view;
    CCircleOb ellipse;
    Canvas canvas {60, 40};
};

TEST_F(EllipsePaint, AFilledEllipseFillsInsideItsOutlineAndLeavesTheCorners)
{
    Draw();
    EXPECT_EQ(canvas.Ink(), CRect(10, 10, 50, 30));
    ExpectPixels(canvas, {{30, 20, Green}, {10, 20, Black}, {30, 10, Black}, {11, 11, White}, {48, 28, White}},
                 "filled");
}

TEST_F(EllipsePaint, AHollowEllipseDrawsOnlyItsOutline)
{
    ellipse.BackColor = static_cast<COLORREF>(-1);
    Draw();
    EXPECT_EQ(canvas.Ink(), CRect(10, 10, 50, 30));
    ExpectPixels(canvas, {{30, 20, White}, {10, 20, Black}, {49, 20, Black}, {30, 29, Black}}, "hollow");
}

TEST_F(EllipsePaint, AHatchedEllipseHatchesInThePenColour)
{
    ellipse.HatchStyle = HS_CROSS;
    ellipse.PenWidth = 0;
    Draw();
    EXPECT_GT(canvas.Count(Black), 0);
    EXPECT_GT(canvas.Count(Green), canvas.Count(Black));
    EXPECT_EQ(canvas.Pixel(11, 11), White);
}

TEST_F(EllipsePaint, ShadowsFallTenUnitsTowardsTheirCorner)
{
    const struct {
        int style;
        POINT shadowed;
    } cases[] = {{1, {5, 10}}, {2, {55, 10}}, {3, {5, 30}}, {4, {55, 30}}, {7, {55, 30}}};
    COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    for (const auto& c : cases) {
        ellipse.ShadowStyle = c.style;
        Draw();
        EXPECT_EQ(canvas.Pixel(c.shadowed.x, c.shadowed.y), shadow) << "style " << c.style;
        EXPECT_EQ(canvas.Pixel(30, 20), Green) << "the ellipse lies over its shadow, style " << c.style;
    }
}

TEST_F(EllipsePaint, ATurnedEllipseDrawsItsTurnedOutline)
{
    ellipse.SetRotateAngle(90.0);
    ellipse.RecalcRect();
    Draw();
    CRect ink = canvas.Ink();
    EXPECT_NEAR(ink.Width(), 20, 1) << "a quarter turn stands the 40 x 20 ellipse upright";
    EXPECT_NEAR(ink.Height(), 40, 1);
    EXPECT_EQ(canvas.Pixel(30, 20), Green);
    EXPECT_EQ(canvas.Pixel(12, 20), White);
}

TEST_F(EllipsePaint, AtHalfSizeTheEllipseShrinksWithAOnePixelPen)
{
    view.zoom = 50;
    canvas.dc.SetMapMode(MM_ANISOTROPIC);
    canvas.dc.SetWindowExt(2, 2);
    canvas.dc.SetViewportExt(1, 1);
    Draw();
    EXPECT_EQ(canvas.Ink(), CRect(5, 5, 25, 15));
    ExpectPixels(canvas, {{15, 10, Green}, {5, 10, Black}, {15, 5, Black}}, "half size");
}

} // namespace
