#include "shell/MainFrame.h"

#include "shell/AudioManager.h"
#include "shell/CalendarDlg.h"
#include "shell/LayersPane.h"
#include "shell/LinksPane.h"
#include "shell/TaskPanelPane.h"
#include "shell/NotesMgr.h"
#include "shell/SelectLanguageDlg.h"
#include "shell/Settings.h"
#include "shell/VantrelApp.h"
#include "View/CatView.h"
#include "projects/CatManager.h"
#include "projects/CatManagerPane.h"
#include "projects/CatalogueFolder.h"
#include "projects/CatalogueOb.h"
#include "View/ChildHostWnd.h"
#include "View/ToolbarPreviewView.h"
#include "objects/ViewSettings.h"
#include "platform/sys/Shell.h"
#include "platform/sys/snarel/Snarel.h"
#include "platform/toolkit/XTPCommandBars.h"
#include "platform/toolkit/XTPIconStore.h"
#include "platform/toolkit/XTPPaintManager.h"
#include "platform/toolkit/XTPToolBar.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Menu.h"
#include "platform/ui/TestScript.h"

#include <unistd.h>

IMPLEMENT_DYNCREATE(CMainFrame, CXTPMDIFrameWnd)

namespace {

struct ToolBarRow {
    LPCTSTR title;
    BarDockPosition position;
    UINT resourceId;
};

constexpr ToolBarRow kToolBars[] = {
    {"Standard", BarTop, 128}, {"View", BarTop, 249},       {"Object", BarLeft, 167},  {"Format", BarTop, 247},
    {"Layout", BarTop, 27908}, {"Layer", BarLeft, 28564},   {"InkInput", BarLeft, 269}, {"Ink", BarLeft, 273},
    {"Ample", BarLeft, 278},   {"Audio", BarTop, 371},      {"Peak Meter", BarTop, 386}, {"Pens", BarLeft, 275},
};

struct PaneRow {
    UINT id;
    LPCTSTR title;
};

// In icon order.
constexpr PaneRow kPanes[] = {
    {PaneCatalog, "Catalog Manager\nCatalog"},
    {PaneProject, "Project Manager\nProject"},
    {PaneProperties, "Properties\nProperties"},
    {PaneLayers, "Layers\nLayers"},
    {PaneMark, "Markpane\nMarkpane"},
    {PaneTasks, "Tasks\nTasks"},
    {PaneLearning, "Learning Center\nLearning Center"},
};

// First-start arrangement: a bar docked beside (right of) or below another, by table index.
struct Placement {
    int bar;
    int other;
    bool beside;
};

constexpr Placement kPlacements[] = {
    {1, 0, true}, {4, 3, true}, {10, 9, true},                                  // View, Layout, Peak Meter
    {6, 2, false}, {7, 6, false}, {11, 7, false}, {8, 11, false}, {5, 8, false}, // InkInput .. Layer
};

constexpr UINT kPaneIcons = 199;
constexpr UINT kPaneToolBarIcons[] = {28584, 23008, 28567, 1006, 28585, 275, 371};

constexpr UINT kHiddenCommands[] = {57606, 57639, 57872, 59393, 60433, 60579, 60451, 60463, 32825,
                                    32801, 33891, 57650, 57651, 57649, 33888, 33889, 33890, 28615,
                                    28616, 28617, 28618, 28624, 28619, 28620, 28621, 28622, 28623};

constexpr ThemeRow kThemes[] = {
    {33967, 1, 0, 1},
    {33958, 1, 0, 0},
    {33964, 5, 2, 2},
    {33966, 6, 1, 3},
};

constexpr LPCTSTR kBarState = "CommandBars\\Default\\";
constexpr LPCTSTR kLayoutName = "Default";
constexpr UINT CmdCloseAll = 34032, CmdTogglePosition = 34031;

std::unique_ptr<CWnd> NewPaneWindow(UINT paneId)
{
    if (paneId == PaneTasks)
        return std::make_unique<CTaskPanelPane>();
    if (paneId == PaneLearning)
        return std::make_unique<CLinksPane>();
    if (paneId == PaneLayers)
        return std::make_unique<CLayersPane>();
    if (paneId == PaneProperties)
        return std::make_unique<CChildHostWnd>();
    return std::make_unique<CWnd>();
}

int PaneIndex(UINT paneId)
{
    for (size_t i = 0; i < CMainFrame::kPaneOrder.size(); ++i)
        if (CMainFrame::kPaneOrder[i] == paneId)
            return static_cast<int>(i);
    return -1;
}

// Ends every dialog that runs its own loop in front of the main window; TRUE when there was one.
BOOL CancelRunningDialogs(HWND main)
{
    BOOL cancelled = FALSE;
    for (HWND first : {::GetWindow(main, GW_HWNDFIRST), ::GetWindow(main, GW_CHILD)})
        for (HWND w = first; w; w = ::GetWindow(w, GW_HWNDNEXT)) {
            auto* dialog = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(w));
            if (w != main && dialog && (dialog->m_nFlags & WF_MODALLOOP)) {
                dialog->EndDialog(IDCANCEL);
                cancelled = TRUE;
            }
        }
    return cancelled;
}

} // namespace

BEGIN_MESSAGE_MAP(CMainFrame, CXTPMDIFrameWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_COMMAND(23038, OnViewCatalog)
    ON_UPDATE_COMMAND_UI(23038, OnUpdateViewCatalog)
    ON_COMMAND(CmdToggleCatalogLock, OnToggleCatalogLock)
    ON_UPDATE_COMMAND_UI(CmdToggleCatalogLock, OnUpdateToggleCatalogLock)
    ON_COMMAND_RANGE(33968, 33969, OnShowPaneCommand)
    ON_COMMAND_RANGE(28573, 28574, OnShowPaneCommand)
    ON_COMMAND_RANGE(28567, 28569, OnLayoutSplitButton)
    ON_UPDATE_COMMAND_UI_RANGE(28567, 28569, OnUpdateLayoutSplitButton)
    ON_COMMAND_RANGE(60416, 60416, OnShowPaneCommand)
    ON_COMMAND(23033, OnViewProjectManager)
    ON_UPDATE_COMMAND_UI(23033, OnUpdateTogglePane)
    ON_COMMAND(33918, OnViewProperties)
    ON_UPDATE_COMMAND_UI(33918, OnUpdateViewProperties)
    ON_UPDATE_COMMAND_UI(60441, OnUpdateLayersManager)
    ON_COMMAND(34042, OnViewLearningCenter)
    ON_UPDATE_COMMAND_UI(34042, OnUpdateTogglePane)
    ON_COMMAND(34043, OnViewTaskpane)
    ON_UPDATE_COMMAND_UI(34043, OnUpdateTogglePane)
    ON_COMMAND(34037, OnViewMark)
    ON_UPDATE_COMMAND_UI(34037, OnUpdateTogglePane)
    ON_COMMAND(CmdIterateWorksheet, OnIterateWorksheet)
    ON_UPDATE_COMMAND_UI(CmdIterateWorksheet, OnUpdateIterateWorksheet)
    ON_COMMAND_RANGE(33967, 33967, OnTheme)
    ON_COMMAND_RANGE(33958, 33958, OnTheme)
    ON_COMMAND_RANGE(33964, 33964, OnTheme)
    ON_COMMAND_RANGE(33966, 33966, OnTheme)
    ON_UPDATE_COMMAND_UI(33967, OnUpdateTheme)
    ON_UPDATE_COMMAND_UI(33958, OnUpdateTheme)
    ON_UPDATE_COMMAND_UI(33964, OnUpdateTheme)
    ON_UPDATE_COMMAND_UI(33966, OnUpdateTheme)
    ON_COMMAND(33888, OnSupport)
    ON_COMMAND(33889, OnUpdateCenter)
    ON_COMMAND(33890, OnHomepage)
    ON_COMMAND(57667, OnHelpContents)
    ON_COMMAND(57670, OnHelpContents)
    ON_COMMAND(CmdTogglePosition, OnToggleTabPosition)
    ON_COMMAND(CmdCloseAll, OnCloseAll)
    ON_COMMAND(35001, OnCustomize)
    ON_COMMAND(32804, OnOptions)
    ON_COMMAND(CSelectLanguageDlg::CmdSelectLanguage, OnSelectLanguage)
    ON_COMMAND(32824, OnCalendar)
    ON_UPDATE_COMMAND_UI(32824, OnUpdateCalendar)
    ON_MESSAGE(WM_TABCONTEXTMENU, OnTabContextMenu)
    ON_MESSAGE(WM_NOTESREFRESH, OnNotesRefresh)
    ON_MESSAGE(WM_DOCKINGPANENOTIFY, OnDockingPaneNotify)
    ON_MESSAGE(WM_XTP_CREATECOMMANDBAR, OnCreateCommandBar)
    ON_MESSAGE(WM_XTP_CREATECONTROL, OnCreateControl)
END_MESSAGE_MAP()

CMainFrame::CMainFrame() { SetHook(static_cast<DWORD>(gettid()), static_cast<DWORD>(getpid())); }

CMainFrame::~CMainFrame()
{
    UnHook();
    ReleaseAudio();
    delete m_pNotesMgr;
    if (GetMainFrame() == this)
        SetMainFrame(nullptr);
}

const ThemeRow& CMainFrame::ThemeOf(int theme) { return kThemes[theme >= 1 && theme <= 3 ? theme : 0]; }

int CMainFrame::OnCreate(LPCREATESTRUCT cs)
{
    if (CXTPMDIFrameWnd::OnCreate(cs) == -1)
        return -1;
    EnableDocking(CBRS_ALIGN_ANY | CBRS_FLOAT_MULTI);
    static const UINT indicators[] = {ID_SEPARATOR};
    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
        !m_wndStatusBar.SetIndicators(indicators, 1))
        return -1;
    if (!m_pAudioManager)
        m_pAudioManager = new CAudioManager;
    if (!m_pNotesMgr)
        m_pNotesMgr = new CNotesMgr;
    CRect pane;
    m_wndStatusBar.GetItemRect(0, &pane);
    m_wndProgress.Create(WS_CHILD, pane, &m_wndStatusBar, 1);
    m_wndProgressCaption.Create("", WS_CHILD, pane, &m_wndStatusBar, 0xFFFF);
    m_wndProgressCaption.SendMessage(WM_SETFONT, m_wndStatusBar.SendMessage(WM_GETFONT));
    if (!CreateBars())
        return -1;
    CreateAudioControls();
    InstallScriptedMenuPicks();
    m_wndTabClient.Attach(this);
    CreatePanes();
    LoadFrameState();
    return 0;
}

BOOL CMainFrame::CreateBars()
{
    CXTPPaintManager::SetTheme(1);
    CXTPCommandBars* bars = InitCommandBars();
    bars->EnableDocking();
    // The menu bar stands for the frame's menu, also while a document window is active.
    HMENU frameMenu = ::GetMenu(m_hWnd);
    if (!bars->SetMenu(GetLanguageText("Menu Bar"), CVantrelApp::IdMainFrame))
        return FALSE;
    if (frameMenu)
        ::DestroyMenu(frameMenu);
    for (const ToolBarRow& row : kToolBars) {
        CXTPToolBar* bar = bars->Add(GetLanguageText(row.title), row.position);
        if (!bar || !bar->LoadToolBar(row.resourceId))
            return FALSE;
    }
    ArrangeToolBars();
    for (UINT id : kPaneToolBarIcons)
        bars->GetIconStore()->SetIcons(id);
    bars->HideCommands(kHiddenCommands, static_cast<int>(std::size(kHiddenCommands)));
    return TRUE;
}

void CMainFrame::ArrangeToolBars()
{
    CXTPCommandBars* bars = GetCommandBars();
    for (const Placement& place : kPlacements) {
        RecalcLayout();
        CXTPToolBar* bar = bars->GetToolBar(kToolBars[place.bar].resourceId);
        CXTPToolBar* other = bars->GetToolBar(kToolBars[place.other].resourceId);
        if (!bar || !other)
            continue;
        CRect rect;
        other->GetWindowRect(&rect);
        const int offset = other->m_nOffset + (place.beside ? rect.Width() : rect.Height());
        bars->DockToolBar(bar, other->GetPosition(), other->m_nRow, offset);
    }
}

void CMainFrame::CreatePanes()
{
    m_paneManager.InstallDockingPanes(this);
    m_paneManager.SetTheme(1);
    CreateProjectPanes(m_paneWindows[static_cast<size_t>(PaneIndex(PaneProject))],
                       m_paneWindows[static_cast<size_t>(PaneIndex(PaneMark))]);
    CreateCataloguePane();
    CXTPDockingPane* first = nullptr;
    for (size_t i = 0; i < kPaneOrder.size(); ++i) {
        CXTPDockingPane* pane = m_paneManager.CreatePane(kPaneOrder[i], CRect(0, 0, 200, 100), PaneDockRight);
        if (!m_paneWindows[i]) {
            m_paneWindows[i] = NewPaneWindow(kPaneOrder[i]);
            const BOOL properties = kPaneOrder[i] == PaneProperties;
            m_paneWindows[i]->Create(properties ? nullptr : "STATIC", "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                                     CRect(), this, 0);
        }
        if (first)
            m_paneManager.AttachAsTab(pane, first);
        else
            first = pane;
    }
    GetViewSettings().m_propertyHostWnd = GetPaneWindow(PaneProperties);
    GetViewSettings().m_propertyDialogFlag = GetPropertiesModal();
    InstallPropertyPane();
    m_pLayout.reset(m_paneManager.NewLayout());
    if (m_pLayout->Load(kLayoutName))
        m_paneManager.ApplyLayout(m_pLayout.get());
    m_paneManager.ReadLayout(m_pLayout.get());
    for (const PaneRow& row : kPanes)
        if (CXTPDockingPane* pane = m_paneManager.FindPane(row.id))
            pane->SetTitle(GetLanguageText(row.title));
    m_paneManager.ClosePane(PaneLayers);
    UINT ids[std::size(kPanes)];
    for (size_t i = 0; i < std::size(kPanes); ++i)
        ids[i] = kPanes[i].id;
    m_paneManager.SetIcons(kPaneIcons, ids, static_cast<int>(std::size(ids)), RGB(0, 255, 0));
}

// The catalogues live in the folder of the settings; pages offer their objects as entries.
void CMainFrame::CreateCataloguePane()
{
    SetCatalogueFolderSource(GetCatalogFolder);
    CCatView::SetEntryMaker(CCatalogueOb::OfferFromPage);
    CCatManager::SetPaneShower([] {
        if (CMainFrame* frame = GetMainFrame())
            frame->ShowPane(PaneCatalog);
    });
    auto& window = m_paneWindows[static_cast<size_t>(PaneIndex(PaneCatalog))];
    if (window)
        return;
    auto pane = std::make_unique<CCatManagerPane>();
    if (pane->Create(AfxRegisterWndClass(0), "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, CRect(), this, 0))
        window = std::move(pane);
}

CCatManager* CMainFrame::GetCatManager() const
{
    auto* pane = dynamic_cast<CCatManagerPane*>(GetPaneWindow(PaneCatalog));
    return pane ? pane->GetCatManager() : nullptr;
}

void CMainFrame::LoadFrameState()
{
    GetCommandBars()->LoadOptions(kBarState);
    GetCommandBars()->LoadBarState(kBarState, FALSE);
    SetTheme(GetSettingInt(Setting::Theme));
    m_bShowLayerPane = GetSettingInt(Setting::ShowLayerPane) != 0;
    m_bShowProperties = GetSettingInt(Setting::ShowProperties) != 0;
}

// Kept as the user left it; a settings file held since start-up refuses these writes.
void CMainFrame::SaveFrameState()
{
    CWinApp* app = AfxGetApp();
    const BOOL documents = m_bClosedWithDocuments || m_wndTabClient.GetItemCount() > 0;
    app->WriteProfileInt("Settings", "OpenLastDoc", documents ? 1 : 0);
    app->WriteProfileInt("Settings", "Theme", m_nTheme);
    app->WriteProfileInt("Settings", "ShowLayerPane", m_bShowLayerPane);
    app->WriteProfileInt("Settings", "ShowProperties", m_bShowProperties);
    if (m_pLayout) {
        m_paneManager.ClosePane(PaneLayers);
        m_paneManager.ClosePane(PaneProperties);
        m_paneManager.ReadLayout(m_pLayout.get());
        m_pLayout->Save(kLayoutName);
        m_pLayout.reset();
    }
    GetCommandBars()->SaveOptions(kBarState);
    GetCommandBars()->SaveBarState(kBarState);
}

// Closing the program closes its documents before the window goes; whether there were any is
// noted first, so that the most recent one comes back at the next start.
void CMainFrame::OnClose()
{
    // Closing under a running dialog would destroy the windows whose code waits for it: the
    // dialogs are cancelled and the close comes back once their callers have returned.
    if (CancelRunningDialogs(m_hWnd)) {
        PostMessage(WM_CLOSE);
        return;
    }
    m_bClosedWithDocuments = AfxGetApp()->GetOpenDocumentCount() > 0;
    CXTPMDIFrameWnd::OnClose();
}

void CMainFrame::OnDestroy()
{
    if (m_pCalendar && m_pCalendar->m_hWnd)
        m_pCalendar->DestroyWindow();
    m_wndTabClient.SyncTabs();
    SaveFrameState();
    if (GetViewSettings().m_propertyHostWnd == GetPaneWindow(PaneProperties))
        GetViewSettings().m_propertyHostWnd = nullptr;
    CXTPMDIFrameWnd::OnDestroy();
    m_wndTabClient.Detach();
}

BOOL CMainFrame::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo)
{
    CCmdTarget* managers[] = {m_pAudioManager, m_pNotesMgr};
    for (CCmdTarget* target : managers)
        if (target && target->OnCmdMsg(id, code, extra, handlerInfo))
            return TRUE;
    for (const auto& window : m_paneWindows)
        if (window && window->OnCmdMsg(id, code, extra, handlerInfo))
            return TRUE;
    if (m_wndTabClient.m_hWnd && m_wndTabClient.OnCmdMsg(id, code, extra, handlerInfo))
        return TRUE;
    return CXTPMDIFrameWnd::OnCmdMsg(id, code, extra, handlerInfo);
}

LRESULT CMainFrame::OnDockingPaneNotify(WPARAM action, LPARAM lParam)
{
    auto* pane = reinterpret_cast<CXTPDockingPane*>(lParam);
    if (!pane)
        return 0;
    if (action == PaneAction_Showing) {
        if (pane->GetHostedWindow())
            return TRUE;
        CWnd* window = GetPaneWindow(pane->GetID());
        if (auto* panel = dynamic_cast<CPanelPane*>(window))
            panel->AttachToPane(pane);
        else if (auto* layers = dynamic_cast<CLayersPane*>(window))
            layers->AttachToPane(pane, nullptr);
        else if (window)
            pane->Attach(window);
        m_bShowProperties = m_bShowProperties || pane->GetID() == PaneProperties;
        m_bShowLayerPane = m_bShowLayerPane || pane->GetID() == PaneLayers;
        ApplyPaneTheme();
        return TRUE;
    }
    if (action == PaneAction_Closing) {
        m_bShowProperties = m_bShowProperties && pane->GetID() != PaneProperties;
        m_bShowLayerPane = m_bShowLayerPane && pane->GetID() != PaneLayers;
    }
    return 0;
}

void CMainFrame::ApplyPaneTheme()
{
    const int theme = m_paneManager.GetCurrentTheme();
    for (UINT id : {PaneCatalog, PaneProject, PaneProperties}) {
        CWnd* window = GetPaneWindow(id);
        if (!window || !window->m_hWnd)
            continue;
        if (theme == 0 || theme == 2)
            window->ModifyStyle(0, WS_BORDER, SWP_FRAMECHANGED);
        else if (theme == 1)
            window->ModifyStyleEx(0, WS_EX_STATICEDGE, SWP_FRAMECHANGED);
        else {
            window->ModifyStyle(WS_BORDER, 0, SWP_FRAMECHANGED);
            window->ModifyStyleEx(WS_EX_STATICEDGE, 0, SWP_FRAMECHANGED);
        }
    }
}

CWnd* CMainFrame::GetPaneWindow(UINT paneId) const
{
    int index = PaneIndex(paneId);
    return index < 0 ? nullptr : m_paneWindows[static_cast<size_t>(index)].get();
}

// The toolkit asks for a pane's window only the first time; showing the pane again must still
// note the wish for the Properties and Layers panes.
void CMainFrame::ShowPane(UINT paneId)
{
    m_paneManager.ShowPane(paneId);
    m_bShowProperties = m_bShowProperties || paneId == PaneProperties;
    m_bShowLayerPane = m_bShowLayerPane || paneId == PaneLayers;
}

BOOL CMainFrame::IsPaneOpen(UINT paneId) const
{
    CXTPDockingPane* pane = m_paneManager.FindPane(paneId);
    return pane && !pane->IsClosed();
}

void CMainFrame::TogglePane(UINT paneId)
{
    if (IsPaneOpen(paneId))
        m_paneManager.ClosePane(paneId);
    else
        ShowPane(paneId);
}

namespace {

bool BarHolds(const CXTPCommandBar* bar, UINT command)
{
    const CXTPControlList* controls = bar ? bar->GetControls() : nullptr;
    for (int i = 0; controls && i < controls->GetCount(); ++i) {
        const CXTPControl* control = controls->GetAt(i);
        if (control->GetID() == command || BarHolds(control->GetCommandBar(), command))
            return true;
    }
    return false;
}

// A command that only a tool bar offers is picked by pressing its button, when enabled.
bool PressButton(CXTPCommandBar* bar, unsigned command)
{
    CXTPControl* control = bar && bar->GetControls() ? bar->GetControls()->FindControl(command) : nullptr;
    if (!control || !control->GetEnabled())
        return false;
    control->OnExecute();
    return true;
}

bool PressToolBarButton(CXTPCommandBars* bars, unsigned command)
{
    for (int i = 0; i < bars->GetCount(); ++i)
        if (PressButton(bars->GetAt(i), command))
            return true;
    return false;
}

// A scripted menu pick: the command goes to the frame as from its drop-down.
bool PickFromMenuBar(unsigned command)
{
    CMainFrame* frame = GetMainFrame();
    // Print preview offers its commands on a bar of its own.
    auto* preview = frame ? dynamic_cast<CToolbarPreviewView*>(frame->GetDlgItem(AFX_IDW_PANE_FIRST)) : nullptr;
    if (preview)
        return PressButton(&preview->GetCommandBar(), command);
    CXTPCommandBars* bars = frame ? frame->GetCommandBars() : nullptr;
    if (!bars)
        return false;
    if (!BarHolds(bars->GetMenuBar(), command))
        return PressToolBarButton(bars, command);
    frame->PostMessage(WM_COMMAND, command);
    return true;
}

} // namespace

void CMainFrame::InstallScriptedMenuPicks() { UiTestScript::SetMenuCommandPicker(PickFromMenuBar); }
