// The bird's-eye window: a small floating window with the whole page of an editing view
// scaled down and a box around the part the view shows. Moving or resizing the box (mouse or
// arrow keys) scrolls and zooms the view; scrolling the view moves the box. The window
// deletes itself when it is destroyed, and goes when its view goes.
#pragma once

#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"
#include "platform/ui/RectTracker.h"
#include "platform/ui/Wnd.h"

#include <vector>

class CHyperView;

class CBirdsEyeWnd : public CWnd {
public:
    static constexpr UINT ApplyTimer = 2112;
    // Looks for a scroll or zoom of the view that did not come from the box.
    static constexpr UINT FollowTimer = 2113;
    static constexpr UINT ApplyDelayMs = 100;
    static constexpr UINT FollowDelayMs = 200;
    static constexpr int DefaultSize = 200;
    static constexpr int EdgeReach = 4;
    // Cursors over the box: corners NW-SE and NE-SW, top and bottom, left and right, inside.
    static constexpr UINT CursorNWSE = 30983, CursorNESW = 30984, CursorNS = 30985, CursorWE = 30986,
                          CursorMove = 30987;

    // `size` is the view's remembered client size of its overview; both 0 become 200 x 200.
    CBirdsEyeWnd(CHyperView* view, SIZE* size);
    ~CBirdsEyeWnd() override;
    CBirdsEyeWnd(const CBirdsEyeWnd&) = delete;
    CBirdsEyeWnd& operator=(const CBirdsEyeWnd&) = delete;

    // Shows the window beside its view.
    BOOL Open();
    // The open overviews of a view, and closing them all (the view is going).
    static std::vector<CBirdsEyeWnd*> OpenFor(const CHyperView* view);
    static void CloseFor(const CHyperView* view);

    CHyperView* GetView() const { return m_view; }
    double GetScale() const { return m_scale; }
    CSize GetPageSize() const { return CSize(m_pageWidth, m_pageHeight); }
    const CRect& GetBox() const { return m_box.m_rect; }
    // Puts the box there as the user would, by mouse or keys.
    void MoveBoxTo(const CRect& box);
    // The box on a page W x H overview pixels: no wider or taller than the page, and inside it.
    static CRect ClampBox(CRect box, int width, int height);
    // The box resized with one edge keeps the old box's proportions.
    static CRect KeepProportions(const CRect& box, const CRect& old);

    BOOL PreTranslateMessage(MSG* msg) override;
    void PostNcDestroy() override;

    BOOL OnEraseBkgnd(CDC* dc);
    void OnPaint();
    void OnLButtonDown(UINT flags, CPoint point);
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    LRESULT OnNcHitTest(CPoint point);
    void OnSize(UINT type, int cx, int cy);
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    void OnTimer(UINT_PTR id);

private:
    class CBoxTracker : public CRectTracker {
    public:
        explicit CBoxTracker(CBirdsEyeWnd* owner) : m_owner(owner) {}
        void DrawTrackerRect(LPCRECT rect, CWnd* clipTo, CDC* dc, CWnd* wnd) override;
        void OnChangedRect(const CRect& rectOld) override;
        BOOL TrackEdge(int hit, CWnd* wnd, CPoint point) { return TrackHandle(hit, wnd, point, nullptr); }

    private:
        CBirdsEyeWnd* m_owner;
    };

    CRect ViewToOverview(CRect device) const;
    CRect OverviewToView(const CRect& box) const;
    // The page width and height in overview pixels.
    CSize ScaledPage() const;
    void ReadPageSize();
    void BoxChanged(const CRect& old);
    void ApplyBox();
    // The box follows what the view shows now.
    void FollowView();
    void DrawBox(CDC* dc, const CRect& box);
    void Render();
    void FreeRendering();
    int EdgeAt(CPoint point) const;

    CHyperView* m_view;
    int m_pageWidth = 100;
    int m_pageHeight = 100;
    double m_scale = 0.025;
    CBoxTracker m_box;
    CDC m_memDC;
    CBitmap m_bitmap;
    CBitmap* m_oldBitmap = nullptr;
    SIZE* m_size;
    // What the view showed when the box last matched it.
    CPoint m_seenScroll{-1, -1};
    int m_seenZoom = 0;
    // The box has moved and the view has not followed yet.
    BOOL m_applyPending = FALSE;

    DECLARE_MESSAGE_MAP()
};
