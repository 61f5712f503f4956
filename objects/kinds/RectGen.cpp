#include "objects/kinds/RectGen.h"

#include "objects/GenGroupInfo.h"
#include "objects/kinds/KindShared.h"

IMPLEMENT_SERIAL(CRectGen, CRectOb, 0)

CPropOb* CRectGen::CreateProperty(UINT propertyId, BOOL withChoices)
{
    return DropHelpContextProp(CRectOb::CreateProperty(propertyId, withChoices));
}

CGroupInfo* CRectGen::CreateGroupInfo() const
{
    return new CGenGroupInfo;
}
