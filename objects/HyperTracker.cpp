#include "objects/HyperTracker.h"

#include "objects/GroupInfo.h"
#include "objects/HyperOb.h"
#include "objects/ObjectHost.h"
#include "platform/gdi/Dc.h"

#include <cmath>
#include <cstdlib>

namespace {
UINT EndHandleMask(int layout)
{
    switch (layout) {
    case 0:
        return 0x05;
    case 2:
        return 0x0A;
    case 6:
        return 0xA0;
    case 8:
        return 0x50;
    default:
        return 0;
    }
}

int HalfGap(int extent, int size)
{
    return static_cast<int>(std::floor((extent - size - 1) * 0.5 + 0.5));
}
}

CObjectHost* CHyperTracker::GetHost() const
{
    return m_object ? GetObjectHost(m_object->GetView()) : nullptr;
}

int CHyperTracker::GetZoom() const
{
    CObjectHost* host = GetHost();
    return host ? host->GetZoomPercent() : 100;
}

CRect CHyperTracker::DeviceRect(const RECT& rect) const
{
    CRect device(rect);
    if (CObjectHost* host = GetHost())
        host->LogicalToDevice(reinterpret_cast<POINT*>(&device.left), 2);
    return device;
}

UINT CHyperTracker::GetHandleMask() const
{
    if (m_object && m_object->HasEndHandles() && m_object->GroupID < 0)
        if (UINT mask = EndHandleMask(m_object->GetHandleLayout()))
            return mask;
    return CRectTracker::GetHandleMask();
}

UINT CHyperTracker::GetDrawMask() const
{
    int zoom = GetZoom();
    if (zoom == 100 || (m_object && m_object->HasEndHandles()))
        return GetHandleMask();
    if (zoom < 100 || (m_object && m_object->GetOwnGroupInfo()))
        return 0x0F;
    int room = 3 * m_nHandleSize;
    int sw = MulDiv(std::abs(m_rect.Width()), zoom, 100) - room;
    int sh = MulDiv(std::abs(m_rect.Height()), zoom, 100) - room;
    if (sh > 4)
        return sw > 4 ? 0xFF : 0xAF;
    return sw < 5 ? 0x0F : 0x5F;
}

void CHyperTracker::GetHandleRectAt(int handle, const CRect& device, CRect* out) const
{
    CRectTracker placed(*this);
    placed.m_rect = device;
    if (GetZoom() == 100) {
        placed.GetHandleRect(handle, out);
        return;
    }
    CRect r = device;
    r.NormalizeRect();
    int w = placed.GetHandleSize();
    int h = w;
    int cx = HalfGap(r.Width(), w);
    int cy = HalfGap(r.Height(), h);
    switch (placed.NormalizeHit(handle)) {
    case hitTopLeft:
        return out->SetRect(r.left - w, r.top - h, r.left, r.top);
    case hitTopRight:
        return out->SetRect(r.right, r.top - h, r.right + w, r.top);
    case hitBottomRight:
        return out->SetRect(r.right, r.bottom, r.right + w, r.bottom + h);
    case hitBottomLeft:
        return out->SetRect(r.left - w, r.bottom, r.left, r.bottom + h);
    case hitTop:
        return out->SetRect(r.left + cx, r.top - h, r.left + cx + w, r.top);
    case hitBottom:
        return out->SetRect(r.right - cx - w, r.bottom, r.right - cx, r.bottom + h);
    case hitLeft:
        return out->SetRect(r.left - w, r.top + cy, r.left, r.top + cy + h);
    default:
        return out->SetRect(r.right, r.bottom - cy - h, r.right + w, r.bottom - cy);
    }
}

int CHyperTracker::HitTestHandles(CPoint point) const
{
    if (CObjectHost* host = GetHost())
        host->LogicalToDevice(&point, 1);
    return HitTestAt(point, DeviceRect(m_rect));
}

int CHyperTracker::HitTestAt(CPoint point, CRect device) const
{
    if (m_nStyle & (resizeInside | resizeOutside)) {
        UINT mask = GetHandleMask();
        for (int i = 0; i < 8; ++i) {
            CRect handle;
            GetHandleRectAt(i, device, &handle);
            if ((mask & (1u << i)) && handle.PtInRect(point))
                return i;
        }
    }
    device.NormalizeRect();
    device.InflateRect(1, 1);
    return device.PtInRect(point) ? hitMiddle : hitNothing;
}

void CHyperTracker::GetHandleBounds(RECT* out) const
{
    CRect bounds = m_rect;
    if (m_nStyle & (resizeInside | resizeOutside)) {
        int margin = MulDiv(m_nHandleSize + 1, 100, GetZoom());
        bounds.InflateRect(margin, margin);
    }
    *out = bounds;
}

void CHyperTracker::GetCenter(POINT* out) const
{
    out->x = m_rotationRect.left + m_rotationRect.Width() / 2;
    out->y = m_rotationRect.top + m_rotationRect.Height() / 2;
}

BOOL CHyperTracker::GetDrawnRect(CRect* out) const
{
    if (!(m_nStyle & (resizeInside | resizeOutside)))
        return FALSE;
    *out = m_rect;
    if (!m_object || m_object->GroupID < 0)
        return TRUE;
    CGroupInfo* group = m_object->GetOwnGroupInfo();
    if (!group)
        return FALSE;
    group->GetRect(out);
    return TRUE;
}

void CHyperTracker::DrawHandleShapes(CDC* dc, BOOL round)
{
    CRect drawn;
    if (!GetDrawnRect(&drawn))
        return;
    CObjectHost* host = GetHost();
    CObjectHost::HandleColors colors = host ? host->GetHandleColors() : CObjectHost::HandleColors();
    BOOL flagsShown = !host || host->HasEmptySelection();
    UINT mask = round ? CRectTracker::GetHandleMask() : GetDrawMask();
    CRect device = drawn;
    CDevicePixelScope pixels(dc, &device);
    CPen pen(PS_SOLID, 0, colors.outline);
    CPen* oldPen = dc->SelectObject(&pen);
    for (int i = 0; i < 8; ++i) {
        if (!(mask & (1u << i)))
            continue;
        BOOL flagged = flagsShown && (m_nStyle & (0x100u << i));
        CBrush brush(flagged                          ? colors.flagged
                : (m_nStyle & CHyperOb::PrimaryStyle) ? colors.primaryFill
                                                      : colors.fill);
        CBrush* oldBrush = dc->SelectObject(&brush);
        CRect handle;
        GetHandleRectAt(i, device, &handle);
        if (round)
            dc->Ellipse(&handle);
        else
            dc->Rectangle(&handle);
        dc->SelectObject(oldBrush);
    }
    dc->SelectObject(oldPen);
}

void CHyperTracker::DrawHandles(CDC* dc)
{
    DrawHandleShapes(dc, FALSE);
}

void CHyperObTracker::DrawHandles(CDC* dc)
{
    CObjectHost* host = GetHost();
    DrawHandleShapes(dc, host && host->IsFreeRotateMode());
}
