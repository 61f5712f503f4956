// Where file dialogs start: their own folder when they name one, else where the user last chose a
// document, else the documents folder or home; never the process's current folder.
#include "UiFixture.h"

#include "platform/ui/CommonDialogs.h"
#include "platform/ui/FileDialogFolder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class FileDialogFolderTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        char pattern[] = "/tmp/vantrel-start-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        home = pattern;
        const char* oldHome = getenv("HOME");
        savedHome = oldHome ? oldHome : "";
        setenv("HOME", home.c_str(), 1);
        cwd = fs::current_path();
        fs::create_directories(home + "/program/Dictionary");
        fs::current_path(home + "/program/Dictionary");
        FileDialogFolder::Forget();
    }
    void TearDown() override
    {
        FileDialogFolder::Forget();
        fs::current_path(cwd);
        setenv("HOME", savedHome.c_str(), 1);
        fs::remove_all(home);
        UiTest::TearDown();
    }
    // Chooses `path` in a dialog as the user would.
    static void Choose(const std::string& path, const char* initialFolder)
    {
        UiTestHook::QueueFileDialogAnswer(path);
        CFileDialog dialog(TRUE);
        dialog.m_ofn.lpstrInitialDir = initialFolder;
        ASSERT_EQ(dialog.DoModal(), IDOK);
    }

    std::string home, savedHome;
    fs::path cwd;
};

TEST_F(FileDialogFolderTest, StartsAtHomeAndNeverInTheCurrentFolder)
{
    EXPECT_EQ(FileDialogFolder::StartOf(nullptr, nullptr), home + "/");
    EXPECT_EQ(FileDialogFolder::StartOf(nullptr, "Untitled.trn"), home + "/Untitled.trn");
    fs::create_directory(home + "/Documents");
    EXPECT_EQ(FileDialogFolder::StartOf("", nullptr), home + "/Documents/");
}

TEST_F(FileDialogFolderTest, OwnFolderOrAbsoluteNameStandsAsGiven)
{
    EXPECT_EQ(FileDialogFolder::StartOf("/srv/Icons", "a.ico"), "/srv/Icons/a.ico");
    EXPECT_EQ(FileDialogFolder::StartOf(nullptr, "/srv/plans/week.trn"), "/srv/plans/week.trn");
}

TEST_F(FileDialogFolderTest, NextDialogStartsWhereTheUserLastChoseADocument)
{
    fs::create_directories(home + "/plans");
    fs::create_directories(home + "/icons");
    std::ofstream(home + "/plans/week.trn") << "x";
    std::ofstream(home + "/icons/a.ico") << "x";

    Choose(home + "/plans/week.trn", nullptr);
    EXPECT_EQ(FileDialogFolder::StartOf(nullptr, nullptr), home + "/plans/");
    // A dialog with a folder of its own does not move where documents are looked for.
    Choose(home + "/icons/a.ico", (home + "/icons").c_str());
    EXPECT_EQ(FileDialogFolder::StartOf(nullptr, nullptr), home + "/plans/");
    // A remembered folder that went away falls back to home.
    fs::remove_all(home + "/plans");
    EXPECT_EQ(FileDialogFolder::StartOf(nullptr, nullptr), home + "/");
}

} // namespace
