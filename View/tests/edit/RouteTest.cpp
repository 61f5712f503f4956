// Connectors on the editing view go around the page's objects, and find a new way when an
// object moves into theirs.
#include "EditCommandFixture.h"

#include "objects/kinds/ConnectOb.h"
#include "platform/ui/TestHook.h"

namespace {

class RouteTest : public EditCommandTest {
protected:
    // Whether a leg of the path runs through the inside of the rectangle.
    static bool Crosses(const std::vector<CPoint>& path, const CRect& rect)
    {
        for (size_t i = 1; i < path.size(); ++i) {
            const CRect leg(std::min(path[i - 1].x, path[i].x), std::min(path[i - 1].y, path[i].y),
                            std::max(path[i - 1].x, path[i].x) + 1, std::max(path[i - 1].y, path[i].y) + 1);
            CRect common;
            if (common.IntersectRect(leg, rect))
                return true;
        }
        return false;
    }
};

TEST_F(RouteTest, MovingAnObstacleIntoTheWayReroutesTheConnector)
{
    Add("A", CRect(100, 100, 200, 200));
    Add("B", CRect(400, 100, 500, 200));
    Add("C", CRect(280, 300, 320, 340));
    PickTool(CMyView::ToolConnector);
    Drag({200, 150}, {400, 150});
    ASSERT_NE(Connector(), nullptr);
    const std::vector<CPoint> straight = ConnectorPath();
    ASSERT_EQ(straight.size(), 2u);

    Select({"C"});
    UiTestHook::KeyDown(VK_CONTROL);
    Pump();
    view->HandleKeyDown(VK_UP, 17);
    UiTestHook::KeyUp(VK_CONTROL);
    Pump();
    ASSERT_EQ(RectOf("C"), CRect(280, 130, 320, 170));

    const std::vector<CPoint> around = ConnectorPath();
    EXPECT_GT(around.size(), 2u);
    EXPECT_FALSE(Crosses(around, RectOf("C")));
    EXPECT_EQ(around.front() == CPoint(200, 150) || around.back() == CPoint(200, 150), true) << "the ends stay";
}

} // namespace
