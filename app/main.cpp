// The Vantrel program: the application object with an MDI main frame and one empty
// document window. "--quit-after-start" (or VANTREL_QUIT_AFTER_START=1) closes the main
// window once it has been shown, for the start-up smoke test.
#include "platform/core/StringTable.h"
#include "platform/ui/ControlBar.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/Document.h"
#include "platform/ui/MDIChildWnd.h"
#include "platform/ui/MDIFrameWnd.h"
#include "platform/ui/Resources.h"
#include "platform/ui/View.h"
#include "platform/ui/WinApp.h"

#include <cstdlib>
#include <cstring>

namespace {

constexpr UINT IDR_MAINFRAME = 128;
constexpr UINT IDR_DOCUMENT = 129;
constexpr UINT_PTR kQuitTimer = 1;

bool quitAfterStart = false;

class CStartDoc : public CDocument {
    DECLARE_DYNCREATE(CStartDoc)
};
IMPLEMENT_DYNCREATE(CStartDoc, CDocument)

class CStartView : public CView {
    DECLARE_DYNCREATE(CStartView)
public:
    void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CStartView, CView)

class CStartChildFrame : public CMDIChildWnd {
    DECLARE_DYNCREATE(CStartChildFrame)
};
IMPLEMENT_DYNCREATE(CStartChildFrame, CMDIChildWnd)

class CStartMainFrame : public CMDIFrameWnd {
    DECLARE_DYNCREATE(CStartMainFrame)
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
IMPLEMENT_DYNCREATE(CStartMainFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CStartMainFrame, CMDIFrameWnd)
    ON_WM_CREATE()
    ON_WM_TIMER()
END_MESSAGE_MAP()

class CStartApp : public CWinApp {
public:
    CStartApp() : CWinApp("Vantrel") {}

    void OnNew() { OnFileNew(); }
    DECLARE_MESSAGE_MAP()

    BOOL InitInstance() override
    {
        RegisterStringResource(IDR_MAINFRAME, "Vantrel");
        RegisterStringResource(AFX_IDS_IDLEMESSAGE, "Ready");
        RegisterMenuResource(IDR_MAINFRAME,
                             {{0, 0, "&File", {{MF_STRING, ID_FILE_NEW, "&New", {}}, {MF_SEPARATOR, 0, "", {}},
                                               {MF_STRING, ID_APP_EXIT, "E&xit", {}}}},
                              {0, 0, "&Window", {{MF_STRING, ID_WINDOW_CASCADE, "&Cascade", {}},
                                                 {MF_STRING, ID_WINDOW_TILE_HORZ, "&Tile", {}}}}});
        RegisterStringResource(IDR_DOCUMENT, "\nDocument\nVantrel Document\nVantrel Files (*.trn)\n.trn\nVantrel.Document\nVantrel Document");
        AddDocTemplate(new CMultiDocTemplate(IDR_DOCUMENT, RUNTIME_CLASS(CStartDoc), RUNTIME_CLASS(CStartChildFrame),
                                             RUNTIME_CLASS(CStartView)));
        auto* frame = new CStartMainFrame;
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
};

BEGIN_MESSAGE_MAP(CStartApp, CWinApp)
    ON_COMMAND(ID_FILE_NEW, OnNew)
END_MESSAGE_MAP()

CStartApp theApp;

} // namespace

int main(int argc, char** argv)
{
    const char* env = std::getenv("VANTREL_QUIT_AFTER_START");
    quitAfterStart = env && std::strcmp(env, "1") == 0;
    for (int i = 1; i < argc; ++i)
        quitAfterStart = quitAfterStart || std::strcmp(argv[i], "--quit-after-start") == 0;
    return AfxWinMain(argc, argv);
}
