// CWnd: a window object bound to a window handle, with message-map dispatch, reflection to
// controls, modal loops and wrappers for the handle-level functions.
#pragma once

#include "platform/core/Geometry.h"
#include "platform/core/String.h"
#include "platform/ui/CmdTarget.h"
#include "platform/ui/UiApi.h"

class CDC;
class CRgn;
class CMenu;
class CFrameWnd;
class CScrollBar;
class CDocument;
class CView;
struct CCreateContext;
struct COMPAREITEMSTRUCT;

struct HELPINFO {
    UINT cbSize;
    int iContextType;
    int iCtrlId;
    HANDLE hItemHandle;
    DWORD_PTR dwContextId;
    POINT MousePos;
};
using LPHELPINFO = HELPINFO*;

// CWnd::m_nFlags.
constexpr UINT WF_TEMPHIDE = 0x0001, WF_STAYDISABLED = 0x0002, WF_MODALLOOP = 0x0004,
               WF_CONTINUEMODAL = 0x0008, WF_OLECTLCONTAINER = 0x0100, WF_STAYACTIVE = 0x0020;
// RunModalLoop flags.
constexpr DWORD MLF_NOIDLEMSG = 0x0001, MLF_NOKICKIDLE = 0x0002, MLF_SHOWONIDLE = 0x0004;
constexpr WPARAM MSGF_DIALOGBOX = 0;

// RepositionBars.
constexpr UINT reposDefault = 0, reposQuery = 1, reposExtra = 2;
constexpr UINT adjustBorder = 0, adjustOutside = 1;

// Window ids of the framework.
constexpr UINT AFX_IDW_PANE_FIRST = 0xE900, AFX_IDW_PANE_LAST = 0xE9FF, AFX_IDW_TOOLBAR = 0xE800,
               AFX_IDW_STATUS_BAR = 0xE801, AFX_IDW_CONTROLBAR_FIRST = 0xE800,
               AFX_IDW_CONTROLBAR_LAST = 0xE8FF, AFX_IDW_DOCKBAR_TOP = 0xE81B,
               AFX_IDW_DOCKBAR_LEFT = 0xE81C, AFX_IDW_DOCKBAR_RIGHT = 0xE81D,
               AFX_IDW_DOCKBAR_BOTTOM = 0xE81E;

// Data of WM_SIZEPARENT: the rectangle left for the next bar and the deferred moves.
struct AFX_SIZEPARENTPARAMS {
    HDWP hDWP;
    RECT rect;
    SIZE sizeTotal;
    BOOL bStretch;
};

class CWnd : public CCmdTarget {
    DECLARE_DYNCREATE(CWnd)
public:
    HWND m_hWnd = nullptr;
    UINT m_nFlags = 0;
    WNDPROC m_pfnSuper = nullptr;
    int m_nModalResult = 0;

    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;

    CWnd() = default;
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    operator HWND() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }
    BOOL operator==(const CWnd& other) const { return other.m_hWnd == m_hWnd; }

    // Handle maps: permanent objects are those attached to a handle; others get a temporary
    // object that lives until the next idle time (with the temporary menu objects).
    static CWnd* FromHandle(HWND hwnd);
    static CWnd* FromHandlePermanent(HWND hwnd);
    static void DeleteTempMap();
    BOOL Attach(HWND hwnd);
    HWND Detach();
    BOOL SubclassWindow(HWND hwnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();

    virtual BOOL Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                        CCreateContext* context = nullptr);
    virtual BOOL CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, int x, int y, int cx,
                          int cy, HWND parent, HMENU idOrMenu, LPVOID param = nullptr);
    BOOL CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                  UINT id, LPVOID param = nullptr);
    virtual BOOL DestroyWindow();

    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void PreSubclassWindow();
    virtual void PostNcDestroy();
    virtual BOOL PreTranslateMessage(MSG* msg);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    static BOOL ReflectLastMsg(HWND child, LRESULT* result = nullptr);
    LRESULT Default();
    virtual void CalcWindowRect(LPRECT clientRect, UINT adjustType = adjustBorder);
    const MSG* GetCurrentMessage();

    // Styles, text and ids.
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);
    static BOOL ModifyStyle(HWND hwnd, DWORD remove, DWORD add, UINT flags);
    static BOOL ModifyStyleEx(HWND hwnd, DWORD remove, DWORD add, UINT flags);
    void SetWindowText(LPCTSTR text);
    int GetWindowText(LPTSTR buffer, int size) const;
    void GetWindowText(CString& text) const;
    int GetWindowTextLength() const;
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int id);
    CWnd* GetDlgItem(int id) const;
    void SetDlgItemText(int id, LPCTSTR text);
    int GetDlgItemText(int id, CString& text) const;
    void SetDlgItemInt(int id, UINT value, BOOL isSigned = TRUE);
    UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL isSigned = TRUE) const;
    LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    void CheckDlgButton(int id, UINT check);
    UINT IsDlgButtonChecked(int id) const;

    // Relations.
    CWnd* GetParent() const;
    CWnd* SetParent(CWnd* newParent);
    CWnd* GetOwner() const;
    void SetOwner(CWnd* owner);
    CWnd* GetWindow(UINT relation) const;
    CWnd* GetTopWindow() const;
    CWnd* GetNextWindow(UINT relation = GW_HWNDNEXT) const;
    CWnd* GetTopLevelParent() const;
    CWnd* GetTopLevelOwner() const;
    CFrameWnd* GetParentFrame() const;
    CFrameWnd* GetTopLevelFrame() const;
    BOOL IsChild(const CWnd* wnd) const;
    CWnd* ChildWindowFromPoint(POINT pt) const;
    static CWnd* WindowFromPoint(POINT pt);
    static CWnd* GetDesktopWindow();
    static CWnd* GetSafeOwner(CWnd* parent = nullptr, HWND* topLevel = nullptr);
    CWnd* GetDescendantWindow(int id, BOOL onlyPermanent = FALSE) const;
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL deep = TRUE,
                                  BOOL onlyPermanent = FALSE);

    // Visibility and placement.
    BOOL ShowWindow(int cmdShow);
    BOOL IsWindowVisible() const;
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL IsIconic() const;
    BOOL IsZoomed() const;
    BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
    void MoveWindow(int x, int y, int cx, int cy, BOOL repaint = TRUE);
    void MoveWindow(LPCRECT rect, BOOL repaint = TRUE);
    void BringWindowToTop();
    void GetWindowRect(LPRECT rect) const;
    void GetClientRect(LPRECT rect) const;
    void ClientToScreen(LPPOINT pt) const;
    void ClientToScreen(LPRECT rect) const;
    void ScreenToClient(LPPOINT pt) const;
    void ScreenToClient(LPRECT rect) const;
    void MapWindowPoints(CWnd* to, LPPOINT points, UINT count) const;
    void MapWindowPoints(CWnd* to, LPRECT rect) const;
    BOOL GetWindowPlacement(WINDOWPLACEMENT* placement) const;
    BOOL SetWindowPlacement(const WINDOWPLACEMENT* placement);
    void CenterWindow(CWnd* alternateOwner = nullptr);
    void RepositionBars(UINT idFirst, UINT idLast, UINT idLeftOver, UINT flags = reposDefault,
                        LPRECT rectParam = nullptr, LPCRECT rectClient = nullptr, BOOL stretch = TRUE);

    // Messages and timers.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc = nullptr);
    BOOL KillTimer(UINT_PTR id);
    int RunModalLoop(DWORD flags = 0);
    virtual BOOL ContinueModal();
    virtual void EndModalLoop(int result);
    int MessageBox(LPCTSTR text, LPCTSTR caption = nullptr, UINT type = MB_OK);

    // Painting.
    void Invalidate(BOOL erase = TRUE);
    void InvalidateRect(LPCRECT rect, BOOL erase = TRUE);
    void ValidateRect(LPCRECT rect);
    BOOL GetUpdateRect(LPRECT rect, BOOL erase = FALSE);
    void UpdateWindow();
    BOOL RedrawWindow(LPCRECT rect = nullptr, HRGN region = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    void SetRedraw(BOOL redraw = TRUE);
    void ScrollWindow(int dx, int dy, LPCRECT scrollRect = nullptr, LPCRECT clipRect = nullptr);
    CDC* BeginPaint(PAINTSTRUCT* ps);
    void EndPaint(PAINTSTRUCT* ps);
    CDC* GetDC();
    CDC* GetDCEx(CRgn* clip, DWORD flags);
    CDC* GetWindowDC();
    int ReleaseDC(CDC* dc);

    // Input state.
    CWnd* SetCapture();
    static CWnd* GetCapture();
    CWnd* SetFocus();
    static CWnd* GetFocus();
    CWnd* SetActiveWindow();
    static CWnd* GetActiveWindow();
    BOOL SetForegroundWindow();
    BOOL FlashWindow(BOOL invert);
    void CreateSolidCaret(int width, int height);
    void ShowCaret();
    void HideCaret();
    static void SetCaretPos(POINT pt);
    static CPoint GetCaretPos();
    void DragAcceptFiles(BOOL accept = TRUE);

    // Scroll bars.
    BOOL SetScrollInfo(int bar, LPSCROLLINFO info, BOOL redraw = TRUE);
    BOOL GetScrollInfo(int bar, LPSCROLLINFO info, UINT mask = SIF_ALL);
    int SetScrollPos(int bar, int pos, BOOL redraw = TRUE);
    int GetScrollPos(int bar) const;
    void SetScrollRange(int bar, int minPos, int maxPos, BOOL redraw = TRUE);
    void GetScrollRange(int bar, LPINT minPos, LPINT maxPos) const;
    int GetScrollLimit(int bar);
    void ShowScrollBar(UINT bar, BOOL show = TRUE);
    virtual CScrollBar* GetScrollBarCtrl(int bar) const;

    // Menus.
    CMenu* GetMenu() const;
    BOOL SetMenu(CMenu* menu);
    void DrawMenuBar();
    void UpdateDialogControls(CCmdTarget* target, BOOL disableIfNoHandler);

    // Default handlers; derived classes map the ones they override.
    int OnCreate(LPCREATESTRUCT cs);
    void OnDestroy();
    void OnNcDestroy();
    void OnPaint();
    void OnNcPaint();
    BOOL OnEraseBkgnd(CDC* dc);
    void OnSize(UINT type, int cx, int cy);
    void OnMove(int x, int y);
    void OnGetMinMaxInfo(MINMAXINFO* info);
    void OnWindowPosChanging(WINDOWPOS* pos);
    void OnWindowPosChanged(WINDOWPOS* pos);
    void OnNcCalcSize(BOOL calcValidRects, NCCALCSIZE_PARAMS* params);
    LRESULT OnNcHitTest(CPoint point);
    void OnNcLButtonDown(UINT hitTest, CPoint point);
    void OnNcLButtonUp(UINT hitTest, CPoint point);
    void OnNcLButtonDblClk(UINT hitTest, CPoint point);
    void OnNcMouseMove(UINT hitTest, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnLButtonDblClk(UINT flags, CPoint point);
    void OnRButtonDown(UINT flags, CPoint point);
    void OnRButtonUp(UINT flags, CPoint point);
    void OnRButtonDblClk(UINT flags, CPoint point);
    void OnMButtonDown(UINT flags, CPoint point);
    void OnMButtonUp(UINT flags, CPoint point);
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
    int OnMouseActivate(CWnd* desktop, UINT hitTest, UINT message);
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    void OnKeyDown(UINT ch, UINT repeat, UINT flags);
    void OnKeyUp(UINT ch, UINT repeat, UINT flags);
    void OnSysKeyDown(UINT ch, UINT repeat, UINT flags);
    void OnSysKeyUp(UINT ch, UINT repeat, UINT flags);
    void OnChar(UINT ch, UINT repeat, UINT flags);
    void OnSysChar(UINT ch, UINT repeat, UINT flags);
    void OnTimer(UINT_PTR id);
    void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
    void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
    void OnSetFocus(CWnd* oldWnd);
    void OnKillFocus(CWnd* newWnd);
    void OnActivate(UINT state, CWnd* other, BOOL minimized);
    BOOL OnNcActivate(BOOL active);
    void OnClose();
    void OnShowWindow(BOOL show, UINT status);
    void OnEnable(BOOL enable);
    void OnContextMenu(CWnd* wnd, CPoint point);
    void OnSysCommand(UINT id, LPARAM lParam);
    void OnDrawItem(int idCtl, LPDRAWITEMSTRUCT dis);
    void OnMeasureItem(int idCtl, LPMEASUREITEMSTRUCT mis);
    int OnCompareItem(int idCtl, COMPAREITEMSTRUCT* cis);
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    void OnDropFiles(HDROP drop);
    void OnCaptureChanged(CWnd* wnd);
    void OnCancelMode();
    void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu);
    void OnEnterMenuLoop(BOOL trackPopup);
    void OnExitMenuLoop(BOOL trackPopup);
    BOOL OnHelpInfo(HELPINFO* info);
    void OnSettingChange(UINT flags, LPCTSTR section);
    void OnParentNotify(UINT message, LPARAM lParam);
    void OnChildActivate();
    void OnMDIActivate(BOOL activate, CWnd* activated, CWnd* deactivated);
    UINT OnGetDlgCode();

    DECLARE_MESSAGE_MAP()

protected:
    // For the controls' wrappers whose message answers an int.
    int sendInt(UINT message, WPARAM wParam, LPARAM lParam) const
    {
        return static_cast<int>(::SendMessage(m_hWnd, message, wParam, lParam));
    }

    friend LRESULT AfxWndProc(HWND, UINT, WPARAM, LPARAM);
};

// The window procedure of every window that has a CWnd.
LRESULT AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT AfxCallWndProc(CWnd* wnd, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Registers (once) a window class with these attributes and returns its generated name.
LPCTSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                            HICON icon = nullptr);
// The framework's own classes: "AfxWnd" (children), "AfxFrameOrView", "AfxMDIFrame", "AfxControlBar".
BOOL AfxEndDeferRegisterClass(LONG toRegister);
extern const char* const AfxWnd;
extern const char* const AfxFrameOrView;
extern const char* const AfxMDIFrame;
extern const char* const AfxControlBar;

// While locked, idle time keeps the temporary window and menu objects (nested loops hold them).
void AfxLockTempMaps();
BOOL AfxUnlockTempMaps(BOOL deleteTemps = TRUE);

// Gets one message and dispatches it (with pre-translation); FALSE on WM_QUIT.
BOOL AfxPumpMessage();
BOOL AfxIsIdleMessage(MSG* msg);
// The device context object for a handle (created by the drawing layer).
CDC* AfxDCFromHandle(HDC dc);
HDC AfxHdcOf(CDC* dc);
// A drawing context on a window's client area (or whole window) and its release.
CDC* AfxGetWindowDC(CWnd* wnd, BOOL wholeWindow);
int AfxReleaseWindowDC(CWnd* wnd, CDC* dc);

class CScrollBar : public CWnd {
    DECLARE_DYNAMIC(CScrollBar)
};

// Window-message entries. Each unpacks its parameters as the handler's signature wants.
#define AFX_POINT_ARG CPoint(GET_X_LPARAM(call.lParam), GET_Y_LPARAM(call.lParam))
#define AFX_WND_ARG(v) CWnd::FromHandle(reinterpret_cast<HWND>(v))
#define ON_WM_CREATE() \
    AFX_MAP_ENTRY(WM_CREATE, 0, 0, 0, call.result = self->OnCreate(reinterpret_cast<LPCREATESTRUCT>(call.lParam)); return TRUE;)
#define ON_WM_DESTROY() AFX_MAP_ENTRY(WM_DESTROY, 0, 0, 0, self->OnDestroy(); return TRUE;)
#define ON_WM_NCDESTROY() AFX_MAP_ENTRY(WM_NCDESTROY, 0, 0, 0, self->OnNcDestroy(); return TRUE;)
#define ON_WM_PAINT() AFX_MAP_ENTRY(WM_PAINT, 0, 0, 0, self->OnPaint(); return TRUE;)
#define ON_WM_NCPAINT() AFX_MAP_ENTRY(WM_NCPAINT, 0, 0, 0, self->OnNcPaint(); return TRUE;)
#define ON_WM_ERASEBKGND() \
    AFX_MAP_ENTRY(WM_ERASEBKGND, 0, 0, 0, call.result = self->OnEraseBkgnd(AfxDCFromHandle(reinterpret_cast<HDC>(call.wParam))); return TRUE;)
#define ON_WM_SIZE() \
    AFX_MAP_ENTRY(WM_SIZE, 0, 0, 0, self->OnSize(static_cast<UINT>(call.wParam), LOWORD(call.lParam), HIWORD(call.lParam)); return TRUE;)
#define ON_WM_MOVE() \
    AFX_MAP_ENTRY(WM_MOVE, 0, 0, 0, self->OnMove(GET_X_LPARAM(call.lParam), GET_Y_LPARAM(call.lParam)); return TRUE;)
#define ON_WM_GETMINMAXINFO() \
    AFX_MAP_ENTRY(WM_GETMINMAXINFO, 0, 0, 0, self->OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(call.lParam)); return TRUE;)
#define ON_WM_WINDOWPOSCHANGING() \
    AFX_MAP_ENTRY(WM_WINDOWPOSCHANGING, 0, 0, 0, self->OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(call.lParam)); return TRUE;)
#define ON_WM_WINDOWPOSCHANGED() \
    AFX_MAP_ENTRY(WM_WINDOWPOSCHANGED, 0, 0, 0, self->OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(call.lParam)); return TRUE;)
#define ON_WM_NCCALCSIZE() \
    AFX_MAP_ENTRY(WM_NCCALCSIZE, 0, 0, 0, self->OnNcCalcSize(static_cast<BOOL>(call.wParam), reinterpret_cast<NCCALCSIZE_PARAMS*>(call.lParam)); return TRUE;)
#define ON_WM_NCHITTEST() AFX_MAP_ENTRY(WM_NCHITTEST, 0, 0, 0, call.result = self->OnNcHitTest(AFX_POINT_ARG); return TRUE;)
#define AFX_NC_MOUSE_ENTRY(msg, fn) \
    AFX_MAP_ENTRY(msg, 0, 0, 0, self->fn(static_cast<UINT>(call.wParam), AFX_POINT_ARG); return TRUE;)
#define ON_WM_NCLBUTTONDOWN() AFX_NC_MOUSE_ENTRY(WM_NCLBUTTONDOWN, OnNcLButtonDown)
#define ON_WM_NCLBUTTONUP() AFX_NC_MOUSE_ENTRY(WM_NCLBUTTONUP, OnNcLButtonUp)
#define ON_WM_NCLBUTTONDBLCLK() AFX_NC_MOUSE_ENTRY(WM_NCLBUTTONDBLCLK, OnNcLButtonDblClk)
#define ON_WM_NCMOUSEMOVE() AFX_NC_MOUSE_ENTRY(WM_NCMOUSEMOVE, OnNcMouseMove)
#define ON_WM_MOUSEMOVE() AFX_NC_MOUSE_ENTRY(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_LBUTTONDOWN() AFX_NC_MOUSE_ENTRY(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_NC_MOUSE_ENTRY(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_NC_MOUSE_ENTRY(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_NC_MOUSE_ENTRY(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_NC_MOUSE_ENTRY(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() AFX_NC_MOUSE_ENTRY(WM_RBUTTONDBLCLK, OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() AFX_NC_MOUSE_ENTRY(WM_MBUTTONDOWN, OnMButtonDown)
#define ON_WM_MBUTTONUP() AFX_NC_MOUSE_ENTRY(WM_MBUTTONUP, OnMButtonUp)
#define ON_WM_MOUSEWHEEL()                                                                                   \
    AFX_MAP_ENTRY(WM_MOUSEWHEEL, 0, 0, 0,                                                                    \
                  call.result = self->OnMouseWheel(LOWORD(call.wParam), static_cast<short>(HIWORD(call.wParam)), \
                                                   AFX_POINT_ARG);                                           \
                  return TRUE;)
#define ON_WM_MOUSEACTIVATE()                                                                                  \
    AFX_MAP_ENTRY(WM_MOUSEACTIVATE, 0, 0, 0,                                                                   \
                  call.result = self->OnMouseActivate(AFX_WND_ARG(call.wParam), LOWORD(call.lParam), HIWORD(call.lParam)); \
                  return TRUE;)
#define ON_WM_SETCURSOR()                                                                                    \
    AFX_MAP_ENTRY(WM_SETCURSOR, 0, 0, 0,                                                                     \
                  call.result = self->OnSetCursor(AFX_WND_ARG(call.wParam), LOWORD(call.lParam), HIWORD(call.lParam)); \
                  return TRUE;)
#define AFX_KEY_ENTRY(msg, fn)                                                                          \
    AFX_MAP_ENTRY(msg, 0, 0, 0,                                                                         \
                  self->fn(static_cast<UINT>(call.wParam), LOWORD(call.lParam), HIWORD(call.lParam)); return TRUE;)
#define ON_WM_KEYDOWN() AFX_KEY_ENTRY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() AFX_KEY_ENTRY(WM_KEYUP, OnKeyUp)
#define ON_WM_SYSKEYDOWN() AFX_KEY_ENTRY(WM_SYSKEYDOWN, OnSysKeyDown)
#define ON_WM_SYSKEYUP() AFX_KEY_ENTRY(WM_SYSKEYUP, OnSysKeyUp)
#define ON_WM_CHAR() AFX_KEY_ENTRY(WM_CHAR, OnChar)
#define ON_WM_SYSCHAR() AFX_KEY_ENTRY(WM_SYSCHAR, OnSysChar)
#define ON_WM_TIMER() AFX_MAP_ENTRY(WM_TIMER, 0, 0, 0, self->OnTimer(call.wParam); return TRUE;)
#define AFX_SCROLL_ENTRY(msg, fn)                                                                             \
    AFX_MAP_ENTRY(msg, 0, 0, 0,                                                                               \
                  self->fn(LOWORD(call.wParam), HIWORD(call.wParam),                                          \
                           reinterpret_cast<CScrollBar*>(CWnd::FromHandle(reinterpret_cast<HWND>(call.lParam)))); \
                  return TRUE;)
#define ON_WM_HSCROLL() AFX_SCROLL_ENTRY(WM_HSCROLL, OnHScroll)
#define ON_WM_VSCROLL() AFX_SCROLL_ENTRY(WM_VSCROLL, OnVScroll)
#define ON_WM_SETFOCUS() AFX_MAP_ENTRY(WM_SETFOCUS, 0, 0, 0, self->OnSetFocus(AFX_WND_ARG(call.wParam)); return TRUE;)
#define ON_WM_KILLFOCUS() AFX_MAP_ENTRY(WM_KILLFOCUS, 0, 0, 0, self->OnKillFocus(AFX_WND_ARG(call.wParam)); return TRUE;)
#define ON_WM_ACTIVATE()                                                                              \
    AFX_MAP_ENTRY(WM_ACTIVATE, 0, 0, 0,                                                               \
                  self->OnActivate(LOWORD(call.wParam), AFX_WND_ARG(call.lParam), HIWORD(call.wParam)); return TRUE;)
#define ON_WM_NCACTIVATE() \
    AFX_MAP_ENTRY(WM_NCACTIVATE, 0, 0, 0, call.result = self->OnNcActivate(static_cast<BOOL>(call.wParam)); return TRUE;)
#define ON_WM_CLOSE() AFX_MAP_ENTRY(WM_CLOSE, 0, 0, 0, self->OnClose(); return TRUE;)
#define ON_WM_QUERYENDSESSION() \
    AFX_MAP_ENTRY(WM_QUERYENDSESSION, 0, 0, 0, call.result = self->OnQueryEndSession(); return TRUE;)
#define ON_WM_SHOWWINDOW() \
    AFX_MAP_ENTRY(WM_SHOWWINDOW, 0, 0, 0, self->OnShowWindow(static_cast<BOOL>(call.wParam), static_cast<UINT>(call.lParam)); return TRUE;)
#define ON_WM_ENABLE() AFX_MAP_ENTRY(WM_ENABLE, 0, 0, 0, self->OnEnable(static_cast<BOOL>(call.wParam)); return TRUE;)
#define ON_WM_CONTEXTMENU() \
    AFX_MAP_ENTRY(WM_CONTEXTMENU, 0, 0, 0, self->OnContextMenu(AFX_WND_ARG(call.wParam), AFX_POINT_ARG); return TRUE;)
#define ON_WM_SYSCOMMAND() \
    AFX_MAP_ENTRY(WM_SYSCOMMAND, 0, 0, 0, self->OnSysCommand(static_cast<UINT>(call.wParam), call.lParam); return TRUE;)
#define ON_WM_DRAWITEM()                                                                      \
    AFX_MAP_ENTRY(WM_DRAWITEM, 0, 0, 0,                                                       \
                  self->OnDrawItem(static_cast<int>(call.wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(call.lParam)); \
                  call.result = TRUE; return TRUE;)
#define ON_WM_COMPAREITEM()                                                                         \
    AFX_MAP_ENTRY(WM_COMPAREITEM, 0, 0, 0,                                                          \
                  call.result = self->OnCompareItem(static_cast<int>(call.wParam), reinterpret_cast<COMPAREITEMSTRUCT*>(call.lParam)); \
                  return TRUE;)
#define ON_WM_MEASUREITEM()                                                                         \
    AFX_MAP_ENTRY(WM_MEASUREITEM, 0, 0, 0,                                                          \
                  self->OnMeasureItem(static_cast<int>(call.wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(call.lParam)); \
                  call.result = TRUE; return TRUE;)
#define ON_WM_CTLCOLOR()                                                                                        \
    AFX_MAP_ENTRY(WM_CTLCOLOR, 0, 0, 0,                                                                         \
                  call.result = reinterpret_cast<LRESULT>(self->OnCtlColor(AfxDCFromHandle(reinterpret_cast<HDC>(call.wParam)), \
                                                                           AFX_WND_ARG(call.lParam), 0));        \
                  return TRUE;)
#define ON_WM_DROPFILES() AFX_MAP_ENTRY(WM_DROPFILES, 0, 0, 0, self->OnDropFiles(reinterpret_cast<HDROP>(call.wParam)); return TRUE;)
#define ON_WM_CAPTURECHANGED() \
    AFX_MAP_ENTRY(WM_CAPTURECHANGED, 0, 0, 0, self->OnCaptureChanged(AFX_WND_ARG(call.lParam)); return TRUE;)
#define ON_WM_CANCELMODE() AFX_MAP_ENTRY(WM_CANCELMODE, 0, 0, 0, self->OnCancelMode(); return TRUE;)
#define ON_WM_INITMENUPOPUP()                                                                               \
    AFX_MAP_ENTRY(WM_INITMENUPOPUP, 0, 0, 0,                                                                \
                  self->OnInitMenuPopup(CMenu::FromHandle(reinterpret_cast<HMENU>(call.wParam)), LOWORD(call.lParam), \
                                        HIWORD(call.lParam));                                               \
                  return TRUE;)
#define ON_WM_ENTERMENULOOP() \
    AFX_MAP_ENTRY(WM_ENTERMENULOOP, 0, 0, 0, self->OnEnterMenuLoop(static_cast<BOOL>(call.wParam)); return TRUE;)
#define ON_WM_EXITMENULOOP() \
    AFX_MAP_ENTRY(WM_EXITMENULOOP, 0, 0, 0, self->OnExitMenuLoop(static_cast<BOOL>(call.wParam)); return TRUE;)
#define ON_WM_HELPINFO() \
    AFX_MAP_ENTRY(WM_HELPINFO, 0, 0, 0, call.result = self->OnHelpInfo(reinterpret_cast<HELPINFO*>(call.lParam)); return TRUE;)
#define ON_WM_SETTINGCHANGE() \
    AFX_MAP_ENTRY(WM_SETTINGCHANGE, 0, 0, 0, self->OnSettingChange(static_cast<UINT>(call.wParam), reinterpret_cast<LPCTSTR>(call.lParam)); return TRUE;)
#define ON_WM_PARENTNOTIFY() \
    AFX_MAP_ENTRY(WM_PARENTNOTIFY, 0, 0, 0, self->OnParentNotify(LOWORD(call.wParam), call.lParam); return TRUE;)
#define ON_WM_CHILDACTIVATE() AFX_MAP_ENTRY(WM_CHILDACTIVATE, 0, 0, 0, self->OnChildActivate(); return TRUE;)
#define ON_WM_MDIACTIVATE()                                                                                  \
    AFX_MAP_ENTRY(WM_MDIACTIVATE, 0, 0, 0,                                                                   \
                  self->OnMDIActivate(reinterpret_cast<HWND>(call.lParam) == self->m_hWnd, AFX_WND_ARG(call.lParam), \
                                      AFX_WND_ARG(call.wParam));                                             \
                  return TRUE;)
#define ON_WM_GETDLGCODE() AFX_MAP_ENTRY(WM_GETDLGCODE, 0, 0, 0, call.result = self->OnGetDlgCode(); return TRUE;)

// Reflected owner-draw and colour messages, handled by the control itself.
#define ON_WM_DRAWITEM_REFLECT() \
    AFX_MAP_ENTRY(WM_REFLECT_BASE + WM_DRAWITEM, 0, 0, 0, self->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(call.lParam)); call.result = TRUE; return TRUE;)
#define ON_WM_MEASUREITEM_REFLECT() \
    AFX_MAP_ENTRY(WM_REFLECT_BASE + WM_MEASUREITEM, 0, 0, 0, self->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(call.lParam)); call.result = TRUE; return TRUE;)
#define ON_WM_CTLCOLOR_REFLECT()                                                                              \
    AFX_MAP_ENTRY(WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0, 0,                                                     \
                  call.result = reinterpret_cast<LRESULT>(self->CtlColor(AfxDCFromHandle(reinterpret_cast<HDC>(call.wParam)), 0)); \
                  return call.result != 0;)
