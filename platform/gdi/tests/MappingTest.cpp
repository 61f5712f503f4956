#include "Canvas.h"

#include "platform/gdi/Mapping.h"
#include "platform/gdi/SysColors.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

void Zoom(CDC& dc, int percent)
{
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(100, 100);
    dc.SetViewportExt(percent, percent);
}

// Halves round away from zero on either side, and products beyond 64 bits are still exact.
TEST(Mapping, ScaleRoundsHalvesAwayFromZero)
{
    struct Case {
        int64_t v;
        int num, den;
        int expected;
    };
    const Case cases[] = {
        {5, 1, 2, 3},   {-5, 1, 2, -3},  {5, -1, 2, -3},  {5, 1, -2, -3}, {7, 3, 3, 7},
        {4, 1, 3, 1},   {-4, 1, 3, -1},  {9, 0, 5, 0},    {12, 5, 0, 12},
        {int64_t(1) << 40, INT32_MAX, INT32_MAX - 1, INT32_MAX},
        {int64_t(3) << 32, 1 << 30, 1 << 30, INT32_MAX},
        {-(int64_t(3) << 32), 1 << 30, (1 << 30) + 1, INT32_MIN},
        {(int64_t(1) << 31) + 1, 1 << 30, INT32_MAX, 1073741825},
        {-(int64_t(1) << 31) - 1, 1 << 30, INT32_MAX, -1073741825},
    };
    for (const Case& c : cases)
        EXPECT_EQ(gdi::Scale(c.v, c.num, c.den), c.expected) << c.v << " * " << c.num << " / " << c.den;
}

TEST(Mapping, ZoomedRectangleCoversScaledPixels)
{
    struct Case {
        int zoom;
        RECT ink;
    };
    // Rectangle (4, 4, 20, 12) in page units, null pen, solid brush.
    const std::vector<Case> cases = {
        {25, {1, 1, 5, 3}},
        {100, {4, 4, 20, 12}},
        {400, {16, 16, 80, 48}},
    };
    for (const Case& c : cases) {
        Canvas canvas(90, 60);
        Zoom(canvas.dc, c.zoom);
        CBrush red(RGB(255, 0, 0));
        CPen pen(PS_SOLID, 0, RGB(255, 0, 0));
        canvas.dc.SelectObject(&red);
        canvas.dc.SelectObject(&pen);
        canvas.dc.Rectangle(4, 4, 20, 12);
        RECT ink = canvas.Ink();
        EXPECT_TRUE(ink == c.ink) << c.zoom << ": " << ink.left << "," << ink.top << "," << ink.right << ","
                                  << ink.bottom;
        canvas.dc.SelectStockObject(BLACK_PEN);
        canvas.dc.SelectStockObject(WHITE_BRUSH);
    }
}

TEST(Mapping, PenWidthScalesButWidthZeroStaysOnePixel)
{
    for (int zoom : {25, 100, 400}) {
        for (int width : {0, 1}) {
            Canvas canvas(60, 30);
            Zoom(canvas.dc, zoom);
            CPen pen(PS_SOLID, width, RGB(0, 0, 0));
            canvas.dc.SelectObject(&pen);
            canvas.dc.MoveTo(0, 4);
            canvas.dc.LineTo(12, 4);
            RECT ink = canvas.Ink();
            int expected = width == 0 ? 1 : std::max(1, zoom / 100);
            EXPECT_EQ(expected, ink.bottom - ink.top) << zoom << " width " << width;
            canvas.dc.SelectStockObject(BLACK_PEN);
        }
    }
}

TEST(Mapping, LogicalAndDevicePointsRoundTrip)
{
    struct Case {
        int zoom;
        POINT logical;
        POINT device;
    };
    const std::vector<Case> cases = {
        {25, {10, 6}, {3, 2}},      // 2.5 and 1.5 round away from zero
        {25, {-10, -6}, {-3, -2}},
        {100, {7, -3}, {7, -3}},
        {400, {7, -3}, {28, -12}},
        {150, {3, 1}, {5, 2}},
    };
    for (const Case& c : cases) {
        Canvas canvas(4, 4);
        Zoom(canvas.dc, c.zoom);
        POINT p = c.logical;
        canvas.dc.LPtoDP(&p);
        EXPECT_EQ(c.device.x, p.x) << c.zoom;
        EXPECT_EQ(c.device.y, p.y) << c.zoom;
    }
}

TEST(Mapping, OriginsMoveTheDrawing)
{
    Canvas canvas(20, 20);
    canvas.dc.SetViewportOrg(5, 3);
    canvas.dc.SetWindowOrg(1, 1);
    canvas.dc.SetPixel(1, 1, RGB(255, 0, 0));
    EXPECT_EQ(RGB(255, 0, 0), canvas.dc.GetPixel(1, 1));
    canvas.dc.SetViewportOrg(0, 0);
    canvas.dc.SetWindowOrg(0, 0);
    EXPECT_EQ(RGB(255, 0, 0), canvas.dc.GetPixel(5, 3));
}

TEST(Mapping, MetricAndEnglishModesFlipY)
{
    struct Case {
        int mode;
        int unitsPerInch;
    };
    const std::vector<Case> cases = {{MM_LOMETRIC, 254}, {MM_HIMETRIC, 2540}, {MM_LOENGLISH, 100},
                                     {MM_HIENGLISH, 1000}, {MM_TWIPS, 1440}};
    for (const Case& c : cases) {
        Canvas canvas(4, 4);
        canvas.dc.SetMapMode(c.mode);
        POINT p{c.unitsPerInch, c.unitsPerInch};
        canvas.dc.LPtoDP(&p);
        EXPECT_EQ(96, p.x) << c.mode;
        EXPECT_EQ(-96, p.y) << c.mode;
        canvas.dc.DPtoLP(&p);
        EXPECT_EQ(c.unitsPerInch, p.x) << c.mode;
    }
}

TEST(Mapping, IsotropicKeepsTheSmallerScale)
{
    Canvas canvas(4, 4);
    canvas.dc.SetMapMode(MM_ISOTROPIC);
    canvas.dc.SetWindowExt(100, 100);
    canvas.dc.SetViewportExt(200, -50);
    SIZE vp = canvas.dc.GetViewportExt();
    EXPECT_EQ(50, vp.cx);
    EXPECT_EQ(-50, vp.cy);
}

TEST(Mapping, ClipBoxIsInLogicalUnits)
{
    Canvas canvas(40, 20);
    Zoom(canvas.dc, 200);
    RECT box{};
    canvas.dc.GetClipBox(&box);
    EXPECT_TRUE(box == (RECT{0, 0, 20, 10}));
}

TEST(DeviceCaps, ScreenAnswers)
{
    Canvas canvas(4, 4);
    EXPECT_EQ(96, canvas.dc.GetDeviceCaps(LOGPIXELSX));
    EXPECT_EQ(96, canvas.dc.GetDeviceCaps(LOGPIXELSY));
    EXPECT_EQ(32, canvas.dc.GetDeviceCaps(BITSPIXEL));
    EXPECT_EQ(1920, canvas.dc.GetDeviceCaps(HORZRES));
    EXPECT_EQ(508, canvas.dc.GetDeviceCaps(HORZSIZE));
    EXPECT_EQ(0, canvas.dc.GetDeviceCaps(RASTERCAPS) & RC_PALETTE);
    EXPECT_FALSE(canvas.dc.IsPrinting());
}

TEST(DcState, SaveAndRestoreBringBackObjectsAndAttributes)
{
    Canvas canvas(4, 4);
    CPen red(PS_SOLID, 0, RGB(255, 0, 0));
    int saved = canvas.dc.SaveDC();
    canvas.dc.SelectObject(&red);
    canvas.dc.SetTextColor(RGB(1, 2, 3));
    canvas.dc.SetMapMode(MM_LOMETRIC);
    int inner = canvas.dc.SaveDC();
    canvas.dc.SetROP2(R2_XORPEN);
    EXPECT_TRUE(canvas.dc.RestoreDC(-1));
    EXPECT_EQ(R2_COPYPEN, canvas.dc.GetROP2());
    EXPECT_EQ(MM_LOMETRIC, canvas.dc.GetMapMode());
    EXPECT_TRUE(canvas.dc.RestoreDC(saved));
    EXPECT_EQ(RGB(0, 0, 0), canvas.dc.GetTextColor());
    EXPECT_EQ(MM_TEXT, canvas.dc.GetMapMode());
    EXPECT_NE(canvas.dc.GetCurrentPen()->m_hObject, red.m_hObject);
    EXPECT_FALSE(canvas.dc.RestoreDC(inner));  // gone with the outer restore
}

TEST(DcState, SelectedObjectsOutliveTheirDeletion)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    HPEN pen = CreatePen(PS_SOLID, 0, RGB(255, 0, 0));
    HGDIOBJ old = dc.SelectObject(pen);
    EXPECT_FALSE(DeleteObject(pen));  // still selected
    dc.SelectObject(old);
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_FALSE(DeleteObject(pen));  // handle is gone
    EXPECT_FALSE(DeleteObject(GetStockObject(BLACK_PEN)));
}

TEST(DcState, ABitmapGoesIntoOneDcAtATime)
{
    CDC a, b;
    a.CreateCompatibleDC(nullptr);
    b.CreateCompatibleDC(nullptr);
    CBitmap bm;
    bm.CreateBitmap(4, 4, 1, 32, nullptr);
    CBitmap* old = a.SelectObject(&bm);
    EXPECT_NE(nullptr, old);
    EXPECT_EQ(nullptr, b.SelectObject(&bm));
    a.SelectObject(old);
    EXPECT_NE(nullptr, b.SelectObject(&bm));
    b.SelectObject(old);
}

TEST(SysColors, ClassicSchemeAndMetrics)
{
    EXPECT_EQ(RGB(192, 192, 192), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(RGB(128, 128, 128), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(RGB(0, 0, 0), GetSysColor(COLOR_BTNTEXT));
    EXPECT_EQ(GetSysColorBrush(COLOR_WINDOW), GetSysColorBrush(COLOR_WINDOW));
    LOGBRUSH lb{};
    GetObject(GetSysColorBrush(COLOR_HIGHLIGHT), sizeof(lb), &lb);
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), lb.lbColor);
    EXPECT_EQ(2, GetSystemMetrics(SM_CXEDGE));
    EXPECT_EQ(32, GetSystemMetrics(SM_CXICON));
}

TEST(Palettes, IndexAndRelativeColoursResolve)
{
    PALETTEENTRY entries[3] = {{10, 20, 30, 0}, {200, 0, 0, 0}, {0, 0, 250, 0}};
    std::vector<BYTE> block(sizeof(LOGPALETTE) + 2 * sizeof(PALETTEENTRY));
    auto* lp = reinterpret_cast<LOGPALETTE*>(block.data());
    lp->palVersion = 0x300;
    lp->palNumEntries = 3;
    std::copy(entries, entries + 3, lp->palPalEntry);
    CPalette palette;
    ASSERT_TRUE(palette.CreatePalette(lp));
    EXPECT_EQ(3, palette.GetEntryCount());
    EXPECT_EQ(1u, palette.GetNearestPaletteIndex(RGB(190, 10, 10)));
    Canvas canvas(2, 1);
    CPalette* old = canvas.dc.SelectPalette(&palette, FALSE);
    canvas.dc.SetPixel(0, 0, PALETTEINDEX(2));
    canvas.dc.SetPixel(1, 0, PALETTERGB(1, 2, 3));
    EXPECT_EQ(RGB(0, 0, 250), canvas.dc.GetPixel(0, 0));
    EXPECT_EQ(RGB(1, 2, 3), canvas.dc.GetPixel(1, 0));
    canvas.dc.SelectPalette(old, FALSE);
}

}  // namespace
