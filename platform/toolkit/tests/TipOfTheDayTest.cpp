// The tip of the day: tips from the file, Next Tip wrapping, and the start-up switch and the
// next tip kept in the profile.
#include "ToolkitFixture.h"

#include "platform/toolkit/XTTipOfTheDay.h"

#include <cstdio>
#include <string>

namespace {

class TipOfTheDayTest : public ToolkitTest {
protected:
    void SetUp() override
    {
        ToolkitTest::SetUp();
        MakeFrame(false);
        app->WriteProfileString("Tip", nullptr, nullptr);
        path = std::string(getenv("XDG_CONFIG_HOME")) + "/tips.txt";
        FILE* f = std::fopen(path.c_str(), "w");
        std::fputs("First tip.\n; a comment\n\n  Second tip.  \nThird tip.\n", f);
        std::fclose(f);
    }
    CString Shown(CXTTipOfTheDay& tip)
    {
        CString text;
        tip.GetDlgItemText(CXTTipOfTheDay::kTipText, text);
        return text;
    }
    std::string path;
};

} // namespace

TEST_F(TipOfTheDayTest, NextTipWalksTheTipsOfTheFileAndWraps)
{
    CXTTipOfTheDay tip(path.c_str(), frame);
    ASSERT_EQ(tip.GetTipCount(), 3);
    ASSERT_TRUE(tip.CreateIndirect(CXTTipOfTheDay::BuildTemplate(), frame));
    const char* expected[] = {"First tip.", "Second tip.", "Third tip.", "First tip."};
    for (const char* text : expected) {
        EXPECT_STREQ(Shown(tip), text);
        tip.SendMessage(WM_COMMAND, CXTTipOfTheDay::kNextTip, 0);
    }
    tip.DestroyWindow();
}

TEST_F(TipOfTheDayTest, ClosingKeepsTheStartUpSwitchAndTheNextTip)
{
    EXPECT_TRUE(CXTTipOfTheDay().IsShowAtStartup());
    {
        CXTTipOfTheDay tip(path.c_str(), frame);
        ASSERT_TRUE(tip.CreateIndirect(CXTTipOfTheDay::BuildTemplate(), frame));
        EXPECT_EQ(tip.IsDlgButtonChecked(CXTTipOfTheDay::kShowAtStartup), BST_CHECKED);
        tip.CheckDlgButton(CXTTipOfTheDay::kShowAtStartup, BST_UNCHECKED);
        tip.SendMessage(WM_COMMAND, IDOK, 0);
        tip.DestroyWindow();
    }
    EXPECT_FALSE(CXTTipOfTheDay().IsShowAtStartup());
    CXTTipOfTheDay again(path.c_str(), frame);
    EXPECT_STREQ(again.GetCurrentTip(), "Second tip.");
}

TEST_F(TipOfTheDayTest, AMissingFileShowsANoteAndNoNextTip)
{
    app->WriteProfileInt("Tip", "FilePos", 7);
    CXTTipOfTheDay tip((path + ".missing").c_str(), frame);
    EXPECT_EQ(tip.GetTipCount(), 0);
    ASSERT_TRUE(tip.CreateIndirect(CXTTipOfTheDay::BuildTemplate(), frame));
    EXPECT_FALSE(Shown(tip).IsEmpty());
    EXPECT_FALSE(tip.GetDlgItem(CXTTipOfTheDay::kNextTip)->IsWindowEnabled());
    tip.SendMessage(WM_COMMAND, CXTTipOfTheDay::kNextTip, 0);
    tip.DestroyWindow();
}
