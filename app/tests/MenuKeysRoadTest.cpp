// The menus from the keyboard alone, as a user meets them in the real program: Alt+F opens
// File, the arrows walk its rows and across the menus, Enter chooses and Escape closes;
// Shift+F10 and the Menu key open the page's context menu; and the menu bar holds the page's
// menus only while a document is open. What the screen shows is checked on its pixels.
#include "app/tests/PixelBox.h"
#include "app/tests/RoadTest.h"
#include "app/tests/SavedPage.h"

#include "View/MyView.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QRect>

#include <algorithm>
#include <filesystem>
#include <string>

namespace {

// The menu bar's row of the main window's picture.
constexpr int kMenuBarTop = 0, kMenuBarBottom = 26;
// Where File and Edit drop down on the screen, left of the level meter, which moves by itself.
const QRect kMenuArea(0, 0, 262, 450);

class MenuKeysRoadTest : public e2e::RoadTest {
protected:
    QImage Picture(const std::string& name) const { return QImage(QString::fromStdString(Path(name))); }
    QImage MenuArea(const std::string& name) const { return Picture(name).copy(kMenuArea); }
    std::string Snapshot(const std::string& target, const std::string& name) const
    {
        return "snapshot " + target + " " + Path(name) + "\n";
    }
    // The new page, made from the keyboard too.
    static std::string NewPage() { return "wait 300\nkey ctrl+n\nwait 400\n"; }
};

int DifferingPixels(const QImage& a, const QImage& b, int top, int bottom)
{
    int count = 0;
    for (int y = top; y < std::min({bottom, a.height(), b.height()}); ++y)
        for (int x = 0; x < std::min(a.width(), b.width()); ++x)
            count += a.pixel(x, y) != b.pixel(x, y);
    return count;
}

} // namespace

// Alt+F, four times Down to "Save As...", Enter: the page is saved under the name the file
// dialog is given, and no mouse was used.
TEST_F(MenuKeysRoadTest, AltFAndTheArrowsChooseSaveAsAndThePageIsSavedUnderTheTypedName)
{
    const std::string saved = Path("typed name.trn");
    e2e::Run run = Play(NewPage() + Snapshot("screen", "closed.png") + "key alt+f\nwait 200\n" +
                        Snapshot("screen", "file.png") + "key down\nkey down\nkey down\nkey down\nwait 200\n" +
                        Snapshot("screen", "save-as.png") + "file " + saved + "\nkey enter\nwait 600\nquit\n");
    EXPECT_TRUE(std::filesystem::exists(saved)) << run.log;
    const QImage closed = MenuArea("closed.png"), file = MenuArea("file.png"), saveAs = MenuArea("save-as.png");
    ASSERT_FALSE(closed.isNull() || file.isNull() || saveAs.isNull());
    const e2e::PixelBox menu = e2e::Differences(closed, file);
    ASSERT_FALSE(menu.Empty()) << "Alt+F opened nothing";
    EXPECT_GT(menu.bottom - menu.top, 200) << "the File menu is not open";
    // The highlight moved from the first row down to the fifth.
    const e2e::PixelBox moved = e2e::Differences(file, saveAs);
    ASSERT_FALSE(moved.Empty()) << "Down did not move the highlight";
    EXPECT_GT(moved.bottom - moved.top, 60);
}

// Escape closes the drop-down and a second one leaves the menu bar; Right moves to the next
// menu, opened; Left comes back.
TEST_F(MenuKeysRoadTest, EscapeClosesAndTheArrowsMoveAcrossTheMenus)
{
    Play(NewPage() + Snapshot("screen", "closed.png") + "key alt+f\nwait 200\n" + Snapshot("screen", "file.png") +
         "key right\nwait 200\n" + Snapshot("screen", "edit.png") + "key left\nwait 200\n" +
         Snapshot("screen", "back.png") + "key escape\nkey escape\nwait 300\n" + Snapshot("screen", "escaped.png") +
         "key alt+f\nwait 200\nkey escape\nkey escape\nwait 300\nkey ctrl+n\nwait 300\nquit\n");
    const QImage closed = MenuArea("closed.png"), file = MenuArea("file.png"), edit = MenuArea("edit.png"),
                 back = MenuArea("back.png"), escaped = MenuArea("escaped.png");
    ASSERT_FALSE(closed.isNull() || file.isNull() || edit.isNull() || back.isNull() || escaped.isNull());
    const e2e::PixelBox fileBox = e2e::Differences(closed, file), editBox = e2e::Differences(closed, edit);
    ASSERT_FALSE(fileBox.Empty() || editBox.Empty());
    EXPECT_GT(editBox.left, fileBox.left + 20) << "Right did not open the next menu";
    EXPECT_TRUE(e2e::Differences(file, back).Empty()) << "Left did not bring File back";
    EXPECT_TRUE(e2e::Differences(closed, escaped).Empty()) << "Escape left something open";
}

// Shift+F10 and the Menu key ask the page for its context menu; the item chosen there runs
// (Zoom In enlarges the page).
TEST_F(MenuKeysRoadTest, ShiftF10AndTheMenuKeyOpenThePagesContextMenu)
{
    constexpr int kZoomIn = 60561;
    Play(NewPage() + Snapshot("view", "before.png") + "pick " + std::to_string(kZoomIn) +
         "\nkey shift+f10\nwait 400\n" + Snapshot("view", "shift-f10.png") + "pick " + std::to_string(kZoomIn) +
         "\nkey apps\nwait 400\n" + Snapshot("view", "apps.png") + "quit\n");
    const QImage before = Picture("before.png"), first = Picture("shift-f10.png"), second = Picture("apps.png");
    ASSERT_FALSE(before.isNull() || first.isNull() || second.isNull());
    EXPECT_FALSE(e2e::Differences(before, first).Empty()) << "Shift+F10 chose nothing";
    EXPECT_FALSE(e2e::Differences(first, second).Empty()) << "the Menu key chose nothing";
}

// Without a document the menu bar holds the frame's menus; a page brings its own, and closing
// it (Alt+F, C) gives the frame's back.
TEST_F(MenuKeysRoadTest, TheMenuBarHoldsThePagesMenusOnlyWhileAPageIsOpen)
{
    Play("wait 300\n" + Snapshot("main", "frame.png") + NewPage() + Snapshot("main", "page.png") +
         "key alt+f\nwait 200\nkey c\nwait 400\n" + Snapshot("main", "closed.png") + "quit\n");
    const QImage frame = Picture("frame.png"), page = Picture("page.png"), closed = Picture("closed.png");
    ASSERT_FALSE(frame.isNull() || page.isNull() || closed.isNull());
    EXPECT_GT(DifferingPixels(frame, page, kMenuBarTop, kMenuBarBottom), 500) << "the page brought no menus";
    EXPECT_EQ(DifferingPixels(frame, closed, kMenuBarTop, kMenuBarBottom), 0) << "the frame's menus did not return";
}

// Export and Exit share X: the letter moves between them without opening Export, and Enter runs
// the one chosen, so Alt+F, X, X, Enter ends the program.
TEST_F(MenuKeysRoadTest, ALetterSharedByTwoItemsMovesBetweenThemAndEnterRunsTheChosenOne)
{
    e2e::Run run = Play(NewPage() + Snapshot("screen", "closed.png") + "key alt+f\nwait 200\n" +
                        Snapshot("screen", "file.png") + "key x\nwait 300\n" + Snapshot("screen", "export.png") +
                        "key x\nwait 300\n" + Snapshot("screen", "exit.png") + "key enter\nwait 2000\n");
    const QImage closed = MenuArea("closed.png"), file = MenuArea("file.png"), exportRow = MenuArea("export.png"),
                 exitRow = MenuArea("exit.png");
    ASSERT_FALSE(closed.isNull() || file.isNull() || exportRow.isNull() || exitRow.isNull());
    const e2e::PixelBox menu = e2e::Differences(closed, file), first = e2e::Differences(file, exportRow),
                        second = e2e::Differences(exportRow, exitRow);
    ASSERT_FALSE(menu.Empty()) << "Alt+F opened nothing";
    ASSERT_FALSE(first.Empty()) << "X chose no item";
    EXPECT_LE(first.right, menu.right) << "X opened Export's menu instead of choosing it";
    ASSERT_FALSE(second.Empty()) << "the second X did not move on to Exit";
    EXPECT_LE(second.right, menu.right);
    EXPECT_GT(second.bottom, first.top + 20) << "Exit lies below Export";
    EXPECT_EQ(run.exitCode, 0) << run.log;
}

// The File menu lists the recent files, numbered, and a number opens its file: a user finds the
// documents of the last session there.
TEST_F(MenuKeysRoadTest, TheFileMenuListsTheRecentFilesAndTheirNumberOpensOne)
{
    const std::string box = "menu " + std::to_string(CMyView::ToolRectangle) + "\n";
    Play(NewPage() + box + "drag view 100 100 200 200\nwait 100\n" + Save("one.trn") + NewPage() + box +
         "drag view 100 100 200 200\n" + box + "drag view 300 100 400 200\nwait 100\n" + Save("two.trn") + "quit\n");
    e2e::Run run = Play("wait 300\nkey alt+f\nwait 300\n" + Snapshot("screen", "file.png") +
                        "key 2\nwait 600\n" + Save("opened.trn") + "quit\n");
    // The File menu of the frame: its recent-file item became two.
    EXPECT_NE(run.log.find("popup: "), std::string::npos) << run.log;
    CMyView reader;
    ASSERT_TRUE(e2e::ReadSavedPage(Path("opened.trn"), reader)) << run.log;
    EXPECT_EQ(reader.GetObjects().GetSize(), 1) << "the second file of the list is the one saved first";
}
