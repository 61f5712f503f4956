// The undo and redo histories: depth and trimming, one-level mode, merging of like steps, what
// a new step does to the redo side, and that a step that changed nothing leaves no trace.
#include "EditViewFixture.h"

#include "objects/UndoRecord.h"
#include "objects/ViewSettings.h"
#include "objects/kinds/BorderGen.h"

namespace {

class UndoTest : public EditViewTest {
protected:
    void SetUp() override
    {
        EditViewTest::SetUp();
        CViewSettings& settings = GetViewSettings();
        savedMode = settings.m_undoStackMode;
        savedLevels = settings.m_undoLevels;
    }
    void TearDown() override
    {
        GetViewSettings().m_undoStackMode = savedMode;
        GetViewSettings().m_undoLevels = savedLevels;
        EditViewTest::TearDown();
    }

    // Inserts a rectangle with the tool, as the user does.
    void Insert(int n)
    {
        PickTool(CMyView::ToolRectangle);
        const int x = 20 + 30 * (n % 20);
        const int y = 20 + 40 * (n / 20);
        Drag({x, y}, {x + 20, y + 30});
    }

    int savedMode = 1;
    int savedLevels = 10;
};

TEST_F(UndoTest, UndoAndRedoOfAnInsertionRestoreTheObjectWithItsFields)
{
    Insert(0);
    ASSERT_EQ(ObjectCount(), 1);
    const CRect rect = RectOf(0);
    const CString name = NameOf(0);

    view->SendMessage(WM_COMMAND, CHyperView::CmdUndo);
    EXPECT_EQ(ObjectCount(), 0);
    EXPECT_EQ(view->GetCurrentIndex(), -1);
    EXPECT_EQ(view->GetRedoCount(), 1);

    view->SendMessage(WM_COMMAND, CHyperView::CmdRedo);
    ASSERT_EQ(ObjectCount(), 1);
    EXPECT_EQ(RectOf(0), rect);
    EXPECT_EQ(NameOf(0), name);
    EXPECT_EQ(Object(0)->GetView(), view);
    EXPECT_EQ(view->FindObjectByName(name), Object(0)) << "names lead to the restored copy";
    EXPECT_EQ(view->GetUndoCount(), 1);
    EXPECT_EQ(view->GetRedoCount(), 0);
}

TEST_F(UndoTest, TheHistoryKeepsTheConfiguredLevelsPlusOne)
{
    struct Case {
        int levels;
        int steps;
        int undoable;
    };
    const Case cases[] = {{10, 12, 11}, {3, 5, 4}, {0, 2, 1}};
    for (const Case& c : cases) {
        view->PushUndo(nullptr, FALSE);
        view->GetObjects().DeleteAll();
        view->SetCurrentIndex(-1);
        GetViewSettings().m_undoLevels = c.levels;
        for (int i = 0; i < c.steps; ++i)
            Insert(i);
        ASSERT_EQ(ObjectCount(), c.steps);
        EXPECT_EQ(view->GetUndoCount(), c.undoable) << c.levels;
        while (view->CanUndo())
            view->Undo();
        // The oldest snapshots were trimmed: the first insertions cannot be undone.
        EXPECT_EQ(ObjectCount(), c.steps - c.undoable) << c.levels;
        EXPECT_EQ(view->GetRedoCount(), c.undoable) << c.levels;
    }
}

TEST_F(UndoTest, OneLevelModeKeepsOnlyTheLastStepAndItsRedo)
{
    GetViewSettings().m_undoStackMode = 0;
    Insert(0);
    Insert(1);
    EXPECT_EQ(view->GetUndoCount(), 1);
    view->Undo();
    EXPECT_EQ(ObjectCount(), 1);
    EXPECT_FALSE(view->CanUndo());
    view->Redo();
    EXPECT_EQ(ObjectCount(), 2);
    view->Undo();
    EXPECT_EQ(ObjectCount(), 1);
}

TEST_F(UndoTest, LikeStepsOfTheSameSelectionMerge)
{
    Insert(0);
    const int before = view->GetUndoCount();
    view->SendMessage(0x8104);
    Object(0)->BackColor = RGB(1, 2, 3);
    view->SendMessage(0x8104);
    Object(0)->BackColor = RGB(4, 5, 6);
    EXPECT_EQ(view->GetUndoCount(), before + 1);
    view->Undo();
    EXPECT_EQ(Object(0)->BackColor, RGB(255, 255, 255)) << "the merged step holds the state before the first edit";

    // Move/Resize steps merge only while several objects are selected.
    view->PushUndo(new CUndoRecord(view, CHyperView::UndoMoveResize), FALSE);
    view->PushUndo(new CUndoRecord(view, CHyperView::UndoMoveResize), FALSE);
    EXPECT_EQ(view->GetUndoCount(), before + 2);
}

TEST_F(UndoTest, ANewStepEmptiesTheRedoSideButARedoKeepsIt)
{
    Insert(0);
    Insert(1);
    view->Undo();
    view->Undo();
    EXPECT_EQ(view->GetRedoCount(), 2);
    view->Redo();
    EXPECT_EQ(view->GetRedoCount(), 1);
    Insert(2);
    EXPECT_EQ(view->GetRedoCount(), 0);
    EXPECT_FALSE(view->CanRedo());
}

TEST_F(UndoTest, ARedoneStepCanBeUndoneAgainEvenWhenItWouldMerge)
{
    Insert(0);
    view->SendMessage(0x8104);
    Object(0)->BackColor = RGB(1, 2, 3);
    view->Undo();
    EXPECT_EQ(Object(0)->BackColor, RGB(255, 255, 255));
    view->Redo();
    EXPECT_EQ(Object(0)->BackColor, RGB(1, 2, 3));
    view->Undo();
    EXPECT_EQ(Object(0)->BackColor, RGB(255, 255, 255));
}

TEST_F(UndoTest, AFailedStepLeavesThePageAndTheHistoryAsTheyWere)
{
    Insert(0);
    Object(0)->DfltCanDelete = FALSE;
    const std::vector<BYTE> page = PageBytes();
    const int steps = view->GetUndoCount();
    view->SendMessage(WM_COMMAND, CHyperView::CmdDelete);
    EXPECT_EQ(PageBytes(), page);
    EXPECT_EQ(view->GetUndoCount(), steps);
}

TEST_F(UndoTest, NothingIsRecordedWhileRecordingIsOff)
{
    view->SetRecordUndo(FALSE);
    Insert(0);
    EXPECT_EQ(ObjectCount(), 1);
    EXPECT_EQ(view->GetUndoCount(), 0);
    EXPECT_FALSE(view->CanUndo());
    view->SetRecordUndo(TRUE);
}

} // namespace
