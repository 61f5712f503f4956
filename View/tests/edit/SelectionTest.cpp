// Selecting with the mouse: what a click, a right click and a rubber band select, how the
// selection array and the current index describe it, and the private messages that pick and
// delete objects.
#include "EditViewFixture.h"

#include "objects/HyperTracker.h"
#include "objects/kinds/BorderGen.h"

namespace {

class SelectionTest : public EditViewTest {
protected:
    void SetUp() override
    {
        EditViewTest::SetUp();
        // Index 0 is on top: the small one overlaps the big one's corner.
        big = AddBorder(CRect(100, 100, 300, 250));
        small = AddBorder(CRect(250, 200, 350, 300));
        Pump();
    }

    std::vector<int> Selected() const
    {
        std::vector<int> indexes;
        for (int i = 0; i < ObjectCount(); ++i)
            if (Object(i)->IsSelected())
                indexes.push_back(i);
        return indexes;
    }

    CHyperOb* big = nullptr;
    CHyperOb* small = nullptr;
};

TEST_F(SelectionTest, ClicksSelectTheTopObjectUnderThePoint)
{
    struct Case {
        POINT at;
        int current;
        std::vector<int> selected;
    };
    const Case cases[] = {
        {{150, 150}, 1, {1}},
        {{270, 220}, 0, {0}},
        {{330, 290}, 0, {0}},
        {{500, 450}, -1, {}},
    };
    for (const Case& c : cases) {
        view->ClearSelection(FALSE);
        Click(c.at);
        EXPECT_EQ(view->GetCurrentIndex(), c.current) << c.at.x << "," << c.at.y;
        EXPECT_EQ(Selected(), c.selected) << c.at.x << "," << c.at.y;
        EXPECT_EQ(view->GetSelection().GetSize(), 0) << "one object is the current index alone";
    }
    EXPECT_EQ(view->GetUndoCount(), 0);
}

TEST_F(SelectionTest, DraggingTheSelectedObjectMovesItWithOneStep)
{
    Click({150, 150});
    ASSERT_EQ(view->GetCurrentObject(), big);
    Drag({150, 150}, {190, 170});
    EXPECT_EQ(RectOf(1), CRect(140, 120, 340, 270));
    EXPECT_EQ(view->GetUndoCount(), 1);
    view->Undo();
    EXPECT_EQ(RectOf(1), CRect(100, 100, 300, 250));
}

TEST_F(SelectionTest, ARubberBandFillsTheSelectionArrayWithEveryEnclosedObject)
{
    view->ClearSelection(FALSE);
    Drag({50, 50}, {400, 400});
    EXPECT_EQ(view->GetSelection().GetSize(), 2);
    EXPECT_EQ(Selected(), (std::vector<int>{0, 1}));
    EXPECT_GE(view->GetCurrentIndex(), 0);
}

TEST_F(SelectionTest, DraggingAMemberMovesTheWholeSelectionWithOneStep)
{
    Drag({50, 50}, {400, 400});
    ASSERT_EQ(view->GetSelection().GetSize(), 2);
    const int steps = view->GetUndoCount();
    Drag({150, 150}, {170, 190});
    EXPECT_EQ(RectOf(1), CRect(120, 140, 320, 290));
    EXPECT_EQ(RectOf(0), CRect(270, 240, 370, 340));
    EXPECT_EQ(view->GetUndoCount(), steps + 1);
    EXPECT_EQ(view->GetSelection().GetSize(), 2);
    view->Undo();
    EXPECT_EQ(RectOf(1), CRect(100, 100, 300, 250));
    EXPECT_EQ(RectOf(0), CRect(250, 200, 350, 300));
}

TEST_F(SelectionTest, RightClicksKeepAMultipleSelectionAndPassOverLockedObjects)
{
    Drag({50, 50}, {400, 400});
    ASSERT_EQ(view->GetSelection().GetSize(), 2);
    RightClick({270, 220});
    EXPECT_EQ(view->GetSelection().GetSize(), 2) << "a right click on a member keeps the selection";

    view->ClearSelection(FALSE);
    small->DfltIsLocked = TRUE;
    RightClick({270, 220});
    EXPECT_EQ(view->GetCurrentObject(), big) << "the locked object on top is passed over";
    EXPECT_EQ(view->GetSelection().GetSize(), 0);

    RightClick({500, 450});
    EXPECT_EQ(view->GetCurrentIndex(), -1);
}

TEST_F(SelectionTest, PickMessageSelectsOnlyValidIndexes)
{
    view->SendMessage(0x8103, 0, 1);
    EXPECT_EQ(view->GetCurrentObject(), big);
    view->SendMessage(0x8103, 0, 7);
    EXPECT_EQ(view->GetCurrentIndex(), -1);
    EXPECT_TRUE(Selected().empty());
}

TEST_F(SelectionTest, DeleteMessageDeletesOnlyObjectsOfThisPage)
{
    CBorderGen stranger;
    view->SendMessage(0x8216, 0, reinterpret_cast<LPARAM>(&stranger));
    view->SendMessage(0x8216, 0, 12345);
    EXPECT_EQ(ObjectCount(), 2);

    Click({150, 150});
    view->SendMessage(0x8216, 0, reinterpret_cast<LPARAM>(big));
    ASSERT_EQ(ObjectCount(), 1);
    EXPECT_EQ(Object(0), small);
    EXPECT_EQ(view->GetCurrentIndex(), -1);
}

TEST_F(SelectionTest, TheDeleteCommandRemovesTheSelectionAndKeepsObjectsThatRefuse)
{
    Drag({50, 50}, {400, 400});
    small->DfltCanDelete = FALSE;
    view->SendMessage(WM_COMMAND, CHyperView::CmdDelete);
    ASSERT_EQ(ObjectCount(), 1);
    EXPECT_EQ(Object(0), small);
    EXPECT_EQ(view->GetCurrentObject(), small);
    EXPECT_EQ(view->GetUndoCount(), 1);

    view->SendMessage(WM_COMMAND, CHyperView::CmdDelete);
    EXPECT_EQ(ObjectCount(), 1);
    EXPECT_EQ(view->GetUndoCount(), 1) << "a delete that removed nothing keeps no step";
}

} // namespace
