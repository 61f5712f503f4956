// Closing a changed document by every path a user has: Window > Close All, the main window,
// closing the project that holds it and the end of the desktop session. Each asks Save / Don't
// Save / Cancel first, and Cancel keeps the document open and changed on the screen.
#include "app/tests/E2E.h"
#include "app/tests/RoadTest.h"
#include "app/tests/SavedPage.h"

#include "View/MyView.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cctype>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

constexpr int kNew = 57600;
constexpr int kCloseAll = 34032;
constexpr int kNewProject = 23020;
constexpr int kCloseProject = 23022;
constexpr int kNewWorksheet = 23032;
constexpr int kYes = 6;
constexpr int kNo = 7;
constexpr int kCancel = 2;
// The primary selection's handles.
constexpr QRgb kHandle = qRgb(0, 255, 255);
constexpr const char* kPrompt = "box: Save changes to";

std::string Menu(int id)
{
    return "menu " + std::to_string(id) + "\nwait 300\n";
}

std::string Answer(int id)
{
    return "answer " + std::to_string(id) + "\n";
}

// A rectangle drawn on the page leaves the document changed and the rectangle selected.
const std::string kChange = Menu(CMyView::ToolRectangle) + "drag view 100 100 300 200\nwait 300\n";

size_t Count(const std::string& text, const std::string& part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

class CloseRoadTest : public e2e::RoadTest {
protected:
    std::string Shot(const char* name) const { return "screenshot " + Path(name) + "\n"; }

    // Whether the screenshot shows the selected rectangle, that is the changed document.
    bool ShowsTheRectangle(const char* name) const
    {
        const QImage image(QString::fromStdString(Path(name)));
        EXPECT_FALSE(image.isNull()) << name;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if ((image.pixel(x, y) & 0xFFFFFF) == (kHandle & 0xFFFFFF))
                    return true;
        return false;
    }
};

struct CloseAllCase {
    const char* name;
    int answer;
    bool staysOpen;
    bool saved;
};

TEST_F(CloseRoadTest, CloseAllAsksAndEachAnswerDoesWhatItSays)
{
    const CloseAllCase cases[] = {
        {"cancel", kCancel, true, false},
        {"dont-save", kNo, false, false},
        {"save", kYes, false, true},
    };
    for (const CloseAllCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = std::string(c.name) + ".trn";
        const std::string shot = std::string(c.name) + ".png";
        e2e::Run run = Play("wait 300\n" + Menu(kNew) + kChange + Shot("before.png") + "file " + Path(file.c_str()) +
                            "\n" + Answer(c.answer) + Menu(kCloseAll) + Shot(shot.c_str()) + Answer(kNo) + "quit\n");
        EXPECT_TRUE(ShowsTheRectangle("before.png"));
        EXPECT_EQ(ShowsTheRectangle(shot.c_str()), c.staysOpen) << run.log;
        // A document kept open is still changed: leaving the program asks again.
        EXPECT_EQ(Count(run.log, kPrompt), c.staysOpen ? 2u : 1u) << run.log;
        EXPECT_EQ(fs::exists(Path(file.c_str())), c.saved);
        if (c.saved) {
            CMyView page;
            ASSERT_TRUE(e2e::ReadSavedPage(Path(file.c_str()), page));
            EXPECT_EQ(page.GetObjects().GetSize(), 1);
        }
    }
}

TEST_F(CloseRoadTest, ClosingTheMainWindowAsksAndCancelKeepsTheProgramRunning)
{
    e2e::Run run = Play("wait 300\n" + Menu(kNew) + kChange + Answer(kCancel) + "quit\nwait 500\n" +
                        Shot("kept.png") + Answer(kNo) + "quit\n");
    EXPECT_TRUE(ShowsTheRectangle("kept.png")) << run.log;
    EXPECT_EQ(Count(run.log, kPrompt), 2u) << run.log;
}

TEST_F(CloseRoadTest, TheEndOfTheSessionAsksAndCancelKeepsItGoing)
{
    e2e::Run run = Play("wait 300\n" + Menu(kNew) + kChange + Answer(kCancel) + "endsession\nwait 300\n" +
                        Shot("kept.png") + "file " + Path("session.trn") + "\n" + Answer(kYes) +
                        "endsession\nwait 300\nquit\n");
    EXPECT_TRUE(ShowsTheRectangle("kept.png")) << run.log;
    EXPECT_NE(run.log.find("session: goes on"), std::string::npos) << run.log;
    EXPECT_NE(run.log.find("session: ends"), std::string::npos) << run.log;
    // Saved at the session's end, the document no longer counts as changed.
    EXPECT_EQ(Count(run.log, kPrompt), 2u) << run.log;
    EXPECT_TRUE(fs::exists(Path("session.trn")));
}

// The project lives in the program's folder: a name of this test's own keeps it apart.
TEST_F(CloseRoadTest, ClosingTheProjectAsksForItsChangedDocument)
{
    std::string name = "Close";
    for (char c : fs::path(home).filename().string().substr(12))
        if (std::isalpha(static_cast<unsigned char>(c)))
            name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const fs::path folder = fs::path(VANTREL_PROGRAM).parent_path() / "Project" / name;
    e2e::Run run = Play("wait 300\n" + Menu(kNewProject) + "type " + name + "\nkey enter\nwait 300\n" +
                        Menu(kNewWorksheet) + kChange + Answer(kCancel) + Menu(kCloseProject) + Shot("kept.png") +
                        Answer(kNo) + Menu(kCloseProject) + Shot("closed.png") + "quit\n");
    fs::remove_all(folder);
    EXPECT_TRUE(ShowsTheRectangle("kept.png")) << run.log;
    EXPECT_FALSE(ShowsTheRectangle("closed.png")) << run.log;
    EXPECT_EQ(Count(run.log, kPrompt), 2u) << run.log;
}

} // namespace
