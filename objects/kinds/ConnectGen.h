// The connector as the Connector tool inserts it: no help-context property, and groups of
// the generator kind.
#pragma once

#include "objects/kinds/ConnectOb.h"

class CConnectGen : public CConnectOb {
    DECLARE_SERIAL(CConnectGen)
public:
    CConnectGen() = default;

    CPropOb* CreateProperty(UINT propertyId, BOOL withChoices) override;
    CGroupInfo* CreateGroupInfo() const override;
};
