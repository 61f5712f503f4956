// The links file reader, the ids the pane gives its groups and links, and what a click opens.
#include "shell/LinksPane.h"
#include "shell/Settings.h"

#include "PaneFixture.h"
#include "BmpBytes.h"

#include "platform/sys/Shell.h"
#include "platform/ui/HelpWindow.h"
#include "platform/ui/Resources.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

std::vector<BYTE> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<BYTE>(std::istreambuf_iterator<char>(in), {});
}

// Groups as "caption|base|expanded:link>address#image,..." for comparing.
std::string Describe(const std::list<CLinkGroup>& groups)
{
    std::ostringstream out;
    for (const CLinkGroup& group : groups) {
        out << group.caption << '|' << group.baseAddress << '|' << group.expanded << ':';
        for (const CLinkItem& link : group.links)
            out << link.caption << '>' << link.address << '#' << link.image << ',';
        out << ';';
    }
    return out.str();
}

class LinksPaneTest : public PaneTest {
protected:
    void SetUp() override
    {
        PaneTest::SetUp();
        web = home + "/web";
        SetSettingString(Setting::WebDirectory, web.c_str());
    }
    void TearDown() override
    {
        pane.DestroyWindow();
        parent.DestroyWindow();
        PaneTest::TearDown();
    }
    void Build()
    {
        ASSERT_TRUE(parent.CreateEx(0, PlainClass(), "", WS_OVERLAPPEDWINDOW, 0, 0, 300, 400, nullptr, nullptr));
        ASSERT_TRUE(pane.CreateEx(0, PlainClass(), "", WS_CHILD, CRect(), &parent, 0));
        ASSERT_TRUE(pane.AttachToPane(nullptr));
    }
    void Click(UINT id)
    {
        CXTPTaskItem item(&pane.GetTaskPanel(), TaskItemLink, id);
        pane.SendMessage(WM_XTP_TASKPANELNOTIFY, TaskPanelItemClick, reinterpret_cast<LPARAM>(&item));
    }

    std::string web;
    CWnd parent;
    CLinksPane pane;
};

constexpr const char* kTwoGroups = "2\n"
                                   "\"Start\",\"https://a.example/\",2\n"
                                   "\"Intro\",\"intro.html\",0\n"
                                   "\"Tour\",\"tour.html\",1\n"
                                   "\"Help\",\"https://b.example/\",2,0\n"
                                   "\"FAQ\",\"faq\",2\n"
                                   "\"Run\",\"/bin/sh\",3\n";

TEST_F(LinksPaneTest, TheReaderAcceptsGoodFilesAndRejectsMalformedOnesWhole)
{
    struct Case {
        const char* name;
        const char* text;
        BOOL ok;
        const char* groups;
    };
    const Case cases[] = {
        {"zero groups", "0\n", TRUE, ""},
        {"negative count", "-2\n\"A\",\"b\",1\n", TRUE, ""},
        {"empty first line", "\n1\n\"A\",\"b\",0\n", FALSE, ""},
        {"empty file", "", FALSE, ""},
        {"flag absent is expanded", "1\n\"A\",\"http://x/\",1\n\"L\",\"p\",4\n", TRUE, "A|http://x/|1:L>p#4,;"},
        {"flag 0 collapses", "1\n\"A\",\"b\",0,0\n", TRUE, "A|b|0:;"},
        {"a fourth number changes nothing", "1\n\"A\",\"b\",1\n\"L\",\"p\",4,9\n", TRUE, "A|b|1:L>p#4,;"},
        {"blanks and spaces are skipped", "  1  \n\n\t\"A\",\"b\",1  \n\n  \"L\",\"p\",x\n", TRUE, "A|b|1:L>p#0,;"},
        {"a count below 1 has no links", "2\n\"A\",\"b\",-1\n\"C\",\"d\",0\n", TRUE, "A|b|1:;C|d|1:;"},
        {"text after the last group is not read", "1\n\"A\",\"b\",0\ngarbage\n", TRUE, "A|b|1:;"},
        {"more links promised than follow", "1\n\"A\",\"b\",3\n\"L\",\"p\",1\n", FALSE, ""},
        {"more groups promised than follow", "2\n\"A\",\"b\",0\n", FALSE, ""},
        {"a group without its quote", "1\nA\",\"b\",0\n", FALSE, ""},
        {"a group without the caption end", "1\n\"A\",b\",0\n", FALSE, ""},
        {"a link without the address end", "1\n\"A\",\"b\",1\n\"L\",\"p 1\n", FALSE, ""},
        {"a huge link count ends at the file's end", "1\n\"A\",\"b\",99999999999\n", FALSE, ""},
    };
    for (const Case& c : cases) {
        const std::string path = home + "/urls.txt";
        WriteFile(path, c.text);
        std::list<CLinkGroup> groups;
        EXPECT_EQ(ReadLinkFile(path.c_str(), groups), c.ok) << c.name;
        if (c.ok) {
            EXPECT_EQ(Describe(groups), c.groups) << c.name;
        }
    }
    std::list<CLinkGroup> groups;
    EXPECT_FALSE(ReadLinkFile((home + "/missing.txt").c_str(), groups));
}

TEST_F(LinksPaneTest, GroupsAndLinksAreNumberedInFileOrderFrom200000)
{
    WriteFile(web + "/urls.txt", kTwoGroups);
    Build();
    CXTPTaskPanel& panel = pane.GetTaskPanel();
    ASSERT_EQ(panel.GetGroupCount(), 2);
    EXPECT_EQ(panel.GetAt(0)->GetID(), 200000u);
    EXPECT_EQ(std::string(panel.GetAt(0)->GetCaption()), "Start");
    EXPECT_TRUE(panel.GetAt(0)->IsExpanded());
    EXPECT_EQ(panel.GetAt(0)->GetAt(1)->GetID(), 200002u);
    EXPECT_EQ(panel.GetAt(0)->GetAt(1)->GetIconIndex(), 1);
    EXPECT_EQ(panel.GetAt(1)->GetID(), 200003u);
    EXPECT_FALSE(panel.GetAt(1)->IsExpanded());
    EXPECT_EQ(panel.GetAt(1)->GetAt(1)->GetID(), 200005u);
    EXPECT_EQ(std::string(pane.GetLinkAddress(200001)), "https://a.example/intro.html");
    EXPECT_EQ(std::string(pane.GetLinkAddress(200004)), "https://b.example/faq");
    EXPECT_TRUE(pane.GetLinkAddress(200003).IsEmpty());
}

TEST_F(LinksPaneTest, AClickOpensOnlyAWebLinkWithTheDesktopHandler)
{
    WriteFile(web + "/urls.txt", kTwoGroups);
    Build();
    Click(200002);
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].back(), "https://a.example/tour.html");
    Click(200000);
    Click(200003);
    Click(999);
    EXPECT_EQ(launches.size(), 1u) << "group captions and unknown ids open nothing";
}

TEST_F(LinksPaneTest, OnlyWebAndMailAddressesAreOpened)
{
    WriteFile(web + "/urls.txt", "1\n\"Local\",\"\",2\n\"Run\",\"/bin/sh\",0\n\"Mail\",\"mailto:a@b.example\",0\n");
    Build();
    Click(200001);
    EXPECT_TRUE(launches.empty()) << "a program named by the file is not started";
    Click(200002);
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].back(), "mailto:a@b.example");
}

TEST_F(LinksPaneTest, AddressesWithoutASchemeOpenTheProgramsOwnHelpPagesInItsHelpWindow)
{
    WriteFile(web + "/urls.txt", "1\n\"Help\",\"\",2\n\"Contents\",\"index.html\",6\n\"Gone\",\"gone.html\",0\n");
    Build();
    const std::string contents = std::string(GetHelpFolder()) + "/index.html";
    EXPECT_EQ(std::string(pane.GetLinkAddress(200001)), contents);
    Click(200001);
    EXPECT_TRUE(launches.empty()) << "not the desktop's viewer";
    CHelpWindow* window = CHelpWindow::Current();
    ASSERT_NE(window, nullptr);
    CString title;
    window->GetWindowText(title);
    EXPECT_EQ(std::string(title), "Vantrel Help");
    window->DestroyWindow();
    Click(200002);
    EXPECT_TRUE(launches.empty());
    EXPECT_EQ(CHelpWindow::Current(), nullptr) << "a missing page opens nothing";
}

// What the program ships: every link is a web address or one of its own pages, and every
// link's icon is a cell of the shipped strip.
TEST(ShippedLinks, EveryLinkReachesAShippedPageAndHasItsIcon)
{
    const std::string shipped = VANTREL_SHIPPED;
    std::list<CLinkGroup> groups;
    ASSERT_TRUE(ReadLinkFile((shipped + "/Web/urls.txt").c_str(), groups));
    ASSERT_FALSE(groups.empty());
    const std::vector<BYTE> icons = ReadBytes(shipped + "/Web/icons.bmp");
    HBITMAP strip = LoadBitmapFromFile(&icons);
    ASSERT_NE(strip, nullptr);
    BITMAP info {};
    ::GetObject(strip, sizeof info, &info);
    ::DeleteObject(strip);
    EXPECT_EQ(info.bmHeight, 16);
    EXPECT_EQ(info.bmWidth % 16, 0);
    for (const CLinkGroup& group : groups)
        for (const CLinkItem& link : group.links) {
            const std::string address = std::string(group.baseAddress + link.address);
            if (AddressScheme(address.c_str()).empty())
                EXPECT_TRUE(std::filesystem::is_regular_file(shipped + "/Help/" + address)) << address;
            else
                EXPECT_EQ(ClassifyShellTarget(address.c_str()), ShellTarget::webAddress) << address;
            EXPECT_GE(link.image, 0) << address;
            EXPECT_LT(link.image, info.bmWidth / 16) << address;
        }
}

TEST_F(LinksPaneTest, AMalformedFileLeavesThePanelWithoutGroups)
{
    WriteFile(web + "/urls.txt", "2\n\"Start\",\"https://a.example/\",1\n\"Intro\",\"intro.html\",0\n");
    Build();
    EXPECT_EQ(pane.GetTaskPanel().GetGroupCount(), 0);
    Click(200001);
    EXPECT_TRUE(launches.empty());
}

TEST_F(LinksPaneTest, IconsComeFromTheStripOfSixteenPixelCells)
{
    WriteFile(web + "/urls.txt", "0\n");
    const std::vector<BYTE> strip = MakeBmp(48, 16, [](int x, int) { return x < 16 ? RGB(0, 255, 0) : RGB(200, 0, 0); });
    WriteFile(web + "/icons.bmp", std::string(strip.begin(), strip.end()));
    Build();
    EXPECT_EQ(pane.GetImageCount(), 3);
}

} // namespace
