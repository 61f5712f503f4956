// Control bars: strips docked to an edge of a frame (tool bars, status bars, dialog bars)
// that take their share of the frame in RecalcLayout and update their items at idle time.
#pragma once

#include "platform/gdi/GdiObject.h"
#include "platform/ui/FrameWnd.h"

#include <vector>

constexpr DWORD CBRS_ALIGN_LEFT = 0x1000, CBRS_ALIGN_TOP = 0x2000, CBRS_ALIGN_RIGHT = 0x4000,
                CBRS_ALIGN_BOTTOM = 0x8000, CBRS_ALIGN_ANY = 0xF000, CBRS_BORDER_LEFT = 0x0100,
                CBRS_BORDER_TOP = 0x0200, CBRS_BORDER_RIGHT = 0x0400, CBRS_BORDER_BOTTOM = 0x0800,
                CBRS_BORDER_ANY = 0x0F00, CBRS_TOOLTIPS = 0x0010, CBRS_FLYBY = 0x0020,
                CBRS_FLOAT_MULTI = 0x0040, CBRS_BORDER_3D = 0x0080, CBRS_HIDE_INPLACE = 0x0008,
                CBRS_SIZE_DYNAMIC = 0x0004, CBRS_SIZE_FIXED = 0x0002, CBRS_FLOATING = 0x0001,
                CBRS_GRIPPER = 0x00400000, CBRS_ORIENT_HORZ = CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM,
                CBRS_ORIENT_VERT = CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT,
                CBRS_TOP = CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM, CBRS_BOTTOM = CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP,
                CBRS_LEFT = CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT, CBRS_RIGHT = CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT,
                CBRS_NOALIGN = 0, CBRS_ALL = 0x0040FFFF;

class CDockBar;
class CDockContext;

class CControlBar : public CWnd {
    DECLARE_DYNAMIC(CControlBar)
public:
    CControlBar() = default;
    ~CControlBar() override;

    virtual CSize CalcFixedLayout(BOOL stretch, BOOL horizontal);
    virtual CSize CalcDynamicLayout(int length, DWORD mode);
    virtual void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) = 0;
    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD style) { m_dwStyle = style; }
    void EnableDocking(DWORD style) { m_dwDockStyle = style; }
    // In a small floating frame rather than along an edge of its frame.
    BOOL IsFloating() const;
    BOOL IsVisible() const { return IsWindowVisible(); }
    void SetBorders(int left = 0, int top = 0, int right = 0, int bottom = 0);
    CRect GetBorders() const;
    CFrameWnd* GetDockingFrame() const { return m_pDockSite; }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PostNcDestroy() override;
    // While the bar is dragged, the mouse goes to its dock context.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    LRESULT OnSizeParent(WPARAM, LPARAM lParam);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM);
    void OnDestroy();

    CFrameWnd* m_pDockSite = nullptr;
    DWORD m_dwStyle = 0;
    DWORD m_dwDockStyle = 0;
    int m_cxLeftBorder = 2;
    int m_cxRightBorder = 2;
    int m_cyTopBorder = 2;
    int m_cyBottomBorder = 2;
    BOOL m_bAutoDelete = FALSE;
    // Set once the bar is docked: the dock bar holding it and what moves it (owned).
    CDockBar* m_pDockBar = nullptr;
    CDockContext* m_pDockContext = nullptr;

protected:
    BOOL CreateBar(CWnd* parent, DWORD style, UINT id);

    DECLARE_MESSAGE_MAP()
};

// Status bar panes.
constexpr UINT SBPS_NORMAL = 0x0000, SBPS_NOBORDERS = 0x0100, SBPS_POPOUT = 0x0200, SBPS_OWNERDRAW = 0x1000,
               SBPS_DISABLED = 0x04000000, SBPS_STRETCH = 0x08000000;

class CStatusBar : public CControlBar {
    DECLARE_DYNAMIC(CStatusBar)
public:
    BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT id = AFX_IDW_STATUS_BAR);
    BOOL CreateEx(CWnd* parent, DWORD ctrlStyle = 0, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                  UINT id = AFX_IDW_STATUS_BAR);
    BOOL SetIndicators(const UINT* ids, int count);
    int GetCount() const { return static_cast<int>(m_panes.size()); }
    UINT GetItemID(int index) const;
    int CommandToIndex(UINT id) const;
    void GetItemRect(int index, LPRECT rect) const;
    BOOL SetPaneText(int index, LPCTSTR text, BOOL update = TRUE);
    CString GetPaneText(int index) const;
    void SetPaneInfo(int index, UINT id, UINT style, int width);
    void GetPaneInfo(int index, UINT& id, UINT& style, int& width) const;
    UINT GetPaneStyle(int index) const;
    void SetPaneStyle(int index, UINT style);

    CSize CalcFixedLayout(BOOL stretch, BOOL horizontal) override;
    void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;

    LRESULT OnSetText(WPARAM, LPARAM lParam);
    LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetTextLength(WPARAM, LPARAM);
    void OnPaint();

protected:
    struct Pane {
        UINT id = 0;
        UINT style = 0;
        int width = 0;
        CString text;
    };
    std::vector<Pane> m_panes;

    DECLARE_MESSAGE_MAP()
};

// Tool bar buttons: style in the low word, state in the high word.
constexpr BYTE TBSTATE_CHECKED = 0x01, TBSTATE_PRESSED = 0x02, TBSTATE_ENABLED = 0x04, TBSTATE_HIDDEN = 0x08,
               TBSTATE_INDETERMINATE = 0x10, TBSTATE_WRAP = 0x20;
constexpr UINT TBSTYLE_BUTTON = 0x00, TBSTYLE_SEP = 0x01, TBSTYLE_CHECK = 0x02, TBSTYLE_GROUP = 0x04,
               TBSTYLE_CHECKGROUP = TBSTYLE_GROUP | TBSTYLE_CHECK, TBSTYLE_FLAT = 0x0800;
constexpr UINT TBBS_BUTTON = TBSTYLE_BUTTON, TBBS_SEPARATOR = TBSTYLE_SEP, TBBS_CHECKBOX = TBSTYLE_CHECK,
               TBBS_GROUP = TBSTYLE_GROUP, TBBS_CHECKGROUP = TBSTYLE_CHECKGROUP,
               TBBS_PRESSED = TBSTATE_PRESSED << 16, TBBS_CHECKED = TBSTATE_CHECKED << 16,
               TBBS_INDETERMINATE = TBSTATE_INDETERMINATE << 16, TBBS_DISABLED = TBSTATE_ENABLED << 16,
               TBBS_HIDDEN = TBSTATE_HIDDEN << 16, TBBS_WRAPPED = TBSTATE_WRAP << 16;

// One button as the customize dialog and the saved state see it. 20 bytes.
struct TBBUTTON {
    int iBitmap;
    int idCommand;
    BYTE fsState;
    BYTE fsStyle;
    BYTE bReserved[2];
    DWORD dwData;
    int iString;
};
static_assert(sizeof(TBBUTTON) == 20);

struct NMTOOLBAR {
    NMHDR hdr;
    int iItem;
    TBBUTTON tbButton;
    int cchText;
    LPSTR pszText;
};

// Sent to the bar's parent (and reflected to the bar) while the user customizes it.
constexpr UINT TBN_GETBUTTONINFO = static_cast<UINT>(-700), TBN_BEGINDRAG = static_cast<UINT>(-701),
               TBN_ENDDRAG = static_cast<UINT>(-702), TBN_BEGINADJUST = static_cast<UINT>(-703),
               TBN_ENDADJUST = static_cast<UINT>(-704), TBN_RESET = static_cast<UINT>(-705),
               TBN_QUERYINSERT = static_cast<UINT>(-706), TBN_QUERYDELETE = static_cast<UINT>(-707),
               TBN_TOOLBARCHANGE = static_cast<UINT>(-708), TBN_CUSTHELP = static_cast<UINT>(-709);
constexpr UINT TB_CUSTOMIZE = WM_USER + 27;
// lParam: MAKELPARAM(width, height).
constexpr UINT TB_SETBUTTONSIZE = WM_USER + 31, TB_SETBITMAPSIZE = WM_USER + 32;

class CToolBar : public CControlBar {
    DECLARE_DYNAMIC(CToolBar)
public:
    BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT id = AFX_IDW_TOOLBAR);
    BOOL CreateEx(CWnd* parent, DWORD ctrlStyle = TBSTYLE_FLAT, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP,
                  CRect borders = CRect(0, 0, 0, 0), UINT id = AFX_IDW_TOOLBAR);
    BOOL LoadToolBar(UINT resourceId);
    BOOL SetButtons(const UINT* ids, int count);
    int GetCount() const { return static_cast<int>(m_buttons.size()); }
    int CommandToIndex(UINT id) const;
    UINT GetItemID(int index) const;
    // A hidden button takes no room; the one after a wrapped button starts the next row.
    void GetItemRect(int index, LPRECT rect) const;
    UINT GetButtonStyle(int index) const;
    void SetButtonStyle(int index, UINT style);
    void GetButtonInfo(int index, UINT& id, UINT& style, int& image) const;
    void SetButtonInfo(int index, UINT id, UINT style, int image);
    BOOL SetButtonText(int index, LPCTSTR text);
    CString GetButtonText(int index) const;
    void SetSizes(SIZE button, SIZE image);
    void SetHeight(int height) { m_nHeight = height; }

    // The buttons as records, for customizing and saving them.
    BOOL GetButton(int index, TBBUTTON* button) const;
    BOOL InsertButton(int index, const TBBUTTON& button);
    BOOL DeleteButton(int index);
    // Sends a customize notification to the parent (which reflects it to this bar).
    LRESULT NotifyParent(UINT code, NMTOOLBAR& info);
    // Opens the customize dialog; returns when the user closes it.
    void Customize();

    CSize CalcFixedLayout(BOOL stretch, BOOL horizontal) override;
    void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;

    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnPaint();
    LRESULT OnCustomize(WPARAM, LPARAM);
    LRESULT OnSetButtonSize(WPARAM, LPARAM size);
    LRESULT OnSetBitmapSize(WPARAM, LPARAM size);

protected:
    struct Button {
        UINT id = 0;
        UINT style = 0;
        int image = 0;
        CString text;
    };
    int HitTestButton(CPoint point) const;
    void InvalidateButton(int index);

    void DrawButton(CDC& dc, CDC* images, int index);

    std::vector<Button> m_buttons;
    CBitmap m_bitmap; // the button pictures side by side, from the resource's bitmap
    CSize m_sizeButton{23, 22};
    CSize m_sizeImage{16, 15};
    int m_nHeight = 0;
    int m_nPressed = -1;

    DECLARE_MESSAGE_MAP()
};

// A control bar whose content comes from a dialog template; its size is the template's.
class CDialogBar : public CControlBar {
    DECLARE_DYNAMIC(CDialogBar)
public:
    BOOL Create(CWnd* parent, UINT templateId, UINT style, UINT id);

    CSize CalcFixedLayout(BOOL stretch, BOOL horizontal) override;
    void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;

    // The bar's size in the frame's layout; starts as the template's.
    CSize m_sizeDefault{0, 0};
};
