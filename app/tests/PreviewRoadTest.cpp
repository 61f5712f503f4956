// The page before printing and the page from above, played into the real program: print
// preview shows one and two pages, zooms and prints to the PDF printer; the bird's-eye window
// scrolls the view and follows it; the ink's Copy as Text says that nothing was recognised.
#include "app/tests/E2E.h"
#include "app/tests/PixelBox.h"
#include "app/tests/RoadTest.h"

#include "View/tests/PdfInfo.h"

#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <fstream>
#include <string>

namespace {

QImage Load(const std::string& path) { return QImage(QString::fromStdString(path)); }

// The longest run of white on the middle row: the previewed page.
struct WhiteRun {
    int left = -1;
    int width = 0;
};

WhiteRun PageOnMiddleRow(const QImage& shot)
{
    WhiteRun best, current;
    const int y = shot.height() / 2;
    for (int x = 0; x <= shot.width(); ++x) {
        if (x < shot.width() && (shot.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF) {
            if (current.width++ == 0)
                current.left = x;
            continue;
        }
        if (current.width > best.width)
            best = current;
        current = WhiteRun{};
    }
    return best;
}

// The smallest x and the smallest y of the pixels of a colour in `to` that are not of that
// colour in `from` (-1 when there are none). What both pictures share, such as window frames
// and tool bar icons, drops out; what moved shows where it went.
QPoint FirstNew(const QImage& from, const QImage& to, QRgb color)
{
    QPoint first(-1, -1);
    for (int y = 0; y < std::min(from.height(), to.height()); ++y)
        for (int x = 0; x < std::min(from.width(), to.width()); ++x) {
            if ((to.pixel(x, y) & 0xFFFFFF) != color || (from.pixel(x, y) & 0xFFFFFF) == color)
                continue;
            first.setX(first.x() < 0 ? x : std::min(first.x(), x));
            first.setY(first.y() < 0 ? y : std::min(first.y(), y));
        }
    return first;
}

constexpr QRgb kRed = 0xFF0000;
constexpr QRgb kBlack = 0x000000;

class PreviewRoadTest : public e2e::RoadTest {};

TEST_F(PreviewRoadTest, PrintPreviewShowsOneAndTwoPagesZoomsAndPrintsToThePdfPrinter)
{
    const std::string pdf = Path("printed.pdf");
    // The number-of-pages button is pressed by the id it carries: "Two Page" (61506) while one
    // page shows, "One Page" (61505) while two do.
    const std::string script = "wait 300\nmenu 57600\nmenu 33807\ndrag view 100 100 200 200\n" + Save("page.trn") +
                               "menu 57609\nwait 400\nscreenshot " + Path("one.png") +
                               "\nmenu 61506\nwait 300\nscreenshot " + Path("two.png") +
                               "\nmenu 61505\nwait 200\nmenu 58117\nmenu 58117\nwait 300\nscreenshot " +
                               Path("zoomed.png") + "\nmenu 58118\nmenu 58118\nwait 200\nprint " + pdf +
                               "\nmenu 58116\nwait 800\nscreenshot " + Path("after.png") + "\nquit\n";
    e2e::Run run = e2e::RunVantrel(script, home);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(run.log.find("error"), std::string::npos) << run.log;

    const QImage one = Load(Path("one.png")), two = Load(Path("two.png")), zoomed = Load(Path("zoomed.png"));
    const QImage after = Load(Path("after.png"));
    ASSERT_FALSE(one.isNull() || two.isNull() || zoomed.isNull() || after.isNull());
    const WhiteRun single = PageOnMiddleRow(one), pair = PageOnMiddleRow(two), near = PageOnMiddleRow(zoomed);
    ASSERT_GT(single.width, 50) << "the page shows on the preview";
    EXPECT_LT(pair.left, single.left) << "two pages side by side put the first one further left";
    EXPECT_GT(near.width, single.width) << "zoomed in, the page is larger";
    EXPECT_NE(PageOnMiddleRow(after).left, single.left) << "printing ends the preview";

    EXPECT_EQ(PdfInfoField(pdf, "Pages"), "1");
    EXPECT_FALSE(PdfInfoField(pdf, "Title").empty()) << "the document's title";
}

TEST_F(PreviewRoadTest, TheBirdsEyeBoxScrollsTheViewAndFollowsTheViewsScrolling)
{
    const std::string layer = "menu 33982\n";
    // A red ink stroke from top to bottom (the guides are blue), the view zoomed in so that it
    // scrolls.
    std::string script = "wait 300\nmenu 57600\n" + layer + "menu 33989\ndrag view 300 120 300 220\n" + layer +
                         "menu 60561\nwait 200\nmenu 37700\nwait 400\nscreenshot " + Path("main1.png") +
                         "\nsnapshot dialog " + Path("ov1.png") + "\n";
    for (int i = 0; i < 10; ++i)
        script += "key right\n";
    script += "wait 400\nscreenshot " + Path("main2.png") + "\nsnapshot dialog " + Path("ov2.png") +
              "\nwheel view 200 200 -240\nwait 500\nsnapshot dialog " + Path("ov3.png") + "\nkey escape\nwait 200\n" +
              Save("eye.trn") + "quit\n";
    e2e::Run run = e2e::RunVantrel(script, home);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(run.log.find("error"), std::string::npos) << run.log;

    const QImage main1 = Load(Path("main1.png")), main2 = Load(Path("main2.png"));
    const QImage ov1 = Load(Path("ov1.png")), ov2 = Load(Path("ov2.png")), ov3 = Load(Path("ov3.png"));
    ASSERT_FALSE(main1.isNull() || main2.isNull() || ov1.isNull() || ov2.isNull() || ov3.isNull());
    // The stroke where it was and where it is now.
    const QPoint strokeBefore = FirstNew(main2, main1, kRed), strokeAfter = FirstNew(main1, main2, kRed);
    ASSERT_GE(strokeBefore.x(), 0);
    ASSERT_GE(strokeAfter.x(), 0);
    EXPECT_GT(strokeBefore.x() - strokeAfter.x(), 20) << "the box moved right, so the view scrolled right";

    // The box is black where it crosses the white page.
    const QPoint boxBefore = FirstNew(ov2, ov1, kBlack), boxAfter = FirstNew(ov1, ov2, kBlack);
    ASSERT_GE(boxBefore.x(), 0);
    EXPECT_NEAR(boxAfter.x() - boxBefore.x(), 10, 1) << "ten right arrows, ten pixels";
    const QPoint boxAbove = FirstNew(ov3, ov2, kBlack), boxBelow = FirstNew(ov2, ov3, kBlack);
    ASSERT_GE(boxAbove.y(), 0);
    EXPECT_GT(boxBelow.y(), boxAbove.y()) << "the wheel scrolled the view down and the box followed";
}

TEST_F(PreviewRoadTest, CopyAsTextShowsThatNothingWasRecognisedAndCopiesThatText)
{
    const std::string copied = Path("copied.txt");
    // The dialog's Copy button lies at (232, 254) of its client area.
    const std::string script = "wait 300\nmenu 57600\nmenu 34017\nwait 300\nclick dialog 232 254\nwait 100\n"
                               "clipboard " + copied + "\nkey escape\nwait 200\nquit\n";
    e2e::Run run = e2e::RunVantrel(script, home);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(run.log.find("error"), std::string::npos) << run.log;
    std::ifstream in(copied);
    std::string text((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(text, "No results!");
}

// The caption of the docked pane group, in the colour of an active caption.
constexpr QRgb kPaneCaption = qRgb(89, 135, 214);

TEST_F(PreviewRoadTest, PrintPreviewTakesThePanesAwayAndClosingItBringsThemBack)
{
    const std::string script = "wait 300\nmenu 57600\nwait 300\nscreenshot " + Path("before.png") +
                               "\nmenu 57609\nwait 400\nscreenshot " + Path("preview.png") +
                               "\nmenu 58112\nwait 400\nscreenshot " + Path("after.png") + "\nquit\n";
    e2e::Run run = Play(script);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    const e2e::PixelBox before = e2e::BoxOf(Load(Path("before.png")), kPaneCaption);
    const e2e::PixelBox after = e2e::BoxOf(Load(Path("after.png")), kPaneCaption);
    ASSERT_FALSE(before.Empty()) << "a pane shows before the preview";
    EXPECT_TRUE(e2e::BoxOf(Load(Path("preview.png")), kPaneCaption).Empty()) << "the panes are gone";
    EXPECT_EQ(after.right - after.left, before.right - before.left) << "the pane is back as wide as it was";
    EXPECT_EQ(after.right, before.right) << "at the same edge";
}
TEST_F(PreviewRoadTest, ClosingPrintPreviewBringsTheBarsBackWhereTheyWere)
{
    Play("wait 300\nmenu 57600\nwait 300\nscreenshot " + Path("before.png") + "\nmenu 57609\nwait 400\nmenu 58112\n"
         "wait 400\nscreenshot " + Path("after.png") + "\nquit\n");
    // The menu bar and the first bars' left ends, on their rows (the audio bar's level meter,
    // further right, moves by itself).
    const QRect bars(0, 0, 220, 110);
    const QImage before = Load(Path("before.png")).copy(bars);
    const QImage after = Load(Path("after.png")).copy(bars);
    ASSERT_FALSE(before.isNull());
    EXPECT_EQ(before, after);
}

} // namespace
