// A frame laid out with the toolkit as the editor uses it: a menu bar, two tool bars (one
// floating), two panes docked as tabs, a status bar and a tabbed MDI client with two
// documents. Run it on a display to look at the toolkit; "--quit-after MS" closes it.
#include "platform/core/StringTable.h"
#include "platform/toolkit/XTPCommandBars.h"
#include "platform/toolkit/XTPDockingPaneManager.h"
#include "platform/toolkit/XTPMDIFrameWnd.h"
#include "platform/toolkit/XTPPaintManager.h"
#include "platform/toolkit/XTPTabClientWnd.h"
#include "platform/toolkit/XTPTaskPanel.h"
#include "platform/toolkit/XTPToolBar.h"
#include "platform/ui/ControlBar.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/MDIChildWnd.h"
#include "platform/ui/Resources.h"
#include "platform/ui/WinApp.h"

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

constexpr UINT kMenu = 128, kStandard = 129, kFormat = 130;
constexpr UINT_PTR kQuitTimer = 1;
int quitAfter = 0;

// A 24-bit bitmap file of coloured squares, 16 x 15 each, on the grey that is transparent.
std::vector<BYTE> iconStrip(const std::vector<COLORREF>& colors)
{
    const int width = 16 * static_cast<int>(colors.size()), height = 15, stride = (width * 3 + 3) & ~3;
    std::vector<BYTE> file(54 + static_cast<size_t>(stride) * height, 0);
    auto put32 = [&](size_t at, DWORD v) {
        for (int i = 0; i < 4; ++i)
            file[at + static_cast<size_t>(i)] = static_cast<BYTE>(v >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<DWORD>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<DWORD>(width));
    put32(22, static_cast<DWORD>(height));
    file[26] = 1;
    file[28] = 24;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            int inX = x % 16;
            bool inside = inX >= 2 && inX <= 13 && y >= 1 && y <= 13;
            bool edge = inside && (inX == 2 || inX == 13 || y == 1 || y == 13);
            COLORREF c = !inside ? RGB(192, 192, 192) : edge ? RGB(40, 40, 40) : colors[static_cast<size_t>(x / 16)];
            BYTE* p = &file[54 + static_cast<size_t>(y) * stride + static_cast<size_t>(x) * 3];
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    return file;
}

void registerResources()
{
    RegisterStringResource(kMenu, "Vantrel toolkit");
    RegisterStringResource(AFX_IDS_IDLEMESSAGE, "Ready");
    RegisterMenuResource(kMenu, {{0, 0, "&File", {{0, ID_FILE_NEW, "&New", {}}, {0, ID_FILE_OPEN, "&Open...", {}},
                                                  {MF_SEPARATOR, 0, "", {}}, {0, ID_APP_EXIT, "E&xit", {}}}},
                                 {0, 0, "&Edit", {{0, ID_EDIT_CUT, "Cu&t", {}}, {0, ID_EDIT_COPY, "&Copy", {}}}},
                                 {0, 0, "&View", {{0, 33964, "&Blue Theme", {}}}},
                                 {0, 0, "&Format", {{0, 60580, "&Bold", {}}}},
                                 {0, 0, "&Window", {{0, ID_WINDOW_CASCADE, "&Cascade", {}}}},
                                 {0, 0, "&Help", {{0, ID_APP_ABOUT, "&About", {}}}}});
    RegisterToolBarResource(kStandard, ToolBarTemplate{16, 15, {ID_FILE_NEW, ID_FILE_OPEN, 0, ID_EDIT_CUT, ID_EDIT_COPY}});
    RegisterBinaryResource(ResourceKind::Bitmap, kStandard,
                           iconStrip({RGB(255, 255, 255), RGB(250, 210, 90), RGB(220, 60, 60), RGB(80, 140, 230)}));
    RegisterToolBarResource(kFormat, ToolBarTemplate{16, 15, {60580, 60581, 60582, 0, 60583}});
    RegisterBinaryResource(ResourceKind::Bitmap, kFormat,
                           iconStrip({RGB(30, 30, 30), RGB(120, 60, 160), RGB(60, 160, 90), RGB(240, 140, 40)}));
}

class CShowcaseFrame : public CXTPMDIFrameWnd {
public:
    int OnCreate(LPCREATESTRUCT cs)
    {
        if (CXTPMDIFrameWnd::OnCreate(cs) == -1 || !m_status.Create(this))
            return -1;
        static const UINT indicators[] = {ID_SEPARATOR};
        m_status.SetIndicators(indicators, 1);
        CXTPPaintManager::SetTheme(2);
        CXTPCommandBars* bars = InitCommandBars();
        bars->SetMenu("Menu Bar", kMenu);
        bars->Add("Standard", BarTop)->LoadToolBar(kStandard);
        bars->Add("Format", BarTop)->LoadToolBar(kFormat);
        m_tabs.Attach(this);
        m_panes.InstallDockingPanes(this);
        m_panes.SetTheme(5);
        CXTPDockingPane* tasks = m_panes.CreatePane(63994, CRect(0, 0, 220, 100), PaneDockRight);
        CXTPDockingPane* layers = m_panes.CreatePane(63993, CRect(0, 0, 220, 100), PaneDockRight);
        m_panes.AttachAsTab(layers, tasks);
        tasks->SetTitle("Tasks\nTasks");
        layers->SetTitle("Layers\nLayers");
        m_taskPanel.Create(WS_CHILD, CRect(0, 0, 0, 0), this, 1000000);
        m_taskPanel.SetTheme(2);
        CXTPTaskGroup* files = m_taskPanel.AddGroup(116);
        files->SetCaption("Files");
        files->AddLink(117)->SetCaption("New");
        files->AddLink(119)->SetCaption("Find");
        CXTPTaskGroup* components = m_taskPanel.AddGroup(120);
        components->SetCaption("Components");
        components->AddLink(121)->SetCaption("Catalog Manager");
        components->AddLink(122)->SetCaption("Project Manager");
        m_layerList.Create(WS_CHILD | WS_VSCROLL | LBS_NOTIFY, CRect(0, 0, 0, 0), this, 1000010);
        for (const char* layer : {"Standard", "Background", "Notes"})
            m_layerList.AddString(layer);
        tasks->Attach(&m_taskPanel);
        layers->Attach(&m_layerList);
        m_panes.ShowPane(tasks);
        return 0;
    }
    void OnTimer(UINT_PTR id)
    {
        if (id == kQuitTimer)
            PostMessage(WM_CLOSE);
    }
    void Float()
    {
        CRect frame;
        GetWindowRect(&frame);
        GetCommandBars()->FloatToolBar(GetCommandBars()->GetToolBar(kFormat), CPoint(frame.left + 300, frame.top + 260));
    }

    CStatusBar m_status;
    CXTPTabClientWnd m_tabs;
    CXTPDockingPaneManager m_panes;
    CXTPTaskPanel m_taskPanel;
    CListBox m_layerList;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CShowcaseFrame, CXTPMDIFrameWnd)
    ON_WM_CREATE()
    ON_WM_TIMER()
END_MESSAGE_MAP()

class CShowcaseApp : public CWinApp {
public:
    CShowcaseApp() : CWinApp("ToolkitShowcase") {}
    BOOL InitInstance() override
    {
        registerResources();
        auto* frame = new CShowcaseFrame;
        if (!frame->LoadFrame(kMenu, WS_OVERLAPPEDWINDOW))
            return FALSE;
        m_pMainWnd = frame;
        frame->MoveWindow(20, 20, 980, 680);
        frame->ShowWindow(SW_SHOW);
        for (const char* title : {"Plan.trn", "Notes.trn"}) {
            auto* child = new CMDIChildWnd;
            child->Create(nullptr, title, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(10, 10, 400, 300), frame);
            child->MDIMaximize();
        }
        frame->Float();
        frame->RecalcLayout();
        if (quitAfter > 0)
            frame->SetTimer(kQuitTimer, static_cast<UINT>(quitAfter));
        return TRUE;
    }
};

CShowcaseApp theApp;

} // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--quit-after") == 0)
            quitAfter = std::atoi(argv[i + 1]);
    return AfxWinMain(argc, argv);
}
