// The mouse on a multiple selection: Shift-clicks add and take away, a Ctrl-click makes a member
// primary, a Ctrl-drag leaves copies, a drag on a selected group's handle scales the group, and
// free rotation turns the object under its handles.
#include "EditCommandFixture.h"

#include "objects/GroupInfo.h"
#include "platform/ole/Clipboard.h"
#include "platform/ui/TestHook.h"

namespace {

class PickTest : public EditCommandTest {
protected:
    void SetUp() override
    {
        EditCommandTest::SetUp();
        Add("A", CRect(100, 100, 150, 140));
        Add("B", CRect(200, 100, 250, 140));
        Add("C", CRect(300, 100, 350, 140));
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        CloseClipboard();
    }

    // The mouse messages carry the keys held, as the window system sends them.
    void WithKeys(UINT keys, POINT from, POINT to)
    {
        Post(WM_LBUTTONDOWN, from, MK_LBUTTON | keys);
        for (int i = 1; i <= 4; ++i)
            Post(WM_MOUSEMOVE, {from.x + (to.x - from.x) * i / 4, from.y + (to.y - from.y) * i / 4}, MK_LBUTTON | keys);
        Post(WM_LBUTTONUP, to, keys);
        Pump();
    }

    std::string Selection() const
    {
        std::string names;
        for (INT_PTR i = 0; i < view->GetSelection().GetSize(); ++i)
            names += static_cast<LPCTSTR>(static_cast<CHyperOb*>(view->GetSelection()[i])->GetCode());
        return names;
    }

    std::string CurrentName() const
    {
        return view->GetCurrentObject() ? static_cast<LPCTSTR>(view->GetCurrentObject()->GetCode()) : "";
    }
};

TEST_F(PickTest, ShiftClicksAddAndTakeAwayObjects)
{
    struct Step {
        POINT at;
        const char* selection;
        const char* current;
    };
    const Step steps[] = {
        {{220, 120}, "AB", "A"}, {{320, 120}, "ABC", "A"}, {{220, 120}, "AC", "A"},
        {{120, 120}, "", "C"},   // the current one leaves: the other is all that is left
    };
    Click({120, 120});
    for (const Step& step : steps) {
        WithKeys(MK_SHIFT, step.at, step.at);
        EXPECT_EQ(Selection(), step.selection) << step.at.x;
        EXPECT_EQ(CurrentName(), step.current) << step.at.x;
    }
    EXPECT_EQ(view->GetUndoCount(), 0);
}

TEST_F(PickTest, ACtrlClickMakesAMemberPrimary)
{
    Select({"A", "B", "C"});
    WithKeys(MK_CONTROL, {320, 120}, {320, 120});
    EXPECT_EQ(CurrentName(), "C");
    EXPECT_EQ(Selection().front(), 'C');
    EXPECT_EQ(Selection().size(), 3u);
}

TEST_F(PickTest, ACtrlDragLeavesCopiesAndTheClipboardAlone)
{
    Select({"A", "B"});
    WithKeys(MK_CONTROL, {120, 120}, {120, 220});
    ASSERT_EQ(ObjectCount(), 5);
    EXPECT_EQ(RectOf("A"), CRect(100, 100, 150, 140));
    EXPECT_EQ(RectOf("B"), CRect(200, 100, 250, 140));
    EXPECT_EQ(RectOf(0), CRect(200, 200, 250, 240));
    EXPECT_EQ(RectOf(1), CRect(100, 200, 150, 240));
    EXPECT_FALSE(IsClipboardFormatAvailable(CHyperView::GetPrivateFormat()));
    EXPECT_EQ(view->GetUndoCount(), 1);
}

TEST_F(PickTest, DraggingAHandleOfASelectedGroupScalesIt)
{
    Select({"A", "B"});
    view->GroupSelection();
    // The group frame runs from (100, 100) to (250, 140); its bottom-right handle doubles it.
    Drag({250, 140}, {400, 180});
    EXPECT_EQ(RectOf("A"), CRect(100, 100, 200, 180));
    EXPECT_EQ(RectOf("B"), CRect(300, 100, 400, 180));
    EXPECT_EQ(Named("A")->GetOwnGroupInfo()->m_rect, CRect(100, 100, 400, 180));
}

TEST_F(PickTest, FreeRotationTurnsTheObjectAndEndsOnAClickBesideIt)
{
    Select({"A"});
    ASSERT_TRUE(Run(60548));
    EXPECT_TRUE(Checked(60548));
    // From the top-right corner a quarter turn about the centre (125, 120).
    Drag({150, 100}, {145, 145}, 8);
    EXPECT_NE(Named("A")->GetRotateAngle(), 0.0);
    EXPECT_EQ(view->GetUndoCount(), 1);
    view->Undo();
    EXPECT_EQ(Named("A")->GetRotateAngle(), 0.0);

    Select({"A"});
    Click({500, 400});
    EXPECT_FALSE(Checked(60548));
    EXPECT_EQ(CurrentName(), "A") << "the click only ends the mode";
}

} // namespace
