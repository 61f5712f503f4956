#include "objects/kinds/BitmapGen.h"

#include "objects/GenGroupInfo.h"
#include "objects/kinds/KindShared.h"

IMPLEMENT_SERIAL(CBitmapGen, CBitmapOb, 0)

CPropOb* CBitmapGen::CreateProperty(UINT propertyId, BOOL withChoices)
{
    return DropHelpContextProp(CBitmapOb::CreateProperty(propertyId, withChoices));
}

CSnapPointSet* CBitmapGen::GetSnapPoints(BOOL own)
{
    return ::GetGroupSnapPoints(this, own, nullptr);
}

CGroupInfo* CBitmapGen::CreateGroupInfo() const
{
    return new CGenGroupInfo;
}
