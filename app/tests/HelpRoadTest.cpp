// What the program ships, end to end: Help opens its contents page in the desktop's viewer,
// the Learning Center links to the program's own pages with its icons, and a first start
// offers the shipped note templates in the Tasks pane.
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

// Dark pixels in the icon column of the links: the icons' outlines.
int IconPixels(const QImage& image, int left, int top, int right, int bottom)
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
    const std::string program = std::filesystem::path(VANTREL_PROGRAM).parent_path().string();
    e2e::Run run = Play("wait 300\nmenu 57667\nwait 300\n"
                        "menu 34042\nmenu 34042\nwait 200\nscreenshot " + Path("links.png") +
                        "\nclick main " + kSecondLink + "\nwait 300\n"
                        "menu 34043\nmenu 34043\nwait 200\nclick main " + kTemplateBox + "\nkey down\nwait 500\n"
                        + Save("from-template.trn") + "answer 7\nquit\n");
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(Opened(), program + "/Help/index.html\n" + program + "/Help/drawing.html\n");

    const QImage links(QString::fromStdString(Path("links.png")));
    ASSERT_FALSE(links.isNull());
    const int w = links.width();
    EXPECT_GT(IconPixels(links, w - 196, 160, w - 176, 260), 20) << "the links show their icons";

    CMyView reader;
    ASSERT_TRUE(e2e::ReadSavedPage(Path("from-template.trn"), reader)) << "the shipped template opened";
    EXPECT_EQ(reader.GetObjects().GetSize(), 3) << "the meeting template's two frames and box";
}

} // namespace
