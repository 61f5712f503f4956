#include "shell/VantrelApp.h"

#include "shell/AboutDlg.h"
#include "shell/MainFrame.h"
#include "shell/SaveAsWebsiteDlg.h"
#include "shell/Settings.h"
#include "shell/ShellMainViewHost.h"
#include "shell/ShellTextServices.h"
#include "shell/SplashDlg.h"
#include "shell/VantrelServices.h"
#include "View/AutoSaveCopy.h"
#include "View/MyDoc.h"
#include "View/MyFrame.h"
#include "View/MyView.h"
#include "platform/core/FilePath.h"
#include "platform/core/System.h"
#include "platform/ole/OleInit.h"
#include "platform/sys/Profile.h"
#include "platform/sys/parlex/Parlex.h"
#include "platform/toolkit/XTTipOfTheDay.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/Document.h"

#include <cstdio>
#include <thread>
#include <vector>

namespace {

constexpr LPCTSTR kMaker = "Korvane";
constexpr LPCTSTR kProduct = "Vantrel Q8";

CMainFrame* mainFrame = nullptr;

constexpr const char* kDefaultTips[] = {
    "For technical support and sales, visit the Korvane web site or write to our support team.",
    "You can change the appearance to Office XP from the \"View\" menu.",
    "You can save thousands of hours in development time by using the many excellent controls found in the Xtreme "
    "Toolkit!",
};

} // namespace

BEGIN_MESSAGE_MAP(CVantrelApp, CHyperApp)
    ON_COMMAND(ID_FILE_NEW, OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
    ON_COMMAND(CmdTipsAndTricks, OnTipsAndTricks)
    ON_COMMAND(CmdSaveAll, OnFileSaveAll)
    ON_COMMAND(CmdUpdate, OnUpdateCenter)
END_MESSAGE_MAP()

CVantrelApp::CVantrelApp() : CHyperApp(kProduct) { }

// The profile name was a static text; the framework must not free it.
CVantrelApp::~CVantrelApp() { m_pszProfileName = nullptr; }

CVantrelApp* GetVantrelApp() { return static_cast<CVantrelApp*>(AfxGetApp()); }

CMainFrame* GetMainFrame() { return mainFrame; }

void SetMainFrame(CMainFrame* frame) { mainFrame = frame; }

namespace {

// The offer of left autosave copies comes once the main window is on the screen.
constexpr UINT kCopyOfferDelay = 300;

CVantrelServices& Services()
{
    static CVantrelServices services;
    return services;
}

void OfferCopiesOnce(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    OfferUnsavedCopies();
}

} // namespace

CString GetLanguageText(const CString& key, int a, int b)
{
    if (key.IsEmpty())
        return CString();
    std::vector<char> buffer(static_cast<size_t>(key.GetLength()) * 10 + 1);
    int length = Parlex_GetText(buffer.data(), static_cast<int>(buffer.size()), key, a, b);
    if (length >= static_cast<int>(buffer.size())) {
        buffer.resize(static_cast<size_t>(length) + 1);
        length = Parlex_GetText(buffer.data(), static_cast<int>(buffer.size()), key, a, b);
    }
    return length > 0 ? CString(buffer.data()) : key;
}

BOOL CVantrelApp::InitInstance()
{
    CWinApp::InitInstance();
    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    // Documents opened while the program runs open in it; this start ends there.
    if (HandOverShellOpen(cmdInfo))
        return FALSE;
    SetShellServices(&Services());
    SetRegistryKey(kMaker);
    free(const_cast<char*>(m_pszProfileName));
    m_pszProfileName = kProduct;
    LoadStdProfileSettings(4);
    ReportUnreadableSettings();
    RememberStartFolder();
    Parlex_Init(GetLanguageFile(), "");
    SetCurrentFolder(GetStartFolder());

    CSplashDlg splash;
    splash.closable = FALSE;
    splash.Create(CSplashDlg::IDD, nullptr);
    splash.ShowWindow(SW_SHOW);
    WaitSplash(static_cast<UINT>(GetSettingInt(Setting::StartUpTime)));

    if (!InitOle()) {
        CString text;
        text.LoadString(IdOleFailed);
        AfxMessageBox(GetLanguageText(text), MB_OK);
        return FALSE;
    }
    Enable3dControls();
    InstallTextServices();
    InstallMainViewHost();
    InstallPageExportHost();
    RegisterTemplates();
    InstallProjectAccess();

    splash.SendMessage(WM_SETREDRAW, FALSE);
    CMainFrame* frame = LoadMainFrame();
    if (!frame)
        return FALSE;
    SetMainFrame(frame);
    m_pMainWnd = frame;
    frame->DragAcceptFiles(TRUE);
    EnableShellOpen();
    RegisterShellFileTypes(FALSE);
    splash.SendMessage(WM_SETREDRAW, TRUE);
    splash.ShowWindow(SW_HIDE);
    frame->ShowWindow(m_nCmdShow);
    frame->UpdateWindow();
    ShowTipsAtStartup();
    SetTimer(nullptr, 0, kCopyOfferDelay, OfferCopiesOnce);
    return TRUE;
}

// A settings file that cannot be read, or only in part, is named to the user; it is left as
// it is until the user changes a setting.
void CVantrelApp::ReportUnreadableSettings()
{
    CProfile& profile = GetProfile();
    const BOOL unreadable = !profile.IsWritable();
    if (!unreadable && !profile.IsDamaged())
        return;
    HoldSettingsFile(!unreadable);
    CString text = GetLanguageText("<The settings file could not be read; the program starts with default settings "
                                   "and leaves the file as it is:>");
    AfxMessageBox(text + "\n" + CString(profile.GetPath().c_str()), MB_OK | MB_ICONWARNING);
}

void CVantrelApp::WaitSplash(UINT startUpTime)
{
    for (UINT round = 0; round < startUpTime / 10; ++round) {
        MSG msg;
        if (PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE) && GetMessage(&msg, nullptr, 0, 0)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

BOOL CVantrelApp::InitOle() { return AfxOleInit(); }

CMainFrame* CVantrelApp::LoadMainFrame()
{
    auto* frame = new CMainFrame;
    if (frame->LoadFrame(IdMainFrame, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, nullptr))
        return frame;
    if (frame->m_hWnd)
        frame->DestroyWindow();
    else
        delete frame;
    return nullptr;
}

void CVantrelApp::RegisterTemplates()
{
    for (UINT id : {IdDocument, IdProject, IdCatalog}) {
        auto* docTemplate =
            new CMultiDocTemplate(id, RUNTIME_CLASS(CMyDoc), RUNTIME_CLASS(CMyFrame), RUNTIME_CLASS(CMyView));
        docTemplate->SetContainerInfo(IdContainer);
        AddDocTemplate(docTemplate);
        if (!m_pMainTemplate)
            m_pMainTemplate = docTemplate;
    }
}

// The templates hold menus of the resource registry, which static destruction may empty
// before the application object goes; they go while it still stands.
int CVantrelApp::ExitInstance()
{
    Parlex_Deinit(GetLostAndFoundFile());
    SetShellServices(nullptr);
    RemoveProjectAccess();
    POSITION pos = m_templateList.GetHeadPosition();
    while (pos)
        delete static_cast<CDocTemplate*>(m_templateList.GetNext(pos));
    m_templateList.RemoveAll();
    m_pMainTemplate = nullptr;
    return CWinApp::ExitInstance();
}

void CVantrelApp::OnFileNew()
{
    POSITION pos = GetFirstDocTemplatePosition();
    if (CDocTemplate* first = pos ? GetNextDocTemplate(pos) : nullptr)
        first->OpenDocumentFile(nullptr, TRUE);
}

void CVantrelApp::OnFileOpen() { CWinApp::OnFileOpen(); }

void CVantrelApp::OnAppAbout()
{
    CAboutDlg about;
    about.DoModal();
}

void CVantrelApp::OnTipsAndTricks() { ShowTips(); }

void CVantrelApp::OnFileSaveAll()
{
    if (!m_pMainTemplate)
        return;
    POSITION pos = m_pMainTemplate->GetFirstDocPosition();
    while (pos)
        m_pMainTemplate->GetNextDoc(pos)->DoFileSave();
}

void CVantrelApp::OnUpdateCenter() { OpenUrlResource(IdUpdatePage); }

void CVantrelApp::ShowTipsAtStartup()
{
    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!cmdInfo.m_bShowSplash)
        return;
    CXTTipOfTheDay probe;
    if (probe.IsShowAtStartup())
        ShowTips();
}

void CVantrelApp::ShowTips()
{
    CString help = m_pszHelpFilePath ? CString(m_pszHelpFilePath) : GetHelpFile();
    int last = std::max(help.ReverseFind('/'), help.ReverseFind('\\'));
    CString path = help.Left(last + 1) + "tips.txt";
    WriteDefaultTipsFile(path);
    CXTTipOfTheDay tips(path);
    tips.DoModal();
}

void CVantrelApp::WriteDefaultTipsFile(const CString& path)
{
    if (_access(path, 0) == 0)
        return;
    std::FILE* file = std::fopen(SystemPathFromName(path).c_str(), "w");
    if (!file)
        return;
    for (const char* tip : kDefaultTips)
        std::fprintf(file, "%s\n", tip);
    std::fclose(file);
}
