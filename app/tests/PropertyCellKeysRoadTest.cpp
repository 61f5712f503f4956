// Keys typed into a value cell of the Properties pane edit the cell's text: Ctrl+A selects the
// text, not every object of the page, and Delete clears it instead of deleting the object.
#include "app/tests/E2E.h"
#include "app/tests/RoadTest.h"
#include "app/tests/SavedPage.h"

#include "View/MyView.h"
#include "objects/HyperOb.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr int kNew = 57600;
constexpr int kProperties = 60416;
// The value cell of the pane's Top row while one box is selected.
constexpr const char* kTopCell = "870 247";

std::vector<CRect> SavedRects(const std::string& path)
{
    std::vector<CRect> rects;
    CMyView reader;
    if (!e2e::ReadSavedPage(path, reader))
        return rects;
    for (INT_PTR i = 0; i < reader.GetObjects().GetSize(); ++i) {
        CRect rect;
        reader.GetObjectAtIndex(i)->GetRect(&rect, nullptr);
        rects.push_back(rect);
    }
    return rects;
}

using PropertyCellKeysRoadTest = e2e::RoadTest;

TEST_F(PropertyCellKeysRoadTest, EditKeysInAValueCellEditItsTextOnly)
{
    struct Case {
        const char* name;
        const char* keys; // the caret is at the end of the cell's text, nothing selected
        LONG top;
    };
    const Case cases[] = {
        {"select all", "key ctrl+a\ntype 40\n", 40},
        {"delete", "key home\nkey shift+end\nkey delete\ntype 50\n", 50},
    };
    for (const Case& c : cases) {
        const std::string file = std::string(c.name) + ".trn";
        const e2e::Run run =
            Play("wait 300\nmenu " + std::to_string(kNew) + "\nmenu " + std::to_string(CMyView::ToolRectangle) +
                 "\ndrag view 70 70 130 130\nwait 100\nmenu " + std::to_string(CMyView::ToolRectangle) +
                 "\ndrag view 200 70 260 130\nwait 100\nclick view 100 100\nmenu " + std::to_string(kProperties) +
                 "\nwait 400\nclick main " + kTopCell + "\nwait 200\nkey end\n" + c.keys + "key return\nwait 300\n" +
                 Save(file.c_str()) + "answer 7\nquit\n");
        ASSERT_EQ(run.exitCode, 0) << c.name << run.log;
        const std::vector<CRect> rects = SavedRects(Path(file));
        ASSERT_EQ(rects.size(), 2u) << c.name << ": an object was deleted";
        // The page keeps the box drawn last first.
        EXPECT_EQ(rects[1], CRect(70, c.top, 130, 130)) << c.name;
        EXPECT_EQ(rects[0], CRect(200, 70, 260, 130)) << c.name << ": the other object changed";
    }
}

} // namespace
