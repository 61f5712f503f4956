// The script player drives the real program: steps reach it as user input, a screenshot is
// written, and a bad step ends the program with an error.
#include "app/tests/E2E.h"

#include <gtest/gtest.h>

#include <QImage>

namespace {

constexpr int kFileNew = 0xE100;

class ScriptPlayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!e2e::CanRun())
            GTEST_SKIP() << "xvfb-run is not installed";
        m_home = e2e::TempFolder();
        ASSERT_FALSE(m_home.empty());
    }

    std::string m_home;
};

TEST_F(ScriptPlayerTest, StepsRunInTheProgramAndQuitEndsItCleanly)
{
    std::string shot = m_home + "/main.png";
    e2e::Run run = e2e::RunVantrel("menu " + std::to_string(kFileNew) + "\nwait 300\nscreenshot " + shot + "\nquit\n",
                                   m_home);
    EXPECT_EQ(run.exitCode, 0) << run.log;
    EXPECT_NE(run.log.find("step: screenshot"), std::string::npos) << run.log;
    EXPECT_EQ(run.log.find("error"), std::string::npos) << run.log;
    QImage image(QString::fromStdString(shot));
    ASSERT_FALSE(image.isNull());
    EXPECT_GT(image.width(), 200);
    EXPECT_GT(image.height(), 200);
}

TEST_F(ScriptPlayerTest, AStepThatCannotBePlayedEndsTheProgramWithAnError)
{
    e2e::Run run = e2e::RunVantrel("menu 99999\nquit\n", m_home);
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_NE(run.log.find("error: no menu holds command 99999"), std::string::npos) << run.log;
}

} // namespace
