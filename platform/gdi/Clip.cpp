#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiState.h"
#include "platform/gdi/Mapping.h"
#include "platform/gdi/Recorder.h"

using namespace gdi;

namespace {

Dc* D(HDC h) { return LookupDc(h); }

int Complexity(const std::optional<QRegion>& clip)
{
    if (!clip)
        return SIMPLEREGION;
    if (clip->isEmpty())
        return NULLREGION;
    return clip->rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

QRegion DeviceArea(const Dc& dc)
{
    if (const QImage* s = dc.Surface())
        return QRegion(s->rect());
    return QRegion(0, 0, dc.width, dc.height);
}

int Combine(Dc& dc, const QRegion* rgn, int mode)
{
    if (mode == RGN_COPY) {
        if (rgn)
            dc.a.clip = *rgn;
        else
            dc.a.clip.reset();
        return Complexity(dc.a.clip);
    }
    if (!rgn)
        return ERROR;
    QRegion current = dc.a.clip ? *dc.a.clip : DeviceArea(dc);
    switch (mode) {
    case RGN_AND: dc.a.clip = current.intersected(*rgn); break;
    case RGN_OR: dc.a.clip = current.united(*rgn); break;
    case RGN_XOR: dc.a.clip = current.xored(*rgn); break;
    case RGN_DIFF: dc.a.clip = current.subtracted(*rgn); break;
    default: return ERROR;
    }
    return Complexity(dc.a.clip);
}

}  // namespace

int CDC::GetClipBox(LPRECT rect) const
{
    Dc* dc = D(m_hDC);
    if (!dc || !rect)
        return ERROR;
    QRect box = (dc->a.clip ? *dc->a.clip : DeviceArea(*dc)).boundingRect();
    if (dc->a.clip && dc->a.clip->isEmpty())
        box = QRect();
    POINT a = ToLogical(*dc, box.topLeft()), b = ToLogical(*dc, box.bottomRight() + QPoint(1, 1));
    *rect = {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
    if (box.isEmpty())
        *rect = {0, 0, 0, 0};
    return Complexity(dc->a.clip);
}

int CDC::SelectClipRgn(CRgn* rgn) { return ExtSelectClipRgn(rgn ? HRGN(*rgn) : nullptr, RGN_COPY); }
int CDC::SelectClipRgn(CRgn* rgn, int mode) { return ExtSelectClipRgn(rgn ? HRGN(*rgn) : nullptr, mode); }

int CDC::ExtSelectClipRgn(HRGN rgn, int mode)
{
    Dc* dc = D(m_hDC);
    if (!dc)
        return ERROR;
    Region* r = LookupAs<Region>(rgn, Kind::Region);
    if (rgn && !r)
        return ERROR;
    RecordClip(m_hDC, r ? &r->rgn : nullptr, mode);
    return Combine(*dc, r ? &r->rgn : nullptr, mode);
}

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2)
{
    Dc* dc = D(m_hDC);
    if (!dc)
        return ERROR;
    RecordRect(m_hDC, EMR_INTERSECTCLIPRECT, x1, y1, x2, y2, false);
    QRegion r(ToDeviceRect(*dc, x1, y1, x2, y2));
    return Combine(*dc, &r, RGN_AND);
}

int CDC::IntersectClipRect(LPCRECT r) { return r ? IntersectClipRect(r->left, r->top, r->right, r->bottom) : ERROR; }

int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2)
{
    Dc* dc = D(m_hDC);
    if (!dc)
        return ERROR;
    RecordRect(m_hDC, EMR_EXCLUDECLIPRECT, x1, y1, x2, y2, false);
    QRegion r(ToDeviceRect(*dc, x1, y1, x2, y2));
    return Combine(*dc, &r, RGN_DIFF);
}

int CDC::ExcludeClipRect(LPCRECT r) { return r ? ExcludeClipRect(r->left, r->top, r->right, r->bottom) : ERROR; }

int CDC::OffsetClipRgn(int dx, int dy)
{
    Dc* dc = D(m_hDC);
    if (!dc)
        return ERROR;
    if (dc->a.clip) {
        QPoint d = ToDevice(*dc, {dx, dy}) - ToDevice(*dc, {0, 0});
        dc->a.clip->translate(d);
    }
    return Complexity(dc->a.clip);
}

BOOL CDC::PtVisible(int x, int y) const
{
    Dc* dc = D(m_hDC);
    if (!dc)
        return FALSE;
    QPoint p = ToDevice(*dc, {x, y});
    return (dc->a.clip ? *dc->a.clip : DeviceArea(*dc)).contains(p);
}

BOOL CDC::RectVisible(LPCRECT r) const
{
    Dc* dc = D(m_hDC);
    if (!dc || !r)
        return FALSE;
    QRect d = ToDeviceRect(*dc, r->left, r->top, r->right, r->bottom);
    return (dc->a.clip ? *dc->a.clip : DeviceArea(*dc)).intersects(d);
}

int CDC::GetClipRgn(HRGN rgn) const
{
    Dc* dc = D(m_hDC);
    Region* r = LookupAs<Region>(rgn, Kind::Region);
    if (!dc || !r)
        return -1;
    if (!dc->a.clip)
        return 0;
    r->rgn = *dc->a.clip;
    return 1;
}
