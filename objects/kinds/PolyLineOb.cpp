#include "objects/kinds/PolyLineOb.h"

#include "objects/ConnectorEnds.h"
#include "objects/HyperTracker.h"
#include "objects/PropListValue.h"
#include "objects/VersionTag.h"
#include "objects/kinds/KindShared.h"
#include "objects/kinds/LineOb.h"
#include "platform/core/Archive.h"

#include <cstdlib>
#include <utility>
#include <vector>

IMPLEMENT_SERIAL(CPolyLineOb, CBasePolyOb, 0)

namespace {

constexpr UINT AnchorsButtonId = 27440;
// Ends of consecutive lines meet when closer than this on both axes.
constexpr int ChainGap = 5;
constexpr POINT DefaultTriangle[] = {{-24, -24}, {25, -24}, {-24, 25}, {-24, -24}};

BOOL Meet(POINT a, POINT b)
{
    return std::abs(a.x - b.x) < ChainGap && std::abs(a.y - b.y) < ChainGap;
}

std::pair<POINT, POINT> EndsOf(CObject* line)
{
    CConnectorEnds* ends = static_cast<CHyperOb*>(line)->GetEndPoints();
    return {ends->GetStartPoint(), ends->GetEndPoint()};
}

// Only straight lines chain: any other object has no two ends to join at.
BOOL AreAllLines(const CObArray& objects)
{
    for (INT_PTR i = 0; i < objects.GetSize(); ++i) {
        auto* line = dynamic_cast<CLineOb*>(objects.GetAt(i));
        if (!line || !line->GetEndPoints())
            return FALSE;
    }
    return TRUE;
}

} // namespace

BOOL ChainLinePoints(const CObArray& lines, POINT* out)
{
    const INT_PTR n = lines.GetSize();
    if (n < 2 || !AreAllLines(lines))
        return FALSE;
    BOOL firstReversed = FALSE;
    POINT previousEnd = {};
    for (INT_PTR i = 0; i < n; ++i) {
        auto [s, e] = EndsOf(lines.GetAt(i));
        while (i > 0 && !Meet(previousEnd, s)) {
            if (Meet(previousEnd, e)) {
                std::swap(s, e);
            } else if (i == 1 && !firstReversed) {
                firstReversed = TRUE;
                const auto [s0, e0] = EndsOf(lines.GetAt(0));
                previousEnd = s0;
                if (out)
                    out[0] = e0;
            } else {
                return FALSE;
            }
        }
        if (out && i == 0)
            out[0] = s;
        if (out && i > 0)
            out[i] = {(previousEnd.x + s.x) / 2, (previousEnd.y + s.y) / 2};
        if (out && i == n - 1)
            out[i + 1] = Meet(e, out[0]) ? out[0] : e;
        previousEnd = e;
    }
    return TRUE;
}

CPolyLineOb::CPolyLineOb()
    : m_snapPoints(this)
{
}

void CPolyLineOb::Serialize(CArchive& archive)
{
    CVersionTag tag(&archive, this, RecordVersion);
    if (archive.IsStoring()) {
        tag.Write();
        CBasePolyOb::Serialize(archive);
        return;
    }
    // Older records start with the object record's own tag: it is read again below.
    if (tag.Read() && tag.GetVersion() < static_cast<int>(RecordVersion)) {
        tag.SeekBack();
        m_loadingWithoutSnapPoints = TRUE;
    }
    try {
        CBasePolyOb::Serialize(archive);
    } catch (...) {
        m_loadingWithoutSnapPoints = FALSE;
        throw;
    }
    m_loadingWithoutSnapPoints = FALSE;
}

void CPolyLineOb::SerializeEndPoints(CArchive& archive)
{
    if (archive.IsStoring()) {
        archive << NoEndLinks;
        return;
    }
    DWORD marker;
    archive >> marker;
    if (marker == NoEndLinks)
        return;
    // An end-link list of an older layout: read past it.
    BYTE kind;
    WORD count;
    archive >> kind >> count;
    for (WORD i = 0; i < count; ++i) {
        WORD value;
        CString name;
        archive >> value >> name;
    }
}

CSnapPointSet* CPolyLineOb::GetSnapPoints(BOOL own)
{
    if (m_loadingWithoutSnapPoints)
        return nullptr;
    return ::GetGroupSnapPoints(this, own, &m_snapPoints);
}

CPropOb* CPolyLineOb::CreateProperty(UINT propertyId, BOOL withChoices)
{
    switch (propertyId) {
    case ArrowheadTypeId:
    case ArrowheadHeightId:
        return IsClosed() ? nullptr : CBasePolyOb::CreateProperty(propertyId, withChoices);
    case AnchorSnapsId: {
        auto* editor = new CPropAnchor(propertyId, GetSnapPointList(TRUE));
        editor->m_captionId = AnchorsButtonId;
        return editor;
    }
    default:
        return CBasePolyOb::CreateProperty(propertyId, withChoices);
    }
}

BOOL CPolyLineOb::GetHatchStyle(int* style) const
{
    if (style)
        *style = HatchStyle;
    return IsClosed();
}

BOOL CPolyLineOb::GetShadowStyle(int* style) const
{
    if (style)
        *style = ShadowStyle;
    return GetRotateAngle() == 0.0 && IsClosed();
}

CPoint CPolyLineOb::GetRotatedPoint(int index) const
{
    if (!m_rotatedPoints || index < 0 || index >= m_outlineCount)
        return CPoint(0, 0);
    return m_rotatedPoints[index];
}

int CPolyLineOb::HitTest(CPoint point)
{
    const int hit = CBasePolyOb::HitTest(point);
    if (hit == CRectTracker::hitMiddle && GetRotateAngle() == 0.0)
        return PointListHitTest(point.x, point.y, hit);
    return hit;
}

void CPolyLineOb::ApplyDefaults()
{
    if (m_outlineCount == 0) {
        SetRect(CRect(50, 50, 100, 100));
        FreeOutline();
        m_outlineCount = 4;
        m_outlinePoints = new POINT[4];
        std::copy(std::begin(DefaultTriangle), std::end(DefaultTriangle), m_outlinePoints);
    }
    if (CSnapPointSet* set = GetSnapPoints(TRUE))
        set->SetPositionMask(0);
    CBasePolyOb::ApplyDefaults();
}

void CPolyLineOb::UpdateLayout(int recalc, BOOL hint)
{
    if (GetRotateAngle() == 0.0 && !m_rotatedPoints)
        FitPointsToFrame();
    CBasePolyOb::UpdateLayout(recalc, hint);
}

void CPolyLineOb::Refresh(BOOL recalc)
{
    FitPointsToFrame();
    CBasePolyOb::UpdateLayout(recalc, FALSE);
}

void CPolyLineOb::FitPointsToFrame()
{
    if (m_outlineCount == 0 || GetRotateAngle() != 0.0)
        return;
    CRect frame;
    GetRect(&frame, nullptr);
    CRect bounds;
    GetPointsBoundingRect(&bounds, m_outlinePoints, m_outlineCount);
    if (frame.Width() == bounds.Width() && frame.Height() == bounds.Height())
        return;
    const double sx = static_cast<double>(frame.Width()) / bounds.Width();
    const double sy = static_cast<double>(frame.Height()) / bounds.Height();
    for (int i = 0; i < m_outlineCount; ++i)
        m_outlinePoints[i] = {static_cast<LONG>(m_outlinePoints[i].x * sx), static_cast<LONG>(m_outlinePoints[i].y * sy)};
}

BOOL CPolyLineOb::BuildFromLines(const CObArray& lines)
{
    std::vector<POINT> points(static_cast<size_t>(lines.GetSize()) + 1);
    if (!ChainLinePoints(lines, points.data()))
        return FALSE;
    SetPoints(points.data(), static_cast<int>(points.size()));
    return TRUE;
}

void CPolyLineOb::BakeRotation(const RECT* rect)
{
    if (!m_rotatedPoints)
        return;
    CHyperOb::SetRotateAngle(0.0);
    const CPoint centre((rect->left + rect->right + 1) / 2, (rect->top + rect->bottom + 1) / 2);
    for (int i = 0; i < m_outlineCount; ++i)
        m_outlinePoints[i] = {m_rotatedPoints[i].x - centre.x, m_rotatedPoints[i].y - centre.y};
    delete[] m_rotatedPoints;
    m_rotatedPoints = nullptr;
    CRect current;
    GetRect(&current, nullptr);
    SetFrameRect(&current);
}
