#include "objects/HyperTracker.h"
#include "objects/kinds/TextOb.h"
#include "objects/kinds/tests/KindTestKit.h"
#include "objects/tests/PageTestKit.h"
#include "platform/gdi/SysColors.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace {

constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Blue = RGB(0, 0, 255);
constexpr COLORREF Green = RGB(0, 255, 0);

// "Hi" in blue, 14 pixels high, in a box on (20, 20, 140, 60) of a 160 x 80 canvas.
class TextPaint : public ::testing::Test {
protected:
    void SetUp() override
    {
        CRect rect(20, 20, 140, 60);
        box.Init(view, &rect, FALSE);
        LOGFONT font {};
        font.lfHeight = -14;
        std::strcpy(font.lfFaceName, "DejaVu Sans");
        box.SetFont(&font);
        box.ForeColor = Blue;
        box.Text = "Hi";
    }
    // The bounding box of the text's pixels.
    CRect DrawnText()
    {
        canvas.dc.FillSolidRect(0, 0, 160, 80, White);
        box.Draw(&canvas.dc);
        return ColorBounds(canvas, 160, 80, Blue);
    }

    CTestPageView view;
    CTextOb box;
    Canvas canvas {160, 80};
};

TEST_F(TextPaint, TheTextSitsWhereItsAlignmentPutsItAndCentredVertically)
{
    const struct {
        const char* name;
        int alignment;
        int left, right; // where the text's pixels may lie
    } cases[] = {
        {"left", CTextOb::AlignLeft, 21, 40},
        {"centre", CTextOb::AlignCentre, 70, 90},
        {"right", CTextOb::AlignRight, 120, 139},
    };
    for (const auto& c : cases) {
        box.Alignment = c.alignment;
        CRect text = DrawnText();
        EXPECT_GE(text.left, c.left) << c.name;
        EXPECT_LE(text.right, c.right) << c.name;
        EXPECT_NEAR((text.top + text.bottom) / 2, 40, 3) << c.name;
        EXPECT_LE(box.m_textRect1.Width(), 30) << c.name << ": the text rectangle holds the block";
        EXPECT_EQ(box.m_textRect2, CRect(21, 21, 139, 59)) << c.name;
    }
}

TEST_F(TextPaint, ATurnedTextBoxWithAnOutlineFontTurnsItsText)
{
    box.Text = "Turned";
    CRect upright = DrawnText();
    EXPECT_GT(upright.Width(), upright.Height());
    EXPECT_TRUE(box.IsScalableFont());
    box.SetRotateAngle(90.0);
    box.RecalcRect();
    CRect turned = DrawnText();
    EXPECT_GT(turned.Height(), turned.Width()) << "the line runs up or down the page";
    EXPECT_EQ(box.Font.GetLogFont().lfEscapement, 0) << "the stored font keeps its escapement";
}

TEST_F(TextPaint, VerticalTextRunsUpAndTheStoredValueStays)
{
    box.Text = "Vertical";
    box.SetOrientation(CTextOb::VerticalUp);
    CRect text = DrawnText();
    EXPECT_GT(text.Height(), text.Width());
    EXPECT_EQ(box.GetOrientation(), 900);
}

TEST_F(TextPaint, DisabledBordersDrawOnlyTheText)
{
    box.BorderStyle = CBorderOb::Style3D;
    DrawnText();
    EXPECT_NE(canvas.Pixel(20, 40), White) << "the 3D frame is drawn";
    box.BorderStyle = CBorderOb::StyleHidden | CBorderOb::Style3D;
    box.ShadowStyle = 4;
    CRect text = DrawnText();
    EXPECT_EQ(ColorBounds(canvas, 160, 80, White, true), text) << "nothing but the text";
}

TEST_F(TextPaint, AFilledBoxFillsBehindItsText)
{
    box.BackColor = Green;
    CRect text = DrawnText();
    EXPECT_FALSE(text.IsRectEmpty());
    EXPECT_EQ(canvas.Pixel(25, 25), Green);
    EXPECT_EQ(canvas.Pixel(15, 15), White);
}

TEST_F(TextPaint, AtHalfSizeTheTextIsDrawnFullSizeAndShrunkIntoPlace)
{
    box.BackColor = Green;
    view.zoom = 50;
    canvas.dc.SetMapMode(MM_ANISOTROPIC);
    canvas.dc.SetWindowExt(2, 2);
    canvas.dc.SetViewportExt(1, 1);
    canvas.dc.FillSolidRect(0, 0, 320, 160, White);
    box.Draw(&canvas.dc);
    EXPECT_EQ(ColorBounds(canvas, 160, 80, White, true), CRect(10, 10, 70, 30));
    canvas.dc.FillSolidRect(0, 0, 320, 160, Green);
    box.Draw(&canvas.dc);
    CRect text = ColorBounds(canvas, 160, 80, Green, true);
    EXPECT_GT(text.Width(), 3) << "the shrunk text still shows";
    EXPECT_LE(text.Height(), 10);
    EXPECT_GE(text.left, 10);
    EXPECT_GE(text.top, 10);
    EXPECT_LE(text.right, 70);
    EXPECT_LE(text.bottom, 30);
    EXPECT_EQ(canvas.Pixel(35, 12), Green);
}

} // namespace

namespace {

// FNV-1a over the canvas's pixels, row by row.
uint64_t PixelHash(const Canvas& canvas)
{
    uint64_t hash = 14695981039346656037ull;
    for (COLORREF c : canvas.Pixels())
        for (int shift = 0; shift < 32; shift += 8)
            hash = (hash ^ ((c >> shift) & 0xFF)) * 1099511628211ull;
    return hash;
}

// The hashes were taken from the drawing before upright boxes stopped measuring their line.
TEST_F(TextPaint, UprightTurnedAndVerticalTextKeepTheirExactPixels)
{
    const struct {
        const char* name;
        double angle;
        long orientation;
        uint64_t hash;
    } cases[] = {
        {"upright", 0.0, CTextOb::Horizontal, 0xa7aa26a920225121ull},
        {"turned with the box", 90.0, CTextOb::Horizontal, 0xb5c34e32f470eeddull},
        {"vertical", 0.0, CTextOb::VerticalUp, 0x676deef76b4658dfull},
    };
    for (const auto& c : cases) {
        box.Text = "Ab 12";
        box.SetOrientation(c.orientation);
        box.SetRotateAngle(c.angle);
        box.RecalcRect();
        DrawnText();
        EXPECT_EQ(PixelHash(canvas), c.hash) << c.name;
    }
}

} // namespace
