#include "platform/gdi/tests/Canvas.h"
#include "platform/ink/InkDisp.h"
#include "platform/ink/InkRenderer.h"

#include <gtest/gtest.h>

namespace {

InkDrawingAttributes Pen(COLORREF color, float width, float height = 0, InkPenTip tip = InkPenTip::Ball,
                         int rop = kInkCopyPen)
{
    InkDrawingAttributes a;
    a.Color = color;
    a.Width = width;
    a.Height = height ? height : width;
    a.PenTip = tip;
    a.RasterOperation = rop;
    a.AntiAliased = false;
    return a;
}

TEST(InkRenderer, AnInchOfInkIsNinetySixPixels)
{
    Canvas canvas(4, 4);
    HDC dc = canvas.dc.GetSafeHdc();
    InkRenderer r;
    POINT p{2540, 5080};
    r.InkSpaceToPixel(dc, p);
    EXPECT_EQ(p.x, 96);
    EXPECT_EQ(p.y, 192);
    r.PixelToInkSpace(dc, p);
    EXPECT_EQ(p.x, 2540);
    EXPECT_EQ(p.y, 5080);
}

TEST(InkRenderer, ConversionsRoundTripUnderTheViewTransform)
{
    Canvas canvas(4, 4);
    HDC dc = canvas.dc.GetSafeHdc();
    InkRenderer r;
    r.Move(-1000, 500);
    r.ScaleTransform(2.0, 0.5);
    for (POINT pixel : {POINT{0, 0}, POINT{13, 7}, POINT{-40, 250}, POINT{1000, 1000}}) {
        POINT ink = pixel;
        r.PixelToInkSpace(dc, ink);
        r.InkSpaceToPixel(dc, ink);
        EXPECT_EQ(ink.x, pixel.x);
        EXPECT_EQ(ink.y, pixel.y);
    }
    POINT origin{1000, -500};  // moved to the origin before the scale
    r.InkSpaceToPixel(dc, origin);
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 0);
    RECT rect{1000, -500, 1000 + 2540, -500 + 2540};
    r.InkSpaceToPixel(dc, rect);
    EXPECT_EQ(rect.right, 192);
    EXPECT_EQ(rect.bottom, 48);
    r.ScaleTransform(0, 1);  // refused: it could not be undone
    r.InkSpaceToPixel(dc, origin);
}

TEST(InkRenderer, APenStrokeIsDrawnAlongItsPoints)
{
    Canvas canvas(20, 12);
    auto ink = InkDisp::Create();
    auto s = ink->CreateStroke({{265, 265}, {265 * 6, 265}});  // (10, 10) to (60, 10) tenths of an inch
    s->SetDrawingAttributes(Pen(RGB(255, 0, 0), 53));           // two pixels wide
    InkRenderer().Draw(canvas.dc, ink->Strokes());
    EXPECT_EQ(canvas.Pixel(10, 10), RGB(255, 0, 0));
    EXPECT_EQ(canvas.Pixel(15, 10), RGB(255, 0, 0));
    EXPECT_EQ(canvas.Pixel(15, 5), RGB(255, 255, 255));
    RECT box = canvas.Ink();
    EXPECT_LE(box.top, 10);
    EXPECT_GE(box.bottom, 11);
    EXPECT_LE(box.bottom - box.top, 3);
}

TEST(InkRenderer, AHighlighterIsATallBarThatMasksThePage)
{
    Canvas canvas(20, 30);
    canvas.dc.FillSolidRect(0, 0, 10, 30, RGB(0, 0, 255));
    auto ink = InkDisp::Create();
    auto s = ink->CreateStroke({{132, 397}, {397, 397}});  // (5, 15) to (15, 15)
    s->SetDrawingAttributes(Pen(RGB(255, 255, 0), 100, 600, InkPenTip::Rectangle, kInkMaskPen));
    InkRenderer().Draw(canvas.dc, ink->Strokes());
    EXPECT_EQ(canvas.Pixel(6, 15), RGB(0, 0, 0));       // blue masked by yellow
    EXPECT_EQ(canvas.Pixel(12, 15), RGB(255, 255, 0));  // white masked by yellow
    EXPECT_EQ(canvas.Pixel(12, 5), RGB(255, 255, 0));   // 600 high: about 23 pixels
    EXPECT_EQ(canvas.Pixel(12, 1), RGB(255, 255, 255));
    EXPECT_EQ(canvas.Pixel(18, 15), RGB(255, 255, 255));
}

TEST(InkRenderer, InkMovedToTheOriginAndHalvedFitsASmallerArea)
{
    Canvas canvas(30, 30);
    auto ink = InkDisp::Create();
    auto s = ink->CreateStroke({{5000, 5000}, {5000 + 1270, 5000}});  // half an inch: 48 pixels
    s->SetDrawingAttributes(Pen(RGB(0, 0, 0), 26));
    InkRenderer r;
    RECT box = ink->GetBoundingBox(InkBoundingBoxMode::PointsOnly);
    r.Move(-box.left, -box.top);
    r.ScaleTransform(0.5, 0.5);
    r.Draw(canvas.dc, ink->Strokes());
    RECT drawn = canvas.Ink();
    EXPECT_EQ(drawn.left, 0);
    EXPECT_NEAR(drawn.right, 25, 1);
    EXPECT_LE(drawn.bottom, 2);
}

TEST(InkRenderer, DeletedAndInvisibleStrokesDrawNothingAndOthersWithGivenAttributes)
{
    Canvas canvas(10, 10);
    auto ink = InkDisp::Create();
    auto s = ink->CreateStroke({{132, 132}});
    InkDrawingAttributes hidden = Pen(RGB(0, 0, 0), 53);
    hidden.Transparency = 255;
    s->SetDrawingAttributes(hidden);
    InkRenderer r;
    r.Draw(canvas.dc, ink->Strokes());
    EXPECT_EQ(canvas.Count(RGB(255, 255, 255)), 100);
    InkDrawingAttributes green = Pen(RGB(0, 255, 0), 80);
    r.DrawStroke(canvas.dc, *s, &green);
    EXPECT_EQ(canvas.Pixel(5, 5), RGB(0, 255, 0));
}

// Thin strokes of one pen go out together; what shows must be what each stroke gives alone,
// for copy-pen ink and for mask-pen ink over a yellow page (which it turns black).
TEST(InkRenderer, ThinStrokesOfOnePenDrawnTogetherLookAsDrawnOneByOne)
{
    for (int rop : {kInkCopyPen, kInkMaskPen}) {
        auto ink = InkDisp::Create();
        for (POINT from : {POINT{0, 0}, POINT{0, 400}, POINT{600, 0}}) {
            auto stroke = ink->CreateStroke({from, {from.x + 500, from.y + 300}, {from.x + 100, from.y + 500}});
            stroke->SetDrawingAttributes(Pen(RGB(0, 0, 255), 10, 0, InkPenTip::Ball, rop));
        }
        Canvas together(40, 40, RGB(255, 255, 0)), apart(40, 40, RGB(255, 255, 0));
        InkRenderer r;
        r.Draw(together.dc, ink->Strokes());
        const InkStrokes strokes = ink->Strokes();
        for (const auto& stroke : strokes.All())
            r.DrawStroke(apart.dc, *stroke);
        EXPECT_EQ(together.Art(), apart.Art()) << rop;
        const RECT inked = apart.Ink(RGB(255, 255, 0));
        EXPECT_GT(inked.right - inked.left, 30) << rop;
    }
}

}  // namespace
