// Work that survives a crash: the program is killed (SIGKILL) with changes on its page, or in
// the middle of writing a save, and what is on the disk afterwards is opened again: the
// autosave copy is offered and brings the changes back.
#include "app/tests/E2E.h"
#include "app/tests/RecoveryFixture.h"

#include "View/MyView.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QRect>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using e2e::Contents;
using e2e::Draw;
using e2e::kHold;
using e2e::kNew;
using e2e::kNo;
using e2e::kOpen;
using e2e::kSave;
using e2e::kYes;
using e2e::LinePixels;
using e2e::Menu;

// Around the rectangle drawn before the save and the ellipse drawn after it.
const QRect kRectangleBox(95, 95, 210, 110), kEllipseBox(345, 95, 110, 110);

class CrashRoadTest : public e2e::RecoveryFixture {
protected:
    // The document saved once with a rectangle at 100..300 across.
    std::string SavedRectangle() const
    {
        return "wait 300\n" + Menu(kNew) + Draw(CMyView::ToolRectangle, "100 100 300 200") + Save("plan.trn");
    }

    std::string AutoSaveFolder() const { return Path("data/Korvane/Vantrel Q8/Autosave"); }
    std::vector<std::string> CopiesLeft() const
    {
        std::vector<std::string> copies;
        if (std::filesystem::exists(AutoSaveFolder()))
            for (const auto& entry : std::filesystem::directory_iterator(AutoSaveFolder()))
                copies.push_back(entry.path().string());
        return copies;
    }
};

TEST_F(CrashRoadTest, AfterAKillOpeningTheDocumentOffersItsNewerAutosaveCopy)
{
    UseSettings("[Settings]\nAutoSave=1\n");
    const e2e::Run run = e2e::RunVantrelKilledWhen(
        SavedRectangle() + Draw(CMyView::ToolEllipse, "350 100 450 200") + kHold + "\n", home,
        [this] { return Holding([this] { return std::filesystem::exists(Path("~plan.trn")); }); });
    ASSERT_TRUE(run.killed) << run.log;
    EXPECT_EQ(ObjectsIn("plan.trn"), 1) << "the saved file is untouched";
    ASSERT_EQ(ObjectsIn("~plan.trn"), 2) << "the autosave copy holds the ellipse";

    // Declined: the document as saved, and the copy stays for another time.
    const QImage original = OpenAndSnapshot("plan.trn", "original.png", kNo);
    EXPECT_TRUE(offered);
    ASSERT_FALSE(original.isNull());
    EXPECT_GT(LinePixels(original, kRectangleBox), 100) << "the rectangle";
    EXPECT_EQ(LinePixels(original, kEllipseBox), 0) << "the original shows no ellipse";
    ASSERT_EQ(ObjectsIn("~plan.trn"), 2) << "a declined copy is kept";

    // Taken: the ellipse is back, and saving makes it the document's and removes the copy.
    const QImage copy = OpenAndSnapshot("plan.trn", "copy.png", kYes, Menu(kSave));
    EXPECT_TRUE(offered);
    ASSERT_FALSE(copy.isNull());
    EXPECT_GT(LinePixels(copy, kRectangleBox), 100) << "the rectangle";
    EXPECT_GT(LinePixels(copy, kEllipseBox), 100) << "the ellipse drawn before the kill";
    EXPECT_EQ(ObjectsIn("plan.trn"), 2);
    EXPECT_FALSE(std::filesystem::exists(Path("~plan.trn")));

    OpenAndSnapshot("plan.trn", "saved.png");
    EXPECT_FALSE(offered) << "no copy is left to offer";
}

TEST_F(CrashRoadTest, ANeverSavedDocumentIsOfferedAtTheNextStart)
{
    UseSettings("[Settings]\nAutoSave=1\n");
    const e2e::Run run = e2e::RunVantrelKilledWhen(
        "wait 300\n" + Menu(kNew) + Draw(CMyView::ToolRectangle, "100 100 300 200") + kHold + "\n", home,
        [this] { return Holding([this] { return !CopiesLeft().empty(); }); });
    ASSERT_TRUE(run.killed) << run.log;
    const std::vector<std::string> copies = CopiesLeft();
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(std::filesystem::path(copies[0]).filename().string().rfind("~unsaved-", 0), 0u) << copies[0];

    // Cancel keeps the copy for the next start.
    Play("answer 2\nwait 1000\nquit\n");
    ASSERT_EQ(CopiesLeft(), copies);

    const e2e::Run rescued = Play("answer " + std::to_string(kYes) + "\nwait 1000\nsnapshot view " +
                                  Path("rescued.png") + "\n" + Save("rescued.trn") + "quit\n");
    EXPECT_NE(rescued.log.find("box: A document that was never saved"), std::string::npos) << rescued.log;
    const QImage shown(QString::fromStdString(Path("rescued.png")));
    ASSERT_FALSE(shown.isNull());
    EXPECT_GT(LinePixels(shown, kRectangleBox), 100) << "the rectangle drawn before the kill";
    EXPECT_EQ(ObjectsIn("rescued.trn"), 1);
    EXPECT_TRUE(CopiesLeft().empty()) << "saving removed the copy";
}

TEST_F(CrashRoadTest, ASaveKilledMidWriteLeavesThePreviousFile)
{
    const e2e::Run first = e2e::RunVantrel(SavedRectangle() + "quit\n", home);
    ASSERT_EQ(first.exitCode, 0) << first.log;
    const std::string before = Contents(Path("plan.trn"));
    ASSERT_GT(before.size(), 100u);

    // The save of the changed page ends the process after its first 100 bytes.
    setenv("VANTREL_TEST_WRITE_KILL", "100:plan.trn", 1);
    const e2e::Run killed = e2e::RunVantrel("wait 300\nfile " + Path("plan.trn") + "\n" + Menu(kOpen) + "wait 300\n" +
                                                Draw(CMyView::ToolEllipse, "350 100 450 200") + Menu(kSave) + kHold +
                                                "\n",
                                            home, 60);
    unsetenv("VANTREL_TEST_WRITE_KILL");
    EXPECT_NE(killed.exitCode, 0) << killed.log;
    EXPECT_EQ(killed.log.find("step: " + kHold), std::string::npos) << "the save never finished";
    EXPECT_EQ(Contents(Path("plan.trn")), before);
    EXPECT_EQ(Contents(Path(".plan.trn.saving")).size(), 100u) << "the new file, cut off where the kill came";

    const QImage shown = OpenAndSnapshot("plan.trn", "reopened.png");
    ASSERT_FALSE(shown.isNull());
    EXPECT_GT(LinePixels(shown, kRectangleBox), 100) << "the rectangle";
    EXPECT_EQ(LinePixels(shown, kEllipseBox), 0) << "the unsaved ellipse";
    EXPECT_FALSE(std::filesystem::exists(Path(".plan.trn.saving"))) << "opening removed the cut-off file";
}

} // namespace
