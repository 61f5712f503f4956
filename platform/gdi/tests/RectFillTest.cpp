// Rectangles and rectangle fills are drawn straight to the pixels where the drawable area is one
// rectangle; a clip of many rectangles takes the general figure path. Both must give the same
// pixels in every pen, brush, mix mode, clip and mapping.
#include "Canvas.h"

#include "platform/gdi/Metafile.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kSide = 48;

struct State {
    const char* name;
    int penStyle;
    int penWidth;
    int hatch;  // -1 solid brush, -2 no brush
    int rop2;
    int mapMode;  // MM_TEXT, or MM_ANISOTROPIC at 150 %
    bool clipped;
};

const State kStates[] = {
    {"cosmetic pen, solid brush", PS_SOLID, 0, -1, R2_COPYPEN, MM_TEXT, false},
    {"one-pixel pen, no brush", PS_SOLID, 1, -2, R2_COPYPEN, MM_TEXT, false},
    {"inside-frame pen, solid brush", PS_INSIDEFRAME, 1, -1, R2_COPYPEN, MM_TEXT, false},
    {"hatched brush", PS_SOLID, 0, HS_DIAGCROSS, R2_COPYPEN, MM_TEXT, false},
    {"dashed pen", PS_DASH, 1, -1, R2_COPYPEN, MM_TEXT, false},
    {"wide pen", PS_SOLID, 3, -1, R2_COPYPEN, MM_TEXT, false},
    {"xor pen", PS_SOLID, 0, -1, R2_XORPEN, MM_TEXT, false},
    {"inverting, no brush", PS_SOLID, 0, -2, R2_NOT, MM_TEXT, false},
    {"merging pen", PS_SOLID, 1, -1, R2_MERGEPEN, MM_TEXT, false},
    {"clip rectangle", PS_SOLID, 0, -1, R2_COPYPEN, MM_TEXT, true},
    {"clip rectangle, xor", PS_SOLID, 0, -2, R2_XORPEN, MM_TEXT, true},
    {"scaled one-pixel pen", PS_SOLID, 1, -1, R2_COPYPEN, MM_ANISOTROPIC, false},
    {"scaled cosmetic pen", PS_SOLID, 0, -1, R2_COPYPEN, MM_ANISOTROPIC, true},
};

// Rectangles of every kind of size, reversed corners, and reaching past the edges.
const RECT kRects[] = {{2, 2, 12, 9},  {5, 5, 6, 20},     {8, 14, 10, 16}, {20, 3, 14, 11}, {30, 30, 29, 36},
                       {-6, 18, 4, 26}, {33, 20, 50, 28}, {12, 24, 28, 44}, {16, 16, 16, 30}, {22, 12, 27, 13}};

void Draw(CDC& dc, const State& s)
{
    dc.SetBkColor(RGB(0, 255, 0));
    dc.SetROP2(s.rop2);
    if (s.mapMode == MM_ANISOTROPIC) {
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetWindowExt(100, 100);
        dc.SetViewportExt(150, 150);
        dc.SetViewportOrg(-3, 1);
    }
    if (s.clipped)
        dc.IntersectClipRect(4, 7, 31, 30);
    CPen pen(s.penStyle, s.penWidth, RGB(0, 0, 255));
    CBrush brush;
    if (s.hatch == -1)
        brush.CreateSolidBrush(RGB(255, 255, 0));
    else if (s.hatch >= 0)
        brush.CreateHatchBrush(s.hatch, RGB(255, 0, 0));
    CPen* oldPen = dc.SelectObject(&pen);
    CGdiObject* oldBrush = s.hatch == -2 ? dc.SelectStockObject(NULL_BRUSH) : dc.SelectObject(&brush);
    CBrush fill(RGB(255, 0, 0));
    for (const RECT& r : kRects) {
        dc.Rectangle(&r);
        const RECT shifted{r.left + 1, r.top + 7, r.right + 1, r.bottom + 7};
        dc.FillRect(&shifted, s.hatch >= 0 ? &brush : &fill);
    }
    dc.InvertRect(CRect(3, 30, 9, 34));
    dc.FillSolidRect(34, 2, 4, 3, RGB(0, 0, 0));
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush->GetSafeHandle());
}

// A pixel inside every clip and under several figures, left out of the general path's clip.
constexpr POINT kHole{20, 20};

// A clip of many rectangles covering all but the hole: the figures then take the general path.
void ClipToManyRectangles(CDC& dc)
{
    CRgn all, hole, clip;
    all.CreateRectRgn(0, 0, kSide, kSide);
    hole.CreateRectRgn(kHole.x, kHole.y, kHole.x + 1, kHole.y + 1);
    clip.CreateRectRgn(0, 0, 0, 0);
    clip.CombineRgn(&all, &hole, RGN_DIFF);
    dc.SelectClipRgn(&clip);
}

// The canvas's pixels less the hole.
std::vector<COLORREF> AllButTheHole(const Canvas& canvas)
{
    std::vector<COLORREF> pixels = canvas.Pixels();
    pixels.erase(pixels.begin() + kHole.y * kSide + kHole.x);
    return pixels;
}

TEST(RectangleFastPath, DrawsWhatTheGeneralPathDraws)
{
    for (const State& s : kStates) {
        Canvas fast(kSide, kSide, RGB(0, 0, 0)), general(kSide, kSide, RGB(0, 0, 0));
        ClipToManyRectangles(general.dc);
        Draw(fast.dc, s);
        Draw(general.dc, s);
        EXPECT_EQ(AllButTheHole(general), AllButTheHole(fast)) << s.name;
        EXPECT_LT(fast.Count(RGB(0, 0, 0)), kSide * kSide - 200) << s.name;
    }
}

TEST(RectangleFastPath, OnePixelOutlineAndFillAreExact)
{
    Canvas canvas(8, 6);
    CPen pen(PS_SOLID, 1, RGB(0, 0, 255));
    CBrush brush(RGB(0, 255, 0));
    canvas.dc.SelectObject(&pen);
    canvas.dc.SelectObject(&brush);
    canvas.dc.IntersectClipRect(0, 0, 7, 6);
    canvas.dc.Rectangle(1, 1, 8, 5);
    canvas.dc.Rectangle(0, 0, 2, 2);
    EXPECT_EQ("bb......\n"
              "bbbbbbb.\n"
              ".bggggg.\n"
              ".bggggg.\n"
              ".bbbbbb.\n"
              "........\n",
              canvas.Art());
    canvas.dc.SelectObject(CPen::FromHandle(static_cast<HPEN>(::GetStockObject(BLACK_PEN))));
    canvas.dc.SelectObject(CBrush::FromHandle(static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH))));
}

// A metafile records the calls, not the pixels; played back, they draw through the same paths.
void Boxes(CDC& dc)
{
    CPen pen(PS_SOLID, 0, RGB(0, 0, 255));
    CBrush yellow(RGB(255, 255, 0)), red(RGB(255, 0, 0));
    CPen* oldPen = dc.SelectObject(&pen);
    CBrush* oldBrush = dc.SelectObject(&yellow);
    dc.Rectangle(0, 0, 48, 48);
    dc.Rectangle(4, 6, 20, 30);
    const RECT fill{10, 12, 40, 18};
    dc.FillRect(&fill, &red);
    dc.SelectStockObject(NULL_BRUSH);
    dc.Rectangle(24, 20, 44, 44);
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
}

TEST(RectangleFastPath, RecordedRectanglesPlayBackAsDrawn)
{
    constexpr RECT frame{0, 0, 1270, 1270};  // 48 x 48 pixels at 96 dpi in 0.01 mm
    CMetaFileDC meta;
    ASSERT_TRUE(meta.CreateEnhanced(nullptr, nullptr, &frame, "Test\0Boxes\0"));
    Boxes(meta);
    HENHMETAFILE emf = meta.CloseEnhanced();
    ASSERT_NE(nullptr, emf);
    Canvas direct(kSide, kSide), played(kSide, kSide);
    Boxes(direct.dc);
    RECT all{0, 0, kSide, kSide};
    EXPECT_TRUE(PlayEnhMetaFile(played.dc, emf, &all));
    EXPECT_EQ(direct.Art(), played.Art());
    DeleteEnhMetaFile(emf);
}

// Solid fills store whole runs at once: every width and start, in a colour of four equal bytes
// and in others, covers its own pixels and no neighbour.
TEST(SolidFill, RunsOfEveryWidthAndStartCoverExactlyTheirPixels)
{
    struct Paint {
        COLORREF background, fill;
        char outside, inside;
    };
    const Paint paints[] = {{RGB(0, 0, 0), RGB(255, 255, 255), '#', '.'},
                            {RGB(255, 255, 255), RGB(255, 0, 0), '.', 'r'},
                            {RGB(255, 255, 0), RGB(0, 0, 0), 'y', '#'}};
    constexpr int kWidth = 44;
    for (const Paint& p : paints)
        for (int start = 0; start < 4; ++start)
            for (int width = 1; start + width <= kWidth - 2; ++width) {
                Canvas canvas(kWidth, 3, p.background);
                canvas.dc.FillSolidRect(start, 1, width, 1, p.fill);
                const std::string edge(kWidth, p.outside);
                const std::string row = std::string(size_t(start), p.outside) + std::string(size_t(width), p.inside) +
                                        std::string(size_t(kWidth - start - width), p.outside);
                EXPECT_EQ(edge + "\n" + row + "\n" + edge + "\n", canvas.Art()) << start << " " << width;
            }
}

// A fill of the whole bitmap, the page's background, and one clipped to a part of it.
TEST(SolidFill, WholeBitmapAndClippedFills)
{
    Canvas canvas(6, 4, RGB(255, 0, 0));
    canvas.dc.FillSolidRect(-2, -2, 10, 10, RGB(255, 255, 255));
    EXPECT_EQ(canvas.Count(RGB(255, 255, 255)), 24);
    canvas.dc.IntersectClipRect(1, 1, 5, 3);
    canvas.dc.FillSolidRect(0, 0, 6, 4, RGB(0, 0, 255));
    EXPECT_EQ("......\n"
              ".bbbb.\n"
              ".bbbb.\n"
              "......\n",
              canvas.Art());
}

}  // namespace
