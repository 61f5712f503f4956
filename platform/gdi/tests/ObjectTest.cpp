#include "Canvas.h"

#include "platform/gdi/Printer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

TEST(Regions, CombineModes)
{
    struct Case {
        int mode;
        std::vector<POINT> in;
        std::vector<POINT> out;
        int type;
    };
    const std::vector<Case> cases = {
        {RGN_AND, {{5, 5}}, {{1, 1}, {8, 8}}, SIMPLEREGION},
        {RGN_OR, {{1, 1}, {8, 8}, {5, 5}}, {{8, 1}}, COMPLEXREGION},
        {RGN_XOR, {{1, 1}, {8, 8}}, {{5, 5}}, COMPLEXREGION},
        {RGN_DIFF, {{1, 1}}, {{5, 5}, {8, 8}}, COMPLEXREGION},
        {RGN_COPY, {{1, 1}, {5, 5}}, {{8, 8}}, SIMPLEREGION},
    };
    for (const Case& c : cases) {
        CRgn a, b, r;
        a.CreateRectRgn(0, 0, 6, 6);
        b.CreateRectRgn(4, 4, 10, 10);
        r.CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(c.type, r.CombineRgn(&a, &b, c.mode)) << c.mode;
        for (POINT p : c.in)
            EXPECT_TRUE(r.PtInRegion(p)) << c.mode << " " << p.x << "," << p.y;
        for (POINT p : c.out)
            EXPECT_FALSE(r.PtInRegion(p)) << c.mode << " " << p.x << "," << p.y;
    }
}

TEST(Regions, BoxOffsetAndEdges)
{
    CRgn r;
    r.CreateRectRgn(2, 3, 7, 9);
    EXPECT_TRUE(r.PtInRegion(2, 3));
    EXPECT_FALSE(r.PtInRegion(7, 3));  // right and bottom edges lie outside
    EXPECT_FALSE(r.PtInRegion(2, 9));
    r.OffsetRgn(10, -3);
    RECT box{};
    EXPECT_EQ(SIMPLEREGION, r.GetRgnBox(&box));
    EXPECT_TRUE(box == (RECT{12, 0, 17, 6}));
    CRgn empty;
    empty.CreateRectRgn(5, 5, 5, 9);
    EXPECT_EQ(NULLREGION, empty.GetRgnBox(&box));
}

TEST(Regions, PolygonFillModesAndEllipse)
{
    const POINT star[] = {{10, 0}, {16, 19}, {0, 7}, {20, 7}, {4, 19}};
    CRgn alternate, winding, ellipse;
    alternate.CreatePolygonRgn(star, 5, ALTERNATE);
    winding.CreatePolygonRgn(star, 5, WINDING);
    EXPECT_FALSE(alternate.PtInRegion(10, 10));
    EXPECT_TRUE(winding.PtInRegion(10, 10));
    EXPECT_TRUE(alternate.PtInRegion(10, 4));
    ellipse.CreateEllipticRgn(0, 0, 20, 10);
    EXPECT_TRUE(ellipse.PtInRegion(10, 5));
    EXPECT_FALSE(ellipse.PtInRegion(0, 0));
    EXPECT_FALSE(ellipse.PtInRegion(19, 9));
}

TEST(Regions, PathToRegionAndWidenPath)
{
    Canvas canvas(30, 30);
    canvas.dc.BeginPath();
    canvas.dc.MoveTo(5, 5);
    canvas.dc.LineTo(25, 5);
    canvas.dc.LineTo(15, 25);
    canvas.dc.CloseFigure();
    canvas.dc.EndPath();
    CRgn triangle;
    ASSERT_TRUE(triangle.CreateFromPath(&canvas.dc));
    EXPECT_TRUE(triangle.PtInRegion(15, 10));
    EXPECT_FALSE(triangle.PtInRegion(5, 20));
    CRgn again;
    EXPECT_FALSE(again.CreateFromPath(&canvas.dc));  // the path is used up
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(15, 10));  // recording draws nothing

    CPen wide(PS_SOLID, 6, RGB(0, 0, 0));
    canvas.dc.SelectObject(&wide);
    canvas.dc.BeginPath();
    canvas.dc.MoveTo(2, 15);
    canvas.dc.LineTo(28, 15);
    canvas.dc.EndPath();
    ASSERT_TRUE(canvas.dc.WidenPath());
    CRgn band;
    band.CreateFromPath(&canvas.dc);
    EXPECT_TRUE(band.PtInRegion(15, 13));
    EXPECT_FALSE(band.PtInRegion(15, 20));
    canvas.dc.SelectStockObject(BLACK_PEN);
}

TEST(Regions, FillFrameAndInvert)
{
    Canvas canvas(10, 10);
    CRgn r;
    r.CreateRectRgn(1, 1, 9, 9);
    CBrush red(RGB(255, 0, 0)), blue(RGB(0, 0, 255));
    canvas.dc.FillRgn(&r, &red);
    canvas.dc.FrameRgn(&r, &blue, 1, 1);
    EXPECT_EQ(28, canvas.Count(RGB(0, 0, 255)));
    EXPECT_EQ(36, canvas.Count(RGB(255, 0, 0)));
    canvas.dc.InvertRgn(&r);
    EXPECT_EQ(36, canvas.Count(RGB(0, 255, 255)));
}

TEST(Objects, GetObjectDescribesEachKind)
{
    CPen pen(PS_DASH, 3, RGB(1, 2, 3));
    LOGPEN lp{};
    EXPECT_EQ(int(sizeof(LOGPEN)), pen.GetLogPen(&lp));
    EXPECT_EQ(UINT(PS_DASH), lp.lopnStyle);
    EXPECT_EQ(3, lp.lopnWidth.x);
    CBrush hatch(HS_CROSS, RGB(4, 5, 6));
    LOGBRUSH lb{};
    hatch.GetLogBrush(&lb);
    EXPECT_EQ(BS_HATCHED, lb.lbStyle);
    EXPECT_EQ(UINT_PTR(HS_CROSS), lb.lbHatch);
    LOGFONT lf{};
    lf.lfHeight = -13;
    lf.lfWeight = FW_BOLD;
    std::strcpy(lf.lfFaceName, "Courier New");
    CFont font;
    font.CreateFontIndirect(&lf);
    LOGFONT back{};
    font.GetLogFont(&back);
    EXPECT_EQ(0, std::memcmp(&lf, &back, sizeof(LOGFONT)));
    CBitmap bm;
    bm.CreateBitmap(17, 3, 1, 1, nullptr);
    BITMAP info{};
    bm.GetBitmap(&info);
    EXPECT_EQ(17, info.bmWidth);
    EXPECT_EQ(4, info.bmWidthBytes);  // device bitmap rows are padded to 16 bits
    EXPECT_EQ(1, info.bmBitsPixel);
    EXPECT_EQ(OBJ_BITMAP, GetObjectType(bm));
    EXPECT_EQ(0u, GetObjectType(reinterpret_cast<HGDIOBJ>(0x1234)));
    EXPECT_EQ(nullptr, CreateHatchBrush(9, 0));
}

TEST(Objects, RuntimeClassesFollowTheHandles)
{
    CPen pen(PS_SOLID, 0, RGB(0, 0, 0));
    EXPECT_TRUE(pen.IsKindOf(RUNTIME_CLASS(CGdiObject)));
    CGdiObject* wrapper = CGdiObject::FromHandle(GetStockObject(GRAY_BRUSH));
    ASSERT_NE(nullptr, wrapper);
    EXPECT_TRUE(wrapper->IsKindOf(RUNTIME_CLASS(CBrush)));
    EXPECT_EQ(nullptr, CPen::FromHandle(static_cast<HPEN>(GetStockObject(GRAY_BRUSH))));
    CDC dc;
    EXPECT_TRUE(dc.IsKindOf(RUNTIME_CLASS(CObject)));
}

TEST(Objects, BitmapBitsRoundTrip)
{
    CBitmap bm;
    const BYTE rows[4] = {0xA0, 0x00, 0x50, 0x00};
    bm.CreateBitmap(4, 2, 1, 1, rows);
    BYTE back[4] = {};
    EXPECT_EQ(4u, bm.GetBitmapBits(sizeof(back), back));
    EXPECT_EQ(0, std::memcmp(rows, back, 4));
}

TEST(Objects, PatternBrushUsesTextAndBackgroundForMonochrome)
{
    const BYTE rows[16] = {0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0};
    CBitmap pattern;
    pattern.CreateBitmap(8, 8, 1, 1, rows);
    CBrush brush(&pattern);
    Canvas canvas(8, 8);
    canvas.dc.SetTextColor(RGB(255, 0, 0));
    canvas.dc.SetBkColor(RGB(0, 0, 255));
    RECT all{0, 0, 8, 8};
    canvas.dc.FillRect(&all, &brush);
    EXPECT_EQ(32, canvas.Count(RGB(255, 0, 0)));
    EXPECT_EQ(32, canvas.Count(RGB(0, 0, 255)));
    EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(0, 0));
}

TEST(Edges, ThreeDimensionalFramesUseTheSchemeColours)
{
    Canvas canvas(6, 6);
    RECT r{0, 0, 6, 6};
    canvas.dc.DrawEdge(&r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    EXPECT_EQ(RGB(128, 128, 128), canvas.Pixel(0, 0));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(5, 5));
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(1, 1));
    EXPECT_EQ(RGB(223, 223, 223), canvas.Pixel(4, 4));
    EXPECT_TRUE(r == (RECT{2, 2, 4, 4}));
    canvas.dc.Draw3dRect(0, 0, 6, 6, RGB(255, 0, 0), RGB(0, 0, 255));
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(0, 4));
    EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(5, 0));
    EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(0, 5));
}

TEST(Edges, DragRectDrawnTwiceRestores)
{
    Canvas canvas(20, 20);
    canvas.dc.FillSolidRect(3, 3, 9, 9, RGB(255, 0, 0));
    std::string before = canvas.Art();
    RECT r{2, 2, 15, 12};
    canvas.dc.DrawDragRect(&r, SIZE{3, 3}, nullptr, SIZE{0, 0});
    EXPECT_NE(before, canvas.Art());
    RECT moved{4, 5, 17, 15};
    canvas.dc.DrawDragRect(&moved, SIZE{3, 3}, &r, SIZE{3, 3});
    canvas.dc.DrawDragRect(nullptr, SIZE{0, 0}, &moved, SIZE{3, 3});
    EXPECT_EQ(before, canvas.Art());
}

TEST(Printer, WritesAPdfWithOnePagePerStartPage)
{
    std::string file = (std::filesystem::temp_directory_path() / "vantrel-gdi-two-pages.pdf").string();
    std::filesystem::remove(file);
    CDC printer;
    ASSERT_TRUE(printer.CreateDC(nullptr, kPdfPrinterName, file.c_str(), nullptr));
    EXPECT_TRUE(printer.IsPrinting());
    EXPECT_EQ(300, printer.GetDeviceCaps(LOGPIXELSX));
    EXPECT_EQ(2480, printer.GetDeviceCaps(HORZRES));
    EXPECT_EQ(210, printer.GetDeviceCaps(HORZSIZE));
    ASSERT_GT(printer.StartDoc("Two pages"), 0);
    for (int page = 0; page < 2; ++page) {
        ASSERT_GT(printer.StartPage(), 0);
        printer.Rectangle(100, 100, 1200, 800);
        printer.TextOut(150, 150, "Page", 4);
        ASSERT_GT(printer.EndPage(), 0);
    }
    ASSERT_GT(printer.EndDoc(), 0);
    ASSERT_TRUE(std::filesystem::exists(file));
    if (std::system("command -v pdfinfo > /dev/null") == 0) {
        std::string cmd = "pdfinfo '" + file + "' | grep -q '^Pages: *2$'";
        EXPECT_EQ(0, std::system(cmd.c_str()));
    }
    std::filesystem::remove(file);
}

// The abort procedure is asked after every page; once it says no, the page fails and the
// job, aborted, leaves the file that was there untouched.
TEST(Printer, AnAbortProcedureThatSaysNoEndsTheJobWithoutWritingTheFile)
{
    const std::string file = (std::filesystem::temp_directory_path() / "vantrel-gdi-aborted.pdf").string();
    std::ofstream(file) << "old";
    static int asked = 0;
    asked = 0;
    CDC printer;
    ASSERT_TRUE(printer.CreateDC(nullptr, kPdfPrinterName, file.c_str(), nullptr));
    ASSERT_GT(SetAbortProc(printer.GetSafeHdc(), [](HDC, int) -> BOOL { return ++asked < 2; }), 0);
    ASSERT_GT(printer.StartDoc("Aborted"), 0);
    ASSERT_GT(printer.StartPage(), 0);
    EXPECT_GT(printer.EndPage(), 0);
    ASSERT_GT(printer.StartPage(), 0);
    EXPECT_EQ(SP_APPABORT, printer.EndPage());
    EXPECT_EQ(asked, 2);
    EXPECT_GT(printer.AbortDoc(), 0);
    std::ifstream in(file);
    std::string kept((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(kept, "old");
    std::filesystem::remove(file);
}

TEST(Printer, AFileThatCannotBeWrittenFailsTheJobsStart)
{
    CDC printer;
    ASSERT_TRUE(printer.CreateDC(nullptr, kPdfPrinterName, "/nonexistent-folder/out.pdf", nullptr));
    EXPECT_EQ(SP_ERROR, printer.StartDoc("Nowhere"));
}

// A font of no height has the default cell: on a 300 dpi page as tall as on a 96 dpi screen, like
// a font whose height the page's mapping scales.
TEST(Printer, TheDefaultFontIsAsTallOnThePageAsOnTheScreen)
{
    const auto cellHeight = [](CDC& dc, LONG height) {
        LOGFONT lf{};
        lf.lfHeight = height;
        CFont font;
        font.CreateFontIndirect(&lf);
        CFont* old = dc.SelectObject(&font);
        TEXTMETRIC tm{};
        dc.GetTextMetrics(&tm);
        dc.SelectObject(old);
        return tm.tmHeight;
    };
    Canvas screen(4, 4);
    CDC printer;
    ASSERT_TRUE(printer.CreateDC(nullptr, kPdfPrinterName, nullptr, nullptr));
    const int onScreen = cellHeight(screen.dc, 0);
    EXPECT_NEAR(cellHeight(printer, 0), onScreen * 300 / 96, 2);
    printer.SetMapMode(MM_ANISOTROPIC);
    printer.SetWindowExt(96, 96);
    printer.SetViewportExt(300, 300);
    EXPECT_NEAR(cellHeight(printer, onScreen), cellHeight(printer, 0), 2);
}

TEST(Printer, DevModeSetsPaperAndResolution)
{
    DEVMODE mode{};
    GetDefaultDevMode(&mode);
    mode.dmOrientation = DMORIENT_LANDSCAPE;
    mode.dmPaperSize = DMPAPER_LETTER;
    mode.dmPrintQuality = 150;
    mode.dmYResolution = 150;
    CDC printer;
    ASSERT_TRUE(printer.CreateDC(nullptr, kPdfPrinterName, nullptr, &mode));
    EXPECT_EQ(1650, printer.GetDeviceCaps(HORZRES));
    EXPECT_EQ(1275, printer.GetDeviceCaps(VERTRES));
    EXPECT_EQ(150, printer.GetDeviceCaps(LOGPIXELSY));
    EXPECT_EQ(SP_ERROR, printer.StartPage());  // no document started
    CDC other;
    EXPECT_FALSE(other.CreateDC(nullptr, "Missing Printer", nullptr, nullptr));
}

}  // namespace
