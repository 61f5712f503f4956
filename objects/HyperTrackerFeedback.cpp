// The tracker's drag feedback: the object's outline, scaled onto the tracked rectangle and
// inverted over a widened path so that drawing it again erases it.
#include "objects/HyperOb.h"
#include "objects/HyperTracker.h"
#include "objects/ObjectHost.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/SysColors.h"

#include <cmath>
#include <memory>

namespace {
constexpr int OutlinePenWidth = 2;
constexpr int OutlineColorIndex = 18;

BOOL IsBreak(const POINT& p)
{
    return p.x == CHyperTracker::OutlineBreak && p.y == CHyperTracker::OutlineBreak;
}

LONG ScaleAxis(LONG value, LONG from, LONG to, double factor)
{
    return to + static_cast<LONG>(std::lround((value - from) * factor));
}

double Factor(LONG now, LONG start, BOOL flips)
{
    if (start == 0)
        return 1.0;
    double factor = static_cast<double>(now) / start;
    return flips ? factor : std::fabs(factor);
}

// A brush of alternating pixels.
void MakeHalftoneBrush(CBrush* brush)
{
    static constexpr WORD pattern[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
    CBitmap bitmap;
    bitmap.CreateBitmap(8, 8, 1, 1, pattern);
    brush->CreatePatternBrush(&bitmap);
}
}

BOOL CHyperTracker::CreateOutlineRgn(CDC* dc, const POINT* points, int count, CRgn* rgn)
{
    if (count < 2)
        return FALSE;
    int oldMode = dc->SetBkMode(TRANSPARENT);
    CPen pen(PS_SOLID, OutlinePenWidth, GetSysColor(OutlineColorIndex));
    CPen* oldPen = dc->SelectObject(&pen);
    dc->BeginPath();
    dc->Polyline(points, count);
    dc->EndPath();
    dc->WidenPath();
    HRGN region = ::PathToRegion(dc->m_hDC);
    dc->SelectObject(oldPen);
    dc->SetBkMode(oldMode);
    return region && rgn->Attach(region);
}

void CHyperTracker::FillOutlineRgn(CDC* dc, const POINT* points, int count)
{
    CRgn outline;
    outline.CreateRectRgn(0, 0, 0, 0);
    for (int start = 0; start < count;) {
        int end = start;
        while (end < count && !IsBreak(points[end]))
            ++end;
        CRgn part;
        if (CreateOutlineRgn(dc, points + start, end - start, &part))
            outline.CombineRgn(&outline, &part, RGN_OR);
        start = end + 1;
    }
    CBrush halftone;
    MakeHalftoneBrush(&halftone);
    CBrush* oldBrush = dc->SelectObject(&halftone);
    int saved = dc->SaveDC();
    dc->SelectClipRgn(&outline);
    CRect box;
    dc->GetClipBox(&box);
    dc->PatBlt(box.left, box.top, box.Width(), box.Height(), PATINVERT);
    dc->RestoreDC(saved);
    dc->SelectObject(oldBrush);
}

std::vector<POINT> CHyperTracker::ScaledOutline(const RECT& rect) const
{
    POINT* raw = nullptr;
    int count = m_object->GetRotatedPoints(&raw);
    std::unique_ptr<POINT[]> owned(raw);
    std::vector<POINT> points(raw, raw + count);
    if (CObjectHost* host = GetHost())
        for (POINT& p : points)
            if (!IsBreak(p))
                host->LogicalToDevice(&p, 1);
    BOOL flips = m_object->m_keepsDirection;
    CRect target(rect);
    CRect start = m_rectLast;
    if (!flips) {
        target.NormalizeRect();
        start.NormalizeRect();
    }
    double sx = Factor(target.Width(), start.Width(), flips);
    double sy = Factor(target.Height(), start.Height(), flips);
    for (POINT& p : points) {
        if (IsBreak(p))
            continue;
        p.x = ScaleAxis(p.x, start.left, target.left, sx);
        p.y = ScaleAxis(p.y, start.top, target.top, sy);
    }
    return points;
}

void CHyperTracker::DrawTrackerRect(LPCRECT rect, CWnd* clipTo, CDC* dc, CWnd* wnd)
{
    if (!m_object) {
        CRectTracker::DrawTrackerRect(rect, clipTo, dc, wnd);
        return;
    }
    if (m_object->DrawDragFeedback(clipTo, dc, wnd, m_bErase))
        return;
    std::vector<POINT> points = m_bErase ? m_feedback : ScaledOutline(*rect);
    FillOutlineRgn(dc, points.data(), static_cast<int>(points.size()));
    m_object->DrawSnapMarks(dc, m_bErase);
    if (m_bFinalErase)
        m_feedback.clear();
    else
        m_feedback = std::move(points);
}
