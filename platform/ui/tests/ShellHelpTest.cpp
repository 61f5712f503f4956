#include "UiFixture.h"
#include "platform/core/StringTable.h"
#include "platform/sys/ShellLauncher.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/Document.h"
#include "platform/ui/Help.h"
#include "platform/ui/MDIChildWnd.h"
#include "platform/ui/View.h"
#include "platform/ui/WinApp.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class CTypeDoc : public CDocument {
    DECLARE_DYNCREATE(CTypeDoc)
};
IMPLEMENT_DYNCREATE(CTypeDoc, CDocument)
class CTypeView : public CView {
    DECLARE_DYNCREATE(CTypeView)
    void OnDraw(CDC*) override { }
};
IMPLEMENT_DYNCREATE(CTypeView, CView)

// Launches are recorded, not made; the desktop tool "answers" with m_answer.
class ShellHelpTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        m_folder = fs::temp_directory_path() / ("vantrel-ui-shell-" + std::to_string(::getpid()));
        fs::create_directories(m_folder);
        std::ofstream(m_folder / "Vantrel.chm") << "help";
        SetShellLauncher([this](const ShellLaunch& launch) {
            m_launches.push_back(launch.argv);
            return m_answer;
        });
        m_app = new CWinApp("Vantrel Q8");
    }
    void TearDown() override
    {
        delete m_app;
        SetShellLauncher({});
        fs::remove_all(m_folder);
        UiTest::TearDown();
    }

    void SetHelpFile(const fs::path& path) { m_app->m_pszHelpFilePath = strdup(path.c_str()); }

    fs::path m_folder;
    CWinApp* m_app = nullptr;
    std::vector<std::vector<std::string>> m_launches;
    int m_answer = 0;
};

TEST_F(ShellHelpTest, HelpCommandsOpenTheHelpFileInTheDesktopsViewer)
{
    SetHelpFile(m_folder / "Vantrel.chm");
    int boxes = UiTestHook::MessageBoxCount();
    m_app->OnHelp();
    m_app->OnHelpIndex();
    m_app->WinHelp(0, HELP_QUIT);
    std::vector<std::string> expected = { "xdg-open", (m_folder / "Vantrel.chm").string() };
    EXPECT_EQ(m_launches, (std::vector<std::vector<std::string>> { expected, expected }));
    EXPECT_EQ(UiTestHook::MessageBoxCount(), boxes);
}

TEST_F(ShellHelpTest, AMissingHelpFileIsNamedInAMessage)
{
    SetHelpFile(m_folder / "Missing.chm");
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    m_app->OnHelp();
    EXPECT_TRUE(m_launches.empty());
    EXPECT_EQ(UiTestHook::LastMessageBoxText(),
        "The help file could not be found:\n" + (m_folder / "Missing.chm").string());
}

TEST_F(ShellHelpTest, AHelpFileNobodyCanShowIsSaid)
{
    SetHelpFile(m_folder / "Vantrel.chm");
    m_answer = 3;
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    m_app->OnHelp();
    EXPECT_EQ(m_launches.size(), 1u);
    EXPECT_EQ(UiTestHook::LastMessageBoxText(),
        "There is no program to show the help file:\n" + (m_folder / "Vantrel.chm").string());
}

TEST_F(ShellHelpTest, HtmlHelpOpensTheFileOfATopic)
{
    std::string topic = (m_folder / "Vantrel.chm").string() + "::/start.htm";
    HWND caller = MakeWindow(WS_OVERLAPPEDWINDOW, { 0, 0, 100, 100 });
    EXPECT_EQ(HtmlHelp(caller, topic.c_str(), HH_DISPLAY_TOPIC, 0), caller);
    EXPECT_EQ(HtmlHelp(caller, nullptr, HH_CLOSE_ALL, 0), nullptr);
    ASSERT_EQ(m_launches.size(), 1u);
    EXPECT_EQ(m_launches[0][1], (m_folder / "Vantrel.chm").string());
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    std::string missing = (m_folder / "None.chm").string();
    EXPECT_EQ(HtmlHelp(caller, missing.c_str(), HH_DISPLAY_TOPIC, 0), nullptr);
}

TEST_F(ShellHelpTest, EveryTemplatesTypeIsRegisteredWithTheDesktop)
{
    std::optional<std::string> oldData;
    if (const char* value = std::getenv("XDG_DATA_HOME"))
        oldData = value;
    std::optional<std::string> oldConfig;
    if (const char* value = std::getenv("XDG_CONFIG_HOME"))
        oldConfig = value;
    setenv("XDG_DATA_HOME", (m_folder / "data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (m_folder / "config").c_str(), 1);
    RegisterStringResource(
        940, "Vantrel\nDocument \n\nVantrel Files (*.trn)\n.trn\nVantrelQ8.Document\nVantrel Document");
    RegisterStringResource(
        941, "Vantrel\nDocument \n\nVantrel Projects (*.prj)\n.prj\nVantrelQ8.Project\nVantrel Project");
    RegisterStringResource(942, "Vantrel\nDocument \n\nNo type\n\n\n");
    for (UINT id : { 940, 941, 942 })
        m_app->AddDocTemplate(new CMultiDocTemplate(
            id, RUNTIME_CLASS(CTypeDoc), RUNTIME_CLASS(CMDIChildWnd), RUNTIME_CLASS(CTypeView)));
    m_app->EnableShellOpen();
    EXPECT_TRUE(m_app->RegisterShellFileTypes(FALSE));
    std::ifstream package(m_folder / "data/mime/packages/platform_ui_tests.xml");
    std::string xml((std::istreambuf_iterator<char>(package)), {});
    EXPECT_NE(xml.find("<glob pattern=\"*.trn\"/>"), std::string::npos) << xml;
    EXPECT_NE(xml.find("<comment>Vantrel Project</comment>"), std::string::npos);
    EXPECT_EQ(xml.find("No type"), std::string::npos);
    ASSERT_EQ(m_launches.size(), 1u);
    EXPECT_EQ(m_launches[0][0], "update-mime-database");
    for (const auto& [name, value] :
        { std::pair { "XDG_DATA_HOME", oldData }, std::pair { "XDG_CONFIG_HOME", oldConfig } }) {
        if (value)
            setenv(name, value->c_str(), 1);
        else
            unsetenv(name);
    }
}

} // namespace
