// A new shape dragged towards the bottom of the view: the view scrolls only while the pointer is
// on its edge, and the shape ends where the pointer ends on the page.
#include "app/tests/E2E.h"
#include "app/tests/RoadTest.h"
#include "app/tests/SavedPage.h"

#include "View/MyView.h"
#include "objects/HyperOb.h"
#include "objects/HyperViewOb.h"

#include <gtest/gtest.h>

#include <QImage>

#include <string>

namespace {

constexpr int kNew = 57600;

class AutoScrollRoadTest : public e2e::RoadTest {
protected:
    // The client height of a new page's view, from a picture of it.
    int ViewHeight() const
    {
        const e2e::Run run = Play("wait 300\nmenu " + std::to_string(kNew) + "\nwait 300\nsnapshot view " +
                                  Path("size.png") + "\nquit\n");
        return QImage(QString::fromStdString(Path("size.png"))).height();
    }

    // A rectangle dragged from (200, 200) down to the row and held there, saved, with a picture
    // of the view as it is let go; its page rectangle.
    CRect DragDownTo(int row, const std::string& name) const
    {
        const std::string y = std::to_string(row);
        Play("wait 300\nmenu " + std::to_string(kNew) + "\nwait 300\nmenu " + std::to_string(CMyView::ToolRectangle) +
             "\nwait 300\ndown view 200 200\nmove view 250 260\nmove view 300 " + y + "\nwait 1500\nup view 300 " + y +
             "\nwait 300\nsnapshot view " + Path(name + ".png") + "\n" + Save(name.c_str()) + "wait 300\nquit\n");
        CMyView page;
        CRect rect;
        if (!e2e::ReadSavedPage(Path(name), page) || page.GetObjects().GetSize() != 1)
            return rect;
        page.GetObjectAtIndex(0)->GetRect(&rect, nullptr);
        return rect;
    }
};

// The lowest row of the rectangle's left edge in the picture.
int LowestOutlineRow(const QImage& view)
{
    int lowest = -1;
    for (int y = 0; y < view.height(); ++y)
        for (int x = 198; x < 206; ++x)
            if (qGray(view.pixel(x, y)) < 60)
                lowest = y;
    return lowest;
}

TEST_F(AutoScrollRoadTest, ANewShapeEndsWhereThePointerEndsOnThePage)
{
    const int height = ViewHeight();
    ASSERT_GT(height, 300);
    // Held just inside the edge the view stays put: the shape is as tall as the drag.
    const CRect inside = DragDownTo(height - 30, "inside.trn");
    EXPECT_NEAR(inside.Height(), height - 30 - 200, 10) << "held near the edge";

    // Held on the edge (the picture's last row lies on the scroll bar, past the client) the view
    // scrolls and the shape grows with the page, down to the pointer.
    const CRect edge = DragDownTo(height - 1, "edge.trn");
    EXPECT_GT(edge.Height(), height - 200 + 20) << "held on the edge";
    const QImage shown(QString::fromStdString(Path("edge.trn.png")));
    ASSERT_FALSE(shown.isNull());
    EXPECT_GT(LowestOutlineRow(shown), height - 30) << "the outline runs down to the pointer";
}

} // namespace
