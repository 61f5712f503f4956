// The highlight as its insert tool makes it: no help-context property, no snap points of its
// own, and groups of the generator kind.
#pragma once

#include "objects/kinds/HiliteOb.h"

class CHiliteGen : public CHiliteOb {
    DECLARE_SERIAL(CHiliteGen)
public:
    CPropOb* CreateProperty(UINT propertyId, BOOL withChoices) override;
    CSnapPointSet* GetSnapPoints(BOOL own) override;
    CGroupInfo* CreateGroupInfo() const override;
};
