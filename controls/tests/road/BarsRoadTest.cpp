// The tool bars end to end on a virtual display: the user customizes the tool bar through its
// right-click dialog and finds the result after a restart; drags the sizing bar's edge,
// floats it with a double click and docks it back at the size it had.
#include "../showcase/BarsShowcase.h"
#include "app/tests/E2E.h"

#include <gtest/gtest.h>

#include <QImage>

#include <string>

namespace {

using namespace bars_showcase;

// Places in the customize dialog (dialog units are 6/4 and 13/8 pixels).
constexpr const char* kFirstOffer = "dialog 90 34";
constexpr const char* kFirstOnBar = "dialog 350 34";
constexpr const char* kAdd = "dialog 224 84";
constexpr const char* kRemove = "dialog 224 113";
constexpr const char* kMoveDown = "dialog 480 186";
constexpr const char* kClose = "dialog 480 40";

// The tool bar's buttons are 23 pixels wide from the left edge; their pictures show in the middle.
COLORREF ButtonPicture(const QImage& shot, int index)
{
    const QRgb p = shot.pixel(11 + 23 * index, 10);
    return RGB(qRed(p), qGreen(p), qBlue(p));
}

COLORREF At(const QImage& shot, int x, int y)
{
    const QRgb p = shot.pixel(x, y);
    return RGB(qRed(p), qGreen(p), qBlue(p));
}

class BarsRoadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!e2e::CanRun())
            GTEST_SKIP() << "xvfb-run is not installed";
        home = e2e::TempFolder();
        ASSERT_FALSE(home.empty());
    }
    e2e::Run Play(const std::string& script) { return e2e::RunProgram(BARS_SHOWCASE, script, home); }
    QImage Shot(const char* name)
    {
        QImage image(QString::fromStdString(home + "/" + name));
        EXPECT_FALSE(image.isNull()) << name;
        return image;
    }
    std::string Path(const char* name) const { return home + "/" + name; }

    std::string home;
};

TEST_F(BarsRoadTest, CustomizedButtonsAddRemoveReorderAndSurviveARestart)
{
    const std::string script = std::string("wait 200\nscreenshot ") + Path("before.png") +
                               "\nrclick main 11 11\nwait 300\n"
                               "click " + kFirstOffer + "\nkey down\nclick " + kAdd + "\nclick " + kMoveDown +
                               "\nclick " + kFirstOnBar + "\nclick " + kRemove + "\nclick " + kMoveDown +
                               "\nwait 100\nclick " + kClose + "\nwait 200\nscreenshot " + Path("after.png") + "\nquit\n";
    e2e::Run run = Play(script);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(run.log.find("error"), std::string::npos) << run.log;

    const QImage before = Shot("before.png"), after = Shot("after.png");
    ASSERT_FALSE(before.isNull() || after.isNull());
    EXPECT_EQ(ButtonPicture(before, 0), kPictureColours[0]) << "New";
    EXPECT_EQ(ButtonPicture(before, 1), kPictureColours[1]) << "Open";
    EXPECT_EQ(ButtonPicture(after, 0), kPictureColours[1]) << "Open moved first, New removed";
    EXPECT_EQ(ButtonPicture(after, 1), kPictureColours[2]) << "Save added";
    EXPECT_NE(ButtonPicture(after, 2), kPictureColours[3]);

    e2e::Run again = Play(std::string("wait 200\nscreenshot ") + Path("restarted.png") + "\nquit\n");
    ASSERT_EQ(again.exitCode, 0) << again.log;
    const QImage restarted = Shot("restarted.png");
    ASSERT_FALSE(restarted.isNull());
    EXPECT_EQ(ButtonPicture(restarted, 0), kPictureColours[1]);
    EXPECT_EQ(ButtonPicture(restarted, 1), kPictureColours[2]);
}

TEST_F(BarsRoadTest, TheSizingBarResizesFloatsAndDocksBackAtItsSize)
{
    const int edge = kNotesWidth - 4, wider = kNotesWidth + 60, y = 250;
    const std::string script = std::string("wait 200\nscreenshot ") + Path("docked.png") + "\ndrag main " +
                               std::to_string(edge) + " " + std::to_string(y) + " " + std::to_string(edge + 60) + " " +
                               std::to_string(y) + "\nwait 200\nscreenshot " + Path("wider.png") +
                               "\ndblclick main 80 250\nwait 300\nscreenshot " + Path("floated.png") +
                               "\nsnapshot dialog " + Path("floating.png") +
                               "\ndblclick dialog 60 60\nwait 300\nscreenshot " + Path("back.png") + "\nquit\n";
    e2e::Run run = Play(script);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(run.log.find("error"), std::string::npos) << run.log;

    const COLORREF white = RGB(255, 255, 255);
    const QImage docked = Shot("docked.png"), widerShot = Shot("wider.png"), floated = Shot("floated.png"),
                 floating = Shot("floating.png"), back = Shot("back.png");
    ASSERT_FALSE(docked.isNull() || widerShot.isNull() || floated.isNull() || floating.isNull() || back.isNull());
    const COLORREF face = At(docked, 80, y);
    EXPECT_NE(face, white) << "the bar's face on the left";
    EXPECT_EQ(At(docked, kNotesWidth + 20, y), white) << "the pane beside it";
    EXPECT_EQ(At(widerShot, wider - 20, y), face) << "the dragged edge moved out";
    EXPECT_EQ(At(widerShot, wider + 10, y), white);
    EXPECT_NE(At(widerShot, wider - 2, y), face) << "the raised sizing edge";
    EXPECT_EQ(At(floated, 80, y), white) << "floating, the bar leaves the left edge";
    EXPECT_GE(floating.width(), kNotesWidth);
    EXPECT_EQ(At(floating, floating.width() / 2, floating.height() / 2), face) << "the small frame holds the bar";
    EXPECT_EQ(At(back, wider - 20, y), face) << "docked again at the width it had";
    EXPECT_EQ(At(back, wider + 10, y), white);
}

} // namespace
