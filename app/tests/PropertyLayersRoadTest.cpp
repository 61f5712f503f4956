// The layers of the Properties dialog in the real program: a note's text is written in the
// Notes dialog that its row opens and its picture shown in the Edit Bitmap dialog with Edit...,
// a group of lines gets snap points with texts that are drawn on the page and kept in the file,
// and Options switches to the modal Properties form.
#include "app/tests/E2E.h"
#include "app/tests/RoadTest.h"
#include "app/tests/SavedPage.h"

#include "View/MyView.h"
#include "objects/GenGroupInfo.h"
#include "objects/HyperOb.h"
#include "objects/kinds/StickyOb.h"

#include <gtest/gtest.h>

#include <QImage>

#include <fstream>
#include <sstream>
#include <string>

namespace {

constexpr int kNew = 57600, kOpen = 57601, kClose = 57602, kSaveAs = 57604;
constexpr int kProperties = 60416, kGroup = 60565, kOptions = 32804;

std::string Menu(int id) { return "menu " + std::to_string(id) + "\n"; }

// Dark pixels of a picture inside a rectangle: where text or lines were drawn.
int DarkPixels(const QImage& image, QRect area)
{
    int dark = 0;
    area = area.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            dark += qGray(image.pixel(x, y)) < 96;
    return dark;
}

class PropertyLayersRoadTest : public e2e::RoadTest {
protected:
    std::string SaveAs(const char* name) const { return "file " + Path(name) + "\n" + Menu(kSaveAs); }
    std::string Reopen(const char* name) const
    {
        return Menu(kClose) + "file " + Path(name) + "\n" + Menu(kOpen) + "wait 300\n";
    }
};

TEST_F(PropertyLayersRoadTest, ANotesRowsOpenTheNotesDialogAndTheEditableBitmapDialog)
{
    const std::string script = "wait 300\n" + Menu(kNew) + Menu(CMyView::ToolNote) +
                               "click view 120 120\nwait 300\nclick dialog 40 40\ntype old words\n"
                               "click dialog 200 204\nwait 200\n" + Menu(kProperties) + "wait 400\n"
                               "screenshot " + Path("pane.png") + "\n"
                               // The value cell of the Text row, the last of the note's rows.
                               "click main 860 621\nwait 400\n"
                               "snapshot dialog " + Path("notes.png") + "\n"
                               "type pane words\nclick dialog 200 204\nwait 300\n"
                               // The Bitmap row: the main view edits pictures with the paint editor at hand.
                               "click main 860 583\nwait 400\n"
                               "snapshot dialog " + Path("bitmap.png") + "\nkey escape\nwait 300\n" +
                               SaveAs("note.trn") + "quit\n";
    Play(script);
    CMyView reader;
    ASSERT_TRUE(e2e::ReadSavedPage(Path("note.trn"), reader));
    ASSERT_EQ(reader.GetObjects().GetSize(), 1);
    auto* note = dynamic_cast<CStickyOb*>(reader.GetObjectAtIndex(0));
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->GetNoteText(), CString("Pane words"));

    // The Notes dialog came up over the pane with the old text in its field.
    const QImage notes(QString::fromStdString(Path("notes.png")));
    ASSERT_FALSE(notes.isNull());
    EXPECT_GT(DarkPixels(notes, QRect(8, 8, 80, 16)), 20) << "the old text shows in the field";
    const QImage bitmap(QString::fromStdString(Path("bitmap.png")));
    ASSERT_FALSE(bitmap.isNull());
    EXPECT_GT(DarkPixels(bitmap, QRect(315, 188, 40, 14)), 10) << "the Edit Bitmap dialog shows Edit...";
}

// A new page with a group of two lines whose one snap point, at its top left, has the text
// "North"; nothing selected.
std::string GroupWithText(const std::string& groupShot, const std::string& pointsShot)
{
    const std::string line = Menu(CMyView::ToolLine);
    return "wait 300\n" + Menu(kNew) + line + "drag view 80 100 240 110\nwait 100\n" + line +
           "drag view 80 180 240 190\nwait 100\nkey ctrl+a\n" + Menu(kGroup) + Menu(kProperties) + "wait 400\n"
           "screenshot " + groupShot + "\n"
           // The value cell of the Anchor Snaps row of the group.
           "click main 860 336\nwait 400\n"
           "snapshot dialog " + pointsShot + "\n"
           // Add, then the new point's Label, then OK.
           "click dialog 357 95\nwait 100\nclick dialog 180 355\ntype North\nclick dialog 357 20\nwait 300\n"
           "click view 400 400\nwait 300\n";
}

TEST_F(PropertyLayersRoadTest, AGroupOfLinesGetsSnapPointsWithTextsThatAreDrawnAndKept)
{
    const std::string script = GroupWithText(Path("group.png"), Path("points.png")) +
                               "snapshot view " + Path("page.png") + "\n" + SaveAs("group.trn") +
                               Reopen("group.trn") + SaveAs("group-reopened.trn") + "quit\n";
    Play(script);
    for (const char* file : {"group.trn", "group-reopened.trn"}) {
        CMyView reader;
        ASSERT_TRUE(e2e::ReadSavedPage(Path(file), reader)) << file;
        CGenGroupInfo* group = nullptr;
        for (INT_PTR i = 0; i < reader.GetObjects().GetSize() && !group; ++i)
            group = dynamic_cast<CGenGroupInfo*>(reader.GetObjectAtIndex(i)->GetOwnGroupInfo());
        ASSERT_NE(group, nullptr) << file;
        CAnchorFmt* points = group->GetSnapPointList();
        ASSERT_NE(points, nullptr) << file;
        ASSERT_EQ(points->GetSize(), 1) << file;
        const auto* point = dynamic_cast<CAnchorItemEx*>(points->GetAnchor(0));
        ASSERT_NE(point, nullptr) << file;
        EXPECT_EQ(point->m_text, CString("North")) << file;
        EXPECT_EQ(point->m_position, 0) << file << ": a new point sits at the top left";
    }
    // The text is drawn whole, centred on the group's top left corner: its first letter lies
    // left of the group, where the page had nothing.
    const QImage page(QString::fromStdString(Path("page.png")));
    ASSERT_FALSE(page.isNull());
    EXPECT_GT(DarkPixels(page, QRect(60, 85, 60, 25)), 15);
    EXPECT_GT(DarkPixels(page, QRect(60, 94, 9, 14)), 5) << "the N of North";
}

// The texts reach past the group's rectangle: moving the group paints their old place again.
TEST_F(PropertyLayersRoadTest, MovingAGroupLeavesNoTraceOfItsPointTexts)
{
    const std::string script = "wait 300\n" + Menu(kNew) + "wait 200\nsnapshot view " + Path("empty.png") + "\n" +
                               Menu(kClose) + GroupWithText(Path("group.png"), Path("points.png")) +
                               "snapshot view " + Path("before.png") + "\n"
                               // A click on the upper line picks the group; then down on it, a move in
                               // steps as a hand makes it, and up.
                               "click view 160 105\nwait 200\ndown view 160 105\nmove view 200 145\nmove view 280 225\nmove view 360 305\n"
                               "up view 360 305\nwait 300\nclick view 600 60\nwait 300\n"
                               "snapshot view " + Path("after.png") + "\nanswer 7\nquit\n";
    Play(script);
    const QImage empty(QString::fromStdString(Path("empty.png")));
    const QImage before(QString::fromStdString(Path("before.png")));
    const QImage after(QString::fromStdString(Path("after.png")));
    ASSERT_FALSE(empty.isNull() || before.isNull() || after.isNull());
    const QRect text(56, 88, 50, 24);
    ASSERT_GT(DarkPixels(before, text), 15) << "the text showed before the move";
    int marks = 0;
    for (int y = text.top(); y <= text.bottom(); ++y)
        for (int x = text.left(); x <= text.right(); ++x)
            marks += after.pixel(x, y) != empty.pixel(x, y);
    EXPECT_EQ(marks, 0) << "the text's old place shows the empty page again";
    EXPECT_GT(DarkPixels(after, text.translated(200, 200)), 15) << "the text moved with the group";
}

TEST_F(PropertyLayersRoadTest, OptionsSwitchesPropertiesToTheModalForm)
{
    const std::string script = "wait 300\n" + Menu(kNew) + Menu(CMyView::ToolRectangle) +
                               "drag view 60 60 200 140\nwait 100\n" + Menu(kOptions) + "wait 300\n"
                               // The Extras tab, its check box, then OK.
                               "click dialog 385 18\nwait 200\nclick dialog 32 84\n"
                               "snapshot dialog " + Path("options.png") + "\n"
                               "click dialog 302 338\nwait 300\n"
                               "click view 100 100\n" + Menu(kProperties) + "wait 400\n"
                               "snapshot dialog " + Path("modal.png") + "\nkey escape\nwait 200\n" +
                               SaveAs("modal.trn") + "quit\n";
    Play(script);
    std::ifstream ini(home + "/config/Korvane/Vantrel Q8.ini");
    std::stringstream settings;
    settings << ini.rdbuf();
    EXPECT_NE(settings.str().find("Properties.Modal=1"), std::string::npos) << settings.str();

    // The Properties form came up as a dialog of its own: tall and narrow, its grid white.
    const QImage modal(QString::fromStdString(Path("modal.png")));
    ASSERT_FALSE(modal.isNull()) << "no dialog was open after Properties";
    EXPECT_GT(modal.height(), modal.width());
    EXPECT_EQ(modal.pixel(modal.width() / 2, modal.height() / 2) & 0xFFFFFF, 0xFFFFFFu);
}

} // namespace
