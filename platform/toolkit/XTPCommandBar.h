// A command bar: a window that lays out, draws and runs a row (or column, or list) of
// controls. Tool bars, the menu bar and drop-down bars derive from it.
#pragma once

#include "platform/toolkit/XTPControl.h"
#include "platform/ui/ToolTipCtrl.h"
#include "platform/ui/Wnd.h"

#include <string>
#include <vector>

struct MenuTemplateItem;
class CFrameWnd;
class CXTPDockRows;
class CXTPPopupBar;

// A toolbar flag: the bar ends with a button that lists the controls that do not fit.
constexpr DWORD BarFlagShowExpandButton = 0x0001;

// Layout modes of CalcDockingLayout.
constexpr DWORD LM_STRETCH = 0x01, LM_HORZ = 0x02, LM_MRUWIDTH = 0x04, LM_HORZDOCK = 0x08, LM_VERTDOCK = 0x10,
                LM_LENGTHY = 0x20, LM_COMMIT = 0x40;

class CXTPCommandBar : public CWnd {
    DECLARE_DYNAMIC(CXTPCommandBar)
public:
    CXTPCommandBar();
    ~CXTPCommandBar() override;

    // Bars are reference counted like controls: a pop-up control keeps one reference to its
    // drop-down; the last release destroys the window and the object.
    void InternalAddRef() { ++m_refs; }
    void InternalRelease();

    CXTPControlList* GetControls() const { return m_pControls; }
    CXTPControl* GetControl(int index) const { return m_pControls->GetAt(index); }
    int GetControlCount() const { return m_pControls->GetCount(); }
    CXTPCommandBars* GetCommandBars() const { return m_pCommandBars; }
    void SetCommandBars(CXTPCommandBars* bars) { m_pCommandBars = bars; }
    // The frame that receives the commands of the bar.
    CWnd* GetSite() const;

    UINT GetBarID() const { return m_nBarID; }
    void SetBarID(UINT id) { m_nBarID = id; }
    CString GetTitle() const { return m_strTitle; }
    void SetTitle(LPCTSTR title);
    BarDockPosition GetPosition() const { return m_barPosition; }
    void SetPosition(BarDockPosition position) { m_barPosition = position; }
    // Controls run across (docked top or bottom, floating, drop-down tool bars) or down.
    virtual BOOL IsHorizontal() const
    {
        return m_barPosition == BarTop || m_barPosition == BarBottom || m_barPosition == BarFloating;
    }
    virtual BOOL IsVisible() const { return m_bVisible; }
    virtual void SetVisible(BOOL visible);
    virtual BOOL ShowsHiddenCommands() const { return TRUE; }
    DWORD GetBarFlags() const { return m_dwFlags; }
    void SetBarFlags(DWORD add, DWORD remove = 0);
    // The edges the user may dock the bar to (CBRS_ALIGN_* bits; 0 for any).
    void EnableDocking(DWORD style) { m_dwDockingStyle = style; }
    BOOL CanDockTo(BarDockPosition side) const;

    // Fills the bar from a tool bar resource (0 in the list starts a new group), asking the
    // site for each control; the icons of the resource join the icon store.
    BOOL LoadToolBar(UINT resourceId, BOOL loadIcons = TRUE);
    // Replaces the controls with those of the commands, as a tool bar resource makes them
    // (0 starts a group).
    void LoadCommands(const std::vector<UINT>& items);
    // Fills the bar from menu items, asking the site for each control and drop-down.
    void LoadMenuItems(const std::vector<MenuTemplateItem>& items);
    // Makes the drop-down able to tear off as a tool bar with that caption, id and width.
    void SetTearOffPopup(LPCTSTR caption, UINT id, int width = 400);
    BOOL IsTearOffPopup(CString& caption, UINT& id, int& width) const;

    // Lays the controls out along `length` and returns the size of the bar. LM_COMMIT keeps
    // the control rectangles.
    virtual CSize CalcDockingLayout(int length, DWORD mode);
    // Lays the controls out for the bar's current window size.
    void OnRecalcLayout();
    void DelayRecalc();
    // Runs the update handlers of the controls against the site frame.
    virtual void OnUpdateCmdUI();

    // Keyboard and hot tracking: the highlighted control (-1 none).
    int GetSelectedIndex() const { return m_nSelected; }
    virtual void SetSelected(int index);
    // Handles a key while the bar is in keyboard mode; FALSE when the key is not its.
    virtual BOOL OnKeyboardKey(UINT vk);
    // Index of the next visible, enabled control in the direction, wrapping; -1 when none.
    int FindNextVisible(int from, int step) const;
    // Index of the control whose caption has that mnemonic letter after `from`; -1 none.
    int FindMnemonic(char letter, int from = -1) const;
    int HitTestControl(CPoint point) const;
    CXTPControl* GetControlAt(CPoint point) const;
    // Runs the control the keyboard chose: opens its drop-down or executes it.
    virtual void ActivateControl(int index, BOOL byKeyboard);

    CXTPDockRows* GetDockBar() const { return m_pDockBar; }
    void SetDockBar(CXTPDockRows* dockBar) { m_pDockBar = dockBar; }
    // Place in the dock bar: row, and offset along the row.
    int m_nRow = 0;
    int m_nOffset = 0;
    CRect m_rcFloating{0, 0, 0, 0};

    // The text a control's tip shows: its tip text, else its caption without the '&'.
    static CString TipTextOf(const CXTPControl* control);
    CToolTipCtrl* GetToolTip() { return &m_toolTip; }

    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnPaint();
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnSize(UINT type, int cx, int cy);
    // Watches the pointer while a control is hot, and cools it once the pointer has left.
    void OnTimer(UINT_PTR id);
    int OnMouseActivate(CWnd* desktop, UINT hitTest, UINT message);

    // The expand button of a docked bar with BarFlagShowExpandButton (empty otherwise), and
    // the drop-down it opens with the controls that do not fit.
    CRect GetExpandRect() const { return m_rcExpand; }
    BOOL OpenExpandPopup();
    CXTPPopupBar* GetExpandPopup() const { return m_pExpandPopup; }

protected:
    static constexpr int kExpandButton = 12;
    BOOL ShowsExpandButton() const;
    // Runs the update handlers whether or not the bar is shown.
    void UpdateControls();
    BOOL CreateBarWindow(CWnd* parent, DWORD style, const RECT& rect);
    // Asks the site for a control of that id, else makes the default of the type.
    CXTPControl* CreateControlFor(UINT id, CommandControlType type, BOOL fromToolBar);
    // The drop-down bar for a pop-up control, from the site or from the menu.
    CXTPCommandBar* CreatePopupFor(CXTPControl* control, const std::vector<MenuTemplateItem>* items);
    virtual int GripperSize() const;
    // Space above the first line of controls.
    virtual int TopMargin() const { return 2; }
    virtual void DrawBar(CDC* dc);
    void LayoutLine(CDC* dc, int length, BOOL horizontal, CSize& total);
    void PlaceHostedWindows();
    // One tip per control of a tool bar, when the options ask for tips.
    void UpdateToolTips();
    // Starts dragging the bar by its gripper (docked tool bars only).
    virtual void OnGripperDrag(CPoint) {}

    int m_refs = 1;
    CToolTipCtrl m_toolTip;
    CRect m_rcExpand{0, 0, 0, 0};
    CXTPPopupBar* m_pExpandPopup = nullptr;
    BOOL m_bLayoutPending = TRUE;
    CXTPControlList* m_pControls;
    CXTPCommandBars* m_pCommandBars = nullptr;
    CXTPDockRows* m_pDockBar = nullptr;
    UINT m_nBarID = 0;
    CString m_strTitle;
    BarDockPosition m_barPosition = BarNone;
    BOOL m_bVisible = TRUE;
    DWORD m_dwFlags = 0;
    DWORD m_dwDockingStyle = 0;
    int m_nSelected = -1;
    int m_nPressed = -1;
    BOOL m_bTearOff = FALSE;
    CString m_strTearOffCaption;
    UINT m_nTearOffID = 0;
    int m_nTearOffWidth = 0;

    DECLARE_MESSAGE_MAP()
};
