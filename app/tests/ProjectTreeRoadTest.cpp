// The project tree's context menu, opened with the right mouse button: a pixel painted in a
// subproject's icon through Edit Icon shows in the tree and is still there after a restart.
#include "app/tests/E2E.h"
#include "app/tests/PixelBox.h"
#include "app/tests/RoadTest.h"

#include <gtest/gtest.h>

#include <QImage>

namespace {

constexpr int kEditIcon = 34033;
// The label of the third tree row (the subproject Notices) and the area its icon is drawn in.
constexpr const char* kRow3 = "812 196";
constexpr int kIconLeft = 770, kIconRight = 811, kRowTop = 188, kRowBottom = 204;

using ProjectTreeRoadTest = e2e::ProjectFolderRoadTest;

// Black pixels in the 16 × 16 icon cell of the second row (the subproject General).
int BlackInSecondRowIcon(const QImage& image)
{
    int black = 0;
    for (int y = 170; y < 186; ++y)
        for (int x = 775; x < 791; ++x)
            black += (image.pixel(x, y) & 0xFFFFFF) == 0;
    return black;
}

QImage IconArea(const std::string& shot)
{
    return QImage(QString::fromStdString(shot)).copy(kIconLeft, kRowTop, kIconRight - kIconLeft + 1,
                                                     kRowBottom - kRowTop + 1);
}

TEST_F(ProjectTreeRoadTest, AnIconEditedFromTheTreesContextMenuIsShownAndKept)
{
    const std::string edit = "wait 300\nmenu 23020\nwait 200\ntype " + name + "\nkey enter\nwait 300\n"
                             "click main " + kRow3 + "\nwait 200\nscreenshot " + Path("before.png") +
                             "\npick " + std::to_string(kEditIcon) + "\nrclick main " + kRow3 +
                             "\nwait 500\nclick dialog 131 189\nwait 200\nclick dialog 650 253\nwait 300\n"
                             "screenshot " + Path("after.png") + "\nquit\n";
    e2e::Run run = Play(edit);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    const QImage before = IconArea(Path("before.png")), after = IconArea(Path("after.png"));
    EXPECT_FALSE(e2e::Differences(before, after).Empty()) << run.log;
    EXPECT_LT(BlackInSecondRowIcon(QImage(QString::fromStdString(Path("before.png")))), 128)
        << "an icon's clear pixels show the tree's background";

    run = Play("wait 500\nclick main " + std::string(kRow3) + "\nwait 200\nscreenshot " + Path("reopened.png") +
               "\nquit\n");
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_TRUE(e2e::Differences(after, IconArea(Path("reopened.png"))).Empty()) << run.log;
}

} // namespace
