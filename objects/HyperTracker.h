// The tracker of a page object: its rectangle in page units, the unrotated frame, the
// outline reference rectangle and the rotation angle, with handles that keep their device
// size at every zoom, and the mouse loops that move, resize and turn the object with grid
// snapping, auto-scrolling and outline feedback. Without an object it rubber-bands.
#pragma once

#include "platform/ui/RectTracker.h"

#include <vector>

class CHyperOb;
class CObjectHost;
class CRgn;
class CString;

class CHyperTracker : public CRectTracker {
public:
    // The timer of the tracking loops on the tracked window.
    static constexpr UINT_PTR AutoScrollTimerId = 1;
    // Separates the polylines of an outline.
    static constexpr LONG OutlineBreak = -999;

    CHyperTracker() = default;
    ~CHyperTracker() override = default;

    UINT GetHandleMask() const override;
    // The handles drawn: fewer than the hit-test mask when the zoom leaves no room.
    UINT GetDrawMask() const;
    // Handle rectangle in device units around a device rectangle.
    void GetHandleRectAt(int handle, const CRect& device, CRect* out) const;
    // The hit code of a page point, found in device units.
    int HitTestHandles(CPoint point) const;
    // The tracker rectangle inflated by the handles' page size when handles show.
    void GetHandleBounds(RECT* out) const;
    // The centre of the rotation rectangle, halves truncated.
    void GetCenter(POINT* out) const;
    virtual void DrawHandles(CDC* dc);

    // Move or resize from a button-down point in device units of the window; the rectangle
    // stays in page units. FALSE when nothing changed or the drag was cancelled.
    BOOL Track(CWnd* wnd, CPoint point, BOOL allowInvert = FALSE, CWnd* clipTo = nullptr);
    // A new rectangle dragged out from the point; a cancelled one is centred on the point.
    BOOL TrackRubberBand(CWnd* wnd, CPoint point, BOOL allowInvert = TRUE);

    void DrawTrackerRect(LPCRECT rect, CWnd* clipTo, CDC* dc, CWnd* wnd) override;
    void AdjustRect(int handle, LPRECT rect) override;
    virtual void SnapResizeToGrid(int handle, RECT* rect);
    virtual void SnapMoveToGrid(int handle, RECT* rect);

    // Milliseconds between auto-scroll ticks: slower on a coarse grid seen large. Without an
    // object the tracked window, when it is a page view, gives the grid and zoom.
    UINT GetAutoScrollPeriod(CWnd* wnd) const;
    // Per timer tick: whether and where (-1, 0, +1 per axis) the window should scroll.
    BOOL AutoScrollTest(CWnd* wnd, int* dx, int* dy);
    // Scrolls one line per non-zero direction; the shift is how far the contents moved.
    void AutoScroll(CWnd* wnd, int dx, int dy, int* shiftX, int* shiftY);
    // XOR feedback over the widened outline; drawing it twice restores the pixels.
    static void FillOutlineRgn(CDC* dc, const POINT* points, int count);
    static BOOL CreateOutlineRgn(CDC* dc, const POINT* points, int count, CRgn* rgn);
    // Whether the rectangle is inside out on an axis the tracked handle moves.
    BOOL IsInverted(const RECT& rect) const;

    CRect DeviceRect(const RECT& rect) const;
    CRect LogicalRect(const RECT& rect) const;
    CObjectHost* GetHost() const;
    int GetZoom() const;

    int m_trackedHandle = -1;
    BOOL m_dragShown = FALSE;
    CRect m_rotationRect;
    CRect m_secondRect;
    CRect m_startRect;
    CHyperOb* m_object = nullptr;
    // The outline last drawn as feedback, so that the next step erases exactly that.
    std::vector<POINT> m_feedback;

protected:
    // The rectangle whose handles are drawn, or FALSE when none are.
    BOOL GetDrawnRect(CRect* out) const;
    void DrawHandleShapes(CDC* dc, BOOL round);
    // The hit code of a device point on the device rectangle being tracked.
    int HitTestDevice(CPoint point) const;
    // The hit code of a device point on a device rectangle: handles first, then inside.
    int HitTestAt(CPoint point, CRect device) const;
    // The shared move and resize loop, in device units.
    BOOL RunTrackLoop(int handle, CWnd* wnd, CPoint point, CWnd* clipTo);
    // The object's outline in device units, scaled and moved from the start rectangle onto
    // the tracked one.
    std::vector<POINT> ScaledOutline(const RECT& rect) const;

private:
    // One timer tick of the loop: scroll, keep the fixed edges on their page point, redraw.
    BOOL ScrollStep(int handle, CWnd* wnd, CWnd* clipTo, CDC* dc, CRect* saved, BOOL drawn);
    void KeepProportions(int handle, RECT* rect) const;
    void SnapLineEnd(int handle, RECT* rect) const;
};

class CHyperObTracker : public CHyperTracker {
public:
    CHyperObTracker() = default;
    ~CHyperObTracker() override = default;

    void DrawHandles(CDC* dc) override;
    virtual void OnAngleChanged(double) { }
    // Turns the object about its centre from a button-down point in device units.
    BOOL TrackRotate(CWnd* wnd, CPoint point, CWnd* clipTo = nullptr);

    // Degrees, always in (-180, 180].
    double RotateAngle = 0.0;
    CRect m_outlineRect;

private:
    void ShowAngle();
    void DrawTurnedOutline(CDC* dc, const std::vector<POINT>& start, POINT centre, double startAngle);
};

// Drawn as the tip while an object turns: "{ +12.50° }", a blank sign for no turn.
CString FormatRotationTip(double angle);
// The dragged end moved onto the nearest multiple of 45 degrees about the fixed end.
POINT SnapTo45Degrees(POINT fixed, POINT dragged);
