// Printing a page to the PDF printer: one page with the objects, checked by the PDF tools.
#include "ViewTestKit.h"
#include "PdfInfo.h"

#include "View/PrintJob.h"
#include "objects/HyperViewOb.h"

#include <cstdlib>
#include <fstream>

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

class PrintTest : public ViewAppTest { };

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
    ASSERT_TRUE(PrintViewToFile(view, pdf.c_str(), "Week"));
    EXPECT_EQ(view->m_drawnPageColor, RGB(255, 255, 255));
    EXPECT_EQ(view->m_drawnZoom, 100);
    EXPECT_EQ(view->GetPageObject()->Color, RGB(0, 128, 0));
    EXPECT_EQ(view->GetZoom(), 200);

    EXPECT_EQ(PdfInfoField(pdf, "Pages"), "1");
    EXPECT_EQ(PdfInfoField(pdf, "Title"), "Week");
    // At 48 dots per inch one screen pixel is half a dot (96 screen pixels per inch).
    ASSERT_EQ(std::system(("pdftoppm -r 48 -singlefile '" + pdf + "' '" + PathOf("page") + "'").c_str()), 0);
    const Raster page = ReadPpm(PathOf("page.ppm"));
    ASSERT_GT(page.width, 300);
    auto near = [](COLORREF a, COLORREF b) {
        return std::abs(GetRValue(a) - GetRValue(b)) < 40 && std::abs(GetGValue(a) - GetGValue(b)) < 40 &&
               std::abs(GetBValue(a) - GetBValue(b)) < 40;
    };
    EXPECT_TRUE(near(page.At(72, 72), RGB(255, 0, 0)));
    EXPECT_TRUE(near(page.At(168, 72), RGB(0, 0, 255)));
    EXPECT_TRUE(near(page.At(120, 72), RGB(255, 255, 255)));
    EXPECT_TRUE(near(page.At(20, 20), RGB(255, 255, 255)));
    EXPECT_TRUE(near(page.At(72, 150), RGB(255, 255, 255)));
}

} // namespace
