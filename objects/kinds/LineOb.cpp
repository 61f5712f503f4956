#include "objects/kinds/LineOb.h"

#include "objects/HyperTracker.h"
#include "objects/ObjectHost.h"
#include "objects/VersionTag.h"
#include "objects/kinds/KindShared.h"
#include "platform/core/Archive.h"

#include <algorithm>
#include <cmath>
#include <utility>

IMPLEMENT_SERIAL(CLineOb, C1DOb, 0)

CLineOb::CLineOb()
{
    m_ends.m_owner = this;
    m_keepsDirection = TRUE;
}

void CLineOb::Serialize(CArchive& archive)
{
    C1DOb::Serialize(archive);
    if (archive.IsStoring())
        StoreFields(archive);
    else
        LoadFields(archive);
}

void CLineOb::StoreFields(CArchive& archive)
{
    CVersionTag tag(&archive, this, RecordVersion);
    tag.Write();
    archive << static_cast<DWORD>(PenStyle) << static_cast<DWORD>(PenWidth) << static_cast<DWORD>(ForeColor)
            << static_cast<DWORD>(Arrowhead) << static_cast<WORD>(ArrowheadHeight)
            << static_cast<DWORD>(m_connectionColor);
}

void CLineOb::LoadFields(CArchive& archive)
{
    CVersionTag tag(&archive, this, RecordVersion);
    tag.Read();
    const int version = tag.GetVersion();
    SetPenStyle(ReadInt32(archive));
    SetPenWidth(ReadInt32(archive));
    ForeColor = static_cast<COLORREF>(ReadInt32(archive));
    if (version < 1) {
        m_ends.SetOrientation(ReadInt32(archive));
        return;
    }
    Arrowhead = ReadInt32(archive);
    WORD height;
    archive >> height;
    ArrowheadHeight = height;
    if (version >= 2)
        m_connectionColor = static_cast<COLORREF>(ReadInt32(archive));
}

void CLineOb::UpdateLayout(int recalc, BOOL hint)
{
    const BOOL symmetric = Arrowhead == 0 || Arrowhead == (HeadAtFirst | HeadAtSecond);
    if (symmetric && GetHost()->HasEmptySelection())
        m_ends.SetSwapped(TRUE);
    C1DOb::UpdateLayout(recalc, hint);
    ComputeConnectionColour();
}

void CLineOb::ApplyDefaults()
{
    SetRect(CRect(0, 0, 20, 20));
    C1DOb::ApplyDefaults();
    m_ends.SetSwapped(TRUE);
}

void CLineOb::RecalcRect()
{
    if (!GetHost()->IsBusy()) {
        m_ends.UpdateOrientation(TRUE);
        if (CanConnect() && m_ends.Reattach(0))
            m_ends.UpdateOrientation(TRUE);
        UpdateEndsFromTargets();
    }
    C1DOb::RecalcRect();
}

BOOL CLineOb::OnInsert()
{
    // The tracked rectangle may be inside out; its corners are the ends as drawn.
    m_ends.UpdateOrientation(TRUE);
    return C1DOb::OnInsert();
}

BOOL CLineOb::IsAttachable() const
{
    return GetHost()->AllowsConnections();
}

void CLineOb::BuildOutline()
{
    EnsureShape();
    POINT centre;
    GetCenter(&centre);
    FreeOutline();
    m_outlineCount = 2;
    m_outlinePoints = new POINT[2];
    m_outlinePoints[0] = m_ends.GetStartPoint() - CSize(centre.x, centre.y);
    m_outlinePoints[1] = m_ends.GetEndPoint() - CSize(centre.x, centre.y);
}

void CLineOb::SetRotateAngle(double degrees)
{
    const double old = GetRotateAngle();
    C1DOb::SetRotateAngle(degrees);
    POINT ends[2] = {m_ends.GetStartPoint(), m_ends.GetEndPoint()};
    int handles[2];
    POINT unused[2];
    m_ends.ComputeEndPoints(&unused[0], &unused[1], m_ends.IsSwapped(), &handles[0], &handles[1]);
    CRect before;
    GetRect(&before, nullptr);
    RotatePoints(ends, ends, 2, GetRotateAngle() - old, (ends[0].x + 1 + ends[1].x) / 2,
                 (ends[0].y + 1 + ends[1].y) / 2);
    m_ends.MoveEndPoints(ends, handles);
    CRect after;
    GetRect(&after, nullptr);
    const CSize shift = before.CenterPoint() - after.CenterPoint();
    if (shift != CSize(0, 0)) {
        after.OffsetRect(shift);
        SetRect(after);
    }
}

void CLineOb::SetEndPoints(long x1, long y1, long x2, long y2)
{
    m_ends.SetOrientation(CConnectorEnds::Diagonal);
    m_ends.SetSwapped(TRUE);
    SetRect(CRect(x1, y1, x2, y2));
    UpdateLayout(TRUE, FALSE);
}

void CLineOb::SetCoordinate(int end, LONG POINT::*axis, long value)
{
    POINT ends[2] = {m_ends.GetStartPoint(), m_ends.GetEndPoint()};
    const LONG other = ends[1 - end].*axis;
    const BOOL flip = static_cast<long long>(ends[end].*axis - other) * (value - other) < 0;
    ends[end].*axis = value;
    CRect r(std::min(ends[0].x, ends[1].x), std::min(ends[0].y, ends[1].y), std::max(ends[0].x, ends[1].x),
            std::max(ends[0].y, ends[1].y));
    if (flip && axis == &POINT::x)
        std::swap(r.left, r.right);
    if (flip && axis == &POINT::y)
        std::swap(r.top, r.bottom);
    SetRect(r);
    UpdateLayout(TRUE, FALSE);
}
