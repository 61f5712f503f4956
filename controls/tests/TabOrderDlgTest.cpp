// The object tab order dialog on a running worksheet: the order of its rows, moves that reach
// the page's object array, the front group kept apart, codes typed into the field, deletion,
// and the "Objects..." command that puts everything back when the dialog is cancelled.
#include "View/tests/edit/EditViewFixture.h"

#include "View/ObjectListDialog.h"
#include "controls/FlexSizeDialog.h"
#include "controls/TabOrderDlg.h"
#include "res/ResourceParts.h"

#include <functional>
#include <memory>
#include <string>

namespace {

class TabOrderTest : public EditViewTest {
protected:
    static void SetUpTestSuite()
    {
        EditViewTest::SetUpTestSuite();
        RegisterListEditResources();
    }
    // Four objects A-D at indices 0-3; A and B stay in front.
    void SetUp() override
    {
        EditViewTest::SetUp();
        CFlexSizeDialog::ClearSizeCache();
        for (int i = 0; i < 4; ++i)
            AddBorder(CRect(20 + 60 * i, 20, 70 + 60 * i, 60));
        for (int i = 0; i < 4; ++i)
            Object(i)->Code = CString(static_cast<char>('A' + i));
        Object(0)->m_stayInFront = Object(1)->m_stayInFront = TRUE;
        view->ClearSelection(FALSE);
    }
    void TearDown() override
    {
        if (dialog && dialog->m_hWnd)
            dialog->DestroyWindow();
        dialog.reset();
        SetObjectListRunner(nullptr);
        EditViewTest::TearDown();
    }
    void Open()
    {
        dialog = std::make_unique<CTabOrderDlg>(view, CTabOrderDlg::TemplateId, view);
        ASSERT_TRUE(dialog->Create(CTabOrderDlg::TemplateId, view));
    }
    std::string Rows() const
    {
        std::string rows;
        for (int row = 0; row < dialog->GetListBox()->GetCount(); ++row)
            rows += dialog->GetRowObject(row)->Code.GetString();
        return rows;
    }
    std::string Page() const
    {
        std::string codes;
        for (int i = 0; i < ObjectCount(); ++i)
            codes += Object(i)->Code.GetString();
        return codes;
    }
    void Press(UINT id) { dialog->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    void Pick(int row)
    {
        dialog->GetListBox()->SetCurSel(row);
        dialog->SendMessage(WM_COMMAND, MAKEWPARAM(CListEditDlg::ListId, LBN_SELCHANGE),
                            reinterpret_cast<LPARAM>(dialog->GetListBox()->m_hWnd));
    }
    BOOL Enabled(UINT id) const { return dialog->GetDlgItem(id)->IsWindowEnabled(); }

    std::unique_ptr<CTabOrderDlg> dialog;
};

TEST_F(TabOrderTest, TheFrontGroupComesFirstAndTheFirstRowBecomesCurrent)
{
    Open();
    EXPECT_EQ(Rows(), "BADC");
    EXPECT_EQ(dialog->GetFrontCount(), 2);
    EXPECT_EQ(view->GetCurrentIndex(), 1) << "B, the first row";
    EXPECT_EQ(dialog->GetListBox()->GetCurSel(), 0);
    EXPECT_EQ(view->m_listPickPos, 0);
    EXPECT_EQ(view->m_listPickLast, 1);
    Pick(2);
    EXPECT_EQ(view->GetCurrentIndex(), 3);
    EXPECT_EQ(view->m_listPickPos, -1) << "only front objects are numbered";
    CString code;
    dialog->GetDlgItemText(CTabOrderDlg::CodeId, code);
    EXPECT_EQ(code, CString("D"));
}

TEST_F(TabOrderTest, InvisibleObjectsAreLeftOutAndKeepTheirPlaces)
{
    view->SetEditMode(FALSE);
    Object(2)->SetVisible(0);
    Open();
    EXPECT_EQ(Rows(), "BAD");
    Press(CListEditDlg::DownId);
    Press(IDOK);
    view->SetEditMode(TRUE);
    EXPECT_EQ(Page(), "BACD");
}

struct MoveCase {
    const char* name;
    int row;
    UINT button;
    const char* rows;
    const char* page;
};

class TabOrderMoves : public TabOrderTest, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(TabOrderMoves, ReachThePageAtOnceAndNeverMixTheGroups)
{
    const MoveCase& c = GetParam();
    Open();
    Pick(c.row);
    Press(c.button);
    EXPECT_EQ(Rows(), c.rows);
    EXPECT_EQ(Page(), c.page);
    EXPECT_EQ(view->GetCurrentObject(), dialog->GetRowObject(dialog->GetListBox()->GetCurSel()));
}

INSTANTIATE_TEST_SUITE_P(
    Moves, TabOrderMoves,
    ::testing::Values(MoveCase{"DownInTheFrontGroup", 0, CListEditDlg::DownId, "ABDC", "BACD"},
                      MoveCase{"DownInTheOtherGroup", 2, CListEditDlg::DownId, "BACD", "ABDC"},
                      MoveCase{"UpInTheOtherGroup", 3, CListEditDlg::UpId, "BACD", "ABDC"},
                      MoveCase{"DownFromTheLastFrontObject", 1, CListEditDlg::DownId, "BADC", "ABCD"},
                      MoveCase{"UpFromTheFirstOtherObject", 2, CListEditDlg::UpId, "BADC", "ABCD"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TabOrderTest, TheButtonsAcrossTheGroupsAreDisabled)
{
    Open();
    Pick(1);
    EXPECT_FALSE(Enabled(CListEditDlg::DownId));
    EXPECT_TRUE(Enabled(CListEditDlg::UpId));
    Pick(2);
    EXPECT_FALSE(Enabled(CListEditDlg::UpId));
    EXPECT_TRUE(Enabled(CListEditDlg::DownId));
    EXPECT_FALSE(dialog->CanMoveRows(0, 2));
    EXPECT_TRUE(dialog->CanMoveRows(2, 3));
    Pick(3);
    EXPECT_FALSE(Enabled(CListEditDlg::DownId)) << "the last row";
}

TEST_F(TabOrderTest, ATypedCodeKeepsItsIdentifierCharactersAndIsMadeUnique)
{
    Open();
    Pick(3);
    dialog->SetDlgItemText(CTabOrderDlg::CodeId, "my box");
    EXPECT_EQ(Object(2)->Code, CString("mybox"));
    Pick(2);
    dialog->SetDlgItemText(CTabOrderDlg::CodeId, "mybox");
    EXPECT_EQ(Object(3)->Code, CString("mybox1"));
    dialog->SetDlgItemText(CTabOrderDlg::CodeId, " ");
    EXPECT_EQ(Object(3)->Code, CString("mybox1")) << "an empty code is not taken";
}

TEST_F(TabOrderTest, DeleteTakesTheObjectOffThePageUnlessObjectsAreSelected)
{
    Open();
    Pick(2);
    Press(CListEditDlg::DeleteId);
    EXPECT_EQ(Rows(), "BAC");
    EXPECT_EQ(Page(), "ABC");
    EXPECT_EQ(dialog->GetListBox()->GetCurSel(), 2);
    EXPECT_EQ(view->GetCurrentObject(), Object(2));
    Pick(0);
    view->GetSelection().Add(Object(1));
    Pick(0);
    EXPECT_FALSE(Enabled(CListEditDlg::DeleteId));
    view->GetSelection().RemoveAll();
}

// The command runs the dialog through the runner the dialogs layer installs; these steps stand
// in for the user.
std::function<INT_PTR(CHyperView*)> g_steps;
INT_PTR RunSteps(CHyperView* view) { return g_steps(view); }

struct CommandCase {
    const char* name;
    UINT end;
    const char* page;
};

class ObjectsCommand : public TabOrderTest, public ::testing::WithParamInterface<CommandCase> {};

TEST_P(ObjectsCommand, CancelPutsThePageBackAndOkKeepsItAsOneUndoStep)
{
    const CommandCase& c = GetParam();
    g_steps = [&](CHyperView*) {
        Open();
        Pick(2);
        Press(CListEditDlg::DownId);
        Pick(0);
        Press(CListEditDlg::DeleteId);
        EXPECT_EQ(Page(), "ADC");
        Press(c.end);
        dialog->DestroyWindow();
        return static_cast<INT_PTR>(c.end);
    };
    SetObjectListRunner(RunSteps);
    const int undoSteps = view->GetUndoCount();
    view->SendMessage(WM_COMMAND, CHyperView::CmdObjects);
    EXPECT_EQ(Page(), c.page);
    EXPECT_EQ(view->GetUndoCount(), undoSteps + (c.end == IDOK ? 1 : 0));
    EXPECT_FALSE(view->m_objectsDialogOpen);
    EXPECT_EQ(view->m_listPickPos, -1);
    g_steps = nullptr;
}

INSTANTIATE_TEST_SUITE_P(Ends, ObjectsCommand,
                         ::testing::Values(CommandCase{"Ok", IDOK, "ADC"}, CommandCase{"Cancel", IDCANCEL, "ABCD"}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
