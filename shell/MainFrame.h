// The program's main frame: command bars, seven docking panes, the tabbed MDI client, the
// status bar with its progress display, the audio and notes managers; commands go to the
// managers and panes before the active document window.
#pragma once

#include "shell/FrameStatusBar.h"
#include "platform/toolkit/XTPDockingPaneManager.h"
#include "platform/toolkit/XTPMDIFrameWnd.h"
#include "platform/toolkit/XTPTabClientWnd.h"
#include "platform/ui/ControlBar.h"
#include "platform/ui/RangeCtrls.h"
#include "platform/ui/Static.h"

#include <array>
#include <memory>
#include <vector>

class CAudioManager;
class CCalendarDlg;
class CCatManager;
struct CreateBarRequest;
struct CreateControlRequest;

// What a tool bar control from a resource is replaced by.
enum class Supply { SplitButton, FontCombo, SizeCombo, AudioWindow };
class CNotesMgr;
class CProjOb;

enum PaneId : UINT {
    PaneCatalog = 59424,
    PaneProperties = 59425,
    PaneProject = 59426,
    PaneMark = 59459,
    PaneLayers = 63993,
    PaneTasks = 63994,
    PaneLearning = 63995,
};

struct ThemeRow {
    UINT command;
    int dockingTheme;
    int taskPanelTheme;
    int paintTheme;
};

class CMainFrame : public CXTPMDIFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)
public:
    static constexpr UINT WM_NOTESREFRESH = 0x2045;
    static constexpr UINT WM_TABCONTEXTMENU = 0x484;
    static constexpr UINT WM_DOCKINGPANENOTIFY = 0x89E6;
    static constexpr WPARAM PaneAction_Showing = 1;
    static constexpr WPARAM PaneAction_Closing = 3;
    static constexpr UINT CmdOpenRecent = 57616;
    static constexpr UINT CmdToggleCatalogLock = 33842;
    static constexpr UINT CmdIterateWorksheet = 33856;
    static constexpr int PaneCount = 7;
    // In creation order.
    static constexpr std::array<UINT, PaneCount> kPaneOrder = {PaneCatalog, PaneProject, PaneProperties, PaneLayers,
                                                                PaneTasks, PaneLearning, PaneMark};
    static constexpr UINT kThemeCommands[4] = {33967, 33958, 33964, 33966};

    CMainFrame();
    ~CMainFrame() override;

    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;

    int OnCreate(LPCREATESTRUCT cs);
    void OnClose();
    void OnDestroy();
    void OnPaint();
    LRESULT OnDockingPaneNotify(WPARAM action, LPARAM pane);
    LRESULT OnNotesRefresh(WPARAM object, LPARAM ignored);
    LRESULT OnTabContextMenu(WPARAM message, LPARAM point);
    // While bars are built: drop-down bars and richer controls; TRUE when one was supplied.
    LRESULT OnCreateCommandBar(WPARAM, LPARAM request);
    LRESULT OnCreateControl(WPARAM, LPARAM request);
    BOOL CreateCommandBar(CreateBarRequest& request);
    BOOL CreateControl(CreateControlRequest& request);
    // The audio manager's position slider (34051) or level meter (34059), made a child of the
    // frame in that rectangle the first time and handed out again whenever a bar is rebuilt;
    // NULL leaves the plain button.
    virtual CWnd* CreateAudioBarWindow(UINT id, const CRect& rect);

    void OnViewCatalog();
    void OnUpdateViewCatalog(CCmdUI* cmdUI);
    void OnToggleCatalogLock();
    void OnUpdateToggleCatalogLock(CCmdUI* cmdUI);
    void OnViewProjectManager();
    void OnViewProperties();
    void OnUpdateViewProperties(CCmdUI* cmdUI);
    void OnUpdateLayersManager(CCmdUI* cmdUI);
    void OnViewLearningCenter();
    void OnViewTaskpane();
    void OnViewMark();
    void OnIterateWorksheet();
    void OnUpdateIterateWorksheet(CCmdUI* cmdUI);
    void OnUpdateTogglePane(CCmdUI* cmdUI);
    void OnShowPaneCommand(UINT id);
    CView* ActiveDocumentView() const;
    void OnLayoutSplitButton(UINT id);
    void OnUpdateLayoutSplitButton(CCmdUI* cmdUI);
    void OnTheme(UINT id);
    void OnUpdateTheme(CCmdUI* cmdUI);
    void OnSupport();
    void OnUpdateCenter();
    void OnHomepage();
    void OnHelpContents();
    void OnToggleTabPosition();
    void OnCloseAll();
    void OnCustomize();
    void OnOptions();
    void OnSelectLanguage();
    // Opens the Calender window, or closes the open one.
    void OnCalendar();
    void OnUpdateCalendar(CCmdUI* cmdUI);
    CCalendarDlg* GetCalendar() const { return m_pCalendar.get(); }

    // Progress display in the status bar, for long operations.
    void BeginProgress(int low, int high, int step, UINT captionId);
    void StepProgress();
    void EndProgress();
    BOOL IsProgressShown() const { return m_bProgressShown; }

    // Print preview takes the whole frame: the panes close and come back as they were.
    void OnSetPreviewMode(BOOL preview, CPrintPreviewState* state) override;

    void SetTheme(int theme);
    int GetTheme() const { return m_nTheme; }
    BOOL GetShowProperties() const { return m_bShowProperties; }
    BOOL GetShowLayerPane() const { return m_bShowLayerPane; }
    void SetShowLayerPane(BOOL show) { m_bShowLayerPane = show; }
    CXTPDockingPaneManager* GetPaneManager() { return &m_paneManager; }
    CXTPTabClientWnd* GetTabClientWnd() { return &m_wndTabClient; }
    CWnd* GetPaneWindow(UINT paneId) const;
    // The manager of the catalogue pane; NULL before the pane exists.
    CCatManager* GetCatManager() const;
    CAudioManager* GetAudioManager() const { return m_pAudioManager; }
    CNotesMgr* GetNotesMgr() const { return m_pNotesMgr; }
    CFrameStatusBar& GetStatusBar() { return m_wndStatusBar; }
    // Shows the pane with this id.
    void ShowPane(UINT paneId);
    // The docked Properties dialog: the views make it and show its pane through these.
    void InstallPropertyPane();

    static const ThemeRow& ThemeOf(int theme);
    // Script steps that pick a menu command find it in the command bars' menu bar.
    static void InstallScriptedMenuPicks();

    // Created by OnCreate when not present before.
    CAudioManager* m_pAudioManager = nullptr;
    CNotesMgr* m_pNotesMgr = nullptr;

private:
    BOOL SupplyToolBarControl(CreateControlRequest& request, Supply supply);
    BOOL CreateBars();
    void CreateAudioControls();
    void ReleaseAudio();
    void ArrangeToolBars();
    void CreatePanes();
    void CreateProjectPanes(std::unique_ptr<CWnd>& projectSlot, std::unique_ptr<CWnd>& markerSlot);
    void CreateCataloguePane();
    void LoadFrameState();
    void SaveFrameState();
    void ApplyPaneTheme();
    void TogglePane(UINT paneId);
    BOOL IsPaneOpen(UINT paneId) const;
    void LayoutProgress(int low, int high, int step, const CString& caption);
    void FirstPaint();
    CProjOb* ActiveProject() const;

    int m_nTheme = 0;
    BOOL m_bShowProperties = FALSE;
    BOOL m_bShowLayerPane = FALSE;
    BOOL m_bProgressShown = FALSE;
    BOOL m_bClosedWithDocuments = FALSE;
    CFrameStatusBar m_wndStatusBar;
    CXTPTabClientWnd m_wndTabClient;
    CXTPDockingPaneManager m_paneManager;
    std::unique_ptr<CXTPPaneLayout> m_pLayout;
    std::vector<BYTE> m_previewLayout;
    std::array<std::unique_ptr<CWnd>, PaneCount> m_paneWindows;
    CProgressCtrl m_wndProgress;
    CStatic m_wndProgressCaption;
    std::unique_ptr<CCalendarDlg> m_pCalendar;

    DECLARE_MESSAGE_MAP()
};

// Opens a web address with the desktop's handler, saying so when the desktop has none.
void OpenUrl(LPCTSTR url);
// Opens the web address held by a string resource.
void OpenUrlResource(UINT stringId);
