#include "platform/gdi/tests/Canvas.h"
#include "platform/ink/InkDisp.h"
#include "platform/ink/InkRenderer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

// The redraw of a page of waves (APageOfWavesRedrawsPixelForPixel), as it has always looked.
const std::string kWaves =
    "bb..b..bb.bb..b....bb..b..bb.bb..b...rrr.rr.rrrrrr.rr.....\n"
    "bb.bb..bb.bb.b.....bb.bb..bb.bb..b...rrrrrr.rrrrrr.rr.....\n"
    "bb.bb..bb.bb.b.....bb.bb..bb.bb.b....rrrrrrrrrrrrrrrr.....\n"
    "bb.b.bb.b.bb.b.....bb.b.bb.b.bb.b....rrrrrrrrrrrrrrr......\n"
    "bb.b.bb.b.bb.b.....bb.b.bb.b.bb.b...rrrrrrrrrrrrrrrr......\n"
    "bb.b.bb.b.bb.b...b.bb.b.bb.b.bb.b..rrrrrrrrrrrrrrrrr......\n"
    "bb.b.bb.b.bb.b...b.bb.b.bb.b.bb.b..rrrrrrrrrrrrrrrrr......\n"
    "..bb.bb.bb..bb...bb.b.b.bb.b.b.bb..rrrrrrrrrrrrrrrrr......\n"
    "..bb.bb.bb..bb...bb..bb.bb.bb..bb..rrrrrrrrrrrrrrrrr......\n"
    "..bb.bb.bb..bb...bb..bb.bb.bb..bb..rrr.rrrrrrrrrrrrr......\n"
    "..b..bb..b..bb...bb..b..bb..b..bb..rrr.rrrrrr.rr.rrr......\n"
    "..b..bb..b..b.....b..b..bb..b..b....rr.rr.rrr.rr.rrr......\n"
    "..........................................................\n"
    "..........................................................\n"
    "..........................................................\n"
    ".................yyyyyyyyyyyyyyyyyy.......................\n"
    ".................yyyyyyyyyyyyyyyyyy.......................\n"
    ".................yyyyyyyyyyyyyyyyyy.......................\n"
    ".................yyyyyyyyyyyyyyyyyy.......................\n"
    ".................yyyyyyyyyyyyyyyyyy.......................\n"
    "bb..b..b..bb.....yyyyyyyyyyyyyyyyyy...bb..b..b..bb........\n"
    "bb..b..bb.bb..byyyyyyyyyyyyyyyyyyyy...bb..b..bb.bb..b.....\n"
    "bb.bb..bb.bb.b.yyyyyyyyyyyyyyyyyyyy...bb.bb..bb.bb..b.....\n"
    "bb.bb..bb.bb.b.yyyyyyyyyyyyyyyyyyyy...bb.bb..bb.bb.b......\n"
    "bb.b.bb.b.bb.b.yyyyyyyyyyyyyyyyyyyy...bb.b.bb.b.bb.b......\n"
    "bb.b.bb.b.bb.b.yyyyyyyyyyyyyyyyyyyy...bb.b.bb.b.bb.b......\n"
    "bb.b.bb.b.bb.b.yyyyyyyyyyyyyyyyyyyy.b.bb.b.bb.b.bb.b......\n"
    "bb.b.bb.b.bb.b.yyyyyyyyyyyyyyyyyyyy.b.bb.b.bb.b.bb.b......\n"
    "..bb.bb.bb..bb.yyyyyyyyyyyyyyyyyyy..bb.b.b.bb.b.b.bb......\n"
    "..bb.bb.bb..bb.yyyyyyyyyyyyyyyyyyy..bb..bb.bb.bb..bb......\n"
    "..bb.bb.bb..bb.yyyyyyyyyyyyyyyyyyy..bb..bb.bb.bb..bb......\n"
    "..b..bb..b..bb.yyyyyyyyyyyyyyyyyyy..bb..b..bb..b..bb......\n"
    "..b..bb..b..b..yyyyyyyyyyyyyyyyyyy...b..b..bb..b..b.......\n"
    "...............yyyyyyyyyyyyyyyyyyy........................\n"
    "...............yyyyyyyyyyyyyyyyyyy........................\n"
    "...............yyyyyyyyyyyyyyyyyyy........................\n"
    "...............yyyyyyyyyyyyyyyyyyy........................\n"
    "................yyyyyyyyyyyyyyyyy.........................\n"
    "..........................................................\n"
    "..........................................................\n"
    "..........................................................\n"
    "..........................................................\n";

const std::string kSmallWaves =
    "b.bbbb....bbbb.b..rrrrrrrrr...\n"
    "bbbbbbbb.bbbbbbbb.rrrrrrrrr...\n"
    "bbbbbbbbbbbbbbbbbrrrrrrrrrr...\n"
    "bbbbbbb..bbbbbbbbrrrrrrrrrr...\n"
    "bb.bbbb.y####y###rrrrrrrrr....\n"
    "bb.bbbb.y####y#y#rrrrrrrrr....\n"
    ".......yyyyyyyyyyy............\n"
    "......yyyyyyyyyyyy............\n"
    "......yyyyyyyyyyyy............\n"
    "b.bbbbyyyyyyyyyyyy.b.bbbb.....\n"
    "bbbbbb##yyyyyyyyyy.bbbbbbbb...\n"
    "bbbbbb##yyyyyyyyyy.bbbbbbbb...\n"
    "bbbbbb##yyyyyyyyyybbbbbbbbb...\n"
    "bbbbbb#yyyyyyyyyyybbbbbbbb....\n"
    "bb.bbb#yyyyyyyyyyybbb.bbbb....\n"
    "......yyyyyyyyyyyy............\n"
    "......yyyyyyyyyyyy............\n"
    "......yyyyyyyyyyyy............\n"
    ".......yyyyyyyyyyy............\n"
    ".......yyyyyyyyyyy............\n"
    "..............................\n"
    "..............................\n";

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

// Stored ink can hold points anywhere in ink space; a stamped pen must not walk the whole way.
TEST(InkRenderer, AStampedSegmentToTheFarEdgeOfInkSpaceDrawsOnlyItsVisiblePart)
{
    Canvas canvas(20, 20);
    auto ink = InkDisp::Create();
    auto s = ink->CreateStroke({{265, 265}, {2000000000, 265}});  // from (10, 10) rightwards
    s->SetDrawingAttributes(Pen(RGB(255, 0, 0), 100, 200, InkPenTip::Rectangle));
    InkRenderer().Draw(canvas.dc, ink->Strokes());
    EXPECT_EQ(canvas.Pixel(8, 10), RGB(255, 0, 0));
    EXPECT_EQ(canvas.Pixel(19, 10), RGB(255, 0, 0));
    EXPECT_EQ(canvas.Pixel(19, 1), RGB(255, 255, 255));
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

// Waves of the redraw benchmark, a few to a small page: thin pens drawn together, a wider pen and
// a highlighter, part of them moved off the page's top-left edge.
TEST(InkRenderer, APageOfWavesRedrawsPixelForPixel)
{
    const double perPixel = 2540.0 / 96.0;
    auto ink = InkDisp::Create();
    const InkDrawingAttributes pens[] = {Pen(RGB(0, 0, 255), 10), Pen(RGB(0, 0, 255), 10), Pen(RGB(255, 0, 0), 53),
                                         Pen(RGB(0, 0, 255), 10), Pen(RGB(255, 255, 0), 100, 300, InkPenTip::Rectangle, kInkMaskPen),
                                         Pen(RGB(0, 0, 255), 10)};
    for (int i = 0; i < 6; ++i) {
        const double x0 = (i % 3) * 19 * perPixel, y0 = (i / 3) * 21 * perPixel;
        std::vector<POINT> points;
        for (int p = 0; p < 100; ++p)
            points.push_back({LONG(x0 + p * 0.16 * perPixel), LONG(y0 + (8 + 6 * std::sin(p * 0.3)) * perPixel)});
        ink->CreateStroke(points)->SetDrawingAttributes(pens[i]);
    }
    Canvas canvas(58, 42);
    InkRenderer r;
    r.Move(-2 * perPixel, -3 * perPixel);
    r.Draw(canvas.dc, ink->Strokes());
    EXPECT_EQ(canvas.Art(), kWaves);

    Canvas small(30, 22);
    r.ScaleTransform(0.5, 0.45, false);  // as a stroke object shrunk on the page, pens kept
    r.Draw(small.dc, ink->Strokes());
    EXPECT_EQ(small.Art(), kSmallWaves);
}

}  // namespace
