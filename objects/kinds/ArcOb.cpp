#include "objects/kinds/ArcOb.h"

#include "objects/HyperTracker.h"
#include "objects/PropCombo.h"
#include "objects/PropNumber.h"
#include "objects/VersionTag.h"
#include "objects/kinds/KindShared.h"
#include "platform/core/Archive.h"

#include <algorithm>
#include <cstdint>

IMPLEMENT_SERIAL(CArcOb, CHyperDrawOb, 0)

BEGIN_DISPATCH_MAP(CArcOb, CHyperDrawOb)
    DISP_PROPERTY_EX_ID(CArcOb, "Wedge", 1329, GetWedge, SetWedge, VT_I4)
    DISP_PROPERTY_EX_ID(CArcOb, "StartAngle", 1330, GetStartAngle, SetStartAngle, VT_R8)
    DISP_PROPERTY_EX_ID(CArcOb, "EndAngle", 1331, GetEndAngle, SetEndAngle, VT_R8)
END_DISPATCH_MAP()

namespace {
constexpr KindChoice wedgeChoices[] = {{27146, 0}, {27147, 1}};
}

CArcOb::CArcOb()
{
    m_keepsDirection = TRUE;
}

void CArcOb::Serialize(CArchive& archive)
{
    CHyperDrawOb::Serialize(archive);
    if (archive.IsStoring())
        StoreFields(archive);
    else
        LoadFields(archive);
}

void CArcOb::StoreFields(CArchive& archive)
{
    CVersionTag tag(&archive, this, RecordVersion);
    tag.Write();
    StoreDrawFields(archive, *this, FALSE);
    archive << static_cast<BYTE>(Wedge) << StartAngle << EndAngle << static_cast<DWORD>(m_radiusX)
            << static_cast<DWORD>(m_radiusY) << static_cast<DWORD>(m_centre.x - m_frame.left)
            << static_cast<DWORD>(m_centre.y - m_frame.top);
}

void CArcOb::LoadFields(CArchive& archive)
{
    EnsureShape();
    m_frame = GetRotateAngle() == 0.0 ? Rect() : Frame();
    CVersionTag tag(&archive, this, RecordVersion);
    tag.Read();
    LoadDrawFields(archive, *this, FALSE);
    if (tag.GetVersion() >= 1) {
        BYTE wedge;
        archive >> wedge >> StartAngle >> EndAngle;
        Wedge = wedge;
        m_radiusX = ClampCoordinate(ReadInt32(archive));
        m_radiusY = ClampCoordinate(ReadInt32(archive));
        int x = ReadInt32(archive);
        int y = ReadInt32(archive);
        m_centre = {ClampCoordinate(int64_t {x} + m_frame.left), ClampCoordinate(int64_t {y} + m_frame.top)};
        NormalizeAngles();
        DeriveFrame();
    } else {
        WORD quadrant;
        archive >> quadrant;
        ApplyQuadrant(quadrant, m_frame);
    }
    Remember();
    m_initialised = TRUE;
}

void CArcOb::SetWedge(long wedge)
{
    // The record keeps one byte of it.
    int stored = static_cast<int>(std::clamp(wedge, 0L, 255L));
    if (stored == Wedge)
        return;
    Wedge = stored;
    UpdateLayout(TRUE, FALSE);
}

void CArcOb::SetStartAngle(double angle)
{
    if (angle == StartAngle)
        return;
    StartAngle = angle;
    UpdateLayout(TRUE, FALSE);
}

void CArcOb::SetEndAngle(double angle)
{
    if (angle == EndAngle)
        return;
    EndAngle = angle;
    UpdateLayout(TRUE, FALSE);
}

void CArcOb::UpdateLayout(int recalc, BOOL hint)
{
    NormalizeAngles();
    CHyperDrawOb::UpdateLayout(recalc, hint);
}

CPropOb* CArcOb::CreateProperty(UINT propertyId, BOOL withChoices)
{
    if (CPropOb* editor = CHyperDrawOb::CreateProperty(propertyId, withChoices))
        return editor;
    switch (propertyId) {
    case WedgeId:
        return MakeChoiceEditor(propertyId, &Wedge, wedgeChoices, 2, withChoices);
    case StartAngleId:
        return new CPropDbl(propertyId, &StartAngle);
    case EndAngleId:
        return new CPropDbl(propertyId, &EndAngle);
    default:
        return nullptr;
    }
}

void CArcOb::CollectProperties(CObArray& list, BOOL withChoices)
{
    CHyperDrawOb::CollectProperties(list, withChoices);
    static constexpr UINT ids[] = {WedgeId, StartAngleId, EndAngleId};
    AppendProperties(this, list, ids, 3, withChoices);
}

void CArcOb::CopyFrom(const CHyperBaseOb* base)
{
    CHyperDrawOb::CopyFrom(base);
    auto* other = dynamic_cast<const CArcOb*>(base);
    if (!other || other == this)
        return;
    Wedge = other->Wedge;
    StartAngle = other->StartAngle;
    EndAngle = other->EndAngle;
    m_lastWedge = other->m_lastWedge;
    m_lastStart = other->m_lastStart;
    m_lastEnd = other->m_lastEnd;
    m_initialised = other->m_initialised;
    m_frame = other->m_frame;
    m_radiusX = other->m_radiusX;
    m_radiusY = other->m_radiusY;
    m_centre = other->m_centre;
    m_rememberedRect = other->m_rememberedRect;
}

void CArcOb::ApplyDefaults()
{
    CRect rect(0, 0, DefaultSize, DefaultSize);
    SetRect(rect);
    ApplyQuadrant(0, rect);
    CHyperDrawOb::ApplyDefaults();
}

BOOL CArcOb::IsTransparent() const
{
    return BackColor == static_cast<COLORREF>(-1) && HatchStyle == NoHatch;
}
