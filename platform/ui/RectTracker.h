// CRectTracker: a rectangle with eight sizing handles around it that is moved, resized or
// rubber-banded by the mouse in a message loop of its own, with XOR feedback.
#pragma once

#include "platform/core/Geometry.h"
#include "platform/ui/UiTypes.h"

class CDC;
class CWnd;

// Draws in device pixels while it lives: converts the rectangle to device units and sets a
// 1:1 mapping, restored at the end.
class CDevicePixelScope {
public:
    CDevicePixelScope(CDC* dc, CRect* rect);
    ~CDevicePixelScope();
    CDevicePixelScope(const CDevicePixelScope&) = delete;
    CDevicePixelScope& operator=(const CDevicePixelScope&) = delete;

private:
    CDC* m_dc;
    int m_saved;
};

class CRectTracker {
public:
    enum StyleFlags {
        solidLine = 1,
        dottedLine = 2,
        hatchedBorder = 4,
        resizeInside = 8,
        resizeOutside = 16,
        hatchInside = 32,
    };
    enum TrackerHit {
        hitNothing = -1,
        hitTopLeft = 0,
        hitTopRight = 1,
        hitBottomRight = 2,
        hitBottomLeft = 3,
        hitTop = 4,
        hitRight = 5,
        hitBottom = 6,
        hitLeft = 7,
        hitMiddle = 8,
    };

    // Sizing cursors chosen per handle (system cursor ids).
    static constexpr UINT CursorSizeNWSE = 32642;
    static constexpr UINT CursorSizeNESW = 32643;
    static constexpr UINT CursorSizeWE = 32644;
    static constexpr UINT CursorSizeNS = 32645;
    static constexpr UINT CursorSizeAll = 32646;

    CRectTracker() = default;
    CRectTracker(LPCRECT rect, UINT style)
        : m_nStyle(style)
        , m_rect(rect)
    {
    }
    virtual ~CRectTracker() = default;

    UINT m_nStyle = 0;
    CRect m_rect;
    CSize m_sizeMin;
    int m_nHandleSize = 4;
    BOOL m_bAllowInvert = FALSE;
    CRect m_rectLast;
    CSize m_sizeLast;
    BOOL m_bErase = FALSE;
    BOOL m_bFinalErase = FALSE;

    // Frame, hatching and handles, in device pixels whatever the DC's mapping.
    void Draw(CDC* dc) const;
    // The rectangle with everything drawn around it (handles, border).
    void GetTrueRect(LPRECT trueRect) const;
    int HitTest(CPoint point) const;
    // The handle as seen on the normalised rectangle.
    int NormalizeHit(int handle) const;
    // The sizing cursor for a hit code; 0 for no hit.
    static UINT GetCursorId(int hit);
    BOOL SetCursor(CWnd* wnd, UINT hitTest) const;
    BOOL Track(CWnd* wnd, CPoint point, BOOL allowInvert = FALSE, CWnd* clipTo = nullptr);
    BOOL TrackRubberBand(CWnd* wnd, CPoint point, BOOL allowInvert = TRUE);

    virtual void DrawTrackerRect(LPCRECT rect, CWnd* clipTo, CDC* dc, CWnd* wnd);
    virtual void AdjustRect(int handle, LPRECT rect);
    virtual void OnChangedRect(const CRect& rectOld);

    // Bit n set when handle n is shown: corners always, edge handles when there is room.
    virtual UINT GetHandleMask() const;
    // The handle size, made smaller for inside handles of a small rectangle.
    virtual int GetHandleSize(LPCRECT rect = nullptr) const;
    void GetHandleRect(int handle, CRect* handleRect) const;

protected:
    int HitTestHandles(CPoint point) const;
    void GetModifyPointers(int handle, int** px, int** py, int* x, int* y);
    BOOL TrackHandle(int handle, CWnd* wnd, CPoint point, CWnd* clipTo);
};
