// The Tasks pane's template list picked with the mouse: the template opens as a new document.
#include "app/tests/E2E.h"
#include "app/tests/RoadTest.h"
#include "app/tests/SavedPage.h"

#include "View/MyView.h"

#include <gtest/gtest.h>

namespace {

// The Tasks pane's template box under the virtual display's default layout, and the second row
// of its dropped list (the first shipped template), in the list's own coordinates.
constexpr const char* kTemplateBox = "805 192";
constexpr const char* kFirstTemplateRow = "40 22";

class TemplatePickRoadTest : public e2e::RoadTest {};

TEST_F(TemplatePickRoadTest, AMousePickInTheTemplateListOpensTheTemplateAsANewDocument)
{
    const e2e::Run run = Play("wait 300\nmenu 57600\nwait 300\nmenu 34043\nmenu 34043\nwait 200\nclick main " +
                              std::string(kTemplateBox) + "\nwait 300\nclick dialog " + kFirstTemplateRow +
                              "\nwait 500\n" + Save("picked.trn") + "answer 7\nquit\n");
    CMyView reader;
    ASSERT_TRUE(e2e::ReadSavedPage(Path("picked.trn"), reader)) << run.log;
    EXPECT_EQ(reader.GetObjects().GetSize(), 3) << "the meeting template's two frames and box, not the empty page";
}

} // namespace
