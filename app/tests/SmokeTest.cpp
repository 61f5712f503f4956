// The program as a user first meets it: it starts, the Info box opens from the menu, a double
// click on the box's caption starts the game from its folder, and everything closes cleanly.
#include "app/tests/E2E.h"

#include <gtest/gtest.h>

#include <QImage>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

constexpr int kInfo = 57664;
constexpr int kNew = 57600;
constexpr int kSaveAs = 57604;

TEST(SmokeTest, StartOpenInfoStartTheGameAndCloseEverything)
{
    if (!e2e::CanRun())
        GTEST_SKIP() << "xvfb-run is not installed";
    const std::string home = e2e::TempFolder();
    ASSERT_FALSE(home.empty());
    // A stand-in game that notes the folder it was started in.
    std::filesystem::create_directories(home + "/Game");
    std::ofstream(home + "/Game/Stackwell") << "#!/bin/sh\npwd > \"" << home << "/game-started\"\n";
    std::filesystem::permissions(home + "/Game/Stackwell", std::filesystem::perms::owner_all);

    const std::string shot = home + "/start.png";
    e2e::Run run = e2e::RunVantrel("wait 300\nscreenshot " + shot + "\nmenu " + std::to_string(kInfo) +
                                       "\nwait 300\ndblclick dialog 3 3\nwait 500\nquit\n",
                                   home);
    EXPECT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(run.log.find("error"), std::string::npos) << run.log;

    std::ifstream started(home + "/game-started");
    std::stringstream folder;
    folder << started.rdbuf();
    EXPECT_EQ(folder.str(), home + "/Game\n") << run.log;

    QImage image(QString::fromStdString(shot));
    ASSERT_FALSE(image.isNull()) << run.log;
    EXPECT_GT(image.width(), 400);
    std::filesystem::remove_all(home);
}

// A document open when the program closes comes back at the next start.
TEST(SmokeTest, TheMostRecentDocumentReopensAtTheNextStart)
{
    if (!e2e::CanRun())
        GTEST_SKIP() << "xvfb-run is not installed";
    const std::string home = e2e::TempFolder();
    ASSERT_FALSE(home.empty());
    const std::string saveAs = "menu " + std::to_string(kSaveAs) + "\n";

    e2e::Run first = e2e::RunVantrel(
        "wait 300\nmenu " + std::to_string(kNew) + "\nfile " + home + "/kept.trn\n" + saveAs + "quit\n", home);
    ASSERT_EQ(first.exitCode, 0) << first.log;
    ASSERT_TRUE(std::filesystem::exists(home + "/kept.trn")) << first.log;

    e2e::Run second = e2e::RunVantrel("wait 500\nfile " + home + "/reopened.trn\n" + saveAs + "quit\n", home);
    ASSERT_EQ(second.exitCode, 0) << second.log;
    EXPECT_TRUE(std::filesystem::exists(home + "/reopened.trn")) << second.log;
    std::filesystem::remove_all(home);
}

} // namespace
