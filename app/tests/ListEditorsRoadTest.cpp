// The list editors in the real program: the "Objects..." command reorders and renames the
// page's objects (Cancel puts them back), and a rectangle's snap points are edited from the
// Properties pane. What the program saved is read back with its own reader.
#include "app/tests/E2E.h"
#include "app/tests/RoadTest.h"
#include "app/tests/SavedPage.h"

#include "View/MyView.h"
#include "objects/AnchorFmt.h"
#include "objects/HyperOb.h"

#include <gtest/gtest.h>

#include <string>
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

} // namespace
