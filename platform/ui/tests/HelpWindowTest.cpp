#include "UiFixture.h"
#include "platform/sys/ShellLauncher.h"
#include "platform/ui/Help.h"
#include "platform/ui/HelpPages.h"
#include "platform/ui/HelpWindow.h"
#include "platform/ui/WebAddress.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Two pages that link to each other and to the web; each link is the page's first line.
class HelpWindowTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        m_folder = fs::temp_directory_path() / ("vantrel-ui-help-" + std::to_string(::getpid()));
        fs::create_directories(m_folder / "with space");
        Page("index.html", "Contents", "<a href=\"with space/topic.html\">TopicTopicTopic</a><p>More.</p>");
        Page("with space/topic.html", "Topic", "<a href=\"https://help.example/more\">WebWebWebWeb</a>");
        SetShellLauncher([this](const ShellLaunch& launch) {
            m_launches.push_back(launch.argv);
            return m_answer;
        });
    }
    void TearDown() override
    {
        if (CHelpWindow* window = CHelpWindow::Current())
            window->DestroyWindow();
        SetShellLauncher({});
        fs::remove_all(m_folder);
        UiTest::TearDown();
    }
    void Page(const std::string& name, const std::string& title, const std::string& body) const
    {
        std::ofstream(m_folder / name) << "<html><head><title>" << title << "</title></head><body>" << body
                                       << "</body></html>";
    }
    std::string File(const std::string& name) const { return (m_folder / name).string(); }
    static CString Caption(CWnd* window)
    {
        CString text;
        window->GetWindowText(text);
        return text;
    }

    fs::path m_folder;
    std::vector<std::vector<std::string>> m_launches;
    int m_answer = 0;
};

// Just inside the top left corner of the text: the first link of each page.
constexpr int kWidth = 400;
constexpr int kFirstLine = 18;

TEST_F(HelpWindowTest, PagesFollowTheirLinksBackAndForward)
{
    HelpPages pages;
    EXPECT_FALSE(pages.Open(File("missing.html")));
    ASSERT_TRUE(pages.Open(File("index.html")));
    EXPECT_EQ(pages.Title(), "Contents");
    EXPECT_FALSE(pages.CanGoBack());
    const std::string link = pages.LinkAt(kWidth, 20, kFirstLine);
    EXPECT_EQ(link, "file://" + File("with space/topic.html"));
    EXPECT_EQ(pages.LinkAt(kWidth, 20, 200), "") << "below the text";
    ASSERT_TRUE(pages.Open(link));
    EXPECT_EQ(pages.Title(), "Topic");
    EXPECT_EQ(pages.LinkAt(kWidth, 20, kFirstLine), "https://help.example/more");
    EXPECT_FALSE(HelpPages::IsLocal("https://help.example/more"));
    ASSERT_TRUE(pages.Back());
    EXPECT_EQ(pages.Title(), "Contents");
    EXPECT_TRUE(pages.CanGoForward());
    ASSERT_TRUE(pages.Forward());
    EXPECT_EQ(pages.Title(), "Topic");
    EXPECT_FALSE(pages.Forward());
}

TEST_F(HelpWindowTest, APictureShowsThePartOfThePageFromItsTop)
{
    HelpPages pages;
    ASSERT_TRUE(pages.Open(File("index.html")));
    const int height = pages.Height(kWidth);
    EXPECT_GT(height, 2 * kFirstLine);
    const auto inked = [](const std::vector<uint32_t>& pixels) {
        return std::count_if(pixels.begin(), pixels.end(), [](uint32_t p) { return (p & 0xFFFFFF) != 0xFFFFFF; });
    };
    const std::vector<uint32_t> top = pages.Picture(kWidth, 30, 0);
    ASSERT_EQ(top.size(), size_t(kWidth * 30));
    EXPECT_GT(inked(top), 50) << "the link's text";
    EXPECT_EQ(inked(pages.Picture(kWidth, 30, height)), 0) << "below the page";
}

TEST_F(HelpWindowTest, HtmlHelpShowsPagesInOneWindowOfTheProgram)
{
    HWND owner = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, { 0, 0, 800, 600 });
    HWND shown = HtmlHelp(owner, File("index.html").c_str(), HH_DISPLAY_TOC, 0);
    CHelpWindow* window = CHelpWindow::Current();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(shown, window->m_hWnd);
    EXPECT_TRUE(window->IsWindowVisible());
    EXPECT_EQ(Caption(window), "Contents");
    EXPECT_FALSE(window->GetDlgItem(100)->IsWindowEnabled()) << "no page to go back to";

    EXPECT_EQ(HtmlHelp(owner, File("with space/topic.html").c_str(), HH_DISPLAY_TOPIC, 0), shown) << "one window";
    EXPECT_EQ(Caption(window), "Topic");
    EXPECT_TRUE(window->GetDlgItem(100)->IsWindowEnabled());
    window->GoBack();
    EXPECT_EQ(Caption(window), "Contents");
    EXPECT_TRUE(window->GetDlgItem(101)->IsWindowEnabled());
    EXPECT_TRUE(m_launches.empty()) << "nothing went to the desktop";

    HtmlHelp(owner, nullptr, HH_CLOSE_ALL, 0);
    EXPECT_EQ(CHelpWindow::Current(), nullptr);
}

TEST_F(HelpWindowTest, WebAddressesOfPagesGoToTheDesktopWhichMayHaveNoBrowser)
{
    CHelpWindow* window = CHelpWindow::ShowPage(nullptr, File("index.html").c_str());
    ASSERT_NE(window, nullptr);
    window->Follow("https://help.example/more");
    ASSERT_EQ(m_launches.size(), 1u);
    EXPECT_EQ(m_launches[0], (std::vector<std::string> { "xdg-open", "https://help.example/more" }));
    EXPECT_EQ(Caption(window), "Contents") << "the page stays";

    m_answer = 3; // xdg-open: no program for the kind
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    EXPECT_FALSE(OpenWebAddress("https://help.example/more"));
    EXPECT_EQ(UiTestHook::LastMessageBoxText(),
              "There is no program on this desktop to open the address:\nhttps://help.example/more");
}

TEST_F(HelpWindowTest, AnUnreadablePageIsNamedAndOpensNoWindow)
{
    const std::string folder = File("with space");
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    EXPECT_EQ(HtmlHelp(nullptr, (folder + "/gone.html").c_str(), HH_DISPLAY_TOPIC, 0), nullptr);
    EXPECT_EQ(UiTestHook::LastMessageBoxText(), "The help file could not be found:\n" + folder + "/gone.html");
    EXPECT_EQ(CHelpWindow::Current(), nullptr);
}

} // namespace
