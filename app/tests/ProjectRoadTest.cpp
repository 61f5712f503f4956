// A project built in the running program's project pane: a new project keeps two of its
// four subprojects, gets documents in itself and in a subproject and a priority marker on
// another. After a restart the project comes back, is closed, opened again through the
// Open Project dialog and saved: every project file is as it was.
#include "app/tests/E2E.h"
#include "app/tests/ProjectFile.h"
#include "app/tests/RoadTest.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

namespace {

namespace fs = std::filesystem;

std::vector<CString> Titles(const ProjectRecord& record)
{
    std::vector<CString> titles;
    for (int i = 0; i < record.titles.GetSize(); ++i)
        titles.push_back(record.titles[i]);
    return titles;
}

std::map<std::string, std::string> ProjectFiles(const fs::path& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.path().extension() == ".prj") {
            std::ifstream in(entry.path(), std::ios::binary);
            files[entry.path().string()] = {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        }
    return files;
}

using ProjectRoadTest = e2e::ProjectFolderRoadTest;

// Tree rows of the project pane in the main window: the project, then its subprojects.
constexpr const char* kRow2 = "812 178";
constexpr const char* kRow3 = "812 196";
constexpr const char* kRow4 = "812 214";

} // namespace

TEST_F(ProjectRoadTest, AProjectComesBackAsItWasBuilt)
{
    const std::string build = "wait 300\nmenu 23020\nwait 200\ntype " + name + "\nkey enter\nwait 300\n"
                              // Two documents in the project itself.
                              "menu 23032\nwait 300\nmenu 23032\nwait 300\n"
                              // Team and then Technics (moved up into Team's row) are deleted.
                              "click main " + kRow4 + "\nanswer 6\nmenu 34023\nwait 200\n"
                              "click main " + kRow4 + "\nanswer 6\nmenu 34023\nwait 200\n"
                              // Notices gets "Priority 3" in the marker pane.
                              "click main " + kRow3 + "\nclick main 877 707\nwait 200\nclick main 828 179\n"
                              "wait 200\nclick main 771 707\nwait 200\n"
                              // General gets a document of its own.
                              "click main " + kRow2 + "\nmenu 23032\nwait 300\nquit\n";
    e2e::Run run = e2e::RunVantrel(build, home);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(run.log.find("error"), std::string::npos) << run.log;

    ProjectRecord top, general, notices;
    ASSERT_TRUE(e2e::ReadProjectFile(folder / (name + ".prj"), top)) << run.log;
    ASSERT_TRUE(e2e::ReadProjectFile(folder / "General" / "General.prj", general));
    ASSERT_TRUE(e2e::ReadProjectFile(folder / "Notices" / "Notices.prj", notices));
    EXPECT_EQ(Titles(top), std::vector<CString>({"Form1", "Form2"}));
    EXPECT_EQ(Titles(general), std::vector<CString>({"Form1"}));
    EXPECT_TRUE(Titles(notices).empty());
    EXPECT_EQ(notices.markers.priority, 3u);
    EXPECT_EQ(general.markers, ProjectMarkers());
    EXPECT_FALSE(fs::exists(folder / "Team" / "Team.prj"));
    EXPECT_FALSE(fs::exists(folder / "Technics" / "Technics.prj"));
    const auto built = ProjectFiles(folder);
    EXPECT_EQ(built.size(), 3u);

    // The restart reopens the project; it is closed, opened through the dialog's Browse
    // button and saved.
    const std::string reopen = "wait 500\nmenu 23022\nwait 200\nfile " + (folder / (name + ".prj")).string() +
                               "\nmenu 23021\nwait 300\nclick dialog 55 75\nwait 500\nmenu 23029\nwait 200\n"
                               "screenshot " + home + "/reopened.png\nquit\n";
    run = e2e::RunVantrel(reopen, home);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(run.log.find("error"), std::string::npos) << run.log;
    const auto reopened = ProjectFiles(folder);
    ASSERT_EQ(reopened.size(), built.size()) << run.log;
    for (const auto& [path, bytes] : built)
        EXPECT_TRUE(reopened.at(path) == bytes) << path;
}

TEST_F(ProjectRoadTest, IteratingTheWorksheetsReadsEveryMemberAndChangesNothing)
{
    const std::string build = "wait 300\nmenu 23020\nwait 200\ntype " + name + "\nkey enter\nwait 300\n"
                              "menu 23032\nwait 300\nmenu 23032\nwait 300\nmenu 23029\nwait 200\nquit\n";
    ASSERT_EQ(Play(build).exitCode, 0);
    const auto built = ProjectFiles(folder);
    e2e::Run run = Play("wait 500\nmenu 33856\nwait 300\nquit\n");
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_NE(run.log.find("step: menu 33856"), std::string::npos) << run.log;
    EXPECT_TRUE(ProjectFiles(folder) == built);
}
