// The arrangement commands over a small page: the rectangles, stacking order and groups they
// leave, when their menu entries are enabled, and the one undo step that puts the page back.
#include "EditCommandFixture.h"

#include "objects/GroupInfo.h"
#include "objects/HyperViewOb.h"
#include "objects/kinds/LineGen.h"
#include "objects/kinds/PolyLineGen.h"
#include "platform/ui/TestHook.h"

namespace {

class ArrangeTest : public EditCommandTest {
protected:
    void SetUp() override
    {
        EditCommandTest::SetUp();
        // C on top, A at the bottom; A is the reference when it is current.
        Add("A", CRect(100, 100, 150, 140));
        Add("B", CRect(20, 30, 60, 50));
        Add("C", CRect(200, 210, 260, 280));
    }
};

TEST_F(ArrangeTest, AlignAndSameSizeFollowTheCurrentObject)
{
    struct Case {
        UINT command;
        CRect b;
        CRect c;
    };
    const Case cases[] = {
        {60417, {100, 30, 140, 50}, {100, 210, 160, 280}},   // Left
        {60418, {110, 30, 150, 50}, {90, 210, 150, 280}},    // Right
        {60419, {20, 100, 60, 120}, {200, 100, 260, 170}},   // Top
        {60420, {20, 120, 60, 140}, {200, 70, 260, 140}},    // Bottom
        {60425, {20, 110, 60, 130}, {200, 85, 260, 155}},    // one horizontal centre line
        {60426, {105, 30, 145, 50}, {95, 210, 155, 280}},    // one vertical centre line
        {60429, {20, 30, 70, 70}, {200, 210, 250, 250}},     // same size
        {28570, {20, 30, 70, 70}, {200, 210, 250, 250}},     // same size, the tool bar's
        {60428, {20, 30, 60, 70}, {200, 210, 260, 250}},     // same height
        {60427, {20, 30, 70, 50}, {200, 210, 250, 280}},     // same width
    };
    for (const Case& c : cases) {
        Select({"A", "B", "C"});
        const std::vector<BYTE> before = PageBytes();
        ASSERT_TRUE(Run(c.command)) << c.command;
        EXPECT_EQ(RectOf("A"), CRect(100, 100, 150, 140)) << c.command << ": the reference stays";
        EXPECT_EQ(RectOf("B"), c.b) << c.command;
        EXPECT_EQ(RectOf("C"), c.c) << c.command;
        view->Undo();
        EXPECT_EQ(PageBytes(), before) << c.command << ": one step restores the page";
    }
}

TEST_F(ArrangeTest, AGroupAlignsAndScalesAsOneBlock)
{
    Add("D", CRect(300, 300, 340, 320));
    Select({"C", "D"});
    ASSERT_TRUE(Run(60565));
    // The group's rectangle is (200, 210, 340, 320).
    Select({"A", "C", "D"});
    ASSERT_TRUE(Run(60417));
    EXPECT_EQ(RectOf("C"), CRect(100, 210, 160, 280));
    EXPECT_EQ(RectOf("D"), CRect(200, 300, 240, 320));
    view->Undo();

    Select({"A", "C", "D"});
    ASSERT_TRUE(Run(60429));
    // 140 x 110 scaled onto 50 x 40 from the group's top-left corner.
    EXPECT_EQ(RectOf("C"), CRect(200, 210, 221, 235));
    EXPECT_EQ(RectOf("D"), CRect(236, 243, 250, 250));
}

TEST_F(ArrangeTest, CentreInViewCentresTheSelectionOnTheClientArea)
{
    // A mapped page centres on the page, else on the window.
    CRect client;
    view->GetClientRect(&client);
    if (view->IsMapped())
        client.SetRect(0, 0, view->GetPageObject()->GetScrollWidth(), view->GetPageObject()->GetScrollHeight());
    Select({"B", "A"});
    ASSERT_TRUE(Run(60423));
    // The selection spans 20..150 across: 130 wide.
    EXPECT_EQ(RectOf("B").left, (client.Width() - 130) / 2);
    EXPECT_EQ(RectOf("A").left - RectOf("B").left, 80);
    EXPECT_EQ(RectOf("B").top, 30) << "only across";
    ASSERT_TRUE(Run(60424));
    EXPECT_EQ(RectOf("B").top, (client.Height() - 110) / 2);
}

TEST_F(ArrangeTest, SpacingSharesTheGapsAndLeavesRoundingAtTheFarEnd)
{
    struct Case {
        int right;
        std::vector<LONG> lefts;
    };
    // Three objects 10 wide spread over 0..100 and 0..101: gaps of 35 either way.
    const Case cases[] = {{100, {0, 45, 90}}, {101, {0, 45, 90}}};
    for (const Case& c : cases) {
        Named("A")->SetRect(CRect(0, 100, 10, 110));
        Named("B")->SetRect(CRect(30, 120, 40, 130));
        Named("C")->SetRect(CRect(c.right - 10, 140, c.right, 150));
        Select({"B", "C", "A"});
        ASSERT_TRUE(Run(60421));
        EXPECT_EQ((std::vector<LONG>{RectOf("A").left, RectOf("B").left, RectOf("C").left}), c.lefts) << c.right;
        EXPECT_EQ(RectOf("B").top, 120) << "only across";
    }
    Select({"A", "B", "C"});
    ASSERT_TRUE(Run(60422));
    EXPECT_EQ((std::vector<LONG>{RectOf("A").top, RectOf("B").top, RectOf("C").top}), (std::vector<LONG>{100, 120, 140}));
}

TEST_F(ArrangeTest, SpacingNeedsThreeUngroupedObjects)
{
    Select({"A", "B"});
    EXPECT_FALSE(Enabled(60421));
    Select({"A", "B", "C"});
    EXPECT_TRUE(Enabled(60422));
    Named("B")->GroupID = 4;
    EXPECT_FALSE(Enabled(60421));
    EXPECT_FALSE(Enabled(60422));
}

TEST_F(ArrangeTest, StackingOrderKeepsStayInFrontObjectsOnTop)
{
    Add("F", CRect(400, 10, 420, 30))->m_stayInFront = TRUE;
    ASSERT_EQ(Order(), "FCBA");
    struct Case {
        std::initializer_list<const char*> selection;
        UINT command;
        const char* order;
    };
    const Case cases[] = {
        {{"A"}, CHyperView::CmdToFront, "FACB"},
        {{"A", "B"}, CHyperView::CmdToFront, "FBAC"},
        {{"C"}, CHyperView::CmdToBack, "FBAC"},
        {{"F"}, CHyperView::CmdToBack, "FCBA"},
        {{"B"}, CHyperView::CmdForward, "FBCA"},
        {{"C"}, CHyperView::CmdForward, "FCBA"},
        {{"A"}, CHyperView::CmdBackward, "FCBA"},
        {{"B", "A"}, CHyperView::CmdForward, "FBAC"},
        {{"C", "B"}, CHyperView::CmdForward, "FCBA"},
        {{"C", "B"}, CHyperView::CmdBackward, "FACB"},
        {{"B", "A"}, CHyperView::CmdBackward, "FCBA"},
    };
    for (const Case& c : cases) {
        // Undo restores copies; the flag belongs to the kind, so the test sets it again.
        Named("F")->m_stayInFront = TRUE;
        Select(c.selection);
        CHyperOb* current = view->GetCurrentObject();
        ASSERT_TRUE(Run(c.command));
        EXPECT_EQ(Order(), c.order) << *c.selection.begin() << " " << c.command;
        EXPECT_EQ(view->GetCurrentObject(), current) << "the current object stays current";
        view->Undo();
        EXPECT_EQ(Order(), "FCBA");
    }
}

TEST_F(ArrangeTest, GroupUngroupAndRegroupKeepTheSameMembers)
{
    Select({"A", "B"});
    EXPECT_TRUE(Enabled(60565));
    EXPECT_FALSE(Enabled(60566));
    ASSERT_TRUE(Run(60565));
    const int id = Named("A")->GroupID;
    EXPECT_GE(id, 0);
    EXPECT_EQ(Named("B")->GroupID, id);
    CGroupInfo* record = Named("A")->GetOwnGroupInfo();
    ASSERT_NE(record, nullptr) << "the first member holds the group";
    EXPECT_EQ(record->m_rect, CRect(20, 30, 150, 140));
    EXPECT_EQ(record->Code, CString("Group") + CString(std::to_string(id).c_str()));
    EXPECT_FALSE(Enabled(60565)) << "already one group";
    EXPECT_TRUE(Enabled(60566));

    ASSERT_TRUE(Run(60566));
    EXPECT_EQ(Named("A")->GroupID, -1);
    EXPECT_EQ(Named("B")->GroupID, -1);
    EXPECT_EQ(Named("A")->GetOwnGroupInfo(), nullptr);
    view->ClearSelection(FALSE);
    EXPECT_TRUE(Enabled(60567));

    ASSERT_TRUE(Run(60567));
    EXPECT_GE(Named("A")->GroupID, 0);
    EXPECT_EQ(Named("B")->GroupID, Named("A")->GroupID);
    EXPECT_EQ(Named("C")->GroupID, -1);
    ASSERT_NE(Named("A")->GetOwnGroupInfo(), nullptr);
    EXPECT_EQ(Named("A")->GetOwnGroupInfo(), record) << "the group comes back with its record";
    EXPECT_FALSE(Enabled(60567));
    EXPECT_EQ(view->GetSelection().GetSize(), 2);

    const int steps = view->GetUndoCount();
    view->Undo();
    EXPECT_EQ(view->GetUndoCount(), steps - 1) << "Regroup is one step";
    EXPECT_EQ(Named("A")->GroupID, -1);
}

TEST_F(ArrangeTest, DeletingAGroupWithEverythingSelectedTakesEveryObjectInOneStep)
{
    Select({"A", "B"});
    ASSERT_TRUE(Run(60565));
    const std::vector<BYTE> before = PageBytes();
    ASSERT_TRUE(Run(CHyperView::CmdSelectAll));
    ASSERT_TRUE(Run(CHyperView::CmdDelete));
    for (const char* name : {"A", "B", "C"})
        EXPECT_EQ(Named(name), nullptr) << name;
    EXPECT_EQ(view->GetSelection().GetSize(), 0);
    view->Undo();
    EXPECT_EQ(PageBytes(), before);
}

TEST_F(ArrangeTest, TheGroupToggleGroupsOrUngroups)
{
    Select({"A", "B"});
    ASSERT_TRUE(Run(28572));
    EXPECT_GE(Named("A")->GroupID, 0);
    ASSERT_TRUE(Run(28572));
    EXPECT_EQ(Named("A")->GroupID, -1);
}

TEST_F(ArrangeTest, ASymbolGroupCannotBeUngrouped)
{
    Select({"A", "B"});
    ASSERT_TRUE(Run(60565));
    Named("A")->GetOwnGroupInfo()->Symbol = 1;
    EXPECT_FALSE(Enabled(60566));
    EXPECT_FALSE(Enabled(28572));
}

TEST_F(ArrangeTest, SelectAllSkipsLockedObjectsAndIsOffWhenAllAreSelected)
{
    Named("B")->DfltIsLocked = TRUE;
    ASSERT_TRUE(Run(CHyperView::CmdSelectAll));
    EXPECT_EQ(view->GetSelection().GetSize(), 2);
    EXPECT_FALSE(Named("B")->IsSelected());
    EXPECT_EQ(view->GetCurrentObject(), Named("C")) << "the top object first";
    Named("B")->DfltIsLocked = FALSE;
    ASSERT_TRUE(Run(CHyperView::CmdSelectAll));
    EXPECT_EQ(view->GetSelection().GetSize(), 3);
    EXPECT_FALSE(Enabled(CHyperView::CmdSelectAll));
}

TEST_F(ArrangeTest, ZoomEntriesStopAtTheEndsOfTheZoomTable)
{
    EXPECT_FALSE(Enabled(60564)) << "already 1:1";
    view->SetZoom(view->GetMaxZoom());
    EXPECT_FALSE(Enabled(60561));
    EXPECT_TRUE(Enabled(60562));
    view->SetZoom(view->GetFirstZoom());
    EXPECT_FALSE(Enabled(60562));
}

TEST_F(ArrangeTest, EditPointsAndOpenCloseWorkOnOnePointList)
{
    auto* figure = new CPolyLineGen;
    figure->Init(view, nullptr, FALSE);
    const POINT square[] = {{300, 300}, {360, 300}, {360, 360}, {300, 360}, {300, 300}};
    figure->SetPoints(square, 5);
    ASSERT_TRUE(view->AddObject(figure, FALSE, TRUE));
    figure->Code = "P";
    view->MapObjectName("P", figure);

    Select({"A"});
    EXPECT_FALSE(Enabled(60597)) << "a border has no points to edit";
    Select({"P", "A"});
    EXPECT_FALSE(Enabled(60597)) << "only a single selection";
    Select({"P"});
    ASSERT_TRUE(Run(60597));
    EXPECT_TRUE(Checked(60597));
    EXPECT_FALSE(Checked(60598));
    ASSERT_TRUE(Run(60598));
    EXPECT_FALSE(figure->IsClosed());
    EXPECT_TRUE(Checked(60598));
    ASSERT_TRUE(Run(60598));
    EXPECT_TRUE(figure->IsClosed());
    ASSERT_TRUE(Run(60597));
    EXPECT_FALSE(Checked(60597));
}

TEST_F(ArrangeTest, EditPointsOnATurnedFigureEditsThePointsAsTheyShow)
{
    auto* figure = new CPolyLineGen;
    figure->Init(view, nullptr, FALSE);
    const POINT open[] = {{300, 300}, {400, 300}, {400, 340}};
    figure->SetPoints(open, 3);
    ASSERT_TRUE(view->AddObject(figure, FALSE, TRUE));
    figure->Code = "P";
    view->MapObjectName("P", figure);
    Select({"P"});
    ASSERT_TRUE(Run(60558));
    ASSERT_NE(figure->GetRotateAngle(), 0.0);
    std::vector<CPoint> shown;
    for (int i = 0; i < 3; ++i)
        shown.push_back(figure->GetRotatedPoint(i));

    ASSERT_TRUE(Run(60597));
    EXPECT_EQ(figure->GetRotateAngle(), 0.0);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(figure->GetPoint(i), shown[static_cast<size_t>(i)]) << i;
}

TEST_F(ArrangeTest, GroupJoinsLinesThatChainIntoOnePolylineInOneUndoStep)
{
    auto addLine = [this](const char* name, CPoint from, CPoint to) {
        auto* line = new CLineGen;
        line->Init(view, nullptr, FALSE);
        line->SetEndPoints(to.x, to.y, from.x, from.y);
        EXPECT_TRUE(view->AddObject(line, FALSE, TRUE));
        line->Code = name;
        view->MapObjectName(name, line);
    };
    addLine("L", {300, 300}, {400, 300});
    addLine("M", {400, 300}, {400, 380});
    const std::vector<BYTE> lines = PageBytes();
    const int count = ObjectCount();

    Select({"L", "M"});
    ASSERT_TRUE(Run(60565));
    ASSERT_EQ(ObjectCount(), count - 1);
    auto* joined = dynamic_cast<CPolyLineGen*>(view->GetCurrentObject());
    ASSERT_NE(joined, nullptr);
    EXPECT_EQ(joined->GetNumberOfPoints(), 3);
    EXPECT_EQ(joined->GetPoint(0), CPoint(300, 300));
    EXPECT_EQ(joined->GetPoint(2), CPoint(400, 380));
    EXPECT_EQ(Named("L"), nullptr);
    const std::vector<BYTE> polyline = PageBytes();
    view->Undo();
    EXPECT_EQ(PageBytes(), lines);
    view->Redo();
    EXPECT_EQ(PageBytes(), polyline);
    view->Undo();

    // Objects that are not lines, or lines with Ctrl held, are grouped as they are.
    for (const bool ctrl : {false, true}) {
        ctrl ? Select({"L", "M"}) : Select({"L", "A"});
        if (ctrl)
            UiTestHook::KeyDown(VK_CONTROL);
        Pump();
        ASSERT_TRUE(Run(60565));
        UiTestHook::KeyUp(VK_CONTROL);
        Pump();
        EXPECT_EQ(ObjectCount(), count);
        EXPECT_GE(view->GetCurrentObject()->GroupID, 0);
        view->Undo();
    }
}

TEST_F(ArrangeTest, SnapPointsToggleAndTick)
{
    const BOOL shown = Checked(60443);
    ASSERT_TRUE(Run(60443));
    EXPECT_NE(Checked(60443), shown);
    ASSERT_TRUE(Run(60443));
    EXPECT_EQ(Checked(60443), shown);
}

} // namespace
