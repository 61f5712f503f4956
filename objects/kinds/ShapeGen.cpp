#include "objects/kinds/ShapeGen.h"

#include "objects/GenGroupInfo.h"
#include "objects/kinds/KindShared.h"

IMPLEMENT_SERIAL(CShapeGen, CShapeOb, 0)

CPropOb* CShapeGen::CreateProperty(UINT propertyId, BOOL withChoices)
{
    return DropHelpContextProp(CShapeOb::CreateProperty(propertyId, withChoices));
}

CSnapPointSet* CShapeGen::GetSnapPoints(BOOL own)
{
    return ::GetGroupSnapPoints(this, own, nullptr);
}

CGroupInfo* CShapeGen::CreateGroupInfo() const
{
    return new CGenGroupInfo;
}
