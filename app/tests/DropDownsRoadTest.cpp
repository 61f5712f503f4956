// Every drop-down arrow on the program's bars, found on the screen as a user finds them, opens
// a pop-up that shows its content whole: none opens empty or cut to a sliver.
#include "app/tests/RoadTest.h"

#include <gtest/gtest.h>

#include <QImage>

#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kNew = 57600;

bool Dark(const QImage& image, int x, int y)
{
    return image.rect().contains(x, y) && qGray(image.pixel(x, y)) < 170;
}

// The small arrows beside buttons: five dark pixels over three over one, alone in their rows.
std::vector<QPoint> DropArrows(const QImage& image)
{
    std::vector<QPoint> arrows;
    for (int y = 1; y + 2 < image.height(); ++y)
        for (int x = 1; x + 5 < image.width(); ++x) {
            bool arrow = !Dark(image, x - 1, y) && !Dark(image, x + 5, y) && !Dark(image, x + 2, y - 1) &&
                         !Dark(image, x, y + 1) && !Dark(image, x + 4, y + 1) && Dark(image, x + 2, y + 2);
            for (int i = 0; i < 5 && arrow; ++i)
                arrow = Dark(image, x + i, y) && (i == 0 || i == 4 || Dark(image, x + i, y + 1));
            if (arrow)
                arrows.emplace_back(x + 2, y + 1);
        }
    return arrows;
}

struct Popup {
    int controls = 0;
    QRect rect;
    std::string shot; // the picture of the screen taken while it was open
};

// The pop-ups the log tells of, each with the screen picture taken after it opened.
std::vector<Popup> Popups(const std::string& log)
{
    std::vector<Popup> popups;
    std::istringstream lines(log);
    for (std::string line; std::getline(lines, line);) {
        const std::string shot = "step: snapshot screen ";
        if (line.rfind(shot, 0) == 0 && !popups.empty() && popups.back().shot.empty())
            popups.back().shot = line.substr(shot.size());
        if (line.rfind("popup: ", 0) != 0)
            continue;
        std::istringstream words(line.substr(7));
        std::string skip;
        Popup popup;
        int x = 0, y = 0, cx = 0, cy = 0;
        words >> popup.controls >> skip >> skip >> x >> y >> skip >> cx >> cy;
        popup.rect = QRect(x, y, cx, cy);
        popups.push_back(popup);
    }
    return popups;
}

int Colours(const QImage& image, const QRect& area)
{
    std::set<QRgb> colours;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            colours.insert(image.pixel(x, y));
    return static_cast<int>(colours.size());
}

class DropDownsRoadTest : public e2e::RoadTest {};

TEST_F(DropDownsRoadTest, EveryArrowOnEveryBarOpensAPopupShowingItsContent)
{
    const std::string start = "wait 300\nmenu " + std::to_string(kNew) + "\nwait 300\n";
    Play(start + "screenshot " + Path("bars.png") + "\nanswer 7\nquit\n");
    const QImage bars(QString::fromStdString(Path("bars.png")));
    ASSERT_FALSE(bars.isNull());
    const std::vector<QPoint> arrows = DropArrows(bars);
    ASSERT_GE(arrows.size(), 20u) << "the bars' arrows were found";

    std::string script = start;
    for (size_t i = 0; i < arrows.size(); ++i)
        script += "click main " + std::to_string(arrows[i].x()) + " " + std::to_string(arrows[i].y()) +
                  "\nwait 200\nsnapshot screen " + Path("open" + std::to_string(i) + ".png") +
                  "\nkey escape\nwait 100\nkey escape\nwait 100\n";
    const e2e::Run run = Play(script + "answer 7\nquit\n");
    const std::vector<Popup> popups = Popups(run.log);
    EXPECT_GE(popups.size(), 12u) << run.log;
    for (const Popup& popup : popups) {
        EXPECT_GT(popup.controls, 0) << popup.shot;
        EXPECT_GE(popup.rect.width(), 24) << popup.shot;
        EXPECT_GE(popup.rect.height(), 16) << popup.shot;
        // What the screen showed: something drawn on the pop-up's background.
        const QImage open(QString::fromStdString(popup.shot));
        ASSERT_FALSE(open.isNull()) << run.log;
        EXPECT_GE(Colours(open, popup.rect.adjusted(2, 2, -2, -2)), 2) << popup.shot;
    }
}

} // namespace
