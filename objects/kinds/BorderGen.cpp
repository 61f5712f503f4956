#include "objects/kinds/BorderGen.h"

#include "objects/GenGroupInfo.h"
#include "objects/kinds/KindShared.h"

IMPLEMENT_SERIAL(CBorderGen, CBorderOb, 0)

CBorderGen::CBorderGen()
{
    BackColor = RGB(255, 255, 255);
}

CPropOb* CBorderGen::CreateProperty(UINT propertyId, BOOL withChoices)
{
    return DropHelpContextProp(CBorderOb::CreateProperty(propertyId, withChoices));
}

CGroupInfo* CBorderGen::CreateGroupInfo() const
{
    return new CGenGroupInfo;
}
