// The Vantrel program: the application object with an MDI main frame and the worksheet
// document template. "--quit-after-start" (or VANTREL_QUIT_AFTER_START=1) closes the main
// window once it has been shown, for the start-up smoke test.
#include "View/MyDoc.h"
#include "View/MyFrame.h"
#include "View/MyView.h"
#include "app/ProgramResources.h"
#include "platform/ui/ControlBar.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/MDIFrameWnd.h"
#include "platform/ui/WinApp.h"

#include <cstdlib>
#include <cstring>

namespace {

constexpr UINT_PTR kQuitTimer = 1;

bool quitAfterStart = false;

class CProgramMainFrame : public CMDIFrameWnd {
    DECLARE_DYNCREATE(CProgramMainFrame)
public:
    int OnCreate(LPCREATESTRUCT cs)
    {
        if (CMDIFrameWnd::OnCreate(cs) == -1 || !m_statusBar.Create(this))
            return -1;
        static const UINT indicators[] = {ID_SEPARATOR};
        m_statusBar.SetIndicators(indicators, 1);
        return 0;
    }
    void OnTimer(UINT_PTR id)
    {
        if (id != kQuitTimer)
            return;
        KillTimer(kQuitTimer);
        PostMessage(WM_CLOSE);
    }
    CStatusBar m_statusBar;
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CProgramMainFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CProgramMainFrame, CMDIFrameWnd)
    ON_WM_CREATE()
    ON_WM_TIMER()
END_MESSAGE_MAP()

class CProgramApp : public CWinApp {
public:
    CProgramApp() : CWinApp("Vantrel") {}

    void OnNew() { OnFileNew(); }
    void OnOpen() { OnFileOpen(); }
    DECLARE_MESSAGE_MAP()

    BOOL InitInstance() override
    {
        RegisterProgramResources();
        AddDocTemplate(new CMultiDocTemplate(IDR_DOCUMENT, RUNTIME_CLASS(CMyDoc), RUNTIME_CLASS(CMyFrame),
                                             RUNTIME_CLASS(CMyView)));
        auto* frame = new CProgramMainFrame;
        if (!frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE))
            return FALSE;
        m_pMainWnd = frame;
        frame->ShowWindow(SW_SHOW);
        OnFileNew();
        frame->UpdateWindow();
        if (quitAfterStart)
            frame->SetTimer(kQuitTimer, 1500);
        return TRUE;
    }

    // The templates hold menus of the resource registry, which static destruction may empty
    // before the application object goes; they go while it still stands.
    int ExitInstance() override
    {
        POSITION pos = m_templateList.GetHeadPosition();
        while (pos)
            delete static_cast<CDocTemplate*>(m_templateList.GetNext(pos));
        m_templateList.RemoveAll();
        return CWinApp::ExitInstance();
    }
};

BEGIN_MESSAGE_MAP(CProgramApp, CWinApp)
    ON_COMMAND(ID_FILE_NEW, OnNew)
    ON_COMMAND(ID_FILE_OPEN, OnOpen)
END_MESSAGE_MAP()

CProgramApp theApp;

} // namespace

int main(int argc, char** argv)
{
    const char* env = std::getenv("VANTREL_QUIT_AFTER_START");
    quitAfterStart = env && std::strcmp(env, "1") == 0;
    for (int i = 1; i < argc; ++i)
        quitAfterStart = quitAfterStart || std::strcmp(argv[i], "--quit-after-start") == 0;
    return AfxWinMain(argc, argv);
}
