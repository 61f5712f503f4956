#include "objects/kinds/ArcGen.h"

#include "objects/GenGroupInfo.h"
#include "objects/kinds/KindShared.h"

IMPLEMENT_SERIAL(CArcGen, CArcOb, 0)

CPropOb* CArcGen::CreateProperty(UINT propertyId, BOOL withChoices)
{
    return DropHelpContextProp(CArcOb::CreateProperty(propertyId, withChoices));
}

CGroupInfo* CArcGen::CreateGroupInfo() const
{
    return new CGenGroupInfo;
}
