#include "objects/kinds/PolyLineGen.h"

#include "objects/GenGroupInfo.h"
#include "objects/kinds/KindShared.h"

IMPLEMENT_SERIAL(CPolyLineGen, CPolyLineOb, 0)

CPropOb* CPolyLineGen::CreateProperty(UINT propertyId, BOOL withChoices)
{
    return DropHelpContextProp(CPolyLineOb::CreateProperty(propertyId, withChoices));
}

CSnapPointSet* CPolyLineGen::GetSnapPoints(BOOL own)
{
    return ::GetGroupSnapPoints(this, own, nullptr);
}

CGroupInfo* CPolyLineGen::CreateGroupInfo() const
{
    return new CGenGroupInfo;
}
