// The paint control's view: image and client coordinates, zoom, centring, scroll bars and
// the double-buffered painting with its pixel grid.
#include "imaging/paint/PntCtrl.h"
#include "imaging/paint/PntTracker.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/SysColors.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<int, 8> kZoomSteps = {10, 50, 100, 200, 300, 400, 500, 600};
// Setting the scroll bars resizes the client area, which asks for the ranges again.
bool g_inScrollRanges = false;

} // namespace

CPoint CPntCtrl::ImageToClient(CPoint point) const
{
    const int h = m_HScrollMax >= 1 && m_hWnd ? GetScrollPos(SB_HORZ) : 0;
    const int v = m_VScrollMax >= 1 && m_hWnd ? GetScrollPos(SB_VERT) : 0;
    return CPoint(static_cast<int>(point.x * m_dZoom) + m_ptOrigin.x - h,
                  static_cast<int>(point.y * m_dZoom) + m_ptOrigin.y - v);
}

CPoint CPntCtrl::ClientToImage(CPoint point) const
{
    if (m_dZoom <= 0)
        return CPoint(0, 0);
    const int h = m_HScrollMax >= 1 && m_hWnd ? GetScrollPos(SB_HORZ) : 0;
    const int v = m_VScrollMax >= 1 && m_hWnd ? GetScrollPos(SB_VERT) : 0;
    return CPoint(static_cast<int>((point.x + h - m_ptOrigin.x) / m_dZoom),
                  static_cast<int>((point.y + v - m_ptOrigin.y) / m_dZoom));
}

CRect CPntCtrl::ImageToClient(const CRect& rect) const
{
    return CRect(ImageToClient(rect.TopLeft()), ImageToClient(rect.BottomRight()));
}

CSize CPntCtrl::GetDisplayedSize() const
{
    return CSize(static_cast<int>(m_Image.GetWidth() * m_dZoom) + 2 * m_sizeMargin.cx,
                 static_cast<int>(m_Image.GetHeight() * m_dZoom) + 2 * m_sizeMargin.cy);
}

int CPntCtrl::GetNextZoomStep(int percent, BOOL up) const
{
    if (percent < 0)
        percent = GetZoomPercent();
    if (up) {
        auto next = std::upper_bound(kZoomSteps.begin(), kZoomSteps.end(), percent);
        return next == kZoomSteps.end() ? -1 : *next;
    }
    auto below = std::lower_bound(kZoomSteps.begin(), kZoomSteps.end(), percent);
    return below == kZoomSteps.begin() ? -1 : *(below - 1);
}

void CPntCtrl::SetZoomPercent(int percent)
{
    m_dZoom = percent * 0.01;
    UpdateOrigin();
    UpdateScrollRanges();
    NotifyZoomChanged();
    if (m_hWnd)
        Invalidate();
}

void CPntCtrl::ZoomStep(BOOL up)
{
    const int step = GetNextZoomStep(-1, up);
    if (step < 0)
        return;
    m_dZoom = step * 0.01;
    UpdateScrollRanges();
    NotifyZoomChanged();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CPntCtrl::FitToWindow()
{
    if (!HasImage() || !m_hWnd)
        return;
    const CSize client = ClientSizeWithoutBars();
    const double x = double(client.cx - 2 * m_sizeMargin.cx - 1) / m_Image.GetWidth();
    const double y = double(client.cy - 2 * m_sizeMargin.cy - 1) / m_Image.GetHeight();
    m_dZoom = std::min(x, y);
    UpdateScrollRanges();
    UpdateOrigin();
    NotifyZoomChanged();
    Invalidate();
}

void CPntCtrl::EnableCentring(BOOL on)
{
    m_bCentre = on;
    UpdateOrigin();
    if (m_hWnd)
        Invalidate();
}

void CPntCtrl::UpdateOrigin()
{
    m_ptOrigin = CPoint(m_sizeMargin.cx, m_sizeMargin.cy);
    if (!m_bCentre || !m_hWnd)
        return;
    CRect client;
    GetClientRect(&client);
    const CSize shown = GetDisplayedSize();
    m_ptOrigin.x += std::max<int>((client.Width() - shown.cx) / 2, 0);
    m_ptOrigin.y += std::max<int>((client.Height() - shown.cy) / 2, 0);
}

void CPntCtrl::SetGrid(BOOL on, int minimumZoomPercent)
{
    m_bGridOn = on;
    m_nGridMinZoom = minimumZoomPercent;
    if (m_hWnd)
        Invalidate();
}

CSize CPntCtrl::ClientSizeWithoutBars() const
{
    CRect client;
    GetClientRect(&client);
    CSize size = client.Size();
    if (m_VScrollMax)
        size.cx += ::GetSystemMetrics(SM_CXVSCROLL);
    if (m_HScrollMax)
        size.cy += ::GetSystemMetrics(SM_CYHSCROLL);
    return size;
}

void CPntCtrl::UpdateScrollRanges()
{
    if (!m_hWnd || g_inScrollRanges)
        return;
    g_inScrollRanges = true;
    int vertical = 0, horizontal = 0;
    if (HasImage()) {
        CSize client = ClientSizeWithoutBars();
        const CSize shown = GetDisplayedSize();
        SCROLLINFO page{sizeof(SCROLLINFO), SIF_PAGE, 0, 0, static_cast<UINT>(client.cx), 0, 0};
        SetScrollInfo(SB_HORZ, &page, FALSE);
        page.nPage = static_cast<UINT>(client.cy);
        SetScrollInfo(SB_VERT, &page, FALSE);
        if (client.cy <= shown.cy) {
            vertical = shown.cy;
            client.cx -= ::GetSystemMetrics(SM_CXVSCROLL);
        }
        if (client.cx <= shown.cx) {
            horizontal = shown.cx;
            if (!vertical) {
                client.cy -= ::GetSystemMetrics(SM_CYHSCROLL);
                if (client.cy <= shown.cy)
                    vertical = shown.cy;
            }
        }
    }
    m_VScrollMax = vertical;
    m_HScrollMax = horizontal;
    SetScrollRange(SB_VERT, 0, vertical);
    SetScrollRange(SB_HORZ, 0, horizontal);
    ShowScrollBar(SB_VERT, vertical != 0);
    ShowScrollBar(SB_HORZ, horizontal != 0);
    g_inScrollRanges = false;
}

void CPntCtrl::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    UpdateScrollRanges();
    UpdateOrigin();
}

void CPntCtrl::OnHScroll(UINT code, UINT pos, CScrollBar*) { ScrollBy(SB_HORZ, code, pos); }
void CPntCtrl::OnVScroll(UINT code, UINT pos, CScrollBar*) { ScrollBy(SB_VERT, code, pos); }

void CPntCtrl::ScrollBy(int bar, UINT code, UINT pos)
{
    CRect client;
    GetClientRect(&client);
    if (client.IsRectEmpty())
        return;
    const int extent = bar == SB_HORZ ? client.Width() : client.Height();
    const int range = bar == SB_HORZ ? m_HScrollMax : m_VScrollMax;
    const int old = GetScrollPos(bar);
    int next = old;
    switch (code) {
    case SB_LINEUP: next -= extent / 10; break;
    case SB_LINEDOWN: next += extent / 10; break;
    case SB_PAGEUP: next -= extent; break;
    case SB_PAGEDOWN: next += extent; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: next = static_cast<int>(pos); break;
    case SB_TOP: next = 0; break;
    case SB_BOTTOM: next = range; break;
    default: return;
    }
    next = std::clamp(next, 0, std::max(range, 0));
    if (next == old)
        return;
    SetScrollPos(bar, next);
    if (bar == SB_HORZ)
        ScrollWindow(old - next, 0);
    else
        ScrollWindow(0, old - next);
    Invalidate(FALSE);
}

void CPntCtrl::RedrawNow(BOOL erase)
{
    if (m_hWnd)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | (erase ? RDW_ERASE : 0));
}

void CPntCtrl::OnPaint()
{
    CPaintDC paint(this);
    if (!HasImage())
        return;
    CRect clip;
    paint.GetClipBox(&clip);
    CDC buffer;
    buffer.CreateCompatibleDC(&paint);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&paint, clip.Width(), clip.Height());
    CBitmap* old = buffer.SelectObject(&bitmap);
    buffer.SetViewportOrg(-clip.left, -clip.top);
    buffer.FillSolidRect(clip, ::GetSysColor(COLOR_APPWORKSPACE));
    PaintImage(&buffer);
    buffer.SetViewportOrg(0, 0);
    paint.BitBlt(clip.left, clip.top, clip.Width(), clip.Height(), &buffer, 0, 0, SRCCOPY);
    buffer.SelectObject(old);
}

void CPntCtrl::PaintImage(CDC* dc)
{
    const CPoint at = ImageToClient(CPoint(0, 0));
    const int cx = static_cast<int>(m_Image.GetWidth() * m_dZoom) + 1;
    const int cy = static_cast<int>(m_Image.GetHeight() * m_dZoom) + 1;
    const bool exact = GetZoomPercent() == 100 && m_dZoom == 1.0;
    if (DrawsTransparent()) {
        if (exact)
            m_Image.DrawTransparent(dc, at.x, at.y, m_crTransparent);
        else
            m_Image.StretchTransparent(dc, at.x, at.y, cx, cy, m_crTransparent);
    } else if (exact) {
        m_Image.Draw(dc, at.x, at.y);
    } else {
        m_Image.Stretch(dc, at.x, at.y, cx, cy);
    }
    DrawGrid(dc);
    const bool selectionTool = m_nMode == ModeSelect || m_nMode == ModeText;
    CPntTracker frame(this, at);
    if (!selectionTool) {
        frame.m_rect = ImageToClient(WholeImage());
        frame.m_nStyle = CPntTracker::dottedLine;
        frame.Draw(dc);
    }
    if (m_bSelectionShown) {
        frame.m_rect = ImageToClient(m_rcSelection);
        frame.m_nStyle = CPntTracker::Style;
        frame.Draw(dc);
    }
}

void CPntCtrl::DrawGrid(CDC* dc)
{
    const int percent = GetZoomPercent();
    if (!m_bGridOn || percent < m_nGridMinZoom || percent < 200 || (m_bGridWholeSteps && percent % 100))
        return;
    static const WORD rows[8] = {0xAA, 0xAA, 0x55, 0x55, 0xAA, 0xAA, 0x55, 0x55};
    CBitmap pattern;
    pattern.CreateBitmap(8, 8, 1, 1, rows);
    CBrush brush(&pattern);
    CBrush* old = dc->SelectObject(&brush);
    const COLORREF oldText = dc->SetTextColor(::GetSysColor(COLOR_BTNFACE));
    const COLORREF oldBack = dc->SetBkColor(::GetSysColor(COLOR_BTNSHADOW));
    const CPoint start = ImageToClient(CPoint(0, 0));
    const CPoint end = ImageToClient(CPoint(m_Image.GetWidth(), m_Image.GetHeight()));
    for (int x = 0; x <= m_Image.GetWidth(); ++x)
        dc->PatBlt(ImageToClient(CPoint(x, 0)).x, start.y, 1, end.y - start.y + 1, PATCOPY);
    for (int y = 0; y <= m_Image.GetHeight(); ++y)
        dc->PatBlt(start.x, ImageToClient(CPoint(0, y)).y, end.x - start.x + 1, 1, PATCOPY);
    dc->SetTextColor(oldText);
    dc->SetBkColor(oldBack);
    dc->SelectObject(old);
}

BOOL CPntCtrl::OnEraseBkgnd(CDC* dc)
{
    const COLORREF back = ::GetSysColor(COLOR_APPWORKSPACE);
    CRect clip;
    dc->GetClipBox(&clip);
    if (!HasImage()) {
        dc->FillSolidRect(clip, back);
        return TRUE;
    }
    const CRect shown(ImageToClient(CPoint(0, 0)), ImageToClient(CPoint(m_Image.GetWidth(), m_Image.GetHeight())));
    dc->FillSolidRect(CRect(clip.left, clip.top, clip.right, shown.top), back);
    dc->FillSolidRect(CRect(clip.left, shown.bottom, clip.right, clip.bottom), back);
    dc->FillSolidRect(CRect(clip.left, shown.top, shown.left, shown.bottom), back);
    dc->FillSolidRect(CRect(shown.right, shown.top, clip.right, shown.bottom), back);
    return TRUE;
}
