#include "objects/kinds/BorderOb.h"

#include "objects/HyperTracker.h"
#include "objects/PropColor.h"
#include "objects/PropCombo.h"
#include "objects/VersionTag.h"
#include "objects/kinds/KindShared.h"
#include "platform/core/Archive.h"

IMPLEMENT_SERIAL(CBorderOb, CHyperDrawOb, 0)

namespace {
constexpr KindChoice borderStyles[] = {
    {27204, CBorderOb::StyleNormal},
    {27205, CBorderOb::Style3D},
    {27206, CBorderOb::StyleSunken},
    {27207, CBorderOb::StyleRaised},
};
}

CBorderOb::CBorderOb()
    : m_hitBand(PenWidth + 1)
{
}

void CBorderOb::Serialize(CArchive& archive)
{
    CHyperDrawOb::Serialize(archive);
    if (archive.IsStoring())
        StoreFields(archive);
    else
        LoadFields(archive);
}

void CBorderOb::StoreFields(CArchive& archive) const
{
    CVersionTag tag(&archive, this, RecordVersion);
    tag.Write();
    StoreDrawFields(archive, *this, TRUE);
    archive << static_cast<DWORD>(BorderStyle) << static_cast<DWORD>(HiliteColor);
}

void CBorderOb::LoadFields(CArchive& archive)
{
    CVersionTag tag(&archive, this, RecordVersion);
    tag.Read();
    if (tag.GetVersion() < 1) {
        // Older layouts carry no border fields; a tag of version 0 belongs to what follows.
        if (tag.GetVersion() == 0)
            tag.SeekBack();
        return;
    }
    LoadDrawFields(archive, *this, TRUE);
    BorderStyle = ReadInt32(archive);
    HiliteColor = static_cast<COLORREF>(ReadInt32(archive));
}

CPropOb* CBorderOb::CreateProperty(UINT propertyId, BOOL withChoices)
{
    if (CPropOb* editor = CHyperDrawOb::CreateProperty(propertyId, withChoices))
        return editor;
    switch (propertyId) {
    case HiliteColorId:
        return MakeColorEditor(propertyId, &HiliteColor);
    case BorderStyleId:
        return MakeChoiceEditor(propertyId, &BorderStyle, borderStyles, 4, withChoices);
    case AnchorSnapsId:
        return MakeAnchorEditor(propertyId, GetSnapPoints(TRUE));
    default:
        return nullptr;
    }
}

void CBorderOb::CollectProperties(CObArray& list, BOOL withChoices)
{
    CHyperDrawOb::CollectProperties(list, withChoices);
    static constexpr UINT ids[] = {HiliteColorId, BorderStyleId};
    AppendProperties(this, list, ids, 2, withChoices);
}

void CBorderOb::CopyFrom(const CHyperBaseOb* base)
{
    CHyperDrawOb::CopyFrom(base);
    auto* other = dynamic_cast<const CBorderOb*>(base);
    if (!other || other == this)
        return;
    HiliteColor = other->HiliteColor;
    BorderStyle = other->BorderStyle;
}

void CBorderOb::ApplyDefaults()
{
    SetRect(CRect(0, 0, DefaultSize, DefaultSize));
    if (CSnapPointSet* set = GetSnapPoints(FALSE))
        set->SetPositionMask(0xF0);
    CHyperDrawOb::ApplyDefaults();
    SetMinimumSize();
}

void CBorderOb::RecalcRect()
{
    SetMinimumSize();
    CHyperDrawOb::RecalcRect();
}

CSize CBorderOb::GetMinimumSize() const
{
    return PenMinimumSize(PenWidth);
}

void CBorderOb::SetMinimumSize()
{
    if (m_tracker)
        m_tracker->m_sizeMin = GetMinimumSize();
}

CSnapPointSet* CBorderOb::GetSnapPoints(BOOL own)
{
    if (!m_snapPoints)
        m_snapPoints = std::make_unique<CSnapPointSet>(this);
    return ::GetGroupSnapPoints(this, own, m_snapPoints.get());
}

BOOL CBorderOb::IsTransparent() const
{
    return BackColor == static_cast<COLORREF>(-1) && HatchStyle == NoHatch;
}

BOOL CBorderOb::GetHatchStyle(int* style) const
{
    if (style)
        *style = HatchStyle;
    return TRUE;
}

BOOL CBorderOb::GetShadowStyle(int* style) const
{
    if (style)
        *style = ShadowStyle;
    return GetRotateAngle() == 0.0;
}

int CBorderOb::HitTest(CPoint point)
{
    int hit = CHyperDrawOb::HitTest(point);
    if (hit != CRectTracker::hitMiddle || !IsTransparent() || GroupID >= 0 || GetRotateAngle() != 0.0)
        return hit;
    CRect rect;
    return IsInHollowCentre(*GetRect(&rect, nullptr), m_hitBand, point) ? CRectTracker::hitNothing : hit;
}
