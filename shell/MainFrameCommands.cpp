#include "shell/MainFrame.h"

#include "shell/CalendarDlg.h"
#include "shell/NotesMgr.h"
#include "shell/PropOptions.h"
#include "shell/SelectLanguageDlg.h"
#include "shell/Settings.h"
#include "shell/VantrelApp.h"
#include "projects/CatManager.h"
#include "objects/ViewSettings.h"
#include "platform/toolkit/XTPCommandBars.h"
#include "platform/toolkit/XTPCustomizeSheet.h"
#include "platform/toolkit/XTPPaintManager.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/Help.h"
#include "platform/ui/MDIChildWnd.h"
#include "platform/ui/View.h"
#include "platform/ui/Menu.h"
#include "platform/ui/WebAddress.h"
#include "platform/ui/WinApp.h"

namespace {

constexpr UINT kSupportPage = 140, kUpdatePage = 141, kHomePage = 142;
constexpr UINT kTabMenu = 290;
constexpr UINT CmdCloseAll = 34032, CmdTogglePosition = 34031;

struct PaneCommand {
    UINT command;
    UINT pane;
};

// Commands that toggle a pane, and commands that only show one.
constexpr PaneCommand kToggles[] = {
    {23033, PaneProject}, {34042, PaneLearning}, {34043, PaneTasks}, {34037, PaneMark}};
constexpr PaneCommand kShows[] = {{33968, PaneCatalog}, {28573, PaneCatalog}, {33969, PaneProject},
                                  {28574, PaneProject}, {60416, PaneProperties}};

UINT PaneOf(std::span<const PaneCommand> table, UINT command)
{
    for (const PaneCommand& row : table)
        if (row.command == command)
            return row.pane;
    return 0;
}

// The Layout bar's Align, Center and Space buttons do the first command of their menus.
constexpr PaneCommand kSplitButtonDefaults[] = {{28567, 60417}, {28568, 60423}, {28569, 60421}};

BOOL firstPaintDone = FALSE;

} // namespace

CView* CMainFrame::ActiveDocumentView() const
{
    CMDIChildWnd* child = MDIGetActive();
    return child ? child->GetActiveView() : nullptr;
}

void CMainFrame::OnLayoutSplitButton(UINT id)
{
    if (CView* view = ActiveDocumentView())
        view->SendMessage(WM_COMMAND, PaneOf(kSplitButtonDefaults, id));
}

void CMainFrame::OnUpdateLayoutSplitButton(CCmdUI* cmdUI)
{
    CView* view = ActiveDocumentView();
    const UINT button = cmdUI->m_nID;
    cmdUI->m_nID = PaneOf(kSplitButtonDefaults, button);
    if (view)
        cmdUI->DoUpdate(view, TRUE);
    else
        cmdUI->Enable(FALSE);
    cmdUI->m_nID = button;
}

void OpenUrl(LPCTSTR url) { OpenWebAddress(url); }

void OpenUrlResource(UINT stringId)
{
    CString url;
    if (url.LoadString(stringId))
        OpenUrl(url);
}

void CMainFrame::OnViewCatalog()
{
    CXTPDockingPane* pane = m_paneManager.FindPane(PaneCatalog);
    if (pane && !pane->IsClosed())
        m_paneManager.ClosePane(pane);
    else
        ShowPane(PaneCatalog);
}

void CMainFrame::OnUpdateViewCatalog(CCmdUI* cmdUI)
{
    cmdUI->Enable(TRUE);
    cmdUI->SetCheck(IsPaneOpen(PaneCatalog));
}

void CMainFrame::OnToggleCatalogLock()
{
    CCatManager* manager = GetCatManager();
    if (!manager || !manager->GetActiveCatalogue())
        return;
    const int index = manager->GetActiveIndex();
    if (manager->IsCatalogueLocked(index))
        manager->UnlockCatalogue(index);
    else
        manager->LockCatalogue(index);
}

void CMainFrame::OnUpdateToggleCatalogLock(CCmdUI* cmdUI)
{
    CCatManager* manager = GetCatManager();
    const BOOL current = manager && manager->GetActiveCatalogue() && !manager->IsUntitled(manager->GetActiveIndex());
    cmdUI->Enable(current);
    cmdUI->SetCheck(current && manager->IsCatalogueLocked(manager->GetActiveIndex()));
}

void CMainFrame::OnViewProjectManager() { TogglePane(PaneProject); }
void CMainFrame::OnViewLearningCenter() { TogglePane(PaneLearning); }
void CMainFrame::OnViewTaskpane() { TogglePane(PaneTasks); }
void CMainFrame::OnViewMark() { TogglePane(PaneMark); }
void CMainFrame::OnViewProperties() { TogglePane(PaneProperties); }

void CMainFrame::OnUpdateTogglePane(CCmdUI* cmdUI)
{
    cmdUI->Enable(TRUE);
    cmdUI->SetCheck(IsPaneOpen(PaneOf(kToggles, cmdUI->m_nID)));
}

void CMainFrame::OnShowPaneCommand(UINT id) { ShowPane(PaneOf(kShows, id)); }

// Reached only without an active document: the pane closes but the wish to see it stays.
void CMainFrame::OnUpdateViewProperties(CCmdUI* cmdUI)
{
    const BOOL wasOpen = IsPaneOpen(PaneProperties);
    const BOOL wanted = m_bShowProperties;
    m_paneManager.ClosePane(PaneProperties);
    m_bShowProperties = wanted;
    cmdUI->Enable(FALSE);
    cmdUI->SetCheck(wasOpen);
}

void CMainFrame::OnUpdateLayersManager(CCmdUI* cmdUI)
{
    const BOOL wasOpen = IsPaneOpen(PaneLayers);
    const BOOL wanted = m_bShowLayerPane;
    m_paneManager.ClosePane(PaneLayers);
    m_bShowLayerPane = wanted;
    cmdUI->Enable(FALSE);
    cmdUI->SetCheck(wasOpen);
}

void CMainFrame::OnTheme(UINT id)
{
    for (int theme = 0; theme < 4; ++theme)
        if (kThemeCommands[theme] == id)
            SetTheme(theme);
}

void CMainFrame::SetTheme(int theme)
{
    const ThemeRow& row = ThemeOf(theme);
    m_nTheme = static_cast<int>(&row - &ThemeOf(0));
    m_paneManager.SetTheme(row.dockingTheme);
    CXTPPaintManager::SetTheme(row.paintTheme);
    ApplyPaneTheme();
    RecalcLayout();
    if (GetCommandBars())
        GetCommandBars()->RedrawCommandBars();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CMainFrame::OnUpdateTheme(CCmdUI* cmdUI) { cmdUI->SetCheck(kThemeCommands[m_nTheme] == cmdUI->m_nID); }

void CMainFrame::OnSupport() { OpenUrlResource(kSupportPage); }
void CMainFrame::OnUpdateCenter() { OpenUrlResource(kUpdatePage); }
void CMainFrame::OnHomepage() { OpenUrlResource(kHomePage); }

void CMainFrame::OnHelpContents()
{
    HtmlHelp(m_hWnd, GetHelpFile(), HH_DISPLAY_TOC, 0);
}

void CMainFrame::OnToggleTabPosition()
{
    m_wndTabClient.SetTabPosition(m_wndTabClient.GetTabPosition() == TabPositionTop ? TabPositionBottom
                                                                                     : TabPositionTop);
    m_wndTabClient.Refresh();
}

// Each changed document is offered for saving first; Cancel on any of them keeps all open.
void CMainFrame::OnCloseAll()
{
    CWinApp* app = AfxGetApp();
    if (app->SaveAllModified())
        app->CloseAllDocuments(FALSE);
}

void CMainFrame::OnCustomize()
{
    CXTPCustomizeSheet sheet(GetCommandBars());
    // The documents' menu holds every command; the frame's only those that need no document.
    CXTPKeyboardPage keyboard(&sheet);
    keyboard.AddCategories(CVantrelApp::IdDocument);
    sheet.AddPage(&keyboard);
    CXTPOptionsPage options(&sheet);
    sheet.AddPage(&options);
    CXTPCommandsPage* commands = sheet.GetCommandsPage();
    commands->AddCategories(CVantrelApp::IdDocument);
    commands->AddAllCommands();
    commands->AddBuiltInMenus(CVantrelApp::IdDocument);
    commands->AddNewMenu();
    sheet.DoModal();
}

void CMainFrame::OnOptions()
{
    CPropOptions sheet(CPropOptions::kCaption, nullptr, 0);
    if (sheet.DoModal() == IDOK)
        GetViewSettings().m_propertyDialogFlag = GetPropertiesModal();
}

void CMainFrame::OnSelectLanguage() { CSelectLanguageDlg(this).DoModal(); }

void CMainFrame::OnCalendar()
{
    if (m_pCalendar && m_pCalendar->m_hWnd) {
        m_pCalendar->DestroyWindow();
        return;
    }
    m_pCalendar = std::make_unique<CCalendarDlg>(this);
    if (m_pCalendar->CDialog::Create(CCalendarDlg::IDD, this))
        m_pCalendar->ShowWindow(SW_SHOW);
}

void CMainFrame::OnUpdateCalendar(CCmdUI* cmdUI) { cmdUI->SetCheck(m_pCalendar && m_pCalendar->m_hWnd); }

LRESULT CMainFrame::OnTabContextMenu(WPARAM message, LPARAM lParam)
{
    if (message != WM_RBUTTONUP)
        return FALSE;
    CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    if (HWND child = m_wndTabClient.HitTest(point)) {
        ReleaseCapture();
        ::SendMessage(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child), 0);
        m_wndTabClient.Refresh();
        CMenu menu;
        if (menu.LoadMenu(kTabMenu) && menu.GetSubMenu(0))
            GetCommandBars()->TrackPopupMenu(menu.GetSubMenu(0), TPM_RIGHTBUTTON, point.x, point.y, this);
        m_wndTabClient.Refresh();
        return TRUE;
    }
    if (!m_wndTabClient.GetRowRect().IsRectEmpty()) {
        CMenu menu;
        menu.CreatePopupMenu();
        menu.AppendMenu(MF_STRING, CmdCloseAll, "&Close All");
        menu.AppendMenu(MF_STRING, CmdTogglePosition, "&Toggle Position");
        GetCommandBars()->TrackPopupMenu(&menu, TPM_RIGHTBUTTON, point.x, point.y, this);
        return TRUE;
    }
    return FALSE;
}

LRESULT CMainFrame::OnNotesRefresh(WPARAM object, LPARAM ignored)
{
    if (m_pNotesMgr)
        m_pNotesMgr->RefreshNote(object, ignored);
    return 0;
}

void CMainFrame::OnPaint()
{
    {
        CPaintDC dc(this);
    }
    if (!firstPaintDone)
        FirstPaint();
}

// The command line's open or print request runs now that the frame shows; without one the
// most recent document comes back when the settings ask for it.
void CMainFrame::FirstPaint()
{
    firstPaintDone = TRUE;
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    SetCurrentFolder(GetProgramFolder());
    CWinApp* app = AfxGetApp();
    CCommandLineInfo cmdInfo;
    app->ParseCommandLine(cmdInfo);
    if (cmdInfo.m_nShellCommand != CCommandLineInfo::FileNew && cmdInfo.m_nShellCommand != CCommandLineInfo::FileNothing)
        app->ProcessShellCommand(cmdInfo);
    else if (GetSettingInt(Setting::OpenLastDoc) != 0)
        SendMessage(WM_COMMAND, CmdOpenRecent);
}

void CMainFrame::BeginProgress(int low, int high, int step, UINT captionId)
{
    CString caption;
    if (captionId)
        caption.LoadString(captionId);
    LayoutProgress(low, high, step, caption);
}

void CMainFrame::LayoutProgress(int low, int high, int step, const CString& caption)
{
    CClientDC dc(&m_wndProgress);
    const int width = dc.GetTextExtent(caption).cx;
    CRect r;
    m_wndStatusBar.GetItemRect(0, &r);
    const int b = GetSystemMetrics(SM_CXBORDER);
    m_wndProgress.MoveWindow(r.left + width + 2 * b, r.top, r.right - (r.left + width + 2 * b), r.Height());
    m_wndProgressCaption.MoveWindow(r.left + 2 * b, r.top + b, width, r.bottom - r.top - b);
    m_wndProgress.SetRange32(low, high);
    m_wndProgress.SetStep(step);
    m_wndProgress.SetPos(low);
    m_wndProgress.ShowWindow(SW_SHOWNA);
    m_wndProgressCaption.ShowWindow(SW_SHOWNA);
    m_wndProgressCaption.SetWindowText(caption);
    m_bProgressShown = TRUE;
}

void CMainFrame::StepProgress()
{
    m_wndProgress.StepIt();
    m_wndProgressCaption.ShowWindow(SW_SHOWNA);
}

void CMainFrame::EndProgress()
{
    m_wndProgress.ShowWindow(SW_HIDE);
    m_wndProgressCaption.ShowWindow(SW_HIDE);
    m_bProgressShown = FALSE;
}
