// A dockable bar whose docked edges the user drags to resize it, with a gripper strip and a
// close box. It keeps one size per state (docked along a top or bottom edge, along a left or
// right edge, floating), so a bar that floats and docks again comes back at its docked size.
#pragma once

#include "platform/ui/DockBar.h"

#include <vector>

class CSizingControlBar : public CControlBar {
    DECLARE_DYNAMIC(CSizingControlBar)
public:
    enum Edge : DWORD { EdgeLeft = 1, EdgeRight = 2, EdgeTop = 4, EdgeBottom = 8, EdgeDraw = 16 };
    static constexpr int kCloseBox = 11, kFrame = 5;

    CSizingControlBar();
    ~CSizingControlBar() override;
    BOOL Create(LPCTSTR title, CFrameWnd* parent, CSize size, UINT id,
                DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP, BOOL drawEdges = TRUE);
    // Every sizing bar that has a window.
    static const std::vector<CSizingControlBar*>& AllBars();

    UINT GetDockBarID() const { return m_nDockBarID; }
    BOOL IsHorzDocked() const;
    BOOL IsVertDocked() const;
    CSize GetSize(UINT dockBarId) const;
    void SetSize(UINT dockBarId, CSize size);
    // The sides the user may drag now (Edge bits) and the close box, in window coordinates.
    DWORD GetSizingEdges() const { return m_dwEdges; }
    CRect GetCloseRect() const { return m_rectClose; }
    CRect GetEdgeRect(Edge edge) const;
    BOOL IsTracking() const { return m_bTracking; }

    CSize CalcFixedLayout(BOOL stretch, BOOL horizontal) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;

    int m_cxEdge = 5;
    int m_cyGripper = 12;

protected:
    virtual void StartTracking(UINT hitTest, CPoint screen);
    virtual void OnTrackUpdateSize(CPoint screen);
    virtual void StopTracking();
    virtual void DrawGripper(CDC& dc, const CRect& windowRect);
    virtual HCURSOR CursorFor(UINT hitTest) const;

    int OnCreate(LPCREATESTRUCT cs);
    void OnDestroy();
    void OnNcCalcSize(BOOL calcValidRects, NCCALCSIZE_PARAMS* params);
    LRESULT OnNcHitTest(CPoint screen);
    void OnNcLButtonDown(UINT hitTest, CPoint screen);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonDblClk(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnCaptureChanged(CWnd* wnd);
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    void OnNcPaint();
    void OnPaint();
    void OnWindowPosChanging(WINDOWPOS* pos);
    void OnSize(UINT type, int cx, int cy);

    DECLARE_MESSAGE_MAP()

private:
    UINT DockBarIdNow() const;
    DWORD NeighbourEdges() const;
    CSize& SizeNow();

    UINT m_nDockBarID = 0;
    DWORD m_dwEdges = 0;
    BOOL m_bDrawEdges = TRUE;
    BOOL m_bTracking = FALSE;
    BOOL m_bPendingLayout = FALSE;
    CRect m_rectClose{0, 0, 0, 0};
    CSize m_szHorz{200, 100}, m_szVert{120, 200}, m_szFloat{200, 150};
    UINT m_trackEdge = 0;
    CPoint m_trackStart{0, 0};
    CSize m_trackSize{0, 0};
};
