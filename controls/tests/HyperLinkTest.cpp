// The link label: its text and address, its size, its colours, and what a click opens.
#include "PictureKit.h"

#include "controls/HyperLink.h"
#include "platform/sys/Shell.h"
#include "platform/sys/ShellLauncher.h"

#include <string>
#include <vector>

namespace {

constexpr UINT IDC_LINK = 1017;

class HyperLinkTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        UiTestHook::Reset();
        ASSERT_TRUE(parent.Open());
        SetShellLauncher([this](const ShellLaunch& launch) {
            launches.push_back(launch.argv);
            return 0;
        });
    }
    void TearDown() override
    {
        SetShellLauncher({});
        link.DestroyWindow();
        plain.DestroyWindow();
        parent.DestroyWindow();
        UiTest::TearDown();
    }
    // A static from a template, taken over by the link as a dialog does.
    void Make(const char* text, DWORD align, const char* url = nullptr)
    {
        ASSERT_TRUE(plain.Create(text, WS_CHILD | WS_VISIBLE | align, CRect(20, 20, 220, 60), &parent, IDC_LINK));
        HWND hwnd = plain.Detach();
        if (url)
            link.SetUrl(url);
        ASSERT_TRUE(link.SubclassWindow(hwnd));
    }
    CRect PlacedRect()
    {
        CRect r;
        link.GetWindowRect(&r);
        parent.ScreenToClient(&r);
        return r;
    }
    CString Text()
    {
        CString text;
        link.GetWindowText(text);
        return text;
    }

    RecordingWindow parent;
    CStatic plain;
    CHyperLink link;
    std::vector<std::vector<std::string>> launches;
};

TEST_F(HyperLinkTest, AnEmptyTextShowsTheAddressAndANoAddressLinkOpensItsText)
{
    Make("", SS_LEFT, "https://www.korvane.example/");
    EXPECT_EQ(Text(), CString("https://www.korvane.example/"));
    link.DestroyWindow();

    CHyperLink second;
    ASSERT_TRUE(plain.Create("https://learn.example/", WS_CHILD | WS_VISIBLE, CRect(20, 80, 220, 100), &parent, 7));
    ASSERT_TRUE(second.SubclassWindow(plain.Detach()));
    EXPECT_EQ(second.GetUrl(), CString("https://learn.example/"));
    second.DestroyWindow();
}

TEST_F(HyperLinkTest, SizingToTheTextKeepsTheEdgeItsAlignmentSays)
{
    struct Case {
        DWORD align;
        int kept;  // 0 the left edge, 1 the right edge, 2 the centre
    };
    for (Case c : {Case{SS_LEFT, 0}, Case{SS_RIGHT, 1}, Case{SS_CENTER, 2}}) {
        Make("www.korvane.example", c.align);
        const CRect r = PlacedRect();
        EXPECT_LT(r.Width(), 200) << c.align;
        EXPECT_GT(r.Width(), 20) << c.align;
        EXPECT_EQ(r.top, 20) << c.align;
        if (c.kept == 0)
            EXPECT_EQ(r.left, 20);
        else if (c.kept == 1)
            EXPECT_EQ(r.right, 220);
        else
            EXPECT_NEAR(r.CenterPoint().x, 120, 1);
        link.DestroyWindow();
    }
}

TEST_F(HyperLinkTest, AClickOpensTheAddressOnceAndTheLinkTurnsVisited)
{
    Make("www.korvane.example", SS_LEFT);
    EXPECT_EQ(link.GetTextColour(), CHyperLink::LinkColour);
    link.OnClicked();
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].back(), "https://www.korvane.example");
    EXPECT_TRUE(link.IsVisited());
    EXPECT_EQ(link.GetTextColour(), CHyperLink::VisitedColour);
    EXPECT_EQ(UiTestHook::MessageBoxCount(), 0);
}

TEST_F(HyperLinkTest, ProgramsAndMissingFilesAreRefusedWithTheReport)
{
    struct Case {
        const char* url;
        int code;
    };
    for (Case c : {Case{"/bin/sh", SE_ERR_ACCESSDENIED}, Case{"/no/such/file.trn", SE_ERR_FNF}}) {
        launches.clear();
        EXPECT_EQ(CHyperLink::GotoURL(c.url, SW_SHOW), c.code) << c.url;
        EXPECT_TRUE(launches.empty()) << c.url;
    }
    Make("x", SS_LEFT, "/bin/sh");
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    link.OnClicked();
    EXPECT_FALSE(link.IsVisited());
    EXPECT_EQ(UiTestHook::LastMessageBoxText(),
              "Unable to open hyperlink:\n\nThe operating system denied\naccess to the specified file.");
}

TEST_F(HyperLinkTest, ErrorTextsByCode)
{
    struct Case {
        int code;
        const char* reason;
    };
    for (Case c : {Case{0, "The operating system is out\nof memory or resources."},
                   Case{31, "There is no application associated\nwith the given filename extension."},
                   Case{26, "A sharing violation occurred. "}, Case{99, "Unknown Error (99) occurred."}})
        EXPECT_EQ(CHyperLink::ErrorText(c.code), CString("Unable to open hyperlink:\n\n") + c.reason) << c.code;
}

TEST_F(HyperLinkTest, TheTextIsDrawnInTheLinkColourThenTheVisitedColour)
{
    Make("WWWWWWWW", SS_LEFT, "https://a.example/");
    auto count = [&](COLORREF colour) {
        link.Invalidate();
        UiTestHook::PumpPending();
        const CRect r = PlacedRect();
        int found = 0;
        for (int y = 0; y < r.Height(); ++y)
            for (int x = 0; x < r.Width(); ++x)
                found += UiTestHook::PixelAt(link.GetSafeHwnd(), CPoint(x, y)) == colour;
        return found;
    };
    EXPECT_GT(count(CHyperLink::LinkColour), 10);
    link.SetVisited(TRUE);
    EXPECT_EQ(count(CHyperLink::LinkColour), 0);
    EXPECT_GT(count(CHyperLink::VisitedColour), 10);
}

} // namespace
