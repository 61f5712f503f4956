// Icons drawn in the icon editor, opened from the catalogue's context menu: a pixel painted
// there shows in the catalogue, is stored and comes back after a restart; Cancel changes
// nothing.
#include "app/tests/E2E.h"
#include "app/tests/RoadTest.h"

#include "View/MyView.h"

#include <gtest/gtest.h>

#include <QImage>

#include <fstream>
#include <iterator>

namespace {

constexpr int kEditIcon = 60684;
// The first entry's tile in the main window, and the middle of its icon.
constexpr const char* kEntry = "782 190";
constexpr int kIconMiddleX = 782, kIconMiddleY = 190;
// The icon's middle pixel in the editor, below the tool bar's two rows.
constexpr const char* kMiddlePixel = "131 189";

class IconEditRoadTest : public e2e::CatalogueFolderRoadTest {
protected:
    // A rectangle goes into a new catalogue; its entry's icon is white in the middle.
    std::string MakeCatalogue() const
    {
        return "wait 300\nmenu 57600\nmenu " + std::to_string(CMyView::ToolRectangle) +
               "\ndrag view 100 100 200 160\nwait 200\nfile " + Path("cats/mine.cat") +
               "\nmenu 60685\nwait 300\nmenu 33968\nwait 300\n";
    }
    // The entry's context menu opens the icon editor; a pencil click paints its middle pixel.
    static std::string EditMiddlePixel(const char* button)
    {
        return std::string("click main ") + kEntry + "\nwait 200\npick " + std::to_string(kEditIcon) +
               "\nrclick main " + kEntry + "\nwait 500\nclick dialog " + kMiddlePixel + "\nwait 200\nclick dialog " + button +
               "\nwait 300\n";
    }
    std::string Bytes(const char* name) const
    {
        std::ifstream in(Path(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    bool MiddleIsDark(const char* shot) const
    {
        const QImage image(QString::fromStdString(Path(shot)));
        for (int y = kIconMiddleY - 3; y <= kIconMiddleY + 3; ++y)
            for (int x = kIconMiddleX - 3; x <= kIconMiddleX + 3; ++x)
                if (image.valid(x, y) && qGray(image.pixel(x, y)) < 96)
                    return true;
        return false;
    }
};

constexpr const char* kOk = "650 253";
constexpr const char* kCancel = "650 286";

TEST_F(IconEditRoadTest, APixelPaintedInACatalogueEntrysIconIsShownAndKept)
{
    const std::string script = MakeCatalogue() + "screenshot " + Path("before.png") + "\n" + EditMiddlePixel(kOk) +
                               "screenshot " + Path("after.png") + "\nanswer 7\nquit\n";
    e2e::Run run = e2e::RunVantrel(script, home);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(run.log.find("error"), std::string::npos) << run.log;
    EXPECT_FALSE(MiddleIsDark("before.png"));
    EXPECT_TRUE(MiddleIsDark("after.png")) << run.log;

    run = e2e::RunVantrel("wait 300\nmenu 57600\nmenu 33968\nwait 300\nscreenshot " + Path("reopened.png") +
                              "\nanswer 7\nquit\n",
                          home);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_TRUE(MiddleIsDark("reopened.png")) << run.log;
}

TEST_F(IconEditRoadTest, CancelLeavesTheCatalogueEntrysIconAsItWas)
{
    ASSERT_EQ(e2e::RunVantrel(MakeCatalogue() + "answer 7\nwait 300\nquit\n", home).exitCode, 0);
    const std::string before = Bytes("cats/mine.cat");
    e2e::Run run = e2e::RunVantrel("wait 300\nmenu 57600\nmenu 33968\nwait 300\n" + EditMiddlePixel(kCancel) +
                                       "screenshot " + Path("after.png") + "\nanswer 7\nquit\n",
                                   home);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(run.log.find("error"), std::string::npos) << run.log;
    EXPECT_FALSE(MiddleIsDark("after.png"));
    EXPECT_EQ(Bytes("cats/mine.cat"), before);
}

// Columns of the band holding pixels that pass `test`.
template <typename Test>
int ColumnsWhere(const QImage& shot, QRect band, Test test)
{
    int columns = 0;
    for (int x = band.left(); x <= band.right(); ++x) {
        bool found = false;
        for (int y = band.top(); y <= band.bottom() && !found; ++y)
            found = shot.valid(x, y) && test(shot.pixel(x, y));
        columns += found;
    }
    return columns;
}

bool Inked(QRgb pixel) { return qGray(pixel) < 150; }
bool Red(QRgb pixel) { return qRed(pixel) > 200 && qGreen(pixel) < 60 && qBlue(pixel) < 60; }

// The tool bar's second row (22 pixels below its first, under a 10-pixel gripper) holds the
// transparency picker; the foreground picker ends the first row.
constexpr QRect kSecondRow(2, 40, 300, 18);
constexpr const char* kForegroundArrow = "665 26";
// Red in the foreground picker's drop-down, which takes the clicks while it is open.
constexpr const char* kRedUnderForeground = "14 57";
// The transparency picker's arrow on the second row, and white in its drop-down.
constexpr const char* kTransparencyArrow = "36 49";
constexpr const char* kWhiteUnderTransparency = "137 119";
constexpr QRect kPaintArea(5, 60, 250, 250), kPreviewArea(260, 40, 200, 160);

// A picker's drop-down opened from its arrow and one of its entries clicked.
std::string Pick(const char* arrow, const char* entry)
{
    return std::string("click dialog ") + arrow + "\nwait 300\nclick dialog " + entry + "\nwait 300\n";
}

TEST_F(IconEditRoadTest, TheToolBarsSecondRowShowsAboveThePictureAndItsPickersPaintAndClear)
{
    const std::string script = MakeCatalogue() + "click main " + kEntry + "\nwait 200\npick " +
                               std::to_string(kEditIcon) + "\nrclick main " + kEntry + "\nwait 500\nsnapshot dialog " +
                               Path("opened.png") + "\n" + Pick(kForegroundArrow, kRedUnderForeground) +
                               "click dialog " + kMiddlePixel + "\nwait 300\nsnapshot dialog " + Path("red.png") +
                               "\n" + Pick(kTransparencyArrow, kWhiteUnderTransparency) + "snapshot dialog " +
                               Path("clear.png") + "\nclick dialog " + kCancel + "\nwait 300\nanswer 7\nquit\n";
    const e2e::Run run = e2e::RunVantrel(script, home);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(run.log.find("error"), std::string::npos) << run.log;
    const QImage opened(QString::fromStdString(Path("opened.png")));
    const QImage red(QString::fromStdString(Path("red.png")));
    const QImage clear(QString::fromStdString(Path("clear.png")));
    ASSERT_FALSE(opened.isNull() || red.isNull() || clear.isNull()) << run.log;

    // The second row shows the transparency picker, and the picture starts below it.
    EXPECT_GT(ColumnsWhere(opened, kSecondRow.adjusted(0, 0, -260, 0), Inked), 10);
    EXPECT_EQ(ColumnsWhere(opened, kSecondRow.adjusted(60, 0, 0, 0), Inked), 0);
    // The pixel painted in the foreground picker's red shows in the picture and the preview.
    EXPECT_GE(ColumnsWhere(red, kPaintArea, Red), 5);
    EXPECT_GE(ColumnsWhere(red, kPreviewArea, Red), 1);
    // White picked as the transparent colour leaves the preview at once, the red pixel stays.
    const auto white = [](QRgb pixel) { return pixel == qRgb(255, 255, 255); };
    EXPECT_GE(ColumnsWhere(red, kPreviewArea, white), 30);
    EXPECT_EQ(ColumnsWhere(clear, kPreviewArea, white), 0);
    EXPECT_GE(ColumnsWhere(clear, kPreviewArea, Red), 1);
}

} // namespace
