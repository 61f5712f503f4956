// Zoom steps and their limit, mapping the page to the screen and the printer, scrolling,
// and the page drawn at several zooms.
#include "ViewTestKit.h"

#include "objects/HyperViewOb.h"
#include "platform/gdi/Printer.h"
#include "platform/gdi/tests/Canvas.h"

#include <climits>

namespace {

void SetZoomTable(CHyperRunView& view, std::initializer_list<DWORD> steps)
{
    view.m_zoomTable.RemoveAll();
    for (DWORD step : steps)
        view.m_zoomTable.Add(step);
}

TEST(ZoomSteps, NextPreviousAndFirstWalkTheTable)
{
    CTestPageView view;
    SetZoomTable(view, {25, 50, 100, 200});
    struct Case {
        int zoom;
        int next;
        int previous;
    };
    const Case cases[] = {{100, 200, 50}, {25, 50, 25}, {200, 200, 100}, {60, 200, 25}, {10, 50, 25}, {500, 200, 100}};
    for (const Case& c : cases) {
        EXPECT_EQ(view.GetNextZoom(c.zoom), c.next) << c.zoom;
        EXPECT_EQ(view.GetPrevZoom(c.zoom), c.previous) << c.zoom;
    }
    EXPECT_EQ(view.GetFirstZoom(), 25);
}

TEST(ZoomSteps, FewerThanTwoStepsAnswer100)
{
    CTestPageView view;
    for (auto steps : {std::initializer_list<DWORD>{}, std::initializer_list<DWORD>{400}}) {
        SetZoomTable(view, steps);
        EXPECT_EQ(view.GetFirstZoom(), 100);
        EXPECT_EQ(view.GetNextZoom(400), 100);
        EXPECT_EQ(view.GetPrevZoom(400), 100);
        EXPECT_EQ(view.GetMaxZoom(), 100);
    }
}

// The zoomed page stays below 32,768 device units.
TEST(ZoomSteps, TheLargestZoomKeepsThePageBelowTheDeviceLimit)
{
    CTestPageView view;
    view.CreatePageObject();
    SetZoomTable(view, {25, 100, 6400});
    struct Case {
        int width;
        int height;
        int maxZoom;
    };
    const Case cases[] = {
        {2000, 100, 1600},   // 1638 rounded down to a multiple of 100
        {650, 800, 4000},    // 4096
        {400, 300, 6400},    // 8192 is above the last step
        {100, 10000, 300},   // 327 rounded down to a multiple of 50
        {20000, 20000, 150}, // 163 rounded down to a multiple of 25
        {65535, 1, 50},
    };
    for (const Case& c : cases) {
        view.GetPageObject()->SetScrollWidth(c.width);
        view.GetPageObject()->SetScrollHeight(c.height);
        EXPECT_EQ(view.GetMaxZoom(), c.maxZoom) << c.width << "x" << c.height;
    }
    view.GetPageObject()->SetScrollWidth(0);
    view.GetPageObject()->SetScrollHeight(0);
    EXPECT_EQ(view.GetMaxZoom(), 6400);
}

class ZoomViewTest : public ViewAppTest {
protected:
    void SetUp() override
    {
        ViewAppTest::SetUp();
        document = NewDocument();
        ASSERT_NE(document, nullptr);
        view = ViewOf(document);
        SetZoomTable(*view, {25, 50, 100, 200, 400});
        AddSwatch(*view, {10, 10, 30, 20}, RGB(255, 0, 0), "Red");
        AddSwatch(*view, {20, 16, 40, 30}, RGB(0, 0, 255), "Blue");
    }

    CMyDoc* document = nullptr;
    CTestPageView* view = nullptr;
};

TEST_F(ZoomViewTest, PageUnitsMapToDeviceUnitsByTheZoom)
{
    struct Case {
        int zoom;
        CPoint page;
        CPoint device;
    };
    const Case cases[] = {{50, {100, 40}, {50, 20}}, {100, {100, 40}, {100, 40}}, {200, {100, 40}, {200, 80}},
                          {400, {-10, 3}, {-40, 12}}};
    for (const Case& c : cases) {
        view->SetZoom(c.zoom);
        CPoint point = c.page;
        view->LogicalToDevice(&point, nullptr);
        EXPECT_EQ(point, c.device) << c.zoom;
        view->DeviceToLogical(&point, nullptr);
        EXPECT_EQ(point, c.page) << c.zoom;
        CRect rect(c.page, CSize(10, 10));
        view->LogicalToDeviceRect(&rect, nullptr);
        EXPECT_EQ(rect, CRect(c.device, CSize(10 * c.zoom / 100, 10 * c.zoom / 100))) << c.zoom;
        POINT asked = c.page;
        static_cast<const CObjectHost*>(view)->LogicalToDevice(&asked, 1);
        EXPECT_EQ(CPoint(asked), c.device) << c.zoom;
    }
}

TEST_F(ZoomViewTest, AnUnmappedPageConvertsNothing)
{
    view->GetPageObject()->ScrollBars = 0;
    view->SetZoom(200);
    EXPECT_FALSE(view->IsMapped());
    CPoint point(100, 40);
    view->LogicalToDevice(&point, nullptr);
    EXPECT_EQ(point, CPoint(100, 40));
    view->DeviceToLogical(&point, nullptr);
    EXPECT_EQ(point, CPoint(100, 40));
}

TEST_F(ZoomViewTest, ZoomIsLimitedByThePageSize)
{
    view->GetPageObject()->SetScrollWidth(20000);
    view->SetZoom(400);
    EXPECT_EQ(view->GetZoom(), 150);
    view->SetZoom(0);
    EXPECT_EQ(view->GetZoom(), 150);
}

TEST_F(ZoomViewTest, ScrollSizesFollowTheZoomAndTheGrid)
{
    view->SetZoom(200);
    view->UpdateScrollSizes(650, 800);
    int mode;
    CSize total, page, line;
    view->GetDeviceScrollSizes(mode, total, page, line);
    EXPECT_EQ(mode, MM_TEXT);
    EXPECT_EQ(total, CSize(1300, 1600));
    EXPECT_EQ(line, CSize(20, 20));
    CRect client;
    view->GetClientRect(&client);
    auto step = [](int half) { return (half + 5) / 10 * 10 * 2; };
    EXPECT_EQ(page, CSize(step(client.Width() / 2), step(client.Height() / 2)));
}

// Where each colour shows in a picture drawn as art: the bounding box of its character.
CRect BoxOf(const std::string& art, char colour)
{
    CRect box(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
    int x = 0, y = 0;
    for (char c : art) {
        if (c == '\n') {
            x = 0;
            ++y;
            continue;
        }
        if (c == colour)
            box.SetRect(std::min<int>(box.left, x), std::min<int>(box.top, y), std::max<int>(box.right, x + 1),
                        std::max<int>(box.bottom, y + 1));
        ++x;
    }
    return box;
}

char ArtAt(const std::string& art, int width, CPoint point)
{
    return art[static_cast<size_t>(point.y * (width + 1) + point.x)];
}

TEST_F(ZoomViewTest, ThePageDrawsAtHalfNormalAndDoubleSize)
{
    view->GetObjects().DeleteAll();
    AddSwatch(*view, {4, 4, 12, 10}, RGB(255, 0, 0), "Under");
    AddSwatch(*view, {8, 8, 16, 14}, RGB(0, 0, 255), "Over");
    struct Case {
        int zoom;
        CRect red;
        CRect blue;
        CPoint overlap;
    };
    const Case cases[] = {
        {50, {2, 2, 6, 5}, {4, 4, 8, 7}, {4, 4}},
        {100, {4, 4, 12, 10}, {8, 8, 16, 14}, {9, 9}},
        {200, {8, 8, 24, 20}, {16, 16, 32, 28}, {18, 18}},
    };
    for (const Case& c : cases) {
        view->SetZoom(c.zoom);
        Canvas canvas(34, 30);
        view->OnPrepareDC(&canvas.dc);
        view->OnDraw(&canvas.dc);
        const std::string art = canvas.Art();
        EXPECT_EQ(BoxOf(art, 'r'), c.red) << c.zoom << "\n" << art;
        EXPECT_EQ(BoxOf(art, 'b'), c.blue) << c.zoom;
        EXPECT_EQ(ArtAt(art, 34, c.overlap), 'b') << c.zoom;
        EXPECT_EQ(canvas.Count(RGB(255, 0, 0)) + canvas.Count(RGB(0, 0, 255)) + canvas.Count(RGB(255, 255, 255)),
                  34 * 30)
            << c.zoom;
    }
}

TEST_F(ZoomViewTest, APageWithoutItsPageObjectDrawsAndErasesNothing)
{
    view->SetPageObject(nullptr);
    Canvas canvas(10, 10);
    view->OnDraw(&canvas.dc);
    EXPECT_EQ(canvas.Count(RGB(255, 255, 255)), 100);
    EXPECT_FALSE(view->EraseBackground(&canvas.dc, CRect(0, 0, 10, 10)));
    view->CreatePageObject();
    canvas.dc.FillSolidRect(0, 0, 10, 10, RGB(0, 0, 0));
    EXPECT_TRUE(view->EraseBackground(&canvas.dc, CRect(0, 0, 4, 4)));
    EXPECT_EQ(canvas.Count(RGB(255, 255, 255)), 16);
}

// One screen pixel becomes the printer's dots per screen pixel, times the print scale.
TEST_F(ZoomViewTest, PrintingMapsScreenPixelsToPrinterDots)
{
    DEVMODE mode;
    GetDefaultDevMode(&mode);
    CDC printer;
    ASSERT_TRUE(printer.CreateDC(nullptr, kPdfPrinterName, nullptr, &mode));
    HDC screen = ::GetDC(nullptr);
    const int screenDpi = GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);
    const int printerDpi = printer.GetDeviceCaps(LOGPIXELSX);
    struct Case {
        double printScale;
        double userScale;
        int dots;
    };
    const Case cases[] = {{1.0, 0, printerDpi}, {0.5, 0, printerDpi / 2}, {0.5, 2.0, printerDpi * 2}};
    view->SetZoom(200);
    for (const Case& c : cases) {
        view->GetPageObject()->PrintScale = c.printScale;
        CPrintInfo info;
        double userScale = c.userScale;
        info.m_lpUserData = c.userScale ? &userScale : nullptr;
        view->OnPrepareDC(&printer, &info);
        CPoint point(screenDpi, screenDpi);
        printer.LPtoDP(&point);
        EXPECT_EQ(point, CPoint(c.dots, c.dots)) << c.printScale << " " << c.userScale;
    }
}

} // namespace
