// Route in the real program: with one object current, the command selects everything that
// object reaches through connectors, a grouped object with its group, and nothing else.
#include "app/tests/E2E.h"
#include "app/tests/PixelBox.h"
#include "app/tests/RoadTest.h"

#include "View/HyperView.h"
#include "View/MyView.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QRect>

#include <string>

namespace {

std::string Menu(UINT command)
{
    return "menu " + std::to_string(command) + "\nwait 100\n";
}

// Selection handles are filled green, or cyan for the current object.
bool IsHandleFill(QRgb pixel)
{
    const QRgb rgb = pixel & 0xFFFFFF;
    return rgb == (qRgb(0, 255, 0) & 0xFFFFFF) || rgb == (qRgb(0, 255, 255) & 0xFFFFFF);
}

// Whether handles show on the edge of a box (view coordinates).
bool HasHandles(const QImage& image, const QRect& box)
{
    const QRect around = box.adjusted(-8, -8, 8, 8);
    return !e2e::BoxWhere(image.width(), image.height(), [&](int x, int y) {
                return around.contains(x, y) && IsHandleFill(image.pixel(x, y));
            }).Empty();
}

class RouteRoadTest : public e2e::RoadTest {};

TEST_F(RouteRoadTest, RouteSelectsTheObjectsJoinedToTheCurrentOne)
{
    // A and C are joined by a connector; A is grouped with B; D stands apart.
    const QRect a(100, 100, 100, 100), b(100, 300, 100, 100), c(400, 100, 100, 100), d(400, 300, 100, 100);
    const std::string rectangle = Menu(CMyView::ToolRectangle);
    const std::string script =
        "wait 300\nmenu 57600\n" + rectangle + "drag view 100 100 200 200\n" + rectangle +
        "drag view 100 300 200 400\n" + rectangle + "drag view 400 100 500 200\n" + rectangle +
        "drag view 400 300 500 400\n" + Menu(CHyperView::ToolConnector) + "drag view 200 150 400 150\nwait 100\n" +
        "click view 150 120\nclick view 150 320 shift\nwait 100\n" + Menu(60565) + "click view 450 120\nwait 200\n" +
        "snapshot view " + Path("before.png") + "\n" + Menu(CHyperView::CmdRoute) + "wait 200\nsnapshot view " +
        Path("routed.png") + "\n" + Save("routed.trn") + "quit\n";
    Play(script);

    const QImage before(QString::fromStdString(Path("before.png")));
    const QImage routed(QString::fromStdString(Path("routed.png")));
    ASSERT_FALSE(before.isNull());
    ASSERT_FALSE(routed.isNull());
    EXPECT_TRUE(HasHandles(before, c));
    EXPECT_FALSE(HasHandles(before, a));
    EXPECT_FALSE(HasHandles(before, b));

    EXPECT_TRUE(HasHandles(routed, c));
    EXPECT_TRUE(HasHandles(routed, a)) << "joined by the connector";
    EXPECT_TRUE(HasHandles(routed, b)) << "grouped with A";
    EXPECT_FALSE(HasHandles(routed, d)) << "joined to nothing";
}

} // namespace
