#include "Canvas.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Destination row: white, black, white, black. Source row: white, white, black, black.
// Pattern: the selected brush, white or black.
std::string Blit(DWORD rop, COLORREF pattern)
{
    Canvas dst(4, 1);
    dst.dc.SetPixel(1, 0, RGB(0, 0, 0));
    dst.dc.SetPixel(3, 0, RGB(0, 0, 0));
    Canvas src(4, 1);
    src.dc.SetPixel(2, 0, RGB(0, 0, 0));
    src.dc.SetPixel(3, 0, RGB(0, 0, 0));
    CBrush brush(pattern);
    dst.dc.SelectObject(&brush);
    dst.dc.BitBlt(0, 0, 4, 1, &src.dc, 0, 0, rop);
    std::string art = dst.Art();
    dst.dc.SelectStockObject(WHITE_BRUSH);
    return art.substr(0, 4);
}

TEST(RasterOps, TernaryOperationsOnBlackAndWhite)
{
    struct Case {
        DWORD rop;
        const char* withWhitePattern;
        const char* withBlackPattern;
    };
    const std::vector<Case> cases = {
        {SRCCOPY, "..##", "..##"},        {SRCAND, ".###", ".###"},       {SRCPAINT, "...#", "...#"},
        {SRCINVERT, "#..#", "#..#"},      {NOTSRCCOPY, "##..", "##.."},   {DSTINVERT, "#.#.", "#.#."},
        {PATCOPY, "....", "####"},        {PATINVERT, "#.#.", ".#.#"},    {BLACKNESS, "####", "####"},
        {WHITENESS, "....", "...."},      {SRCERASE, "#.##", "#.##"},     {MERGECOPY, "..##", "####"},
        {0x00220326, "##.#", "##.#"},     {0x00B8074A, ".#..", ".###"},   {0x008800C6, ".###", ".###"},
        {0x00EE0086, "...#", "...#"},     {0x00330008, "##..", "##.."},   {MERGEPAINT, ".#..", ".#.."},
        {PATPAINT, "....", ".#.."},       {NOTSRCERASE, "###.", "###."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.withWhitePattern, Blit(c.rop, RGB(255, 255, 255))) << std::hex << c.rop;
        EXPECT_EQ(c.withBlackPattern, Blit(c.rop, RGB(0, 0, 0))) << std::hex << c.rop;
    }
}

TEST(RasterOps, PatBltWithHatchAndInvert)
{
    Canvas canvas(8, 8);
    CBrush hatch(HS_HORIZONTAL, RGB(0, 0, 0));
    canvas.dc.SelectObject(&hatch);
    canvas.dc.PatBlt(0, 0, 8, 8, PATCOPY);
    EXPECT_EQ(8, canvas.Count(RGB(0, 0, 0)));
    canvas.dc.PatBlt(0, 0, 8, 8, DSTINVERT);
    EXPECT_EQ(56, canvas.Count(RGB(0, 0, 0)));
    canvas.dc.SelectStockObject(WHITE_BRUSH);
}

TEST(Blits, MonochromeSourceTakesTextAndBackgroundColours)
{
    CDC mono;
    mono.CreateCompatibleDC(nullptr);
    CBitmap mask;
    const WORD rows[2] = {0x00A0, 0x0050};  // 1010..., 0101... (rows padded to 16 bits)
    mask.CreateBitmap(4, 2, 1, 1, rows);
    CBitmap* old = mono.SelectObject(&mask);
    Canvas canvas(4, 2);
    canvas.dc.SetTextColor(RGB(255, 0, 0));
    canvas.dc.SetBkColor(RGB(0, 0, 255));
    canvas.dc.BitBlt(0, 0, 4, 2, &mono, 0, 0, SRCCOPY);
    // Set bits (white) take the background colour, clear bits the text colour.
    EXPECT_EQ("brbr\nrbrb\n", canvas.Art());
    mono.SelectObject(old);
}

TEST(Blits, ColourToMonochromeComparesWithTheSourceBackground)
{
    Canvas colour(4, 1);
    colour.dc.SetPixel(1, 0, RGB(0, 255, 0));
    colour.dc.SetPixel(2, 0, RGB(0, 255, 0));
    colour.dc.SetBkColor(RGB(0, 255, 0));
    CDC mono;
    mono.CreateCompatibleDC(nullptr);
    CBitmap mask;
    mask.CreateCompatibleBitmap(&mono, 4, 1);  // a fresh memory DC makes monochrome bitmaps
    BITMAP info{};
    mask.GetBitmap(&info);
    EXPECT_EQ(1, info.bmBitsPixel);
    CBitmap* old = mono.SelectObject(&mask);
    mono.BitBlt(0, 0, 4, 1, &colour.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(RGB(0, 0, 0), mono.GetPixel(0, 0));
    EXPECT_EQ(RGB(255, 255, 255), mono.GetPixel(1, 0));
    EXPECT_EQ(RGB(255, 255, 255), mono.GetPixel(2, 0));
    EXPECT_EQ(RGB(0, 0, 0), mono.GetPixel(3, 0));
    mono.SelectObject(old);
}

TEST(Blits, TransparentDrawingWithAMask)
{
    // The classic three-step: mask from the background colour, then AND the mask, OR the masked image.
    Canvas image(4, 1, RGB(255, 0, 255));
    image.dc.SetPixel(1, 0, RGB(255, 0, 0));
    image.dc.SetPixel(2, 0, RGB(0, 0, 255));
    CDC maskDc;
    maskDc.CreateCompatibleDC(nullptr);
    CBitmap mask;
    mask.CreateBitmap(4, 1, 1, 1, nullptr);
    CBitmap* oldMask = maskDc.SelectObject(&mask);
    image.dc.SetBkColor(RGB(255, 0, 255));
    maskDc.BitBlt(0, 0, 4, 1, &image.dc, 0, 0, SRCCOPY);
    image.dc.SetBkColor(RGB(0, 0, 0));
    image.dc.SetTextColor(RGB(255, 255, 255));
    image.dc.BitBlt(0, 0, 4, 1, &maskDc, 0, 0, SRCAND);
    Canvas target(4, 1, RGB(0, 255, 0));
    target.dc.SetBkColor(RGB(255, 255, 255));
    target.dc.SetTextColor(RGB(0, 0, 0));
    target.dc.BitBlt(0, 0, 4, 1, &maskDc, 0, 0, SRCAND);
    target.dc.BitBlt(0, 0, 4, 1, &image.dc, 0, 0, SRCPAINT);
    EXPECT_EQ("grbg\n", target.Art());
    maskDc.SelectObject(oldMask);
}

// A 4 x 3 source: red, blue, black and yellow columns; the bottom row white.
struct CopyCase {
    const char* name;
    RECT dest;  // left, top, width, height
    POINT from;
    POINT viewportOrg;
    bool twoPartClip;  // the destination clipped to its rows 0 and 2 to 3
    const char* art;
};

std::string Copy(const CopyCase& c)
{
    Canvas src(4, 3);
    const COLORREF columns[] = {RGB(255, 0, 0), RGB(0, 0, 255), RGB(0, 0, 0), RGB(255, 255, 0)};
    for (int x = 0; x < 4; ++x)
        src.dc.FillSolidRect(x, 0, 1, 2, columns[x]);
    Canvas dst(6, 4, RGB(0, 255, 0));
    dst.dc.SetViewportOrg(c.viewportOrg);
    if (c.twoPartClip)
        dst.ClipToTwoParts({0, 0, 6, 1}, {0, 2, 6, 4});
    dst.dc.BitBlt(c.dest.left, c.dest.top, c.dest.right, c.dest.bottom, &src.dc, c.from.x, c.from.y, SRCCOPY);
    return dst.Art();
}

TEST(Blits, CopiesLandTheirPixelsWhereverTheyGo)
{
    const CopyCase cases[] = {
        {"inside", {1, 1, 4, 3}, {0, 0}, {0, 0}, false, "gggggg\ngrb#yg\ngrb#yg\ng....g\n"},
        {"source partly off its bitmap", {0, 0, 4, 3}, {2, 1}, {0, 0}, false, "#ygggg\n..gggg\ngggggg\ngggggg\n"},
        {"source before its bitmap", {0, 0, 4, 3}, {-1, -1}, {0, 0}, false, "gggggg\ngrb#gg\ngrb#gg\ngggggg\n"},
        {"destination partly off", {4, 2, 4, 3}, {0, 0}, {0, 0}, false, "gggggg\ngggggg\nggggrb\nggggrb\n"},
        {"destination before the bitmap", {-2, -1, 4, 3}, {0, 0}, {0, 0}, false, "#ygggg\n..gggg\ngggggg\ngggggg\n"},
        {"clip of two parts", {1, 0, 4, 3}, {0, 0}, {0, 0}, true, "grb#yg\ngggggg\ng....g\ngggggg\n"},
        {"moved origin", {0, 0, 4, 3}, {0, 0}, {2, 1}, false, "gggggg\nggrb#y\nggrb#y\ngg....\n"},
        {"mirrored", {5, 0, -4, 3}, {0, 0}, {0, 0}, false, "ggy#br\nggy#br\ngg....\ngggggg\n"},
    };
    for (const CopyCase& c : cases) {
        EXPECT_EQ(Copy(c), c.art) << c.name;
    }
}

TEST(Blits, StretchDoublesAndMirrors)
{
    Canvas src(2, 1);
    src.dc.SetPixel(0, 0, RGB(255, 0, 0));
    src.dc.SetPixel(1, 0, RGB(0, 0, 255));
    Canvas dst(4, 2);
    dst.dc.SetStretchBltMode(COLORONCOLOR);
    dst.dc.StretchBlt(0, 0, 4, 1, &src.dc, 0, 0, 2, 1, SRCCOPY);
    dst.dc.StretchBlt(3, 1, -4, 1, &src.dc, 0, 0, 2, 1, SRCCOPY);
    EXPECT_EQ("rrbb\nbbrr\n", dst.Art());
}

TEST(Blits, StretchShrinkModes)
{
    struct Case {
        int mode;
        COLORREF result;
    };
    // Two pixels, black and white, shrunk to one.
    const std::vector<Case> cases = {{BLACKONWHITE, RGB(0, 0, 0)},
                                     {WHITEONBLACK, RGB(255, 255, 255)},
                                     {HALFTONE, RGB(127, 127, 127)}};
    for (const Case& c : cases) {
        Canvas src(2, 1);
        src.dc.SetPixel(0, 0, RGB(0, 0, 0));
        Canvas dst(1, 1);
        dst.dc.SetStretchBltMode(c.mode);
        dst.dc.StretchBlt(0, 0, 1, 1, &src.dc, 0, 0, 2, 1, SRCCOPY);
        EXPECT_EQ(c.result, dst.dc.GetPixel(0, 0)) << c.mode;
    }
}

TEST(Blits, OverlappingCopyWithinOneBitmapReadsOldPixels)
{
    Canvas canvas(5, 1);
    canvas.dc.SetPixel(0, 0, RGB(255, 0, 0));
    canvas.dc.SetPixel(1, 0, RGB(0, 0, 255));
    canvas.dc.BitBlt(1, 0, 4, 1, &canvas.dc, 0, 0, SRCCOPY);
    EXPECT_EQ("rrb..\n", canvas.Art());
}

TEST(FloodFill, SurfaceAndBorderFills)
{
    Canvas canvas(8, 8);
    canvas.dc.Rectangle(1, 1, 7, 7);
    CBrush red(RGB(255, 0, 0));
    canvas.dc.SelectObject(&red);
    EXPECT_TRUE(canvas.dc.ExtFloodFill(3, 3, RGB(0, 0, 0), FLOODFILLBORDER));
    EXPECT_EQ(16, canvas.Count(RGB(255, 0, 0)));
    CBrush blue(RGB(0, 0, 255));
    canvas.dc.SelectObject(&blue);
    EXPECT_TRUE(canvas.dc.ExtFloodFill(0, 0, RGB(255, 255, 255), FLOODFILLSURFACE));
    EXPECT_EQ(28, canvas.Count(RGB(0, 0, 255)));
    EXPECT_EQ(16, canvas.Count(RGB(255, 0, 0)));
    // Starting on the border colour fills nothing.
    EXPECT_FALSE(canvas.dc.ExtFloodFill(1, 1, RGB(0, 0, 0), FLOODFILLBORDER));
    canvas.dc.SelectStockObject(WHITE_BRUSH);
}

TEST(Clipping, RegionsLimitDrawing)
{
    Canvas canvas(10, 10);
    CRgn rgn;
    rgn.CreateRectRgn(2, 2, 6, 5);
    canvas.dc.SelectClipRgn(&rgn);
    canvas.dc.FillSolidRect(0, 0, 10, 10, RGB(255, 0, 0));
    EXPECT_EQ(12, canvas.Count(RGB(255, 0, 0)));
    RECT box{};
    EXPECT_EQ(SIMPLEREGION, canvas.dc.GetClipBox(&box));
    EXPECT_TRUE(box == (RECT{2, 2, 6, 5}));
    canvas.dc.ExcludeClipRect(3, 3, 4, 4);
    canvas.dc.FillSolidRect(0, 0, 10, 10, RGB(0, 0, 255));
    EXPECT_EQ(11, canvas.Count(RGB(0, 0, 255)));
    EXPECT_EQ(CLR_INVALID, canvas.dc.GetPixel(3, 3));  // outside the clip region
    canvas.dc.SelectClipRgn(nullptr);
    EXPECT_EQ(RGB(255, 0, 0), canvas.dc.GetPixel(3, 3));
}

TEST(Clipping, CombineModesAndSaveRestore)
{
    Canvas canvas(10, 10);
    CRgn a, b;
    a.CreateRectRgn(0, 0, 6, 6);
    b.CreateRectRgn(4, 4, 10, 10);
    struct Case {
        int mode;
        int count;
    };
    for (Case c : std::vector<Case>{{RGN_AND, 4}, {RGN_OR, 68}, {RGN_XOR, 64}, {RGN_DIFF, 32}}) {
        Canvas t(10, 10);
        t.dc.SelectClipRgn(&a);
        int saved = t.dc.SaveDC();
        t.dc.SelectClipRgn(&b, c.mode);
        t.dc.FillSolidRect(0, 0, 10, 10, RGB(255, 0, 0));
        EXPECT_EQ(c.count, t.Count(RGB(255, 0, 0))) << c.mode;
        t.dc.RestoreDC(saved);
        t.dc.FillSolidRect(0, 0, 10, 10, RGB(0, 0, 255));
        EXPECT_EQ(36, t.Count(RGB(0, 0, 255))) << c.mode;
    }
}

TEST(Clipping, EllipticRegionAndIntersectClipRect)
{
    Canvas canvas(12, 12);
    CRgn round;
    round.CreateEllipticRgn(0, 0, 12, 12);
    canvas.dc.SelectClipRgn(&round);
    canvas.dc.IntersectClipRect(0, 0, 12, 6);
    canvas.dc.FillSolidRect(0, 0, 12, 12, RGB(0, 0, 0));
    EXPECT_EQ(CLR_INVALID, canvas.dc.GetPixel(0, 0));
    canvas.dc.SelectClipRgn(nullptr);
    EXPECT_EQ(RGB(255, 255, 255), canvas.dc.GetPixel(0, 0));
    EXPECT_EQ(RGB(0, 0, 0), canvas.dc.GetPixel(6, 3));
    EXPECT_EQ(RGB(255, 255, 255), canvas.dc.GetPixel(6, 8));
}

}  // namespace
