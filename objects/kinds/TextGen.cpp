#include "objects/kinds/TextGen.h"

#include "objects/GenGroupInfo.h"
#include "objects/kinds/KindShared.h"

IMPLEMENT_SERIAL(CTextGen, CTextOb, 0)

CPropOb* CTextGen::CreateProperty(UINT propertyId, BOOL withChoices)
{
    return DropHelpContextProp(CTextOb::CreateProperty(propertyId, withChoices));
}

CSnapPointSet* CTextGen::GetSnapPoints(BOOL own)
{
    return ::GetGroupSnapPoints(this, own, nullptr);
}

CGroupInfo* CTextGen::CreateGroupInfo() const
{
    return new CGenGroupInfo;
}
