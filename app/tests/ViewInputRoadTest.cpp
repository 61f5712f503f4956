// The editing view's input in the real program: Graphics, Route and Edit View are in the
// menus and work from there, an Alt-drag zooms to the dragged rectangle, the rulers mark
// where the mouse is, the Layer drop-down moves an object, and an object's tool tip shows.
#include "app/tests/E2E.h"
#include "app/tests/PixelBox.h"
#include "app/tests/RoadTest.h"
#include "app/tests/SavedPage.h"

#include "View/HyperFrame.h"
#include "View/HyperView.h"
#include "View/MyView.h"
#include "objects/HyperOb.h"

#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const std::string kNew = "wait 300\nmenu 57600\n";
const std::string kRectangle = "menu " + std::to_string(CMyView::ToolRectangle) + "\n";

std::string Menu(UINT command)
{
    return "menu " + std::to_string(command) + "\n";
}

std::vector<CString> ClassesIn(const std::string& path)
{
    std::vector<CString> classes;
    CMyView reader;
    if (!e2e::ReadSavedPage(path, reader))
        return {CString("unreadable")};
    for (INT_PTR i = 0; i < reader.GetObjects().GetSize(); ++i)
        classes.push_back(reader.GetObjectAtIndex(i)->GetRuntimeClass()->m_lpszClassName);
    return classes;
}

// The longest row of black pixels: a rectangle's top edge, not the grid's dots.
int LongestBlackRun(const QImage& image)
{
    int longest = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0, run = 0; x < image.width(); ++x) {
            run = (image.pixel(x, y) & 0xFFFFFF) == 0 ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    return longest;
}

constexpr QRgb kHandle = qRgb(0, 255, 255);
constexpr QRgb kTipBackground = qRgb(255, 255, 225);

class ViewInputRoadTest : public e2e::RoadTest {};

TEST_F(ViewInputRoadTest, GraphicsRouteAndEditViewWorkFromTheMenus)
{
    // The new graphic's Edit Bitmap dialog is taken as it opens: OK.
    const std::string script = kNew + Menu(CHyperView::CmdGraphics) + "wait 300\nclick dialog 334 21\nwait 300\n" +
                               Save("graphics.trn") +
                               "key ctrl+z\nwait 100\n" + Save("undone.trn") + "key ctrl+y\nwait 100\n" +
                               Save("redone.trn") + kRectangle + "drag view 200 100 300 200\nwait 100\n" +
                               "click view 250 150\n" + Menu(CHyperView::CmdRoute) + "wait 100\n" +
                               "snapshot view " + Path("edit.png") + "\n" + Menu(CHyperFrame::CmdEditView) +
                               "wait 200\nclick view 250 150\nwait 100\nsnapshot view " + Path("run.png") + "\n" +
                               Menu(CHyperFrame::CmdEditView) + "wait 200\nsnapshot view " + Path("back.png") +
                               "\n" + Save("last.trn") + "quit\n";
    Play(script);
    const std::vector<CString> graphics = ClassesIn(Path("graphics.trn"));
    ASSERT_EQ(graphics.size(), 1u);
    EXPECT_EQ(graphics[0], CString("CBitmapGen"));
    EXPECT_TRUE(ClassesIn(Path("undone.trn")).empty());
    EXPECT_EQ(ClassesIn(Path("redone.trn")), graphics);

    // The selected rectangle shows its handles; the running page shows neither handles nor
    // grid, and a click there selects nothing; back in edit mode the grid returns and the
    // selection stays cleared.
    const QImage edit(QString::fromStdString(Path("edit.png")));
    const QImage run(QString::fromStdString(Path("run.png")));
    const QImage back(QString::fromStdString(Path("back.png")));
    ASSERT_FALSE(edit.isNull());
    ASSERT_FALSE(run.isNull());
    ASSERT_FALSE(back.isNull());
    const e2e::PixelBox handles = e2e::BoxOf(edit, kHandle);
    ASSERT_FALSE(handles.Empty());
    EXPECT_GE(handles.left, 190);
    EXPECT_LE(handles.right, 310);
    EXPECT_TRUE(e2e::BoxOf(run, kHandle).Empty());
    EXPECT_TRUE(e2e::BoxOf(back, kHandle).Empty());
    EXPECT_GT(e2e::Differences(run, back).right - e2e::Differences(run, back).left, 600) << "the grid is back";
}

TEST_F(ViewInputRoadTest, AnAltDragZoomsToTheDraggedRectangleAndChangesNothingElse)
{
    const std::string script = kNew + kRectangle + "drag view 100 100 160 140\nwait 100\nclick view 400 300\n" +
                               "wait 100\nsnapshot view " + Path("before.png") + "\n" + Save("before.trn") +
                               "drag view 90 90 170 150 alt\nwait 300\nsnapshot view " + Path("zoomed.png") +
                               "\n" + Save("zoomed.trn") + "quit\n";
    Play(script);
    const QImage before(QString::fromStdString(Path("before.png")));
    const QImage zoomed(QString::fromStdString(Path("zoomed.png")));
    ASSERT_FALSE(before.isNull());
    ASSERT_FALSE(zoomed.isNull());
    // The top edge, broken by its snap point, is black from the corner to the snap point.
    ASSERT_GT(LongestBlackRun(before), 20);
    EXPECT_GE(LongestBlackRun(zoomed), 3 * LongestBlackRun(before)) << "the rectangle fills the window";
    EXPECT_EQ(ClassesIn(Path("zoomed.trn")), ClassesIn(Path("before.trn"))) << "the drag drew nothing";
}

TEST_F(ViewInputRoadTest, AfterAnAltDragZoomTheZoomCommandsKeepTheMiddleOfTheWindow)
{
    // Zoomed in on the middle of the window, then back to 1:1 and out: the rectangle near the
    // top left stays in sight instead of the page jumping to its far corner.
    const std::string script = kNew + kRectangle + "drag view 100 100 160 140\nwait 100\nclick view 600 500\n" +
                               "wait 100\nsnapshot view " + Path("before.png") + "\ndrag view 300 250 370 300 alt\n" +
                               "wait 300\n" + Menu(60564) + "wait 300\nsnapshot view " + Path("one.png") + "\n" +
                               Menu(60562) + "wait 300\nsnapshot view " + Path("out.png") + "\n" + Save("last.trn") +
                               "quit\n";
    Play(script);
    const QImage before(QString::fromStdString(Path("before.png")));
    const QImage one(QString::fromStdString(Path("one.png")));
    const QImage out(QString::fromStdString(Path("out.png")));
    ASSERT_FALSE(before.isNull());
    ASSERT_FALSE(one.isNull());
    ASSERT_FALSE(out.isNull());
    const int edge = LongestBlackRun(before);
    ASSERT_GT(edge, 20);
    EXPECT_GE(LongestBlackRun(one), edge - 2) << "the rectangle is in sight at 1:1";
    EXPECT_GT(LongestBlackRun(out), edge / 2) << "and after zooming out";
}

TEST_F(ViewInputRoadTest, TheRulersMarkTheMouse)
{
    const std::string script = kNew + "move view 100 100\nwait 100\nmove view 150 130\nwait 200\nsnapshot main " +
                               Path("first.png") + "\nmove view 250 130\nwait 200\nsnapshot main " +
                               Path("second.png") + "\nquit\n";
    Play(script);
    const QImage first(QString::fromStdString(Path("first.png")));
    const QImage second(QString::fromStdString(Path("second.png")));
    ASSERT_FALSE(first.isNull());
    ASSERT_FALSE(second.isNull());
    // Below the tool bars (whose level meter moves by itself) only the horizontal ruler
    // changes: its mark moved 100 pixels to the right.
    const int top = 110;
    const e2e::PixelBox moved = e2e::Differences(first.copy(0, top, first.width(), first.height() - top),
                                                 second.copy(0, top, second.width(), second.height() - top));
    ASSERT_FALSE(moved.Empty());
    EXPECT_EQ(moved.right - moved.left, 100);
    EXPECT_LT(moved.bottom - moved.top, 20);
}

// The Properties pane's value cells of Tool Tip Text and Layer for one selected rectangle; the
// Layer cell's drop-down button sits at its right end.
constexpr int kValueX = 860;
constexpr int kToolTipRowY = 279;
constexpr int kLayerRowY = 374;

TEST_F(ViewInputRoadTest, TheLayerDropDownMovesTheObjectAndItsToolTipShowsOnThePage)
{
    const std::string cell = "click main " + std::to_string(kValueX) + " ";
    const std::string script =
        kNew + "menu " + std::to_string(CMyView::ToolRectangle) + "\ndrag view 60 60 200 140\nwait 100\n" +
        "click view 100 100\nmenu " + std::to_string(CHyperView::CmdProperties) + "\nwait 400\n" + cell +
        std::to_string(kToolTipRowY) + "\nwait 200\ntype Rests here\nkey return\nwait 300\n" + cell +
        std::to_string(kLayerRowY) + "\nwait 300\nclick main 881 " + std::to_string(kLayerRowY) +
        "\nwait 300\nkey down\nkey return\nwait 300\n" + Save("moved.trn") + "key ctrl+z\nwait 200\n" + Save("undone.trn") +
        "key ctrl+y\nwait 200\n" + Save("redone.trn") + "menu 57602\nfile " + Path("redone.trn") +
        "\nmenu 57601\nwait 300\nmove view 150 120\nmove view 152 122\nwait 1500\nsnapshot screen " +
        Path("tip.png") + "\nquit\n";
    Play(script);
    auto layerOf = [&](const char* name) {
        CMyView reader;
        if (!e2e::ReadSavedPage(Path(name), reader) || reader.GetObjects().GetSize() != 1)
            return -1;
        return reader.GetObjectAtIndex(0)->LayerID;
    };
    const int moved = layerOf("moved.trn");
    EXPECT_GT(moved, 0) << "the second layer";
    EXPECT_EQ(layerOf("undone.trn"), 0);
    EXPECT_EQ(layerOf("redone.trn"), moved);

    // After reopening, resting on the rectangle shows its tip just below the pointer.
    const QImage tip(QString::fromStdString(Path("tip.png")));
    ASSERT_FALSE(tip.isNull());
    const e2e::PixelBox shown = e2e::BoxOf(tip, kTipBackground);
    ASSERT_FALSE(shown.Empty());
    EXPECT_GT(shown.right - shown.left, 60) << "wide enough for \"Rests here\"";
    EXPECT_LT(shown.bottom - shown.top, 40);
}

} // namespace
