#include "objects/kinds/CircleOb.h"

#include "objects/HyperTracker.h"
#include "objects/VersionTag.h"
#include "objects/kinds/EllipseOutline.h"
#include "objects/kinds/KindShared.h"
#include "platform/core/Archive.h"

IMPLEMENT_SERIAL(CCircleOb, CHyperDrawOb, 0)

CCircleOb::CCircleOb()
    : m_snapPoints(this)
    , m_spareBand(PenWidth + 1)
{
}

void CCircleOb::Serialize(CArchive& archive)
{
    CHyperDrawOb::Serialize(archive);
    CVersionTag tag(&archive, this, RecordVersion);
    if (archive.IsStoring()) {
        tag.Write();
        StoreDrawFields(archive, *this, TRUE);
    } else {
        // Records without the tag carry the same fields.
        tag.Read();
        LoadDrawFields(archive, *this, TRUE);
    }
}

void CCircleOb::UpdateLayout(int recalc, BOOL hint)
{
    // A circle looks the same at every angle, so it stays upright.
    if (IsSquare() && GetRotateAngle() != 0.0)
        SetRotateAngle(0.0);
    CHyperDrawOb::UpdateLayout(recalc, hint);
}

CPropOb* CCircleOb::CreateProperty(UINT propertyId, BOOL withChoices)
{
    if (CPropOb* editor = CHyperDrawOb::CreateProperty(propertyId, withChoices))
        return editor;
    return propertyId == AnchorSnapsId ? MakeAnchorEditor(propertyId, GetSnapPoints(TRUE)) : nullptr;
}

void CCircleOb::ApplyDefaults()
{
    SetRect(CRect(0, 0, DefaultSize, DefaultSize));
    if (CSnapPointSet* set = GetSnapPoints(FALSE))
        set->SetPositionMask(0x1F0);
    CHyperDrawOb::ApplyDefaults();
    SetMinimumSize();
}

void CCircleOb::RecalcRect()
{
    SetMinimumSize();
    CHyperDrawOb::RecalcRect();
}

CSize CCircleOb::GetMinimumSize() const
{
    return PenMinimumSize(PenWidth);
}

void CCircleOb::SetMinimumSize()
{
    if (m_tracker)
        m_tracker->m_sizeMin = GetMinimumSize();
}

CSnapPointSet* CCircleOb::GetSnapPoints(BOOL own)
{
    return ::GetGroupSnapPoints(this, own, &m_snapPoints);
}

void CCircleOb::BuildOutline()
{
    EnsureShape();
    const CRect& frame = Frame();
    std::vector<POINT> points = EllipseOutline(frame.Width() / 2, frame.Height() / 2, OutlineSteps);
    FreeOutline();
    m_outlineCount = static_cast<int>(points.size());
    m_outlinePoints = new POINT[points.size()];
    std::copy(points.begin(), points.end(), m_outlinePoints);
}

BOOL CCircleOb::IsSquare() const
{
    if (!HasShape())
        return FALSE;
    const CRect& frame = Frame();
    return frame.Width() == frame.Height();
}

BOOL CCircleOb::CanRotate() const
{
    return GroupID < 0 && IsSquare() ? FALSE : DfltCanRot;
}

BOOL CCircleOb::IsTransparent() const
{
    return BackColor == static_cast<COLORREF>(-1) && HatchStyle == NoHatch;
}

BOOL CCircleOb::GetHatchStyle(int* style) const
{
    if (style)
        *style = HatchStyle;
    return TRUE;
}

BOOL CCircleOb::GetShadowStyle(int* style) const
{
    if (style)
        *style = ShadowStyle;
    return GetRotateAngle() == 0.0;
}
