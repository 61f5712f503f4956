#include "objects/kinds/CircleGen.h"

#include "objects/GenGroupInfo.h"
#include "objects/kinds/KindShared.h"

IMPLEMENT_SERIAL(CCircleGen, CCircleOb, 0)

CCircleGen::CCircleGen()
{
    BackColor = RGB(255, 255, 255);
}

CPropOb* CCircleGen::CreateProperty(UINT propertyId, BOOL withChoices)
{
    return DropHelpContextProp(CCircleOb::CreateProperty(propertyId, withChoices));
}

CSnapPointSet* CCircleGen::GetSnapPoints(BOOL own)
{
    return ::GetGroupSnapPoints(this, own, nullptr);
}

CGroupInfo* CCircleGen::CreateGroupInfo() const
{
    return new CGenGroupInfo;
}
