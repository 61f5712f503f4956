// The command bars as a user shapes them: a bar dragged off its row by the gripper floats in
// a small frame of its own and comes back there at the next start; a shortcut key assigned in
// Customize runs its command at once and after a restart, and a removed one does nothing; a
// command dragged from Customize onto a bar shows there, and dragged off it is gone; large icons
// ticked in Customize make the bar buttons large, also after a restart, until unticked.
#include "app/tests/E2E.h"
#include "app/tests/PixelBox.h"
#include "app/tests/RoadTest.h"

#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <string>

namespace {

constexpr int kCustomize = 35001;
// The title strip of floating bars and panes in the default theme.
constexpr QRgb kCaption = qRgb(89, 135, 214);
// Where the Format bar's gripper sits in the main window, and where it is dropped.
constexpr const char* kFormatGripper = "4 64";
constexpr const char* kFloatDrop = "150 200";

// Places in the Customize sheet, in its own coordinates.
constexpr const char* kKeyboardTab = "218 18";
constexpr const char* kNewKeyField = "258 165";
constexpr const char* kAssign = "210 196";
constexpr const char* kRemove = "305 196";
constexpr const char* kFirstKey = "258 68";
constexpr const char* kSecondKey = "258 84";
constexpr const char* kOk = "163 306";
constexpr const char* kCancel = "237 306";
constexpr const char* kCommandsTab = "131 18";
constexpr const char* kSaveAsCommand = "200 115";
constexpr const char* kOptionsTab = "290 18";
constexpr const char* kLargeIconsBox = "25 102";
// The Standard bar's row in the main window, its first button, and a place on no bar.
constexpr int kStandardTop = 26, kStandardBottom = 46;
constexpr const char* kStandardFirst = "12 36";
constexpr const char* kNoBar = "150 200";

// Customize, Options, the Large Icons box ticked or unticked, OK.
std::string ToggleLargeIcons()
{
    return "menu " + std::to_string(kCustomize) + "\nwait 300\nclick dialog " + kOptionsTab + "\nwait 100\nclick dialog " +
           kLargeIconsBox + "\nclick dialog " + kOk + "\nwait 300\n";
}

// Pixels that differ, in the whole pictures or in a band of rows.
int DifferingPixels(const QImage& a, const QImage& b, int top = 0, int bottom = 1 << 30)
{
    int count = 0;
    for (int y = top; y < std::min({a.height(), b.height(), bottom}); ++y)
        for (int x = 0; x < std::min(a.width(), b.width()); ++x)
            count += a.pixel(x, y) != b.pixel(x, y);
    return count;
}

// The picture of the Standard bar's first button (New), found by the face-coloured columns and
// rows around it (empty when there is none); the face colour is the one right of the bar's gripper.
e2e::PixelBox FirstStandardPicture(const QImage& main)
{
    const QRgb face = main.pixel(8, kStandardTop);
    auto plainColumn = [&](int x) {
        for (int y = kStandardTop; y < kStandardTop + 20; ++y)
            if (main.pixel(x, y) != face)
                return false;
        return true;
    };
    e2e::PixelBox box;
    int x = 8;
    while (x < 100 && plainColumn(x))
        ++x;
    if (x == 100)
        return box;
    box.left = x;
    while (x < 100 && !plainColumn(x))
        ++x;
    box.right = x - 1;
    auto plainRow = [&](int y) {
        for (int column = box.left; column <= box.right; ++column)
            if (main.pixel(column, y) != face)
                return false;
        return true;
    };
    int y = kStandardTop;
    while (y < kStandardTop + 60 && plainRow(y))
        ++y;
    box.top = y;
    while (y < kStandardTop + 60 && !plainRow(y))
        ++y;
    box.bottom = y - 1;
    return box;
}

bool SameBox(const e2e::PixelBox& a, const e2e::PixelBox& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

class BarsRoadTest : public e2e::RoadTest {
protected:
    QImage Picture(const std::string& name) const { return QImage(QString::fromStdString(Path(name))); }
    std::string Shot(const std::string& name) const { return "snapshot screen " + Path(name) + "\n"; }
    // Opens Customize on its Keyboard page, with the first command (New) chosen.
    static std::string KeyboardPage()
    {
        return "menu " + std::to_string(kCustomize) + "\nwait 300\nclick dialog " + kKeyboardTab + "\nwait 100\n";
    }
};

TEST_F(BarsRoadTest, AFloatedFormatBarComesBackWhereItWasAtTheNextStart)
{
    Play("wait 300\n" + Shot("docked.png") + "drag main " + kFormatGripper + " " + kFloatDrop + "\nwait 300\n" +
         Shot("floated.png") + "quit\n");
    Play("wait 300\n" + Shot("restarted.png") + "quit\n");
    const QImage docked = Picture("docked.png"), floated = Picture("floated.png"), restarted = Picture("restarted.png");
    ASSERT_FALSE(docked.isNull());
    ASSERT_FALSE(floated.isNull());
    ASSERT_FALSE(restarted.isNull());
    // A new title strip (the docking pane's caption was there before).
    EXPECT_GT(e2e::CountColour(floated, kCaption) - e2e::CountColour(docked, kCaption), 1500);
    const e2e::PixelBox before = e2e::BoxOf(docked, kCaption), after = e2e::BoxOf(floated, kCaption);
    EXPECT_GT(after.bottom, before.bottom) << "the floating bar is below the pane's caption, where it was dropped";
    EXPECT_TRUE(SameBox(after, e2e::BoxOf(restarted, kCaption))) << "the floating bar moved at the restart";
    EXPECT_EQ(e2e::CountColour(restarted, kCaption), e2e::CountColour(floated, kCaption));
    // Only the level meter, which moves by itself, may differ.
    EXPECT_LT(DifferingPixels(floated, restarted), 1500);
}

TEST_F(BarsRoadTest, AnAssignedShortcutRunsItsCommandAtOnceAndAfterARestartUntilRemoved)
{
    // Ctrl+Shift+K for New; pressing it opens a document, which the click on the view needs.
    Play("wait 300\n" + KeyboardPage() + "click dialog " + kNewKeyField + "\nkey ctrl+shift+k\nclick dialog " + kAssign +
         "\nwait 100\nclick dialog " + kOk + "\nwait 200\n" + Shot("empty.png") + "key ctrl+shift+k\nwait 500\n" +
         Shot("opened.png") + "click view 20 20\nquit\n");
    EXPECT_GT(DifferingPixels(Picture("empty.png"), Picture("opened.png")), 5000) << "no document opened";

    Play("wait 300\n" + Shot("restarted.png") + "key ctrl+shift+k\nwait 500\n" + Shot("reopened.png") +
         "click view 20 20\nquit\n");
    EXPECT_GT(DifferingPixels(Picture("restarted.png"), Picture("reopened.png")), 5000) << "the key was forgotten";

    // The key is the second of New's keys (after Ctrl+N); removed, it does nothing, also after a restart.
    Play("wait 300\n" + KeyboardPage() + "click dialog " + kSecondKey + "\nclick dialog " + kRemove +
         "\nwait 100\nclick dialog " + kOk + "\nwait 200\nquit\n");
    Play("wait 300\n" + Shot("plain.png") + "key ctrl+shift+k\nwait 500\n" + Shot("pressed.png") + "quit\n");
    EXPECT_LT(DifferingPixels(Picture("plain.png"), Picture("pressed.png")), 1500) << "a removed key still ran";
}

// New's Ctrl+N removed and Ctrl+Shift+K assigned, then Cancel: Ctrl+Shift+K does nothing and
// Ctrl+N still opens a page, also after a restart.
TEST_F(BarsRoadTest, CancelInCustomizeTakesBackTheKeysAssignedAndRemovedMeanwhile)
{
    const std::string presses = "key ctrl+shift+k\nwait 500\n" + Shot("after-k.png") + "key ctrl+n\nwait 500\n" +
                                Shot("after-n.png") + "click view 20 20\nquit\n";
    auto expectOriginalKeys = [&](const char* when) {
        const QImage before = Picture("before.png"), afterK = Picture("after-k.png"), afterN = Picture("after-n.png");
        ASSERT_FALSE(before.isNull() || afterK.isNull() || afterN.isNull()) << when;
        EXPECT_LT(DifferingPixels(before, afterK), 1500) << when << ": the cancelled key ran";
        EXPECT_GT(DifferingPixels(afterK, afterN), 5000) << when << ": the removed key stayed removed";
    };
    Play("wait 300\n" + KeyboardPage() + "click dialog " + kFirstKey + "\nclick dialog " + kRemove +
         "\nclick dialog " + kNewKeyField + "\nkey ctrl+shift+k\nclick dialog " + kAssign +
         "\nwait 100\nclick dialog " + kCancel + "\nwait 200\n" + Shot("before.png") + presses);
    expectOriginalKeys("cancelled");
    Play("wait 300\n" + Shot("before.png") + presses);
    expectOriginalKeys("restarted");
}

TEST_F(BarsRoadTest, ACommandDraggedOntoTheStandardBarStaysThereUntilDraggedOffAgain)
{
    const std::string shot = "snapshot main ", customize = "menu " + std::to_string(kCustomize) + "\nwait 300\n";
    Play("wait 300\n" + shot + Path("before.png") + "\n" + customize + "click dialog " + kCommandsTab +
         "\nwait 100\ndown dialog " + kSaveAsCommand + "\nmove main 60 40\nmove main " + kStandardFirst + "\nup main " +
         kStandardFirst + "\nwait 200\n" + shot + Path("added.png") + "\nclick dialog " + kOk + "\nwait 200\nquit\n");
    Play("wait 300\n" + shot + Path("kept.png") + "\n" + customize + "drag main " + kStandardFirst + " " + kNoBar +
         "\nwait 200\n" + shot + Path("removed.png") + "\nclick dialog " + kOk + "\nwait 200\nquit\n");
    Play("wait 300\n" + shot + Path("restarted.png") + "\nquit\n");
    const QImage before = Picture("before.png");
    ASSERT_FALSE(before.isNull());
    // Without a document Save As is greyed once the bars update again, after Customize.
    EXPECT_GT(DifferingPixels(before, Picture("added.png"), kStandardTop, kStandardBottom), 300)
        << "Save As did not reach the bar";
    EXPECT_GT(DifferingPixels(before, Picture("kept.png"), kStandardTop, kStandardBottom), 300)
        << "the bar lost Save As at the restart";
    for (const char* name : {"removed.png", "restarted.png"})
        EXPECT_EQ(DifferingPixels(before, Picture(name), kStandardTop, kStandardBottom), 0) << name;
}

TEST_F(BarsRoadTest, LargeIconsTickedInCustomizeMakeTheBarButtonsLargeUntilUnticked)
{
    const std::string shot = "snapshot main ", toggle = ToggleLargeIcons();
    Play("wait 300\n" + shot + Path("small.png") + "\n" + toggle + shot + Path("large.png") + "\nquit\n");
    Play("wait 300\n" + shot + Path("restarted.png") + "\n" + toggle + shot + Path("unticked.png") + "\nquit\n");
    // The New picture's drawn part: within 16 px when small, past 16 and within 32 when large.
    const e2e::PixelBox small = FirstStandardPicture(Picture("small.png"));
    const e2e::PixelBox large = FirstStandardPicture(Picture("large.png"));
    for (const e2e::PixelBox& box : {small, large})
        ASSERT_FALSE(box.Empty());
    EXPECT_LE(small.right - small.left + 1, 16);
    EXPECT_LE(small.bottom - small.top + 1, 16);
    EXPECT_GT(large.right - large.left + 1, 16);
    EXPECT_LE(large.right - large.left + 1, 32);
    EXPECT_GT(large.bottom - large.top + 1, 16);
    EXPECT_LE(large.bottom - large.top + 1, 32);
    EXPECT_TRUE(SameBox(large, FirstStandardPicture(Picture("restarted.png")))) << "large icons were forgotten";
    EXPECT_TRUE(SameBox(small, FirstStandardPicture(Picture("unticked.png")))) << "unticked, the icons stayed large";
}

TEST_F(BarsRoadTest, WithLargeIconsWhatDoesNotFitTheSecondBarRowIsBehindAnExpandButton)
{
    const std::string toggle = ToggleLargeIcons();
    // The Layout bar beside the Format bar is cut short: its expand button is its last 12 pixels,
    // at the window's right edge.
    Play("wait 300\n" + toggle + "snapshot screen " + Path("large.png") + "\nclick main 923 89\nwait 300\n"
         "snapshot screen " + Path("expanded.png") + "\nkey escape\nwait 100\n" + toggle + "quit\n");
    const QImage large = Picture("large.png"), expanded = Picture("expanded.png");
    ASSERT_FALSE(large.isNull());
    ASSERT_FALSE(expanded.isNull());
    // Its drop-down opens below the button, holding the commands that did not fit (the main
    // window stands at 40, 40 on the screen).
    const QRect below(950, 150, 200, 120), rows(40, 40, 900, 108);
    EXPECT_GT(DifferingPixels(large.copy(below), expanded.copy(below)), 2000);
    EXPECT_EQ(DifferingPixels(large.copy(rows), expanded.copy(rows)), 0) << "the bars' rows stay as they were";
}

TEST_F(BarsRoadTest, ALineWidthEntryDraggedFromItsTornOffBarOntoTheStandardBarShowsItsWidthAfterARestart)
{
    // The Format bar's Line Width drop-down torn off by its strip floats where it opened; its
    // 2.00 entry goes onto the Standard bar while Customize is open.
    const std::string page = "wait 300\nmenu 57600\nwait 300\n", shot = "snapshot main ";
    Play(page + shot + Path("before.png") + "\nclick main 444 64\nwait 300\nclick main 497 80\nwait 300\nmenu " +
         std::to_string(kCustomize) + "\nwait 300\ndrag main 757 101 395 38\nwait 200\nclick dialog " + kOk +
         "\nwait 300\n" + shot + Path("added.png") + "\nanswer 7\nquit\n");
    Play(page + shot + Path("restarted.png") + "\nanswer 7\nquit\n");
    const QImage before = Picture("before.png"), added = Picture("added.png");
    ASSERT_FALSE(before.isNull());
    EXPECT_GT(DifferingPixels(before, added, kStandardTop, kStandardBottom), 300) << "the entry did not reach the bar";
    EXPECT_EQ(DifferingPixels(added, Picture("restarted.png"), kStandardTop, kStandardBottom), 0)
        << "after the restart the Standard bar shows something else than the 2.00 width";
}

} // namespace
