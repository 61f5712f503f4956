#include "objects/kinds/BasePolyOb.h"

#include "objects/HyperTracker.h"
#include "objects/ObjectHost.h"
#include "objects/VersionTag.h"
#include "objects/kinds/KindShared.h"
#include "platform/core/Archive.h"

#include <algorithm>

IMPLEMENT_SERIAL(CBasePolyOb, C1DOb, 0)

namespace {
constexpr DWORD LowWord = 0xFFFF;
}

void CBasePolyOb::Serialize(CArchive& archive)
{
    C1DOb::Serialize(archive);
    CVersionTag tag(&archive, this, RecordVersion);
    if (archive.IsStoring()) {
        tag.Write();
        const DWORD styles = (static_cast<DWORD>(HatchStyle) & LowWord) | (static_cast<DWORD>(ShadowStyle) << 16);
        archive << static_cast<DWORD>(PenStyle) << static_cast<DWORD>(PenWidth) << static_cast<DWORD>(BackColor)
                << static_cast<DWORD>(ForeColor) << static_cast<DWORD>(Arrowhead)
                << static_cast<WORD>(ArrowheadHeight) << styles << static_cast<WORD>(m_outlineCount);
        for (int i = 0; i < m_outlineCount; ++i)
            archive << static_cast<DWORD>(m_outlinePoints[i].x) << static_cast<DWORD>(m_outlinePoints[i].y);
        return;
    }
    // A record without the tag reads the same way.
    tag.Read();
    PenStyle = ReadInt32(archive);
    PenWidth = ReadInt32(archive);
    BackColor = static_cast<COLORREF>(ReadInt32(archive));
    ForeColor = static_cast<COLORREF>(ReadInt32(archive));
    Arrowhead = ReadInt32(archive);
    WORD height, count;
    archive >> height;
    ArrowheadHeight = height;
    const DWORD styles = static_cast<DWORD>(ReadInt32(archive));
    HatchStyle = static_cast<int>(styles & LowWord);
    ShadowStyle = static_cast<int>(styles >> 16);
    archive >> count;
    // Grown as read, not sized by the count: a damaged count then costs no more than the
    // points that are there.
    std::vector<POINT> points;
    for (int i = 0; i < count; ++i) {
        const LONG x = ReadInt32(archive);
        points.push_back({x, ReadInt32(archive)});
    }
    FreeOutline();
    m_outlinePoints = new POINT[std::max<size_t>(points.size(), 1)];
    std::copy(points.begin(), points.end(), m_outlinePoints);
    m_outlineCount = count;
}

CPropOb* CBasePolyOb::CreateProperty(UINT propertyId, BOOL withChoices)
{
    if (propertyId == BackColorId && !IsClosed())
        return nullptr;
    return C1DOb::CreateProperty(propertyId, withChoices);
}

void CBasePolyOb::CopyFrom(const CHyperBaseOb* base)
{
    C1DOb::CopyFrom(base);
    auto* other = dynamic_cast<const CBasePolyOb*>(base);
    if (!other || other == this)
        return;
    FreeOutline();
    if (other->m_outlineCount > 0) {
        m_outlinePoints = new POINT[other->m_outlineCount];
        std::copy(other->m_outlinePoints, other->m_outlinePoints + other->m_outlineCount, m_outlinePoints);
        m_outlineCount = other->m_outlineCount;
    }
}

BOOL CBasePolyOb::IsClosed() const
{
    const int n = m_outlineCount;
    return n >= 3 && m_outlinePoints[n - 1].x == m_outlinePoints[0].x && m_outlinePoints[n - 1].y == m_outlinePoints[0].y;
}

BOOL CBasePolyOb::IsTransparent() const
{
    return BackColor == static_cast<COLORREF>(-1) && HatchStyle == NoHatch;
}

CPoint CBasePolyOb::GetCentre() const
{
    POINT centre = {0, 0};
    if (HasShape())
        GetCenter(&centre);
    return centre;
}

int CBasePolyOb::GetZoom() const
{
    return std::max(1, GetHost()->GetZoomPercent());
}

CPoint CBasePolyOb::GetPoint(int index) const
{
    if (index < 0 || index >= m_outlineCount)
        return CPoint(0, 0);
    if (GetRotateAngle() != 0.0)
        return GetRotatedPoint(index);
    return GetCentre() + CSize(m_outlinePoints[index].x, m_outlinePoints[index].y);
}

void CBasePolyOb::SetPointAt(int index, int x, int y)
{
    if (GetRotateAngle() != 0.0 || index < 0 || index >= m_outlineCount)
        return;
    const CPoint centre = GetCentre();
    m_outlinePoints[index] = {x - centre.x, y - centre.y};
}

void CBasePolyOb::SetPoint(long index, long x, long y)
{
    if (index < 0 || index >= m_outlineCount)
        return;
    SetPointAt(index, x, y);
    InvalidateArea(nullptr);
    RecalcFrameFromPoints(TRUE);
    InvalidateArea(nullptr);
}

void CBasePolyOb::SetPoints(const POINT* points, int count)
{
    FreeOutline();
    m_outlinePoints = new POINT[std::max(count, 1)];
    std::copy(points, points + count, m_outlinePoints);
    m_outlineCount = count;
    RecalcFrameFromPoints(FALSE);
}

void CBasePolyOb::MakePointsAbsolute()
{
    const CPoint centre = GetCentre();
    for (int i = 0; i < m_outlineCount; ++i)
        m_outlinePoints[i] = {m_outlinePoints[i].x + centre.x, m_outlinePoints[i].y + centre.y};
}

void CBasePolyOb::MakePointsRelative()
{
    const CPoint centre = GetCentre();
    for (int i = 0; i < m_outlineCount; ++i)
        m_outlinePoints[i] = {m_outlinePoints[i].x - centre.x, m_outlinePoints[i].y - centre.y};
}

void CBasePolyOb::RecalcFrameFromPoints(BOOL pointsAreRelative)
{
    if (m_outlineCount == 0)
        return;
    if (pointsAreRelative)
        MakePointsAbsolute();
    CRect bounds;
    GetPointsBoundingRect(&bounds, m_outlinePoints, m_outlineCount);
    SetRect(bounds);
    MakePointsRelative();
}
