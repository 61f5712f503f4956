// The arc as the Arc tool inserts it: no help-context property and groups of the generator
// kind.
#pragma once

#include "objects/kinds/ArcOb.h"

class CArcGen : public CArcOb {
    DECLARE_SERIAL(CArcGen)
public:
    CArcGen() = default;

    CPropOb* CreateProperty(UINT propertyId, BOOL withChoices) override;
    CGroupInfo* CreateGroupInfo() const override;
};
