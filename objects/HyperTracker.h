// The tracker of a page object: its rectangle in page units, the unrotated frame, the
// outline reference rectangle and the rotation angle, with handles that keep their device
// size at every zoom.
#pragma once

#include "platform/ui/RectTracker.h"

class CHyperOb;
class CObjectHost;

class CHyperTracker : public CRectTracker {
public:
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

    CRect DeviceRect(const RECT& rect) const;
    CObjectHost* GetHost() const;
    int GetZoom() const;

    int m_trackedHandle = -1;
    BOOL m_dragShown = FALSE;
    CRect m_rotationRect;
    CRect m_secondRect;
    CRect m_startRect;
    CHyperOb* m_object = nullptr;

protected:
    // The rectangle whose handles are drawn, or FALSE when none are.
    BOOL GetDrawnRect(CRect* out) const;
    void DrawHandleShapes(CDC* dc, BOOL round);
};

class CHyperObTracker : public CHyperTracker {
public:
    CHyperObTracker() = default;
    ~CHyperObTracker() override = default;

    void DrawHandles(CDC* dc) override;
    virtual void OnAngleChanged(double) { }

    // Degrees, always in (-180, 180].
    double RotateAngle = 0.0;
    CRect m_outlineRect;
};
