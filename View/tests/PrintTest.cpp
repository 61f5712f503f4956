// Printing a document's pages: to the built-in PDF printer and to a print queue of a server
// the test starts, with page ranges, copies, pages wider than the paper and Cancel.
#include "ViewTestKit.h"
#include "PdfInfo.h"
#include "PrivateCups.h"

#include "View/PrintJob.h"
#include "View/tests/DocumentBytes.h"
#include "objects/HyperViewOb.h"
#include "platform/gdi/Printer.h"
#include "platform/ui/PrintingDialog.h"

#include <cstdlib>
#include <fstream>
#include <functional>

namespace {

// A binary PPM picture: its size and RGB pixels.
struct Raster {
    int width = 0;
    int height = 0;
    Bytes pixels;
    COLORREF At(int x, int y) const
    {
        const size_t i = 3 * (static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x));
        return RGB(pixels[i], pixels[i + 1], pixels[i + 2]);
    }
};

Raster ReadPpm(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    Raster raster;
    std::string magic;
    int maxValue = 0;
    in >> magic >> raster.width >> raster.height >> maxValue;
    in.get();
    raster.pixels.resize(3 * static_cast<size_t>(raster.width) * static_cast<size_t>(raster.height));
    in.read(reinterpret_cast<char*>(raster.pixels.data()), static_cast<std::streamsize>(raster.pixels.size()));
    return raster;
}

// The first page of a PDF at 48 dots per inch: half a dot per screen pixel at 100 %.
Raster FirstPageAt48Dpi(const std::string& pdf, const std::string& stem)
{
    const std::string command = "pdftoppm -r 48 -singlefile '" + pdf + "' '" + stem + "'";
    return std::system(command.c_str()) == 0 ? ReadPpm(stem + ".ppm") : Raster{};
}

std::string TextOf(const std::string& pdf)
{
    std::string text;
    if (FILE* pipe = popen(("pdftotext '" + pdf + "' - 2>/dev/null").c_str(), "r")) {
        char buffer[256];
        while (fgets(buffer, sizeof buffer, pipe))
            text += buffer;
        pclose(pipe);
    }
    return text;
}

bool Near(COLORREF a, COLORREF b)
{
    return std::abs(GetRValue(a) - GetRValue(b)) < 40 && std::abs(GetGValue(a) - GetGValue(b)) < 40 &&
           std::abs(GetBValue(a) - GetBValue(b)) < 40;
}

// A swatch with its code written in it, so the printed page carries that text; it can also
// do something while it is printed.
class CLabelOb : public CSwatchOb {
public:
    void Draw(CDC* dc) override
    {
        CSwatchOb::Draw(dc);
        CRect rect;
        GetRect(&rect, nullptr);
        dc->SetBkMode(TRANSPARENT);
        dc->TextOut(rect.left + 4, rect.top + 4, Code);
        if (whilePrinted && dc->IsPrinting())
            whilePrinted();
    }
    std::function<void()> whilePrinted;
};

CLabelOb* AddLabel(CHyperRunView& view, const RECT& rect, const char* code)
{
    auto* label = new CLabelOb;
    label->Init(&view, &rect, FALSE);
    label->BackColor = RGB(255, 255, 0);
    label->Code = code;
    view.GetObjects().InsertAt(0, label);
    return label;
}

// What a user's press on the printing dialog's Cancel does; the press waits in the queue
// until the printer asks whether to go on.
void PressCancelOnThePrintingDialog()
{
    HWND main = AfxGetMainWnd()->GetSafeHwnd();
    for (HWND w = ::GetWindow(main, GW_HWNDFIRST); w; w = ::GetWindow(w, GW_HWNDNEXT))
        if (::IsWindowVisible(w) && ::GetDlgItem(w, AFX_IDC_PRINT_PAGENUM))
            ::PostMessage(w, WM_COMMAND, IDCANCEL, 0);
}

class PrintTest : public ViewAppTest {
protected:
    // The document of two pages, "First page" on the first and "Second page" on the second.
    std::vector<CView*> TwoPages()
    {
        const std::string path = PathOf("two.trn");
        WriteFileBytes(path, Concat({FrameRecord(), FirstPage(), SecondPage()}));
        CDocument* document = m_app->OpenDocumentFile(path.c_str());
        EXPECT_NE(document, nullptr);
        std::vector<CView*> pages = document ? DocumentPagesOf(ViewOf(document)) : std::vector<CView*>{};
        EXPECT_EQ(pages.size(), 2u);
        if (pages.size() == 2) {
            m_first = AddLabel(*static_cast<CHyperRunView*>(pages[0]), {20, 300, 220, 340}, "First page");
            AddLabel(*static_cast<CHyperRunView*>(pages[1]), {20, 300, 220, 340}, "Second page");
        }
        return pages;
    }

    CPrintRequest ToFile(const std::string& pdf, UINT from, UINT to) const
    {
        CPrintRequest request;
        request.printer = kPdfPrinterName;
        request.output = pdf.c_str();
        request.documentName = "Week";
        request.fromPage = from;
        request.toPage = to;
        return request;
    }

    CLabelOb* m_first = nullptr;
};

TEST_F(PrintTest, APagePrintsToAOnePagePdfWithItsObjects)
{
    CMyDoc* document = NewDocument();
    CTestPageView* view = ViewOf(document);
    view->GetPageObject()->Color = RGB(0, 128, 0);
    view->SetZoom(200);
    // One inch square of red from (96, 96) screen pixels, blue beside it.
    AddSwatch(*view, {96, 96, 192, 192}, RGB(255, 0, 0), "Red");
    AddSwatch(*view, {288, 96, 384, 192}, RGB(0, 0, 255), "Blue");
    const std::string pdf = PathOf("page.pdf");
    ASSERT_EQ(PrintPages({view}, ToFile(pdf, 1, 1)), PrintResult::Printed);
    EXPECT_EQ(view->m_drawnPageColor, RGB(255, 255, 255));
    EXPECT_EQ(view->m_drawnZoom, 100);
    EXPECT_EQ(view->GetPageObject()->Color, RGB(0, 128, 0));
    EXPECT_EQ(view->GetZoom(), 200);

    EXPECT_EQ(PdfInfoField(pdf, "Pages"), "1");
    EXPECT_EQ(PdfInfoField(pdf, "Title"), "Week");
    const Raster page = FirstPageAt48Dpi(pdf, PathOf("page"));
    ASSERT_GT(page.width, 300);
    EXPECT_TRUE(Near(page.At(72, 72), RGB(255, 0, 0)));
    EXPECT_TRUE(Near(page.At(168, 72), RGB(0, 0, 255)));
    EXPECT_TRUE(Near(page.At(120, 72), RGB(255, 255, 255)));
    EXPECT_TRUE(Near(page.At(20, 20), RGB(255, 255, 255)));
    EXPECT_TRUE(Near(page.At(72, 150), RGB(255, 255, 255)));
}

// A4 is 794 x 1123 screen pixels. A page reaching past it is scaled down to the paper as a
// whole; its far corner lands on the paper's edge and nothing is cut.
TEST_F(PrintTest, APageLargerThanThePaperIsFittedToItNotCut)
{
    struct Case {
        const char* name;
        RECT farBlue;       // screen pixels of the page
        double fit;         // the paper's share of the page
    };
    const Case cases[] = {
        {"twice as wide", {1488, 100, 1588, 200}, 794.0 / 1588},
        {"twice as tall", {100, 2146, 200, 2246}, 1123.0 / 2246},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CTestPageView* view = ViewOf(NewDocument());
        AddSwatch(*view, {0, 0, 100, 100}, RGB(255, 0, 0), "Red");
        AddSwatch(*view, c.farBlue, RGB(0, 0, 255), "Blue");
        const std::string pdf = PathOf("wide.pdf");
        ASSERT_EQ(PrintPages({view}, ToFile(pdf, 1, 1)), PrintResult::Printed);
        const Raster page = FirstPageAt48Dpi(pdf, PathOf("wide"));
        ASSERT_GT(page.width, 300);
        // Half a dot per screen pixel, times the fit.
        auto at = [&](double x, double y) { return page.At(int(x * c.fit / 2), int(y * c.fit / 2)); };
        EXPECT_TRUE(Near(at(50, 50), RGB(255, 0, 0)));
        const double blueX = (c.farBlue.left + c.farBlue.right) / 2.0, blueY = (c.farBlue.top + c.farBlue.bottom) / 2.0;
        EXPECT_TRUE(Near(at(blueX, blueY), RGB(0, 0, 255))) << "the far swatch is on the paper";
        EXPECT_TRUE(Near(at((50 + blueX) / 2, (50 + blueY) / 2), RGB(255, 255, 255)));
    }
}

// The preview draws the page through the same mapping onto paper of its own size.
TEST_F(PrintTest, ThePreviewMapsALargePageOntoThePaperAndASmallOneAsItIs)
{
    CTestPageView* view = ViewOf(NewDocument());
    AddSwatch(*view, {0, 0, 100, 100}, RGB(255, 0, 0), "Red");
    CDC screen;
    screen.Attach(::GetDC(nullptr));
    CDC memory;
    ASSERT_TRUE(memory.CreateCompatibleDC(&screen));
    memory.m_bPrinting = TRUE;
    CPrintInfo info;
    info.m_bPreview = TRUE;
    info.m_rectDraw.SetRect(0, 0, 794, 1123);
    view->OnPrepareDC(&memory, &info);
    CPoint corner(100, 100);
    memory.LPtoDP(&corner, 1);
    EXPECT_EQ(corner, CPoint(100, 100)) << "a page that fits is printed at its size";

    // Drawn from right to left: its left edge is the far one.
    AddSwatch(*view, {1588, 0, 1488, 100}, RGB(0, 0, 255), "Blue");
    view->OnPrepareDC(&memory, &info);
    CPoint far(1588, 100);
    memory.LPtoDP(&far, 1);
    EXPECT_LE(far.x, 794);
    EXPECT_GE(far.x, 790) << "fitted, not shrunk further";
    ::ReleaseDC(nullptr, screen.Detach());
}

TEST_F(PrintTest, TheRangeChoosesThePagesAndTheirOrder)
{
    const std::vector<CView*> pages = TwoPages();
    ASSERT_EQ(pages.size(), 2u);
    struct Case {
        UINT from, to;
        const char* pages;
        std::vector<std::string> texts;  // in the file's order
    };
    const Case cases[] = {
        {1, 2, "2", {"First page", "Second page"}},
        {2, 2, "1", {"Second page"}},
        {2, 1, "2", {"Second page", "First page"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.from) + " to " + std::to_string(c.to));
        const std::string pdf = PathOf("range.pdf");
        ASSERT_EQ(PrintPages(pages, ToFile(pdf, c.from, c.to)), PrintResult::Printed);
        EXPECT_EQ(PdfInfoField(pdf, "Pages"), c.pages);
        const std::string text = TextOf(pdf);
        size_t at = 0;
        for (const std::string& expected : c.texts) {
            at = text.find(expected, at);
            ASSERT_NE(at, std::string::npos) << expected << " in " << text;
        }
        if (c.texts.size() == 1) {
            EXPECT_EQ(text.find("First page"), std::string::npos);
        }
    }
    EXPECT_EQ(PrintPages(pages, ToFile(PathOf("none.pdf"), 1, 3)), PrintResult::Failed) << "no third page";
    EXPECT_EQ(PrintPages(pages, ToFile(PathOf("none.pdf"), 0, 1)), PrintResult::Failed);
    EXPECT_FALSE(std::filesystem::exists(PathOf("none.pdf")));
}

TEST_F(PrintTest, CancelOnThePrintingDialogStopsAtTheNextPageAndKeepsTheOldFile)
{
    const std::vector<CView*> pages = TwoPages();
    ASSERT_EQ(pages.size(), 2u);
    const std::string pdf = PathOf("kept.pdf");
    WriteFileBytes(pdf, Bytes{'o', 'l', 'd'});
    int secondPageDrawn = 0;
    m_first->whilePrinted = PressCancelOnThePrintingDialog;
    auto* second = static_cast<CLabelOb*>(static_cast<CHyperRunView*>(pages[1])->GetObjectAtIndex(0));
    second->whilePrinted = [&] { ++secondPageDrawn; };

    EXPECT_EQ(PrintPages(pages, ToFile(pdf, 1, 2)), PrintResult::Cancelled);
    EXPECT_EQ(secondPageDrawn, 0) << "the job stopped after the first page";
    EXPECT_EQ(ReadFileBytes(pdf), (Bytes{'o', 'l', 'd'})) << "a cancelled job writes nothing";
    EXPECT_TRUE(AfxGetMainWnd()->IsWindowEnabled()) << "the main window is enabled again";

    m_first->whilePrinted = nullptr;
    EXPECT_EQ(PrintPages(pages, ToFile(pdf, 1, 2)), PrintResult::Printed) << "the next job starts afresh";
    EXPECT_EQ(PdfInfoField(pdf, "Pages"), "2");
}

class PrintQueueTest : public PrintTest {
protected:
    void SetUp() override
    {
        PrintTest::SetUp();
        m_cups = std::make_unique<PrivateCups>();
        if (!m_cups->Running())
            GTEST_SKIP() << "no print server of our own: " << m_cups->Error();
        ASSERT_TRUE(m_cups->AddQueue("Test"));
    }
    void TearDown() override
    {
        m_cups.reset();
        PrintTest::TearDown();
    }

    CPrintRequest ToQueue(UINT from, UINT to, int copies) const
    {
        CPrintRequest request;
        request.printer = "Test";
        request.documentName = "Week";
        request.fromPage = from;
        request.toPage = to;
        request.copies = copies;
        return request;
    }

    std::unique_ptr<PrivateCups> m_cups;
};

TEST_F(PrintQueueTest, TheChosenPageOfTwoReachesTheQueueWithItsCopies)
{
    const std::vector<CView*> pages = TwoPages();
    ASSERT_EQ(pages.size(), 2u);
    ASSERT_EQ(PrintPages(pages, ToQueue(2, 2, 2)), PrintResult::Printed);
    ASSERT_TRUE(m_cups->WaitForJob("Test"));
    const std::string job = m_cups->Output("Test");
    EXPECT_EQ(PdfInfoField(job, "Pages"), "1");
    EXPECT_EQ(PdfInfoField(job, "Title"), "Week");
    const std::string text = TextOf(job);
    EXPECT_NE(text.find("Second page"), std::string::npos) << text;
    EXPECT_EQ(text.find("First page"), std::string::npos) << text;
    EXPECT_EQ(m_cups->Copies("Test"), 2);
}

TEST_F(PrintQueueTest, ACancelledJobNeverReachesTheQueue)
{
    const std::vector<CView*> pages = TwoPages();
    ASSERT_EQ(pages.size(), 2u);
    m_first->whilePrinted = PressCancelOnThePrintingDialog;
    EXPECT_EQ(PrintPages(pages, ToQueue(1, 2, 1)), PrintResult::Cancelled);
    EXPECT_TRUE(m_cups->NoJobArrives("Test"));
}

TEST_F(PrintQueueTest, AQueueThatIsNotThereFailsTheJob)
{
    const std::vector<CView*> pages = TwoPages();
    ASSERT_EQ(pages.size(), 2u);
    CPrintRequest request = ToQueue(1, 2, 1);
    request.printer = "Gone";
    EXPECT_EQ(PrintPages(pages, request), PrintResult::Failed);
}

} // namespace
