#include "imaging/paint/PntTracker.h"

#include "imaging/paint/PntCtrl.h"
#include "platform/gdi/Dc.h"

#include <algorithm>

namespace {

constexpr COLORREF kOutline = 0x02FF0000;

// Which edges a handle moves: left, top, right, bottom.
struct Edges {
    bool left, top, right, bottom;
};
constexpr Edges kHandleEdges[8] = {{true, true, false, false}, {false, true, true, false}, {false, false, true, true},
                                   {true, false, false, true},  {false, true, false, false}, {false, false, true, false},
                                   {false, false, false, true}, {true, false, false, false}};

} // namespace

CPntTracker::CPntTracker(CPntCtrl* ctrl, CPoint client)
    : m_pCtrl(ctrl)
    , m_rcStart(ctrl->GetSelection())
    , m_rcImage(0, 0, ctrl->GetCanvas().GetWidth(), ctrl->GetCanvas().GetHeight())
{
    m_nStyle = Style;
    m_sizeMin = CSize(1, 1);
    m_nHandleSize = 5;
    m_rect = ctrl->ImageToClient(m_rcStart);
    m_rcClient = m_rect;
    m_ptClick = ctrl->ImageToClient(ctrl->ClientToImage(client));
    m_nHit = HitTest(m_ptClick);
    if ((m_nHit == hitMiddle && m_rcStart == m_rcImage) || ctrl->IsMovingPiece())
        m_nHit = hitNothing;
}

BOOL CPntTracker::Track(BOOL invert)
{
    m_bInvert = invert;
    return Finish(CRectTracker::Track(m_pCtrl, m_ptClick, invert));
}

BOOL CPntTracker::TrackRubberBand(BOOL invert)
{
    m_bInvert = invert;
    return Finish(CRectTracker::TrackRubberBand(m_pCtrl, m_ptClick, TRUE));
}

BOOL CPntTracker::Finish(BOOL tracked)
{
    m_pCtrl->SetSelectionRect(m_rcStart, FALSE);
    if (!tracked) {
        m_rect = m_rcImage;
        return FALSE;
    }
    CRect image = ImageRectFrom(m_rect);
    image.NormalizeRect();
    m_rect = image.IsRectEmpty() ? m_rcImage : image;
    return TRUE;
}

CRect CPntTracker::ImageRectFrom(const CRect& client) const
{
    const CPoint topLeft = m_pCtrl->ClientToImage(client.TopLeft());
    const CPoint bottomRight = m_pCtrl->ClientToImage(client.BottomRight());
    if (m_nHit == hitMiddle)
        return CRect(topLeft, m_rcStart.Size());
    CRect r(topLeft, bottomRight);
    if (m_nHit >= hitTopLeft && m_nHit <= hitLeft) {
        const Edges& e = kHandleEdges[m_nHit];
        r = CRect(e.left ? r.left : m_rcStart.left, e.top ? r.top : m_rcStart.top,
                  e.right ? r.right : m_rcStart.right, e.bottom ? r.bottom : m_rcStart.bottom);
    }
    r.left = std::clamp<LONG>(r.left, m_rcImage.left, m_rcImage.right);
    r.right = std::clamp<LONG>(r.right, m_rcImage.left, m_rcImage.right);
    r.top = std::clamp<LONG>(r.top, m_rcImage.top, m_rcImage.bottom);
    r.bottom = std::clamp<LONG>(r.bottom, m_rcImage.top, m_rcImage.bottom);
    return r;
}

void CPntTracker::AdjustRect(int handle, LPRECT rect)
{
    if (m_pCtrl->HasImage() && !m_rcImage.IsRectEmpty()) {
        CRect snapped(m_pCtrl->ImageToClient(m_pCtrl->ClientToImage(CPoint(rect->left, rect->top))),
                      m_pCtrl->ImageToClient(m_pCtrl->ClientToImage(CPoint(rect->right, rect->bottom))));
        *rect = snapped;
        CRect bounds = m_pCtrl->ImageToClient(m_rcImage);
        bounds.InflateRect(5, 5);
        m_pCtrl->ClientToScreen(&bounds);
        POINT cursor{};
        if (::GetCursorPos(&cursor) && !bounds.PtInRect(cursor))
            ::SetCursorPos(std::clamp<LONG>(cursor.x, bounds.left, bounds.right - 1),
                           std::clamp<LONG>(cursor.y, bounds.top, bounds.bottom - 1));
        if (snapped != m_rcClient) {
            m_rcClient = snapped;
            m_pCtrl->SetSelectionRect(ImageRectFrom(snapped), TRUE);
        }
    }
    CRectTracker::AdjustRect(handle, rect);
}

void CPntTracker::DrawTrackerRect(LPCRECT rect, CWnd* clipTo, CDC* dc, CWnd* wnd)
{
    if (m_pCtrl->GetMode() == CPntCtrl::ModePasted || !dc)
        return;
    CRect r = *rect;
    r.NormalizeRect();
    const int zoom = static_cast<int>(m_pCtrl->GetZoomPercent() / 100);
    const int border = zoom > 2 ? zoom : 2;
    const CSize size = m_bFinalErase ? CSize(0, 0) : CSize(border, border);
    if (clipTo && wnd) {
        wnd->ClientToScreen(&r);
        clipTo->ScreenToClient(&r);
    }
    if (m_bFinalErase || !m_bErase)
        dc->DrawDragRect(r, size, m_rectLast, m_sizeLast);
    m_rectLast = r;
    m_sizeLast = size;
}

void CPntTracker::Draw(CDC* dc) const
{
    const int saved = dc->SaveDC();
    dc->SetMapMode(MM_TEXT);
    dc->SetViewportOrg(0, 0);
    dc->SetWindowOrg(0, 0);
    CRect r = m_rect;
    r.NormalizeRect();
    r.InflateRect(1, 1);
    CPen dotted(PS_DOT, 0, kOutline);
    dc->SelectObject(&dotted);
    dc->SelectStockObject(NULL_BRUSH);
    dc->Rectangle(r);
    if (m_nStyle & (resizeInside | resizeOutside)) {
        CPen white(PS_SOLID, 0, RGB(255, 255, 255));
        CBrush black(RGB(0, 0, 0));
        dc->SelectObject(&white);
        dc->SelectObject(&black);
        const UINT mask = GetHandleMask();
        for (int i = 0; i < 8; ++i) {
            if (!(mask & (1u << i)))
                continue;
            CRect handle;
            GetHandleRect(i, &handle);
            dc->Rectangle(handle);
        }
    }
    dc->RestoreDC(saved);
}
