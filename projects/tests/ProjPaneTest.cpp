// The project pane: its tree and manager, and the Set Password command; the New Project
// dialog's limits.
#include "ProjTestKit.h"

#include "projects/NewProjectDlg.h"
#include "projects/PasswordHash.h"
#include "projects/ProjManagerPane.h"
#include "projects/ProjOb.h"
#include "platform/ui/TestHook.h"

#include <gtest/gtest.h>

#include <filesystem>

using projtest::AnswerNextDialog;

class ProjPaneTest : public ProjTest {
protected:
    void SetUp() override
    {
        ProjTest::SetUp();
        ASSERT_TRUE(pane.CreatePane(&m_parent));
        pane.MoveWindow(0, 0, 300, 400);
        ASSERT_TRUE(pane.GetManager()->OpenProject(MakeProjectFile("Plan")));
        project = pane.GetManager()->GetProject(0);
    }
    void TearDown() override
    {
        pane.DestroyWindow();
        ProjTest::TearDown();
    }

    CProjManagerPane pane;
    CProjOb* project = nullptr;
};

TEST_F(ProjPaneTest, TheTreeLiesBelowTheToolBar)
{
    CRect tree;
    pane.GetTree()->GetWindowRect(&tree);
    pane.ScreenToClient(&tree);
    EXPECT_EQ(tree, CRect(0, CProjManagerPane::ToolBarHeight, 300, 400));
    EXPECT_EQ(pane.GetTree()->GetSelectedItem(), project->m_hItem);
}

TEST_F(ProjPaneTest, APasswordIsEnteredTwiceAndThenAskedForBeforeItGoes)
{
    AnswerNextDialog("pw");
    AnswerNextDialog("pw");
    pane.OnSetPassword();
    ASSERT_TRUE(project->m_bHasPassword);
    CString digest;
    CPasswordHash().HashToHex("pw", digest);
    EXPECT_EQ(project->m_digest, digest);

    AnswerNextDialog("wrong");
    UiTestHook::QueueMessageBoxAnswer(IDNO);
    pane.OnSetPassword();
    EXPECT_EQ(UiTestHook::LastMessageBoxText(), "Password incorrect! Try again?");
    EXPECT_TRUE(project->m_bHasPassword);

    AnswerNextDialog("pw");
    pane.OnSetPassword();
    EXPECT_FALSE(project->m_bHasPassword);
    CProjOb reread;
    ASSERT_TRUE(reread.LoadProject(project->m_filePath));
    EXPECT_FALSE(reread.m_bHasPassword);
}

TEST_F(ProjPaneTest, DifferingEntriesSetNoPassword)
{
    AnswerNextDialog("one");
    AnswerNextDialog("two");
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    pane.OnSetPassword();
    EXPECT_EQ(UiTestHook::LastMessageBoxText(), "Entered Passwords don't match!");
    EXPECT_FALSE(project->m_bHasPassword);
}

TEST_F(ProjPaneTest, SetPasswordWithoutAProjectSaysSo)
{
    pane.GetTree()->SelectItem(nullptr);
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    pane.OnSetPassword();
    EXPECT_EQ(UiTestHook::LastMessageBoxText(), "No Project selected!");
}

TEST_F(ProjPaneTest, ANewProjectNameHasAtMostEightyCharacters)
{
    AnswerNextDialog(std::string(81, 'n'));
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    AnswerNextDialog("", true);
    CNewProjectDlg dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_FALSE(std::filesystem::exists(Path("Projects/" + std::string(81, 'n'))));
    AnswerNextDialog(std::string(80, 'n'));
    CNewProjectDlg accepted;
    EXPECT_EQ(accepted.DoModal(), IDOK);
    EXPECT_TRUE(std::filesystem::is_directory(Path("Projects/" + std::string(80, 'n'))));
}
