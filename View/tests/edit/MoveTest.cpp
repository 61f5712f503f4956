// Moving with the keys within the page and on the grid, Tab and arrow navigation, scaling a set
// of objects, and turning objects and groups.
#include "EditCommandFixture.h"

#include "objects/GroupInfo.h"
#include "objects/ViewSettings.h"
#include "platform/ui/TestHook.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

class MoveTest : public EditCommandTest {
protected:
    void TearDown() override
    {
        Release();
        GetViewSettings().m_trackingFlag = 0;
        EditCommandTest::TearDown();
    }

    // Holds the modifier keys of a bit set: 1 Ctrl, 2 Shift.
    void Hold(int modifiers)
    {
        Release();
        if (modifiers & 1)
            UiTestHook::KeyDown(VK_CONTROL);
        if (modifiers & 2)
            UiTestHook::KeyDown(VK_SHIFT);
        held = modifiers;
        Pump();
    }

    void Release()
    {
        if (held & 1)
            UiTestHook::KeyUp(VK_CONTROL);
        if (held & 2)
            UiTestHook::KeyUp(VK_SHIFT);
        held = 0;
        Pump();
    }

    int held = 0;
};

TEST_F(MoveTest, ArrowKeysMoveAndResizeByUnitsOrGridSteps)
{
    struct Case {
        const char* name;
        int modifiers;
        UINT key;
        CRect from;
        CRect to;
    };
    const Case cases[] = {
        {"Right 3", 0, VK_RIGHT, {100, 100, 150, 140}, {103, 100, 153, 140}},
        {"Ctrl+Right 3", 1, VK_RIGHT, {100, 100, 150, 140}, {130, 100, 180, 140}},
        {"Shift+Right 3", 2, VK_RIGHT, {100, 100, 150, 140}, {100, 100, 153, 140}},
        {"Shift+Ctrl+Down 3", 3, VK_DOWN, {100, 100, 150, 140}, {100, 100, 150, 170}},
        {"Up 3", 0, VK_UP, {100, 100, 150, 140}, {100, 97, 150, 137}},
        {"Left at the page edge", 0, VK_LEFT, {10, 100, 60, 140}, {10, 100, 60, 140}},
        // One beyond the edge may move back; the page takes it in.
        {"Right from beyond the edge", 0, VK_RIGHT, {2, 100, 52, 140}, {10, 100, 60, 140}},
        // A border is at least 3 wide.
        {"Shift+Left below the least width", 2, VK_LEFT, {100, 100, 104, 140}, {100, 100, 104, 140}},
    };
    CHyperOb* object = Add("A", CRect(100, 100, 150, 140));
    for (const Case& c : cases) {
        object->SetRect(c.from);
        Select({"A"});
        Hold(c.modifiers);
        view->HandleKeyDown(c.key, 3);
        EXPECT_EQ(RectOf("A"), c.to) << c.name;
    }
}

TEST_F(MoveTest, SnapToCentreTurnsShiftArrowsIntoWholeGridSteps)
{
    view->m_pageFlags = CHyperView::FlagShowGrid | CHyperView::FlagSnapGrid | CHyperView::FlagSnapCenter;
    Add("A", CRect(100, 100, 150, 140));
    Select({"A"});
    Hold(2);
    view->HandleKeyDown(VK_RIGHT, 1);
    EXPECT_EQ(RectOf("A"), CRect(110, 100, 160, 140));
}

TEST_F(MoveTest, ASelectionMovesTogetherButDoesNotResize)
{
    Add("A", CRect(100, 100, 150, 140));
    Add("B", CRect(200, 100, 250, 140));
    Select({"A", "B"});
    EXPECT_TRUE(view->HandleKeyDown(VK_DOWN, 2));
    EXPECT_EQ(RectOf("A"), CRect(100, 102, 150, 142));
    EXPECT_EQ(RectOf("B"), CRect(200, 102, 250, 142));
    Hold(2);
    EXPECT_FALSE(view->HandleKeyDown(VK_RIGHT, 2));
    EXPECT_EQ(RectOf("B"), CRect(200, 102, 250, 142));
}

TEST_F(MoveTest, QuickNudgesFormOneUndoStep)
{
    Add("A", CRect(100, 100, 150, 140));
    Select({"A"});
    for (int i = 0; i < 3; ++i)
        view->HandleKeyDown(VK_RIGHT, 1);
    EXPECT_EQ(RectOf("A"), CRect(103, 100, 153, 140));
    EXPECT_EQ(view->GetUndoCount(), 1);
    view->Undo();
    EXPECT_EQ(RectOf("A"), CRect(100, 100, 150, 140));
}

TEST_F(MoveTest, TabWalksUpTheStackingOrderAndSkipsLockedObjects)
{
    Add("A", CRect(10, 10, 30, 30));
    Add("B", CRect(40, 10, 60, 30))->DfltIsLocked = TRUE;
    Add("C", CRect(70, 10, 90, 30));
    // C is on top, A at the bottom: Tab starts at the bottom.
    std::string visited;
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(view->HandleKeyDown(VK_TAB, 1));
        visited += static_cast<LPCTSTR>(view->GetCurrentObject()->GetCode());
    }
    EXPECT_EQ(visited, "ACA");
    Hold(2);
    view->HandleKeyDown(VK_TAB, 1);
    EXPECT_EQ(view->GetCurrentObject(), Named("C"));
}

TEST_F(MoveTest, TabLeavesNoCurrentObjectWhenAllAreSelectedOrLocked)
{
    Add("A", CRect(10, 10, 30, 30));
    Add("B", CRect(40, 10, 60, 30))->DfltIsLocked = TRUE;
    Select({"A"});
    view->HandleKeyDown(VK_TAB, 1);
    EXPECT_EQ(view->GetCurrentIndex(), -1);
}

TEST(DirectionTest, ObjectsWithinFortyFiveDegreesLieInThatDirection)
{
    struct Case {
        UINT key;
        CRect to;
        BOOL inDirection;
        int distance;
    };
    const CRect from(100, 100, 150, 150);
    const Case cases[] = {
        {VK_UP, {110, 20, 140, 40}, TRUE, 110},
        {VK_UP, {60, 0, 90, 50}, TRUE, 100},   // 50 up, 40 aside
        {VK_UP, {0, 0, 40, 40}, FALSE, 110},   // 60 up, 100 aside
        {VK_UP, {110, 160, 140, 180}, FALSE, -30},
        {VK_DOWN, {120, 200, 130, 220}, TRUE, 100},
        {VK_LEFT, {0, 120, 40, 130}, TRUE, 110},
        {VK_RIGHT, {200, 120, 240, 130}, TRUE, 100},
        {VK_RIGHT, {0, 120, 40, 130}, FALSE, -100},
    };
    for (const Case& c : cases) {
        int distance = 0;
        EXPECT_EQ(CHyperView::IsInDirection(from, c.to, c.key, &distance), c.inDirection) << c.key << " " << c.to.left;
        EXPECT_EQ(distance, c.distance) << c.key << " " << c.to.left;
    }
}

TEST_F(MoveTest, WithTheTrackingFlagArrowsSelectTheNearestObjectOnTop)
{
    Add("A", CRect(100, 100, 150, 150));
    Add("B", CRect(100, 20, 150, 40));
    Add("C", CRect(100, 20, 150, 40));
    Add("D", CRect(100, 60, 150, 80));
    GetViewSettings().m_trackingFlag = 1;
    Select({"A"});
    view->HandleKeyDown(VK_UP, 1);
    EXPECT_EQ(view->GetCurrentObject(), Named("D"));
    view->HandleKeyDown(VK_UP, 1);
    EXPECT_EQ(view->GetCurrentObject(), Named("C")) << "of two equally near, the one on top";
    EXPECT_EQ(RectOf("C"), CRect(100, 20, 150, 40)) << "nothing moved";
}

TEST_F(MoveTest, ScalingMapsEveryEdgeOntoTheNewFrame)
{
    struct Case {
        CRect oldFrame;
        CRect newFrame;
        CRect object;
        CRect scaled;
    };
    const Case cases[] = {
        {{0, 0, 100, 100}, {0, 0, 200, 50}, {10, 10, 50, 50}, {20, 5, 100, 25}},
        {{0, 0, 100, 100}, {50, 50, 100, 100}, {0, 0, 100, 100}, {50, 50, 100, 100}},
        // A frame without width keeps the horizontal scale.
        {{10, 0, 10, 100}, {10, 0, 10, 200}, {10, 10, 30, 50}, {10, 20, 30, 100}},
    };
    CHyperOb* object = Add("A", CRect(0, 0, 20, 20));
    for (const Case& c : cases) {
        object->SetRect(c.object);
        CObArray objects;
        objects.Add(object);
        view->ScaleObjects(objects, c.oldFrame, c.newFrame, FALSE);
        EXPECT_EQ(RectOf("A"), c.scaled) << c.newFrame.right;
    }
}

TEST_F(MoveTest, TurningByADeltaStaysWithinHalfATurn)
{
    struct Case {
        double start;
        double delta;
        double result;
    };
    const Case cases[] = {{170.0, 20.0, -170.0}, {-170.0, -20.0, 170.0}, {10.0, 90.0, 100.0}};
    CHyperOb* object = Add("A", CRect(100, 100, 150, 140));
    for (const Case& c : cases) {
        object->SetRotateAngle(c.start);
        Select({"A"});
        view->RotateSelectionTo(0.0, c.delta);
        EXPECT_DOUBLE_EQ(object->GetRotateAngle(), c.result) << c.start << " " << c.delta;
    }
    view->RotateSelectionTo(30.0, 0.0);
    EXPECT_DOUBLE_EQ(object->GetRotateAngle(), 30.0);
}

TEST_F(MoveTest, TheRotationMessageCarriesAnAngleOrATurn)
{
    auto bits = [](float value) {
        std::uint32_t pattern = 0;
        std::memcpy(&pattern, &value, sizeof(pattern));
        return static_cast<LPARAM>(pattern);
    };
    struct Case {
        WPARAM turn;
        float value;
        double result;
    };
    const Case cases[] = {{0, 45.0f, 45.0}, {1, 20.0f, 65.0}, {1, std::nanf(""), 65.0}, {0, -30.0f, -30.0}};
    Add("A", CRect(100, 100, 150, 140));
    Select({"A"});
    for (const Case& c : cases) {
        view->SendMessage(0x8212, c.turn, bits(c.value));
        EXPECT_DOUBLE_EQ(Named("A")->GetRotateAngle(), c.result) << c.value;
    }
}

TEST_F(MoveTest, AGroupTurnsAboutItsCentreAsAWhole)
{
    Add("A", CRect(100, 100, 140, 120));
    Add("B", CRect(200, 100, 240, 120));
    Select({"A", "B"});
    view->GroupSelection();
    // The group spans (100, 100, 240, 120): its centre is (170, 110), A's centre 50 to its left.
    view->RotateSelectionTo(0.0, 90.0);
    const CPoint a = RectOf("A").CenterPoint();
    const CPoint b = RectOf("B").CenterPoint();
    EXPECT_EQ(a.x, 170);
    EXPECT_EQ(std::abs(a.y - 110), 50);
    EXPECT_EQ(b.x, 170);
    EXPECT_EQ(a.y - 110, 110 - b.y) << "a quarter turn about the centre";
    EXPECT_DOUBLE_EQ(Named("A")->GetRotateAngle(), 90.0);
    EXPECT_DOUBLE_EQ(Named("B")->GetRotateAngle(), 90.0);
    CRect both;
    both.UnionRect(RectOf("A"), RectOf("B"));
    EXPECT_EQ(Named("A")->GetOwnGroupInfo()->m_rect, both);
}

} // namespace
