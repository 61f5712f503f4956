#include "objects/kinds/LineGen.h"

#include "objects/GenGroupInfo.h"
#include "objects/kinds/KindShared.h"

IMPLEMENT_SERIAL(CLineGen, CLineOb, 0)

CPropOb* CLineGen::CreateProperty(UINT propertyId, BOOL withChoices)
{
    return DropHelpContextProp(CLineOb::CreateProperty(propertyId, withChoices));
}

CGroupInfo* CLineGen::CreateGroupInfo() const
{
    return new CGenGroupInfo;
}
