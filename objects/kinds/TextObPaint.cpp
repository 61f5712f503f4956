// Drawing of the text box: the border, then the text wrapped in the box or written as one
// turned line.
#include "objects/HyperTracker.h"
#include "objects/ObjectHost.h"
#include "objects/kinds/TextOb.h"
#include "platform/gdi/Dc.h"

#include <algorithm>

namespace {
// Below this zoom the text is drawn at full size beside the page and shrunk onto it, which
// keeps small type legible.
constexpr int FullSizeZoom = 100;

// A copy of the page under the rectangle, drawn on at page size and copied back.
class PageCopy {
public:
    PageCopy(CDC* page, const CRect& r)
        : m_page(page)
        , m_rect(r)
    {
        m_dc.CreateCompatibleDC(page);
        m_dc.SetMapMode(MM_TEXT);
        m_dc.SetViewportOrg(-r.left, -r.top);
        m_bitmap.CreateCompatibleBitmap(page, r.Width(), r.Height());
        m_old = m_dc.SelectObject(&m_bitmap);
        m_dc.BitBlt(r.left, r.top, r.Width(), r.Height(), page, r.left, r.top, SRCCOPY);
    }
    ~PageCopy()
    {
        m_page->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), &m_dc, m_rect.left, m_rect.top,
                       SRCCOPY);
        m_dc.SelectObject(m_old);
    }
    PageCopy(const PageCopy&) = delete;
    PageCopy& operator=(const PageCopy&) = delete;
    CDC* Dc() { return &m_dc; }

private:
    CDC* m_page;
    CRect m_rect;
    CDC m_dc;
    CBitmap m_bitmap;
    CBitmap* m_old = nullptr;
};
}

void CTextOb::Draw(CDC* dc)
{
    CBorderOb::Draw(dc);
    CRect r;
    GetRect(&r, nullptr);
    int inset = PenWidth + 1;
    r.DeflateRect(inset, inset);
    m_textRect2 = r;
    if (GetHost()->GetZoomPercent() < FullSizeZoom && !r.IsRectEmpty()) {
        PageCopy copy(dc, r);
        DrawText(copy.Dc(), r);
    } else {
        DrawText(dc, r);
    }
    DrawAlarmBitmap(dc);
}

void CTextOb::DrawText(CDC* dc, const CRect& r)
{
    LOGFONT logFont;
    GetFont(&logFont, TRUE);
    CFont font;
    font.CreateFontIndirect(&logFont);
    CFont* oldFont = dc->SelectObject(&font);
    TEXTMETRIC metrics;
    m_scalableFont = dc->GetTextMetrics(&metrics) && (metrics.tmPitchAndFamily & TMPF_VECTOR);
    double angle = GetRotateAngle();
    const bool turning = m_scalableFont && angle != 0.0;
    if (turning)
        logFont.lfEscapement = static_cast<LONG>(angle * -10.0);
    // A turned line is placed by its extent in the upright font.
    const CSize extent = logFont.lfEscapement != 0 ? dc->GetTextExtent(Text) : CSize();
    CFont turned;
    if (turning) {
        turned.CreateFontIndirect(&logFont);
        dc->SelectObject(&turned);
    }
    COLORREF fore;
    GetForeColor(&fore);
    COLORREF oldColor = dc->SetTextColor(fore);
    int oldMode = dc->SetBkMode(TRANSPARENT);
    if (logFont.lfEscapement == 0)
        DrawWrapped(dc, r, WrapFormat());
    else
        DrawTurned(dc, r, extent);
    dc->SetTextColor(oldColor);
    dc->SetBkMode(oldMode);
    dc->SelectObject(oldFont);
}

void CTextOb::DrawWrapped(CDC* dc, const CRect& r, UINT format)
{
    CRect t = r;
    dc->DrawText(Text, &t, format | DT_CALCRECT);
    t.IntersectRect(&t, &r);
    if (!IsTopAligned())
        t.OffsetRect(0, (r.Height() - t.Height()) / 2);
    if (Alignment == AlignRight)
        t.OffsetRect(r.Width() - t.Width(), 0);
    else if (Alignment == AlignCentre)
        t.OffsetRect(((r.right - t.right) - (r.left - t.left)) / 2, 0);
    dc->DrawText(Text, &t, format);
    m_textRect1 = t;
}

void CTextOb::DrawTurned(CDC* dc, const CRect& r, CSize extent)
{
    int width = Frame().Width();
    int cx = std::min<int>(extent.cx, width);
    CPoint centre = r.CenterPoint();
    POINT start {centre.x - cx / 2, centre.y - extent.cy / 2};
    if (Alignment == AlignLeft)
        start.x = centre.x - width / 2;
    else if (Alignment == AlignRight)
        start.x = centre.x + width / 2 - cx;
    RotatePoints(&start, &start, 1, GetRotateAngle(), centre.x, centre.y);
    dc->TextOut(start.x, start.y, Text);
}
