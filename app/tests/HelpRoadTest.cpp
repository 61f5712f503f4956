// What the program ships, end to end: Help shows its pages in a window of the program, the
// Learning Center links to them with its icons, web addresses go to the desktop's browser, and
// a first start offers the shipped note templates in the Tasks pane.
#include "app/tests/E2E.h"
#include "app/tests/RoadTest.h"
#include "app/tests/SavedPage.h"

#include "View/MyView.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

class HelpRoadTest : public e2e::RoadTest {
protected:
    void SetUp() override
    {
        e2e::RoadTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        std::filesystem::create_directories(Path("bin"));
        // The desktop's viewer: notes what it was asked to open.
        std::ofstream(Path("bin/xdg-open")) << "#!/bin/sh\necho \"$@\" >> " << Path("opened.txt") << "\n";
        std::filesystem::permissions(Path("bin/xdg-open"), std::filesystem::perms::owner_all);
        path = getenv("PATH") ? getenv("PATH") : "";
        setenv("PATH", (Path("bin") + ":" + path).c_str(), 1);
    }
    void TearDown() override
    {
        if (!home.empty())
            setenv("PATH", path.c_str(), 1);
    }
    std::string Opened() const
    {
        std::ifstream in(Path("opened.txt"));
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::string path;
};

// The Learning Center's second link under the default layout, and the Tasks pane's template box.
constexpr const char* kSecondLink = "778 193";
constexpr const char* kTemplateBox = "805 192";

// Dark pixels in the rectangle: outlines of icons, text.
int DarkPixels(const QImage& image, int left, int top, int right, int bottom)
{
    int dark = 0;
    for (int y = top; y < bottom && y < image.height(); ++y)
        for (int x = left; x < right && x < image.width(); ++x) {
            dark += qGray(image.pixel(x, y)) < 110;
        }
    return dark;
}

TEST_F(HelpRoadTest, HelpLinksAndTemplatesThatShipAreReachable)
{
    e2e::Run run = Play("wait 300\nmenu 57667\nwait 300\n"
                        "menu 34042\nmenu 34042\nwait 200\nscreenshot " + Path("links.png") +
                        "\nclick main " + kSecondLink + "\nwait 300\n"
                        "menu 34043\nmenu 34043\nwait 200\nclick main " + kTemplateBox + "\nkey down\nwait 500\n"
                        + Save("from-template.trn") + "answer 7\nquit\n");
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(Opened(), "") << "the program's pages show in its own window";

    const QImage links(QString::fromStdString(Path("links.png")));
    ASSERT_FALSE(links.isNull());
    const int w = links.width();
    EXPECT_GT(DarkPixels(links, w - 196, 160, w - 176, 260), 20) << "the links show their icons";

    CMyView reader;
    ASSERT_TRUE(e2e::ReadSavedPage(Path("from-template.trn"), reader)) << "the shipped template opened";
    EXPECT_EQ(reader.GetObjects().GetSize(), 3) << "the meeting template's two frames and box";
}

// The help window's first topic link on the contents page, and its Back button.
constexpr const char* kFirstTopic = "130 226";
constexpr const char* kBack = "40 15";

QImage Shot(const std::string& path) { return QImage(QString::fromStdString(path)); }

// Pixels that differ between the two pictures from row `top` down.
int Changed(const QImage& a, const QImage& b, int top)
{
    if (a.size() != b.size())
        return a.width() * a.height();
    int changed = 0;
    for (int y = top; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            changed += a.pixel(x, y) != b.pixel(x, y);
    return changed;
}

TEST_F(HelpRoadTest, HelpPagesShowInTheProgramsWindowAndFollowTheirLinks)
{
    const e2e::Run run = Play("wait 300\nmenu 57667\nwait 300\nsnapshot dialog " + Path("contents.png") +
                              "\nclick dialog " + kFirstTopic + "\nwait 300\nsnapshot dialog " + Path("topic.png") +
                              "\nclick dialog " + kBack + "\nwait 300\nsnapshot dialog " + Path("back.png") +
                              "\nquit\n");
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(Opened(), "") << "nothing went to the desktop's viewer";
    const QImage contents = Shot(Path("contents.png"));
    const QImage topic = Shot(Path("topic.png"));
    const QImage back = Shot(Path("back.png"));
    ASSERT_FALSE(contents.isNull() || topic.isNull() || back.isNull());
    EXPECT_GT(contents.width(), 500);
    EXPECT_GT(DarkPixels(contents, 0, 80, contents.width(), contents.height()), 1000) << "the page's text";
    // Below the caption and the buttons, whose Forward is enabled after Back.
    constexpr int page = 70;
    EXPECT_GT(Changed(contents, topic, page), 2000) << "the link led to another page";
    EXPECT_EQ(Changed(contents, back, page), 0) << "Back showed the contents again";
}

TEST_F(HelpRoadTest, WebAddressesGoToTheBrowserOrTheProgramSaysThereIsNone)
{
    e2e::Run run = Play("wait 300\nmenu 33888\nwait 300\nquit\n");
    EXPECT_EQ(Opened().rfind("https://", 0), 0u) << Opened();
    EXPECT_EQ(run.log.find("box:"), std::string::npos) << run.log;

    std::ofstream(Path("bin/xdg-open"), std::ios::trunc) << "#!/bin/sh\nexit 3\n";
    run = Play("wait 300\nmenu 33888\nwait 300\nquit\n");
    EXPECT_NE(run.log.find("box: There is no program on this desktop to open the address:"), std::string::npos)
        << run.log;
}

} // namespace
