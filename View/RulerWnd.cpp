#include "View/RulerWnd.h"

#include "objects/FontDescriptor.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/SysColors.h"
#include "platform/ui/UiApi.h"

#include <cmath>
#include <cstdio>

BEGIN_MESSAGE_MAP(CRulerWnd, CStatic)
    ON_WM_PAINT()
END_MESSAGE_MAP()

namespace {

constexpr int kEdge = 2;

} // namespace

void CRulerWnd::Initialise(CWnd*, BOOL horizontal)
{
    m_horizontal = horizontal;
    CFontDescriptor font;
    if (!font.LoadFromResource(FontTextId)) {
        LOGFONT& logFont = font.GetLogFont();
        logFont = LOGFONT{};
        logFont.lfHeight = -9;
        std::snprintf(logFont.lfFaceName, sizeof logFont.lfFaceName, "%s", "Sans");
    }
    if (!horizontal)
        font.GetLogFont().lfEscapement = 900;
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&font.GetLogFont());
}

void CRulerWnd::SetOrigin(int position)
{
    m_origin = static_cast<int>(std::lround(static_cast<double>(position) * m_scale / PageUnitsPerInch));
    if (m_hWnd)
        Invalidate(TRUE);
}

void CRulerWnd::SetScale(int pixelsPerInch)
{
    m_scale = pixelsPerInch;
    if (m_hWnd)
        Invalidate(TRUE);
}

void CRulerWnd::SetUnits(int units)
{
    m_units = units;
    if (m_hWnd)
        Invalidate(TRUE);
}

void CRulerWnd::SetZoomSwitch(BOOL on, double zoom)
{
    m_zoomSwitch = on;
    m_zoomFactor = zoom;
    if (m_hWnd)
        Invalidate(TRUE);
}

double CRulerWnd::GetUnitPixels() const
{
    const double zoom = m_zoomSwitch ? m_zoomFactor : 100.0;
    return (m_scale * 100.0 / m_units) * zoom * 0.01;
}

void CRulerWnd::DrawTick(CDC* dc, const CRect& rect, int position, BOOL longTick)
{
    const int thickness = m_horizontal ? rect.Height() : rect.Width();
    const int length = longTick ? thickness / 2 : thickness / 4;
    const int offset = (thickness - length) / 2;
    const CPoint start = m_horizontal ? CPoint(position, rect.top + offset) : CPoint(rect.left + offset, position);
    const CPoint to = m_horizontal ? CPoint(position, start.y + length) : CPoint(start.x + length, position);
    const CPoint last = m_horizontal ? CPoint(to.x, to.y - 1) : CPoint(to.x - 1, to.y);
    if (!rect.PtInRect(start) || !rect.PtInRect(last))
        return;
    dc->MoveTo(start);
    dc->LineTo(to);
}

void CRulerWnd::DrawLabel(CDC* dc, const CRect& rect, int position, const CString& label)
{
    const CSize extent = dc->GetTextExtent(label);
    if (m_horizontal)
        dc->TextOut(position - extent.cx / 2, rect.top + (rect.Height() - extent.cy) / 2, label);
    else
        dc->TextOut(rect.left + (rect.Width() - extent.cy) / 2, position + extent.cx / 2, label);
}

void CRulerWnd::DrawScale(CDC* dc, const CRect& bounds)
{
    dc->FillSolidRect(&bounds, ::GetSysColor(COLOR_BTNFACE));
    CRect rect = bounds;
    dc->DrawEdge(&rect, EDGE_SUNKEN, BF_RECT);
    rect.DeflateRect(kEdge, kEdge);
    const int saved = dc->SaveDC();
    dc->IntersectClipRect(&rect);
    CPen pen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNTEXT));
    dc->SelectObject(&pen);
    dc->SelectObject(&m_font);
    dc->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    dc->SetBkMode(TRANSPARENT);

    const double unit = GetUnitPixels();
    if (unit <= 0.0) {
        dc->RestoreDC(saved);
        return;
    }
    const int divisions = m_units == Inches ? 10 : 4;
    const double step = unit / divisions;
    const int length = (m_horizontal ? bounds.Width() : bounds.Height()) + m_scale / 5;
    // Scale position 0 is the page's edge; the first unit line at or before the ruler's start.
    const int firstUnit = static_cast<int>(std::floor(m_origin / unit));
    const int start = bounds.left * m_horizontal + bounds.top * !m_horizontal + GetLead();
    for (int k = firstUnit;; ++k) {
        const double at = start + k * unit - m_origin;
        if (at - start > length)
            break;
        const int position = static_cast<int>(std::floor(at + 0.5));
        const BOOL labelled = k != 0 && (unit >= MinimumUnitPixels || k % 5 == 0);
        if (labelled) {
            CString label;
            label.Format("%d", unit >= MinimumUnitPixels ? std::abs(k) % 10 : std::abs(k) % 100);
            DrawLabel(dc, rect, position, label);
        } else {
            DrawTick(dc, rect, position, TRUE);
        }
        if (step > MinimumUnitPixels / 2) {
            for (int j = 1; j < divisions; ++j)
                DrawTick(dc, rect, static_cast<int>(std::floor(at + j * step + 0.5)), j == divisions / 2);
        } else if (unit >= MinimumUnitPixels) {
            DrawTick(dc, rect, static_cast<int>(std::floor(at + unit / 2 + 0.5)), TRUE);
        }
    }
    dc->RestoreDC(saved);
}

void CRulerWnd::SetIndicator(int position, int length)
{
    CRect client;
    GetClientRect(&client);
    CRect band = m_horizontal
        ? CRect(position + HorizontalLead, client.top + 3 + 2, position + HorizontalLead + length, client.bottom - 2)
        : CRect(client.left + 2, position + VerticalLead, client.right - 2, position + VerticalLead + length);
    const CPoint start = m_horizontal ? CPoint(band.left, client.top) : CPoint(client.left, band.top);
    if (!client.PtInRect(start)) {
        HideIndicator();
        return;
    }
    if (m_indicatorShown)
        InvalidateRect(&m_indicator, FALSE);
    m_previousIndicator = m_indicatorShown ? m_indicator : CRect();
    m_indicator = band;
    m_indicatorPending = TRUE;
    m_hideRequested = FALSE;
    InvalidateRect(&band, FALSE);
}

// A band not painted yet is dropped; a shown one is inverted back.
void CRulerWnd::HideIndicator()
{
    if (!m_indicatorShown && !m_indicatorPending)
        return;
    if (m_indicatorShown && !m_indicatorPending)
        m_previousIndicator = m_indicator;
    m_hideRequested = TRUE;
    m_indicatorPending = TRUE;
    InvalidateRect(&m_indicator, FALSE);
    if (!m_previousIndicator.IsRectEmpty())
        InvalidateRect(&m_previousIndicator, FALSE);
}

void CRulerWnd::InvertBands(CDC* dc)
{
    if (!m_previousIndicator.IsRectEmpty())
        dc->PatBlt(m_previousIndicator.left, m_previousIndicator.top, m_previousIndicator.Width(),
                   m_previousIndicator.Height(), DSTINVERT);
    if (!m_hideRequested)
        dc->PatBlt(m_indicator.left, m_indicator.top, m_indicator.Width(), m_indicator.Height(), DSTINVERT);
    m_indicatorShown = !m_hideRequested;
    m_hideRequested = FALSE;
    m_indicatorPending = FALSE;
    m_previousIndicator.SetRectEmpty();
}

void CRulerWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CRect clip;
    dc.GetClipBox(&clip);
    const BOOL bandOnly = m_indicatorPending
        && (clip == m_indicator || (!m_previousIndicator.IsRectEmpty() && clip == (m_indicator | m_previousIndicator)));
    if (!bandOnly) {
        DrawScale(&dc, client);
        // A full repaint wiped the band that was shown.
        if (m_indicatorShown && !m_indicatorPending)
            m_indicatorShown = FALSE;
        m_previousIndicator.SetRectEmpty();
    }
    if (m_indicatorPending)
        InvertBands(&dc);
}
