// Pictures inserted from files of each format the program reads: they show on the page, are
// saved inside the document and come back when it is opened again.
#include "app/tests/E2E.h"
#include "app/tests/SavedPage.h"

#include "View/MyView.h"
#include "imaging/ExtDib.h"
#include "objects/kinds/BitmapOb.h"
#include "platform/gdi/Dc.h"

#include <gtest/gtest.h>

#include <QImage>

#include <filesystem>
#include <memory>

namespace {

struct Inserted {
    CString className;
    CRect rect;
    CSize pictureSize;
};

std::vector<Inserted> ReadPictures(const std::string& path)
{
    std::vector<Inserted> found;
    CMyView reader;
    if (!e2e::ReadSavedPage(path, reader))
        return found;
    for (INT_PTR i = 0; i < reader.GetObjects().GetSize(); ++i) {
        auto* object = dynamic_cast<CBitmapOb*>(reader.GetObjectAtIndex(i));
        if (!object)
            continue;
        Inserted inserted {object->GetRuntimeClass()->m_lpszClassName, {}, object->GetPicture().GetDimensions()};
        object->GetRect(&inserted.rect, nullptr);
        found.push_back(inserted);
    }
    return found;
}

std::string Fixture(const char* name)
{
    namespace fs = std::filesystem;
    return (fs::path(VANTREL_TEST_DATA) / "../../../piclib/common/tests/data" / name).lexically_normal().string();
}

// One file of each format the picture decoders read.
constexpr const char* kPictures[] = {"bmp24.bmp", "colour.jpg", "rgb8.png", "gifplain.gif", "tiflzw.tif",
                                     "tga24.tga", "pcx24.pcx", "pgmraw.pgm", "ppmraw.ppm"};
constexpr int kSaveAs = 57604;
constexpr int kClose = 57602;
constexpr int kOpen = 57601;

bool Near(QRgb a, COLORREF b)
{
    auto near = [](int x, int y) { return std::abs(x - y) <= 48; };
    return near(qRed(a), GetRValue(b)) && near(qGreen(a), GetGValue(b)) && near(qBlue(a), GetBValue(b));
}

// The share of the picture's pixels that the screenshot of the main window shows at the
// rectangle, wherever the view's client area lies in the window's top-left corner.
double Shown(const QImage& shot, const CRect& rect, const std::string& path)
{
    CExtDib picture;
    if (!picture.Load(path.c_str(), CExtDib::Embedded, FALSE))
        return 0;
    CDC memory;
    memory.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    CDC screen;
    screen.Attach(::GetDC(nullptr));
    bitmap.CreateCompatibleBitmap(&screen, picture.GetWidth(), picture.GetHeight());
    ::ReleaseDC(nullptr, screen.Detach());
    CBitmap* old = memory.SelectObject(&bitmap);
    picture.Draw(&memory, 0, 0);
    int best = 0;
    // The menu bar, tool bars and document tabs sit above the view, a tool bar may sit left of it.
    for (int dy = 0; dy <= 200; ++dy)
        for (int dx = 0; dx <= 80; ++dx) {
            int matching = 0;
            for (int y = 0; y < picture.GetHeight(); ++y)
                for (int x = 0; x < picture.GetWidth(); ++x) {
                    const int sx = rect.left + dx + x;
                    const int sy = rect.top + dy + y;
                    matching += shot.valid(sx, sy) && Near(shot.pixel(sx, sy), memory.GetPixel(x, y));
                }
            best = std::max(best, matching);
        }
    memory.SelectObject(old);
    return double(best) / (picture.GetWidth() * picture.GetHeight());
}

TEST(PictureRoadTest, APictureOfEachFormatAppearsAndSurvivesSaveAndReopen)
{
    if (!e2e::CanRun())
        GTEST_SKIP() << "xvfb-run is not installed";
    const std::string home = e2e::TempFolder();
    ASSERT_FALSE(home.empty());
    std::string script = "wait 300\nmenu 57600\n";  // File New: the program starts without a document
    for (size_t i = 0; i < std::size(kPictures); ++i) {
        const int x = 60 + 120 * static_cast<int>(i % 3);
        const int y = 60 + 100 * static_cast<int>(i / 3);
        script += "menu " + std::to_string(CMyView::ToolBitmap) + "\nfile " + Fixture(kPictures[i]) + "\nclick view " +
                  std::to_string(x) + " " + std::to_string(y) + "\n" + e2e::kLoadPicture;
    }
    script += "click view 700 500\nwait 200\nscreenshot " + home + "/page.png\n" + "file " + home +
              "/pictures.trn\nmenu " + std::to_string(kSaveAs) + "\nmenu " + std::to_string(kClose) + "\nfile " +
              home + "/pictures.trn\nmenu " + std::to_string(kOpen) + "\nwait 300\nfile " + home +
              "/reopened.trn\nmenu " + std::to_string(kSaveAs) + "\nquit\n";
    e2e::Run run = e2e::RunVantrel(script, home);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(run.log.find("error"), std::string::npos) << run.log;
    EXPECT_EQ(run.log.find("box:"), std::string::npos) << run.log;

    const QImage shot(QString::fromStdString(home + "/page.png"));
    ASSERT_FALSE(shot.isNull()) << run.log;
    const std::vector<Inserted> saved = ReadPictures(home + "/pictures.trn");
    ASSERT_EQ(saved.size(), std::size(kPictures)) << run.log;
    const std::vector<Inserted> reopened = ReadPictures(home + "/reopened.trn");
    ASSERT_EQ(reopened.size(), saved.size());
    for (size_t i = 0; i < saved.size(); ++i) {
        // Stacking order puts the last one inserted first.
        const char* name = kPictures[std::size(kPictures) - 1 - i];
        CExtDib original;
        ASSERT_TRUE(original.Load(Fixture(name).c_str(), CExtDib::Embedded, FALSE)) << name;
        EXPECT_EQ(saved[i].className, CString("CBitmapGen")) << name;
        EXPECT_EQ(saved[i].pictureSize, original.GetDimensions()) << name;
        EXPECT_EQ(saved[i].rect.Size(), original.GetDimensions()) << name << ": sized to fit";
        EXPECT_EQ(reopened[i].pictureSize, saved[i].pictureSize) << name;
        EXPECT_EQ(reopened[i].rect, saved[i].rect) << name;
        EXPECT_GE(Shown(shot, saved[i].rect, Fixture(name)), 0.9) << name;
    }
}

} // namespace
