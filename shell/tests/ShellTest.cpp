// The application shell started for real on the offscreen display: start-up and its failure
// paths, the frame's panes, routing and saved state, the text lookup, the tips file and the
// game started from the Info box.
#include "shell/AboutDlg.h"
#include "shell/AudioManager.h"
#include "shell/MainFrame.h"
#include "shell/NotesMgr.h"
#include "shell/Settings.h"
#include "shell/SplashDlg.h"
#include "shell/VantrelApp.h"

#include "UiFixture.h"
#include "View/HyperView.h"
#include "View/MyView.h"
#include "objects/kinds/BorderOb.h"
#include "platform/sys/ShellLauncher.h"
#include "platform/media/Acm.h"
#include "platform/toolkit/XTPCommandBars.h"
#include "platform/toolkit/XTPControl.h"
#include "platform/toolkit/XTPToolBar.h"
#include "platform/sys/parlex/Parlex.h"
#include "platform/toolkit/XTPPaintManager.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/Document.h"
#include "res/ProgramResources.h"

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr UINT kClaimedCommand = CHyperView::CmdGrid;

// An audio manager that takes the grid command, which the view handles too.
class CClaimingAudioManager : public CAudioManager {
public:
    void OnClaimed() { ++claimed; }
    int claimed = 0;
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CClaimingAudioManager, CAudioManager)
    ON_COMMAND(kClaimedCommand, OnClaimed)
END_MESSAGE_MAP()

class CTestApp : public CVantrelApp {
public:
    BOOL oleWorks = TRUE;
    BOOL frameLoads = TRUE;
    CClaimingAudioManager* audio = nullptr;

protected:
    BOOL InitOle() override { return oleWorks; }
    CMainFrame* LoadMainFrame() override
    {
        if (!frameLoads)
            return nullptr;
        auto* frame = new CMainFrame;
        frame->m_pAudioManager = audio = new CClaimingAudioManager;
        return frame->LoadFrame(IdMainFrame, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE) ? frame : nullptr;
    }
};

class ShellTest : public UiTest {
protected:
    static void SetUpTestSuite()
    {
        UiTest::SetUpTestSuite();
        RegisterProgramResources();
    }
    void SetUp() override
    {
        UiTest::SetUp();
        char pattern[] = "/tmp/vantrel-shell-XXXXXX";
        m_home = mkdtemp(pattern);
        setenv("XDG_CONFIG_HOME", m_home.c_str(), 1);
        fs::create_directories(m_home + "/Korvane");
        WriteProfile("[Settings]\nStartUpTime=0\n[Tip]\nStartUp=0\n");
    }
    void TearDown() override
    {
        Stop();
        fs::remove_all(m_home);
        UiTest::TearDown();
    }
    std::string ProfilePath() const { return m_home + "/Korvane/Vantrel Q8.ini"; }
    void WriteProfile(const std::string& text) const { std::ofstream(ProfilePath()) << text; }
    std::string ReadProfile() const
    {
        std::ifstream in(ProfilePath());
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    BOOL Start()
    {
        m_app = std::make_unique<CTestApp>();
        configure(*m_app);
        return m_app->InitInstance();
    }
    void Stop()
    {
        if (!m_app)
            return;
        if (CWnd* main = m_app->m_pMainWnd; main && main->m_hWnd)
            main->DestroyWindow();
        m_app->m_pMainWnd = nullptr;
        m_app->ExitInstance();
        m_app.reset();
    }

    std::function<void(CTestApp&)> configure = [](CTestApp&) {};
    std::string m_home;
    std::unique_ptr<CTestApp> m_app;
};

TEST_F(ShellTest, StartUpRegistersThreeTemplatesAndBuildsTheFrame)
{
    ASSERT_TRUE(Start());
    std::vector<CString> filters;
    for (POSITION pos = m_app->GetFirstDocTemplatePosition(); pos;) {
        CString filter;
        m_app->GetNextDocTemplate(pos)->GetDocString(filter, CDocTemplate::filterExt);
        filters.push_back(filter);
    }
    EXPECT_EQ(filters, (std::vector<CString>{".trn", ".prj", ".cat"}));
    CMainFrame* frame = GetMainFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(m_app->m_pMainWnd, frame);
    EXPECT_EQ(frame->GetPaneManager()->GetPaneCount(), 7);
    EXPECT_TRUE(frame->GetPaneManager()->FindPane(PaneLayers)->IsClosed());
    EXPECT_FALSE(frame->GetPaneManager()->FindPane(PaneCatalog)->IsClosed());
    EXPECT_EQ(frame->GetTheme(), 2);
    EXPECT_EQ(frame->GetCommandBars()->GetCount(), 13) << "the menu bar and twelve tool bars";
    EXPECT_EQ(m_app->GetOpenDocumentCount(), 0) << "no empty document at start";
}

TEST_F(ShellTest, AnOleFailureShowsMessage101AndEndsStartUp)
{
    configure = [](CTestApp& app) { app.oleWorks = FALSE; };
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    const int boxes = UiTestHook::MessageBoxCount();
    EXPECT_FALSE(Start());
    EXPECT_EQ(UiTestHook::MessageBoxCount(), boxes + 1);
    EXPECT_NE(UiTestHook::LastMessageBoxText().find("OLE initialization failed"), std::string::npos);
    EXPECT_EQ(GetMainFrame(), nullptr);
}

TEST_F(ShellTest, AFrameThatCannotLoadEndsStartUpWithoutAMessage)
{
    configure = [](CTestApp& app) { app.frameLoads = FALSE; };
    const int boxes = UiTestHook::MessageBoxCount();
    EXPECT_FALSE(Start());
    EXPECT_EQ(UiTestHook::MessageBoxCount(), boxes);
}

TEST_F(ShellTest, TheAudioManagerGetsACommandBeforeTheView)
{
    ASSERT_TRUE(Start());
    m_app->OnFileNew();
    CMainFrame* frame = GetMainFrame();
    auto* view = dynamic_cast<CHyperView*>(frame->GetActiveFrame()->GetActiveView());
    ASSERT_NE(view, nullptr);
    const BOOL gridBefore = view->IsGridVisible();
    frame->SendMessage(WM_COMMAND, kClaimedCommand);
    EXPECT_EQ(m_app->audio->claimed, 1);
    EXPECT_EQ(view->IsGridVisible(), gridBefore);
}

TEST_F(ShellTest, ThemePanesAndDocumentFlagSurviveARestart)
{
    ASSERT_TRUE(Start());
    CMainFrame* frame = GetMainFrame();
    frame->SendMessage(WM_COMMAND, 33958);
    frame->SendMessage(WM_COMMAND, 34043);
    EXPECT_EQ(frame->GetTheme(), 1);
    m_app->OnFileNew();
    frame->GetTabClientWnd()->SyncTabs();
    Stop();
    const std::string saved = ReadProfile();
    EXPECT_NE(saved.find("Theme=1"), std::string::npos) << saved;
    EXPECT_NE(saved.find("OpenLastDoc=1"), std::string::npos) << saved;

    ASSERT_TRUE(Start());
    frame = GetMainFrame();
    EXPECT_EQ(frame->GetTheme(), 1);
    EXPECT_EQ(frame->GetPaneManager()->GetCurrentTheme(), 1);
    EXPECT_TRUE(frame->GetPaneManager()->FindPane(PaneTasks)->IsClosed());
}

// Records what an update handler says.
struct CheckProbe : CCmdUI {
    int checked = -1;
    BOOL enabled = TRUE;
    void SetCheck(int check) override { checked = check; }
    void Enable(BOOL on) override { enabled = on; }
};

int CheckOf(CMainFrame* frame, UINT id)
{
    CheckProbe probe;
    probe.m_nID = id;
    probe.DoUpdate(frame, FALSE);
    return probe.checked;
}

TEST_F(ShellTest, ThemeCommandsSwitchAllTargetsAndTheCheckFollows)
{
    ASSERT_TRUE(Start());
    CMainFrame* frame = GetMainFrame();
    struct Row {
        UINT command;
        int theme, docking, paint;
    };
    const Row rows[] = {{33967, 0, 1, 1}, {33958, 1, 1, 0}, {33964, 2, 5, 2}, {33966, 3, 6, 3}};
    for (const Row& row : rows) {
        frame->SendMessage(WM_COMMAND, row.command);
        EXPECT_EQ(frame->GetTheme(), row.theme) << row.command;
        EXPECT_EQ(frame->GetPaneManager()->GetCurrentTheme(), row.docking) << row.command;
        EXPECT_EQ(CXTPPaintManager::GetCurrentTheme(), row.paint) << row.command;
        for (const Row& other : rows)
            EXPECT_EQ(CheckOf(frame, other.command), other.command == row.command ? 1 : 0) << row.command;
    }
}

TEST_F(ShellTest, WithoutADocumentPropertiesAreDisabledAndTheWishIsKept)
{
    ASSERT_TRUE(Start());
    CMainFrame* frame = GetMainFrame();
    frame->SendMessage(WM_COMMAND, 60416);
    EXPECT_TRUE(frame->GetShowProperties());
    CheckProbe probe;
    probe.m_nID = 33918;
    probe.DoUpdate(frame, FALSE);
    EXPECT_FALSE(probe.enabled);
    EXPECT_EQ(probe.checked, 1) << "it was open";
    EXPECT_TRUE(frame->GetPaneManager()->FindPane(PaneProperties)->IsClosed());
    EXPECT_TRUE(frame->GetShowProperties());
}

TEST_F(ShellTest, TogglingTheTabPositionTwiceReturnsToTheTop)
{
    ASSERT_TRUE(Start());
    CMainFrame* frame = GetMainFrame();
    frame->SendMessage(WM_COMMAND, 34031);
    EXPECT_EQ(frame->GetTabClientWnd()->GetTabPosition(), TabPositionBottom);
    frame->SendMessage(WM_COMMAND, 34031);
    EXPECT_EQ(frame->GetTabClientWnd()->GetTabPosition(), TabPositionTop);
}

TEST_F(ShellTest, TheProgressDisplayShowsStepsAndHides)
{
    ASSERT_TRUE(Start());
    CMainFrame* frame = GetMainFrame();
    frame->BeginProgress(10, 20, 5, 0);
    EXPECT_TRUE(frame->IsProgressShown());
    HWND bar = ::GetDlgItem(frame->GetStatusBar().m_hWnd, 1);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(::SendMessage(bar, PBM_GETPOS, 0, 0), 10);
    frame->StepProgress();
    EXPECT_EQ(::SendMessage(bar, PBM_GETPOS, 0, 0), 15);
    EXPECT_TRUE(::IsWindowVisible(bar));
    frame->EndProgress();
    EXPECT_FALSE(::IsWindowVisible(bar));
}

TEST_F(ShellTest, ADamagedSettingsFileIsReportedAndKeptUntilTheUserChangesASetting)
{
    const std::string damaged = "[Settings]\nStartUpTime=0\nthis line means nothing\n[Tip]\nStartUp=0\n";
    WriteProfile(damaged);
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    const int boxes = UiTestHook::MessageBoxCount();
    ASSERT_TRUE(Start());
    EXPECT_EQ(UiTestHook::MessageBoxCount(), boxes + 1);
    GetMainFrame()->SendMessage(WM_COMMAND, 33958);
    Stop();
    EXPECT_EQ(ReadProfile(), damaged);

    UiTestHook::QueueMessageBoxAnswer(IDOK);
    ASSERT_TRUE(Start());
    EXPECT_EQ(UiTestHook::MessageBoxCount(), boxes + 2) << "still damaged, so named again";
    SetAlarmFlashCount(5);
    Stop();
    EXPECT_NE(ReadProfile().find("Alarm.Flashcount=5"), std::string::npos);
    EXPECT_EQ(ReadProfile().find("this line means nothing"), std::string::npos);
}

TEST_F(ShellTest, TheNotesManagerFindsOnlyLiveObjectsOfOpenPages)
{
    ASSERT_TRUE(Start());
    m_app->OnFileNew();
    auto* view = dynamic_cast<CMyView*>(GetMainFrame()->GetActiveFrame()->GetActiveView());
    ASSERT_NE(view, nullptr);
    auto* border = new CBorderOb;
    view->GetObjects().InsertAt(0, border);
    EXPECT_EQ(CNotesMgr::FindOpenObject(reinterpret_cast<WPARAM>(border)), border);
    CBorderOb stranger;
    EXPECT_EQ(CNotesMgr::FindOpenObject(reinterpret_cast<WPARAM>(&stranger)), nullptr);
    EXPECT_EQ(CNotesMgr::FindOpenObject(12345), nullptr);
    static int reads = 0;
    CNotesMgr::SetNoteReader([](CHyperOb*) { ++reads; });
    GetMainFrame()->SendMessage(CMainFrame::WM_NOTESREFRESH, reinterpret_cast<WPARAM>(border));
    EXPECT_EQ(reads, 0) << "a border is not a rich-text note";
    CNotesMgr::SetNoteReader(nullptr);
}

TEST_F(ShellTest, TheAudioBarsHostTheSliderAndMeterAndARightClickChoosesTheFormat)
{
    ASSERT_TRUE(Start());
    CMainFrame* frame = GetMainFrame();
    CAudioManager* manager = frame->GetAudioManager();
    CXTPToolBar* audio = frame->GetCommandBars()->GetToolBar(371);
    ASSERT_NE(audio, nullptr);
    EXPECT_EQ(manager->GetSlider().GetParent(), audio);
    EXPECT_TRUE(manager->GetMeter().IsRunning());
    EXPECT_EQ(manager->GetMeter().GetBands().size(), 1u);
    const WaveFormatBlock before = manager->GetRecordingFormat();
    AcmTestHook::QueueFormatChoice(0);
    audio->SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_NE(manager->GetRecordingFormat(), before);
}

// Reset in Customize reloads a bar from its resource: the slider and the meter come back in
// their bars, each hosted by a custom control and bordered as at start-up.
TEST_F(ShellTest, ResettingTheAudioBarsHostsTheSliderAndMeterAgain)
{
    ASSERT_TRUE(Start());
    CMainFrame* frame = GetMainFrame();
    CAudioManager* manager = frame->GetAudioManager();
    // The slider takes the width of its channel picture.
    struct Case {
        UINT bar, id;
        CWnd* window;
        int width;
    };
    for (const Case& c : {Case{371, CAudioManager::CmdSlider, &manager->GetSlider(), 120},
                          Case{386, CAudioManager::MeterId, &manager->GetMeter(), 200}}) {
        CXTPToolBar* bar = frame->GetCommandBars()->GetToolBar(c.bar);
        ASSERT_NE(bar, nullptr) << c.bar;
        const HWND before = c.window->GetSafeHwnd();
        ASSERT_TRUE(bar->LoadToolBar(c.bar)) << c.bar;
        frame->GetCommandBars()->RecalcLayout();
        auto* custom = dynamic_cast<CXTPControlCustom*>(bar->GetControls()->FindControl(c.id));
        ASSERT_NE(custom, nullptr) << c.bar;
        EXPECT_EQ(custom->GetControl(), c.window) << c.bar;
        EXPECT_EQ(c.window->GetSafeHwnd(), before) << "the same window, with its state, comes back";
        EXPECT_EQ(c.window->GetParent(), bar) << c.bar;
        EXPECT_TRUE(c.window->IsWindowVisible()) << c.bar;
        CRect window;
        c.window->GetWindowRect(&window);
        bar->ScreenToClient(&window);
        EXPECT_EQ(window.left, custom->GetRect().left + 3) << c.bar;
        EXPECT_EQ(window.Width(), c.width) << c.bar;
    }
    EXPECT_TRUE(manager->GetMeter().IsRunning());
}

TEST(LanguageTextTest, UnknownKeysComeBackAndLongTextsWhole)
{
    char pattern[] = "/tmp/vantrel-language-XXXXXX";
    const std::string folder = mkdtemp(pattern);
    const std::string longText(300, 'x');
    std::ofstream(folder + "/Current.lng") << "Ab=" << longText << "\n";
    ASSERT_EQ(Parlex_Init((folder + "/Current.lng").c_str(), ""), PARLEX_LOADED);
    EXPECT_EQ(GetLanguageText("Ab"), CString(longText.c_str()));
    EXPECT_EQ(GetLanguageText("Unknown key"), CString("Unknown key"));
    EXPECT_EQ(GetLanguageText(""), CString());
    Parlex_Deinit((folder + "/lost.lng").c_str());
    fs::remove_all(folder);
}

TEST(SplashTest, TheLanguageFileChoosesTheNationalLogo)
{
    char pattern[] = "/tmp/vantrel-logo-XXXXXX";
    const std::string folder = mkdtemp(pattern);
    const std::pair<const char*, UINT> cases[] = {
        {"IDB_KO_LARGE_LOGO_US=IDB_KO_LARGE_LOGO\n", CSplashDlg::NationalLogo},
        {"IDB_KO_LARGE_LOGO_US=IDB_KO_LARGE_LOGO_DE\n", CSplashDlg::DefaultLogo},
        {"", CSplashDlg::DefaultLogo},
    };
    for (auto [file, logo] : cases) {
        std::ofstream(folder + "/Current.lng", std::ios::trunc) << file;
        Parlex_Init((folder + "/Current.lng").c_str(), "");
        EXPECT_EQ(CSplashDlg::LogoId(), logo) << file;
        Parlex_Deinit((folder + "/lost.lng").c_str());
    }
    fs::remove_all(folder);
}

TEST(TipsFileTest, DefaultTipsAreWrittenOnlyWhenTheFileIsMissing)
{
    char pattern[] = "/tmp/vantrel-tips-XXXXXX";
    const std::string folder = mkdtemp(pattern);
    const std::string path = folder + "/tips.txt";
    CVantrelApp::WriteDefaultTipsFile(path.c_str());
    std::ifstream in(path);
    int lines = 0;
    for (std::string line; std::getline(in, line);)
        ++lines;
    EXPECT_EQ(lines, 3);
    std::ofstream(path, std::ios::trunc).close();
    CVantrelApp::WriteDefaultTipsFile(path.c_str());
    EXPECT_EQ(fs::file_size(path), 0u);
    fs::remove_all(folder);
}

TEST(GameTest, TheGameStartsFromItsFolderAndAMissingGameStartsNothing)
{
    char pattern[] = "/tmp/vantrel-game-XXXXXX";
    const std::string start = mkdtemp(pattern);
    char cwd[512];
    const std::string previous = getcwd(cwd, sizeof cwd);
    std::vector<ShellLaunch> launches;
    SetShellLauncher([&launches](const ShellLaunch& launch) {
        launches.push_back(launch);
        return kLaunchRunning;
    });
    ASSERT_EQ(chdir(start.c_str()), 0);
    RememberStartFolder();
    const bool besideProgram = fs::exists(std::string(GetProgramFolder()) + "/Game/Stackwell");
    if (!besideProgram) {
        EXPECT_FALSE(StartGame());
        EXPECT_TRUE(launches.empty());
    }
    fs::create_directories(start + "/Game");
    std::ofstream(start + "/Game/Stackwell") << "#!/bin/sh\n";
    fs::permissions(start + "/Game/Stackwell", fs::perms::owner_all);
    EXPECT_TRUE(StartGame());
    ASSERT_FALSE(launches.empty());
    EXPECT_EQ(launches.back().argv, std::vector<std::string>{start + "/Game/Stackwell"});
    EXPECT_EQ(launches.back().folder, start + "/Game");
    SetShellLauncher({});
    chdir(previous.c_str());
    fs::remove_all(start);
}

} // namespace
