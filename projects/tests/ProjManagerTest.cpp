// The project manager: new, open and close, subprojects, sorting, the project clipboard,
// renaming and moving by drag and drop.
#include "ProjTestKit.h"

#include "projects/ProjOb.h"
#include "platform/ui/TestHook.h"

#include <gtest/gtest.h>

#include <filesystem>

using projtest::AnswerNextDialog;
namespace fs = std::filesystem;

class ProjManagerTest : public ProjTest {
protected:
    CProjOb* NewProject(const std::string& name)
    {
        AnswerNextDialog(name);
        EXPECT_TRUE(m_manager->NewProject());
        return m_manager->GetProject(m_manager->GetActiveIndex());
    }

    static std::vector<CString> SubprojectNames(const CProjOb& project)
    {
        std::vector<CString> names;
        for (const auto& sub : project.m_subprojects)
            names.push_back(sub->m_name);
        return names;
    }
};

TEST_F(ProjManagerTest, ANewProjectHasItsFourSubprojectsAndIsActive)
{
    CProjOb* project = NewProject("Alpha");
    ASSERT_NE(project, nullptr);
    EXPECT_EQ(project->m_filePath, CPath("Projects/Alpha/Alpha.prj"));
    EXPECT_EQ(SubprojectNames(*project),
              std::vector<CString>({"General", "Notices", "Team", "Technics"}));
    for (const char* sub : {"General", "Notices", "Team", "Technics"})
        EXPECT_TRUE(fs::exists(Path("Projects/Alpha/") + sub + "/" + sub + ".prj")) << sub;
    EXPECT_EQ(m_tree->GetItemState(project->m_hItem, TVIS_BOLD), static_cast<UINT>(TVIS_BOLD));
}

TEST_F(ProjManagerTest, TheNewProjectDialogRefusesAnExistingName)
{
    NewProject("Alpha");
    // The taken name beeps and keeps the dialog open; Escape then cancels it.
    AnswerNextDialog("Alpha");
    AnswerNextDialog("", true);
    EXPECT_FALSE(m_manager->NewProject());
    EXPECT_EQ(m_manager->ProjectCount(), 0);
}

TEST_F(ProjManagerTest, OpeningASecondProjectClosesTheFirst)
{
    NewProject("Alpha");
    NewProject("Beta");
    ASSERT_EQ(m_manager->ProjectCount(), 1);
    EXPECT_TRUE(m_manager->OpenProject(CPath("Projects/Alpha/Alpha.prj")));
    ASSERT_EQ(m_manager->ProjectCount(), 1);
    EXPECT_EQ(m_manager->GetProject(m_manager->GetActiveIndex())->m_name, CString("Alpha"));
}

TEST_F(ProjManagerTest, ASubprojectNamedLikeAnotherGetsAFreeUntitledName)
{
    CProjOb* project = NewProject("Alpha");
    CProjOb* first = m_manager->CreateSubproject(*project, project->m_hItem, nullptr, "General");
    EXPECT_EQ(first->m_name, CString("Untitled5"));
    CProjOb* second = m_manager->CreateSubproject(*project, project->m_hItem, nullptr, "");
    EXPECT_EQ(second->m_name, CString("Untitled6"));
    EXPECT_TRUE(fs::exists(Path("Projects/Alpha/Untitled6/Untitled6.prj")));
}

TEST_F(ProjManagerTest, SortingByNameIgnoresCaseAndOnlyRealSortsSave)
{
    CProjOb* project = NewProject("Alpha");
    for (const char* name : {"gamma", "Alpha2", "beta"})
        m_manager->CreateSubproject(*project, project->m_hItem, nullptr, name);
    const std::vector<BYTE> before = projtest::ReadBytes(project->m_filePath.GetString());
    m_manager->SetSort(CProjManager::CmdSortNone);
    EXPECT_EQ(projtest::ReadBytes(project->m_filePath.GetString()), before);
    m_manager->SetSort(CProjManager::CmdSortByName);
    EXPECT_EQ(SubprojectNames(*project),
              std::vector<CString>({"Alpha2", "beta", "gamma", "General", "Notices", "Team", "Technics"}));
    EXPECT_NE(projtest::ReadBytes(project->m_filePath.GetString()), before);
}

TEST_F(ProjManagerTest, ACopiedProjectIsInsertedOnceAndNeverOverAnExistingOne)
{
    CProjOb* project = NewProject("Alpha");
    CProjOb* general = project->m_subprojects[0].get();
    m_tree->SelectItem(general->m_hItem);
    m_manager->OnCopy();
    // Into the project it came from: a subproject of that name is there already.
    m_tree->SelectItem(project->m_hItem);
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    m_manager->OnInsert();
    EXPECT_EQ(UiTestHook::LastMessageBoxText(), "Project already exists!");

    m_tree->SelectItem(project->m_subprojects[1]->m_hItem);
    m_manager->OnInsert();
    EXPECT_TRUE(fs::exists(Path("Projects/Alpha/Notices/General/General.prj")));
    EXPECT_EQ(project->m_subprojects[1]->m_subprojects.size(), 1u);
    const int boxes = UiTestHook::MessageBoxCount();
    m_manager->OnInsert();
    EXPECT_EQ(project->m_subprojects[1]->m_subprojects.size(), 1u);
    EXPECT_EQ(UiTestHook::MessageBoxCount(), boxes);
}

// The copy's members outside the copied folder are the same files; those inside are the copies.
TEST_F(ProjManagerTest, ACopiedProjectStillFindsItsMembersOutsideItsFolder)
{
    CProjOb* project = NewProject("Alpha");
    CProjOb* general = project->m_subprojects[0].get();
    MakeDocument("shared/plan.trn");
    MakeDocument("Projects/Alpha/General/own.trn");
    ASSERT_TRUE(general->AddDocument("../../../shared/plan.trn"));
    ASSERT_TRUE(general->AddDocument("own.trn"));
    m_tree->SelectItem(general->m_hItem);
    m_manager->OnCopy();
    m_tree->SelectItem(project->m_subprojects[1]->m_hItem);
    m_manager->OnInsert();
    ASSERT_EQ(project->m_subprojects[1]->m_subprojects.size(), 1u);
    const CProjOb& copy = *project->m_subprojects[1]->m_subprojects[0];
    ASSERT_EQ(copy.MemberCount(), 2);
    EXPECT_EQ(copy.GetMemberPath(0), CPath("shared/plan.trn"));
    EXPECT_FALSE(copy.IsMemberMissing(0));
    EXPECT_EQ(copy.GetMemberPath(1), CPath("Projects/Alpha/Notices/General/own.trn"));
    EXPECT_EQ(general->GetMemberPath(0), CPath("shared/plan.trn")) << "the source keeps its paths";
}

TEST_F(ProjManagerTest, AProjectCannotBeDraggedIntoItsOwnSubprojects)
{
    CProjOb* project = NewProject("Alpha");
    CProjOb* general = project->m_subprojects[0].get();
    CProjOb* inner = m_manager->CreateSubproject(*general, general->m_hItem, nullptr, "Inner");
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    m_tree->DropItem(general->m_hItem, inner->m_hItem);
    EXPECT_EQ(UiTestHook::LastMessageBoxText(), "Parentproject can't be moved into his Childprojects!");
    // A top-level project is never moved.
    m_tree->DropItem(project->m_hItem, general->m_hItem);
    EXPECT_EQ(m_manager->GetProject(0), project);
    EXPECT_EQ(project->m_subprojects.size(), 4u);
}

TEST_F(ProjManagerTest, ADraggedSubprojectMovesWithItsFolder)
{
    CProjOb* project = NewProject("Alpha");
    CProjOb* team = project->m_subprojects[2].get();
    CProjOb* general = project->m_subprojects[0].get();
    m_tree->DropItem(team->m_hItem, general->m_hItem);
    ASSERT_EQ(project->m_subprojects.size(), 3u);
    ASSERT_EQ(general->m_subprojects.size(), 1u);
    EXPECT_EQ(general->m_subprojects[0]->m_name, CString("Team"));
    EXPECT_EQ(general->m_subprojects[0]->m_filePath, CPath("Projects/Alpha/General/Team/Team.prj"));
    EXPECT_TRUE(fs::exists(Path("Projects/Alpha/General/Team/Team.prj")));

    // Another "Inner" may not join a project that has one.
    CProjOb* notices = project->m_subprojects[1].get();
    m_manager->CreateSubproject(*general, general->m_hItem, nullptr, "Inner");
    CProjOb* other = m_manager->CreateSubproject(*notices, notices->m_hItem, nullptr, "Inner");
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    m_tree->DropItem(other->m_hItem, general->m_hItem);
    EXPECT_EQ(UiTestHook::LastMessageBoxText(), "A Project with this name already exists");
    EXPECT_EQ(notices->m_subprojects.size(), 1u);
}

TEST_F(ProjManagerTest, MembersMoveBetweenProjectsByDragAndDrop)
{
    CProjOb* project = NewProject("Alpha");
    MakeDocument("Projects/Alpha/doc.trn");
    ASSERT_TRUE(project->AddDocument("doc.trn"));
    CProjOb* general = project->m_subprojects[0].get();
    m_tree->DropItem(project->m_memberItems[0], general->m_hItem);
    EXPECT_EQ(project->MemberCount(), 0);
    ASSERT_EQ(general->MemberCount(), 1);
    EXPECT_EQ(general->GetMemberPath(0), CPath("Projects/Alpha/doc.trn"));
    EXPECT_EQ(general->m_titles[0], CString("doc"));
}

TEST_F(ProjManagerTest, RenamingAProjectRenamesItsFolderAndFile)
{
    CProjOb* project = NewProject("Alpha");
    CProjOb* team = project->m_subprojects[2].get();
    EXPECT_TRUE(m_manager->RenameProject(*team, "Crew"));
    EXPECT_EQ(team->m_filePath, CPath("Projects/Alpha/Crew/Crew.prj"));
    EXPECT_TRUE(fs::exists(Path("Projects/Alpha/Crew/Crew.prj")));
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    EXPECT_FALSE(m_manager->RenameProject(*team, "General"));
    EXPECT_EQ(UiTestHook::LastMessageBoxText(), "Project already exists");
}

TEST_F(ProjManagerTest, DeletingASubprojectAsksFirstAndRemovesOnlyItsFile)
{
    CProjOb* project = NewProject("Alpha");
    CProjOb* team = project->m_subprojects[2].get();
    UiTestHook::QueueMessageBoxAnswer(IDNO);
    EXPECT_FALSE(m_manager->DeleteProjectOf(team->m_hItem));
    EXPECT_TRUE(fs::exists(Path("Projects/Alpha/Team/Team.prj")));
    UiTestHook::QueueMessageBoxAnswer(IDYES);
    EXPECT_TRUE(m_manager->DeleteProjectOf(project->m_subprojects[2]->m_hItem));
    EXPECT_FALSE(fs::exists(Path("Projects/Alpha/Team/Team.prj")));
    EXPECT_TRUE(fs::exists(Path("Projects/Alpha/Team")));
    EXPECT_EQ(project->m_subprojects.size(), 3u);
}

TEST_F(ProjManagerTest, InsertFromFileAddsDocumentsAndOtherFiles)
{
    CProjOb* project = NewProject("Alpha");
    MakeDocument("Projects/Alpha/notes.trn");
    MakeDocument("Projects/Alpha/list.txt");
    m_tree->SelectItem(project->m_hItem);
    for (const char* file : {"Projects/Alpha/notes.trn", "Projects/Alpha/list.txt"}) {
        UiTestHook::QueueFileDialogAnswer(Path(file));
        m_manager->OnCmdMsg(CProjManager::CmdInsertFromFile, CN_COMMAND, nullptr, nullptr);
    }
    ASSERT_EQ(project->MemberCount(), 2);
    EXPECT_FALSE(project->m_entries[0]->m_bOwnIcon);
    EXPECT_TRUE(project->m_entries[1]->m_bOwnIcon);
    EXPECT_EQ(project->GetMemberPath(1), CPath("Projects/Alpha/list.txt"));
}

// Members outside the project folder are stored by their path from the project file, open
// like the others and sort among them.
TEST_F(ProjManagerTest, FilesOutsideTheProjectFolderJoinOpenAndSortLikeTheOthers)
{
    CProjOb* project = NewProject("Alpha");
    MakeDocument("Projects/Alpha/b.trn");
    MakeDocument("shared/a.trn");
    m_tree->SelectItem(project->m_hItem);
    for (const char* file : {"Projects/Alpha/b.trn", "shared/a.trn"}) {
        UiTestHook::QueueFileDialogAnswer(Path(file));
        m_manager->OnCmdMsg(CProjManager::CmdInsertFromFile, CN_COMMAND, nullptr, nullptr);
    }
    ASSERT_EQ(project->MemberCount(), 2);
    EXPECT_EQ(project->m_paths[1], CString("..\\..\\shared\\a.trn"));
    EXPECT_EQ(UiTestHook::MessageBoxCount(), 0);

    m_manager->SetSort(CProjManager::CmdSortByName);
    EXPECT_EQ(project->m_titles[0], CString("a"));
    EXPECT_EQ(m_tree->GetItemText(project->m_memberItems[0]), CString("a"));
    m_tree->SelectItem(project->m_memberItems[0]);
    m_manager->OnCmdMsg(CProjManager::CmdViewObject, CN_COMMAND, nullptr, nullptr);
    EXPECT_EQ(projtest::OpenedDocuments(), std::vector<CString>({CPath("shared/a.trn")}));

    CProjOb reread;
    ASSERT_TRUE(reread.LoadProject(project->m_filePath));
    ASSERT_EQ(reread.MemberCount(), 2);
    EXPECT_EQ(reread.GetMemberPath(0), CPath("shared/a.trn"));
}

TEST_F(ProjManagerTest, AMovedSubprojectStillFindsItsMembersOutsideItsFolder)
{
    CProjOb* project = NewProject("Alpha");
    CProjOb* team = project->m_subprojects[2].get();
    MakeDocument("shared/plan.trn");
    MakeDocument("Projects/Alpha/Team/own.trn");
    ASSERT_TRUE(team->AddDocument("../../../shared/plan.trn"));
    ASSERT_TRUE(team->AddDocument("own.trn"));
    CProjOb* general = project->m_subprojects[0].get();
    CProjOb* inner = m_manager->CreateSubproject(*general, general->m_hItem, nullptr, "Inner");
    m_tree->DropItem(team->m_hItem, inner->m_hItem);
    ASSERT_EQ(inner->m_subprojects.size(), 1u);
    const CProjOb& moved = *inner->m_subprojects[0];
    EXPECT_EQ(moved.GetMemberPath(0), CPath("shared/plan.trn"));
    EXPECT_EQ(moved.GetMemberPath(1), CPath("Projects/Alpha/General/Inner/Team/own.trn"));
    EXPECT_EQ(moved.m_entries[0]->m_path, CPath("shared/plan.trn"));

    CProjOb reread;
    ASSERT_TRUE(reread.LoadProject(moved.m_filePath));
    EXPECT_EQ(reread.GetMemberPath(0), CPath("shared/plan.trn"));
    EXPECT_FALSE(reread.IsMemberMissing(0));
}

TEST_F(ProjManagerTest, InsertProjectCopiesAProjectFolderInOnce)
{
    CProjOb* project = NewProject("Alpha");
    const CString other = MakeProjectFile("Outside", {"o.trn"});
    m_tree->SelectItem(project->m_hItem);
    UiTestHook::QueueFileDialogAnswer(other.GetString());
    m_manager->OnCmdMsg(CProjManager::CmdInsertProject, CN_COMMAND, nullptr, nullptr);
    EXPECT_TRUE(fs::exists(Path("Projects/Alpha/Outside/o.trn")));
    EXPECT_EQ(project->m_subprojects.size(), 5u);

    UiTestHook::QueueFileDialogAnswer(other.GetString());
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    m_manager->OnCmdMsg(CProjManager::CmdInsertProject, CN_COMMAND, nullptr, nullptr);
    EXPECT_EQ(UiTestHook::LastMessageBoxText(), "Project already exists!");
}
