// The selection rectangle of the paint control: drawn dotted with handles, tracked in client
// pixels while the control's selection follows in whole image pixels.
#pragma once

#include "platform/ui/RectTracker.h"

class CPntCtrl;

class CPntTracker : public CRectTracker {
public:
    static constexpr UINT Style = dottedLine | resizeOutside;

    CPntTracker(CPntCtrl* ctrl, CPoint client);

    int GetHit() const { return m_nHit; }
    // The tracked rectangle in image pixels after a successful loop, else the whole image.
    const CRect& GetImageRect() const { return m_rect; }
    BOOL Track(BOOL invert);
    BOOL TrackRubberBand(BOOL invert);
    // The dotted outline and the handles of the selection, in client pixels.
    void Draw(CDC* dc) const;

    void DrawTrackerRect(LPCRECT rect, CWnd* clipTo, CDC* dc, CWnd* wnd) override;
    void AdjustRect(int handle, LPRECT rect) override;

private:
    BOOL Finish(BOOL tracked);
    CRect ImageRectFrom(const CRect& client) const;

    CPntCtrl* m_pCtrl;
    int m_nHit = hitNothing;
    CRect m_rcClient;
    CRect m_rcStart;
    CRect m_rcImage;
    CPoint m_ptClick;
    BOOL m_bInvert = FALSE;
};
