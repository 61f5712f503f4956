// The small frame that holds a floating tool bar or a floating group of panes: a title strip
// with a close box, moved by dragging the title (dropped near an edge of the main frame, its
// content docks there) and sized by dragging its right and bottom borders.
#pragma once

#include "platform/toolkit/XTPMessages.h"
#include "platform/ui/Wnd.h"

class CFrameWnd;

// What a small frame holds.
class CXTPFloatingContent {
public:
    virtual ~CXTPFloatingContent() = default;
    virtual CString GetFloatingTitle() const = 0;
    virtual CSize GetFloatingSize() = 0;
    virtual void OnFloatingClose() = 0;
    // The title was dropped at a screen point; TRUE when the content docked (the small frame
    // is then destroyed by its content).
    virtual BOOL OnFloatingDropped(CPoint screenPt) = 0;
    // A double click on the title: the content docks where it was docked last.
    virtual void OnFloatingDoubleClick() = 0;
    // The frame was sized; the content takes the new room (a tool bar wraps to the width).
    virtual void OnFloatingResized() = 0;
    // The small frame is being destroyed (with its owner, say); the content forgets it.
    virtual void OnFloatingFrameDestroyed() = 0;
};

class CXTPFloatingFrame : public CWnd {
public:
    static constexpr int kTitleHeight = 16, kBorder = 3;

    CXTPFloatingFrame(CXTPFloatingContent* content) : m_pContent(content) {}
    BOOL CreateMini(CWnd* owner, const CRect& screenRect);
    // The client area below the title strip, for the content window.
    CRect GetContentRect() const;
    // Sizes the frame to hold content of that size.
    void FitContent(CSize size);
    CRect GetCloseRect() const;

    void PostNcDestroy() override { delete this; }
    void OnPaint();
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    void OnDestroy();
    void OnLButtonDown(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnLButtonDblClk(UINT flags, CPoint point);
    // Small frames may be smaller than top-level windows usually are.
    void OnGetMinMaxInfo(MINMAXINFO* info);

private:
    enum class Drag { None, Move, Width, Height, Both };
    Drag SizingAt(CPoint point) const;

    CXTPFloatingContent* m_pContent;
    Drag m_drag = Drag::None;
    CPoint m_dragStart{0, 0};
    CRect m_startRect{0, 0, 0, 0};

    DECLARE_MESSAGE_MAP()
};

// Where a title dropped at a screen point docks in the frame: the edge of `dockArea`
// (screen coordinates) within `margin` pixels, else BarFloating.
BarDockPosition DockSideAtPoint(const CRect& dockArea, CPoint screenPt, int margin = 24);
