#include "objects/kinds/BorderGen.h"

#include "objects/GenGroupInfo.h"
#include "objects/kinds/KindShared.h"

IMPLEMENT_SERIAL(CBorderGen, CBorderOb, 0)

CBorderGen::CBorderGen()
    : m_boxPoints(this)
{
    BackColor = RGB(255, 255, 255);
}

// The box's points are fixed, so there is no snap-point editor.
CPropOb* CBorderGen::CreateProperty(UINT propertyId, BOOL withChoices)
{
    if (propertyId == AnchorSnapsId)
        return nullptr;
    return DropHelpContextProp(CBorderOb::CreateProperty(propertyId, withChoices));
}

CGroupInfo* CBorderGen::CreateGroupInfo() const
{
    return new CGenGroupInfo;
}

void CBorderGen::ApplyDefaults()
{
    CBorderOb::ApplyDefaults();
    m_boxPoints.Reset();
}

CSnapPointSet* CBorderGen::GetSnapPoints(BOOL own)
{
    return ::GetGroupSnapPoints(this, own, &m_boxPoints);
}

CSnapPointSet* CBorderGen::GetStoredSnapPoints(BOOL own)
{
    return CHyperOb::GetSnapPoints(own);
}
