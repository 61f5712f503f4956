// Frame windows: a top-level (or MDI child) window that holds views and control bars,
// routes commands (active view, then itself, then the application) and updates menus.
#pragma once

#include "platform/core/Lists.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/Wnd.h"

class CControlBar;
class CDockBar;
class CView;
struct CPrintPreviewState;

constexpr DWORD FWS_ADDTOTITLE = 0x00008000, FWS_PREFIXTITLE = 0x00004000, FWS_SNAPTOBARS = 0x00002000;
constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000);

class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
public:
    static const CRect rectDefault;
    enum IdleFlags { idleMenu = 1, idleTitle = 2, idleNotify = 4, idleLayout = 8 };

    CFrameWnd() = default;
    ~CFrameWnd() override;

    BOOL Create(LPCTSTR className, LPCTSTR windowName, DWORD style = WS_OVERLAPPEDWINDOW,
                const RECT& rect = rectDefault, CWnd* parent = nullptr, LPCTSTR menuName = nullptr, DWORD exStyle = 0,
                CCreateContext* context = nullptr);
    virtual BOOL LoadFrame(UINT resourceId, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, CWnd* parent = nullptr,
                           CCreateContext* context = nullptr);
    BOOL LoadAccelTable(LPCTSTR resourceName);

    virtual CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* view, BOOL notify = TRUE);
    virtual CFrameWnd* GetActiveFrame() { return this; }
    virtual CDocument* GetActiveDocument();
    virtual void RecalcLayout(BOOL notify = TRUE);
    // Print preview takes the place of the frame's main pane, which the state keeps meanwhile.
    virtual void OnSetPreviewMode(BOOL preview, CPrintPreviewState* state);
    virtual void ActivateFrame(int cmdShow = -1);
    virtual void InitialUpdateFrame(CDocument* doc, BOOL makeVisible);
    virtual void OnUpdateFrameTitle(BOOL addToTitle);
    void UpdateFrameTitleForDocument(LPCTSTR docName);
    virtual BOOL OnCreateClient(LPCREATESTRUCT cs, CCreateContext* context);
    CWnd* CreateView(CCreateContext* context, UINT id = AFX_IDW_PANE_FIRST);
    virtual void GetMessageString(UINT id, CString& message) const;
    void SetMessageText(LPCTSTR text);
    void SetMessageText(UINT id);
    void DelayUpdateFrameTitle() { m_nIdleFlags |= idleTitle; }
    void DelayRecalcLayout(BOOL notify = TRUE) { m_nIdleFlags |= idleLayout | (notify ? idleNotify : 0); }
    virtual HACCEL GetDefaultAccelerator();
    void SetTitle(LPCTSTR title) { m_strTitle = title; }
    CString GetTitle() const { return m_strTitle; }

    // Control bars.
    CControlBar* GetControlBar(UINT id);
    void ShowControlBar(CControlBar* bar, BOOL show, BOOL delay);
    void AddControlBar(CControlBar* bar);
    void RemoveControlBar(CControlBar* bar);
    void EnableDocking(DWORD dockStyle) { m_dwDockStyle = dockStyle; }
    // Docks the bar along the edge of the dock bar id (0: where it docked last), in a row of
    // its own, or with a rectangle at the end of the last row.
    void DockControlBar(CControlBar* bar, UINT dockBarId = 0, LPCRECT rect = nullptr);
    // Puts the bar in a small frame of its own with its top-left corner at the screen point.
    void FloatControlBar(CControlBar* bar, CPoint screen);
    // The dock bar along an edge (AFX_IDW_DOCKBAR_*), made when first asked for.
    CDockBar* GetDockBar(UINT id);
    void OnUpdateControlBarMenu(CCmdUI* cmdUI);
    void OnUpdateKeyIndicator(CCmdUI* cmdUI);
    BOOL OnBarCheck(UINT id);

    // Modal state: disables the frame while a modal window runs over it.
    void BeginModalState();
    void EndModalState();
    BOOL InModalState() const { return m_cModalStack > 0; }

    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PostNcDestroy() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    int OnCreate(LPCREATESTRUCT cs);
    void OnDestroy();
    void OnClose();
    BOOL OnQueryEndSession();
    void OnSize(UINT type, int cx, int cy);
    void OnSetFocus(CWnd* oldWnd);
    void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu);
    void OnDropFiles(HDROP drop);
    void OnActivate(UINT state, CWnd* other, BOOL minimized);
    LRESULT OnIdleUpdateCmdUI(WPARAM, LPARAM);
    LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);

    CString m_strTitle;
    HACCEL m_hAccelTable = nullptr;
    BOOL m_bAccelOwned = FALSE;
    HMENU m_hMenuDefault = nullptr;
    UINT m_nIDHelp = 0;
    BOOL m_bAutoMenuEnable = TRUE;
    int m_nIdleFlags = 0;
    DWORD m_dwDockStyle = 0;
    CPtrList m_listControlBars;

protected:
    BOOL CreateFrameHelper(LPCREATESTRUCT cs, CCreateContext* context);

    CView* m_pViewActive = nullptr;
    BOOL m_bInRecalcLayout = FALSE;
    int m_cModalStack = 0;
    HWND* m_phWndDisable = nullptr;

    DECLARE_MESSAGE_MAP()
};

// The frame that contains a view or control: the nearest ancestor that is a frame.
CFrameWnd* AfxGetParentFrameOf(const CWnd* wnd);
BOOL AfxExtractSubString(CString& part, LPCTSTR fullString, int subIndex, char separator = '\n');
