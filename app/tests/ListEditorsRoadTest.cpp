// The list editors in the real program: the "Objects..." command reorders and renames the
// page's objects (Cancel puts them back), and a border's snap points are edited from the
// Properties pane. What the program saved is read back with its own reader.
#include "app/tests/E2E.h"
#include "app/tests/RoadTest.h"
#include "app/tests/SavedPage.h"

#include "View/MyView.h"
#include "View/tests/DocumentBytes.h"
#include "objects/AnchorFmt.h"
#include "objects/HyperOb.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kNew = 57600;
constexpr int kObjects = 60442;

std::vector<std::string> Codes(const std::string& path)
{
    std::vector<std::string> codes;
    CMyView reader;
    if (!e2e::ReadSavedPage(path, reader))
        return codes;
    for (INT_PTR i = 0; i < reader.GetObjects().GetSize(); ++i)
        codes.emplace_back(reader.GetObjectAtIndex(i)->Code.GetString());
    return codes;
}

std::string Rectangle(const char* drag)
{
    return "menu " + std::to_string(CMyView::ToolRectangle) + "\ndrag view " + drag + "\nwait 100\n";
}

class ListEditorsRoadTest : public e2e::RoadTest {};

// The dialog opens with the list focused on the first row: the first rectangle drawn, at the
// back of the page. Up is disabled on the first row, so three tabs reach Down; going back
// from the list wraps to the code field.
TEST_F(ListEditorsRoadTest, ObjectsReordersAndRenamesThePageAndCancelPutsItBack)
{
    const std::string objects = "menu " + std::to_string(kObjects) + "\nwait 300\n";
    const std::string down = "key tab\nkey tab\nkey tab\nkey space\nwait 100\n";
    const std::string script =
        "wait 300\nmenu " + std::to_string(kNew) + "\n" + Rectangle("40 40 120 100") + Rectangle("160 40 240 100") +
        Rectangle("280 40 360 100") + "click view 600 400\n" + Save("before.trn") +
        objects + down +
        "key shift+tab\nkey shift+tab\nkey shift+tab\nkey shift+tab\nkey shift+tab\n"
        "type my box\nwait 100\nkey return\nwait 200\n" + Save("after.trn") +
        objects + down + "key escape\nwait 200\n" + Save("cancelled.trn") +
        "quit\n";
    e2e::Run run = e2e::RunVantrel(script, home);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(run.log.find("error"), std::string::npos) << run.log;

    const std::vector<std::string> before = Codes(Path("before.trn"));
    ASSERT_EQ(before.size(), 3u);
    const std::vector<std::string> after = Codes(Path("after.trn"));
    ASSERT_EQ(after.size(), 3u);
    // The back object moved one place forward and took the typed code without its blank.
    EXPECT_EQ(after[0], before[0]);
    EXPECT_EQ(after[1], "mybox");
    EXPECT_EQ(after[2], before[1]);
    EXPECT_EQ(Codes(Path("cancelled.trn")), after) << "Cancel put the page back";
}

// The snap points of the first object of a saved page; empty when it has none.
std::vector<std::pair<int, int>> SnapPoints(const std::string& path, int* nextId)
{
    std::vector<std::pair<int, int>> points;
    CMyView reader;
    if (!e2e::ReadSavedPage(path, reader) || reader.GetObjects().GetSize() == 0)
        return points;
    const CAnchorFmt* list = reader.GetObjectAtIndex(0)->GetSnapPointList(FALSE);
    if (!list)
        return points;
    *nextId = list->m_nextId;
    for (INT_PTR i = 0; i < list->GetSize(); ++i)
        points.emplace_back(list->GetAnchor(i)->m_id, list->GetAnchor(i)->m_xOffset);
    return points;
}

// A plain border (the Rectangle tool's boxes have fixed points) keeps its snap points in its
// record; a file holds one at (10, 20, 110, 80) with the four side middles. The Anchor Snaps row
// of the docked Properties pane (at 870, 430 of the main window, as the pane lays out a
// border's rows) opens the dialog, whose list has the focus: three tabs reach Add, and going
// back from the list to dX passes the seven fields after it.
TEST_F(ListEditorsRoadTest, SnapPointsOfABorderAreEditedFromTheProperties)
{
    const Bytes border = Concat({BorderGenHead("Border1"), EarlierSnapList(), BorderGenTail()});
    const Bytes file = Concat({FrameRecord(), PageRecord(1, Concat({Dword(0), NewClass("CBorderOb"), border,
                                                                     PageObject(NewClass("CHyperViewOb"))}))});
    std::ofstream(Path("border.trn"), std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    std::string toDx;
    for (int i = 0; i < 10; ++i)
        toDx += "key shift+tab\n";
    const std::string script = "wait 300\nfile " + Path("border.trn") + "\nmenu 57601\nwait 400\n" +
                               "click view 60 50\nmenu 60416\nwait 400\n" + Save("before.trn") +
                               "click main 870 430\nwait 300\nkey tab\nkey tab\nkey tab\nkey space\nwait 100\n" +
                               toDx + "type 25\nkey return\nwait 300\n" + Save("snapped.trn") + "quit\n";
    e2e::Run run = e2e::RunVantrel(script, home);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(run.log.find("error"), std::string::npos) << run.log;

    int nextBefore = -1, nextAfter = -1;
    const std::vector<std::pair<int, int>> before = SnapPoints(Path("before.trn"), &nextBefore);
    const std::vector<std::pair<int, int>> after = SnapPoints(Path("snapped.trn"), &nextAfter);
    ASSERT_EQ(after.size(), before.size() + 1) << run.log;
    for (size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(after[i], before[i]);
    EXPECT_EQ(after.back(), std::make_pair(nextBefore, 25)) << "the new point took the next number and the offset";
    EXPECT_EQ(nextAfter, nextBefore + 1);
}

} // namespace
