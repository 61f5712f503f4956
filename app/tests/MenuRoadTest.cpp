// Menus as a user meets them in the real program: every menu is whole the moment it opens,
// the colour rows open their colours and a chosen colour reaches the page, a combo box drops
// its list under the mouse, and Ctrl+A selects all of the text being typed in place. What the
// screen shows is checked on its pixels; what the program wrote is read back with its reader.
#include "app/tests/E2E.h"
#include "app/tests/RoadTest.h"
#include "app/tests/SavedPage.h"

#include "View/MyView.h"
#include "objects/HyperOb.h"
#include "platform/gdi/SysColors.h"

#include <gtest/gtest.h>

#include <QImage>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kNew = 57600;

// Where the menu bar's items sit in the main window, left to right.
struct MenuTitle {
    const char* name;
    int x;
};
constexpr MenuTitle kMenuTitles[] = {{"File", 19},    {"Edit", 49},    {"Arrange", 92}, {"View", 139},
                                     {"Insert", 179}, {"Project", 224}, {"Catalog", 271}, {"Ink", 311},
                                     {"Format", 348}, {"Tools", 391},  {"Window", 438}, {"Help", 483}};
constexpr int kMenuBarY = 12;

std::string Menu(int id) { return "menu " + std::to_string(id) + "\n"; }
std::string At(int x, int y) { return std::to_string(x) + " " + std::to_string(y); }

int DifferingPixels(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return a.width() * a.height();
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            count += a.pixel(x, y) != b.pixel(x, y);
    return count;
}

// The box around the pixels of an area where two pictures differ.
QRect DifferenceBox(const QImage& a, const QImage& b, const QRect& area)
{
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (a.valid(x, y) && b.valid(x, y) && a.pixel(x, y) != b.pixel(x, y))
                box |= QRect(x, y, 1, 1);
    return box;
}

// Pixels of exactly that colour inside a box of the picture.
int CountColour(const QImage& image, const QRect& box, QRgb colour)
{
    int count = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            count += image.valid(x, y) && (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
    return count;
}

class MenuRoadTest : public e2e::RoadTest {
protected:
    e2e::Run Play(const std::string& script)
    {
        e2e::Run run = e2e::RunVantrel(script, home);
        EXPECT_EQ(run.exitCode, 0) << run.log;
        EXPECT_EQ(run.log.find("error"), std::string::npos) << run.log;
        return run;
    }
    QImage Picture(const std::string& name) const { return QImage(QString::fromStdString(Path(name))); }
    std::unique_ptr<CMyView> Read(const char* name) const
    {
        auto reader = std::make_unique<CMyView>();
        EXPECT_TRUE(e2e::ReadSavedPage(Path(name), *reader)) << name;
        return reader;
    }
};

// A menu that gains items after it opened moves them under the pointer; each one is pictured
// the moment it opens and a second later, on the screen and as the drop-down's own window.
TEST_F(MenuRoadTest, EveryMenuShowsAllItsItemsTheMomentItOpens)
{
    std::string script = "wait 300\n" + Menu(kNew) + "wait 300\nsnapshot screen " + Path("closed.png") + "\n";
    for (const MenuTitle& title : kMenuTitles) {
        const std::string name = title.name;
        script += "click main " + At(title.x, kMenuBarY) + "\nsnapshot screen " + Path(name + "-screen.png") +
                  "\nsnapshot dialog " + Path(name + "-now.png") + "\nwait 1200\nsnapshot dialog " +
                  Path(name + "-later.png") + "\nclick main " + At(title.x, kMenuBarY) + "\nwait 100\n";
    }
    Play(script + "quit\n");
    const QImage closed = Picture("closed.png");
    ASSERT_FALSE(closed.isNull());
    for (const MenuTitle& title : kMenuTitles) {
        const std::string name = title.name;
        const QImage now = Picture(name + "-now.png"), later = Picture(name + "-later.png");
        ASSERT_FALSE(now.isNull()) << name;
        EXPECT_GT(DifferingPixels(Picture(name + "-screen.png"), closed), 2000) << name << " did not open";
        EXPECT_GT(now.height(), 40) << name;
        EXPECT_EQ(now.size(), later.size()) << name << " grew while it was open";
        EXPECT_EQ(DifferingPixels(now, later), 0) << name << " changed while it was open";
    }
}

// The misfire itself: a quick click on the third row of Insert is Frame, not the Text below it.
TEST_F(MenuRoadTest, AQuickClickOnAnOpenMenuRunsTheItemUnderThePointer)
{
    Play("wait 300\n" + Menu(kNew) + Menu(CMyView::ToolFrame) + "drag view 60 60 160 120\nwait 200\n" +
         "click main " + At(179, kMenuBarY) + "\nclick main " + At(210, 79) + "\ndrag view 60 200 160 260\nwait 200\n" +
         Save("frames.trn") + "quit\n");
    std::unique_ptr<CMyView> page = Read("frames.trn");
    ASSERT_EQ(page->GetObjects().GetSize(), 2);
    EXPECT_STREQ(page->GetObjectAtIndex(1)->GetRuntimeClass()->m_lpszClassName,
                 page->GetObjectAtIndex(0)->GetRuntimeClass()->m_lpszClassName);
}

// Format's colour rows open their colour grids; the colours clicked there fill and outline the
// selected rectangle on the page.
TEST_F(MenuRoadTest, TheColourRowsOfFormatOpenTheirColoursAndApplyTheOneClicked)
{
    const int format = 348;
    Play("wait 300\n" + Menu(kNew) + Menu(CMyView::ToolRectangle) + "drag view 100 100 300 200\nwait 200\n" +
         "click main " + At(format, kMenuBarY) + "\nwait 100\nclick main " + At(403, 341) + "\nwait 200\n" +
         "snapshot screen " + Path("background.png") + "\nclick main " + At(546, 386) + "\nwait 300\n" +
         "click main " + At(format, kMenuBarY) + "\nwait 100\nclick main " + At(400, 275) + "\nwait 200\n" +
         "snapshot screen " + Path("foreground.png") + "\nclick main " + At(634, 305) + "\nwait 300\n" +
         "click view 500 400\nwait 300\nscreenshot " + Path("page.png") + "\n" + Save("colours.trn") + "quit\n");
    // The grids were open beside their rows, red and blue among their cells.
    EXPECT_GT(CountColour(Picture("background.png"), QRect(560, 390, 200, 110), qRgb(255, 0, 0)), 60);
    EXPECT_GT(CountColour(Picture("foreground.png"), QRect(560, 320, 200, 110), qRgb(0, 0, 255)), 60);
    const QImage page = Picture("page.png");
    EXPECT_GT(CountColour(page, page.rect(), qRgb(255, 0, 0)), 150 * 80) << "the fill is red";
    EXPECT_GT(CountColour(page, page.rect(), qRgb(0, 0, 255)), 2 * (200 + 100) - 20) << "the outline is blue";
    std::unique_ptr<CMyView> saved = Read("colours.trn");
    ASSERT_EQ(saved->GetObjects().GetSize(), 1);
    EXPECT_EQ(saved->GetObjectAtIndex(0)->BackColor, RGB(255, 0, 0));
    EXPECT_EQ(saved->GetObjectAtIndex(0)->ForeColor, RGB(0, 0, 255));
}

// The size box of the Format bar drops its sizes under a click; the size clicked goes to the
// selected text.
TEST_F(MenuRoadTest, TheSizeBoxDropsItsListUnderAClickAndTheSizeClickedApplies)
{
    Play("wait 300\n" + Menu(kNew) + Menu(CMyView::ToolText) + "drag view 100 100 400 220\nwait 200\n"
         "type Big\nkey return\nwait 300\nscreenshot " + Path("before.png") + "\nclick main " + At(180, 65) +
         "\nwait 300\nsnapshot dialog " + Path("dropped.png") + "\nclick main " + At(170, 375) +
         "\nwait 300\nscreenshot " + Path("after.png") + "\n" + Save("sized.trn") + "quit\n");
    std::unique_ptr<CMyView> saved = Read("sized.trn");
    ASSERT_EQ(saved->GetObjects().GetSize(), 1);
    LOGFONT font{};
    ASSERT_TRUE(saved->GetObjectAtIndex(0)->GetFont(&font, FALSE));
    EXPECT_EQ(font.lfHeight, -48) << "36 points";
    // The list dropped with its sixteen sizes, one row each.
    EXPECT_GE(Picture("dropped.png").height(), 16 * 20);
    const QImage before = Picture("before.png"), after = Picture("after.png");
    const QRect page(0, 150, after.width(), after.height() - 150);
    EXPECT_GE(DifferenceBox(before, after, page).height(), 30) << "the page shows the bigger text";
}

// Ctrl+A in the text being typed in place selects all of it, so what is typed next replaces it.
TEST_F(MenuRoadTest, CtrlAInTheInPlaceEditorSelectsAllOfItsText)
{
    Play("wait 300\n" + Menu(kNew) + Menu(CMyView::ToolText) + "drag view 100 100 400 160\nwait 200\n"
         "type hello world\nwait 200\nscreenshot " + Path("typed.png") + "\nkey ctrl+a\nwait 200\n"
         "screenshot " + Path("selected.png") + "\ntype new\nkey return\nwait 200\n" + Save("replaced.trn") +
         "quit\n");
    const QRgb highlight = qRgb(GetRValue(::GetSysColor(COLOR_HIGHLIGHT)), GetGValue(::GetSysColor(COLOR_HIGHLIGHT)),
                                GetBValue(::GetSysColor(COLOR_HIGHLIGHT)));
    const QImage typed = Picture("typed.png"), selected = Picture("selected.png");
    EXPECT_GT(CountColour(selected, selected.rect(), highlight), CountColour(typed, typed.rect(), highlight) + 400)
        << "the whole text shows selected";
    std::unique_ptr<CMyView> saved = Read("replaced.trn");
    ASSERT_EQ(saved->GetObjects().GetSize(), 1);
    CString text;
    saved->GetObjectAtIndex(0)->GetText(text);
    EXPECT_EQ(text.CompareNoCase("new"), 0) << static_cast<LPCTSTR>(text);
}

} // namespace
