// What the page shows after a move, a scroll, a zoom or a drag that scrolls by itself equals a
// full repaint of the program, pixel for pixel; a picture on a scrolled page sits inside its
// handles.
#include "app/tests/E2E.h"
#include "app/tests/PixelBox.h"
#include "app/tests/RoadTest.h"
#include "app/tests/SavedPage.h"

#include "View/MyView.h"
#include "objects/HyperOb.h"
#include "objects/HyperViewOb.h"

#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <string>

namespace {

constexpr int kNew = 57600;
constexpr int kZoomIn = 60561;
constexpr int kZoomOut = 60562;
// The primary selection's handles.
constexpr QRgb kHandle = qRgb(0, 255, 255);
constexpr QRgb kPicture = qRgb(200, 40, 160);
// The margin guides.
constexpr QRgb kGuide = qRgb(0, 0, 255);

std::string Menu(int id)
{
    return "menu " + std::to_string(id) + "\nwait 300\n";
}

// A selected rectangle on a new page.
const std::string kRectangle = "wait 300\n" + Menu(kNew) + Menu(CMyView::ToolRectangle) +
                               "drag view 100 100 300 200\nwait 300\n";

using e2e::BoxOf;
using e2e::PixelBox;

class RedrawRoadTest : public e2e::RoadTest {
protected:
    QImage Load(const std::string& name) const { return QImage(QString::fromStdString(Path(name))); }

    // The steps, a picture of the view, a full repaint and a second picture: the two are the same.
    // The first is kept as "<name>-view.png", the page as "<name>.trn". Only the view is compared:
    // the level meter on the audio bar moves by itself.
    void ExpectTrueToAFullRepaint(const std::string& name, const std::string& steps)
    {
        SCOPED_TRACE(name);
        e2e::Run run = Play(steps + "wait 300\nsnapshot view " + Path(name + "-view.png") +
                            "\nredraw\nwait 300\nsnapshot view " + Path(name + "-repainted.png") + "\nfile " +
                            Path(name + ".trn") + "\nmenu 57604\nwait 300\nquit\n");
        const QImage shown = Load(name + "-view.png");
        const QImage repainted = Load(name + "-repainted.png");
        ASSERT_FALSE(shown.isNull() || repainted.isNull()) << run.log;
        ASSERT_EQ(shown.size(), repainted.size());
        const PixelBox wrong = e2e::Differences(shown, repainted);
        EXPECT_TRUE(wrong.Empty()) << "differs from a full repaint in (" << wrong.left << ", " << wrong.top
                                   << ") - (" << wrong.right << ", " << wrong.bottom << ")";
    }
};

TEST_F(RedrawRoadTest, TheScreenAfterEachEditScrollOrZoomEqualsAFullRepaint)
{
    const struct {
        const char* name;
        std::string steps;
    } cases[] = {
        {"move", kRectangle + "drag view 200 150 280 250\n"},
        {"move-back", kRectangle + "drag view 200 150 120 110\n"},
        {"resize", kRectangle + "drag view 300 200 360 260\n"},
        {"nudge", kRectangle + "key right\nkey right\nkey down\n"},
        {"zoom-in", kRectangle + Menu(kZoomIn)},
        {"zoom-out", kRectangle + Menu(kZoomIn) + Menu(kZoomOut) + Menu(kZoomOut)},
        {"scroll", kRectangle + Menu(kZoomIn) + "wheel view 200 200 -240\nwait 300\nwheel view 200 200 -120\n"},
        {"scroll-and-move", kRectangle + Menu(kZoomIn) + "wheel view 200 200 -120\nwait 300\n"
                                                         "drag view 250 150 350 250\n"},
    };
    for (const auto& c : cases)
        ExpectTrueToAFullRepaint(c.name, c.steps);
}

// The margin guide of a scrolled page still crosses the whole window.
TEST_F(RedrawRoadTest, TheGuidesOfAScrolledPageReachTheWindowsEdge)
{
    ExpectTrueToAFullRepaint("guides", kRectangle + Menu(kZoomIn) + "wheel view 200 200 -360\n");
    const QImage view = Load("guides-view.png");
    ASSERT_FALSE(view.isNull());
    int lowest = -1;
    for (int y = 0; y < view.height(); ++y)
        for (int x = 0; x < view.width() / 4; ++x)
            if ((view.pixel(x, y) & 0xFFFFFF) == (kGuide & 0xFFFFFF))
                lowest = y;
    EXPECT_GT(lowest, view.height() - 40) << "the left guide ends at " << lowest << " of " << view.height();
}

TEST_F(RedrawRoadTest, AutoScrollAtTheBottomEdgeStopsAtThePageAndDrawsTrue)
{
    // The rectangle is dragged to the bottom edge and held there while the view scrolls.
    ExpectTrueToAFullRepaint("autoscroll", kRectangle + Menu(kZoomIn) +
                                               "down view 200 200\nmove view 220 300\nmove view 240 450\n"
                                               "move view 240 550\nmove view 240 560\nwait 3000\n"
                                               "up view 240 560\n");
    CMyView page;
    ASSERT_TRUE(e2e::ReadSavedPage(Path("autoscroll.trn"), page));
    ASSERT_EQ(page.GetObjects().GetSize(), 1);
    CRect rect;
    page.GetObjectAtIndex(0)->GetRect(&rect, nullptr);
    EXPECT_GT(rect.top, 400) << "the view scrolled and the rectangle went with it";
    EXPECT_LE(rect.bottom, page.GetPageObject()->GetScrollHeight()) << "it stays on the page";
}

TEST_F(RedrawRoadTest, APictureOnAScrolledPageIsDrawnWithinItsHandles)
{
    QImage picture(60, 40, QImage::Format_RGB32);
    picture.fill(kPicture);
    ASSERT_TRUE(picture.save(QString::fromStdString(Path("picture.png"))));
    // Inserted and selected, the page zoomed and scrolled.
    ExpectTrueToAFullRepaint("picture", "wait 300\n" + Menu(kNew) + Menu(CMyView::ToolBitmap) + "file " +
                                            Path("picture.png") + "\nclick view 200 200\n" + e2e::kLoadPicture +
                                                "wait 300\n" +
                                            Menu(kZoomIn) + "wheel view 200 200 -120\n");
    const QImage view = Load("picture-view.png");
    ASSERT_FALSE(view.isNull());
    const PixelBox drawn = BoxOf(view, kPicture);
    const PixelBox handles = BoxOf(view, kHandle);
    ASSERT_FALSE(drawn.Empty()) << "the picture is on the screen";
    ASSERT_FALSE(handles.Empty()) << "the picture is selected";
    EXPECT_EQ(drawn.right - drawn.left + 1, 60);
    EXPECT_EQ(drawn.bottom - drawn.top + 1, 40);
    EXPECT_GT(drawn.left, handles.left);
    EXPECT_LT(drawn.right, handles.right);
    EXPECT_GT(drawn.top, handles.top);
    EXPECT_LT(drawn.bottom, handles.bottom);
    EXPECT_NEAR(drawn.Centre().x(), handles.Centre().x(), 2);
    EXPECT_NEAR(drawn.Centre().y(), handles.Centre().y(), 2);
}

} // namespace
