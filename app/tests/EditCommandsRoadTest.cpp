// The editing commands played into the real program: two rectangles selected together, aligned,
// grouped and the grouping undone from the menus; copied into a second document with the keys,
// nudged with the arrow keys, sent to the back and deleted; three rectangles gathered with
// Shift-clicks, spaced evenly and copied with a Ctrl-drag, and one reached with Tab and widened.
// What the program wrote is read back with the program's own page reader.
#include "app/tests/E2E.h"
#include "app/tests/RoadTest.h"
#include "app/tests/SavedPage.h"

#include "View/MyView.h"
#include "objects/HyperOb.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

struct SavedObject {
    CRect rect;
    CString name;
    int group = -1;
};

// A rectangle as its edges, which a failure shows.
std::string Edges(const CRect& rect)
{
    return std::to_string(rect.left) + " " + std::to_string(rect.top) + " " + std::to_string(rect.right) + " " +
           std::to_string(rect.bottom);
}

std::vector<SavedObject> ReadObjects(const std::string& path)
{
    std::vector<SavedObject> objects;
    CMyView reader;
    if (!e2e::ReadSavedPage(path, reader))
        return objects;
    for (INT_PTR i = 0; i < reader.GetObjects().GetSize(); ++i) {
        CHyperOb* object = reader.GetObjectAtIndex(i);
        SavedObject saved;
        object->GetRect(&saved.rect, nullptr);
        saved.name = object->GetCode();
        saved.group = object->GroupID;
        objects.push_back(saved);
    }
    return objects;
}

class EditCommandsRoadTest : public e2e::RoadTest {
protected:
    std::string SaveThenWait(const char* name) const { return Save(name) + "wait 100\n"; }
    static std::string Menu(UINT id) { return "menu " + std::to_string(id) + "\nwait 100\n"; }
};

TEST_F(EditCommandsRoadTest, AlignGroupUndoCopyPasteNudgeOrderAndDelete)
{
    const std::string rectangle = Menu(CMyView::ToolRectangle);
    const std::string script =
        "wait 300\nmenu 57600\n" + rectangle + "drag view 100 100 200 180\n" + rectangle +
        "drag view 300 250 380 300\nwait 100\n" +
        // Select All makes the second rectangle current: the first aligns to it.
        "key ctrl+a\nwait 100\n" + Menu(60417) + SaveThenWait("aligned.trn") + Menu(60565) + SaveThenWait("grouped.trn") +
        "key ctrl+z\nwait 100\n" + SaveThenWait("undone.trn") +
        // Copy both into a new document and paste them twice.
        "key ctrl+c\nwait 100\nmenu 57600\nwait 300\nkey ctrl+v\nwait 100\nkey ctrl+v\nwait 100\n" +
        SaveThenWait("pasted.trn") +
        // The second pair is selected: one unit right, then one grid step down.
        "key right\nwait 100\nkey ctrl+down\nwait 100\n" + SaveThenWait("nudged.trn") + Menu(CHyperView::CmdToBack) +
        SaveThenWait("ordered.trn") + "key delete\nwait 100\n" + SaveThenWait("deleted.trn") + "quit\n";
    e2e::Run run = e2e::RunVantrel(script, home);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(run.log.find("error"), std::string::npos) << run.log;

    const std::vector<SavedObject> aligned = ReadObjects(Path("aligned.trn"));
    ASSERT_EQ(aligned.size(), 2u);
    EXPECT_EQ(aligned[0].rect, CRect(300, 250, 380, 300)) << "the reference stays";
    EXPECT_EQ(aligned[1].rect, CRect(300, 100, 400, 180));

    const std::vector<SavedObject> grouped = ReadObjects(Path("grouped.trn"));
    ASSERT_EQ(grouped.size(), 2u);
    EXPECT_GE(grouped[0].group, 0);
    EXPECT_EQ(grouped[0].group, grouped[1].group);

    const std::vector<SavedObject> undone = ReadObjects(Path("undone.trn"));
    ASSERT_EQ(undone.size(), 2u);
    EXPECT_EQ(undone[0].group, -1);
    EXPECT_EQ(undone[1].group, -1);
    EXPECT_EQ(undone[1].rect, CRect(300, 100, 400, 180)) << "only the grouping is undone";

    const std::vector<SavedObject> pasted = ReadObjects(Path("pasted.trn"));
    ASSERT_EQ(pasted.size(), 4u);
    std::set<CString> names;
    for (const SavedObject& object : pasted)
        names.insert(object.name);
    EXPECT_EQ(names.size(), 4u) << "every pasted object has a name of its own";
    // Inside the page the copies land one grid step right and down, in the same stacking order.
    EXPECT_EQ(pasted[0].rect, CRect(310, 260, 390, 310));
    EXPECT_EQ(pasted[1].rect, CRect(310, 110, 410, 190));

    const std::vector<SavedObject> nudged = ReadObjects(Path("nudged.trn"));
    ASSERT_EQ(nudged.size(), 4u);
    EXPECT_EQ(nudged[0].rect, CRect(311, 270, 391, 320));
    EXPECT_EQ(nudged[1].rect, CRect(311, 120, 411, 200));
    EXPECT_EQ(nudged[2].rect, CRect(310, 260, 390, 310)) << "the first pair stays";

    const std::vector<SavedObject> ordered = ReadObjects(Path("ordered.trn"));
    ASSERT_EQ(ordered.size(), 4u);
    EXPECT_EQ(ordered[2].rect, nudged[0].rect) << "the selection went to the bottom";
    EXPECT_EQ(ordered[3].rect, nudged[1].rect);

    const std::vector<SavedObject> deleted = ReadObjects(Path("deleted.trn"));
    ASSERT_EQ(deleted.size(), 2u);
    EXPECT_EQ(deleted[0].rect, CRect(310, 260, 390, 310));
}

// A copy pasted beside its original lies one grid step right and down, and the next drag
// moves the copy, not the original under it.
TEST_F(EditCommandsRoadTest, APasteLiesVisiblyApartFromItsOriginal)
{
    const std::string script = "wait 300\nmenu 57600\n" + Menu(CMyView::ToolRectangle) +
                               "drag view 100 100 200 180\nwait 100\nkey ctrl+c\nwait 100\nkey ctrl+v\nwait 100\n" +
                               SaveThenWait("pasted.trn") + "drag view 185 186 285 286\nwait 100\n" +
                               SaveThenWait("dragged.trn") + "quit\n";
    Play(script);

    const std::vector<SavedObject> pasted = ReadObjects(Path("pasted.trn"));
    ASSERT_EQ(pasted.size(), 2u);
    // The copy is on top: first in the page's order.
    EXPECT_EQ(Edges(pasted[0].rect), "110 110 210 190") << "the copy";
    EXPECT_EQ(Edges(pasted[1].rect), "100 100 200 180") << "the original";

    const std::vector<SavedObject> dragged = ReadObjects(Path("dragged.trn"));
    ASSERT_EQ(dragged.size(), 2u);
    EXPECT_EQ(Edges(dragged[0].rect), "210 210 310 290") << "the copy moved";
    EXPECT_EQ(Edges(dragged[1].rect), "100 100 200 180") << "the original stays";
}

TEST_F(EditCommandsRoadTest, ShiftClicksSpaceEvenlyCtrlDragCopiesAndTabWithShiftArrowResizes)
{
    const std::string rectangle = Menu(CMyView::ToolRectangle);
    const std::string script =
        "wait 300\nmenu 57600\n" + rectangle + "drag view 100 100 140 140\n" + rectangle +
        "drag view 160 100 200 140\n" + rectangle + "drag view 300 100 340 140\nwait 100\n" +
        "click view 120 120\nclick view 180 120 shift\nclick view 320 120 shift\nwait 100\n" + Menu(60421) +
        SaveThenWait("spaced.trn") +
        // A drag with Ctrl leaves the three where they are and copies them 100 lower.
        "drag view 120 120 120 220 ctrl\nwait 100\n" + SaveThenWait("copied.trn") +
        // A click beside everything, Tab to the bottom object, one unit wider.
        "click view 600 400\nkey tab\nkey shift+right\nwait 100\n" + SaveThenWait("resized.trn") + "quit\n";
    e2e::Run run = e2e::RunVantrel(script, home);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(run.log.find("error"), std::string::npos) << run.log;

    // Spread over 100..340 the three leave gaps of 60.
    const std::vector<SavedObject> spaced = ReadObjects(Path("spaced.trn"));
    ASSERT_EQ(spaced.size(), 3u);
    EXPECT_EQ(spaced[0].rect, CRect(300, 100, 340, 140));
    EXPECT_EQ(spaced[1].rect, CRect(200, 100, 240, 140));
    EXPECT_EQ(spaced[2].rect, CRect(100, 100, 140, 140));

    const std::vector<SavedObject> copied = ReadObjects(Path("copied.trn"));
    ASSERT_EQ(copied.size(), 6u);
    std::set<CString> names;
    std::multiset<LONG> tops;
    for (const SavedObject& object : copied) {
        names.insert(object.name);
        tops.insert(object.rect.top);
    }
    EXPECT_EQ(names.size(), 6u);
    EXPECT_EQ(tops, (std::multiset<LONG>{100, 100, 100, 200, 200, 200}));

    const std::vector<SavedObject> resized = ReadObjects(Path("resized.trn"));
    ASSERT_EQ(resized.size(), 6u);
    EXPECT_EQ(resized[5].rect, CRect(100, 100, 141, 140)) << "the bottom object, one unit wider";
}

} // namespace
