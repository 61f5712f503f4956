// Members of a project as a user meets them in the project pane: the tree's menus in words,
// files outside the project folder added, kept and changed on disk only after a yes that
// names them, a missing file shown as missing, documents renamed in the tree or saved under a
// new name renamed in the project, and a member dragged with its picture under the mouse, or
// not at all when Escape lets go of the drag.
#include "app/tests/E2E.h"
#include "app/tests/PixelBox.h"
#include "app/tests/ProjectFile.h"
#include "app/tests/RoadTest.h"

#include <gtest/gtest.h>

#include <QImage>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

namespace fs = std::filesystem;

using ProjectMembersRoadTest = e2e::ProjectFolderRoadTest;

// Tree rows in the main window: the project, its four subprojects, then its members.
constexpr const char* kProjectRow = "812 160";
constexpr const char* kGeneralRow = "812 178";
constexpr const char* kFirstMember = "812 250";
// The remove dialog: its check box "Delete selected file as well?" and its Yes button.
constexpr const char* kDeleteFileBox = "15 15";
constexpr const char* kYes = "133 60";
constexpr int kIdYes = 6, kIdNo = 7;

std::vector<std::string> List(const CStringArray& texts)
{
    std::vector<std::string> list;
    for (int i = 0; i < texts.GetSize(); ++i)
        list.emplace_back(texts[i].GetString());
    return list;
}

// The member titles or paths a project file stores.
std::vector<std::string> Titles(const fs::path& path)
{
    ProjectRecord record;
    return e2e::ReadProjectFile(path, record) ? List(record.titles) : std::vector<std::string>();
}

std::vector<std::string> Paths(const fs::path& path)
{
    ProjectRecord record;
    return e2e::ReadProjectFile(path, record) ? List(record.paths) : std::vector<std::string>();
}

std::string Contents(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The lines the menu pictures logged: "menu: [text] [text] ...".
std::vector<std::string> MenuLines(const std::string& log)
{
    std::vector<std::string> lines;
    std::istringstream in(log);
    for (std::string line; std::getline(in, line);)
        if (line.rfind("menu:", 0) == 0)
            lines.push_back(line);
    return lines;
}

QImage Row(const std::string& shot, int top)
{
    return QImage(QString::fromStdString(shot)).copy(760, top, 200, 17);
}

} // namespace

TEST_F(ProjectMembersRoadTest, TheTreesMenusShowWordsWhereTheyHeldKeys)
{
    const std::string script = "wait 300\nmenu 23020\nwait 200\ntype " + name + "\nkey enter\nwait 300\n"
                               "menu 23032\nwait 300\n"
                               "menushot " + Path("project-menu.png") + "\npick 0\nrclick main " + kProjectRow +
                               "\nwait 300\nmenushot " + Path("member-menu.png") + "\npick 0\nrclick main " +
                               kFirstMember + "\nwait 300\nquit\n";
    const e2e::Run run = Play(script);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    const std::vector<std::string> menus = MenuLines(run.log);
    ASSERT_EQ(menus.size(), 2u) << run.log;
    EXPECT_NE(menus[0].find("[Icon] [Load Icon...] [Edit Icon]"), std::string::npos) << menus[0];
    EXPECT_NE(menus[1].find("[Insert from File...] [Remove]"), std::string::npos) << menus[1];
    for (const std::string& menu : menus)
        EXPECT_EQ(menu.find('<'), std::string::npos) << menu;
    EXPECT_FALSE(QImage(QString::fromStdString(Path("project-menu.png"))).isNull());
}

TEST_F(ProjectMembersRoadTest, FilesOutsideTheProjectFolderAreChangedOnlyAfterAYesThatNamesThem)
{
    fs::create_directories(Path("shared"));
    std::ofstream(Path("shared/notes.txt")) << "kept";
    std::ofstream(Path("shared/other.txt")) << "other";
    const std::string build =
        "wait 300\nmenu 23020\nwait 200\ntype " + name + "\nkey enter\nwait 300\nclick main " + kProjectRow +
        "\nfile " + Path("shared/notes.txt") + "\nmenu 23023\nwait 300\nfile " + Path("shared/other.txt") +
        "\nmenu 23023\nwait 300\nscreenshot " + Path("added.png") +
        // Remove notes with its file: No to the file outside keeps it.
        "\nclick main " + kFirstMember + "\nanswer " + std::to_string(kIdNo) + "\nmenu 23024\nwait 300\n"
        "click dialog " + kDeleteFileBox + "\nsnapshot dialog " + Path("remove.png") + "\nclick dialog " + kYes +
        "\nwait 300\n"
        // Rename other: No keeps its name, Yes renames it.
        "answer " + std::to_string(kIdNo) + "\npick 23037\nrclick main " + kFirstMember +
        "\nwait 300\ntype moved\nkey enter\nwait 300\n"
        "answer " + std::to_string(kIdYes) + "\npick 23037\nrclick main " + kFirstMember +
        "\nwait 300\ntype moved\nkey enter\nwait 300\nscreenshot " + Path("renamed.png") + "\nquit\n";
    e2e::Run run = Play(build);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(Contents(Path("shared/notes.txt")), "kept") << run.log;
    EXPECT_NE(run.log.find(Path("shared/notes.txt")), std::string::npos) << "the question names the file";
    EXPECT_NE(run.log.find(Path("shared/other.txt")), std::string::npos) << run.log;
    EXPECT_FALSE(fs::exists(Path("shared/other.txt")));
    EXPECT_EQ(Contents(Path("shared/moved.txt")), "other");

    const fs::path file = folder / (name + ".prj");
    ASSERT_EQ(Titles(file), std::vector<std::string>({"moved"})) << run.log;
    // From the project folder up to the test's folder: the name, Project, Vantrel Q8, Korvane, data.
    EXPECT_EQ(Paths(file), std::vector<std::string>({"..\\..\\..\\..\\..\\shared\\moved.txt"}));
    const QImage shown = Row(Path("renamed.png"), 242);

    // After a restart the member is there as it was; once its file is gone it shows as missing
    // and the file is never made anew.
    run = Play("wait 500\nscreenshot " + Path("restarted.png") + "\nquit\n");
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_TRUE(e2e::Differences(shown, Row(Path("restarted.png"), 242)).Empty());
    fs::remove(Path("shared/moved.txt"));
    run = Play("wait 500\nscreenshot " + Path("missing.png") + "\nclick main " + kFirstMember +
               "\nanswer 1\nmenu 23026\nwait 300\nquit\n");
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_FALSE(e2e::Differences(shown, Row(Path("missing.png"), 242)).Empty());
    EXPECT_NE(run.log.find("File not found!"), std::string::npos) << run.log;
    EXPECT_FALSE(fs::exists(Path("shared/moved.txt")));
    EXPECT_EQ(Titles(file), std::vector<std::string>({"moved"}));
}

TEST_F(ProjectMembersRoadTest, ADocumentRenamedInTheTreeOrSavedUnderANewNameIsRenamedInTheProject)
{
    const std::string script = "wait 300\nmenu 23020\nwait 200\ntype " + name + "\nkey enter\nwait 300\n"
                               "menu 23032\nwait 300\n"
                               "pick 23037\nrclick main " + std::string(kFirstMember) +
                               "\nwait 300\ntype Budget\nkey enter\nwait 300\nscreenshot " + Path("budget.png") +
                               "\nmenu 57603\nwait 300\n"
                               "file " + (folder / "Plan.trn").string() + "\nmenu 57604\nwait 300\n"
                               "screenshot " + Path("plan.png") + "\nquit\n";
    const e2e::Run run = Play(script);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_FALSE(fs::exists(folder / "Form1.trn")) << "the open document saves to its new name";
    EXPECT_TRUE(fs::exists(folder / "Budget.trn"));
    EXPECT_TRUE(fs::exists(folder / "Plan.trn"));
    EXPECT_EQ(Titles(folder / (name + ".prj")), std::vector<std::string>({"Plan"})) << run.log;
    EXPECT_EQ(Paths(folder / (name + ".prj")), std::vector<std::string>({".\\Plan.trn"}));
    EXPECT_FALSE(e2e::Differences(Row(Path("budget.png"), 242), Row(Path("plan.png"), 242)).Empty());
}

TEST_F(ProjectMembersRoadTest, AMemberDraggedOntoASubprojectShowsItsPictureAndMovesThere)
{
    const std::string script = "wait 300\nmenu 23020\nwait 200\ntype " + name + "\nkey enter\nwait 300\n"
                               "menu 23032\nwait 300\nclick main " + std::string(kProjectRow) + "\nwait 200\n"
                               "down main 800 250\nmove main 803 246\nmove main 806 230\nmove main 808 200\n"
                               "move main 810 180\nwait 200\nsnapshot dragimage " + Path("picture.png") +
                               "\nsnapshot screen " + Path("dragging.png") + "\nup main " + kGeneralRow +
                               "\nwait 300\nquit\n";
    const e2e::Run run = Play(script);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    const QImage picture(QString::fromStdString(Path("picture.png")));
    ASSERT_FALSE(picture.isNull()) << run.log;
    // The item's label in dark letters on the window's colour.
    const e2e::PixelBox letters = e2e::BoxWhere(picture.width(), picture.height(), [&](int x, int y) {
        return qGray(picture.pixel(x, y)) < 96;
    });
    EXPECT_FALSE(letters.Empty());
    EXPECT_GE(picture.width(), 30);
    EXPECT_TRUE(Titles(folder / (name + ".prj")).empty()) << run.log;
    EXPECT_EQ(Titles(folder / "General" / "General.prj"), std::vector<std::string>({"Form1"}));
}

TEST_F(ProjectMembersRoadTest, EscapeCancelsADragOfAMember)
{
    const std::string script = "wait 300\nmenu 23020\nwait 200\ntype " + name + "\nkey enter\nwait 300\n"
                               "menu 23032\nwait 300\nclick main " + std::string(kFirstMember) + "\nwait 200\n"
                               "snapshot screen " + Path("before.png") + "\n"
                               "down main 800 250\nmove main 803 246\nmove main 806 230\nmove main 808 200\n"
                               "move main 810 180\nwait 200\nsnapshot screen " + Path("dragging.png") +
                               "\nkey escape\nwait 200\nmove main 812 190\nwait 200\nsnapshot screen " +
                               Path("cancelled.png") + "\nup main " + kGeneralRow + "\nwait 300\nquit\n";
    const e2e::Run run = Play(script);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    const QImage before(QString::fromStdString(Path("before.png")));
    const QImage dragging(QString::fromStdString(Path("dragging.png")));
    const QImage cancelled(QString::fromStdString(Path("cancelled.png")));
    ASSERT_FALSE(before.isNull() || dragging.isNull() || cancelled.isNull()) << run.log;
    EXPECT_FALSE(e2e::Differences(before, dragging).Empty()) << "the drag showed its picture";
    // No picture and no drop highlight are left in the tree.
    const QRect tree(740, 140, 260, 160);
    EXPECT_TRUE(e2e::Differences(before.copy(tree), cancelled.copy(tree)).Empty());
    EXPECT_EQ(Titles(folder / (name + ".prj")), std::vector<std::string>({"Form1"})) << run.log;
    EXPECT_TRUE(Titles(folder / "General" / "General.prj").empty());
}
