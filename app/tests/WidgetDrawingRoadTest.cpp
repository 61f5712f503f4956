// The program's own widgets as a user sees them: scroll-bar buttons that show which way they scroll.
#include "app/tests/RoadTest.h"

#include <gtest/gtest.h>

#include <QImage>

#include <string>

namespace {

constexpr int kNew = 57600;

// Dark pixels in a band of the picture: arrows are drawn in the button text colour, frames and
// faces are grey.
int DarkPixels(const QImage& image, const QRect& band)
{
    int dark = 0;
    const QRect inside = band.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            dark += qGray(image.pixel(x, y)) < 80;
    return dark;
}

class WidgetDrawingRoadTest : public e2e::RoadTest {};

TEST_F(WidgetDrawingRoadTest, TheDocumentsScrollBarButtonsShowArrows)
{
    Play("wait 300\nmenu " + std::to_string(kNew) + "\nwait 300\nsnapshot view " + Path("view.png") + "\nanswer 7\nquit\n");
    const QImage view(QString::fromStdString(Path("view.png")));
    ASSERT_FALSE(view.isNull());
    const int w = view.width(), h = view.height();
    // The four buttons in the window's corners, inside its edge: up and down on the right, left
    // and right at the bottom.
    const struct {
        const char* button;
        QRect band;
    } buttons[] = {{"up", QRect(w - 20, 0, 20, 20)},
                   {"down", QRect(w - 20, h - 40, 20, 22)},
                   {"left", QRect(0, h - 20, 20, 20)},
                   {"right", QRect(w - 40, h - 20, 22, 20)}};
    for (const auto& b : buttons)
        EXPECT_GT(DarkPixels(view, b.band), 8) << b.button << " " << Path("view.png");
}

} // namespace
