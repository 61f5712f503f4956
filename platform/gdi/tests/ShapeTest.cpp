#include "Canvas.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::string Art(std::initializer_list<const char*> rows)
{
    std::string s;
    for (const char* r : rows)
        s += std::string(r) + "\n";
    return s;
}

TEST(Lines, OnePixelLineLeavesOutItsLastPixel)
{
    struct Case {
        POINT from, to;
        std::string art;
    };
    const std::vector<Case> cases = {
        {{0, 0}, {5, 0}, Art({"#####.", "......", "......"})},
        {{0, 0}, {0, 3}, Art({"#.....", "#.....", "#.....", })},
        {{0, 0}, {4, 2}, Art({"##....", "..##..", "......"})},
        {{5, 2}, {1, 0}, Art({"......", "..##..", "....##"})},
        {{0, 2}, {3, 0}, Art({"......", ".##...", "#....."})},
    };
    for (const Case& c : cases) {
        Canvas canvas(6, 3);
        canvas.dc.MoveTo(c.from);
        canvas.dc.LineTo(c.to);
        EXPECT_EQ(c.art, canvas.Art()) << c.from.x << "," << c.from.y << " to " << c.to.x << "," << c.to.y;
        POINT cp = canvas.dc.GetCurrentPosition();
        EXPECT_EQ(c.to.x, cp.x);
        EXPECT_EQ(c.to.y, cp.y);
    }
}

// A polyline drawn at once must look exactly like the same polyline stroked as a path:
// repeated points, a polyline of one point twice over, dashes with opaque gaps, a mix mode.
TEST(Lines, PolylineDrawsAsItsStrokedPath)
{
    struct Case {
        const char* name;
        std::vector<POINT> points;
        int style;
        int rop2;
    };
    const std::vector<Case> cases = {
        {"zigzag", {{1, 1}, {9, 3}, {2, 8}, {11, 10}}, PS_SOLID, R2_COPYPEN},
        {"repeats", {{2, 2}, {2, 2}, {7, 2}, {7, 2}, {7, 9}}, PS_SOLID, R2_COPYPEN},
        {"one point twice", {{5, 5}, {5, 5}}, PS_SOLID, R2_COPYPEN},
        {"dashed with opaque gaps", {{0, 6}, {11, 6}, {11, 0}, {0, 11}}, PS_DASH, R2_COPYPEN},
        {"inverting", {{1, 10}, {10, 1}, {10, 10}, {1, 10}}, PS_SOLID, R2_NOT},
        {"past the edge", {{-20, 3}, {30, 8}}, PS_DOT, R2_COPYPEN},
    };
    for (const Case& c : cases) {
        Canvas direct(12, 12), stroked(12, 12);
        CPen pen(c.style, 1, RGB(0, 0, 255));
        for (Canvas* canvas : {&direct, &stroked}) {
            canvas->dc.SelectObject(&pen);
            canvas->dc.SetBkColor(RGB(255, 0, 0));
            canvas->dc.SetROP2(c.rop2);
        }
        direct.dc.Polyline(c.points.data(), int(c.points.size()));
        stroked.dc.BeginPath();
        stroked.dc.Polyline(c.points.data(), int(c.points.size()));
        stroked.dc.EndPath();
        stroked.dc.StrokePath();
        EXPECT_EQ(stroked.Art(), direct.Art()) << c.name;
    }
}

TEST(Shapes, RectangleLeavesRightAndBottomEdgeOut)
{
    Canvas canvas(7, 6);
    CBrush red(RGB(255, 0, 0));
    canvas.dc.SelectObject(&red);
    canvas.dc.Rectangle(1, 1, 6, 5);
    EXPECT_EQ(Art({".......", ".#####.", ".#rrr#.", ".#rrr#.", ".#####.", "......."}), canvas.Art());
}

TEST(Shapes, RectangleWithoutPenIsOnePixelSmaller)
{
    Canvas canvas(6, 5);
    CBrush red(RGB(255, 0, 0));
    canvas.dc.SelectObject(&red);
    canvas.dc.SelectStockObject(NULL_PEN);
    canvas.dc.Rectangle(1, 1, 5, 4);
    EXPECT_EQ(Art({"......", ".rrr..", ".rrr..", "......", "......"}), canvas.Art());
}

TEST(Shapes, EllipseStaysInsideItsBoundingBox)
{
    const std::vector<RECT> boxes = {{0, 0, 8, 6}, {2, 3, 13, 9}, {1, 1, 4, 4}, {0, 0, 16, 16}};
    for (const RECT& box : boxes) {
        Canvas canvas(20, 20);
        canvas.dc.Ellipse(&box);
        EXPECT_TRUE(canvas.Ink() == box) << box.left << "," << box.top << "," << box.right << "," << box.bottom;
    }
}

TEST(Shapes, InsideFramePenKeepsWidePenInsideTheBox)
{
    Canvas canvas(20, 20);
    CPen pen(PS_INSIDEFRAME, 4, RGB(0, 0, 0));
    canvas.dc.SelectObject(&pen);
    canvas.dc.Ellipse(2, 2, 18, 16);
    RECT ink = canvas.Ink();
    EXPECT_TRUE(ink == (RECT{2, 2, 18, 16})) << ink.left << "," << ink.top << "," << ink.right << "," << ink.bottom;
}

TEST(Shapes, PieAndChordFollowTheArcDirection)
{
    // Start on the east radial, end on the north one.
    struct Case {
        int direction;
        bool pie;
        POINT inside;
        POINT outside;
    };
    const std::vector<Case> cases = {
        {AD_COUNTERCLOCKWISE, true, {13, 6}, {6, 13}},
        {AD_CLOCKWISE, true, {6, 13}, {13, 6}},
        {AD_COUNTERCLOCKWISE, false, {15, 4}, {6, 13}},
        {AD_CLOCKWISE, false, {6, 13}, {15, 4}},
    };
    for (const Case& c : cases) {
        Canvas canvas(20, 20);
        CBrush red(RGB(255, 0, 0));
        canvas.dc.SelectObject(&red);
        canvas.dc.SetArcDirection(c.direction);
        if (c.pie)
            canvas.dc.Pie(0, 0, 20, 20, 20, 10, 10, 0);
        else
            canvas.dc.Chord(0, 0, 20, 20, 20, 10, 10, 0);
        EXPECT_EQ(RGB(255, 0, 0), canvas.dc.GetPixel(c.inside)) << c.direction << c.pie;
        EXPECT_EQ(RGB(255, 255, 255), canvas.dc.GetPixel(c.outside)) << c.direction << c.pie;
    }
}

TEST(Shapes, ArcDrawsOnlyTheCurve)
{
    Canvas canvas(20, 20);
    canvas.dc.Arc(0, 0, 20, 20, 20, 10, 10, 0);  // top-right quarter
    RECT ink = canvas.Ink();
    EXPECT_GE(ink.left, 9);
    EXPECT_LE(ink.bottom, 11);
    EXPECT_EQ(RGB(255, 255, 255), canvas.dc.GetPixel(14, 6));
    EXPECT_GT(canvas.Count(RGB(0, 0, 0)), 10);
}

TEST(Shapes, PolygonFillModes)
{
    // A pentagram: the centre is inside with winding fill, a hole with alternate fill.
    const POINT star[] = {{10, 0}, {16, 19}, {0, 7}, {20, 7}, {4, 19}};
    for (int mode : {ALTERNATE, WINDING}) {
        Canvas canvas(21, 21);
        CBrush red(RGB(255, 0, 0));
        canvas.dc.SelectObject(&red);
        canvas.dc.SelectStockObject(NULL_PEN);
        canvas.dc.SetPolyFillMode(mode);
        canvas.dc.Polygon(star, 5);
        COLORREF centre = canvas.dc.GetPixel(10, 10);
        EXPECT_EQ(mode == WINDING ? RGB(255, 0, 0) : RGB(255, 255, 255), centre) << mode;
        EXPECT_EQ(RGB(255, 0, 0), canvas.dc.GetPixel(10, 4)) << mode;
    }
}

// Overlapping figures with thin, dashed and wide pens, solid and hatched brushes: the exact
// pixels, so faster ways of drawing them cannot change what they draw.
TEST(Shapes, MixedFiguresKeepTheirExactPixels)
{
    Canvas canvas(26, 17);
    CPen thin(PS_SOLID, 0, RGB(0, 0, 0)), dashed(PS_DASH, 1, RGB(255, 0, 0)), wide(PS_SOLID, 3, RGB(0, 0, 255));
    CBrush green(RGB(0, 255, 0)), hatch(HS_DIAGCROSS, RGB(0, 0, 0)), yellow(RGB(255, 255, 0));
    CDC& dc = canvas.dc;
    dc.SelectObject(&wide);
    dc.SelectObject(&hatch);
    dc.Ellipse(1, 1, 14, 12);
    dc.SelectObject(&dashed);
    dc.SelectObject(&yellow);
    dc.Pie(10, 0, 26, 16, 26, 0, 10, 0);
    dc.SelectObject(&thin);
    dc.SelectObject(&green);
    const POINT triangle[] = {{2, 16}, {15, 16}, {8, 7}};
    dc.Polygon(triangle, 3);
    dc.SelectObject(&wide);
    dc.Rectangle(17, 9, 25, 16);
    dc.MoveTo(0, 15);
    dc.LineTo(11, 2);
    dc.SelectObject(&dashed);
    dc.MoveTo(0, 0);
    dc.LineTo(25, 13);
    EXPECT_EQ(Art({
                      "r....bbbbb.....yyrrr......",
                      ".rrbbbbbbbbbbyrrryyyrr....",
                      "..brrbbbbbbbbryyyyyyyyr...",
                      ".bbbbrr..bbbbryyyyyyyy.r..",
                      "bbbb#..rrbbbbb.yyyyyy.r...",
                      "bbb..#.bbrr.bbb.yyyy.r....",
                      "bbb...bbbb.rrbb..yy.r.....",
                      "bbb..bbbb...brr....r......",
                      "bbbbbbbbg#.bbbbrrbbbbbbbbb",
                      ".bbbbbb#gg#bbb..br.bbbbbbb",
                      "..bbbbbggg#bb...bbb..bbbbb",
                      "..bbbbggggg#....bbbgg..bbb",
                      ".bbbb#gggggg#...bbbgggg.rb",
                      "bbbb#gggggggg#..bbbggggbbb",
                      "bbb#ggggggggg#..bbbbbbbbbb",
                      "bbg#gggggggggg#.bbbbbbbbbb",
                      "b.##############bbbbbbbbbb"}),
              canvas.Art());
}

// The gaps of a dotted outline show what lay under the figure, or the background colour when
// opaque, never the fill; wide enough that rows are drawn in whole words and a remainder.
TEST(Pens, DottedOutlineGapsKeepWhatLayUnderTheFill)
{
    struct Case {
        int bkMode;
        bool hatched;
        std::string art;
    };
    const std::vector<Case> cases = {
        {TRANSPARENT, false, Art({"bbbbbbbbbbbbbbbbbbbbbb", "b###bbb###bbb###bbb##b", "b#yyyyyyyyyyyyyyyyyy#b",
                                  "b#yyyyyyyyyyyyyyyyyybb", "bbbb###bbb###bbb###bbb", "bbbbbbbbbbbbbbbbbbbbbb"})},
        {OPAQUE, false, Art({"bbbbbbbbbbbbbbbbbbbbbb", "b###rrr###rrr###rrr##b", "b#yyyyyyyyyyyyyyyyyy#b",
                             "b#yyyyyyyyyyyyyyyyyyrb", "brrr###rrr###rrr###rrb", "bbbbbbbbbbbbbbbbbbbbbb"})},
        {OPAQUE, true, Art({"bbbbbbbbbbbbbbbbbbbbbb", "b###rrr###rrr###rrr##b", "b#grrgrrrrgrrgrrrrgr#b",
                            "b#rggrrrrrrggrrrrrrgrb", "brrr###rrr###rrr###rrb", "bbbbbbbbbbbbbbbbbbbbbb"})},
    };
    for (const Case& c : cases) {
        Canvas canvas(22, 6, RGB(0, 0, 255));
        CPen pen(PS_DOT, 0, RGB(0, 0, 0));
        CBrush solid(RGB(255, 255, 0)), hatch(HS_DIAGCROSS, RGB(0, 255, 0));
        canvas.dc.SelectObject(&pen);
        canvas.dc.SelectObject(c.hatched ? &hatch : &solid);
        canvas.dc.SetBkMode(c.bkMode);
        canvas.dc.SetBkColor(RGB(255, 0, 0));
        canvas.dc.Rectangle(1, 1, 21, 5);
        EXPECT_EQ(c.art, canvas.Art()) << c.bkMode << (c.hatched ? " hatched" : " solid");
    }
}

// A filled figure cut by the top or bottom edge shows the same rows as on a taller bitmap, and
// one just below the bitmap, whose wide pen still reaches near it, changes nothing.
TEST(Shapes, FiguresCutByAnEdgeKeepTheirVisibleRows)
{
    auto draw = [](Canvas& canvas, int top) {
        CPen wide(PS_SOLID, 3, RGB(0, 0, 255));
        CBrush yellow(RGB(255, 255, 0));
        canvas.dc.SelectObject(&wide);
        canvas.dc.SelectObject(&yellow);
        canvas.dc.Ellipse(2, top, 14, top + 20);
        canvas.dc.SelectStockObject(BLACK_PEN);
        canvas.dc.SelectStockObject(WHITE_BRUSH);
    };
    Canvas tall(16, 24), upper(16, 12), lower(16, 12), below(16, 12);
    draw(tall, 2);
    draw(upper, 2);
    draw(lower, -10);
    draw(below, 14);
    const std::string art = tall.Art();
    const size_t half = art.size() / 2;
    EXPECT_EQ(art.substr(0, half), upper.Art());
    EXPECT_EQ(art.substr(half), lower.Art());
    EXPECT_EQ(0, below.Count(RGB(0, 0, 255)) + below.Count(RGB(255, 255, 0)));
}

TEST(Pens, DashStylesRepeatTheirRuns)
{
    struct Case {
        int style;
        std::string runs;  // first 24 pixels of a horizontal line
    };
    const std::vector<Case> cases = {
        {PS_SOLID, "########################"},
        {PS_DASH, "##################......"},
        {PS_DOT, "###...###...###...###..."},
        {PS_DASHDOT, "#########......###......"},
        {PS_DASHDOTDOT, "#########...###...###..."},
        {PS_NULL, "........................"},
    };
    for (const Case& c : cases) {
        Canvas canvas(24, 1);
        CPen pen(c.style, 1, RGB(0, 0, 0));
        canvas.dc.SelectObject(&pen);
        canvas.dc.SetBkMode(TRANSPARENT);
        canvas.dc.MoveTo(0, 0);
        canvas.dc.LineTo(30, 0);
        EXPECT_EQ(c.runs + "\n", canvas.Art()) << c.style;
    }
}

TEST(Pens, GapsTakeTheBackgroundColourWhenOpaque)
{
    Canvas canvas(12, 1);
    CPen pen(PS_DOT, 0, RGB(0, 0, 0));
    canvas.dc.SelectObject(&pen);
    canvas.dc.SetBkMode(OPAQUE);
    canvas.dc.SetBkColor(RGB(255, 0, 0));
    canvas.dc.MoveTo(0, 0);
    canvas.dc.LineTo(12, 0);
    EXPECT_EQ("###rrr###rrr\n", canvas.Art());
}

TEST(Pens, WidePenCoversItsWidth)
{
    Canvas canvas(20, 11);
    CPen pen(PS_SOLID, 5, RGB(0, 0, 0));
    pen.DeleteObject();
    LOGBRUSH lb{BS_SOLID, RGB(0, 0, 0), 0};
    pen.CreatePen(PS_GEOMETRIC | PS_ENDCAP_FLAT, 5, &lb);
    canvas.dc.SelectObject(&pen);
    canvas.dc.MoveTo(2, 5);
    canvas.dc.LineTo(18, 5);
    RECT ink = canvas.Ink();
    EXPECT_EQ(3, ink.top);
    EXPECT_EQ(8, ink.bottom);
    EXPECT_EQ(2, ink.left);
}

TEST(Brushes, EveryHatchDrawsItsLines)
{
    struct Case {
        int hatch;
        std::vector<POINT> ink;  // pixels of the 8 x 8 cell that carry the hatch colour
    };
    auto line = [](auto f) {
        std::vector<POINT> v;
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                if (f(x, y))
                    v.push_back({x, y});
        return v;
    };
    const std::vector<Case> cases = {
        {HS_HORIZONTAL, line([](int, int y) { return y == 7; })},
        {HS_VERTICAL, line([](int x, int) { return x == 7; })},
        {HS_FDIAGONAL, line([](int x, int y) { return x == y; })},
        {HS_BDIAGONAL, line([](int x, int y) { return x + y == 7; })},
        {HS_CROSS, line([](int x, int y) { return x == 7 || y == 7; })},
        {HS_DIAGCROSS, line([](int x, int y) { return x == y || x + y == 7; })},
    };
    for (const Case& c : cases) {
        Canvas canvas(16, 16);
        CBrush hatch(c.hatch, RGB(0, 0, 255));
        canvas.dc.SetBkColor(RGB(255, 255, 0));
        RECT all{0, 0, 16, 16};
        canvas.dc.FillRect(&all, &hatch);
        EXPECT_EQ(int(c.ink.size()) * 4, canvas.Count(RGB(0, 0, 255))) << c.hatch;
        EXPECT_EQ(256 - int(c.ink.size()) * 4, canvas.Count(RGB(255, 255, 0))) << c.hatch;
        for (POINT p : c.ink)
            EXPECT_EQ(RGB(0, 0, 255), canvas.dc.GetPixel(p.x + 8, p.y + 8)) << c.hatch;
    }
}

TEST(Brushes, TransparentModeLeavesHatchBackground)
{
    Canvas canvas(8, 8);
    CBrush hatch(HS_CROSS, RGB(0, 0, 0));
    canvas.dc.SelectObject(&hatch);
    canvas.dc.SelectStockObject(NULL_PEN);
    canvas.dc.SetBkMode(TRANSPARENT);
    canvas.dc.SetBkColor(RGB(255, 0, 0));
    canvas.dc.Rectangle(0, 0, 9, 9);
    EXPECT_EQ(15, canvas.Count(RGB(0, 0, 0)));
    EXPECT_EQ(49, canvas.Count(RGB(255, 255, 255)));
}

TEST(Brushes, BrushOriginShiftsThePattern)
{
    Canvas canvas(8, 8);
    CBrush hatch(HS_VERTICAL, RGB(0, 0, 0));
    canvas.dc.SetBrushOrg(3, 0);
    RECT all{0, 0, 8, 8};
    canvas.dc.FillRect(&all, &hatch);
    EXPECT_EQ(RGB(0, 0, 0), canvas.dc.GetPixel(2, 0));
    EXPECT_EQ(8, canvas.Count(RGB(0, 0, 0)));
}

TEST(Mix, XorRubberBandDrawnTwiceRestoresTheImage)
{
    Canvas canvas(24, 24);
    CBrush red(RGB(255, 0, 0));
    canvas.dc.SelectObject(&red);
    canvas.dc.Ellipse(2, 2, 20, 14);
    canvas.dc.MoveTo(0, 23);
    canvas.dc.LineTo(23, 0);
    std::string before = canvas.Art();
    for (int mode : {R2_NOT, R2_XORPEN, R2_NOTXORPEN}) {
        CPen pen(PS_DOT, 0, RGB(0, 255, 0));
        CPen* oldPen = canvas.dc.SelectObject(&pen);
        canvas.dc.SelectStockObject(NULL_BRUSH);
        int old = canvas.dc.SetROP2(mode);
        canvas.dc.Rectangle(3, 5, 21, 22);
        EXPECT_NE(before, canvas.Art()) << mode;
        canvas.dc.Rectangle(3, 5, 21, 22);
        canvas.dc.SetROP2(old);
        canvas.dc.SelectObject(oldPen);
        EXPECT_EQ(before, canvas.Art()) << mode;
    }
    RECT focus{4, 4, 17, 11};
    canvas.dc.DrawFocusRect(&focus);
    EXPECT_NE(before, canvas.Art());
    canvas.dc.DrawFocusRect(&focus);
    EXPECT_EQ(before, canvas.Art());
}

// Copying draws pen and fill in one pass; a clip region makes the same figures mix fill and pen
// in turn. Both must give the same pixels, gaps and hatches included.
TEST(Mix, CopyingInOnePassMatchesMixingInTurn)
{
    auto draw = [](Canvas& canvas) {
        CDC& dc = canvas.dc;
        CPen dashed(PS_DASH, 1, RGB(255, 0, 0)), wide(PS_SOLID, 3, RGB(0, 0, 255));
        CBrush hatch(HS_CROSS, RGB(0, 0, 0)), yellow(RGB(255, 255, 0));
        dc.SetBkColor(RGB(0, 255, 0));
        dc.SelectObject(&dashed);
        dc.SelectObject(&hatch);
        dc.Ellipse(-4, 2, 30, 26);
        dc.SelectObject(&wide);
        dc.SelectObject(&yellow);
        const POINT triangle[] = {{3, 30}, {36, 30}, {20, 9}};
        dc.Polygon(triangle, 3);
        dc.SelectStockObject(NULL_PEN);
        dc.Rectangle(28, 1, 39, 12);
        dc.SelectObject(&dashed);
        dc.SetBkMode(TRANSPARENT);
        dc.SelectObject(&hatch);
        dc.Pie(6, 6, 40, 40, 40, 6, 6, 6);
        dc.MoveTo(0, 31);
        dc.LineTo(39, 0);
        dc.SelectStockObject(BLACK_PEN);
        dc.SelectStockObject(WHITE_BRUSH);
    };
    Canvas copied(40, 32), mixed(40, 32);
    CRgn whole;
    whole.CreateRectRgn(0, 0, 40, 32);
    mixed.dc.SelectClipRgn(&whole);
    draw(copied);
    draw(mixed);
    EXPECT_EQ(mixed.Art(), copied.Art());
    EXPECT_GT(copied.Count(RGB(0, 255, 0)), 10);
    EXPECT_GT(copied.Count(RGB(255, 255, 0)), 50);
}

TEST(Mix, EveryBinaryMixModeOnBlackAndWhite)
{
    // Columns: white pen on white, white pen on black, black pen on white, black pen on black.
    const char* expected[17] = {nullptr, "####", "###.", "##.#", "##..", "#.##", "#.#.", "#..#", "#...",
                                ".###",  ".##.", ".#.#", ".#..", "..##", "..#.", "...#", "...."};
    for (int mode = R2_BLACK; mode <= R2_WHITE; ++mode) {
        Canvas canvas(4, 1);
        canvas.dc.SetPixel(1, 0, RGB(0, 0, 0));
        canvas.dc.SetPixel(3, 0, RGB(0, 0, 0));
        canvas.dc.SetROP2(mode);
        CPen white(PS_SOLID, 0, RGB(255, 255, 255));
        CPen black(PS_SOLID, 0, RGB(0, 0, 0));
        CPen* old = canvas.dc.SelectObject(&white);
        canvas.dc.MoveTo(0, 0);
        canvas.dc.LineTo(2, 0);
        canvas.dc.SelectObject(&black);
        canvas.dc.LineTo(4, 0);
        canvas.dc.SelectObject(old);
        EXPECT_EQ(std::string(expected[mode]) + "\n", canvas.Art()) << mode;
    }
}

}  // namespace
