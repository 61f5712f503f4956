#include "objects/HyperTracker.h"
#include "objects/kinds/ArcOb.h"
#include "objects/kinds/tests/KindTestKit.h"
#include "objects/tests/PageTestKit.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Green = RGB(0, 255, 0);

// The upper right quarter of the ellipse about (10, 30) with radii 40 and 20, black pen,
// on a 60 x 40 canvas.
class ArcPaint : public ::testing::Test {
protected:
    void SetUp() override
    {
        arc.Init(view, nullptr, TRUE);
        arc.GetTracker()->m_rect = CRect(10, 10, 50, 30);
        arc.UpdateLayout(TRUE, FALSE);
        arc.ForeColor = Black;
    }
    void Draw(COLORREF back, int wedge)
    {
        arc.BackColor = back;
        arc.Wedge = wedge;
        arc.UpdateLayout(TRUE, FALSE);
        canvas.dc.FillSolidRect(0, 0, 60, 40, White);
        arc.Draw(&canvas.dc);
    }

    CTestPageView view;
    CArcOb arc;
    Canvas canvas {60, 40};
};

TEST_F(ArcPaint, HollowArcChordAndPieFillWhatTheyClose)
{
    const struct {
        const char* name;
        COLORREF back;
        int wedge;
        int inkLeft;
        std::vector<Probe> probes;
    } cases[] = {
        {"arc", static_cast<COLORREF>(-1), 0, 11, {{40, 20, White}, {20, 25, White}, {12, 10, Black}, {49, 28, Black}}},
        {"chord", Green, 0, 10, {{40, 20, Green}, {20, 25, White}, {10, 10, Black}}},
        {"pie", Green, 1, 10, {{40, 20, Green}, {20, 25, Green}, {10, 10, Black}, {10, 20, Black}}},
        {"hollow pie", static_cast<COLORREF>(-1), 1, 10, {{40, 20, White}, {20, 25, White}, {10, 20, Black}}},
    };
    for (const auto& c : cases) {
        Draw(c.back, c.wedge);
        EXPECT_EQ(canvas.Ink(), CRect(c.inkLeft, 10, 50, 31)) << c.name;
        ExpectPixels(canvas, c.probes, c.name);
        EXPECT_EQ(canvas.Pixel(48, 12), White) << c.name << ": nothing outside the curve";
    }
}

TEST_F(ArcPaint, ATurnedArcDrawsItsTurnedOutline)
{
    arc.SetRotateAngle(90.0);
    arc.RecalcRect();
    Draw(Green, 1);
    CRect ink = canvas.Ink();
    EXPECT_NEAR(ink.Width(), 20, 2) << "a quarter turn stands the 40 x 20 piece upright";
    EXPECT_NEAR(ink.Height(), 40, 2);
    EXPECT_GT(canvas.Count(Green), 100);
}

TEST_F(ArcPaint, AtHalfSizeThePieShrinks)
{
    view.zoom = 50;
    canvas.dc.SetMapMode(MM_ANISOTROPIC);
    canvas.dc.SetWindowExt(2, 2);
    canvas.dc.SetViewportExt(1, 1);
    Draw(Green, 1);
    CRect ink = canvas.Ink();
    EXPECT_NEAR(ink.left, 5, 1);
    EXPECT_NEAR(ink.top, 5, 1);
    EXPECT_NEAR(ink.right, 25, 1);
    EXPECT_NEAR(ink.bottom, 15, 1);
    EXPECT_EQ(canvas.Pixel(10, 12), Green);
}

} // namespace
