// Rectangles, the outline polygon and rotation of page objects.
#include "objects/Angles.h"
#include "objects/GroupInfo.h"
#include "objects/HyperOb.h"
#include "objects/HyperTracker.h"
#include "objects/ObjectHost.h"
#include "objects/SnapPointSet.h"
#include "platform/gdi/Dc.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int OutlinePointCount = 5;
constexpr UINT IDS_LEFT = 27136;
constexpr UINT IDS_BOTTOM = 27139;

int RoundToInt(double value)
{
    return static_cast<int>(std::floor(value + 0.5));
}
}

void RotatePoints(const POINT* src, POINT* dst, int n, double angle, int cx, int cy)
{
    double a = -DegreesToRadians(angle);
    double c = std::cos(a);
    double s = std::sin(a);
    for (int i = 0; i < n; ++i) {
        double x = src[i].x;
        double y = src[i].y;
        if (src == dst) {
            x -= cx;
            y -= cy;
        }
        dst[i].x = RoundToInt(x * c + y * s + cx);
        dst[i].y = RoundToInt(y * c - x * s + cy);
    }
}

void GetPointsBoundingRect(RECT* out, const POINT* points, int n)
{
    *out = { 999999, 999999, -999999, -999999 };
    for (int i = 0; i < n; ++i) {
        out->left = std::min(out->left, points[i].x);
        out->top = std::min(out->top, points[i].y);
        out->right = std::max(out->right, points[i].x);
        out->bottom = std::max(out->bottom, points[i].y);
    }
    if (n <= 0)
        return;
    if (out->right == out->left)
        ++out->right;
    if (out->bottom == out->top)
        ++out->bottom;
}

void CHyperOb::CreateTracker()
{
    if (!m_tracker) {
        EnsureShape();
        m_tracker = new CHyperObTracker;
        m_tracker->m_rect = m_shape.rect;
        m_tracker->m_rotationRect = m_shape.frame;
        m_tracker->m_outlineRect = m_shape.outline;
        m_tracker->RotateAngle = m_shape.angle;
    }
    m_tracker->m_object = this;
    m_tracker->m_nHandleSize = HandleSize;
    m_tracker->m_nStyle = 0;
    m_tracker->m_sizeMin = GetMinimumSize();
}

CHyperObTracker* CHyperOb::GetTracker()
{
    if (!m_tracker)
        CreateTracker();
    return m_tracker;
}

void CHyperOb::EnsureShape()
{
    if (HasShape())
        return;
    m_shape.rect.SetRect(0, 0, 50, 50);
    m_shapeMade = TRUE;
}

CRect& CHyperOb::Rect()
{
    EnsureShape();
    return m_tracker ? m_tracker->m_rect : m_shape.rect;
}

const CRect& CHyperOb::Rect() const
{
    return m_tracker ? m_tracker->m_rect : m_shape.rect;
}

CRect& CHyperOb::Frame()
{
    EnsureShape();
    return m_tracker ? m_tracker->m_rotationRect : m_shape.frame;
}

const CRect& CHyperOb::Frame() const
{
    return m_tracker ? m_tracker->m_rotationRect : m_shape.frame;
}

CRect& CHyperOb::OutlineRect()
{
    EnsureShape();
    return m_tracker ? m_tracker->m_outlineRect : m_shape.outline;
}

double& CHyperOb::Angle()
{
    EnsureShape();
    return m_tracker ? m_tracker->RotateAngle : m_shape.angle;
}

void CHyperOb::GetCenter(POINT* out) const
{
    const CRect& frame = Frame();
    out->x = frame.left + frame.Width() / 2;
    out->y = frame.top + frame.Height() / 2;
}

int CHyperOb::HitTestFrame(CPoint point) const
{
    if (m_tracker)
        return m_tracker->HitTestHandles(point);
    CHyperObTracker probe;
    probe.m_object = const_cast<CHyperOb*>(this);
    probe.m_rect = Rect();
    return probe.HitTestHandles(point);
}

CRect* CHyperOb::GetRect(CRect* out, CDC* dc) const
{
    *out = Rect();
    CObjectHost* host = GetHost();
    if (dc && !dc->IsPrinting() && host->IsMapped())
        host->LogicalToDevice(reinterpret_cast<POINT*>(&out->left), 2);
    return out;
}

BOOL CHyperOb::GetObjectRect(LPRECT rect)
{
    CRect r;
    *rect = *GetRect(&r, nullptr);
    return TRUE;
}

BOOL CHyperOb::GetScreenRect(LPRECT rect)
{
    CRect update;
    GetUpdateRect(&update, nullptr);
    CObjectHost* host = GetHost();
    host->LogicalToDevice(reinterpret_cast<POINT*>(&update.left), 2);
    update.OffsetRect(host->GetScreenOrigin());
    *rect = update;
    return TRUE;
}

void CHyperOb::GetDisplayRect(CRect* out, BOOL own) const
{
    if (!own && GroupID >= 0 && m_groupInfo)
        m_groupInfo->GetRect(out);
    else
        GetRect(out, nullptr);
}

void CHyperOb::SetRect(const CRect& rect)
{
    EnsureShape();
    CRect old = Rect();
    CObjectHost* host = GetHost();
    if (GetView() && !host->IsInsertingObject() && !Code.IsEmpty()) {
        if (old.TopLeft() != rect.TopLeft())
            host->OnObjectMoved(this);
        if (old.Size() != rect.Size())
            host->OnObjectResized(this);
    }
    // The place the object leaves is painted again, whoever moves it.
    if (GetView() && old != rect)
        InvalidateArea(nullptr);
    if (m_groupInfo)
        m_groupInfo->m_rect.OffsetRect(rect.left - old.left, rect.top - old.top);
    Rect() = rect;
    ApplyRect(&old);
}

void CHyperOb::RememberRects()
{
    GetRect(&m_rememberedRect, nullptr);
}

void CHyperOb::RecalcRect()
{
    EnsureShape();
    UpdateHotSpots();
    RebuildOutline();
    GetBoundingRect(&Rect());
}

void CHyperOb::GetBoundingRect(RECT* out) const
{
    if (IsRotated() && m_rotatedPoints && m_outlineCount >= 2)
        GetPointsBoundingRect(out, m_rotatedPoints, m_outlineCount);
    else
        *out = Frame();
}

void CHyperOb::SetFrameRect(const RECT* rect)
{
    EnsureShape();
    Frame() = *rect;
}

void CHyperOb::SetOutlineRect(const RECT* rect)
{
    EnsureShape();
    OutlineRect() = *rect;
}

void CHyperOb::SetRotateAngle(double angle)
{
    EnsureShape();
    if (std::isfinite(angle))
        Angle() = NormalizeDegrees(angle);
}

double CHyperOb::GetRotateAngle() const
{
    return m_tracker ? m_tracker->RotateAngle : m_shape.angle;
}

void CHyperOb::BuildOutline()
{
    EnsureShape();
    CRect frame = GetRotateAngle() == 0.0 ? Rect() : Frame();
    int w = frame.Width() / 2;
    int h = frame.Height() / 2;
    FreeOutline();
    m_outlineCount = OutlinePointCount;
    m_outlinePoints = new POINT[OutlinePointCount] { { -w, -h }, { w, -h }, { w, h }, { -w, h }, { -w, -h } };
}

void CHyperOb::FitOutline()
{
    EnsureShape();
    if (Rect() == OutlineRect() && m_outlinePoints)
        return;
    BuildOutline();
    SetOutlineRect(&Rect());
}

void CHyperOb::RebuildOutline()
{
    FitOutline();
    delete[] m_rotatedPoints;
    m_rotatedPoints = nullptr;
    if (!IsRotated())
        return;
    POINT centre;
    GetCenter(&centre);
    m_rotatedPoints = new POINT[static_cast<size_t>(m_outlineCount)];
    RotatePoints(m_outlinePoints, m_rotatedPoints, m_outlineCount, GetRotateAngle(), centre.x, centre.y);
}

int CHyperOb::GetRotatedPoints(POINT** out) const
{
    *out = nullptr;
    if (!HasShape() || m_outlineCount <= 0)
        return 0;
    POINT centre;
    GetCenter(&centre);
    *out = new POINT[static_cast<size_t>(m_outlineCount)];
    RotatePoints(
        m_outlinePoints, *out, m_outlineCount, IsRotated() ? GetRotateAngle() : 0.0, centre.x, centre.y);
    return m_outlineCount;
}

int CHyperOb::GetViewPoints(POINT** out) const
{
    int count = GetRotatedPoints(out);
    if (count > 0)
        GetHost()->LogicalToDevice(*out, count);
    return count;
}

void CHyperOb::ApplyRect(const RECT*)
{
    if (IsRotated())
        RotateRect(&Rect());
    else
        SetFrameRect(&Rect());
}

void CHyperOb::RotateRect(const RECT* rect)
{
    // The frame whose rotated bounding box is the given rectangle; near 45 degrees that has no
    // single answer and the frame is scaled instead, keeping its proportions.
    CRect bounds(rect);
    CRect frame = Frame();
    double a = DegreesToRadians(GetRotateAngle());
    double c = std::fabs(std::cos(a));
    double s = std::fabs(std::sin(a));
    double bw = bounds.Width();
    double bh = bounds.Height();
    double w = 0.0;
    double h = 0.0;
    double den = c * c - s * s;
    if (std::fabs(den) > 0.1) {
        w = (bw * c - bh * s) / den;
        h = (bh * c - bw * s) / den;
    }
    if (w <= 0.0 || h <= 0.0) {
        double oldW = frame.Width() * c + frame.Height() * s;
        double oldH = frame.Width() * s + frame.Height() * c;
        double k = oldW > 0.0 && oldH > 0.0 ? std::sqrt((bw * bh) / (oldW * oldH)) : 1.0;
        w = frame.Width() * k;
        h = frame.Height() * k;
    }
    double cx = (bounds.left + bounds.right) / 2.0;
    double cy = (bounds.top + bounds.bottom) / 2.0;
    CRect rotated(
        RoundToInt(cx - w / 2), RoundToInt(cy - h / 2), RoundToInt(cx + w / 2), RoundToInt(cy + h / 2));
    SetFrameRect(&rotated);
    FitOutline();
}

BOOL CHyperOb::IsRotated() const
{
    return CanRotate() && GetRotateAngle() != 0.0 && !HasEndHandles();
}

BOOL CHyperOb::IsUpright() const
{
    return !IsRotated() || !TurnsWithRotation();
}

void CHyperOb::OnPropertyChanged(UINT propertyId)
{
    if (propertyId >= IDS_LEFT && propertyId <= IDS_BOTTOM && !IsRotated()) {
        CRect rect;
        SetRect(*GetRect(&rect, nullptr));
    }
}

void CHyperOb::UpdateLayout(int recalc, BOOL hint)
{
    CObjectHost* host = GetHost();
    if (hint)
        host->OnLayoutHint(this, hint);
    InvalidateArea(nullptr);
    if (recalc) {
        if (CSnapPointSet* points = GetSnapPoints(FALSE))
            points->RefreshConnectorEnds(nullptr);
        InvalidateTracker(nullptr);
        UpdateHotSpots();
        RecalcRect();
        RememberRects();
        if (host->IsEditMode())
            NotifyChanged();
        if (host->IsEditMode() && !host->IsInsertingObject()) {
            CRect display;
            GetDisplayRect(&display, FALSE);
            host->ShowRectInStatusBar(display);
        }
    }
    InvalidateArea(nullptr);
    if (!host->IsInsertingObject())
        host->OnObjectChanged(this);
}
