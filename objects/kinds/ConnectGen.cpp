#include "objects/kinds/ConnectGen.h"

#include "objects/GenGroupInfo.h"
#include "objects/kinds/KindShared.h"

IMPLEMENT_SERIAL(CConnectGen, CConnectOb, 0)

CPropOb* CConnectGen::CreateProperty(UINT propertyId, BOOL withChoices)
{
    return DropHelpContextProp(CConnectOb::CreateProperty(propertyId, withChoices));
}

CGroupInfo* CConnectGen::CreateGroupInfo() const
{
    return new CGenGroupInfo;
}
