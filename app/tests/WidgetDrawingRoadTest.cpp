// The program's own widgets as a user sees them: scroll-bar buttons that show which way they scroll,
// and font boxes that show the selected text's font.
#include "app/tests/RoadTest.h"

#include "View/MyView.h"

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

// The font name and size boxes open the format bar below the menu: dark text that shows there with
// a text selected, and not before any document was open, is the font they show.
TEST_F(WidgetDrawingRoadTest, TheFontBoxesShowTheFontOfTheSelectedText)
{
    Play("wait 300\nsnapshot main " + Path("none.png") + "\nmenu " + std::to_string(kNew) + "\nmenu " +
         std::to_string(CMyView::ToolText) + "\ndrag view 100 100 300 160\nwait 200\ntype Hello\nkey escape\nwait 200\n"
         "click view 500 400\nwait 300\nclick view 200 130\nwait 300\nsnapshot main " + Path("selected.png") +
         "\nanswer 7\nquit\n");
    const QImage none(QString::fromStdString(Path("none.png"))), selected(QString::fromStdString(Path("selected.png")));
    ASSERT_FALSE(none.isNull() || selected.isNull());
    int shown = 0;
    const QRect boxes = QRect(0, 50, 210, 30).intersected(selected.rect()).intersected(none.rect());
    for (int y = boxes.top(); y <= boxes.bottom(); ++y)
        for (int x = boxes.left(); x <= boxes.right(); ++x)
            shown += qGray(selected.pixel(x, y)) < 80 && qGray(none.pixel(x, y)) >= 80;
    EXPECT_GT(shown, 60) << "more than the boxes' arrows turning dark " << Path("selected.png");
}

} // namespace
