// Point lists as a user makes and edits them: the Polyline tool's segments end as one polyline,
// grouped lines that chain join into one, and in Edit Points mode a drag moves or inserts a
// point, a Ctrl click deletes one and Escape leaves the figure as it was. Every edit is undone
// and redone, and what the program wrote is read back with the program's own page reader.
#include "app/tests/E2E.h"
#include "app/tests/RoadTest.h"
#include "app/tests/SavedPage.h"

#include "View/MyView.h"
#include "objects/HyperOb.h"
#include "objects/kinds/BasePolyOb.h"
#include "objects/kinds/LineOb.h"
#include "objects/kinds/PolyLineGen.h"

#include <gtest/gtest.h>

#include <QImage>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kNew = 57600;
constexpr int kGroup = 60565;
constexpr int kEditPoints = 60597;
constexpr int kOpenClose = 60598;

std::string Menu(int id)
{
    return "menu " + std::to_string(id) + "\n";
}

using Points = std::vector<CPoint>;

class EditPointsRoadTest : public e2e::RoadTest {
protected:
    std::unique_ptr<CMyView> Read(const char* name) const
    {
        auto reader = std::make_unique<CMyView>();
        EXPECT_TRUE(e2e::ReadSavedPage(Path(name), *reader)) << name;
        return reader;
    }

    // The points of the only object of a saved page, which must be a polyline.
    Points PolylineOf(const char* name) const
    {
        std::unique_ptr<CMyView> page = Read(name);
        if (page->GetObjects().GetSize() != 1) {
            ADD_FAILURE() << name << " holds " << page->GetObjects().GetSize() << " objects";
            return {};
        }
        auto* polyline = dynamic_cast<CPolyLineGen*>(page->GetObjectAtIndex(0));
        if (!polyline) {
            ADD_FAILURE() << name << " holds no polyline";
            return {};
        }
        Points points;
        for (int i = 0; i < polyline->GetNumberOfPoints(); ++i)
            points.push_back(polyline->GetPoint(i));
        return points;
    }

    QImage Shot(const char* name) const { return QImage(QString::fromStdString(Path(name))); }
    std::string Snapshot(const char* name) const { return "snapshot view " + Path(name) + "\n"; }
};

bool IsDark(const QImage& image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 160;
}

// A line crosses the column within a few pixels of y (the snapshot takes the window with its
// edge); columns off the grid's dots.
bool CrossesNear(const QImage& image, int x, int y)
{
    for (int dy = -5; dy <= 5; ++dy)
        if (IsDark(image, x, y + dy))
            return true;
    return false;
}

// Three segments drawn with the Polyline tool, the last released on the first point.
const std::string kTriangle = Menu(CMyView::ToolPolyline) +
                              "drag view 100 100 300 100\nwait 100\nmove view 200 200\nclick view 200 200\nwait 100\n"
                              "move view 101 101\nclick view 101 101\nwait 200\n";

TEST_F(EditPointsRoadTest, APolylineToolFigureIsOneObjectAndOneUndoStep)
{
    Play("wait 300\n" + Menu(kNew) + kTriangle + Snapshot("drawn.png") + Save("drawn.trn") +
         "key ctrl+z\nwait 100\n" + Save("undone.trn") + "key ctrl+y\nwait 100\n" + Save("redone.trn") + "quit\n");
    const Points closed = {{100, 100}, {300, 100}, {200, 200}, {100, 100}};
    EXPECT_EQ(PolylineOf("drawn.trn"), closed);
    EXPECT_EQ(Read("undone.trn")->GetObjects().GetSize(), 0) << "the whole figure is one step";
    EXPECT_EQ(PolylineOf("redone.trn"), closed);
    const QImage drawn = Shot("drawn.png");
    EXPECT_TRUE(CrossesNear(drawn, 155, 100)) << "the top edge shows";
    EXPECT_TRUE(CrossesNear(drawn, 245, 155)) << "the slanted edge shows";
    EXPECT_FALSE(CrossesNear(drawn, 155, 130)) << "inside stays empty";
}

TEST_F(EditPointsRoadTest, GroupJoinsTwoLinesThatMeetIntoOnePolyline)
{
    Play("wait 300\n" + Menu(kNew) + Menu(CMyView::ToolLine) + "drag view 100 100 250 100\nwait 100\n" +
         Menu(CMyView::ToolLine) + "drag view 252 102 250 220\nwait 100\n"
         "drag view 80 80 280 240\nwait 100\n" + Menu(kGroup) + "wait 100\n" + Save("joined.trn") +
         "key ctrl+z\nwait 100\n" + Save("apart.trn") + "quit\n");
    // The chain runs from the line on top, whichever way.
    const Points joined = PolylineOf("joined.trn");
    const Points along = {{100, 100}, {251, 101}, {250, 220}};
    EXPECT_TRUE(joined == along || joined == Points(along.rbegin(), along.rend())) << joined.size();
    std::unique_ptr<CMyView> apart = Read("apart.trn");
    ASSERT_EQ(apart->GetObjects().GetSize(), 2);
    EXPECT_NE(dynamic_cast<CLineOb*>(apart->GetObjectAtIndex(0)), nullptr);
}

// An open figure whose middle point lies away from every handle of the selection frame.
const std::string kOpenFigure = Menu(CMyView::ToolPolyline) +
                                "drag view 100 100 150 160\nwait 100\nmove view 300 100\nclick view 300 100\n"
                                "wait 100\nkey escape\nwait 200\n";

// Point edits of one figure in a row fold into one undo step, as arrow-key moves do.
TEST_F(EditPointsRoadTest, EditPointsMovesInsertsAndDeletesPointsAndOneUndoTakesTheRunBack)
{
    const std::string select = "click view 300 100\nwait 100\n";
    Play("wait 300\n" + Menu(kNew) + kOpenFigure + select + Snapshot("selected.png") + Menu(kEditPoints) +
         "wait 100\n" + Snapshot("editing.png") +
         // Move the middle point.
         "drag view 150 160 180 200\nwait 100\n" + Save("moved.trn") +
         // Insert a point on the right-hand segment.
         select + Menu(kEditPoints) + "drag view 240 150 260 190\nwait 100\n" + Save("inserted.trn") +
         // Delete the inserted point with a Ctrl click.
         select + Menu(kEditPoints) + "click view 260 190 ctrl\nwait 100\n" + Save("deleted.trn") +
         "key ctrl+z\nwait 100\n" + Save("undone.trn") + "key ctrl+y\nwait 100\n" + Save("redone.trn") +
         "quit\n");
    EXPECT_EQ(PolylineOf("moved.trn"), (Points{{100, 100}, {180, 200}, {300, 100}}));
    EXPECT_EQ(PolylineOf("inserted.trn"), (Points{{100, 100}, {180, 200}, {260, 190}, {300, 100}}));
    EXPECT_EQ(PolylineOf("deleted.trn"), (Points{{100, 100}, {180, 200}, {300, 100}}));
    EXPECT_EQ(PolylineOf("undone.trn"), (Points{{100, 100}, {150, 160}, {300, 100}}));
    EXPECT_EQ(PolylineOf("redone.trn"), (Points{{100, 100}, {180, 200}, {300, 100}}));
    // Below the middle point, off both segments: its handle shows only while points are edited.
    EXPECT_FALSE(IsDark(Shot("selected.png"), 150, 162));
    EXPECT_TRUE(IsDark(Shot("editing.png"), 150, 162));
}

TEST_F(EditPointsRoadTest, EscapeMidDragLeavesThePointsAndNoUndoStep)
{
    Play("wait 300\n" + Menu(kNew) + kOpenFigure + "click view 300 100\nwait 100\n" + Menu(kEditPoints) +
         "drag view 150 160 150 180\nwait 100\nclick view 300 100\nwait 100\n" + Menu(kEditPoints) +
         "down view 150 180\nmove view 200 220\nmove view 220 240\nkey escape\nup view 220 240\nwait 100\n" +
         Save("escaped.trn") + "key ctrl+z\nwait 100\n" + Save("undone.trn") + "quit\n");
    EXPECT_EQ(PolylineOf("escaped.trn"), (Points{{100, 100}, {150, 180}, {300, 100}}));
    EXPECT_EQ(PolylineOf("undone.trn"), (Points{{100, 100}, {150, 160}, {300, 100}}))
        << "undo takes back the drag before the cancelled one";
}

TEST_F(EditPointsRoadTest, OpenCloseClosesAnOpenFigureAndIsUndone)
{
    Play("wait 300\n" + Menu(kNew) + kOpenFigure + "click view 300 100\nwait 100\n" + Menu(kOpenClose) +
         "wait 100\n" + Save("closed.trn") + "key ctrl+z\nwait 100\n" + Save("open.trn") + "quit\n");
    EXPECT_EQ(PolylineOf("closed.trn"), (Points{{100, 100}, {150, 160}, {300, 100}, {100, 100}}));
    EXPECT_EQ(PolylineOf("open.trn"), (Points{{100, 100}, {150, 160}, {300, 100}}));
}

} // namespace
