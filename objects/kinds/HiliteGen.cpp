#include "objects/kinds/HiliteGen.h"

#include "objects/GenGroupInfo.h"
#include "objects/kinds/KindShared.h"

IMPLEMENT_SERIAL(CHiliteGen, CHiliteOb, 0)

CPropOb* CHiliteGen::CreateProperty(UINT propertyId, BOOL withChoices)
{
    return DropHelpContextProp(CHiliteOb::CreateProperty(propertyId, withChoices));
}

CSnapPointSet* CHiliteGen::GetSnapPoints(BOOL own)
{
    return ::GetGroupSnapPoints(this, own, nullptr);
}

CGroupInfo* CHiliteGen::CreateGroupInfo() const
{
    return new CGenGroupInfo;
}
