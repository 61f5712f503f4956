// Docking of control bars: a dock bar along each edge of a frame holds docked bars in rows,
// a small floating frame holds a floating bar, and a bar's dock context moves it between the
// two when the user drags it or double-clicks it.
#pragma once

#include "platform/core/Arrays.h"
#include "platform/ui/ControlBar.h"

constexpr UINT AFX_IDW_DOCKBAR_FLOAT = 0xE81F;

// The edge of a dock bar id (CBRS_ALIGN_*), 0 for the floating one.
DWORD DockBarAlignment(UINT dockBarId);

class CDockBar : public CControlBar {
    DECLARE_DYNAMIC(CDockBar)
public:
    explicit CDockBar(BOOL floating = FALSE) : m_bFloating(floating) {}
    ~CDockBar() override;
    BOOL Create(CWnd* parent, DWORD style, UINT id);

    // Puts the bar at the end of a new row (or of the last row with rowEnd).
    void DockControlBar(CControlBar* bar, BOOL rowEnd = FALSE);
    BOOL RemoveControlBar(CControlBar* bar);
    int GetDockedCount() const;
    // Lays the bars out in their rows inside the client area.
    void LayoutBars();

    CSize CalcFixedLayout(BOOL stretch, BOOL horizontal) override;
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}
    void OnSize(UINT type, int cx, int cy);

    // Docked bars in rows; a null entry ends a row (the array starts with one).
    CPtrArray m_arrBars;
    BOOL m_bFloating;

protected:
    CSize RowSize(int first, int end, bool horizontal) const;

    DECLARE_MESSAGE_MAP()
};

// The small frame of a floating bar: a caption the user drags, a close box that hides the
// bar, and borders that size it; a double click on the caption docks the bar again.
class CMiniDockFrameWnd : public CFrameWnd {
    DECLARE_DYNAMIC(CMiniDockFrameWnd)
public:
    BOOL Create(CFrameWnd* owner, const CRect& screenRect, LPCTSTR title);
    CDockBar& GetFloatingDockBar() { return m_wndDockBar; }
    void RecalcLayout(BOOL notify = TRUE) override;

    void OnSize(UINT type, int cx, int cy);
    void OnClose();
    void OnNcLButtonDblClk(UINT hitTest, CPoint point);
    void PostNcDestroy() override { delete this; }

protected:
    CDockBar m_wndDockBar{TRUE};
    CFrameWnd* m_pDockSite = nullptr;

    DECLARE_MESSAGE_MAP()
};

// Moves one bar between the dock bars of its frame and a floating frame.
class CDockContext {
public:
    explicit CDockContext(CControlBar* bar) : m_pBar(bar) {}

    // Follows the mouse from the screen point until the button is released.
    void StartDrag(CPoint screen);
    BOOL IsDragging() const { return m_bDragging; }
    // Mouse input while dragging; TRUE when it was taken.
    BOOL OnDragMessage(UINT message, CPoint screen);
    void CancelDrag();
    // A docked bar floats where it floated last; a floating one docks where it docked last.
    void ToggleDocking();
    // Where a bar released at the screen point goes: a dock bar id, or AFX_IDW_DOCKBAR_FLOAT.
    UINT DockBarAt(CPoint screen) const;

    CControlBar* m_pBar;
    UINT m_uMRUDockID = AFX_IDW_DOCKBAR_TOP;
    CPoint m_ptMRUFloatPos{100, 100};
    static constexpr int kDockMargin = 24;

private:
    void EndDrag(CPoint screen);

    BOOL m_bDragging = FALSE;
    CPoint m_ptStart{0, 0};
    CSize m_ptOffset{0, 0};
};
