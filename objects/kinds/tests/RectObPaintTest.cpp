#include "objects/kinds/RectOb.h"
#include "objects/kinds/tests/KindTestKit.h"
#include "objects/tests/PageTestKit.h"
#include "platform/gdi/SysColors.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Green = RGB(0, 255, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);

// A frame on (10, 10, 110, 60): red dark edges, green light ones, blue inside, no label.
class FramePaint : public ::testing::Test {
protected:
    void SetUp() override
    {
        CRect rect(10, 10, 110, 60);
        frame.Init(view, &rect, FALSE);
        frame.BorderColor = Red;
        frame.HiliteColor = Green;
        frame.BackColor = Blue;
        frame.ForeColor = Black;
        frame.Text.Empty();
        LOGFONT font{};
        font.lfHeight = -12;
        std::strcpy(font.lfFaceName, "DejaVu Sans");
        frame.SetFont(&font);
    }
    void Draw(int style, int width, BOOL printing = FALSE)
    {
        frame.BorderStyle = style;
        frame.BorderWidth = width;
        canvas.dc.FillSolidRect(0, 0, 120, 70, RGB(255, 255, 255));
        canvas.dc.m_bPrinting = printing;
        frame.Paint(&canvas.dc);
    }
    void Expect(const std::vector<Probe>& probes, const char* name) { ExpectPixels(canvas, probes, name); }

    CTestPageView view;
    CRectOb frame;
    Canvas canvas {120, 70};
};

TEST_F(FramePaint, EveryStyleDrawsItsEdges)
{
    const struct {
        const char* name;
        int style;
        int width;
        BOOL printing;
        std::vector<Probe> probes;
    } cases[] = {
        {"plain", 0, 1, FALSE, {{10, 30, Red}, {109, 30, Red}, {60, 10, Red}, {60, 59, Red}, {11, 30, Blue}}},
        {"sunken", 2, 2, FALSE,
         {{10, 30, Red}, {11, 30, Black}, {30, 11, Black}, {30, 10, Red}, {30, 59, Green}, {30, 58, Blue},
          {109, 30, Green}, {108, 30, Blue}}},
        {"raised", 3, 2, FALSE,
         {{10, 30, Green}, {11, 30, Blue}, {30, 10, Green}, {30, 11, Blue}, {30, 59, Black}, {109, 30, Black}}},
        {"raised, one wide", 3, 1, FALSE, {{10, 30, Green}, {30, 10, Green}, {30, 59, Red}, {109, 30, Red}, {11, 30, Blue}}},
        {"3D on paper", 1, 2, TRUE, {{10, 10, Red}, {10, 30, Red}, {108, 10, Red}, {11, 30, Green}, {109, 59, Green}, {12, 30, Blue}}},
        {"an unknown style", 7, 2, FALSE, {{10, 30, Red}, {11, 30, Red}, {12, 30, Blue}}},
    };
    for (const auto& c : cases) {
        Draw(c.style, c.width, c.printing);
        Expect(c.probes, c.name);
        if (c.style == 3 && c.width == 1) {
            EXPECT_EQ(canvas.Count(Black), 0) << "no inner line at width 1";
        }
    }
}

TEST_F(FramePaint, ThreeDOnScreenIsEtched)
{
    Draw(1, 2);
    Expect({{10, 10, GetSysColor(COLOR_BTNSHADOW)}, {12, 12, Blue}}, "etched");
}

TEST_F(FramePaint, AnyStoredWidthDrawsInBoundedTime)
{
    Draw(2, 1 << 30);
    Draw(0, 1 << 30);
    Draw(3, -5);
    Expect({{60, 35, Blue}}, "a negative width draws no edge");
}

TEST_F(FramePaint, AnUnfilledFrameLeavesTheInsideAlone)
{
    frame.BackColor = static_cast<COLORREF>(-1);
    Draw(0, 1);
    Expect({{10, 30, Red}, {60, 35, RGB(255, 255, 255)}}, "unfilled");
}

TEST_F(FramePaint, TheLabelSitsInTheTopEdgeWhereItsAlignmentPutsIt)
{
    frame.Text = "Hi";
    const struct {
        const char* name;
        int alignment;
    } cases[] = {{"left", 0}, {"centre", 6}, {"right", 2}, {"unknown, as left", 5}, {"a measuring format", 0x400}};
    for (const auto& c : cases) {
        frame.Alignment = c.alignment;
        Draw(0, 1);
        const CRect& label = frame.m_textRect1;
        ASSERT_FALSE(label.IsRectEmpty()) << c.name;
        EXPECT_EQ(label.top, 8) << c.name;
        EXPECT_EQ(frame.m_textRect2, CRect(19, 8, 103, 8 + label.Height())) << c.name;
        if (c.alignment == 2) {
            EXPECT_EQ(label.right, 103) << c.name;
        } else if (c.alignment == 6) {
            EXPECT_NEAR((label.left + label.right) / 2, 60, 2) << c.name;
        } else {
            EXPECT_EQ(label.left, 19) << c.name;
        }
        int frameTop = 10 + label.Height() * 3 / 8;
        EXPECT_EQ(canvas.Pixel(label.right - 1, frameTop), Blue) << c.name << ": the frame is cut behind the label";
        EXPECT_EQ(canvas.Pixel(label.right + 3, frameTop), Red) << c.name;
        EXPECT_EQ(canvas.Pixel(label.right + 3, 10), Blue) << c.name << ": the frame moved down";
        int ink = 0;
        for (int y = label.top; y < label.bottom; ++y)
            for (int x = label.left; x < label.right; ++x)
                ink += canvas.Pixel(x, y) == Black;
        EXPECT_GT(ink, 0) << c.name << ": the text is drawn";
    }
}

TEST_F(FramePaint, ADrawnLabelWidensTheHitBandToItsHeight)
{
    frame.Text = "Wide band";
    frame.BackColor = static_cast<COLORREF>(-1);
    frame.Font.GetLogFont().lfHeight = -20;
    Draw(0, 1);
    int band = frame.m_textRect2.Height();
    ASSERT_GT(band, 12);
    ASSERT_LT(band, 25);
    EXPECT_EQ(frame.HitTest(CPoint(10 + band - 1, 35)), 8);
    EXPECT_EQ(frame.HitTest(CPoint(10 + band, 35)), -1);

    frame.Text.Empty();
    Draw(0, 1);
    EXPECT_TRUE(frame.m_textRect1.IsRectEmpty());
    Expect({{60, 10, Red}}, "without a label the frame is at the top");
    EXPECT_EQ(frame.HitTest(CPoint(19, 35)), 8);
    EXPECT_EQ(frame.HitTest(CPoint(20, 35)), -1);
}

} // namespace
