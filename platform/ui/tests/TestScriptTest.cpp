#include "UiFixture.h"

#include "platform/core/System.h"
#include "platform/ui/Menu.h"
#include "platform/ui/TestScript.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

class TestScriptTest : public UiTest {
protected:
    // A script's log outlives it: message boxes of later tests in the same run are still added,
    // so a log left by an earlier run is cleared first.
    void SetUp() override
    {
        UiTest::SetUp();
        std::remove(m_log.c_str());
    }
    void TearDown() override
    {
        std::remove(m_log.c_str());
        UiTest::TearDown();
    }

    // Pumps until the script has played every step.
    void PlayToEnd()
    {
        for (int i = 0; i < 200 && UiTestScript::Playing(); ++i) {
            UiTestHook::PumpPending();
            Sleep(10);
        }
    }

    std::string Log() const
    {
        std::ifstream in(m_log);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::string m_log = "test-script-log.txt";
};

TEST_F(TestScriptTest, LinesThatAreNotStepsAreNamed)
{
    const char* bad[] = {"frobnicate", "click view", "drag view 1 2 3", "key ctrl+", "key hyper+q",
                         "wait soon", "click view 1 2 meta", "screenshot", "drop view 1 2", "clock soon", "size dialog 300",
                         "printer Office 2 3"};
    for (const char* line : bad) {
        std::string error;
        EXPECT_FALSE(UiTestScript::Start({"wait 1", line}, m_log, error)) << line;
        EXPECT_NE(error.find(line), std::string::npos) << error;
        EXPECT_FALSE(UiTestScript::Playing());
    }
}

TEST_F(TestScriptTest, AnswersAreQueuedInStepOrderAndEveryStepIsLogged)
{
    std::string error;
    ASSERT_TRUE(UiTestScript::Start({"# comment", "", "answer 6", "wait 20", "file /tmp/a.trn", "answer 7"}, m_log, error))
        << error;
    PlayToEnd();
    EXPECT_FALSE(UiTestScript::Playing());
    EXPECT_EQ(UiTestHook::PendingMessageBoxAnswers(), 2);
    std::string path;
    EXPECT_TRUE(UiTestHook::TakeFileDialogAnswer(path));
    EXPECT_EQ(path, "/tmp/a.trn");
    EXPECT_EQ(Log(), "step: answer 6\nstep: wait 20\nstep: file /tmp/a.trn\nstep: answer 7\nend\n");
}

TEST_F(TestScriptTest, AScriptedPickOfAGrayedItemPicksNothing)
{
    HWND owner = MakeWindow(WS_OVERLAPPED, {0, 0, 10, 10});
    HMENU menu = CreatePopupMenu();
    AppendMenu(menu, MF_STRING, 101, "On");
    AppendMenu(menu, MF_STRING | MF_GRAYED, 102, "Off");
    UiTestHook::QueueMenuPick(102);
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 0, 0, 0, owner, nullptr), 0);
    UiTestHook::QueueMenuPick(101);
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 0, 0, 0, owner, nullptr), 101);
    DestroyMenu(menu);
}

} // namespace
