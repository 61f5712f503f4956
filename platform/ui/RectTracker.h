// CRectTracker: a rectangle with sizing handles that is moved, resized or rubber-banded by
// the mouse in a message loop of its own, with XOR feedback.
#pragma once

#include "platform/core/Geometry.h"
#include "platform/ui/UiTypes.h"

class CDC;
class CWnd;

class CRectTracker {
public:
    enum StyleFlags { solidLine = 1, dottedLine = 2, hatchedBorder = 4, resizeInside = 8, resizeOutside = 16,
                      hatchInside = 32 };
    enum TrackerHit { hitNothing = -1, hitTopLeft = 0, hitTopRight = 1, hitBottomRight = 2, hitBottomLeft = 3,
                      hitTop = 4, hitRight = 5, hitBottom = 6, hitLeft = 7, hitMiddle = 8 };

    CRectTracker() = default;
    CRectTracker(LPCRECT rect, UINT style);
    virtual ~CRectTracker() = default;

    void Draw(CDC* dc) const;
    void GetTrueRect(LPRECT trueRect) const;
    BOOL SetCursor(CWnd* wnd, UINT hitTest) const;
    BOOL Track(CWnd* wnd, CPoint point, BOOL allowInvert = FALSE, CWnd* clipTo = nullptr);
    BOOL TrackRubberBand(CWnd* wnd, CPoint point, BOOL allowInvert = TRUE);
    int HitTest(CPoint point) const;
    int NormalizeHit(int handle) const;

    virtual void DrawTrackerRect(LPCRECT rect, CWnd* clipTo, CDC* dc, CWnd* wnd);
    virtual void AdjustRect(int handle, LPRECT rect);
    virtual void OnChangedRect(const CRect& rectOld);
    virtual UINT GetHandleMask() const;
    virtual int GetHandleSize(LPCRECT rect = nullptr) const;

    UINT m_nStyle = 0;
    CRect m_rect{0, 0, 0, 0};
    CSize m_sizeMin{0, 0};
    int m_nHandleSize = 7;
    BOOL m_bAllowInvert = FALSE;
    CRect m_rectLast{0, 0, 0, 0};
    CSize m_sizeLast{0, 0};
    BOOL m_bErase = FALSE;
    BOOL m_bFinalErase = FALSE;

protected:
    int HitTestHandles(CPoint point) const;
    void GetHandleRect(int handle, CRect* handleRect) const;
    void GetModifyPointers(int handle, int** px, int** py, int* x, int* y);
    BOOL TrackHandle(int handle, CWnd* wnd, CPoint point, CWnd* clipTo);
};
